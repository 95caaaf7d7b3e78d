#include "device/DeviceLink.h"
#include "device/DeviceMessageQueue.h"
#include "device/DeviceMessages.h"
#include "device/HidrawDriver.h"
#include "device/VirtualDriver.h"
#include "device/VirtualMouseSummary.h"
#include "device/WindowlessLinkHost.h"
#include "performance/RecordingPointerBackend.h"
#include "tests/device/DeviceTestSupport.h"
#include "tests/device/hidrawsim/SimulatedKernel.h"

#include <gtest/gtest.h>

#include <thread>

namespace
{

using namespace std::chrono_literals;

// What a mouse holds after the link starts and applies the small profile
// through `driver`.
std::vector<std::string> ApplyThrough(const DeviceDescription& description, DriverBinder driver,
                                      const VirtualMouse& mouse)
{
    const std::unique_ptr<ProfileData> profile = SmallProfile();
    WindowlessLinkHost host(profile.get());
    DeviceMessageQueue messages;
    RecordingPointerBackend pointer;
    {
        DeviceLink link(description, "/opt/vestrel", host, messages, pointer, std::move(driver),
                        [](int) {});
        EXPECT_TRUE(link.StartDeviceLink());
        EXPECT_EQ(link.State(), DeviceState::Present);
        link.RequestApply();
        link.WaitForApplies();
    }
    return DescribeVirtualMouse(mouse.State(), mouse.Sensor());
}

class HidrawSim : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const std::string why = SimulatedKernel::Enter();
        if (!why.empty())
            GTEST_SKIP() << "no simulated hidraw kernel here (" << why << ")";
    }

    SimulatedKernel::Node Configuration(int number = 1) const
    {
        return {number, description.m_iVID, description.m_iPID, 2, VendorReportDescriptor()};
    }

    DeviceDescription description = SmallDescription();
    SimulatedKernel kernel;
};

TEST_F(HidrawSim, AnApplyThroughHidapiLeavesTheMouseAsTheVirtualDriverDoes)
{
    // The mouse's pointer interface comes first; only the vendor one may be used.
    auto pointerSide = std::make_shared<VirtualMouse>(description);
    auto mouse = std::make_shared<VirtualMouse>(description);
    kernel.Plug({0, description.m_iVID, description.m_iPID, 0, MouseReportDescriptor()},
                pointerSide);
    kernel.Plug(Configuration(), mouse);

    const std::vector<std::string> real = ApplyThrough(description, MakeHidrawDriver, *mouse);
    auto reference = std::make_shared<VirtualMouse>(description);
    EXPECT_EQ(real,
              ApplyThrough(
                  description, [reference] { return MakeVirtualDriver(reference); }, *reference));
    EXPECT_GT(mouse->State().blocks.size(), 0u);
    EXPECT_EQ(pointerSide->Traffic().size(), 0u);

    // A button on the mouse: its input report becomes the mouse's event.
    DeviceMessageQueue messages;
    const DriverApi api = MakeHidrawDriver();
    api.Set_VIDPID(description.m_iVID, description.m_iPID);
    ASSERT_EQ(api.Open_DevMonitor(&messages, kDataEventMessage, kConnectionMessage), 1);
    ASSERT_EQ(api.Open_FeatureDevice(), 1);
    // The monitor opens its own handle once woken; resend until it has.
    std::optional<DeviceMessage> event;
    for (int i = 0; i < 100 && !event; ++i)
    {
        kernel.SendInputReport(1, {0x07, 0x03});
        event = messages.WaitForMessage(50ms);
    }
    ASSERT_TRUE(event);
    EXPECT_EQ(*event, (DeviceMessage{kDataEventMessage, 0x0700, 3}));
    kernel.Unplug(0);
    kernel.Unplug(1);
}

TEST_F(HidrawSim, ArrivalAndRemovalFollowTheConfigurationNode)
{
    DeviceMessageQueue messages;
    const DriverApi api = MakeHidrawDriver();
    api.Set_VIDPID(description.m_iVID, description.m_iPID);
    ASSERT_EQ(api.Open_DevMonitor(&messages, kDataEventMessage, kConnectionMessage), 1);

    auto mouse = std::make_shared<VirtualMouse>(description);
    kernel.Plug({0, description.m_iVID, description.m_iPID, 0, MouseReportDescriptor()}, mouse);
    kernel.Plug({3, description.m_iVID + 1, description.m_iPID, 2, VendorReportDescriptor()},
                mouse);
    kernel.Plug(Configuration(), mouse);
    const auto arrival = messages.WaitForMessage(10s);
    ASSERT_TRUE(arrival);
    EXPECT_EQ(*arrival, (DeviceMessage{kConnectionMessage, 1, 0}));
    EXPECT_EQ(api.Open_FeatureDevice(), 1);

    kernel.Unplug(3); // another mouse's node going says nothing about ours
    kernel.Unplug(0);
    kernel.Unplug(1);
    const auto removal = messages.WaitForMessage(10s);
    ASSERT_TRUE(removal);
    EXPECT_EQ(*removal, (DeviceMessage{kConnectionMessage, 0, 0}));
    api.Close_FeatureDevice();
    EXPECT_TRUE(messages.TakeAll().empty());
}

TEST_F(HidrawSim, AMouseWithoutPermissionIsToldApartFromNoMouse)
{
    const uint32_t vid = description.m_iVID, pid = description.m_iPID;
    EXPECT_EQ(ProbeHidrawMouse(vid, pid), MouseAccess::Absent);
    kernel.Plug(Configuration(), std::make_shared<VirtualMouse>(description));
    EXPECT_EQ(ProbeHidrawMouse(vid, pid), MouseAccess::Reachable);
    kernel.Deny(1, true);
    EXPECT_EQ(ProbeHidrawMouse(vid, pid), MouseAccess::NoPermission);
    EXPECT_EQ(MouseAccessTextKey(ProbeHidrawMouse(vid, pid)), "no_permission_device_text");

    // The ACL lands while the driver is still trying: the open goes through.
    const DriverApi api = MakeHidrawDriver();
    api.Set_VIDPID(vid, pid);
    const int before = kernel.DeniedOpens(1);
    int opened = -1;
    std::thread opener([&] { opened = api.Open_FeatureDevice(); });
    while (kernel.DeniedOpens(1) < before + 2)
        std::this_thread::yield();
    kernel.Deny(1, false);
    opener.join();
    EXPECT_EQ(opened, 1);
    api.Close_FeatureDevice();
    kernel.Unplug(1);
}

} // namespace
