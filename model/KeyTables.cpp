#include "model/KeyTables.h"

#include <atomic>

// Searched in row order: the first row with a matching column wins.
const std::array<VirtualKeyRow, kVirtualKeyRows> kVirtualKeyTable = {{
    // A..Z
    {0x41, 0x04, 0x1E},
    {0x42, 0x05, 0x30},
    {0x43, 0x06, 0x2E},
    {0x44, 0x07, 0x20},
    {0x45, 0x08, 0x12},
    {0x46, 0x09, 0x21},
    {0x47, 0x0A, 0x22},
    {0x48, 0x0B, 0x23},
    {0x49, 0x0C, 0x17},
    {0x4A, 0x0D, 0x24},
    {0x4B, 0x0E, 0x25},
    {0x4C, 0x0F, 0x26},
    {0x4D, 0x10, 0x32},
    {0x4E, 0x11, 0x31},
    {0x4F, 0x12, 0x18},
    {0x50, 0x13, 0x19},
    {0x51, 0x14, 0x10},
    {0x52, 0x15, 0x13},
    {0x53, 0x16, 0x1F},
    {0x54, 0x17, 0x14},
    {0x55, 0x18, 0x16},
    {0x56, 0x19, 0x2F},
    {0x57, 0x1A, 0x11},
    {0x58, 0x1B, 0x2D},
    {0x59, 0x1C, 0x15},
    {0x5A, 0x1D, 0x2C},
    // 1..9, 0
    {0x31, 0x1E, 0x02},
    {0x32, 0x1F, 0x03},
    {0x33, 0x20, 0x04},
    {0x34, 0x21, 0x05},
    {0x35, 0x22, 0x06},
    {0x36, 0x23, 0x07},
    {0x37, 0x24, 0x08},
    {0x38, 0x25, 0x09},
    {0x39, 0x26, 0x0A},
    {0x30, 0x27, 0x0B},
    // Enter, Esc, Backspace, Tab, Space
    {0x0D, 0x28, 0x1C},
    {0x1B, 0x29, 0x01},
    {0x08, 0x2A, 0x0E},
    {0x09, 0x2B, 0x0F},
    {0x20, 0x2C, 0x39},
    // - = [ ] \ (usage 0x32 has no row)
    {0xBD, 0x2D, 0x0C},
    {0xBB, 0x2E, 0x0D},
    {0xDB, 0x2F, 0x1A},
    {0xDD, 0x30, 0x1B},
    {0xDC, 0x31, 0x2B},
    // ; ' ` , . /
    {0xBA, 0x33, 0x27},
    {0xDE, 0x34, 0x28},
    {0xC0, 0x35, 0x29},
    {0xBC, 0x36, 0x33},
    {0xBE, 0x37, 0x34},
    {0xBF, 0x38, 0x35},
    // Caps Lock
    {0x14, 0x39, 0x3A},
    // F1..F12
    {0x70, 0x3A, 0x3B},
    {0x71, 0x3B, 0x3C},
    {0x72, 0x3C, 0x3D},
    {0x73, 0x3D, 0x3E},
    {0x74, 0x3E, 0x3F},
    {0x75, 0x3F, 0x40},
    {0x76, 0x40, 0x41},
    {0x77, 0x41, 0x42},
    {0x78, 0x42, 0x43},
    {0x79, 0x43, 0x44},
    {0x7A, 0x44, 0x57},
    {0x7B, 0x45, 0x58},
    // Print Screen, Scroll Lock, Pause
    {0x2C, 0x46, 0},
    {0x91, 0x47, 0},
    {0x13, 0x48, 0},
    // Insert, Home, Page Up, Delete, End, Page Down
    {0x2D, 0x49, 0},
    {0x24, 0x4A, 0},
    {0x21, 0x4B, 0},
    {0x2E, 0x4C, 0},
    {0x23, 0x4D, 0},
    {0x22, 0x4E, 0},
    // Right, Left, Down, Up
    {0x27, 0x4F, 0},
    {0x25, 0x50, 0},
    {0x28, 0x51, 0},
    {0x26, 0x52, 0},
    // Num Lock, keypad / * - +
    {0x90, 0x53, 0},
    {0x6F, 0x54, 0},
    {0x6A, 0x55, 0},
    {0x6D, 0x56, 0},
    {0x6B, 0x57, 0},
    // keypad separator, taken as keypad Enter
    {0x6C, 0x58, 0},
    // keypad 1..9, 0, decimal point
    {0x61, 0x59, 0},
    {0x62, 0x5A, 0},
    {0x63, 0x5B, 0},
    {0x64, 0x5C, 0},
    {0x65, 0x5D, 0},
    {0x66, 0x5E, 0},
    {0x67, 0x5F, 0},
    {0x68, 0x60, 0},
    {0x69, 0x61, 0},
    {0x60, 0x62, 0},
    {0x6E, 0x63, 0},
    // Application (usage 0x64 has no row)
    {0x5D, 0x65, 0},
    // left Ctrl, Shift, Alt, Win; right Ctrl, Shift, Alt, Win
    {0xA2, 0xE0, 0},
    {0xA0, 0xE1, 0},
    {0xA4, 0xE2, 0},
    {0x5B, 0xE3, 0},
    {0xA3, 0xE4, 0},
    {0xA1, 0xE5, 0},
    {0xA5, 0xE6, 0},
    {0x5C, 0xE7, 0},
    // the program's own mouse codes
    {0xF0, 0xF0, 0},
    {0xF1, 0xF1, 0},
    {0xF2, 0xF2, 0},
    {0xF3, 0xF3, 0},
    {0xF4, 0xF4, 0},
    {0xF7, 0xF7, 0},
    {0xF8, 0xF8, 0},
}};

