#include "guns/GunLibrary.h"
#include "tests/support/RandomRecord.h"
#include "tests/support/TempProgramFolder.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(GunLibrary, OneFolderAndTwoGunsMake1728BytesInListOrder)
{
    TempProgramFolder program;
    GunLibrary library;
    AppendFolderEntry(library, u"Rifles");
    AppendGun(library, u"Rifles", u"AK");
    AppendGun(library, u"Rifles", u"M4");
    ASSERT_TRUE(SaveGunLibrary(library, program.DataDir()));

    std::vector<std::byte> file = program.ReadFile("Data/gun.bin");
    ASSERT_EQ(file.size(), 1728u);
    EXPECT_EQ(file, FileImage(library));
    EXPECT_EQ(file[208], std::byte{1});        // the folder entry's bIsFolder
    EXPECT_EQ(file[576 + 200], std::byte{30}); // the first gun's byBulletCount
    EXPECT_EQ(file[1152 + 100], std::byte{'M'});
}

TEST(GunLibrary, RoundTripKeepsEveryByte)
{
    TempProgramFolder program;
    std::mt19937 random(11);
    GunLibrary library;
    for (int i = 0; i < 4; ++i)
        library.push_back(RandomRecord<GunData>(random));
    library[0]->bLocked = 1;
    library[3]->byBulletCount = 2;
    ASSERT_TRUE(SaveGunLibrary(library, program.DataDir()));
    EXPECT_EQ(program.ReadFile("Data/gun.bin"), FileImage(library));

    GunLibrary loaded;
    LoadGunLibrary(loaded, program.DataDir());
    ASSERT_EQ(loaded.size(), 4u);
    for (std::size_t i = 0; i < loaded.size(); ++i)
        EXPECT_EQ(std::memcmp(loaded[i].get(), library[i].get(), sizeof(GunData)), 0) << i;
}

TEST(GunLibrary, NewGunHas30BulletsOf10Milliseconds)
{
    GunLibrary library;
    EXPECT_EQ(AppendFolderEntry(library, u"Rifles"), 0);
    EXPECT_EQ(AppendGun(library, u"Rifles", u"AK"), 1);

    GunData expected{};
    SetNameField(expected.szFolder, u"Rifles");
    SetNameField(expected.szGunName, u"AK");
    expected.byBulletCount = 30;
    for (GunBullet& bullet : expected.aBullet)
        bullet.wDelay = 10;
    EXPECT_EQ(std::memcmp(library[1].get(), &expected, sizeof expected), 0);
    EXPECT_EQ(library[0]->bIsFolder, 1u);
    EXPECT_EQ(library[0]->byBulletCount, 0);
}

TEST(GunLibrary, GunAtOnlyInsideTheLibrary)
{
    GunLibrary library;
    EXPECT_EQ(GunAt(library, 0), nullptr);
    AppendGun(library, u"F", u"G");
    const GunLibrary& constant = library;
    EXPECT_EQ(GunAt(library, 0), library[0].get());
    EXPECT_EQ(GunAt(constant, 0), library[0].get());
    EXPECT_EQ(GunAt(library, -1), nullptr);
    EXPECT_EQ(GunAt(library, 1), nullptr);
}

TEST(GunLibrary, LookupsIgnoreCaseAndShareTheFolderCheck)
{
    GunLibrary library;
    AppendFolderEntry(library, u"Rifles");
    AppendGun(library, u"rifles", u"AK");
    AppendGun(library, u"Pistols", u"Glock");

    EXPECT_TRUE(GunNameUsed(library, u"RIFLES", u"ak"));
    EXPECT_FALSE(GunNameUsed(library, u"Pistols", u"AK"));
    EXPECT_TRUE(FolderNameUsed(library, u"pistols"));
    EXPECT_FALSE(FolderNameUsed(library, u"Shotguns"));
}

TEST(GunLibrary, DeletingAFolderRemovesItsGunsInAnyCase)
{
    GunLibrary library;
    AppendFolderEntry(library, u"Rifles");
    AppendGun(library, u"RIFLES", u"AK");
    AppendFolderEntry(library, u"Pistols");
    AppendGun(library, u"rifles", u"M4");
    AppendGun(library, u"Pistols", u"Glock");

    EXPECT_EQ(RemoveFolderRecords(library, u"Rifles"), (std::vector<int>{3, 1, 0}));
    ASSERT_EQ(library.size(), 2u);
    EXPECT_EQ(NameFromField(library[0]->szFolder), u"Pistols");
    EXPECT_EQ(NameFromField(library[1]->szGunName), u"Glock");
}
