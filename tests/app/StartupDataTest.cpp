#include "app/StartupData.h"
#include "app/LanguageChoice.h"
#include "model/NameField.h"
#include "model/ProfileDefaults.h"
#include "model/ProfileExchange.h"
#include "tests/support/TempProgramFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace fs = std::filesystem;

namespace
{

std::unique_ptr<StartupData> Start(const TempProgramFolder& dir, uint16_t languageId)
{
    auto data = std::make_unique<StartupData>();
    MacroLibrary macros;
    GunLibrary guns;
    LoadStartupData(*data, {dir.Path(), dir.DataDir()}, languageId, macros, guns);
    return data;
}

std::vector<std::byte> Bytes(std::initializer_list<int> values)
{
    std::vector<std::byte> out;
    for (int v : values)
        out.push_back(static_cast<std::byte>(v));
    return out;
}

} // namespace

TEST(StartupData, FirstStartCreatesTheDataFolderAndOneProfile)
{
    TempProgramFolder dir;
    auto data = Start(dir, kLangIdEnglishUS);

    EXPECT_TRUE(fs::is_directory(dir.DataDir()));
    EXPECT_EQ(dir.ReadFile("Data/Data.bin"), Bytes({0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));
    // The language is picked for this run, and stored only at the next save.
    EXPECT_EQ(data->appState.iLanguage, 2);

    ASSERT_EQ(data->profiles.size(), 1u);
    ProfileData& profile = *data->profiles[0];
    EXPECT_EQ(NameFromField(profile.szName), data->language.GetText("profile_text") + u"1");
    EXPECT_EQ(profile.aiDpi[0], 10); // the sample's sensor 3335
    auto file = dir.ReadFile("Data/profile.bin");
    ASSERT_EQ(file.size(), sizeof(ProfileData));
    EXPECT_EQ(std::memcmp(file.data(), &profile, sizeof profile), 0);

    EXPECT_EQ(data->currentProfile, &profile);
    EXPECT_EQ(std::memcmp(&data->appliedProfile, &profile, sizeof profile), 0);
}

TEST(StartupData, GeneratedNameFollowsTheSystemLanguage)
{
    TempProgramFolder dir;
    auto data = Start(dir, kLangIdChineseTraditional);
    EXPECT_EQ(data->appState.iLanguage, 1);
    LanguageFile tw;
    ASSERT_TRUE(tw.Load(dir.Path() / "res" / LanguageFileName(1)));
    EXPECT_EQ(NameFromField(data->profiles[0]->szName), tw.GetText("profile_text") + u"1");
}

TEST(StartupData, StoredChoicesAreUsedAndBadIndexesRepaired)
{
    TempProgramFolder dir;
    ProfileList three;
    for (const char16_t* name : {u"A", u"B", u"C"})
    {
        three.push_back(std::make_unique<ProfileData>());
        SetNameField(three.back()->szName, name);
    }
    ASSERT_TRUE(SaveProfiles(dir.DataDir(), three));

    ASSERT_TRUE(SaveAppState(dir.DataDir(), {2, 0}));
    auto data = Start(dir, kLangIdEnglishUS);
    EXPECT_EQ(data->appState.iLanguage, 0); // stored CN beats the English system
    EXPECT_EQ(data->currentProfile, data->profiles[2].get());

    for (int32_t bad : {3, -1, 1000000})
    {
        SCOPED_TRACE(bad);
        ASSERT_TRUE(SaveAppState(dir.DataDir(), {bad, 2}));
        data = Start(dir, kLangIdEnglishUS);
        EXPECT_EQ(data->appState.iCurrentProfile, 0);
        EXPECT_EQ(data->currentProfile, data->profiles[0].get());
    }
}

TEST(StartupData, EmptyProfileFileGetsAGeneratedProfile)
{
    TempProgramFolder dir;
    dir.WriteFile("Data/profile.bin", nullptr, 0);
    auto data = Start(dir, kLangIdEnglishUS);
    ASSERT_EQ(data->profiles.size(), 1u);
    EXPECT_EQ(data->currentProfile, data->profiles[0].get());
    EXPECT_EQ(dir.ReadFile("Data/profile.bin").size(), sizeof(ProfileData));
}

TEST(StartupData, ReadsTheDefaultProfileImage)
{
    TempProgramFolder dir;
    auto image = std::make_unique<ProfileData>();
    ApplyProfileDefaults(*image, 3104);
    SetNameField(image->szName, u"Factory");
    EnsureDataFolder(dir.DataDir());
    ASSERT_TRUE(WriteProfileFile(dir.DataDir() / kDefaultProfileFile, *image));
    auto data = Start(dir, kLangIdEnglishUS);
    EXPECT_EQ(std::memcmp(&data->defaultProfile, image.get(), sizeof *image), 0);
    // The generated profile comes from the built-in defaults, not from the image.
    EXPECT_EQ(data->profiles[0]->aiDpi[0], 10);
}

TEST(StartupData, LoadsTheLibrariesIntoTheGivenInstances)
{
    TempProgramFolder dir;
    MacroLibrary macros;
    AppendMacro(macros, u"Folder", u"Burst");
    AppendMacro(macros, u"Folder", u"Jump");
    ASSERT_TRUE(SaveMacroLibrary(macros, dir.DataDir()));
    GunLibrary guns;
    AppendGun(guns, u"Rifles", u"AK");
    ASSERT_TRUE(SaveGunLibrary(guns, dir.DataDir()));

    auto data = std::make_unique<StartupData>();
    MacroLibrary loadedMacros;
    GunLibrary loadedGuns;
    LoadStartupData(*data, {dir.Path(), dir.DataDir()}, kLangIdEnglishUS, loadedMacros, loadedGuns);
    ASSERT_EQ(loadedMacros.size(), 2u);
    EXPECT_EQ(NameFromField(loadedMacros[1]->szMacroName), u"Jump");
    ASSERT_EQ(loadedGuns.size(), 1u);
    EXPECT_EQ(NameFromField(loadedGuns[0]->szGunName), u"AK");
    EXPECT_TRUE(g_vecMacro.empty()); // the program's own libraries are left alone
}
