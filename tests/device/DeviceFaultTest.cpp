// A misbehaving driver under the device link: refused reports, a mouse that
// goes away in the middle of an apply, nonsense or silence in answer to the
// 0x8B and 0x80 reads, slow calls. Applies must still finish, the link must
// keep a state that matches what happened, and once the driver behaves
// again one apply must bring the mouse to exactly what a clean apply gives.

#include "device/DeviceLink.h"
#include "device/DeviceMessageQueue.h"
#include "device/DeviceMessages.h"
#include "device/VirtualDriver.h"
#include "device/VirtualMouseSummary.h"
#include "device/WindowlessLinkHost.h"
#include "performance/RecordingPointerBackend.h"
#include "tests/device/DeviceTestSupport.h"
#include "tests/device/FaultyDriver.h"
#include "tests/support/TempProgramFolder.h"

#include <gtest/gtest.h>

#include <atomic>

namespace
{

class CountingHost : public WindowlessLinkHost
{
public:
    CountingHost() : WindowlessLinkHost(nullptr) {}
    ProfileData* CurrentProfile() override { return profile.get(); }
    void HideMainWindow() override { ++hidden; }
    int ShowMessage(std::string_view, std::string_view, MessageOwner, MessageKind) override
    {
        ++questions;
        return 0; // declines the updater
    }
    bool StartUpdater(const std::filesystem::path&) override
    {
        ++updaters;
        return true;
    }
    void PostApplyDone(ApplyOutcome outcome) override
    {
        ++appliesDone;
        outcomes.push_back(outcome);
    }

    std::unique_ptr<ProfileData> profile = SmallProfile();
    int hidden = 0;
    int questions = 0;
    int updaters = 0;
    std::atomic<int> appliesDone{0};
    std::vector<ApplyOutcome> outcomes; // read after WaitForApplies
};

DeviceDescription Description()
{
    DeviceDescription d = SmallDescription();
    d.m_bUpdate = true;
    return d;
}

// What the mouse holds after one clean apply of the small profile.
std::vector<std::string> CleanMouse()
{
    CountingHost host;
    DeviceMessageQueue messages;
    RecordingPointerBackend pointer;
    auto mouse = std::make_shared<VirtualMouse>(Description());
    DeviceLink link(
        Description(), "/opt/vestrel", host, messages, pointer,
        [mouse] { return MakeVirtualDriver(mouse); }, [](int) {});
    link.StartDeviceLink();
    link.RequestApply();
    link.WaitForApplies();
    return DescribeVirtualMouse(mouse->State(), Description().m_iSensor);
}

struct FaultRig
{
    explicit FaultRig(DriverFaults faults)
        : mouse(std::make_shared<VirtualMouse>(Description())),
          driver(MakeVirtualDriver(mouse), faults, [m = mouse] { m->Unplug(); }),
          link(
              Description(), "/opt/vestrel", host, messages, pointer,
              [this] { return driver.Api(); }, [](int) {})
    {
    }

    // Hands the driver's messages to the link as the main window does.
    void Deliver()
    {
        for (const DeviceMessage& m : messages.TakeAll())
        {
            if (m.message == kConnectionMessage)
                link.OnConnectionMessage(m.wParam);
            else if (m.message == kDataEventMessage)
                link.OnDataEventMessage(m.wParam, m.lParam);
        }
    }

    void Apply()
    {
        link.RequestApply();
        link.WaitForApplies();
        Deliver();
    }

    std::vector<std::string> Mouse() const
    {
        return DescribeVirtualMouse(mouse->State(), Description().m_iSensor);
    }

