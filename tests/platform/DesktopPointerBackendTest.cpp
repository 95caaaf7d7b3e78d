// The desktop backends against the desktops' real tools where Debian has them,
// reading back what was written; the parts that need a running desktop (KWin,
// an X server with libinput devices) against recorded answers.

#include "platform/DesktopPointerBackend.h"
#include "platform/GSettingsPointerBackend.h"
#include "platform/KdePointerBackend.h"
#include "platform/XInputPointerBackend.h"
#include "platform/XfcePointerBackend.h"

#include <gtest/gtest.h>

#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace
{

using Argv = std::vector<std::string>;

std::string Trimmed(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

std::string Output(const Argv& argv)
{
    return Trimmed(RunCommand(argv).output);
}

// A private configuration home, with no session bus or display in sight.
class PointerBackendTest : public ::testing::Test
{
protected:
    PointerBackendTest()
    {
        char pattern[] = "/tmp/vestrel-pointer-XXXXXX";
        m_home = mkdtemp(pattern);
        setenv("XDG_CONFIG_HOME", m_home.c_str(), 1);
        for (const char* name :
             {"DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR", "DISPLAY", "GSETTINGS_BACKEND"})
            unsetenv(name);
    }
    ~PointerBackendTest() override
    {
        StopSessionBus();
        std::error_code error;
        std::filesystem::remove_all(m_home, error);
    }

    // A session bus of the test's own, as dbus-run-session would give.
    bool StartSessionBus()
    {
        const CommandResult bus = RunCommand({"dbus-daemon", "--session", "--fork", "--nopidfile",
                                              "--print-address=1", "--print-pid=1"});
        std::istringstream lines(bus.output);
        std::string address;
        if (bus.status != 0 || !std::getline(lines, address) || !(lines >> m_busPid))
            return false;
        setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);
        return true;
    }

    // xfconfd saves its channels into the home when the bus goes away: the
    // home is removed only once it has gone.
    void StopSessionBus()
    {
        if (m_busPid <= 0)
            return;
        const CommandResult xfconfd = RunCommand(
            {"dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus", "/",
             "org.freedesktop.DBus.GetConnectionUnixProcessID", "string:org.xfce.Xfconf"});
        const size_t at = xfconfd.output.find("uint32 ");
        const int pidfd = at == std::string::npos
                              ? -1
                              : static_cast<int>(syscall(
                                    SYS_pidfd_open, std::stoi(xfconfd.output.substr(at + 7)), 0));
        kill(m_busPid, SIGTERM);
        if (pidfd >= 0)
        {
            pollfd gone = {pidfd, POLLIN, 0};
            poll(&gone, 1, 10000); // a stuck xfconfd only leaves files behind
            close(pidfd);
        }
    }

    std::filesystem::path m_home;
    pid_t m_busPid = 0;
};

bool HasFailed(const std::vector<PointerFailure>& failures, PointerSetting setting)
{
    for (const PointerFailure& failure : failures)
        if (failure.setting == setting)
            return true;
    return false;
}

TEST_F(PointerBackendTest, GSettingsDesktopsStoreWhatTheirPanelsRead)
{
    // The keyfile backend keeps the values in the configuration home, so
    // another gsettings can read them back.
    setenv("GSETTINGS_BACKEND", "keyfile", 1);
    struct Case
    {
        GSettingsMouseSchema schema;
        double speed;
    };
    for (const Case& c : {Case{GSettingsPointerBackend::Gnome(), -0.6},
                          Case{GSettingsPointerBackend::Cinnamon(), -0.6},
                          Case{GSettingsPointerBackend::Mate(), 2.8}})
    {
        SCOPED_TRACE(c.schema.desktop);
        if (RunCommand({"gsettings", "list-keys", c.schema.schema}).status != 0)
        {
            std::cout << "skipped: " << c.schema.schema << " is not installed\n";
            continue;
        }
        GSettingsPointerBackend backend(c.schema);
        backend.SetDoubleClickTime(550);
        backend.SetMouseAcceleration({0, 0, 0});
        backend.SetMouseSpeed(4);
        backend.SetWheelScrollLines(5);
        EXPECT_TRUE(backend.TakeFailures().empty());
        EXPECT_EQ(Output({"gsettings", "get", c.schema.schema, "double-click"}), "550");
        EXPECT_EQ(Output({"gsettings", "get", c.schema.schema, "accel-profile"}), "'flat'");
        EXPECT_NEAR(std::stod(Output({"gsettings", "get", c.schema.schema, c.schema.speedKey})),
                    c.speed, 1e-9);
        EXPECT_EQ(backend.DesktopName(), c.schema.desktop);
        EXPECT_FALSE(backend.Supports(PointerSetting::WheelScrollLines));
        EXPECT_FALSE(backend.Supports(PointerSetting::OnePageScroll));
    }
}

TEST_F(PointerBackendTest, GSettingsWithoutASessionBusFailsInsteadOfDoingNothing)
{
    int runs = 0;
    GSettingsPointerBackend backend(GSettingsPointerBackend::Gnome(),
                                    [&runs](const Argv&) {
                                        return ++runs, CommandResult{0, {}};
                                    });
    backend.SetDoubleClickTime(550);
    backend.SetMouseSpeed(4);
    const std::vector<PointerFailure> failures = backend.TakeFailures();
    ASSERT_EQ(failures.size(), 2u);
    EXPECT_EQ(failures[0].setting, PointerSetting::DoubleClickTime);
    EXPECT_EQ(failures[1].reason, "no session bus");
    EXPECT_EQ(runs, 0) << "gsettings would exit 0 and change nothing";
    EXPECT_TRUE(backend.TakeFailures().empty()) << "each failure is told once";
}

TEST_F(PointerBackendTest, KdeWritesKdeglobalsAndKcminputrc)
{
    for (const int version : {5, 6})
    {
        SCOPED_TRACE(version);
        const std::string write = "kwriteconfig" + std::to_string(version);
        const std::string read = "kreadconfig" + std::to_string(version);
        if (!IsProgramInstalled(write) || !IsProgramInstalled(read))
        {
            std::cout << "skipped: " << write << " or " << read << " is not installed\n";
            continue;
        }
        const std::filesystem::path home = m_home / write;
        std::filesystem::create_directory(home);
        setenv("XDG_CONFIG_HOME", home.c_str(), 1);
        KdePointerBackend backend(version);
        backend.SetDoubleClickTime(480);
        backend.SetWheelScrollLines(7);
        backend.SetWheelScrollLines(-1); // Plasma has no page scrolling: left alone
        backend.SetMouseAcceleration({1, 6, 10});
        backend.SetMouseSpeed(15);
        EXPECT_TRUE(backend.TakeFailures().empty()) << "no KWin and no X display: files only";
        const auto value = [&read](const char* file, const char* group, const char* key) {
            return Output({read, "--file", file, "--group", group, "--key", key});
        };
        EXPECT_EQ(value("kdeglobals", "KDE", "DoubleClickInterval"), "480");
        EXPECT_EQ(value("kdeglobals", "KDE", "WheelScrollLines"), "7");
        EXPECT_EQ(value("kcminputrc", "Mouse", "X11LibInputXAccelProfileFlat"), "false");
        EXPECT_EQ(value("kcminputrc", "Mouse", "XLbInptPointerAcceleration"), "0.50");
        EXPECT_FALSE(backend.Supports(PointerSetting::OnePageScroll));

        // A configuration home that cannot hold files: the tool exits non-zero.
        const std::filesystem::path blocked = m_home / (write + "-blocked");
        std::ofstream(blocked).put('x');
        setenv("XDG_CONFIG_HOME", blocked.c_str(), 1);
        backend.SetDoubleClickTime(550);
        const std::vector<PointerFailure> failures = backend.TakeFailures();
        ASSERT_EQ(failures.size(), 1u);
        EXPECT_EQ(failures[0].setting, PointerSetting::DoubleClickTime);
        EXPECT_EQ(failures[0].reason.rfind(write + " exited with ", 0), 0u) << failures[0].reason;
    }
}

TEST_F(PointerBackendTest, KdeSetsKWinsPointerDevicesAtOnce)
{
    setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nowhere", 1); // dbus-send is played below
    std::vector<Argv> sets;
    KdePointerBackend backend(
        6,
        [&sets](const Argv& argv)
        {
            if (argv[0] != "dbus-send")
                return CommandResult{0, {}};
            const std::string& path = argv[4];
            if (argv.back() == "string:devicesSysNames")
                return CommandResult{0, "method return\n   variant       array [\n"
                                        "         string \"event3\"\n         string \"event7\"\n"
                                        "      ]\n"};
            if (argv.back() == "string:pointer")
                return CommandResult{0, path.find("event7") != std::string::npos
                                            ? "   variant       boolean true\n"
                                            : "   variant       boolean false\n"};
            sets.push_back({path, argv[argv.size() - 2], argv.back()});
            return CommandResult{path.find("event7") != std::string::npos ? 1 : 0, {}};
        });
    backend.SetMouseSpeed(20);
    EXPECT_EQ(sets, (std::vector<Argv>{{"/org/kde/KWin/InputDevice/event7",
                                        "string:pointerAcceleration", "variant:double:1.00"}}))
        << "the keyboard (event3) is left alone";
    const std::vector<PointerFailure> failures = backend.TakeFailures();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].reason, "dbus-send exited with 1");

    sets.clear();
    backend.SetMouseAcceleration({0, 0, 0});
    EXPECT_EQ(sets, (std::vector<Argv>{
                        {"/org/kde/KWin/InputDevice/event7",
                         "string:pointerAccelerationProfileFlat", "variant:boolean:true"},
                        {"/org/kde/KWin/InputDevice/event7",
                         "string:pointerAccelerationProfileAdaptive", "variant:boolean:false"}}));
}

