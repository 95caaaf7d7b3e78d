#pragma once
// A window built from a skin file: Create builds the skin and then runs
// InitWindow; notifications of its controls arrive in Notify, which by default
// routes them through the message maps (a control of a virtual window to that
// page, the rest to this window's map, where "click" goes to OnClick).

#include "ui/IDialogBuilderCallback.h"
#include "ui/INotifyUI.h"
#include "ui/NotifyPump.h"
#include "ui/PaintManagerUI.h"
#include "ui/SkinControls.h"
#include "ui/WindowWnd.h"

class WindowImplBase : public CWindowWnd,
                       public CNotifyPump,
                       public INotifyUI,
                       public IDialogBuilderCallback
{
public:
    WindowImplBase() = default;

    // After the skin is built, inside Create.
    virtual void InitWindow();
    void Notify(TNotifyUI& msg) override;
    virtual void OnClick(TNotifyUI& msg);

    CPaintManagerUI* GetPaintManager() { return &m_pm; }
    LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    bool IsCaptionPoint(QPoint pt) const override;
    bool MoveFocus(bool bNext) override;
    void OnResized() override;

    DUI_DECLARE_MESSAGE_MAP()

protected:
    // Folder of the skin inside the resource folder ("" or ending in '/').
    virtual QString GetSkinFolder();
    virtual QString GetSkinFile() = 0;
    CControlUI* CreateControl(const QString& pstrClass) override;
    // Every message passes here first; set bHandled to stop the default handling.
    virtual LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnClose(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    virtual LRESULT OnDestroy(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled);
    void OnCreate() override;
    // Releases the control tree; a delete-on-close window deletes itself after this.
    void OnFinalMessage(HWND hWnd) override;
    // For InitWindow: a control the window cannot do without. When its skin
    // lacks one, the window says so and is destroyed again inside Create, which
    // then returns null, so a modal run of it ends as cancelled.
    template <typename T = CControlUI> T* NeedControl(const QString& name)
    {
        return m_needed.Need<T>(m_pm, name);
    }

    CPaintManagerUI m_pm;

private:
    SkinControls m_needed;
};
