#pragma once
// The macro editor page. This holds its place in the main window; its
// controls and operations come with the page's own work.

#include "ui/NotifyPump.h"
#include "ui/UIDefs.h"

class CPaintManagerUI;

class CMacroPage : public CNotifyPump
{
public:
    void SetPaintManager(CPaintManagerUI* pPaintManager, HWND hWnd);
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

    DUI_DECLARE_MESSAGE_MAP()

protected:
    virtual void OnNotify(TNotifyUI& msg);

private:
    CPaintManagerUI* m_pPaintManager = nullptr;
    HWND m_hWnd = nullptr;
};
