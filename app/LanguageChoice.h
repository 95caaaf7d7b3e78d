#pragma once
// Which language file the program loads: the stored choice, or one picked from
// the system's user-interface language.

#include <cstdint>
#include <filesystem>
#include <string_view>

inline constexpr int kLanguageCount = 3; // 0 CN, 1 TW, 2 EN

inline constexpr uint16_t kLangIdChineseSimplified = 0x0804;
inline constexpr uint16_t kLangIdChineseTraditional = 0x0404;
inline constexpr uint16_t kLangIdEnglishUS = 0x0409;

// A stored index 0..2 is kept; any other value is replaced by the system's:
// Simplified Chinese 0, Traditional Chinese 1, everything else English 2.
int ChooseLanguageIndex(int32_t storedIndex, uint16_t uiLanguageId);

// "Language/CN.xml" and so on, relative to the skin folder; `index` 0..2.
std::filesystem::path LanguageFileName(int index);

// The Windows language id of a POSIX locale name such as "zh_TW.UTF-8".
uint16_t LanguageIdFromLocale(std::string_view locale);
// The same for the locale the environment selects for messages (LC_ALL, then
// LC_MESSAGES, then LANG).
uint16_t LanguageIdFromEnvironment();
