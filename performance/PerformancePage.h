#pragma once
// The performance tab: DPI levels and their colours, the number of levels in
// use, report rate, the desktop pointer settings, lift-off distance and key
// response of the current profile. Edits go straight into the profile; the
// mouse gets them on the next apply.

#include "ui/NotifyPump.h"
#include "ui/UIDefs.h"

class CPaintManagerUI;

class CPerformancePage : public CNotifyPump
{
public:
    void SetPaintManager(CPaintManagerUI* pPaintManager, HWND hWnd);
    // Looks the controls up once the main window's skin is built.
    void Initialise();
    // Shows the current profile.
    void Refresh();

    DUI_DECLARE_MESSAGE_MAP()

protected:
    virtual void OnClick(TNotifyUI& msg);
    virtual void OnSelectChanged(TNotifyUI& msg);
    virtual void OnValueChanged(TNotifyUI& msg);
    virtual void OnMoveValueChanged(TNotifyUI& msg);
    virtual void OnCheckClick(TNotifyUI& msg);
    virtual void OnItemSelect(TNotifyUI& msg);

private:
    CPaintManagerUI* m_pPaintManager = nullptr;
    HWND m_hWnd = nullptr;
};
