#include "device/ButtonEncoder.h"

#include "app/DeviceDescription.h"
#include "device/GunBlock.h"
#include "device/MacroBlock.h"
#include "model/ProfileData.h"

#include <algorithm>

namespace
{

struct FunctionCode
{
    uint8_t byFunction;
    ButtonCode code;
};

// Codes by family in b0: 00 keys (b1 modifiers, b2 usage), 01 mouse buttons,
// 03 consumer keys (b2, b3 = usage, low byte first), 04 wheel, 05 report rate,
// 07 DPI, 08 mode and gun, 09 macro, 0A repeated click, 0B lighting, 0C fire.
constexpr FunctionCode kFunctionCodes[] = {
    {1, {0x01, 0x00, 0xF0, 0x00}},   {2, {0x01, 0x00, 0xF1, 0x00}},
    {3, {0x01, 0x00, 0xF2, 0x00}},   {4, {0x01, 0x00, 0xF4, 0x00}},
    {5, {0x01, 0x00, 0xF3, 0x00}},   {6, {0x07, 0x00, 0x03, 0x00}},
    {7, {0x07, 0x00, 0x01, 0x00}},   {8, {0x07, 0x00, 0x02, 0x00}},
    {9, {0x0A, 0xF0, 0x32, 0x02}},   {10, {0x0A, 0x00, 0x00, 0x00}},
    {11, {0x04, 0x00, 0x01, 0x00}},  {12, {0x04, 0x00, 0x02, 0x00}},
    {13, {0x04, 0x00, 0x03, 0x00}},  {14, {0x04, 0x00, 0x04, 0x00}},
    {18, {0x0A, 0xF0, 0x32, 0x03}},  {22, {0x09, 0x00, 0x00, 0x00}},
    {24, {0x06, 0x00, 0x00, 0x00}},  {25, {0x0C, 0x00, 0x00, 0x00}},
    {26, {0x08, 0x00, 0x01, 0x00}},  {32, {0x00, 0x01, 0x1B, 0x00}},
    {33, {0x00, 0x01, 0x06, 0x00}},  {34, {0x00, 0x01, 0x19, 0x00}},
    {35, {0x00, 0x01, 0x12, 0x00}},  {36, {0x00, 0x01, 0x16, 0x00}},
    {37, {0x00, 0x01, 0x09, 0x00}},  {38, {0x00, 0x01, 0x1C, 0x00}},
    {39, {0x00, 0x01, 0x1D, 0x00}},  {40, {0x00, 0x01, 0x04, 0x00}},
    {41, {0x00, 0x01, 0x13, 0x00}},  {42, {0x00, 0x04, 0x3D, 0x00}},
    {43, {0x00, 0x04, 0x2B, 0x00}},  {44, {0x00, 0x08, 0x07, 0x00}},
    {45, {0x00, 0x08, 0x15, 0x00}},  {46, {0x00, 0x08, 0x0F, 0x00}},
    {47, {0x00, 0x01, 0x11, 0x00}},  {50, {0x0B, 0x00, 0x00, 0x00}},
    {64, {0x03, 0x00, 0x83, 0x01}},  {65, {0x03, 0x00, 0xCD, 0x00}},
    {66, {0x03, 0x00, 0xB7, 0x00}},  {67, {0x03, 0x00, 0xB6, 0x00}},
    {68, {0x03, 0x00, 0xB5, 0x00}},  {69, {0x03, 0x00, 0xE9, 0x00}},
    {70, {0x03, 0x00, 0xEA, 0x00}},  {71, {0x03, 0x00, 0xE2, 0x00}},
    {72, {0x03, 0x00, 0x23, 0x02}},  {73, {0x03, 0x00, 0x2A, 0x02}},
    {74, {0x03, 0x00, 0x25, 0x02}},  {75, {0x03, 0x00, 0x24, 0x02}},
    {76, {0x03, 0x00, 0x26, 0x02}},  {77, {0x03, 0x00, 0x27, 0x02}},
    {78, {0x03, 0x00, 0x21, 0x02}},  {79, {0x03, 0x00, 0x8A, 0x01}},
    {80, {0x03, 0x00, 0x92, 0x01}},  {81, {0x03, 0x00, 0x94, 0x01}},
    {104, {0x05, 0x00, 0x01, 0x00}}, {105, {0x05, 0x00, 0x02, 0x00}},
    {112, {0x05, 0x00, 0x03, 0x00}}, {113, {0x07, 0x00, 0x04, 0x02}},
    {116, {0x08, 0x00, 0x03, 0x00}},
};

constexpr uint8_t kMacroFamily = 0x09;
constexpr uint8_t kGunFamily = 0x08;
constexpr uint8_t kFirstGunCode = 4;
constexpr uint8_t kConfigurable = 1;

} // namespace

ButtonCode ButtonFunctionCode(uint8_t byFunction)
{
    for (const FunctionCode& entry : kFunctionCodes)
        if (entry.byFunction == byFunction)
            return entry.code;
    return {};
}

ButtonTransfer EncodeButtonTransfer(const ProfileData& profile,
                                    const DeviceDescription& description)
{
    ButtonTransfer transfer;
    transfer.gunSummary[0] = 0xFF;
    int macroNumber = 1;
    int gunNumber = 0;

    for (int s = 0; s < kButtonSlots; ++s)
    {
        const ButtonData& slot = profile.aButton[s];
        ButtonCode code = ButtonFunctionCode(slot.byFunction);

        if (slot.byFunction == kFunctionShortcut)
        {
            code[1] = slot.byShortcutMods;
            code[2] = slot.byShortcutKey;
        }
        else if (slot.byFunction == kFunctionMacro)
        {
            code[1] = static_cast<uint8_t>(slot.iMacroMode);
        }
        else if (slot.byFunction == kFunctionGun)
        {
            code = {kGunFamily, 0x00, static_cast<uint8_t>(kFirstGunCode + gunNumber), 0x00};
            if (gunNumber < kSummaryGuns)
            {
                const auto color = static_cast<uint32_t>(slot.clrGun);
                uint8_t* rgb = &transfer.gunSummary[3 + 3 * gunNumber];
                rgb[0] = static_cast<uint8_t>(color);
                rgb[1] = static_cast<uint8_t>(color >> 8);
                rgb[2] = static_cast<uint8_t>(color >> 16);
            }
            ++gunNumber;
            transfer.gunBlocks.push_back(EncodeGunBlocks(slot, gunNumber));
        }

        if (code[0] == kMacroFamily && macroNumber <= kMaxMacroNumbers)
        {
            code[2] = static_cast<uint8_t>(macroNumber++);
            transfer.macroBlocks.push_back(EncodeMacroBlock(slot));
        }

        // A fixed button sends its description code whatever the profile says;
        // its macro and gun still took their numbers above.
        const auto& fixed = description.m_aButtonCode[s];
        if (fixed[4] != kConfigurable)
            code = {fixed[0], fixed[1], fixed[2], fixed[3]};

        transfer.aCode[s] = code;
    }
    return transfer;
}
