// The macro page on a window built from its own skin, driven through
// notifications and hook messages the way the controls and the hook raise them.

#include "macros/MacroPage.h"
#include "app/MainWnd.h"
#include "app/MsgWnd.h"
#include "app/ProgramPaths.h"
#include "app/StartupData.h"
#include "macros/MacroExchange.h"
#include "macros/MacroLibrary.h"
#include "platform/DesktopServices.h"
#include "tests/support/LibraryPageTest.h"
#include "tests/support/PageTestSupport.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/CheckBoxUI.h"
#include "ui/ComboUI.h"
#include "ui/ContainerUI.h"
#include "ui/EditUI.h"
#include "ui/ListUI.h"
#include "ui/ResourceManager.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QWindow>
#include <cstring>
#include <set>
#include <xcb/xcb.h>

namespace
{
namespace fs = std::filesystem;
using namespace std::chrono_literals;

const char* kSkin = R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="800,572">
  <VerticalLayout style="window">
    <Include source="macro.xml" virtualwnd="MacroPage" height="420"/>
    <Control name="disable_window_ver" style="overlay" pos="0,0,800,572"/>
  </VerticalLayout>
</Window>)";

// Hook entry points that only note their calls, and the time they give events.
std::vector<std::string> g_hookCalls;
int64_t g_eventTimeUs = 0;

HookLibrary RecordingHook()
{
    HookLibrary hook;
    hook.installhook = [](HWND) { g_hookCalls.push_back("installhook"); };
    hook.removehook = [] { g_hookCalls.push_back("removehook"); };
    hook.enablehook = [](int on) { g_hookCalls.push_back("enablehook " + std::to_string(on)); };
    hook.installmousehook = [](HWND) { g_hookCalls.push_back("installmousehook"); };
    hook.removemousehook = [] { g_hookCalls.push_back("removemousehook"); };
    hook.enablemousehook = [](int on)
    { g_hookCalls.push_back("enablemousehook " + std::to_string(on)); };
    hook.hookeventtime = [](HWND, WPARAM, LPARAM) { return g_eventTimeUs; };
    return hook;
}

MacroAction Key(uint8_t code, uint8_t kind, uint16_t delay = 10)
{
    MacroAction a{};
    a.byCode = code;
    a.byKind = kind;
    a.wDelay = delay;
    return a;
}

class MacroPageTest : public LibraryPageTest
{
protected:
    MacroPageTest() : LibraryPageTest("macro_test.xml", kSkin)
    {
        g_vecMacro.clear();
        AppendFolderEntry(g_vecMacro, u"Games");
        const int jump = AppendMacro(g_vecMacro, u"Games", u"Jump");
        for (int i = 0; i < 5; ++i)
            g_vecMacro[jump]->aAction[i] = Key(static_cast<uint8_t>(4 + i), 1, 100);
        g_vecMacro[jump]->wActionCount = 5;
        AppendMacro(g_vecMacro, u"Games", u"Run");
        AppendFolderEntry(g_vecMacro, u"Work");
        AppendMacro(g_vecMacro, u"Work", u"Copy");
        // The current profile binds slot 3 to "Run" (index 2).
        g_vecProfile.clear();
        g_vecProfile.push_back(SampleProfile());
        for (ButtonData& slot : g_vecProfile[0]->aButton)
            slot.iMacroIndex = -1;
        g_vecProfile[0]->aButton[3].iMacroIndex = 2;
        g_vecProfile[0]->aButton[3].byFunction = 22;
        g_pCurProfile = g_vecProfile[0].get();

        main.Open();
        page.SetPaintManager(&main.PM(), main.GetHWND());
        main.AddVirtualWnd("MacroPage", &page);
        page.Init();
        page.SetHookLibrary(RecordingHook());
        page.SetClock([this] { return now; });
        page.LoadFolders();
        g_hookCalls.clear();
        g_eventTimeUs = 0;
    }
    ~MacroPageTest() override { g_vecMacro.clear(); }

