// The performance page on a window built from its own skin, driven through
// notifications the way the controls raise them.

#include "performance/PerformancePage.h"
#include "app/StartupData.h"
#include "lighting/ColorForms.h"
#include "tests/support/PageTestSupport.h"
#include "tests/ui/Screenshot.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/ButtonUI.h"
#include "ui/CheckBoxUI.h"
#include "ui/ComboUI.h"
#include "ui/EditUI.h"
#include "ui/LabelUI.h"
#include "ui/OptionUI.h"
#include "ui/ResourceManager.h"
#include "ui/SliderUI.h"

namespace
{
const char* kSkin = R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="800,572">
  <VerticalLayout style="window">
    <Include source="performance.xml" virtualwnd="PerformancePage" height="420"/>
    <Control name="disable_window_ver" style="overlay" pos="0,0,800,572"/>
  </VerticalLayout>
</Window>)";

class PerformancePageTest : public UiTest
{
protected:
    explicit PerformancePageTest(int32_t sensor = 3325, int32_t distance = 1)
        : main("performance_test.xml"), profile(SampleProfile()),
          savedDescription(g_StartupData.description)
    {
        CResourceManager::GetInstance()->LoadLanguage("Language/EN.xml");
        WriteRes("performance_test.xml", kSkin);
        DeviceDescription& desc = g_StartupData.description;
        desc.m_iSensor = sensor;
        desc.m_iDistance = distance;
        desc.m_iDistanceMin = 0;
        desc.m_iDistanceMax = 7;
        g_pCurProfile = profile.get();
        main.AddVirtualWnd("PerformancePage", &page);
        main.Open();
        page.SetPaintManager(&main.PM(), main.GetHWND());
        page.Initialise();
        page.Refresh();
    }
    ~PerformancePageTest() override
    {
        g_pCurProfile = nullptr;
        g_StartupData.description = savedDescription;
    }

    template <typename T = CControlUI> T* Find(const QString& name) { return main.Find<T>(name); }
    void Notify(const QString& name, const char* type, WPARAM wParam = 0)
    {
        CControlUI* control = Find(name);
        ASSERT_NE(control, nullptr) << name.toStdString();
        main.PM().SendNotify(control, type, wParam);
    }
    void Check(const QString& name, bool bCheck)
    {
        Find<CCheckBoxUI>(name)->SetCheck(bCheck);
        Notify(name, DUI_MSGTYPE_CHECKCLICK, bCheck ? 1 : 0);
    }
    bool Visible(const QString& name) { return Find(name)->IsVisible(); }
    QString Text(const QString& name) { return Find<CLabelUI>(name)->GetText(); }
    static QString Row(int n) { return QString("dpi_setting_ver_%1").arg(n); }

    TestWnd main;
    CPerformancePage page;
    std::unique_ptr<ProfileData> profile;
    DeviceDescription savedDescription;
};

class PerformancePageWithoutLiftOffTest : public PerformancePageTest
{
protected:
    PerformancePageWithoutLiftOffTest() : PerformancePageTest(3370, 0) {}
};
} // namespace

