#include "macros/MacroPage.h"

#include "app/LibraryPages.h"
#include "macros/EditNameWnd.h"
#include "macros/MacroActionRows.h"
#include "model/DebugTrace.h"
#include "model/KeyTables.h"
#include "ui/ButtonUI.h"
#include "ui/CheckBoxUI.h"
#include "ui/ComboUI.h"
#include "ui/EditUI.h"
#include "ui/LabelUI.h"
#include "ui/ListUI.h"
#include "ui/OptionUI.h"
#include "ui/PaintManagerUI.h"
#include "ui/ResourceManager.h"
#include "ui/WindowWnd.h"

#include <algorithm>
#include <cstring>

namespace
{
constexpr UINT kScrollTimer = 3;
constexpr UINT kScrollDelayMs = 50;
constexpr int kInsertMoveLimit = 36;
constexpr int kMoveLimit = 32767;

std::chrono::steady_clock::time_point SteadyNow()
{
    return std::chrono::steady_clock::now();
}
} // namespace

DUI_BEGIN_MESSAGE_MAP(CMacroPage, CNotifyPump)
DUI_ON_MSGTYPE(DUI_MSGTYPE_CLICK, OnNotify)
DUI_ON_MSGTYPE(DUI_MSGTYPE_SELECTCHANGED, OnNotify)
DUI_ON_MSGTYPE(DUI_MSGTYPE_ITEMSELECT, OnNotify)
DUI_ON_MSGTYPE(DUI_MSGTYPE_CHECKCLICK, OnNotify)
DUI_ON_MSGTYPE(DUI_MSGTYPE_MOUSEENTER, OnNotify)
DUI_ON_MSGTYPE(DUI_MSGTYPE_MOUSELEAVE, OnNotify)
DUI_ON_MSGTYPE(DUI_MSGTYPE_TIMER, OnNotify)
DUI_ON_MSGTYPE(DUI_MSGTYPE_SETFOCUS, OnNotify)
DUI_ON_MSGTYPE(DUI_MSGTYPE_KILLFOCUS, OnNotify)
DUI_ON_MSGTYPE(DUI_MSGTYPE_TEXTCHANGED, OnNotify)
DUI_END_MESSAGE_MAP()

CMacroPage::CMacroPage(BackgroundSave& saves) : CLibraryPage(saves), m_clock(&SteadyNow) {}

CMacroPage::~CMacroPage()
{
    if (m_recorder.IsRecording() || m_bCapturing)
    {
        m_hook.RemoveHook();
        m_hook.RemoveMouseHook();
    }
}

void CMacroPage::Init()
{
    FindLibraryControls();
    m_pActionList = NeedControl<CListUI>(QStringLiteral("macro_action_list"));
    m_pMacroNameEdit = NeedControl<CEditUI>(QStringLiteral("edit_macro_name"));
    m_pLoopEdit = NeedControl<CEditUI>(QStringLiteral("edit_loop_time"));
    m_pMoveUpBtn = NeedControl<CButtonUI>(QStringLiteral("btn_macro_move_up"));
    m_pMoveDownBtn = NeedControl<CButtonUI>(QStringLiteral("btn_macro_move_down"));
    m_pDeleteActionBtn = NeedControl<CButtonUI>(QStringLiteral("btn_macro_action_delete"));
    m_pClearAllBtn = NeedControl<CButtonUI>(QStringLiteral("btn_macro_clear_all"));
    m_pKeyHor = NeedControl(QStringLiteral("macro_key_hor"));
    m_pActionKeyEdit = NeedControl<CEditUI>(QStringLiteral("edit_macro_action"));
    m_pMouseActionCombo = NeedControl<CComboUI>(QStringLiteral("macro_mouse_action_combo"));
    m_pDelayHor = NeedControl(QStringLiteral("macro_delay_hor"));
    m_pDelayEdit = NeedControl<CEditUI>(QStringLiteral("edit_macro_delay"));
    m_pMoveHor = NeedControl(QStringLiteral("macro_mouse_move_hor"));
    m_pMoveXEdit = NeedControl<CEditUI>(QStringLiteral("edit_macro_action_x"));
    m_pMoveYEdit = NeedControl<CEditUI>(QStringLiteral("edit_macro_action_y"));
    m_pInsertMoveBtn = NeedControl<CButtonUI>(QStringLiteral("btn_insert_move"));
    m_pInsertXEdit = NeedControl<CEditUI>(QStringLiteral("edit_insert_x"));
    m_pInsertYEdit = NeedControl<CEditUI>(QStringLiteral("edit_insert_y"));
    m_pRecordBtn = NeedControl<CCheckBoxUI>(QStringLiteral("btn_record"));
    m_pDefaultDelayEdit = NeedControl<CEditUI>(QStringLiteral("edit_default_delay"));
    for (int i = 0; i < 3; ++i)
        m_pDelayOption[i] =
            NeedControl<COptionUI>(QStringLiteral("macro_delay_option_%1").arg(i + 1));
    // Only says where recording sees input: the page works without it.
    m_pRecordScopeLabel = m_pPaintManager->FindControl(QStringLiteral("label_record_scope"));
    if (!EndLookUp())
        return;
    SetHookLibrary(LoadHookLibrary());
    EmptyEditor();
}

