#pragma once
// The lighting tab: one of twelve modes with its brightness, speed, length,
// the single colour and the eight cycle colours of the current profile.
// Edits go straight into the profile; the mouse gets them on the next apply.

#include "lighting/ColorComponentEdits.h"
#include "lighting/LightModes.h"
#include "model/ProfileData.h"
#include "ui/SkinPage.h"
#include "ui/UIDefs.h"

#include <optional>

class CButtonUI;
class CColorPaletteUI;
class CControlUI;
class COptionUI;
class CPaintManagerUI;
class CSliderUI;

class CLightPage : public CSkinPage
{
public:
    CLightPage();
    // Looks the controls up once the main window's skin is built.
    virtual void Init();
    // Shows the current profile.
    void RefreshPage();

    DUI_DECLARE_MESSAGE_MAP()

protected:
    virtual void OnClick(TNotifyUI& msg);
    virtual void OnSelectChanged(TNotifyUI& msg);
    virtual void OnValueChanged(TNotifyUI& msg);
    virtual void OnColorChanged(TNotifyUI& msg);
    virtual void OnColorChangedButtonUp(TNotifyUI& msg);
    virtual void OnTextChanged(TNotifyUI& msg);

private:
    void ShowModeControls(int32_t iLightMode);
    // The single colour in the swatches and, as asked, the palette and the
    // number boxes: all of them always show the same colour.
    enum : int
    {
        kPaletteView = 1,
        kEditsView = 2,
        kAllViews = kPaletteView | kEditsView
    };
    void ShowLightColor(DWORD color, int views);
    // Runs the picker for a stored colour; after OK the button shows the
    // chosen colour, which is returned.
    std::optional<DWORD> PickColor(Rgb0 stored, CButtonUI* pSwatch);

    COptionUI* m_pModeOption[kLightModeCount] = {};
    CControlUI* m_pBrightnessVer = nullptr;
    CControlUI* m_pBreathingVer = nullptr;
    CControlUI* m_pColorVer = nullptr;
    CControlUI* m_pLengthVer = nullptr;
    CSliderUI* m_pBrightnessSlider = nullptr;
    CSliderUI* m_pFrequencySlider = nullptr;
    CSliderUI* m_pLengthSlider = nullptr;
    CControlUI* m_pCurrentColor = nullptr;
    CColorPaletteUI* m_pPalette = nullptr;
    ColorComponentEdits m_edits;
    CButtonUI* m_pFixColorBtn = nullptr;
    CButtonUI* m_pCycleColorBtn[8] = {};
    COptionUI* m_pColorModeOption[2] = {};
};
