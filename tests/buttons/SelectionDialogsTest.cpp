// The shortcut, macro and gun dialogs on their own, shown without a modal
// loop and driven through notifications and the hook layer's messages.

#include "buttons/ButtonFunctions.h"
#include "buttons/SelectGunWnd.h"
#include "buttons/SelectMacroWnd.h"
#include "buttons/ShortcutWnd.h"
#include "guns/GunLibrary.h"
#include "macros/MacroLibrary.h"
#include "tests/support/PageTestSupport.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/CheckBoxUI.h"
#include "ui/ComboUI.h"
#include "ui/EditUI.h"
#include "ui/ListUI.h"
#include "ui/OptionUI.h"
#include "ui/ResourceManager.h"

#include <QTest>

namespace
{

std::vector<std::string> hookCalls;
HWND hookTarget = nullptr;

class SelectionDialogsTest : public UiTest
{
protected:
    SelectionDialogsTest()
    {
        CResourceManager::GetInstance()->LoadLanguage("Language/EN.xml");
        g_vecMacro.clear();
        g_vecGun.clear();
    }
    ~SelectionDialogsTest() override
    {
        g_vecMacro.clear();
        g_vecGun.clear();
    }

    static void Open(WindowImplBase& dialog, const char* className)
    {
        ASSERT_NE(dialog.Create(nullptr, className, WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW),
                  nullptr);
    }
    template <typename T = CControlUI> static T* Find(WindowImplBase& dialog, const char* name)
    {
        return dynamic_cast<T*>(dialog.GetPaintManager()->FindControl(name));
    }
    static void Notify(WindowImplBase& dialog, const char* name, const char* type,
                       WPARAM wParam = 0)
    {
        CControlUI* control = Find(dialog, name);
        ASSERT_NE(control, nullptr) << name;
        dialog.GetPaintManager()->SendNotify(control, type, wParam);
    }
    static void Tick(WindowImplBase& dialog, const char* list)
    {
        Notify(dialog, list, DUI_MSGTYPE_TIMER, kRestoreBindingTimer);
    }
};

} // namespace

TEST_F(SelectionDialogsTest, ShortcutShowsItsFlagsAndCapturesTheLastKey)
{
    CShortcutWnd dialog;
    hookCalls.clear();
    HookLibrary hook;
    hook.installhook = [](HWND h)
    {
        hookTarget = h;
        hookCalls.push_back("install");
    };
    hook.removehook = [] { hookCalls.push_back("remove"); };
    hook.enablehook = [](int on) { hookCalls.push_back("enable " + std::to_string(on)); };
    dialog.SetHookLibrary(hook);
    dialog.m_byFlag[1] = 1;
    dialog.m_byKey = 0x3A;
    Open(dialog, "ShortcutWnd");
    EXPECT_FALSE(Find<CCheckBoxUI>(dialog, "check_flag_1")->GetCheck());
    EXPECT_TRUE(Find<CCheckBoxUI>(dialog, "check_flag_2")->GetCheck());
    EXPECT_EQ(Find<CEditUI>(dialog, "edit_key")->GetText(), "F1");

    const auto key = [&](WPARAM vk, LPARAM up)
    {
        ::PostMessage(dialog.GetHWND(), WM_HOOK_KEYBOARD, vk, up);
        QApplication::processEvents();
    };
    key(0x42, 0); // the key field has no focus: no capture
    EXPECT_EQ(dialog.m_byKey, 0x3A);
    EXPECT_TRUE(hookCalls.empty()) << "the hook runs only while the key field has the focus";

    dialog.GetWidget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.GetWidget()));
    auto* edit = Find<CEditUI>(dialog, "edit_key");
    edit->SetFocus();
    ASSERT_TRUE(edit->IsFocused());
    Notify(dialog, "edit_key", DUI_MSGTYPE_SETFOCUS); // a second one changes nothing
    EXPECT_EQ(hookCalls, (std::vector<std::string>{"install", "enable 1"}));
    EXPECT_EQ(hookTarget, dialog.GetHWND());
    key(0x09, 1); // the release of the Tab that came here names nothing
    EXPECT_EQ(dialog.m_byKey, 0x3A);
    key(0x42, 0); // B down
    EXPECT_EQ(dialog.m_byKey, 0x05);
    EXPECT_EQ(edit->GetText(), "B");
    key(0xA0, 0); // left Shift is a key of its own here
    EXPECT_EQ(dialog.m_byKey, 0xE1);
    EXPECT_EQ(dialog.m_byFlag[1], 1);
    key(0x15, 0); // no usage
    EXPECT_EQ(dialog.m_byKey, 0);
    EXPECT_EQ(edit->GetText(), "");
    // Mouse buttons do not name a key.
    ::PostMessage(dialog.GetHWND(), WM_HOOK_MOUSEBUTTON, 0x0201, 0);
    key(0x70, 0); // F1
    EXPECT_EQ(dialog.m_byKey, 0x3A);

    // A key still queued when the field loses the focus chooses nothing.
    ::PostMessage(dialog.GetHWND(), WM_HOOK_KEYBOARD, 0x42, 0);
    Find<CControlUI>(dialog, "ok_btn")->SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(dialog.m_byKey, 0x3A);
    EXPECT_EQ(hookCalls, (std::vector<std::string>{"install", "enable 1", "remove", "enable 0"}));

    Find<CCheckBoxUI>(dialog, "check_flag_4")->Activate();
    Find<CCheckBoxUI>(dialog, "check_flag_2")->Activate();
    EXPECT_EQ(dialog.m_byFlag[3], 1);
    EXPECT_EQ(dialog.m_byFlag[1], 0);
}

