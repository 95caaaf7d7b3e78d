#include "guns/RecoilPlotUI.h"

#include "ui/ResourceManager.h"
#include "ui/Theme.h"

#include <QPainter>
#include <QPainterPath>

namespace
{
constexpr double kMargin = 14;
constexpr double kTimelineHeight = 38;
constexpr double kDot = 2.5;
constexpr double kHighlightDot = 5.5;
} // namespace

QString CRecoilPlotUI::GetClass() const
{
    return QStringLiteral("RecoilPlot");
}

void CRecoilPlotUI::SetPattern(const GunBullet (&bullets)[kGunMaxBullets], int count)
{
    m_path = BuildRecoilPath(bullets, count);
    Invalidate();
}

void CRecoilPlotUI::Clear()
{
    m_path = RecoilPath{};
    m_iHighlight = -1;
    Invalidate();
}

void CRecoilPlotUI::SetHighlight(int iBullet)
{
    m_iHighlight = iBullet;
    Invalidate();
}

void CRecoilPlotUI::PaintStatusImage(QPainter& painter, const QRect& rc)
{
    if (IsEmpty())
        return;
    painter.save();
    const QRectF all = QRectF(rc).adjusted(kMargin, kMargin, -kMargin, -kMargin);
    const QRectF strip(all.left(), all.bottom() - kTimelineHeight, all.width(), kTimelineHeight);
    const PlotArea area{all.left(), all.top(), all.width(), all.height() - kTimelineHeight - 10};
    PaintPath(painter, area);
    PaintTimeline(painter, strip);
    painter.restore();
}

void CRecoilPlotUI::PaintPath(QPainter& painter, const PlotArea& area) const
{
    const Theme& theme = Theme::Instance();
    const PlotTransform t = FitRecoilPath(m_path, area);

    // Cross hairs through the point of aim at the first shot.
    const QPointF origin(t.MapX(0), t.MapY(0));
    painter.setPen(QPen(theme.Color("border_strong"), 1, Qt::DashLine));
    painter.drawLine(QPointF(area.left, origin.y()), QPointF(area.left + area.width, origin.y()));
    painter.drawLine(QPointF(origin.x(), area.top), QPointF(origin.x(), area.top + area.height));

    QPainterPath line;
    line.moveTo(origin);
    for (std::size_t k = 1; k < m_path.points.size(); ++k)
        line.lineTo(t.MapX(m_path.points[k].x), t.MapY(m_path.points[k].y));
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(theme.Color("text_dim"), 1.5));
    painter.drawPath(line);

    painter.setPen(Qt::NoPen);
    painter.setBrush(theme.Color("text"));
    for (std::size_t k = 1; k < m_path.points.size(); ++k)
        painter.drawEllipse(QPointF(t.MapX(m_path.points[k].x), t.MapY(m_path.points[k].y)), kDot,
                            kDot);
    painter.setBrush(theme.Color("text_faint"));
    painter.drawEllipse(origin, kDot + 1, kDot + 1);

    const int k = m_iHighlight + 1;
    if (k >= 1 && k < static_cast<int>(m_path.points.size()))
    {
        const QPointF at(t.MapX(m_path.points[k].x), t.MapY(m_path.points[k].y));
        painter.setBrush(theme.Color("accent"));
        painter.setPen(QPen(theme.Color("accent_text"), 1.5));
        painter.drawEllipse(at, kHighlightDot, kHighlightDot);
    }
}

void CRecoilPlotUI::PaintTimeline(QPainter& painter, const QRectF& strip) const
{
    const Theme& theme = Theme::Instance();
    const double axisY = strip.top() + 10;
    painter.setPen(QPen(theme.Color("border_strong"), 1));
    painter.drawLine(QPointF(strip.left(), axisY), QPointF(strip.right(), axisY));

    painter.setPen(QPen(theme.Color("text_dim"), 1));
    for (std::size_t k = 1; k < m_path.points.size(); ++k)
    {
        const double x = TimelinePosition(m_path, static_cast<int>(k), strip.left(), strip.width());
        painter.drawLine(QPointF(x, axisY - 4), QPointF(x, axisY + 4));
    }
    const int k = m_iHighlight + 1;
    if (k >= 1 && k < static_cast<int>(m_path.points.size()))
    {
        const double x = TimelinePosition(m_path, k, strip.left(), strip.width());
        painter.setPen(QPen(theme.Color("accent"), 2.5));
        painter.drawLine(QPointF(x, axisY - 7), QPointF(x, axisY + 7));
    }

    painter.setFont(theme.Font("small"));
    painter.setPen(theme.Color("text_dim"));
    const QRectF labels(strip.left(), axisY + 8, strip.width(), strip.bottom() - axisY - 8);
    painter.drawText(labels, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("0"));
    painter.drawText(labels, Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("%1 %2")
                         .arg(static_cast<long long>(m_path.totalMs))
                         .arg(CResourceManager::GetInstance()->GetText("ms_text")));
}
