#pragma once
// Argument bytes of the single-report settings: report rate, lighting,
// lift-off distance and the DPI range mask.

#include <array>
#include <cstdint>

struct DeviceDescription;
struct ProfileData;

// iReportRate 0..3 -> 8, 4, 2, 1; anything else -> 2.
uint8_t ReportRateCode(int32_t iReportRate);

// Bytes 1..3 of command 0x0D.
std::array<uint8_t, 3> LightModeArguments(const ProfileData& profile);

// The description's Distance_Value byte for the level, 0 outside 0..7.
uint8_t LiftOffCode(const DeviceDescription& description, int32_t iLiftOffDistance);

// Sensors whose codes need the range mask (command 0x07) to be read.
bool SensorHasRangeReport(int32_t sensor);

// Bit i set when level i+1 lies in the upper half of the sensor's range.
uint8_t DpiRangeMask(int32_t sensor, const int32_t (&aiDpi)[8]);
