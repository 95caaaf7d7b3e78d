#pragma once
// Whether the mouse can be reached, for telling "no mouse" from "a mouse
// this user may not open" (no udev rule yet, or its ACL not yet landed).

#include <string_view>

enum class MouseAccess
{
    Absent,
    NoPermission,
    Reachable
};

// The text key that tells the user; empty when the mouse is reachable.
inline std::string_view MouseAccessTextKey(MouseAccess access)
{
    switch (access)
    {
    case MouseAccess::Absent:
        return "no_connect_device_text";
    case MouseAccess::NoPermission:
        return "no_permission_device_text";
    case MouseAccess::Reachable:
        break;
    }
    return {};
}
