// The message dialog and the modal convention around it.

#include "app/MsgWnd.h"
#include "tests/ui/Screenshot.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/ContainerUI.h"
#include "ui/LabelUI.h"
#include "ui/ResourceManager.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace
{
const char* kMainSkin = R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="800,572">
  <VerticalLayout style="window">
    <Label name="content" text="main window"/>
    <Control name="disable_window_ver" style="overlay" pos="0,0,800,572"/>
  </VerticalLayout>
</Window>)";

class MsgWndTest : public UiTest
{
protected:
    MsgWndTest() : main("main_test.xml")
    {
        WriteRes("main_test.xml", kMainSkin);
        WriteLanguage("msg", {{"warning_title_text", "Warning"},
                              {"delete_profile_text", "Delete this profile?"},
                              {"ok_text", "OK"},
                              {"cancel_text", "Cancel"}});
        CResourceManager::GetInstance()->LoadLanguage("Language/msg.xml");
        main.Open();
        overlay = main.PM().FindControl("disable_window_ver");
    }

    // Presses a button of the dialog that runs modally now, as the user would,
    // after noting whether the overlay was up meanwhile.
    void PressInDialog(const QString& button)
    {
        QTimer::singleShot(0,
                           [this, button]
                           {
                               overlayWhileOpen = overlay->IsVisible();
                               QWidget* dialog = QApplication::activeModalWidget();
                               ASSERT_NE(dialog, nullptr);
                               dialogTitle = dialog->findChild<QWidget*>("label_title") != nullptr;
                               QWidget* target = dialog->findChild<QWidget*>(button);
                               ASSERT_NE(target, nullptr);
                               QTest::mouseClick(target, Qt::LeftButton);
                           });
    }

    TestWnd main;
    CControlUI* overlay = nullptr;
    bool overlayWhileOpen = false;
    bool dialogTitle = false;
};

// Counts the Show events of top-level windows other than the main window.
class WindowShowCounter : public QObject
{
public:
    WindowShowCounter(QWidget* mainWindow, int& shows) : m_main(mainWindow), m_shows(shows)
    {
        qApp->installEventFilter(this);
    }
    ~WindowShowCounter() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        auto* w = qobject_cast<QWidget*>(o);
        if (e->type() == QEvent::Show && w != nullptr && w->isWindow() && w != m_main)
            ++m_shows;
        return false;
    }

private:
    QWidget* m_main;
    int& m_shows;
};

// Counts its deletions, to see the delete-on-close dialog go.
class CountingMsgWnd : public CMsgWnd
{
public:
    explicit CountingMsgWnd(int& deleted) : CMsgWnd(true), m_deleted(deleted) {}
    ~CountingMsgWnd() override { ++m_deleted; }

private:
    int& m_deleted;
};
} // namespace

TEST_F(MsgWndTest, OkGivesOneAndTheOverlayIsHiddenAfterwards)
{
    PressInDialog("ok_btn");
    EXPECT_EQ(CMsgWnd::ShowMessage(&main.PM(), main.GetHWND(), "warning_title_text",
                                   "delete_profile_text", MsgKind::Question),
              1u);
    EXPECT_TRUE(overlayWhileOpen);
    EXPECT_TRUE(dialogTitle);
    EXPECT_FALSE(overlay->IsVisible());
}

TEST_F(MsgWndTest, CancelAndTheCloseButtonGiveZero)
{
    for (const char* button : {"cancel_btn", "exit_btn"})
    {
        PressInDialog(button);
        EXPECT_EQ(CMsgWnd::ShowMessage(&main.PM(), main.GetHWND(), "warning_title_text",
                                       "delete_profile_text", MsgKind::Question),
                  0u)
            << button;
        EXPECT_TRUE(overlayWhileOpen);
        EXPECT_FALSE(overlay->IsVisible()) << button;
    }
}

TEST_F(MsgWndTest, ClosedByTheWindowManagerGivesZeroAndHidesTheOverlay)
{
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_EQ(CMsgWnd::ShowMessage(&main.PM(), main.GetHWND(), "warning_title_text",
                                   "delete_profile_text", MsgKind::Question),
              0u);
    EXPECT_FALSE(overlay->IsVisible());
}

TEST_F(MsgWndTest, WithoutAnOverlayWindowNothingIsCovered)
{
    // The no-device message and the firmware prompt (no owner at all).
    PressInDialog("ok_btn");
    EXPECT_EQ(CMsgWnd::ShowMessage(nullptr, main.GetHWND(), "warning_title_text", "x",
                                   MsgKind::Information),
              1u);
    EXPECT_FALSE(overlayWhileOpen);
    PressInDialog("ok_btn");
    EXPECT_EQ(
        CMsgWnd::ShowMessage(nullptr, nullptr, "warning_title_text", "x", MsgKind::Information),
        1u);
    EXPECT_FALSE(overlayWhileOpen);
}

