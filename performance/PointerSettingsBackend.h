#pragma once
// Where the Windows pointer settings of a profile go: the system's own
// settings (platform/), or a recording for tests. The Set calls come from the
// device thread; the questions about support and failures from the UI thread.

#include <array>
#include <string>
#include <vector>

// The settings as the page shows them.
enum class PointerSetting
{
    DoubleClickTime,
    Acceleration,
    Speed,
    WheelScrollLines,
    OnePageScroll // wheel lines -1
};

struct PointerFailure
{
    PointerSetting setting;
    std::string reason; // for the trace and the user: "kwriteconfig5 exited with 1"
};

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

    // The desktop the settings go to, as its users call it ("KDE Plasma");
    // empty where they are the system's own.
    virtual std::string DesktopName() const { return {}; }
    // Whether the desktop has a place for the setting. Answered without
    // asking the desktop, so the window need not wait for it.
    virtual bool Supports(PointerSetting) const { return true; }
    // What could not be applied since the last call, oldest first.
    virtual std::vector<PointerFailure> TakeFailures() { return {}; }
};