    template <typename T = CControlUI> T* Find(const char* name)
    {
        return main.Find<T>(QString::fromLatin1(name));
    }
    void Notify(const char* name, const char* type, WPARAM wParam = 0)
    {
        CControlUI* control = Find(name);
        ASSERT_NE(control, nullptr) << name;
        main.PM().SendNotify(control, type, wParam);
    }
    void Click(const char* name) { Notify(name, DUI_MSGTYPE_CLICK); }
    void SelectMacro(int item) { Find<CListUI>("macro_list")->SelectItem(item); }
    void SelectAction(int item) { Find<CListUI>("macro_action_list")->SelectItem(item); }
    void Record()
    {
        auto* box = Find<CCheckBoxUI>("btn_record");
        box->SetCheck(!box->GetCheck());
        Notify("btn_record", DUI_MSGTYPE_CHECKCLICK);
    }
    void Hook(WPARAM w, LPARAM l) { page.OnHookEvent(w, l); }
    // An event stamped us microseconds after the start of the recording.
    void HookAt(int64_t us, WPARAM w, LPARAM l)
    {
        using namespace std::chrono;
        g_eventTimeUs = duration_cast<microseconds>(start.time_since_epoch()).count() + us;
        page.OnHookEvent(w, l);
    }
    void FocusWindow()
    {
        main.GetWidget()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main.GetWidget()));
    }
    void TypeAndLeave(const char* edit, const QString& text)
    {
        Find<CEditUI>(edit)->SetText(text);
        Notify(edit, DUI_MSGTYPE_KILLFOCUS);
    }
    QString Text(const char* edit) { return Find<CEditUI>(edit)->GetText(); }
    MacroLibrary Stored() const
    {
        MacroLibrary stored;
        LoadMacroLibrary(stored, Flushed());
        return stored;
    }
    // The key, action and delay texts of every action list item.
    std::vector<QString> ListLabels()
    {
        std::vector<QString> labels;
        auto* list = Find<CListUI>("macro_action_list");
        for (int i = 0; i < list->GetCount(); ++i)
            for (const char* name : {"key", "action", "delay"})
                labels.push_back(dynamic_cast<CContainerUI*>(list->GetItemAt(i))
                                     ->FindSubControl(QString::fromLatin1(name))
                                     ->GetText());
        return labels;
    }
    std::vector<uint16_t> Delays(const MacroData& macro) const
    {
        std::vector<uint16_t> d;
        for (int i = 0; i < ActionCount(macro); ++i)
            d.push_back(macro.aAction[i].wDelay);
        return d;
    }

    CMacroPage page{saves};
    std::chrono::steady_clock::time_point now{};
    std::chrono::steady_clock::time_point start{};
};
} // namespace

TEST_F(MacroPageTest, ListsFoldersMacrosAndTheLastAction)
{
    EXPECT_EQ(Find<CComboUI>("macro_combo")->GetCount(), 2);
    EXPECT_EQ(Find<CListUI>("macro_list")->GetCount(), 2);
    EXPECT_EQ(Find<CListUI>("macro_action_list")->GetCount(), 0);
    EXPECT_FALSE(Find("macro_delay_hor")->IsVisible());
    SelectMacro(0);
    EXPECT_EQ(Find<CListUI>("macro_action_list")->GetCount(), 5);
    EXPECT_EQ(Find<CListUI>("macro_action_list")->GetCurSel(), 4);
    EXPECT_TRUE(Find("macro_key_hor")->IsVisible());
    EXPECT_EQ(Text("edit_macro_action"), "E");
    EXPECT_EQ(Text("edit_macro_delay"), "100");
}

TEST_F(MacroPageTest, EditsAreClampedSavedAndReachBoundButtons)
{
    SelectMacro(1); // "Run", bound to slot 3 of the current profile
    TypeAndLeave("edit_loop_time", "0");
    EXPECT_EQ(Text("edit_loop_time"), "1");
    TypeAndLeave("edit_loop_time", "300");
    EXPECT_EQ(Text("edit_loop_time"), "255");
    EXPECT_EQ(Stored()[2]->wLoopCount, 255);
    EXPECT_EQ(g_vecProfile[0]->aButton[3].iLibValue, 255);
    EXPECT_GE(RefreshMessages(), 1);

    SelectMacro(0); // "Jump": not bound, no refresh message
    const int before = RefreshMessages();
    TypeAndLeave("edit_macro_delay", "5");
    EXPECT_EQ(Text("edit_macro_delay"), "10");
    TypeAndLeave("edit_macro_delay", "70000");
    EXPECT_EQ(Text("edit_macro_delay"), "65535");
    EXPECT_EQ(Stored()[1]->aAction[4].wDelay, 65535);
    EXPECT_EQ(RefreshMessages(), before);

    Find<CEditUI>("edit_insert_x")->SetText("12a3");
    Notify("edit_insert_x", DUI_MSGTYPE_TEXTCHANGED);
    EXPECT_EQ(Text("edit_insert_x"), "123");
    Find<CEditUI>("edit_insert_y")->SetText("-99999");
    Notify("edit_insert_y", DUI_MSGTYPE_TEXTCHANGED);
    EXPECT_EQ(Text("edit_insert_y"), "-32767");
}

