// The function catalogue and the assignment rules, without a window.

#include "buttons/ButtonFunctions.h"
#include "device/ButtonEncoder.h"
#include "model/NameField.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <set>

namespace
{

std::unique_ptr<ProfileData> Profile(int buttonMode, uint8_t fill)
{
    auto p = std::make_unique<ProfileData>();
    std::memset(static_cast<void*>(p.get()), 0, sizeof(ProfileData));
    p->iButtonMode = buttonMode;
    for (ButtonData& slot : p->aButton)
        slot.byFunction = fill;
    return p;
}

std::string Bracket(std::string_view key)
{
    return "[" + std::string(key) + "]";
}

} // namespace

TEST(ButtonFunctionsTest, EveryItemHasAFixedCodeTheMouseKnowsAndAMatchingLabel)
{
    const auto defaults = Profile(0, 0);
    std::set<std::string> items;
    std::set<uint8_t> codes;
    for (const ButtonFunction& function : ButtonFunctionCatalogue())
    {
        EXPECT_TRUE(items.insert(function.szItem).second) << function.szItem;
        if (function.szLabelKey == nullptr)
            continue;
        EXPECT_TRUE(codes.insert(function.byCode).second) << function.szItem;
        EXPECT_EQ(FunctionCodeForItem(function.szItem, 3, *defaults), function.byCode);
        // Codes the mouse gets from its own table; 0 is "off", 21 and 121 are
        // filled from the binding.
        if (function.byCode != 0 && function.byCode != 21 && function.byCode != 121)
            EXPECT_NE(ButtonFunctionCode(function.byCode), ButtonCode{}) << function.szItem;
        if (function.byCode != 21 && function.byCode != 22 && function.byCode != 121)
            EXPECT_STREQ(LabelKeyForCode(function.byCode), function.szLabelKey);
    }
    EXPECT_EQ(items.size(), 57u);
    EXPECT_EQ(FunctionCodeForItem("juji", 0, *defaults), 113);
    EXPECT_EQ(FunctionCodeForItem("Select_GUN", 0, *defaults), 121);
    EXPECT_EQ(FunctionCodeForItem("Lock_PC", 0, *defaults), 46);
    EXPECT_EQ(FunctionCodeForItem("no_such_item", 0, *defaults), 1);
    EXPECT_EQ(FunctionCodeForItem("", 0, *defaults), 1);
    // Codes only a stored profile may hold read as "click".
    for (uint8_t code : {10, 13, 14, 24, 39, 116, 200})
        EXPECT_STREQ(LabelKeyForCode(code), "click_text") << int(code);
}

TEST(ButtonFunctionsTest, DefaultTakesTheSlotCodeOfTheDefaultProfile)
{
    auto defaults = Profile(0, 0);
    defaults->aButton[5].byFunction = 7;
    defaults->aButton[21].byFunction = 68;
    EXPECT_EQ(FunctionCodeForItem("DEFAULT", 5, *defaults), 7);
    EXPECT_EQ(FunctionCodeForItem("default", 21, *defaults), 68);
    EXPECT_EQ(FunctionCodeForItem("default", 6, *defaults), 0);
}

TEST(ButtonFunctionsTest, LeftClickRuleWatchesTheActiveSetOnly)
{
    auto office = Profile(0, 2);
    office->aButton[0].byFunction = 1;
    EXPECT_FALSE(KeepsLeftClick(*office, 0, 2));
    EXPECT_TRUE(KeepsLeftClick(*office, 0, 25));
    EXPECT_TRUE(KeepsLeftClick(*office, 4, 2));
    // Slots 14 and 15 do not count in office mode; the game set never does.
    office->aButton[14].byFunction = 1;
    office->aButton[15].byFunction = 25;
    office->aButton[16].byFunction = 1;
    EXPECT_FALSE(KeepsLeftClick(*office, 0, 0));
    EXPECT_TRUE(KeepsLeftClick(*office, 13, 1));

    auto game = Profile(1, 2);
    game->aButton[31].byFunction = 25;
    game->aButton[0].byFunction = 1;
    EXPECT_FALSE(KeepsLeftClick(*game, 31, 0));
    EXPECT_TRUE(KeepsLeftClick(*game, 20, 0));
    EXPECT_TRUE(KeepsLeftClick(*game, 31, 1));
}

TEST(ButtonFunctionsTest, CountsAndTwinsSpanBothSets)
{
    auto p = Profile(0, 1);
    p->aButton[2].byFunction = 22;
    p->aButton[30].byFunction = 22;
    EXPECT_EQ(CountSlotsWithCode(*p, 22), 2);
    EXPECT_EQ(CountSlotsWithCode(*p, 1), 30);
    EXPECT_EQ(TwinSlot(3), 19);
    EXPECT_EQ(TwinSlot(20), 4);
    EXPECT_EQ(TwinSlot(15), 31);
    EXPECT_EQ(TwinSlot(16), 0);
}

