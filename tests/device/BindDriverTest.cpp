#include "device/BindDriver.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{

DriverApi Marked(int mark)
{
    DriverApi api;
    api.Open_ReportDevice = [mark] { return mark; };
    return api;
}

TEST(BindDriver, ChoosesTheBuiltInDriverByName)
{
    const DriverFactories factories{[] { return Marked(1); }, [] { return Marked(2); }};
    EXPECT_EQ(BindDriver("/opt/vestrel", "hidraw", factories).Open_ReportDevice(), 1);
    EXPECT_EQ(BindDriver("/opt/vestrel", "virtual", factories).Open_ReportDevice(), 2);
    EXPECT_FALSE(BindDriver("/opt/vestrel", "usb", factories).Open_ReportDevice);
    EXPECT_FALSE(BindDriver("/opt/vestrel", "hidraw", DriverFactories{}).Open_ReportDevice);
}

TEST(BindDriver, NameComesFromTheEnvironmentWithHidrawByDefault)
{
    unsetenv("VESTREL_DRIVER");
    EXPECT_EQ(DriverNameFromEnvironment(), "hidraw");
    setenv("VESTREL_DRIVER", "", 1);
    EXPECT_EQ(DriverNameFromEnvironment(), "hidraw");
    setenv("VESTREL_DRIVER", "virtual", 1);
    EXPECT_EQ(DriverNameFromEnvironment(), "virtual");
    unsetenv("VESTREL_DRIVER");
}

} // namespace
