#pragma once
// Which groups of lighting controls a mode uses.

#include <cstdint>

inline constexpr int kLightModeCount = 12;

struct LightModeControls
{
    bool bBrightness;
    bool bSpeed;
    bool bColor;
    bool bLength;
};

// A mode outside 0..11 uses none.
LightModeControls LightModeControlsOf(int32_t iLightMode);
