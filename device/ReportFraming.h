#pragma once
// The two report shapes on the wire: 8-byte feature reports (command,
// arguments, checksum) and 32-byte data packets (payload, zero-filled).

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>

inline constexpr int kFeatureReportSize = 8;
inline constexpr int kDataPacketSize = 32;

using FeatureReport = std::array<uint8_t, kFeatureReportSize>;
using DataPacket = std::array<uint8_t, kDataPacketSize>;

// 0xFF minus the sum of bytes 0..6, so that all eight bytes add up to 0xFF.
uint8_t FeatureChecksum(const FeatureReport& report);
bool HasValidChecksum(const FeatureReport& report);

// A zero-filled report: command in byte 0, `arguments` from byte 1 (at most
// six), checksum in byte 7.
FeatureReport MakeFeatureReport(uint8_t command, std::initializer_list<uint8_t> arguments = {});

// Bytes as uppercase hex pairs separated by single spaces ("01 02 FC").
std::string HexBytes(std::span<const uint8_t> bytes);

// One numbered 128-byte block of command 0x13 (a macro or half a gun),
// sent as four data packets.
inline constexpr int kTransferBlockSize = 128;
using TransferBlock = std::array<uint8_t, kTransferBlockSize>;
