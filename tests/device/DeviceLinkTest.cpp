#include "device/DeviceLink.h"
#include "device/DeviceLinkHost.h"
#include "device/DeviceMessageQueue.h"
#include "device/DeviceMessages.h"
#include "device/VirtualDriver.h"
#include "performance/RecordingPointerBackend.h"
#include "tests/device/DeviceTestSupport.h"
#include "tests/support/TempProgramFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

namespace
{

class TestHost : public DeviceLinkHost
{
public:
    ProfileData* CurrentProfile() override { return profile.get(); }
    void HideMainWindow() override { calls.push_back("HideMainWindow"); }
    void SelectDpiLevelOption(int32_t level) override
    {
        calls.push_back("SelectDpiLevelOption " + std::to_string(level));
    }
    void SelectReportRateOption(int32_t option) override
    {
        calls.push_back("SelectReportRateOption " + std::to_string(option));
    }
    void ShowButtonMode(int32_t mode) override
    {
        calls.push_back("ShowButtonMode " + std::to_string(mode));
    }
    void PostDpiPopup(int32_t dpiStep) override
    {
        calls.push_back("PostDpiPopup " + std::to_string(dpiStep));
    }
    void SaveProfiles() override { calls.push_back("SaveProfiles"); }
    int ShowMessage(std::string_view title, std::string_view text, MessageOwner owner,
                    MessageKind kind) override
    {
        calls.push_back("ShowMessage " + std::string(title) + " " + std::string(text) +
                        (owner == MessageOwner::None ? " unowned" : " owned") +
                        (kind == MessageKind::Question ? " question" : " information"));
        if (duringMessage)
            duringMessage();
        return messageAnswer;
    }
    bool StartUpdater(const std::filesystem::path& program) override
    {
        calls.push_back("StartUpdater " + program.string());
        return updaterStarts;
    }
    void PostApplyDone(ApplyOutcome outcome) override
    {
        ++appliesDone;
        outcomes.push_back(outcome);
    }
    void PostStartupRead() override { ++startupReads; }

    std::unique_ptr<ProfileData> profile = SmallProfile();
    std::vector<std::string> calls;
    int messageAnswer = 1;
    bool updaterStarts = true;
    std::function<void()> duringMessage;
    std::atomic<int> appliesDone{0};
    std::atomic<int> startupReads{0};
    std::vector<ApplyOutcome> outcomes; // read after WaitForApplies
};

// A virtual mouse behind a trace, and a link that records instead of
// sleeping. `calls` logs the entry points in the order they were called.
struct LinkRig
{
    explicit LinkRig(const DeviceDescription& d = SmallDescription(),
                     const std::filesystem::path& programFolder = "/opt/vestrel")
        : description(d), mouse(std::make_shared<VirtualMouse>(d)),
          trace(LogEntryPoints(MakeVirtualDriver(mouse))),
          link(
              description, programFolder, host, messages, pointer, [this] { return trace.Api(); },
              [this](int milliseconds)
              {
                  trace.Sleeper()(milliseconds);
                  if (onPause)
                      onPause();
              })
    {
    }

    DriverApi LogEntryPoints(DriverApi api)
    {
        auto wrap = [this](const char* name, std::function<int()>& slot)
        {
            slot = [this, name, inner = slot]
            {
                entryPoints.push_back(name);
                return inner();
            };
        };
        wrap("Open_FeatureDevice", api.Open_FeatureDevice);
        wrap("Close_FeatureDevice", api.Close_FeatureDevice);
        wrap("Open_ReportDevice", api.Open_ReportDevice);
        wrap("Close_ReportDevice", api.Close_ReportDevice);
        api.Set_VIDPID = [this, inner = api.Set_VIDPID](uint32_t vid, uint32_t pid)
        {
            entryPoints.push_back("Set_VIDPID " + std::to_string(vid) + " " + std::to_string(pid));
            return inner(vid, pid);
        };
        api.Open_DevMonitor = [this, inner = api.Open_DevMonitor](DeviceMessageSink* sink,
                                                                  uint32_t data, uint32_t conn)
        {
            entryPoints.push_back("Open_DevMonitor " + std::to_string(data) + " " +
                                  std::to_string(conn));
            return inner(sink, data, conn);
        };
        return api;
    }

    int Count(const std::string& entryPoint) const
    {
        return static_cast<int>(std::count(entryPoints.begin(), entryPoints.end(), entryPoint));
    }

