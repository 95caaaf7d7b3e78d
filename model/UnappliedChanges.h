#pragma once
// Each profile's record as the user last applied it, or as it was when the
// window first made it current (only the current profile is edited there),
// so the window can mark edits not yet applied and undo them on request.
// Copying a profile only once it is current keeps a library of thousands of
// profiles from being held twice. The records are compared byte for byte,
// as they are saved.

#include "model/ProfileList.h"

#include <map>
#include <memory>

class UnappliedChanges
{
public:
    // `profile` is as applied now (or as it was loaded).
    void Remember(const ProfileData& profile);
    // As Remember, unless the profile is remembered already.
    void RememberFirst(const ProfileData& profile);
    // Before a profile is deleted.
    void Forget(const ProfileData& profile);

    // Whether `profile` differs from its remembered record; a profile never
    // remembered has no changes.
    bool Differs(const ProfileData& profile) const;
    bool AnyDiffers(const ProfileList& profiles) const;
    // Puts every changed profile back as remembered; true when any was.
    bool DiscardAll(ProfileList& profiles) const;

private:
    std::map<const ProfileData*, std::unique_ptr<ProfileData>> m_applied;
};
