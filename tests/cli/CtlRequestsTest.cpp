// vestrelctl while the program runs: the command goes over the single-instance
// socket, the program carries it out on its own data, the page shows it, the
// files hold it together with the page edits not yet saved, and a restart
// finds it.

#include "app/CtlRequests.h"
#include "app/MainWnd.h"
#include "cli/VestrelCtl.h"
#include "device/VirtualDriver.h"
#include "device/VirtualMouse.h"
#include "performance/RecordingPointerBackend.h"
#include "platform/DesktopServices.h"
#include "platform/SingleInstance.h"
#include "tests/support/FakeDesktop.h"
#include "tests/support/TempProgramFolder.h"
#include "ui/ComboUI.h"
#include "ui/EditUI.h"
#include "ui/OptionUI.h"
#include "ui/ResourceManager.h"
#include "ui/SliderUI.h"

#include <QApplication>
#include <QLineEdit>
#include <QSlider>
#include <QTimer>
#include <QWidget>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <optional>
#include <sstream>
#include <sys/stat.h>
#include <thread>

namespace
{

class CtlRequestsTest : public ::testing::Test
{
protected:
    CtlRequestsTest()
    {
        CPaintManagerUI::SetResourcePath(
            QString::fromStdString((m_folder.Path() / "res").string()));
        SetDesktopServices(&m_desktop);
        // A runtime folder of the test's own, where vestrelctl looks for the program.
        m_runtime = m_folder.Path() / "runtime";
        std::filesystem::create_directory(m_runtime);
        ::chmod(m_runtime.c_str(), 0700);
        if (const char* old = std::getenv("XDG_RUNTIME_DIR"))
            m_oldRuntime = old;
        ::setenv("XDG_RUNTIME_DIR", m_runtime.c_str(), 1);
        g_StartupData = StartupData{};
    }
    ~CtlRequestsTest() override
    {
        Close();
        SetDesktopServices(nullptr);
        if (m_oldRuntime)
            ::setenv("XDG_RUNTIME_DIR", m_oldRuntime->c_str(), 1);
        else
            ::unsetenv("XDG_RUNTIME_DIR");
    }

    void Open()
    {
        MainWndSetup setup;
        setup.folders = {m_folder.Path(), m_folder.DataDir()};
        setup.bindDriver = [this]
        {
            m_mouse = std::make_shared<VirtualMouse>(g_StartupData.description);
            return MakeVirtualDriver(m_mouse);
        };
        setup.pointer = &m_pointer;
        setup.sleep = [](int) {};
        m_wnd = std::make_unique<CMainWnd>(std::move(setup));
        ASSERT_NE(m_wnd->Create(nullptr, QString(), WS_POPUP | WS_VISIBLE, 0, 0, 0, 800, 572),
                  nullptr);
        m_requests = std::make_unique<CCtlRequests>(*m_wnd, m_folder.Path());
        m_instance = std::make_unique<SingleInstance>(QString::fromLatin1(kInstanceName));
        ASSERT_TRUE(m_instance->TryLock());
        ASSERT_TRUE(m_instance->Listen([] {}));
        m_instance->SetCommandHandler([this](const std::vector<std::string>& args)
                                      { return m_requests->Run(args); });
    }

    void Close()
    {
        m_instance.reset();
        m_requests.reset();
        if (m_wnd && ::IsWindow(m_wnd->GetHWND()))
            m_wnd->DestroyWindow();
        m_wnd.reset();
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
        g_StartupData = StartupData{};
    }

    // vestrelctl as a user runs it, on another thread while the program's
    // event loop goes on here.
    int Ctl(std::vector<std::string> args, std::string* out = nullptr)
    {
        args.insert(args.begin(), {"--program-dir", m_folder.Path().string()});
        std::atomic<int> code{-1};
        std::ostringstream stdoutText, stderrText;
        std::thread ctl([&]
                        { code = RunVestrelCtl(args, m_folder.Path(), stdoutText, stderrText); });
        while (code < 0)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        ctl.join();
        if (out != nullptr)
            *out = stdoutText.str();
        m_lastErr = stderrText.str();
        return code;
    }