    DeviceDescription description;
    std::shared_ptr<VirtualMouse> mouse;
    std::vector<std::string> entryPoints; // UI thread only
    DriverTrace trace;
    std::function<void()> onPause; // set before the link runs
    TestHost host;
    DeviceMessageQueue messages;
    RecordingPointerBackend pointer;
    DeviceLink link;
};

DeviceDescription WithoutUpdateCheck()
{
    DeviceDescription d = SmallDescription();
    d.m_bUpdate = false;
    return d;
}

TEST(DeviceLink, StartOpensTheMouseExchangesAndChecksTheFirmware)
{
    LinkRig rig;
    EXPECT_TRUE(rig.link.StartDeviceLink());
    EXPECT_EQ(rig.entryPoints,
              (std::vector<std::string>{"Set_VIDPID 4617 1", "Open_DevMonitor 1325 1326",
                                        "Open_FeatureDevice", "Open_ReportDevice"}));
    EXPECT_EQ(rig.link.State(), DeviceState::Present);
    EXPECT_TRUE(rig.link.IsOpen());
    EXPECT_TRUE(rig.link.CanShowMainWindow());
    const auto lines = rig.trace.Lines();
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "SetFeature 83 00 00 00 00 00 00 7C");
    EXPECT_EQ(lines[2].substr(0, 13), "SetFeature 03");
    EXPECT_EQ(lines[3], "SetFeature 80 00 00 00 00 00 00 7F");
    EXPECT_EQ(lines[4], "Sleep 30");
    EXPECT_EQ(lines[5].substr(0, 35), "GetFeature 80 00 00 00 00 00 00 00 ");
    EXPECT_EQ(lines[6], "Sleep 30");
    EXPECT_TRUE(rig.host.calls.empty()); // same firmware: no question
}

// The window's start: the mouse is opened at once, and the exchange and the
// firmware read run on the device thread ahead of the apply asked for next;
// the check then asks nothing twice and reads the version once.
TEST(DeviceLink, OpenLeavesTheExchangeToTheDeviceThreadAheadOfTheFirstApply)
{
    LinkRig rig;
    rig.mouse->SetFirmwareVersion(1, 2);
    std::thread::id pausedOn;
    rig.onPause = [&pausedOn] { pausedOn = std::this_thread::get_id(); };
    rig.link.OpenDeviceLink();
    EXPECT_EQ(rig.link.State(), DeviceState::Present);
    rig.link.RequestApply();
    rig.link.WaitForApplies();
    EXPECT_NE(pausedOn, std::this_thread::get_id());
    EXPECT_EQ(rig.host.startupReads, 1);
    EXPECT_TRUE(rig.host.calls.empty()) << "nothing is asked on the device thread";

    // The exchange and the version read first, as a start that waits for them has them.
    const auto lines = rig.trace.Lines();
    ASSERT_GT(lines.size(), 7u);
    EXPECT_EQ(lines[0], "SetFeature 83 00 00 00 00 00 00 7C");
    EXPECT_EQ(lines[3], "SetFeature 80 00 00 00 00 00 00 7F");
    EXPECT_EQ(lines[5].substr(0, 13), "GetFeature 80");
    EXPECT_EQ(lines[6], "Sleep 30");
    EXPECT_EQ(rig.host.outcomes, std::vector<ApplyOutcome>{ApplyOutcome::Applied});

    EXPECT_TRUE(rig.link.CheckStartupFirmware()); // no updater here: told so
    EXPECT_EQ(rig.host.calls, std::vector<std::string>{
                                  "ShowMessage warning_title_text no_updater_text unowned information"});
    EXPECT_TRUE(rig.link.CheckStartupFirmware());
    EXPECT_EQ(rig.host.calls.size(), 1u) << "asked once per start";
    ASSERT_TRUE(rig.link.MouseFirmware().has_value());
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.rfind("GetFeature 80", 0) == 0; }),
              1);
    EXPECT_EQ(rig.trace.Lines().size(), lines.size()) << "the known version is not asked again";
}

