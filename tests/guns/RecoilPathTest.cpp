// The geometry behind the gun page's pattern picture.

#include "guns/RecoilPath.h"

#include <gtest/gtest.h>

#include <climits>

namespace
{
struct Bullets
{
    GunBullet b[kGunMaxBullets] = {};
};
} // namespace

TEST(RecoilPath, AddsOffsetsAndDelaysBulletByBullet)
{
    Bullets g;
    g.b[0] = {3, 10, 0, 100};
    g.b[1] = {-5, 10, 0, 50};
    g.b[2] = {1, -4, 0, 20};
    g.b[3] = {99, 99, 0, 999}; // beyond the count
    const RecoilPath path = BuildRecoilPath(g.b, 3);
    ASSERT_EQ(path.points.size(), 4u);
    EXPECT_EQ(path.points[0].x, 0);
    EXPECT_EQ(path.points[1].x, 3);
    EXPECT_EQ(path.points[2].x, -2);
    EXPECT_EQ(path.points[3].x, -1);
    EXPECT_EQ(path.points[2].y, 20); // downward, as on the screen
    EXPECT_EQ(path.points[3].y, 16);
    EXPECT_EQ(path.points[1].t, 0);
    EXPECT_EQ(path.points[2].t, 100);
    EXPECT_EQ(path.points[3].t, 150);
    EXPECT_EQ(path.totalMs, 170);
    EXPECT_EQ(path.minX, -2);
    EXPECT_EQ(path.maxX, 3);
    EXPECT_EQ(path.minY, 0); // the origin is always inside
    EXPECT_EQ(path.maxY, 20);
}

TEST(RecoilPath, CountsAreClampedAndHugeOffsetsDoNotOverflow)
{
    Bullets g;
    for (GunBullet& b : g.b)
        b = {INT_MAX, INT_MIN, 0, 65535};
    const RecoilPath all = BuildRecoilPath(g.b, 255);
    ASSERT_EQ(all.points.size(), 31u);
    EXPECT_DOUBLE_EQ(all.points[30].x, 30.0 * INT_MAX);
    EXPECT_DOUBLE_EQ(all.points[30].y, 30.0 * INT_MIN);
    EXPECT_DOUBLE_EQ(all.totalMs, 30.0 * 65535);
    EXPECT_EQ(BuildRecoilPath(g.b, -3).points.size(), 1u);
    EXPECT_EQ(BuildRecoilPath(g.b, 0).totalMs, 0);
}

TEST(RecoilPath, FitKeepsTheShapeInsideTheAreaAndCentred)
{
    Bullets g;
    g.b[0] = {0, 100, 0, 10};
    g.b[1] = {40, 0, 0, 10};
    const RecoilPath path = BuildRecoilPath(g.b, 2);
    const PlotArea area{10, 20, 200, 400};
    const PlotTransform t = FitRecoilPath(path, area);
    // One scale for both axes: the tall path fills the height.
    EXPECT_DOUBLE_EQ(t.scale, 4.0);
    for (const RecoilPoint& p : path.points)
    {
        EXPECT_GE(t.MapX(p.x), area.left - 1e-9);
        EXPECT_LE(t.MapX(p.x), area.left + area.width + 1e-9);
        EXPECT_GE(t.MapY(p.y), area.top - 1e-9);
        EXPECT_LE(t.MapY(p.y), area.top + area.height + 1e-9);
    }
    EXPECT_DOUBLE_EQ(t.MapX((path.minX + path.maxX) / 2), area.left + area.width / 2);
    EXPECT_DOUBLE_EQ(t.MapY(0), area.top);
    EXPECT_DOUBLE_EQ(t.MapY(100), area.top + area.height);

    // A pattern that goes nowhere still maps to finite points in the middle.
    Bullets still;
    const RecoilPath none = BuildRecoilPath(still.b, 5);
    const PlotTransform n = FitRecoilPath(none, area);
    EXPECT_GT(n.scale, 0);
    EXPECT_DOUBLE_EQ(n.MapX(0), 110);
    EXPECT_DOUBLE_EQ(n.MapY(0), 220);
    // An area with no room gives no negative scale.
    EXPECT_EQ(FitRecoilPath(path, PlotArea{0, 0, -5, 10}).scale, 0);
}

TEST(RecoilPath, TimelineFollowsTheDelaysOrSpreadsEvenly)
{
    Bullets g;
    g.b[0] = {0, 0, 0, 300};
    g.b[1] = {0, 0, 0, 100};
    g.b[2] = {0, 0, 0, 0};
    const RecoilPath timed = BuildRecoilPath(g.b, 3);
    EXPECT_DOUBLE_EQ(TimelinePosition(timed, 1, 0, 400), 0);
    EXPECT_DOUBLE_EQ(TimelinePosition(timed, 2, 0, 400), 300);
    EXPECT_DOUBLE_EQ(TimelinePosition(timed, 3, 0, 400), 400);
    EXPECT_DOUBLE_EQ(TimelinePosition(timed, 99, 0, 400), 400);

    Bullets zero;
    const RecoilPath untimed = BuildRecoilPath(zero.b, 4);
    EXPECT_DOUBLE_EQ(TimelinePosition(untimed, 2, 10, 100), 60);
    EXPECT_DOUBLE_EQ(TimelinePosition(BuildRecoilPath(zero.b, 0), 1, 10, 100), 10);
}
