#include "performance/PerformancePage.h"

#include "app/MsgWnd.h"
#include "app/StartupData.h"
#include "lighting/ColorForms.h"
#include "lighting/SelectColorWnd.h"
#include "performance/DpiLevels.h"
#include "performance/PointerSettingsBackend.h"
#include "performance/SensorTables.h"
#include "ui/ButtonUI.h"
#include "ui/CheckBoxUI.h"
#include "ui/ComboUI.h"
#include "ui/ControlHelpers.h"
#include "ui/EditUI.h"
#include "ui/OptionUI.h"
#include "ui/PaintManagerUI.h"
#include "ui/ResourceManager.h"
#include "ui/SliderUI.h"

#include <algorithm>

DUI_BEGIN_MESSAGE_MAP(CPerformancePage, CNotifyPump)
DUI_ON_MSGTYPE(DUI_MSGTYPE_CLICK, OnClick)
DUI_ON_MSGTYPE(DUI_MSGTYPE_SELECTCHANGED, OnSelectChanged)
DUI_ON_MSGTYPE(DUI_MSGTYPE_VALUECHANGED, OnValueChanged)
DUI_ON_MSGTYPE(DUI_MSGTYPE_MOVEVALUECHANGED, OnMoveValueChanged)
DUI_ON_MSGTYPE(DUI_MSGTYPE_CHECKCLICK, OnCheckClick)
DUI_ON_MSGTYPE(DUI_MSGTYPE_ITEMSELECT, OnItemSelect)
DUI_ON_MSGTYPE(DUI_MSGTYPE_RETURN, OnDpiTyped)
DUI_ON_MSGTYPE(DUI_MSGTYPE_KILLFOCUS, OnDpiTyped)
DUI_END_MESSAGE_MAP()

namespace
{
void SetSliderValue(CSliderUI* pSlider, int value)
{
    if (pSlider != nullptr)
        pSlider->SetValue(value);
}

void SetCheck(CCheckBoxUI* pCheck, bool bCheck)
{
    if (pCheck != nullptr)
        pCheck->SetCheck(bCheck);
}

void Select(COptionUI* const* options, int count, int index)
{
    if (index >= 0 && index < count && options[index] != nullptr)
        options[index]->Selected(true);
}

int NotifiedValue(const TNotifyUI& msg)
{
    return static_cast<int>(static_cast<LPARAM>(msg.wParam));
}
} // namespace

CPerformancePage::CPerformancePage() : CSkinPage(QStringLiteral("performance.xml")) {}

void CPerformancePage::Initialise()
{
    if (m_pPaintManager == nullptr)
        return;
    for (int i = 0; i < kReportRates; ++i)
        m_pReportRateOption[i] =
            NeedControl<COptionUI>(QStringLiteral("prate_%1_option").arg(i + 1));
    for (int i = 0; i < kDpiLevels; ++i)
    {
        const int n = i + 1;
        m_pDpiBtn[i] = NeedControl<COptionUI>(QStringLiteral("mouse_dpi_btn_%1").arg(n));
        m_pDpiValue[i] = NeedControl<CEditUI>(QStringLiteral("mouse_dpi_value_%1").arg(n));
        m_pDpiSlider[i] = NeedControl<CSliderUI>(QStringLiteral("mouse_dpi%1_slider").arg(n));
        m_pDpiRow[i] = NeedControl(QStringLiteral("dpi_setting_ver_%1").arg(n));
        m_pDpiLeftLabel[i] = NeedControl<CLabelUI>(QStringLiteral("label_dpi_left_%1").arg(n));
        m_pDpiRightLabel[i] = NeedControl<CLabelUI>(QStringLiteral("label_dpi_right_%1").arg(n));
        m_pDpiColor[i] = NeedControl<CButtonUI>(QStringLiteral("mouse_dpi_color%1").arg(n));
    }
    m_pMaxDpiCombo = NeedControl<CComboUI>(QStringLiteral("max_dpi_combo"));
    m_pPointerSpeedSlider = NeedControl<CSliderUI>(QStringLiteral("mouse_move_speed_slider"));
    m_pScrollSpeedSlider = NeedControl<CSliderUI>(QStringLiteral("scroll_speed_slider"));
    m_pDoubleClickSlider = NeedControl<CSliderUI>(QStringLiteral("double_click_speed_slider"));
    m_pEnhancePointerCheck = NeedControl<CCheckBoxUI>(QStringLiteral("enhance_pointer_checkbox"));
    m_pOnePageCheck = NeedControl<CCheckBoxUI>(QStringLiteral("one_page_checkbox"));
    m_pLiftOffVer = NeedControl(QStringLiteral("lift_of_distance_ver"));
    m_pLiftOffSlider = NeedControl<CSliderUI>(QStringLiteral("lift_of_distance_slider"));
    m_pDistanceCheck = NeedControl<CCheckBoxUI>(QStringLiteral("distance_checkbox"));
    m_pDistanceSliderVer = NeedControl(QStringLiteral("distance_slider_ver"));
    m_pKeyResponseSlider = NeedControl<CSliderUI>(QStringLiteral("key_response_slider"));
    m_pKeyResponseLabel = NeedControl<CLabelUI>(QStringLiteral("label_key_respsonse"));
    if (!EndLookUp())
        return;

    const DeviceDescription& desc = g_StartupData.description;
    SetupDpiSliders(desc.m_iSensor);
    if (m_pLiftOffVer != nullptr)
        m_pLiftOffVer->SetVisible(desc.m_iDistance != 0);
    if (m_pLiftOffSlider != nullptr)
    {
        m_pLiftOffSlider->SetMinValue(desc.m_iDistanceMin);
        m_pLiftOffSlider->SetMaxValue(desc.m_iDistanceMax);
    }
}