TEST(DeviceLink, DifferentFirmwareOffersTheUpdater)
{
    TempProgramFolder folder;
    folder.WriteFile("Update/flashOnLine", "#!/bin/sh\n", 10);
    const std::filesystem::path updater = folder.Path() / "Update" / "flashOnLine";
    std::filesystem::permissions(updater, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    LinkRig accept(SmallDescription(), folder.Path());
    accept.mouse->SetFirmwareVersion(1, 2);
    EXPECT_FALSE(accept.link.StartDeviceLink());
    EXPECT_EQ(
        accept.host.calls,
        (std::vector<std::string>{"ShowMessage warning_title_text update_fw_text unowned question",
                                  "StartUpdater " + updater.string()}));

    LinkRig decline(SmallDescription(), folder.Path());
    decline.host.messageAnswer = 0;
    decline.mouse->SetFirmwareVersion(2, 3); // newer is as different as older
    EXPECT_TRUE(decline.link.StartDeviceLink());
    EXPECT_EQ(decline.host.calls.size(), 1u);

    // An updater that does not start, or none at all: told, and the program goes on.
    const std::string told = "ShowMessage warning_title_text no_updater_text unowned information";
    LinkRig failing(SmallDescription(), folder.Path());
    failing.host.updaterStarts = false;
    failing.mouse->SetFirmwareVersion(1, 2);
    EXPECT_TRUE(failing.link.StartDeviceLink());
    EXPECT_EQ(failing.host.calls.size(), 3u);
    EXPECT_EQ(failing.host.calls.back(), told);

    LinkRig missing;
    missing.mouse->SetFirmwareVersion(1, 2);
    EXPECT_TRUE(missing.link.StartDeviceLink());
    EXPECT_EQ(missing.host.calls, std::vector<std::string>{told});
}

TEST(DeviceLink, FirmwareCheckIsSkippedWhenOffOrUnanswered)
{
    LinkRig off(WithoutUpdateCheck());
    off.mouse->SetFirmwareVersion(9, 9);
    EXPECT_TRUE(off.link.StartDeviceLink());
    EXPECT_EQ(off.trace.Lines().size(), 3u); // the start-up exchange only
    EXPECT_TRUE(off.host.calls.empty());

    LinkRig silent;
    silent.mouse->SetFirmwareVersion(9, 9);
    silent.mouse->SetAnswering(false);
    EXPECT_TRUE(silent.link.StartDeviceLink());
    EXPECT_TRUE(silent.host.calls.empty());
}

TEST(DeviceLink, AMouseThatIsNotThereLeavesTheLinkUsable)
{
    LinkRig rig;
    rig.mouse->Unplug();
    rig.host.profile->iPointerSpeed = 6;
    EXPECT_TRUE(rig.link.StartDeviceLink());
    EXPECT_EQ(rig.link.State(), DeviceState::NotOpened);
    EXPECT_TRUE(rig.link.IsOpen()); // set whatever the first open gave
    EXPECT_FALSE(rig.link.CanShowMainWindow());
    EXPECT_TRUE(rig.trace.Lines().empty());

    rig.link.RequestApply();
    rig.link.WaitForApplies();
    EXPECT_EQ(rig.host.appliesDone, 1);
    EXPECT_EQ(rig.host.outcomes, std::vector<ApplyOutcome>{ApplyOutcome::NoMouse});
    EXPECT_TRUE(rig.trace.Lines().empty());
    EXPECT_FALSE(rig.pointer.TakeCalls().empty()); // pointer settings still apply
}

TEST(DeviceLink, MissingDriverOrEntryPointsAreNeverCalled)
{
    TestHost host;
    DeviceMessageQueue messages;
    RecordingPointerBackend pointer;
    DeviceDescription d = SmallDescription();
    DeviceLink none(
        d, "/opt/vestrel", host, messages, pointer, [] { return DriverApi{}; }, [](int) {});
    EXPECT_TRUE(none.StartDeviceLink());
    EXPECT_EQ(none.State(), DeviceState::NotOpened);
    none.OnConnectionMessage(1);
    EXPECT_EQ(none.State(), DeviceState::Present);
    none.RequestApply();
    none.OnConnectionMessage(0);
    none.WaitForApplies();
    EXPECT_EQ(host.appliesDone, 1);

    // Only the report channel opens: every send is refused by its absence.
    DriverApi partial;
    partial.Open_ReportDevice = [] { return 1; };
    DeviceLink some(
        d, "/opt/vestrel", host, messages, pointer, [partial] { return partial; }, [](int) {});
    EXPECT_TRUE(some.StartDeviceLink()); // no firmware answer: carry on
    EXPECT_EQ(some.State(), DeviceState::Present);
    some.RequestApply();
    some.WaitForApplies();
    EXPECT_EQ(host.appliesDone, 2);
}

TEST(DeviceLink, ApplySendsTheProfileAndOnlyChangedPointerSettings)
{
    LinkRig rig(WithoutUpdateCheck());
    ASSERT_TRUE(rig.link.StartDeviceLink());
    ProfileData& p = *rig.host.profile;
    p.iPointerSpeed = 6;
    p.iScrollLines = 3;
    p.iDoubleClickSpeed = 5;
    rig.link.SetAppliedSnapshot(p);
    rig.trace.Clear();

    rig.link.RequestApply();
    rig.link.WaitForApplies();
    EXPECT_EQ(rig.host.appliesDone, 1);
    EXPECT_EQ(rig.host.outcomes, std::vector<ApplyOutcome>{ApplyOutcome::Applied});
    EXPECT_TRUE(rig.pointer.TakeCalls().empty());
    EXPECT_EQ(rig.trace.Lines(), ReadStream("small_profile.txt"));

    p.iDoubleClickSpeed = 11;
    p.bEnhancePointer = 1;
    rig.link.RequestApply();
    rig.link.WaitForApplies();
    EXPECT_EQ(rig.pointer.TakeCalls(),
              (std::vector<std::string>{"DoubleClickTime 130", "MouseAcceleration 1 6 10",
                                        "MouseSpeed 10"}));
    EXPECT_EQ(rig.link.AppliedSnapshot()->iDoubleClickSpeed, 11);

    rig.link.RequestApply();
    rig.link.WaitForApplies();
    EXPECT_TRUE(rig.pointer.TakeCalls().empty());
    EXPECT_EQ(rig.host.appliesDone, 3);
}

TEST(DeviceLink, AppliesRunInPostingOrderOnTheProfileAsItWasRequested)
{
    LinkRig rig(WithoutUpdateCheck());
    ASSERT_TRUE(rig.link.StartDeviceLink());
    rig.trace.Clear();
    for (int level = 0; level < 5; ++level)
    {
        rig.host.profile->iDpiLevel = level;
        rig.link.RequestApply();
    }
    rig.host.profile->iDpiLevel = 7; // edited after the last request
    rig.link.WaitForApplies();
    EXPECT_EQ(rig.host.appliesDone, 5);

    std::vector<std::string> levels;
    for (const std::string& line : rig.trace.Lines())
        if (line.rfind("SetFeature 0B", 0) == 0)
            levels.push_back(line.substr(14, 2));
    EXPECT_EQ(levels, (std::vector<std::string>{"01", "02", "03", "04", "05"}));
    EXPECT_EQ(rig.mouse->State().byDpiLevel, 5);
}

TEST(DeviceLink, RemovalDuringAnApplyLetsTheRestFailQuietly)
{
    LinkRig rig(WithoutUpdateCheck());
    ASSERT_TRUE(rig.link.StartDeviceLink());
    int pauses = 0; // device thread only
    rig.onPause = [&rig, &pauses]
    {
        if (++pauses == 10)
            rig.mouse->Unplug();
    };
    rig.link.RequestApply();
    rig.link.WaitForApplies();
    EXPECT_EQ(rig.host.appliesDone, 1);
    EXPECT_FALSE(rig.mouse->Traffic().back().bAccepted);
    EXPECT_EQ(rig.trace.Lines().back(), "Sleep 20"); // ran to its last pause
}

TEST(DeviceLink, DoubleArrivalAndRemovalActOnce)
{
    LinkRig rig(WithoutUpdateCheck());
    ASSERT_TRUE(rig.link.StartDeviceLink());
    rig.trace.Clear();
    rig.entryPoints.clear();

    rig.link.OnConnectionMessage(1); // already present
    EXPECT_TRUE(rig.entryPoints.empty());

    rig.link.OnConnectionMessage(0);
    rig.link.OnConnectionMessage(0);
    EXPECT_EQ(rig.Count("Close_FeatureDevice"), 1);
    EXPECT_EQ(rig.Count("Close_ReportDevice"), 1);
    EXPECT_EQ(rig.host.calls, (std::vector<std::string>{"HideMainWindow"}));
    EXPECT_EQ(rig.link.State(), DeviceState::Removed);
    EXPECT_FALSE(rig.link.CanShowMainWindow());

    rig.link.OnConnectionMessage(1);
    rig.link.OnConnectionMessage(1);
    EXPECT_EQ(rig.Count("Open_FeatureDevice"), 1);
    EXPECT_EQ(rig.Count("Open_ReportDevice"), 1);
    EXPECT_TRUE(rig.link.CanShowMainWindow());
    // Waited once, then the start-up exchange; the profile is not sent again.
    const auto lines = rig.trace.Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Sleep 500");
    EXPECT_EQ(lines[1].substr(0, 13), "SetFeature 83");
    EXPECT_EQ(lines[3].substr(0, 13), "SetFeature 03");

    rig.link.OnConnectionMessage(2); // neither
    EXPECT_EQ(rig.link.State(), DeviceState::Present);
}

TEST(DeviceLink, ArrivalWithoutAnOpenableMouseKeepsTheWindowHidden)
{
    LinkRig rig(WithoutUpdateCheck());
    ASSERT_TRUE(rig.link.StartDeviceLink());
    rig.mouse->Unplug();
    rig.link.OnConnectionMessage(0);
    rig.link.OnConnectionMessage(1); // the message came, but the mouse is gone again
    EXPECT_EQ(rig.link.State(), DeviceState::Present);
    EXPECT_FALSE(rig.link.IsOpen());
    EXPECT_FALSE(rig.link.CanShowMainWindow());
}

TEST(DeviceLink, MouseSideEventsUpdateTheProfile)
{
    LinkRig rig(WithoutUpdateCheck());
    ASSERT_TRUE(rig.link.StartDeviceLink());
    ProfileData& p = *rig.host.profile;

    rig.link.OnDataEventMessage(0x0700, 4);
    EXPECT_EQ(p.iDpiLevel, 3);
    EXPECT_EQ(rig.host.calls, (std::vector<std::string>{"SelectDpiLevelOption 3",
                                                        "PostDpiPopup 160", "SaveProfiles"}));

    const std::pair<uint16_t, int32_t> rates[] = {{1, 3}, {2, 2}, {3, 3}, {4, 1}, {8, 0}};
    for (auto [value, option] : rates)
    {
        p.iReportRate = -1;
        rig.link.OnDataEventMessage(0x0500, value);
        EXPECT_EQ(p.iReportRate, option) << value;
    }
    p.iReportRate = -1;
    rig.link.OnDataEventMessage(0x0512, 4); // only the high byte counts
    EXPECT_EQ(p.iReportRate, 1);

    rig.link.OnDataEventMessage(0x0800, 2);
    EXPECT_EQ(p.iButtonMode, 1);
    EXPECT_EQ(rig.host.calls.back(), "SaveProfiles");
    EXPECT_EQ(rig.host.calls[rig.host.calls.size() - 2], "ShowButtonMode 1");

    // Ignored: values outside each set, other words, the arrival word.
    rig.host.calls.clear();
    const std::pair<uintptr_t, intptr_t> ignored[] = {
        {0x0700, 0}, {0x0700, 9}, {0x0500, 5}, {0x0500, 6}, {0x0500, 7}, {0x0500, 0},
        {0x0800, 0}, {0x0800, 3}, {0x0600, 1}, {0x7F00, 1}, {0x0000, 1}};
    for (auto [word, value] : ignored)
    {
        rig.link.OnDataEventMessage(word, value);
        EXPECT_TRUE(rig.host.calls.empty()) << std::hex << word << " " << value;
    }
    // Only the low word of lParam is the value.
    rig.link.OnDataEventMessage(0x0700, 0x10001);
    EXPECT_EQ(p.iDpiLevel, 0);
}

TEST(DeviceLink, EventsRaisedOnTheVirtualMouseReachTheLink)
{
    LinkRig rig(WithoutUpdateCheck());
    ASSERT_TRUE(rig.link.StartDeviceLink());
    rig.mouse->RaiseEvent(kEventDpiLevel, 2);
    rig.mouse->Unplug();
    for (const DeviceMessage& m : rig.messages.TakeAll())
    {
        if (m.message == kDataEventMessage)
            rig.link.OnDataEventMessage(m.wParam, m.lParam);
        else if (m.message == kConnectionMessage)
            rig.link.OnConnectionMessage(m.wParam);
    }
    EXPECT_EQ(rig.host.profile->iDpiLevel, 1);
    EXPECT_EQ(rig.link.State(), DeviceState::Removed);
    EXPECT_EQ(rig.host.calls.back(), "HideMainWindow");
}

TEST(DeviceLink, NoDeviceMessageIsNeverShownTwiceAtOnce)
{
    LinkRig rig(WithoutUpdateCheck());
    int nested = 0;
    rig.host.duringMessage = [&]
    {
        if (nested++ == 0)
            rig.link.ShowNoDeviceMessage(); // a second click while it is open
    };
    rig.link.ShowNoDeviceMessage();
    EXPECT_EQ(rig.host.calls,
              (std::vector<std::string>{
                  "ShowMessage warning_title_text no_connect_device_text owned information"}));
    rig.link.ShowNoDeviceMessage(); // closed again: may open anew
    EXPECT_EQ(rig.host.calls.size(), 2u);
    // A mouse that is there but may not be opened is named as such.
    rig.link.ShowNoDeviceMessage(MouseAccess::NoPermission);
    EXPECT_EQ(rig.host.calls.back(),
              "ShowMessage warning_title_text no_permission_device_text owned information");
}

} // namespace
