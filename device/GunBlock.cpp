#include "device/GunBlock.h"

#include "model/ProfileData.h"

#include <algorithm>

namespace
{

constexpr int kBulletsPerBlock = 15;
constexpr uint8_t kBlockStart[2] = {0x00, 0x01};
constexpr uint8_t kChainMarker = 0xFE;
constexpr uint8_t kShot = 0xF0;
constexpr uint8_t kMove[2] = {0x00, 0xFA};
constexpr uint8_t kBulletEnd[2] = {0x81, 0xF0};

// Writes bullets [from, to) after the block's start pair; returns the end.
std::size_t FillBlock(TransferBlock& block, const GunBullet* bullets, int from, int to)
{
    block[0] = kBlockStart[0];
    block[1] = kBlockStart[1];
    std::size_t pos = 2;
    for (int i = from; i < to; ++i)
    {
        const GunBullet& bullet = bullets[i];
        block[pos++] = static_cast<uint8_t>(bullet.wDelay / 10 | 0x01);
        block[pos++] = kShot;
        if (bullet.iX != 0 || bullet.iY != 0)
        {
            block[pos++] = kMove[0];
            block[pos++] = kMove[1];
            block[pos++] = static_cast<uint8_t>(bullet.iX);
            block[pos++] = static_cast<uint8_t>(bullet.iY);
        }
        block[pos++] = kBulletEnd[0];
        block[pos++] = kBulletEnd[1];
    }
    return pos;
}

// Reads one block's bullets; true when it ends with a chain marker.
bool ReadBlock(const TransferBlock& block, std::vector<GunBullet>& bullets)
{
    if (block[0] != kBlockStart[0] || block[1] != kBlockStart[1])
        return false;
    std::size_t pos = 2;
    while (pos + 4 <= block.size())
    {
        if (block[pos + 1] == kChainMarker)
            return true;
        if (block[pos + 1] != kShot || block[pos] == 0)
            return false;
        GunBullet bullet{};
        bullet.wDelay = static_cast<uint16_t>((block[pos] & 0xFE) * 10);
        pos += 2;
        if (block[pos] == kMove[0] && block[pos + 1] == kMove[1])
        {
            if (pos + 6 > block.size())
                return false;
            bullet.iX = static_cast<int8_t>(block[pos + 2]);
            bullet.iY = static_cast<int8_t>(block[pos + 3]);
            pos += 4;
        }
        if (block[pos] != kBulletEnd[0] || block[pos + 1] != kBulletEnd[1])
            return false;
        pos += 2;
        bullets.push_back(bullet);
    }
    return false;
}

} // namespace

std::array<TransferBlock, 2> EncodeGunBlocks(const ButtonData& slot, int gunNumber)
{
    std::array<TransferBlock, 2> blocks{};
    const int count = std::min<int>(slot.wEventCount, kGunMaxBullets);
    const std::size_t end =
        FillBlock(blocks[0], slot.aBullet, 0, std::min(count, kBulletsPerBlock));
    if (count > kBulletsPerBlock)
    {
        blocks[0][end] = static_cast<uint8_t>(2 * (gunNumber + 2));
        blocks[0][end + 1] = kChainMarker;
        FillBlock(blocks[1], slot.aBullet, kBulletsPerBlock, count);
    }
    return blocks;
}

std::vector<GunBullet> DecodeGunBlocks(const TransferBlock& first, const TransferBlock& second)
{
    std::vector<GunBullet> bullets;
    if (ReadBlock(first, bullets))
        ReadBlock(second, bullets);
    return bullets;
}
