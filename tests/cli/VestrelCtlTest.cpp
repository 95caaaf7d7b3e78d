#include "cli/VestrelCtl.h"
#include "tests/support/TempProgramFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

namespace
{

struct Result
{
    int code;
    std::string out;
    std::string err;
};

Result RunCtl(const TempProgramFolder& dir, std::vector<std::string> args)
{
    std::ostringstream out, err;
    int code = RunVestrelCtl(args, dir.Path(), out, err);
    return {code, out.str(), err.str()};
}

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

TEST(VestrelCtl, ProfilesStartsLikeTheProgram)
{
    TempProgramFolder dir;
    setenv("LC_ALL", "en_US.UTF-8", 1); // this test process only
    Result r = RunCtl(dir, {"--driver", "virtual", "profiles"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "0\t*\tProfile1\n");
    EXPECT_EQ(dir.ReadFile("Data/Data.bin").size(), 8u);
    EXPECT_EQ(dir.ReadFile("Data/profile.bin").size(), 56528u);

    // Another program folder given on the command line.
    TempProgramFolder other;
    std::ostringstream out, err;
    std::vector<std::string> args = {"--program-dir", other.Path().string(), "profiles"};
    EXPECT_EQ(RunVestrelCtl(args, dir.Path(), out, err), 0);
    EXPECT_EQ(other.ReadFile("Data/profile.bin").size(), 56528u);
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

TEST(VestrelCtl, ExecutableListsProfilesOfItsProgramFolder)
{
    TempProgramFolder dir;
    std::string command =
        std::string(VESTRELCTL_PATH) + " --program-dir '" + dir.Path().string() + "' profiles";
    std::FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string out;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe))
        out += buffer;
    EXPECT_EQ(pclose(pipe), 0);
    EXPECT_TRUE(out.starts_with("0\t*\t")) << out;
    EXPECT_EQ(dir.ReadFile("Data/profile.bin").size(), 56528u);
}
