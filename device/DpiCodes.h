#pragma once
// The wire code of a DPI step value for each sensor (packet of command 0x11),
// and its inverse as the mouse reads it.

#include <array>
#include <cstdint>
#include <optional>

// Code of an enabled level with step value `v`; 0 for an unknown sensor.
uint8_t EncodeDpiCode(int32_t sensor, int32_t v);

// Whether the sensor sends a disabled level as its nearest enabled
// predecessor's code with bit 7 set.
bool SensorSkipsDisabledLevels(int32_t sensor);

// The eight codes of the 0x11 packet, level 1 first.
std::array<uint8_t, 8> EncodeDpiCodes(int32_t sensor, const int32_t (&aiDpi)[8],
                                      const uint8_t (&abDpiEnabled)[8]);

// What the mouse makes of the codes.
struct DecodedDpiLevel
{
    bool bSkipped = false; // a skipping sensor's disabled level
    int32_t iStep = 0;     // the step value the code stands for
};

// `aboveRange` is the level's bit of the 0x07 range mask, which tells the
// 3335 and 3370 sensors which half of their range a code belongs to.
// Nothing for an unknown sensor.
std::optional<DecodedDpiLevel> DecodeDpiCode(int32_t sensor, uint8_t code, bool aboveRange);