TEST_F(PerformancePageTest, InitialiseAndRefreshShowTheProfile)
{
    const ProfileData before = *profile;
    page.Refresh();
    ExpectUnchanged(before, *profile);
    for (int n = 1; n <= 8; ++n)
    {
        SCOPED_TRACE(n);
        auto* slider = Find<CSliderUI>(QString("mouse_dpi%1_slider").arg(n));
        EXPECT_EQ(slider->GetMinValue(), 2);
        EXPECT_EQ(slider->GetMaxValue(), 100);
        EXPECT_EQ(slider->GetValue(), 10 * n);
        EXPECT_EQ(Text(QString("label_dpi_left_%1").arg(n)), "200");
        EXPECT_EQ(Text(QString("label_dpi_right_%1").arg(n)), "10000");
        EXPECT_EQ(Text(QString("mouse_dpi_value_%1").arg(n)), QString::number(1000 * n));
        EXPECT_EQ(Find(QString("mouse_dpi_color%1").arg(n))->GetBkColor(),
                  ScreenColor(profile->aDpiColor[n - 1]));
        EXPECT_TRUE(Visible(Row(n)));
    }
    EXPECT_EQ(Find<CComboUI>("max_dpi_combo")->GetCurSel(), 7);
    EXPECT_TRUE(Find<COptionUI>("prate_3_option")->IsSelected());
    EXPECT_TRUE(Find<COptionUI>("mouse_dpi_btn_2")->IsSelected());
    EXPECT_EQ(Find<CSliderUI>("mouse_move_speed_slider")->GetValue(), 6);
    EXPECT_EQ(Find<CSliderUI>("scroll_speed_slider")->GetValue(), 3);
    EXPECT_EQ(Find<CSliderUI>("double_click_speed_slider")->GetValue(), 5);
    EXPECT_EQ(Find<CSliderUI>("lift_of_distance_slider")->GetMaxValue(), 7);
    EXPECT_EQ(Find<CSliderUI>("lift_of_distance_slider")->GetValue(), 2);
    EXPECT_TRUE(Visible("lift_of_distance_ver"));
    EXPECT_FALSE(Visible("distance_slider_ver"));
    EXPECT_EQ(Find<CSliderUI>("key_response_slider")->GetValue(), 4);
    EXPECT_EQ(Text("label_key_respsonse"), "4 ms");
    SaveScreenshot(main, "performance_page");
}

TEST_F(PerformancePageTest, OptionsAndCheckBoxesEditTheirOwnFields)
{
    ProfileData before = *profile;
    Find<COptionUI>("prate_4_option")->Selected(true);
    EXPECT_EQ(profile->iReportRate, 3);
    EXPECT_ONLY_FIELD_CHANGED(before, *profile, iReportRate);

    before = *profile;
    Find<COptionUI>("mouse_dpi_btn_6")->Selected(true);
    EXPECT_EQ(profile->iDpiLevel, 5);
    EXPECT_ONLY_FIELD_CHANGED(before, *profile, iDpiLevel);

    before = *profile;
    Check("enhance_pointer_checkbox", true);
    EXPECT_EQ(profile->bEnhancePointer, 1);
    EXPECT_ONLY_FIELD_CHANGED(before, *profile, bEnhancePointer);

    before = *profile;
    Check("one_page_checkbox", true);
    EXPECT_EQ(profile->bOnePageScroll, 1);
    EXPECT_ONLY_FIELD_CHANGED(before, *profile, bOnePageScroll);

    before = *profile;
    Check("distance_checkbox", true);
    EXPECT_EQ(profile->bDistanceEnabled, 1);
    EXPECT_ONLY_FIELD_CHANGED(before, *profile, bDistanceEnabled);
    EXPECT_TRUE(Visible("distance_slider_ver"));
    Check("distance_checkbox", false);
    EXPECT_EQ(profile->bDistanceEnabled, 0);
    EXPECT_FALSE(Visible("distance_slider_ver"));
}

TEST_F(PerformancePageTest, DraggingMovesDpiAndKeyResponseOnly)
{
    ProfileData before = *profile;
    Notify("mouse_dpi3_slider", DUI_MSGTYPE_MOVEVALUECHANGED, 45);
    EXPECT_EQ(profile->aiDpi[2], 45);
    ExpectOnlyChanged(before, *profile, offsetof(ProfileData, aiDpi) + 2 * 4, 4);
    EXPECT_EQ(Text("mouse_dpi_value_3"), "4500");

    before = *profile;
    Notify("key_response_slider", DUI_MSGTYPE_MOVEVALUECHANGED, 0x10C);
    EXPECT_EQ(profile->byKeyResponse, 0x0C);
    EXPECT_ONLY_FIELD_CHANGED(before, *profile, byKeyResponse);
    EXPECT_EQ(Text("label_key_respsonse"), "12 ms");

    // The desktop settings and the lift-off distance wait for the release.
    before = *profile;
    for (const char* name : {"mouse_move_speed_slider", "scroll_speed_slider",
                             "double_click_speed_slider", "lift_of_distance_slider"})
        Notify(name, DUI_MSGTYPE_MOVEVALUECHANGED, 1);
    ExpectUnchanged(before, *profile);
}

