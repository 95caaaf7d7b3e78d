#include "device/VirtualMouse.h"

#include "device/DeviceMessageSink.h"
#include "device/DeviceMessages.h"

#include <algorithm>

namespace
{

constexpr FeatureReport kStartupAnswer = {0x8B, 0x12, 0x34, 0x00, 0x00, 0x56, 0x78, 0x60};

// Payload length each table announcement must carry, by command and selector.
std::optional<std::size_t> TableLength(uint8_t command, uint8_t selector)
{
    switch (command)
    {
    case 0x10:
        if (selector == 0 || selector == 1)
            return 24;
        if (selector == 3)
            return 12;
        return std::nullopt;
    case 0x11:
        return 8;
    case 0x12:
        if (selector == 1 || selector == 2)
            return 64;
        return std::nullopt;
    case 0x13:
        return kTransferBlockSize;
    default:
        return std::nullopt;
    }
}

bool IsUnframedVersionRead(const FeatureReport& r)
{
    return r[0] == 0x80 && std::all_of(r.begin() + 1, r.end(), [](uint8_t b) { return b == 0; });
}

void CopyColors(std::array<RgbBytes, 8>& colors, const std::vector<uint8_t>& data)
{
    for (int i = 0; i < 8; ++i)
        std::copy_n(data.begin() + 3 * i, 3, colors[i].begin());
}

} // namespace

VirtualMouse::VirtualMouse(const DeviceDescription& description)
    : m_iVID(description.m_iVID), m_iPID(description.m_iPID), m_iSensor(description.m_iSensor),
      m_scrambler(description), m_byVerHigh(static_cast<uint8_t>(description.m_iVer_H)),
      m_byVerLow(static_cast<uint8_t>(description.m_iVer_L))
{
}

bool VirtualMouse::Selected() const
{
    return m_iSelectedVID == m_iVID && m_iSelectedPID == m_iPID;
}

int VirtualMouse::SetVidPid(uint32_t vid, uint32_t pid)
{
    std::lock_guard lock(m_mutex);
    m_iSelectedVID = vid;
    m_iSelectedPID = pid;
    return 1;
}

int VirtualMouse::OpenMonitor(DeviceMessageSink* sink, uint32_t dataMessage,
                              uint32_t connectionMessage)
{
    std::lock_guard lock(m_mutex);
    m_sink = sink;
    m_iDataMessage = dataMessage;
    m_iConnectionMessage = connectionMessage;
    return 1;
}

int VirtualMouse::CloseMonitor()
{
    std::lock_guard lock(m_mutex);
    m_sink = nullptr;
    return 1;
}

int VirtualMouse::OpenFeatureChannel()
{
    std::lock_guard lock(m_mutex);
    m_bFeatureOpen = m_bPlugged && Selected();
    Log(MouseTraffic::Call::OpenFeature, nullptr, 0, {}, m_bFeatureOpen);
    return m_bFeatureOpen;
}

int VirtualMouse::CloseFeatureChannel()
{
    std::lock_guard lock(m_mutex);
    m_bFeatureOpen = false;
    Log(MouseTraffic::Call::CloseFeature, nullptr, 0, {}, true);
    return 1;
}

int VirtualMouse::OpenReportChannel()
{
    std::lock_guard lock(m_mutex);
    m_bReportOpen = m_bPlugged && Selected();
    Log(MouseTraffic::Call::OpenReport, nullptr, 0, {}, m_bReportOpen);
    return m_bReportOpen;
}

int VirtualMouse::CloseReportChannel()
{
    std::lock_guard lock(m_mutex);
    m_bReportOpen = false;
    Log(MouseTraffic::Call::CloseReport, nullptr, 0, {}, true);
    return 1;
}

int VirtualMouse::SetFeature(const uint8_t* buffer, int length)
{
    std::lock_guard lock(m_mutex);
    if (length != kFeatureReportSize || !m_bFeatureOpen)
    {
        Log(MouseTraffic::Call::SetFeature, buffer, length, {}, false);
        return 0;
    }
    FeatureReport report;
    std::copy_n(buffer, kFeatureReportSize, report.begin());
    m_scrambler.Unscramble(report);
    // Any report ends a table whose packets have not all come.
    m_pending.reset();
    const bool accepted = HasValidChecksum(report) && ApplyCommand(report);
    Log(MouseTraffic::Call::SetFeature, buffer, length, {report.begin(), report.end()}, accepted);
    return accepted;
}

bool VirtualMouse::ApplyCommand(const FeatureReport& r)
{
    VirtualMouseState& s = m_state;
    switch (r[0])
    {
    case 0x83:
        ++s.iStartupRequests;
        return true;
    case 0x03:
        std::copy_n(r.begin() + 1, 6, s.startupReply.begin());
        return true;
    case 0x01:
        s.byReportRateCode = r[1];
        return true;
    case 0x02:
        s.byButtonMode = r[1];
        return true;
    case 0x0B:
        s.byDpiLevel = r[1];
        return true;
    case 0x0C:
        s.lightColor = {r[1], r[2], r[3]};
        return true;
    case 0x0D:
        s.lightMode = {r[1], r[2], r[3]};
        return true;
    case 0x04:
        s.byLiftOffCode = r[1];
        s.byKeyResponse = r[2];
        return true;
    case 0x07:
        s.byDpiRangeMask = r[2];
        return true;
    case 0x80:
        return true; // a version read follows
    case 0x10:
    case 0x11:
    case 0x12:
    case 0x13:
    {
        const std::optional<std::size_t> length = TableLength(r[0], r[1]);
        if (!length || r[2] != *length)
            return false;
        m_pending = PendingTable{r[0], r[1], *length, {}};
        if (r[0] == 0x11)
            s.byMaxDpi = r[1];
        return true;
    }
    default:
        return false;
    }
}

