#pragma once
// The skin resources and the loaded language: text key -> text for every
// control whose text is a language key, and for the program's own lookups.

#include "app/LanguageFile.h"

#include <QString>

class CResourceManager
{
public:
    static CResourceManager* GetInstance();

    // Reads a skin file of the resource folder and keeps it for the builder;
    // false if it is missing or not well-formed. The type is accepted for the
    // Windows shape and unused.
    bool LoadResource(const QString& xml, const QString& type = QString());
    // Loads a language file relative to the resource folder ("Language/EN.xml");
    // a missing file leaves no texts (every key then reads as empty).
    bool LoadLanguage(const QString& file);
    // Takes a language file read already (the start-up's), so that it is not
    // read a second time.
    void UseLanguage(const LanguageFile& language) { m_language = language; }
    // The text of a key in the loaded language; empty for an unknown key.
    QString GetText(const QString& key) const;
    // Shows every language-key text of every window in the language loaded now.
    void ReloadText();

private:
    LanguageFile m_language;
};
