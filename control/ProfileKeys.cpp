#include "control/ProfileKeys.h"

#include "buttons/ButtonFunctions.h"
#include "lighting/LightModes.h"
#include "model/KeyTables.h"
#include "model/NameField.h"
#include "model/RecordLibrary.h"
#include "performance/DpiLevels.h"
#include "performance/SensorTables.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

namespace
{

using Status = KeyChange::Status;

constexpr int kDpiLevels = kDpiLevelCount;
constexpr int kCycleColours = 8;

// The ranges of the pages' sliders.
struct Range
{
    int min;
    int max;
};
constexpr Range kPointerSpeed{1, 11};
constexpr Range kScrollLines{1, 20};
constexpr Range kDoubleClick{1, 11};
constexpr Range kKeyResponse{1, 32};
constexpr Range kBrightness{0, 255};
constexpr Range kLightSpeed{1, 5};
constexpr Range kLightLength{1, 5};

constexpr std::array<std::string_view, 12> kLightModeNames = {
    "off",     "steady", "breathing", "neon", "spectrum",     "reactive",
    "marquee", "trail",  "flash",     "wave", "colour-shift", "rainbow"};

KeyChange Fail(Status status, std::string message, std::string_view textKey = {})
{
    return {status, std::move(message), textKey};
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char x, char y)
                      {
                          return std::tolower(static_cast<unsigned char>(x)) ==
                                 std::tolower(static_cast<unsigned char>(y));
                      });
}

std::optional<int> ParseInt(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// A number within `range`, told apart from a malformed one.
KeyChange ReadInRange(std::string_view key, std::string_view text, Range range, int& value)
{
    const std::optional<int> parsed = ParseInt(text);
    if (!parsed)
        return Fail(Status::BadValue,
                    std::string(key) + " takes a number, not '" + std::string(text) + "'");
    if (*parsed < range.min || *parsed > range.max)
        return Fail(Status::Refused,
                    std::string(key) + " must lie in " + std::to_string(range.min) + ".." +
                        std::to_string(range.max) + " (got " + std::string(text) + ")");
    value = *parsed;
    return {};
}

std::optional<bool> ParseOnOff(std::string_view text)
{
    if (text == "on" || text == "1" || text == "true" || text == "yes")
        return true;
    if (text == "off" || text == "0" || text == "false" || text == "no")
        return false;
    return std::nullopt;
}

std::optional<Rgb0> ParseColour(std::string_view text)
{
    if (text.starts_with('#'))
        text.remove_prefix(1);
    if (text.size() != 6)
        return std::nullopt;
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + 6, value, 16);
    if (error != std::errc() || end != text.data() + 6)
        return std::nullopt;
    return Rgb0{static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 8),
                static_cast<uint8_t>(value), 0};
}

KeyChange SetColour(std::string_view key, std::string_view text, Rgb0& colour)
{
    const std::optional<Rgb0> parsed = ParseColour(text);
    if (!parsed)
        return Fail(Status::BadValue,
                    std::string(key) + " takes a colour #RRGGBB, not '" + std::string(text) + "'");
    colour = *parsed;
    return {};
}

// "dpi.3" -> 3; nothing when the key is not `prefix` and a number in 1..count.
std::optional<int> IndexAfter(std::string_view key, std::string_view prefix, int count)
{
    if (!key.starts_with(prefix))
        return std::nullopt;
    const std::optional<int> index = ParseInt(key.substr(prefix.size()));
    if (!index || *index < 1 || *index > count)
        return std::nullopt;
    return *index;
}

// The step whose DPI text is nearest to `dpi`, within the sensor's range.
KeyChange SetDpi(std::string_view key, std::string_view text, int32_t sensor, int32_t& step)
{
    const std::optional<int> dpi = ParseInt(text);
    if (!dpi)
        return Fail(Status::BadValue,
                    std::string(key) + " takes a DPI number, not '" + std::string(text) + "'");
    const std::optional<SensorRange> range = FindSensorRange(sensor);
    if (!range || DpiText(sensor, range->iMin).empty())
        return Fail(Status::Refused, "the sensor " + std::to_string(sensor) +
                                         " has no DPI table; use " + std::string(key) + ".step=N");
    const int lowest = std::atoi(DpiText(sensor, range->iMin).c_str());
    const int highest = std::atoi(DpiText(sensor, range->iMax).c_str());
    if (*dpi < lowest || *dpi > highest)
        return Fail(Status::Refused, std::string(key) + ": the sensor's DPI lies in " +
                                         std::to_string(lowest) + ".." + std::to_string(highest));
    int best = range->iMin;
    for (int v = range->iMin; v <= range->iMax; ++v)
        if (std::abs(std::atoi(DpiText(sensor, v).c_str()) - *dpi) <
            std::abs(std::atoi(DpiText(sensor, best).c_str()) - *dpi))
            best = v;
    step = best;
    return {};
}

