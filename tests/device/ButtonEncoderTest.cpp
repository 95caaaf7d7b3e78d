#include "device/ButtonEncoder.h"
#include "device/GunBlock.h"
#include "device/MacroBlock.h"
#include "tests/device/DeviceTestSupport.h"

#include <gtest/gtest.h>

namespace
{

void BindMacro(ProfileData& p, int slot, int32_t mode, uint8_t firstKey)
{
    ButtonData& b = p.aButton[slot];
    b.byFunction = kFunctionMacro;
    b.iMacroMode = mode;
    b.wEventCount = 1;
    b.aEvent[0].byKind = 1;
    b.aEvent[0].byCode = firstKey;
}

void BindGun(ProfileData& p, int slot, int32_t color)
{
    ButtonData& b = p.aButton[slot];
    b.byFunction = kFunctionGun;
    b.clrGun = color;
    b.wEventCount = 1;
    b.aBullet[0].iX = slot;
}

TEST(ButtonEncoder, FunctionCodesShortcutsAndUnknownFunctions)
{
    auto p = BlankProfile();
    p->aButton[0].byFunction = 1;
    p->aButton[1].byFunction = 113;
    p->aButton[2].byFunction = kFunctionShortcut;
    p->aButton[2].byShortcutMods = 0x05;
    p->aButton[2].byShortcutKey = 0x2C;
    p->aButton[3].byFunction = 15; // not in the table
    p->aButton[4].byFunction = 72;
    const ButtonTransfer t = EncodeButtonTransfer(*p, PlainDescription());
    EXPECT_EQ(t.aCode[0], (ButtonCode{0x01, 0x00, 0xF0, 0x00}));
    EXPECT_EQ(t.aCode[1], (ButtonCode{0x07, 0x00, 0x04, 0x02}));
    EXPECT_EQ(t.aCode[2], (ButtonCode{0x00, 0x05, 0x2C, 0x00}));
    EXPECT_EQ(t.aCode[3], (ButtonCode{}));
    EXPECT_EQ(t.aCode[4], (ButtonCode{0x03, 0x00, 0x23, 0x02}));
    EXPECT_TRUE(t.macroBlocks.empty());
    EXPECT_TRUE(t.gunBlocks.empty());
    EXPECT_EQ(t.gunSummary, (std::array<uint8_t, 12>{0xFF}));
}

TEST(ButtonEncoder, MacrosAndGunsAreNumberedInSlotOrder)
{
    auto p = BlankProfile();
    BindMacro(*p, 3, 0x0201, 0x10);
    BindGun(*p, 5, 0x00332211);
    BindMacro(*p, 20, 7, 0x11);
    BindGun(*p, 30, 0x00000080);
    const ButtonTransfer t = EncodeButtonTransfer(*p, PlainDescription());
    EXPECT_EQ(t.aCode[3], (ButtonCode{0x09, 0x01, 0x01, 0x00})); // mode's low byte, macro 1
    EXPECT_EQ(t.aCode[20], (ButtonCode{0x09, 0x07, 0x02, 0x00}));
    EXPECT_EQ(t.aCode[5], (ButtonCode{0x08, 0x00, 0x04, 0x00}));
    EXPECT_EQ(t.aCode[30], (ButtonCode{0x08, 0x00, 0x05, 0x00}));
    ASSERT_EQ(t.macroBlocks.size(), 2u);
    EXPECT_EQ(DecodeMacroBlock(t.macroBlocks[1]).aEvent.at(0).byCode, 0x11);
    ASSERT_EQ(t.gunBlocks.size(), 2u);
    EXPECT_EQ(DecodeGunBlocks(t.gunBlocks[1][0], t.gunBlocks[1][1]).at(0).iX, 30);
    EXPECT_EQ(t.gunSummary,
              (std::array<uint8_t, 12>{0xFF, 0, 0, 0x11, 0x22, 0x33, 0x80, 0, 0, 0, 0, 0}));
}

TEST(ButtonEncoder, FixedButtonsSendTheirCodeButStillTakeANumber)
{
    DeviceDescription d = PlainDescription();
    d.m_aButtonCode[2] = {0x01, 0x00, 0xF0, 0x00, 0x00};
    d.m_aButtonCode[4] = {0x01, 0x00, 0xF1, 0x00, 0x02};
    d.m_aButtonCode[9] = {}; // missing entry: sends zeros
    auto p = BlankProfile();
    BindMacro(*p, 2, 0, 0x20);
    BindMacro(*p, 6, 0, 0x21);
    p->aButton[4].byFunction = 3;
    p->aButton[9].byFunction = 1;
    const ButtonTransfer t = EncodeButtonTransfer(*p, d);
    EXPECT_EQ(t.aCode[2], (ButtonCode{0x01, 0x00, 0xF0, 0x00}));
    EXPECT_EQ(t.aCode[4], (ButtonCode{0x01, 0x00, 0xF1, 0x00}));
    EXPECT_EQ(t.aCode[9], (ButtonCode{}));
    EXPECT_EQ(t.aCode[6], (ButtonCode{0x09, 0x00, 0x02, 0x00}));
    ASSERT_EQ(t.macroBlocks.size(), 2u);
}

TEST(ButtonEncoder, NoMoreThanElevenMacrosAndThreeGunColours)
{
    auto p = BlankProfile();
    for (int s = 0; s < 13; ++s)
        BindMacro(*p, s, 0, static_cast<uint8_t>(s));
    for (int s = 13; s < 18; ++s)
        BindGun(*p, s, 0x00010101 * s);
    const ButtonTransfer t = EncodeButtonTransfer(*p, PlainDescription());
    EXPECT_EQ(t.macroBlocks.size(), 11u);
    EXPECT_EQ(t.aCode[10][2], 11);
    EXPECT_EQ(t.aCode[11], (ButtonCode{0x09, 0x00, 0x00, 0x00})); // no number left
    EXPECT_EQ(t.gunBlocks.size(), 5u);
    EXPECT_EQ(t.aCode[17][2], 4 + 4);
    EXPECT_EQ(t.gunSummary[11], 15); // third gun's blue; the fourth and fifth are left out
}

} // namespace