TEST_F(SelectionDialogsTest, MacroDialogListsFoldersAndRestoresTheBindingOnTheTimer)
{
    AppendFolderEntry(g_vecMacro, u"One");
    AppendMacro(g_vecMacro, u"One", u"a");
    AppendFolderEntry(g_vecMacro, u"Two");
    const int b = AppendMacro(g_vecMacro, u"Two", u"b");
    const int c = AppendMacro(g_vecMacro, u"two", u"c");
    g_vecMacro[c]->bLocked = 1;

    CSelectMacroWnd dialog;
    dialog.m_iMacroIndex = 99; // stale: the library moved on
    dialog.m_iRepeatMode = 2;
    dialog.m_iLoopCount = 7;
    dialog.m_strFolder = "TWO";
    dialog.m_strMacroName = "C";
    Open(dialog, "SelectMacroWnd");
    auto* combo = Find<CComboUI>(dialog, "macro_combo");
    auto* list = Find<CListUI>(dialog, "macro_list");
    ASSERT_EQ(combo->GetCount(), 2);
    EXPECT_EQ(combo->GetRowText(1), "Two");
    EXPECT_EQ(combo->GetCurSel(), -1);
    EXPECT_TRUE(Find<COptionUI>(dialog, "repeat_3")->IsSelected());
    EXPECT_FALSE(Find(dialog, "hor_loop_time")->IsVisible());
    EXPECT_EQ(Find<CEditUI>(dialog, "edit_loop_time")->GetText(), "7");

    Tick(dialog, "macro_list");
    EXPECT_EQ(combo->GetCurSel(), 1);
    ASSERT_EQ(list->GetCount(), 2);
    EXPECT_TRUE(list->GetItemAt(0)->GetBkImage().isEmpty());
    EXPECT_FALSE(list->GetItemAt(1)->GetBkImage().isEmpty());
    EXPECT_EQ(list->GetCurSel(), 1);
    EXPECT_EQ(dialog.m_iMacroIndex, c);
    EXPECT_EQ(dialog.m_strMacroName, "c");

    // After it, a folder choice clears the macro until one is chosen.
    combo->SelectItem(0);
    EXPECT_EQ(dialog.m_iMacroIndex, -1);
    EXPECT_EQ(dialog.m_strFolder, "One");
    EXPECT_EQ(dialog.m_strMacroName, "c");
    EXPECT_FALSE(Find(dialog, "ok_btn")->IsEnabled()) << "a name left from another folder";
    combo->SelectItem(1);
    list->SelectItem(0);
    EXPECT_EQ(dialog.m_iMacroIndex, b);
    EXPECT_TRUE(Find(dialog, "ok_btn")->IsEnabled());

    Find<COptionUI>(dialog, "repeat_1")->Selected(true);
    EXPECT_EQ(dialog.m_iRepeatMode, 0);
    EXPECT_TRUE(Find(dialog, "hor_loop_time")->IsVisible());
    auto* edit = Find<CEditUI>(dialog, "edit_loop_time");
    for (auto [typed, shown] : {std::pair{"0", "1"}, {"999", "255"}, {"42", "42"}})
    {
        edit->SetText(typed);
        Notify(dialog, "edit_loop_time", DUI_MSGTYPE_KILLFOCUS);
        EXPECT_EQ(edit->GetText(), shown);
        EXPECT_EQ(dialog.m_iLoopCount, QString(shown).toInt());
    }
}

