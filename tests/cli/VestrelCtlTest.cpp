#include "cli/VestrelCtl.h"
#include "model/DataFolderLock.h"
#include "model/ProfileData.h"
#include "tests/support/SmallTmpfs.h"
#include "tests/support/CtlRun.h"
#include "tests/support/TempProgramFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

namespace
{

using Result = CtlResult;

} // namespace

TEST(VestrelCtl, DescribePrintsEveryKeyInOrder)
{
    TempProgramFolder dir;
    dir.WriteIni("[Default]\nVID=1a2b\nPID=c\nSensor=3370\nDistance=0\nDistance_Min=0a\n"
                 "Distance_Max=ff\nDistance_Value=1,2,300\nPassword=abcdef\nVer_H=2\n"
                 "Update=0\n[BUTTON]\n1=01,00,f0,00,01\n32=0c,0,0\n");
    Result r = RunCtl(dir, {"describe"});
    EXPECT_EQ(r.code, 0);
    std::string expected = "VID=1A2B\nPID=000C\nSensor=3370\nDistance=0\nDistance_Min=10\n"
                           "Distance_Max=255\nDistance_Value=1,2,44,0,0,0,0,0\nPassword=on\n"
                           "Ver_H=2\nVer_L=-1\nUpdate=off\nBUTTON1=01,00,F0,00,01\n";
    for (int i = 2; i <= 31; ++i)
        expected += "BUTTON" + std::to_string(i) + "=00,00,00,00,00\n";
    expected += "BUTTON32=0C,00,00,00,00\n";
    EXPECT_EQ(r.out, expected);
    EXPECT_EQ(r.out.find("abcdef"), std::string::npos);
}

TEST(VestrelCtl, ProfilesShowsTheFirstStartWithoutWritingIt)
{
    TempProgramFolder dir;
    setenv("LC_ALL", "en_US.UTF-8", 1); // this test process only
    Result r = RunCtl(dir, {"--driver", "virtual", "profiles"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "0\t*\tProfile1\n");
    EXPECT_FALSE(std::filesystem::exists(dir.DataDir()));

    // Another program folder given on the command line, written by a
    // writing command.
    TempProgramFolder other;
    std::ostringstream out, err;
    std::vector<std::string> args = {"--program-dir", other.Path().string(), "--driver", "virtual",
                                     "apply"};
    EXPECT_EQ(RunVestrelCtl(args, dir.Path(), out, err), 0) << err.str();
    EXPECT_EQ(other.ReadFile("Data/profile.bin").size(), 56528u);
    EXPECT_EQ(other.ReadFile("Data/Data.bin").size(), 8u);
    EXPECT_FALSE(std::filesystem::exists(dir.DataDir()));
}

TEST(VestrelCtl, UsageErrorsGoToStderrWithNonZeroExit)
{
    TempProgramFolder dir;
    for (const auto& args : std::vector<std::vector<std::string>>{{},
                                                                  {"frobnicate"},
                                                                  {"--driver", "usb", "describe"},
                                                                  {"--program-dir"},
                                                                  {"--verbose", "describe"},
                                                                  {"describe", "extra"}})
    {
        Result r = RunCtl(dir, args);
        EXPECT_NE(r.code, 0);
        EXPECT_TRUE(r.out.empty());
        EXPECT_NE(r.err.find("vestrelctl: "), std::string::npos) << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.DataDir()));
}

namespace
{

// Runs the vestrelctl executable through the shell, after `environment`
// (assignments the shell puts before the command); its exit status and stdout.
std::pair<int, std::string> RunExecutable(const std::string& arguments,
                                          const std::string& environment = "")
{
    const std::string command = environment + " " + VESTRELCTL_PATH + " " + arguments;
    std::FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return {-1, {}};
    std::string out;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe))
        out += buffer;
    return {pclose(pipe), out};
}

} // namespace

TEST(VestrelCtl, ExecutableListsProfilesOfItsProgramFolder)
{
    TempProgramFolder dir;
    auto [code, out] = RunExecutable("--program-dir '" + dir.Path().string() + "' profiles");
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(out.starts_with("0\t*\t")) << out;
    EXPECT_FALSE(std::filesystem::exists(dir.DataDir()));
}

