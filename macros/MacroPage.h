#pragma once
// The macro editor page: folders and macros of the macro library, the actions
// of the selected macro, recording from the keyboard and mouse through the
// hook, and the macro exchange files. Every change is saved at once and
// pushed into the button slots bound to the macro.

#include "app/LibraryPage.h"
#include "macros/MacroExchange.h"
#include "macros/MacroLibrary.h"
#include "macros/MacroRecorder.h"
#include "model/ProfileBindings.h"
#include "platform/HookLibrary.h"
#include "ui/UIDefs.h"

#include <QString>
#include <chrono>
#include <functional>

class CButtonUI;
class CCheckBoxUI;
class CComboUI;
class CControlUI;
class CEditMacroName;
class CEditUI;
class CListUI;
class CMacroActionRows;
class COptionUI;

// The macro library as the library half of the page sees it.
struct MacroPageTraits : MacroExchangeTraits
{
    using NameDialog = CEditMacroName;
    static MacroLibrary& Library() { return g_vecMacro; }
    static constexpr auto AppendItem = &AppendMacro;
    static constexpr auto RefreshBindings = &RefreshMacroBindings;
    static constexpr auto CountBindings = &CountMacroBindings;

    // The lock picture of a locked macro, at the right end of "macro_list".
    static constexpr int kLockLeft = 250;
    static constexpr char kSkinFile[] = "macro.xml";
    static constexpr char kFolderCombo[] = "macro_combo";
    static constexpr char kItemList[] = "macro_list";
    static constexpr char kAddItemButton[] = "btn_add_macro";
    static constexpr char kDeleteItemButton[] = "btn_delete_macro";
    static constexpr char kItemMenuButton[] = "btn_menu_macro";
    static constexpr char kAddFolderButton[] = "btn_add_macro_floder";
    static constexpr char kDeleteFolderButton[] = "btn_delete_macro_floder";
    static constexpr char kFolderMenuButton[] = "btn_menu_macro_floder";
    static constexpr char kItemMenu[] = "macromenu.xml";
    static constexpr char kFolderMenu[] = "macrodirmenu.xml";
    static constexpr char kDeleteItemText[] = "delete_macro_named_text";
    static constexpr char kDeleteFolderText[] = "delete_macro_dir_named_text";
    static constexpr char kFileInvalidText[] = "macro_file_invalid_text";
    static constexpr char kFileFilterName[] = "Macro Data";
    static constexpr char kItemExtension[] = "mbin";
    static constexpr char kFolderExtension[] = "mbins";
};

class CMacroPage : public CLibraryPage<MacroData, MacroPageTraits>
{
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    explicit CMacroPage(BackgroundSave& saves);
    ~CMacroPage() override;

    // Looks the controls up and loads the hook.
    void Init();

    // Commands of the macro menus, routed here by the main window.
    void RenameMacro();
    void ImportMacro() { ImportItem(); }
    void ExportMacro(bool bLocked) { ExportItem(bLocked); }
    // Keyboard and mouse-button events of the hook (messages 0x0500, 0x0501).
    void OnHookEvent(WPARAM wParam, LPARAM lParam);
    // The action list and the key field again, in the language loaded now.
    void RefreshTexts();

    // For tests: another hook (after Init) and another clock for the start of
    // a recording and for events the hook has no time for.
    void SetHookLibrary(const HookLibrary& hook);
    void SetClock(Clock clock) { m_clock = std::move(clock); }

    DUI_DECLARE_MESSAGE_MAP()

protected:
    virtual void OnNotify(TNotifyUI& msg);
    void ShowItem(int iIndex) override;
    void StopEditing() override;
    void ItemDeleted(int iPos) override;

private:
    void OnClick(TNotifyUI& msg);
    void OnItemSelect(TNotifyUI& msg);
    void OnKillFocus(TNotifyUI& msg);
    void OnTextChanged(TNotifyUI& msg);

    bool CurMacroEditable() const;

    void LoadMacro(int iIndex);
    void EmptyEditor();
    void SaveMacro();

    void RefreshActionList();
    void SelectInsertedAction();
    // The rows of the action list, made when it has none.
    CMacroActionRows& ActionRows();
    void BuildActionItem(int iAction, bool bRedraw = false);
    void ShowActionEditor(int iAction);
    void SelectAction(int iAction);

    void MoveAction(int iDelta);
    void DeleteAction();
    void ClearActions();
    void InsertMove();
    void InsertAction(const MacroAction& action);

    void OnRecordClick();
    void StartRecording();
    void StopRecording();
    int64_t NowUs() const;
    void AddRecordedStep(const MacroRecorder::Step& step);
    void CaptureKey(const MacroAction& key);

    void OnDelayEditKillFocus();
    void OnMoveEditKillFocus(CEditUI* pEdit, bool bX);
    void OnLoopEditKillFocus();
    void OnMouseActionSelect(int iItem);

    HookLibrary m_hook;
    Clock m_clock;
    MacroAction m_aAction[kMacroMaxActions] = {};
    int m_iActionCount = 0;
    int m_iCurAction = -1;
    int m_iLoopCount = 1;
    int m_iDelayMode = 1;
    uint16_t m_wDefaultDelay = 10;
    MacroRecorder m_recorder;
    // Key capture into "edit_macro_action" is on.
    bool m_bCapturing = false;
    int m_iInsertPos = -1;
    int m_iInsertStart = -1;
    bool m_bKeepSelection = false;

    CListUI* m_pActionList = nullptr;
    CEditUI* m_pMacroNameEdit = nullptr;
    CEditUI* m_pLoopEdit = nullptr;
    CButtonUI* m_pMoveUpBtn = nullptr;
    CButtonUI* m_pMoveDownBtn = nullptr;
    CButtonUI* m_pDeleteActionBtn = nullptr;
    CButtonUI* m_pClearAllBtn = nullptr;
    CControlUI* m_pKeyHor = nullptr;
    CEditUI* m_pActionKeyEdit = nullptr;
    CComboUI* m_pMouseActionCombo = nullptr;
    CControlUI* m_pDelayHor = nullptr;
    CEditUI* m_pDelayEdit = nullptr;
    CControlUI* m_pMoveHor = nullptr;
    CEditUI* m_pMoveXEdit = nullptr;
    CEditUI* m_pMoveYEdit = nullptr;
    CButtonUI* m_pInsertMoveBtn = nullptr;
    CEditUI* m_pInsertXEdit = nullptr;
    CEditUI* m_pInsertYEdit = nullptr;
    CCheckBoxUI* m_pRecordBtn = nullptr;
    CControlUI* m_pRecordScopeLabel = nullptr;
    COptionUI* m_pDelayOption[3] = {};
    CEditUI* m_pDefaultDelayEdit = nullptr;
};