namespace
{

const VirtualKeyRow* FindRow(int32_t VirtualKeyRow::*column, int32_t value)
{
    for (const VirtualKeyRow& row : kVirtualKeyTable)
        if (row.*column == value)
            return &row;
    return nullptr;
}

// Hook events arrive on the UI thread, the platform may install its source
// from elsewhere at start-up.
std::atomic<ScanCodeSource> g_scanCodeSource{&UsLayoutScanCode};

struct UsageNameRow
{
    int iUsage;
    std::string_view name;
    bool bTextKey;
};

constexpr UsageNameRow kUsageNames[] = {
    {0x04, "key_A", true},
    {0x05, "key_B", true},
    {0x06, "key_C", true},
    {0x07, "key_D", true},
    {0x08, "key_E", true},
    {0x09, "key_F", true},
    {0x0A, "key_G", true},
    {0x0B, "key_H", true},
    {0x0C, "key_I", true},
    {0x0D, "key_J", true},
    {0x0E, "key_K", true},
    {0x0F, "key_L", true},
    {0x10, "key_M", true},
    {0x11, "key_N", true},
    {0x12, "key_O", true},
    {0x13, "key_P", true},
    {0x14, "key_Q", true},
    {0x15, "key_R", true},
    {0x16, "key_S", true},
    {0x17, "key_T", true},
    {0x18, "key_U", true},
    {0x19, "key_V", true},
    {0x1A, "key_W", true},
    {0x1B, "key_X", true},
    {0x1C, "key_Y", true},
    {0x1D, "key_Z", true},
    {0x1E, "key_1", true},
    {0x1F, "key_2", true},
    {0x20, "key_3", true},
    {0x21, "key_4", true},
    {0x22, "key_5", true},
    {0x23, "key_6", true},
    {0x24, "key_7", true},
    {0x25, "key_8", true},
    {0x26, "key_9", true},
    {0x27, "key_0", true},
    {0x28, "key_Enter", true},
    {0x29, "key_Esc", true},
    {0x2A, "key_BackSpace", true},
    {0x2B, "key_Tab", true},
    {0x2C, "key_Space", true},
    {0x2D, "key_-", true},
    {0x2E, "key_=", true},
    {0x2F, "key_[", true},
    {0x30, "key_]", true},
    {0x31, "key_Xiexian", true},
    {0x32, "\xEF\xBF\xA5", false}, // fullwidth yen sign
    {0x33, "key_;", true},
    {0x34, "key_'", true},
    {0x35, "key_`", true},
    {0x36, "key_,", true},
    {0x37, "key_.", true},
    {0x38, "key_/", true},
    {0x39, "key_Caplk", true},
    {0x3A, "key_F1", true},
    {0x3B, "key_F2", true},
    {0x3C, "key_F3", true},
    {0x3D, "key_F4", true},
    {0x3E, "key_F5", true},
    {0x3F, "key_F6", true},
    {0x40, "key_F7", true},
    {0x41, "key_F8", true},
    {0x42, "key_F9", true},
    {0x43, "key_F10", true},
    {0x44, "key_F11", true},
    {0x45, "key_F12", true},
    {0x46, "key_Print Scr", true},
    {0x47, "key_Scroll Lock", true},
    {0x48, "key_Pause", true},
    {0x49, "key_Insert", true},
    {0x4A, "key_Home", true},
    {0x4B, "key_Page Up", true},
    {0x4C, "key_Delete", true},
    {0x4D, "key_End", true},
    {0x4E, "key_Page Down", true},
    {0x4F, "key_Right", true},
    {0x50, "key_Left", true},
    {0x51, "key_Down", true},
    {0x52, "key_Up", true},
    {0x53, "key_Num Lock", true},
    {0x54, "key_Num_/", true},
    {0x55, "key_Num_*", true},
    {0x56, "key_Num_-", true},
    {0x57, "key_Num_+", true},
    {0x58, "key_Num_Enter", true},
    {0x59, "key_Num_1", true},
    {0x5A, "key_Num_2", true},
    {0x5B, "key_Num_3", true},
    {0x5C, "key_Num_4", true},
    {0x5D, "key_Num_5", true},
    {0x5E, "key_Num_6", true},
    {0x5F, "key_Num_7", true},
    {0x60, "key_Num_8", true},
    {0x61, "key_Num_9", true},
    {0x62, "key_Num_0", true},
    {0x63, "key_Num_.", true},
    {0x64, "key_Xiexian", true}, // the non-US backslash key shares the name
    {0x65, "key_App", true},
    {0x82, "Sleep", false},
    {0x88, "Kana/Roma", false},
    {0xDD, "`", false},
    {0xE0, "key_LCtrl", true},
    {0xE1, "key_LShift", true},
    {0xE2, "key_LAlt", true},
    {0xE3, "key_LWin", true},
    {0xE4, "key_RCtrl", true},
    {0xE5, "key_RShift", true},
    {0xE6, "key_RAlt", true},
    {0xE7, "key_RWin", true},
    {0xF0, "L_Button", true},
    {0xF1, "R_Button", true},
    {0xF2, "M_Button", true},
    {0xF3, "Backward_Button", true},
    {0xF4, "Forward_Button", true},
    {0xF8, "Scroll_Up", true},
    {0xF9, "Scroll_Down", true},
};

const UsageNameRow* FindName(int usage)
{
    for (const UsageNameRow& row : kUsageNames)
        if (row.iUsage == usage)
            return &row;
    return nullptr;
}

} // namespace

