#include "guns/GunPage.h"

#include "app/LibraryPages.h"
#include "app/MainWnd.h"
#include "app/MsgWnd.h"
#include "app/ProgramPaths.h"
#include "app/StartupData.h"
#include "guns/EditGunName.h"
#include "guns/GunExchange.h"
#include "guns/GunLibrary.h"
#include "guns/RecoilPlotUI.h"
#include "model/ProfileBindings.h"
#include "ui/ButtonUI.h"
#include "ui/ComboUI.h"
#include "ui/ContainerUI.h"
#include "ui/EditUI.h"
#include "ui/ListUI.h"
#include "ui/MenuWnd.h"
#include "ui/PaintManagerUI.h"

#include <QMenu>
#include <algorithm>
#include <cstring>

namespace
{
constexpr int kOffsetLimit = 127;
constexpr int kMinDelay = 10;
constexpr int kMaxDelay = 1270;
// The lock picture of a locked gun, at the right end of "gun_list".
constexpr int kLockLeft = 168;

// What an edit shows as a number; anything else counts as 0.
long long EditValue(const CEditUI* pEdit)
{
    return pEdit->GetText().toLongLong();
}

// Stores the edit's number held within [lo, hi] and shows it as stored.
int TakeEditValue(CEditUI* pEdit, int lo, int hi)
{
    const int v = static_cast<int>(std::clamp<long long>(EditValue(pEdit), lo, hi));
    const QString shown = QString::number(v);
    if (pEdit->GetText() != shown)
        pEdit->SetText(shown);
    return v;
}

FileDialogRequest GunFileRequest(HWND hOwner, bool bFolder, bool bSave)
{
    return ExchangeFileRequest(hOwner, QStringLiteral("Gun Data"),
                               bFolder ? QStringLiteral("gbins") : QStringLiteral("gbin"), bSave);
}

QString GunName(const GunData& gun)
{
    return QString::fromStdU16String(NameFromField(gun.szGunName));
}
} // namespace

DUI_BEGIN_MESSAGE_MAP(CGunPage, CNotifyPump)
DUI_ON_MSGTYPE(DUI_MSGTYPE_CLICK, OnNotify)
DUI_ON_MSGTYPE(DUI_MSGTYPE_SELECTCHANGED, OnNotify)
DUI_ON_MSGTYPE(DUI_MSGTYPE_ITEMSELECT, OnNotify)
DUI_ON_MSGTYPE(DUI_MSGTYPE_CHECKCLICK, OnNotify)
DUI_ON_MSGTYPE(DUI_MSGTYPE_SETFOCUS, OnNotify)
DUI_ON_MSGTYPE(DUI_MSGTYPE_KILLFOCUS, OnNotify)
DUI_ON_MSGTYPE(DUI_MSGTYPE_TEXTCHANGED, OnNotify)
DUI_END_MESSAGE_MAP()

CGunPage::CGunPage() = default;
CGunPage::~CGunPage() = default;

void CGunPage::SetPaintManager(CPaintManagerUI* pPaintManager, HWND hWnd)
{
    m_pPaintManager = pPaintManager;
    m_hWnd = hWnd;
}

