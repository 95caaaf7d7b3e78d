#include "device/ReportFraming.h"
#include "app/DeviceDescription.h"
#include "device/ReportScrambler.h"
#include "tests/device/DeviceTestSupport.h"

#include <gtest/gtest.h>

#include <random>

namespace
{

FeatureReport Bytes(std::initializer_list<uint8_t> b)
{
    FeatureReport r{};
    std::copy(b.begin(), b.end(), r.begin());
    return r;
}

TEST(ReportFraming, ChecksumMakesAllEightBytesAddUpToFF)
{
    EXPECT_EQ(MakeFeatureReport(0x01, {0x02}), Bytes({0x01, 0x02, 0, 0, 0, 0, 0, 0xFC}));
    EXPECT_EQ(MakeFeatureReport(0x8B)[7], 0x74);
    EXPECT_EQ(MakeFeatureReport(0x80)[7], 0x7F);
    // Sums above 0xFF wrap.
    FeatureReport big = MakeFeatureReport(0xFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_EQ(big[7], static_cast<uint8_t>(0xFF - 7 * 0xFF));
    EXPECT_TRUE(HasValidChecksum(big));
    big[3] ^= 1;
    EXPECT_FALSE(HasValidChecksum(big));
}

TEST(ReportFraming, HexBytesIsUppercaseWithSingleSpaces)
{
    const uint8_t bytes[] = {0x0A, 0xFF, 0x00};
    EXPECT_EQ(HexBytes(bytes), "0A FF 00");
    EXPECT_EQ(HexBytes({}), "");
}

TEST(ReportScrambler, ScramblesKnownReportsStepByStep)
{
    const ReportScrambler scrambler(ScrambledDescription());
    ASSERT_TRUE(scrambler.IsOn());
    FeatureReport rate = MakeFeatureReport(0x01, {0x02});
    scrambler.Scramble(rate);
    EXPECT_EQ(rate, Bytes({0x3E, 0x5B, 0x7E, 0xA2, 0x6D, 0x22, 0xCB, 0x8E}));
    FeatureReport read = MakeFeatureReport(0x8B);
    scrambler.Scramble(read);
    EXPECT_EQ(read, Bytes({0x3E, 0x57, 0x3E, 0xA2, 0x81, 0xD2, 0xCB, 0x8E}));
}

TEST(ReportScrambler, UnscrambleUndoesScrambleForAnyKeyAndReport)
{
    std::mt19937 random(7);
    for (int round = 0; round < 500; ++round)
    {
        DeviceDescription d;
        d.m_bPassword = true;
        for (auto& k : d.m_abPassword)
            k = static_cast<uint8_t>(random());
        const ReportScrambler scrambler(d);
        FeatureReport original;
        for (auto& b : original)
            b = static_cast<uint8_t>(random());
        FeatureReport r = original;
        scrambler.Scramble(r);
        EXPECT_NE(r, original);
        scrambler.Unscramble(r);
        ASSERT_EQ(r, original);
    }
}

TEST(ReportScrambler, OffLeavesReportsAlone)
{
    DeviceDescription d;
    d.m_bPassword = false;
    d.m_abPassword = {1, 2, 3, 4, 5, 6}; // not consulted while off
    const ReportScrambler scrambler(d);
    FeatureReport r = MakeFeatureReport(0x01, {0x02});
    const FeatureReport original = r;
    scrambler.Scramble(r);
    EXPECT_EQ(r, original);
    scrambler.Unscramble(r);
    EXPECT_EQ(r, original);
}

} // namespace
