#include "platform/KdePointerBackend.h"

#include "model/DebugTrace.h"

#include <sstream>

namespace
{

constexpr char kKWinService[] = "org.kde.KWin";
constexpr char kDevicesPath[] = "/org/kde/KWin/InputDevice";
constexpr char kDeviceInterface[] = "org.kde.KWin.InputDevice";

std::vector<std::string> DBusSend(const std::string& path, const std::string& method,
                                  const std::vector<std::string>& args)
{
    std::vector<std::string> argv = {"dbus-send",
                                     "--session",
                                     "--print-reply",
                                     std::string("--dest=") + kKWinService,
                                     path,
                                     "org.freedesktop.DBus.Properties." + method};
    argv.insert(argv.end(), args.begin(), args.end());
    return argv;
}

// The quoted strings of a `dbus-send --print-reply` answer.
std::vector<std::string> ReplyStrings(const std::string& reply)
{
    std::vector<std::string> strings;
    std::istringstream lines(reply);
    std::string line;
    while (std::getline(lines, line))
    {
        const size_t at = line.find("string \"");
        const size_t end = line.rfind('"');
        if (at != std::string::npos && end > at + 8)
            strings.push_back(line.substr(at + 8, end - at - 8));
    }
    return strings;
}

} // namespace

KdePointerBackend::KdePointerBackend(int plasmaVersion, CommandRunner run)
    : CommandPointerBackend("KDE Plasma",
                            {PointerSetting::DoubleClickTime, PointerSetting::Acceleration,
                             PointerSetting::Speed, PointerSetting::WheelScrollLines},
                            run),
      m_writeConfig(plasmaVersion >= 6 ? "kwriteconfig6" : "kwriteconfig5"), m_x11(run)
{
}

bool KdePointerBackend::WriteConfig(PointerSetting setting, const std::string& file,
                                    const std::string& group, const std::string& key,
                                    const std::string& value, bool bBool)
{
    std::vector<std::string> argv = {m_writeConfig, "--file", file, "--group", group, "--key", key};
    if (bBool)
        argv.insert(argv.end(), {"--type", "bool"});
    argv.push_back(value);
    return Run(setting, argv);
}

std::vector<std::string> KdePointerBackend::KWinPointers() const
{
    std::vector<std::string> paths;
    if (!HasSessionBus())
        return paths;
    const CommandResult devices = Runner()(DBusSend(
        kDevicesPath, "Get", {"string:org.kde.KWin.InputDeviceManager", "string:devicesSysNames"}));
    if (devices.status != 0)
        return paths;
    for (const std::string& name : ReplyStrings(devices.output))
    {
        const std::string path = std::string(kDevicesPath) + "/" + name;
        const CommandResult pointer = Runner()(
            DBusSend(path, "Get", {std::string("string:") + kDeviceInterface, "string:pointer"}));
        if (pointer.status == 0 && pointer.output.find("boolean true") != std::string::npos)
            paths.push_back(path);
    }
    return paths;
}

bool KdePointerBackend::SetKWinProperties(
    PointerSetting setting, const std::vector<std::pair<std::string, std::string>>& properties)
{
    const std::vector<std::string> paths = KWinPointers();
    for (const std::string& path : paths)
        for (const auto& [property, value] : properties)
            Run(setting,
                DBusSend(path, "Set",
                         {std::string("string:") + kDeviceInterface, "string:" + property, value}));
    return !paths.empty();
}

void KdePointerBackend::SetDoubleClickTime(int milliseconds)
{
    WriteConfig(PointerSetting::DoubleClickTime, "kdeglobals", "KDE", "DoubleClickInterval",
                std::to_string(milliseconds));
}

void KdePointerBackend::SetMouseAcceleration(const std::array<int, 3>& values)
{
    const bool bAdaptive = IsAdaptive(values);
    WriteConfig(PointerSetting::Acceleration, "kcminputrc", "Mouse", "X11LibInputXAccelProfileFlat",
                bAdaptive ? "false" : "true", true);
    const std::string flat = bAdaptive ? "variant:boolean:false" : "variant:boolean:true";
    const std::string adaptive = bAdaptive ? "variant:boolean:true" : "variant:boolean:false";
    if (SetKWinProperties(PointerSetting::Acceleration,
                          {{"pointerAccelerationProfileFlat", flat},
                           {"pointerAccelerationProfileAdaptive", adaptive}}))
        return;
    if (XInputPointerBackend::HasDisplay())
        m_x11.SetMouseAcceleration(values);
    else
        DebugTrace("pointer settings: no running KWin devices, acceleration applies at login\n");
}

void KdePointerBackend::SetMouseSpeed(int speed)
{
    WriteConfig(PointerSetting::Speed, "kcminputrc", "Mouse", "XLbInptPointerAcceleration",
                DesktopSpeed(speed));
    if (SetKWinProperties(PointerSetting::Speed,
                          {{"pointerAcceleration", "variant:double:" + DesktopSpeed(speed)}}))
        return;
    if (XInputPointerBackend::HasDisplay())
        m_x11.SetMouseSpeed(speed);
    else
        DebugTrace("pointer settings: no running KWin devices, the speed applies at login\n");
}

void KdePointerBackend::SetWheelScrollLines(int lines)
{
    if (lines < 0)
        Unsupported(PointerSetting::OnePageScroll, lines);
    else
        WriteConfig(PointerSetting::WheelScrollLines, "kdeglobals", "KDE", "WheelScrollLines",
                    std::to_string(lines));
}

std::vector<PointerFailure> KdePointerBackend::TakeFailures()
{
    std::vector<PointerFailure> failures = CommandPointerBackend::TakeFailures();
    for (PointerFailure& failure : m_x11.TakeFailures())
        failures.push_back(std::move(failure));
    return failures;
}