void CGunPage::Init()
{
    auto find = [this](const QString& name) { return m_pPaintManager->FindControl(name); };
    m_pFolderCombo = dynamic_cast<CComboUI*>(find(QStringLiteral("gun_combo")));
    m_pAddGunBtn = dynamic_cast<CButtonUI*>(find(QStringLiteral("btn_add_gun")));
    m_pDeleteGunBtn = dynamic_cast<CButtonUI*>(find(QStringLiteral("btn_delete_gun")));
    m_pMenuGunBtn = dynamic_cast<CButtonUI*>(find(QStringLiteral("btn_menu_gun")));
    m_pGunNameEdit = dynamic_cast<CEditUI*>(find(QStringLiteral("edit_gun_name")));
    m_pBulletCombo = dynamic_cast<CComboUI*>(find(QStringLiteral("zidan_combo")));
    m_pAddFolderBtn = dynamic_cast<CButtonUI*>(find(QStringLiteral("btn_add_gun_floder")));
    m_pDeleteFolderBtn = dynamic_cast<CButtonUI*>(find(QStringLiteral("btn_delete_gun_floder")));
    m_pMenuFolderBtn = dynamic_cast<CButtonUI*>(find(QStringLiteral("btn_menu_gun_floder")));
    m_pGunList = dynamic_cast<CListUI*>(find(QStringLiteral("gun_list")));
    for (int n = 1; n <= kGunMaxBullets; ++n)
    {
        Row& row = m_aRow[n - 1];
        auto numbered = [&](const char* format) { return find(QString::asprintf(format, n)); };
        row.pContainer = numbered("ver_zidan_num_%d");
        row.pDelayEdit = dynamic_cast<CEditUI*>(numbered("edit_zidan_delay_%d"));
        row.pYEdit = dynamic_cast<CEditUI*>(numbered("edit_zidan_y_%d"));
        row.pXEdit = dynamic_cast<CEditUI*>(numbered("edit_zidan_x_%d"));
        row.pDelayUpBtn = dynamic_cast<CButtonUI*>(numbered("zidan_delay_up_btn_%d"));
        row.pDelayDownBtn = dynamic_cast<CButtonUI*>(numbered("zidan_delay_down_btn_%d"));
        row.pYUpBtn = dynamic_cast<CButtonUI*>(numbered("zidan_y_up_btn_%d"));
        row.pYDownBtn = dynamic_cast<CButtonUI*>(numbered("zidan_y_down_btn_%d"));
        row.pXDownBtn = dynamic_cast<CButtonUI*>(numbered("zidan_x_down_btn_%d"));
        row.pXUpBtn = dynamic_cast<CButtonUI*>(numbered("zidan_x_up_btn_%d"));
    }
    // The picture lives in a holder of the skin, so any window showing the
    // page gets it without knowing the control.
    if (auto* holder = dynamic_cast<CContainerUI*>(find(QStringLiteral("gun_plot_ver"))))
    {
        m_pPlot = new CRecoilPlotUI;
        holder->Add(m_pPlot);
    }
    LoadGun(-1);
}

void CGunPage::OnNotify(TNotifyUI& msg)
{
    if (msg.sType == DUI_MSGTYPE_CLICK)
        OnClick(msg);
    else if (msg.sType == DUI_MSGTYPE_ITEMSELECT)
        OnItemSelect(msg);
    else if (msg.sType == DUI_MSGTYPE_SETFOCUS)
        OnSetFocus(msg);
    else if (msg.sType == DUI_MSGTYPE_KILLFOCUS)
        OnKillFocus(msg);
    else if (msg.sType == DUI_MSGTYPE_TEXTCHANGED)
        OnTextChanged(msg);
}

void CGunPage::OnClick(TNotifyUI& msg)
{
    CControlUI* sender = msg.pSender;
    if (sender == nullptr)
        return;
    if (sender == m_pAddGunBtn)
        AddGun();
    else if (sender == m_pDeleteGunBtn)
        DeleteGun();
    else if (sender == m_pAddFolderBtn)
        AddGunFolder();
    else if (sender == m_pDeleteFolderBtn)
        RemoveGunFolder();
    else if (sender == m_pMenuGunBtn || sender == m_pMenuFolderBtn)
    {
        m_pMenu.reset();
        m_pMenu = OpenMenuBelow(m_pPaintManager, m_hWnd,
                                sender == m_pMenuGunBtn ? QStringLiteral("gunmenu.xml")
                                                        : QStringLiteral("gundirmenu.xml"),
                                sender);
    }
    else
        OnStepClick(sender);
}

bool CGunPage::OnStepClick(CControlUI* pSender)
{
    for (int i = 0; i < kGunMaxBullets; ++i)
    {
        Row& row = m_aRow[i];
        GunBullet& bullet = m_aBullet[i];
        CEditUI* edit = nullptr;
        if (pSender == row.pYUpBtn || pSender == row.pYDownBtn)
        {
            edit = row.pYEdit;
            const long long step = pSender == row.pYUpBtn ? 1 : -1;
            bullet.iY = static_cast<int32_t>(
                std::clamp<long long>(EditValue(edit) + step, -kOffsetLimit, kOffsetLimit));
            edit->SetText(QString::number(bullet.iY));
        }
        else if (pSender == row.pXDownBtn || pSender == row.pXUpBtn)
        {
            // Crossed on purpose: "down" moves the aim right, "up" left.
            edit = row.pXEdit;
            const long long step = pSender == row.pXDownBtn ? 1 : -1;
            bullet.iX = static_cast<int32_t>(
                std::clamp<long long>(EditValue(edit) + step, -kOffsetLimit, kOffsetLimit));
            edit->SetText(QString::number(bullet.iX));
        }
        else if (pSender == row.pDelayUpBtn || pSender == row.pDelayDownBtn)
        {
            // Stepping stays within the range typing allows: the mouse gets
            // the delay in tens of milliseconds, so below 10 would be no pause.
            edit = row.pDelayEdit;
            const long long step = pSender == row.pDelayUpBtn ? 1 : -1;
            bullet.wDelay = static_cast<uint16_t>(
                std::clamp<long long>(EditValue(edit) + step, kMinDelay, kMaxDelay));
            edit->SetText(QString::number(bullet.wDelay));
        }
        if (edit == nullptr)
            continue;
        m_iEditBullet = i;
        SaveGun();
        RefreshPlot();
        return true;
    }
    return false;
}

