#include "ui/ColorPaletteUI.h"

#include "ui/SkinValue.h"
#include "ui/TNotifyUI.h"

#include <QColor>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>
#include <algorithm>

namespace
{
constexpr int kGap = 8;
// Room around the field and the bar for the markers, which stick out.
constexpr int kMargin = 8;
constexpr double kRadius = 4.0;
} // namespace

QString CColorPaletteUI::GetClass() const
{
    return QStringLiteral("ColorPalette");
}

void CColorPaletteUI::SetSelectColor(DWORD dwColor)
{
    m_dwSelectColor = dwColor | 0xFF000000u;
    const QColor c = QColor::fromRgba(m_dwSelectColor);
    float h = 0, s = 0, v = 0;
    c.getHsvF(&h, &s, &v);
    // Greys have no hue, black no saturation either: keep what the user had.
    if (h >= 0 && s > 0 && v > 0)
        m_hue = h;
    if (v > 0)
        m_sat = s;
    m_val = v;
    Invalidate();
}

void CColorPaletteUI::SetAttribute(const QString& name, const QString& value)
{
    DWORD color = 0;
    if (IsAttribute(name, u"barheight"))
        m_nBarHeight = std::max(4, ParseSkinInt(value));
    else if (IsAttribute(name, u"color") && ParseSkinColor(value, color))
        SetSelectColor(color);
    else
        CControlUI::SetAttribute(name, value);
}

QWidget* CColorPaletteUI::CreateWidget(QWidget* parent)
{
    QWidget* w = CControlUI::CreateWidget(parent);
    w->setCursor(Qt::CrossCursor);
    return w;
}

QRectF CColorPaletteUI::FieldRect(const QRect& rc) const
{
    return QRectF(rc.left() + kMargin, rc.top() + kMargin, std::max(1, rc.width() - 2 * kMargin),
                  std::max(1, rc.height() - m_nBarHeight - kGap - 3 * kMargin / 2));
}

QRectF CColorPaletteUI::HueRect(const QRect& rc) const
{
    return QRectF(rc.left() + kMargin, rc.bottom() + 1 - m_nBarHeight - kMargin / 2,
                  std::max(1, rc.width() - 2 * kMargin), m_nBarHeight);
}

bool CColorPaletteUI::PickAt(QPointF pt)
{
    const QWidget* w = ExistingWidget();
    if (w == nullptr)
        return false;
    const QRect rc = w->rect();
    if (m_drag == Drag::Field)
    {
        const QRectF f = FieldRect(rc);
        m_sat = std::clamp((pt.x() - f.left()) / f.width(), 0.0, 1.0);
        m_val = 1.0 - std::clamp((pt.y() - f.top()) / f.height(), 0.0, 1.0);
    }
    else if (m_drag == Drag::Hue)
    {
        const QRectF h = HueRect(rc);
        // Hue 1.0 is red again; keep it in [0, 1).
        m_hue = std::clamp((pt.x() - h.left()) / h.width(), 0.0, 0.9999);
    }
    const DWORD color = QColor::fromHsvF(static_cast<float>(m_hue), static_cast<float>(m_sat),
                                         static_cast<float>(m_val))
                            .rgba() |
                        0xFF000000u;
    Invalidate();
    if (color == m_dwSelectColor)
        return false;
    m_dwSelectColor = color;
    return true;
}

bool CColorPaletteUI::OnWidgetEvent(QEvent* event)
{
    switch (event->type())
    {
    case QEvent::MouseButtonPress:
    {
        auto* me = static_cast<QMouseEvent*>(event);
        const QWidget* w = ExistingWidget();
        if (me->button() != Qt::LeftButton || w == nullptr || !IsEnabled())
            return false;
        m_drag = me->position().y() < FieldRect(w->rect()).bottom() + kGap / 2.0 ? Drag::Field
                                                                                 : Drag::Hue;
        if (PickAt(me->position()))
            SendNotify(DUI_MSGTYPE_COLORCHANGED, m_dwSelectColor);
        return true;
    }
    case QEvent::MouseMove:
        if (m_drag == Drag::None)
            return false;
        if (PickAt(static_cast<QMouseEvent*>(event)->position()))
            SendNotify(DUI_MSGTYPE_COLORCHANGED, m_dwSelectColor);
        return true;
    case QEvent::MouseButtonRelease:
    {
        auto* me = static_cast<QMouseEvent*>(event);
        if (m_drag == Drag::None || me->button() != Qt::LeftButton)
            return false;
        PickAt(me->position());
        m_drag = Drag::None;
        SendNotify(DUI_MSGTYPE_COLORCHANGEDBUTTONUP, m_dwSelectColor);
        return true;
    }
    default:
        return CControlUI::OnWidgetEvent(event);
    }
}

void CColorPaletteUI::PaintStatusImage(QPainter& painter, const QRect& rc)
{
    painter.save();
    const QRectF field = FieldRect(rc);
    QPainterPath fieldPath;
    fieldPath.addRoundedRect(field, kRadius, kRadius);
    painter.setClipPath(fieldPath);
    painter.fillRect(field, QColor::fromHsvF(static_cast<float>(m_hue), 1.0f, 1.0f));
    QLinearGradient white(field.topLeft(), field.topRight());
    white.setColorAt(0, QColor(255, 255, 255, 255));
    white.setColorAt(1, QColor(255, 255, 255, 0));
    painter.fillRect(field, white);
    QLinearGradient black(field.topLeft(), field.bottomLeft());
    black.setColorAt(0, QColor(0, 0, 0, 0));
    black.setColorAt(1, QColor(0, 0, 0, 255));
    painter.fillRect(field, black);
    painter.setClipping(false);

    const QRectF hue = HueRect(rc);
    QLinearGradient rainbow(hue.topLeft(), hue.topRight());
    for (int i = 0; i <= 6; ++i)
        rainbow.setColorAt(i / 6.0, QColor::fromHsvF(i == 6 ? 0.0f : i / 6.0f, 1.0f, 1.0f));
    painter.setPen(Qt::NoPen);
    painter.setBrush(rainbow);
    painter.drawRoundedRect(hue, hue.height() / 2, hue.height() / 2);

    // The markers: a ring on the field, a pill on the hue bar.
    const QPointF mark(field.left() + m_sat * field.width(),
                       field.top() + (1.0 - m_val) * field.height());
    painter.setBrush(QColor::fromRgba(m_dwSelectColor));
    painter.setPen(QPen(QColor(0, 0, 0, 120), 4));
    painter.drawEllipse(mark, 7, 7);
    painter.setPen(QPen(Qt::white, 2));
    painter.drawEllipse(mark, 7, 7);
    const double hx = hue.left() + m_hue * hue.width();
    const QRectF pill(hx - 4, hue.top() - 2, 8, hue.height() + 4);
    painter.setBrush(QColor::fromHsvF(static_cast<float>(m_hue), 1.0f, 1.0f));
    painter.setPen(QPen(QColor(0, 0, 0, 120), 3));
    painter.drawRoundedRect(pill, 4, 4);
    painter.setPen(QPen(Qt::white, 1.5));
    painter.drawRoundedRect(pill, 4, 4);
    painter.restore();
}