KeyChange SetDpiStep(std::string_view key, std::string_view text, int32_t sensor, int32_t& step)
{
    const std::optional<SensorRange> range = FindSensorRange(sensor);
    // The skin's slider range for a sensor without a table.
    return ReadInRange(key, text, range ? Range{range->iMin, range->iMax} : Range{1, 160}, step);
}

// "F5", "A", "Space": the key names of the key table without their prefix.
std::optional<uint8_t> UsageFromName(std::string_view name)
{
    for (int usage = 1; usage < 256; ++usage)
    {
        std::string_view known = UsageName(usage);
        if (known.starts_with("key_"))
            known.remove_prefix(4);
        if (!known.empty() && EqualNoCase(known, name))
            return static_cast<uint8_t>(usage);
    }
    return std::nullopt;
}

constexpr std::array<std::string_view, 4> kModifierNames = {"Ctrl", "Shift", "Alt", "Win"};

KeyChange ParseShortcut(std::string_view text, uint8_t& mods, uint8_t& key)
{
    uint8_t flags[4] = {0, 0, 0, 0};
    std::optional<uint8_t> usage;
    while (!text.empty())
    {
        const std::size_t plus = text.find('+', 1);
        const std::string_view part = text.substr(0, plus);
        text = plus == std::string_view::npos ? std::string_view() : text.substr(plus + 1);
        const auto modifier =
            std::find_if(kModifierNames.begin(), kModifierNames.end(),
                         [&](std::string_view m) { return EqualNoCase(m, part); });
        if (modifier != kModifierNames.end())
            flags[modifier - kModifierNames.begin()] = 1;
        else if (!usage && (usage = UsageFromName(part)))
            continue;
        else
            return Fail(Status::BadValue, "'" + std::string(part) + "' is no key of a shortcut");
    }
    if (!usage)
        return Fail(Status::BadValue, "a shortcut needs a key, as in shortcut:Ctrl+F5");
    mods = ShortcutModsFromFlags(flags);
    key = *usage;
    return {};
}

// "FOLDER/NAME"
bool SplitItem(std::string_view text, std::u16string& folder, std::u16string& name)
{
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos || slash == 0 || slash + 1 == text.size())
        return false;
    folder = Utf8ToUtf16(text.substr(0, slash));
    name = Utf8ToUtf16(text.substr(slash + 1));
    return true;
}

std::string StableName(const ButtonFunction& function)
{
    if (function.byCode == kFunctionClick)
        return "left-click";
    std::string name = function.szItem;
    std::replace(name.begin(), name.end(), '_', '-');
    return name;
}

std::optional<uint8_t> CodeForName(std::string_view name)
{
    for (const ButtonFunction& function : ButtonFunctionCatalogue())
        if (function.szItem != std::string_view("default") && StableName(function) == name)
            return function.byCode;
    return std::nullopt;
}

KeyChange BindSlotToMacro(ButtonData& slot, int slotIndex, const ProfileData& profile,
                          const ProfileKeyContext& context, std::string_view item)
{
    std::u16string folder, name;
    if (!SplitItem(item, folder, name))
        return Fail(Status::BadValue,
                    "a macro is named FOLDER/NAME, not '" + std::string(item) + "'");
    const bool bWasMacro = slot.byFunction == kFunctionSelectMacro;
    if (BindingLimitReached(profile, slotIndex, kFunctionSelectMacro))
        return Fail(Status::Refused,
                    "at most " + std::to_string(kMaxMacroSlots) + " buttons can play macros",
                    "macro_limit_text");
    const int index = FindItemIndex(context.macros, folder, name);
    if (index < 0)
        return Fail(Status::Refused,
                    "there is no macro " + std::string(item) + " (see vestrelctl macros)");
    BindMacro(slot, *context.macros[index], index, bWasMacro ? slot.iMacroMode : 0,
              bWasMacro ? slot.iLibValue : 1);
    return {};
}

