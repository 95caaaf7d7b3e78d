// vestrelctl show [--profile N|NAME] [--json]: every setting of a profile.
// As text, KEY=VALUE lines in the keys `set` takes, so that what `show`
// prints can be given back to `set`; with --json, one object:
//
//   {"index": 0, "name": "...", "current": true, "rate": 1000,
//    "dpi": {"levels": 4, "current": 1,
//            "steps": [{"level": 1, "step": 8, "dpi": "800", "colour": "#FF0000"}, ...]},
//    "liftoff": {"distance": 2, "enabled": false}, "response": 4,
//    "light": {"mode": "breathing", "brightness": 255, "speed": 3, "length": 2,
//              "colour": "#00FF00", "colourmode": "fixed",
//              "cycle": [{"colour": "#FF0000", "on": true}, ...]},
//    "pointer": {"speed": 6, "scroll": 3, "doubleclick": 5, "precision": true,
//                "onepage": false},
//    "buttonset": "office",
//    "buttons": {"office": [{"button": 1, "function": "left-click"}, ...],
//                "game": [...]}}
//
// A button's object also has "shortcut" (as "Ctrl+F5"), "macro" or "gun"
// ("FOLDER/NAME") when its function takes one. "dpi" of a step is empty for
// a sensor without a DPI table.

#include "app/StartupData.h"
#include "buttons/ButtonFunctions.h"
#include "cli/CtlCommand.h"
#include "cli/JsonWriter.h"
#include "cli/ProfileChoice.h"
#include "control/ProfileKeys.h"
#include "model/NameField.h"
#include "performance/SensorTables.h"

#include <algorithm>
#include <vector>

