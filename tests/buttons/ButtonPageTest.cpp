// The button page on a window built from its own skin: labels, button sets,
// highlights, the function menu and every assignment, with the dialogs run
// modally and answered the way a user answers them.

#include "buttons/ButtonPage.h"
#include "app/MsgWnd.h"
#include "app/StartupData.h"
#include "buttons/ButtonFunctions.h"
#include "model/NameField.h"
#include "tests/support/PageTestSupport.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/ButtonUI.h"
#include "ui/CheckBoxUI.h"
#include "ui/MenuElementUI.h"
#include "ui/MenuUI.h"
#include "ui/MenuWnd.h"
#include "ui/OptionUI.h"
#include "ui/ResourceManager.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <set>

namespace
{
const char* kSkin = R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="800,572">
  <VerticalLayout style="window">
    <Include source="button.xml" virtualwnd="ButtonPage" height="420"/>
    <Control name="disable_window_ver" style="overlay" pos="0,0,800,572"/>
  </VerticalLayout>
</Window>)";

// Cancels and counts the selection dialogs that open, so that a dialog that
// should not have opened fails the test instead of hanging it.
class DialogWatch
{
public:
    DialogWatch()
    {
        m_timer.setInterval(0);
        QObject::connect(&m_timer, &QTimer::timeout,
                         [this]
                         {
                             QWidget* dialog = QApplication::activeModalWidget();
                             if (dialog == nullptr || dialog == m_last || !IsSelection(dialog))
                                 return;
                             m_last = dialog;
                             ++opened;
                             Press(dialog, "cancel_btn");
                         });
        m_timer.start();
    }
    int opened = 0;

private:
    // The message dialog answers through its hook.
    static bool IsSelection(QWidget* dialog)
    {
        for (const char* name : {"edit_key", "macro_list", "gun_list"})
            if (dialog->findChild<QWidget*>(name) != nullptr)
                return true;
        return false;
    }

    QTimer m_timer;
    QPointer<QWidget> m_last;
};

QWidget* ListItem(QWidget* dialog, const char* list, int row)
{
    QWidget* w = dialog->findChild<QWidget*>(list);
    return w != nullptr ? w->childAt(QPoint(40, 15 + 30 * row + 4)) : nullptr;
}

class ButtonPageTest : public UiTest
{
protected:
    ButtonPageTest() : main("button_test.xml"), profile(SampleProfile())
    {
        CResourceManager::GetInstance()->LoadLanguage("Language/EN.xml");
        WriteRes("button_test.xml", kSkin);
        for (int s = 0; s < kButtonSlots; ++s)
        {
            ButtonData& slot = profile->aButton[s];
            slot.byFunction = kDefaultSlotFunction[s];
        }
        profile->iButtonMode = 0;
        g_pCurProfile = profile.get();
        g_DefaultProfile = ProfileData{};
        g_vecMacro.clear();
        g_vecGun.clear();
        main.AddVirtualWnd("ButtonPage", &page);
        main.Open();
        page.SetPaintManager(&main.PM(), main.GetHWND());
        page.Init();
        page.RefreshPage();
        CMsgWnd::SetAnswerHook(
            [this](const QString&, const QString& msg) -> UINT
            {
                asked.push_back(msg);
                return 1;
            });
    }
    ~ButtonPageTest() override
    {
        CMsgWnd::SetAnswerHook({});
        g_pCurProfile = nullptr;
        g_vecMacro.clear();
        g_vecGun.clear();
    }

    template <typename T = CControlUI> T* Find(const QString& name) { return main.Find<T>(name); }
    CButtonUI* Button(int number) { return Find<CButtonUI>(QString("button%1_btn").arg(number)); }
    void Notify(CControlUI* control, const char* type) { main.PM().SendNotify(control, type); }
    // Chooses a menu item for the button numbered `number`, as the main
    // window passes it on.
    void Assign(int number, const QString& item)
    {
        Notify(Button(number), DUI_MSGTYPE_CLICK);
        page.AssignFunction(item);
    }
    ButtonData& Slot(int s) { return profile->aButton[s]; }
    bool Visible(const QString& name) { return Find(name)->IsVisible(); }