KeyChange BindSlotToGun(ButtonData& slot, int slotIndex, const ProfileData& profile,
                        const ProfileKeyContext& context, std::string_view item)
{
    std::u16string folder, name;
    if (!SplitItem(item, folder, name))
        return Fail(Status::BadValue,
                    "a gun is named FOLDER/NAME, not '" + std::string(item) + "'");
    const bool bWasGun = slot.byFunction == kFunctionSelectGun;
    if (BindingLimitReached(profile, slotIndex, kFunctionSelectGun))
        return Fail(Status::Refused,
                    "at most " + std::to_string(kMaxGunSlots) + " buttons can fire guns",
                    "gun_limit_text");
    const int index = FindItemIndex(context.guns, folder, name);
    if (index < 0 || context.guns[index]->bIsFolder != 0)
        return Fail(Status::Refused,
                    "there is no gun " + std::string(item) + " (see vestrelctl guns)");
    BindGun(slot, *context.guns[index], index, bWasGun ? slot.iMacroMode : 0,
            bWasGun ? slot.clrGun : 255);
    return {};
}

KeyChange SetButton(ProfileData& profile, const ProfileKeyContext& context, int slotIndex,
                    std::string_view value)
{
    uint8_t code = 0;
    std::string_view argument;
    if (value.starts_with("shortcut:"))
        code = kFunctionShortcutKey, argument = value.substr(9);
    else if (value.starts_with("macro:"))
        code = kFunctionSelectMacro, argument = value.substr(6);
    else if (value.starts_with("gun:"))
        code = kFunctionSelectGun, argument = value.substr(4);
    else if (value == "default")
        code = FunctionCodeForItem("default", slotIndex, context.defaults);
    else if (const std::optional<uint8_t> named = CodeForName(value))
        code = *named;
    else
        return Fail(Status::BadValue,
                    "'" + std::string(value) + "' is no button function (see vestrelctl help set)");

    if (!KeepsLeftClick(profile, slotIndex, code))
        return Fail(Status::Refused,
                    "each button set needs a left click; this change would leave it without one",
                    "one_left_click_text");
    ButtonData slot = profile.aButton[slotIndex];
    KeyChange bound;
    if (code == kFunctionShortcutKey)
        bound = ParseShortcut(argument, slot.byShortcutMods, slot.byShortcutKey);
    else if (code == kFunctionSelectMacro)
        bound = BindSlotToMacro(slot, slotIndex, profile, context, argument);
    else if (code == kFunctionSelectGun)
        bound = BindSlotToGun(slot, slotIndex, profile, context, argument);
    if (bound.status != Status::Done)
        return bound;
    profile.aButton[slotIndex] = slot;
    StoreFunctionCode(profile, slotIndex, code);
    return {};
}

KeyChange SetDpiKey(ProfileData& profile, const ProfileKeyContext& context, std::string_view key,
                    std::string_view value)
{
    const int32_t sensor = context.description.m_iSensor;
    int number = 0;
    if (key == "dpi.levels")
    {
        KeyChange change = ReadInRange(key, value, {1, kDpiLevels}, number);
        if (change.status != Status::Done)
            return change;
        SetDpiLevelsInUse(profile, number);
        return {};
    }
    if (key == "dpi.current")
    {
        KeyChange change =
            ReadInRange(key, value, {1, std::clamp<int>(profile.byMaxDpi, 1, kDpiLevels)}, number);
        if (change.status == Status::Done)
            profile.iDpiLevel = number - 1;
        return change;
    }
    const std::string_view rest = key.substr(4); // after "dpi."
    const std::size_t dot = rest.find('.');
    const std::optional<int> level = ParseInt(rest.substr(0, dot));
    if (!level || *level < 1 || *level > kDpiLevels)
        return Fail(Status::UnknownKey, "unknown key '" + std::string(key) + "'");
    const int i = *level - 1;
    if (dot == std::string_view::npos)
        return SetDpi(key, value, sensor, profile.aiDpi[i]);
    const std::string_view field = rest.substr(dot + 1);
    if (field == "step")
        return SetDpiStep(key, value, sensor, profile.aiDpi[i]);
    if (field == "colour" || field == "color")
        return SetColour(key, value, profile.aDpiColor[i]);
    return Fail(Status::UnknownKey, "unknown key '" + std::string(key) + "'");
}

