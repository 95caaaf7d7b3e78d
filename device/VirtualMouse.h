#pragma once
// A model of the mouse firmware: the protocol's test peer, the engine of
// `vestrelctl trace` and the demo mouse. It checks checksums, unscrambles
// with the description's key, decodes every command and packet into its
// state, answers the two reads, keeps a log of its traffic, and raises its
// own events (DPI level, report rate, button set, unplug, plug) through the
// monitor like the real driver. Safe to use from several threads.

#include "app/DeviceDescription.h"
#include "device/ButtonEncoder.h"
#include "device/ReportFraming.h"
#include "device/ReportScrambler.h"

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <vector>

class DeviceMessageSink;

using RgbBytes = std::array<uint8_t, 3>;

// What the mouse holds, as the reports set it (wire values).
struct VirtualMouseState
{
    uint8_t byReportRateCode = 0; // 8, 4, 2 or 1
    uint8_t byButtonMode = 0;     // 1 office, 2 game
    uint8_t byDpiLevel = 0;       // 1..8
    RgbBytes lightColor{};
    std::array<uint8_t, 3> lightMode{}; // mode, then its two arguments
    std::array<RgbBytes, 8> cycleColors{};
    std::array<RgbBytes, 8> dpiColors{};
    uint8_t byMaxDpi = 0;
    std::array<uint8_t, 8> dpiCodes{};
    std::array<ButtonCode, 32> buttonCodes{};
    std::map<uint8_t, TransferBlock> blocks; // by block number
    std::array<uint8_t, 12> gunSummary{};
    uint8_t byLiftOffCode = 0;
    uint8_t byKeyResponse = 0;
    uint8_t byDpiRangeMask = 0;
    std::array<uint8_t, 6> startupReply{}; // arguments of the last 0x03
    int iStartupRequests = 0;              // 0x83 received
};

struct MouseTraffic
{
    enum class Call
    {
        OpenFeature,
        CloseFeature,
        OpenReport,
        CloseReport,
        SetFeature,
        GetFeature,
        WriteUSB
    };
    Call call;
    std::vector<uint8_t> bytes; // as received (scrambled when scrambling is on)
    std::vector<uint8_t> plain; // unscrambled report, or the packet
    bool bAccepted = false;
};

class VirtualMouse
{
public:
    // Takes its identifiers, sensor, key and firmware version from the
    // description it is built for.
    explicit VirtualMouse(const DeviceDescription& description);

    // The driver side, one call per entry point.
    int SetVidPid(uint32_t vid, uint32_t pid);
    int OpenMonitor(DeviceMessageSink* sink, uint32_t dataMessage, uint32_t connectionMessage);
    int CloseMonitor();
    int OpenFeatureChannel();
    int CloseFeatureChannel();
    int OpenReportChannel();
    int CloseReportChannel();
    int SetFeature(const uint8_t* buffer, int length);
    int GetFeature(uint8_t* buffer, int length);
    int WriteUSB(const uint8_t* buffer, int length);

    // The mouse's own side.
    // A button on the mouse changed a setting: its state follows and the
    // monitor posts the event (word 0x0500 rate, 0x0700 DPI level, 0x0800
    // button set). Nothing happens while it is unplugged.
    void RaiseEvent(uint16_t eventWord, uint16_t value);
    void Unplug();
    void Plug();
    void SetFirmwareVersion(uint8_t byHigh, uint8_t byLow);
    // While not answering, reads fail as with a mouse that says nothing.
    void SetAnswering(bool bAnswering);

    VirtualMouseState State() const;
    // The most recent traffic, oldest first (the log keeps kTrafficLogSize calls).
    std::vector<MouseTraffic> Traffic() const;
    static constexpr std::size_t kTrafficLogSize = 4096;
    int Sensor() const { return m_iSensor; }

private:
    struct PendingTable
    {
        uint8_t command;
        uint8_t selector;
        std::size_t expected;
        std::vector<uint8_t> data;
    };

    bool Selected() const;
    bool ApplyCommand(const FeatureReport& report);
    void CommitTable(const PendingTable& table);
    void Log(MouseTraffic::Call call, const uint8_t* bytes, int length, std::vector<uint8_t> plain,
             bool accepted);
    void Post(bool connection, uintptr_t wParam, intptr_t lParam);

    const uint32_t m_iVID;
    const uint32_t m_iPID;
    const int32_t m_iSensor;
    const ReportScrambler m_scrambler;

    mutable std::mutex m_mutex;
    uint32_t m_iSelectedVID = 0;
    uint32_t m_iSelectedPID = 0;
    DeviceMessageSink* m_sink = nullptr;
    uint32_t m_iDataMessage = 0;
    uint32_t m_iConnectionMessage = 0;
    bool m_bPlugged = true;
    bool m_bFeatureOpen = false;
    bool m_bReportOpen = false;
    bool m_bAnswering = true;
    uint8_t m_byVerHigh;
    uint8_t m_byVerLow;
    std::optional<PendingTable> m_pending;
    VirtualMouseState m_state;
    std::deque<MouseTraffic> m_traffic;
};