TEST_F(MacroPageTest, ReordersDeletesAndInsertsMoves)
{
    SelectMacro(0);
    SelectAction(0);
    Click("btn_macro_move_up"); // the first cannot go up
    Click("btn_macro_move_down");
    auto stored = Stored();
    EXPECT_EQ(stored[1]->aAction[0].byCode, 5);
    EXPECT_EQ(stored[1]->aAction[1].byCode, 4);
    SelectAction(4);
    Click("btn_macro_move_down"); // the last cannot go down
    Click("btn_macro_action_delete");
    EXPECT_EQ(Stored()[1]->wActionCount, 4);
    EXPECT_EQ(Find<CListUI>("macro_action_list")->GetCurSel(), 3);

    // A move goes after the selected action.
    SelectAction(1);
    Find<CEditUI>("edit_insert_x")->SetText("7");
    Find<CEditUI>("edit_insert_y")->SetText("-8");
    Click("btn_insert_move");
    stored = Stored();
    ASSERT_EQ(stored[1]->wActionCount, 5);
    EXPECT_EQ(stored[1]->aAction[2].byCode, kMacroCodeMouseMove);
    EXPECT_EQ(stored[1]->aAction[2].iX, 7);
    EXPECT_EQ(stored[1]->aAction[2].iY, -8);
    EXPECT_EQ(stored[1]->aAction[3].byCode, 6);
    EXPECT_EQ(Find<CListUI>("macro_action_list")->GetCurSel(), 2);
    EXPECT_TRUE(Find("macro_mouse_move_hor")->IsVisible());
    TypeAndLeave("edit_macro_action_x", "40000");
    EXPECT_EQ(Text("edit_macro_action_x"), "32767");
    EXPECT_EQ(Stored()[1]->aAction[2].iX, 32767);

    Click("btn_macro_clear_all");
    EXPECT_EQ(Stored()[1]->wActionCount, 0);
    EXPECT_FALSE(Find("macro_delay_hor")->IsVisible());
}

TEST_F(MacroPageTest, RecordsPausesFromTheEventTimesNotFromWhenTheyAreHandled)
{
    Notify("macro_delay_option_3", DUI_MSGTYPE_SELECTCHANGED); // not selected: no change
    Find<COptionUI>("macro_delay_option_3")->Selected(true);
    SelectMacro(1);
    Record();
    EXPECT_EQ(g_hookCalls,
              (std::vector<std::string>{"installhook", "installmousehook", "enablehook 1"}));
    EXPECT_EQ(Find<CCheckBoxUI>("btn_record")->GetRawText(), "stop_recording_text");
    start = now;
    HookAt(3000, 0x41, 0); // A down
    now += 40ms;           // the program is slow to handle them: no matter
    HookAt(4000, 0x41, 0); // auto-repeat: ignored
    HookAt(4499, 0x41, 1);
    HookAt(5999, 522, 0);       // wheel: ignored
    HookAt(5999, 523, 1);       // back down
    HookAt(70'005'999, 524, 1); // back up
    Record();
    const MacroLibrary stored = Stored();
    const MacroData& run = *stored[2];
    ASSERT_EQ(run.wActionCount, 4);
    EXPECT_EQ(run.aAction[0].byCode, 4);
    EXPECT_EQ(run.aAction[1].byKind, 2);
    EXPECT_EQ(run.aAction[2].byCode, 243);
    EXPECT_EQ(run.aAction[3].byCode, 243);
    EXPECT_EQ(run.aAction[3].byKind, 2);
    EXPECT_EQ(Delays(run), (std::vector<uint16_t>{1, 2, 65535, 10}));
    EXPECT_EQ(g_hookCalls.back(), "enablehook 0");
    EXPECT_FALSE(Find<CCheckBoxUI>("btn_record")->GetCheck());
    EXPECT_EQ(Find<CCheckBoxUI>("btn_record")->GetRawText(), "start_recording_text");
    EXPECT_TRUE(Find<CCheckBoxUI>("btn_record")->IsResourceText());
}

