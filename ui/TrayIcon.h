#pragma once
// The notification-area icon. Clicks reach the window as the given message
// (UIMSG_TRAYICON by default) with the Windows mouse message in lParam:
// WM_LBUTTONUP for a left click, WM_RBUTTONUP for a right click,
// WM_LBUTTONDBLCLK for a double click, WM_MBUTTONUP for a middle click.

#include "ui/UIDefs.h"

#include <QString>
#include <memory>

class QIcon;
class QSystemTrayIcon;

class CTrayIcon
{
public:
    CTrayIcon();
    ~CTrayIcon();
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    void CreateTrayIcon(HWND hWnd, const QIcon& icon, const QString& toolTipText,
                        UINT message = UIMSG_TRAYICON);
    void DeleteTrayIcon();
    void SetTooltipText(const QString& text);
    void SetIcon(const QIcon& icon);
    bool IsVisible() const;
    // Whether the desktop shows tray icons at all.
    static bool IsSystemTrayAvailable();

    // The Qt icon, for tests; null before CreateTrayIcon.
    QSystemTrayIcon* GetSystemTrayIcon() const { return m_pIcon.get(); }

private:
    std::unique_ptr<QSystemTrayIcon> m_pIcon;
};