    template <typename T> T* Find(const char* name)
    {
        return dynamic_cast<T*>(m_wnd->GetPaintManager()->FindControl(QString::fromLatin1(name)));
    }

    ProfileData StoredProfile(std::size_t index) const
    {
        const auto bytes = m_folder.ReadFile("Data/profile.bin");
        ProfileData profile{};
        EXPECT_GE(bytes.size(), (index + 1) * sizeof(ProfileData));
        if (bytes.size() >= (index + 1) * sizeof(ProfileData))
            std::memcpy(&profile, bytes.data() + index * sizeof(ProfileData), sizeof profile);
        return profile;
    }

    TempProgramFolder m_folder;
    std::filesystem::path m_runtime;
    std::optional<std::string> m_oldRuntime;
    FakeDesktop m_desktop;
    RecordingPointerBackend m_pointer;
    std::shared_ptr<VirtualMouse> m_mouse;
    std::unique_ptr<CMainWnd> m_wnd;
    std::unique_ptr<CCtlRequests> m_requests;
    std::unique_ptr<SingleInstance> m_instance;
    std::string m_lastErr;
};

} // namespace

TEST_F(CtlRequestsTest, ASetShowsOnThePageKeepsThePageEditsAndSurvivesARestart)
{
    Open();
    // A page edit, in memory only until the next save.
    Find<COptionUI>("prate_2_option")->Selected(true);
    ASSERT_EQ(g_pCurProfile->iReportRate, 1);

    EXPECT_EQ(Ctl({"set", "dpi.3.step=40", "light.brightness=77"}), 0) << m_lastErr;
    EXPECT_EQ(Find<CSliderUI>("mouse_dpi3_slider")->GetValue(), 40);
    EXPECT_EQ(Find<CSliderUI>("brightness_slider")->GetValue(), 77);
    const ProfileData stored = StoredProfile(0);
    EXPECT_EQ(stored.aiDpi[2], 40);
    EXPECT_EQ(stored.iBrightness, 77);
    EXPECT_EQ(stored.iReportRate, 1) << "the page's edit was lost";

    // A refused change leaves the program's profile and the files alone.
    EXPECT_EQ(Ctl({"set", "dpi.3.step=41", "button.office.1=forward"}), 1);
    EXPECT_NE(m_lastErr.find("left-click"), std::string::npos) << m_lastErr;
    EXPECT_EQ(g_pCurProfile->aiDpi[2], 40);

    // While a dialog of the program is open, nothing is changed under it.
    {
        QWidget dialog;
        dialog.setWindowModality(Qt::ApplicationModal);
        dialog.show();
        EXPECT_EQ(Ctl({"set", "dpi.3.step=41"}), 1);
        EXPECT_NE(m_lastErr.find("dialog open"), std::string::npos) << m_lastErr;
        EXPECT_EQ(g_pCurProfile->aiDpi[2], 40);
    }

    // Profiles made from the shell appear in the profile bar.
    EXPECT_EQ(Ctl({"add", "Shell"}), 0) << m_lastErr;
    std::string listed;
    EXPECT_EQ(Ctl({"profiles"}, &listed), 0);
    EXPECT_NE(listed.find("1\t*\tShell"), std::string::npos) << listed;

    Close();
    Open();
    EXPECT_EQ(Ctl({"select", "0"}), 0) << m_lastErr;
    EXPECT_EQ(Find<CSliderUI>("mouse_dpi3_slider")->GetValue(), 40);
    EXPECT_TRUE(Find<COptionUI>("prate_2_option")->IsSelected());
}