    TestWnd main;
    CButtonPage page;
    std::unique_ptr<ProfileData> profile;
    std::vector<QString> asked;
};

} // namespace

TEST_F(ButtonPageTest, RefreshShowsTheSetAndLabelsAsKeysOrComposedTexts)
{
    EXPECT_TRUE(Find<COptionUI>("button_mode_option_1")->IsSelected());
    EXPECT_TRUE(Visible("office_mode_left"));
    EXPECT_FALSE(Visible("game_mode_right"));
    EXPECT_TRUE(Button(2)->IsResourceText());
    EXPECT_EQ(Button(2)->GetRawText(), "menu_text");
    EXPECT_EQ(Button(8)->GetRawText(), "button_off_text");

    Slot(20).byFunction = 21;
    Slot(20).byShortcutMods = 0b0011;
    Slot(20).byShortcutKey = 0x2C;
    Slot(5).byFunction = 24; // only a stored profile holds it
    profile->iButtonMode = 1;
    page.RefreshPage();
    EXPECT_TRUE(Find<COptionUI>("button_mode_option_2")->IsSelected());
    EXPECT_TRUE(Visible("game_mode_left"));
    EXPECT_FALSE(Visible("office_mode_right"));
    EXPECT_FALSE(Button(21)->IsResourceText());
    EXPECT_EQ(Button(21)->GetText(), "Ctrl+Shift+Space");
    EXPECT_EQ(Button(6)->GetRawText(), "click_text");
}

TEST_F(ButtonPageTest, SwitchingTheSetChangesOnlyTheButtonMode)
{
    Slot(3).byFunction = 70; // not shown until a refresh
    const ProfileData before = *profile;
    Find<COptionUI>("button_mode_option_2")->Selected(true);
    EXPECT_EQ(profile->iButtonMode, 1);
    EXPECT_ONLY_FIELD_CHANGED(before, *profile, iButtonMode);
    EXPECT_TRUE(Visible("game_mode_right"));
    EXPECT_FALSE(Visible("office_mode_left"));
    EXPECT_EQ(Button(4)->GetRawText(), "forward_text");
    Find<COptionUI>("button_mode_option_1")->Selected(true);
    EXPECT_EQ(profile->iButtonMode, 0);
    EXPECT_TRUE(Visible("office_mode_left"));
}

TEST_F(ButtonPageTest, HoverHighlightsThePhysicalButtonOfEitherSet)
{
    Notify(Button(19), DUI_MSGTYPE_MOUSEENTER);
    EXPECT_TRUE(Visible("control_button_pic_3"));
    EXPECT_FALSE(Visible("control_button_pic_0"));
    Notify(Button(19), DUI_MSGTYPE_MOUSELEAVE);
    EXPECT_FALSE(Visible("control_button_pic_3"));
    EXPECT_TRUE(Visible("control_button_pic_0"));
    Notify(Button(3), DUI_MSGTYPE_MOUSEENTER);
    EXPECT_TRUE(Visible("control_button_pic_3"));
    // Other controls leave the pictures alone.
    Notify(Find("button_mode_option_1"), DUI_MSGTYPE_MOUSELEAVE);
    EXPECT_TRUE(Visible("control_button_pic_3"));
}

