#pragma once
// The keyboard and mouse hook the macro recorder and the key capture use: the
// entry points of the design's hook library, each of which may be missing.
// Callers go through the member functions, which skip a missing entry point.
//
// Events reach the window given to installhook / installmousehook as
// messages 0x0500 (wParam = Windows virtual key, lParam 0 down, 1 up) and
// 0x0501 (wParam = Windows mouse message, lParam = extra button 1 or 2).
// A held key is reported once down and once up. While keyboard reporting is
// on, keys never reach the program's own widgets (they are the input being
// recorded or captured); likewise mouse buttons while mouse reporting is on.
//
// Each event's own time stays with the hook, since a queued message cannot
// carry it: hookeventtime(hWnd, wParam, lParam) gives the time of the oldest
// event posted to hWnd with that pair, on the steady clock in microseconds
// (0 when the hook has none), and forgets it together with the older events
// of that window nobody asked for. Receivers ask for every event they handle.
// hookscope() is 1 when the events come from the whole desktop, 0 when only
// from the program's own windows.

#include "ui/UIDefs.h"

#include <cstdint>

inline constexpr UINT WM_HOOK_KEYBOARD = WM_USER + 256;
inline constexpr UINT WM_HOOK_MOUSEBUTTON = WM_USER + 257;

struct HookLibrary
{
    using InstallFn = void (*)(HWND hWnd);
    using RemoveFn = void (*)();
    using EnableFn = void (*)(int bEnable);
    using EventTimeFn = int64_t (*)(HWND hWnd, WPARAM wParam, LPARAM lParam);
    using ScopeFn = int (*)();

    InstallFn installhook = nullptr;
    RemoveFn removehook = nullptr;
    EnableFn enablehook = nullptr;
    InstallFn installmousehook = nullptr;
    RemoveFn removemousehook = nullptr;
    EnableFn enablemousehook = nullptr;
    EventTimeFn hookeventtime = nullptr;
    ScopeFn hookscope = nullptr;
    // Looked up with the others and never called.
    const void* MouseMoveHook = nullptr;

    void InstallHook(HWND hWnd) const
    {
        if (installhook)
            installhook(hWnd);
    }
    void RemoveHook() const
    {
        if (removehook)
            removehook();
    }
    void EnableHook(bool bEnable) const
    {
        if (enablehook)
            enablehook(bEnable ? 1 : 0);
    }
    void InstallMouseHook(HWND hWnd) const
    {
        if (installmousehook)
            installmousehook(hWnd);
    }
    void RemoveMouseHook() const
    {
        if (removemousehook)
            removemousehook();
    }
    void EnableMouseHook(bool bEnable) const
    {
        if (enablemousehook)
            enablemousehook(bEnable ? 1 : 0);
    }
    int64_t EventTime(HWND hWnd, WPARAM wParam, LPARAM lParam) const
    {
        return hookeventtime ? hookeventtime(hWnd, wParam, lParam) : 0;
    }
    bool SeesDesktop() const { return hookscope && hookscope() != 0; }
};

// The program's hook: XInput2 raw events of the whole desktop on X11, else an
// application-wide event filter that sees this program's windows only.
HookLibrary LoadHookLibrary();
