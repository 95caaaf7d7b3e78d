#include "app/VirtualMousePanel.h"

#include "device/DeviceMessages.h"
#include "device/VirtualMouse.h"
#include "device/VirtualMouseSummary.h"
#include "ui/LabelUI.h"
#include "ui/ListLabelElementUI.h"
#include "ui/ListUI.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace
{

constexpr UINT kRefreshTimer = 1;
constexpr UINT kRefreshMilliseconds = 300;
constexpr int kGap = 8;

// Report-rate buttons and the rate code the mouse reports for each.
struct RateButton
{
    const char* name;
    uint16_t value;
};
constexpr RateButton kRateButtons[] = {
    {"rate_125", 8}, {"rate_250", 4}, {"rate_500", 2}, {"rate_1000", 1}};

} // namespace

CVirtualMousePanel::CVirtualMousePanel(std::shared_ptr<VirtualMouse> mouse)
    : m_pMouse(std::move(mouse))
{
}

QString CVirtualMousePanel::GetWindowClassName() const
{
    return QStringLiteral("VirtualMouseWnd");
}

QString CVirtualMousePanel::GetSkinFile()
{
    return QStringLiteral("virtualmouse.xml");
}

void CVirtualMousePanel::InitWindow()
{
    m_pStateList = NeedControl<CListUI>(QStringLiteral("state_list"));
    m_pPlugLabel = NeedControl<CLabelUI>(QStringLiteral("plug_label"));
    RefreshState();
    // Applies change the state from the device thread; look again now and then.
    if (m_pStateList != nullptr)
        m_pm.SetTimer(m_pStateList, kRefreshTimer, kRefreshMilliseconds);
}

void CVirtualMousePanel::RefreshState()
{
    if (m_pPlugLabel != nullptr)
        m_pPlugLabel->SetText(m_bPlugged ? QStringLiteral("plugged in")
                                         : QStringLiteral("unplugged"));
    if (m_pStateList == nullptr)
        return;
    std::vector<std::string> lines = DescribeVirtualMouse(m_pMouse->State(), m_pMouse->Sensor());
    if (lines == m_shownLines)
        return; // keeps the scroll position while nothing changes
    m_shownLines = std::move(lines);
    m_pStateList->RemoveAll();
    for (const std::string& line : m_shownLines)
    {
        auto* item = new CListLabelElementUI;
        item->SetFixedHeight(18);
        item->SetText(QString::fromStdString(line));
        item->SetToolTip(QString::fromStdString(line));
        m_pStateList->Add(item);
    }
}

void CVirtualMousePanel::Notify(TNotifyUI& msg)
{
    if (msg.sType == DUI_MSGTYPE_TIMER && msg.wParam == kRefreshTimer)
        RefreshState();
    else if (msg.sType == DUI_MSGTYPE_CLICK && msg.pSender != nullptr)
        OnButton(msg.pSender->GetName());
}

void CVirtualMousePanel::OnButton(const QString& name)
{
    if (name.startsWith(QLatin1String("dpi_")))
        m_pMouse->RaiseEvent(kEventDpiLevel, static_cast<uint16_t>(name.mid(4).toUInt()));
    else if (name == QLatin1String("mode_office"))
        m_pMouse->RaiseEvent(kEventButtonMode, 1);
    else if (name == QLatin1String("mode_game"))
        m_pMouse->RaiseEvent(kEventButtonMode, 2);
    else if (name == QLatin1String("unplug_btn"))
    {
        m_pMouse->Unplug();
        m_bPlugged = false;
    }
    else if (name == QLatin1String("plug_btn"))
    {
        m_pMouse->Plug();
        m_bPlugged = true;
    }
    else
    {
        for (const RateButton& rate : kRateButtons)
            if (name == QLatin1String(rate.name))
                m_pMouse->RaiseEvent(kEventReportRate, rate.value);
    }
    RefreshState();
}

void CVirtualMousePanel::PlaceBeside(HWND hMain)
{
    RECT main;
    RECT panel;
    if (!::GetWindowRect(hMain, &main) || !::GetWindowRect(GetHWND(), &panel))
        return;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect area = screen->availableGeometry();
    const int total = main.Width() + kGap + panel.Width();
    int left = main.left;
    if (main.right + kGap + panel.Width() > area.right())
        left = std::max(area.left(), area.left() + (area.width() - total) / 2);
    ::SetWindowPos(hMain, nullptr, left, main.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::SetWindowPos(GetHWND(), nullptr, left + main.Width() + kGap, main.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER);
}
