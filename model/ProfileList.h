#pragma once
// The process-wide profile list: owned records in the order of profile.bin;
// a position is a profile index.

#include "model/ProfileData.h"

#include <memory>
#include <vector>

using ProfileList = std::vector<std::unique_ptr<ProfileData>>;
