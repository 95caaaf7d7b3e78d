#include "ui/DialogWnd.h"

#include "ui/ButtonUI.h"

void CDialogWnd::InitWindow()
{
    m_pOkBtn = dynamic_cast<CButtonUI*>(m_pm.FindControl(QStringLiteral("ok_btn")));
    m_pCancelBtn = dynamic_cast<CButtonUI*>(m_pm.FindControl(QStringLiteral("cancel_btn")));
    m_pExitBtn = dynamic_cast<CButtonUI*>(m_pm.FindControl(QStringLiteral("exit_btn")));
}

bool CDialogWnd::OnDialogButton(const TNotifyUI& msg)
{
    if (msg.sType != DUI_MSGTYPE_CLICK || msg.pSender == nullptr)
        return false;
    if (msg.pSender == m_pOkBtn)
        OnOk();
    else if (msg.pSender == m_pCancelBtn || msg.pSender == m_pExitBtn)
        Close(0);
    else
        return false;
    return true;
}

void CDialogWnd::OnOk()
{
    Close(1);
}