uint32_t UsLayoutScanCode(uint32_t virtualKey)
{
    const VirtualKeyRow* row =
        FindRow(&VirtualKeyRow::iVirtualKey, static_cast<int32_t>(virtualKey));
    return row ? static_cast<uint32_t>(row->iScanCode) : 0;
}

ScanCodeSource SetScanCodeSource(ScanCodeSource source)
{
    return g_scanCodeSource.exchange(source ? source : &UsLayoutScanCode);
}

KeyUsage VirtualKeyToUsage(uint32_t virtualKey)
{
    KeyUsage result;
    const VirtualKeyRow* row =
        FindRow(&VirtualKeyRow::iVirtualKey, static_cast<int32_t>(virtualKey));
    if (!row)
        return result;
    result.bFound = true;
    result.iUsage = row->iUsage;
    if (row->iUsage < 0x04 || row->iUsage > 0x45)
        return result;
    // A layout that cannot place the key yields 0, which would otherwise match
    // the first row without a scan code (Print Screen); keep the key's own usage.
    uint32_t scanCode = g_scanCodeSource.load()(virtualKey);
    if (scanCode == 0)
        return result;
    if (const VirtualKeyRow* physical =
            FindRow(&VirtualKeyRow::iScanCode, static_cast<int32_t>(scanCode)))
        result.iUsage = physical->iUsage;
    return result;
}

std::string_view UsageName(int usage)
{
    const UsageNameRow* row = FindName(usage);
    return row ? row->name : std::string_view();
}

bool UsageNameIsTextKey(int usage)
{
    const UsageNameRow* row = FindName(usage);
    return row && row->bTextKey;
}
