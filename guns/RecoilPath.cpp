#include "guns/RecoilPath.h"

#include <algorithm>

namespace
{
// The smallest span shown, in counts, so that a tiny pattern is not blown up
// to fill the whole area.
constexpr double kMinSpan = 20;
} // namespace

RecoilPath BuildRecoilPath(const GunBullet (&bullets)[kGunMaxBullets], int count)
{
    count = std::clamp(count, 0, kGunMaxBullets);
    RecoilPath path;
    path.points.reserve(count + 1);
    // Doubles: the offsets of a foreign file may be anywhere in 32 bits and
    // their sum must not overflow.
    RecoilPoint at;
    path.points.push_back(at);
    for (int i = 0; i < count; ++i)
    {
        at.x += bullets[i].iX;
        at.y += bullets[i].iY;
        if (i > 0)
            at.t += bullets[i - 1].wDelay;
        path.points.push_back(at);
        path.minX = std::min(path.minX, at.x);
        path.maxX = std::max(path.maxX, at.x);
        path.minY = std::min(path.minY, at.y);
        path.maxY = std::max(path.maxY, at.y);
    }
    path.totalMs = count > 0 ? at.t + bullets[count - 1].wDelay : 0;
    return path;
}

PlotTransform FitRecoilPath(const RecoilPath& path, const PlotArea& area)
{
    const double spanX = std::max(path.maxX - path.minX, kMinSpan);
    const double spanY = std::max(path.maxY - path.minY, kMinSpan);
    PlotTransform t;
    t.scale = std::max(0.0, std::min(area.width / spanX, area.height / spanY));
    const double midX = (path.minX + path.maxX) / 2;
    const double midY = (path.minY + path.maxY) / 2;
    t.offsetX = area.left + area.width / 2 - midX * t.scale;
    t.offsetY = area.top + area.height / 2 - midY * t.scale;
    return t;
}

double TimelinePosition(const RecoilPath& path, int k, double left, double width)
{
    const int last = static_cast<int>(path.points.size()) - 1;
    if (last <= 0)
        return left;
    k = std::clamp(k, 0, last);
    if (path.totalMs <= 0)
        return left + width * k / last;
    return left + width * path.points[k].t / path.totalMs;
}
