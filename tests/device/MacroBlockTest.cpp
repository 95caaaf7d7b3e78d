#include "device/MacroBlock.h"
#include "tests/device/DeviceTestSupport.h"

#include <gtest/gtest.h>

namespace
{

MacroAction Action(uint8_t kind, uint8_t code, uint16_t delay, int32_t x = 0, int32_t y = 0)
{
    MacroAction a{};
    a.byKind = kind;
    a.byCode = code;
    a.wDelay = delay;
    a.iX = x;
    a.iY = y;
    return a;
}

ButtonData MacroSlot(std::initializer_list<MacroAction> actions, int32_t loops = 1)
{
    ButtonData slot{};
    slot.iLibValue = loops;
    for (const MacroAction& a : actions)
        slot.aEvent[slot.wEventCount++] = a;
    return slot;
}

std::vector<uint8_t> Head(const TransferBlock& block, std::size_t n)
{
    return {block.begin(), block.begin() + n};
}

TEST(MacroBlock, EntriesByKindAndDelay)
{
    const ButtonData slot =
        MacroSlot({Action(1, 0x04, 50), Action(2, 0x04, 1270), Action(1, 0x05, 1271),
                   Action(0, 0xF6, 30, -2, 300), Action(0, 0xF6, 2000, 1, -1), Action(7, 0x09, 20)},
                  0x0102);
    const TransferBlock block = EncodeMacroBlock(slot);
    const std::vector<uint8_t> expected = {
        0x01, 0x02,                                                 // loop count, big-endian
        0x05, 0x04,                                                 // press, 50 ms
        0xFF, 0x04,                                                 // release, 1270 ms
        0x01, 0x05, 0x00, 0x01, 0x00, 0x3F,                         // press, w 63, u 1
        0x03, 0xFB, 0xFE, 0xFF, 0x2C, 0x01,                         // move
        0x00, 0xFB, 0x01, 0x00, 0xFF, 0xFF, 0x00, 0x01, 0x00, 0x64, // long move, w 100
        0x02, 0x09,                                                 // other kind
    };
    EXPECT_EQ(Head(block, expected.size()), expected);
    for (std::size_t i = expected.size(); i < block.size(); ++i)
        ASSERT_EQ(block[i], 0) << i;
}

TEST(MacroBlock, EmptyMacroIsAllZeroEvenWithALoopCount)
{
    EXPECT_EQ(EncodeMacroBlock(MacroSlot({}, 5)), TransferBlock{});
}

TEST(MacroBlock, ActionsThatDoNotFitWholeAreLeftOut)
{
    // 21 long moves of 10 bytes: 2 + 12 * 10 = 122 leaves 6 bytes, so the
    // 13th move and everything after it (even a 2-byte press) stay out.
    ButtonData slot{};
    for (int i = 0; i < 12; ++i)
        slot.aEvent[i] = Action(0, 0xF6, 5000, i, i);
    slot.aEvent[12] = Action(0, 0xF6, 5000, 99, 99);
    slot.aEvent[13] = Action(1, 0x04, 10);
    slot.wEventCount = 14;
    const TransferBlock block = EncodeMacroBlock(slot);
    EXPECT_EQ(DecodeMacroBlock(block).aEvent.size(), 12u);
    for (std::size_t i = 122; i < block.size(); ++i)
        EXPECT_EQ(block[i], 0) << i;
}

TEST(MacroBlock, OnlyTheFirstFortyActionsCount)
{
    ButtonData slot{};
    for (int i = 0; i < kMacroMaxActions; ++i)
        slot.aEvent[i] = Action(i % 2 ? 2 : 1, static_cast<uint8_t>(4 + i), 10);
    slot.wEventCount = 0xFFFF; // damaged count
    const DecodedMacro macro = DecodeMacroBlock(EncodeMacroBlock(slot));
    ASSERT_EQ(macro.aEvent.size(), 40u);
    EXPECT_EQ(macro.aEvent[39].byCode, 4 + 39);
}

TEST(MacroBlock, MouseReadsBackWhatWasRecorded)
{
    const ButtonData slot =
        MacroSlot({Action(1, 0x04, 40), Action(2, 0x04, 3000), Action(0, 0xF6, 120, 12, -7),
                   Action(1, 0x2C, 1289), Action(0, 0xF6, 1500, -300, 4), Action(2, 0x2C, 0)},
                  3);
    const DecodedMacro macro = DecodeMacroBlock(EncodeMacroBlock(slot));
    EXPECT_EQ(macro.wLoopCount, 3);
    ASSERT_EQ(macro.aEvent.size(), 6u);
    for (int i = 0; i < 6; ++i)
    {
        const MacroAction& sent = slot.aEvent[i];
        const MacroAction& got = macro.aEvent[i];
        EXPECT_EQ(got.byKind, sent.byKind) << i;
        EXPECT_EQ(got.byCode, sent.byKind == 0 ? kMacroCodeMouseMove : sent.byCode) << i;
        EXPECT_EQ(got.iX, sent.iX) << i;
        EXPECT_EQ(got.iY, sent.iY) << i;
        EXPECT_LE(std::abs(got.wDelay - sent.wDelay), 20) << i;
    }
}

} // namespace
