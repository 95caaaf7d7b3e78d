#include "model/UnappliedChanges.h"

#include <cstring>

void UnappliedChanges::Remember(const ProfileData& profile)
{
    auto& record = m_applied[&profile];
    if (!record)
        record = std::make_unique<ProfileData>();
    std::memcpy(record.get(), &profile, sizeof(ProfileData));
}

void UnappliedChanges::RememberFirst(const ProfileData& profile)
{
    if (!m_applied.contains(&profile))
        Remember(profile);
}

void UnappliedChanges::Forget(const ProfileData& profile)
{
    m_applied.erase(&profile);
}

bool UnappliedChanges::Differs(const ProfileData& profile) const
{
    const auto found = m_applied.find(&profile);
    return found != m_applied.end() &&
           std::memcmp(found->second.get(), &profile, sizeof(ProfileData)) != 0;
}

bool UnappliedChanges::AnyDiffers(const ProfileList& profiles) const
{
    for (const auto& profile : profiles)
        if (Differs(*profile))
            return true;
    return false;
}

bool UnappliedChanges::DiscardAll(ProfileList& profiles) const
{
    bool bAny = false;
    for (const auto& profile : profiles)
        if (Differs(*profile))
        {
            std::memcpy(profile.get(), m_applied.at(profile.get()).get(), sizeof(ProfileData));
            bAny = true;
        }
    return bAny;
}
