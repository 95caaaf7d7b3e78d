#include "buttons/ButtonFunctions.h"

#include "model/KeyTables.h"
#include "model/NameField.h"
#include "model/ProfileBindings.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace
{

constexpr char kDefaultItem[] = "default";

constexpr std::array<ButtonFunction, 57> kCatalogue = {{
    {"click", 1, "click_text"},
    {"menu", 2, "menu_text"},
    {"scroll", 3, "scroll_text"},
    {"forward", 4, "forward_text"},
    {"backward", 5, "backward_text"},
    {"scroll_up", 11, "scroll_up_text"},
    {"scroll_down", 12, "scroll_down_text"},
    {"double_click", 9, "double_click_text"},
    {"three_click", 18, "three_click_text"},
    {kDefaultItem, 0, nullptr},
    {"send_gun", 25, "send_gun_text"},
    {"juji", 113, "juji_text"},
    {"mode_switch", 26, "mode_switch_text"},
    {"light_mode_switch", 50, "light_mode_switch_text"},
    {"button_off", 0, "button_off_text"},
    {"shortcut", 21, "shortcut_text"},
    {"select_macro", 22, "select_macro_text"},
    {"select_gun", 121, "select_gun_text"},
    {"dpi_cycle", 6, "dpi_cycle_text"},
    {"dpi_up", 7, "dpi_up_text"},
    {"dpi_down", 8, "dpi_down_text"},
    {"report_cycle", 112, "report_cycle_text"},
    {"report_up", 104, "report_up_text"},
    {"report_down", 105, "report_down_text"},
    {"media_player", 64, "media_player_text"},
    {"play_pause", 65, "play_pause_text"},
    {"media_stop", 66, "media_stop_text"},
    {"pre_track", 67, "pre_track_text"},
    {"next_track", 68, "next_track_text"},
    {"volume_up", 69, "volume_up_text"},
    {"volume_down", 70, "volume_down_text"},
    {"mute", 71, "mute_text"},
    {"browser_home", 72, "browser_home_text"},
    {"browser_favorites", 73, "browser_favorites_text"},
    {"browser_forward", 74, "browser_forward_text"},
    {"browser_backward", 75, "browser_backward_text"},
    {"browser_stop", 76, "browser_stop_text"},
    {"browser_refresh", 77, "browser_refresh_text"},
    {"browser_search", 78, "browser_search_text"},
    {"email", 79, "email_text"},
    {"calculator", 80, "calculator_text"},
    {"my_computer", 81, "my_computer_text"},
    {"cut", 32, "cut_text"},
    {"copy", 33, "copy_text"},
    {"paste", 34, "paste_text"},
    {"open", 35, "open_text"},
    {"save", 36, "save_text"},
    {"find", 37, "find_text"},
    {"redo", 38, "redo_text"},
    {"select_all", 40, "select_all_text"},
    {"new", 47, "new_text"},
    {"print", 41, "print_text"},
    {"swap_windows", 43, "swap_windows_text"},
    {"close_windows", 42, "close_windows_text"},
    {"show_desktop", 44, "show_desktop_text"},
    {"lock_pc", 46, "lock_pc_text"},
    {"run_command", 45, "run_command_text"},
}};

bool EqualNoCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

bool IsLeftClick(uint8_t code)
{
    return code == kFunctionClick || code == kFunctionSendGun;
}

void AppendUtf16(std::string& out, const char16_t (&field)[kNameFieldUnits])
{
    out += Utf16ToUtf8(NameFromField(field));
}

} // namespace

std::span<const ButtonFunction> ButtonFunctionCatalogue()
{
    return kCatalogue;
}

uint8_t FunctionCodeForItem(std::string_view item, int slot, const ProfileData& defaults)
{
    for (const ButtonFunction& function : kCatalogue)
    {
        if (!EqualNoCase(item, function.szItem))
            continue;
        if (function.szLabelKey == nullptr)
            return slot >= 0 && slot < kButtonSlots ? defaults.aButton[slot].byFunction
                                                    : kFunctionClick;
        return function.byCode;
    }
    return kFunctionClick;
}

const char* LabelKeyForCode(uint8_t code)
{
    for (const ButtonFunction& function : kCatalogue)
        if (function.szLabelKey != nullptr && function.byCode == code)
            return function.szLabelKey;
    return "click_text";
}

int TwinSlot(int slot)
{
    return slot < kSlotsPerMode ? slot + kSlotsPerMode : slot - kSlotsPerMode;
}

bool KeepsLeftClick(const ProfileData& profile, int slot, uint8_t code)
{
    // Office mode leaves its two last slots out of the count.
    const bool game = profile.iButtonMode != 0;
    const int first = game ? kSlotsPerMode : 0;
    const int last = game ? kButtonSlots : 14;
    for (int s = first; s < last; ++s)
        if (IsLeftClick(s == slot ? code : profile.aButton[s].byFunction))
            return true;
    return false;
}