TEST(ButtonFunctionsTest, ShortcutFlagsAndModsRoundTripAndOnlyOneCounts)
{
    const uint8_t flags[4] = {1, 0, 1, 2};
    EXPECT_EQ(ShortcutModsFromFlags(flags), 0b0101);
    uint8_t back[4] = {9, 9, 9, 9};
    ShortcutFlagsFromMods(0b1010, back);
    EXPECT_EQ(back[0], 0);
    EXPECT_EQ(back[1], 1);
    EXPECT_EQ(back[2], 0);
    EXPECT_EQ(back[3], 1);
}

TEST(ButtonFunctionsTest, LabelsComposeShortcutsMacrosAndGuns)
{
    const Translate translate = Bracket;
    ButtonData slot{};
    slot.byFunction = 21;
    slot.byShortcutMods = 0b0101;
    slot.byShortcutKey = 0x04;
    ButtonLabel label = SlotLabel(slot, translate);
    EXPECT_FALSE(label.bTextKey);
    EXPECT_EQ(label.text, "[ctrl_text]+[alt_text]+[key_A]");

    slot.byShortcutMods = 0b1010;
    slot.byShortcutKey = 0x32; // a plain name, not a key
    EXPECT_EQ(SlotLabel(slot, translate).text, "[shift_text]+[win_text]+\xEF\xBF\xA5");

    slot.byFunction = 22;
    SetNameField(slot.szAssignedFolder, u"Games");
    SetNameField(slot.szAssignedName, u"Reload");
    EXPECT_EQ(SlotLabel(slot, translate).text, "[set_macro_text]Games-Reload");
    slot.byFunction = 121;
    EXPECT_EQ(SlotLabel(slot, translate).text, "[set_gun_text]Games-Reload");

    slot.byFunction = 65;
    label = SlotLabel(slot, translate);
    EXPECT_TRUE(label.bTextKey);
    EXPECT_EQ(label.text, "play_pause_text");
}

TEST(ButtonFunctionsTest, BindingsCopyTheLibraryRecord)
{
    ButtonData slot{};
    MacroData macro{};
    SetNameField(macro.szFolder, u"F");
    SetNameField(macro.szMacroName, u"M");
    macro.wActionCount = 3;
    macro.aAction[2].wDelay = 77;
    macro.aAction[39].iX = 5;
    BindMacro(slot, macro, 6, 2, 9);
    EXPECT_EQ(slot.iMacroIndex, 6);
    EXPECT_EQ(slot.iMacroMode, 2);
    EXPECT_EQ(slot.iLibValue, 9);
    EXPECT_EQ(slot.wEventCount, 3);
    EXPECT_EQ(slot.aEvent[2].wDelay, 77);
    EXPECT_EQ(slot.aEvent[39].iX, 5);
    EXPECT_EQ(NameFromField(slot.szAssignedFolder), u"F");
    EXPECT_EQ(NameFromField(slot.szAssignedName), u"M");

    GunData gun{};
    SetNameField(gun.szFolder, u"Rifles");
    SetNameField(gun.szGunName, std::u16string(60, u'g'));
    gun.byBulletCount = 12;
    gun.byExtra = 44;
    gun.aBullet[11].iY = -3;
    BindGun(slot, gun, 2, 1, 0x00FF8000);
    EXPECT_EQ(slot.iGunIndex, 2);
    EXPECT_EQ(slot.iMacroMode, 1);
    EXPECT_EQ(slot.clrGun, 0x00FF8000);
    EXPECT_EQ(slot.wEventCount, 12);
    EXPECT_EQ(slot.iLibValue, 44);
    EXPECT_EQ(slot.aBullet[11].iY, -3);
    EXPECT_EQ(NameFromField(slot.szAssignedName).size(), 49u);
    EXPECT_EQ(slot.szAssignedName[49], 0);
    EXPECT_EQ(NameFromField(slot.szAssignedFolder), u"Rifles");
}

TEST(ButtonFunctionsTest, LoopCountsAreClampedAndRewritten)
{
    EXPECT_EQ(ReadLoopCount(u"7").value, 7);
    EXPECT_FALSE(ReadLoopCount(u"7").rewrite);
    EXPECT_EQ(ReadLoopCount(u"255").value, 255);
    EXPECT_EQ(ReadLoopCount(u"0").value, 1);
    EXPECT_TRUE(ReadLoopCount(u"0").rewrite);
    EXPECT_EQ(ReadLoopCount(u"999").value, 255);
    EXPECT_TRUE(ReadLoopCount(u"999").rewrite);
    EXPECT_EQ(ReadLoopCount(u"99999999999999999999").value, 255);
    EXPECT_EQ(ReadLoopCount(u"-3").value, 1);
    EXPECT_EQ(ReadLoopCount(u"").value, 1);
    EXPECT_TRUE(ReadLoopCount(u"abc").rewrite);
}

TEST(ButtonFunctionsTest, MenuOpensAboveTheButtonNearTheScreenBottom)
{
    // Window at y 100, button from 200 to 240 in it: 9 items need 225 pixels.
    EXPECT_EQ(ButtonMenuTop(100, 200, 240, 9, 800), 340);
    EXPECT_EQ(ButtonMenuTop(100, 200, 240, 9, 566), 340);
    EXPECT_EQ(ButtonMenuTop(100, 200, 240, 9, 565), 71);
}
