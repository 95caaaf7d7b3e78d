#pragma once
// A picture of the gun being edited: the path the aim takes bullet by bullet,
// the bullet under edit picked out, and below it a timeline of when each
// bullet fires. It only shows; the page tells it what to draw.

#include "guns/RecoilPath.h"
#include "ui/ControlUI.h"

class CRecoilPlotUI : public CControlUI
{
public:
    QString GetClass() const override;

    // The first `count` bullets; the highlight stays on its bullet while it
    // is still within the count.
    void SetPattern(const GunBullet (&bullets)[kGunMaxBullets], int count);
    // Nothing drawn: no gun, or a locked one.
    void Clear();
    // The bullet (0-based) to pick out; -1 for none.
    void SetHighlight(int iBullet);

    const RecoilPath& GetPath() const { return m_path; }
    int GetHighlight() const { return m_iHighlight; }
    bool IsEmpty() const { return m_path.points.size() <= 1; }

protected:
    void PaintStatusImage(QPainter& painter, const QRect& rc) override;

private:
    void PaintPath(QPainter& painter, const PlotArea& area) const;
    void PaintTimeline(QPainter& painter, const QRectF& strip) const;

    RecoilPath m_path;
    int m_iHighlight = -1;
};
