#pragma once
// The shortcut dialog: four modifier boxes and one key, captured while the
// key field has the focus. Ends with 1 (OK) or 0 (Cancel or its close button).

#include "platform/HookLibrary.h"
#include "ui/DialogWnd.h"

#include <cstdint>

class CCheckBoxUI;
class CEditUI;

class CShortcutWnd : public CDialogWnd
{
public:
    // Ctrl, Shift, Alt, Win: 0 or 1. In and out.
    uint8_t m_byFlag[4] = {};
    // HID keyboard usage of the key; 0 for none or a key without one. In and out.
    uint8_t m_byKey = 0;

    // The keyboard hook used while "edit_key" has the focus; tests give
    // their own before Create.
    void SetHookLibrary(const HookLibrary& hook) { m_hook = hook; }

protected:
    QString GetWindowClassName() const override;
    QString GetSkinFile() override;
    void InitWindow() override;
    void Notify(TNotifyUI& msg) override;
    LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    void OnEscape() override;

private:
    void ShowKey();

    HookLibrary m_hook = LoadHookLibrary();
    bool m_bCapturing = false; // the hook reports keys to "edit_key"
    CEditUI* m_pEditKey = nullptr;
    CCheckBoxUI* m_pCheckFlag[4] = {};
};
