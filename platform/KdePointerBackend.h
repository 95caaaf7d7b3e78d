#pragma once
// The profile's pointer settings on KDE Plasma 5 and 6, where its settings
// modules keep them, through kwriteconfig5 or kwriteconfig6: double-click
// interval and wheel scroll lines in kdeglobals, acceleration and speed in
// kcminputrc. Plasma reads kcminputrc at login only, so acceleration and
// speed are also set on the running session: on Wayland through KWin's
// input-device D-Bus properties, on X11 through XInput. Plasma scrolls by
// lines only.

#include "platform/CommandPointerBackend.h"
#include "platform/XInputPointerBackend.h"

#include <string>
#include <utility>
#include <vector>

class KdePointerBackend : public CommandPointerBackend
{
public:
    // plasmaVersion 5 or 6 picks the tools of that version.
    explicit KdePointerBackend(int plasmaVersion, CommandRunner run = RunCommand);

    void SetDoubleClickTime(int milliseconds) override;
    void SetMouseAcceleration(const std::array<int, 3>& values) override;
    void SetMouseSpeed(int speed) override;
    void SetWheelScrollLines(int lines) override;
    std::vector<PointerFailure> TakeFailures() override;

private:
    bool WriteConfig(PointerSetting setting, const std::string& file, const std::string& group,
                     const std::string& key, const std::string& value, bool bBool = false);
    // KWin's pointer devices (their D-Bus object paths); none outside Wayland.
    std::vector<std::string> KWinPointers() const;
    // Sets properties ("pointerAcceleration", "variant:double:0.50") of every
    // KWin pointer device; false when there are none.
    bool SetKWinProperties(PointerSetting setting,
                           const std::vector<std::pair<std::string, std::string>>& properties);

    const std::string m_writeConfig;
    XInputPointerBackend m_x11;
};
