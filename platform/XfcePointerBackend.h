#pragma once
// The profile's pointer settings on Xfce, through `xfconf-query`, where Xfce's
// own settings dialogs keep them: the double-click time in the xsettings
// channel, and acceleration and speed per device in the pointers channel
// (xfsettingsd passes those on to libinput). Xfce has no wheel scroll lines
// setting.

#include "platform/CommandPointerBackend.h"
#include "platform/XInputPointerBackend.h"

#include <string>
#include <vector>

class XfcePointerBackend : public CommandPointerBackend
{
public:
    explicit XfcePointerBackend(CommandRunner run = RunCommand);

    void SetDoubleClickTime(int milliseconds) override;
    void SetMouseAcceleration(const std::array<int, 3>& values) override;
    void SetMouseSpeed(int speed) override;
    void SetWheelScrollLines(int lines) override;

    // The pointers channel's name of a device: spaces become underscores,
    // other characters than letters, digits, '_' and '-' are left out.
    static std::string ChannelName(const std::string& deviceName);

private:
    bool Store(PointerSetting setting, const std::vector<std::string>& argv);
    // The devices to store settings for, or a failure of the setting.
    std::vector<XInputPointer> Pointers(PointerSetting setting);
};