TEST_F(MacroPageTest, RecordsSpaceReturnAndHeldKeysInTheWindowWithoutActingOnThem)
{
    page.SetHookLibrary(LoadHookLibrary());
    Find<COptionUI>("macro_delay_option_3")->Selected(true);
    SelectMacro(1);
    FocusWindow();
    auto* box = Find<CCheckBoxUI>("btn_record");
    box->SetFocus();
    Record();
    QWindow* window = main.GetWidget()->windowHandle();
    const auto key = [&](QEvent::Type type, int qtKey, ulong ms, bool repeat = false)
    {
        QKeyEvent event(type, qtKey, Qt::NoModifier, QString(), repeat);
        event.setTimestamp(ms);
        QCoreApplication::sendEvent(window, &event);
    };
    const auto press = QEvent::KeyPress;
    const auto release = QEvent::KeyRelease;
    key(press, Qt::Key_X, 1000);
    key(release, Qt::Key_X, 1050);
    key(press, Qt::Key_Space, 1100);
    key(release, Qt::Key_Space, 1180);
    key(press, Qt::Key_Return, 1300);
    key(release, Qt::Key_Return, 1310);
    key(press, Qt::Key_Tab, 1400);
    key(release, Qt::Key_Tab, 1401);
    key(press, Qt::Key_B, 2000); // held: repeats with and without their flag
    key(release, Qt::Key_B, 2500, true);
    key(press, Qt::Key_B, 2500, true);
    key(press, Qt::Key_B, 2530);
    key(release, Qt::Key_B, 3200);
    QApplication::processEvents();
    EXPECT_TRUE(box->GetCheck()) << "Space and Return did not click the record box";
    EXPECT_TRUE(box->IsFocused()) << "Tab did not move the focus";
    // The main window hands the hook's messages to the page.
    for (const SeenMessage& m : main.messages)
        if (m.msg == WM_HOOK_KEY || m.msg == WM_HOOK_MOUSE)
            page.OnHookEvent(m.wParam, m.lParam);
    Record();
    const MacroData& run = *Stored()[2];
    ASSERT_EQ(run.wActionCount, 10);
    const uint8_t codes[10] = {0x1B, 0x1B, 0x2C, 0x2C, 0x28, 0x28, 0x2B, 0x2B, 0x05, 0x05};
    for (int i = 0; i < 10; ++i)
    {
        EXPECT_EQ(run.aAction[i].byCode, codes[i]) << i;
        EXPECT_EQ(run.aAction[i].byKind, 1 + i % 2) << i;
    }
    EXPECT_EQ(Delays(run), (std::vector<uint16_t>{50, 50, 80, 120, 10, 90, 1, 599, 1200, 10}));
}

TEST_F(MacroPageTest, FixedAndDefaultDelaysAndInsertionAfterTheSelection)
{
    SelectMacro(0);
    SelectAction(2);
    Find<CEditUI>("edit_default_delay")->SetText("65561"); // low 16 bits: 25
    Record();
    Hook(0x5A, 0);
    Hook(0x5A, 1);
    Record();
    MacroData jump = *Stored()[1];
    ASSERT_EQ(jump.wActionCount, 7);
    const uint8_t codes[7] = {4, 5, 6, 0x1D, 0x1D, 7, 8};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(jump.aAction[i].byCode, codes[i]) << i;
    // The former action 3 takes the pause before the first event.
    EXPECT_EQ(Delays(jump), (std::vector<uint16_t>{100, 100, 100, 25, 10, 25, 100}));
    // The items inserted one by one show what a rebuilt list shows.
    EXPECT_EQ(Find<CListUI>("macro_action_list")->GetCurSel(), 4);
    const std::vector<QString> shown = ListLabels();
    SelectMacro(1);
    SelectMacro(0);
    EXPECT_EQ(shown, ListLabels());
    EXPECT_EQ(shown[9], "Z");
    EXPECT_EQ(shown[11], "25");

    Find<COptionUI>("macro_delay_option_1")->Selected(true);
    SelectMacro(1);
    Record();
    Hook(0x42, 0);
    Hook(0x42, 1);
    Record();
    EXPECT_EQ(Delays(*Stored()[2]), (std::vector<uint16_t>{10, 10}));
}

TEST_F(MacroPageTest, RecordingStopsAtFortyActionsAndWithAnotherMacro)
{
    SelectMacro(1);
    Record();
    // a..z typed fast: the 40th action ends the recording, and the events
    // still queued then change nothing, not even the selected action.
    for (WPARAM vk = 0x41; vk <= 0x5A; ++vk)
    {
        Hook(vk, 0);
        Hook(vk, 1);
    }
    const MacroData& run = *Stored()[2];
    ASSERT_EQ(run.wActionCount, 40);
    EXPECT_EQ(run.aAction[39].byCode, 0x17); // T
    EXPECT_EQ(run.aAction[39].byKind, 2);
    EXPECT_EQ(g_vecMacro[2]->aAction[39].byCode, 0x17);
    EXPECT_EQ(Find<CListUI>("macro_action_list")->GetCurSel(), 39);
    EXPECT_FALSE(Find<CCheckBoxUI>("btn_record")->GetCheck());
    Record(); // full: only unchecks
    EXPECT_FALSE(Find<CCheckBoxUI>("btn_record")->GetCheck());
    EXPECT_EQ(g_hookCalls.back(), "enablehook 0");

    SelectMacro(0);
    Record();
    Hook(0x43, 0);
    SelectMacro(1); // recording ends with the macro it belonged to, C let go
    EXPECT_EQ(g_hookCalls.back(), "enablehook 0");
    Hook(0x44, 0);
    const MacroData& jump = *Stored()[1];
    ASSERT_EQ(jump.wActionCount, 7);
    EXPECT_EQ(jump.aAction[5].byCode, 6);
    EXPECT_EQ(jump.aAction[6].byCode, 6);
    EXPECT_EQ(jump.aAction[6].byKind, 2);
    EXPECT_EQ(Stored()[2]->wActionCount, 40);
}

