// Windows: creation order, modal runs, messages across threads, window
// timers, placement, dragging by the caption, the tray icon.

#include "tests/ui/UiTestSupport.h"
#include "ui/ControlUI.h"
#include "ui/TrayIcon.h"

#include <QGuiApplication>
#include <QIcon>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <atomic>

namespace
{
const char* kSmallSkin = R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="300,200" caption="0,0,0,40">
  <VerticalLayout style="dialog">
    <Label name="caption_label" height="40" text="caption"/>
    <Button name="btn" text="go"/>
  </VerticalLayout>
</Window>)";

class WindowTest : public UiTest
{
protected:
    WindowTest() { WriteRes("small.xml", kSmallSkin); }
};

// Destroys itself while it is being made.
class FailingWnd : public TestWnd
{
public:
    FailingWnd() : TestWnd("small.xml") {}

protected:
    void InitWindow() override { DestroyWindow(); }
};
} // namespace

TEST_F(WindowTest, ShowModalReturnsTheCodeGivenToClose)
{
    TestWnd dlg("small.xml");
    ASSERT_NE(dlg.Open(), nullptr);
    const HWND h = dlg.GetHWND();
    QTimer::singleShot(0, [&] { dlg.Close(7); });
    EXPECT_EQ(dlg.ShowModal(), 7u);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(dlg.finalMessages, 1);
    EXPECT_EQ(dlg.GetHWND(), nullptr);
}

TEST_F(WindowTest, ClosingByTheWindowManagerEndsAModalRunWithZero)
{
    TestWnd dlg("small.xml");
    dlg.Open();
    QTimer::singleShot(0, [&] { dlg.GetWidget()->close(); });
    EXPECT_EQ(dlg.ShowModal(), 0u);
}

TEST_F(WindowTest, ModalRunsNestAndKeepMessagesFlowing)
{
    TestWnd owner("small.xml");
    owner.Open();
    TestWnd outer("small.xml");
    outer.Open(owner.GetHWND());
    UINT innerResult = 99;
    QTimer::singleShot(0,
                       [&]
                       {
                           TestWnd inner("small.xml");
                           inner.Open(outer.GetHWND());
                           // The owner keeps receiving posted messages while both run.
                           PostMessage(owner.GetHWND(), WM_USER + 5, 1, 2);
                           QTimer::singleShot(0, [&] { inner.Close(3); });
                           innerResult = inner.ShowModal();
                           outer.Close(4);
                       });
    EXPECT_EQ(outer.ShowModal(), 4u);
    EXPECT_EQ(innerResult, 3u);
    ASSERT_EQ(owner.messages.size(), 1u);
    EXPECT_EQ(owner.messages[0].msg, WM_USER + 5u);
}

TEST_F(WindowTest, CreateFailsWhenTheWindowIsDestroyedWhileMade)
{
    FailingWnd wnd;
    EXPECT_EQ(wnd.Open(), nullptr);
    EXPECT_EQ(wnd.finalMessages, 1);
    EXPECT_EQ(wnd.ShowModal(), 0u) << "a modal run of a dead window returns at once";
}

TEST_F(WindowTest, PostedMessagesFromAnotherThreadArriveInOrderOnTheUiThread)
{
    TestWnd wnd("small.xml");
    const HWND h = wnd.Open();
    std::thread worker(
        [h]
        {
            for (WPARAM i = 0; i < 50; ++i)
                PostMessage(h, WM_USER + 1, i, 0);
        });
    worker.join();
    ASSERT_TRUE(QTest::qWaitFor([&] { return wnd.messages.size() == 50; }));
    for (WPARAM i = 0; i < 50; ++i)
    {
        EXPECT_EQ(wnd.messages[i].wParam, i);
        EXPECT_EQ(wnd.messages[i].thread, std::this_thread::get_id());
    }
}

TEST_F(WindowTest, SendMessageRunsTheHandlerAndReturnsItsResult)
{
    TestWnd wnd("small.xml");
    const HWND h = wnd.Open();
    EXPECT_EQ(SendMessage(h, WM_USER + 2, 41, 0), 42);
    ASSERT_EQ(wnd.messages.size(), 1u) << "at once, not queued";

    std::atomic<LRESULT> fromThread{0};
    std::atomic<bool> done{false};
    std::thread worker(
        [&]
        {
            fromThread = SendMessage(h, WM_USER + 3, 9, 0);
            done = true;
        });
    ASSERT_TRUE(QTest::qWaitFor([&] { return done.load(); }));
    worker.join();
    EXPECT_EQ(fromThread.load(), 10);
    EXPECT_EQ(wnd.messages.back().thread, std::this_thread::get_id());

    wnd.DestroyWindow();
    EXPECT_FALSE(PostMessage(h, WM_USER + 1, 0, 0));
    EXPECT_EQ(SendMessage(h, WM_USER + 1, 0, 0), 0);
}

