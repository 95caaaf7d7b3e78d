// The message dialog and the modal convention around it.

#include "app/MsgWnd.h"
#include "tests/ui/Screenshot.h"
#include "tests/ui/UiTestSupport.h"
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
                                   "delete_profile_text"),
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
                                       "delete_profile_text"),
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
                                   "delete_profile_text"),
              0u);
    EXPECT_FALSE(overlay->IsVisible());
}

TEST_F(MsgWndTest, WithoutAnOverlayWindowNothingIsCovered)
{
    // The no-device message and the firmware prompt (no owner at all).
    PressInDialog("ok_btn");
    EXPECT_EQ(CMsgWnd::ShowMessage(nullptr, main.GetHWND(), "warning_title_text", "x"), 1u);
    EXPECT_FALSE(overlayWhileOpen);
    PressInDialog("ok_btn");
    EXPECT_EQ(CMsgWnd::ShowMessage(nullptr, nullptr, "warning_title_text", "x"), 1u);
    EXPECT_FALSE(overlayWhileOpen);
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
