#pragma once
// The keyboard and mouse hook the macro recorder and the key capture use: the
// entry points of the design's hook library, each of which may be missing.
// Callers go through the member functions, which skip a missing entry point.
//
// Events reach the window given to installhook / installmousehook as
// messages 0x0500 (wParam = Windows virtual key, lParam 0 down, 1 up) and
// 0x0501 (wParam = Windows mouse message, lParam = extra button 1 or 2).

#include "ui/UIDefs.h"

inline constexpr UINT WM_HOOK_KEYBOARD = WM_USER + 256;
inline constexpr UINT WM_HOOK_MOUSEBUTTON = WM_USER + 257;

struct HookLibrary
{
    using InstallFn = void (*)(HWND hWnd);
    using RemoveFn = void (*)();
    using EnableFn = void (*)(int bEnable);

    InstallFn installhook = nullptr;
    RemoveFn removehook = nullptr;
    EnableFn enablehook = nullptr;
    InstallFn installmousehook = nullptr;
    RemoveFn removemousehook = nullptr;
    EnableFn enablemousehook = nullptr;
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
};

// The program's hook: an application-wide event filter, so it sees the input
// that reaches this program's windows (not the rest of the desktop).
HookLibrary LoadHookLibrary();
