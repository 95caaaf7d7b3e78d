// Saves onto a full disk and into a read-only folder, for real (a small
// tmpfs): each failure is reported with its reason, and the file on disk
// stays the last whole save, byte for byte.

#include "model/SettingsFiles.h"
#include "tests/support/RandomRecord.h"
#include "tests/support/SmallTmpfs.h"
#include "tests/support/TempProgramFolder.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace fs = std::filesystem;

namespace
{

ProfileList Profiles(std::size_t count)
{
    std::mt19937 random(16);
    ProfileList list;
    for (std::size_t i = 0; i < count; ++i)
        list.push_back(RandomRecord<ProfileData>(random));
    return list;
}

} // namespace

TEST(SaveFailure, FullDiskAndReadOnlyFolderKeepTheLastSaveAndSayWhy)
{
    TempProgramFolder dir;
    SmallTmpfs disk(dir.DataDir(), 512 * 1024);
    if (!disk.Mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here";
    ASSERT_TRUE(SaveProfiles(dir.DataDir(), Profiles(2)));
    const auto saved = dir.ReadFile("Data/profile.bin");

    disk.Fill(sizeof(ProfileData)); // room for one record, not for a whole new file
    SaveResult result = SaveProfiles(dir.DataDir(), Profiles(3));
    EXPECT_FALSE(result);
    EXPECT_EQ(result.error, ENOSPC);
    EXPECT_EQ(result.file, dir.DataDir() / kProfilesFile);
    EXPECT_NE(result.Reason().find("space"), std::string::npos) << result.Reason();
    EXPECT_EQ(dir.ReadFile("Data/profile.bin"), saved);
    for (const auto& entry : fs::directory_iterator(dir.DataDir()))
        EXPECT_TRUE(entry.path().filename() == "profile.bin" || entry.path().filename() == "filler")
            << entry.path(); // no temporary left behind

    fs::remove(dir.DataDir() / "filler");
    ASSERT_TRUE(disk.MakeReadOnly());
    result = SaveAppState(dir.DataDir(), {1, 2});
    EXPECT_EQ(result.error, EROFS);
    EXPECT_FALSE(fs::exists(dir.DataDir() / kAppStateFile));
    result = SaveProfiles(dir.DataDir(), Profiles(1));
    EXPECT_EQ(result.error, EROFS);
    EXPECT_EQ(dir.ReadFile("Data/profile.bin"), saved);
}
