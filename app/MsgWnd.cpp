#include "app/MsgWnd.h"

#include "ui/ButtonUI.h"
#include "ui/ContainerUI.h"
#include "ui/ModalDialog.h"
#include "ui/ResourceManager.h"

#include <QTimer>
#include <QWidget>

namespace
{
CMsgWnd::AnswerHook g_answerHook;
}

void CMsgWnd::SetAnswerHook(AnswerHook hook)
{
    g_answerHook = std::move(hook);
}

UINT CMsgWnd::ShowMessage(CPaintManagerUI* pOverlayWindow, HWND hOwner, const QString& titleKey,
                          const QString& msgKey, MsgKind kind, const QStringList& args)
{
    CMsgWnd dialog;
    dialog.SetTitle(titleKey);
    dialog.SetMsg(msgKey);
    dialog.SetMsgArgs(args);
    dialog.SetKind(kind);
    return RunModalDialog(dialog, pOverlayWindow, hOwner, QStringLiteral("MsgWnd"),
                          [&dialog, titleKey, msgKey]
                          {
                              if (g_answerHook)
                                  QTimer::singleShot(
                                      0, dialog.GetWidget(),
                                      [&dialog, titleKey, msgKey]
                                      { dialog.Close(g_answerHook(titleKey, msgKey)); });
                          });
}

QString CMsgWnd::MessageText(const QString& msgKey, const QStringList& args)
{
    // One pass, so a file name holding "%2" stays as it is.
    const QString pattern = CResourceManager::GetInstance()->GetText(msgKey);
    QString text;
    for (qsizetype i = 0; i < pattern.size(); ++i)
    {
        const int n = i + 1 < pattern.size() ? pattern[i + 1].digitValue() : -1;
        if (pattern[i] == u'%' && n >= 1 && n <= args.size())
        {
            text += args[n - 1];
            ++i;
        }
        else
            text += pattern[i];
    }
    return text;
}

QString CMsgWnd::GetWindowClassName() const
{
    return QStringLiteral("MsgWnd");
}

void CMsgWnd::OnFinalMessage(HWND hWnd)
{
    WindowImplBase::OnFinalMessage(hWnd);
    if (m_bDeleteOnClose)
        delete this;
}

void CMsgWnd::InitWindow()
{
    CDialogWnd::InitWindow();
    m_pTitleLabel = NeedControl<CLabelUI>(QStringLiteral("label_title"));
    m_pMsgLabel = NeedControl<CLabelUI>(QStringLiteral("label_string"));
    // The labels take the keys and show their texts in the loaded language.
    if (m_pTitleLabel != nullptr)
    {
        m_pTitleLabel->SetResourceText(true);
        m_pTitleLabel->SetText(m_strTitle);
    }
    if (m_pMsgLabel != nullptr && !m_aMsgArgs.isEmpty())
    {
        m_pMsgLabel->SetResourceText(false); // filled once, in the language shown now
        m_pMsgLabel->SetText(MessageText(m_strMsg, m_aMsgArgs));
    }
    else if (m_pMsgLabel != nullptr)
    {
        m_pMsgLabel->SetResourceText(true);
        m_pMsgLabel->SetText(m_strMsg);
    }
    if (m_kind == MsgKind::Information)
        if (CControlUI* cancel = m_pm.FindControl(QStringLiteral("cancel_btn")))
            cancel->SetVisible(false);
    if (m_kind == MsgKind::ApplyDiscard)
    {
        m_pDiscardBtn = m_pm.FindControl(QStringLiteral("discard_btn"));
        if (m_pDiscardBtn != nullptr)
            m_pDiscardBtn->SetVisible(true);
        if (CControlUI* ok = m_pm.FindControl(QStringLiteral("ok_btn")))
            ok->SetText(QStringLiteral("apply_text"));
    }
    FitMessage();
}

void CMsgWnd::FitMessage()
{
    if (m_pMsgLabel == nullptr)
        return;
    // A long message (a file's path, the reason a save failed) makes the
    // dialog taller rather than being cut off.
    // Laid out now, before the first show, to know the room the label has.
    m_pm.ShowRoot();
    if (auto* root = dynamic_cast<CContainerUI*>(m_pm.GetRoot()))
        root->LayoutNow();
    const RECT label = m_pMsgLabel->GetPos();
    const int missing = m_pMsgLabel->GetTextHeight(label.Width()) - label.Height();
    if (missing > 0)
        ResizeClient(-1, GetWidget()->height() + missing);
}

QString CMsgWnd::GetSkinFile()
{
    return QStringLiteral("msg.xml");
}

void CMsgWnd::Notify(TNotifyUI& msg)
{
    if (msg.sType == DUI_MSGTYPE_CLICK && msg.pSender != nullptr && msg.pSender == m_pDiscardBtn)
        Close(kMsgAnswerDiscard);
    else
        OnDialogButton(msg);
}
