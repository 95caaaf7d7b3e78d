#include "performance/DPIMsg.h"

#include "ui/LabelUI.h"

void CDPIMsg::SetText(const QString& text)
{
    m_strText = text;
    if (m_pValueLabel != nullptr)
        m_pValueLabel->SetText(m_strText);
    ::SetWindowText(GetHWND(), m_strText);
}

QString CDPIMsg::GetWindowClassName() const
{
    return QStringLiteral("DPIWnd");
}

QString CDPIMsg::GetSkinFile()
{
    return QStringLiteral("dpi.xml");
}

void CDPIMsg::InitWindow()
{
    m_pValueLabel = NeedControl<CLabelUI>(QStringLiteral("dpi_value_label"));
    if (m_pValueLabel == nullptr)
        return;
    m_pValueLabel->SetText(m_strText);
    ::SetWindowText(GetHWND(), m_strText);
    ::SetWindowPos(GetHWND(), nullptr, 20, 20, 150, 150, SWP_NOACTIVATE | SWP_NOZORDER);
}

void CDPIMsg::OnFinalMessage(HWND hWnd)
{
    WindowImplBase::OnFinalMessage(hWnd);
    if (m_bDeleteOnClose)
        delete this;
}
