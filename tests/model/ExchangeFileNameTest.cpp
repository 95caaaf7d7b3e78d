#include "model/ExchangeFileName.h"
#include "tests/support/TempProgramFolder.h"

#include <gtest/gtest.h>

TEST(ExchangeFileName, TheItemsNameFitForAFile)
{
    EXPECT_EQ(SuggestedFileName(u"Reload", u"mbin"), u"Reload.mbin");
    EXPECT_EQ(SuggestedFileName(u"CS2/AK\\47", u"gbin"), u"CS2_AK_47.gbin");
    EXPECT_EQ(SuggestedFileName(u"a\tb\nc\u0085", u"pbin"), u"a_b_c_.pbin");
    EXPECT_EQ(SuggestedFileName(u" ..hidden ", u"mbins"), u"hidden.mbins");
    EXPECT_EQ(SuggestedFileName(u"游戏 宏", u"mbin"), u"游戏 宏.mbin");
    // Nothing left of the name: no suggestion rather than a bare ".gbin".
    EXPECT_EQ(SuggestedFileName(u"", u"gbin"), u"");
    EXPECT_EQ(SuggestedFileName(u" . ", u"gbin"), u"");
}

TEST(ExchangeFileName, StartsWhereTheLastFileWasElseAtHome)
{
    TempProgramFolder folder;
    const std::filesystem::path home = folder.Path() / "home";
    EXPECT_EQ(ExchangeStartFolder({}, home), home);
    EXPECT_EQ(ExchangeStartFolder(folder.Path(), home), folder.Path());
    // A folder removed since, or a file, is no place to start.
    EXPECT_EQ(ExchangeStartFolder(folder.Path() / "gone", home), home);
    folder.WriteFile("plain", "x", 1);
    EXPECT_EQ(ExchangeStartFolder(folder.Path() / "plain", home), home);
}
