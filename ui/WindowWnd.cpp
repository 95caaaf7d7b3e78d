#include "ui/WindowWnd.h"

#include "platform/TaskbarHint.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QIcon>
#include <QKeyEvent>
#include <QMetaObject>
#include <QMouseEvent>
#include <QMutex>
#include <QPointer>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <unordered_map>

namespace
{
const QEvent::Type kMessageEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

class WindowMessageEvent : public QEvent
{
public:
    WindowMessageEvent(UINT msg, WPARAM w, LPARAM l)
        : QEvent(kMessageEvent), m_msg(msg), m_wParam(w), m_lParam(l)
    {
    }
    UINT m_msg;
    WPARAM m_wParam;
    LPARAM m_lParam;
};

// The Qt side of a window: delivers posted messages, turns a close request
// into WM_CLOSE and moves the window when its caption area is dragged.
class WindowWidget : public QWidget
{
public:
    WindowWidget(CWindowWnd* owner, QWidget* parent, Qt::WindowFlags flags)
        : QWidget(parent, flags), m_owner(owner)
    {
    }
    void Detach() { m_owner = nullptr; }

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == kMessageEvent)
        {
            auto* m = static_cast<WindowMessageEvent*>(e);
            if (m_owner != nullptr)
                m_owner->HandleMessage(m->m_msg, m->m_wParam, m->m_lParam);
            return true;
        }
        return QWidget::event(e);
    }
    void closeEvent(QCloseEvent* e) override
    {
        // The window decides in WM_CLOSE; by default it is destroyed there.
        e->ignore();
        if (m_owner != nullptr)
            m_owner->HandleMessage(WM_CLOSE, 0, 0);
    }
    void resizeEvent(QResizeEvent*) override
    {
        if (m_owner != nullptr)
            m_owner->OnResized();
    }
    void keyPressEvent(QKeyEvent* e) override
    {
        // Reaches the window when no control took the key.
        if (e->key() == Qt::Key_Escape && m_owner != nullptr)
            m_owner->OnEscape();
        else
            QWidget::keyPressEvent(e);
    }
    bool focusNextPrevChild(bool next) override
    {
        if (m_owner != nullptr && m_owner->MoveFocus(next))
            return true;
        return QWidget::focusNextPrevChild(next);
    }
    void mousePressEvent(QMouseEvent* e) override
    {
        if (e->button() != Qt::LeftButton || m_owner == nullptr ||
            !m_owner->IsCaptionPoint(e->position().toPoint()))
            return QWidget::mousePressEvent(e);
        // The window manager moves it where it can; otherwise we follow the pointer.
        if (windowHandle() != nullptr && windowHandle()->startSystemMove())
            return;
        m_dragging = true;
        m_dragOffset = e->globalPosition().toPoint() - frameGeometry().topLeft();
    }
    void mouseMoveEvent(QMouseEvent* e) override
    {
        if (m_dragging)
            move(e->globalPosition().toPoint() - m_dragOffset);
        else
            QWidget::mouseMoveEvent(e);
    }
    void mouseReleaseEvent(QMouseEvent* e) override
    {
        m_dragging = false;
        QWidget::mouseReleaseEvent(e);
    }

private:
    CWindowWnd* m_owner;
    bool m_dragging = false;
    QPoint m_dragOffset;
};

struct WindowEntry
{
    CWindowWnd* window;
    QWidget* widget;
};

// Handle -> window. Posting from other threads looks windows up here, under
// the lock, so a window being destroyed is never posted to.
QMutex& RegistryLock()
{
    static QMutex lock;
    return lock;
}

std::unordered_map<HWND, WindowEntry>& Registry()
{
    static std::unordered_map<HWND, WindowEntry> registry;
    return registry;
}

HWND Register(CWindowWnd* window, QWidget* widget)
{
    static std::uintptr_t next = 0;
    QMutexLocker lock(&RegistryLock());
    const HWND h = reinterpret_cast<HWND>(++next);
    Registry()[h] = WindowEntry{window, widget};
    return h;
}

void Unregister(HWND h)
{
    QMutexLocker lock(&RegistryLock());
    Registry().erase(h);
}

QWidget* WidgetOf(HWND h)
{
    CWindowWnd* w = CWindowWnd::FromHandle(h);
    return w != nullptr ? w->GetWidget() : nullptr;
}
} // namespace

CWindowWnd::CWindowWnd() : m_alive(std::make_shared<bool>(true)) {}

