#pragma once
// The profile's pointer settings on a GNOME-style desktop, through the
// `gsettings` command: pointer speed and acceleration profile and the
// double-click time of org.gnome.desktop.peripherals.mouse. What the desktop
// has no setting for (wheel scroll lines), or everything when the schema is
// missing, is only written to the debug trace.

#include "performance/PointerSettingsBackend.h"
#include "platform/CommandRunner.h"

#include <mutex>
#include <string>

class GSettingsPointerBackend : public PointerSettingsBackend
{
public:
    explicit GSettingsPointerBackend(CommandRunner run = RunCommand);

    // Asks `gsettings` whether the mouse schema exists, once, when first
    // needed: the command takes about a tenth of a second, too long to wait
    // for before the main window shows.
    bool IsAvailable() const;

    void SetDoubleClickTime(int milliseconds) override;
    void SetMouseAcceleration(const std::array<int, 3>& values) override;
    void SetMouseSpeed(int speed) override;
    void SetWheelScrollLines(int lines) override;

    // The desktop's speed (-1..1) for a Windows pointer speed (1..20, 10 the
    // middle), two decimals with a point whatever the locale.
    static std::string DesktopSpeed(int windowsSpeed);

private:
    void Set(const std::string& key, const std::string& value);

    const CommandRunner m_run;
    mutable std::once_flag m_asked;
    mutable bool m_bAvailable = false;
};
