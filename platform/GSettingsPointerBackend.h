#pragma once
// The profile's pointer settings on the GSettings desktops (GNOME, Cinnamon,
// MATE), through the `gsettings` command, in the mouse schema each one's
// settings panel uses. None of them has a wheel scroll lines setting.

#include "platform/CommandPointerBackend.h"

#include <mutex>
#include <string>

struct GSettingsMouseSchema
{
    std::string desktop; // "GNOME"
    std::string schema;  // "org.gnome.desktop.peripherals.mouse"
    std::string speedKey;
    // The speed key's range: libinput's -1..1, or MATE's motion acceleration 1..10.
    bool bMotionAcceleration = false;
};

class GSettingsPointerBackend : public CommandPointerBackend
{
public:
    explicit GSettingsPointerBackend(GSettingsMouseSchema schema = Gnome(),
                                     CommandRunner run = RunCommand);

    static GSettingsMouseSchema Gnome();
    static GSettingsMouseSchema Cinnamon();
    static GSettingsMouseSchema Mate();

    // Asks `gsettings` whether the mouse schema exists, once, when first
    // needed: the command takes about a tenth of a second, too long to wait
    // for before the main window shows.
    bool IsAvailable() const;

    void SetDoubleClickTime(int milliseconds) override;
    void SetMouseAcceleration(const std::array<int, 3>& values) override;
    void SetMouseSpeed(int speed) override;
    void SetWheelScrollLines(int lines) override;

private:
    void Set(PointerSetting setting, const std::string& key, const std::string& value);

    const GSettingsMouseSchema m_schema;
    mutable std::once_flag m_asked;
    mutable bool m_bAvailable = false;
};
