#include "model/ProfileBindings.h"
#include "tests/support/RandomRecord.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{

constexpr uint8_t kMacroFunction = 22;
constexpr uint8_t kGunFunction = 121;

std::unique_ptr<ProfileData> UnboundProfile()
{
    auto profile = std::make_unique<ProfileData>();
    for (int s = 0; s < kButtonSlots; ++s)
    {
        ButtonData& slot = profile->aButton[s];
        slot.bySlot = static_cast<uint8_t>(s);
        slot.byFunction = 33; // not a factory code, so resets show
        slot.iMacroIndex = kNoBinding;
        slot.iGunIndex = kNoBinding;
        SetNameField(slot.szAssignedFolder, u"Old folder");
        SetNameField(slot.szAssignedName, u"Old name");
    }
    return profile;
}

void BindMacro(ProfileData& profile, int slot, int index)
{
    profile.aButton[slot].iMacroIndex = index;
    profile.aButton[slot].byFunction = kMacroFunction;
}

void BindGun(ProfileData& profile, int slot, int index)
{
    profile.aButton[slot].iGunIndex = index;
    profile.aButton[slot].byFunction = kGunFunction;
}

std::vector<ProfileData> Snapshot(const ProfileList& profiles)
{
    std::vector<ProfileData> copy;
    for (const auto& p : profiles)
        copy.push_back(*p);
    return copy;
}

bool SameBytes(const ButtonData& a, const ButtonData& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Every slot equal to before, except the listed (profile, slot) pairs whose
// function must be back at the factory code with nothing else changed.
void ExpectOnlyFunctionsReset(const ProfileList& profiles, const std::vector<ProfileData>& before,
                              const std::vector<std::pair<int, int>>& reset)
{
    for (std::size_t p = 0; p < profiles.size(); ++p)
        for (int s = 0; s < kButtonSlots; ++s)
        {
            ButtonData expected = before[p].aButton[s];
            for (auto [rp, rs] : reset)
                if (rp == static_cast<int>(p) && rs == s)
                    expected.byFunction = kDefaultSlotFunction[s];
            EXPECT_TRUE(SameBytes(profiles[p]->aButton[s], expected)) << p << "/" << s;
        }
}

class ProfileBindings : public ::testing::Test
{
protected:
    void SetUp() override
    {
        for (int i = 0; i < 3; ++i)
            profiles.push_back(UnboundProfile());
        // Macro 1 in slots 3 and 19 of profile 0 and slot 16 of profile 1;
        // gun 2 in slot 5 of profile 0 and slot 0 of profile 1. Profile 2 has
        // no bindings.
        BindMacro(*profiles[0], 3, 1);
        BindMacro(*profiles[0], 19, 1);
        BindMacro(*profiles[1], 16, 1);
        BindGun(*profiles[0], 5, 2);
        BindGun(*profiles[1], 0, 2);

        std::mt19937 random(5);
        AppendFolderEntry(macros, u"F");
        macros.push_back(RandomRecord<MacroData>(random));
        macros[1]->wActionCount = 5;
        macros[1]->wLoopCount = 7;
        SetNameField(macros[1]->szMacroName, u"Burst");

        AppendFolderEntry(guns, u"G");
        AppendGun(guns, u"G", u"AK");
        guns.push_back(RandomRecord<GunData>(random));
        guns[2]->byBulletCount = 12;
        guns[2]->byExtra = 9;
        SetNameField(guns[2]->szGunName, u"M4");
    }

    ProfileList profiles;
    MacroLibrary macros;
    GunLibrary guns;
};

} // namespace

