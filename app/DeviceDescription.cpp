#include "app/DeviceDescription.h"

#include "model/DebugTrace.h"
#include "model/IniFile.h"
#include "model/ProfileExchange.h"

#include <functional>
#include <limits>
#include <optional>
#include <string>

namespace fs = std::filesystem;

namespace
{

constexpr char kSection[] = "Default";
constexpr char kButtonSection[] = "BUTTON";

// Walks a value the way sscanf walks its input for "%Nx", "%d" and literal
// characters, so that hand-written Data.ini files parse as they always did.
class ScanCursor
{
public:
    explicit ScanCursor(std::u16string_view text) : m_text(text) {}

    // One %x (base 16) or %d (base 10) conversion; `width` 0 means none.
    // Nothing when no digit could be read.
    std::optional<uint32_t> Number(int base, int width)
    {
        while (m_pos < m_text.size() && IsSpace(m_text[m_pos]))
            ++m_pos;
        int left = width > 0 ? width : -1;
        bool negative = false;
        bool anyDigit = false;
        if (Peek() == u'+' || Peek() == u'-')
        {
            negative = Take() == u'-';
            --left;
        }
        if (left != 0 && Peek() == u'0')
        {
            Take();
            --left;
            anyDigit = true;
            if (base == 16 && left != 0 && (Peek() == u'x' || Peek() == u'X'))
            {
                Take();
                --left;
            }
        }
        // Accumulated as the C library's strtol/strtoul do: saturating at the
        // 64-bit limits, then cut to the 32-bit target.
        uint64_t magnitude = 0;
        bool overflow = false;
        while (left != 0)
        {
            int digit = DigitValue(Peek(), base);
            if (digit < 0)
                break;
            Take();
            --left;
            anyDigit = true;
            if (magnitude > (std::numeric_limits<uint64_t>::max() - digit) / base)
                overflow = true;
            else
                magnitude = magnitude * base + digit;
        }
        if (!anyDigit)
            return std::nullopt;
        if (base == 16)
        {
            if (overflow)
                return std::numeric_limits<uint32_t>::max();
            return static_cast<uint32_t>(negative ? 0 - magnitude : magnitude);
        }
        constexpr uint64_t kMaxPositive = std::numeric_limits<int64_t>::max();
        uint64_t limit = negative ? kMaxPositive + 1 : kMaxPositive;
        if (overflow || magnitude > limit)
            magnitude = limit;
        return static_cast<uint32_t>(negative ? 0 - magnitude : magnitude);
    }

    bool Literal(char16_t c)
    {
        if (Peek() != c)
            return false;
        Take();
        return true;
    }

private:
    static bool IsSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }
    static int DigitValue(char16_t c, int base)
    {
        if (c >= u'0' && c <= u'9')
            return c - u'0';
        if (base == 16 && c >= u'a' && c <= u'f')
            return c - u'a' + 10;
        if (base == 16 && c >= u'A' && c <= u'F')
            return c - u'A' + 10;
        return -1;
    }
    char16_t Peek() const { return m_pos < m_text.size() ? m_text[m_pos] : u'\0'; }
    char16_t Take() { return m_text[m_pos++]; }

    std::u16string_view m_text;
    std::size_t m_pos = 0;
};

// A one-number value such as "%04x": kept only when it parses.
void ScanOne(std::u16string_view text, int width, auto& field)
{
    if (auto value = ScanCursor(text).Number(16, width))
        field = static_cast<std::remove_reference_t<decltype(field)>>(*value);
}

// A comma-separated list such as "%02x,%02x,...": each value's low byte, up
// to the first value that does not parse; the rest stay as they were.
template <std::size_t N>
void ScanList(std::u16string_view text, int base, int width, std::array<uint8_t, N>& bytes)
{
    ScanCursor cursor(text);
    for (std::size_t i = 0; i < N; ++i)
    {
        if (i > 0 && !cursor.Literal(u','))
            return;
        auto value = cursor.Number(base, width);
        if (!value)
            return;
        bytes[i] = static_cast<uint8_t>(*value);
    }
}

void ReadKeys(DeviceDescription& desc, const IniFile& ini,
              const std::function<void()>& afterButtonKeys)
{
    ScanOne(ini.GetString(kSection, "VID"), 4, desc.m_iVID);
    ScanOne(ini.GetString(kSection, "PID"), 4, desc.m_iPID);
    desc.m_iSensor = ini.GetInt(kSection, "Sensor", -1);
    desc.m_iDistance = ini.GetInt(kSection, "Distance", -1);
    ScanOne(ini.GetString(kSection, "Distance_Min"), 2, desc.m_iDistanceMin);
    ScanOne(ini.GetString(kSection, "Distance_Max"), 2, desc.m_iDistanceMax);
    for (std::size_t i = 0; i < desc.m_aButtonCode.size(); ++i)
        ScanList(ini.GetString(kButtonSection, std::to_string(i + 1)), 16, 2,
                 desc.m_aButtonCode[i]);

    if (afterButtonKeys)
        afterButtonKeys();

    std::u16string password = ini.GetString(kSection, "Password");
    desc.m_bPassword = password.size() == desc.m_abPassword.size();
    if (desc.m_bPassword)
        for (std::size_t k = 0; k < desc.m_abPassword.size(); ++k)
            desc.m_abPassword[k] = static_cast<uint8_t>(password[k]);
    desc.m_iVer_H = ini.GetInt(kSection, "Ver_H", -1);
    desc.m_iVer_L = ini.GetInt(kSection, "Ver_L", -1);
    DebugTrace("m_iVer_H_: %02x, m_iVer_L_: %02x\r\n", static_cast<unsigned>(desc.m_iVer_H),
               static_cast<unsigned>(desc.m_iVer_L));
    desc.m_bUpdate = ini.GetInt(kSection, "Update", -1) != 0;
    ScanList(ini.GetString(kSection, "Distance_Value"), 10, 0, desc.m_abDistanceValue);
}

IniFile LoadIni(const fs::path& programFolder)
{
    IniFile ini;
    ini.Load(programFolder / "Data.ini"); // a missing file reads as all keys absent
    return ini;
}

} // namespace

void ReadDeviceDescription(DeviceDescription& desc, const fs::path& programFolder,
                           const fs::path& dataFolder, ProfileData& defaultProfile)
{
    ReadKeys(desc, LoadIni(programFolder),
             [&] { LoadDefaultProfileImage(defaultProfile, dataFolder, programFolder / "Data"); });
}

DeviceDescription ReadDeviceDescription(const fs::path& programFolder)
{
    DeviceDescription desc;
    ReadKeys(desc, LoadIni(programFolder), {});
    return desc;
}

void ReadDeviceDescription(DeviceDescription& desc, const IniFile& ini)
{
    ReadKeys(desc, ini, {});
}