TEST_F(MacroPageTest, CapturesAKeyIntoTheSelectedAction)
{
    SelectMacro(0);
    SelectAction(1);
    Notify("edit_macro_action", DUI_MSGTYPE_SETFOCUS); // not really focused
    Hook(0x70, 0);
    EXPECT_EQ(g_vecMacro[1]->aAction[1].byCode, 5);
    FocusWindow();
    auto* edit = Find<CEditUI>("edit_macro_action");
    edit->SetFocus();
    ASSERT_TRUE(edit->IsFocused());
    EXPECT_EQ(g_hookCalls, (std::vector<std::string>{"installhook", "enablehook 1"}));
    Hook(0x09, 1); // the release of the Tab that came here
    Hook(0x70, 0); // F1
    EXPECT_EQ(Text("edit_macro_action"), "F1");
    Find("edit_macro_delay")->SetFocus();
    EXPECT_EQ(g_hookCalls.back(), "enablehook 0");
    Hook(0x71, 0); // queued before the focus left
    EXPECT_EQ(Stored()[1]->aAction[1].byCode, 0x3A);
    EXPECT_EQ(Stored()[1]->aAction[1].byKind, 1);
}

TEST_F(MacroPageTest, MissingHookEntryPointsAreNeverCalled)
{
    page.SetHookLibrary(HookLibrary{});
    SelectMacro(1);
    Record();
    Hook(0x41, 0);
    Notify("btn_record", DUI_MSGTYPE_MOUSEENTER);
    Record();
    EXPECT_EQ(Stored()[2]->wActionCount, 2) << "A down, and its release at the stop";
    EXPECT_TRUE(g_hookCalls.empty());
}

TEST_F(MacroPageTest, LockedMacrosShowNothingAndKeepTheirActions)
{
    g_vecMacro[1]->bLocked = 1;
    page.LoadFolders();
    SelectMacro(0);
    EXPECT_EQ(Find<CListUI>("macro_action_list")->GetCount(), 0);
    EXPECT_EQ(Text("edit_loop_time"), "1");
    Record();
    EXPECT_FALSE(Find<CCheckBoxUI>("btn_record")->GetCheck());
    Click("btn_insert_move");
    Click("btn_macro_clear_all");
    EXPECT_EQ(g_vecMacro[1]->wActionCount, 5);

    // A new name is saved even though the actions are not.
    WhenDialogOpens(
        [](QWidget* dialog)
        {
            TypeInto(dialog, "edit_name", "Leap");
            Press(dialog, "ok_btn");
        });
    page.RenameMacro();
    const auto stored = Stored();
    EXPECT_EQ(NameFromField(stored[1]->szMacroName), u"Leap");
    EXPECT_EQ(stored[1]->wActionCount, 5);
}

TEST_F(MacroPageTest, AddsAndDeletesMacrosAndFolders)
{
    WhenDialogOpens(
        [](QWidget* dialog)
        {
            TypeInto(dialog, "edit_name", "Fly");
            Press(dialog, "ok_btn");
        });
    Click("btn_add_macro");
    auto stored = Stored();
    ASSERT_EQ(stored.size(), 6u);
    EXPECT_EQ(NameFromField(stored[5]->szMacroName), u"Fly");
    EXPECT_EQ(stored[5]->wLoopCount, 1);
    EXPECT_EQ(Find<CListUI>("macro_list")->GetCurSel(), 2);

    // Deleting "Run" (bound) resets the slot and empties the editor.
    SelectMacro(1);
    Click("btn_delete_macro");
    EXPECT_EQ(asked.back(), "delete_macro_named_text");
    EXPECT_EQ(shown.back(), "Delete the macro \"Run\"?\nIt is bound to 1 button in 1 profile, "
                            "which then goes back to its default function.");
    EXPECT_EQ(Stored().size(), 5u);
    EXPECT_EQ(g_vecProfile[0]->aButton[3].byFunction, kDefaultSlotFunction[3]);
    EXPECT_GE(RefreshMessages(), 1);
    EXPECT_EQ(Find<CListUI>("macro_action_list")->GetCount(), 0);
    EXPECT_EQ(Find<CListUI>("macro_list")->GetCount(), 2);
    // Edits now have no macro to go to.
    TypeAndLeave("edit_loop_time", "9");
    EXPECT_EQ(Stored()[1]->wLoopCount, 1);

    // The folder's "Jump" plays on three buttons of two profiles.
    g_vecProfile.push_back(SampleProfile());
    for (auto [profile, slot] : {std::pair{0, 7}, {1, 5}, {1, 21}})
    {
        g_vecProfile[profile]->aButton[slot].iMacroIndex = 1;
        g_vecProfile[profile]->aButton[slot].byFunction = 22;
    }
    Click("btn_delete_macro_floder");
    EXPECT_EQ(asked.back(), "delete_macro_dir_named_text");
    EXPECT_EQ(shown.back(), "Delete the macro folder \"Games\" and all macros in it?\nIt is "
                            "bound to 3 buttons in 2 profiles, which then go back to their "
                            "default functions.");
    stored = Stored();
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(NameFromField(stored[0]->szFolder), u"Work");
    EXPECT_EQ(Find<CComboUI>("macro_combo")->GetCount(), 1);
    EXPECT_EQ(Find<CListUI>("macro_list")->GetCount(), 1);

    WhenDialogOpens(
        [](QWidget* dialog)
        {
            TypeInto(dialog, "edit_name", "Office");
            Press(dialog, "ok_btn");
        });
    page.RenameFolder();
    stored = Stored();
    EXPECT_EQ(NameFromField(stored[0]->szFolder), u"Office");
    EXPECT_EQ(NameFromField(stored[1]->szFolder), u"Office");
}

