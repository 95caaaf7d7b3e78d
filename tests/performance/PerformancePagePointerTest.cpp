// The performance page on a desktop that lacks some pointer settings and
// refuses others.

#include "app/MsgWnd.h"
#include "app/StartupData.h"
#include "performance/PerformancePage.h"
#include "performance/RecordingPointerBackend.h"
#include "tests/support/PageTestSupport.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/ControlUI.h"
#include "ui/ResourceManager.h"

namespace
{

class PerformancePagePointerTest : public UiTest
{
protected:
    PerformancePagePointerTest() : main("performance_pointer_test.xml"), profile(SampleProfile())
    {
        CResourceManager::GetInstance()->LoadLanguage("Language/EN.xml");
        WriteRes("performance_pointer_test.xml",
                 R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="800,572">
  <VerticalLayout style="window">
    <Include source="performance.xml" virtualwnd="PerformancePage" height="420"/>
    <Control name="disable_window_ver" style="overlay" pos="0,0,800,572"/>
  </VerticalLayout>
</Window>)");
        g_pCurProfile = profile.get();
        main.AddVirtualWnd("PerformancePage", &page);
        main.Open();
        page.SetPaintManager(&main.PM(), main.GetHWND());
        page.Initialise();
        page.Refresh();
        CMsgWnd::SetAnswerHook([this](const QString&, const QString& msgKey)
                               { return shown.push_back(msgKey), 1u; });
    }
    ~PerformancePagePointerTest() override
    {
        CMsgWnd::SetAnswerHook({});
        g_pCurProfile = nullptr;
    }

    CControlUI* Find(const char* name) { return main.Find<CControlUI>(QString::fromLatin1(name)); }

    TestWnd main;
    CPerformancePage page;
    std::unique_ptr<ProfileData> profile;
    RecordingPointerBackend desktop;
    QStringList shown;
};

} // namespace

TEST_F(PerformancePagePointerTest, SettingsTheDesktopLacksAreDisabledAndNamed)
{
    desktop.SetDesktop("GNOME", {PointerSetting::WheelScrollLines, PointerSetting::OnePageScroll});
    page.ShowPointerSupport(desktop);
    for (const char* name : {"scroll_speed_slider", "one_page_checkbox"})
    {
        SCOPED_TRACE(name);
        EXPECT_FALSE(Find(name)->IsEnabled());
        EXPECT_EQ(Find(name)->GetToolTip(), "Not available on GNOME");
    }
    for (const char* name :
         {"mouse_move_speed_slider", "double_click_speed_slider", "enhance_pointer_checkbox"})
    {
        SCOPED_TRACE(name);
        EXPECT_TRUE(Find(name)->IsEnabled());
        EXPECT_TRUE(Find(name)->GetToolTip().isEmpty());
    }
}

TEST_F(PerformancePagePointerTest, AFailedApplyIsToldOnce)
{
    page.ReportPointerFailures(desktop);
    EXPECT_TRUE(shown.isEmpty()) << "nothing failed, nothing to say";

    desktop.SetDesktop("Xfce", {});
    desktop.AddFailure({PointerSetting::DoubleClickTime, "xfconf-query exited with 1"});
    desktop.AddFailure({PointerSetting::Speed, "xfconf-query exited with 1"});
    page.ReportPointerFailures(desktop);
    EXPECT_EQ(shown, QStringList{"pointer_apply_failed_text"});
    EXPECT_EQ(CMsgWnd::MessageText("pointer_apply_failed_text", {"Xfce", "Pointer speed"}),
              "Xfce did not take these pointer settings: Pointer speed.");

    page.ReportPointerFailures(desktop);
    EXPECT_EQ(shown.size(), 1);
}