TEST_F(ButtonPageTest, TheMenuOffersEveryFunctionBelowOrAboveTheButton)
{
    Notify(Button(17), DUI_MSGTYPE_CLICK);
    EXPECT_EQ(page.GetCurrentSlot(), 16);
    CMenuWnd* menu = page.GetButtonMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->GetQMenu()->isVisible());

    std::set<std::string> offered;
    std::function<void(CContainerUI*)> collect = [&](CContainerUI* items)
    {
        for (int i = 0; i < items->GetCount(); ++i)
            if (auto* item = dynamic_cast<CMenuElementUI*>(items->GetItemAt(i)))
            {
                if (!item->GetName().isEmpty())
                    offered.insert(item->GetName().toStdString());
                collect(item);
            }
    };
    collect(menu->GetMenuUI());
    std::set<std::string> catalogue;
    for (const ButtonFunction& function : ButtonFunctionCatalogue())
        catalogue.insert(function.szItem);
    EXPECT_EQ(offered, catalogue);

    RECT window{};
    ::GetWindowRect(main.GetHWND(), &window);
    const RECT button = Button(1)->GetPos();
    Notify(Button(1), DUI_MSGTYPE_CLICK);
    EXPECT_NE(page.GetButtonMenu(), menu) << "the old menu is replaced";
    EXPECT_EQ(page.GetButtonMenu()->GetBasedPoint().y, window.top + button.bottom);
    EXPECT_EQ(page.GetButtonMenu()->GetBasedPoint().x, window.left + button.left);

    // Near the screen's bottom the menu opens above the button.
    const int screenHeight = QGuiApplication::primaryScreen()->geometry().height();
    ::SetWindowPos(main.GetHWND(), nullptr, 0, screenHeight - 300, 0, 0, SWP_NOSIZE);
    ::GetWindowRect(main.GetHWND(), &window);
    Notify(Button(1), DUI_MSGTYPE_CLICK);
    const int items = page.GetButtonMenu()->GetMenuUI()->GetVisibleItemCount();
    EXPECT_EQ(page.GetButtonMenu()->GetBasedPoint().y, window.top + button.top - 25 * items - 4);
}

TEST_F(ButtonPageTest, ChosenMenuItemReachesTheSlotThroughTheMainWindowMessage)
{
    Notify(Button(20), DUI_MSGTYPE_CLICK);
    QAction* action = page.GetButtonMenu()->GetQMenu()->findChild<QAction*>("mute");
    ASSERT_NE(action, nullptr);
    action->trigger();
    // The test window receives what the main window would; hand it on.
    QApplication::processEvents();
    ASSERT_FALSE(main.messages.empty());
    auto* cmd = reinterpret_cast<MenuCmd*>(main.messages.back().wParam);
    EXPECT_EQ(main.messages.back().msg, WM_MENUCLICK);
    page.AssignFunction(cmd->szName);
    CPaintManagerUI::DeletePtr(cmd);
    EXPECT_EQ(Slot(19).byFunction, 71);
    EXPECT_EQ(Button(20)->GetRawText(), "mute_text");
}

TEST_F(ButtonPageTest, EveryPlainFunctionLandsInTheSlotOfTheActiveSet)
{
    for (int mode = 0; mode < 2; ++mode)
    {
        profile->iButtonMode = mode;
        const int number = mode == 0 ? 4 : 21;
        for (const ButtonFunction& function : ButtonFunctionCatalogue())
        {
            const uint8_t code = function.byCode;
            if (function.szLabelKey == nullptr || code == 21 || code == 22 || code == 121)
                continue;
            const ProfileData before = *profile;
            Assign(number, function.szItem);
            ButtonData& slot = Slot(number - 1);
            EXPECT_EQ(slot.byFunction, code) << function.szItem;
            EXPECT_EQ(Button(number)->GetRawText(), function.szLabelKey);
            EXPECT_TRUE(Button(number)->IsResourceText());
            if (code != 26)
                ExpectOnlyChanged(before, *profile,
                                  offsetof(ProfileData, aButton) +
                                      (number - 1) * sizeof(ButtonData) +
                                      offsetof(ButtonData, byFunction),
                                  1);
        }
    }
    EXPECT_TRUE(asked.empty());
}

