#pragma once
// The functions a button slot can take: the menu items that choose them, the
// codes stored in the profile and the text keys that label them, with the
// rules an assignment has to keep.

#include "guns/GunData.h"
#include "macros/MacroData.h"
#include "model/ProfileData.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

struct ButtonFunction
{
    const char* szItem;     // menu item name
    uint8_t byCode;         // stored in ButtonData::byFunction
    const char* szLabelKey; // language key of the label
};

inline constexpr uint8_t kFunctionClick = 1;
inline constexpr uint8_t kFunctionButtonOff = 0;
inline constexpr uint8_t kFunctionSendGun = 25;
inline constexpr uint8_t kFunctionModeSwitch = 26;
inline constexpr uint8_t kFunctionShortcutKey = 21;
inline constexpr uint8_t kFunctionSelectMacro = 22;
inline constexpr uint8_t kFunctionSelectGun = 121;

// Started on the selection dialogs' lists; its first tick shows the slot's
// current binding selected.
inline constexpr unsigned kRestoreBindingTimer = 1000;

inline constexpr int kMaxMacroSlots = 10;
inline constexpr int kMaxGunSlots = 3;

// In the order menu item names are compared; "default" has no fixed code.
std::span<const ButtonFunction> ButtonFunctionCatalogue();

// The code a menu item gives slot `slot`: "default" takes the slot's code in
// `defaults`; a name outside the catalogue means "click". Case-insensitive.
uint8_t FunctionCodeForItem(std::string_view item, int slot, const ProfileData& defaults);

// The label key of a code; codes the menu does not offer read as "click".
const char* LabelKeyForCode(uint8_t code);

// The slot of the same physical button in the other button set.
int TwinSlot(int slot);

// False when giving `slot` the code would leave the active set without a left
// click (code 1 or 25). Office mode watches slots 0..13, game mode 16..31.
bool KeepsLeftClick(const ProfileData& profile, int slot, uint8_t code);

// Slots of both sets holding the code.
int CountSlotsWithCode(const ProfileData& profile, uint8_t code);
// True when giving `slot` a macro or gun binding would pass the limit of
// kMaxMacroSlots macro or kMaxGunSlots gun buttons; a slot that already
// holds one may change it.
bool BindingLimitReached(const ProfileData& profile, int slot, uint8_t code);
// Stores the code in the slot; the mode switch goes to the same button of
// the other set too, so that either set can switch back. The twin's slot when
// it changed, otherwise -1.
int StoreFunctionCode(ProfileData& profile, int slot, uint8_t code);

// Shortcut modifier flags (Ctrl, Shift, Alt, Win; 1 = set) and the bits of
// byShortcutMods.
uint8_t ShortcutModsFromFlags(const uint8_t (&flags)[4]);
void ShortcutFlagsFromMods(uint8_t mods, uint8_t (&flags)[4]);

// A binding chosen in the macro or gun dialog, copied into the slot.
void BindMacro(ButtonData& slot, const MacroData& macro, int32_t macroIndex, int32_t repeatMode,
               int32_t loopCount);
void BindGun(ButtonData& slot, const GunData& gun, int32_t gunIndex, int32_t repeatMode,
             int32_t colour);

// What a button shows: a language key, or a text composed from translations
// (shortcuts, macros, guns).
struct ButtonLabel
{
    bool bTextKey = true;
    std::string text; // UTF-8
};
using Translate = std::function<std::string(std::string_view key)>;

// The shown name of a keyboard usage: its key translated, or its plain name.
std::string UsageDisplayName(int usage, const Translate& translate);

ButtonLabel SlotLabel(const ButtonData& slot, const Translate& translate);

// The loop count typed into the macro dialog: a leading decimal number
// (blanks and a sign allowed; none reads as 0) clamped to 1..255.
struct LoopCountText
{
    int32_t value;
    bool rewrite; // the text must be replaced by the value's digits
};
LoopCountText ReadLoopCount(std::u16string_view text);

// Where the button menu opens: below the button, or above it (4 pixels
// clear, 25 pixels per visible item) when it would reach the screen's bottom.
int ButtonMenuTop(int windowTop, int buttonTop, int buttonBottom, int visibleItems,
                  int screenHeight);
