#pragma once
// Gun library records. The memory image is the file image of gun.bin, .gbin
// and .gbins, and the copy held in a bound button slot.

#include <cstddef>
#include <cstdint>

static_assert(sizeof(char16_t) == 2);

#pragma pack(push, 1)

struct GunBullet
{
    int32_t iX; // -127..127
    int32_t iY; // -127..127
    uint16_t wReserved8;
    uint16_t wDelay; // milliseconds, 10..1270
};

inline constexpr int kGunMaxBullets = 30;

struct GunData
{
    char16_t szFolder[50];
    char16_t szGunName[50];
    uint8_t byBulletCount;
    uint8_t byReserved201;
    uint8_t byExtra;
    uint8_t byReserved203;
    uint32_t bLocked;
    uint32_t bIsFolder;
    uint32_t dwReserved212;
    GunBullet aBullet[kGunMaxBullets];
};

#pragma pack(pop)

static_assert(sizeof(GunBullet) == 12);
static_assert(offsetof(GunBullet, iY) == 4);
static_assert(offsetof(GunBullet, wDelay) == 10);

static_assert(sizeof(GunData) == 576);
static_assert(offsetof(GunData, szGunName) == 100);
static_assert(offsetof(GunData, byBulletCount) == 200);
static_assert(offsetof(GunData, byExtra) == 202);
static_assert(offsetof(GunData, bLocked) == 204);
static_assert(offsetof(GunData, bIsFolder) == 208);
static_assert(offsetof(GunData, aBullet) == 216);
