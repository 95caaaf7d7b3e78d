// The lighting page on a window built from its own skin, driven through
// notifications the way the controls raise them.

#include "lighting/LightPage.h"
#include "app/StartupData.h"
#include "lighting/ColorForms.h"
#include "tests/support/PageTestSupport.h"
#include "tests/ui/Screenshot.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/ButtonUI.h"
#include "ui/ColorPaletteUI.h"
#include "ui/EditUI.h"
#include "ui/OptionUI.h"
#include "ui/ResourceManager.h"
#include "ui/SliderUI.h"

namespace
{
const char* kSkin = R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="800,572">
  <VerticalLayout style="window">
    <Include source="light.xml" virtualwnd="LightPage" height="420"/>
    <Control name="disable_window_ver" style="overlay" pos="0,0,800,572"/>
  </VerticalLayout>
</Window>)";

class LightPageTest : public UiTest
{
protected:
    LightPageTest() : main("light_test.xml"), profile(SampleProfile())
    {
        CResourceManager::GetInstance()->LoadLanguage("Language/EN.xml");
        WriteRes("light_test.xml", kSkin);
        g_pCurProfile = profile.get();
        main.AddVirtualWnd("LightPage", &page);
        main.Open();
        page.SetPaintManager(&main.PM(), main.GetHWND());
        page.Init();
        page.RefreshPage();
    }
    ~LightPageTest() override { g_pCurProfile = nullptr; }

    template <typename T = CControlUI> T* Find(const QString& name) { return main.Find<T>(name); }
    void Notify(const QString& name, const char* type, WPARAM wParam = 0)
    {
        CControlUI* control = Find(name);
        ASSERT_NE(control, nullptr) << name.toStdString();
        main.PM().SendNotify(control, type, wParam);
    }
    bool Visible(const char* name) { return Find(name)->IsVisible(); }
    DWORD Bk(const QString& name) { return Find(name)->GetBkColor(); }
    QString Text(const char* name) { return Find<CEditUI>(name)->GetText(); }
    void Type(const char* edit, const QString& text)
    {
        Find<CEditUI>(edit)->SetText(text);
        Notify(edit, DUI_MSGTYPE_TEXTCHANGED);
    }

    TestWnd main;
    CLightPage page;
    std::unique_ptr<ProfileData> profile;
};
} // namespace

TEST_F(LightPageTest, RefreshShowsTheProfileAndChangesNothing)
{
    const ProfileData before = *profile;
    page.RefreshPage();
    ExpectUnchanged(before, *profile);
    EXPECT_TRUE(Find<COptionUI>("light_mode_option_10")->IsSelected());
    EXPECT_TRUE(Find<COptionUI>("option_color_mode_2")->IsSelected());
    EXPECT_EQ(Find<CSliderUI>("brightness_slider")->GetValue(), 200);
    EXPECT_EQ(Find<CSliderUI>("frequency_slider")->GetValue(), 3);
    EXPECT_EQ(Find<CSliderUI>("length_slider")->GetValue(), 2);
    EXPECT_EQ(Bk("current_color_control"), 0xFF0C2238u);
    EXPECT_EQ(Find<CColorPaletteUI>("select_color_Pallet")->GetSelectColor(), 0xFF0C2238u);
    EXPECT_EQ(Text("r_edit"), "12");
    EXPECT_EQ(Text("g_edit"), "34");
    EXPECT_EQ(Text("b_edit"), "56");
    EXPECT_EQ(Bk("btn_fix_color"), 0xFF0C2238u);
    EXPECT_EQ(Bk("btn_cycle_color_1"), 0xFFFFFFFFu);
    EXPECT_EQ(Bk("btn_cycle_color_8"), 0xFFFF0000u);
    // Mode 9 uses everything but the length.
    EXPECT_TRUE(Visible("brightness_ver"));
    EXPECT_TRUE(Visible("breathing_ver"));
    EXPECT_TRUE(Visible("color_ver"));
    EXPECT_FALSE(Visible("length_ver"));
    SaveScreenshot(main, "light_page");
}

