#include "ui/TrayIcon.h"

#include "ui/WindowWnd.h"

#include <QIcon>
#include <QSystemTrayIcon>

CTrayIcon::CTrayIcon() = default;

CTrayIcon::~CTrayIcon() = default;

void CTrayIcon::CreateTrayIcon(HWND hWnd, const QIcon& icon, const QString& toolTipText,
                               UINT message)
{
    m_pIcon = std::make_unique<QSystemTrayIcon>(icon);
    m_pIcon->setToolTip(toolTipText);
    QObject::connect(m_pIcon.get(), &QSystemTrayIcon::activated, m_pIcon.get(),
                     [hWnd, message](QSystemTrayIcon::ActivationReason reason)
                     {
                         LPARAM mouse = 0;
                         switch (reason)
                         {
                         case QSystemTrayIcon::Trigger:
                             mouse = WM_LBUTTONUP;
                             break;
                         case QSystemTrayIcon::Context:
                             mouse = WM_RBUTTONUP;
                             break;
                         case QSystemTrayIcon::DoubleClick:
                             mouse = WM_LBUTTONDBLCLK;
                             break;
                         case QSystemTrayIcon::MiddleClick:
                             mouse = WM_MBUTTONUP;
                             break;
                         default:
                             return;
                         }
                         PostMessage(hWnd, message, 0, mouse);
                     });
    m_pIcon->show();
}

void CTrayIcon::DeleteTrayIcon()
{
    m_pIcon.reset();
}

void CTrayIcon::SetTooltipText(const QString& text)
{
    if (m_pIcon)
        m_pIcon->setToolTip(text);
}

void CTrayIcon::SetIcon(const QIcon& icon)
{
    if (m_pIcon)
        m_pIcon->setIcon(icon);
}

bool CTrayIcon::IsVisible() const
{
    return m_pIcon && m_pIcon->isVisible();
}

bool CTrayIcon::IsSystemTrayAvailable()
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}
