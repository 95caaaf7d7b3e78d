#include "performance/SensorTables.h"

#include <climits>
#include <cstdlib>

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

constexpr int64_t k3050Dpi[] = {250, 500, 750, 1000, 1250, 1500, 1750, 2000, 2500, 3000, 3500, 4000};

} // namespace

std::optional<SensorRange> FindSensorRange(int32_t sensor)
{
    for (const SensorRangeEntry& entry : kRanges)
        if (entry.sensor == sensor)
            return entry.range;
    return std::nullopt;
}

std::optional<int64_t> DpiValue(int32_t sensor, int32_t v)
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
        return step * 100;
    case 3104:
    case 3212:
        return step * 40;
    case 3330:
    case 6400:
        return step * 50;
    case 3370:
        return step <= 200 ? step * 50 : step * 100 - 10000;
    case 3050:
        return v >= 1 && v <= 12 ? k3050Dpi[v - 1] : 1000;
    default:
        return std::nullopt;
    }
}

std::string DpiText(int32_t sensor, int32_t v)
{
    const std::optional<int64_t> dpi = DpiValue(sensor, v);
    return dpi ? std::to_string(*dpi) : std::string();
}

std::optional<int32_t> NearestDpiStep(int32_t sensor, int64_t dpi)
{
    const std::optional<SensorRange> range = FindSensorRange(sensor);
    if (!range || !DpiValue(sensor, range->iMin))
        return std::nullopt;
    int32_t best = range->iMin;
    int64_t bestDistance = INT64_MAX;
    for (int32_t v = range->iMin; v <= range->iMax; ++v)
    {
        // The lower step wins a tie.
        const int64_t distance = std::llabs(*DpiValue(sensor, v) - dpi);
        if (distance < bestDistance)
        {
            best = v;
            bestDistance = distance;
        }
    }
    return best;
}