TEST_F(PerformancePageTest, SettledValuesGoToTheirFields)
{
    struct Case
    {
        const char* slider;
        int value;
        size_t offset;
        size_t size;
    };
    const Case cases[] = {
        {"mouse_move_speed_slider", 9, offsetof(ProfileData, iPointerSpeed), 4},
        {"scroll_speed_slider", 7, offsetof(ProfileData, iScrollLines), 4},
        {"double_click_speed_slider", 11, offsetof(ProfileData, iDoubleClickSpeed), 4},
        {"lift_of_distance_slider", 5, offsetof(ProfileData, iLiftOffDistance), 4},
        {"key_response_slider", 8, offsetof(ProfileData, byKeyResponse), 1},
        {"mouse_dpi8_slider", 99, offsetof(ProfileData, aiDpi) + 7 * 4, 4},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.slider);
        const ProfileData before = *profile;
        Notify(c.slider, DUI_MSGTYPE_VALUECHANGED, static_cast<WPARAM>(c.value));
        int32_t stored = 0;
        std::memcpy(&stored, reinterpret_cast<const char*>(profile.get()) + c.offset, c.size);
        EXPECT_EQ(stored, c.value);
        ExpectOnlyChanged(before, *profile, c.offset, c.size);
    }
    EXPECT_EQ(Text("mouse_dpi_value_8"), "9900");
}

TEST_F(PerformancePageTest, FewerLevelsHideRowsAndPullTheCurrentLevelIn)
{
    Find<COptionUI>("mouse_dpi_btn_6")->Selected(true);
    ASSERT_EQ(profile->iDpiLevel, 5);
    const ProfileData before = *profile;
    Find<CComboUI>("max_dpi_combo")->SelectItem(3);
    EXPECT_EQ(profile->byMaxDpi, 4);
    EXPECT_EQ(profile->iDpiLevel, 3);
    EXPECT_TRUE(Find<COptionUI>("mouse_dpi_btn_4")->IsSelected());
    for (int n = 1; n <= 8; ++n)
        EXPECT_EQ(Visible(Row(n)), n <= 4) << n;
    ProfileData expected = before;
    expected.byMaxDpi = 4;
    expected.iDpiLevel = 3;
    ExpectUnchanged(expected, *profile);

    // A current level inside the new count stays.
    Find<CComboUI>("max_dpi_combo")->SelectItem(6);
    EXPECT_EQ(profile->byMaxDpi, 7);
    EXPECT_EQ(profile->iDpiLevel, 3);
    EXPECT_TRUE(Visible(Row(7)));
    EXPECT_FALSE(Visible(Row(8)));
}

TEST_F(PerformancePageTest, DpiColourFromThePickerOnlyOnOk)
{
    ProfileData before = *profile;
    WhenDialogOpens(
        [](QWidget* dialog)
        {
            TypeInto(dialog, "g_edit", "128");
            Press(dialog, "ok_btn");
        });
    Notify("mouse_dpi_color1", DUI_MSGTYPE_CLICK);
    EXPECT_EQ(ScreenColor(profile->aDpiColor[0]), 0xFFFF8000u);
    ExpectOnlyChanged(before, *profile, offsetof(ProfileData, aDpiColor), sizeof(Rgb0));
    EXPECT_EQ(Find("mouse_dpi_color1")->GetBkColor(), 0xFFFF8000u);
    EXPECT_FALSE(Visible("disable_window_ver"));

    before = *profile;
    WhenDialogOpens(
        [](QWidget* dialog)
        {
            TypeInto(dialog, "b_edit", "255");
            Press(dialog, "cancel_btn");
        });
    Notify("mouse_dpi_color2", DUI_MSGTYPE_CLICK);
    ExpectUnchanged(before, *profile);
    EXPECT_EQ(Find("mouse_dpi_color2")->GetBkColor(), 0xFF00FF00u);
}