CWindowWnd::~CWindowWnd()
{
    *m_alive = false;
    if (m_hWnd != nullptr)
    {
        // Destroyed without DestroyWindow: take the window down without calling
        // back into the half-destroyed object.
        Unregister(m_hWnd);
        m_hWnd = nullptr;
        for (auto& [id, timer] : m_timers)
            timer->deleteLater();
        if (auto* w = static_cast<WindowWidget*>(m_pWidget))
        {
            w->Detach();
            w->hide();
            w->deleteLater();
        }
    }
    if (m_pModalLoop != nullptr)
        m_pModalLoop->quit();
}

CWindowWnd* CWindowWnd::FromHandle(HWND hWnd)
{
    QMutexLocker lock(&RegistryLock());
    auto it = Registry().find(hWnd);
    return it == Registry().end() ? nullptr : it->second.window;
}

HWND CWindowWnd::Create(HWND hwndParent, const QString& pstrName, DWORD dwStyle, DWORD dwExStyle,
                        int x, int y, int cx, int cy)
{
    if (m_hWnd != nullptr)
        return m_hWnd;
    // The program ends on PostQuitMessage only, not when its last window hides.
    QApplication::setQuitOnLastWindowClosed(false);
    Qt::WindowFlags flags = Qt::Window | Qt::FramelessWindowHint;
    if (dwExStyle & WS_EX_DLGMODALFRAME)
        flags |= Qt::Dialog;
    else if ((dwExStyle & WS_EX_TOOLWINDOW) && (dwExStyle & WS_EX_NOACTIVATE))
        // An indicator: no window manager may focus it, list it or ask for attention.
        flags |= Qt::Tool | Qt::X11BypassWindowManagerHint;
    else if (dwExStyle & WS_EX_TOOLWINDOW)
        flags |= Qt::Tool;
    if (dwExStyle & WS_EX_TOPMOST)
        flags |= Qt::WindowStaysOnTopHint;
    if (dwExStyle & WS_EX_NOACTIVATE)
        flags |= Qt::WindowDoesNotAcceptFocus;
    auto* widget = new WindowWidget(this, WidgetOf(hwndParent), flags);
    widget->setWindowTitle(pstrName);
    widget->setAttribute(Qt::WA_ShowWithoutActivating, (dwExStyle & WS_EX_NOACTIVATE) != 0);
    if (cx != CW_USEDEFAULT && cy != CW_USEDEFAULT && cx > 0 && cy > 0)
        widget->resize(cx, cy);
    if (x != CW_USEDEFAULT && y != CW_USEDEFAULT)
        widget->move(x, y);
    m_pWidget = widget;
    m_hWnd = Register(this, widget);

    const std::shared_ptr<bool> alive = m_alive;
    OnCreate();
    if (!*alive || m_hWnd == nullptr)
        return nullptr;
    // An owned tool window lives under its owner's task bar entry.
    if ((dwExStyle & WS_EX_TOOLWINDOW) && widget->parentWidget() != nullptr)
        KeepOffTaskbar(widget);
    if (dwStyle & WS_VISIBLE)
        widget->show();
    return m_hWnd;
}

HWND CWindowWnd::Create(HWND hwndParent, const QString& pstrName, DWORD dwStyle, DWORD dwExStyle,
                        const RECT& rc)
{
    return Create(hwndParent, pstrName, dwStyle, dwExStyle, rc.left, rc.top, rc.Width(),
                  rc.Height());
}

void CWindowWnd::ShowWindow(bool bShow, bool bTakeFocus)
{
    if (m_pWidget == nullptr)
        return;
    if (!bShow)
    {
        m_pWidget->hide();
        return;
    }
    m_pWidget->show();
    if (bTakeFocus)
        m_pWidget->activateWindow();
}

UINT CWindowWnd::ShowModal()
{
    if (m_hWnd == nullptr)
        return 0;
    QEventLoop loop;
    UINT result = 0;
    m_pModalLoop = &loop;
    m_pModalResult = &result;
    // Modality only takes effect on a window not shown yet. Hiding a shown
    // window to show it again races the window manager's map of the first
    // request, which can leave the dialog never mapped.
    if (!m_pWidget->isVisible())
        m_pWidget->setWindowModality(Qt::ApplicationModal);
    m_pWidget->show();
    m_pWidget->raise();
    // Qt defers the activation until the window manager has mapped the window.
    m_pWidget->activateWindow();
    const std::shared_ptr<bool> alive = m_alive;
    loop.exec(QEventLoop::DialogExec);
    // The window object may be gone by now (delete-on-close dialogs). When the
    // loop ended some other way (the application quitting), forget it here.
    if (*alive && m_pModalLoop == &loop)
    {
        m_pModalLoop = nullptr;
        m_pModalResult = nullptr;
    }
    return result;
}

