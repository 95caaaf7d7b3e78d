#pragma once
// A language file: text key -> text. The GUI's resource manager wraps it;
// vestrelctl uses it directly for the texts that end up in stored names.

#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>

class LanguageFile
{
public:
    // Reads <Language><Text key="..." value="..."/>...</Language>. A missing or
    // broken file leaves the table empty; false tells the caller so.
    bool Load(const std::filesystem::path& file);
    void Clear() { m_texts.clear(); }

    // The text of a key, or an empty text for an unknown key.
    std::u16string GetText(std::string_view key) const;
    bool HasKey(std::string_view key) const;
    std::size_t Size() const { return m_texts.size(); }

private:
    std::unordered_map<std::string, std::u16string> m_texts;
};