    CountingHost host;
    DeviceMessageQueue messages;
    RecordingPointerBackend pointer;
    std::shared_ptr<VirtualMouse> mouse;
    FaultyDriver driver;
    DeviceLink link;
};

TEST(DeviceFaults, RefusedReportsLetTheApplyFinishAndTheNextCleanApplyRepairs)
{
    const auto clean = CleanMouse();
    for (int every : {1, 2, 3, 7, 13})
    {
        SCOPED_TRACE(every);
        FaultRig rig({.refuseEvery = every});
        EXPECT_TRUE(rig.link.StartDeviceLink());
        rig.Apply();
        rig.Apply();
        EXPECT_EQ(rig.host.appliesDone, 2);
        EXPECT_EQ(rig.host.outcomes,
                  (std::vector<ApplyOutcome>{ApplyOutcome::Refused, ApplyOutcome::Refused}));
        EXPECT_EQ(rig.link.Settle(ApplyOutcome::Refused), ApplyOutcome::Refused); // still there
        EXPECT_GT(rig.driver.Refused(), 0);
        EXPECT_EQ(rig.link.State(), DeviceState::Present);
        EXPECT_EQ(rig.host.hidden, 0);
        if (every == 1)
        {
            EXPECT_NE(rig.Mouse(), clean); // nothing arrived
        }

        rig.driver.SetFaults({});
        rig.Apply();
        EXPECT_EQ(rig.Mouse(), clean);
        EXPECT_EQ(rig.host.outcomes.back(), ApplyOutcome::Applied);
    }
}

TEST(DeviceFaults, MouseLostMidApplyIsSeenAsRemovedAndServedAgainAfterArrival)
{
    const auto clean = CleanMouse();
    // Start-up takes the first three sends; then anywhere in the profile.
    for (int dropAfter : {4, 5, 9, 20, 40})
    {
        SCOPED_TRACE(dropAfter);
        FaultRig rig({.dropAfter = dropAfter});
        ASSERT_TRUE(rig.link.StartDeviceLink());
        rig.Apply();
        EXPECT_EQ(rig.host.appliesDone, 1);
        EXPECT_EQ(rig.link.State(), DeviceState::Removed);
        EXPECT_FALSE(rig.link.CanShowMainWindow());
        EXPECT_EQ(rig.host.hidden, 1);

        // The link hears of the removal only after the sends failed; the
        // window then tells a vanished mouse, not a refusing one.
        ASSERT_EQ(rig.host.outcomes.size(), 1u);
        EXPECT_EQ(rig.link.Settle(rig.host.outcomes[0]), ApplyOutcome::Removed);

        rig.Apply(); // while away: still finishes, sends nothing
        EXPECT_EQ(rig.host.appliesDone, 2);
        EXPECT_EQ(rig.host.outcomes[1], ApplyOutcome::NoMouse);

        rig.mouse->Plug();
        rig.Deliver();
        EXPECT_EQ(rig.link.State(), DeviceState::Present);
        EXPECT_TRUE(rig.link.CanShowMainWindow());
        rig.Apply();
        EXPECT_EQ(rig.Mouse(), clean);
        EXPECT_EQ(rig.host.outcomes.back(), ApplyOutcome::Applied);
    }
}

TEST(DeviceFaults, GarbageOrSilenceToTheStartupAndFirmwareReads)
{
    const auto clean = CleanMouse();
    for (ReadFault startup : {ReadFault::None, ReadFault::Garbage, ReadFault::Nothing})
        for (ReadFault firmware : {ReadFault::None, ReadFault::Garbage, ReadFault::Nothing})
        {
            SCOPED_TRACE(static_cast<int>(startup) * 3 + static_cast<int>(firmware));
            FaultRig rig({.startupAnswer = startup, .firmwareAnswer = firmware});
            // Declining the updater keeps the program running whatever it read.
            EXPECT_TRUE(rig.link.StartDeviceLink());
            EXPECT_EQ(rig.link.State(), DeviceState::Present);
            EXPECT_TRUE(rig.link.CanShowMainWindow());
            EXPECT_EQ(rig.host.updaters, 0);
            // Only a version that was read can differ from the expected one.
            EXPECT_EQ(rig.host.questions, firmware == ReadFault::Garbage ? 1 : 0);
            rig.Apply();
            EXPECT_EQ(rig.host.appliesDone, 1);
            EXPECT_EQ(rig.Mouse(), clean);
        }
}

TEST(DeviceFaults, SlowAndRefusingDriverKeepsAppliesInOrder)
{
    FaultRig rig({.refuseEvery = 5, .delay = std::chrono::microseconds(200)});
    ASSERT_TRUE(rig.link.StartDeviceLink());
    for (int level = 0; level < 4; ++level)
    {
        rig.host.profile->iDpiLevel = level;
        rig.link.RequestApply(); // queued behind the slow ones
    }
    rig.link.WaitForApplies();
    EXPECT_EQ(rig.host.appliesDone, 4);
    EXPECT_EQ(rig.link.AppliedSnapshot()->iDpiLevel, 3);

    rig.driver.SetFaults({.delay = std::chrono::microseconds(200)});
    rig.Apply();
    EXPECT_EQ(rig.mouse->State().byDpiLevel, 4);
    EXPECT_EQ(rig.host.appliesDone, 5);
}

} // namespace

TEST(DeviceFaults, AnApplyCutShortLeavesANoteAndTheReturningMouseGetsTheProfileWhole)
{
    const auto clean = CleanMouse();
    TempProgramFolder dir;
    const std::filesystem::path note = dir.Path() / kApplyNoteFile;
    {
        FaultRig rig({.dropAfter = 20});
        rig.link.SetApplyNote(note);
        ASSERT_TRUE(rig.link.StartDeviceLink());
        EXPECT_FALSE(rig.link.ApplyPending());
        rig.Apply();
        EXPECT_EQ(rig.link.State(), DeviceState::Removed);
        EXPECT_TRUE(rig.link.ApplyPending());
        EXPECT_TRUE(std::filesystem::exists(note));

        // Back again: the arrival alone brings the whole profile.
        rig.mouse->Plug();
        rig.Deliver();
        rig.link.WaitForApplies();
        EXPECT_EQ(rig.host.appliesDone, 2);
        EXPECT_EQ(rig.Mouse(), clean);
        EXPECT_FALSE(rig.link.ApplyPending());
        EXPECT_FALSE(std::filesystem::exists(note));

        // Refused reports leave the mouse half-configured just as well.
        rig.driver.SetFaults({.refuseEvery = 5});
        rig.Apply();
        EXPECT_TRUE(std::filesystem::exists(note));
    }
    // The note outlives the run that left it.
    FaultRig next({});
    next.link.SetApplyNote(note);
    EXPECT_TRUE(next.link.ApplyPending());
}