void CWindowWnd::Close(UINT nRet)
{
    PostMessage(WM_CLOSE, nRet, 0);
}

void CWindowWnd::CenterWindow()
{
    if (m_pWidget == nullptr)
        return;
    QWidget* owner = m_pWidget->parentWidget();
    QScreen* screen = owner != nullptr ? owner->screen() : QGuiApplication::primaryScreen();
    const QRect work = screen != nullptr ? screen->availableGeometry() : QRect();
    const QRect area = owner != nullptr && owner->isVisible() && !owner->isMinimized()
                           ? owner->frameGeometry()
                           : work;
    QRect r = m_pWidget->frameGeometry();
    r.moveCenter(area.center());
    // Keep it on the screen.
    if (work.isValid())
    {
        r.moveLeft(std::max(work.left(), std::min(r.left(), work.right() - r.width() + 1)));
        r.moveTop(std::max(work.top(), std::min(r.top(), work.bottom() - r.height() + 1)));
    }
    m_pWidget->move(r.topLeft());
}

void CWindowWnd::ResizeClient(int cx, int cy)
{
    if (m_pWidget == nullptr)
        return;
    m_pWidget->resize(cx >= 0 ? cx : m_pWidget->width(), cy >= 0 ? cy : m_pWidget->height());
}

void CWindowWnd::SetIcon(const QIcon& icon)
{
    if (m_pWidget != nullptr)
        m_pWidget->setWindowIcon(icon);
}

void CWindowWnd::DestroyWindow()
{
    if (m_hWnd == nullptr)
        return;
    const HWND h = m_hWnd;
    HandleMessage(WM_DESTROY, 0, 0);
    Unregister(h);
    m_hWnd = nullptr;
    for (auto& [id, timer] : m_timers)
    {
        timer->stop();
        timer->deleteLater();
    }
    m_timers.clear();
    QPointer<QWidget> widget = m_pWidget;
    m_pWidget = nullptr;
    if (auto* w = static_cast<WindowWidget*>(widget.data()))
        w->Detach();
    if (m_pModalLoop != nullptr)
    {
        *m_pModalResult = m_nCloseCode;
        m_pModalLoop->quit();
        m_pModalLoop = nullptr;
        m_pModalResult = nullptr;
    }
    OnFinalMessage(h);
    // From here on this object may be gone.
    if (widget)
    {
        widget->hide();
        widget->deleteLater();
    }
}

LRESULT CWindowWnd::SendMessage(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessage(m_hWnd, uMsg, wParam, lParam);
}

void CWindowWnd::PostMessage(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    ::PostMessage(m_hWnd, uMsg, wParam, lParam);
}

void CWindowWnd::SetTimer(UINT nIDEvent, UINT uElapse)
{
    if (m_pWidget == nullptr)
        return;
    KillTimer(nIDEvent);
    auto* timer = new QTimer;
    timer->setInterval(static_cast<int>(uElapse));
    QObject::connect(timer, &QTimer::timeout, timer,
                     [this, nIDEvent] { HandleMessage(WM_TIMER, nIDEvent, 0); });
    m_timers[nIDEvent] = timer;
    timer->start();
}

void CWindowWnd::KillTimer(UINT nIDEvent)
{
    auto it = m_timers.find(nIDEvent);
    if (it == m_timers.end())
        return;
    // It may be the timer whose tick is being handled.
    it->second->stop();
    it->second->deleteLater();
    m_timers.erase(it);
}

LRESULT CWindowWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM)
{
    switch (uMsg)
    {
    case WM_CLOSE:
        m_nCloseCode = static_cast<UINT>(wParam);
        DestroyWindow();
        return 0;
    case WM_SYSCOMMAND:
        if (m_pWidget == nullptr)
            return 0;
        if ((wParam & 0xFFF0) == SC_MINIMIZE)
            m_pWidget->showMinimized();
        else if ((wParam & 0xFFF0) == SC_RESTORE)
            m_pWidget->showNormal();
        return 0;
    default:
        return 0;
    }
}

bool CWindowWnd::IsCaptionPoint(QPoint) const
{
    return false;
}

void CWindowWnd::OnResized() {}

