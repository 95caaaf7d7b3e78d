#include "ui/CheckBoxUI.h"

#include "ui/TNotifyUI.h"
#include "ui/Theme.h"

#include <QPainter>
#include <QPainterPath>

CCheckBoxUI::CCheckBoxUI()
{
    m_uTextStyle = Qt::AlignLeft | Qt::AlignVCenter;
}

QString CCheckBoxUI::GetClass() const
{
    return QStringLiteral("CheckBox");
}

void CCheckBoxUI::SetCheck(bool bCheck)
{
    Selected(bCheck, false);
}

void CCheckBoxUI::Activate()
{
    Selected(!m_bSelected, false);
    CButtonUI::Activate();
    SendNotify(DUI_MSGTYPE_CHECKCLICK, m_bSelected ? 1 : 0);
}

void CCheckBoxUI::PaintStatusImage(QPainter& painter, const QRect& rc)
{
    if (!m_sNormalImage.isEmpty() || !m_sSelectedImage.isEmpty())
    {
        COptionUI::PaintStatusImage(painter, rc);
        return;
    }
    const Theme& theme = Theme::Instance();
    const int box = 16;
    const QRectF r(rc.left() + 1.5, rc.top() + (rc.height() - box) / 2.0 + 0.5, box - 1, box - 1);
    painter.save();
    if (m_bSelected)
    {
        painter.setPen(Qt::NoPen);
        painter.setBrush(theme.Color(m_bHot ? "accent_hot" : "accent"));
        painter.drawRoundedRect(r, 3, 3);
        QPainterPath tick;
        tick.moveTo(r.left() + 3.5, r.center().y());
        tick.lineTo(r.left() + 6.5, r.bottom() - 4);
        tick.lineTo(r.right() - 3, r.top() + 4);
        painter.setPen(
            QPen(theme.Color("accent_text"), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(tick);
    }
    else
    {
        painter.setPen(QPen(theme.Color(m_bHot ? "accent" : "border_strong"), 1.5));
        painter.setBrush(theme.Color("input_bg"));
        painter.drawRoundedRect(r, 3, 3);
    }
    painter.restore();
}
