#include "ui/WindowImplBase.h"

#include "ui/ControlUI.h"
#include "ui/DialogBuilder.h"

#include <QWidget>

DUI_BEGIN_MESSAGE_MAP(WindowImplBase, CNotifyPump)
DUI_ON_MSGTYPE(DUI_MSGTYPE_CLICK, OnClick)
DUI_END_MESSAGE_MAP()

void WindowImplBase::InitWindow() {}

void WindowImplBase::Notify(TNotifyUI& msg)
{
    NotifyPump(msg);
}

void WindowImplBase::OnClick(TNotifyUI&) {}

QString WindowImplBase::GetSkinFolder()
{
    return QString();
}

CControlUI* WindowImplBase::CreateControl(const QString&)
{
    return nullptr;
}

LRESULT WindowImplBase::HandleCustomMessage(UINT, WPARAM, LPARAM, bool& bHandled)
{
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnClose(UINT, WPARAM, LPARAM, bool& bHandled)
{
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::OnDestroy(UINT, WPARAM, LPARAM, bool& bHandled)
{
    bHandled = false;
    return 0;
}

LRESULT WindowImplBase::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    bool bHandled = false;
    LRESULT lRes = 0;
    if (uMsg == WM_CLOSE)
        lRes = OnClose(uMsg, wParam, lParam, bHandled);
    else if (uMsg == WM_DESTROY)
        lRes = OnDestroy(uMsg, wParam, lParam, bHandled);
    if (bHandled)
        return lRes;
    lRes = HandleCustomMessage(uMsg, wParam, lParam, bHandled);
    if (bHandled)
        return lRes;
    return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
}

bool WindowImplBase::IsCaptionPoint(QPoint pt) const
{
    const QWidget* w = GetWidget();
    if (w == nullptr)
        return false;
    const RECT caption = m_pm.GetCaptionRect();
    return pt.x() >= caption.left && pt.x() < w->width() - caption.right && pt.y() >= caption.top &&
           pt.y() < caption.bottom;
}

void WindowImplBase::OnResized()
{
    m_pm.ResizeRoot();
}

void WindowImplBase::OnCreate()
{
    m_pm.Init(GetHWND(), GetWidget());
    const QString skinFile = GetSkinFolder() + GetSkinFile();
    CDialogBuilder builder;
    // Without a tree a window that needs none of its controls still opens.
    CControlUI* root = builder.Create(skinFile, QString(), this, &m_pm);
    if (root != nullptr)
    {
        const SIZE size = m_pm.GetInitSize();
        if (size.cx > 0 && size.cy > 0)
            GetWidget()->resize(size.cx, size.cy);
        m_pm.AttachDialog(root);
    }
    m_pm.AddNotifier(this);
    InitWindow();
    if (!m_needed.AllFound())
    {
        // Of a skin that could not be built at all the builder spoke already.
        if (root != nullptr)
            m_needed.ReportMissing(skinFile);
        DestroyWindow(); // this object may be gone now
        return;
    }
    // Made once the window has set its controls up (the loaded language's
    // texts, filled lists), each widget is laid out once, with what it shows.
    if (GetHWND() != nullptr)
        m_pm.ShowRoot();
    // The window manager and task bar show the dialog's own caption, in the
    // loaded language, rather than the internal window name it was made with.
    if (const CControlUI* title = m_pm.FindControl(QStringLiteral("label_title")))
        GetWidget()->setWindowTitle(title->GetText());
}

void WindowImplBase::OnFinalMessage(HWND)
{
    m_pm.RemoveNotifier(this);
    m_pm.ReapObjects();
}

bool WindowImplBase::MoveFocus(bool bNext)
{
    return m_pm.MoveFocus(bNext);
}
