#pragma once
// A small window beside the main window while the virtual mouse stands in for
// the real one: what the mouse holds, decoded, and the mouse's own buttons
// (DPI level, report rate, button set) with unplug and plug, so the whole
// round trip can be watched without the hardware.

#include "ui/WindowImplBase.h"

#include <memory>
#include <string>
#include <vector>

class CLabelUI;
class CListUI;
class VirtualMouse;

class CVirtualMousePanel : public WindowImplBase
{
public:
    explicit CVirtualMousePanel(std::shared_ptr<VirtualMouse> mouse);

    // Shows the state as the mouse holds it now.
    void RefreshState();
    // Puts the panel beside the main window, moving that one over when the
    // screen is too narrow for both.
    void PlaceBeside(HWND hMain);

protected:
    QString GetWindowClassName() const override;
    QString GetSkinFile() override;
    void InitWindow() override;
    void Notify(TNotifyUI& msg) override;

private:
    void OnButton(const QString& name);

    std::shared_ptr<VirtualMouse> m_pMouse;
    CListUI* m_pStateList = nullptr;
    CLabelUI* m_pPlugLabel = nullptr;
    std::vector<std::string> m_shownLines;
    bool m_bPlugged = true;
};
