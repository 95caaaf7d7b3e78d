#pragma once
// The start-up comparison of the mouse's firmware with the version Data.ini
// expects, and the offer to update it.

#include <filesystem>

class DeviceLinkHost;
class TransferProtocol;
struct DeviceDescription;

// "Update/flashOnLine.exe" (Windows) or "Update/flashOnLine" in the program folder.
std::filesystem::path UpdaterPath(const std::filesystem::path& programFolder);

// 1: carry on. 0: the updater was started and the program must close.
// A mouse that does not answer, an equal version, or a user who declines
// the update all carry on.
int CheckFirmware(TransferProtocol& protocol, const DeviceDescription& description,
                  DeviceLinkHost& host, const std::filesystem::path& programFolder);