namespace
{

constexpr int kDpiLevels = 8;
constexpr int kCycleColours = 8;

std::string OnOff(int32_t flag)
{
    return flag != 0 ? "on" : "off";
}

std::string ItemName(const ButtonData& slot)
{
    return PrintableName(NameFromField(slot.szAssignedFolder)) + "/" +
           PrintableName(NameFromField(slot.szAssignedName));
}

// A button's function as `set` takes it.
std::string ButtonValue(const ButtonData& slot)
{
    switch (slot.byFunction)
    {
    case kFunctionShortcutKey:
        return "shortcut:" + ShortcutText(slot);
    case kFunctionSelectMacro:
        return "macro:" + ItemName(slot);
    case kFunctionSelectGun:
        return "gun:" + ItemName(slot);
    default:
        return ButtonFunctionName(slot.byFunction);
    }
}

int ReportRateHz(int32_t option)
{
    return option >= 0 && option < 4 ? kReportRatesHz[option] : 0;
}

void PrintText(std::ostream& out, const ProfileData& p, int32_t sensor)
{
    out << "name=" << PrintableName(NameFromField(p.szName)) << "\n"
        << "rate=" << ReportRateHz(p.iReportRate) << "\n"
        << "dpi.levels=" << int(p.byMaxDpi) << "\n"
        << "dpi.current=" << p.iDpiLevel + 1 << "\n";
    for (int i = 0; i < kDpiLevels; ++i)
    {
        const std::string dpi = DpiText(sensor, p.aiDpi[i]);
        const std::string key = "dpi." + std::to_string(i + 1);
        if (dpi.empty())
            out << key << ".step=" << p.aiDpi[i] << "\n";
        else
            out << key << "=" << dpi << "\n";
        out << key << ".colour=" << ColourText(p.aDpiColor[i]) << "\n";
    }
    out << "liftoff=" << p.iLiftOffDistance << "\n"
        << "liftoff.enabled=" << OnOff(p.bDistanceEnabled) << "\n"
        << "response=" << int(p.byKeyResponse) << "\n"
        << "light.mode=" << LightModeName(p.iLightMode) << "\n"
        << "light.brightness=" << p.iBrightness << "\n"
        << "light.speed=" << p.iLightSpeed << "\n"
        << "light.length=" << p.iLightLength << "\n"
        << "light.colour=" << ColourText(p.rgbLight) << "\n"
        << "light.colourmode=" << (p.iColorMode == 0 ? "fixed" : "cycle") << "\n";
    for (int i = 0; i < kCycleColours; ++i)
        out << "light.cycle." << i + 1 << "=" << ColourText(p.aCycleColor[i]) << "\n"
            << "light.cycle." << i + 1 << "=" << OnOff(p.abCycleColorOn[i]) << "\n";
    out << "pointer.speed=" << p.iPointerSpeed << "\n"
        << "pointer.scroll=" << p.iScrollLines << "\n"
        << "pointer.doubleclick=" << p.iDoubleClickSpeed << "\n"
        << "pointer.precision=" << OnOff(p.bEnhancePointer) << "\n"
        << "pointer.onepage=" << OnOff(p.bOnePageScroll) << "\n"
        << "buttonset=" << (p.iButtonMode == 1 ? "game" : "office") << "\n";
    for (int slot = 0; slot < kButtonSlots; ++slot)
        out << "button." << (slot < kSlotsPerMode ? "office." : "game.") << slot % kSlotsPerMode + 1
            << "=" << ButtonValue(p.aButton[slot]) << "\n";
}

void PrintJson(std::ostream& out, const ProfileData& p, int index, bool bCurrent, int32_t sensor)
{
    JsonWriter json(out);
    json.BeginObject();
    json.Key("index").Number(index);
    json.Key("name").String(PrintableName(NameFromField(p.szName)));
    json.Key("current").Bool(bCurrent);
    json.Key("rate").Number(ReportRateHz(p.iReportRate));
    json.Key("dpi").BeginObject();
    json.Key("levels").Number(p.byMaxDpi);
    json.Key("current").Number(p.iDpiLevel + 1);
    json.Key("steps").BeginArray();
    for (int i = 0; i < kDpiLevels; ++i)
    {
        json.BeginObject();
        json.Key("level").Number(i + 1);
        json.Key("step").Number(p.aiDpi[i]);
        json.Key("dpi").String(DpiText(sensor, p.aiDpi[i]));
        json.Key("colour").String(ColourText(p.aDpiColor[i]));
        json.EndObject();
    }
    json.EndArray().EndObject();
    json.Key("liftoff").BeginObject();
    json.Key("distance").Number(p.iLiftOffDistance);
    json.Key("enabled").Bool(p.bDistanceEnabled != 0);
    json.EndObject();
    json.Key("response").Number(p.byKeyResponse);
    json.Key("light").BeginObject();
    json.Key("mode").String(std::string(LightModeName(p.iLightMode)));
    json.Key("brightness").Number(p.iBrightness);
    json.Key("speed").Number(p.iLightSpeed);
    json.Key("length").Number(p.iLightLength);
    json.Key("colour").String(ColourText(p.rgbLight));
    json.Key("colourmode").String(p.iColorMode == 0 ? "fixed" : "cycle");
    json.Key("cycle").BeginArray();
    for (int i = 0; i < kCycleColours; ++i)
    {
        json.BeginObject();
        json.Key("colour").String(ColourText(p.aCycleColor[i]));
        json.Key("on").Bool(p.abCycleColorOn[i] != 0);
        json.EndObject();
    }
    json.EndArray().EndObject();
    json.Key("pointer").BeginObject();
    json.Key("speed").Number(p.iPointerSpeed);
    json.Key("scroll").Number(p.iScrollLines);
    json.Key("doubleclick").Number(p.iDoubleClickSpeed);
    json.Key("precision").Bool(p.bEnhancePointer != 0);
    json.Key("onepage").Bool(p.bOnePageScroll != 0);
    json.EndObject();
    json.Key("buttonset").String(p.iButtonMode == 1 ? "game" : "office");
    json.Key("buttons").BeginObject();
    for (int set = 0; set < 2; ++set)
    {
        json.Key(set == 0 ? "office" : "game").BeginArray();
        for (int n = 0; n < kSlotsPerMode; ++n)
        {
            const ButtonData& slot = p.aButton[set * kSlotsPerMode + n];
            json.BeginObject();
            json.Key("button").Number(n + 1);
            json.Key("function").String(ButtonFunctionName(slot.byFunction));
            if (slot.byFunction == kFunctionShortcutKey)
                json.Key("shortcut").String(ShortcutText(slot));
            else if (slot.byFunction == kFunctionSelectMacro)
                json.Key("macro").String(ItemName(slot));
            else if (slot.byFunction == kFunctionSelectGun)
                json.Key("gun").String(ItemName(slot));
            json.EndObject();
        }
        json.EndArray();
    }
    json.EndObject();
    json.EndObject();
    out << "\n";
}

} // namespace

int RunShow(const CtlContext& context, std::span<const std::string> args)
{
    std::optional<int> index = CurrentProfileIndex(context);
    bool bJson = false;
    for (std::size_t i = 0; i < args.size(); ++i)
    {
        if (args[i] == "--json")
            bJson = true;
        else if (args[i] == "--profile" && i + 1 < args.size())
        {
            if (!(index = FindProfile(context, "show", args[++i])))
                return kExitFailed;
        }
        else
            return Complain(context, "show", "takes only --profile N|NAME and --json", kExitUsage);
    }
    const StartupData& startup = context.data->startup;
    const ProfileData& profile = *startup.profiles[*index];
    const int32_t sensor = startup.description.m_iSensor;
    if (bJson)
        PrintJson(context.out, profile, *index, &profile == startup.currentProfile, sensor);
    else
        PrintText(context.out, profile, sensor);
    return kExitDone;
}
