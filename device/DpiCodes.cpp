#include "device/DpiCodes.h"

#include <algorithm>
#include <iterator>

namespace
{

constexpr uint8_t kSensor3335Codes[161] = {
    0x50, 0x00, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x09, 0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x10,
    0x11, 0x12, 0x13, 0x14, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x1B, 0x1D, 0x1E, 0x1F, 0x20, 0x21,
    0x23, 0x25, 0x26, 0x27, 0x28, 0x29, 0x2A, 0x2C, 0x2D, 0x2E, 0x2F, 0x30, 0x32, 0x33, 0x34,
    0x35, 0x36, 0x38, 0x39, 0x3A, 0x3B, 0x3C, 0x3E, 0x3F, 0x40, 0x41, 0x42, 0x44, 0x45, 0x46,
    0x47, 0x48, 0x4A, 0x4B, 0x4C, 0x4D, 0x4E, 0x50, 0x51, 0x52, 0x53, 0x54, 0x56, 0x57, 0x58,
    0x59, 0x5A, 0x5C, 0x5D, 0x5E, 0x5F, 0x60, 0x62, 0x63, 0x64, 0x65, 0x66, 0x68, 0x69, 0x6A,
    0x6B, 0x6C, 0x6E, 0x6F, 0x70, 0x71, 0x72, 0x74, 0x75, 0x76, 0x77, 0x78, 0x7A, 0x7B, 0x7C,
    0x7D, 0x7E, 0x80, 0x81, 0x82, 0x83, 0x84, 0x86, 0x87, 0x88, 0x89, 0x8A, 0x8C, 0x8D, 0x8E,
    0x8F, 0x90, 0x92, 0x93, 0x94, 0x95, 0x96, 0x98, 0x99, 0x9A, 0x9B, 0x9C, 0x9E, 0x9F, 0xA0,
    0xA1, 0xA2, 0xA4, 0xA5, 0xA6, 0xA7, 0xA8, 0xAA, 0xAB, 0xAC, 0xAD, 0xAE, 0xB0, 0xB1, 0xB2,
    0xB3, 0xB4, 0xB5, 0xB6, 0xB7, 0xB8, 0xB9, 0xBA, 0xBB, 0xBC, 0xBD};

// Step values 9..12 of the 3050 and 12..17 of the 5050 have their own codes.
constexpr uint8_t k3050HighCodes[] = {0x45, 0x46, 0x47, 0x48};
constexpr uint8_t k5050HighCodes[] = {0x46, 0x47, 0x48, 0x49, 0x4A, 0x4B};

int32_t Code(int32_t sensor, int32_t v)
{
    switch (sensor)
    {
    case 36:
    {
        int32_t w = v - 1;
        return w <= 40 ? w : (w / 2) | 0x40;
    }
    case 37:
        return v <= 60 ? v - 1 : (v / 2 - 1) | 0x40;
    case 38:
        return v <= 80 ? v - 1 : (v / 2 - 1) | 0x80;
    case 60:
        return v <= 120 ? v - 1 : (v / 2 - 1) | 0x80;
    case 3050:
        if (v >= 1 && v <= 8)
            return v;
        if (v >= 9 && v <= 12)
            return k3050HighCodes[v - 9];
        return 6;
    case 3104:
        return v <= 106 ? v : (v / 2) | 0x80;
    case 3212:
        if (v >= 127)
            return (v / 3) | 0xC0;
        if (v >= 64)
            return (v / 2) | 0x40;
        return v;
    case 3325:
        return v <= 50 ? v - 1 : (v / 2 - 1) | 0x40;
    case 3327:
        return v <= 62 ? v : (v / 2) | 0x40;
    case 3330:
        return v - 1;
    case 3333:
        return v <= 80 ? v : (v / 2) | 0x80;
    case 3335:
    {
        // Step values beyond the table (only possible in a damaged profile)
        // are held to its ends rather than read outside it.
        int32_t n = std::clamp(v <= 160 ? v : v / 2, 0, 160);
        return kSensor3335Codes[n];
    }
    case 3370:
    {
        // The value is taken as a byte, except that the top of the range
        // (256..290) keeps its value: cut to a byte it would be sent as a
        // code from the bottom of the range.
        int32_t b = v > 255 ? v : (v & 0xFF);
        if (b > 200)
            return b - 101;
        return b >= 1 ? b - 1 : 0;
    }
    case 5050:
        if (v >= 1 && v <= 10)
            return v;
        if (v == 11)
            return 0x01;
        if (v >= 12 && v <= 17)
            return k5050HighCodes[v - 12];
        return 6;
    case 6400:
        return v <= 124 ? v - 2 : (v / 2 - 2) | 0x80;
    default:
        return 0;
    }
}

int32_t IndexIn(const uint8_t* begin, const uint8_t* end, uint8_t code)
{
    const uint8_t* found = std::find(begin, end, code);
    return found == end ? -1 : static_cast<int32_t>(found - begin);
}

// The smallest step value that is sent as code `c`; -1 for an unknown
// sensor. The flag bits say which branch of the sensor's rule made the code,
// so a decoded value never falls below that branch's threshold.
int32_t Step(int32_t sensor, uint8_t c, bool aboveRange)
{
    const int32_t k6 = c & 0x3F;
    const int32_t k7 = c & 0x7F;
    switch (sensor)
    {
    case 36:
        return (c & 0x40) ? std::max(2 * k6, 41) + 1 : c + 1;
    case 37:
        return (c & 0x40) ? std::max(2 * (k6 + 1), 61) : c + 1;
    case 3325:
        return (c & 0x40) ? std::max(2 * (k6 + 1), 51) : c + 1;
    case 38:
        return (c & 0x80) ? std::max(2 * (k7 + 1), 81) : c + 1;
    case 60:
        return (c & 0x80) ? std::max(2 * (k7 + 1), 121) : c + 1;
    case 3050:
    {
        int32_t high = IndexIn(std::begin(k3050HighCodes), std::end(k3050HighCodes), c);
        return high >= 0 ? high + 9 : c;
    }
    case 3104:
        return (c & 0x80) ? std::max(2 * k7, 107) : c;
    case 3333:
        return (c & 0x80) ? std::max(2 * k7, 81) : c;
    case 3212:
        if ((c & 0xC0) == 0xC0)
            return std::max(3 * k6, 127);
        return (c & 0x40) ? std::max(2 * k6, 64) : c;
    case 3327:
        return (c & 0x40) ? std::max(2 * k6, 63) : c;
    case 3330:
        return c + 1;
    case 3335:
    {
        // Entry 0 (0x50) repeats a later code; the mouse takes the later one.
        int32_t n = IndexIn(std::begin(kSensor3335Codes) + 1, std::end(kSensor3335Codes), c);
        n = n < 0 ? 0 : n + 1;
        return aboveRange ? std::max(2 * n, 161) : n;
    }
    case 3370:
        return aboveRange ? c + 101 : c + 1;
    case 5050:
    {
        int32_t high = IndexIn(std::begin(k5050HighCodes), std::end(k5050HighCodes), c);
        return high >= 0 ? high + 12 : c;
    }
    case 6400:
        return (c & 0x80) ? std::max(2 * (k7 + 2), 125) : c + 2;
    default:
        return -1;
    }
}

} // namespace

