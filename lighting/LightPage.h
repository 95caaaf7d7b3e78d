#pragma once
// The lighting tab: one of twelve modes with its brightness, speed, length,
// the single colour and the eight cycle colours of the current profile.

#include "ui/NotifyPump.h"
#include "ui/UIDefs.h"

class CPaintManagerUI;

class CLightPage : public CNotifyPump
{
public:
    void SetPaintManager(CPaintManagerUI* pPaintManager, HWND hWnd);
    // Looks the controls up once the main window's skin is built.
    virtual void Init();
    // Shows the current profile.
    void RefreshPage();

    DUI_DECLARE_MESSAGE_MAP()

protected:
    virtual void OnClick(TNotifyUI& msg);
    virtual void OnSelectChanged(TNotifyUI& msg);
    virtual void OnValueChanged(TNotifyUI& msg);
    virtual void OnColorChanged(TNotifyUI& msg);
    virtual void OnColorChangedButtonUp(TNotifyUI& msg);
    virtual void OnTextChanged(TNotifyUI& msg);

private:
    CPaintManagerUI* m_pPaintManager = nullptr;
    HWND m_hWnd = nullptr;
};
