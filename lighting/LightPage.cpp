#include "lighting/LightPage.h"

#include "app/StartupData.h"
#include "lighting/ColorForms.h"
#include "lighting/SelectColorWnd.h"
#include "model/LightSteps.h"
#include "ui/ButtonUI.h"
#include "ui/ColorPaletteUI.h"
#include "ui/ControlHelpers.h"
#include "ui/EditUI.h"
#include "ui/OptionUI.h"
#include "ui/PaintManagerUI.h"
#include "ui/SliderUI.h"

#include <iterator>

DUI_BEGIN_MESSAGE_MAP(CLightPage, CNotifyPump)
DUI_ON_MSGTYPE(DUI_MSGTYPE_CLICK, OnClick)
DUI_ON_MSGTYPE(DUI_MSGTYPE_SELECTCHANGED, OnSelectChanged)
DUI_ON_MSGTYPE(DUI_MSGTYPE_VALUECHANGED, OnValueChanged)
DUI_ON_MSGTYPE(DUI_MSGTYPE_COLORCHANGED, OnColorChanged)
DUI_ON_MSGTYPE(DUI_MSGTYPE_COLORCHANGEDBUTTONUP, OnColorChangedButtonUp)
DUI_ON_MSGTYPE(DUI_MSGTYPE_TEXTCHANGED, OnTextChanged)
DUI_END_MESSAGE_MAP()

namespace
{
void SetVisible(CControlUI* pControl, bool bVisible)
{
    if (pControl != nullptr)
        pControl->SetVisible(bVisible);
}

void SetBkColor(CControlUI* pControl, DWORD argb)
{
    if (pControl != nullptr)
        pControl->SetBkColor(argb);
}
} // namespace

CLightPage::CLightPage() : CSkinPage(QStringLiteral("light.xml")) {}

void CLightPage::Init()
{
    if (m_pPaintManager == nullptr)
        return;
    for (int i = 0; i < kLightModeCount; ++i)
        m_pModeOption[i] =
            NeedControl<COptionUI>(QStringLiteral("light_mode_option_%1").arg(i + 1));
    m_pBrightnessVer = NeedControl(QStringLiteral("brightness_ver"));
    m_pBreathingVer = NeedControl(QStringLiteral("breathing_ver"));
    m_pColorVer = NeedControl(QStringLiteral("color_ver"));
    m_pLengthVer = NeedControl(QStringLiteral("length_ver"));
    m_pBrightnessSlider = NeedControl<CSliderUI>(QStringLiteral("brightness_slider"));
    m_pFrequencySlider = NeedControl<CSliderUI>(QStringLiteral("frequency_slider"));
    m_pLengthSlider = NeedControl<CSliderUI>(QStringLiteral("length_slider"));
    for (CSliderUI* step : {m_pFrequencySlider, m_pLengthSlider})
        if (step != nullptr)
        {
            step->SetMinValue(kLightStepMin);
            step->SetMaxValue(kLightStepMax);
        }
    m_pCurrentColor = NeedControl(QStringLiteral("current_color_control"));
    m_pPalette = NeedControl<CColorPaletteUI>(QStringLiteral("select_color_Pallet"));
    m_edits.Find([this](const QString& name) { return NeedControl<CEditUI>(name); });
    m_pFixColorBtn = NeedControl<CButtonUI>(QStringLiteral("btn_fix_color"));
    for (int i = 0; i < 8; ++i)
        m_pCycleColorBtn[i] =
            NeedControl<CButtonUI>(QStringLiteral("btn_cycle_color_%1").arg(i + 1));
    for (int i = 0; i < 2; ++i)
        m_pColorModeOption[i] =
            NeedControl<COptionUI>(QStringLiteral("option_color_mode_%1").arg(i + 1));
    EndLookUp();
}

void CLightPage::RefreshPage()
{
    ProfileData* profile = g_pCurProfile;
    if (!IsUsable() || profile == nullptr)
        return;
    // Selecting raises "selectchanged", which stores the same mode again.
    if (profile->iLightMode >= 0 && profile->iLightMode < kLightModeCount &&
        m_pModeOption[profile->iLightMode] != nullptr)
        m_pModeOption[profile->iLightMode]->Selected(true);
    if (m_pBrightnessSlider != nullptr)
        m_pBrightnessSlider->SetValue(profile->iBrightness);
    // A stored step out of range shows (and is sent) as the nearest end.
    if (m_pFrequencySlider != nullptr)
        m_pFrequencySlider->SetValue(profile->iLightSpeed);
    if (m_pLengthSlider != nullptr)
        m_pLengthSlider->SetValue(profile->iLightLength);
    ShowLightColor(ScreenColor(profile->rgbLight), kAllViews);
    if (profile->iColorMode >= 0 && profile->iColorMode < 2 &&
        m_pColorModeOption[profile->iColorMode] != nullptr)
        m_pColorModeOption[profile->iColorMode]->Selected(true);
    for (int i = 0; i < 8; ++i)
        SetBkColor(m_pCycleColorBtn[i], ScreenColor(profile->aCycleColor[i]));
    ShowModeControls(profile->iLightMode);
}

