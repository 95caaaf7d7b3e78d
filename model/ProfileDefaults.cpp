#include "model/ProfileDefaults.h"

#include <algorithm>
#include <cstring>
#include <span>

namespace
{

constexpr Rgb0 kDefaultColors[8] = {{255, 0, 0, 0},   {0, 255, 0, 0},    {0, 0, 255, 0},
                                    {255, 255, 0, 0}, {255, 0, 255, 0},  {0, 255, 255, 0},
                                    {255, 128, 0, 0}, {255, 255, 255, 0}};

// The DPI step defaults of levels 1..8; empty for sensors without any.
std::span<const int32_t> DefaultDpiSteps(int sensor)
{
    static constexpr int32_t k3050[8] = {2, 3, 4, 5, 6, 8, 10, 12};
    static constexpr int32_t k3104[8] = {25, 50, 75, 100, 125, 150, 175, 200};
    static constexpr int32_t k3212[8] = {13, 26, 52, 78, 86, 189, 70, 80};
    static constexpr int32_t kTens[8] = {10, 20, 30, 40, 50, 60, 70, 80};
    switch (sensor)
    {
    case 3050:
        return k3050;
    case 3104:
        return k3104;
    case 3212:
        return k3212;
    case 3325:
    case 3327:
    case 3330:
    case 3333:
    case 3335:
    case 6400:
        return kTens;
    default:
        return {};
    }
}

} // namespace

void ApplyProfileDefaults(ProfileData& p, int sensor)
{
    p.iPointerSpeed = 6;
    p.iScrollLines = 3;
    p.iDoubleClickSpeed = 5;
    p.bEnhancePointer = 0;
    p.bOnePageScroll = 0;
    p.iReserved120 = 10;
    p.iReserved124 = 10;
    p.iReportRate = 2;
    p.iDpiLevel = 0;
    if (auto steps = DefaultDpiSteps(sensor); !steps.empty())
    {
        std::copy(steps.begin(), steps.end(), p.aiDpi);
        std::copy(steps.begin(), steps.end(), p.aiDpiSecond);
    }
    std::fill(std::begin(p.abDpiEnabled), std::end(p.abDpiEnabled), 1);
    std::copy(std::begin(kDefaultColors), std::end(kDefaultColors), p.aDpiColor);
    p.iLightMode = 4;
    p.iBrightness = 255;
    p.iLightSpeed = 3;
    p.iColorMode = 1;
    p.iLightLength = 2;
    p.rgbLight = {255, 0, 0, 0};
    constexpr uint8_t kCycleOn[8] = {1, 1, 1, 1, 1, 1, 1, 0};
    std::copy(std::begin(kCycleOn), std::end(kCycleOn), p.abCycleColorOn);
    std::copy(std::begin(kDefaultColors), std::end(kDefaultColors), p.aCycleColor);
    p.iLiftOffDistance = 16;
    p.bDistanceEnabled = 0;
    p.byKeyResponse = 4;
    p.byMaxDpi = 8;
    std::fill(std::begin(p.abReserved314), std::end(p.abReserved314), 0);
    p.iReserved328 = 0;
    p.iButtonMode = 0;

    std::memset(p.aButton, 0, sizeof p.aButton);
    for (int i = 0; i < kButtonSlots; ++i)
    {
        ButtonData& slot = p.aButton[i];
        slot.bySlot = static_cast<uint8_t>(i);
        slot.byFunction = kDefaultSlotFunction[i];
        slot.byParam = kDefaultSlotParam[i];
        slot.iGunIndex = -1;
        slot.iMacroIndex = -1;
        slot.clrGun = 255;
    }
}