TEST_F(LightPageTest, EachModeOptionStoresItsModeAndShowsItsControls)
{
    for (int mode = 0; mode < 12; ++mode)
    {
        SCOPED_TRACE(mode);
        const ProfileData before = *profile;
        Find<COptionUI>(QString("light_mode_option_%1").arg(mode + 1))->Selected(true);
        EXPECT_EQ(profile->iLightMode, mode);
        EXPECT_ONLY_FIELD_CHANGED(before, *profile, iLightMode);
        const LightModeControls shown = LightModeControlsOf(mode);
        EXPECT_EQ(Visible("brightness_ver"), shown.bBrightness);
        EXPECT_EQ(Visible("breathing_ver"), shown.bSpeed);
        EXPECT_EQ(Visible("color_ver"), shown.bColor);
        EXPECT_EQ(Visible("length_ver"), mode == 6 || mode == 7);
    }
}

TEST_F(LightPageTest, ColourModeAndSlidersEditTheirOwnFields)
{
    ProfileData before = *profile;
    Find<COptionUI>("option_color_mode_1")->Selected(true);
    EXPECT_EQ(profile->iColorMode, 0);
    EXPECT_ONLY_FIELD_CHANGED(before, *profile, iColorMode);

    before = *profile;
    Notify("brightness_slider", DUI_MSGTYPE_VALUECHANGED, 77);
    EXPECT_EQ(profile->iBrightness, 77);
    EXPECT_ONLY_FIELD_CHANGED(before, *profile, iBrightness);

    before = *profile;
    Notify("frequency_slider", DUI_MSGTYPE_VALUECHANGED, 5);
    EXPECT_EQ(profile->iLightSpeed, 5);
    EXPECT_ONLY_FIELD_CHANGED(before, *profile, iLightSpeed);

    before = *profile;
    Notify("length_slider", DUI_MSGTYPE_VALUECHANGED, 1);
    EXPECT_EQ(profile->iLightLength, 1);
    EXPECT_ONLY_FIELD_CHANGED(before, *profile, iLightLength);

    // Dragging is not a settled value on this page.
    before = *profile;
    Notify("brightness_slider", DUI_MSGTYPE_MOVEVALUECHANGED, 9);
    ExpectUnchanged(before, *profile);
}

TEST_F(LightPageTest, PaletteDragOnlyPreviewsAndReleaseStores)
{
    const ProfileData before = *profile;
    auto* palette = Find<CColorPaletteUI>("select_color_Pallet");
    palette->SetSelectColor(0xFF00FF80);
    Notify("select_color_Pallet", DUI_MSGTYPE_COLORCHANGED, 0xFF00FF80);
    ExpectUnchanged(before, *profile);
    EXPECT_EQ(Bk("current_color_control"), 0xFF00FF80u);
    EXPECT_EQ(Text("r_edit"), "0");
    EXPECT_EQ(Text("g_edit"), "255");
    EXPECT_EQ(Text("b_edit"), "128");
    EXPECT_EQ(Bk("btn_fix_color"), 0xFF00FF80u);

    palette->SetSelectColor(0xFF4080C0);
    Notify("select_color_Pallet", DUI_MSGTYPE_COLORCHANGEDBUTTONUP, 0xFF4080C0);
    EXPECT_EQ(ScreenColor(profile->rgbLight), 0xFF4080C0u);
    EXPECT_ONLY_FIELD_CHANGED(before, *profile, rgbLight);
    EXPECT_EQ(Bk("current_color_control"), 0xFF4080C0u);
    EXPECT_EQ(Text("b_edit"), "192");
    EXPECT_EQ(Bk("btn_fix_color"), 0xFF4080C0u);
}

TEST_F(LightPageTest, TypedComponentsAreClampedRewrittenAndStored)
{
    const ProfileData before = *profile;
    Type("r_edit", "300");
    EXPECT_EQ(Text("r_edit"), "255");
    EXPECT_EQ(ScreenColor(profile->rgbLight), 0xFFFF2238u);
    EXPECT_EQ(Find<CColorPaletteUI>("select_color_Pallet")->GetSelectColor(), 0xFFFF2238u);
    EXPECT_EQ(Bk("current_color_control"), 0xFFFF2238u);
    EXPECT_EQ(Bk("btn_fix_color"), 0xFFFF2238u);

    Type("b_edit", "-4");
    EXPECT_EQ(Text("b_edit"), "0");
    EXPECT_EQ(ScreenColor(profile->rgbLight), 0xFFFF2200u);

    Type("g_edit", "abc");
    EXPECT_EQ(Text("g_edit"), "abc");
    EXPECT_EQ(ScreenColor(profile->rgbLight), 0xFFFF0000u);
    EXPECT_ONLY_FIELD_CHANGED(before, *profile, rgbLight);
}

