#include "platform/DesktopPointerBackend.h"

#ifdef _WIN32
#include "platform/WindowsPointerBackend.h"
#else
#include "platform/GSettingsPointerBackend.h"
#include "platform/KdePointerBackend.h"
#include "platform/XInputPointerBackend.h"
#include "platform/XfcePointerBackend.h"

#include <cstdlib>
#endif

#include <algorithm>
#include <cctype>
#include <sstream>

PointerDesktop ChoosePointerDesktop(const std::string& currentDesktop,
                                    const std::string& kdeSessionVersion, bool bHasDisplay,
                                    const std::function<bool(const std::string&)>& isInstalled)
{
    std::istringstream names(currentDesktop);
    std::string name;
    while (std::getline(names, name, ':'))
    {
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        if (name == "KDE")
        {
            if (kdeSessionVersion == "6" ||
                (kdeSessionVersion != "5" && isInstalled("kwriteconfig6")))
                return PointerDesktop::KdePlasma6;
            return PointerDesktop::KdePlasma5;
        }
        if (name == "XFCE")
            return PointerDesktop::Xfce;
        if (name == "X-CINNAMON" || name == "CINNAMON")
            return PointerDesktop::Cinnamon;
        if (name == "MATE")
            return PointerDesktop::Mate;
        if (name == "GNOME" || name == "UNITY")
            return PointerDesktop::Gnome;
    }
    return bHasDisplay ? PointerDesktop::X11 : PointerDesktop::Other;
}

#ifndef _WIN32
namespace
{

// A session whose pointer settings the program cannot reach.
class OtherPointerBackend : public CommandPointerBackend
{
public:
    explicit OtherPointerBackend(std::string desktop)
        : CommandPointerBackend(std::move(desktop), {}, RunCommand)
    {
    }
    void SetDoubleClickTime(int milliseconds) override
    {
        Unsupported(PointerSetting::DoubleClickTime, milliseconds);
    }
    void SetMouseAcceleration(const std::array<int, 3>& values) override
    {
        Unsupported(PointerSetting::Acceleration, values[2]);
    }
    void SetMouseSpeed(int speed) override { Unsupported(PointerSetting::Speed, speed); }
    void SetWheelScrollLines(int lines) override
    {
        Unsupported(PointerSetting::WheelScrollLines, lines);
    }
};

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

} // namespace
#endif

std::unique_ptr<PointerSettingsBackend> MakeDesktopPointerBackend()
{
#ifdef _WIN32
    return std::make_unique<WindowsPointerBackend>();
#else
    const std::string desktop = Environment("XDG_CURRENT_DESKTOP");
    switch (ChoosePointerDesktop(desktop, Environment("KDE_SESSION_VERSION"),
                                 XInputPointerBackend::HasDisplay(), IsProgramInstalled))
    {
    case PointerDesktop::Gnome:
        return std::make_unique<GSettingsPointerBackend>(GSettingsPointerBackend::Gnome());
    case PointerDesktop::KdePlasma5:
        return std::make_unique<KdePointerBackend>(5);
    case PointerDesktop::KdePlasma6:
        return std::make_unique<KdePointerBackend>(6);
    case PointerDesktop::Xfce:
        return std::make_unique<XfcePointerBackend>();
    case PointerDesktop::Cinnamon:
        return std::make_unique<GSettingsPointerBackend>(GSettingsPointerBackend::Cinnamon());
    case PointerDesktop::Mate:
        return std::make_unique<GSettingsPointerBackend>(GSettingsPointerBackend::Mate());
    case PointerDesktop::X11:
        return std::make_unique<XInputPointerBackend>();
    case PointerDesktop::Other:
        break;
    }
    return std::make_unique<OtherPointerBackend>(desktop.empty() ? "Wayland" : desktop);
#endif
}
