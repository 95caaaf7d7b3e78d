#pragma once
// The factory settings of a profile.

#include "model/ProfileData.h"

// Writes every factory default into `record`: the header from iPointerSpeed to
// iButtonMode (the DPI steps only for sensors that have defaults), then the 32
// button slots from scratch. The name is left alone.
void ApplyProfileDefaults(ProfileData& record, int sensor);
