#include "macros/EditNameWnd.h"

#include "app/MsgWnd.h"
#include "model/NameField.h"
#include "ui/ButtonUI.h"
#include "ui/EditUI.h"
#include "ui/LabelUI.h"
#include "ui/ModalDialog.h"

QString CEditNameWnd::GetWindowClassName() const
{
    return QStringLiteral("EditMacroName");
}

QString CEditNameWnd::GetSkinFile()
{
    return QStringLiteral("editname.xml");
}

void CEditNameWnd::InitWindow()
{
    CDialogWnd::InitWindow();
    m_pNameEdit = NeedControl<CEditUI>(QStringLiteral("edit_name"));
    if (auto* title = NeedControl<CLabelUI>(QStringLiteral("label_title")))
    {
        title->SetResourceText(true);
        title->SetText(TitleKey());
    }
    if (auto* prompt = NeedControl<CLabelUI>(QStringLiteral("label_string")))
    {
        prompt->SetResourceText(true);
        prompt->SetText(PromptKey());
    }
    if (m_pNameEdit != nullptr)
    {
        m_pNameEdit->SetMaxChar(static_cast<int>(kNameMaxChars));
        m_pNameEdit->SetText(m_strName);
        m_pNameEdit->SetSelAll();
        m_pNameEdit->SetFocus();
    }
}

void CEditNameWnd::Notify(TNotifyUI& msg)
{
    if (msg.sType == DUI_MSGTYPE_RETURN && msg.pSender == m_pNameEdit)
    {
        OnOk();
        return;
    }
    OnDialogButton(msg);
}

void CEditNameWnd::OnOk()
{
    if (m_pNameEdit == nullptr)
        return;
    // The stored field holds 49 units; a longer text could only come from a
    // skin without the limit, and is cut (and cleaned of control characters,
    // which a paste may bring) so the check sees the stored name.
    const QString typed = QString::fromStdU16String(
        CleanName(m_pNameEdit->GetText().left(static_cast<int>(kNameMaxChars)).toStdU16String()));
    if (typed.compare(m_strName, Qt::CaseInsensitive) == 0)
    {
        Close(0);
        return;
    }
    if (typed.isEmpty())
    {
        Refuse("no_name_text");
        return;
    }
    const std::u16string name = typed.toStdU16String();
    if (IsItemMode() && ItemNameUsed(name, m_strFolder.toStdU16String()))
    {
        Refuse("same_macro_text");
        return;
    }
    if (!IsItemMode() && FolderNameUsed(name))
    {
        Refuse("same_macro_dir_text");
        return;
    }
    m_strName = typed;
    Close(1);
}

void CEditNameWnd::Refuse(const char* msgKey)
{
    // The caller's overlay is already up; the message sits over this dialog.
    CMsgWnd::ShowMessage(nullptr, GetHWND(), QStringLiteral("warning_title_text"),
                         QString::fromLatin1(msgKey), MsgKind::Information);
}

std::optional<std::u16string> CEditNameWnd::Run(CPaintManagerUI* pOverlayWindow, HWND hOwner,
                                                const QString& windowName)
{
    if (RunModalDialog(*this, pOverlayWindow, hOwner, windowName) != 1)
        return std::nullopt;
    return m_strName.toStdU16String();
}
