#include "app/LanguageChoice.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

TEST(LanguageChoice, StoredIndexWinsOtherwiseTheSystemLanguage)
{
    for (int stored : {0, 1, 2})
        EXPECT_EQ(ChooseLanguageIndex(stored, 0x0404), stored);
    EXPECT_EQ(ChooseLanguageIndex(-1, 0x0804), 0);
    EXPECT_EQ(ChooseLanguageIndex(-1, 0x0404), 1);
    EXPECT_EQ(ChooseLanguageIndex(-1, 0x0409), 2);
    EXPECT_EQ(ChooseLanguageIndex(3, 0x0407), 2); // German
    EXPECT_EQ(ChooseLanguageIndex(99, 0x0804), 0);
    EXPECT_EQ(ChooseLanguageIndex(-1, 0x1004), 2); // Chinese (Singapore) is not 0x0804
    EXPECT_EQ(LanguageFileName(1), std::filesystem::path("Language/TW.xml"));
}

TEST(LanguageChoice, LocaleNamesGiveWindowsLanguageIds)
{
    EXPECT_EQ(LanguageIdFromLocale("zh_CN.UTF-8"), 0x0804);
    EXPECT_EQ(LanguageIdFromLocale("zh_TW.UTF-8"), 0x0404);
    EXPECT_EQ(LanguageIdFromLocale("zh_HK.utf8@stroke"), 0x0404);
    EXPECT_EQ(LanguageIdFromLocale("ZH_tw"), 0x0404);
    EXPECT_EQ(LanguageIdFromLocale("de_DE.UTF-8"), 0x0407);
    EXPECT_EQ(LanguageIdFromLocale("de_AT"), 0x0407);
    EXPECT_EQ(LanguageIdFromLocale("en_US.UTF-8"), 0x0409);
    EXPECT_EQ(LanguageIdFromLocale("C.UTF-8"), 0x0409);
    EXPECT_EQ(LanguageIdFromLocale("POSIX"), 0x0409);
    EXPECT_EQ(LanguageIdFromLocale(""), 0x0409);
}

namespace
{

// Sets environment variables for one test and puts them back afterwards.
class ScopedEnv
{
public:
    ScopedEnv(const char* name, const char* value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (m_old)
            setenv(m_name, m_old->c_str(), 1);
        else
            unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

} // namespace

TEST(LanguageChoice, EnvironmentPrecedence)
{
    ScopedEnv all("LC_ALL", "");
    ScopedEnv messages("LC_MESSAGES", "zh_TW.UTF-8");
    ScopedEnv lang("LANG", "zh_CN.UTF-8");
    EXPECT_EQ(LanguageIdFromEnvironment(), 0x0404);
    {
        ScopedEnv override("LC_ALL", "de_DE.UTF-8");
        EXPECT_EQ(LanguageIdFromEnvironment(), 0x0407);
    }
    ScopedEnv noMessages("LC_MESSAGES", nullptr);
    EXPECT_EQ(LanguageIdFromEnvironment(), 0x0804);
    ScopedEnv noLang("LANG", nullptr);
    EXPECT_EQ(LanguageIdFromEnvironment(), 0x0409);
}
