#pragma once
// A modal dialog with the usual three buttons of its skin: "ok_btn" ends it
// with 1 (after OnOk's checks), "cancel_btn" and the caption's "exit_btn"
// with 0.

#include "ui/WindowImplBase.h"

class CButtonUI;

class CDialogWnd : public WindowImplBase
{
protected:
    // Finds the three buttons; dialogs that override it call it first. A
    // dialog shows only when its skin has them and the other controls it needs.
    void InitWindow() override;
    // Ends the dialog on a click of one of the three; true when it was one.
    bool OnDialogButton(const TNotifyUI& msg);
    // OK was clicked; by default the dialog ends with 1.
    virtual void OnOk();

private:
    CButtonUI* m_pOkBtn = nullptr;
    CButtonUI* m_pCancelBtn = nullptr;
    CButtonUI* m_pExitBtn = nullptr;
};