void CPerformancePage::SetupDpiSliders(int32_t sensor)
{
    const std::optional<SensorRange> range = FindSensorRange(sensor);
    if (!range)
        return;
    const QString left = QString::fromLatin1(range->szLeftLabel);
    const QString right = QString::fromLatin1(range->szRightLabel);
    for (int i = 0; i < kDpiLevels; ++i)
    {
        if (m_pDpiLeftLabel[i] != nullptr)
            m_pDpiLeftLabel[i]->SetText(left);
        if (m_pDpiRightLabel[i] != nullptr)
            m_pDpiRightLabel[i]->SetText(right);
        if (m_pDpiSlider[i] != nullptr)
        {
            m_pDpiSlider[i]->SetMinValue(range->iMin);
            m_pDpiSlider[i]->SetMaxValue(range->iMax);
        }
    }
}

void CPerformancePage::Refresh()
{
    const ProfileData* profile = g_pCurProfile;
    if (!IsUsable() || profile == nullptr)
        return;
    // A damaged count still shows at least one level; choosing the item
    // raises "itemselect", which stores the count shown.
    const int maxDpi = std::clamp<int>(profile->byMaxDpi, 1, kDpiLevels);
    if (m_pMaxDpiCombo != nullptr)
        m_pMaxDpiCombo->SelectItem(maxDpi - 1);
    ShowDpiRows(maxDpi);
    Select(m_pReportRateOption, kReportRates, g_pCurProfile->iReportRate);
    Select(m_pDpiBtn, kDpiLevels, g_pCurProfile->iDpiLevel);
    for (int i = 0; i < kDpiLevels; ++i)
    {
        SetSliderValue(m_pDpiSlider[i], profile->aiDpi[i]);
        ShowDpiValue(i, profile->aiDpi[i]);
        if (m_pDpiColor[i] != nullptr)
            m_pDpiColor[i]->SetBkColor(ScreenColor(profile->aDpiColor[i]));
    }
    SetSliderValue(m_pPointerSpeedSlider, profile->iPointerSpeed);
    SetSliderValue(m_pScrollSpeedSlider, profile->iScrollLines);
    SetSliderValue(m_pDoubleClickSlider, profile->iDoubleClickSpeed);
    SetCheck(m_pEnhancePointerCheck, profile->bEnhancePointer != 0);
    SetCheck(m_pOnePageCheck, profile->bOnePageScroll != 0);
    SetSliderValue(m_pLiftOffSlider, profile->iLiftOffDistance);
    SetCheck(m_pDistanceCheck, profile->bDistanceEnabled != 0);
    if (m_pDistanceSliderVer != nullptr)
        m_pDistanceSliderVer->SetVisible(profile->bDistanceEnabled != 0);
    SetSliderValue(m_pKeyResponseSlider, profile->byKeyResponse);
    ShowKeyResponse(profile->byKeyResponse);
}

