// The main window end to end: start-up, profiles and their files, language,
// applies, tray and device events, driven through notifications and messages
// against the virtual mouse.

#include "app/MainWnd.h"
#include "app/MsgWnd.h"
#include "buttons/ButtonFunctions.h"
#include "device/ButtonEncoder.h"
#include "device/DeviceMessages.h"
#include "device/VirtualDriver.h"
#include "device/VirtualMouse.h"
#include "macros/MacroLibrary.h"
#include "model/NameField.h"
#include "model/ProfileExchange.h"
#include "performance/DPIMsg.h"
#include "performance/RecordingPointerBackend.h"
#include "performance/SensorTables.h"
#include "platform/DesktopServices.h"
#include "tests/device/FaultyDriver.h"
#include "tests/support/FakeDesktop.h"
#include "tests/support/PageTestSupport.h"
#include "tests/support/SmallTmpfs.h"
#include "tests/support/TempProgramFolder.h"
#include "ui/ComboUI.h"
#include "ui/EditUI.h"
#include "ui/LabelUI.h"
#include "ui/ListUI.h"
#include "ui/MenuWnd.h"
#include "ui/OptionUI.h"
#include "ui/ResourceManager.h"
#include "ui/SliderUI.h"
#include "ui/TabLayoutUI.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sys/stat.h>

namespace
{

namespace fs = std::filesystem;

ProfileData NamedProfile(const char16_t* name)
{
    ProfileData profile{};
    SetNameField(profile.szName, name);
    profile.aiDpi[2] = 31;
    return profile;
}

class MainWndTest : public ::testing::Test
{
protected:
    MainWndTest()
    {
        CPaintManagerUI::SetResourcePath(
            QString::fromStdString((m_folder.Path() / "res").string()));
        SetDesktopServices(&m_desktop);
        CMsgWnd::SetAnswerHook(
            [this](const QString& title, const QString& msg) -> UINT
            {
                m_asked.push_back(msg);
                m_overlayWhileAsked.push_back(Overlay() != nullptr && Overlay()->IsVisible());
                EXPECT_EQ(title, "warning_title_text");
                if (m_duringMessage)
                    m_duringMessage();
                return m_answer;
            });
        g_StartupData = StartupData{};
    }

    ~MainWndTest() override
    {
        Close();
        CMsgWnd::SetAnswerHook({});
        SetDesktopServices(nullptr);
    }

    // Starts the window as the program does, on the temporary folder.
    HWND Open()
    {
        MainWndSetup setup;
        setup.folders = {m_folder.Path(), m_folder.DataDir()};
        setup.bindDriver = [this]
        {
            m_mouse = std::make_shared<VirtualMouse>(g_StartupData.description);
            if (m_firmware)
                m_mouse->SetFirmwareVersion(m_firmware->first, m_firmware->second);
            if (!m_bFaultable)
                return MakeVirtualDriver(m_mouse);
            m_faulty = std::make_unique<FaultyDriver>(MakeVirtualDriver(m_mouse), DriverFaults{});
            return m_faulty->Api();
        };
        setup.pointer = &m_pointer;
        // On the device thread, during an apply's pauses.
        setup.sleep = [this](int)
        {
            if (m_onPause)
                m_onPause();
        };
        setup.uiLanguageId = m_uiLanguage;
        m_wnd = std::make_unique<CMainWnd>(std::move(setup));
        const HWND hWnd = m_wnd->Create(nullptr, QString(), WS_POPUP | WS_VISIBLE, 0, 0, 0, 800, 572);
        if (hWnd == nullptr)
            return nullptr;
        // As the program's loop goes on: the start-up exchange with the mouse
        // ends on the device thread, and its firmware check may end the window.
        m_wnd->GetDeviceLink()->WaitForApplies();
        Pump();
        return ::IsWindow(hWnd) ? hWnd : nullptr;
    }

    void Close()
    {
        if (m_wnd && ::IsWindow(m_wnd->GetHWND()))
            m_wnd->DestroyWindow();
        m_wnd.reset();
        // The window asked the message loop to end; run it to its end as the
        // program does, so the next window's modal loops run normally.
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
    }

    template <typename T = CControlUI> T* Find(const char* name)
    {
        return dynamic_cast<T*>(m_wnd->GetPaintManager()->FindControl(QString::fromLatin1(name)));
    }
    CControlUI* Overlay() { return m_wnd ? Find("disable_window_ver") : nullptr; }

    void Click(const char* name)
    {
        CControlUI* control = Find(name);
        ASSERT_NE(control, nullptr) << name;
        m_wnd->GetPaintManager()->SendNotify(control, DUI_MSGTYPE_CLICK);
    }

    // Lets posted messages (device events, apply done) arrive.
    void Pump()
    {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }

    void FinishApplies()
    {
        m_wnd->GetDeviceLink()->WaitForApplies();
        Pump();
    }

    // The window's saves written, and what failed told.
    void Settle()
    {
        if (m_wnd)
            m_wnd->FlushSaves();
        Pump();
    }
    std::vector<std::byte> ReadData(const char* file)
    {
        Settle();
        return m_folder.ReadFile(fs::path("Data") / file);
    }
    std::vector<ProfileData> StoredProfiles()
    {
        const auto bytes = ReadData("profile.bin");
        std::vector<ProfileData> profiles(bytes.size() / sizeof(ProfileData));
        std::memcpy(profiles.data(), bytes.data(), profiles.size() * sizeof(ProfileData));
        return profiles;
    }
    std::array<int32_t, 2> StoredAppState()
    {
        const auto bytes = ReadData("Data.bin");
        std::array<int32_t, 2> state{};
        EXPECT_EQ(bytes.size(), 8u);
        std::memcpy(state.data(), bytes.data(), std::min<std::size_t>(bytes.size(), 8));
        return state;
    }
    void WriteProfiles(const std::vector<ProfileData>& profiles) const
    {
        m_folder.WriteFile("Data/profile.bin", profiles.data(),
                           profiles.size() * sizeof(ProfileData));
    }
    void WriteAppState(int32_t profile, int32_t language) const
    {
        const int32_t state[2] = {profile, language};
        m_folder.WriteFile("Data/Data.bin", state, sizeof(state));
    }

    QString ComboText(int index)
    {
        return Find<CComboUI>("profile_combo")->GetRowText(index);
    }
    QString EditText() { return Find<CEditUI>("edit_profile_name")->GetText(); }
    bool Visible() { return ::IsWindowVisible(m_wnd->GetHWND()); }
    bool RingVisible() { return Find("ring_ver")->IsVisible(); }
    QString Text(const char* key) { return CResourceManager::GetInstance()->GetText(key); }

