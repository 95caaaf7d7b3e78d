#pragma once
// The button page: a picture of the mouse with one button per physical
// button and button set, labelled with its function in the current profile.
// A click opens the function menu; the main window hands the chosen item back
// through AssignFunction.

#include "ui/SkinPage.h"
#include "ui/UIDefs.h"

#include <cstdint>
#include <memory>

class CButtonUI;
class CControlUI;
class CMenuWnd;
class COptionUI;
class CPaintManagerUI;
struct ButtonData;

class CButtonPage : public CSkinPage
{
public:
    CButtonPage();
    ~CButtonPage() override;

    virtual void Init();
    // Shows the current profile's button set and every label.
    void RefreshPage();
    // Every label and its tooltip again, in the language loaded now.
    void RefreshLabels();
    // Shows the containers of a button set (0 office, 1 game) and selects its option.
    void ShowButtonMode(int32_t iMode);
    // A function menu item the main window does not handle itself, for the
    // slot whose button opened the menu last.
    void AssignFunction(const QString& item);
    void RefreshButtonLabel(int iSlot);

    int GetCurrentSlot() const { return m_iCurSlot; }
    CMenuWnd* GetButtonMenu() const { return m_pButtonMenu.get(); }

    DUI_DECLARE_MESSAGE_MAP()

protected:
    virtual void OnClick(TNotifyUI& msg);
    virtual void OnSelectChanged(TNotifyUI& msg);
    virtual void OnMouseEnter(TNotifyUI& msg);
    virtual void OnMouseLeave(TNotifyUI& msg);

private:
    int SlotOf(const CControlUI* pSender) const;
    void OpenButtonMenu(int iSlot);
    // Each returns false when the dialog was cancelled or chose nothing usable.
    bool EditShortcut(ButtonData& slot);
    bool SelectMacro(ButtonData& slot);
    bool SelectGun(ButtonData& slot);

    int m_iCurSlot = -1;
    std::unique_ptr<CMenuWnd> m_pButtonMenu;
    CButtonUI* m_pButton[32] = {};
    COptionUI* m_pModeOption[2] = {};
    CControlUI* m_pOfficeLeft = nullptr;
    CControlUI* m_pOfficeRight = nullptr;
    CControlUI* m_pGameLeft = nullptr;
    CControlUI* m_pGameRight = nullptr;
    CControlUI* m_pHighlight[16] = {};
    CControlUI* m_pBasePic = nullptr;
};
