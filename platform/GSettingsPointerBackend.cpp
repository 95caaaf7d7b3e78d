#include "platform/GSettingsPointerBackend.h"

#include <cstdlib>

namespace
{

// A settings backend that lives in the process (memory, keyfile) needs no bus.
bool NeedsSessionBus()
{
    const char* backend = std::getenv("GSETTINGS_BACKEND");
    return backend == nullptr || std::string(backend) == "dconf";
}

} // namespace

GSettingsPointerBackend::GSettingsPointerBackend(GSettingsMouseSchema schema, CommandRunner run)
    : CommandPointerBackend(
          schema.desktop,
          {PointerSetting::DoubleClickTime, PointerSetting::Acceleration, PointerSetting::Speed},
          std::move(run)),
      m_schema(std::move(schema))
{
}

GSettingsMouseSchema GSettingsPointerBackend::Gnome()
{
    return {"GNOME", "org.gnome.desktop.peripherals.mouse", "speed", false};
}

GSettingsMouseSchema GSettingsPointerBackend::Cinnamon()
{
    return {"Cinnamon", "org.cinnamon.desktop.peripherals.mouse", "speed", false};
}

GSettingsMouseSchema GSettingsPointerBackend::Mate()
{
    return {"MATE", "org.mate.peripherals-mouse", "motion-acceleration", true};
}

bool GSettingsPointerBackend::IsAvailable() const
{
    std::call_once(
        m_asked,
        [this] {
            m_bAvailable = Runner()({"gsettings", "list-keys", m_schema.schema}).status == 0;
        });
    return m_bAvailable;
}

void GSettingsPointerBackend::Set(PointerSetting setting, const std::string& key,
                                  const std::string& value)
{
    if (NeedsSessionBus() && !HasSessionBus())
        Fail(setting, "no session bus");
    else if (!IsAvailable())
        Fail(setting, m_schema.schema + " is not installed");
    else
        Run(setting, {"gsettings", "set", m_schema.schema, key, value});
}

void GSettingsPointerBackend::SetDoubleClickTime(int milliseconds)
{
    Set(PointerSetting::DoubleClickTime, "double-click", std::to_string(milliseconds));
}

void GSettingsPointerBackend::SetMouseAcceleration(const std::array<int, 3>& values)
{
    Set(PointerSetting::Acceleration, "accel-profile",
        IsAdaptive(values) ? "'adaptive'" : "'flat'");
}

void GSettingsPointerBackend::SetMouseSpeed(int speed)
{
    if (!m_schema.bMotionAcceleration)
    {
        Set(PointerSetting::Speed, m_schema.speedKey, DesktopSpeed(speed));
        return;
    }
    // MATE's panel offers 1..10 and maps it onto libinput's range itself.
    Set(PointerSetting::Speed, m_schema.speedKey,
        Decimal(1.0 + (DesktopSpeedValue(speed) + 1.0) * 4.5));
}

void GSettingsPointerBackend::SetWheelScrollLines(int lines)
{
    Unsupported(PointerSetting::WheelScrollLines, lines);
}