    TempProgramFolder m_folder;
    FakeDesktop m_desktop;
    RecordingPointerBackend m_pointer;
    std::shared_ptr<VirtualMouse> m_mouse;
    std::optional<std::pair<uint8_t, uint8_t>> m_firmware;
    uint16_t m_uiLanguage = 0x0409;
    std::unique_ptr<CMainWnd> m_wnd;
    UINT m_answer = 1;
    std::vector<QString> m_asked;
    std::vector<bool> m_overlayWhileAsked;
    std::function<void()> m_duringMessage;
    bool m_bFaultable = false;
    std::unique_ptr<FaultyDriver> m_faulty;
    std::function<void()> m_onPause; // set only while no apply runs
};

} // namespace

TEST_F(MainWndTest, FirstStartCreatesTheFilesAndShowsTheGeneratedProfile)
{
    m_uiLanguage = 0x0404;
    ASSERT_NE(Open(), nullptr);

    const std::vector<std::byte> appState = ReadData("Data.bin");
    const std::vector<std::byte> expected = {std::byte{0},    std::byte{0},    std::byte{0},
                                             std::byte{0},    std::byte{0xFF}, std::byte{0xFF},
                                             std::byte{0xFF}, std::byte{0xFF}};
    EXPECT_EQ(appState, expected);
    ASSERT_EQ(StoredProfiles().size(), 1u);
    const QString name = Text("profile_text") + "1";
    EXPECT_EQ(QString::fromStdU16String(NameFromField(StoredProfiles()[0].szName)), name);

    // Traditional Chinese from the system language, shown in the list.
    EXPECT_EQ(Find<CComboUI>("lan_combo")->GetCurSel(), 1);
    EXPECT_EQ(Find<CComboUI>("lan_combo")->GetText(), Text("lang_tw_text"));
    EXPECT_EQ(m_wnd->GetWidget()->windowTitle(), Text("mouse_name_text"));
    // The tooltip also says whether the mouse is there.
    EXPECT_EQ(m_wnd->GetTrayIcon().GetSystemTrayIcon()->toolTip(),
              Text("mouse_name_text") + " – " + Text("mouse_connected_text"));

    EXPECT_EQ(Find<CComboUI>("profile_combo")->GetCount(), 1);
    EXPECT_EQ(ComboText(0), name);
    EXPECT_EQ(EditText(), name);
    EXPECT_TRUE(Visible());
    EXPECT_EQ(m_wnd->GetDeviceLink()->State(), DeviceState::Present);
    EXPECT_GT(m_mouse->State().iStartupRequests, 0);
    EXPECT_FALSE(RingVisible());
}

TEST_F(MainWndTest, TheLogoBesideTheProgramIsTheIconOfTheWindowAndTheTray)
{
    const fs::path logo = m_folder.Path() / "logo.png";
    fs::copy_file(SourceDir() / "data" / "logo.png", logo);
    ASSERT_NE(Open(), nullptr);
    EXPECT_TRUE(m_wnd->GetWidget()->windowIcon().availableSizes().contains(QSize(256, 256)));
    EXPECT_FALSE(m_wnd->GetTrayIcon().GetSystemTrayIcon()->icon().isNull());
    Close();

    // A pipe in its place would never end: it is not read, and the window still opens.
    fs::remove(logo);
    ASSERT_EQ(::mkfifo(logo.c_str(), 0600), 0);
    ASSERT_NE(Open(), nullptr);
    EXPECT_TRUE(m_wnd->GetWidget()->windowIcon().availableSizes().isEmpty());
    EXPECT_TRUE(Visible());
}

TEST_F(MainWndTest, StartsOnTheStoredProfileAndLanguage)
{
    WriteProfiles({NamedProfile(u"Office"), NamedProfile(u"Game"), NamedProfile(u"Sniper")});
    WriteAppState(1, 0);
    ASSERT_NE(Open(), nullptr);

    EXPECT_EQ(Find<CComboUI>("profile_combo")->GetCount(), 3);
    EXPECT_EQ(Find<CComboUI>("profile_combo")->GetCurSel(), 1);
    EXPECT_EQ(EditText(), "Game");
    EXPECT_EQ(g_pCurProfile, g_vecProfile[1].get());
    EXPECT_EQ(Find<CComboUI>("lan_combo")->GetCurSel(), 0);
    EXPECT_EQ(Text("lang_cn_text"), QString::fromUtf8("简体中文"));
    EXPECT_EQ(Find("btn_apply")->GetText(), Text("apply_text"));
    // Nothing is written at start when the files are there.
    EXPECT_EQ(StoredAppState(), (std::array<int32_t, 2>{1, 0}));
}

TEST_F(MainWndTest, StoredIndexOutsideTheListStartsOnTheFirstProfile)
{
    WriteProfiles({NamedProfile(u"Office"), NamedProfile(u"Game")});
    WriteAppState(7, 2);
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(Find<CComboUI>("profile_combo")->GetCurSel(), 0);
    EXPECT_EQ(EditText(), "Office");
}

TEST_F(MainWndTest, AddPicksAFreeNameSavesAndSelectsTheNewProfile)
{
    WriteProfiles({NamedProfile(u"P1"), NamedProfile(u"P2"), NamedProfile(u"Profile4")});
    WriteAppState(0, 2);
    ASSERT_NE(Open(), nullptr);

    Click("btn_add_profile");
    Click("btn_add_profile");

    ASSERT_EQ(g_vecProfile.size(), 5u);
    EXPECT_EQ(ComboText(3), "Profile4_1");
    EXPECT_EQ(ComboText(4), "Profile5");
    EXPECT_EQ(Find<CComboUI>("profile_combo")->GetCurSel(), 4);
    EXPECT_EQ(g_pCurProfile, g_vecProfile[4].get());
    EXPECT_EQ(EditText(), "Profile5");
    Close(); // the saves still on their way are written before the window goes
    const auto stored = StoredProfiles();
    ASSERT_EQ(stored.size(), 5u);
    EXPECT_EQ(NameFromField(stored[3].szName), u"Profile4_1");
}

TEST_F(MainWndTest, DeleteAsksAndSelectsTheNeighbour)
{
    WriteProfiles({NamedProfile(u"A"), NamedProfile(u"B"), NamedProfile(u"C")});
    WriteAppState(2, 2);
    ASSERT_NE(Open(), nullptr);

    m_answer = 0;
    Click("btn_delete_profile");
    EXPECT_EQ(g_vecProfile.size(), 3u);
    ASSERT_EQ(m_asked.size(), 1u);
    EXPECT_EQ(m_asked[0], "delete_profile_named_text");
    EXPECT_TRUE(m_overlayWhileAsked[0]);
    EXPECT_FALSE(Overlay()->IsVisible());

    // The last entry: the one before it becomes current.
    m_answer = 1;
    Click("btn_delete_profile");
    ASSERT_EQ(g_vecProfile.size(), 2u);
    EXPECT_EQ(EditText(), "B");
    EXPECT_EQ(g_pCurProfile, g_vecProfile[1].get());
    EXPECT_EQ(StoredProfiles().size(), 2u);

    // The first entry: the new first one becomes current.
    Find<CComboUI>("profile_combo")->SelectItem(0);
    Click("btn_delete_profile");
    ASSERT_EQ(g_vecProfile.size(), 1u);
    EXPECT_EQ(EditText(), "B");
    EXPECT_EQ(g_pCurProfile, g_vecProfile[0].get());

    // One left: refused without a question.
    const std::size_t asked = m_asked.size();
    Click("btn_delete_profile");
    EXPECT_EQ(m_asked.size(), asked);
    EXPECT_EQ(g_vecProfile.size(), 1u);
}

