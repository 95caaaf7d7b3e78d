#pragma once
// What a sensor makes of a DPI step value: the range of the DPI sliders with
// their end labels, and the DPI text shown for a step.

#include <cstdint>
#include <optional>
#include <string>

struct SensorRange
{
    int32_t iMin;
    int32_t iMax;
    const char* szLeftLabel;
    const char* szRightLabel;
};

// Nothing for a sensor the program does not know: the sliders keep the
// skin's range and labels.
std::optional<SensorRange> FindSensorRange(int32_t sensor);

// The DPI a step value stands for; nothing for the 5050 and unknown sensors.
std::optional<int64_t> DpiValue(int32_t sensor, int32_t v);

// The same as shown next to a slider and in the DPI popup; empty when the
// sensor gives no DPI.
std::string DpiText(int32_t sensor, int32_t v);

// The step of the sensor's range whose DPI is nearest to a typed DPI (the
// lower one on a tie); nothing when the sensor's steps have no DPI.
std::optional<int32_t> NearestDpiStep(int32_t sensor, int64_t dpi);
