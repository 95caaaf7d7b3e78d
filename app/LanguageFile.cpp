#include "app/LanguageFile.h"

#include "model/NameField.h"
#include "model/XmlFile.h"

bool LanguageFile::Load(const std::filesystem::path& file)
{
    m_texts.clear();
    pugi::xml_document doc;
    if (!LoadXmlFile(doc, file))
        return false;
    pugi::xml_node root = doc.child("Language");
    if (!root)
        return false;
    for (pugi::xml_node text : root.children("Text"))
    {
        const char* key = text.attribute("key").value();
        if (*key == '\0')
            continue;
        // The first definition of a key wins, as with the other readers.
        m_texts.emplace(key, Utf8ToUtf16(text.attribute("value").value()));
    }
    return true;
}

std::u16string LanguageFile::GetText(std::string_view key) const
{
    auto it = m_texts.find(std::string(key));
    return it == m_texts.end() ? std::u16string() : it->second;
}

bool LanguageFile::HasKey(std::string_view key) const
{
    return m_texts.find(std::string(key)) != m_texts.end();
}