void CMacroPage::SetHookLibrary(const HookLibrary& hook)
{
    m_hook = hook;
    // Whether a game's keys are recorded too is worth saying.
    if (m_pRecordScopeLabel != nullptr)
        m_pRecordScopeLabel->SetText(m_hook.SeesDesktop()
                                         ? QStringLiteral("record_scope_desktop_text")
                                         : QStringLiteral("record_scope_window_text"));
}

void CMacroPage::OnNotify(TNotifyUI& msg)
{
    if (msg.sType == DUI_MSGTYPE_CLICK)
        OnClick(msg);
    else if (msg.sType == DUI_MSGTYPE_SELECTCHANGED)
    {
        for (int i = 0; i < 3; ++i)
            if (msg.pSender == m_pDelayOption[i] && m_pDelayOption[i]->IsSelected())
                m_iDelayMode = i;
    }
    else if (msg.sType == DUI_MSGTYPE_ITEMSELECT)
        OnItemSelect(msg);
    else if (msg.sType == DUI_MSGTYPE_CHECKCLICK && msg.pSender == m_pRecordBtn)
        OnRecordClick();
    else if (msg.sType == DUI_MSGTYPE_MOUSEENTER && msg.pSender == m_pRecordBtn)
    {
        // The clicks on the record button itself are not part of the macro.
        if (m_recorder.IsRecording())
            m_hook.EnableMouseHook(false);
    }
    else if (msg.sType == DUI_MSGTYPE_MOUSELEAVE && msg.pSender == m_pRecordBtn)
    {
        if (m_recorder.IsRecording())
            m_hook.EnableMouseHook(true);
    }
    else if (msg.sType == DUI_MSGTYPE_SETFOCUS && msg.pSender == m_pActionKeyEdit)
    {
        // Key capture: the next key pressed becomes the selected action's key.
        if (!m_recorder.IsRecording() && !m_bCapturing)
        {
            m_bCapturing = true;
            m_hook.InstallHook(m_hWnd);
            m_hook.EnableHook(true);
        }
    }
    else if (msg.sType == DUI_MSGTYPE_TIMER && msg.pSender == m_pActionList &&
             msg.wParam == kScrollTimer)
    {
        m_pPaintManager->KillTimer(m_pActionList, kScrollTimer);
        if (m_iInsertPos >= 1)
            m_pActionList->EnsureVisible(m_iInsertPos - 1);
    }
    else if (msg.sType == DUI_MSGTYPE_KILLFOCUS)
        OnKillFocus(msg);
    else if (msg.sType == DUI_MSGTYPE_TEXTCHANGED)
        OnTextChanged(msg);
}

