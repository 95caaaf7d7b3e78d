#include "model/SettingsFiles.h"
#include "model/NameField.h"
#include "model/ProfileExchange.h"
#include "tests/support/TempProgramFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace fs = std::filesystem;

namespace
{

std::vector<std::byte> Bytes(std::initializer_list<int> values)
{
    std::vector<std::byte> out;
    for (int v : values)
        out.push_back(static_cast<std::byte>(v));
    return out;
}

// A record with every byte random, so a round trip shows any byte that moves.
std::unique_ptr<ProfileData> RandomProfile(unsigned seed, std::u16string_view name)
{
    auto p = std::make_unique<ProfileData>();
    std::mt19937 rng(seed);
    auto* bytes = reinterpret_cast<uint8_t*>(p.get());
    for (std::size_t i = 0; i < sizeof *p; ++i)
        bytes[i] = static_cast<uint8_t>(rng());
    SetNameField(p->szName, name);
    return p;
}

ProfileList Names(std::initializer_list<std::u16string_view> names)
{
    ProfileList list;
    for (auto n : names)
        list.push_back(RandomProfile(1, n));
    return list;
}

} // namespace

TEST(SettingsFiles, AppStateIsCreatedOnFirstStartAndReadBack)
{
    TempProgramFolder dir;
    LoadReport report;
    AppState state = LoadAppState(dir.DataDir(), report);
    EXPECT_TRUE(report.Empty());
    EXPECT_EQ(state.iCurrentProfile, 0);
    EXPECT_EQ(state.iLanguage, -1);
    EXPECT_EQ(dir.ReadFile("Data/Data.bin"), Bytes({0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));

    ASSERT_TRUE(SaveAppState(dir.DataDir(), {0x0102, 2}));
    EXPECT_EQ(dir.ReadFile("Data/Data.bin"), Bytes({2, 1, 0, 0, 2, 0, 0, 0}));
    state = LoadAppState(dir.DataDir(), report);
    EXPECT_EQ(state.iCurrentProfile, 0x0102);
    EXPECT_EQ(state.iLanguage, 2);
}

TEST(SettingsFiles, ShortAppStateLeavesTheMissingValuesZeroAndIsKeptAside)
{
    TempProgramFolder dir;
    const uint8_t three[] = {5, 0, 0};
    dir.WriteFile("Data/Data.bin", three, sizeof three);
    LoadReport report;
    AppState state = LoadAppState(dir.DataDir(), report, DataAccess::ReadOnly);
    EXPECT_EQ(state.iCurrentProfile, 5);
    EXPECT_EQ(state.iLanguage, 0);
    EXPECT_EQ(dir.ReadFile("Data/Data.bin").size(), 3u); // only read
    ASSERT_EQ(report.damaged.size(), 1u);
    EXPECT_TRUE(report.damaged[0].keptAs.empty());

    report = {};
    state = LoadAppState(dir.DataDir(), report);
    EXPECT_EQ(state.iCurrentProfile, 5);
    ASSERT_EQ(report.damaged.size(), 1u);
    EXPECT_EQ(report.damaged[0].kind, DamageKind::PartialRecord);
    EXPECT_EQ(dir.ReadFile(fs::relative(report.damaged[0].keptAs, dir.Path())), Bytes({5, 0, 0}));
    EXPECT_EQ(dir.ReadFile("Data/Data.bin"), Bytes({5, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(SettingsFiles, MissingProfileFileYieldsOneSavedDefaultProfile)
{
    TempProgramFolder dir;
    ProfileList list = Names({u"stale"});
    LoadProfiles(list, dir.DataDir(), 3370, u"Profile");
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(NameFromField(list[0]->szName), u"Profile1");
    EXPECT_EQ(list[0]->aiDpi[0], 0); // no DPI defaults for this sensor
    EXPECT_EQ(list[0]->iPointerSpeed, 6);
    auto file = dir.ReadFile("Data/profile.bin");
    ASSERT_EQ(file.size(), sizeof(ProfileData));
    EXPECT_EQ(std::memcmp(file.data(), list[0].get(), sizeof(ProfileData)), 0);
}

TEST(SettingsFiles, ProfilesRoundTripByteForByte)
{
    TempProgramFolder dir;
    ProfileList list;
    for (unsigned i = 0; i < 3; ++i)
        list.push_back(RandomProfile(i + 10, u"P" + std::u16string(1, u'0' + i)));
    ASSERT_TRUE(SaveProfiles(dir.DataDir(), list));
    auto first = dir.ReadFile("Data/profile.bin");
    ASSERT_EQ(first.size(), 3 * sizeof(ProfileData));

    ProfileList loaded;
    LoadProfiles(loaded, dir.DataDir(), 3335, u"Profile");
    ASSERT_EQ(loaded.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(std::memcmp(loaded[i].get(), list[i].get(), sizeof(ProfileData)), 0);
    ASSERT_TRUE(SaveProfiles(dir.DataDir(), loaded));
    EXPECT_EQ(dir.ReadFile("Data/profile.bin"), first);
    EXPECT_FALSE(fs::exists(dir.DataDir() / "profile.bin.tmp"));
}

TEST(SettingsFiles, PartialAndEmptyProfileFiles)
{
    TempProgramFolder dir;
    ProfileList two = Names({u"A", u"B"});
    ASSERT_TRUE(SaveProfiles(dir.DataDir(), two));
    auto bytes = dir.ReadFile("Data/profile.bin");
    EXPECT_EQ(bytes.size(), 113056u);

    // A trailing partial record is dropped.
    bytes.resize(bytes.size() + 1000, std::byte{0x33});
    dir.WriteFile("Data/profile.bin", bytes.data(), bytes.size());
    ProfileList loaded;
    LoadProfiles(loaded, dir.DataDir(), 3335, u"Profile");
    ASSERT_EQ(loaded.size(), 2u);
    EXPECT_EQ(NameFromField(loaded[1]->szName), u"B");

    // An existing empty file is an empty list, and nothing is written.
    dir.WriteFile("Data/profile.bin", nullptr, 0);
    LoadProfiles(loaded, dir.DataDir(), 3335, u"Profile");
    EXPECT_TRUE(loaded.empty());
    EXPECT_TRUE(dir.ReadFile("Data/profile.bin").empty());

    // An empty list saves an empty file.
    ASSERT_TRUE(SaveProfiles(dir.DataDir(), loaded));
    EXPECT_TRUE(dir.ReadFile("Data/profile.bin").empty());
}

TEST(SettingsFiles, UnreadableProfileFileIsSetAsideAndStillGivesAProfile)
{
    TempProgramFolder dir;
    fs::create_directories(dir.DataDir() / "profile.bin" / "inside");
    ProfileList list;
    const LoadReport report = LoadProfiles(list, dir.DataDir(), 3335, u"Profile");
    ASSERT_EQ(list.size(), 1u);
    ASSERT_EQ(report.damaged.size(), 1u);
    EXPECT_EQ(report.damaged[0].file, dir.DataDir() / "profile.bin");
    EXPECT_EQ(report.damaged[0].kind, DamageKind::NotRegularFile);
    EXPECT_TRUE(report.damaged[0].keptAs.filename().string().starts_with("profile.bin.damaged-"));
    EXPECT_TRUE(fs::is_directory(report.damaged[0].keptAs / "inside"));
    EXPECT_EQ(fs::file_size(dir.DataDir() / "profile.bin"), sizeof(ProfileData));
}

TEST(SettingsFiles, NamesAreFoundWithoutCaseAndMadeFree)
{
    ProfileList list = Names({u"P1", u"P2", u"P4", u"game"});
    EXPECT_TRUE(ProfileNameExists(list, u"GAME"));
    EXPECT_FALSE(ProfileNameExists(list, u"P3"));
    EXPECT_EQ(MakeFreeProfileName(list, u"Game"), u"Game_1");
    EXPECT_EQ(MakeFreeProfileName(list, u"P3"), u"P3");

    // The generated profile's base is the text plus the new count.
    TempProgramFolder dir;
    CreateDefaultProfile(list, dir.DataDir(), 3335, u"P");
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(NameFromField(list[4]->szName), u"P5");
    list.erase(list.begin() + 3, list.end());
    CreateDefaultProfile(list, dir.DataDir(), 3335, u"P");
    EXPECT_EQ(NameFromField(list[3]->szName), u"P4_1");
    EXPECT_EQ(dir.ReadFile("Data/profile.bin").size(), 4 * sizeof(ProfileData));

    // A long text still leaves room for the counter and the terminator.
    std::u16string longText(60, u'x');
    CreateDefaultProfile(list, dir.DataDir(), 3335, longText);
    CreateDefaultProfile(list, dir.DataDir(), 3335, longText);
    EXPECT_EQ(NameFromField(list[4]->szName), std::u16string(49, u'x'));
    EXPECT_EQ(NameFromField(list[5]->szName), std::u16string(47, u'x') + u"_1");
    EXPECT_EQ(list[5]->szName[49], u'\0');
}

TEST(ProfileExchange, ExactlyOneRecordRoundTrips)
{
    TempProgramFolder dir;
    auto profile = RandomProfile(7, u"Export");
    fs::path file = dir.Path() / "x.pbin";
    ASSERT_TRUE(WriteProfileFile(file, *profile));
    EXPECT_EQ(fs::file_size(file), sizeof(ProfileData));
    auto read = std::make_unique<ProfileData>();
    ASSERT_TRUE(ReadProfileFile(file, *read));
    EXPECT_EQ(std::memcmp(read.get(), profile.get(), sizeof(ProfileData)), 0);
}

TEST(ProfileExchange, FilesOfAnotherSizeAreRefused)
{
    TempProgramFolder dir;
    auto profile = RandomProfile(8, u"X");
    auto untouched = RandomProfile(9, u"Keep");
    auto target = std::make_unique<ProfileData>(*untouched);
    for (std::size_t size : {std::size_t{0}, std::size_t{100}, sizeof(ProfileData) - 1,
                             sizeof(ProfileData) + 1, 2 * sizeof(ProfileData)})
    {
        SCOPED_TRACE(size);
        std::vector<uint8_t> bytes(size, 0x41);
        dir.WriteFile("bad.pbin", bytes.data(), bytes.size());
        EXPECT_FALSE(ReadProfileFile(dir.Path() / "bad.pbin", *target));
        EXPECT_EQ(std::memcmp(target.get(), untouched.get(), sizeof(ProfileData)), 0);
    }
    EXPECT_FALSE(ReadProfileFile(dir.Path() / "missing.pbin", *target));
    EXPECT_FALSE(ReadProfileFile(dir.Path(), *target));
}
