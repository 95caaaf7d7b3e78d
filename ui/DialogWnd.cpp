#include "ui/DialogWnd.h"

#include "ui/ButtonUI.h"

void CDialogWnd::InitWindow()
{
    m_pOkBtn = NeedControl<CButtonUI>(QStringLiteral("ok_btn"));
    m_pCancelBtn = NeedControl<CButtonUI>(QStringLiteral("cancel_btn"));
    m_pExitBtn = NeedControl<CButtonUI>(QStringLiteral("exit_btn"));
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