void CMacroPage::OnClick(TNotifyUI& msg)
{
    CControlUI* sender = msg.pSender;
    if (OnLibraryClick(sender))
        return;
    if (sender == m_pMoveUpBtn)
        MoveAction(-1);
    else if (sender == m_pMoveDownBtn)
        MoveAction(1);
    else if (sender == m_pDeleteActionBtn)
        DeleteAction();
    else if (sender == m_pClearAllBtn)
        ClearActions();
    else if (sender == m_pInsertMoveBtn)
        InsertMove();
}

void CMacroPage::OnItemSelect(TNotifyUI& msg)
{
    if (OnLibrarySelect(msg.pSender))
        return;
    if (msg.pSender == m_pActionList)
    {
        m_iCurAction = m_pActionList->GetCurSel();
        ShowActionEditor(m_iCurAction);
    }
    else if (msg.pSender == m_pMouseActionCombo)
        OnMouseActionSelect(m_pMouseActionCombo->GetCurSel());
}

void CMacroPage::OnKillFocus(TNotifyUI& msg)
{
    if (msg.pSender == m_pActionKeyEdit)
    {
        if (m_bCapturing)
        {
            m_bCapturing = false;
            m_hook.RemoveHook();
            m_hook.EnableHook(false);
        }
    }
    else if (msg.pSender == m_pDelayEdit)
        OnDelayEditKillFocus();
    else if (msg.pSender == m_pLoopEdit)
        OnLoopEditKillFocus();
    else if (msg.pSender == m_pMacroNameEdit)
    {
        if (m_iCurItem >= 0)
            RenameMacro();
    }
    else if (msg.pSender == m_pMoveXEdit)
        OnMoveEditKillFocus(m_pMoveXEdit, true);
    else if (msg.pSender == m_pMoveYEdit)
        OnMoveEditKillFocus(m_pMoveYEdit, false);
}

void CMacroPage::OnTextChanged(TNotifyUI& msg)
{
    for (CEditUI* edit : {m_pMoveXEdit, m_pMoveYEdit, m_pInsertXEdit, m_pInsertYEdit})
        if (edit != nullptr && msg.pSender == edit)
            FilterNumberText(edit, kMoveLimit);
}

// --- selection and the editor ----------------------------------------------

bool CMacroPage::CurMacroEditable() const
{
    const MacroData* macro = CurRecord();
    return macro != nullptr && macro->bLocked == 0;
}

void CMacroPage::ShowItem(int iIndex)
{
    if (iIndex < 0)
        EmptyEditor();
    else
        LoadMacro(iIndex);
}

void CMacroPage::StopEditing()
{
    // Recording belongs to the macro it started in.
    if (m_recorder.IsRecording())
        StopRecording();
}

void CMacroPage::EmptyEditor()
{
    m_iCurItem = -1;
    std::memset(m_aAction, 0, sizeof(m_aAction));
    m_iActionCount = 0;
    m_iCurAction = -1;
    m_bKeepSelection = false;
    m_iLoopCount = 1;
    ShowActionEditor(-1);
    if (m_pMacroNameEdit != nullptr)
        m_pMacroNameEdit->SetText(QString());
    if (m_pLoopEdit != nullptr)
        m_pLoopEdit->SetText(QStringLiteral("1"));
    RefreshActionList();
}

void CMacroPage::LoadMacro(int iIndex)
{
    // Recording belongs to the macro it started in.
    if (m_recorder.IsRecording() && iIndex != m_iCurItem)
        StopRecording();
    m_iCurItem = iIndex;
    m_bKeepSelection = false;
    const MacroData* macro = CurRecord();
    if (macro == nullptr)
        return;
    if (macro->bLocked != 0)
    {
        // A locked macro keeps its actions to itself.
        std::memset(m_aAction, 0, sizeof(m_aAction));
        m_iActionCount = 0;
        m_iCurAction = -1;
        m_iLoopCount = 1;
        ShowActionEditor(-1);
        m_pMacroNameEdit->SetText(QString());
        m_pLoopEdit->SetText(QStringLiteral("1"));
    }
    else
    {
        std::memcpy(m_aAction, macro->aAction, sizeof(m_aAction));
        m_iActionCount = ActionCount(*macro);
        m_iLoopCount = macro->wLoopCount;
        if (m_iActionCount == 0)
        {
            m_iCurAction = -1;
            ShowActionEditor(-1);
        }
        m_pLoopEdit->SetText(QString::number(m_iLoopCount));
    }
    RefreshActionList();
}

