#pragma once
// The reports that program the mouse: one sender per command, the start-up
// exchange, the firmware version read, and the whole profile in its order
// with its pauses. Stateless between calls, so the UI thread and the device
// thread may each use their own instance on the same driver.

#include "device/ButtonEncoder.h"
#include "device/Pause.h"
#include "device/ReportFraming.h"
#include "device/ReportScrambler.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

struct DeviceDescription;
struct DriverApi;
struct ProfileData;
struct Rgb0;

struct FirmwareVersion
{
    uint8_t byHigh;
    uint8_t byLow;
};

class TransferProtocol
{
public:
    // The driver, description and sleep function must outlive the protocol.
    TransferProtocol(const DriverApi& driver, const DeviceDescription& description,
                     const SleepFunction& sleep);

    // Every sender returns the result of its last SetFeature or WriteUSB
    // (non-zero = accepted). Senders with packets pause `pause` ms after the
    // report and after each packet but the last.
    int SendStartupRequest();                          // 0x83
    FeatureReport ReadStartupAnswer();                 // 0x8B read; zeros when none came
    int SendStartupReply(const FeatureReport& answer); // 0x03
    int SendReportRate(int32_t iReportRate);           // 0x01
    int SendButtonMode(int32_t iButtonMode);           // 0x02
    int SendDpiLevel(int32_t iDpiLevel);               // 0x0B
    int SendLightColor(const Rgb0& color);             // 0x0C
    int SendLightMode(const ProfileData& profile);     // 0x0D
    int SendColorTable(uint8_t table, const Rgb0 (&colors)[8], int pause); // 0x10 sub 0, 1
    int SendGunSummary(const std::array<uint8_t, 12>& summary, int pause); // 0x10 sub 3
    int SendDpiCodes(uint8_t byMaxDpi, const std::array<uint8_t, 8>& codes, int pause);  // 0x11
    int SendButtonCodes(uint8_t half, std::span<const ButtonCode, 16> codes, int pause); // 0x12
    int SendBlock(uint8_t number, const TransferBlock& block, int pause);                // 0x13
    int SendLiftOff(uint8_t code, uint8_t byKeyResponse);                                // 0x04
    int SendDpiRangeMask(uint8_t mask);                                                  // 0x07
    int SendFirmwareVersionRequest();                                                    // 0x80
    // The 0x80 read, which alone goes without a checksum; nothing when the
    // mouse did not answer.
    std::optional<FirmwareVersion> ReadFirmwareVersion();

    // 0x83, the 0x8B read and 0x03; the result of the 0x03 send.
    int RunStartupExchange();

    // Step 3 of an apply: the whole profile in its order, with its pauses.
    // Results decide only the conditional pauses on the way; the result is
    // whether the driver accepted every report and packet, so a caller can
    // tell a mouse left half-configured.
    bool SendProfile(const ProfileData& profile);

    void Pause(int milliseconds) const;

private:
    int SetFeature(FeatureReport report);
    // Scrambles the request, reads, unscrambles the answer in place.
    int GetFeature(FeatureReport& buffer);
    int WriteUSB(std::span<const uint8_t> payload);
    // The report, then the payload in packets.
    int SendTable(const FeatureReport& report, std::span<const uint8_t> payload, int pause);
    void SendButtonsMacrosAndGuns(const ProfileData& profile);

    const DriverApi& m_driver;
    const DeviceDescription& m_description;
    const SleepFunction& m_sleep;
    ReportScrambler m_scrambler;
    int m_iRefused = 0; // sends the driver did not accept
};
