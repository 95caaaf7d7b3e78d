#include "ui/ProgressUI.h"

#include "ui/SkinValue.h"
#include "ui/Theme.h"

#include <QPainter>
#include <algorithm>

QString CProgressUI::GetClass() const
{
    return QStringLiteral("Progress");
}

int CProgressUI::Clamp(int value) const
{
    return std::clamp(value, m_nMin, std::max(m_nMin, m_nMax));
}

void CProgressUI::SetMinValue(int nMin)
{
    m_nMin = nMin;
    m_nValue = Clamp(m_nValue);
    Invalidate();
}

void CProgressUI::SetMaxValue(int nMax)
{
    m_nMax = nMax;
    m_nValue = Clamp(m_nValue);
    Invalidate();
}

void CProgressUI::SetValue(int nValue)
{
    m_nValue = Clamp(nValue);
    Invalidate();
}

void CProgressUI::SetAttribute(const QString& name, const QString& value)
{
    DWORD color = 0;
    if (IsAttribute(name, u"min"))
        SetMinValue(ParseSkinInt(value));
    else if (IsAttribute(name, u"max"))
        SetMaxValue(ParseSkinInt(value));
    else if (IsAttribute(name, u"value"))
        SetValue(ParseSkinInt(value));
    else if (IsAttribute(name, u"forecolor") && ParseSkinColor(value, color))
        m_dwForeColor = color;
    else
        CLabelUI::SetAttribute(name, value);
}

void CProgressUI::PaintStatusImage(QPainter& painter, const QRect& rc)
{
    if (m_nMax <= m_nMin)
        return;
    const double part = double(m_nValue - m_nMin) / double(m_nMax - m_nMin);
    QRect filled = rc;
    filled.setWidth(static_cast<int>(rc.width() * part + 0.5));
    FillRound(painter, filled,
              m_dwForeColor != 0 ? m_dwForeColor : Theme::Instance().Color("accent").rgba());
}