void CMacroPage::SaveMacro()
{
    MacroData* macro = CurRecord();
    if (macro == nullptr || macro->bLocked != 0)
        return;
    std::memcpy(macro->aAction, m_aAction, sizeof(m_aAction));
    macro->wActionCount = static_cast<uint16_t>(m_iActionCount);
    macro->wLoopCount = static_cast<uint16_t>(m_iLoopCount);
    StoreRecord(m_iCurItem);
}

// --- the action list ----------------------------------------------------------

void CMacroPage::RefreshActionList()
{
    if (m_pActionList == nullptr)
        return;
    // Nothing selected, as in a list filled anew.
    m_pActionList->SelectItem(-1, false, false);
    ActionRows().SetActions(m_aAction, m_iActionCount);
    SelectInsertedAction();
}

CMacroActionRows& CMacroPage::ActionRows()
{
    auto* rows = dynamic_cast<CMacroActionRows*>(m_pActionList->GetRowSource());
    if (rows == nullptr)
    {
        auto made = std::make_unique<CMacroActionRows>(m_pPaintManager);
        rows = made.get();
        m_pActionList->SetRowSource(std::move(made));
    }
    return *rows;
}

void CMacroPage::RefreshTexts()
{
    // Key names and press or release are made once per item: the list is
    // filled again from the working copy, the selected action staying selected.
    if (!IsUsable() || m_iActionCount == 0)
        return;
    const int selected = m_iCurAction;
    RefreshActionList();
    SelectAction(selected);
}

void CMacroPage::SelectInsertedAction()
{
    if (m_bKeepSelection)
    {
        SelectAction(m_iInsertPos - 1);
        m_pPaintManager->SetTimer(m_pActionList, kScrollTimer, kScrollDelayMs);
    }
    else
    {
        SelectAction(m_iActionCount - 1);
        if (m_iActionCount > 0)
            m_pActionList->EnsureVisible(m_iActionCount - 1);
    }
}

void CMacroPage::SelectAction(int iAction)
{
    if (iAction >= 0 && iAction < m_pActionList->GetCount())
        m_pActionList->SelectItem(iAction);
}

void CMacroPage::BuildActionItem(int iAction, bool bRedraw)
{
    if (bRedraw)
        ActionRows().Redraw(iAction, m_aAction[iAction]);
    else
        ActionRows().Insert(iAction, m_aAction[iAction]);
}

void CMacroPage::ShowActionEditor(int iAction)
{
    if (m_pKeyHor == nullptr || m_pDelayHor == nullptr || m_pMoveHor == nullptr)
        return;
    if (iAction < 0 || iAction >= m_iActionCount)
    {
        m_pActionKeyEdit->SetText(QString());
        m_pDelayEdit->SetText(QString());
        m_pKeyHor->SetVisible(false);
        m_pDelayHor->SetVisible(false);
        m_pMoveHor->SetVisible(false);
        m_pMouseActionCombo->SelectItem(0, false, false);
        return;
    }
    const MacroAction& action = m_aAction[iAction];
    m_pDelayHor->SetVisible(true);
    m_pDelayEdit->SetText(QString::number(action.wDelay));
    if (IsMouseButton(action.byCode))
    {
        m_pKeyHor->SetVisible(true);
        m_pMouseActionCombo->SetVisible(true);
        m_pMouseActionCombo->SelectItem(action.byCode - kMouseLeft, false, false);
        m_pActionKeyEdit->SetVisible(false);
        m_pMoveHor->SetVisible(false);
    }
    else if (action.byCode == kMacroCodeMouseMove)
    {
        m_pKeyHor->SetVisible(false);
        m_pMoveHor->SetVisible(true);
        m_pMoveXEdit->SetText(QString::number(action.iX));
        m_pMoveYEdit->SetText(QString::number(action.iY));
    }
    else
    {
        m_pKeyHor->SetVisible(true);
        m_pActionKeyEdit->SetVisible(true);
        m_pActionKeyEdit->SetText(KeyName(action.byCode));
        m_pMouseActionCombo->SetVisible(false);
        m_pMoveHor->SetVisible(false);
    }
}

