#include "app/DeviceDescription.h"
#include "tests/support/TempProgramFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace
{

// The rule lines of a udev rules file (no comments, no blank lines).
std::vector<std::string> RuleLines(const std::filesystem::path& file)
{
    std::vector<std::string> lines;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#')
            lines.push_back(line);
    return lines;
}

std::string Hex4(uint32_t id)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04x", static_cast<unsigned>(id));
    return text;
}

// One hidraw rule that tags the given mouse for the logged-in user.
void ExpectRuleFor(const std::vector<std::string>& lines, const std::string& vid,
                   const std::string& pid)
{
    ASSERT_EQ(lines.size(), 1u);
    const std::regex rule(R"re(SUBSYSTEM=="hidraw", ATTRS\{idVendor\}=="([0-9a-f]{4})", )re"
                          R"re(ATTRS\{idProduct\}=="([0-9a-f]{4})", TAG\+="uaccess")re");
    std::smatch match;
    ASSERT_TRUE(std::regex_match(lines[0], match, rule)) << lines[0];
    EXPECT_EQ(match[1], vid);
    EXPECT_EQ(match[2], pid);
}

} // namespace

TEST(UdevRule, BuiltRuleNamesTheMouseOfTheShippedDataIni)
{
    const DeviceDescription shipped = ReadDeviceDescription(SourceDir() / "data");
    ExpectRuleFor(
        RuleLines(std::filesystem::path(VESTREL_BINARY_DIR) / "packaging" / "70-vestrel.rules"),
        Hex4(shipped.m_iVID), Hex4(shipped.m_iPID));
}

TEST(UdevRule, MadeFromAnyDataIniWithIdsAsSysfsShowsThem)
{
    // Upper-case and short ids in Data.ini: sysfs shows four lower-case digits.
    TempProgramFolder dir;
    dir.WriteIni("[Default]\nVID=1A2B\nPID=c\n");
    const std::filesystem::path describe = dir.Path() / "describe.txt";
    const std::filesystem::path rule = dir.Path() / "70-vestrel.rules";
    const std::string ctl = std::string(VESTRELCTL_PATH) + " --program-dir '" +
                            dir.Path().string() + "' describe > '" + describe.string() + "'";
    ASSERT_EQ(std::system(ctl.c_str()), 0);
    const std::string make = std::string(CMAKE_COMMAND_PATH) + " -DDESCRIBE='" + describe.string() +
                             "' -DTEMPLATE='" +
                             (SourceDir() / "packaging" / "70-vestrel.rules.in").string() +
                             "' -DOUTPUT='" + rule.string() + "' -P '" +
                             (SourceDir() / "packaging" / "MakeUdevRule.cmake").string() + "'";
    ASSERT_EQ(std::system(make.c_str()), 0);
    ExpectRuleFor(RuleLines(rule), "1a2b", "000c");
}
