#pragma once
// Translation between Windows virtual keys, USB HID keyboard usages (what the
// mouse and the stored records hold) and the names shown for them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

struct VirtualKeyRow
{
    int32_t iVirtualKey;
    int32_t iUsage;
    int32_t iScanCode; // PC set-1 make code for usages 0x04..0x45, else 0
};

inline constexpr std::size_t kVirtualKeyRows = 111;
extern const std::array<VirtualKeyRow, kVirtualKeyRows> kVirtualKeyTable;

struct KeyUsage
{
    bool bFound = false;
    int iUsage = 0;
};

// Maps a virtual key to the scan code of the key that produces it on the
// active keyboard layout; 0 when unknown.
using ScanCodeSource = uint32_t (*)(uint32_t virtualKey);

// The US layout, read from the table itself; the default source.
uint32_t UsLayoutScanCode(uint32_t virtualKey);

// Installs the source the platform layer derives from real keyboard events
// and returns the previous one. nullptr restores the US layout.
ScanCodeSource SetScanCodeSource(ScanCodeSource source);

// Letters, digits, punctuation and F-keys follow the physical key position,
// so that a French A (where the US layout has Q) records the usage of Q.
KeyUsage VirtualKeyToUsage(uint32_t virtualKey);

// The name of a usage or mouse code: a text key of the language files, one
// of a few plain texts (see UsageNameIsTextKey), or empty.
std::string_view UsageName(int usage);
bool UsageNameIsTextKey(int usage);
