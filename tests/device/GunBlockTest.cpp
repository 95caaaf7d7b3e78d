#include "device/GunBlock.h"
#include "tests/device/DeviceTestSupport.h"

#include <gtest/gtest.h>

namespace
{

ButtonData GunSlot(int bullets)
{
    ButtonData slot{};
    slot.wEventCount = static_cast<uint16_t>(bullets);
    for (int i = 0; i < std::min(bullets, kGunMaxBullets); ++i)
    {
        slot.aBullet[i].wDelay = static_cast<uint16_t>(20 + 10 * i);
        slot.aBullet[i].iX = i % 3 - 1;
        slot.aBullet[i].iY = i % 2 ? 0 : 2;
    }
    return slot;
}

TEST(GunBlock, BulletBytes)
{
    ButtonData slot{};
    slot.wEventCount = 3;
    slot.aBullet[0] = {0, 0, 0, 100};       // still
    slot.aBullet[1] = {-1, 5, 0, 30};       // moved
    slot.aBullet[2] = {200, -130, 0, 1270}; // offsets wrap to a byte
    const auto blocks = EncodeGunBlocks(slot, 1);
    const std::vector<uint8_t> expected = {0x00, 0x01, 0x0B, 0xF0, 0x81, 0xF0, 0x03, 0xF0,
                                           0x00, 0xFA, 0xFF, 0x05, 0x81, 0xF0, 0x7F, 0xF0,
                                           0x00, 0xFA, 0xC8, 0x7E, 0x81, 0xF0, 0x00};
    EXPECT_EQ(std::vector<uint8_t>(blocks[0].begin(), blocks[0].begin() + expected.size()),
              expected);
    EXPECT_EQ(blocks[1], TransferBlock{});
}

TEST(GunBlock, FifteenBulletsNeedNoSecondBlock)
{
    const auto blocks = EncodeGunBlocks(GunSlot(15), 1);
    EXPECT_EQ(blocks[1], TransferBlock{});
    EXPECT_EQ(DecodeGunBlocks(blocks[0], blocks[1]).size(), 15u);
    EXPECT_EQ(std::count(blocks[0].begin(), blocks[0].end(), 0xFE), 0);
}

TEST(GunBlock, SixteenBulletsChainToTheSecondBlock)
{
    ButtonData slot = GunSlot(16);
    const auto first = EncodeGunBlocks(slot, 1);
    // Of bullets 1..15, numbers 2, 8 and 14 are still (4 bytes), the rest
    // moved (8 bytes).
    const std::size_t end = 2 + 12 * 8 + 3 * 4;
    EXPECT_EQ(first[0][end], 0x06);
    EXPECT_EQ(first[0][end + 1], 0xFE);
    EXPECT_EQ(first[1][0], 0x00);
    EXPECT_EQ(first[1][1], 0x01);
    EXPECT_EQ(first[1][2], (20 + 10 * 15) / 10 | 1);
    // The third gun's second block is number 10.
    EXPECT_EQ(EncodeGunBlocks(slot, 3)[0][end], 10);
}

TEST(GunBlock, ThirtyFullBulletsFitAndMoreAreIgnored)
{
    ButtonData slot{};
    slot.wEventCount = 200; // damaged count
    for (auto& bullet : slot.aBullet)
        bullet = {-128, 127, 0, 1270};
    const auto blocks = EncodeGunBlocks(slot, 2);
    const auto bullets = DecodeGunBlocks(blocks[0], blocks[1]);
    ASSERT_EQ(bullets.size(), 30u);
    EXPECT_EQ(bullets[29].iX, -128);
    EXPECT_EQ(bullets[29].iY, 127);
    EXPECT_EQ(blocks[0][2 + 15 * 8], 8); // chain to block 8
}

TEST(GunBlock, MouseReadsBackThePattern)
{
    const ButtonData slot = GunSlot(22);
    const auto blocks = EncodeGunBlocks(slot, 1);
    const auto bullets = DecodeGunBlocks(blocks[0], blocks[1]);
    ASSERT_EQ(bullets.size(), 22u);
    for (int i = 0; i < 22; ++i)
    {
        EXPECT_EQ(bullets[i].iX, slot.aBullet[i].iX) << i;
        EXPECT_EQ(bullets[i].iY, slot.aBullet[i].iY) << i;
        EXPECT_LE(std::abs(bullets[i].wDelay - slot.aBullet[i].wDelay), 10) << i;
    }
}

} // namespace
