#pragma once
// Where the Windows pointer settings of a profile go: the system's own
// settings (platform/), or a recording for tests. Calls come from the device
// thread.

#include <array>

class PointerSettingsBackend
{
public:
    virtual ~PointerSettingsBackend() = default;
    virtual void SetDoubleClickTime(int milliseconds) = 0;
    // Windows' acceleration array: thresholds 1 and 2, then acceleration.
    virtual void SetMouseAcceleration(const std::array<int, 3>& values) = 0;
    // Windows pointer speed 1..20.
    virtual void SetMouseSpeed(int speed) = 0;
    // Lines per wheel notch; -1 scrolls a page.
    virtual void SetWheelScrollLines(int lines) = 0;
};
