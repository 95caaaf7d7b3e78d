#include "device/ReportFraming.h"

#include <algorithm>

uint8_t FeatureChecksum(const FeatureReport& report)
{
    unsigned sum = 0;
    for (int i = 0; i < kFeatureReportSize - 1; ++i)
        sum += report[i];
    return static_cast<uint8_t>(0xFF - sum);
}

bool HasValidChecksum(const FeatureReport& report)
{
    return report[kFeatureReportSize - 1] == FeatureChecksum(report);
}

FeatureReport MakeFeatureReport(uint8_t command, std::initializer_list<uint8_t> arguments)
{
    FeatureReport report{};
    report[0] = command;
    std::copy_n(arguments.begin(), std::min<std::size_t>(arguments.size(), 6), report.begin() + 1);
    report[7] = FeatureChecksum(report);
    return report;
}

std::string HexBytes(std::span<const uint8_t> bytes)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 3);
    for (uint8_t b : bytes)
    {
        if (!text.empty())
            text += ' ';
        text += kDigits[b >> 4];
        text += kDigits[b & 0x0F];
    }
    return text;
}