void CGunPage::OnItemSelect(TNotifyUI& msg)
{
    if (msg.pSender == m_pFolderCombo)
    {
        m_iCurFolder = m_pFolderCombo->GetCurSel();
        FillGunList(CurFolderName());
    }
    else if (msg.pSender == m_pGunList)
    {
        const int item = m_pGunList->GetCurSel();
        if (item >= 0 && item < static_cast<int>(m_aGunIndex.size()))
            LoadGun(m_aGunIndex[item]);
    }
    else if (msg.pSender == m_pBulletCombo)
    {
        const GunData* gun = CurGun();
        if (gun == nullptr || gun->bLocked != 0)
        {
            // Nothing to shape: the rows stay hidden.
            m_pBulletCombo->SelectItem(-1, false, false);
            m_pBulletCombo->SetText(QString());
            return;
        }
        m_iBulletCount = m_pBulletCombo->GetCurSel() + 1;
        ShowRows(m_iBulletCount);
        SaveGun();
        RefreshPlot();
    }
}

int CGunPage::RowOfEdit(CControlUI* pSender) const
{
    if (pSender == nullptr)
        return -1;
    for (int i = 0; i < kGunMaxBullets; ++i)
    {
        const Row& row = m_aRow[i];
        if (pSender == row.pXEdit || pSender == row.pYEdit || pSender == row.pDelayEdit)
            return i;
    }
    return -1;
}

void CGunPage::OnSetFocus(TNotifyUI& msg)
{
    const int i = RowOfEdit(msg.pSender);
    if (i < 0)
        return;
    m_iEditBullet = i;
    if (m_pPlot != nullptr)
        m_pPlot->SetHighlight(i);
}

void CGunPage::OnKillFocus(TNotifyUI& msg)
{
    if (msg.pSender == m_pGunNameEdit)
    {
        // Only a changed name asks; leaving the field untouched asks nothing.
        const GunData* gun = CurGun();
        if (gun != nullptr &&
            m_pGunNameEdit->GetText() != (gun->bLocked ? QString() : GunName(*gun)))
            RenameGun();
        return;
    }
    const int i = RowOfEdit(msg.pSender);
    if (i < 0)
        return;
    const Row& row = m_aRow[i];
    if (msg.pSender == row.pXEdit)
        m_aBullet[i].iX = TakeEditValue(row.pXEdit, -kOffsetLimit, kOffsetLimit);
    else if (msg.pSender == row.pYEdit)
        m_aBullet[i].iY = TakeEditValue(row.pYEdit, -kOffsetLimit, kOffsetLimit);
    else
        m_aBullet[i].wDelay =
            static_cast<uint16_t>(TakeEditValue(row.pDelayEdit, kMinDelay, kMaxDelay));
    SaveGun();
    RefreshPlot();
}

void CGunPage::OnTextChanged(TNotifyUI& msg)
{
    const int i = RowOfEdit(msg.pSender);
    if (i < 0 || msg.pSender == m_aRow[i].pDelayEdit)
        return;
    const bool bX = msg.pSender == m_aRow[i].pXEdit;
    auto* edit = static_cast<CEditUI*>(msg.pSender);
    FilterNumberText(edit, kOffsetLimit);
    // The picture follows the typing; the value itself waits for the edit to
    // lose the focus.
    m_iEditBullet = i;
    RefreshPlot(i, bX, static_cast<int>(EditValue(edit)));
}

// --- the editor ---------------------------------------------------------------

GunData* CGunPage::CurGun() const
{
    return GunAt(g_vecGun, m_iCurGun);
}

QString CGunPage::CurFolderName() const
{
    if (m_iCurFolder < 0 || m_iCurFolder >= m_aFolderName.size())
        return QString();
    return m_aFolderName[m_iCurFolder];
}