TEST_F(MainWndTest, RenameOnLeavingTheNameField)
{
    WriteProfiles({NamedProfile(u"Office"), NamedProfile(u"Game")});
    WriteAppState(0, 2);
    ASSERT_NE(Open(), nullptr);
    CEditUI* edit = Find<CEditUI>("edit_profile_name");
    auto leave = [&](const QString& text)
    {
        edit->SetText(text);
        m_wnd->GetPaintManager()->SendNotify(edit, DUI_MSGTYPE_KILLFOCUS);
    };

    leave("OFFICE"); // the same name but for case: nothing happens
    EXPECT_EQ(NameFromField(g_pCurProfile->szName), u"Office");

    leave("game"); // taken: the old name comes back
    EXPECT_EQ(EditText(), "Office");
    EXPECT_EQ(NameFromField(g_pCurProfile->szName), u"Office");

    leave("Work");
    EXPECT_EQ(ComboText(0), "Work");
    EXPECT_EQ(NameFromField(StoredProfiles()[0].szName), u"Work");

    // Longer than the record holds: shortened to 49 characters.
    leave(QString(60, QLatin1Char('x')));
    EXPECT_EQ(NameFromField(g_pCurProfile->szName), std::u16string(49, u'x'));
    EXPECT_EQ(EditText(), QString(49, QLatin1Char('x')));
    EXPECT_EQ(ComboText(0), QString(49, QLatin1Char('x')));
    EXPECT_EQ(NameFromField(StoredProfiles()[0].szName), std::u16string(49, u'x'));

    // A pasted line break or escape never reaches the record.
    leave(QString::fromUtf16(u"Work\nline\x1b[2J"));
    EXPECT_EQ(NameFromField(g_pCurProfile->szName), u"Work\uFFFDline\uFFFD[2J");
    EXPECT_EQ(ComboText(0), QString::fromUtf16(u"Work\uFFFDline\uFFFD[2J"));
    EXPECT_EQ(NameFromField(StoredProfiles()[0].szName), u"Work\uFFFDline\uFFFD[2J");
}

TEST_F(MainWndTest, ResetAsksFirstThenRestoresTheDefaultAndApplies)
{
    ProfileData factory = NamedProfile(u"Factory");
    factory.iReportRate = 2;
    m_folder.WriteFile("Data/Default.pbin", &factory, sizeof(factory));
    WriteProfiles({NamedProfile(u"Mine")});
    WriteAppState(0, 2);
    ASSERT_NE(Open(), nullptr);
    g_pCurProfile->iDpiLevel = 5;
    const std::size_t traffic = m_mouse->Traffic().size();

    m_answer = 0;
    Click("btn_reset_profile");
    ASSERT_EQ(m_asked.size(), 1u);
    EXPECT_EQ(m_asked[0], "reset_profile_text");
    EXPECT_EQ(g_pCurProfile->iDpiLevel, 5);
    EXPECT_FALSE(RingVisible());
    m_wnd->GetDeviceLink()->WaitForApplies();
    EXPECT_EQ(m_mouse->Traffic().size(), traffic);

    m_answer = 1;
    Click("btn_reset_profile");
    EXPECT_EQ(std::memcmp(g_pCurProfile, &factory, sizeof(factory)), 0);
    EXPECT_EQ(EditText(), "Factory");
    EXPECT_EQ(ComboText(0), "Factory");
    EXPECT_TRUE(RingVisible());
    FinishApplies();
    EXPECT_FALSE(RingVisible());
    EXPECT_EQ(m_mouse->State().byReportRateCode, 2); // option 2 is 500 Hz
    EXPECT_EQ(NameFromField(StoredProfiles()[0].szName), u"Factory");
}

TEST_F(MainWndTest, ExportAndImportRoundTripAndWrongSizedFilesAreRefused)
{
    WriteProfiles({NamedProfile(u"Game")});
    WriteAppState(0, 2);
    ASSERT_NE(Open(), nullptr);
    g_pCurProfile->iLightMode = 4; // an edit not yet applied travels too
    const fs::path exported = m_folder.Path() / "game.pbin";

    m_desktop.answers = {exported};
    m_wnd->SendMessage(WM_MENUCLICK,
                       reinterpret_cast<WPARAM>(new MenuCmd{"Export_Profile", "", ""}));
    ASSERT_EQ(m_desktop.requests.size(), 1u);
    EXPECT_EQ(m_desktop.requests[0].filterName, "Profile Data");
    EXPECT_EQ(m_desktop.requests[0].patterns, "*.pbin;*.PBIN");
    EXPECT_EQ(m_desktop.requests[0].defaultSuffix, "pbin");
    // The first dialog opens at home (the data folder of an installed copy is
    // hidden) and proposes the profile's name.
    EXPECT_EQ(m_desktop.requests[0].startFolder, QDir::homePath().toStdString());
    EXPECT_EQ(m_desktop.requests[0].fileName, "Game.pbin");
    ProfileData read{};
    ASSERT_TRUE(ReadProfileFile(exported, read));
    EXPECT_EQ(std::memcmp(&read, g_pCurProfile, sizeof(read)), 0);

    m_desktop.answers = {exported};
    m_wnd->SendMessage(WM_MENUCLICK,
                       reinterpret_cast<WPARAM>(new MenuCmd{"import_profile", "", ""}));
    ASSERT_EQ(g_vecProfile.size(), 2u);
    EXPECT_EQ(m_desktop.requests[1].startFolder, m_folder.Path()) << "where the export went";
    EXPECT_EQ(m_desktop.requests[1].fileName, "");
    EXPECT_EQ(NameFromField(g_vecProfile[1]->szName), u"Game_1");
    EXPECT_EQ(EditText(), "Game_1");
    EXPECT_EQ(g_pCurProfile, g_vecProfile[1].get());
    EXPECT_EQ(std::memcmp(reinterpret_cast<const char*>(g_pCurProfile) + 100,
                          reinterpret_cast<const char*>(g_vecProfile[0].get()) + 100,
                          sizeof(ProfileData) - 100),
              0);
    EXPECT_EQ(StoredProfiles().size(), 1u); // saved with the next change of the list

    const std::vector<char> shortFile(sizeof(ProfileData) - 1, 0);
    m_folder.WriteFile("short.pbin", shortFile.data(), shortFile.size());
    m_desktop.answers = {m_folder.Path() / "short.pbin"};
    m_wnd->SendMessage(WM_MENUCLICK,
                       reinterpret_cast<WPARAM>(new MenuCmd{"import_profile", "", ""}));
    EXPECT_EQ(g_vecProfile.size(), 2u);
    ASSERT_EQ(m_asked.size(), 1u);
    EXPECT_EQ(m_asked[0], "wrong_profile_file_text");
    EXPECT_FALSE(Text("wrong_profile_file_text").isEmpty());

    m_desktop.answers = {std::nullopt}; // cancelled
    m_wnd->SendMessage(WM_MENUCLICK,
                       reinterpret_cast<WPARAM>(new MenuCmd{"import_profile", "", ""}));
    EXPECT_EQ(g_vecProfile.size(), 2u);
}

