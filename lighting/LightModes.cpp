#include "lighting/LightModes.h"

namespace
{
constexpr LightModeControls kModes[kLightModeCount] = {
    {false, false, false, false}, // off
    {true, false, true, false},   // steady
    {false, true, true, false},   // breathing
    {true, true, false, false},   // neon
    {true, true, false, false},   // spectrum
    {true, false, true, false},   // reactive
    {false, false, true, true},   // marquee
    {false, false, true, true},   // trail
    {true, false, true, false},   // flash
    {true, true, true, false},    // wave
    {true, true, false, false},   // colour shift
    {true, false, false, false},  // rainbow
};
} // namespace

LightModeControls LightModeControlsOf(int32_t iLightMode)
{
    if (iLightMode < 0 || iLightMode >= kLightModeCount)
        return {false, false, false, false};
    return kModes[iLightMode];
}