void CLightPage::ShowLightColor(DWORD color, int views)
{
    SetBkColor(m_pCurrentColor, color);
    SetBkColor(m_pFixColorBtn, color);
    if ((views & kPaletteView) != 0 && m_pPalette != nullptr)
        m_pPalette->SetSelectColor(color);
    if ((views & kEditsView) != 0)
        m_edits.Show(color);
}

void CLightPage::ShowModeControls(int32_t iLightMode)
{
    const LightModeControls shown = LightModeControlsOf(iLightMode);
    SetVisible(m_pLengthVer, false);
    SetVisible(m_pBrightnessVer, shown.bBrightness);
    SetVisible(m_pBreathingVer, shown.bSpeed);
    SetVisible(m_pColorVer, shown.bColor);
    SetVisible(m_pLengthVer, shown.bLength);
}

void CLightPage::OnSelectChanged(TNotifyUI& msg)
{
    ProfileData* profile = g_pCurProfile;
    if (profile == nullptr)
        return;
    const int mode = IndexOf(m_pModeOption, msg.pSender);
    if (mode >= 0)
    {
        profile->iLightMode = mode;
        ShowModeControls(mode);
    }
    const int colorMode = IndexOf(m_pColorModeOption, msg.pSender);
    if (colorMode >= 0)
        profile->iColorMode = colorMode;
}

void CLightPage::OnValueChanged(TNotifyUI& msg)
{
    ProfileData* profile = g_pCurProfile;
    if (profile == nullptr || msg.pSender == nullptr)
        return;
    const int value = static_cast<int>(static_cast<LPARAM>(msg.wParam));
    if (msg.pSender == m_pBrightnessSlider)
        profile->iBrightness = value;
    else if (msg.pSender == m_pFrequencySlider)
        profile->iLightSpeed = value;
    else if (msg.pSender == m_pLengthSlider)
        profile->iLightLength = value;
}

void CLightPage::OnColorChanged(TNotifyUI& msg)
{
    if (m_pPalette == nullptr || msg.pSender != m_pPalette)
        return;
    // Only a preview while dragging; the profile takes the colour on release.
    ShowLightColor(m_pPalette->GetSelectColor(), kEditsView);
}

void CLightPage::OnColorChangedButtonUp(TNotifyUI& msg)
{
    ProfileData* profile = g_pCurProfile;
    if (profile == nullptr || m_pPalette == nullptr || msg.pSender != m_pPalette)
        return;
    const DWORD color = m_pPalette->GetSelectColor();
    profile->rgbLight = StoredColor(color);
    ShowLightColor(color, kEditsView);
}

void CLightPage::OnTextChanged(TNotifyUI& msg)
{
    ProfileData* profile = g_pCurProfile;
    if (profile == nullptr)
        return;
    const std::optional<DWORD> typed = m_edits.Typed(msg.pSender, ScreenColor(profile->rgbLight));
    if (!typed)
        return;
    // The boxes keep what was typed (a clamped one is rewritten by Typed).
    ShowLightColor(*typed, kPaletteView);
    profile->rgbLight = StoredColor(*typed);
}

void CLightPage::OnClick(TNotifyUI& msg)
{
    const ProfileData* profile = g_pCurProfile;
    if (profile == nullptr || msg.pSender == nullptr)
        return;
    if (msg.pSender == m_pFixColorBtn)
    {
        if (const std::optional<DWORD> color = PickColor(profile->rgbLight, m_pFixColorBtn))
        {
            g_pCurProfile->rgbLight = StoredColor(*color);
            ShowLightColor(*color, kAllViews);
        }
        return;
    }
    const int cycle = IndexOf(m_pCycleColorBtn, msg.pSender);
    if (cycle < 0)
        return;
    if (const std::optional<DWORD> color =
            PickColor(profile->aCycleColor[cycle], m_pCycleColorBtn[cycle]))
        g_pCurProfile->aCycleColor[cycle] = StoredColor(*color);
}

std::optional<DWORD> CLightPage::PickColor(Rgb0 stored, CButtonUI* pSwatch)
{
    DWORD color = ScreenColor(stored);
    if (!CSelectColorWnd::PickColor(m_pPaintManager, m_hWnd, color))
        return std::nullopt;
    SetBkColor(pSwatch, color);
    return color;
}
