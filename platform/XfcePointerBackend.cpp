#include "platform/XfcePointerBackend.h"

#include <algorithm>
#include <cctype>

XfcePointerBackend::XfcePointerBackend(CommandRunner run)
    : CommandPointerBackend(
          "Xfce",
          {PointerSetting::DoubleClickTime, PointerSetting::Acceleration, PointerSetting::Speed},
          std::move(run))
{
}

std::string XfcePointerBackend::ChannelName(const std::string& deviceName)
{
    std::string name;
    for (const char c : deviceName)
    {
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-')
            name += c;
        else if (c == ' ')
            name += '_';
    }
    return name;
}

bool XfcePointerBackend::Store(PointerSetting setting, const std::vector<std::string>& argv)
{
    // Without a bus xfconf-query would start one of its own that xfsettingsd never hears.
    if (!HasSessionBus())
    {
        Fail(setting, "no session bus");
        return false;
    }
    return Run(setting, argv);
}

std::vector<XInputPointer> XfcePointerBackend::Pointers(PointerSetting setting)
{
    std::vector<XInputPointer> pointers = XInputPointerBackend::ListPointers(Runner());
    if (pointers.empty())
        Fail(setting, "xinput found no libinput pointer device");
    return pointers;
}

void XfcePointerBackend::SetDoubleClickTime(int milliseconds)
{
    Store(PointerSetting::DoubleClickTime,
          {"xfconf-query", "-c", "xsettings", "-p", "/Net/DoubleClickTime", "-n", "-t", "int", "-s",
           std::to_string(milliseconds)});
}

void XfcePointerBackend::SetMouseAcceleration(const std::array<int, 3>& values)
{
    for (const XInputPointer& pointer : Pointers(PointerSetting::Acceleration))
    {
        if (pointer.profileValues < 2)
        {
            Fail(PointerSetting::Acceleration, pointer.name + " has no acceleration profiles");
            continue;
        }
        std::vector<std::string> argv = {"xfconf-query",
                                         "-c",
                                         "pointers",
                                         "-p",
                                         "/" + ChannelName(pointer.name) +
                                             "/Properties/libinput_Accel_Profile_Enabled",
                                         "-n"};
        for (const std::string& value :
             XInputPointerBackend::ProfileValues(IsAdaptive(values), pointer.profileValues))
            argv.insert(argv.end(), {"-t", "int", "-s", value});
        Store(PointerSetting::Acceleration, argv);
    }
}

void XfcePointerBackend::SetMouseSpeed(int speed)
{
    // Xfce's acceleration 0.1..10 becomes libinput's speed as a / 5 - 1.
    const std::string acceleration = Decimal(std::max(0.1, (DesktopSpeedValue(speed) + 1.0) * 5.0));
    for (const XInputPointer& pointer : Pointers(PointerSetting::Speed))
        Store(PointerSetting::Speed, {"xfconf-query", "-c", "pointers", "-p",
                                      "/" + ChannelName(pointer.name) + "/Acceleration", "-n", "-t",
                                      "double", "-s", acceleration});
}

void XfcePointerBackend::SetWheelScrollLines(int lines)
{
    Unsupported(PointerSetting::WheelScrollLines, lines);
}
