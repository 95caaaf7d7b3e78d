#include "device/ReportScrambler.h"

#include "app/DeviceDescription.h"

#include <utility>

namespace
{

// Whitening added to each byte after the rotation; shared with the firmware.
constexpr std::array<uint8_t, 8> kWhitening = {0x3C, 0xA7, 0x15, 0xE9, 0x62, 0xD0, 0x4B, 0x8E};

void SwapPairs(FeatureReport& r)
{
    std::swap(r[0], r[5]);
    std::swap(r[1], r[4]);
    std::swap(r[2], r[7]);
    std::swap(r[3], r[6]);
}

void XorKey(FeatureReport& r, const std::array<uint8_t, 6>& key)
{
    for (int i = 0; i < 6; ++i)
        r[i + 1] ^= key[i];
}

// The eight bytes as one big-endian 64-bit number.
uint64_t ToNumber(const FeatureReport& r)
{
    uint64_t n = 0;
    for (uint8_t b : r)
        n = n << 8 | b;
    return n;
}

FeatureReport FromNumber(uint64_t n)
{
    FeatureReport r{};
    for (int i = 7; i >= 0; --i, n >>= 8)
        r[i] = static_cast<uint8_t>(n);
    return r;
}

} // namespace

ReportScrambler::ReportScrambler(const DeviceDescription& description)
    : m_bOn(description.m_bPassword), m_abKey(description.m_abPassword)
{
}

void ReportScrambler::Scramble(FeatureReport& report) const
{
    if (!m_bOn)
        return;
    SwapPairs(report);
    XorKey(report, m_abKey);
    uint64_t n = ToNumber(report);
    report = FromNumber(n << 3 | n >> 61);
    for (int i = 0; i < 8; ++i)
        report[i] = static_cast<uint8_t>(report[i] + kWhitening[i]);
}

void ReportScrambler::Unscramble(FeatureReport& report) const
{
    if (!m_bOn)
        return;
    for (int i = 0; i < 8; ++i)
        report[i] = static_cast<uint8_t>(report[i] - kWhitening[i]);
    uint64_t n = ToNumber(report);
    report = FromNumber(n >> 3 | n << 61);
    XorKey(report, m_abKey);
    SwapPairs(report);
}