TEST_F(ButtonPageTest, TheLastLeftClickCannotBeGivenAway)
{
    const ProfileData before = *profile;
    Assign(1, "menu");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], "one_left_click_text");
    ExpectUnchanged(before, *profile);
    // Refused before any dialog opens.
    DialogWatch watch;
    Assign(1, "shortcut");
    Assign(1, "select_gun");
    EXPECT_EQ(watch.opened, 0);
    EXPECT_EQ(asked.size(), 3u);

    Assign(1, "send_gun");
    EXPECT_EQ(Slot(0).byFunction, 25);
    Assign(1, "Click");
    // A left click on a slot the office set does not count stays refused.
    Slot(14).byFunction = 1;
    Assign(1, "button_off");
    EXPECT_EQ(Slot(0).byFunction, 1);
    EXPECT_EQ(asked.size(), 4u);
    // With a second left click among 0..13 it passes.
    Assign(9, "click");
    Assign(1, "button_off");
    EXPECT_EQ(Slot(0).byFunction, 0);

    // The game set has its own: slot 16 holds send_gun.
    profile->iButtonMode = 1;
    Assign(17, "dpi_up");
    EXPECT_EQ(Slot(16).byFunction, 25);
    EXPECT_EQ(asked.size(), 5u);
}

TEST_F(ButtonPageTest, DefaultRestoresTheDefaultImageCodeOrNothing)
{
    Assign(3, "juji");
    Assign(3, "default");
    EXPECT_EQ(Slot(2).byFunction, 0) << "no default image: off";
    g_DefaultProfile.aButton[2].byFunction = 3;
    g_DefaultProfile.aButton[2].byShortcutKey = 9;
    Assign(3, "DEFAULT");
    EXPECT_EQ(Slot(2).byFunction, 3);
    EXPECT_EQ(Slot(2).byShortcutKey, SampleProfile()->aButton[2].byShortcutKey);
    EXPECT_EQ(Button(3)->GetRawText(), "scroll_text");
    // Without a default image the last left click is protected.
    g_DefaultProfile = ProfileData{};
    Assign(1, "default");
    EXPECT_EQ(Slot(0).byFunction, 1);
    EXPECT_EQ(asked.size(), 1u);
}

TEST_F(ButtonPageTest, ModeSwitchIsMirroredIntoTheOtherSet)
{
    Assign(4, "mode_switch");
    EXPECT_EQ(Slot(3).byFunction, 26);
    EXPECT_EQ(Slot(19).byFunction, 26);
    EXPECT_EQ(Button(20)->GetRawText(), "mode_switch_text");
    profile->iButtonMode = 1;
    Assign(21, "mode_switch");
    EXPECT_EQ(Slot(4).byFunction, 26);
    EXPECT_EQ(Button(5)->GetRawText(), "mode_switch_text");
    EXPECT_EQ(Slot(1).byFunction, 2) << "other slots untouched";
}

TEST_F(ButtonPageTest, MacroAndGunLimitsCountBothSets)
{
    for (int s : {1, 2, 3, 17, 18, 19, 20, 21, 22, 23})
        Slot(s).byFunction = 22;
    for (int s : {4, 24, 25})
        Slot(s).byFunction = 121;
    const ProfileData before = *profile;
    DialogWatch watch;
    Assign(6, "select_macro");
    Assign(7, "select_gun");
    profile->iButtonMode = 1;
    Assign(31, "select_gun");
    EXPECT_EQ(watch.opened, 0);
    ExpectOnlyChanged(before, *profile, offsetof(ProfileData, iButtonMode), 4);
    // A slot that already has one opens the dialog again.
    Assign(18, "select_macro");
    Assign(26, "select_gun");
    EXPECT_EQ(watch.opened, 2);
}

