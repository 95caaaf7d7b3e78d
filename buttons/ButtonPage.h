#pragma once
// The button page: what each physical button does in each button set. This
// holds its place in the main window; its controls and operations come with
// the page's own work.

#include "ui/NotifyPump.h"

class CPaintManagerUI;

class CButtonPage : public CNotifyPump
{
public:
    void SetPaintManager(CPaintManagerUI* pPaintManager, HWND hWnd);
    void Init();
    void RefreshPage();
    // A function menu item the main window does not handle itself.
    void AssignFunction(const QString& item);

    DUI_DECLARE_MESSAGE_MAP()

protected:
    virtual void OnClick(TNotifyUI& msg);
    virtual void OnSelectChanged(TNotifyUI& msg);
    virtual void OnMouseEnter(TNotifyUI& msg);
    virtual void OnMouseLeave(TNotifyUI& msg);

private:
    CPaintManagerUI* m_pPaintManager = nullptr;
    HWND m_hWnd = nullptr;
};
