#include "cli/VestrelCtl.h"
#include "model/NameField.h"
#include "model/SettingsFiles.h"
#include "tests/device/DeviceTestSupport.h"
#include "tests/support/CtlRun.h"
#include "tests/support/TempProgramFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace
{

namespace fs = std::filesystem;

// Data.ini of SmallDescription(): the device behind the hand-derived stream.
constexpr char kSmallIni[] = "[Default]\nSensor=3335\nDistance=1\nDistance_Value=1,2,3,4,5,6,7,8\n"
                             "Ver_H=1\nVer_L=3\n[BUTTON]\n";

using Result = CtlResult;

// Profiles 0 (blank) and 1 (the small profile, current) in a program folder
// whose Data.ini describes the small profile's device.
void WriteSmallSetup(const TempProgramFolder& dir, std::string ini = kSmallIni)
{
    for (int i = 1; i <= 32; ++i)
        ini += std::to_string(i) + (i == 8 ? "=07,00,03,00,00\n" : "=00,00,00,00,01\n");
    dir.WriteIni(ini);
    auto small = SmallProfile();
    SetNameField(small->szName, u"Small");
    const auto blank = BlankProfile();
    std::vector<std::byte> records(2 * sizeof(ProfileData));
    std::memcpy(records.data(), blank.get(), sizeof(ProfileData));
    std::memcpy(records.data() + sizeof(ProfileData), small.get(), sizeof(ProfileData));
    dir.WriteFile("Data/profile.bin", records.data(), records.size());
    const AppState state{1, 2};
    dir.WriteFile("Data/Data.bin", &state, sizeof state);
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

std::vector<fs::path> Listing(const fs::path& folder)
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

class TraceApply : public ::testing::Test
{
protected:
    // Pointer settings an apply changes stay in this process.
    void SetUp() override { setenv("GSETTINGS_BACKEND", "memory", 1); }
};

TEST_F(TraceApply, TracePrintsTheExactStreamOfAStoredProfile)
{
    TempProgramFolder dir;
    WriteSmallSetup(dir);
    const auto before = Listing(dir.DataDir());
    const auto profileBin = dir.ReadFile("Data/profile.bin");
    const std::string expected = Joined(ReadStream("small_profile.txt"));

    Result current = RunCtl(dir, {"trace"});
    EXPECT_EQ(current.code, 0) << current.err;
    EXPECT_EQ(current.out, expected);
    EXPECT_EQ(RunCtl(dir, {"--driver", "hidraw", "trace", "--profile", "1"}).out, expected);

    Result other = RunCtl(dir, {"trace", "--profile", "0"});
    EXPECT_EQ(other.code, 0);
    EXPECT_NE(other.out, expected);

    // Nothing was written or created.
    EXPECT_EQ(Listing(dir.DataDir()), before);
    EXPECT_EQ(dir.ReadFile("Data/profile.bin"), profileBin);
    EXPECT_EQ(dir.ReadFile("Data/Data.bin").size(), 8u);
}

TEST_F(TraceApply, TraceOnAFirstStartCreatesNothing)
{
    TempProgramFolder dir;
    Result r = RunCtl(dir, {"trace"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, 11), "SetFeature ");
    EXPECT_FALSE(fs::exists(dir.DataDir()));
}

TEST_F(TraceApply, BadProfileChoicesAreRefused)
{
    TempProgramFolder dir;
    WriteSmallSetup(dir);
    for (const auto& args : std::vector<std::vector<std::string>>{{"trace", "--profile", "2"},
                                                                  {"apply", "--profile", "9"}})
    {
        Result r = RunCtl(dir, args);
        EXPECT_EQ(r.code, 1);
        EXPECT_NE(r.err.find("there is no profile"), std::string::npos) << r.err;
    }
    for (const auto& args : std::vector<std::vector<std::string>>{{"trace", "--profile", "-1"},
                                                                  {"trace", "--profile"},
                                                                  {"apply", "1"},
                                                                  {"apply", "--profile", "1x"}})
        EXPECT_EQ(RunCtl(dir, args).code, 2);
}

TEST_F(TraceApply, ApplyOnTheVirtualMouseShowsWhatItHolds)
{
    TempProgramFolder dir;
    WriteSmallSetup(dir);
    const AppState first{0, 2};
    dir.WriteFile("Data/Data.bin", &first, sizeof first);

    Result r = RunCtl(dir, {"--driver", "virtual", "apply", "--profile", "1"});
    EXPECT_EQ(r.code, 0) << r.err;
    std::istringstream lines(r.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "applied profile 1: Small");
    std::getline(lines, line);
    EXPECT_EQ(line, "  report rate: 250 Hz (code 4)");
    EXPECT_NE(r.out.find("\n  button 3: 09 02 01 00  macro 1: loop 3, 2 actions:"),
              std::string::npos);
    EXPECT_NE(r.out.find("\n  button 17: 08 00 04 00  gun 1: 2 bullets:"), std::string::npos);
    EXPECT_NE(r.out.find("\n  lift-off: code 3, key response 4 ms, DPI range mask 70\n"),
              std::string::npos);

    // Data.bin now names the applied profile; profile.bin keeps both.
    const auto state = dir.ReadFile("Data/Data.bin");
    ASSERT_EQ(state.size(), 8u);
    EXPECT_EQ(static_cast<int>(state[0]), 1);
    EXPECT_EQ(dir.ReadFile("Data/profile.bin").size(), 2 * sizeof(ProfileData));
}

TEST_F(TraceApply, ApplyWithoutAMouseSavesAndSaysSo)
{
    TempProgramFolder dir;
    WriteSmallSetup(dir, std::string("[Default]\nVID=FFFF\nPID=FFFE\nSensor=3335\n[BUTTON]\n"));
    Result r = RunCtl(dir, {"--driver", "hidraw", "apply"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "applied profile 1: Small\n");
    EXPECT_NE(r.err.find("No mouse connected"), std::string::npos) << r.err;
    EXPECT_EQ(dir.ReadFile("Data/profile.bin").size(), 2 * sizeof(ProfileData));
}

} // namespace
