#include "device/TransferProtocol.h"
#include "device/DeviceMessages.h"
#include "device/DriverApi.h"
#include "tests/device/DeviceTestSupport.h"

#include <gtest/gtest.h>

namespace
{

std::unique_ptr<ProfileData> ProfileWithBindings(int macros, int guns)
{
    auto p = BlankProfile();
    for (int s = 0; s < macros; ++s)
    {
        p->aButton[s].byFunction = 22;
        p->aButton[s].wEventCount = 1;
        p->aButton[s].aEvent[0] = {0, 0x04, 1, 0, 10, 0, 0, 0};
    }
    for (int s = 0; s < guns; ++s)
        p->aButton[16 + s].byFunction = 121;
    return p;
}

TEST(TransferProtocol, SmallProfileStreamMatchesTheHandDerivedOne)
{
    VirtualRig rig(SmallDescription());
    rig.trace.Clear();
    rig.protocol.SendProfile(*SmallProfile());
    const std::vector<std::string> expected = ReadStream("small_profile.txt");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(rig.trace.Lines(), expected);
    EXPECT_EQ(rig.trace.TotalPause(), 350 + 50 + 100);
}

// Factory settings on a sensor that skips disabled levels, without the
// lift-off report, scrambled, with a fixed button whose entry is missing.
TEST(TransferProtocol, ScrambledDefaultsStreamMatchesTheHandDerivedOne)
{
    DeviceDescription d = ScrambledDescription();
    d.m_iSensor = 3325;
    d.m_iDistance = 0;
    d.m_aButtonCode[31] = {};
    auto p = BlankProfile();
    p->iLightMode = 6;
    p->iLightLength = 1;
    p->rgbLight = {255, 0, 0, 0};
    const Rgb0 colours[8] = {{255, 0, 0, 0},   {0, 255, 0, 0},    {0, 0, 255, 0},
                             {255, 255, 0, 0}, {255, 0, 255, 0},  {0, 255, 255, 0},
                             {255, 128, 0, 0}, {255, 255, 255, 0}};
    std::copy(std::begin(colours), std::end(colours), p->aCycleColor);
    std::copy(std::begin(colours), std::end(colours), p->aDpiColor);
    const int32_t dpi[8] = {10, 20, 30, 40, 50, 60, 70, 80};
    const uint8_t enabled[8] = {1, 0, 1, 1, 0, 0, 1, 1};
    std::copy(std::begin(dpi), std::end(dpi), p->aiDpi);
    std::copy(std::begin(enabled), std::end(enabled), p->abDpiEnabled);
    p->byMaxDpi = 4;
    for (int s = 0; s < kButtonSlots; ++s)
        p->aButton[s].byFunction = kDefaultSlotFunction[s];

    VirtualRig rig(d);
    rig.trace.Clear();
    rig.protocol.SendProfile(*p);
    const std::vector<std::string> expected = ReadStream("scrambled_defaults.txt");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(rig.trace.Lines(), expected);
    EXPECT_EQ(rig.trace.TotalPause(), 310);
}

TEST(TransferProtocol, PausesAddUpPerMacroAndGun)
{
    struct Case
    {
        int32_t sensor;
        int32_t distance;
        int macros;
        int guns;
        int total;
    };
    const Case cases[] = {
        {3335, 1, 0, 0, 350},       {3370, -1, 0, 0, 350}, {3335, 1, 10, 3, 350 + 500 + 300},
        {3335, 1, 1, 0, 400},       {3335, 0, 0, 0, 310},  {3330, 1, 0, 0, 330},
        {3330, 1, 0, 2, 330 + 200},
    };
    for (const Case& c : cases)
    {
        DeviceDescription d = PlainDescription();
        d.m_iSensor = c.sensor;
        d.m_iDistance = c.distance;
        VirtualRig rig(d);
        rig.protocol.SendProfile(*ProfileWithBindings(c.macros, c.guns));
        EXPECT_EQ(rig.trace.TotalPause(), c.total)
            << c.sensor << " " << c.distance << " " << c.macros << " " << c.guns;
    }
}

TEST(TransferProtocol, WithoutBindingsOnlyButtonCodesAndAnEmptyGunSummaryGoOut)
{
    VirtualRig rig;
    rig.trace.Clear();
    rig.protocol.SendProfile(*BlankProfile());
    int buttonReports = 0;
    std::vector<std::string> lines = rig.trace.Lines();
    for (std::size_t i = 0; i < lines.size(); ++i)
    {
        EXPECT_NE(lines[i].rfind("SetFeature 13", 0), 0u) << lines[i];
        if (lines[i].rfind("SetFeature 12", 0) == 0)
            ++buttonReports;
        if (lines[i].rfind("SetFeature 10 03 0C", 0) == 0)
        {
            ASSERT_LT(i + 2, lines.size());
            std::string summary = "WriteUSB FF";
            for (int k = 0; k < 31; ++k)
                summary += " 00";
            EXPECT_EQ(lines[i + 2], summary);
        }
    }
    EXPECT_EQ(buttonReports, 2);
}

TEST(TransferProtocol, ScramblingChangesFeatureReportsOnly)
{
    VirtualRig plain(SmallDescription());
    DeviceDescription key = SmallDescription();
    key.m_bPassword = true;
    key.m_abPassword = {'V', 'q', '7', '#', 'k', 'P'};
    VirtualRig scrambled(key);
    plain.trace.Clear();
    scrambled.trace.Clear();
    plain.protocol.SendProfile(*SmallProfile());
    scrambled.protocol.SendProfile(*SmallProfile());

    const auto a = plain.trace.Lines();
    const auto b = scrambled.trace.Lines();
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i)
    {
        if (a[i].rfind("SetFeature", 0) == 0 || a[i].rfind("GetFeature", 0) == 0)
            EXPECT_NE(a[i], b[i]);
        else
            EXPECT_EQ(a[i], b[i]);
    }
    // The scrambled rate report of the design's example.
    FeatureReport rate = MakeFeatureReport(0x01, {0x02});
    ReportScrambler(key).Scramble(rate);
    VirtualRig single(key);
    single.trace.Clear();
    single.protocol.SendReportRate(2);
    EXPECT_EQ(single.trace.Lines().at(0), "SetFeature " + HexBytes(rate));