void CGunPage::RefreshGunPage()
{
    m_pFolderCombo->RemoveAll();
    m_iCurFolder = -1;
    m_aFolderName = FillFolderCombo(m_pFolderCombo, g_vecGun);
    if (!m_aFolderName.empty())
        m_pFolderCombo->SelectItem(0);
    else
        FillGunList(QString());
}

void CGunPage::FillGunList(const QString& folder)
{
    m_aGunIndex.clear();
    m_pGunList->RemoveAll();
    if (m_iCurFolder >= 0)
        m_aGunIndex = FillItemList(m_pGunList, g_vecGun, folder, kLockLeft);
    LoadGun(-1);
}

void CGunPage::ShowRows(int iCount)
{
    for (int i = 0; i < kGunMaxBullets; ++i)
        if (m_aRow[i].pContainer != nullptr)
            m_aRow[i].pContainer->SetVisible(i < iCount);
}

void CGunPage::ShowBullet(int iRow)
{
    const Row& row = m_aRow[iRow];
    if (row.pXEdit == nullptr || row.pYEdit == nullptr || row.pDelayEdit == nullptr)
        return;
    row.pXEdit->SetText(QString::number(m_aBullet[iRow].iX));
    row.pYEdit->SetText(QString::number(m_aBullet[iRow].iY));
    row.pDelayEdit->SetText(QString::number(m_aBullet[iRow].wDelay));
}

void CGunPage::LoadGun(int iIndex)
{
    m_iCurGun = GunAt(g_vecGun, iIndex) != nullptr ? iIndex : -1;
    m_iEditBullet = -1;
    const GunData* gun = CurGun();
    if (gun == nullptr || gun->bLocked != 0)
    {
        // No gun, or one whose bullets stay hidden: an empty editor. A locked
        // gun stays current for renaming and export.
        m_iBulletCount = 0;
        for (GunBullet& bullet : m_aBullet)
            bullet = GunBullet{0, 0, 0, static_cast<uint16_t>(kMinDelay)};
        if (m_pGunNameEdit != nullptr)
            m_pGunNameEdit->SetText(QString());
    }
    else
    {
        m_iBulletCount = BulletCount(*gun);
        std::memcpy(m_aBullet, gun->aBullet, sizeof(m_aBullet));
        if (m_pGunNameEdit != nullptr)
            m_pGunNameEdit->SetText(GunName(*gun));
    }
    for (int i = 0; i < kGunMaxBullets; ++i)
        ShowBullet(i);
    ShowRows(m_iBulletCount);
    if (m_pBulletCombo != nullptr)
    {
        // Without a notification: loading is no edit and saves nothing.
        m_pBulletCombo->SelectItem(m_iBulletCount - 1, false, false);
        if (m_iBulletCount == 0)
            m_pBulletCombo->SetText(QString());
    }
    RefreshPlot();
}

void CGunPage::RefreshPlot(int iPreviewRow, bool bX, int iPreview)
{
    if (m_pPlot == nullptr)
        return;
    const GunData* gun = CurGun();
    if (gun == nullptr || gun->bLocked != 0)
    {
        m_pPlot->Clear();
        return;
    }
    GunBullet shown[kGunMaxBullets];
    std::memcpy(shown, m_aBullet, sizeof(shown));
    if (iPreviewRow >= 0 && iPreviewRow < kGunMaxBullets)
        (bX ? shown[iPreviewRow].iX : shown[iPreviewRow].iY) =
            std::clamp(iPreview, -kOffsetLimit, kOffsetLimit);
    m_pPlot->SetPattern(shown, m_iBulletCount);
    m_pPlot->SetHighlight(m_iEditBullet < m_iBulletCount ? m_iEditBullet : -1);
}

void CGunPage::SaveLibrary() const
{
    SaveGunLibrary(g_vecGun, ProgramFolders().data);
}

void CGunPage::RefreshBindings(int iGunIndex, bool bRemoved, bool& bCurrentAffected) const
{
    if (RefreshGunBindings(g_vecProfile, g_vecGun, iGunIndex, CurrentProfileIndex(), bRemoved))
        bCurrentAffected = true;
}

void CGunPage::SaveGun()
{
    GunData* gun = CurGun();
    if (gun == nullptr || gun->bLocked != 0)
        return;
    gun->byBulletCount = static_cast<uint8_t>(m_iBulletCount);
    std::memcpy(gun->aBullet, m_aBullet, sizeof(m_aBullet));
    SaveLibrary();
    bool bAffected = false;
    RefreshBindings(m_iCurGun, false, bAffected);
    if (bAffected)
        ::SendMessage(m_hWnd, WM_REFRESH_BUTTONS);
}

