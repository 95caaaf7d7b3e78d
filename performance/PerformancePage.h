#pragma once
// The performance tab: DPI levels and their colours, the number of levels in
// use, report rate, the desktop pointer settings, lift-off distance and key
// response of the current profile. Edits go straight into the profile; the
// mouse and the desktop get them on the next apply.

#include "performance/PointerSettingsBackend.h"
#include "ui/SkinPage.h"
#include "ui/UIDefs.h"

class CButtonUI;
class CCheckBoxUI;
class CComboUI;
class CControlUI;
class CEditUI;
class CLabelUI;
class COptionUI;
class CPaintManagerUI;
class CSliderUI;

class CPerformancePage : public CSkinPage
{
public:
    CPerformancePage();

    static constexpr int kDpiLevels = 8;
    static constexpr int kReportRates = 4;

    // Looks the controls up once the main window's skin is built and sets the
    // ranges the device description gives.
    void Initialise();
    // Shows the current profile.
    void Refresh();

    // The pointer settings the desktop has no place for are disabled, their
    // tip naming the desktop. After Initialise.
    void ShowPointerSupport(const PointerSettingsBackend& backend);
    // After an apply: tells the user which pointer settings the desktop did
    // not take, naming them and the desktop; silent when all went through.
    void ReportPointerFailures(PointerSettingsBackend& backend);

    DUI_DECLARE_MESSAGE_MAP()

protected:
    virtual void OnClick(TNotifyUI& msg);
    virtual void OnSelectChanged(TNotifyUI& msg);
    virtual void OnValueChanged(TNotifyUI& msg);
    virtual void OnMoveValueChanged(TNotifyUI& msg);
    virtual void OnCheckClick(TNotifyUI& msg);
    virtual void OnItemSelect(TNotifyUI& msg);
    // A DPI typed beside a level, taken on Enter or on leaving the field.
    virtual void OnDpiTyped(TNotifyUI& msg);

private:
    // The ranges and end labels of the DPI sliders for the sensor.
    void SetupDpiSliders(int32_t sensor);
    // Shows the rows of levels 1..count, hides the rest.
    void ShowDpiRows(int count);
    void ShowDpiValue(int level, int32_t value);
    void ShowKeyResponse(uint8_t ms);
    CControlUI* PointerControlOf(PointerSetting setting) const;
    // The values that follow a slider while it is dragged.
    bool TakeDraggedValue(const CControlUI* pSender, int value);

    COptionUI* m_pReportRateOption[kReportRates] = {};
    COptionUI* m_pDpiBtn[kDpiLevels] = {};
    CEditUI* m_pDpiValue[kDpiLevels] = {};
    CSliderUI* m_pDpiSlider[kDpiLevels] = {};
    CControlUI* m_pDpiRow[kDpiLevels] = {};
    CLabelUI* m_pDpiLeftLabel[kDpiLevels] = {};
    CLabelUI* m_pDpiRightLabel[kDpiLevels] = {};
    CButtonUI* m_pDpiColor[kDpiLevels] = {};
    CComboUI* m_pMaxDpiCombo = nullptr;
    CSliderUI* m_pPointerSpeedSlider = nullptr;
    CSliderUI* m_pScrollSpeedSlider = nullptr;
    CSliderUI* m_pDoubleClickSlider = nullptr;
    CCheckBoxUI* m_pEnhancePointerCheck = nullptr;
    CCheckBoxUI* m_pOnePageCheck = nullptr;
    CControlUI* m_pLiftOffVer = nullptr;
    CSliderUI* m_pLiftOffSlider = nullptr;
    CCheckBoxUI* m_pDistanceCheck = nullptr;
    CControlUI* m_pDistanceSliderVer = nullptr;
    CSliderUI* m_pKeyResponseSlider = nullptr;
    CLabelUI* m_pKeyResponseLabel = nullptr;
};
