#include "device/SettingsCodes.h"

#include "app/DeviceDescription.h"
#include "model/LightSteps.h"
#include "model/ProfileData.h"

uint8_t ReportRateCode(int32_t iReportRate)
{
    switch (iReportRate)
    {
    case 0:
        return 8;
    case 1:
        return 4;
    case 3:
        return 1;
    default:
        return 2;
    }
}

std::array<uint8_t, 3> LightModeArguments(const ProfileData& profile)
{
    const auto mode = static_cast<uint8_t>(profile.iLightMode);
    const auto brightness = static_cast<uint8_t>(profile.iBrightness);
    const auto speed = static_cast<uint8_t>(ClampLightStep(profile.iLightSpeed));
    const auto length = static_cast<uint8_t>(ClampLightStep(profile.iLightLength));
    const auto colorMode = static_cast<uint8_t>(profile.iColorMode == 1 ? 2 : profile.iColorMode);

    auto args = [mode](int b2, int b3) {
        return std::array<uint8_t, 3>{mode, static_cast<uint8_t>(b2), static_cast<uint8_t>(b3)};
    };
    switch (mode)
    {
    case 1:
    case 5:
    case 11:
        return args(brightness, colorMode);
    case 2:
        return args(speed, colorMode);
    case 3:
    case 4:
        return args(speed, brightness);
    case 6:
    case 7:
        return args(4 - length, colorMode);
    case 8:
        return args(brightness, colorMode != 0 ? 1 : 0);
    case 9:
        return args(brightness, colorMode | ((4 - speed) << 4));
    case 10:
        return args(brightness, 4 - speed);
    default:
        return args(0, 0);
    }
}

uint8_t LiftOffCode(const DeviceDescription& description, int32_t iLiftOffDistance)
{
    if (iLiftOffDistance < 0 || iLiftOffDistance > 7)
        return 0;
    return description.m_abDistanceValue[iLiftOffDistance];
}

bool SensorHasRangeReport(int32_t sensor)
{
    return sensor == 3335 || sensor == 3370;
}

uint8_t DpiRangeMask(int32_t sensor, const int32_t (&aiDpi)[8])
{
    const int32_t threshold = sensor == 3335 ? 160 : 200;
    uint8_t mask = 0;
    for (int i = 0; i < 8; ++i)
        if (aiDpi[i] > threshold)
            mask |= 1 << i;
    return mask;
}
