// Colour forms, typed components and the lighting mode table.

#include "lighting/ColorForms.h"
#include "lighting/LightModes.h"

#include <gtest/gtest.h>

TEST(ColorForms, StoredAndScreenFormsConvertBothWays)
{
    EXPECT_EQ(ScreenColor(Rgb0{0x12, 0x34, 0x56, 0}), 0xFF123456u);
    // The stored fourth byte never reaches the screen; the screen alpha never reaches the store.
    EXPECT_EQ(ScreenColor(Rgb0{1, 2, 3, 0x77}), 0xFF010203u);
    const Rgb0 stored = StoredColor(0x80ABCDEFu);
    EXPECT_EQ(stored.r, 0xAB);
    EXPECT_EQ(stored.g, 0xCD);
    EXPECT_EQ(stored.b, 0xEF);
    EXPECT_EQ(stored.zero, 0);
    for (uint32_t rgb : {0x000000u, 0xFFFFFFu, 0xFF0000u, 0x00FF00u, 0x0000FFu, 0x7F8081u})
        EXPECT_EQ(ScreenColor(StoredColor(rgb)), 0xFF000000u | rgb);
}

TEST(ColorForms, OneComponentIsReplacedAndTheResultIsOpaque)
{
    EXPECT_EQ(WithComponent(0x00102030u, ColorComponent::Red, 0xFF), 0xFFFF2030u);
    EXPECT_EQ(WithComponent(0xFF102030u, ColorComponent::Green, 0), 0xFF100030u);
    EXPECT_EQ(WithComponent(0xFF102030u, ColorComponent::Blue, 7), 0xFF102007u);
    EXPECT_EQ(GetComponent(0xFF102030u, ColorComponent::Red), 0x10);
    EXPECT_EQ(GetComponent(0xFF102030u, ColorComponent::Blue), 0x30);
}

TEST(ColorForms, TypedComponentsAreClampedAndOutOfRangeTextsRewritten)
{
    struct Case
    {
        const char16_t* text;
        int value;
        bool rewrite;
    };
    const Case cases[] = {
        {u"0", 0, false},    {u"255", 255, false}, {u"128", 128, false},
        {u"256", 255, true}, {u"300", 255, true},  {u"99999999999999999999", 255, true},
        {u"-4", 0, true},    {u"-0", 0, false},    {u"abc", 0, false},
        {u"", 0, false},     {u"12ab", 12, false}, {u" 7", 7, false},
        {u"+9", 9, false},
    };
    for (const Case& c : cases)
    {
        const ComponentText read = ReadComponent(c.text);
        EXPECT_EQ(read.value, c.value);
        EXPECT_EQ(read.rewrite, c.rewrite);
    }
}

TEST(LightModes, ModesShowTheirControlGroups)
{
    auto bits = [](int mode)
    {
        const LightModeControls c = LightModeControlsOf(mode);
        return (c.bBrightness ? 8 : 0) | (c.bSpeed ? 4 : 0) | (c.bColor ? 2 : 0) |
               (c.bLength ? 1 : 0);
    };
    const int expected[12] = {0b0000, 0b1010, 0b0110, 0b1100, 0b1100, 0b1010,
                              0b0011, 0b0011, 0b1010, 0b1110, 0b1100, 0b1000};
    for (int mode = 0; mode < 12; ++mode)
        EXPECT_EQ(bits(mode), expected[mode]) << "mode " << mode;
    EXPECT_EQ(bits(-1), 0);
    EXPECT_EQ(bits(12), 0);
}
