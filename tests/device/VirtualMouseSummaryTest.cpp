#include "device/VirtualMouseSummary.h"
#include "tests/device/DeviceTestSupport.h"

#include <gtest/gtest.h>

namespace
{

TEST(VirtualMouseSummary, DescribesWhatTheMouseReceived)
{
    VirtualRig rig(SmallDescription());
    rig.protocol.SendProfile(*SmallProfile());
    const auto lines = DescribeVirtualMouse(rig.mouse->State(), 3335);
    ASSERT_EQ(lines.size(), 8u + 32u + 1u);
    EXPECT_EQ(lines[0], "report rate: 250 Hz (code 4)");
    EXPECT_EQ(lines[1], "button set: game (2)");
    EXPECT_EQ(lines[2], "DPI level: 3 of 6");
    EXPECT_EQ(lines[3], "DPI codes: 00=1 (100), 0B=10 (1000), 77=100 (10000), BD=160 (16000), "
                        "5F=161 (16100), 77=200 (20000), BD=320 (32000), 3B=50 (5000)");
    EXPECT_EQ(lines[5], "light: mode 9, arguments C8 32, colour #102030");
    EXPECT_EQ(lines[7], "lift-off: code 3, key response 4 ms, DPI range mask 70");
    EXPECT_EQ(lines[8], "button 1: 01 00 F0 00");
    EXPECT_EQ(
        lines[10],
        "button 3: 09 02 01 00  macro 1: loop 3, 2 actions: press 04 +40ms release 04 +1270ms");
    EXPECT_EQ(lines[24], "button 17: 08 00 04 00  gun 1: 2 bullets: 0,0 +100ms -1,5 +20ms");
    EXPECT_EQ(lines[40], "gun summary: FF 00 00 10 20 30 00 00 00 00 00 00");
}

TEST(VirtualMouseSummary, SaysWhatIsNotSetYet)
{
    const auto lines = DescribeVirtualMouse(VirtualMouseState{}, 3325);
    EXPECT_EQ(lines[0], "report rate: not set");
    EXPECT_EQ(lines[1], "button set: not set (0)");
}

} // namespace