// --- action edits -----------------------------------------------------------

void CMacroPage::OnMouseActionSelect(int iItem)
{
    if (m_iCurAction < 0 || m_iCurAction >= m_iActionCount || iItem < 0 || !CurMacroEditable())
        return;
    m_aAction[m_iCurAction].byCode = static_cast<uint8_t>(kMouseLeft + iItem);
    BuildActionItem(m_iCurAction, true);
    SaveMacro();
}

void CMacroPage::OnDelayEditKillFocus()
{
    if (m_iCurAction < 0 || m_iCurAction >= m_iActionCount)
        return;
    long long v = m_pDelayEdit->GetText().toLongLong();
    if (v < 10 || v > 65535)
    {
        v = std::clamp(v, 10LL, 65535LL);
        m_pDelayEdit->SetText(QString::number(v));
    }
    if (!CurMacroEditable())
        return;
    m_aAction[m_iCurAction].wDelay = static_cast<uint16_t>(v);
    BuildActionItem(m_iCurAction, true);
    SaveMacro();
}

void CMacroPage::OnMoveEditKillFocus(CEditUI* pEdit, bool bX)
{
    if (m_iCurAction < 0 || m_iCurAction >= m_iActionCount)
        return;
    long long v = pEdit->GetText().toLongLong();
    if (v < -kMoveLimit || v > kMoveLimit)
    {
        v = std::clamp<long long>(v, -kMoveLimit, kMoveLimit);
        pEdit->SetText(QString::number(v));
    }
    if (!CurMacroEditable())
        return;
    (bX ? m_aAction[m_iCurAction].iX : m_aAction[m_iCurAction].iY) = static_cast<int32_t>(v);
    BuildActionItem(m_iCurAction, true);
    SaveMacro();
}

void CMacroPage::OnLoopEditKillFocus()
{
    long long v = m_pLoopEdit->GetText().toLongLong();
    if (v < 1 || v > 255)
    {
        v = std::clamp(v, 1LL, 255LL);
        m_pLoopEdit->SetText(QString::number(v));
    }
    m_iLoopCount = static_cast<int>(v);
    SaveMacro();
}

// --- list operations ----------------------------------------------------------

void CMacroPage::MoveAction(int iDelta)
{
    const int s = m_pActionList->GetCurSel();
    const int t = s + iDelta;
    if (s < 0 || t < 0 || t >= m_iActionCount || !CurMacroEditable())
        return;
    std::swap(m_aAction[s], m_aAction[t]);
    BuildActionItem(s, true);
    BuildActionItem(t, true);
    m_pActionList->SelectItem(t);
    SaveMacro();
}

void CMacroPage::DeleteAction()
{
    const int s = m_pActionList->GetCurSel();
    if (s < 0 || s != m_iCurAction || s >= m_iActionCount || !CurMacroEditable())
        return;
    std::move(m_aAction + s + 1, m_aAction + m_iActionCount, m_aAction + s);
    m_aAction[m_iActionCount - 1] = MacroAction{};
    --m_iActionCount;
    ActionRows().Remove(s);
    if (m_iActionCount == 0)
    {
        m_iCurAction = -1;
        ShowActionEditor(-1);
    }
    else
        SelectAction(std::min(s, m_iActionCount - 1));
    SaveMacro();
}