TEST_F(SelectionDialogsTest, MacroDialogWithAMissingBindingSelectsNothing)
{
    AppendFolderEntry(g_vecMacro, u"One");
    AppendMacro(g_vecMacro, u"One", u"a");
    CSelectMacroWnd dialog;
    dialog.m_iMacroIndex = 5;
    dialog.m_strFolder = "One";
    dialog.m_strMacroName = "gone";
    Open(dialog, "SelectMacroWnd");
    Tick(dialog, "macro_list");
    EXPECT_EQ(Find<CComboUI>(dialog, "macro_combo")->GetCurSel(), -1);
    EXPECT_EQ(Find<CListUI>(dialog, "macro_list")->GetCount(), 0);
    EXPECT_EQ(dialog.m_iMacroIndex, 5);
    // Nothing chosen: OK is off and cannot bind anything.
    EXPECT_FALSE(Find(dialog, "ok_btn")->IsEnabled());
    dialog.m_iMacroIndex = 0; // the folder's own entry
    Find<CComboUI>(dialog, "macro_combo")->SelectItem(0);
    EXPECT_FALSE(Find(dialog, "ok_btn")->IsEnabled());
    Find<CListUI>(dialog, "macro_list")->SelectItem(0);
    EXPECT_TRUE(Find(dialog, "ok_btn")->IsEnabled());
    EXPECT_EQ(dialog.m_iMacroIndex, 1);

    // Before the restore a folder choice keeps the incoming index.
    CSelectMacroWnd early;
    early.m_iMacroIndex = 5;
    Open(early, "SelectMacroWnd");
    Find<CComboUI>(early, "macro_combo")->SelectItem(0);
    EXPECT_EQ(early.m_iMacroIndex, 5);
    EXPECT_EQ(Find<CListUI>(early, "macro_list")->GetCount(), 1);
    Tick(early, "macro_list");
    Find<CComboUI>(early, "macro_combo")->SelectItem(-1);
    Find<CComboUI>(early, "macro_combo")->SelectItem(0);
    EXPECT_EQ(early.m_iMacroIndex, -1);
}

TEST_F(SelectionDialogsTest, GunDialogRestoresTheBindingAndFolderChoiceClearsIt)
{
    AppendFolderEntry(g_vecGun, u"A");
    AppendGun(g_vecGun, u"A", u"x");
    AppendFolderEntry(g_vecGun, u"B");
    AppendGun(g_vecGun, u"B", u"y");
    const int z = AppendGun(g_vecGun, u"b", u"z");
    g_vecGun[z]->bLocked = 1;

    CSelectGunWnd dialog;
    dialog.m_iGunIndex = z;
    dialog.m_iRepeatMode = 1;
    dialog.m_clrGun = 0x00332211;
    Open(dialog, "SelectGunWnd");
    EXPECT_EQ(Find(dialog, "btn_gun_color")->GetBkColor(), 0xFF112233u);
    EXPECT_TRUE(Find<COptionUI>(dialog, "repeat_2")->IsSelected());
    Tick(dialog, "gun_list");
    auto* list = Find<CListUI>(dialog, "gun_list");
    EXPECT_EQ(Find<CComboUI>(dialog, "gun_combo")->GetCurSel(), 1);
    EXPECT_EQ(list->GetCurSel(), 1);
    EXPECT_FALSE(list->GetItemAt(1)->GetBkImage().isEmpty());
    EXPECT_EQ(dialog.m_iGunIndex, z);

    EXPECT_TRUE(Find(dialog, "ok_btn")->IsEnabled());
    Find<CComboUI>(dialog, "gun_combo")->SelectItem(0);
    EXPECT_EQ(dialog.m_iGunIndex, -1);
    EXPECT_FALSE(Find(dialog, "ok_btn")->IsEnabled());
    list->SelectItem(0);
    EXPECT_EQ(dialog.m_iGunIndex, 1);
    EXPECT_TRUE(Find(dialog, "ok_btn")->IsEnabled());
    Find<COptionUI>(dialog, "repeat_3")->Selected(true);
    EXPECT_EQ(dialog.m_iRepeatMode, 2);
}

TEST_F(SelectionDialogsTest, GunColourGoesThroughThePicker)
{
    CSelectGunWnd dialog;
    Open(dialog, "SelectGunWnd");
    Tick(dialog, "gun_list"); // no gun: nothing to show
    EXPECT_EQ(Find<CComboUI>(dialog, "gun_combo")->GetCurSel(), -1);

    WhenDialogOpens([](QWidget* picker) { Press(picker, "cancel_btn"); });
    Notify(dialog, "btn_gun_color", DUI_MSGTYPE_CLICK);
    EXPECT_EQ(dialog.m_clrGun, 255);
    EXPECT_EQ(Find(dialog, "btn_gun_color")->GetBkColor(), 0xFFFF0000u);

    WhenDialogOpens(
        [](QWidget* picker)
        {
            TypeInto(picker, "g_edit", "128");
            Press(picker, "ok_btn");
        });
    Notify(dialog, "btn_gun_color", DUI_MSGTYPE_CLICK);
    EXPECT_EQ(dialog.m_clrGun, 0x000080FF);
    EXPECT_EQ(Find(dialog, "btn_gun_color")->GetBkColor(), 0xFFFF8000u);
}
