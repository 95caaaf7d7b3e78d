#include "device/DeviceMessageQueue.h"
#include "device/DeviceMessages.h"
#include "device/DpiCodes.h"
#include "device/GunBlock.h"
#include "device/MacroBlock.h"
#include "device/VirtualDriver.h"
#include "tests/device/DeviceTestSupport.h"

#include <gtest/gtest.h>

namespace
{

int Send(VirtualMouse& mouse, FeatureReport report)
{
    return mouse.SetFeature(report.data(), kFeatureReportSize);
}

int Packet(VirtualMouse& mouse)
{
    DataPacket packet{};
    return mouse.WriteUSB(packet.data(), kDataPacketSize);
}

struct OpenMouse
{
    explicit OpenMouse(const DeviceDescription& d = PlainDescription()) : mouse(d)
    {
        mouse.SetVidPid(d.m_iVID, d.m_iPID);
        mouse.OpenMonitor(&messages, kDataEventMessage, kConnectionMessage);
        mouse.OpenFeatureChannel();
        mouse.OpenReportChannel();
    }
    VirtualMouse mouse;
    DeviceMessageQueue messages;
};

TEST(VirtualMouse, RejectsReportsWithABadChecksumOrUnknownCommand)
{
    OpenMouse m;
    FeatureReport rate = MakeFeatureReport(0x01, {0x04});
    rate[7] ^= 0x01;
    EXPECT_EQ(Send(m.mouse, rate), 0);
    EXPECT_EQ(m.mouse.State().byReportRateCode, 0);
    EXPECT_EQ(Send(m.mouse, MakeFeatureReport(0x01, {0x04})), 1);
    EXPECT_EQ(m.mouse.State().byReportRateCode, 4);
    EXPECT_EQ(Send(m.mouse, MakeFeatureReport(0x55)), 0);
    const auto traffic = m.mouse.Traffic();
    ASSERT_GE(traffic.size(), 3u);
    EXPECT_FALSE(traffic[traffic.size() - 3].bAccepted);
    EXPECT_TRUE(traffic[traffic.size() - 2].bAccepted);
}

TEST(VirtualMouse, UnscramblesWithItsOwnKeyOnly)
{
    OpenMouse m(ScrambledDescription());
    FeatureReport mode = MakeFeatureReport(0x02, {0x02});
    EXPECT_EQ(Send(m.mouse, mode), 0); // unscrambled: garbage to this mouse
    ReportScrambler(ScrambledDescription()).Scramble(mode);
    EXPECT_EQ(Send(m.mouse, mode), 1);
    EXPECT_EQ(m.mouse.State().byButtonMode, 2);

    DeviceDescription other = ScrambledDescription();
    other.m_abPassword[5] = 'Q';
    FeatureReport level = MakeFeatureReport(0x0B, {0x05});
    ReportScrambler(other).Scramble(level);
    EXPECT_EQ(Send(m.mouse, level), 0);
}

TEST(VirtualMouse, AnswersTheStartupAndVersionReads)
{
    OpenMouse m(ScrambledDescription());
    const ReportScrambler scrambler(ScrambledDescription());
    FeatureReport read = MakeFeatureReport(0x8B);
    scrambler.Scramble(read);
    ASSERT_EQ(m.mouse.GetFeature(read.data(), kFeatureReportSize), 1);
    scrambler.Unscramble(read);
    EXPECT_EQ(read, (FeatureReport{0x8B, 0x12, 0x34, 0x00, 0x00, 0x56, 0x78, 0x60}));

    // The startup read needs its checksum; the version read goes without.
    FeatureReport unframed{0x8B};
    scrambler.Scramble(unframed);
    EXPECT_EQ(m.mouse.GetFeature(unframed.data(), kFeatureReportSize), 0);
    FeatureReport version{0x80};
    scrambler.Scramble(version);
    ASSERT_EQ(m.mouse.GetFeature(version.data(), kFeatureReportSize), 1);
    scrambler.Unscramble(version);
    EXPECT_EQ(version[1], 1); // Ver_H of the description
    EXPECT_EQ(version[2], 3);
}

TEST(VirtualMouse, TakesPacketsOnlyForAnAnnouncedTable)
{
    OpenMouse m;
    EXPECT_EQ(Packet(m.mouse), 0);
    EXPECT_EQ(Send(m.mouse, MakeFeatureReport(0x10, {0x00, 0x20})), 0); // wrong length
    EXPECT_EQ(Send(m.mouse, MakeFeatureReport(0x10, {0x02, 0x18})), 0); // no such table
    EXPECT_EQ(Send(m.mouse, MakeFeatureReport(0x12, {0x01, 0x40})), 1);
    EXPECT_EQ(Packet(m.mouse), 1);
    EXPECT_EQ(Send(m.mouse, MakeFeatureReport(0x01, {0x02})), 1); // cuts the table short
    EXPECT_EQ(Packet(m.mouse), 0);
    EXPECT_EQ(Send(m.mouse, MakeFeatureReport(0x11, {0x08, 0x08})), 1);
    EXPECT_EQ(Packet(m.mouse), 1);
    EXPECT_EQ(Packet(m.mouse), 0); // one packet was all it announced
}

TEST(VirtualMouse, HoldsWhatTheProfileSays)
{
    VirtualRig rig(SmallDescription());
    const auto profile = SmallProfile();
    rig.protocol.SendProfile(*profile);
    const VirtualMouseState s = rig.mouse->State();

    EXPECT_EQ(s.byButtonMode, 2);
    EXPECT_EQ(s.byReportRateCode, 4);
    EXPECT_EQ(s.byDpiLevel, 3);
    EXPECT_EQ(s.lightColor, (RgbBytes{0x10, 0x20, 0x30}));
    EXPECT_EQ(s.lightMode, (std::array<uint8_t, 3>{9, 200, 0x32}));
    EXPECT_EQ(s.cycleColors[7], (RgbBytes{8, 0x17, 0x27}));
    EXPECT_EQ(s.dpiColors[0], (RgbBytes{0xA0, 0xB0, 0xC0}));
    EXPECT_EQ(s.byMaxDpi, 6);
    for (int i = 0; i < 8; ++i)
    {
        const auto level = DecodeDpiCode(3335, s.dpiCodes[i], (s.byDpiRangeMask >> i) & 1);
        ASSERT_TRUE(level);
        EXPECT_EQ(level->iStep, profile->aiDpi[i]) << i;
    }
    EXPECT_EQ(s.buttonCodes[1], (ButtonCode{0x00, 0x03, 0x06, 0x00}));
    EXPECT_EQ(s.buttonCodes[7], (ButtonCode{0x07, 0x00, 0x03, 0x00}));
    EXPECT_EQ(s.buttonCodes[16], (ButtonCode{0x08, 0x00, 0x04, 0x00}));

    ASSERT_EQ(s.blocks.count(1), 1u);
    const DecodedMacro macro = DecodeMacroBlock(s.blocks.at(1));
    EXPECT_EQ(macro.wLoopCount, 3);
    ASSERT_EQ(macro.aEvent.size(), 2u);
    EXPECT_EQ(macro.aEvent[1].byKind, 2);
    EXPECT_EQ(macro.aEvent[1].wDelay, 1270);

    ASSERT_EQ(s.blocks.count(5) + s.blocks.count(6), 2u);
    const auto bullets = DecodeGunBlocks(s.blocks.at(5), s.blocks.at(6));
    ASSERT_EQ(bullets.size(), 2u);
    EXPECT_EQ(bullets[1].iX, -1);
    EXPECT_EQ(bullets[1].iY, 5);
    EXPECT_EQ(s.gunSummary, (std::array<uint8_t, 12>{0xFF, 0, 0, 0x10, 0x20, 0x30}));
    EXPECT_EQ(s.byLiftOffCode, 3);
    EXPECT_EQ(s.byKeyResponse, 4);
    EXPECT_EQ(s.byDpiRangeMask, 0x70);
    EXPECT_EQ(s.iStartupRequests, 1);
    for (const MouseTraffic& t : rig.mouse->Traffic())
        EXPECT_TRUE(t.bAccepted);
}

TEST(VirtualMouse, RaisesItsEventsThroughTheMonitor)
{
    OpenMouse m;
    m.mouse.RaiseEvent(kEventDpiLevel, 5);
    m.mouse.RaiseEvent(kEventReportRate, 8);
    m.mouse.RaiseEvent(kEventButtonMode, 2);
    EXPECT_EQ(m.messages.TakeAll(), (std::vector<DeviceMessage>{{kDataEventMessage, 0x0700, 5},
                                                                {kDataEventMessage, 0x0500, 8},
                                                                {kDataEventMessage, 0x0800, 2}}));
    const VirtualMouseState s = m.mouse.State();
    EXPECT_EQ(s.byDpiLevel, 5);
    EXPECT_EQ(s.byReportRateCode, 8);
    EXPECT_EQ(s.byButtonMode, 2);
}

TEST(VirtualMouse, UnplugClosesTheChannelsAndPlugWantsThemReopened)
{
    OpenMouse m;
    m.mouse.Unplug();
    m.mouse.Unplug();
    m.mouse.RaiseEvent(kEventDpiLevel, 2); // a mouse that is gone says nothing
    EXPECT_EQ(Send(m.mouse, MakeFeatureReport(0x01, {0x02})), 0);
    EXPECT_EQ(m.mouse.OpenReportChannel(), 0);
    m.mouse.Plug();
    m.mouse.Plug();
    EXPECT_EQ(m.messages.TakeAll(),
              (std::vector<DeviceMessage>{{kConnectionMessage, 0, 0}, {kConnectionMessage, 1, 0}}));
    EXPECT_EQ(Send(m.mouse, MakeFeatureReport(0x01, {0x02})), 0);
    EXPECT_EQ(m.mouse.OpenFeatureChannel(), 1);
    EXPECT_EQ(Send(m.mouse, MakeFeatureReport(0x01, {0x02})), 1);
}

TEST(VirtualMouse, KeepsOnlyTheRecentTrafficOfALongRun)
{
    OpenMouse m;
    const std::size_t sent = VirtualMouse::kTrafficLogSize + 100;
    for (std::size_t i = 0; i < sent; ++i)
        Send(m.mouse, MakeFeatureReport(0x0B, {static_cast<uint8_t>(i % 8 + 1)}));
    const auto traffic = m.mouse.Traffic();
    ASSERT_EQ(traffic.size(), VirtualMouse::kTrafficLogSize);
    EXPECT_EQ(traffic.back().plain.at(1), (sent - 1) % 8 + 1);
}

TEST(VirtualMouse, OnlyTheSelectedMouseOpensAndReports)
{
    DeviceDescription d = PlainDescription();
    VirtualMouse mouse(d);
    DeviceMessageQueue messages;
    mouse.SetVidPid(d.m_iVID, d.m_iPID + 1);
    mouse.OpenMonitor(&messages, kDataEventMessage, kConnectionMessage);
    EXPECT_EQ(mouse.OpenReportChannel(), 0);
    mouse.Unplug();
    EXPECT_TRUE(messages.TakeAll().empty());
}

} // namespace
