#pragma once
// The process-wide profile list: owned records in the order of profile.bin;
// a position is a profile index. Loaded records stay in the block
// profile.bin was read into and share it; new ones are allocated alone.

#include "model/ProfileData.h"

#include <memory>
#include <vector>

using ProfileList = std::vector<std::shared_ptr<ProfileData>>;
