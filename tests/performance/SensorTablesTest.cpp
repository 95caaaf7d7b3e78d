#include "performance/SensorTables.h"

#include <gtest/gtest.h>

namespace
{

TEST(SensorTables, RangesOfKnownSensors)
{
    const auto r3104 = FindSensorRange(3104);
    ASSERT_TRUE(r3104);
    EXPECT_EQ(r3104->iMin, 16);
    EXPECT_EQ(r3104->iMax, 212);
    EXPECT_STREQ(r3104->szLeftLabel, "640");
    EXPECT_STREQ(r3104->szRightLabel, "8480");
    const auto r5050 = FindSensorRange(5050);
    ASSERT_TRUE(r5050);
    EXPECT_EQ(r5050->iMax, 17);
    EXPECT_STREQ(r5050->szRightLabel, "2750");
    EXPECT_FALSE(FindSensorRange(-1));
    EXPECT_FALSE(FindSensorRange(3336));
}

// The end labels are the DPI texts of the range ends, except where the
// sensor has no texts (5050).
TEST(SensorTables, EndLabelsAgreeWithTheDpiTexts)
{
    for (int32_t sensor :
         {36, 37, 38, 60, 3050, 3104, 3212, 3325, 3327, 3330, 3333, 3335, 3370, 6400})
    {
        const auto range = FindSensorRange(sensor);
        ASSERT_TRUE(range);
        EXPECT_EQ(DpiText(sensor, range->iMin), range->szLeftLabel) << sensor;
        EXPECT_EQ(DpiText(sensor, range->iMax), range->szRightLabel) << sensor;
    }
}

TEST(SensorTables, DpiTexts)
{
    EXPECT_EQ(DpiText(3370, 200), "10000");
    EXPECT_EQ(DpiText(3370, 201), "10100");
    EXPECT_EQ(DpiText(3050, 4), "1000");
    EXPECT_EQ(DpiText(3050, 13), "1000");
    EXPECT_EQ(DpiText(3050, 0), "1000");
    EXPECT_EQ(DpiText(3050, 9), "2500");
    EXPECT_EQ(DpiText(3212, 3), "120");
    EXPECT_EQ(DpiText(6400, 3), "150");
    EXPECT_EQ(DpiText(3335, 16), "1600");
    EXPECT_EQ(DpiText(5050, 5), "");
    EXPECT_EQ(DpiText(-1, 5), "");
}

} // namespace

TEST(SensorTables, TypedDpiTakesTheNearestStepOfTheSensor)
{
    EXPECT_EQ(NearestDpiStep(3335, 1600), 16);
    EXPECT_EQ(NearestDpiStep(3335, 1649), 16);
    EXPECT_EQ(NearestDpiStep(3335, 1650), 16); // a tie goes to the lower step
    EXPECT_EQ(NearestDpiStep(3335, 1651), 17);
    EXPECT_EQ(NearestDpiStep(3335, 0), 1);
    EXPECT_EQ(NearestDpiStep(3335, 99999), 320);
    EXPECT_EQ(NearestDpiStep(3104, 1000), 25);  // 1000 = 25 x 40
    EXPECT_EQ(NearestDpiStep(3104, 100), 16);   // below the range: its first step
    EXPECT_EQ(NearestDpiStep(3370, 12000), 220); // the upper half counts in hundreds
    EXPECT_EQ(NearestDpiStep(3370, 9990), 200);
    EXPECT_EQ(NearestDpiStep(3050, 2200), 8);   // 2000 is nearer than 2500
    EXPECT_EQ(NearestDpiStep(6400, 1625), 32);
    EXPECT_FALSE(NearestDpiStep(5050, 1000));
    EXPECT_FALSE(NearestDpiStep(1234, 1000));
}