TEST_F(ButtonPageTest, ShortcutDialogStartsClearedAndOkStoresFlagsAndKey)
{
    Slot(5).byShortcutMods = 0x0F;
    Slot(5).byShortcutKey = 0x10;
    bool overlayUp = false;
    QString keyShown;
    WhenDialogOpens(
        [&](QWidget* dialog)
        {
            overlayUp = Find("disable_window_ver")->IsVisible();
            keyShown = dialog->findChild<QLineEdit*>("edit_key")->text();
            Press(dialog, "cancel_btn");
        });
    Assign(6, "shortcut");
    EXPECT_TRUE(overlayUp);
    EXPECT_FALSE(Find("disable_window_ver")->IsVisible());
    EXPECT_EQ(keyShown, "");
    EXPECT_EQ(Slot(5).byFunction, 7) << "cancel keeps the function";
    EXPECT_EQ(Slot(5).byShortcutMods, 0);
    EXPECT_EQ(Slot(5).byShortcutKey, 0);

    Slot(5).byFunction = 21;
    Slot(5).byShortcutKey = 0x04;
    WhenDialogOpens(
        [&](QWidget* dialog)
        {
            keyShown = dialog->findChild<QLineEdit*>("edit_key")->text();
            Press(dialog, "check_flag_1");
            Press(dialog, "check_flag_3");
            Press(dialog, "check_flag_3");
            Press(dialog, "check_flag_4");
            Press(dialog, "ok_btn");
        });
    Assign(6, "shortcut");
    EXPECT_EQ(keyShown, "A");
    EXPECT_EQ(Slot(5).byFunction, 21);
    EXPECT_EQ(Slot(5).byShortcutMods, 0b1001);
    EXPECT_EQ(Slot(5).byShortcutKey, 0x04);
    EXPECT_EQ(Button(6)->GetText(), "Ctrl+Super+A");
    EXPECT_FALSE(Button(6)->IsResourceText());
}

TEST_F(ButtonPageTest, EscapeInTheKeyFieldIsTheKeyElsewhereItCancels)
{
    Slot(5).byShortcutKey = 0x04;
    QString keyShown;
    bool stillOpen = false;
    WhenDialogOpens(
        [&](QWidget* dialog)
        {
            auto* edit = dialog->findChild<QLineEdit*>("edit_key");
            QApplication::setActiveWindow(dialog);
            edit->setFocus();
            // Through the window, as real input arrives, so the hook sees it.
            QTest::keyClick(dialog->windowHandle(), Qt::Key_Escape);
            QApplication::processEvents();
            keyShown = edit->text();
            stillOpen = QApplication::activeModalWidget() == dialog;
            Press(dialog, "check_flag_2");
            QTest::keyClick(dialog->windowHandle(), Qt::Key_Escape);
        });
    Assign(6, "shortcut");
    EXPECT_EQ(keyShown, "Esc");
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(Slot(5).byFunction, 7) << "Escape outside the key field cancels";
    EXPECT_EQ(Slot(5).byShortcutMods, 0);
    EXPECT_FALSE(Find("disable_window_ver")->IsVisible());
}

TEST_F(ButtonPageTest, MacroDialogRestoresTheBindingAndOkCopiesTheChosenMacro)
{
    AppendFolderEntry(g_vecMacro, u"Work");
    AppendMacro(g_vecMacro, u"Work", u"Mail");
    AppendFolderEntry(g_vecMacro, u"Games");
    const int first = AppendMacro(g_vecMacro, u"Games", u"Reload");
    const int second = AppendMacro(g_vecMacro, u"Games", u"Jump");
    g_vecMacro[second]->wActionCount = 2;
    g_vecMacro[second]->aAction[1].wDelay = 321;
    g_vecMacro[second]->bLocked = 1;
    Slot(9).byFunction = 22;
    Slot(9).iMacroIndex = first;
    Slot(9).iMacroMode = 1;
    Slot(9).iLibValue = 4;
    SetNameField(Slot(9).szAssignedFolder, u"GAMES");
    SetNameField(Slot(9).szAssignedName, u"reload");

    QString comboShown;
    bool loopRowShown = true;
    WhenDialogOpens(
        [&](QWidget* dialog)
        {
            auto* combo = dialog->findChild<QComboBox*>("macro_combo");
            // The binding shows once the restore timer has run.
            QTest::qWaitFor([&] { return combo->currentIndex() == 1; });
            comboShown = combo->currentText();
            loopRowShown = dialog->findChild<QWidget*>("hor_loop_time")->isVisible();
            QWidget* item = ListItem(dialog, "macro_list", 1);
            ASSERT_NE(item, nullptr);
            QTest::mouseClick(item, Qt::LeftButton);
            Press(dialog, "repeat_1");
            TypeInto(dialog, "edit_loop_time", "999");
            Press(dialog, "ok_btn");
        });
    Assign(10, "select_macro");
    EXPECT_EQ(comboShown, "Games");
    EXPECT_FALSE(loopRowShown);
    const ButtonData& slot = Slot(9);
    EXPECT_EQ(slot.byFunction, 22);
    EXPECT_EQ(slot.iMacroIndex, second);
    EXPECT_EQ(slot.iMacroMode, 0);
    EXPECT_EQ(slot.iLibValue, 255);
    EXPECT_EQ(slot.wEventCount, 2);
    EXPECT_EQ(slot.aEvent[1].wDelay, 321);
    EXPECT_EQ(NameFromField(slot.szAssignedName), u"Jump");
    EXPECT_EQ(Button(10)->GetText(), "Macro: Games-Jump");

    // A new binding starts empty: OK without a choice finds nothing.
    WhenDialogOpens([&](QWidget* dialog) { Press(dialog, "ok_btn"); });
    Assign(11, "select_macro");
    EXPECT_EQ(Slot(10).byFunction, 0);
    EXPECT_EQ(Slot(10).iMacroIndex, -1);
    EXPECT_EQ(Slot(10).iLibValue, 1);
    EXPECT_TRUE(NameFromField(Slot(10).szAssignedName).empty());
    EXPECT_FALSE(Find("disable_window_ver")->IsVisible());
}