TEST_F(MainWndTest, LanguageSwitchReloadsTextsKeepsTheCaptionAndPersists)
{
    ASSERT_NE(Open(), nullptr);
    const QString caption = m_wnd->GetWidget()->windowTitle();
    const QString englishApply = Find("btn_apply")->GetText();

    Find<CComboUI>("lan_combo")->SelectItem(0);
    EXPECT_NE(Find("btn_apply")->GetText(), englishApply);
    EXPECT_EQ(Find("btn_apply")->GetText(), Text("apply_text"));
    EXPECT_EQ(m_wnd->GetWidget()->windowTitle(), caption);
    EXPECT_EQ(StoredAppState(), (std::array<int32_t, 2>{0, 0}));

    Close();
    g_StartupData = StartupData{};
    m_uiLanguage = 0x0407; // a German system no longer matters
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(Find<CComboUI>("lan_combo")->GetCurSel(), 0);
    EXPECT_EQ(m_wnd->GetWidget()->windowTitle(), Text("mouse_name_text"));
    EXPECT_NE(m_wnd->GetWidget()->windowTitle(), caption);
}

TEST_F(MainWndTest, EveryShownTextFollowsTheLanguageBackAndForth)
{
    // A macro of a press and a move, bound to a button; a Super shortcut on another.
    MacroLibrary macros;
    AppendFolderEntry(macros, u"Shooters");
    MacroData& reload =
        *macros[static_cast<std::size_t>(AppendMacro(macros, u"Shooters", u"Reload"))];
    reload.wActionCount = 2;
    reload.aAction[0] = MacroAction{0, 0x15, kMacroKindPress, 0, 10, 0, 0, 0};
    reload.aAction[1] = MacroAction{0, kMacroCodeMouseMove, kMacroKindMove, 0, 10, 0, 5, -3};
    std::filesystem::create_directories(m_folder.DataDir());
    ASSERT_TRUE(SaveMacroLibrary(macros, m_folder.DataDir()));
    ProfileData profile = NamedProfile(u"Game");
    profile.aButton[0].byFunction = kFunctionClick;
    profile.aButton[3].byFunction = kFunctionSelectMacro;
    BindMacro(profile.aButton[3], reload, 1, 0, 1);
    profile.aButton[4].byFunction = kFunctionShortcutKey;
    profile.aButton[4].byShortcutMods = 0x08; // the Super key
    profile.aButton[4].byShortcutKey = 0x3E;  // F5
    WriteProfiles({profile});
    ASSERT_NE(Open(), nullptr);
    Find<CListUI>("macro_list")->SelectItem(0);
    ASSERT_EQ(Find<CListUI>("macro_action_list")->GetCount(), 2);

    const auto itemLabel = [this](int item, const char* name)
    {
        auto* row =
            dynamic_cast<CContainerUI*>(Find<CListUI>("macro_action_list")->GetItemAt(item));
        return row != nullptr ? row->FindSubControl(QString::fromLatin1(name))->GetText()
                              : QString();
    };
    // What the user sees, each with the text it ought to be in the language now.
    const auto shown = [&]
    {
        std::vector<std::pair<QString, QString>> texts{
            {Find("button4_btn")->GetText(), Text("set_macro_text") + "Shooters-Reload"},
            {Find("button4_btn")->GetToolTip(), Text("set_macro_text") + "Shooters-Reload"},
            {Find("button5_btn")->GetText(), Text("win_text") + "+" + Text("key_F5")},
            {Find("button1_btn")->GetToolTip(), Text("click_text")},
            {itemLabel(0, "key"), Text("key_R")},
            {itemLabel(0, "action"), Text("key_down_action")},
            {itemLabel(1, "key"), Text("mouse_move_text")},
            {Find("light_mode_option_3")->GetText(), Text("light_mode_3_text")},
            {Find("btn_add_profile")->GetToolTip(), Text("add_profile_tip_text")},
        };
        std::vector<std::pair<std::string, std::string>> readable;
        for (const auto& [text, expected] : texts)
            readable.emplace_back(text.toStdString(), expected.toStdString());
        return readable;
    };
    const auto english = shown();
    for (const auto& [text, expected] : english)
        EXPECT_EQ(text, expected);

    Find<CComboUI>("lan_combo")->SelectItem(0);
    const auto chinese = shown();
    for (std::size_t i = 0; i < chinese.size(); ++i)
    {
        EXPECT_EQ(chinese[i].first, chinese[i].second) << i;
        if (i != 2 && i != 4) // "Super" and "R" read the same in both
            EXPECT_NE(chinese[i].first, english[i].first) << i;
    }
    EXPECT_EQ(Find<CListUI>("macro_action_list")->GetCurSel(), 1); // the selection stays
    // A selection dialog opened now lists its macros under a title of the new language.
    const QString title = Text("select_macro_title_text");
    QString dialogTitle, listed;
    WhenDialogOpens(
        [&](QWidget* dialog)
        {
            dialogTitle = dialog->windowTitle();
            emit dialog->findChild<QComboBox*>("macro_combo")->activated(0);
            for (CPaintManagerUI* pm : CPaintManagerUI::GetPaintManagers())
                if (pm->GetHostWidget() == dialog)
                    if (auto* list = dynamic_cast<CListUI*>(pm->FindControl("macro_list")))
                        listed = list->GetItemAt(0) ? list->GetItemAt(0)->GetText() : QString();
            Press(dialog, "cancel_btn");
        });
    Click("button4_btn");
    m_wnd->SendMessage(WM_MENUCLICK, reinterpret_cast<WPARAM>(new MenuCmd{"select_macro", "", ""}));
    EXPECT_EQ(dialogTitle, title);
    EXPECT_EQ(listed, "Reload");

    Find<CComboUI>("lan_combo")->SelectItem(2);
    EXPECT_EQ(shown(), english);
}

