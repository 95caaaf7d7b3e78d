#include "buttons/ButtonPage.h"

#include "app/MsgWnd.h"
#include "app/StartupData.h"
#include "buttons/ButtonFunctions.h"
#include "buttons/SelectGunWnd.h"
#include "buttons/SelectMacroWnd.h"
#include "buttons/ShortcutWnd.h"
#include "model/NameField.h"
#include "ui/ButtonUI.h"
#include "ui/MenuUI.h"
#include "ui/MenuWnd.h"
#include "ui/ModalDialog.h"
#include "ui/OptionUI.h"
#include "ui/PaintManagerUI.h"
#include "ui/ResourceManager.h"

#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

namespace
{

QString Numbered(const char* format, int number)
{
    return QString::asprintf(format, number);
}

std::string TranslateKey(std::string_view key)
{
    return CResourceManager::GetInstance()
        ->GetText(QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size())))
        .toStdString();
}

// Runs a selection dialog the way every caller does: the main window dimmed,
// the dialog centred over it and modal. With a list name, the dialog's list
// gets the timer that restores the current binding once the dialog shows.
UINT RunDialog(WindowImplBase& dialog, CPaintManagerUI* pOverlayWindow, HWND hOwner,
               const QString& className, const QString& listName = QString())
{
    return RunModalDialog(dialog, pOverlayWindow, hOwner, className,
                          [&dialog, &listName]
                          {
                              if (listName.isEmpty())
                                  return;
                              CPaintManagerUI* pm = dialog.GetPaintManager();
                              if (CControlUI* list = pm->FindControl(listName))
                                  pm->SetTimer(list, kRestoreBindingTimer, 100);
                          });
}

} // namespace

DUI_BEGIN_MESSAGE_MAP(CButtonPage, CNotifyPump)
DUI_ON_MSGTYPE(DUI_MSGTYPE_CLICK, OnClick)
DUI_ON_MSGTYPE(DUI_MSGTYPE_SELECTCHANGED, OnSelectChanged)
DUI_ON_MSGTYPE(DUI_MSGTYPE_MOUSEENTER, OnMouseEnter)
DUI_ON_MSGTYPE(DUI_MSGTYPE_MOUSELEAVE, OnMouseLeave)
DUI_END_MESSAGE_MAP()

CButtonPage::CButtonPage() : CSkinPage(QStringLiteral("button.xml")) {}
CButtonPage::~CButtonPage() = default;

void CButtonPage::Init()
{
    for (int k = 0; k < kButtonSlots; ++k)
        m_pButton[k] = NeedControl<CButtonUI>(Numbered("button%d_btn", k + 1));
    for (int m = 0; m < 2; ++m)
        m_pModeOption[m] = NeedControl<COptionUI>(Numbered("button_mode_option_%d", m + 1));
    for (int k = 0; k < kSlotsPerMode; ++k)
        m_pHighlight[k] = NeedControl(Numbered("control_button_pic_%d", k + 1));
    m_pOfficeLeft = NeedControl(QStringLiteral("office_mode_left"));
    m_pOfficeRight = NeedControl(QStringLiteral("office_mode_right"));
    m_pGameLeft = NeedControl(QStringLiteral("game_mode_left"));
    m_pGameRight = NeedControl(QStringLiteral("game_mode_right"));
    m_pBasePic = NeedControl(QStringLiteral("control_button_pic_0"));
    EndLookUp();
}

void CButtonPage::RefreshPage()
{
    if (!IsUsable() || g_pCurProfile == nullptr)
        return;
    ShowButtonMode(g_pCurProfile->iButtonMode);
    RefreshLabels();
}

void CButtonPage::RefreshLabels()
{
    if (!IsUsable())
        return;
    for (int s = 0; s < kButtonSlots; ++s)
        RefreshButtonLabel(s);
}