TEST_F(MacroPageTest, ExportsAndImportsWithUniqueNames)
{
    const fs::path file = m_folder.Path() / "Jump.mbin";
    SelectMacro(0);
    desktop.answers = {file};
    page.ExportMacro(true);
    EXPECT_EQ(g_vecMacro[1]->bLocked, 0u);
    ASSERT_EQ(desktop.requests.size(), 1u);
    EXPECT_EQ(desktop.requests[0].patterns, "*.mbin;*.MBIN");
    EXPECT_EQ(desktop.requests[0].defaultSuffix, "mbin");

    desktop.answers = {file, file};
    page.ImportMacro();
    page.ImportMacro();
    auto stored = Stored();
    ASSERT_EQ(stored.size(), 7u);
    EXPECT_EQ(NameFromField(stored[5]->szMacroName), u"Jump_1");
    EXPECT_EQ(NameFromField(stored[6]->szMacroName), u"Jump_2");
    EXPECT_EQ(stored[6]->bLocked, 1u);
    // The imported, locked macro is selected and shows no actions.
    EXPECT_EQ(Find<CListUI>("macro_list")->GetCurSel(), 3);
    EXPECT_EQ(Find<CListUI>("macro_action_list")->GetCount(), 0);

    const fs::path folderFile = m_folder.Path() / "Games.mbins";
    desktop.answers = {folderFile, folderFile};
    page.ExportFolder(false);
    page.ImportFolder();
    stored = Stored();
    ASSERT_EQ(stored.size(), 12u);
    EXPECT_EQ(NameFromField(stored[7]->szFolder), u"Games_1");
    EXPECT_EQ(stored[7]->bIsFolder, 1u);
    EXPECT_EQ(Find<CComboUI>("macro_combo")->GetCurSel(), 2);
    EXPECT_EQ(Find<CListUI>("macro_list")->GetCount(), 4);
}

TEST_F(MacroPageTest, RefusesDamagedImportFiles)
{
    const char shortFile[300] = {};
    m_folder.WriteFile("short.mbin", shortFile, sizeof(shortFile));
    MacroData folder{};
    folder.bIsFolder = 1;
    m_folder.WriteFile("folder.mbin", &folder, sizeof(folder));
    m_folder.WriteFile("partial.mbins", shortFile, sizeof(shortFile));
    desktop.answers = {m_folder.Path() / "short.mbin", m_folder.Path() / "folder.mbin"};
    page.ImportMacro();
    page.ImportMacro();
    desktop.answers = {m_folder.Path() / "partial.mbins"};
    page.ImportFolder();
    EXPECT_EQ(asked, std::vector<QString>(3, "macro_file_invalid_text"));
    EXPECT_EQ(g_vecMacro.size(), 5u);
    EXPECT_EQ(Find<CComboUI>("macro_combo")->GetCount(), 2);
}

