#include "platform/GSettingsPointerBackend.h"

#include "model/DebugTrace.h"

#include <algorithm>
#include <charconv>

namespace
{

constexpr const char* kMouseSchema = "org.gnome.desktop.peripherals.mouse";

} // namespace

GSettingsPointerBackend::GSettingsPointerBackend(CommandRunner run) : m_run(std::move(run)) {}

bool GSettingsPointerBackend::IsAvailable() const
{
    std::call_once(m_asked,
                   [this] {
                       m_bAvailable = m_run({"gsettings", "list-keys", kMouseSchema}) == 0;
                   });
    return m_bAvailable;
}

void GSettingsPointerBackend::Set(const std::string& key, const std::string& value)
{
    if (!IsAvailable())
    {
        DebugTrace("pointer settings: no %s here, %s stays unset (%s)\n", kMouseSchema, key.c_str(),
                   value.c_str());
        return;
    }
    if (m_run({"gsettings", "set", kMouseSchema, key, value}) != 0)
        DebugTrace("pointer settings: gsettings could not set %s to %s\n", key.c_str(),
                   value.c_str());
}

void GSettingsPointerBackend::SetDoubleClickTime(int milliseconds)
{
    Set("double-click", std::to_string(milliseconds));
}

void GSettingsPointerBackend::SetMouseAcceleration(const std::array<int, 3>& values)
{
    // The third value is Windows' acceleration; 0 means a linear pointer.
    Set("accel-profile", values[2] != 0 ? "'adaptive'" : "'flat'");
}

void GSettingsPointerBackend::SetMouseSpeed(int speed)
{
    Set("speed", DesktopSpeed(speed));
}

void GSettingsPointerBackend::SetWheelScrollLines(int lines)
{
    DebugTrace("pointer settings: the desktop has no wheel scroll lines setting (%d)\n", lines);
}

std::string GSettingsPointerBackend::DesktopSpeed(int windowsSpeed)
{
    const double speed = std::clamp((windowsSpeed - 10) / 10.0, -1.0, 1.0);
    char text[16];
    const auto result = std::to_chars(text, text + sizeof text, speed, std::chars_format::fixed, 2);
    return std::string(text, result.ptr);
}
