#pragma once
// A button slot bound to a macro or gun holds a copy of it; these keep the
// copies in step with the libraries.

#include "guns/GunLibrary.h"
#include "macros/MacroLibrary.h"
#include "model/ProfileList.h"

#include <cstdint>
#include <span>

// The iMacroIndex / iGunIndex of a slot bound to nothing.
inline constexpr int32_t kNoBinding = -1;

// Count and all 40 actions (or 30 bullets) into the slot; the count never
// exceeds the slot's arrays.
void CopyMacroActions(const MacroData& macro, ButtonData& slot);
void CopyGunBullets(const GunData& gun, ButtonData& slot);

// For every slot of every profile bound to `macroIndex`: it takes the
// macro's actions, loop count and name; a macro not in the library sends the
// slot back to its factory function code. When the macro was removed from the
// library, slots that play it go back to their factory function, every slot
// forgets the index, and slots bound to later macros follow them down one
// place. True when a slot of the current profile was bound.
bool RefreshMacroBindings(ProfileList& profiles, const MacroLibrary& library, int macroIndex,
                          int currentProfile, bool removed);

// As above for guns, with one difference: a gun that is merely missing from
// the library leaves the slot untouched; only a removal resets it.
bool RefreshGunBindings(ProfileList& profiles, const GunLibrary& library, int gunIndex,
                        int currentProfile, bool removed);

// How many button slots, in how many profiles, play one of the given library
// records: what deleting those records takes away from the user.
struct BindingCount
{
    int iButtons = 0;
    int iProfiles = 0;
};
BindingCount CountMacroBindings(const ProfileList& profiles, std::span<const int> macroIndices);
BindingCount CountGunBindings(const ProfileList& profiles, std::span<const int> gunIndices);