TEST_F(ButtonPageTest, GunDialogBindsTheChosenGunWithItsColour)
{
    AppendFolderEntry(g_vecGun, u"A");
    AppendGun(g_vecGun, u"A", u"One");
    AppendFolderEntry(g_vecGun, u"B");
    AppendGun(g_vecGun, u"B", u"Two");
    const int third = AppendGun(g_vecGun, u"B", u"Three");
    g_vecGun[third]->byBulletCount = 7;
    g_vecGun[third]->byExtra = 9;
    g_vecGun[third]->aBullet[6].iX = -5;

    WhenDialogOpens(
        [&](QWidget* dialog)
        {
            auto* combo = dialog->findChild<QComboBox*>("gun_combo");
            emit combo->activated(1);
            QWidget* item = ListItem(dialog, "gun_list", 1);
            ASSERT_NE(item, nullptr);
            QTest::mouseClick(item, Qt::LeftButton);
            Press(dialog, "repeat_3");
            Press(dialog, "ok_btn");
        });
    Assign(12, "select_gun");
    const ButtonData& slot = Slot(11);
    EXPECT_EQ(slot.byFunction, 121);
    EXPECT_EQ(slot.iGunIndex, third);
    EXPECT_EQ(slot.iMacroMode, 2);
    EXPECT_EQ(slot.clrGun, 255);
    EXPECT_EQ(slot.wEventCount, 7);
    EXPECT_EQ(slot.iLibValue, 9);
    EXPECT_EQ(slot.aBullet[6].iX, -5);
    EXPECT_EQ(NameFromField(slot.szAssignedFolder), u"B");
    EXPECT_EQ(Button(12)->GetText(), "Gun: B-Three");

    // Reopened, it shows the binding; OK untouched keeps it all.
    int shownFolder = -1;
    WhenDialogOpens(
        [&](QWidget* dialog)
        {
            auto* combo = dialog->findChild<QComboBox*>("gun_combo");
            QTest::qWaitFor([&] { return combo->currentIndex() == 1; });
            shownFolder = combo->currentIndex();
            Press(dialog, "ok_btn");
        });
    Assign(12, "select_gun");
    EXPECT_EQ(shownFolder, 1);
    EXPECT_EQ(Slot(11).iGunIndex, third);
    EXPECT_EQ(Slot(11).iMacroMode, 2);

    // Cancel leaves a new slot's function alone.
    WhenDialogOpens([&](QWidget* dialog) { Press(dialog, "exit_btn"); });
    Assign(13, "select_gun");
    EXPECT_EQ(Slot(12).byFunction, 0);
    EXPECT_EQ(Slot(12).iGunIndex, -1);
    EXPECT_EQ(Slot(12).clrGun, 255);
}