void CButtonPage::ShowButtonMode(int32_t iMode)
{
    const bool office = iMode == 0;
    for (CControlUI* c : {m_pOfficeLeft, m_pOfficeRight})
        if (c != nullptr)
            c->SetVisible(office);
    for (CControlUI* c : {m_pGameLeft, m_pGameRight})
        if (c != nullptr)
            c->SetVisible(!office);
    if (COptionUI* option = m_pModeOption[office ? 0 : 1])
        option->Selected(true);
}

void CButtonPage::RefreshButtonLabel(int iSlot)
{
    if (g_pCurProfile == nullptr || iSlot < 0 || iSlot >= kButtonSlots ||
        m_pButton[iSlot] == nullptr)
        return;
    const ButtonLabel label = SlotLabel(g_pCurProfile->aButton[iSlot], TranslateKey);
    CButtonUI* button = m_pButton[iSlot];
    // A key follows later language switches by itself; a composed text and
    // the tooltip are made again by RefreshLabels.
    button->SetResourceText(label.bTextKey);
    button->SetText(QString::fromStdString(label.text));
    button->SetToolTip(button->GetText());
}

int CButtonPage::SlotOf(const CControlUI* pSender) const
{
    for (int k = 0; k < kButtonSlots; ++k)
        if (pSender != nullptr && pSender == m_pButton[k])
            return k;
    return -1;
}

void CButtonPage::OnClick(TNotifyUI& msg)
{
    const int slot = SlotOf(msg.pSender);
    if (slot >= 0)
        OpenButtonMenu(slot);
}

void CButtonPage::OpenButtonMenu(int iSlot)
{
    m_iCurSlot = iSlot;
    m_pButtonMenu.reset();
    RECT window{};
    ::GetWindowRect(m_hWnd, &window);
    const RECT button = m_pButton[iSlot]->GetPos();
    POINT point{window.left + button.left, window.top + button.bottom};
    m_pButtonMenu = std::make_unique<CMenuWnd>();
    m_pButtonMenu->Init(nullptr, QStringLiteral("buttonmenu.xml"), point, m_pPaintManager);

    const int items = m_pButtonMenu->GetMenuUI()->GetVisibleItemCount();
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int screenHeight = screen != nullptr ? screen->geometry().height() : 0;
    const int top = ButtonMenuTop(window.top, button.top, button.bottom, items, screenHeight);
    if (top != point.y)
    {
        point.y = top;
        m_pButtonMenu->SetBasedPoint(point);
        m_pButtonMenu->ResizeMenu();
    }
}

void CButtonPage::OnSelectChanged(TNotifyUI& msg)
{
    for (int m = 0; m < 2; ++m)
    {
        if (msg.pSender == nullptr || msg.pSender != m_pModeOption[m])
            continue;
        if (g_pCurProfile != nullptr)
            g_pCurProfile->iButtonMode = m;
        ShowButtonMode(m);
    }
}

void CButtonPage::OnMouseEnter(TNotifyUI& msg)
{
    const int slot = SlotOf(msg.pSender);
    if (slot < 0)
        return;
    if (CControlUI* pic = m_pHighlight[slot % kSlotsPerMode])
        pic->SetVisible(true);
    if (m_pBasePic != nullptr)
        m_pBasePic->SetVisible(false);
}

void CButtonPage::OnMouseLeave(TNotifyUI& msg)
{
    if (SlotOf(msg.pSender) < 0)
        return;
    for (CControlUI* pic : m_pHighlight)
        if (pic != nullptr)
            pic->SetVisible(false);
    if (m_pBasePic != nullptr)
        m_pBasePic->SetVisible(true);
}

