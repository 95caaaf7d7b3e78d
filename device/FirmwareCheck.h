#pragma once
// The start-up comparison of the mouse's firmware with the version Data.ini
// expects, and the offer to update it.

#include "device/TransferProtocol.h"

#include <filesystem>
#include <optional>

class DeviceLinkHost;
struct DeviceDescription;

// "Update/flashOnLine.exe" (Windows) or "Update/flashOnLine" in the program folder.
std::filesystem::path UpdaterPath(const std::filesystem::path& programFolder);

// Whether the updater is there to be started: a file this user may run.
bool UpdaterIsThere(const std::filesystem::path& program);

// Asks the mouse for its firmware version (0x80), with the pauses the mouse
// needs around its answer; nothing when it did not answer. `expected` is
// only traced beside it.
std::optional<FirmwareVersion> QueryFirmwareVersion(TransferProtocol& protocol,
                                                    const DeviceDescription& expected);

// Compares the version the mouse reported with the description's.
// 1: carry on. 0: the updater was started and the program must close.
// A mouse that does not answer, an equal version, or a user who declines
// the update all carry on; so does a different version when the updater is
// missing or does not start, after a message that says so.
int CheckFirmware(const std::optional<FirmwareVersion>& version,
                  const DeviceDescription& description, DeviceLinkHost& host,
                  const std::filesystem::path& programFolder);
