#include "app/LanguageChoice.h"

#include <cctype>
#include <cstdlib>
#include <string>

namespace
{

std::string Lower(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

struct LocaleId
{
    const char* name; // "ll" or "ll_tt", lower case
    uint16_t id;
};

// Language ids of the languages people commonly run, with the territory
// only where it changes the id. An unlisted language counts as English.
constexpr LocaleId kLocaleIds[] = {
    {"zh_cn", 0x0804}, {"zh_sg", 0x1004}, {"zh_tw", 0x0404}, {"zh_hk", 0x0404}, {"zh_mo", 0x1404},
    {"zh", 0x0804},    {"en_gb", 0x0809}, {"en", 0x0409},    {"ar", 0x0401},    {"bg", 0x0402},
    {"ca", 0x0403},    {"cs", 0x0405},    {"da", 0x0406},    {"de", 0x0407},    {"el", 0x0408},
    {"es", 0x0C0A},    {"fi", 0x040B},    {"fr", 0x040C},    {"he", 0x040D},    {"hu", 0x040E},
    {"it", 0x0410},    {"ja", 0x0411},    {"ko", 0x0412},    {"nl", 0x0413},    {"nb", 0x0414},
    {"pl", 0x0415},    {"pt_pt", 0x0816}, {"pt", 0x0416},    {"ro", 0x0418},    {"ru", 0x0419},
    {"hr", 0x041A},    {"sk", 0x041B},    {"sv", 0x041D},    {"th", 0x041E},    {"tr", 0x041F},
    {"uk", 0x0422},    {"vi", 0x042A},
};

} // namespace

int ChooseLanguageIndex(int32_t storedIndex, uint16_t uiLanguageId)
{
    if (storedIndex >= 0 && storedIndex < kLanguageCount)
        return storedIndex;
    if (uiLanguageId == kLangIdChineseSimplified)
        return 0;
    if (uiLanguageId == kLangIdChineseTraditional)
        return 1;
    return 2;
}

std::filesystem::path LanguageFileName(int index)
{
    static const char* const kFiles[kLanguageCount] = {"CN.xml", "TW.xml", "EN.xml"};
    return std::filesystem::path("Language") / kFiles[index];
}

uint16_t LanguageIdFromLocale(std::string_view locale)
{
    // language[_territory][.codeset][@modifier]
    std::string name = Lower(locale.substr(0, locale.find_first_of(".@")));
    std::string language = name.substr(0, name.find('_'));
    for (const LocaleId& entry : kLocaleIds)
        if (name == entry.name)
            return entry.id;
    for (const LocaleId& entry : kLocaleIds)
        if (language == entry.name)
            return entry.id;
    return kLangIdEnglishUS;
}

uint16_t LanguageIdFromEnvironment()
{
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"})
    {
        const char* value = std::getenv(variable);
        if (value && *value)
            return LanguageIdFromLocale(value);
    }
    return kLangIdEnglishUS;
}
