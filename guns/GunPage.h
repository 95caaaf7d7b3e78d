#pragma once
// The gun editor page. This holds its place in the main window; its controls
// and operations come with the page's own work.

#include "ui/NotifyPump.h"
#include "ui/UIDefs.h"

class CPaintManagerUI;

class CGunPage : public CNotifyPump
{
public:
    void SetPaintManager(CPaintManagerUI* pPaintManager, HWND hWnd);
    void Init();
    void RefreshGunPage();

    // Commands of the gun menus, routed here by the main window.
    void RenameGun();
    void RenameGunFolder();
    void ImportGun();
    void ExportGun(bool bLocked);
    void ImportGunFolder();
    void ExportGunFolder(bool bLocked);

    DUI_DECLARE_MESSAGE_MAP()

protected:
    virtual void OnNotify(TNotifyUI& msg);

private:
    CPaintManagerUI* m_pPaintManager = nullptr;
    HWND m_hWnd = nullptr;
};
