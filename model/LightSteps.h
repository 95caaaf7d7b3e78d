#pragma once
// Speed and length of a lighting effect. The lighting report carries them as
// 4 - step, so a step above 4 would wrap to a wrong byte; a stored value out
// of range is brought back into it rather than refused.

#include <algorithm>
#include <cstdint>

inline constexpr int32_t kLightStepMin = 1;
inline constexpr int32_t kLightStepMax = 4;

constexpr int32_t ClampLightStep(int32_t step)
{
    return std::clamp(step, kLightStepMin, kLightStepMax);
}
