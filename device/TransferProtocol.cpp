#include "device/TransferProtocol.h"

#include "app/DeviceDescription.h"
#include "device/DpiCodes.h"
#include "device/DriverApi.h"
#include "device/SettingsCodes.h"
#include "model/ProfileData.h"

#include <algorithm>

namespace
{

constexpr uint8_t kCmdReportRate = 0x01;
constexpr uint8_t kCmdButtonMode = 0x02;
constexpr uint8_t kCmdStartupReply = 0x03;
constexpr uint8_t kCmdLiftOff = 0x04;
constexpr uint8_t kCmdDpiRange = 0x07;
constexpr uint8_t kCmdDpiLevel = 0x0B;
constexpr uint8_t kCmdLightColor = 0x0C;
constexpr uint8_t kCmdLightMode = 0x0D;
constexpr uint8_t kCmdTable = 0x10;
constexpr uint8_t kCmdDpiCodes = 0x11;
constexpr uint8_t kCmdButtonCodes = 0x12;
constexpr uint8_t kCmdBlock = 0x13;
constexpr uint8_t kCmdFirmwareVersion = 0x80;
constexpr uint8_t kCmdStartupRequest = 0x83;
constexpr uint8_t kCmdStartupRead = 0x8B;

constexpr uint8_t kTableGunSummary = 3;

// Pauses the mouse needs after a single report and around the button,
// macro and gun transfer.
constexpr int kReportPause = 20;
constexpr int kTransferPause = 10;

} // namespace

TransferProtocol::TransferProtocol(const DriverApi& driver, const DeviceDescription& description,
                                   const SleepFunction& sleep)
    : m_driver(driver), m_description(description), m_sleep(sleep), m_scrambler(description)
{
}

void TransferProtocol::Pause(int milliseconds) const
{
    if (m_sleep)
        m_sleep(milliseconds);
}

int TransferProtocol::SetFeature(FeatureReport report)
{
    m_scrambler.Scramble(report);
    const int result = CallDriver(m_driver.SetFeature, report.data(), kFeatureReportSize);
    m_iRefused += result == 0 ? 1 : 0;
    return result;
}

int TransferProtocol::GetFeature(FeatureReport& buffer)
{
    m_scrambler.Scramble(buffer);
    const int result = CallDriver(m_driver.GetFeature, buffer.data(), kFeatureReportSize);
    m_scrambler.Unscramble(buffer);
    return result;
}

int TransferProtocol::WriteUSB(std::span<const uint8_t> payload)
{
    DataPacket packet{};
    std::copy_n(payload.begin(), std::min<std::size_t>(payload.size(), packet.size()),
                packet.begin());
    const int result = CallDriver(m_driver.WriteUSB, packet.data(), kDataPacketSize);
    m_iRefused += result == 0 ? 1 : 0;
    return result;
}

int TransferProtocol::SendTable(const FeatureReport& report, std::span<const uint8_t> payload,
                                int pause)
{
    int result = SetFeature(report);
    for (std::size_t at = 0; at < payload.size(); at += kDataPacketSize)
    {
        Pause(pause);
        result = WriteUSB(
            payload.subspan(at, std::min<std::size_t>(kDataPacketSize, payload.size() - at)));
    }
    return result;
}

int TransferProtocol::SendStartupRequest()
{
    return SetFeature(MakeFeatureReport(kCmdStartupRequest));
}

FeatureReport TransferProtocol::ReadStartupAnswer()
{
    FeatureReport buffer = MakeFeatureReport(kCmdStartupRead);
    if (!GetFeature(buffer))
        return {};
    return buffer;
}

int TransferProtocol::SendStartupReply(const FeatureReport& answer)
{
    return SetFeature(MakeFeatureReport(kCmdStartupReply,
                                        {answer[1], answer[2], 0xE2, 0x40, answer[5], answer[6]}));
}

int TransferProtocol::RunStartupExchange()
{
    SendStartupRequest();
    const FeatureReport answer = ReadStartupAnswer();
    return SendStartupReply(answer);
}

int TransferProtocol::SendReportRate(int32_t iReportRate)
{
    return SetFeature(MakeFeatureReport(kCmdReportRate, {ReportRateCode(iReportRate)}));
}

int TransferProtocol::SendButtonMode(int32_t iButtonMode)
{
    return SetFeature(MakeFeatureReport(kCmdButtonMode, {static_cast<uint8_t>(iButtonMode + 1)}));
}

int TransferProtocol::SendDpiLevel(int32_t iDpiLevel)
{
    return SetFeature(MakeFeatureReport(kCmdDpiLevel, {static_cast<uint8_t>(iDpiLevel + 1)}));
}

int TransferProtocol::SendLightColor(const Rgb0& color)
{
    return SetFeature(MakeFeatureReport(kCmdLightColor, {color.r, color.g, color.b}));
}

int TransferProtocol::SendLightMode(const ProfileData& profile)
{
    const std::array<uint8_t, 3> args = LightModeArguments(profile);
    return SetFeature(MakeFeatureReport(kCmdLightMode, {args[0], args[1], args[2]}));
}