// Shown once, already modal and with its caption as title: a window shown,
// hidden and shown again can stay unmapped under a window manager. A message
// that only informs offers OK alone.
TEST_F(MsgWndTest, ShownOnceModalWithItsCaptionAndOkAloneWhenItOnlyInforms)
{
    for (const MsgKind kind : {MsgKind::Question, MsgKind::Information})
    {
        struct Seen
        {
            int shows = 0;
            bool modal = false, cancelShown = false;
            QString title;
        } seen;
        QTimer::singleShot(0,
                           [&seen]
                           {
                               QWidget* dialog = QApplication::activeModalWidget();
                               ASSERT_NE(dialog, nullptr);
                               seen.modal = dialog->windowModality() == Qt::ApplicationModal;
                               seen.title = dialog->windowTitle();
                               seen.cancelShown =
                                   dialog->findChild<QWidget*>("cancel_btn")->isVisible();
                               QTest::keyClick(dialog, Qt::Key_Escape);
                           });
        WindowShowCounter counter(main.GetWidget(), seen.shows);
        EXPECT_EQ(CMsgWnd::ShowMessage(&main.PM(), main.GetHWND(), "warning_title_text",
                                       "delete_profile_text", kind),
                  0u);
        EXPECT_EQ(seen.shows, 1) << "the dialog is shown exactly once";
        EXPECT_TRUE(seen.modal);
        EXPECT_EQ(seen.title, "Warning");
        EXPECT_EQ(seen.cancelShown, kind == MsgKind::Question);
        EXPECT_FALSE(overlay->IsVisible());
    }
}

TEST_F(MsgWndTest, LabelsShowTheTextsOfTheKeys)
{
    CMsgWnd dialog;
    dialog.SetTitle("warning_title_text");
    dialog.SetMsg("delete_profile_text");
    ASSERT_NE(dialog.Create(main.GetHWND(), "MsgWnd", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW, 0, 0,
                            800, 800),
              nullptr);
    dialog.CenterWindow();
    CPaintManagerUI* pm = dialog.GetPaintManager();
    EXPECT_EQ(pm->FindControl("label_title")->GetText(), "Warning");
    EXPECT_EQ(pm->FindControl("label_string")->GetText(), "Delete this profile?");
    EXPECT_EQ(pm->FindControl("ok_btn")->GetText(), "OK");
    EXPECT_LT(dialog.GetWidget()->width(), 800) << "the skin gives the real size";
    SaveScreenshot(dialog, "msgwnd");

    CMsgWnd unknown;
    unknown.SetTitle("warning_title_text");
    unknown.SetMsg("no_such_text");
    unknown.Create(main.GetHWND(), "MsgWnd", WS_POPUP, WS_EX_TOOLWINDOW, 0, 0, 800, 800);
    EXPECT_EQ(unknown.GetPaintManager()->FindControl("label_string")->GetText(), "");
    unknown.DestroyWindow();
    dialog.DestroyWindow();
}

TEST_F(MsgWndTest, ALongMessageMakesTheDialogTallerInsteadOfBeingCut)
{
    const std::string path =
        "/home/someone/.local/share/vestrel/Data/" + std::string(40, 'x') + "/profile.bin";
    std::string text;
    for (int i = 0; i < 8; ++i)
        text += path + " ";
    WriteLanguage("long", {{"warning_title_text", "Warning"},
                           {"delete_profile_text", "Delete this profile?"},
                           {"long_text", text}});
    CResourceManager::GetInstance()->LoadLanguage("Language/long.xml");
    CMsgWnd shortOne;
    shortOne.SetTitle("warning_title_text");
    shortOne.SetMsg("delete_profile_text");
    ASSERT_NE(shortOne.Create(main.GetHWND(), "MsgWnd", WS_POPUP, WS_EX_TOOLWINDOW), nullptr);
    CMsgWnd longOne;
    longOne.SetTitle("warning_title_text");
    longOne.SetMsg("long_text");
    ASSERT_NE(longOne.Create(main.GetHWND(), "MsgWnd", WS_POPUP, WS_EX_TOOLWINDOW), nullptr);

    EXPECT_EQ(shortOne.GetWidget()->height(), shortOne.GetPaintManager()->GetInitSize().cy)
        << "a message that fits keeps the dialog's own size";
    EXPECT_GT(longOne.GetWidget()->height(), shortOne.GetWidget()->height());
    longOne.GetPaintManager()->ResizeRoot();
    dynamic_cast<CContainerUI*>(longOne.GetPaintManager()->GetRoot())->LayoutNow();
    auto* label = static_cast<CLabelUI*>(longOne.GetPaintManager()->FindControl("label_string"));
    EXPECT_GE(label->GetPos().Height(), label->GetTextHeight(label->GetPos().Width()));
    longOne.DestroyWindow();
    shortOne.DestroyWindow();
}

TEST_F(MsgWndTest, ADeleteOnCloseDialogDeletesItself)
{
    int deleted = 0;
    auto* dialog = new CountingMsgWnd(deleted);
    dialog->SetTitle("warning_title_text");
    dialog->Create(main.GetHWND(), "MsgWnd", WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW, 0, 0, 800,
                   800);
    dialog->Close(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return deleted == 1; }));
}