void CWindowWnd::OnEscape()
{
    if (m_pModalLoop != nullptr)
        Close(0);
}

bool CWindowWnd::MoveFocus(bool)
{
    return false;
}

UINT CWindowWnd::GetClassStyle() const
{
    return 0;
}

void CWindowWnd::OnCreate() {}

void CWindowWnd::OnFinalMessage(HWND) {}

bool PostMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    QMutexLocker lock(&RegistryLock());
    auto it = Registry().find(hWnd);
    if (it == Registry().end())
        return false;
    // Under the lock: the window cannot be destroyed between look-up and post.
    QCoreApplication::postEvent(it->second.widget, new WindowMessageEvent(uMsg, wParam, lParam));
    return true;
}

LRESULT SendMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    QPointer<QWidget> widget;
    {
        QMutexLocker lock(&RegistryLock());
        auto it = Registry().find(hWnd);
        if (it == Registry().end())
            return 0;
        widget = it->second.widget;
        if (QThread::currentThread() == widget->thread())
        {
            CWindowWnd* window = it->second.window;
            lock.unlock();
            return window->HandleMessage(uMsg, wParam, lParam);
        }
    }
    // From another thread: run it on the UI thread and wait. A window destroyed
    // meanwhile drops the call, and the wait ends with 0.
    LRESULT result = 0;
    QMetaObject::invokeMethod(
        widget.data(),
        [hWnd, uMsg, wParam, lParam, &result]
        {
            if (CWindowWnd* w = CWindowWnd::FromHandle(hWnd))
                result = w->HandleMessage(uMsg, wParam, lParam);
        },
        Qt::BlockingQueuedConnection);
    return result;
}

bool IsWindow(HWND hWnd)
{
    return CWindowWnd::FromHandle(hWnd) != nullptr;
}

void PostQuitMessage(int nExitCode)
{
    // Queued, so that a quit requested before the loop runs still ends it.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [nExitCode] { QCoreApplication::exit(nExitCode); },
        Qt::QueuedConnection);
}

bool ShowWindow(HWND hWnd, int nCmdShow)
{
    QWidget* w = WidgetOf(hWnd);
    if (w == nullptr)
        return false;
    const bool wasVisible = w->isVisible();
    switch (nCmdShow)
    {
    case SW_HIDE:
        w->hide();
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
        w->showMinimized();
        break;
    case SW_SHOWNORMAL:
    case SW_RESTORE:
        w->showNormal();
        break;
    case SW_SHOWNOACTIVATE:
    {
        const bool before = w->testAttribute(Qt::WA_ShowWithoutActivating);
        w->setAttribute(Qt::WA_ShowWithoutActivating, true);
        w->show();
        w->setAttribute(Qt::WA_ShowWithoutActivating, before);
        break;
    }
    default:
        w->show();
        break;
    }
    return wasVisible;
}

bool IsWindowVisible(HWND hWnd)
{
    QWidget* w = WidgetOf(hWnd);
    return w != nullptr && w->isVisible();
}

bool IsIconic(HWND hWnd)
{
    QWidget* w = WidgetOf(hWnd);
    return w != nullptr && w->isMinimized();
}

bool SetForegroundWindow(HWND hWnd)
{
    QWidget* w = WidgetOf(hWnd);
    if (w == nullptr)
        return false;
    w->raise();
    w->activateWindow();
    return true;
}

bool GetWindowRect(HWND hWnd, RECT* pRect)
{
    QWidget* w = WidgetOf(hWnd);
    if (w == nullptr || pRect == nullptr)
        return false;
    const QRect r = w->frameGeometry();
    *pRect = RECT{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
    return true;
}

bool SetWindowPos(HWND hWnd, HWND, int x, int y, int cx, int cy, UINT uFlags)
{
    QWidget* w = WidgetOf(hWnd);
    if (w == nullptr)
        return false;
    if ((uFlags & SWP_NOSIZE) == 0)
        w->resize(cx, cy);
    if ((uFlags & SWP_NOMOVE) == 0)
        w->move(x, y);
    return true;
}

bool SetWindowText(HWND hWnd, const QString& text)
{
    QWidget* w = WidgetOf(hWnd);
    if (w == nullptr)
        return false;
    w->setWindowTitle(text);
    return true;
}

bool DestroyWindow(HWND hWnd)
{
    CWindowWnd* w = CWindowWnd::FromHandle(hWnd);
    if (w == nullptr)
        return false;
    w->DestroyWindow();
    return true;
}
