#pragma once
// Qt's own texts (the file dialogs, the question before a file is replaced)
// in the language the program shows.

// Takes Qt's translation for a language index (0 Simplified, 1 Traditional
// Chinese) from Qt's translation folder, or none for English. Without the
// file Qt simply speaks English.
void LoadQtTranslations(int languageIndex);
