#include "guns/GunPage.h"

#include "app/LibraryPages.h"
#include "guns/RecoilPlotUI.h"
#include "macros/EditNameWnd.h"
#include "ui/ButtonUI.h"
#include "ui/ComboUI.h"
#include "ui/ContainerUI.h"
#include "ui/EditUI.h"
#include "ui/ListUI.h"
#include "ui/PaintManagerUI.h"

#include <algorithm>
#include <cstring>

namespace
{
constexpr int kOffsetLimit = 127;
constexpr int kMinDelay = 10;
constexpr int kMaxDelay = 1270;

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

CGunPage::CGunPage(BackgroundSave& saves) : CLibraryPage(saves) {}
CGunPage::~CGunPage() = default;

void CGunPage::Init()
{
    FindLibraryControls();
    m_pGunNameEdit = NeedControl<CEditUI>(QStringLiteral("edit_gun_name"));
    m_pBulletCombo = NeedControl<CComboUI>(QStringLiteral("zidan_combo"));
    for (int n = 1; n <= kGunMaxBullets; ++n)
    {
        Row& row = m_aRow[n - 1];
        auto numbered = [n](const char* format) { return QString::asprintf(format, n); };
        row.pContainer = NeedControl(numbered("ver_zidan_num_%d"));
        row.pDelayEdit = NeedControl<CEditUI>(numbered("edit_zidan_delay_%d"));
        row.pYEdit = NeedControl<CEditUI>(numbered("edit_zidan_y_%d"));
        row.pXEdit = NeedControl<CEditUI>(numbered("edit_zidan_x_%d"));
        row.pDelayUpBtn = NeedControl<CButtonUI>(numbered("zidan_delay_up_btn_%d"));
        row.pDelayDownBtn = NeedControl<CButtonUI>(numbered("zidan_delay_down_btn_%d"));
        row.pYUpBtn = NeedControl<CButtonUI>(numbered("zidan_y_up_btn_%d"));
        row.pYDownBtn = NeedControl<CButtonUI>(numbered("zidan_y_down_btn_%d"));
        row.pXDownBtn = NeedControl<CButtonUI>(numbered("zidan_x_down_btn_%d"));
        row.pXUpBtn = NeedControl<CButtonUI>(numbered("zidan_x_up_btn_%d"));
    }
    // The picture lives in a holder of the skin, so any window showing the
    // page gets it without knowing the control.
    auto* holder = NeedControl<CContainerUI>(QStringLiteral("gun_plot_ver"));
    if (!EndLookUp())
        return;
    m_pPlot = new CRecoilPlotUI;
    holder->Add(m_pPlot);
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
    if (sender != nullptr && !OnLibraryClick(sender))
        OnStepClick(sender);
}

bool CGunPage::OnStepClick(CControlUI* pSender)
{
    for (int i = 0; i < kGunMaxBullets; ++i)
    {
        Row& row = m_aRow[i];
        GunBullet& bullet = m_aBullet[i];
        // The edit's number moved one step and held to the field's range;
        // the edit shows what is stored.
        const auto step = [](CEditUI* edit, int direction, long long lo, long long hi)
        {
            const long long value = std::clamp<long long>(EditValue(edit) + direction, lo, hi);
            edit->SetText(QString::number(value));
            return value;
        };
        CEditUI* edit = nullptr;
        if (pSender == row.pYUpBtn || pSender == row.pYDownBtn)
        {
            edit = row.pYEdit;
            bullet.iY = static_cast<int32_t>(
                step(edit, pSender == row.pYUpBtn ? 1 : -1, -kOffsetLimit, kOffsetLimit));
        }
        else if (pSender == row.pXDownBtn || pSender == row.pXUpBtn)
        {
            // Crossed on purpose: "down" moves the aim right, "up" left.
            edit = row.pXEdit;
            bullet.iX = static_cast<int32_t>(
                step(edit, pSender == row.pXDownBtn ? 1 : -1, -kOffsetLimit, kOffsetLimit));
        }
        else if (pSender == row.pDelayUpBtn || pSender == row.pDelayDownBtn)
        {
            // Stepping stays within the range typing allows: the mouse gets
            // the delay in tens of milliseconds, so below 10 would be no pause.
            edit = row.pDelayEdit;
            bullet.wDelay = static_cast<uint16_t>(
                step(edit, pSender == row.pDelayUpBtn ? 1 : -1, kMinDelay, kMaxDelay));
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
    if (OnLibrarySelect(msg.pSender))
        return;
    if (msg.pSender == m_pBulletCombo)
    {
        const GunData* gun = CurRecord();
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
        const GunData* gun = CurRecord();
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
    m_iCurItem = GunAt(g_vecGun, iIndex) != nullptr ? iIndex : -1;
    m_iEditBullet = -1;
    const GunData* gun = CurRecord();
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
    const GunData* gun = CurRecord();
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

void CGunPage::SaveGun()
{
    GunData* gun = CurRecord();
    if (gun == nullptr || gun->bLocked != 0)
        return;
    gun->byBulletCount = static_cast<uint8_t>(m_iBulletCount);
    std::memcpy(gun->aBullet, m_aBullet, sizeof(m_aBullet));
    StoreRecord(m_iCurItem);
}

// --- guns ---------------------------------------------------------------------

void CGunPage::ItemDeleted(int iPos)
{
    if (m_aItemIndex.empty())
        LoadGun(-1);
    else
        m_pItemList->SelectItem(std::min(iPos, static_cast<int>(m_aItemIndex.size()) - 1));
}

void CGunPage::RenameGun()
{
    GunData* gun = CurRecord();
    if (!IsUsable() || gun == nullptr)
        return;
    const int index = m_iCurItem;
    const auto name = AskName(CEditNameWnd::kRenameItem, NameFromField(gun->szGunName),
                              NameFromField(gun->szFolder));
    if (CurRecord() != gun)
        return;
    if (name)
    {
        SetNameField(gun->szGunName, *name);
        const auto item = std::find(m_aItemIndex.begin(), m_aItemIndex.end(), index);
        if (item != m_aItemIndex.end())
            ItemRows(m_pItemList)
                .SetText(static_cast<int>(item - m_aItemIndex.begin()), GunName(*gun));
    }
    // The field shows the stored name again, changed or not.
    m_pGunNameEdit->SetText(gun->bLocked ? QString() : GunName(*gun));
    if (!name)
        return;
    if (gun->bLocked != 0)
    {
        // SaveGun leaves a locked gun alone; its new name must still be kept
        // and reach the slots that show it.
        StoreRecord(index);
        return;
    }
    SaveGun();
}