TEST_F(MacroPageTest, MenusOpenBelowTheirButtonOneAtATime)
{
    const auto openMenus = []
    {
        std::vector<QMenu*> menus;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* menu = qobject_cast<QMenu*>(w); menu && menu->isVisible() && !menu->parent())
                menus.push_back(menu);
        return menus;
    };
    const auto names = [](QMenu* menu)
    {
        std::set<QString> found;
        for (QAction* action : menu->actions())
            if (!action->objectName().isEmpty())
                found.insert(action->objectName());
        return found;
    };
    RECT window{};
    ::GetWindowRect(main.GetHWND(), &window);

    Click("btn_menu_macro");
    std::vector<QMenu*> menus = openMenus();
    ASSERT_EQ(menus.size(), 1u);
    const RECT macroButton = Find("btn_menu_macro")->GetPos();
    EXPECT_EQ(menus[0]->pos(),
              QPoint(window.left + macroButton.left, window.top + macroButton.bottom));
    EXPECT_EQ(names(menus[0]), (std::set<QString>{"rename_macro", "import_macro", "export_macro",
                                                  "export_pw_macro"}));

    Click("btn_menu_macro_floder");
    menus = openMenus();
    ASSERT_EQ(menus.size(), 1u) << "the macro menu closed first";
    const RECT folderButton = Find("btn_menu_macro_floder")->GetPos();
    EXPECT_EQ(menus[0]->pos(),
              QPoint(window.left + folderButton.left, window.top + folderButton.bottom));
    EXPECT_EQ(names(menus[0]), (std::set<QString>{"rename_macro_dir", "import_macro_dir",
                                                  "export_macro_dir", "export_pw_macro_dir"}));
}

TEST_F(MacroPageTest, TimerScrollsTheActionsInsertedByRecordingIntoView)
{
    // A macro long enough that the list scrolls; record after its first action.
    MacroData& jump = *g_vecMacro[1];
    for (int i = 0; i < 30; ++i)
        jump.aAction[i] = Key(static_cast<uint8_t>(4 + i % 20), static_cast<uint8_t>(1 + i % 2));
    jump.wActionCount = 30;
    SelectMacro(0);
    auto* list = Find<CListUI>("macro_action_list");
    SelectAction(0);
    Record();
    Hook(0x41, 0);
    Hook(0x41, 1);
    Record();
    EXPECT_EQ(list->GetCurSel(), 2) << "the last inserted action is selected";
    // The list is scrolled on timer 3, once the rebuilt items have their places.
    list->EnsureVisible(29);
    const auto selectedShown = [&]
    {
        CControlUI* shown = list->GetItemAt(2); // none while the row is off screen
        if (shown == nullptr)
            return false;
        const RECT item = shown->GetPos();
        const RECT view = list->GetPos();
        return item.top >= view.top && item.bottom <= view.bottom;
    };
    EXPECT_FALSE(selectedShown());
    EXPECT_TRUE(QTest::qWaitFor(selectedShown, 2000));
}

TEST_F(MacroPageTest, SaysBesideTheRecordBoxWhatRecordingSees)
{
    CControlUI* label = Find("label_record_scope");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->GetRawText(), "record_scope_window_text");
    EXPECT_EQ(label->GetText(), "records inside this window only");
    HookLibrary desktop = RecordingHook();
    desktop.hookscope = [] { return 1; };
    page.SetHookLibrary(desktop);
    EXPECT_EQ(label->GetText(), "records the whole desktop");
    CResourceManager::GetInstance()->LoadLanguage("Language/CN.xml");
    EXPECT_EQ(label->GetText(), QString::fromUtf8("录制整个桌面"));
}

// --- the whole X11 desktop (run under Xvfb, see CMakeLists.txt) -------------

namespace
{
// Input as a user gives it: xdotool's XTEST events pass through the X server
// like a keyboard's, raw events included.
void Xdotool(const QStringList& args)
{
    QProcess xdotool;
    xdotool.start(QStringLiteral("xdotool"), args);
    ASSERT_TRUE(xdotool.waitForFinished(20000));
    ASSERT_EQ(xdotool.exitCode(), 0) << xdotool.readAllStandardError().toStdString();
}

// A plain window of another X client, standing in for the game.
class OtherClientWindow
{
public:
    OtherClientWindow() : m_c(xcb_connect(nullptr, nullptr))
    {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data;
        m_window = xcb_generate_id(m_c);
        const uint32_t events = XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_KEY_RELEASE;
        xcb_create_window(m_c, XCB_COPY_FROM_PARENT, m_window, screen->root, 300, 300, 200, 100, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_EVENT_MASK,
                          &events);
        xcb_map_window(m_c, m_window);
        xcb_flush(m_c);
    }
    ~OtherClientWindow() { xcb_disconnect(m_c); }

    void Focus()
    {
        // The window manager maps it in its own time.
        ASSERT_TRUE(QTest::qWaitFor(
            [this]
            {
                xcb_get_window_attributes_reply_t* a = xcb_get_window_attributes_reply(
                    m_c, xcb_get_window_attributes(m_c, m_window), nullptr);
                const bool viewable = a != nullptr && a->map_state == XCB_MAP_STATE_VIEWABLE;
                free(a);
                return viewable;
            },
            5000));
        Xdotool({"windowfocus", "--sync", QString::number(m_window)});
    }
    void PointAt() { Xdotool({"mousemove", "--window", QString::number(m_window), "50", "50"}); }
    // Key presses the window itself got.
    int KeyPresses()
    {
        xcb_flush(m_c);
        while (xcb_generic_event_t* e = xcb_poll_for_event(m_c))
        {
            m_presses += (e->response_type & 0x7F) == XCB_KEY_PRESS ? 1 : 0;
            free(e);
        }
        return m_presses;
    }

private:
    xcb_connection_t* m_c;
    xcb_window_t m_window = 0;
    int m_presses = 0;
};
} // namespace