int VirtualMouse::GetFeature(uint8_t* buffer, int length)
{
    std::lock_guard lock(m_mutex);
    if (length != kFeatureReportSize || !m_bFeatureOpen || !m_bAnswering)
    {
        Log(MouseTraffic::Call::GetFeature, buffer, length, {}, false);
        return 0;
    }
    FeatureReport request;
    std::copy_n(buffer, kFeatureReportSize, request.begin());
    m_scrambler.Unscramble(request);

    std::optional<FeatureReport> answer;
    if (request[0] == 0x8B && HasValidChecksum(request))
        answer = kStartupAnswer;
    else if (request[0] == 0x80 && (HasValidChecksum(request) || IsUnframedVersionRead(request)))
        answer = MakeFeatureReport(0x80, {m_byVerHigh, m_byVerLow});

    std::vector<uint8_t> received(buffer, buffer + length);
    if (answer)
    {
        FeatureReport wire = *answer;
        m_scrambler.Scramble(wire);
        std::copy(wire.begin(), wire.end(), buffer);
    }
    Log(MouseTraffic::Call::GetFeature, received.data(), length, {request.begin(), request.end()},
        answer.has_value());
    return answer.has_value();
}

int VirtualMouse::WriteUSB(const uint8_t* buffer, int length)
{
    std::lock_guard lock(m_mutex);
    const bool accepted = length == kDataPacketSize && m_bReportOpen && m_pending.has_value();
    if (accepted)
    {
        PendingTable& table = *m_pending;
        const std::size_t take =
            std::min<std::size_t>(kDataPacketSize, table.expected - table.data.size());
        table.data.insert(table.data.end(), buffer, buffer + take);
        if (table.data.size() == table.expected)
        {
            CommitTable(table);
            m_pending.reset();
        }
    }
    Log(MouseTraffic::Call::WriteUSB, buffer, length,
        std::vector<uint8_t>(buffer, buffer + std::max(length, 0)), accepted);
    return accepted;
}

void VirtualMouse::CommitTable(const PendingTable& table)
{
    VirtualMouseState& s = m_state;
    const std::vector<uint8_t>& d = table.data;
    switch (table.command)
    {
    case 0x10:
        if (table.selector == 0)
            CopyColors(s.cycleColors, d);
        else if (table.selector == 1)
            CopyColors(s.dpiColors, d);
        else
            std::copy_n(d.begin(), s.gunSummary.size(), s.gunSummary.begin());
        break;
    case 0x11:
        std::copy_n(d.begin(), s.dpiCodes.size(), s.dpiCodes.begin());
        break;
    case 0x12:
        for (int i = 0; i < 16; ++i)
            std::copy_n(d.begin() + 4 * i, 4, s.buttonCodes[(table.selector - 1) * 16 + i].begin());
        break;
    case 0x13:
        std::copy_n(d.begin(), kTransferBlockSize, s.blocks[table.selector].begin());
        break;
    }
}

void VirtualMouse::Log(MouseTraffic::Call call, const uint8_t* bytes, int length,
                       std::vector<uint8_t> plain, bool accepted)
{
    std::vector<uint8_t> received;
    if (bytes != nullptr && length > 0)
        received.assign(bytes, bytes + length);
    m_traffic.push_back({call, std::move(received), std::move(plain), accepted});
    if (m_traffic.size() > kTrafficLogSize)
        m_traffic.pop_front();
}

void VirtualMouse::Post(bool connection, uintptr_t wParam, intptr_t lParam)
{
    DeviceMessageSink* sink;
    uint32_t message;
    {
        std::lock_guard lock(m_mutex);
        if (m_sink == nullptr || !Selected())
            return;
        sink = m_sink;
        message = connection ? m_iConnectionMessage : m_iDataMessage;
    }
    sink->PostDeviceMessage(message, wParam, lParam);
}

void VirtualMouse::RaiseEvent(uint16_t eventWord, uint16_t value)
{
    {
        std::lock_guard lock(m_mutex);
        if (!m_bPlugged)
            return;
        switch (eventWord & 0xFF00)
        {
        case kEventDpiLevel:
            m_state.byDpiLevel = static_cast<uint8_t>(value);
            break;
        case kEventReportRate:
            m_state.byReportRateCode = static_cast<uint8_t>(value);
            break;
        case kEventButtonMode:
            m_state.byButtonMode = static_cast<uint8_t>(value);
            break;
        }
    }
    Post(false, eventWord, value);
}

void VirtualMouse::Unplug()
{
    {
        std::lock_guard lock(m_mutex);
        if (!m_bPlugged)
            return;
        m_bPlugged = false;
        m_bFeatureOpen = false;
        m_bReportOpen = false;
        m_pending.reset();
    }
    Post(true, 0, 0);
}

void VirtualMouse::Plug()
{
    {
        std::lock_guard lock(m_mutex);
        if (m_bPlugged)
            return;
        m_bPlugged = true;
    }
    Post(true, 1, 0);
}

void VirtualMouse::SetFirmwareVersion(uint8_t byHigh, uint8_t byLow)
{
    std::lock_guard lock(m_mutex);
    m_byVerHigh = byHigh;
    m_byVerLow = byLow;
}

void VirtualMouse::SetAnswering(bool bAnswering)
{
    std::lock_guard lock(m_mutex);
    m_bAnswering = bAnswering;
}

VirtualMouseState VirtualMouse::State() const
{
    std::lock_guard lock(m_mutex);
    return m_state;
}

std::vector<MouseTraffic> VirtualMouse::Traffic() const
{
    std::lock_guard lock(m_mutex);
    return {m_traffic.begin(), m_traffic.end()};
}
