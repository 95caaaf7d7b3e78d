#include "device/VirtualMouseSummary.h"

#include "device/DpiCodes.h"
#include "device/GunBlock.h"
#include "device/MacroBlock.h"
#include "device/VirtualMouse.h"
#include "performance/SensorTables.h"

#include <cstdio>

namespace
{

constexpr uint8_t kMacroFamily = 0x09;
constexpr uint8_t kGunFamily = 0x08;
constexpr uint8_t kFirstGunCode = 4;

std::string Hex(uint8_t b)
{
    char text[3];
    std::snprintf(text, sizeof text, "%02X", b);
    return text;
}

std::string Colour(const RgbBytes& c)
{
    return "#" + Hex(c[0]) + Hex(c[1]) + Hex(c[2]);
}

std::string Colours(const std::array<RgbBytes, 8>& colours)
{
    std::string text;
    for (const RgbBytes& c : colours)
        text += (text.empty() ? "" : " ") + Colour(c);
    return text;
}

std::string ReportRate(uint8_t code)
{
    if (code == 0)
        return "not set";
    return std::to_string(1000 / code) + " Hz (code " + std::to_string(code) + ")";
}

std::string ButtonSet(uint8_t mode)
{
    switch (mode)
    {
    case 1:
        return "office (1)";
    case 2:
        return "game (2)";
    default:
        return "not set (" + std::to_string(mode) + ")";
    }
}

std::string DpiLevels(const VirtualMouseState& s, int32_t sensor)
{
    std::string text;
    for (int i = 0; i < 8; ++i)
    {
        const auto level = DecodeDpiCode(sensor, s.dpiCodes[i], (s.byDpiRangeMask >> i) & 1);
        std::string item = Hex(s.dpiCodes[i]);
        if (level && level->bSkipped)
            item += "(off)";
        else if (level)
            item += "=" + std::to_string(level->iStep) + " (" + DpiText(sensor, level->iStep) + ")";
        text += (i ? ", " : "") + item;
    }
    return text;
}

std::string MacroText(const TransferBlock& block)
{
    static const char* const kKinds[] = {"move", "press", "release", "other"};
    const DecodedMacro macro = DecodeMacroBlock(block);
    std::string text = "loop " + std::to_string(macro.wLoopCount) + ", " +
                       std::to_string(macro.aEvent.size()) + " actions:";
    for (const MacroAction& e : macro.aEvent)
    {
        text += std::string(" ") + kKinds[e.byKind];
        if (e.byKind == 0)
            text += " " + std::to_string(e.iX) + "," + std::to_string(e.iY);
        else
            text += " " + Hex(e.byCode);
        text += " +" + std::to_string(e.wDelay) + "ms";
    }
    return text;
}

std::string GunText(const TransferBlock& first, const TransferBlock& second)
{
    const std::vector<GunBullet> bullets = DecodeGunBlocks(first, second);
    std::string text = std::to_string(bullets.size()) + " bullets:";
    for (const GunBullet& b : bullets)
        text += " " + std::to_string(b.iX) + "," + std::to_string(b.iY) + " +" +
                std::to_string(b.wDelay) + "ms";
    return text;
}

const TransferBlock& Block(const VirtualMouseState& s, int number)
{
    static const TransferBlock kEmpty{};
    const auto found = s.blocks.find(static_cast<uint8_t>(number));
    return found != s.blocks.end() ? found->second : kEmpty;
}

} // namespace

std::vector<std::string> DescribeVirtualMouse(const VirtualMouseState& s, int32_t sensor)
{
    std::vector<std::string> lines;
    lines.push_back("report rate: " + ReportRate(s.byReportRateCode));
    lines.push_back("button set: " + ButtonSet(s.byButtonMode));
    lines.push_back("DPI level: " + std::to_string(s.byDpiLevel) + " of " +
                    std::to_string(s.byMaxDpi));
    lines.push_back("DPI codes: " + DpiLevels(s, sensor));
    lines.push_back("DPI colours: " + Colours(s.dpiColors));
    lines.push_back("light: mode " + std::to_string(s.lightMode[0]) + ", arguments " +
                    Hex(s.lightMode[1]) + " " + Hex(s.lightMode[2]) + ", colour " +
                    Colour(s.lightColor));
    lines.push_back("cycle colours: " + Colours(s.cycleColors));
    lines.push_back("lift-off: code " + std::to_string(s.byLiftOffCode) + ", key response " +
                    std::to_string(s.byKeyResponse) + " ms, DPI range mask " +
                    Hex(s.byDpiRangeMask));
    for (int i = 0; i < 32; ++i)
    {
        const ButtonCode& c = s.buttonCodes[i];
        std::string line = "button " + std::to_string(i + 1) + ": " + Hex(c[0]) + " " + Hex(c[1]) +
                           " " + Hex(c[2]) + " " + Hex(c[3]);
        if (c[0] == kMacroFamily && c[2] != 0)
            line += "  macro " + std::to_string(c[2]) + ": " + MacroText(Block(s, c[2]));
        else if (c[0] == kGunFamily && c[2] >= kFirstGunCode)
        {
            const int k = c[2] - kFirstGunCode;
            line += "  gun " + std::to_string(k + 1) + ": " +
                    GunText(Block(s, 2 * k + 5), Block(s, 2 * k + 6));
        }
        lines.push_back(line);
    }
    std::string summary = "gun summary:";
    for (uint8_t b : s.gunSummary)
        summary += " " + Hex(b);
    lines.push_back(summary);
    return lines;
}
