#pragma once
// The Windows pointer settings that travel with a profile: the values they
// become, and the apply that touches only what differs from the applied
// snapshot.

#include <array>
#include <cstdint>

class PointerSettingsBackend;
struct ProfileData;

int DoubleClickTime(int32_t iDoubleClickSpeed);
// 1, 6, 10 with enhanced precision, else 0, 0, 0.
std::array<int, 3> MouseAcceleration(int32_t bEnhancePointer);
int WindowsPointerSpeed(int32_t iPointerSpeed);
int WheelScrollLines(int32_t iScrollLines, int32_t bOnePageScroll);

// Sets the double-click time, the acceleration with the speed (always both),
// and the wheel lines, each only where `current` differs from `snapshot`.
void ApplyWindowsPointerSettings(const ProfileData& current, const ProfileData& snapshot,
                                 PointerSettingsBackend& backend);
