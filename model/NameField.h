#pragma once
// The fixed 50-unit UTF-16 name fields of the records, and the conversions the
// program needs around them.

#include <cstddef>
#include <string>
#include <string_view>

inline constexpr std::size_t kNameFieldUnits = 50;
inline constexpr std::size_t kNameMaxChars = kNameFieldUnits - 1;

// The name held in a field: up to its terminator, and never more than 49 units
// even when a damaged file left no terminator.
std::u16string NameFromField(const char16_t (&field)[kNameFieldUnits]);

// Stores a name, cleaned and cut to 49 units, zero-filling the rest of the
// field.
void SetNameField(char16_t (&field)[kNameFieldUnits], std::u16string_view name);

// The name with every control character (C0, DEL, C1, the bidirectional
// overrides and line separators, which can forge lines or reorder what a
// terminal or list shows) replaced by U+FFFD. Names from imports or typing
// pass through it before they enter a record.
std::u16string CleanName(std::u16string_view name);
// UTF-8 of a cleaned name, for output that must never carry a control
// character raw (vestrelctl).
std::string PrintableName(std::u16string_view name);

// Case-insensitive comparison, as the program compares every name.
bool NamesEqualNoCase(std::u16string_view a, std::u16string_view b);
char16_t FoldCase(char16_t c);

std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);

// "base" if free, otherwise "base_1", "base_2", ... - the first one that
// isTaken refuses. The result always fits a name field: the base is shortened
// so that the suffix still fits in 49 units.
template <typename IsTaken>
std::u16string MakeFreeName(std::u16string_view rawBase, IsTaken isTaken)
{
    // Cleaned first, so the name checked is the name stored.
    const std::u16string cleanBase = CleanName(rawBase);
    const std::u16string_view base = cleanBase;
    std::u16string candidate(base.substr(0, kNameMaxChars));
    if (!isTaken(candidate))
        return candidate;
    for (unsigned n = 1;; ++n)
    {
        std::string digits = "_" + std::to_string(n);
        std::u16string suffix(digits.begin(), digits.end());
        std::u16string head(base.substr(0, kNameMaxChars - suffix.size()));
        candidate = head + suffix;
        if (!isTaken(candidate))
            return candidate;
    }
}
