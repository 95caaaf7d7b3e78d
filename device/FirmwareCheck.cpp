#include "device/FirmwareCheck.h"

#include "app/DeviceDescription.h"
#include "device/DeviceLinkHost.h"
#include "device/TransferProtocol.h"
#include "model/DebugTrace.h"

namespace
{

constexpr int kVersionWait = 30;

} // namespace

std::filesystem::path UpdaterPath(const std::filesystem::path& programFolder)
{
#ifdef _WIN32
    return programFolder / "Update" / "flashOnLine.exe";
#else
    return programFolder / "Update" / "flashOnLine";
#endif
}

int CheckFirmware(TransferProtocol& protocol, const DeviceDescription& description,
                  DeviceLinkHost& host, const std::filesystem::path& programFolder)
{
    protocol.SendFirmwareVersionRequest();
    protocol.Pause(kVersionWait);
    const std::optional<FirmwareVersion> version = protocol.ReadFirmwareVersion();
    if (!version)
        return 1;
    DebugTrace("m_iVer_H: %02x, m_iVer_L: %02x, iVer_H: %02x, iVer_L: %02x\r\n",
               description.m_iVer_H, description.m_iVer_L, version->byHigh, version->byLow);
    protocol.Pause(kVersionWait);

    // Any difference counts: an older and a newer firmware are treated alike.
    if (version->byHigh == description.m_iVer_H && version->byLow == description.m_iVer_L)
        return 1;
    if (host.ShowMessage("warning_title_text", "update_fw_text", MessageOwner::None,
                         MessageKind::Question) != 1)
        return 1;
    host.StartUpdater(UpdaterPath(programFolder));
    return 0;
}