void CButtonPage::AssignFunction(const QString& item)
{
    const int i = m_iCurSlot;
    if (!IsUsable() || g_pCurProfile == nullptr || i < 0 || i >= kButtonSlots)
        return;
    ProfileData& profile = *g_pCurProfile;
    ButtonData& slot = profile.aButton[i];
    const uint8_t code = FunctionCodeForItem(item.toStdString(), i, g_DefaultProfile);

    if (!KeepsLeftClick(profile, i, code))
    {
        CMsgWnd::ShowMessage(m_pPaintManager, m_hWnd, QStringLiteral("warning_title_text"),
                             QStringLiteral("one_left_click_text"), MsgKind::Information);
        return;
    }
    if (code == kFunctionShortcutKey && !EditShortcut(slot))
        return;
    if (code == kFunctionSelectMacro && !SelectMacro(slot))
        return;
    if (code == kFunctionSelectGun && !SelectGun(slot))
        return;

    const int twin = StoreFunctionCode(profile, i, code);
    if (twin >= 0)
        RefreshButtonLabel(twin);
    RefreshButtonLabel(i);
}

bool CButtonPage::EditShortcut(ButtonData& slot)
{
    if (slot.byFunction != kFunctionShortcutKey)
    {
        slot.byShortcutMods = 0;
        slot.byShortcutKey = 0;
    }
    CShortcutWnd dialog;
    ShortcutFlagsFromMods(slot.byShortcutMods, dialog.m_byFlag);
    dialog.m_byKey = slot.byShortcutKey;
    if (RunDialog(dialog, m_pPaintManager, m_hWnd, QStringLiteral("ShortcutWnd")) != 1)
        return false;
    slot.byShortcutKey = dialog.m_byKey;
    slot.byShortcutMods = ShortcutModsFromFlags(dialog.m_byFlag);
    return true;
}

bool CButtonPage::SelectMacro(ButtonData& slot)
{
    if (slot.byFunction != kFunctionSelectMacro)
    {
        if (BindingLimitReached(*g_pCurProfile, m_iCurSlot, kFunctionSelectMacro))
            return false;
        slot.iMacroIndex = -1;
        slot.iMacroMode = 0;
        slot.iLibValue = 1;
        SetNameField(slot.szAssignedFolder, u"");
        SetNameField(slot.szAssignedName, u"");
    }
    CSelectMacroWnd dialog;
    dialog.m_iLoopCount = slot.iLibValue;
    dialog.m_iMacroIndex = slot.iMacroIndex;
    dialog.m_iRepeatMode = slot.iMacroMode;
    dialog.m_strFolder = QString::fromStdU16String(NameFromField(slot.szAssignedFolder));
    dialog.m_strMacroName = QString::fromStdU16String(NameFromField(slot.szAssignedName));
    if (RunDialog(dialog, m_pPaintManager, m_hWnd, QStringLiteral("SelectMacroWnd"),
                  QStringLiteral("macro_list")) != 1)
        return false;
    const MacroData* macro = FindMacro(g_vecMacro, dialog.m_strFolder.toStdU16String(),
                                       dialog.m_strMacroName.toStdU16String());
    if (macro == nullptr)
        return false;
    BindMacro(slot, *macro, dialog.m_iMacroIndex, dialog.m_iRepeatMode, dialog.m_iLoopCount);
    return true;
}

bool CButtonPage::SelectGun(ButtonData& slot)
{
    if (slot.byFunction != kFunctionSelectGun)
    {
        if (BindingLimitReached(*g_pCurProfile, m_iCurSlot, kFunctionSelectGun))
            return false;
        slot.iGunIndex = -1;
        slot.iMacroMode = 0;
        slot.clrGun = 255;
    }
    CSelectGunWnd dialog;
    dialog.m_iGunIndex = slot.iGunIndex;
    dialog.m_iRepeatMode = slot.iMacroMode;
    dialog.m_clrGun = slot.clrGun;
    if (RunDialog(dialog, m_pPaintManager, m_hWnd, QStringLiteral("SelectGunWnd"),
                  QStringLiteral("gun_list")) != 1)
        return false;
    const GunData* gun = GunAt(g_vecGun, dialog.m_iGunIndex);
    if (gun == nullptr || gun->bIsFolder != 0)
        return false;
    BindGun(slot, *gun, dialog.m_iGunIndex, dialog.m_iRepeatMode, dialog.m_clrGun);
    return true;
}
