#include "platform/CommandPointerBackend.h"

#include "model/DebugTrace.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <utility>

namespace
{

const char* SettingName(PointerSetting setting)
{
    switch (setting)
    {
    case PointerSetting::DoubleClickTime:
        return "double-click time";
    case PointerSetting::Acceleration:
        return "acceleration";
    case PointerSetting::Speed:
        return "pointer speed";
    case PointerSetting::WheelScrollLines:
        return "wheel scroll lines";
    case PointerSetting::OnePageScroll:
        return "one-page scrolling";
    }
    return "?";
}

} // namespace

CommandPointerBackend::CommandPointerBackend(std::string desktop,
                                             std::initializer_list<PointerSetting> supported,
                                             CommandRunner run)
    : m_desktop(std::move(desktop)), m_supported(supported), m_run(std::move(run))
{
}

bool CommandPointerBackend::Supports(PointerSetting setting) const
{
    return std::find(m_supported.begin(), m_supported.end(), setting) != m_supported.end();
}

std::vector<PointerFailure> CommandPointerBackend::TakeFailures()
{
    std::lock_guard lock(m_mutex);
    return std::exchange(m_failures, {});
}

bool CommandPointerBackend::Run(PointerSetting setting, const std::vector<std::string>& argv)
{
    const CommandResult result = m_run(argv);
    if (result.status == 0)
        return true;
    Fail(setting, result.status < 0 ? argv[0] + " could not be run"
                                    : argv[0] + " exited with " + std::to_string(result.status));
    return false;
}

void CommandPointerBackend::Fail(PointerSetting setting, std::string reason)
{
    DebugTrace("pointer settings: %s on %s failed: %s\n", SettingName(setting), m_desktop.c_str(),
               reason.c_str());
    std::lock_guard lock(m_mutex);
    m_failures.push_back({setting, std::move(reason)});
}

void CommandPointerBackend::Unsupported(PointerSetting setting, int value) const
{
    DebugTrace("pointer settings: %s has no %s setting (%d)\n", m_desktop.c_str(),
               SettingName(setting), value);
}

double CommandPointerBackend::DesktopSpeedValue(int windowsSpeed)
{
    return std::clamp((windowsSpeed - 10) / 10.0, -1.0, 1.0);
}

std::string CommandPointerBackend::DesktopSpeed(int windowsSpeed)
{
    return Decimal(DesktopSpeedValue(windowsSpeed));
}

std::string CommandPointerBackend::Decimal(double value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2);
    return std::string(text, result.ptr);
}

bool CommandPointerBackend::HasSessionBus()
{
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address != nullptr && *address != '\0')
        return true;
    // Without the variable, D-Bus clients look for the bus in the runtime folder.
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::error_code error;
    return runtime != nullptr && *runtime != '\0' &&
           std::filesystem::exists(std::filesystem::path(runtime) / "bus", error);
}
