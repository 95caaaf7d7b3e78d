#pragma once
// Scrambling of feature reports with the per-model key of Data.ini. Data
// packets are never scrambled.

#include "device/ReportFraming.h"

#include <array>
#include <cstdint>

struct DeviceDescription;

class ReportScrambler
{
public:
    // Off: reports pass unchanged.
    ReportScrambler() = default;
    // On when the description carries a 6-character key.
    explicit ReportScrambler(const DeviceDescription& description);

    bool IsOn() const { return m_bOn; }
    // Both do nothing while scrambling is off.
    void Scramble(FeatureReport& report) const;
    void Unscramble(FeatureReport& report) const;

private:
    bool m_bOn = false;
    std::array<uint8_t, 6> m_abKey{};
};
