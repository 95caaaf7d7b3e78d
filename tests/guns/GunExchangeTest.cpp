// Gun exchange files: sizes and lock flags of what is written, what a
// reading refuses, and the names and folders an import gets.

#include "guns/GunExchange.h"
#include "tests/support/TempProgramFolder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
GunData Gun(const char16_t* folder, const char16_t* name, uint32_t locked = 0)
{
    GunData gun{};
    SetNameField(gun.szFolder, folder);
    SetNameField(gun.szGunName, name);
    gun.byBulletCount = 3;
    gun.byExtra = 7;
    for (int i = 0; i < kGunMaxBullets; ++i)
        gun.aBullet[i] = GunBullet{i - 15, 2 * i, 0, static_cast<uint16_t>(10 + i)};
    gun.bLocked = locked;
    return gun;
}

std::vector<std::byte> Bytes(const GunData& record)
{
    const auto span = RecordBytes(record);
    return {span.begin(), span.end()};
}

std::u16string Folder(const GunLibrary& library, int index)
{
    return NameFromField(library[index]->szFolder);
}
std::u16string Name(const GunLibrary& library, int index)
{
    return NameFromField(library[index]->szGunName);
}
} // namespace

TEST(GunExchange, ExportsWholeRecordsLockingOnlyTheFile)
{
    TempProgramFolder dir;
    GunLibrary library;
    AppendFolderEntry(library, u"Rifles");
    library.push_back(std::make_unique<GunData>(Gun(u"Rifles", u"AK")));
    AppendFolderEntry(library, u"SMG");
    library.push_back(std::make_unique<GunData>(Gun(u"rifles", u"M4", 1)));
    library.push_back(std::make_unique<GunData>(Gun(u"SMG", u"MP5")));

    ASSERT_TRUE(WriteGunFolderFile(dir.Path() / "Rifles.gbins", library, u"RIFLES", false));
    const auto folderBytes = dir.ReadFile("Rifles.gbins");
    ASSERT_EQ(folderBytes.size(), 1728u);
    std::vector<GunData> records;
    ASSERT_TRUE(ReadGunFolderFile(dir.Path() / "Rifles.gbins", records));
    EXPECT_EQ(records[0].bIsFolder, 1u);
    EXPECT_EQ(NameFromField(records[1].szGunName), u"AK");
    EXPECT_EQ(records[1].bLocked, 0u);
    EXPECT_EQ(records[2].bLocked, 1u); // already locked stays locked in a plain export

    ASSERT_TRUE(WriteGunFile(dir.Path() / "AK.gbin", *library[1], true));
    EXPECT_EQ(library[1]->bLocked, 0u);
    const auto gunBytes = dir.ReadFile("AK.gbin");
    ASSERT_EQ(gunBytes.size(), 576u);
    GunData expected = *library[1];
    expected.bLocked = 1;
    EXPECT_EQ(std::memcmp(gunBytes.data(), &expected, sizeof(GunData)), 0);
}

TEST(GunExchange, RefusesShortPartialAndFolderFiles)
{
    GunData gun = Gun(u"x", u"untouched");
    const auto one = Bytes(Gun(u"f", u"g"));
    auto two = one;
    two.insert(two.end(), one.begin(), one.end());
    EXPECT_FALSE(ParseGunFile({}, gun));
    EXPECT_FALSE(ParseGunFile(std::span(one).first(575), gun));
    EXPECT_FALSE(ParseGunFile(two, gun));
    GunData entry{};
    entry.bIsFolder = 1;
    EXPECT_FALSE(ParseGunFile(Bytes(entry), gun));
    EXPECT_EQ(NameFromField(gun.szGunName), u"untouched");

    std::vector<GunData> records;
    EXPECT_FALSE(ParseGunFolderFile({}, records));
    EXPECT_FALSE(ParseGunFolderFile(std::span(two).first(1000), records));
    EXPECT_TRUE(records.empty());
    ASSERT_TRUE(ParseGunFolderFile(two, records));
    EXPECT_EQ(records.size(), 2u);

    // A name without its terminator comes in cut to 49 units.
    GunData raw = Gun(u"f", u"g");
    std::fill(std::begin(raw.szGunName), std::end(raw.szGunName), u'z');
    ASSERT_TRUE(ParseGunFile(Bytes(raw), gun));
    EXPECT_EQ(NameFromField(gun.szGunName), std::u16string(49, u'z'));
    EXPECT_EQ(gun.szGunName[49], 0);
}

TEST(GunExchange, ImportNamesFollowTheFileAndStayUnique)
{
    GunLibrary library;
    AppendFolderEntry(library, u"Rifles");
    const GunData file = Gun(u"Rifles", u"stored name", 1);
    const int first = ImportGunIntoFolder(library, file, u"Rifles", u"AK");
    const int second = ImportGunIntoFolder(library, file, u"Rifles", u"ak");
    const int third = ImportGunIntoFolder(library, file, u"Rifles", u"AK");
    EXPECT_EQ(Name(library, first), u"AK");
    EXPECT_EQ(Name(library, second), u"ak_1");
    EXPECT_EQ(Name(library, third), u"AK_2");
    EXPECT_EQ(library[third]->bLocked, 1u);
    EXPECT_EQ(library[third]->byExtra, 7);
    EXPECT_EQ(library[third]->aBullet[29].wDelay, 39);

    const std::u16string longName(49, u'a');
    ImportGunIntoFolder(library, file, u"Rifles", longName);
    const int cut = ImportGunIntoFolder(library, file, u"Rifles", longName);
    EXPECT_EQ(Name(library, cut), std::u16string(47, u'a') + u"_1");

    // Without a chosen folder the gun brings its own, renamed when taken,
    // and keeps the name it was stored under.
    const int moved = ImportGunWithFolder(library, Gun(u"rifles", u"M4"));
    EXPECT_EQ(library[moved - 1]->bIsFolder, 1u);
    EXPECT_EQ(Folder(library, moved - 1), u"rifles_1");
    EXPECT_EQ(Folder(library, moved), u"rifles_1");
    EXPECT_EQ(Name(library, moved), u"M4");
}

TEST(GunExchange, FolderImportGetsExactlyOneEntry)
{
    GunLibrary library;
    AppendFolderEntry(library, u"Pack");
    GunData entry{};
    entry.bIsFolder = 1;
    SetNameField(entry.szFolder, u"whatever");
    EXPECT_EQ(ImportGunFolder(library, {entry, Gun(u"x", u"a"), entry}, u"Pack"), u"Pack_1");
    ASSERT_EQ(library.size(), 3u);
    EXPECT_EQ(library[1]->bIsFolder, 1u);
    EXPECT_EQ(Name(library, 2), u"a");
    EXPECT_EQ(Folder(library, 2), u"Pack_1");

    // Guns alone still make a folder that is listed after a restart.
    EXPECT_EQ(ImportGunFolder(library, {Gun(u"x", u"b")}, u"Loose"), u"Loose");
    ASSERT_EQ(library.size(), 5u);
    EXPECT_EQ(library[4]->bIsFolder, 1u);
    EXPECT_EQ(Folder(library, 4), u"Loose");
}