KeyChange SetLightKey(ProfileData& profile, std::string_view key, std::string_view value)
{
    if (key == "light.mode")
    {
        for (std::size_t i = 0; i < kLightModeNames.size(); ++i)
            if (kLightModeNames[i] == value)
            {
                profile.iLightMode = static_cast<int32_t>(i);
                return {};
            }
        return ReadInRange(key, value, {0, kLightModeCount - 1}, profile.iLightMode);
    }
    if (key == "light.brightness")
        return ReadInRange(key, value, kBrightness, profile.iBrightness);
    if (key == "light.speed")
        return ReadInRange(key, value, kLightSpeed, profile.iLightSpeed);
    if (key == "light.length")
        return ReadInRange(key, value, kLightLength, profile.iLightLength);
    if (key == "light.colour" || key == "light.color")
        return SetColour(key, value, profile.rgbLight);
    if (key == "light.colourmode" || key == "light.colormode")
    {
        if (value == "fixed" || value == "cycle")
        {
            profile.iColorMode = value == "fixed" ? 0 : 1;
            return {};
        }
        return Fail(Status::BadValue, std::string(key) + " is fixed or cycle");
    }
    if (const std::optional<int> n = IndexAfter(key, "light.cycle.", kCycleColours))
    {
        if (const std::optional<bool> on = ParseOnOff(value))
        {
            profile.abCycleColorOn[*n - 1] = *on ? 1 : 0;
            return {};
        }
        return SetColour(key, value, profile.aCycleColor[*n - 1]);
    }
    return Fail(Status::UnknownKey, "unknown key '" + std::string(key) + "'");
}

KeyChange SetFlag(std::string_view key, std::string_view value, int32_t& flag)
{
    const std::optional<bool> on = ParseOnOff(value);
    if (!on)
        return Fail(Status::BadValue, std::string(key) + " is on or off");
    flag = *on ? 1 : 0;
    return {};
}

KeyChange SetKey(ProfileData& profile, const ProfileKeyContext& context, std::string_view key,
                 std::string_view value)
{
    if (key == "rate")
    {
        for (int i = 0; i < 4; ++i)
            if (value == std::to_string(kReportRatesHz[i]))
            {
                profile.iReportRate = i;
                return {};
            }
        return Fail(Status::BadValue, "rate is 125, 250, 500 or 1000");
    }
    if (key.starts_with("dpi."))
        return SetDpiKey(profile, context, key, value);
    if (key.starts_with("light."))
        return SetLightKey(profile, key, value);
    if (key == "liftoff")
    {
        const DeviceDescription& d = context.description;
        if (d.m_iDistance == 0)
            return Fail(Status::Refused, "this mouse has no lift-off setting");
        return ReadInRange(key, value, {d.m_iDistanceMin, d.m_iDistanceMax},
                           profile.iLiftOffDistance);
    }
    if (key == "liftoff.enabled")
        return SetFlag(key, value, profile.bDistanceEnabled);
    if (key == "response")
    {
        int number = 0;
        KeyChange change = ReadInRange(key, value, kKeyResponse, number);
        if (change.status == Status::Done)
            profile.byKeyResponse = static_cast<uint8_t>(number);
        return change;
    }
    if (key == "pointer.speed")
        return ReadInRange(key, value, kPointerSpeed, profile.iPointerSpeed);
    if (key == "pointer.scroll")
        return ReadInRange(key, value, kScrollLines, profile.iScrollLines);
    if (key == "pointer.doubleclick")
        return ReadInRange(key, value, kDoubleClick, profile.iDoubleClickSpeed);
    if (key == "pointer.precision")
        return SetFlag(key, value, profile.bEnhancePointer);
    if (key == "pointer.onepage")
        return SetFlag(key, value, profile.bOnePageScroll);
    if (key == "buttonset")
    {
        if (value != "office" && value != "game")
            return Fail(Status::BadValue, "buttonset is office or game");
        profile.iButtonMode = value == "office" ? 0 : 1;
        return {};
    }
    if (key.starts_with("button.office.") || key.starts_with("button.game."))
    {
        const bool bGame = key.starts_with("button.game.");
        const std::optional<int> n =
            IndexAfter(key, bGame ? "button.game." : "button.office.", kSlotsPerMode);
        if (!n)
            return Fail(Status::UnknownKey, "unknown key '" + std::string(key) + "' (buttons 1.." +
                                                std::to_string(kSlotsPerMode) + ")");
        return SetButton(profile, context, (bGame ? kSlotsPerMode : 0) + *n - 1, value);
    }
    return Fail(Status::UnknownKey, "unknown key '" + std::string(key) + "'");
}

} // namespace