// --- guns and folders ---------------------------------------------------------

void CGunPage::AppendFolderItem(const QString& name)
{
    m_aFolderName.push_back(name);
    AddFolderItem(m_pFolderCombo, name);
}

void CGunPage::AppendGunItem(int iLibraryIndex)
{
    const GunData& gun = *g_vecGun[iLibraryIndex];
    m_aGunIndex.push_back(iLibraryIndex);
    AddLibraryItem(m_pGunList, GunName(gun), gun.bLocked != 0, kLockLeft);
}

void CGunPage::AddGun()
{
    if (m_iCurFolder < 0)
        return;
    const std::u16string folder = CurFolderName().toStdU16String();
    const auto name = CEditGunName::AskName(m_pPaintManager, m_hWnd, CEditNameWnd::kAddItem,
                                            g_vecGun, u"", folder);
    if (!name)
        return;
    const int index = AppendGun(g_vecGun, folder, *name);
    SaveLibrary();
    AppendGunItem(index);
    m_pGunList->SelectItem(m_pGunList->GetCount() - 1);
}

void CGunPage::DeleteGun()
{
    const int s = m_pGunList->GetCurSel();
    if (s < 0 || s >= static_cast<int>(m_aGunIndex.size()))
        return;
    if (CMsgWnd::ShowMessage(m_pPaintManager, m_hWnd, QStringLiteral("warning_title_text"),
                             QStringLiteral("delete_gun_text")) != 1)
        return;
    const int index = m_aGunIndex[s];
    g_vecGun.erase(g_vecGun.begin() + index);
    SaveLibrary();
    m_pGunList->RemoveAt(s);
    m_aGunIndex.erase(m_aGunIndex.begin() + s);
    for (std::size_t i = s; i < m_aGunIndex.size(); ++i)
        --m_aGunIndex[i];
    bool bAffected = false;
    RefreshBindings(index, true, bAffected);
    if (bAffected)
        ::SendMessage(m_hWnd, WM_REFRESH_BUTTONS);
    if (m_aGunIndex.empty())
        LoadGun(-1);
    else
        m_pGunList->SelectItem(std::min(s, static_cast<int>(m_aGunIndex.size()) - 1));
}

void CGunPage::RenameGun()
{
    GunData* gun = CurGun();
    if (gun == nullptr)
        return;
    const int index = m_iCurGun;
    const auto name =
        CEditGunName::AskName(m_pPaintManager, m_hWnd, CEditNameWnd::kRenameItem, g_vecGun,
                              NameFromField(gun->szGunName), NameFromField(gun->szFolder));
    if (CurGun() != gun)
        return;
    if (name)
    {
        SetNameField(gun->szGunName, *name);
        const auto item = std::find(m_aGunIndex.begin(), m_aGunIndex.end(), index);
        if (item != m_aGunIndex.end())
            if (CControlUI* control =
                    m_pGunList->GetItemAt(static_cast<int>(item - m_aGunIndex.begin())))
                control->SetText(GunName(*gun));
    }
    // The field shows the stored name again, changed or not.
    m_pGunNameEdit->SetText(gun->bLocked ? QString() : GunName(*gun));
    if (!name)
        return;
    if (gun->bLocked != 0)
    {
        // SaveGun leaves a locked gun alone; its new name must still be kept
        // and reach the slots that show it.
        SaveLibrary();
        bool bAffected = false;
        RefreshBindings(index, false, bAffected);
        if (bAffected)
            ::SendMessage(m_hWnd, WM_REFRESH_BUTTONS);
        return;
    }
    SaveGun();
}

void CGunPage::AddGunFolder()
{
    const auto name = CEditGunName::AskName(m_pPaintManager, m_hWnd, CEditNameWnd::kAddFolder,
                                            g_vecGun, u"", u"");
    if (!name)
        return;
    AppendFolderEntry(g_vecGun, *name);
    AppendFolderItem(QString::fromStdU16String(*name));
    SaveLibrary();
    m_pFolderCombo->SelectItem(m_pFolderCombo->GetCount() - 1);
}