void CMacroPage::ClearActions()
{
    if (!CurMacroEditable())
        return;
    std::memset(m_aAction, 0, sizeof(m_aAction));
    m_iActionCount = 0;
    m_bKeepSelection = false;
    m_iInsertPos = -1;
    m_iCurAction = -1;
    SaveMacro();
    RefreshActionList();
    ShowActionEditor(-1);
}

void CMacroPage::InsertMove()
{
    if (!CurMacroEditable() || m_iActionCount >= kInsertMoveLimit)
        return;
    MacroAction move{};
    move.byCode = kMacroCodeMouseMove;
    move.byKind = kMacroKindMove;
    move.wDelay = 10;
    move.iX = std::clamp(m_pInsertXEdit->GetText().toInt(), -kMoveLimit, kMoveLimit);
    move.iY = std::clamp(m_pInsertYEdit->GetText().toInt(), -kMoveLimit, kMoveLimit);
    if (m_iCurAction >= 0)
    {
        m_iInsertPos = m_iInsertStart = m_iCurAction + 1;
        m_bKeepSelection = true;
    }
    else
        m_iInsertPos = m_iInsertStart = -1;
    const int p = m_iInsertPos == -1 ? m_iActionCount : m_iInsertPos;
    InsertAction(move);
    SaveMacro();
    // One new row; the selection is chosen anew, as for a refilled list.
    m_pActionList->SelectItem(-1, false, false);
    BuildActionItem(p);
    SelectInsertedAction();
    m_bKeepSelection = false;
}

void CMacroPage::InsertAction(const MacroAction& action)
{
    if (m_iActionCount >= kMacroMaxActions)
        return;
    const int p = m_iInsertPos == -1 ? m_iActionCount : m_iInsertPos;
    std::move_backward(m_aAction + p, m_aAction + m_iActionCount, m_aAction + m_iActionCount + 1);
    m_aAction[p] = action;
    ++m_iActionCount;
    ++m_iCurAction;
    if (m_iInsertPos != -1)
        ++m_iInsertPos;
}

// --- library operations -----------------------------------------------------

void CMacroPage::RenameMacro()
{
    MacroData* macro = CurRecord();
    if (!IsUsable() || macro == nullptr)
        return;
    const int index = m_iCurItem;
    const auto name = AskName(CEditNameWnd::kRenameItem, NameFromField(macro->szMacroName),
                              NameFromField(macro->szFolder));
    if (!name || CurRecord() != macro)
        return;
    SetNameField(macro->szMacroName, *name);
    ItemRows(m_pItemList)
        .SetText(m_pItemList->GetCurSel(),
                 QString::fromStdU16String(NameFromField(macro->szMacroName)));
    if (macro->bLocked != 0)
    {
        // SaveMacro leaves locked macros alone; the name must still be kept.
        StoreRecord(index);
        return;
    }
    SaveMacro();
}

void CMacroPage::ItemDeleted(int /*iPos*/)
{
    // The removed macro must not stay in the editor, whatever remains listed.
    m_pItemList->SelectItem(-1, false, false);
    EmptyEditor();
}

// --- recording --------------------------------------------------------------

void CMacroPage::OnRecordClick()
{
    const bool recording = m_recorder.IsRecording();
    if (!CurMacroEditable() || (!recording && !MacroRecorder::HasRoom(m_iActionCount)))
    {
        m_pRecordBtn->SetCheck(false);
        return;
    }
    if (recording)
    {
        StopRecording();
        return;
    }
    if (m_iCurAction < 0)
    {
        std::memset(m_aAction, 0, sizeof(m_aAction));
        m_iActionCount = 0;
        m_iInsertStart = m_iInsertPos = -1;
        m_bKeepSelection = false;
    }
    else
    {
        m_bKeepSelection = true;
        m_iInsertPos = m_iInsertStart = m_iCurAction + 1;
    }
    StartRecording();
}

