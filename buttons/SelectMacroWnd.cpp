#include "buttons/SelectMacroWnd.h"

#include "app/LibraryPages.h"
#include "buttons/ButtonFunctions.h"
#include "macros/MacroLibrary.h"
#include "ui/ButtonUI.h"
#include "ui/ComboUI.h"
#include "ui/EditUI.h"
#include "ui/ListUI.h"
#include "ui/OptionUI.h"

QString CSelectMacroWnd::GetWindowClassName() const
{
    return QStringLiteral("SelectMacroWnd");
}

QString CSelectMacroWnd::GetSkinFile()
{
    return QStringLiteral("selectmacro.xml");
}

void CSelectMacroWnd::InitWindow()
{
    m_pMacroCombo = NeedControl<CComboUI>(QStringLiteral("macro_combo"));
    m_pMacroList = NeedControl<CListUI>(QStringLiteral("macro_list"));
    for (int i = 0; i < 3; ++i)
        m_pRepeat[i] = NeedControl<COptionUI>(QString::asprintf("repeat_%d", i + 1));
    m_pHorLoopTime = NeedControl(QStringLiteral("hor_loop_time"));
    m_pEditLoopTime = NeedControl<CEditUI>(QStringLiteral("edit_loop_time"));
    CDialogWnd::InitWindow();

    if (m_iRepeatMode >= 0 && m_iRepeatMode < 3 && m_pRepeat[m_iRepeatMode] != nullptr)
        m_pRepeat[m_iRepeatMode]->Selected(true, false);
    ShowRepeatMode(m_iRepeatMode);
    m_aFolderName = FillFolderCombo(m_pMacroCombo, g_vecMacro);
    if (m_pEditLoopTime != nullptr)
        m_pEditLoopTime->SetText(QString::number(m_iLoopCount));
    ShowOkState();
}

bool CSelectMacroWnd::HasChoice() const
{
    // The caller binds what folder and name find, so index, folder and name
    // must all name the same macro; a folder's own entry has an empty name
    // and would otherwise be found for a folder chosen alone.
    const MacroData* macro = RecordAt(g_vecMacro, m_iMacroIndex);
    return macro != nullptr && macro->bIsFolder == 0 &&
           macro ==
               FindMacro(g_vecMacro, m_strFolder.toStdU16String(), m_strMacroName.toStdU16String());
}

void CSelectMacroWnd::ShowOkState()
{
    // A folder's entry alone is no macro to bind.
    if (CControlUI* ok = m_pm.FindControl(QStringLiteral("ok_btn")))
        ok->SetEnabled(HasChoice());
}

void CSelectMacroWnd::ShowRepeatMode(int iMode)
{
    m_iRepeatMode = iMode;
    if (m_pHorLoopTime != nullptr)
        m_pHorLoopTime->SetVisible(iMode == 0);
}

void CSelectMacroWnd::RestoreBinding()
{
    m_pm.KillTimer(m_pMacroList, kRestoreBindingTimer);
    const MacroData* macro =
        FindMacro(g_vecMacro, m_strFolder.toStdU16String(), m_strMacroName.toStdU16String());
    if (macro != nullptr && m_pMacroCombo != nullptr && m_pMacroList != nullptr)
    {
        const std::u16string folder = NameFromField(macro->szFolder);
        const std::u16string name = NameFromField(macro->szMacroName);
        for (int f = 0; f < m_aFolderName.size(); ++f)
        {
            if (!NamesEqualNoCase(m_aFolderName[f].toStdU16String(), folder))
                continue;
            m_pMacroCombo->SelectItem(f);
            for (int j = 0; j < m_aMacroName.size(); ++j)
                if (NamesEqualNoCase(m_aMacroName[j].toStdU16String(), name))
                {
                    m_pMacroList->SelectItem(j);
                    break;
                }
            break;
        }
    }
    m_bRestored = true;
}

void CSelectMacroWnd::ShowFolder(int iFolder)
{
    m_iCurFolder = iFolder;
    const QString folder =
        iFolder >= 0 && iFolder < m_aFolderName.size() ? m_aFolderName[iFolder] : QString();
    m_aMacroIndex = FillItemList(m_pMacroList, g_vecMacro, folder, kDialogLockLeft);
    m_aMacroName.clear();
    for (int index : m_aMacroIndex)
        m_aMacroName.push_back(
            QString::fromStdU16String(NameFromField(g_vecMacro[index]->szMacroName)));
    // Until the binding is shown, the incoming choice stays.
    if (m_bRestored)
        m_iMacroIndex = -1;
    m_strFolder = folder;
}

void CSelectMacroWnd::ReadLoopCountEdit()
{
    if (m_pEditLoopTime == nullptr)
        return;
    const LoopCountText typed = ReadLoopCount(m_pEditLoopTime->GetText().toStdU16String());
    if (typed.rewrite)
        m_pEditLoopTime->SetText(QString::number(typed.value));
    m_iLoopCount = typed.value;
}

void CSelectMacroWnd::OnOk()
{
    if (!HasChoice())
        return;
    // The edit may still have the focus: what it shows is what OK takes.
    ReadLoopCountEdit();
    Close(1);
}

void CSelectMacroWnd::Notify(TNotifyUI& msg)
{
    if (msg.pSender == nullptr)
        return;
    if (OnDialogButton(msg))
        return;
    if (msg.sType == DUI_MSGTYPE_SELECTCHANGED)
    {
        for (int i = 0; i < 3; ++i)
            if (msg.pSender == m_pRepeat[i])
                ShowRepeatMode(i);
    }
    else if (msg.sType == DUI_MSGTYPE_ITEMSELECT)
    {
        const int item = static_cast<int>(msg.wParam);
        if (msg.pSender == m_pMacroCombo)
            ShowFolder(item);
        else if (msg.pSender == m_pMacroList && item >= 0 &&
                 item < static_cast<int>(m_aMacroIndex.size()))
        {
            m_iMacroIndex = m_aMacroIndex[static_cast<std::size_t>(item)];
            m_strMacroName = m_aMacroName[item];
        }
    }
    else if (msg.sType == DUI_MSGTYPE_KILLFOCUS)
    {
        if (msg.pSender == m_pEditLoopTime)
            ReadLoopCountEdit();
    }
    else if (msg.sType == DUI_MSGTYPE_TIMER)
    {
        if (msg.pSender == m_pMacroList && msg.wParam == kRestoreBindingTimer)
            RestoreBinding();
    }
    ShowOkState();
}