TEST(VestrelCtl, ExecutableKeepsDataUnderXdgWhenProgramFolderIsNotWritable)
{
    // An installed copy: the program folder cannot take the user's files (a
    // folder that does not exist stands in for a read-only one, even for root).
    TempProgramFolder home;
    const std::filesystem::path xdg = home.Path() / "xdg";
    const std::string command =
        "--program-dir /nonexistent-vestrel/lib/vestrel --driver virtual apply";
    auto [code, out] = RunExecutable(command, "XDG_DATA_HOME='" + xdg.string() + "'");
    EXPECT_EQ(code, 0);
    EXPECT_TRUE(out.starts_with("applied profile 0: ")) << out;
    EXPECT_EQ(home.ReadFile("xdg/vestrel/Data/profile.bin").size(), 56528u);
    EXPECT_EQ(home.ReadFile("xdg/vestrel/Data/Data.bin").size(), 8u);

    // Without XDG_DATA_HOME the files go under the home folder.
    auto [homeCode, homeOut] =
        RunExecutable(command, "env -u XDG_DATA_HOME HOME='" + home.Path().string() + "'");
    EXPECT_EQ(homeCode, 0) << homeOut;
    EXPECT_EQ(home.ReadFile(".local/share/vestrel/Data/profile.bin").size(), 56528u);
}

TEST(VestrelCtl, WritingCommandsGiveWayToTheRunningProgramReadingOnesWork)
{
    TempProgramFolder dir;
    ASSERT_EQ(RunCtl(dir, {"--driver", "virtual", "apply"}).code, 0);
    const auto profiles = dir.ReadFile("Data/profile.bin");
    const auto state = dir.ReadFile("Data/Data.bin");
    {
        DataFolderLock program; // as the GUI holds it for its whole run
        ASSERT_EQ(program.LockForProgram(dir.DataDir()), DataFolderLock::Outcome::Locked);
        Result r = RunCtl(dir, {"--driver", "virtual", "apply", "--profile", "0"});
        EXPECT_EQ(r.code, 1);
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_NE(r.err.find("vestrel is running"), std::string::npos) << r.err;
        EXPECT_EQ(dir.ReadFile("Data/profile.bin"), profiles);
        EXPECT_EQ(dir.ReadFile("Data/Data.bin"), state);

        r = RunCtl(dir, {"profiles"});
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_TRUE(r.out.starts_with("0\t*\t")) << r.out;
    }
    EXPECT_EQ(RunCtl(dir, {"--driver", "virtual", "apply"}).code, 0);
}

TEST(VestrelCtl, NamesArePrintedWithoutControlCharacters)
{
    // A profile.bin from before names were cleaned, or written by hand.
    TempProgramFolder dir;
    auto profile = std::make_unique<ProfileData>();
    const char16_t raw[] = u"evil\n1\t*\tforged\x1b[2J\x9b\u202e";
    std::copy(std::begin(raw), std::end(raw), profile->szName);
    dir.WriteFile("Data/profile.bin", profile.get(), sizeof *profile);
    Result r = RunCtl(dir, {"profiles"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "0\t*\tevil\xEF\xBF\xBD"
                     "1\xEF\xBF\xBD*\xEF\xBF\xBD"
                     "forged\xEF\xBF\xBD[2J"
                     "\xEF\xBF\xBD\xEF\xBF\xBD\n");
}

TEST(VestrelCtl, ApplyOnAFullDiskOrReadOnlyFolderSaysItWasNotSaved)
{
    TempProgramFolder dir;
    SmallTmpfs disk(dir.DataDir(), 512 * 1024);
    if (!disk.Mounted())
        GTEST_SKIP() << "cannot mount a tmpfs here";
    ASSERT_EQ(RunCtl(dir, {"--driver", "virtual", "apply"}).code, 0);
    const auto profiles = dir.ReadFile("Data/profile.bin");

    disk.Fill();
    Result r = RunCtl(dir, {"--driver", "virtual", "apply"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out.find("applied"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("could not be saved: the disk is full"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("not saved"), std::string::npos) << r.err;
    EXPECT_EQ(dir.ReadFile("Data/profile.bin"), profiles);

    std::filesystem::remove(dir.DataDir() / "filler");
    ASSERT_TRUE(disk.MakeReadOnly());
    r = RunCtl(dir, {"--driver", "virtual", "apply"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out.find("applied"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("the folder is read-only"), std::string::npos) << r.err;
    EXPECT_EQ(dir.ReadFile("Data/profile.bin"), profiles);
}