uint8_t EncodeDpiCode(int32_t sensor, int32_t v)
{
    return static_cast<uint8_t>(Code(sensor, v));
}

bool SensorSkipsDisabledLevels(int32_t sensor)
{
    switch (sensor)
    {
    case 36:
    case 3050:
    case 3325:
    case 3327:
    case 5050:
        return true;
    default:
        return false;
    }
}

std::array<uint8_t, 8> EncodeDpiCodes(int32_t sensor, const int32_t (&aiDpi)[8],
                                      const uint8_t (&abDpiEnabled)[8])
{
    std::array<uint8_t, 8> codes{};
    const bool skips = SensorSkipsDisabledLevels(sensor);
    uint8_t lastEnabled = 0;
    for (int i = 0; i < 8; ++i)
    {
        if (skips && abDpiEnabled[i] == 0)
        {
            codes[i] = lastEnabled | 0x80;
            continue;
        }
        codes[i] = EncodeDpiCode(sensor, aiDpi[i]);
        lastEnabled = codes[i];
    }
    return codes;
}

std::optional<DecodedDpiLevel> DecodeDpiCode(int32_t sensor, uint8_t code, bool aboveRange)
{
    DecodedDpiLevel level;
    if (SensorSkipsDisabledLevels(sensor) && (code & 0x80))
    {
        level.bSkipped = true;
        code &= 0x7F;
    }
    level.iStep = Step(sensor, code, aboveRange);
    if (level.iStep < 0)
        return std::nullopt;
    return level;
}
