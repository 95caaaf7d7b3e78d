#include "platform/XInputPointerBackend.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace
{

constexpr char kSpeedProperty[] = "libinput Accel Speed";
constexpr char kProfileProperty[] = "libinput Accel Profile Enabled";

std::string Trim(const std::string& text)
{
    const size_t begin = text.find_first_not_of(" \t");
    const size_t end = text.find_last_not_of(" \t");
    return begin == std::string::npos ? std::string() : text.substr(begin, end - begin + 1);
}

// "⎜   ↳ Some Mouse   \tid=11\t[slave  pointer  (2)]" -> id and name.
bool ParseListLine(const std::string& line, XInputPointer& pointer)
{
    const size_t idAt = line.find("\tid=");
    if (idAt == std::string::npos || line.find("slave  pointer") == std::string::npos)
        return false;
    const size_t idEnd = line.find_first_not_of("0123456789", idAt + 4);
    pointer.id = line.substr(idAt + 4, idEnd - (idAt + 4));
    std::string name = line.substr(0, idAt);
    const std::string arrow = "\xE2\x86\xB3"; // ↳
    if (const size_t at = name.find(arrow); at != std::string::npos)
        name.erase(0, at + arrow.size());
    pointer.name = Trim(name);
    // The XTEST device is the server's own, for synthetic input.
    return !pointer.id.empty() && pointer.name.find("XTEST") == std::string::npos;
}

// Items of the profile property (0: none), -1 when the device has no libinput
// acceleration at all.
int ProfileItems(const std::string& props)
{
    std::istringstream lines(props);
    std::string line;
    bool bSpeed = false;
    int items = 0;
    while (std::getline(lines, line))
    {
        const std::string name = Trim(line.substr(0, line.find(" (")));
        const size_t colon = line.find("):");
        if (name == kSpeedProperty)
            bSpeed = true;
        else if (name == kProfileProperty && colon != std::string::npos)
            items = 1 + static_cast<int>(std::count(line.begin() + colon, line.end(), ','));
    }
    return bSpeed ? items : -1;
}

} // namespace

XInputPointerBackend::XInputPointerBackend(CommandRunner run)
    : CommandPointerBackend("X11", {PointerSetting::Acceleration, PointerSetting::Speed},
                            std::move(run))
{
}

std::vector<XInputPointer> XInputPointerBackend::ListPointers(const CommandRunner& run)
{
    std::vector<XInputPointer> pointers;
    const CommandResult list = run({"xinput", "list", "--short"});
    if (list.status != 0)
        return pointers;
    std::istringstream lines(list.output);
    std::string line;
    while (std::getline(lines, line))
    {
        XInputPointer pointer;
        if (!ParseListLine(line, pointer))
            continue;
        const CommandResult props = run({"xinput", "list-props", pointer.id});
        pointer.profileValues = props.status == 0 ? ProfileItems(props.output) : -1;
        if (pointer.profileValues >= 0)
            pointers.push_back(pointer);
    }
    return pointers;
}

std::vector<std::string> XInputPointerBackend::ProfileValues(bool bAdaptive, int count)
{
    std::vector<std::string> values(static_cast<size_t>(std::max(count, 2)), "0");
    values[bAdaptive ? 0 : 1] = "1";
    return values;
}

bool XInputPointerBackend::HasDisplay()
{
    const char* display = std::getenv("DISPLAY");
    return display != nullptr && *display != '\0';
}

std::vector<XInputPointer> XInputPointerBackend::Pointers(PointerSetting setting)
{
    if (!HasDisplay())
    {
        Fail(setting, "no X display");
        return {};
    }
    std::vector<XInputPointer> pointers = ListPointers(Runner());
    if (pointers.empty())
        Fail(setting, "xinput found no libinput pointer device");
    return pointers;
}

void XInputPointerBackend::SetDoubleClickTime(int milliseconds)
{
    Unsupported(PointerSetting::DoubleClickTime, milliseconds);
}

void XInputPointerBackend::SetMouseAcceleration(const std::array<int, 3>& values)
{
    for (const XInputPointer& pointer : Pointers(PointerSetting::Acceleration))
    {
        if (pointer.profileValues < 2)
        {
            Fail(PointerSetting::Acceleration, pointer.name + " has no acceleration profiles");
            continue;
        }
        std::vector<std::string> argv = {"xinput", "set-prop", pointer.id, kProfileProperty};
        for (const std::string& value : ProfileValues(IsAdaptive(values), pointer.profileValues))
            argv.push_back(value);
        Run(PointerSetting::Acceleration, argv);
    }
}

void XInputPointerBackend::SetMouseSpeed(int speed)
{
    for (const XInputPointer& pointer : Pointers(PointerSetting::Speed))
        Run(PointerSetting::Speed,
            {"xinput", "set-prop", pointer.id, kSpeedProperty, DesktopSpeed(speed)});
}

void XInputPointerBackend::SetWheelScrollLines(int lines)
{
    Unsupported(PointerSetting::WheelScrollLines, lines);
}