int TransferProtocol::SendColorTable(uint8_t table, const Rgb0 (&colors)[8], int pause)
{
    std::array<uint8_t, 24> payload{};
    for (int i = 0; i < 8; ++i)
    {
        payload[3 * i] = colors[i].r;
        payload[3 * i + 1] = colors[i].g;
        payload[3 * i + 2] = colors[i].b;
    }
    return SendTable(MakeFeatureReport(kCmdTable, {table, static_cast<uint8_t>(payload.size())}),
                     payload, pause);
}

int TransferProtocol::SendGunSummary(const std::array<uint8_t, 12>& summary, int pause)
{
    return SendTable(
        MakeFeatureReport(kCmdTable, {kTableGunSummary, static_cast<uint8_t>(summary.size())}),
        summary, pause);
}

int TransferProtocol::SendDpiCodes(uint8_t byMaxDpi, const std::array<uint8_t, 8>& codes, int pause)
{
    return SendTable(
        MakeFeatureReport(kCmdDpiCodes, {byMaxDpi, static_cast<uint8_t>(codes.size())}), codes,
        pause);
}

int TransferProtocol::SendButtonCodes(uint8_t half, std::span<const ButtonCode, 16> codes,
                                      int pause)
{
    std::array<uint8_t, 64> payload{};
    for (int i = 0; i < 16; ++i)
        std::copy(codes[i].begin(), codes[i].end(), payload.begin() + 4 * i);
    return SendTable(
        MakeFeatureReport(kCmdButtonCodes, {half, static_cast<uint8_t>(payload.size())}), payload,
        pause);
}

int TransferProtocol::SendBlock(uint8_t number, const TransferBlock& block, int pause)
{
    return SendTable(MakeFeatureReport(kCmdBlock, {number, static_cast<uint8_t>(block.size())}),
                     block, pause);
}

int TransferProtocol::SendLiftOff(uint8_t code, uint8_t byKeyResponse)
{
    return SetFeature(MakeFeatureReport(kCmdLiftOff, {code, byKeyResponse}));
}

int TransferProtocol::SendDpiRangeMask(uint8_t mask)
{
    return SetFeature(MakeFeatureReport(kCmdDpiRange, {0x00, mask}));
}

int TransferProtocol::SendFirmwareVersionRequest()
{
    return SetFeature(MakeFeatureReport(kCmdFirmwareVersion));
}

std::optional<FirmwareVersion> TransferProtocol::ReadFirmwareVersion()
{
    FeatureReport buffer{};
    buffer[0] = kCmdFirmwareVersion;
    if (!GetFeature(buffer))
        return std::nullopt;
    return FirmwareVersion{buffer[1], buffer[2]};
}

void TransferProtocol::SendButtonsMacrosAndGuns(const ProfileData& profile)
{
    const ButtonTransfer transfer = EncodeButtonTransfer(profile, m_description);
    const std::span<const ButtonCode, 32> codes(transfer.aCode);

    SendButtonCodes(1, codes.first<16>(), kTransferPause);
    Pause(kTransferPause);
    SendButtonCodes(2, codes.last<16>(), kTransferPause);
    Pause(kTransferPause);

    for (std::size_t i = 0; i < transfer.macroBlocks.size(); ++i)
    {
        SendBlock(static_cast<uint8_t>(i + 1), transfer.macroBlocks[i], kTransferPause);
        Pause(kTransferPause);
    }
    for (std::size_t k = 0; k < transfer.gunBlocks.size(); ++k)
    {
        for (std::size_t half = 0; half < 2; ++half)
        {
            SendBlock(static_cast<uint8_t>(2 * k + 5 + half), transfer.gunBlocks[k][half],
                      kTransferPause);
            Pause(kTransferPause);
        }
    }
    SendGunSummary(transfer.gunSummary, kTransferPause);
    Pause(kTransferPause);
}

bool TransferProtocol::SendProfile(const ProfileData& p)
{
    m_iRefused = 0;
    const int32_t sensor = m_description.m_iSensor;
    const bool liftOffOn = m_description.m_iDistance != 0;

    // The single reports pause only after an accepted send.
    if (RunStartupExchange())
        Pause(kReportPause);
    if (SendButtonMode(p.iButtonMode))
        Pause(kReportPause);
    if (SendReportRate(p.iReportRate))
        Pause(kReportPause);
    if (SendDpiLevel(p.iDpiLevel))
        Pause(kReportPause);
    if (SendLightColor(p.rgbLight))
        Pause(kReportPause);
    if (SendLightMode(p))
        Pause(kReportPause);

    SendColorTable(0, p.aCycleColor, kReportPause);
    Pause(kReportPause);
    SendColorTable(1, p.aDpiColor, kReportPause);
    Pause(kReportPause);
    if (SendDpiCodes(p.byMaxDpi, EncodeDpiCodes(sensor, p.aiDpi, p.abDpiEnabled), kReportPause))
        Pause(kTransferPause);

    SendButtonsMacrosAndGuns(p);

    if (liftOffOn)
    {
        SendLiftOff(LiftOffCode(m_description, p.iLiftOffDistance), p.byKeyResponse);
        Pause(kReportPause);
    }
    if (liftOffOn && SensorHasRangeReport(sensor))
    {
        SendDpiRangeMask(DpiRangeMask(sensor, p.aiDpi));
        Pause(kReportPause);
    }
    return m_iRefused == 0;
}
