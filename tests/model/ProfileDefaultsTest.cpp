#include "model/ProfileDefaults.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

namespace
{

// Reads little-endian values at byte offsets, so the checks below see the
// record as its file does.
struct Bytes
{
    const uint8_t* p;
    int32_t I32(std::size_t offset) const
    {
        int32_t v;
        std::memcpy(&v, p + offset, 4);
        return v;
    }
    std::vector<uint8_t> Span(std::size_t offset, std::size_t n) const
    {
        return std::vector<uint8_t>(p + offset, p + offset + n);
    }
};

std::unique_ptr<ProfileData> Filled(uint8_t fill)
{
    auto p = std::make_unique<ProfileData>();
    std::memset(p.get(), fill, sizeof *p);
    return p;
}

constexpr std::size_t kSlot0 = 336;
constexpr std::size_t kSlotSize = 1756;

} // namespace

TEST(ProfileDefaults, HeaderBytes)
{
    auto p = Filled(0xAB);
    ApplyProfileDefaults(*p, 3335);
    Bytes b{reinterpret_cast<const uint8_t*>(p.get())};

    EXPECT_EQ(b.Span(0, 100), std::vector<uint8_t>(100, 0xAB)); // the name is left alone
    const int32_t ints[] = {6, 3, 5, 0, 0, 10, 10, 2, 0};
    for (std::size_t i = 0; i < 9; ++i)
        EXPECT_EQ(b.I32(100 + 4 * i), ints[i]) << "offset " << 100 + 4 * i;
    for (std::size_t i = 0; i < 8; ++i)
    {
        EXPECT_EQ(b.I32(136 + 4 * i), 10 * int32_t(i + 1));
        EXPECT_EQ(b.I32(168 + 4 * i), 10 * int32_t(i + 1));
    }
    EXPECT_EQ(b.Span(200, 8), std::vector<uint8_t>(8, 1));
    const std::vector<uint8_t> colors = {255, 0,   0,   0,   0, 255, 0,   0,   0,   0, 255,
                                         0,   255, 255, 0,   0, 255, 0,   255, 0,   0, 255,
                                         255, 0,   255, 128, 0, 0,   255, 255, 255, 0};
    EXPECT_EQ(b.Span(208, 32), colors);
    EXPECT_EQ(b.Span(272, 32), colors);
    EXPECT_EQ(b.I32(240), 4);
    EXPECT_EQ(b.I32(244), 255);
    EXPECT_EQ(b.I32(248), 3);
    EXPECT_EQ(b.I32(252), 1);
    EXPECT_EQ(b.I32(256), 2);
    EXPECT_EQ(b.Span(260, 4), (std::vector<uint8_t>{255, 0, 0, 0}));
    EXPECT_EQ(b.Span(264, 8), (std::vector<uint8_t>{1, 1, 1, 1, 1, 1, 1, 0}));
    EXPECT_EQ(b.I32(304), 16);
    EXPECT_EQ(b.I32(308), 0);
    EXPECT_EQ(b.Span(312, 2), (std::vector<uint8_t>{4, 8}));
    EXPECT_EQ(b.Span(314, 22), std::vector<uint8_t>(22, 0)); // reserved and iButtonMode
}

TEST(ProfileDefaults, ButtonSlotBytes)
{
    auto p = Filled(0xAB);
    ApplyProfileDefaults(*p, 3335);
    Bytes b{reinterpret_cast<const uint8_t*>(p.get())};
    const uint8_t functions[32] = {1,  2, 3, 4, 5, 7, 8, 0, 0, 0, 0, 0, 0, 0, 11, 12,
                                   25, 2, 3, 4, 5, 7, 8, 0, 0, 0, 0, 0, 0, 0, 11, 12};
    const uint8_t params[32] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                0, 0, 0, 0, 1, 2, 3, 4, 5, 7, 8, 0, 0, 0, 0, 0};
    for (std::size_t i = 0; i < 32; ++i)
    {
        SCOPED_TRACE(i);
        std::size_t s = kSlot0 + kSlotSize * i;
        std::vector<uint8_t> expected(kSlotSize, 0);
        expected[200] = static_cast<uint8_t>(i);
        expected[201] = functions[i];
        expected[202] = params[i];
        std::fill(expected.begin() + 204, expected.begin() + 212, 0xFF); // gun and macro -1
        expected[1112] = 255;                                            // red gun colour
        EXPECT_EQ(b.Span(s, kSlotSize), expected);
    }
}

TEST(ProfileDefaults, DpiStepsBySensor)
{
    struct Case
    {
        int sensor;
        std::vector<int32_t> steps;
    };
    const Case cases[] = {
        {3050, {2, 3, 4, 5, 6, 8, 10, 12}},        {3104, {25, 50, 75, 100, 125, 150, 175, 200}},
        {3212, {13, 26, 52, 78, 86, 189, 70, 80}}, {3325, {10, 20, 30, 40, 50, 60, 70, 80}},
        {3327, {10, 20, 30, 40, 50, 60, 70, 80}},  {3330, {10, 20, 30, 40, 50, 60, 70, 80}},
        {3333, {10, 20, 30, 40, 50, 60, 70, 80}},  {6400, {10, 20, 30, 40, 50, 60, 70, 80}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.sensor);
        auto p = Filled(0);
        ApplyProfileDefaults(*p, c.sensor);
        EXPECT_EQ(std::vector<int32_t>(p->aiDpi, p->aiDpi + 8), c.steps);
        EXPECT_EQ(std::vector<int32_t>(p->aiDpiSecond, p->aiDpiSecond + 8), c.steps);
    }
    // Sensors without defaults keep whatever the record held.
    for (int sensor : {36, 37, 38, 60, 3370, 5050, -1, 12345})
    {
        SCOPED_TRACE(sensor);
        auto p = Filled(0x22);
        ApplyProfileDefaults(*p, sensor);
        for (int i = 0; i < 8; ++i)
        {
            EXPECT_EQ(p->aiDpi[i], 0x22222222);
            EXPECT_EQ(p->aiDpiSecond[i], 0x22222222);
        }
        EXPECT_EQ(p->iPointerSpeed, 6);
    }
}