void CMacroPage::StartRecording()
{
    if (m_bCapturing)
    {
        // The focus stays in the key field, but its keys are the recording's now.
        m_bCapturing = false;
        m_hook.RemoveHook();
    }
    m_pRecordBtn->SetText(QStringLiteral("stop_recording_text"));
    m_wDefaultDelay = static_cast<uint16_t>(m_pDefaultDelayEdit->GetText().toLongLong());
    m_recorder.Start(m_iDelayMode, m_wDefaultDelay, NowUs());
    m_hook.InstallHook(m_hWnd);
    m_hook.InstallMouseHook(m_hWnd);
    m_hook.EnableHook(true);
}

void CMacroPage::StopRecording()
{
    // Keys still held are let go, so the macro never leaves one down.
    for (const MacroRecorder::Step& step : m_recorder.ReleaseHeld(NowUs()))
        AddRecordedStep(step);
    m_recorder.Stop();
    m_pRecordBtn->SetText(QStringLiteral("start_recording_text"));
    m_pRecordBtn->SetCheck(false);
    m_hook.RemoveHook();
    m_hook.RemoveMouseHook();
    m_hook.EnableMouseHook(false);
    m_hook.EnableHook(false);
    SaveMacro();
}

int64_t CMacroPage::NowUs() const
{
    using namespace std::chrono;
    return duration_cast<microseconds>(m_clock().time_since_epoch()).count();
}

void CMacroPage::AddRecordedStep(const MacroRecorder::Step& step)
{
    // The pause belongs to the action before the new one: the last one when
    // appending; when inserting, first the action the insertion goes before
    // (an unused slot past the end), then the previously recorded one.
    const int p = m_iInsertPos == -1 ? m_iActionCount : m_iInsertPos;
    int taker = m_iInsertPos != -1 && m_iInsertPos == m_iInsertStart ? p : p - 1;
    if (taker >= 0 && taker < kMacroMaxActions)
        m_aAction[taker].wDelay = step.wPause;
    DebugTrace("m_iInsertPosTmp1 = %d\r\n", m_iInsertPos);
    InsertAction(step.action); // its delay is 10 until the next event tells the pause
    DebugTrace("m_iInsertPosTmp2 = %d\r\n", m_iInsertPos);
    if (taker >= p)
        ++taker;
    // One new item, not a rebuilt list, so that recording keeps pace.
    if (m_pActionList == nullptr)
        return;
    BuildActionItem(p);
    if (taker >= 0 && taker < m_iActionCount)
        ActionRows().SetDelay(taker, m_aAction[taker].wDelay);
    SelectInsertedAction();
}

void CMacroPage::CaptureKey(const MacroAction& key)
{
    // A release may belong to the key that moved the focus here (Tab).
    if (key.byKind != kMacroKindPress || m_iCurAction < 0 || m_iCurAction >= m_iActionCount ||
        !CurMacroEditable())
        return;
    m_aAction[m_iCurAction].byCode = key.byCode;
    m_pActionKeyEdit->SetText(KeyName(key.byCode));
    BuildActionItem(m_iCurAction, true);
    SaveMacro();
}

void CMacroPage::OnHookEvent(WPARAM wParam, LPARAM lParam)
{
    if (!IsUsable())
        return;
    // Asked for every event, so the hook's times stay matched to its messages.
    int64_t timeUs = m_hook.EventTime(m_hWnd, wParam, lParam);
    if (timeUs == 0)
        timeUs = NowUs();
    if (m_recorder.IsRecording())
    {
        if (const auto step = m_recorder.Record(wParam, lParam, timeUs, m_iActionCount))
        {
            AddRecordedStep(*step);
            if (m_recorder.IsFull(m_iActionCount))
                StopRecording();
        }
        return;
    }
    // Events still queued from a recording that ended, or from a capture
    // whose field lost the focus, change nothing.
    if (!m_bCapturing || m_pActionKeyEdit == nullptr || !m_pActionKeyEdit->IsFocused() ||
        wParam > 0xFF)
        return;
    if (const auto key = TranslateHookEvent(wParam, lParam))
        CaptureKey(*key);
}