TEST_F(MainWndTest, TwoAppliesInARowBothReachTheMouseAndWriteTheFiles)
{
    ASSERT_NE(Open(), nullptr);
    g_pCurProfile->iReportRate = 0;
    Click("btn_apply");
    g_pCurProfile->iReportRate = 3;
    Click("btn_apply");
    EXPECT_TRUE(RingVisible());
    FinishApplies();
    EXPECT_FALSE(RingVisible());
    EXPECT_EQ(m_mouse->State().byReportRateCode, 1); // the second one, 1000 Hz
    // Data.bin now holds the language picked at start.
    EXPECT_EQ(StoredAppState(), (std::array<int32_t, 2>{0, 2}));
    EXPECT_EQ(StoredProfiles()[0].iReportRate, 3);
}

TEST_F(MainWndTest, TheBottomBarTellsWhatEachApplyDidAndTheTitleBarTheMouseState)
{
    m_bFaultable = true;
    ASSERT_NE(Open(), nullptr);
    auto status = [this]
    { return Find("apply_status")->IsVisible() ? Find("apply_status")->GetText() : QString(); };
    auto state = [this] { return Find("connection_state")->GetText(); };
    EXPECT_EQ(state(), Text("mouse_connected_text"));

    Click("btn_apply");
    EXPECT_TRUE(RingVisible());
    EXPECT_EQ(status(), QString());
    FinishApplies();
    EXPECT_FALSE(RingVisible());
    EXPECT_EQ(status(), Text("applied_text"));
    m_wnd->SendMessage(WM_TIMER, kApplyStatusTimer);
    EXPECT_EQ(status(), QString()); // gone after a few seconds

    // A mouse that refuses every report: saved, and said so.
    m_faulty->SetFaults({.refuseEvery = 1});
    Click("btn_apply");
    FinishApplies();
    EXPECT_EQ(status(), Text("apply_refused_text"));
    m_faulty->SetFaults({});

    // Gone in the middle of the apply.
    int pauses = 0;
    m_onPause = [this, &pauses]
    {
        if (++pauses == 5)
            m_mouse->Unplug();
    };
    Click("btn_apply");
    FinishApplies();
    m_onPause = nullptr;
    EXPECT_EQ(status(), Text("apply_removed_text"));
    EXPECT_EQ(state(), Text("mouse_not_connected_text"));
    EXPECT_EQ(m_wnd->GetTrayIcon().GetSystemTrayIcon()->toolTip(),
              Text("mouse_name_text") + " – " + Text("mouse_not_connected_text"));

    // No mouse at all: the profile is still saved.
    g_pCurProfile->iReportRate = 1;
    Click("btn_apply");
    FinishApplies();
    EXPECT_EQ(status(), Text("apply_no_mouse_text"));
    EXPECT_EQ(StoredProfiles()[0].iReportRate, 1);
}

TEST_F(MainWndTest, EditsNotAppliedAreMarkedAndTheTraysExitAsksAboutThem)
{
    ASSERT_NE(Open(), nullptr);
    auto marked = [this] { return Find("btn_apply")->GetText() == Text("apply_changed_text"); };
    EXPECT_FALSE(marked());
    auto exitFromTray = [this]
    {
        m_wnd->SendMessage(WM_MENUCLICK, reinterpret_cast<WPARAM>(new MenuCmd{"exit", "", ""}));
    };

    const int32_t before = g_pCurProfile->iReportRate;
    g_pCurProfile->iReportRate = before == 3 ? 2 : 3;
    Click("edit_profile_name"); // a page's edit ends in some notification

    EXPECT_TRUE(marked());
    EXPECT_TRUE(m_wnd->HasUnappliedChanges());

    // Cancel stays, asking once.
    m_answer = 0;
    m_asked.clear();
    exitFromTray();
    EXPECT_EQ(m_asked, std::vector<QString>{"exit_unapplied_text"});
    EXPECT_TRUE(::IsWindow(m_wnd->GetHWND()));

    // Apply sends it first, then quits.
    m_answer = 1;
    const int32_t edited = g_pCurProfile->iReportRate;
    exitFromTray();
    EXPECT_FALSE(::IsWindow(m_wnd->GetHWND()));
    EXPECT_EQ(StoredProfiles()[0].iReportRate, edited);
    EXPECT_EQ(m_mouse->State().byReportRateCode, edited == 3 ? 1 : 2);
    Close();

    // Discard puts the profile back as applied and quits without applying.
    g_StartupData = StartupData{};
    ASSERT_NE(Open(), nullptr);
    const int32_t level = g_pCurProfile->iDpiLevel;
    g_pCurProfile->iDpiLevel = level == 0 ? 1 : 0;
    Click("btn_add_profile"); // saves the list with the edit
    EXPECT_NE(StoredProfiles()[0].iDpiLevel, level);
    const std::size_t sent = m_mouse->Traffic().size();
    m_answer = kMsgAnswerDiscard;
    m_asked.clear();
    exitFromTray();
    EXPECT_EQ(m_asked.size(), 1u);
    EXPECT_FALSE(::IsWindow(m_wnd->GetHWND()));
    EXPECT_EQ(StoredProfiles()[0].iDpiLevel, level);
    EXPECT_EQ(m_mouse->Traffic().size(), sent);
}

TEST_F(MainWndTest, AProfileMadeCurrentAfterTheStartIsPutBackByDiscard)
{
    ASSERT_NE(Open(), nullptr);
    Click("btn_add_profile");
    Close();

    // Only the current profile is remembered at the start; the other one is
    // remembered when it becomes current, before a page can edit it.
    g_StartupData = StartupData{};
    ASSERT_NE(Open(), nullptr);
    const int other = g_StartupData.appState.iCurrentProfile == 0 ? 1 : 0;
    Find<CComboUI>("profile_combo")->SelectItem(other);
    const int32_t level = g_pCurProfile->iDpiLevel;
    g_pCurProfile->iDpiLevel = level == 0 ? 1 : 0;
    Click("btn_add_profile"); // saves the list with the edit
    EXPECT_NE(StoredProfiles()[static_cast<std::size_t>(other)].iDpiLevel, level);
    m_answer = kMsgAnswerDiscard;
    m_wnd->SendMessage(WM_MENUCLICK, reinterpret_cast<WPARAM>(new MenuCmd{"exit", "", ""}));
    EXPECT_FALSE(::IsWindow(m_wnd->GetHWND()));
    EXPECT_EQ(StoredProfiles()[static_cast<std::size_t>(other)].iDpiLevel, level);
}