    // Both mice end up holding the same settings, and took every report.
    const VirtualMouseState sa = plain.mouse->State();
    const VirtualMouseState sb = scrambled.mouse->State();
    EXPECT_EQ(sa.buttonCodes, sb.buttonCodes);
    EXPECT_EQ(sa.dpiCodes, sb.dpiCodes);
    EXPECT_EQ(sa.blocks, sb.blocks);
    EXPECT_EQ(sa.startupReply, sb.startupReply);
    for (const MouseTraffic& t : scrambled.mouse->Traffic())
        EXPECT_TRUE(t.bAccepted);
}

TEST(TransferProtocol, RefusedReportsSkipOnlyTheConditionalPauses)
{
    // A mouse that is gone: every send fails, the sequence still runs through.
    DeviceDescription d = PlainDescription();
    DriverTrace trace{DriverApi{}};
    TransferProtocol protocol(trace.Api(), d, trace.Sleeper());
    protocol.SendProfile(*ProfileWithBindings(1, 1));
    // 0x10 sub 0 and 1: 40 each; 0x11: 20; buttons 60, macro 50, gun 100,
    // summary 20; lift-off and range: 20 each.
    EXPECT_EQ(trace.TotalPause(), 40 + 40 + 20 + 60 + 50 + 100 + 20 + 20 + 20);
    int sent = 0;
    for (const std::string& line : trace.Lines())
        sent += line.rfind("Sleep", 0) != 0;
    EXPECT_EQ(sent, 3 + 5 + 4 + 2 + 6 + 5 + 10 + 2 + 2);
}

TEST(TransferProtocol, StartupReplyCarriesTheAnswerOrZeros)
{
    VirtualRig rig;
    EXPECT_TRUE(rig.protocol.RunStartupExchange());
    EXPECT_EQ(rig.mouse->State().startupReply,
              (std::array<uint8_t, 6>{0x12, 0x34, 0xE2, 0x40, 0x56, 0x78}));

    rig.mouse->SetAnswering(false);
    rig.trace.Clear();
    EXPECT_TRUE(rig.protocol.RunStartupExchange());
    EXPECT_EQ(rig.trace.Lines().back(),
              "SetFeature " + HexBytes(MakeFeatureReport(0x03, {0, 0, 0xE2, 0x40, 0, 0})));
}

TEST(TransferProtocol, FirmwareVersionReadGoesWithoutChecksum)
{
    VirtualRig rig;
    rig.mouse->SetFirmwareVersion(0x02, 0x07);
    rig.trace.Clear();
    EXPECT_TRUE(rig.protocol.SendFirmwareVersionRequest());
    const auto version = rig.protocol.ReadFirmwareVersion();
    ASSERT_TRUE(version);
    EXPECT_EQ(version->byHigh, 0x02);
    EXPECT_EQ(version->byLow, 0x07);
    const auto lines = rig.trace.Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "SetFeature 80 00 00 00 00 00 00 7F");
    EXPECT_EQ(lines[1].substr(0, 35), "GetFeature 80 00 00 00 00 00 00 00 ");

    rig.mouse->SetAnswering(false);
    EXPECT_FALSE(rig.protocol.ReadFirmwareVersion());
}

} // namespace

// Speed and length travel as 4 - step: the top step sends 0, and a stored
// step beyond the top (an old file) is sent as the top, never as a wrapped byte.
TEST(TransferProtocol, LightingStepsStayWithinWhatTheReportCarries)
{
    struct Case
    {
        int32_t mode;
        int32_t speed;
        int32_t length;
        const char* sent;
    };
    const Case cases[] = {
        {10, 4, 2, "SetFeature 0D 0A C8 00"}, {10, 5, 2, "SetFeature 0D 0A C8 00"},
        {10, 1, 2, "SetFeature 0D 0A C8 03"}, {10, -7, 2, "SetFeature 0D 0A C8 03"},
        {9, 5, 2, "SetFeature 0D 09 C8 02"},  {6, 3, 5, "SetFeature 0D 06 00 02"},
        {7, 3, 0, "SetFeature 0D 07 03 02"},  {2, 9, 2, "SetFeature 0D 02 04 02"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.sent);
        auto p = BlankProfile();
        p->iLightMode = c.mode;
        p->iBrightness = 200;
        p->iColorMode = 1;
        p->iLightSpeed = c.speed;
        p->iLightLength = c.length;
        VirtualRig rig;
        rig.trace.Clear();
        rig.protocol.SendProfile(*p);
        int found = 0;
        for (const std::string& line : rig.trace.Lines())
            if (line.rfind("SetFeature 0D", 0) == 0)
            {
                ++found;
                EXPECT_EQ(line.substr(0, std::string(c.sent).size()), c.sent);
            }
        EXPECT_EQ(found, 1);
    }
}
