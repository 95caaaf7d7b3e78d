#include "model/NameField.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

TEST(NameField, CutsAtTerminatorOrAt49Units)
{
    char16_t field[kNameFieldUnits];
    SetNameField(field, u"Game");
    EXPECT_EQ(NameFromField(field), u"Game");
    EXPECT_EQ(field[4], u'\0');
    EXPECT_EQ(field[49], u'\0');

    // A damaged record without terminator.
    for (auto& c : field)
        c = u'x';
    EXPECT_EQ(NameFromField(field).size(), 49u);

    SetNameField(field, std::u16string(80, u'y'));
    EXPECT_EQ(NameFromField(field), std::u16string(49, u'y'));
    EXPECT_EQ(field[49], u'\0');
}

TEST(NameField, ComparesWithoutCase)
{
    EXPECT_TRUE(NamesEqualNoCase(u"Office", u"OFFICE"));
    EXPECT_TRUE(NamesEqualNoCase(u"Äpfel", u"äPFEL"));
    EXPECT_TRUE(NamesEqualNoCase(u"ŁÓDŹ", u"łódź"));
    EXPECT_TRUE(NamesEqualNoCase(u"ИГРА", u"игра"));
    EXPECT_FALSE(NamesEqualNoCase(u"Game", u"Games"));
    EXPECT_FALSE(NamesEqualNoCase(u"A", u"B"));
}

TEST(NameField, FreeNamesAppendCountersAndStayInTheField)
{
    std::vector<std::u16string> taken = {u"Profile4", u"profile4_1"};
    auto isTaken = [&](const std::u16string& n)
    {
        for (auto& t : taken)
            if (NamesEqualNoCase(t, n))
                return true;
        return false;
    };
    EXPECT_EQ(MakeFreeName(u"Profile5", isTaken), u"Profile5");
    EXPECT_EQ(MakeFreeName(u"Profile4", isTaken), u"Profile4_2");

    std::u16string longName(49, u'n');
    taken = {longName};
    std::u16string free = MakeFreeName(longName, isTaken);
    EXPECT_EQ(free.size(), 49u);
    EXPECT_EQ(free.substr(47), u"_1");
}

TEST(NameField, Utf8RoundTripIncludingSurrogatesAndBadInput)
{
    std::u16string text = u"Pro 设置 \U0001F3AE é";
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
    EXPECT_EQ(Utf16ToUtf8(u"设"), "\xE8\xAE\xBE");
    EXPECT_EQ(Utf8ToUtf16("a\xFF"
                          "b"),
              u"a\uFFFDb");
    EXPECT_EQ(Utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(NameField, ControlCharactersNeverEnterARecord)
{
    char16_t field[kNameFieldUnits];
    const std::u16string typed = u"a\nb\tc\x1b[31m\x7F\x85\u202Ed\u2028e";
    SetNameField(field, typed);
    EXPECT_EQ(NameFromField(field), u"a\uFFFDb\uFFFDc\uFFFD[31m\uFFFD\uFFFD\uFFFDd\uFFFDe");
    // A NUL typed inside a name would cut it short unseen.
    SetNameField(field, std::u16string(u"ab\0cd", 5));
    EXPECT_EQ(NameFromField(field), u"ab\uFFFDcd");
    SetNameField(field, u"Pro 设置 é");
    EXPECT_EQ(NameFromField(field), u"Pro 设置 é");

    // Free names are checked as they will be stored.
    std::vector<std::u16string> taken = {u"x\uFFFDy"};
    auto isTaken = [&](const std::u16string& name)
    { return std::find(taken.begin(), taken.end(), name) != taken.end(); };
    EXPECT_EQ(MakeFreeName(u"x\ny", isTaken), u"x\uFFFDy_1");
    EXPECT_EQ(PrintableName(u"1\t*\tx\n"), "1\xEF\xBF\xBD*\xEF\xBF\xBDx\xEF\xBF\xBD");
}