const char* kXInputList =
    "\xE2\x8E\xA1 Virtual core pointer                    \tid=2\t[master pointer  (3)]\n"
    "\xE2\x8E\x9C   \xE2\x86\xB3 Virtual core XTEST pointer              \tid=4\t[slave  pointer  "
    "(2)]\n"
    "\xE2\x8E\x9C   \xE2\x86\xB3 Vestrel Gaming Mouse (2.4G)             \tid=9\t[slave  pointer  "
    "(2)]\n"
    "\xE2\x8E\x9C   \xE2\x86\xB3 Old Ball Mouse                          \tid=10\t[slave  pointer  "
    "(2)]\n"
    "\xE2\x8E\xA3 Virtual core keyboard                   \tid=3\t[master keyboard (2)]\n";

// xinput as an X server with one libinput mouse (three profiles) answers it.
CommandResult FakeXInput(const Argv& argv, std::vector<Argv>& sets)
{
    if (argv[1] == "list")
        return {0, kXInputList};
    if (argv[1] == "list-props")
        return {0, argv[2] == "9" ? "Device 'Vestrel Gaming Mouse (2.4G)':\n"
                                    "\tlibinput Accel Speed (300):\t0.000000\n"
                                    "\tlibinput Accel Profile Enabled (303):\t1, 0, 0\n"
                                  : "Device 'Old Ball Mouse':\n\tDevice Enabled (150):\t1\n"};
    sets.push_back(argv);
    return {0, {}};
}