// The window shows before the pages behind the first one get their widgets;
// what happens to them until then is there when they are first opened.
TEST_F(CtlRequestsTest, APageOpenedLateShowsWhatACommandAndTheLanguageChangedBefore)
{
    Open();
    auto* slider = Find<CSliderUI>("mouse_dpi3_slider");
    auto* value = Find<CEditUI>("mouse_dpi_value_3");
    auto* brightness = Find<CSliderUI>("brightness_slider");
    auto* rate = Find<CControlUI>("enhance_pointer_checkbox");
    ASSERT_TRUE(slider && value && brightness && rate);
    EXPECT_FALSE(slider->HasWidget());
    EXPECT_FALSE(brightness->HasWidget());
    const QString englishRate = rate->GetText();

    EXPECT_EQ(Ctl({"set", "dpi.3.step=40", "light.brightness=77"}), 0) << m_lastErr;
    Find<CComboUI>("lan_combo")->SelectItem(0);
    EXPECT_FALSE(slider->HasWidget());

    Find<COptionUI>("performance_btn")->Selected(true);
    ASSERT_TRUE(slider->HasWidget());
    EXPECT_TRUE(slider->GetWidget()->isVisibleTo(m_wnd->GetWidget()));
    EXPECT_EQ(static_cast<QSlider*>(slider->GetWidget())->value(), 40);
    EXPECT_EQ(static_cast<QLineEdit*>(value->GetWidget())->text(), value->GetText());
    EXPECT_EQ(value->GetText(), QString::number(g_pCurProfile->aiDpi[2] * 100));
    EXPECT_NE(rate->GetText(), englishRate);
    EXPECT_EQ(rate->GetText(),
              CResourceManager::GetInstance()->GetText(QStringLiteral("enhance_pointer_text")));
    EXPECT_FALSE(brightness->HasWidget()) << "only the page opened gets its widgets";

    Find<COptionUI>("light_btn")->Selected(true);
    ASSERT_TRUE(brightness->HasWidget());
    EXPECT_EQ(static_cast<QSlider*>(brightness->GetWidget())->value(), 77);
}

TEST_F(CtlRequestsTest, ApplyIsTheProgramsApply)
{
    Open();
    std::string out;
    EXPECT_EQ(Ctl({"set", "--apply", "rate=1000"}, &out), 0) << m_lastErr;
    // Answered once the mouse holds it and the files are written.
    EXPECT_EQ(m_mouse->State().byReportRateCode, 1);
    EXPECT_EQ(StoredProfile(0).iReportRate, 3);
    EXPECT_NE(out.find("applied profile 0"), std::string::npos) << out;
    // Without the mouse nothing claims to be applied.
    m_mouse->Unplug();
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    EXPECT_EQ(Ctl({"apply"}, &out), 1);
    EXPECT_NE(m_lastErr.find("No mouse is connected"), std::string::npos) << m_lastErr;
}

TEST_F(CtlRequestsTest, StatusIsTheLinksAnswerAndReadsAsVestrelctlsOwn)
{
    Open();
    std::string text, json;
    EXPECT_EQ(Ctl({"status"}, &text), 0) << m_lastErr;
    EXPECT_EQ(text, "mouse=present\nfirmware=1.3\nexpected=1.3\n");
    EXPECT_EQ(Ctl({"status", "--json"}, &json), 0) << m_lastErr;

    // Unplugged: the program's mouse is gone, whatever vestrelctl could open.
    m_mouse->Unplug();
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    std::string absentText, absentJson;
    EXPECT_EQ(Ctl({"status"}, &absentText), 1);
    const std::string absentErr = m_lastErr;
    EXPECT_EQ(Ctl({"status", "--json"}, &absentJson), 1);

    // Back with other firmware: the program asks the mouse it holds again.
    m_mouse->SetFirmwareVersion(1, 4);
    m_mouse->Plug();
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    std::string replugged;
    EXPECT_EQ(Ctl({"status"}, &replugged), 0) << m_lastErr;
    EXPECT_EQ(replugged, "mouse=present\nfirmware=1.4\nexpected=1.3\n");

    // vestrelctl on its own says the same, to the byte: its own virtual
    // mouse for the present one, no hidraw mouse here for the absent one.
    Close();
    std::string own;
    EXPECT_EQ(Ctl({"--driver", "virtual", "status"}, &own), 0) << m_lastErr;
    EXPECT_EQ(own, text);
    EXPECT_EQ(Ctl({"--driver", "virtual", "status", "--json"}, &own), 0) << m_lastErr;
    EXPECT_EQ(own, json);
    EXPECT_EQ(Ctl({"--driver", "hidraw", "status"}, &own), 1);
    EXPECT_EQ(own, absentText);
    EXPECT_EQ(m_lastErr, absentErr);
    EXPECT_EQ(Ctl({"--driver", "hidraw", "status", "--json"}, &own), 1);
    EXPECT_EQ(own, absentJson);
}
