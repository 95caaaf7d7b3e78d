#include "model/IniFile.h"
#include "tests/support/TempProgramFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

IniFile Parsed(std::string_view text)
{
    IniFile ini;
    ini.Parse(text);
    return ini;
}

} // namespace

TEST(IniFile, NamesIgnoreCaseAndTheFirstMatchWins)
{
    IniFile ini = Parsed("[Default]\nVID=1111\nvid=2222\n"
                         "[default]\nPID=3333\n"
                         "[BUTTON]\n1=a\n");
    EXPECT_EQ(ini.GetString("DEFAULT", "Vid"), u"1111");
    // Only the first section of a name is searched.
    EXPECT_EQ(ini.GetString("Default", "PID", u"none"), u"none");
    EXPECT_EQ(ini.GetString("button", "1"), u"a");
    EXPECT_EQ(ini.GetString("Missing", "1", u"dflt"), u"dflt");
}

TEST(IniFile, TrimsWhiteSpaceSkipsCommentsAndStripsQuotes)
{
    IniFile ini = Parsed("  [ Default ]  \r\n"
                         "; Password=commented\r\n"
                         "  Password  =  Vq7#kP  \r\n"
                         "Quoted=\"  a b \"\r\n"
                         "Single='x'\r\n"
                         "Unbalanced=\"abc\r\n"
                         "NoEquals\r\n"
                         "Empty=\r\n"
                         "Inner=a ; not a comment\r\n");
    EXPECT_EQ(ini.GetString("Default", "Password"), u"Vq7#kP");
    EXPECT_EQ(ini.GetString("Default", "Quoted"), u"  a b ");
    EXPECT_EQ(ini.GetString("Default", "Single"), u"x");
    EXPECT_EQ(ini.GetString("Default", "Unbalanced"), u"\"abc");
    EXPECT_EQ(ini.GetString("Default", "NoEquals", u"d"), u"d");
    EXPECT_EQ(ini.GetString("Default", "Empty", u"d"), u"");
    EXPECT_EQ(ini.GetString("Default", "Inner"), u"a ; not a comment");
    EXPECT_EQ(ini.GetString("Default", "; Password", u"d"), u"d");
}

TEST(IniFile, IntegerReaderDigitRules)
{
    IniFile ini = Parsed("[D]\nplain=3335\nplus=+12\nminus=-7\ntail=12abc\nword=abc\n"
                         "sign=-\nempty=\nspace=  42  \nquoted=\"5\"\nwrap=4294967297\n"
                         "hex=0x10\n");
    EXPECT_EQ(ini.GetInt("D", "plain", -1), 3335);
    EXPECT_EQ(ini.GetInt("D", "plus", -1), 0);
    EXPECT_EQ(ini.GetInt("D", "minus", -1), 0);
    EXPECT_EQ(ini.GetInt("D", "tail", -1), 12);
    EXPECT_EQ(ini.GetInt("D", "word", -1), 0);
    EXPECT_EQ(ini.GetInt("D", "sign", -1), 0);
    EXPECT_EQ(ini.GetInt("D", "empty", -1), -1);
    EXPECT_EQ(ini.GetInt("D", "absent", -1), -1);
    EXPECT_EQ(ini.GetInt("D", "space", -1), 42);
    EXPECT_EQ(ini.GetInt("D", "quoted", -1), 5);
    EXPECT_EQ(ini.GetInt("D", "wrap", -1), 1);
    EXPECT_EQ(ini.GetInt("D", "hex", -1), 0);
}

TEST(IniFile, StringReaderCutsAtItsBufferAndAtNul)
{
    std::string longValue(10000, 'v');
    std::string text = "[D]\nlong=" + longValue + "\nnul=ab";
    text += '\0';
    text += "cd\nlast=end"; // no newline at the end
    IniFile ini = Parsed(text);
    EXPECT_EQ(ini.GetString("D", "long").size(), IniFile::kStringBufferUnits - 1);
    EXPECT_EQ(ini.GetString("D", "nul"), u"ab");
    EXPECT_EQ(ini.GetString("D", "last"), u"end");
}

TEST(IniFile, ReadsUtf8AndUtf16Files)
{
    IniFile utf8 = Parsed("\xEF\xBB\xBF[D]\nname=\xE9\x85\x8D\xE7\xBD\xAE\n");
    EXPECT_EQ(utf8.GetString("D", "name"), u"配置");

    std::u16string wide = u"\uFEFF[D]\r\nname=Ab\r\n";
    std::string bytes;
    for (char16_t c : wide)
    {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    EXPECT_EQ(Parsed(bytes).GetString("d", "NAME"), u"Ab");
}

TEST(IniFile, UnreadableFilesReadAsEmpty)
{
    TempProgramFolder dir;
    IniFile ini;
    EXPECT_FALSE(ini.Load(dir.Path() / "none.ini"));
    EXPECT_FALSE(ini.Load(dir.Path()));
    EXPECT_EQ(ini.GetInt("Default", "Sensor", -1), -1);

    std::string huge = "[Default]\nSensor=5\n" + std::string(IniFile::kMaxFileBytes, 'x');
    dir.WriteFile("huge.ini", huge.data(), huge.size());
    EXPECT_FALSE(ini.Load(dir.Path() / "huge.ini"));
    EXPECT_EQ(ini.GetInt("Default", "Sensor", -1), -1);

    std::string binary;
    for (int i = 0; i < 4096; ++i)
        binary += static_cast<char>((i * 37) & 0xFF);
    dir.WriteFile("bin.ini", binary.data(), binary.size());
    EXPECT_TRUE(ini.Load(dir.Path() / "bin.ini"));
    EXPECT_EQ(ini.GetInt("Default", "Sensor", -1), -1);
}
