#include "model/NameField.h"

#include <algorithm>

std::u16string NameFromField(const char16_t (&field)[kNameFieldUnits])
{
    std::size_t n = 0;
    while (n < kNameMaxChars && field[n] != u'\0')
        ++n;
    return std::u16string(field, n);
}

void SetNameField(char16_t (&field)[kNameFieldUnits], std::u16string_view name)
{
    const std::u16string clean = CleanName(name.substr(0, kNameMaxChars));
    std::fill(std::begin(field), std::end(field), u'\0');
    std::copy(clean.begin(), clean.end(), field);
}

namespace
{
bool IsControlCharacter(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || (c >= 0x2028 && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069);
}
} // namespace

std::u16string CleanName(std::u16string_view name)
{
    std::u16string clean(name);
    std::replace_if(clean.begin(), clean.end(), IsControlCharacter, u'\uFFFD');
    return clean;
}

std::string PrintableName(std::u16string_view name)
{
    return Utf16ToUtf8(CleanName(name));
}

char16_t FoldCase(char16_t c)
{
    // Basic Latin, Latin-1, Latin Extended-A pairs, Greek and Cyrillic: enough
    // for the names people give profiles, macros and guns.
    if (c >= u'A' && c <= u'Z')
        return c + 32;
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return c + 32;
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
        return (c % 2 == 0) ? c + 1 : c;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return (c % 2 == 1) ? c + 1 : c;
    if (c == 0x178)
        return 0xFF;
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2)
        return c + 32;
    if (c >= 0x410 && c <= 0x42F)
        return c + 32;
    if (c >= 0x400 && c <= 0x40F)
        return c + 80;
    return c;
}

bool NamesEqualNoCase(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(b[i]))
            return false;
    return true;
}

std::string Utf16ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i)
    {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF)
        {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        else if (cp >= 0xD800 && cp <= 0xDFFF)
        {
            cp = 0xFFFD; // a lone surrogate from a damaged file
        }
        if (cp < 0x80)
        {
            out += static_cast<char>(cp);
        }
        else if (cp < 0x800)
        {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
        else if (cp < 0x10000)
        {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
        else
        {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

std::u16string Utf8ToUtf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size())
    {
        unsigned char c = static_cast<unsigned char>(text[i]);
        char32_t cp = 0xFFFD;
        std::size_t len = 1;
        if (c < 0x80)
        {
            cp = c;
        }
        else if ((c >> 5) == 0x6)
        {
            len = 2;
            cp = c & 0x1F;
        }
        else if ((c >> 4) == 0xE)
        {
            len = 3;
            cp = c & 0x0F;
        }
        else if ((c >> 3) == 0x1E)
        {
            len = 4;
            cp = c & 0x07;
        }
        else
        {
            len = 0;
        }
        bool ok = len > 0 && i + len <= text.size();
        for (std::size_t k = 1; ok && k < len; ++k)
        {
            unsigned char cc = static_cast<unsigned char>(text[i + k]);
            if ((cc >> 6) != 0x2)
                ok = false;
            else
                cp = (cp << 6) | (cc & 0x3F);
        }
        if (!ok)
        {
            cp = 0xFFFD;
            len = 1;
        }
        if (cp >= 0x10000 && cp <= 0x10FFFF)
        {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        }
        else if (cp < 0x10000)
        {
            out += static_cast<char16_t>(cp);
        }
        else
        {
            out += u'\uFFFD';
        }
        i += len;
    }
    return out;
}
