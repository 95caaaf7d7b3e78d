#pragma once
// The DPI levels a profile uses.

#include "model/ProfileData.h"

inline constexpr int kDpiLevelCount = 8;

// Uses levels 1..count (1..8); the current level stays among them.
void SetDpiLevelsInUse(ProfileData& profile, int count);
