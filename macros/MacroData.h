#pragma once
// Macro library records. The memory image is the file image of macro.bin,
// .mbin and .mbins, and the copy held in a bound button slot.

#include <cstddef>
#include <cstdint>

static_assert(sizeof(char16_t) == 2);

#pragma pack(push, 1)

// One action of a macro: a key or mouse-button press or release, or a mouse move.
struct MacroAction
{
    uint8_t byReserved0;
    uint8_t byCode; // HID usage, or 0xF0..0xF4 mouse buttons, 0xF6 mouse move
    uint8_t byKind; // 0 mouse move, 1 press, 2 release
    uint8_t byReserved3;
    uint16_t wDelay; // milliseconds after this action
    uint16_t wReserved6;
    int32_t iX;
    int32_t iY;
};

inline constexpr int kMacroMaxActions = 40;
// MacroAction::byKind.
inline constexpr uint8_t kMacroKindMove = 0, kMacroKindPress = 1, kMacroKindRelease = 2;
inline constexpr uint8_t kMacroCodeMouseMove = 0xF6;

struct MacroData
{
    char16_t szFolder[50];
    char16_t szMacroName[50];
    uint16_t wLoopCount;
    uint16_t wReserved202;
    uint16_t wActionCount;
    uint16_t wReserved206;
    uint32_t bLocked;
    uint32_t bIsFolder;
    MacroAction aAction[kMacroMaxActions];
};

#pragma pack(pop)

static_assert(sizeof(MacroAction) == 16);
static_assert(offsetof(MacroAction, byCode) == 1);
static_assert(offsetof(MacroAction, byKind) == 2);
static_assert(offsetof(MacroAction, wDelay) == 4);
static_assert(offsetof(MacroAction, iX) == 8);
static_assert(offsetof(MacroAction, iY) == 12);

static_assert(sizeof(MacroData) == 856);
static_assert(offsetof(MacroData, szMacroName) == 100);
static_assert(offsetof(MacroData, wLoopCount) == 200);
static_assert(offsetof(MacroData, wActionCount) == 204);
static_assert(offsetof(MacroData, bLocked) == 208);
static_assert(offsetof(MacroData, bIsFolder) == 212);
static_assert(offsetof(MacroData, aAction) == 216);