TEST_F(WindowTest, WindowTimersArriveAsWmTimer)
{
    TestWnd wnd("small.xml");
    wnd.Open();
    wnd.SetTimer(52, 5);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !wnd.messages.empty(); }));
    wnd.KillTimer(52);
    EXPECT_EQ(wnd.messages[0].msg, WM_TIMER);
    EXPECT_EQ(wnd.messages[0].wParam, 52u);
    const size_t count = wnd.messages.size();
    QTest::qWait(30);
    EXPECT_EQ(wnd.messages.size(), count);
}

TEST_F(WindowTest, QuitMessagePostedBeforeTheLoopStillEndsIt)
{
    PostQuitMessage(5);
    EXPECT_EQ(CPaintManagerUI::MessageLoop(), 5);
}

TEST_F(WindowTest, CentringPlacesTheWindowOnItsOwnerOrTheScreen)
{
    TestWnd wnd("small.xml");
    wnd.Open();
    wnd.CenterWindow();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(wnd.GetWidget()->frameGeometry().center(), screen.center());

    TestWnd child("small.xml");
    child.Open(wnd.GetHWND());
    SetWindowPos(child.GetHWND(), nullptr, 0, 0, 100, 50, SWP_NOZORDER);
    child.CenterWindow();
    EXPECT_EQ(child.GetWidget()->frameGeometry().center(),
              wnd.GetWidget()->frameGeometry().center());

    RECT rc;
    ASSERT_TRUE(GetWindowRect(child.GetHWND(), &rc));
    EXPECT_EQ(rc.Width(), 100);
    EXPECT_EQ(rc.Height(), 50);
}

TEST_F(WindowTest, DraggingTheCaptionMovesTheWindowButNotOtherParts)
{
    TestWnd wnd("small.xml");
    wnd.Open();
    SetWindowPos(wnd.GetHWND(), nullptr, 100, 100, 0, 0, SWP_NOSIZE);
    QWidget* top = wnd.GetWidget();
    QWidget* label = wnd.PM().FindControl("caption_label")->GetWidget();
    const QPoint start = label->mapTo(top, QPoint(50, 20));
    QTest::mousePress(label, Qt::LeftButton, {}, QPoint(50, 20));
    QTest::mouseMove(top, start + QPoint(30, 15));
    QTest::mouseRelease(top, Qt::LeftButton, {}, start + QPoint(30, 15));
    EXPECT_EQ(top->pos(), QPoint(130, 115));

    QWidget* button = wnd.PM().FindControl("btn")->GetWidget();
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(top, button->mapTo(top, QPoint(40, 40)));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(40, 40));
    EXPECT_EQ(top->pos(), QPoint(130, 115));
}

TEST_F(WindowTest, ShowWindowCommandsAndMinimiseRestoreMessages)
{
    TestWnd wnd("small.xml");
    const HWND h = wnd.Open();
    EXPECT_TRUE(IsWindowVisible(h));
    ShowWindow(h, SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(h));
    ShowWindow(h, SW_SHOW);
    EXPECT_TRUE(IsWindowVisible(h));
    SendMessage(h, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(IsIconic(h));
    SendMessage(h, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(IsIconic(h));
    EXPECT_TRUE(SetWindowText(h, "title"));
    EXPECT_EQ(wnd.GetWidget()->windowTitle(), "title");
}

TEST_F(WindowTest, TrayClicksReachTheWindowWithTheMouseMessage)
{
    TestWnd wnd("small.xml");
    const HWND h = wnd.Open();
    CTrayIcon tray;
    tray.CreateTrayIcon(h, QIcon(), "tip");
    ASSERT_NE(tray.GetSystemTrayIcon(), nullptr);
    EXPECT_EQ(tray.GetSystemTrayIcon()->toolTip(), "tip");
    emit tray.GetSystemTrayIcon()->activated(QSystemTrayIcon::Trigger);
    emit tray.GetSystemTrayIcon()->activated(QSystemTrayIcon::Context);
    ASSERT_TRUE(QTest::qWaitFor([&] { return wnd.messages.size() == 2; }));
    EXPECT_EQ(wnd.messages[0].msg, UIMSG_TRAYICON);
    EXPECT_EQ(wnd.messages[0].lParam, static_cast<LPARAM>(WM_LBUTTONUP));
    EXPECT_EQ(wnd.messages[1].lParam, static_cast<LPARAM>(WM_RBUTTONUP));
    tray.DeleteTrayIcon();
    EXPECT_FALSE(tray.IsVisible());
}
