// The name dialogs of both libraries, driven as a user would drive them.

#include "macros/EditMacroName.h"
#include "app/MsgWnd.h"
#include "guns/EditGunName.h"
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

class EditMacroNameTest : public UiTest
{
protected:
    EditMacroNameTest() : main("main_test.xml")
    {
        WriteRes("main_test.xml", kMainSkin);
        main.Open();
        overlay = main.PM().FindControl("disable_window_ver");
        AppendFolderEntry(library, u"Games");
        AppendMacro(library, u"Games", u"Jump");
        AppendFolderEntry(library, u"Work");
        CMsgWnd::SetAnswerHook(
            [this](const QString&, const QString& msg) -> UINT
            {
                asked.push_back(msg);
                overlayWhileAsked.push_back(overlay->IsVisible());
                return 1;
            });
    }
    ~EditMacroNameTest() override { CMsgWnd::SetAnswerHook({}); }

    std::optional<std::u16string> Ask(int mode, const std::u16string& name,
                                      const std::u16string& folder = u"")
    {
        return CEditMacroName::AskName(&main.PM(), main.GetHWND(), mode, library, name, folder);
    }

    // The text keys the dialog's labels were given, read while it runs.
    static std::pair<QString, QString> LabelKeys()
    {
        CPaintManagerUI* dialog = CPaintManagerUI::GetPaintManagers().back();
        return {dialog->FindControl("label_title")->GetRawText(),
                dialog->FindControl("label_string")->GetRawText()};
    }

    TestWnd main;
    CControlUI* overlay = nullptr;
    MacroLibrary library;
    std::vector<QString> asked;
    std::vector<bool> overlayWhileAsked;
};
} // namespace

TEST_F(EditMacroNameTest, OkOnTheUnchangedNameEndsLikeCancel)
{
    WhenDialogOpens([](QWidget* dialog) { Press(dialog, "ok_btn"); });
    EXPECT_FALSE(Ask(CEditNameWnd::kAddFolder, u""));
    // Only the letter case differs: nothing to rename.
    WhenDialogOpens(
        [](QWidget* dialog)
        {
            TypeInto(dialog, "edit_name", "JUMP");
            Press(dialog, "ok_btn");
        });
    EXPECT_FALSE(Ask(CEditNameWnd::kRenameItem, u"Jump", u"Games"));
    EXPECT_TRUE(asked.empty());
    EXPECT_FALSE(overlay->IsVisible());
}

TEST_F(EditMacroNameTest, RefusesAnEmptyNameAndStaysOpenUnderTheOverlay)
{
    bool overlayUp = false;
    WhenDialogOpens(
        [&](QWidget* dialog)
        {
            overlayUp = overlay->IsVisible();
            TypeInto(dialog, "edit_name", "");
            Press(dialog, "ok_btn");
            // Still open: the user corrects the name.
            TypeInto(dialog, "edit_name", "Run");
            Press(dialog, "ok_btn");
        });
    EXPECT_EQ(Ask(CEditNameWnd::kRenameItem, u"Jump", u"Games"), u"Run");
    EXPECT_TRUE(overlayUp);
    ASSERT_EQ(asked, std::vector<QString>{"no_name_text"});
    EXPECT_EQ(overlayWhileAsked, std::vector<bool>{true});
    EXPECT_FALSE(overlay->IsVisible());
}

TEST_F(EditMacroNameTest, ItemNamesAreUniqueWithinTheirFolderOnly)
{
    WhenDialogOpens(
        [](QWidget* dialog)
        {
            TypeInto(dialog, "edit_name", "jUMP");
            Press(dialog, "ok_btn");
            Press(dialog, "cancel_btn");
        });
    EXPECT_FALSE(Ask(CEditNameWnd::kAddItem, u"", u"games"));
    EXPECT_EQ(asked, std::vector<QString>{"same_macro_text"});

    WhenDialogOpens(
        [](QWidget* dialog)
        {
            TypeInto(dialog, "edit_name", "jump");
            Press(dialog, "ok_btn");
        });
    EXPECT_EQ(Ask(CEditNameWnd::kAddItem, u"", u"Work"), u"jump");
    EXPECT_EQ(asked.size(), 1u);
}

