#pragma once
// The profile record. Its memory image is its file image in profile.bin,
// .pbin and Default.pbin, and what the device encoder reads.

#include "guns/GunData.h"
#include "macros/MacroData.h"

#include <bit>
#include <cstddef>
#include <cstdint>

static_assert(std::endian::native == std::endian::little,
              "records are stored as their memory image, little-endian");

#pragma pack(push, 1)

// A stored colour: red, green, blue, 0 (reads 0x00BBGGRR as a 32-bit value).
struct Rgb0
{
    uint8_t r;
    uint8_t g;
    uint8_t b;
    uint8_t zero;
};

inline constexpr int kButtonSlots = 32;
inline constexpr int kSlotsPerMode = 16;

struct ButtonData
{
    char16_t szAssignedFolder[50];
    char16_t szAssignedName[50];
    uint8_t bySlot;
    uint8_t byFunction;
    uint8_t byParam;
    uint8_t byReserved203;
    int32_t iGunIndex;   // -1 = none
    int32_t iMacroIndex; // -1 = none
    int32_t iMacroMode;
    uint8_t abReserved216[4];
    uint8_t byShortcutMods; // bit 0 Ctrl, 1 Shift, 2 Alt, 3 Win
    uint8_t byShortcutKey;  // HID keyboard usage
    uint8_t abReserved222[4];
    uint16_t wEventCount;
    int32_t iLibValue; // macro loop count, or the gun's byExtra
    uint8_t abReserved232[520];
    GunBullet aBullet[kGunMaxBullets];
    int32_t clrGun; // 0x00BBGGRR
    MacroAction aEvent[kMacroMaxActions];
};

struct ProfileData
{
    char16_t szName[50];
    int32_t iPointerSpeed;
    int32_t iScrollLines;
    int32_t iDoubleClickSpeed;
    int32_t bEnhancePointer;
    int32_t bOnePageScroll;
    int32_t iReserved120;
    int32_t iReserved124;
    int32_t iReportRate;
    int32_t iDpiLevel;
    int32_t aiDpi[8];
    int32_t aiDpiSecond[8];
    uint8_t abDpiEnabled[8];
    Rgb0 aDpiColor[8];
    int32_t iLightMode;
    int32_t iBrightness;
    int32_t iLightSpeed;
    int32_t iColorMode;
    int32_t iLightLength;
    Rgb0 rgbLight;
    uint8_t abCycleColorOn[8];
    Rgb0 aCycleColor[8];
    int32_t iLiftOffDistance;
    int32_t bDistanceEnabled;
    uint8_t byKeyResponse;
    uint8_t byMaxDpi;
    uint8_t abReserved314[14];
    int32_t iReserved328;
    int32_t iButtonMode; // 0 office (slots 0..15), 1 game (slots 16..31)
    ButtonData aButton[kButtonSlots];
};

#pragma pack(pop)

// Factory function codes and parameters of the 32 slots; a slot falls back to
// its code when its macro or gun is removed from the library.
inline constexpr uint8_t kDefaultSlotFunction[kButtonSlots] = {
    1,  2, 3, 4, 5, 7, 8, 0, 0, 0, 0, 0, 0, 0, 11, 12,
    25, 2, 3, 4, 5, 7, 8, 0, 0, 0, 0, 0, 0, 0, 11, 12};
inline constexpr uint8_t kDefaultSlotParam[kButtonSlots] = {
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 1, 2, 3, 4, 5, 7, 8, 0, 0, 0, 0, 0};

static_assert(sizeof(Rgb0) == 4);

static_assert(sizeof(ButtonData) == 1756);
static_assert(offsetof(ButtonData, szAssignedName) == 100);
static_assert(offsetof(ButtonData, bySlot) == 200);
static_assert(offsetof(ButtonData, byFunction) == 201);
static_assert(offsetof(ButtonData, byParam) == 202);
static_assert(offsetof(ButtonData, iGunIndex) == 204);
static_assert(offsetof(ButtonData, iMacroIndex) == 208);
static_assert(offsetof(ButtonData, iMacroMode) == 212);
static_assert(offsetof(ButtonData, byShortcutMods) == 220);
static_assert(offsetof(ButtonData, byShortcutKey) == 221);
static_assert(offsetof(ButtonData, wEventCount) == 226);
static_assert(offsetof(ButtonData, iLibValue) == 228);
static_assert(offsetof(ButtonData, aBullet) == 752);
static_assert(offsetof(ButtonData, clrGun) == 1112);
static_assert(offsetof(ButtonData, aEvent) == 1116);

static_assert(sizeof(ProfileData) == 56528);
static_assert(offsetof(ProfileData, iPointerSpeed) == 100);
static_assert(offsetof(ProfileData, iScrollLines) == 104);
static_assert(offsetof(ProfileData, iDoubleClickSpeed) == 108);
static_assert(offsetof(ProfileData, bEnhancePointer) == 112);
static_assert(offsetof(ProfileData, bOnePageScroll) == 116);
static_assert(offsetof(ProfileData, iReserved120) == 120);
static_assert(offsetof(ProfileData, iReserved124) == 124);
static_assert(offsetof(ProfileData, iReportRate) == 128);
static_assert(offsetof(ProfileData, iDpiLevel) == 132);
static_assert(offsetof(ProfileData, aiDpi) == 136);
static_assert(offsetof(ProfileData, aiDpiSecond) == 168);
static_assert(offsetof(ProfileData, abDpiEnabled) == 200);
static_assert(offsetof(ProfileData, aDpiColor) == 208);
static_assert(offsetof(ProfileData, iLightMode) == 240);
static_assert(offsetof(ProfileData, iBrightness) == 244);
static_assert(offsetof(ProfileData, iLightSpeed) == 248);
static_assert(offsetof(ProfileData, iColorMode) == 252);
static_assert(offsetof(ProfileData, iLightLength) == 256);
static_assert(offsetof(ProfileData, rgbLight) == 260);
static_assert(offsetof(ProfileData, abCycleColorOn) == 264);
static_assert(offsetof(ProfileData, aCycleColor) == 272);
static_assert(offsetof(ProfileData, iLiftOffDistance) == 304);
static_assert(offsetof(ProfileData, bDistanceEnabled) == 308);
static_assert(offsetof(ProfileData, byKeyResponse) == 312);
static_assert(offsetof(ProfileData, byMaxDpi) == 313);
static_assert(offsetof(ProfileData, iReserved328) == 328);
static_assert(offsetof(ProfileData, iButtonMode) == 332);
static_assert(offsetof(ProfileData, aButton) == 336);