TEST_F(MainWndTest, TrayClickShowsOnlyWithAMouseAndTheMessageOpensOnce)
{
    ASSERT_NE(Open(), nullptr);
    Click("exit_btn");
    EXPECT_FALSE(Visible());
    m_wnd->SendMessage(UIMSG_TRAYICON, 0, WM_LBUTTONUP);
    EXPECT_TRUE(Visible());
    EXPECT_TRUE(m_asked.empty());

    m_mouse->Unplug();
    Pump();
    EXPECT_FALSE(Visible());
    EXPECT_EQ(m_wnd->GetDeviceLink()->State(), DeviceState::Removed);

    m_duringMessage = [this]
    {
        m_duringMessage = nullptr;
        m_wnd->SendMessage(UIMSG_TRAYICON, 0, WM_LBUTTONUP); // a second click meanwhile
    };
    m_wnd->SendMessage(UIMSG_TRAYICON, 0, WM_LBUTTONUP);
    ASSERT_EQ(m_asked.size(), 1u);
    EXPECT_EQ(m_asked[0], "no_connect_device_text");
    EXPECT_FALSE(m_overlayWhileAsked[0]);
    EXPECT_FALSE(Visible());

    m_mouse->Plug();
    Pump();
    EXPECT_EQ(m_wnd->GetDeviceLink()->State(), DeviceState::Present);
    EXPECT_FALSE(Visible()); // arrival does not show it
    m_wnd->SendMessage(WM_SHOW_MAIN_WINDOW);
    EXPECT_TRUE(Visible());
}

TEST_F(MainWndTest, WithoutATrayClosingMinimises)
{
    m_desktop.hasTray = false;
    ASSERT_NE(Open(), nullptr);
    Click("exit_btn");
    EXPECT_TRUE(::IsIconic(m_wnd->GetHWND()));
    m_wnd->SendMessage(WM_MENUCLICK,
                       reinterpret_cast<WPARAM>(new MenuCmd{"configuration", "", ""}));
    EXPECT_FALSE(::IsIconic(m_wnd->GetHWND()));
}

TEST_F(MainWndTest, MouseSideEventsUpdateTheProfileAndProfileBin)
{
    WriteProfiles({NamedProfile(u"Game")});
    WriteAppState(0, 2);
    ASSERT_NE(Open(), nullptr);

    m_mouse->RaiseEvent(kEventDpiLevel, 3);
    Pump();
    EXPECT_EQ(g_pCurProfile->iDpiLevel, 2);
    ASSERT_NE(m_wnd->GetDpiPopup(), nullptr);
    EXPECT_EQ(m_wnd->GetDpiPopup()->GetText(),
              QString::fromStdString("DPI :" + DpiText(g_StartupData.description.m_iSensor, 31)));

    m_mouse->RaiseEvent(kEventReportRate, 4);
    m_mouse->RaiseEvent(kEventButtonMode, 2);
    Pump();
    EXPECT_EQ(g_pCurProfile->iReportRate, 1);
    EXPECT_EQ(g_pCurProfile->iButtonMode, 1);
    const ProfileData stored = StoredProfiles()[0];
    EXPECT_EQ(stored.iDpiLevel, 2);
    EXPECT_EQ(stored.iReportRate, 1);
    EXPECT_EQ(stored.iButtonMode, 1);
}