TEST_F(EditMacroNameTest, FolderNamesAreUniqueInAnyLetterCase)
{
    WhenDialogOpens(
        [](QWidget* dialog)
        {
            TypeInto(dialog, "edit_name", "WORK");
            Press(dialog, "ok_btn");
            Press(dialog, "exit_btn");
        });
    EXPECT_FALSE(Ask(CEditNameWnd::kRenameFolder, u"Games"));
    EXPECT_EQ(asked, std::vector<QString>{"same_macro_dir_text"});
}

TEST_F(EditMacroNameTest, NamesStopAtFortyNineCharacters)
{
    WhenDialogOpens(
        [](QWidget* dialog)
        {
            TypeInto(dialog, "edit_name", QString(60, 'n'));
            Press(dialog, "ok_btn");
        });
    EXPECT_EQ(Ask(CEditNameWnd::kAddFolder, u""), std::u16string(49, u'n'));
}

TEST_F(EditMacroNameTest, EachModeHasItsTitleAndPrompt)
{
    const std::pair<const char*, const char*> macroKeys[4] = {
        {"add_macro_dir_text", "input_macro_dir_text"},
        {"add_macro_text", "input_macro_text"},
        {"rename_macro_dir_text", "input_macro_dir_text"},
        {"rename_macro_text", "input_macro_text"}};
    const std::pair<const char*, const char*> gunKeys[4] = {
        {"add_gun_dir_text", "input_gun_dir_text"},
        {"add_gun_text", "input_gun_text"},
        {"rename_gun_dir_text", "input_gun_dir_text"},
        {"rename_gun_text", "input_gun_text"}};
    GunLibrary guns;
    for (int mode = 0; mode < 4; ++mode)
    {
        std::pair<QString, QString> seen;
        WhenDialogOpens(
            [&](QWidget* dialog)
            {
                seen = LabelKeys();
                Press(dialog, "cancel_btn");
            });
        Ask(mode, u"");
        EXPECT_EQ(seen.first, macroKeys[mode].first);
        EXPECT_EQ(seen.second, macroKeys[mode].second);

        WhenDialogOpens(
            [&](QWidget* dialog)
            {
                seen = LabelKeys();
                Press(dialog, "cancel_btn");
            });
        CEditGunName::AskName(&main.PM(), main.GetHWND(), mode, guns, u"", u"");
        EXPECT_EQ(seen.first, gunKeys[mode].first);
        EXPECT_EQ(seen.second, gunKeys[mode].second);
    }
}

TEST_F(EditMacroNameTest, TheGunDialogChecksTheGunLibrary)
{
    GunLibrary guns;
    AppendFolderEntry(guns, u"Rifles");
    AppendGun(guns, u"Rifles", u"AK");
    WhenDialogOpens(
        [](QWidget* dialog)
        {
            TypeInto(dialog, "edit_name", "ak");
            Press(dialog, "ok_btn");
            TypeInto(dialog, "edit_name", "rifles");
            Press(dialog, "ok_btn");
        });
    // The item check runs in the item modes, so the folder's own name is free here.
    EXPECT_EQ(CEditGunName::AskName(&main.PM(), main.GetHWND(), CEditNameWnd::kAddItem, guns, u"",
                                    u"Rifles"),
              u"rifles");
    EXPECT_EQ(asked, std::vector<QString>{"same_macro_text"});
}

TEST_F(EditMacroNameTest, EnterAcceptsTheNameAndEscapeCancels)
{
    WhenDialogOpens(
        [](QWidget* dialog)
        {
            TypeInto(dialog, "edit_name", "Sprint");
            QTest::keyClick(dialog->findChild<QLineEdit*>("edit_name"), Qt::Key_Return);
        });
    EXPECT_EQ(Ask(CEditNameWnd::kAddItem, u"", u"Games"), u"Sprint");

    // Enter runs the same checks as OK: a taken name is refused, the dialog stays.
    WhenDialogOpens(
        [](QWidget* dialog)
        {
            TypeInto(dialog, "edit_name", "Jump");
            QTest::keyClick(dialog->findChild<QLineEdit*>("edit_name"), Qt::Key_Enter);
            QTest::keyClick(dialog->findChild<QLineEdit*>("edit_name"), Qt::Key_Escape);
        });
    EXPECT_FALSE(Ask(CEditNameWnd::kAddItem, u"", u"Games"));
    EXPECT_EQ(asked, std::vector<QString>{"same_macro_text"});
    EXPECT_FALSE(overlay->IsVisible());
}
