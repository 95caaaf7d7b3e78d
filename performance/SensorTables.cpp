#include "performance/SensorTables.h"

namespace
{

struct SensorRangeEntry
{
    int32_t sensor;
    SensorRange range;
};

constexpr SensorRangeEntry kRanges[] = {
    {36, {1, 80, "100", "8000"}},     {37, {1, 120, "100", "12000"}},
    {38, {1, 160, "100", "16000"}},   {60, {1, 240, "100", "24000"}},
    {3050, {1, 12, "250", "4000"}},   {3104, {16, 212, "640", "8480"}},
    {3212, {1, 189, "40", "7560"}},   {3325, {2, 100, "200", "10000"}},
    {3327, {2, 124, "200", "12400"}}, {3330, {1, 144, "50", "7200"}},
    {3333, {2, 120, "200", "12000"}}, {3335, {1, 320, "100", "32000"}},
    {3370, {1, 290, "50", "19000"}},  {5050, {1, 17, "125", "2750"}},
    {6400, {4, 248, "200", "12400"}},
};

constexpr const char* k3050Texts[] = {"250",  "500",  "750",  "1000", "1250", "1500",
                                      "1750", "2000", "2500", "3000", "3500", "4000"};

} // namespace

std::optional<SensorRange> FindSensorRange(int32_t sensor)
{
    for (const SensorRangeEntry& entry : kRanges)
        if (entry.sensor == sensor)
            return entry.range;
    return std::nullopt;
}

std::string DpiText(int32_t sensor, int32_t v)
{
    // Computed wide so that a damaged step value cannot overflow.
    const int64_t step = v;
    switch (sensor)
    {
    case 36:
    case 37:
    case 38:
    case 60:
    case 3325:
    case 3327:
    case 3333:
    case 3335:
        return std::to_string(step * 100);
    case 3104:
    case 3212:
        return std::to_string(step * 40);
    case 3330:
    case 6400:
        return std::to_string(step * 50);
    case 3370:
        return std::to_string(step <= 200 ? step * 50 : step * 100 - 10000);
    case 3050:
        return v >= 1 && v <= 12 ? k3050Texts[v - 1] : "1000";
    default:
        return {};
    }
}