TEST_F(PointerBackendTest, X11SetsTheLibinputPropertiesOfEachPointer)
{
    std::vector<Argv> sets;
    XInputPointerBackend backend([&sets](const Argv& argv) { return FakeXInput(argv, sets); });
    backend.SetMouseSpeed(5);
    EXPECT_EQ(backend.TakeFailures().front().reason, "no X display");

    setenv("DISPLAY", ":99", 1);
    backend.SetMouseAcceleration({0, 0, 0});
    backend.SetMouseSpeed(5);
    backend.SetDoubleClickTime(550);
    EXPECT_EQ(sets,
              (std::vector<Argv>{
                  {"xinput", "set-prop", "9", "libinput Accel Profile Enabled", "0", "1", "0"},
                  {"xinput", "set-prop", "9", "libinput Accel Speed", "-0.50"}}));
    EXPECT_TRUE(backend.TakeFailures().empty());
    EXPECT_FALSE(backend.Supports(PointerSetting::DoubleClickTime));
    EXPECT_TRUE(backend.Supports(PointerSetting::Speed));
}

TEST_F(PointerBackendTest, XfceStoresInXsettingsAndThePointersChannel)
{
    if (!IsProgramInstalled("xfconf-query") || !IsProgramInstalled("dbus-daemon"))
        GTEST_SKIP() << "xfconf-query or dbus-daemon is not installed";
    XfcePointerBackend withoutBus;
    withoutBus.SetDoubleClickTime(550);
    EXPECT_TRUE(HasFailed(withoutBus.TakeFailures(), PointerSetting::DoubleClickTime));

    ASSERT_TRUE(StartSessionBus());
    std::vector<Argv> sets;
    XfcePointerBackend backend(
        [&sets](const Argv& argv)
        { return argv[0] == "xinput" ? FakeXInput(argv, sets) : RunCommand(argv); });
    backend.SetDoubleClickTime(340);
    backend.SetMouseAcceleration({1, 6, 10});
    backend.SetMouseSpeed(15);
    backend.SetWheelScrollLines(3);
    EXPECT_TRUE(backend.TakeFailures().empty());
    EXPECT_TRUE(sets.empty()) << "xfsettingsd, not the program, changes the devices";
    EXPECT_EQ(Output({"xfconf-query", "-c", "xsettings", "-p", "/Net/DoubleClickTime"}), "340");
    const std::string device = "/" + XfcePointerBackend::ChannelName("Vestrel Gaming Mouse (2.4G)");
    EXPECT_EQ(device, "/Vestrel_Gaming_Mouse_24G");
    EXPECT_EQ(Output({"xfconf-query", "-c", "pointers", "-p", device + "/Acceleration"}),
              "7.500000");
    EXPECT_EQ(Output({"xfconf-query", "-c", "pointers", "-p",
                      device + "/Properties/libinput_Accel_Profile_Enabled"}),
              "Value is an array with 3 items:\n\n1\n0\n0");
    EXPECT_FALSE(backend.Supports(PointerSetting::WheelScrollLines));
}

