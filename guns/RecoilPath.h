#pragma once
// The geometry of a recoil pattern as the gun page draws it: where the aim
// has gone after each bullet (the offsets added up, y growing downward as on
// the screen), when each bullet fires, and how the whole path is fitted into
// a drawing area without distorting its shape.

#include "guns/GunData.h"

#include <vector>

struct RecoilPoint
{
    double x = 0; // cumulative horizontal offset, counts
    double y = 0; // cumulative vertical offset, counts, downward positive
    double t = 0; // milliseconds from the first bullet
};

struct RecoilPath
{
    // points[0] is the start (the origin at time 0); points[k] is the aim
    // after bullet k (1-based), fired after the delays of the bullets before it.
    std::vector<RecoilPoint> points;
    // The box around every point, the origin included.
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    // Sum of all delays: when the last bullet's pause is over.
    double totalMs = 0;
};

// The path of the first `count` bullets (clamped to 0..30).
RecoilPath BuildRecoilPath(const GunBullet (&bullets)[kGunMaxBullets], int count);

struct PlotArea
{
    double left = 0, top = 0, width = 0, height = 0;
};

// One scale for both axes, so a pattern keeps its shape, and the path's box
// centred in the area. A path with no extent (all points on the origin)
// still gets a finite scale.
struct PlotTransform
{
    double scale = 1;
    double offsetX = 0, offsetY = 0;

    double MapX(double x) const { return offsetX + x * scale; }
    double MapY(double y) const { return offsetY + y * scale; }
};

PlotTransform FitRecoilPath(const RecoilPath& path, const PlotArea& area);

// Where point k of the path sits on a timeline running from `left` over
// `width`; bullets spread evenly when no delay gives them a time.
double TimelinePosition(const RecoilPath& path, int k, double left, double width);