int CountSlotsWithCode(const ProfileData& profile, uint8_t code)
{
    return static_cast<int>(std::ranges::count_if(profile.aButton, [code](const ButtonData& slot)
                                                  { return slot.byFunction == code; }));
}

bool BindingLimitReached(const ProfileData& profile, int slot, uint8_t code)
{
    if (profile.aButton[slot].byFunction == code)
        return false;
    if (code == kFunctionSelectMacro)
        return CountSlotsWithCode(profile, code) >= kMaxMacroSlots;
    if (code == kFunctionSelectGun)
        return CountSlotsWithCode(profile, code) >= kMaxGunSlots;
    return false;
}

int StoreFunctionCode(ProfileData& profile, int slot, uint8_t code)
{
    profile.aButton[slot].byFunction = code;
    if (code != kFunctionModeSwitch)
        return -1;
    const int twin = TwinSlot(slot);
    profile.aButton[twin].byFunction = code;
    return twin;
}

uint8_t ShortcutModsFromFlags(const uint8_t (&flags)[4])
{
    uint8_t mods = 0;
    for (int bit = 0; bit < 4; ++bit)
        if (flags[bit] == 1)
            mods |= static_cast<uint8_t>(1u << bit);
    return mods;
}

void ShortcutFlagsFromMods(uint8_t mods, uint8_t (&flags)[4])
{
    for (int bit = 0; bit < 4; ++bit)
        flags[bit] = (mods >> bit) & 1u;
}

void BindMacro(ButtonData& slot, const MacroData& macro, int32_t macroIndex, int32_t repeatMode,
               int32_t loopCount)
{
    slot.iMacroIndex = macroIndex;
    slot.iMacroMode = repeatMode;
    slot.iLibValue = loopCount;
    SetNameField(slot.szAssignedFolder, NameFromField(macro.szFolder));
    SetNameField(slot.szAssignedName, NameFromField(macro.szMacroName));
    CopyMacroActions(macro, slot);
}

void BindGun(ButtonData& slot, const GunData& gun, int32_t gunIndex, int32_t repeatMode,
             int32_t colour)
{
    slot.iGunIndex = gunIndex;
    slot.iMacroMode = repeatMode;
    slot.clrGun = colour;
    SetNameField(slot.szAssignedName, NameFromField(gun.szGunName));
    SetNameField(slot.szAssignedFolder, NameFromField(gun.szFolder));
    CopyGunBullets(gun, slot);
    slot.iLibValue = gun.byExtra;
}

std::string UsageDisplayName(int usage, const Translate& translate)
{
    const std::string_view name = UsageName(usage);
    return UsageNameIsTextKey(usage) ? translate(name) : std::string(name);
}

ButtonLabel SlotLabel(const ButtonData& slot, const Translate& translate)
{
    ButtonLabel label;
    switch (slot.byFunction)
    {
    case kFunctionShortcutKey:
    {
        static constexpr const char* kModKeys[4] = {"ctrl_text", "shift_text", "alt_text",
                                                    "win_text"};
        label.bTextKey = false;
        for (int bit = 0; bit < 4; ++bit)
            if (slot.byShortcutMods & (1u << bit))
                label.text += translate(kModKeys[bit]) + "+";
        label.text += UsageDisplayName(slot.byShortcutKey, translate);
        break;
    }
    case kFunctionSelectMacro:
    case kFunctionSelectGun:
        label.bTextKey = false;
        label.text =
            translate(slot.byFunction == kFunctionSelectMacro ? "set_macro_text" : "set_gun_text");
        AppendUtf16(label.text, slot.szAssignedFolder);
        label.text += "-";
        AppendUtf16(label.text, slot.szAssignedName);
        break;
    default:
        label.text = LabelKeyForCode(slot.byFunction);
        break;
    }
    return label;
}

LoopCountText ReadLoopCount(std::u16string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    long long v = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i)
        v = std::min<long long>(v * 10 + (text[i] - u'0'), 1000); // saturates past 255
    if (negative)
        v = -v;
    const int32_t clamped = static_cast<int32_t>(std::clamp<long long>(v, 1, 255));
    return {clamped, clamped != v};
}

int ButtonMenuTop(int windowTop, int buttonTop, int buttonBottom, int visibleItems,
                  int screenHeight)
{
    constexpr int kItemHeight = 25;
    const int below = windowTop + buttonBottom;
    if (below + kItemHeight * visibleItems < screenHeight)
        return below;
    return windowTop + buttonTop - kItemHeight * visibleItems - 4;
}
