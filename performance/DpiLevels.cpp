#include "performance/DpiLevels.h"

#include <algorithm>

void SetDpiLevelsInUse(ProfileData& profile, int count)
{
    count = std::clamp(count, 1, kDpiLevelCount);
    profile.byMaxDpi = static_cast<uint8_t>(count);
    if (profile.iDpiLevel >= count)
        profile.iDpiLevel = count - 1;
}
