#pragma once
// A bound gun as its two 128-byte blocks, and the mouse's reading of them.

#include "device/ReportFraming.h"
#include "guns/GunData.h"

#include <array>
#include <vector>

struct ButtonData;

// `gunNumber` counts the profile's gun-bound slots from 1. Bullets 1..15 go
// to the first block, 16..30 to the second; a chained first block ends with
// the second block's number and 0xFE.
std::array<TransferBlock, 2> EncodeGunBlocks(const ButtonData& slot, int gunNumber);

// The bullets as the mouse reads them: iX, iY sign-extended from their byte,
// wDelay in tens of milliseconds (bit 0 of the delay byte is a marker).
std::vector<GunBullet> DecodeGunBlocks(const TransferBlock& first, const TransferBlock& second);
