#include "model/ExchangeFileName.h"

#include <system_error>

std::u16string SuggestedFileName(std::u16string_view itemName, std::u16string_view extension)
{
    std::u16string name;
    for (char16_t c : itemName)
        name += c == u'/' || c == u'\\' || c < 0x20 || (c >= 0x7F && c <= 0x9F) ? u'_' : c;
    const auto first = name.find_first_not_of(u" .");
    if (first == std::u16string::npos)
        return {};
    name.erase(0, first);
    name.erase(name.find_last_not_of(u' ') + 1);
    return name + u'.' + std::u16string(extension);
}

std::filesystem::path ExchangeStartFolder(const std::filesystem::path& lastUsed,
                                          const std::filesystem::path& home)
{
    std::error_code error;
    if (!lastUsed.empty() && std::filesystem::is_directory(lastUsed, error))
        return lastUsed;
    return home;
}
