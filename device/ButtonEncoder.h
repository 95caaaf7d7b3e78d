#pragma once
// The 32 four-byte button codes and the macro and gun blocks that go with
// them (commands 0x12, 0x13 and 0x10 sub 3).

#include "device/ReportFraming.h"

#include <array>
#include <cstdint>
#include <vector>

struct DeviceDescription;
struct ProfileData;

using ButtonCode = std::array<uint8_t, 4>;

// The device code of a button function (00 00 00 00 for one the mouse does
// not know); the shortcut, macro and gun bytes are filled in later.
ButtonCode ButtonFunctionCode(uint8_t byFunction);

struct ButtonTransfer
{
    std::array<ButtonCode, 32> aCode{};
    // Macro numbers 1.. in slot order.
    std::vector<TransferBlock> macroBlocks;
    // Per gun-bound slot in slot order: block numbers 2k + 5 and 2k + 6.
    std::vector<std::array<TransferBlock, 2>> gunBlocks;
    // FF 00 00, then red, green, blue of the first three guns.
    std::array<uint8_t, 12> gunSummary{};
};

inline constexpr uint8_t kFunctionShortcut = 21;
inline constexpr uint8_t kFunctionMacro = 22;
inline constexpr uint8_t kFunctionGun = 121;
inline constexpr int kMaxMacroNumbers = 11;
inline constexpr int kSummaryGuns = 3;

ButtonTransfer EncodeButtonTransfer(const ProfileData& profile,
                                    const DeviceDescription& description);