TEST_F(MainWndTest, DpiPopupKeepsOneWindowWithTheLastValueUntilTheTimer)
{
    ASSERT_NE(Open(), nullptr);
    m_wnd->SendMessage(kDpiPopupMessage, 0, 10);
    CDPIMsg* popup = m_wnd->GetDpiPopup();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->GetWidget()->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_TRUE(popup->GetWidget()->windowFlags() & Qt::WindowStaysOnTopHint);
    m_wnd->SendMessage(kDpiPopupMessage, 0, 20);
    m_wnd->SendMessage(kDpiPopupMessage, 0, 30);
    EXPECT_EQ(m_wnd->GetDpiPopup(), popup);
    const QString last =
        QString::fromStdString("DPI :" + DpiText(g_StartupData.description.m_iSensor, 30));
    EXPECT_EQ(popup->GetText(), last);
    auto* label = dynamic_cast<CLabelUI*>(popup->GetPaintManager()->FindControl("dpi_value_label"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->GetText(), last);
    EXPECT_EQ(popup->GetWidget()->size(), QSize(150, 150));

    m_wnd->SendMessage(WM_TIMER, kDpiPopupTimer);
    EXPECT_EQ(m_wnd->GetDpiPopup(), nullptr);
    Pump(); // the popup deletes itself once closed
}

TEST_F(MainWndTest, PageSelectorsMenusAndTheLogo)
{
    ASSERT_NE(Open(), nullptr);
    Find<COptionUI>("light_btn")->Selected(true);
    EXPECT_EQ(Find<CTabLayoutUI>("config_tab")->GetCurSel(), 0);
    EXPECT_EQ(Find<CTabLayoutUI>("main_tab")->GetCurSel(), 2);
    Find<COptionUI>("gun_btn")->Selected(true);
    EXPECT_EQ(Find<CTabLayoutUI>("config_tab")->GetCurSel(), 2);
    Find<COptionUI>("performance_btn")->Selected(true);
    EXPECT_EQ(Find<CTabLayoutUI>("config_tab")->GetCurSel(), 0);
    EXPECT_EQ(Find<CTabLayoutUI>("main_tab")->GetCurSel(), 1);

    Click("btn_menu_profile");
    ASSERT_NE(m_wnd->GetOpenMenu(), nullptr);
    m_wnd->SendMessage(UIMSG_TRAYICON, 0, WM_RBUTTONUP); // replaces the profile menu
    ASSERT_NE(m_wnd->GetOpenMenu(), nullptr);

    // No address in the shipped language files: the logo offers nothing to open.
    EXPECT_EQ(Find("logo_btn")->IsVisible(), !Text("website_text").isEmpty());
    Click("logo_btn");
    EXPECT_EQ(m_desktop.addresses.size(), Text("website_text").isEmpty() ? 0u : 1u);

    m_wnd->SendMessage(WM_MENUCLICK, reinterpret_cast<WPARAM>(new MenuCmd{"EXIT", "", ""}));
    EXPECT_FALSE(::IsWindow(m_wnd->GetHWND()));
}

TEST_F(MainWndTest, DifferentFirmwareOffersTheUpdaterWhichEndsTheProgram)
{
    m_firmware = {{1, 2}};
    m_folder.WriteFile("Update/flashOnLine", "#!/bin/sh\n", 10);
    std::filesystem::permissions(m_folder.Path() / "Update" / "flashOnLine",
                                 std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    m_answer = 0;
    // Asked once the window shows: its start does not wait for the mouse.
    bool shownWhenAsked = false;
    m_duringMessage = [&] { shownWhenAsked = m_wnd->GetWidget()->isVisible(); };
    ASSERT_NE(Open(), nullptr); // declined: the program carries on
    ASSERT_EQ(m_asked.size(), 1u);
    EXPECT_EQ(m_asked[0], "update_fw_text");
    EXPECT_TRUE(shownWhenAsked);
    m_duringMessage = nullptr;
    EXPECT_TRUE(m_desktop.programs.empty());
    Close();

    g_StartupData = StartupData{};
    m_answer = 1;
    EXPECT_EQ(Open(), nullptr);
    ASSERT_EQ(m_desktop.programs.size(), 1u);
    EXPECT_EQ(m_desktop.programs[0].parent_path(), m_folder.Path() / "Update");
    EXPECT_EQ(m_desktop.programs[0].stem(), "flashOnLine");
}

TEST_F(MainWndTest, ButtonAssignmentsReachTheMouseOnApply)
{
    ASSERT_NE(Open(), nullptr);
    AppendFolderEntry(g_vecGun, u"Rifles");
    const int gun = AppendGun(g_vecGun, u"Rifles", u"M4");
    g_vecGun[gun]->byBulletCount = 3;
    const auto choose = [this](const char* button, const char* item)
    {
        Click(button);
        m_wnd->SendMessage(WM_MENUCLICK, reinterpret_cast<WPARAM>(new MenuCmd{item, "", ""}));
    };
    choose("button4_btn", "mute");
    choose("button5_btn", "mode_switch");
    choose("button1_btn", "menu"); // the last left click stays
    EXPECT_EQ(m_asked, std::vector<QString>{"one_left_click_text"});
    WhenDialogOpens(
        [](QWidget* dialog)
        {
            emit dialog->findChild<QComboBox*>("gun_combo")->activated(0);
            QWidget* list = dialog->findChild<QWidget*>("gun_list");
            QTest::mouseClick(list->childAt(QPoint(40, 19)), Qt::LeftButton);
            Press(dialog, "ok_btn");
        });
    choose("button7_btn", "select_gun");
    ASSERT_EQ(g_pCurProfile->aButton[6].byFunction, 121);

    Click("btn_apply");
    FinishApplies();
    const VirtualMouseState& state = m_mouse->State();
    EXPECT_EQ(state.buttonCodes[0], ButtonFunctionCode(1));
    EXPECT_EQ(state.buttonCodes[3], ButtonFunctionCode(71));
    EXPECT_EQ(state.buttonCodes[4], ButtonFunctionCode(26));
    EXPECT_EQ(state.buttonCodes[20], ButtonFunctionCode(26));
    EXPECT_EQ(state.buttonCodes[6][0], 0x08);
    EXPECT_EQ(state.gunSummary[3], 0xFF); // the gun's colour: red
    EXPECT_EQ(state.gunSummary[4], 0x00);
    EXPECT_FALSE(state.blocks.empty());
    EXPECT_EQ(StoredProfiles()[0].aButton[3].byFunction, 71);
}

TEST_F(MainWndTest, PageEditsReachTheMouseWithTheNextApply)
{
    ASSERT_NE(Open(), nullptr);
    auto* slider = Find<CSliderUI>("mouse_dpi3_slider");
    ASSERT_NE(slider, nullptr);
    slider->SetValue(40);
    m_wnd->GetPaintManager()->SendNotify(slider, DUI_MSGTYPE_VALUECHANGED, 40);
    Find<COptionUI>("prate_4_option")->Selected(true);
    Find<COptionUI>("light_mode_option_3")->Selected(true);
    EXPECT_EQ(g_pCurProfile->aiDpi[2], 40);
    EXPECT_EQ(g_pCurProfile->iReportRate, 3);
    EXPECT_EQ(g_pCurProfile->iLightMode, 2);

    Click("btn_apply");
    FinishApplies();

    // Sensor 3335 sends level values up to 160 through its code table: 40 -> 0x2F.
    EXPECT_EQ(m_mouse->State().dpiCodes[2], 0x2F);
    EXPECT_EQ(m_mouse->State().byReportRateCode, 1);
    EXPECT_EQ(m_mouse->State().lightMode[0], 2);
    EXPECT_EQ(StoredProfiles().at(0).aiDpi[2], 40);
}

TEST_F(MainWndTest, DamagedFilesAtStartAreToldOnceAndKept)
{
    std::vector<ProfileData> profiles = {NamedProfile(u"Office"), NamedProfile(u"Game")};
    WriteProfiles(profiles);
    fs::resize_file(m_folder.DataDir() / "profile.bin", 2 * sizeof(ProfileData) - 1);
    const auto damaged = ReadData("profile.bin");
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(m_asked, std::vector<QString>{"damaged_file_text"});
    EXPECT_FALSE(Text("damaged_file_text").isEmpty());
    ASSERT_EQ(g_vecProfile.size(), 1u);
    EXPECT_EQ(EditText(), "Office");

    const QString message = CMsgWnd::MessageText(
        "damaged_file_text", {"profile.bin", "short", "profile.bin.damaged-x %2"});
    EXPECT_TRUE(message.contains("profile.bin.damaged-x %2")) << message.toStdString();
    EXPECT_FALSE(message.contains("%1")) << message.toStdString();

    int copies = 0;
    for (const auto& entry : fs::directory_iterator(m_folder.DataDir()))
        if (entry.path().filename().string().starts_with("profile.bin.damaged-"))
        {
            ++copies;
            EXPECT_EQ(m_folder.ReadFile(fs::relative(entry.path(), m_folder.Path())), damaged);
        }
    EXPECT_EQ(copies, 1);
    EXPECT_EQ(StoredProfiles().size(), 1u); // the whole record, saved anew
}

TEST_F(MainWndTest, FailedSavesAreToldOnceEachAndTheNextSaveTriesAgain)
{
    SmallTmpfs disk(m_folder.DataDir(), 512 * 1024);
    if (!disk.Mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here";
    WriteProfiles({NamedProfile(u"Office")});
    ASSERT_NE(Open(), nullptr);
    ASSERT_TRUE(m_asked.empty());

    disk.Fill();
    Click("btn_add_profile");
    Settle();
    EXPECT_EQ(g_vecProfile.size(), 2u); // kept in memory
    EXPECT_EQ(m_asked, std::vector<QString>{"save_failed_text"});
    EXPECT_EQ(StoredProfiles().size(), 1u);

    // A library save from a page is told the same way.
    auto folder = std::make_unique<MacroData>();
    folder->bIsFolder = 1;
    m_folder.WriteFile("f.mbins", folder.get(), sizeof *folder);
    m_desktop.answers = {m_folder.Path() / "f.mbins"};
    m_wnd->SendMessage(WM_MENUCLICK,
                       reinterpret_cast<WPARAM>(new MenuCmd{"import_macro_dir", "", ""}));
    Settle();
    EXPECT_EQ(m_asked.size(), 2u);
    EXPECT_FALSE(fs::exists(m_folder.DataDir() / "macro.bin"));

    fs::remove(m_folder.DataDir() / "filler");
    Click("btn_add_profile");
    EXPECT_EQ(StoredProfiles().size(), 3u);
    EXPECT_EQ(m_asked.size(), 2u);

    // An export into a read-only folder did not happen, and says so.
    SmallTmpfs readOnly(m_folder.Path() / "ro", 64 * 1024);
    ASSERT_TRUE(readOnly.Mounted() && readOnly.MakeReadOnly());
    m_desktop.answers = {m_folder.Path() / "ro" / "out.pbin"};
    m_wnd->SendMessage(WM_MENUCLICK,
                       reinterpret_cast<WPARAM>(new MenuCmd{"export_profile", "", ""}));
    EXPECT_EQ(m_asked.size(), 3u);
    EXPECT_EQ(m_asked.back(), "save_failed_text");
    EXPECT_FALSE(fs::exists(m_folder.Path() / "ro" / "out.pbin"));
}

TEST_F(MainWndTest, TheWindowIsTheDataFolderWriterForItsWholeRun)
{
    ASSERT_NE(Open(), nullptr);
    {
        DataFolderLock command; // what a writing vestrelctl command takes
        EXPECT_EQ(command.LockForCommand(m_folder.DataDir()),
                  DataFolderLock::Outcome::ProgramRunning);
    }
    // A second copy on the same folder (another user's, say) says so, in
    // the user's language though it loads nothing else, and does not start.
    MainWndSetup setup;
    setup.folders = {m_folder.Path(), m_folder.DataDir()};
    setup.pointer = &m_pointer;
    CMainWnd second(std::move(setup));
    CResourceManager::GetInstance()->UseLanguage(LanguageFile{}); // as in a new process
    QString told;
    m_duringMessage = [&] { told = Text("data_folder_in_use_text"); };
    EXPECT_EQ(second.Create(nullptr, QString(), WS_POPUP | WS_VISIBLE, 0, 0, 0, 800, 572), nullptr);
    m_duringMessage = nullptr;
    EXPECT_EQ(m_asked, std::vector<QString>{"data_folder_in_use_text"});
    EXPECT_FALSE(told.isEmpty());

    Close();
    DataFolderLock command;
    EXPECT_EQ(command.LockForCommand(m_folder.DataDir()), DataFolderLock::Outcome::Locked);
}

TEST_F(MainWndTest, AnApplyTheLastRunLeftUnfinishedIsDoneAtStart)
{
    WriteProfiles({NamedProfile(u"Office")});
    m_folder.WriteFile(fs::path("Data") / kApplyNoteFile, "", 0);
    ASSERT_NE(Open(), nullptr);
    FinishApplies();
    EXPECT_EQ(m_mouse->State().iStartupRequests, 2); // start-up, then the apply's own
    EXPECT_FALSE(m_mouse->State().blocks.empty() && m_mouse->State().byDpiLevel == 0);
    EXPECT_FALSE(fs::exists(m_folder.DataDir() / kApplyNoteFile));
    EXPECT_FALSE(RingVisible());
}

namespace
{

// One skin file of the program folder damaged the way a broken installation
// or a careless edit leaves it.
struct SkinDamage
{
    const char* file;
    const char* lackedControl; // null: the file is gone; "": the file is empty
    const char* report;        // what stderr then says about the file
};

class MainWndDamagedSkinTest : public MainWndTest, public ::testing::WithParamInterface<SkinDamage>
{
protected:
    void Damage() const
    {
        const SkinDamage& damage = GetParam();
        const fs::path file = fs::path("res") / damage.file;
        if (damage.lackedControl == nullptr)
        {
            fs::remove(m_folder.Path() / file);
            return;
        }
        std::string text;
        if (*damage.lackedControl != '\0')
        {
            const std::vector<std::byte> bytes = m_folder.ReadFile(file);
            text.assign(reinterpret_cast<const char*>(bytes.data()), bytes.size());
            const std::string name = std::string("name=\"") + damage.lackedControl + '"';
            ASSERT_NE(text.find(name), std::string::npos);
            text.replace(text.find(name), name.size(), "name=\"renamed\"");
        }
        m_folder.WriteFile(file, text.data(), text.size());
    }

    // The buttons the intact file names that the window still shows.
    std::vector<CControlUI*> ButtonsOfTheFile()
    {
        std::ifstream in(SourceDir() / "res" / GetParam().file);
        const std::string text{std::istreambuf_iterator<char>(in), {}};
        std::vector<CControlUI*> buttons;
        const std::regex name("<Button[^>]*name=\"([^\"]+)\"");
        for (auto it = std::sregex_iterator(text.begin(), text.end(), name);
             it != std::sregex_iterator(); ++it)
            if (CControlUI* button = Find((*it)[1].str().c_str()))
                buttons.push_back(button);
        return buttons;
    }
};

} // namespace

TEST_P(MainWndDamagedSkinTest, OpensWithWhatCouldBeBuiltAndSurvivesUse)
{
    Damage();
    // A dialog that opens here would be one no damaged page should offer.
    const ModalDialogWatch watch;
    testing::internal::CaptureStderr();
    ASSERT_NE(Open(), nullptr);

    for (const char* tab : {"key_btn", "performance_btn", "light_btn", "macro_btn", "gun_btn"})
        if (auto* option = Find<COptionUI>(tab))
            option->Selected(true);
    for (CControlUI* button : ButtonsOfTheFile())
        m_wnd->GetPaintManager()->SendNotify(button, DUI_MSGTYPE_CLICK);
    if (auto* languages = Find<CComboUI>("lan_combo"))
        languages->SelectItem(0);
    if (Find("btn_add_profile") != nullptr)
        Click("btn_add_profile"); // every page shows the new profile
    m_mouse->RaiseEvent(kEventDpiLevel, 3);
    m_mouse->RaiseEvent(kEventButtonMode, 2);
    m_mouse->RaiseEvent(kEventReportRate, 4);
    Pump();
    if (Find("btn_apply") != nullptr)
        Click("btn_apply");
    FinishApplies();

    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(::IsWindow(m_wnd->GetHWND()));
    EXPECT_EQ(watch.opened, 0);
    const std::string line =
        std::string("vestrel: skin res/") + GetParam().file + ": " + GetParam().report;
    EXPECT_NE(err.find(line), std::string::npos) << err;
}

INSTANTIATE_TEST_SUITE_P(
    EachPart, MainWndDamagedSkinTest,
    ::testing::Values(SkinDamage{"main.xml", "", "cannot be read"},
                      SkinDamage{"button.xml", nullptr, "cannot be read"},
                      SkinDamage{"performance.xml", nullptr, "cannot be read"},
                      SkinDamage{"light.xml", nullptr, "cannot be read"},
                      SkinDamage{"macro.xml", nullptr, "cannot be read"},
                      SkinDamage{"gun.xml", nullptr, "cannot be read"},
                      SkinDamage{"macro.xml", "macro_list", "control \"macro_list\" is missing"},
                      SkinDamage{"gun.xml", "gun_list", "control \"gun_list\" is missing"}),
    [](const ::testing::TestParamInfo<SkinDamage>& info)
    {
        std::string name = std::string(info.param.file).substr(0, std::strlen(info.param.file) - 4);
        return name + (info.param.lackedControl == nullptr ? "Missing"
                       : *info.param.lackedControl == '\0' ? "Empty"
                                                           : "LacksItsList");
    });
