#pragma once
// The pointer-settings backend of the system the program runs on.

#include "performance/PointerSettingsBackend.h"

#include <functional>
#include <memory>
#include <string>

// The desktops with a backend of their own.
enum class PointerDesktop
{
    Gnome,
    KdePlasma5,
    KdePlasma6,
    Xfce,
    Cinnamon,
    Mate,
    X11,  // an X11 session of another window manager
    Other // e.g. a Wayland compositor without settings tools: nothing to set
};

// From XDG_CURRENT_DESKTOP (a ':' list, the first known name wins), for
// Plasma KDE_SESSION_VERSION or else the kwriteconfig found, and whether
// there is an X display for the rest.
PointerDesktop ChoosePointerDesktop(const std::string& currentDesktop,
                                    const std::string& kdeSessionVersion, bool bHasDisplay,
                                    const std::function<bool(const std::string&)>& isInstalled);

// Windows: the system settings themselves. Elsewhere: the backend of the
// desktop ChoosePointerDesktop names from this session's environment.
std::unique_ptr<PointerSettingsBackend> MakeDesktopPointerBackend();