TEST_F(ProfileBindings, SavedMacroIsCopiedIntoEveryBoundSlot)
{
    std::vector<ProfileData> before = Snapshot(profiles);
    EXPECT_TRUE(RefreshMacroBindings(profiles, macros, 1, 0, false));

    for (auto [p, s] : {std::pair{0, 3}, {0, 19}, {1, 16}})
    {
        const ButtonData& slot = profiles[p]->aButton[s];
        EXPECT_EQ(slot.wEventCount, 5);
        EXPECT_EQ(slot.iLibValue, 7);
        EXPECT_EQ(std::memcmp(slot.aEvent, macros[1]->aAction, sizeof slot.aEvent), 0);
        EXPECT_EQ(NameFromField(slot.szAssignedName), u"Burst");
        EXPECT_EQ(NameFromField(slot.szAssignedFolder), u"Old folder");
        EXPECT_EQ(slot.byFunction, kMacroFunction);
    }
    EXPECT_TRUE(SameBytes(profiles[0]->aButton[5], before[0].aButton[5]));
    EXPECT_TRUE(SameBytes(profiles[2]->aButton[3], before[2].aButton[3]));

    // The result tells whether the current profile was affected.
    EXPECT_TRUE(RefreshMacroBindings(profiles, macros, 1, 1, false));
    EXPECT_FALSE(RefreshMacroBindings(profiles, macros, 1, 2, false));
    EXPECT_FALSE(RefreshMacroBindings(profiles, macros, 1, 7, false));
}

TEST_F(ProfileBindings, SavedGunIsCopiedIntoEveryBoundSlot)
{
    EXPECT_TRUE(RefreshGunBindings(profiles, guns, 2, 1, false));
    for (auto [p, s] : {std::pair{0, 5}, {1, 0}})
    {
        const ButtonData& slot = profiles[p]->aButton[s];
        EXPECT_EQ(slot.wEventCount, 12);
        EXPECT_EQ(slot.iLibValue, 9);
        EXPECT_EQ(std::memcmp(slot.aBullet, guns[2]->aBullet, sizeof slot.aBullet), 0);
        EXPECT_EQ(NameFromField(slot.szAssignedName), u"M4");
        EXPECT_EQ(NameFromField(slot.szAssignedFolder), u"Old folder");
    }
    EXPECT_FALSE(RefreshGunBindings(profiles, guns, 2, 2, false));
}

TEST_F(ProfileBindings, RemovalResetsThePlayingSlotsAndRenumbersTheRest)
{
    // Slot 0 of profile 1 has since been given another function; slot 8 of
    // profile 2 plays the macro after the removed one.
    profiles[1]->aButton[0].byFunction = 40;
    BindMacro(*profiles[2], 8, 3);
    std::vector<ProfileData> before = Snapshot(profiles);
    EXPECT_TRUE(RefreshMacroBindings(profiles, macros, 1, 0, true));
    for (auto [p, s] : {std::pair{0, 3}, {0, 19}, {1, 16}})
    {
        ButtonData expected = before[p].aButton[s];
        expected.byFunction = kDefaultSlotFunction[s];
        expected.iMacroIndex = kNoBinding;
        EXPECT_TRUE(SameBytes(profiles[p]->aButton[s], expected)) << p << "/" << s;
    }
    EXPECT_EQ(profiles[0]->aButton[19].byFunction, 4);
    EXPECT_EQ(profiles[2]->aButton[8].iMacroIndex, 2);
    EXPECT_EQ(profiles[2]->aButton[8].byFunction, kMacroFunction);

    EXPECT_FALSE(RefreshGunBindings(profiles, guns, 2, 2, true));
    EXPECT_EQ(profiles[0]->aButton[5].byFunction, kDefaultSlotFunction[5]);
    EXPECT_EQ(profiles[0]->aButton[5].iGunIndex, kNoBinding);
    EXPECT_EQ(profiles[1]->aButton[0].byFunction, 40);
    EXPECT_EQ(profiles[1]->aButton[0].iGunIndex, kNoBinding);
}

TEST_F(ProfileBindings, FolderRemovalHighestFirstKeepsLaterBindings)
{
    // Records 0..3 of the gun library go, highest first, as a folder delete
    // does; a slot bound to record 5 must end up naming record 1.
    for (int i = 0; i < 3; ++i)
        AppendGun(guns, u"H", u"X");
    BindGun(*profiles[2], 9, 5);
    for (int index : {3, 2, 1, 0})
    {
        guns.erase(guns.begin() + index);
        RefreshGunBindings(profiles, guns, index, 0, true);
    }
    EXPECT_EQ(profiles[2]->aButton[9].iGunIndex, 1);
    EXPECT_EQ(profiles[2]->aButton[9].byFunction, kGunFunction);
}

