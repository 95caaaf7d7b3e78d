#include "device/FirmwareCheck.h"

#include "app/DeviceDescription.h"
#include "device/DeviceLinkHost.h"
#include "model/DebugTrace.h"

#ifndef _WIN32
#include <unistd.h>
#endif

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

bool UpdaterIsThere(const std::filesystem::path& program)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(program, error))
        return false;
#ifdef _WIN32
    return true;
#else
    return access(program.c_str(), X_OK) == 0;
#endif
}

std::optional<FirmwareVersion> QueryFirmwareVersion(TransferProtocol& protocol,
                                                    const DeviceDescription& expected)
{
    protocol.SendFirmwareVersionRequest();
    protocol.Pause(kVersionWait);
    const std::optional<FirmwareVersion> version = protocol.ReadFirmwareVersion();
    if (!version)
        return std::nullopt;
    DebugTrace("m_iVer_H: %02x, m_iVer_L: %02x, iVer_H: %02x, iVer_L: %02x\r\n", expected.m_iVer_H,
               expected.m_iVer_L, version->byHigh, version->byLow);
    protocol.Pause(kVersionWait);
    return version;
}

int CheckFirmware(const std::optional<FirmwareVersion>& version,
                  const DeviceDescription& description, DeviceLinkHost& host,
                  const std::filesystem::path& programFolder)
{
    if (!version)
        return 1;

    // Any difference counts: an older and a newer firmware are treated alike.
    if (version->byHigh == description.m_iVer_H && version->byLow == description.m_iVer_L)
        return 1;
    // Without its updater an OK would only close the program, and the
    // question would come back at every start.
    const std::filesystem::path updater = UpdaterPath(programFolder);
    if (UpdaterIsThere(updater))
    {
        if (host.ShowMessage("warning_title_text", "update_fw_text", MessageOwner::None,
                             MessageKind::Question) != 1)
            return 1;
        if (host.StartUpdater(updater))
            return 0;
    }
    host.ShowMessage("warning_title_text", "no_updater_text", MessageOwner::None,
                     MessageKind::Information);
    return 1;
}
