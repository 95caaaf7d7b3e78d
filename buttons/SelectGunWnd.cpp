#include "buttons/SelectGunWnd.h"

#include "app/LibraryPages.h"
#include "buttons/ButtonFunctions.h"
#include "guns/GunLibrary.h"
#include "lighting/ColorForms.h"
#include "lighting/SelectColorWnd.h"
#include "ui/ButtonUI.h"
#include "ui/ComboUI.h"
#include "ui/ListUI.h"
#include "ui/OptionUI.h"

#include <bit>

QString CSelectGunWnd::GetWindowClassName() const
{
    return QStringLiteral("SelectGunWnd");
}

QString CSelectGunWnd::GetSkinFile()
{
    return QStringLiteral("selectgun.xml");
}

void CSelectGunWnd::InitWindow()
{
    CDialogWnd::InitWindow();
    m_pGunList = NeedControl<CListUI>(QStringLiteral("gun_list"));
    m_pGunColorBtn = NeedControl<CButtonUI>(QStringLiteral("btn_gun_color"));
    m_pGunCombo = NeedControl<CComboUI>(QStringLiteral("gun_combo"));
    for (int i = 0; i < 3; ++i)
        m_pRepeat[i] = NeedControl<COptionUI>(QString::asprintf("repeat_%d", i + 1));

    if (m_iRepeatMode >= 0 && m_iRepeatMode < 3 && m_pRepeat[m_iRepeatMode] != nullptr)
        m_pRepeat[m_iRepeatMode]->Selected(true, false);
    m_aFolderName = FillFolderCombo(m_pGunCombo, g_vecGun);
    if (m_pGunColorBtn != nullptr)
        m_pGunColorBtn->SetBkColor(ScreenColor(std::bit_cast<Rgb0>(m_clrGun)));
    ShowOkState();
}

bool CSelectGunWnd::HasChoice() const
{
    const GunData* gun = GunAt(g_vecGun, m_iGunIndex);
    return gun != nullptr && gun->bIsFolder == 0;
}

void CSelectGunWnd::ShowOkState()
{
    // A folder's entry alone is no gun to bind.
    if (CControlUI* ok = m_pm.FindControl(QStringLiteral("ok_btn")))
        ok->SetEnabled(HasChoice());
}

void CSelectGunWnd::OnOk()
{
    if (HasChoice())
        Close(1);
}

void CSelectGunWnd::ShowFolder(int iFolder)
{
    m_iCurFolder = iFolder;
    const QString folder =
        iFolder >= 0 && iFolder < m_aFolderName.size() ? m_aFolderName[iFolder] : QString();
    m_aGunIndex = FillItemList(m_pGunList, g_vecGun, folder, kDialogLockLeft);
    m_iGunIndex = -1;
}

void CSelectGunWnd::RestoreBinding()
{
    m_pm.KillTimer(m_pGunList, kRestoreBindingTimer);
    const int p = m_iGunIndex;
    const GunData* gun = GunAt(g_vecGun, p);
    if (gun == nullptr || m_pGunCombo == nullptr || m_pGunList == nullptr)
        return;
    const std::u16string folder = NameFromField(gun->szFolder);
    for (int f = 0; f < m_aFolderName.size(); ++f)
    {
        if (!NamesEqualNoCase(m_aFolderName[f].toStdU16String(), folder))
            continue;
        m_pGunCombo->SelectItem(f);
        for (std::size_t j = 0; j < m_aGunIndex.size(); ++j)
            if (m_aGunIndex[j] == p)
            {
                m_pGunList->SelectItem(static_cast<int>(j));
                break;
            }
        return;
    }
}

void CSelectGunWnd::PickGunColor()
{
    DWORD argb = ScreenColor(std::bit_cast<Rgb0>(m_clrGun));
    if (!CSelectColorWnd::PickColor(&m_pm, GetHWND(), argb))
        return;
    if (m_pGunColorBtn != nullptr)
        m_pGunColorBtn->SetBkColor(argb);
    m_clrGun = std::bit_cast<int32_t>(StoredColor(argb));
}

void CSelectGunWnd::Notify(TNotifyUI& msg)
{
    if (msg.pSender == nullptr)
        return;
    if (OnDialogButton(msg))
        return;
    if (msg.sType == DUI_MSGTYPE_CLICK)
    {
        if (msg.pSender == m_pGunColorBtn)
            PickGunColor();
    }
    else if (msg.sType == DUI_MSGTYPE_SELECTCHANGED)
    {
        for (int i = 0; i < 3; ++i)
            if (msg.pSender == m_pRepeat[i])
                m_iRepeatMode = i;
    }
    else if (msg.sType == DUI_MSGTYPE_ITEMSELECT)
    {
        const int item = static_cast<int>(msg.wParam);
        if (msg.pSender == m_pGunCombo)
            ShowFolder(item);
        else if (msg.pSender == m_pGunList && item >= 0 &&
                 item < static_cast<int>(m_aGunIndex.size()))
            m_iGunIndex = m_aGunIndex[static_cast<std::size_t>(item)];
    }
    else if (msg.sType == DUI_MSGTYPE_TIMER)
    {
        if (msg.pSender == m_pGunList && msg.wParam == kRestoreBindingTimer)
            RestoreBinding();
    }
    ShowOkState();
}
