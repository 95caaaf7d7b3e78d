#pragma once
// A top-level window: a frameless Qt window behind an opaque handle, with
// Windows-shaped messages. PostMessage is safe from any thread (a queued Qt
// event) and reaches HandleMessage on the UI thread; SendMessage runs
// HandleMessage at once (from another thread it waits for the UI thread).

#include "ui/UIDefs.h"

#include <QPoint>
#include <QString>
#include <map>
#include <memory>

class QEventLoop;
class QIcon;
class QTimer;
class QWidget;

class CWindowWnd
{
public:
    CWindowWnd();
    virtual ~CWindowWnd();
    CWindowWnd(const CWindowWnd&) = delete;
    CWindowWnd& operator=(const CWindowWnd&) = delete;

    HWND GetHWND() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }
    // The window of a handle, on the UI thread; null for a destroyed window.
    static CWindowWnd* FromHandle(HWND hWnd);

    // Makes the window (owned by hwndParent, which it stays above) and runs
    // OnCreate before returning. WS_VISIBLE shows it; WS_EX_TOOLWINDOW keeps it
    // off the task bar; WS_EX_DLGMODALFRAME makes it a dialog of its owner; WS_EX_TOPMOST keeps it above others; WS_EX_NOACTIVATE
    // shows it without taking the focus. Null if it was destroyed while made.
    HWND Create(HWND hwndParent, const QString& pstrName, DWORD dwStyle, DWORD dwExStyle,
                int x = CW_USEDEFAULT, int y = CW_USEDEFAULT, int cx = CW_USEDEFAULT,
                int cy = CW_USEDEFAULT);
    HWND Create(HWND hwndParent, const QString& pstrName, DWORD dwStyle, DWORD dwExStyle,
                const RECT& rc);

    void ShowWindow(bool bShow = true, bool bTakeFocus = true);
    // Shows the window (best not shown yet: only then can it be modal) and
    // blocks every other window until it is closed;
    // returns the code given to Close (0 when it was ended otherwise).
    // Messages, timers and other events keep being handled meanwhile.
    UINT ShowModal();
    // Ends the window with a code (asynchronously, like a posted WM_CLOSE).
    void Close(UINT nRet = 1);
    // Centres it over its owner, or on the screen when it has none.
    void CenterWindow();
    void ResizeClient(int cx = -1, int cy = -1);
    void SetIcon(const QIcon& icon);
    // Destroys the window now: WM_DESTROY, then OnFinalMessage.
    void DestroyWindow();

    LRESULT SendMessage(UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0);
    void PostMessage(UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0);

    // A window timer: WM_TIMER with wParam = nIDEvent every uElapse ms until KillTimer.
    void SetTimer(UINT nIDEvent, UINT uElapse);
    void KillTimer(UINT nIDEvent);

    QWidget* GetWidget() const { return m_pWidget; }

    // Called by the window's Qt widget.
    virtual LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam);
    virtual bool IsCaptionPoint(QPoint pt) const;
    virtual void OnResized();
    // Escape that no control took: a modal window ends as cancelled (0).
    virtual void OnEscape();
    // Tab or Backtab; false leaves it to Qt's own order.
    virtual bool MoveFocus(bool bNext);

protected:
    virtual QString GetWindowClassName() const = 0;
    // Accepted for the Windows shape; double clicks always arrive here.
    virtual UINT GetClassStyle() const;
    // Runs inside Create, after the Qt window exists and before it is shown.
    virtual void OnCreate();
    // The window is gone; the object may delete itself here.
    virtual void OnFinalMessage(HWND hWnd);

private:
    HWND m_hWnd = nullptr;
    QWidget* m_pWidget = nullptr;
    UINT m_nCloseCode = 0;
    QEventLoop* m_pModalLoop = nullptr;
    UINT* m_pModalResult = nullptr;
    std::map<UINT, QTimer*> m_timers;
    std::shared_ptr<bool> m_alive;
};

// The Windows calls the program makes on window handles. All of them but
// PostMessage, SendMessage and IsWindow belong to the UI thread.
// False when the window does not exist (any more).
bool PostMessage(HWND hWnd, UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0);
LRESULT SendMessage(HWND hWnd, UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0);
bool IsWindow(HWND hWnd);
// Ends MessageLoop with the code once the loop runs (also if it is not running yet).
void PostQuitMessage(int nExitCode);
bool ShowWindow(HWND hWnd, int nCmdShow);
bool IsWindowVisible(HWND hWnd);
bool IsIconic(HWND hWnd);
bool SetForegroundWindow(HWND hWnd);
bool GetWindowRect(HWND hWnd, RECT* pRect);
bool SetWindowPos(HWND hWnd, HWND hWndInsertAfter, int x, int y, int cx, int cy, UINT uFlags);
bool SetWindowText(HWND hWnd, const QString& text);
bool DestroyWindow(HWND hWnd);