TEST(ChoosePointerDesktop, FollowsTheSessionsDesktopNames)
{
    const auto none = [](const std::string&) { return false; };
    const auto kf6 = [](const std::string& name) { return name == "kwriteconfig6"; };
    EXPECT_EQ(ChoosePointerDesktop("ubuntu:GNOME", "", true, none), PointerDesktop::Gnome);
    EXPECT_EQ(ChoosePointerDesktop("KDE", "5", true, kf6), PointerDesktop::KdePlasma5);
    EXPECT_EQ(ChoosePointerDesktop("KDE", "", true, kf6), PointerDesktop::KdePlasma6);
    EXPECT_EQ(ChoosePointerDesktop("KDE", "", true, none), PointerDesktop::KdePlasma5);
    EXPECT_EQ(ChoosePointerDesktop("XFCE", "", true, none), PointerDesktop::Xfce);
    EXPECT_EQ(ChoosePointerDesktop("X-Cinnamon", "", true, none), PointerDesktop::Cinnamon);
    EXPECT_EQ(ChoosePointerDesktop("mate", "", true, none), PointerDesktop::Mate);
    EXPECT_EQ(ChoosePointerDesktop("", "", true, none), PointerDesktop::X11);
    EXPECT_EQ(ChoosePointerDesktop("sway", "", false, none), PointerDesktop::Other);
}

} // namespace

namespace
{

// Against a real X server: Xvfb's devices are not libinput's, which must show
// as a failure rather than as settings applied.
TEST(XInputOnXvfb, AServerWithoutLibinputDevicesIsAFailure)
{
    if (!XInputPointerBackend::HasDisplay() || !IsProgramInstalled("xinput"))
        GTEST_SKIP() << "needs xinput and an X display (tests/support/run-under-wm)";
    EXPECT_NE(RunCommand({"xinput", "list", "--short"}).output.find("slave  pointer"),
              std::string::npos);
    EXPECT_TRUE(XInputPointerBackend::ListPointers(RunCommand).empty());
    XInputPointerBackend backend;
    backend.SetMouseSpeed(5);
    const std::vector<PointerFailure> failures = backend.TakeFailures();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].reason, "xinput found no libinput pointer device");
}

} // namespace
