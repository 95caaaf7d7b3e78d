#pragma once
// The profile's pointer settings in an X11 session without a settings
// desktop: the libinput acceleration properties of every pointer device,
// through the `xinput` command. X11 itself keeps no double-click time or
// wheel scroll lines. The change lasts until the devices are plugged again
// or the session ends.

#include "platform/CommandPointerBackend.h"

#include <string>
#include <vector>

struct XInputPointer
{
    std::string id;        // the X device id
    std::string name;      // "Vestrel Gaming Mouse"
    int profileValues = 0; // items of "libinput Accel Profile Enabled", 0: none
};

class XInputPointerBackend : public CommandPointerBackend
{
public:
    explicit XInputPointerBackend(CommandRunner run = RunCommand);

    void SetDoubleClickTime(int milliseconds) override;
    void SetMouseAcceleration(const std::array<int, 3>& values) override;
    void SetMouseSpeed(int speed) override;
    void SetWheelScrollLines(int lines) override;

    // The physical pointer devices libinput drives, from `xinput list --short`
    // and each one's `xinput list-props`.
    static std::vector<XInputPointer> ListPointers(const CommandRunner& run);
    // Whether the session has an X display to ask.
    static bool HasDisplay();
    // The "libinput Accel Profile Enabled" items: adaptive, flat, then any
    // newer profile off.
    static std::vector<std::string> ProfileValues(bool bAdaptive, int count);

private:
    // The devices to change, or a failure of the setting when there are none.
    std::vector<XInputPointer> Pointers(PointerSetting setting);
};
