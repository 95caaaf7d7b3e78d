#include "device/DpiCodes.h"
#include "device/SettingsCodes.h"
#include "performance/SensorTables.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace
{

constexpr int32_t kSensors[] = {36,   37,   38,   60,   3050, 3104, 3212, 3325,
                                3327, 3330, 3333, 3335, 3370, 5050, 6400};

TEST(DpiCodes, CodesOfEnabledLevels)
{
    EXPECT_EQ(EncodeDpiCode(36, 41), 40);
    EXPECT_EQ(EncodeDpiCode(36, 42), 20 | 0x40);
    EXPECT_EQ(EncodeDpiCode(37, 61), 29 | 0x40);
    EXPECT_EQ(EncodeDpiCode(38, 81), 39 | 0x80);
    EXPECT_EQ(EncodeDpiCode(60, 120), 119);
    EXPECT_EQ(EncodeDpiCode(3050, 12), 0x48);
    EXPECT_EQ(EncodeDpiCode(3050, 0), 6);
    EXPECT_EQ(EncodeDpiCode(3050, 13), 6);
    EXPECT_EQ(EncodeDpiCode(3104, 107), 53 | 0x80);
    EXPECT_EQ(EncodeDpiCode(3212, 63), 63);
    EXPECT_EQ(EncodeDpiCode(3212, 64), 32 | 0x40);
    EXPECT_EQ(EncodeDpiCode(3212, 127), 42 | 0xC0);
    EXPECT_EQ(EncodeDpiCode(3325, 60), 0x5D);
    EXPECT_EQ(EncodeDpiCode(3327, 63), 31 | 0x40);
    EXPECT_EQ(EncodeDpiCode(3330, 144), 143);
    EXPECT_EQ(EncodeDpiCode(3333, 81), 40 | 0x80);
    EXPECT_EQ(EncodeDpiCode(3335, 0), 0x50);
    EXPECT_EQ(EncodeDpiCode(3335, 16), 0x12);
    EXPECT_EQ(EncodeDpiCode(3335, 160), 0xBD);
    EXPECT_EQ(EncodeDpiCode(3335, 161), 0x5F); // entry 80
    EXPECT_EQ(EncodeDpiCode(3370, 0), 0);
    EXPECT_EQ(EncodeDpiCode(3370, 200), 199);
    EXPECT_EQ(EncodeDpiCode(3370, 201), 100);
    EXPECT_EQ(EncodeDpiCode(5050, 10), 10);
    EXPECT_EQ(EncodeDpiCode(5050, 11), 0x01);
    EXPECT_EQ(EncodeDpiCode(5050, 17), 0x4B);
    EXPECT_EQ(EncodeDpiCode(5050, 18), 6);
    EXPECT_EQ(EncodeDpiCode(6400, 124), 122);
    EXPECT_EQ(EncodeDpiCode(6400, 126), 61 | 0x80);
    EXPECT_EQ(EncodeDpiCode(1234, 50), 0);
}

TEST(DpiCodes, DamagedStepValuesStayInsideTheTables)
{
    // Beyond either end of the 3335 table the nearest entry is sent.
    EXPECT_EQ(EncodeDpiCode(3335, -5), 0x50);
    EXPECT_EQ(EncodeDpiCode(3335, 100000), 0xBD);
    // The top of the 3370 range is not cut to a byte first.
    EXPECT_EQ(EncodeDpiCode(3370, 256), 155);
    EXPECT_EQ(EncodeDpiCode(3370, 290), 189);
}

TEST(DpiCodes, SkippingSensorsSendDisabledLevelsAsTheirPredecessor)
{
    int32_t dpi[8] = {10, 60, 70, 80, 90, 100, 20, 30};
    uint8_t enabled[8] = {0, 1, 0, 1, 1, 1, 0, 0};
    const auto codes = EncodeDpiCodes(3325, dpi, enabled);
    EXPECT_EQ(codes[0], 0x80); // nothing enabled before it
    EXPECT_EQ(codes[1], 0x5D);
    EXPECT_EQ(codes[2], 0xDD);
    EXPECT_EQ(codes[6], EncodeDpiCode(3325, 100) | 0x80);
    EXPECT_EQ(codes[7], EncodeDpiCode(3325, 100) | 0x80);

    // The other sensors ignore the enabled flags.
    const auto plain = EncodeDpiCodes(3335, dpi, enabled);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(plain[i], EncodeDpiCode(3335, dpi[i]));
}

// Whatever the mouse reads from a code must encode to the same code, and lie
// within the sensor's resolution of the value sent, over the whole range.
TEST(DpiCodes, EveryStepOfEverySensorSurvivesTheMouse)
{
    for (int32_t sensor : kSensors)
    {
        const auto range = FindSensorRange(sensor);
        ASSERT_TRUE(range) << sensor;
        const uint8_t enabled[8] = {1, 1, 1, 1, 1, 1, 1, 1};
        for (int32_t v = range->iMin; v <= range->iMax; ++v)
        {
            const int32_t dpi[8] = {v, v, v, v, v, v, v, v};
            const uint8_t code = EncodeDpiCodes(sensor, dpi, enabled)[0];
            const bool above = SensorHasRangeReport(sensor) && (DpiRangeMask(sensor, dpi) & 1);
            const auto level = DecodeDpiCode(sensor, code, above);
            ASSERT_TRUE(level) << sensor;
            EXPECT_FALSE(level->bSkipped) << sensor << " " << v;
            EXPECT_EQ(EncodeDpiCode(sensor, level->iStep), code) << sensor << " " << v;
            if (!(sensor == 5050 && v == 11)) // sent as level value 1
            {
                EXPECT_LE(std::abs(level->iStep - v), 2) << sensor << " " << v;
            }
        }
    }
}

TEST(DpiCodes, MouseReadsTheSkipBitOnlyOnSkippingSensors)
{
    const auto skipped = DecodeDpiCode(3325, 0xDD, false);
    ASSERT_TRUE(skipped);
    EXPECT_TRUE(skipped->bSkipped);
    EXPECT_EQ(skipped->iStep, 60);
    const auto wide = DecodeDpiCode(3330, 0xDD, false);
    ASSERT_TRUE(wide);
    EXPECT_FALSE(wide->bSkipped);
    EXPECT_EQ(wide->iStep, 0xDE);
    EXPECT_FALSE(DecodeDpiCode(1234, 0x10, false));
}

} // namespace
