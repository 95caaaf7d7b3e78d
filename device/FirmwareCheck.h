#pragma once
// The start-up comparison of the mouse's firmware with the version Data.ini
// expects, and the offer to update it.

#include <filesystem>

class DeviceLinkHost;
class TransferProtocol;
struct DeviceDescription;

// "Update/flashOnLine.exe" (Windows) or "Update/flashOnLine" in the program folder.
std::filesystem::path UpdaterPath(const std::filesystem::path& programFolder);

// Whether the updater is there to be started: a file this user may run.
bool UpdaterIsThere(const std::filesystem::path& program);

// 1: carry on. 0: the updater was started and the program must close.
// A mouse that does not answer, an equal version, or a user who declines
// the update all carry on; so does a different version when the updater is
// missing or does not start, after a message that says so.
int CheckFirmware(TransferProtocol& protocol, const DeviceDescription& description,
                  DeviceLinkHost& host, const std::filesystem::path& programFolder);
