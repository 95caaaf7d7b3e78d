#include "app/LanguageFile.h"
#include "tests/support/TempProgramFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

TEST(LanguageFile, ReadsKeysFirstDefinitionWins)
{
    TempProgramFolder dir;
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Language>"
                      "<Text key=\"profile_text\" value=\"Perfil\"/>"
                      "<Text key=\"profile_text\" value=\"Other\"/>"
                      "<Text key=\"cn\" value=\"配置\"/><Text value=\"nokey\"/></Language>";
    dir.WriteFile("l.xml", xml.data(), xml.size());
    LanguageFile lang;
    ASSERT_TRUE(lang.Load(dir.Path() / "l.xml"));
    EXPECT_EQ(lang.GetText("profile_text"), u"Perfil");
    EXPECT_EQ(lang.GetText("cn"), u"配置");
    EXPECT_EQ(lang.GetText("missing"), u"");
    EXPECT_EQ(lang.Size(), 2u);
}

TEST(LanguageFile, BrokenOrMissingFileGivesEmptyTable)
{
    TempProgramFolder dir;
    std::string bad = "<Language><Text key=\"a\" value=\"b\"";
    dir.WriteFile("bad.xml", bad.data(), bad.size());
    LanguageFile lang;
    EXPECT_FALSE(lang.Load(dir.Path() / "bad.xml"));
    EXPECT_EQ(lang.Size(), 0u);
    EXPECT_FALSE(lang.Load(dir.Path() / "none.xml"));

    // Neither a FIFO nor an endless device may stall or fill the program.
    ASSERT_EQ(::mkfifo((dir.Path() / "fifo.xml").c_str(), 0600), 0);
    EXPECT_FALSE(lang.Load(dir.Path() / "fifo.xml"));
    std::filesystem::create_symlink("/dev/zero", dir.Path() / "zero.xml");
    EXPECT_FALSE(lang.Load(dir.Path() / "zero.xml"));
}

TEST(LanguageFile, ShippedFilesLoad)
{
    for (const char* name : {"EN.xml", "CN.xml", "TW.xml"})
    {
        LanguageFile lang;
        ASSERT_TRUE(lang.Load(SourceDir() / "res" / "Language" / name)) << name;
        EXPECT_FALSE(lang.GetText("profile_text").empty()) << name;
    }
}