TEST_F(ProfileBindings, EmptyLibraryResetsMacrosButLeavesGuns)
{
    std::vector<ProfileData> before = Snapshot(profiles);
    EXPECT_TRUE(RefreshGunBindings(profiles, GunLibrary{}, 2, 0, false));
    ExpectOnlyFunctionsReset(profiles, before, {});

    EXPECT_TRUE(RefreshMacroBindings(profiles, MacroLibrary{}, 1, 0, false));
    ExpectOnlyFunctionsReset(profiles, before, {{0, 3}, {0, 19}, {1, 16}});
}

TEST_F(ProfileBindings, IndexBeyondTheLibraryIsNeverRead)
{
    BindMacro(*profiles[2], 8, 9);
    BindGun(*profiles[2], 9, 9);
    std::vector<ProfileData> before = Snapshot(profiles);

    EXPECT_TRUE(RefreshGunBindings(profiles, guns, 9, 2, false));
    ExpectOnlyFunctionsReset(profiles, before, {});

    EXPECT_TRUE(RefreshMacroBindings(profiles, macros, 9, 2, false));
    ExpectOnlyFunctionsReset(profiles, before, {{2, 8}});
}

TEST_F(ProfileBindings, NoBindingIsNotAnIndex)
{
    // Every unbound slot holds -1; a refresh for it must not reset them all.
    std::vector<ProfileData> before = Snapshot(profiles);
    EXPECT_FALSE(RefreshMacroBindings(profiles, macros, kNoBinding, 2, true));
    EXPECT_FALSE(RefreshGunBindings(profiles, guns, kNoBinding, 2, true));
    EXPECT_FALSE(RefreshMacroBindings(profiles, macros, kNoBinding, 2, false));
    ExpectOnlyFunctionsReset(profiles, before, {});

    // Other negative indices only come from damaged files: no record there.
    BindMacro(*profiles[2], 4, -3);
    BindGun(*profiles[2], 6, -3);
    before = Snapshot(profiles);
    EXPECT_TRUE(RefreshMacroBindings(profiles, macros, -3, 2, false));
    EXPECT_TRUE(RefreshGunBindings(profiles, guns, -3, 2, false));
    ExpectOnlyFunctionsReset(profiles, before, {{2, 4}});
}

TEST_F(ProfileBindings, CopiesStayInsideTheSlot)
{
    macros[1]->wActionCount = 0xFFFF;
    std::fill(std::begin(macros[1]->szMacroName), std::end(macros[1]->szMacroName), u'm');
    guns[2]->byBulletCount = 200;
    RefreshMacroBindings(profiles, macros, 1, 0, false);
    RefreshGunBindings(profiles, guns, 2, 0, false);

    const ButtonData& macroSlot = profiles[0]->aButton[3];
    EXPECT_EQ(macroSlot.wEventCount, 40);
    EXPECT_EQ(NameFromField(macroSlot.szAssignedName), std::u16string(49, u'm'));
    EXPECT_EQ(macroSlot.szAssignedName[49], u'\0');
    EXPECT_EQ(profiles[0]->aButton[5].wEventCount, 30);
}

TEST_F(ProfileBindings, CountsTheButtonsThatPlayARecordAndTheirProfiles)
{
    // A slot that plays something else but kept an old index is not bound.
    profiles[2]->aButton[7].iMacroIndex = 1;
    profiles[2]->aButton[8].iGunIndex = 2;
    const int macro[] = {1};
    const BindingCount macroCount = CountMacroBindings(profiles, macro);
    EXPECT_EQ(macroCount.iButtons, 3);
    EXPECT_EQ(macroCount.iProfiles, 2);

    // A folder: its entry and items together.
    const int folder[] = {2, 1, 0};
    const BindingCount gunCount = CountGunBindings(profiles, folder);
    EXPECT_EQ(gunCount.iButtons, 2);
    EXPECT_EQ(gunCount.iProfiles, 2);
    const BindingCount none = CountGunBindings(profiles, std::span(folder).last(2));
    EXPECT_EQ(none.iButtons, 0);
    EXPECT_EQ(none.iProfiles, 0);
}