void CPerformancePage::ShowDpiRows(int count)
{
    for (int i = 0; i < kDpiLevels; ++i)
        if (m_pDpiRow[i] != nullptr)
            m_pDpiRow[i]->SetVisible(i < count);
}

void CPerformancePage::ShowDpiValue(int level, int32_t value)
{
    if (m_pDpiValue[level] != nullptr)
        m_pDpiValue[level]->SetText(
            QString::fromStdString(DpiText(g_StartupData.description.m_iSensor, value)));
}

void CPerformancePage::ShowKeyResponse(uint8_t ms)
{
    if (m_pKeyResponseLabel != nullptr)
        m_pKeyResponseLabel->SetText(QStringLiteral("%1 ms").arg(ms));
}

void CPerformancePage::OnClick(TNotifyUI& msg)
{
    const int level = IndexOf(m_pDpiColor, msg.pSender);
    if (level < 0 || g_pCurProfile == nullptr)
        return;
    DWORD color = ScreenColor(g_pCurProfile->aDpiColor[level]);
    if (!CSelectColorWnd::PickColor(m_pPaintManager, m_hWnd, color))
        return;
    m_pDpiColor[level]->SetBkColor(color);
    if (g_pCurProfile != nullptr)
        g_pCurProfile->aDpiColor[level] = StoredColor(color);
}

void CPerformancePage::OnDpiTyped(TNotifyUI& msg)
{
    ProfileData* profile = g_pCurProfile;
    const int level = IndexOf(m_pDpiValue, msg.pSender);
    if (profile == nullptr || level < 0)
        return;
    bool ok = false;
    const qlonglong typed = m_pDpiValue[level]->GetText().trimmed().toLongLong(&ok);
    const std::optional<int32_t> step =
        ok ? NearestDpiStep(g_StartupData.description.m_iSensor, typed) : std::nullopt;
    // An empty or unusable entry keeps the level as it was.
    if (step)
    {
        profile->aiDpi[level] = *step;
        SetSliderValue(m_pDpiSlider[level], *step);
    }
    ShowDpiValue(level, profile->aiDpi[level]);
}

void CPerformancePage::OnSelectChanged(TNotifyUI& msg)
{
    ProfileData* profile = g_pCurProfile;
    if (profile == nullptr)
        return;
    const int rate = IndexOf(m_pReportRateOption, msg.pSender);
    if (rate >= 0)
        profile->iReportRate = rate;
    const int level = IndexOf(m_pDpiBtn, msg.pSender);
    if (level >= 0)
        profile->iDpiLevel = level;
}

bool CPerformancePage::TakeDraggedValue(const CControlUI* pSender, int value)
{
    ProfileData* profile = g_pCurProfile;
    if (profile == nullptr || pSender == nullptr)
        return false;
    if (pSender == m_pKeyResponseSlider)
    {
        profile->byKeyResponse = static_cast<uint8_t>(value);
        ShowKeyResponse(profile->byKeyResponse);
        return true;
    }
    const int level = IndexOf(m_pDpiSlider, pSender);
    if (level < 0)
        return false;
    profile->aiDpi[level] = value;
    ShowDpiValue(level, value);
    return true;
}

void CPerformancePage::OnMoveValueChanged(TNotifyUI& msg)
{
    TakeDraggedValue(msg.pSender, NotifiedValue(msg));
}

void CPerformancePage::OnValueChanged(TNotifyUI& msg)
{
    const int value = NotifiedValue(msg);
    if (TakeDraggedValue(msg.pSender, value))
        return;
    ProfileData* profile = g_pCurProfile;
    if (profile == nullptr || msg.pSender == nullptr)
        return;
    if (msg.pSender == m_pPointerSpeedSlider)
        profile->iPointerSpeed = value;
    else if (msg.pSender == m_pScrollSpeedSlider)
        profile->iScrollLines = value;
    else if (msg.pSender == m_pDoubleClickSlider)
        profile->iDoubleClickSpeed = value;
    else if (msg.pSender == m_pLiftOffSlider)
        profile->iLiftOffDistance = value;
}

