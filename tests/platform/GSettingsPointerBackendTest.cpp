#include "platform/GSettingsPointerBackend.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{

struct FakeGSettings
{
    CommandRunner Runner()
    {
        // The settings live in the process: no session bus is needed.
        setenv("GSETTINGS_BACKEND", "memory", 1);
        return [this](const std::vector<std::string>& argv)
        {
            calls.push_back(argv);
            if (argv.size() > 1 && argv[1] == "list-keys")
                return CommandResult{hasSchema ? 0 : 1, {}};
            return CommandResult{0, {}};
        };
    }
    bool hasSchema = true;
    std::vector<std::vector<std::string>> calls;
};

using Argv = std::vector<std::string>;
const std::string kSchema = "org.gnome.desktop.peripherals.mouse";

TEST(GSettingsPointerBackend, SetsWhatTheDesktopHas)
{
    FakeGSettings gsettings;
    GSettingsPointerBackend backend(GSettingsPointerBackend::Gnome(), gsettings.Runner());
    EXPECT_TRUE(gsettings.calls.empty()) << "start-up does not wait for gsettings";

    backend.SetDoubleClickTime(550);
    backend.SetMouseAcceleration({1, 6, 10});
    backend.SetMouseAcceleration({0, 0, 0});
    backend.SetMouseSpeed(4);
    backend.SetWheelScrollLines(-1); // no such setting: nothing runs
    EXPECT_EQ(gsettings.calls,
              (std::vector<Argv>{{"gsettings", "list-keys", kSchema},
                                 {"gsettings", "set", kSchema, "double-click", "550"},
                                 {"gsettings", "set", kSchema, "accel-profile", "'adaptive'"},
                                 {"gsettings", "set", kSchema, "accel-profile", "'flat'"},
                                 {"gsettings", "set", kSchema, "speed", "-0.60"}}));
    EXPECT_TRUE(backend.IsAvailable());
    EXPECT_EQ(gsettings.calls.size(), 5u) << "the schema is asked about once";
}

TEST(GSettingsPointerBackend, WithoutTheSchemaNothingIsSet)
{
    FakeGSettings gsettings;
    gsettings.hasSchema = false;
    GSettingsPointerBackend backend(GSettingsPointerBackend::Gnome(), gsettings.Runner());
    EXPECT_FALSE(backend.IsAvailable());
    backend.SetDoubleClickTime(550);
    backend.SetMouseSpeed(10);
    EXPECT_EQ(gsettings.calls.size(), 1u); // the question only
}

TEST(GSettingsPointerBackend, SpeedMapsOntoTheDesktopRange)
{
    EXPECT_EQ(GSettingsPointerBackend::DesktopSpeed(1), "-0.90");
    EXPECT_EQ(GSettingsPointerBackend::DesktopSpeed(10), "0.00");
    EXPECT_EQ(GSettingsPointerBackend::DesktopSpeed(15), "0.50");
    EXPECT_EQ(GSettingsPointerBackend::DesktopSpeed(20), "1.00");
    EXPECT_EQ(GSettingsPointerBackend::DesktopSpeed(-40), "-1.00");
    EXPECT_EQ(GSettingsPointerBackend::DesktopSpeed(99), "1.00");
}

} // namespace