TEST_F(LightPageTest, PickerChangesOneCycleColourOnlyOnOk)
{
    ProfileData before = *profile;
    WhenDialogOpens(
        [](QWidget* dialog)
        {
            TypeInto(dialog, "r_edit", "1");
            TypeInto(dialog, "g_edit", "2");
            TypeInto(dialog, "b_edit", "3");
            Press(dialog, "ok_btn");
        });
    Notify("btn_cycle_color_3", DUI_MSGTYPE_CLICK);
    EXPECT_EQ(ScreenColor(profile->aCycleColor[2]), 0xFF010203u);
    ExpectOnlyChanged(before, *profile, offsetof(ProfileData, aCycleColor) + 2 * sizeof(Rgb0),
                      sizeof(Rgb0));
    EXPECT_EQ(Bk("btn_cycle_color_3"), 0xFF010203u);
    EXPECT_FALSE(Visible("disable_window_ver"));

    before = *profile;
    WhenDialogOpens(
        [](QWidget* dialog)
        {
            TypeInto(dialog, "r_edit", "200");
            Press(dialog, "cancel_btn");
        });
    Notify("btn_cycle_color_3", DUI_MSGTYPE_CLICK);
    ExpectUnchanged(before, *profile);
    EXPECT_EQ(Bk("btn_cycle_color_3"), 0xFF010203u);
}

TEST_F(LightPageTest, PickerForTheFixedColourIsShownEverywhere)
{
    const ProfileData before = *profile;
    WhenDialogOpens(
        [](QWidget* dialog)
        {
            TypeInto(dialog, "g_edit", "255");
            Press(dialog, "ok_btn");
        });
    Notify("btn_fix_color", DUI_MSGTYPE_CLICK);
    EXPECT_EQ(ScreenColor(profile->rgbLight), 0xFF0CFF38u);
    EXPECT_ONLY_FIELD_CHANGED(before, *profile, rgbLight);
    EXPECT_EQ(Bk("btn_fix_color"), 0xFF0CFF38u);
    EXPECT_EQ(Bk("current_color_control"), 0xFF0CFF38u);
    EXPECT_EQ(Find<CColorPaletteUI>("select_color_Pallet")->GetSelectColor(), 0xFF0CFF38u);
    EXPECT_EQ(Text("g_edit"), "255");
}

TEST_F(LightPageTest, SlidersShowTheirValueAndStepsStayInRange)
{
    EXPECT_EQ(Find<CLabelUI>("brightness_value")->GetText(), "200");
    EXPECT_EQ(Find<CLabelUI>("frequency_value")->GetText(), "3");
    EXPECT_EQ(Find<CSliderUI>("frequency_slider")->GetMaxValue(), 4);
    EXPECT_EQ(Find<CSliderUI>("length_slider")->GetMaxValue(), 4);

    // A file from before the range was fixed: shown as the top step, kept as stored.
    profile->iLightSpeed = 5;
    profile->iLightLength = 0;
    page.RefreshPage();
    EXPECT_EQ(Find<CSliderUI>("frequency_slider")->GetValue(), 4);
    EXPECT_EQ(Find<CLabelUI>("frequency_value")->GetText(), "4");
    EXPECT_EQ(Find<CLabelUI>("length_value")->GetText(), "1");
    EXPECT_EQ(profile->iLightSpeed, 5);
}

TEST_F(LightPageTest, RefreshAfterAProfileSwitchShowsTheOtherProfile)
{
    auto other = SampleProfile();
    other->iLightMode = 7;
    other->iColorMode = 0;
    other->iBrightness = 10;
    other->rgbLight = Rgb0{1, 2, 3, 0};
    other->aCycleColor[0] = Rgb0{9, 8, 7, 0};
    const ProfileData first = *profile;
    g_pCurProfile = other.get();
    page.RefreshPage();
    ExpectUnchanged(first, *profile);
    EXPECT_TRUE(Find<COptionUI>("light_mode_option_8")->IsSelected());
    EXPECT_TRUE(Find<COptionUI>("option_color_mode_1")->IsSelected());
    EXPECT_EQ(Find<CSliderUI>("brightness_slider")->GetValue(), 10);
    EXPECT_EQ(Text("b_edit"), "3");
    EXPECT_EQ(Bk("btn_cycle_color_1"), 0xFF090807u);
    EXPECT_TRUE(Visible("length_ver"));
    EXPECT_FALSE(Visible("brightness_ver"));
    EXPECT_EQ(other->iLightMode, 7);
}
