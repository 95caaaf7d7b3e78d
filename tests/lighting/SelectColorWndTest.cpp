// The colour picker dialog, driven as a user would drive it.

#include "lighting/SelectColorWnd.h"
#include "tests/support/PageTestSupport.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/ControlUI.h"

namespace
{
const char* kMainSkin = R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="800,572">
  <VerticalLayout style="window">
    <Label text="main window"/>
    <Control name="disable_window_ver" style="overlay" pos="0,0,800,572"/>
  </VerticalLayout>
</Window>)";

class SelectColorWndTest : public UiTest
{
protected:
    SelectColorWndTest() : main("main_test.xml")
    {
        WriteRes("main_test.xml", kMainSkin);
        main.Open();
        overlay = main.PM().FindControl("disable_window_ver");
    }

    QString EditText(QWidget* dialog, const char* edit) const
    {
        auto* e = dialog->findChild<QLineEdit*>(edit);
        return e != nullptr ? e->text() : QString("<none>");
    }

    TestWnd main;
    CControlUI* overlay = nullptr;
};
} // namespace

TEST_F(SelectColorWndTest, ShowsTheStartColourAndReturnsTheTypedOneOnOk)
{
    QString shown[3];
    QString blueAfterTyping;
    bool overlayUp = false;
    WhenDialogOpens(
        [&](QWidget* dialog)
        {
            overlayUp = overlay->IsVisible();
            shown[0] = EditText(dialog, "r_edit");
            shown[1] = EditText(dialog, "g_edit");
            shown[2] = EditText(dialog, "b_edit");
            TypeInto(dialog, "b_edit", "999");
            blueAfterTyping = EditText(dialog, "b_edit");
            Press(dialog, "ok_btn");
        });
    DWORD color = 0xFFFF0000;
    EXPECT_TRUE(CSelectColorWnd::PickColor(&main.PM(), main.GetHWND(), color));
    EXPECT_EQ(shown[0], "255");
    EXPECT_EQ(shown[1], "0");
    EXPECT_EQ(shown[2], "0");
    EXPECT_EQ(blueAfterTyping, "255");
    EXPECT_EQ(color, 0xFFFF00FFu);
    EXPECT_TRUE(overlayUp);
    EXPECT_FALSE(overlay->IsVisible());
}

TEST_F(SelectColorWndTest, PaletteMovesFollowTheEditsAndCancelChangesNothing)
{
    QString redWhileOpen;
    WhenDialogOpens(
        [&](QWidget* dialog)
        {
            QWidget* palette = dialog->findChild<QWidget*>("color_Pallet");
            ASSERT_NE(palette, nullptr);
            // A press low in the saturation/brightness field darkens the colour.
            const QPoint p(palette->width() / 3, palette->height() / 2);
            QTest::mousePress(palette, Qt::LeftButton, {}, p);
            QTest::mouseRelease(palette, Qt::LeftButton, {}, p);
            redWhileOpen = EditText(dialog, "r_edit");
            Press(dialog, "cancel_btn");
        });
    DWORD color = 0xFFFF0000;
    EXPECT_FALSE(CSelectColorWnd::PickColor(&main.PM(), main.GetHWND(), color));
    EXPECT_NE(redWhileOpen, "255");
    EXPECT_EQ(color, 0xFFFF0000u);
    EXPECT_FALSE(overlay->IsVisible());
}

TEST_F(SelectColorWndTest, TheCloseButtonCancels)
{
    WhenDialogOpens(
        [&](QWidget* dialog)
        {
            TypeInto(dialog, "g_edit", "80");
            Press(dialog, "exit_btn");
        });
    DWORD color = 0xFF102030;
    EXPECT_FALSE(CSelectColorWnd::PickColor(&main.PM(), main.GetHWND(), color));
    EXPECT_EQ(color, 0xFF102030u);
}
