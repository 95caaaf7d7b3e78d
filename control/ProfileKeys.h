#pragma once
// The settings of a profile by name, as scripts change them: `rate=1000`,
// `dpi.1=800`, `button.office.4=forward`. Each change keeps the rules the
// pages keep (the left click, the macro and gun limits, the mode switch in
// both sets, the sensor's DPI steps, the slider ranges).

#include "app/DeviceDescription.h"
#include "guns/GunLibrary.h"
#include "macros/MacroLibrary.h"
#include "model/ProfileData.h"

#include <string>
#include <string_view>
#include <vector>

// What a key change needs beyond the profile.
struct ProfileKeyContext
{
    const DeviceDescription& description;
    const ProfileData& defaults; // the "default" button function's codes
    const MacroLibrary& macros;
    const GunLibrary& guns;
};

struct KeyChange
{
    enum class Status
    {
        Done,
        UnknownKey, // a usage error
        BadValue,   // a usage error: not a value of this key
        Refused,    // a value the rules do not allow
    };
    Status status = Status::Done;
    std::string message; // why, when not done
    // The language files' text for it, where the window has one.
    std::string_view textKey;
};

// Changes one key of `profile`; on anything but Done the profile is as it was.
KeyChange SetProfileKey(ProfileData& profile, const ProfileKeyContext& context,
                        std::string_view key, std::string_view value);

// The stable names of the button functions ("left-click", "forward", ...),
// in the catalogue's order, with "shortcut:", "macro:" and "gun:" forms aside.
std::vector<std::string> ButtonFunctionNames();
// The stable name of a stored function code; "code-N" for codes the
// catalogue does not name.
std::string ButtonFunctionName(uint8_t code);
// The light modes' names, by iLightMode.
std::string_view LightModeName(int32_t mode);
// Report rates in Hz by iReportRate.
inline constexpr int kReportRatesHz[4] = {125, 250, 500, 1000};
// Colours as scripts write them.
std::string ColourText(const Rgb0& colour);
// The shortcut of a slot as "Ctrl+Shift+F5".
std::string ShortcutText(const ButtonData& slot);
// The help text of the keys, one line each.
const char* ProfileKeyHelp();