void CPerformancePage::OnCheckClick(TNotifyUI& msg)
{
    ProfileData* profile = g_pCurProfile;
    if (profile == nullptr || msg.pSender == nullptr)
        return;
    if (msg.pSender == m_pEnhancePointerCheck)
        profile->bEnhancePointer = m_pEnhancePointerCheck->GetCheck() ? 1 : 0;
    else if (msg.pSender == m_pOnePageCheck)
        profile->bOnePageScroll = m_pOnePageCheck->GetCheck() ? 1 : 0;
    else if (msg.pSender == m_pDistanceCheck)
    {
        profile->bDistanceEnabled = m_pDistanceCheck->GetCheck() ? 1 : 0;
        if (m_pDistanceSliderVer != nullptr)
            m_pDistanceSliderVer->SetVisible(profile->bDistanceEnabled != 0);
    }
}

void CPerformancePage::OnItemSelect(TNotifyUI& msg)
{
    ProfileData* profile = g_pCurProfile;
    if (profile == nullptr || m_pMaxDpiCombo == nullptr || msg.pSender != m_pMaxDpiCombo)
        return;
    const int k = m_pMaxDpiCombo->GetCurSel();
    if (k < 0 || k >= kDpiLevels)
        return;
    const int32_t current = profile->iDpiLevel;
    SetDpiLevelsInUse(*profile, k + 1);
    if (profile->iDpiLevel != current)
        Select(m_pDpiBtn, kDpiLevels, profile->iDpiLevel);
    ShowDpiRows(k + 1);
}

namespace
{
struct PointerControl
{
    PointerSetting setting;
    const char* nameKey; // the control's label, to name the setting to the user
};

constexpr PointerControl kPointerControls[] = {
    {PointerSetting::Speed, "pointer_speed_text"},
    {PointerSetting::WheelScrollLines, "scroll_speed_text"},
    {PointerSetting::DoubleClickTime, "double_click_speed_text"},
    {PointerSetting::Acceleration, "enhance_pointer_text"},
    {PointerSetting::OnePageScroll, "one_page_text"},
};
} // namespace

CControlUI* CPerformancePage::PointerControlOf(PointerSetting setting) const
{
    switch (setting)
    {
    case PointerSetting::Speed:
        return m_pPointerSpeedSlider;
    case PointerSetting::WheelScrollLines:
        return m_pScrollSpeedSlider;
    case PointerSetting::DoubleClickTime:
        return m_pDoubleClickSlider;
    case PointerSetting::Acceleration:
        return m_pEnhancePointerCheck;
    case PointerSetting::OnePageScroll:
        return m_pOnePageCheck;
    }
    return nullptr;
}

void CPerformancePage::ShowPointerSupport(const PointerSettingsBackend& backend)
{
    if (!IsUsable())
        return;
    const QString desktop = QString::fromStdString(backend.DesktopName());
    const QString tip = CMsgWnd::MessageText(QStringLiteral("pointer_unsupported_text"), {desktop});
    for (const PointerControl& entry : kPointerControls)
    {
        CControlUI* control = PointerControlOf(entry.setting);
        const bool bSupported = backend.Supports(entry.setting);
        control->SetEnabled(bSupported);
        control->SetToolTip(bSupported ? QString() : tip);
    }
}

void CPerformancePage::ReportPointerFailures(PointerSettingsBackend& backend)
{
    const std::vector<PointerFailure> failures = backend.TakeFailures();
    if (failures.empty())
        return;
    QStringList names;
    for (const PointerControl& entry : kPointerControls)
        for (const PointerFailure& failure : failures)
            if (failure.setting == entry.setting)
            {
                names << CResourceManager::GetInstance()->GetText(
                    QString::fromLatin1(entry.nameKey));
                break;
            }
    CMsgWnd::ShowMessage(
        m_pPaintManager, m_hWnd, QStringLiteral("warning_title_text"),
        QStringLiteral("pointer_apply_failed_text"), MsgKind::Information,
        {QString::fromStdString(backend.DesktopName()), names.join(QStringLiteral(", "))});
}