TEST_F(PerformancePageTest, RefreshAfterAProfileSwitchShowsTheOtherProfile)
{
    auto other = SampleProfile();
    other->byMaxDpi = 3;
    other->iDpiLevel = 2;
    other->iReportRate = 0;
    other->aiDpi[0] = 55;
    other->bDistanceEnabled = 1;
    other->byKeyResponse = 20;
    other->iPointerSpeed = 11;
    const ProfileData first = *profile;
    const ProfileData second = *other;
    g_pCurProfile = other.get();
    page.Refresh();
    ExpectUnchanged(first, *profile);
    ExpectUnchanged(second, *other);
    EXPECT_EQ(Find<CComboUI>("max_dpi_combo")->GetCurSel(), 2);
    EXPECT_TRUE(Visible(Row(3)));
    EXPECT_FALSE(Visible(Row(4)));
    EXPECT_TRUE(Find<COptionUI>("mouse_dpi_btn_3")->IsSelected());
    EXPECT_TRUE(Find<COptionUI>("prate_1_option")->IsSelected());
    EXPECT_EQ(Text("mouse_dpi_value_1"), "5500");
    EXPECT_TRUE(Visible("distance_slider_ver"));
    EXPECT_TRUE(Find<CCheckBoxUI>("distance_checkbox")->GetCheck());
    EXPECT_EQ(Text("label_key_respsonse"), "20 ms");
    EXPECT_EQ(Find<CSliderUI>("mouse_move_speed_slider")->GetValue(), 11);
}

TEST_F(PerformancePageWithoutLiftOffTest, LiftOffHiddenButItsFieldsKept)
{
    EXPECT_FALSE(Visible("lift_of_distance_ver"));
    EXPECT_EQ(profile->iLiftOffDistance, 2);
    // Sensor 3370 steps above 200 count by hundreds.
    Notify("mouse_dpi1_slider", DUI_MSGTYPE_MOVEVALUECHANGED, 201);
    EXPECT_EQ(Text("mouse_dpi_value_1"), "10100");
    EXPECT_EQ(Find<CSliderUI>("mouse_dpi1_slider")->GetMaxValue(), 290);
}

TEST_F(PerformancePageTest, TypedDpiTakesTheNearestStepAndSlidersShowTheirValues)
{
    auto* field = Find<CEditUI>("mouse_dpi_value_2");
    ProfileData before = *profile;
    field->SetText("1649");
    Notify("mouse_dpi_value_2", DUI_MSGTYPE_RETURN);
    EXPECT_EQ(profile->aiDpi[1], 16);
    ExpectOnlyChanged(before, *profile, offsetof(ProfileData, aiDpi) + sizeof(int32_t),
                      sizeof(int32_t));
    EXPECT_EQ(field->GetText(), "1600");
    EXPECT_EQ(Find<CSliderUI>("mouse_dpi2_slider")->GetValue(), 16);

    // Leaving the field takes it as well; beyond the range gives the end step.
    field->SetText("99999");
    Notify("mouse_dpi_value_2", DUI_MSGTYPE_KILLFOCUS);
    EXPECT_EQ(profile->aiDpi[1], 100);
    EXPECT_EQ(field->GetText(), "10000");

    // An emptied field loses nothing.
    before = *profile;
    field->SetText("");
    Notify("mouse_dpi_value_2", DUI_MSGTYPE_KILLFOCUS);
    ExpectUnchanged(before, *profile);
    EXPECT_EQ(field->GetText(), "10000");

    profile->iPointerSpeed = 9;
    profile->iScrollLines = 12;
    profile->iLiftOffDistance = 3;
    page.Refresh();
    EXPECT_EQ(Text("mouse_move_speed_value"), "9");
    EXPECT_EQ(Text("scroll_speed_value"), "12");
    EXPECT_EQ(Text("lift_of_distance_value"), "3");
    EXPECT_FALSE(Text("double_click_speed_value").isEmpty());
}
