#include "model/ProfileBindings.h"

#include "buttons/ButtonFunctions.h"

#include <algorithm>

namespace
{

// Calls update(slot, slotIndex) for every slot whose binding field holds
// `index`, and other(slot) for every other slot; true when a slot of the
// current profile held it. "None" is not an index: a refresh for it must not
// touch the unbound slots.
template <typename Update, typename Other = void (*)(ButtonData&)>
bool ForEachBoundSlot(ProfileList& profiles, int32_t ButtonData::*binding, int index,
                      int currentProfile, Update update, Other other = [](ButtonData&) {})
{
    if (index == kNoBinding)
        return false;
    bool currentMatched = false;
    for (std::size_t p = 0; p < profiles.size(); ++p)
    {
        if (!profiles[p])
            continue;
        for (int s = 0; s < kButtonSlots; ++s)
        {
            ButtonData& slot = profiles[p]->aButton[s];
            if (slot.*binding != index)
            {
                other(slot);
                continue;
            }
            if (static_cast<int>(p) == currentProfile)
                currentMatched = true;
            update(slot, s);
        }
    }
    return currentMatched;
}

// Slots whose function plays a library record and whose binding field holds
// one of the indices.
BindingCount CountBindings(const ProfileList& profiles, int32_t ButtonData::*binding,
                           uint8_t function, std::span<const int> indices)
{
    BindingCount count;
    for (const auto& profile : profiles)
    {
        if (!profile)
            continue;
        const int before = count.iButtons;
        for (const ButtonData& slot : profile->aButton)
            if (slot.byFunction == function &&
                std::find(indices.begin(), indices.end(), slot.*binding) != indices.end())
                ++count.iButtons;
        if (count.iButtons > before)
            ++count.iProfiles;
    }
    return count;
}

// A removed record takes its index away from every slot; the records after
// it moved down one place, so slots naming them follow. Only a slot that
// plays the removed record goes back to its factory function: one the user
// has since given another function keeps it.
bool ForgetRemovedRecord(ProfileList& profiles, int32_t ButtonData::*binding, uint8_t function,
                         int index, int currentProfile)
{
    return ForEachBoundSlot(
        profiles, binding, index, currentProfile,
        [&](ButtonData& slot, int s)
        {
            slot.*binding = kNoBinding;
            if (slot.byFunction == function)
                slot.byFunction = kDefaultSlotFunction[s];
        },
        [&](ButtonData& slot)
        {
            if (slot.*binding > index)
                --(slot.*binding);
        });
}

} // namespace

void CopyMacroActions(const MacroData& macro, ButtonData& slot)
{
    static_assert(sizeof slot.aEvent == sizeof macro.aAction);
    slot.wEventCount = static_cast<uint16_t>(ActionCount(macro));
    std::copy(std::begin(macro.aAction), std::end(macro.aAction), std::begin(slot.aEvent));
}

void CopyGunBullets(const GunData& gun, ButtonData& slot)
{
    static_assert(sizeof slot.aBullet == sizeof gun.aBullet);
    slot.wEventCount = static_cast<uint16_t>(BulletCount(gun));
    std::copy(std::begin(gun.aBullet), std::end(gun.aBullet), std::begin(slot.aBullet));
}

bool RefreshMacroBindings(ProfileList& profiles, const MacroLibrary& library, int macroIndex,
                          int currentProfile, bool removed)
{
    if (removed)
        return ForgetRemovedRecord(profiles, &ButtonData::iMacroIndex, kFunctionSelectMacro,
                                   macroIndex, currentProfile);
    const MacroData* macro = RecordAt(library, macroIndex);
    return ForEachBoundSlot(profiles, &ButtonData::iMacroIndex, macroIndex, currentProfile,
                            [&](ButtonData& slot, int s)
                            {
                                if (!macro)
                                {
                                    slot.byFunction = kDefaultSlotFunction[s];
                                    return;
                                }
                                CopyMacroActions(*macro, slot);
                                slot.iLibValue = macro->wLoopCount;
                                SetNameField(slot.szAssignedName,
                                             NameFromField(macro->szMacroName));
                            });
}

bool RefreshGunBindings(ProfileList& profiles, const GunLibrary& library, int gunIndex,
                        int currentProfile, bool removed)
{
    if (removed)
        return ForgetRemovedRecord(profiles, &ButtonData::iGunIndex, kFunctionSelectGun,
                                   gunIndex, currentProfile);
    const GunData* gun = GunAt(library, gunIndex);
    return ForEachBoundSlot(profiles, &ButtonData::iGunIndex, gunIndex, currentProfile,
                            [&](ButtonData& slot, int)
                            {
                                if (!gun)
                                    return; // keeps its copy until told of a removal
                                CopyGunBullets(*gun, slot);
                                slot.iLibValue = gun->byExtra;
                                SetNameField(slot.szAssignedName, NameFromField(gun->szGunName));
                            });
}

BindingCount CountMacroBindings(const ProfileList& profiles, std::span<const int> macroIndices)
{
    return CountBindings(profiles, &ButtonData::iMacroIndex, kFunctionSelectMacro, macroIndices);
}

BindingCount CountGunBindings(const ProfileList& profiles, std::span<const int> gunIndices)
{
    return CountBindings(profiles, &ButtonData::iGunIndex, kFunctionSelectGun, gunIndices);
}
