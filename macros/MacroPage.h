#pragma once
// The macro editor page: folders and macros of the macro library, the actions
// of the selected macro, recording from the keyboard and mouse through the
// hook, and the macro exchange files. Every change is saved at once and
// pushed into the button slots bound to the macro.

#include "macros/MacroData.h"
#include "platform/HookLibrary.h"
#include "ui/NotifyPump.h"
#include "ui/UIDefs.h"

#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CButtonUI;
class CCheckBoxUI;
class CComboUI;
class CControlUI;
class CEditUI;
class CListUI;
class CMenuWnd;
class COptionUI;
class CPaintManagerUI;

class CMacroPage : public CNotifyPump
{
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    CMacroPage();
    ~CMacroPage() override;

    void SetPaintManager(CPaintManagerUI* pPaintManager, HWND hWnd);
    // Looks the controls up and loads the hook.
    void Init();
    void LoadFolders();

    // Commands of the macro menus, routed here by the main window.
    void RenameMacro();
    void RenameFolder();
    void ImportMacro();
    void ExportMacro(bool bLocked);
    void ImportFolder();
    void ExportFolder(bool bLocked);
    // Keyboard and mouse-button events of the hook (messages 0x0500, 0x0501).
    void OnHookEvent(WPARAM wParam, LPARAM lParam);

    // For tests: another hook (after Init) and another clock for measured delays.
    void SetHookLibrary(const HookLibrary& hook) { m_hook = hook; }
    void SetClock(Clock clock) { m_clock = std::move(clock); }

    DUI_DECLARE_MESSAGE_MAP()

protected:
    virtual void OnNotify(TNotifyUI& msg);

private:
    void OnClick(TNotifyUI& msg);
    void OnItemSelect(TNotifyUI& msg);
    void OnKillFocus(TNotifyUI& msg);
    void OnTextChanged(TNotifyUI& msg);

    // The record being edited; looked up by index, so it never outlives a removal.
    MacroData* CurMacro() const;
    bool CurMacroEditable() const;
    QString CurFolderName() const;

    void ShowFolder(int iFolder);
    void LoadMacro(int iItem);
    void EmptyEditor();
    void SaveMacro();
    void SaveLibrary() const;
    void RefreshBindings(int iMacroIndex, bool bRemoved, bool& bCurrentAffected) const;
    void NotifyButtonsChanged() const;

    void RefreshActionList();
    void BuildActionItem(int iAction, bool bRedraw = false);
    void ShowActionEditor(int iAction);
    void SelectAction(int iAction);

    void AddFolder();
    void AddMacro();
    void DeleteMacro();
    void DeleteFolder();
    void MoveAction(int iDelta);
    void DeleteAction();
    void ClearActions();
    void InsertMove();
    void InsertAction(const MacroAction& action);
    void OpenMenu(const QString& xml, CControlUI* pButton);
    void AppendFolderItem(const QString& name);
    void AddMacroItem(int iLibraryIndex);

    void OnRecordClick();
    void StartRecording();
    void StopRecording();
    uint16_t MeasuredDelay(std::chrono::steady_clock::time_point now) const;

    void OnDelayEditKillFocus();
    void OnMoveEditKillFocus(CEditUI* pEdit, bool bX);
    void OnLoopEditKillFocus();
    void OnMouseActionSelect(int iItem);
    void RefuseImport() const;

    CPaintManagerUI* m_pPaintManager = nullptr;
    HWND m_hWnd = nullptr;
    HookLibrary m_hook;
    Clock m_clock;
    std::unique_ptr<CMenuWnd> m_pMenu;

    QStringList m_aFolderName;
    int m_iCurFolder = -1;
    std::vector<int> m_aMacroIndex;
    int m_iCurMacro = -1;
    MacroAction m_aAction[kMacroMaxActions] = {};
    int m_iActionCount = 0;
    int m_iCurAction = -1;
    int m_iLoopCount = 1;
    int m_iDelayMode = 1;
    uint16_t m_wDefaultDelay = 10;
    bool m_bRecording = false;
    int m_iInsertPos = -1;
    int m_iInsertStart = -1;
    bool m_bKeepSelection = false;
    std::chrono::steady_clock::time_point m_lastEventTime;

    CComboUI* m_pFolderCombo = nullptr;
    CListUI* m_pMacroList = nullptr;
    CListUI* m_pActionList = nullptr;
    CButtonUI* m_pAddMacroBtn = nullptr;
    CButtonUI* m_pDeleteMacroBtn = nullptr;
    CButtonUI* m_pMenuMacroBtn = nullptr;
    CButtonUI* m_pAddFolderBtn = nullptr;
    CButtonUI* m_pDeleteFolderBtn = nullptr;
    CButtonUI* m_pMenuFolderBtn = nullptr;
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
    COptionUI* m_pDelayOption[3] = {};
    CEditUI* m_pDefaultDelayEdit = nullptr;
};