class MacroPageDesktopTest : public MacroPageTest
{
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QLatin1String("xcb") ||
            !LoadHookLibrary().SeesDesktop())
            GTEST_SKIP() << "needs an X server with XInput 2";
        if (QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            GTEST_SKIP() << "needs xdotool";
        page.SetHookLibrary(LoadHookLibrary());
        Find<COptionUI>("macro_delay_option_3")->Selected(true);
        SelectMacro(1);
    }
    // Lets the hook read what the X server sent, then hands its messages to
    // the page as the main window does.
    void DeliverHookMessages()
    {
        QTest::qWait(300);
        for (; m_delivered < main.messages.size(); ++m_delivered)
        {
            const SeenMessage& m = main.messages[m_delivered];
            if (m.msg == WM_HOOK_KEY || m.msg == WM_HOOK_MOUSE)
                page.OnHookEvent(m.wParam, m.lParam);
        }
    }
    void ExpectActions(const std::vector<std::pair<int, int>>& expected)
    {
        const MacroData& run = *Stored()[2];
        std::vector<std::pair<int, int>> actions;
        for (int i = 0; i < ActionCount(run); ++i)
            actions.emplace_back(run.aAction[i].byCode, run.aAction[i].byKind);
        EXPECT_EQ(actions, expected);
    }
    // The leading stored pauses, against what xdotool slept: the server
    // stamps an event when it gets to it, so a busy machine moves them a
    // little either way; the time the program took to handle them counts
    // for nothing.
    static void ExpectPauses(const std::vector<uint16_t>& delays, const std::vector<int>& slept)
    {
        ASSERT_GE(delays.size(), slept.size());
        for (std::size_t i = 0; i < slept.size(); ++i)
        {
            EXPECT_GE(delays[i], slept[i] - 10) << i;
            EXPECT_LE(delays[i], slept[i] + 40) << i;
        }
    }

    std::size_t m_delivered = 0;
};

TEST_F(MacroPageDesktopTest, DesktopRecordsWhatIsTypedIntoAnotherClientsWindow)
{
    OtherClientWindow game;
    game.Focus();
    game.PointAt();
    Xdotool({"key", "z", "click", "1"}); // before the recording
    DeliverHookMessages();
    Record();
    Notify("btn_record", DUI_MSGTYPE_MOUSELEAVE); // the pointer leaves the record box
    Xdotool({"keydown", "a",       "sleep",   "0.3",       "keyup", "a",     "sleep",
             "0.2",     "keydown", "b",       "sleep",     "0.1",   "keyup", "b",
             "sleep",   "0.25",    "keydown", "Return",    "sleep", "0.05",  "keyup",
             "Return",  "sleep",   "0.1",     "mousedown", "3",     "sleep", "0.15",
             "mouseup", "3",       "sleep",   "0.1",       "click", "8"});
    DeliverHookMessages();
    Record();
    Xdotool({"key", "y", "click", "1"}); // after it
    DeliverHookMessages();
    ExpectActions({{4, 1},
                   {4, 2},
                   {5, 1},
                   {5, 2},
                   {0x28, 1},
                   {0x28, 2},
                   {241, 1},
                   {241, 2},
                   {243, 1},
                   {243, 2}});
    const std::vector<uint16_t> delays = Delays(*Stored()[2]);
    ASSERT_EQ(delays.size(), 10u);
    ExpectPauses(delays, {300, 200, 100, 250, 50, 100, 150, 100});
    EXPECT_EQ(game.KeyPresses(), 5) << "the keys went to the other window";
}

TEST_F(MacroPageDesktopTest, DesktopRecordsSpaceReturnAndAHeldKeyInTheProgramsWindow)
{
    FocusWindow();
    auto* box = Find<CCheckBoxUI>("btn_record");
    box->SetFocus();
    Record();
    Xdotool({"key", "space", "sleep", "0.1", "key", "Return", "sleep", "0.1", "keydown", "b",
             "sleep", "0.8", "keyup", "b"});
    DeliverHookMessages();
    EXPECT_TRUE(box->GetCheck()) << "Space and Return did not click the record box";
    Record();
    ExpectActions({{0x2C, 1}, {0x2C, 2}, {0x28, 1}, {0x28, 2}, {5, 1}, {5, 2}});
    const std::vector<uint16_t> delays = Delays(*Stored()[2]);
    ASSERT_EQ(delays.size(), 6u);
    ExpectPauses(delays, {0, 100, 0, 100, 800});
}
