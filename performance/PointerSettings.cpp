#include "performance/PointerSettings.h"

#include "model/ProfileData.h"
#include "performance/PointerSettingsBackend.h"

namespace
{

constexpr int kPointerSpeeds[] = {1, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20};
constexpr int kDefaultPointerSpeed = 10;

} // namespace

int DoubleClickTime(int32_t iDoubleClickSpeed)
{
    return 900 - 70 * iDoubleClickSpeed;
}

std::array<int, 3> MouseAcceleration(int32_t bEnhancePointer)
{
    if (bEnhancePointer)
        return {1, 6, 10};
    return {0, 0, 0};
}

int WindowsPointerSpeed(int32_t iPointerSpeed)
{
    if (iPointerSpeed >= 1 && iPointerSpeed <= 11)
        return kPointerSpeeds[iPointerSpeed - 1];
    return kDefaultPointerSpeed;
}

int WheelScrollLines(int32_t iScrollLines, int32_t bOnePageScroll)
{
    return bOnePageScroll ? -1 : iScrollLines;
}

void ApplyWindowsPointerSettings(const ProfileData& current, const ProfileData& snapshot,
                                 PointerSettingsBackend& backend)
{
    if (current.iDoubleClickSpeed != snapshot.iDoubleClickSpeed)
        backend.SetDoubleClickTime(DoubleClickTime(current.iDoubleClickSpeed));
    if (current.iPointerSpeed != snapshot.iPointerSpeed ||
        current.bEnhancePointer != snapshot.bEnhancePointer)
    {
        backend.SetMouseAcceleration(MouseAcceleration(current.bEnhancePointer));
        backend.SetMouseSpeed(WindowsPointerSpeed(current.iPointerSpeed));
    }
    if (current.iScrollLines != snapshot.iScrollLines ||
        current.bOnePageScroll != snapshot.bOnePageScroll)
        backend.SetWheelScrollLines(WheelScrollLines(current.iScrollLines, current.bOnePageScroll));
}