KeyChange SetProfileKey(ProfileData& profile, const ProfileKeyContext& context,
                        std::string_view key, std::string_view value)
{
    // Worked on a copy: a refused or malformed value leaves nothing behind.
    auto changed = std::make_unique<ProfileData>(profile);
    KeyChange change = SetKey(*changed, context, key, value);
    if (change.status == Status::Done)
        profile = *changed;
    return change;
}

std::vector<std::string> ButtonFunctionNames()
{
    std::vector<std::string> names;
    for (const ButtonFunction& function : ButtonFunctionCatalogue())
        if (function.byCode != kFunctionShortcutKey && function.byCode != kFunctionSelectMacro &&
            function.byCode != kFunctionSelectGun)
            names.push_back(function.szItem == std::string_view("default") ? "default"
                                                                           : StableName(function));
    return names;
}

std::string ButtonFunctionName(uint8_t code)
{
    for (const ButtonFunction& function : ButtonFunctionCatalogue())
        if (function.szItem != std::string_view("default") && function.byCode == code)
            return StableName(function);
    return "code-" + std::to_string(code);
}

std::string_view LightModeName(int32_t mode)
{
    return mode >= 0 && mode < static_cast<int32_t>(kLightModeNames.size())
               ? kLightModeNames[static_cast<std::size_t>(mode)]
               : std::string_view("unknown");
}

std::string ColourText(const Rgb0& colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", colour.r, colour.g, colour.b);
    return text;
}

std::string ShortcutText(const ButtonData& slot)
{
    uint8_t flags[4];
    ShortcutFlagsFromMods(slot.byShortcutMods, flags);
    std::string text;
    for (std::size_t i = 0; i < kModifierNames.size(); ++i)
        if (flags[i])
            text += std::string(kModifierNames[i]) + "+";
    std::string_view key = UsageName(slot.byShortcutKey);
    if (key.starts_with("key_"))
        key.remove_prefix(4);
    return text + (key.empty() ? "none" : std::string(key));
}

const char* ProfileKeyHelp()
{
    return "  rate=125|250|500|1000          report rate in Hz\n"
           "  dpi.levels=1..8                DPI levels in use\n"
           "  dpi.current=N                  current DPI level (1..dpi.levels)\n"
           "  dpi.N=DPI                      DPI of level N, the sensor's nearest step\n"
           "  dpi.N.step=V                   raw step value of level N\n"
           "  dpi.N.colour=#RRGGBB           colour of level N\n"
           "  liftoff=V, liftoff.enabled=on|off   lift-off distance (the mouse's range)\n"
           "  response=1..32                 key response in ms\n"
           "  light.mode=NAME|0..11          off steady breathing neon spectrum reactive\n"
           "                                 marquee trail flash wave colour-shift rainbow\n"
           "  light.brightness=0..255, light.speed=1..5, light.length=1..5\n"
           "  light.colour=#RRGGBB, light.colourmode=fixed|cycle\n"
           "  light.cycle.N=#RRGGBB|on|off   cycle colour N (1..8)\n"
           "  pointer.speed=1..11, pointer.scroll=1..20, pointer.doubleclick=1..11\n"
           "  pointer.precision=on|off, pointer.onepage=on|off\n"
           "  buttonset=office|game\n"
           "  button.office.N=F, button.game.N=F   N = 1..16, F is one of the names below,\n"
           "                                 shortcut:Ctrl+F5, macro:FOLDER/NAME, "
           "gun:FOLDER/NAME\n";
}
