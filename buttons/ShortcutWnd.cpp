#include "buttons/ShortcutWnd.h"

#include "buttons/ButtonFunctions.h"
#include "model/DebugTrace.h"
#include "model/KeyTables.h"
#include "ui/ButtonUI.h"
#include "ui/CheckBoxUI.h"
#include "ui/EditUI.h"
#include "ui/ResourceManager.h"

QString CShortcutWnd::GetWindowClassName() const
{
    return QStringLiteral("ShortcutWnd");
}

QString CShortcutWnd::GetSkinFile()
{
    return QStringLiteral("shortcut.xml");
}

void CShortcutWnd::InitWindow()
{
    CDialogWnd::InitWindow();
    for (int i = 0; i < 4; ++i)
    {
        m_pCheckFlag[i] = NeedControl<CCheckBoxUI>(QString::asprintf("check_flag_%d", i + 1));
        if (m_pCheckFlag[i] != nullptr)
            m_pCheckFlag[i]->SetCheck(m_byFlag[i] != 0);
    }
    m_pEditKey = NeedControl<CEditUI>(QStringLiteral("edit_key"));
    ShowKey();
}

void CShortcutWnd::ShowKey()
{
    if (m_pEditKey == nullptr)
        return;
    const std::string name = UsageDisplayName(
        m_byKey, [](std::string_view key)
        { return CResourceManager::GetInstance()->GetText(QString::fromUtf8(key)).toStdString(); });
    m_pEditKey->SetText(QString::fromStdString(name));
}

void CShortcutWnd::Notify(TNotifyUI& msg)
{
    if (msg.pSender == nullptr)
        return;
    if (OnDialogButton(msg))
        return;
    if (msg.sType == DUI_MSGTYPE_SETFOCUS && msg.pSender == m_pEditKey && !m_bCapturing)
    {
        m_bCapturing = true;
        m_hook.InstallHook(GetHWND());
        m_hook.EnableHook(true);
    }
    else if (msg.sType == DUI_MSGTYPE_KILLFOCUS && msg.pSender == m_pEditKey && m_bCapturing)
    {
        m_bCapturing = false;
        m_hook.RemoveHook();
        m_hook.EnableHook(false);
    }
    else if (msg.sType == DUI_MSGTYPE_CHECKCLICK)
    {
        for (int i = 0; i < 4; ++i)
            if (msg.pSender == m_pCheckFlag[i])
                m_byFlag[i] = m_pCheckFlag[i]->GetCheck() ? 1 : 0;
    }
}

void CShortcutWnd::OnEscape()
{
    // In the key field Escape is the key being chosen, not a cancel.
    if (m_pEditKey == nullptr || !m_pEditKey->IsFocused())
        CDialogWnd::OnEscape();
}

LRESULT CShortcutWnd::HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled)
{
    // The default handling still runs.
    if (uMsg == WM_DESTROY)
    {
        m_bCapturing = false;
        m_hook.RemoveHook();
    }
    if (uMsg == WM_HOOK_KEYBOARD)
        m_hook.EventTime(GetHWND(), wParam, lParam); // keeps the hook's times in step
    // A key goes down to be chosen: a release may belong to the key that moved
    // the focus here, and an event still queued when the field lost the focus
    // chooses nothing.
    if (uMsg == WM_HOOK_KEYBOARD && lParam == 0 && m_bCapturing && m_pEditKey != nullptr &&
        m_pEditKey->IsFocused())
    {
        DebugTrace("%x,%x\n", static_cast<unsigned>(wParam), static_cast<unsigned>(lParam));
        const KeyUsage usage = VirtualKeyToUsage(static_cast<uint32_t>(wParam));
        m_byKey = static_cast<uint8_t>(usage.bFound ? usage.iUsage : 0);
        DebugTrace("iUsageID=%d\n", m_byKey);
        ShowKey();
    }
    return WindowImplBase::HandleCustomMessage(uMsg, wParam, lParam, bHandled);
}