void CGunPage::RemoveGunFolder()
{
    if (m_aFolderName.empty() || m_iCurFolder < 0)
        return;
    if (CMsgWnd::ShowMessage(m_pPaintManager, m_hWnd, QStringLiteral("warning_title_text"),
                             QStringLiteral("delete_gun_dir_text")) != 1)
        return;
    // Slots bound to the removed guns go back to their factory function,
    // as when a single gun is deleted, rather than keep naming a position
    // that now holds some other gun.
    bool bAffected = false;
    for (int index :
         DeleteGunFolder(g_vecGun, ProgramFolders().data, CurFolderName().toStdU16String()))
        RefreshBindings(index, true, bAffected);
    if (bAffected)
        ::SendMessage(m_hWnd, WM_REFRESH_BUTTONS);
    const int removed = m_iCurFolder;
    m_aFolderName.removeAt(removed);
    m_pFolderCombo->RemoveAt(removed);
    m_iCurFolder = std::min<int>(removed, static_cast<int>(m_aFolderName.size()) - 1);
    m_pFolderCombo->SelectItem(m_iCurFolder, false, false);
    FillGunList(CurFolderName());
}

void CGunPage::RenameGunFolder()
{
    if (m_iCurFolder < 0)
        return;
    const std::u16string oldName = CurFolderName().toStdU16String();
    const auto name = CEditGunName::AskName(m_pPaintManager, m_hWnd, CEditNameWnd::kRenameFolder,
                                            g_vecGun, oldName, u"");
    if (!name)
        return;
    m_aFolderName[m_iCurFolder] = QString::fromStdU16String(*name);
    for (auto& record : g_vecGun)
        if (InFolder(*record, oldName))
            SetNameField(record->szFolder, *name);
    SaveLibrary();
    if (CControlUI* item = m_pFolderCombo->GetItemAt(m_iCurFolder))
        item->SetText(m_aFolderName[m_iCurFolder]);
    m_pFolderCombo->SetText(m_aFolderName[m_iCurFolder]);
}

// --- exchange files -----------------------------------------------------------

void CGunPage::RefuseImport() const
{
    CMsgWnd::ShowMessage(m_pPaintManager, m_hWnd, QStringLiteral("warning_title_text"),
                         QStringLiteral("gun_file_invalid_text"));
}

void CGunPage::ExportGun(bool bLocked)
{
    const GunData* gun = CurGun();
    if (gun == nullptr)
        return;
    const auto file = Desktop().GetSaveFileName(GunFileRequest(m_hWnd, false, true));
    if (!file)
        return;
    WriteGunFile(*file, *gun, bLocked);
}

void CGunPage::ExportGunFolder(bool bLocked)
{
    if (m_iCurFolder < 0)
        return;
    const auto file = Desktop().GetSaveFileName(GunFileRequest(m_hWnd, true, true));
    if (!file)
        return;
    WriteGunFolderFile(*file, g_vecGun, CurFolderName().toStdU16String(), bLocked);
}

void CGunPage::ImportGun()
{
    const auto file = Desktop().GetOpenFileName(GunFileRequest(m_hWnd, false, false));
    if (!file)
        return;
    GunData gun{};
    if (!ReadGunFile(*file, gun))
    {
        RefuseImport();
        return;
    }
    if (m_iCurFolder >= 0)
    {
        const int index = ImportGunIntoFolder(g_vecGun, gun, CurFolderName().toStdU16String(),
                                              file->stem().u16string());
        SaveLibrary();
        AppendGunItem(index);
        m_pGunList->SelectItem(m_pGunList->GetCount() - 1);
        return;
    }
    const int index = ImportGunWithFolder(g_vecGun, gun);
    AppendFolderItem(QString::fromStdU16String(NameFromField(g_vecGun[index]->szFolder)));
    m_pFolderCombo->SelectItem(m_pFolderCombo->GetCount() - 1);
    SaveLibrary();
    m_pGunList->SelectItem(0);
}

void CGunPage::ImportGunFolder()
{
    const auto file = Desktop().GetOpenFileName(GunFileRequest(m_hWnd, true, false));
    if (!file)
        return;
    std::vector<GunData> records;
    if (!ReadGunFolderFile(*file, records))
    {
        RefuseImport();
        return;
    }
    const std::u16string folder =
        ::ImportGunFolder(g_vecGun, std::move(records), file->stem().u16string());
    AppendFolderItem(QString::fromStdU16String(folder));
    m_pFolderCombo->SelectItem(m_pFolderCombo->GetCount() - 1);
    SaveLibrary();
}
