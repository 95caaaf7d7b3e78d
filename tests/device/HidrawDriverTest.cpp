#include "device/HidrawDriver.h"
#include "app/DeviceDescription.h"
#include "device/DeviceMessageQueue.h"
#include "device/DeviceMessages.h"
#include "device/ReportFraming.h"

#include <gtest/gtest.h>

namespace
{

TEST(HidrawDriver, PicksTheVendorInterfaceOrElseTheLastOne)
{
    EXPECT_EQ(PickConfigurationInterface({{"/dev/hidraw3", 0x0001, 0},
                                          {"/dev/hidraw4", 0xFF02, 1},
                                          {"/dev/hidraw5", 0x000C, 2}}),
              "/dev/hidraw4");
    EXPECT_EQ(PickConfigurationInterface(
                  {{"/dev/hidraw3", 0, 0}, {"/dev/hidraw5", 0, 2}, {"/dev/hidraw4", 0, 1}}),
              "/dev/hidraw5");
    EXPECT_FALSE(PickConfigurationInterface({}));
}

TEST(HidrawDriver, RecognisesTheMouseInUdevProductValues)
{
    EXPECT_TRUE(ProductMatches("1209/1/100", 0x1209, 0x0001));
    EXPECT_TRUE(ProductMatches("abcd/ef01/0", 0xABCD, 0xEF01));
    EXPECT_FALSE(ProductMatches("1209/2/100", 0x1209, 0x0001));
    EXPECT_FALSE(ProductMatches("1208/1/100", 0x1209, 0x0001));
    EXPECT_FALSE(ProductMatches("1209/1", 0x1209, 0x0001));
    EXPECT_FALSE(ProductMatches("", 0x1209, 0x0001));
    EXPECT_FALSE(ProductMatches("zz/1/0", 0x1209, 0x0001));
}

TEST(HidrawDriver, InputReportsBecomeMouseEvents)
{
    const uint8_t report[] = {0x07, 0x03, 0xAA};
    const auto event = InputReportEvent(report, 3);
    ASSERT_TRUE(event);
    EXPECT_EQ(event->eventWord, 0x0700);
    EXPECT_EQ(event->value, 3);
    EXPECT_FALSE(InputReportEvent(report, 1));
    EXPECT_FALSE(InputReportEvent(report, -1));
}

TEST(HidrawDriver, AnAbsentMouseFailsEveryCallQuietly)
{
    DeviceMessageQueue messages;
    {
        const DriverApi api = MakeHidrawDriver();
        api.Set_VIDPID(0xFFFF, 0xFFFE); // nothing answers to these
        api.Open_DevMonitor(&messages, kDataEventMessage, kConnectionMessage);
        EXPECT_EQ(api.Open_FeatureDevice(), 0);
        EXPECT_EQ(api.Open_ReportDevice(), 0);
        FeatureReport report = MakeFeatureReport(0x83);
        EXPECT_EQ(api.SetFeature(report.data(), kFeatureReportSize), 0);
        EXPECT_EQ(api.GetFeature(report.data(), kFeatureReportSize), 0);
        DataPacket packet{};
        EXPECT_EQ(api.WriteUSB(packet.data(), kDataPacketSize), 0);
        EXPECT_EQ(api.Close_ReportDevice(), 1);
    } // the monitor thread stops with the last reference
    EXPECT_TRUE(messages.TakeAll().empty());
}

} // namespace
