#include "model/IniFile.h"

#include "model/AtomicFile.h"
#include "model/NameField.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace
{

// The integer reader goes through a 30-unit string buffer.
constexpr std::size_t kIntBufferUnits = 30;

bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f';
}

std::u16string_view Trim(std::u16string_view s)
{
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool EqualNoCase(std::u16string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldCase(a[i]) != FoldCase(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::u16string DecodeText(std::string_view bytes)
{
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE)
    {
        std::u16string text;
        text.reserve(bytes.size() / 2);
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
            text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                          static_cast<unsigned char>(bytes[i + 1]) << 8);
        return text;
    }
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    return Utf8ToUtf16(bytes);
}

// What the string reader hands back in a buffer of `units` units: quotes
// removed, cut at an embedded NUL and to the buffer's size.
std::u16string CopyValue(std::u16string_view value, std::size_t units)
{
    value = value.substr(0, value.find(u'\0'));
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::u16string(value.substr(0, units - 1));
}

} // namespace

bool IniFile::Load(const fs::path& file)
{
    m_sections.clear();
    const auto bytes = ReadWholeFile(file, kMaxFileBytes);
    if (!bytes)
        return false;
    Parse(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    return true;
}

void IniFile::Parse(std::string_view bytes)
{
    m_sections.clear();
    std::u16string text = DecodeText(bytes);
    std::u16string_view rest = text;
    Section* current = nullptr;
    while (!rest.empty())
    {
        std::size_t end = rest.find_first_of(u"\r\n");
        std::u16string_view line = Trim(rest.substr(0, end));
        rest = end == std::u16string_view::npos ? std::u16string_view() : rest.substr(end + 1);
        if (line.empty() || line.front() == u';')
            continue;
        if (line.front() == u'[')
        {
            std::size_t close = line.find(u']');
            if (close != std::u16string_view::npos)
            {
                m_sections.push_back({std::u16string(Trim(line.substr(1, close - 1))), {}});
                current = &m_sections.back();
            }
            continue;
        }
        if (!current)
        {
            // Keys before the first section belong to no section anyone can name.
            m_sections.push_back({});
            current = &m_sections.back();
        }
        std::size_t eq = line.find(u'=');
        if (eq == std::u16string_view::npos)
            current->entries.push_back({std::u16string(line), std::nullopt});
        else
            current->entries.push_back({std::u16string(Trim(line.substr(0, eq))),
                                        std::u16string(Trim(line.substr(eq + 1)))});
    }
}

const IniFile::Entry* IniFile::Find(std::string_view section, std::string_view key) const
{
    // Only the first section of a name is searched, and in it the first key.
    auto sec = std::find_if(m_sections.begin(), m_sections.end(),
                            [&](const Section& s) { return EqualNoCase(s.name, section); });
    if (sec == m_sections.end())
        return nullptr;
    auto entry = std::find_if(sec->entries.begin(), sec->entries.end(),
                              [&](const Entry& e) { return EqualNoCase(e.key, key); });
    return entry == sec->entries.end() ? nullptr : &*entry;
}

std::u16string IniFile::GetString(std::string_view section, std::string_view key,
                                  std::u16string_view def) const
{
    const Entry* entry = Find(section, key);
    if (!entry || !entry->value)
        return CopyValue(def, kStringBufferUnits);
    return CopyValue(*entry->value, kStringBufferUnits);
}

int32_t IniFile::GetInt(std::string_view section, std::string_view key, int32_t def) const
{
    const Entry* entry = Find(section, key);
    if (!entry || !entry->value)
        return def;
    std::u16string value = CopyValue(*entry->value, kIntBufferUnits);
    if (value.empty())
        return def;
    // A value that does not start with a digit, a sign included, reads as
    // 0: Distance=-5 must not become a negative lift-off distance.
    // Wraps like the 32-bit accumulator of the Windows reader.
    uint32_t result = 0;
    for (std::size_t i = 0; i < value.size() && value[i] >= u'0' && value[i] <= u'9'; ++i)
        result = result * 10u + static_cast<uint32_t>(value[i] - u'0');
    return static_cast<int32_t>(result);
}
