#pragma once
// Reads Windows-style initialisation files the way GetPrivateProfileStringW and
// GetPrivateProfileIntW do, so that a Data.ini written for the Windows program
// means the same here.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class IniFile
{
public:
    // A description file is a few kilobytes; anything beyond this is not one.
    static constexpr std::size_t kMaxFileBytes = 1 << 20;
    // The string reader's buffer, terminator included.
    static constexpr std::size_t kStringBufferUnits = 4096;

    // False when the file is missing, not a regular file or too large; every
    // key then reads as absent.
    bool Load(const std::filesystem::path& file);
    // UTF-8 (with or without BOM) or UTF-16LE with BOM.
    void Parse(std::string_view bytes);

    // The value, quotes around it removed, cut to 4,095 units; `def` when the
    // section or key is absent or the key has no '='.
    std::u16string GetString(std::string_view section, std::string_view key,
                             std::u16string_view def = u"") const;
    // The leading decimal digits; a value that starts with anything else,
    // a sign too, reads 0; absent or empty gives `def`.
    int32_t GetInt(std::string_view section, std::string_view key, int32_t def) const;

private:
    struct Entry
    {
        std::u16string key;
        std::optional<std::u16string> value; // none: a line without '='
    };
    struct Section
    {
        std::u16string name;
        std::vector<Entry> entries;
    };

    const Entry* Find(std::string_view section, std::string_view key) const;

    std::vector<Section> m_sections;
};
