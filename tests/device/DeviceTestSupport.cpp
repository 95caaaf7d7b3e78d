#include "tests/device/DeviceTestSupport.h"

#include "device/VirtualDriver.h"
#include "tests/support/TempProgramFolder.h"

#include <fstream>

DeviceDescription PlainDescription()
{
    DeviceDescription d;
    d.m_iSensor = 3335;
    d.m_iDistance = 1;
    d.m_abDistanceValue = {1, 2, 3, 4, 5, 6, 7, 8};
    d.m_iVer_H = 1;
    d.m_iVer_L = 3;
    for (auto& entry : d.m_aButtonCode)
        entry = {0, 0, 0, 0, 1};
    return d;
}

DeviceDescription ScrambledDescription()
{
    DeviceDescription d = PlainDescription();
    d.m_bPassword = true;
    d.m_abPassword = {'V', 'q', '7', '#', 'k', 'P'};
    return d;
}

std::unique_ptr<ProfileData> BlankProfile()
{
    auto profile = std::make_unique<ProfileData>();
    for (int s = 0; s < kButtonSlots; ++s)
    {
        profile->aButton[s].bySlot = static_cast<uint8_t>(s);
        profile->aButton[s].iGunIndex = -1;
        profile->aButton[s].iMacroIndex = -1;
    }
    return profile;
}

std::unique_ptr<ProfileData> SmallProfile()
{
    auto p = BlankProfile();
    p->iButtonMode = 1;
    p->iReportRate = 1;
    p->iDpiLevel = 2;
    p->rgbLight = {0x10, 0x20, 0x30, 0};
    p->iLightMode = 9;
    p->iBrightness = 200;
    p->iLightSpeed = 1;
    p->iColorMode = 1;
    for (int i = 0; i < 8; ++i)
    {
        p->aCycleColor[i] = {static_cast<uint8_t>(i + 1), static_cast<uint8_t>(0x10 + i),
                             static_cast<uint8_t>(0x20 + i), 0};
        p->aDpiColor[i] = {static_cast<uint8_t>(0xA0 + i), static_cast<uint8_t>(0xB0 + i),
                           static_cast<uint8_t>(0xC0 + i), 0};
    }
    const int32_t dpi[8] = {1, 10, 100, 160, 161, 200, 320, 50};
    std::copy(std::begin(dpi), std::end(dpi), p->aiDpi);
    p->byMaxDpi = 6;
    p->iLiftOffDistance = 2;
    p->byKeyResponse = 4;

    p->aButton[0].byFunction = 1;
    p->aButton[1].byFunction = 21;
    p->aButton[1].byShortcutMods = 0x03;
    p->aButton[1].byShortcutKey = 0x06;
    ButtonData& macro = p->aButton[2];
    macro.byFunction = 22;
    macro.iMacroMode = 0x102;
    macro.iLibValue = 3;
    macro.wEventCount = 2;
    macro.aEvent[0] = {0, 0x04, 1, 0, 50, 0, 0, 0};
    macro.aEvent[1] = {0, 0x04, 2, 0, 1271, 0, 0, 0};
    p->aButton[7].byFunction = 2; // fixed in the description below
    ButtonData& gun = p->aButton[16];
    gun.byFunction = 121;
    gun.clrGun = 0x00302010;
    gun.wEventCount = 2;
    gun.aBullet[0] = {0, 0, 0, 100};
    gun.aBullet[1] = {-1, 5, 0, 30};
    p->aButton[20].byFunction = 99;
    return p;
}

DeviceDescription SmallDescription()
{
    DeviceDescription d = PlainDescription();
    d.m_aButtonCode[7] = {0x07, 0x00, 0x03, 0x00, 0x00};
    return d;
}

VirtualRig::VirtualRig(const DeviceDescription& d)
    : description(d), mouse(std::make_shared<VirtualMouse>(d)), trace(MakeVirtualDriver(mouse)),
      protocol(trace.Api(), description, trace.Sleeper())
{
    const DriverApi& api = trace.Api();
    api.Set_VIDPID(d.m_iVID, d.m_iPID);
    api.Open_FeatureDevice();
    api.Open_ReportDevice();
}

std::vector<std::string> ReadStream(const std::string& name)
{
    std::ifstream in(SourceDir() / "tests" / "device" / "streams" / name);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        if (!line.empty())
            lines.push_back(line);
    return lines;
}
