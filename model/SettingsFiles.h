#pragma once
// The settings files of the data folder: Data.bin (the application state) and
// profile.bin (every profile, back to back). The data folder is a parameter:
// the program folder's Data/, or a per-user folder for an installed copy.

#include "model/ProfileList.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#pragma pack(push, 1)

// Data.bin, written and read as a whole.
struct AppState
{
    int32_t iCurrentProfile;
    int32_t iLanguage; // -1: never chosen, pick from the system language
};

#pragma pack(pop)

static_assert(sizeof(AppState) == 8);
static_assert(offsetof(AppState, iCurrentProfile) == 0);
static_assert(offsetof(AppState, iLanguage) == 4);

inline constexpr char kAppStateFile[] = "Data.bin";
inline constexpr char kProfilesFile[] = "profile.bin";

// Creates the data folder when it is missing; failures show up later as
// failed writes, which are ignored.
void EnsureDataFolder(const std::filesystem::path& dataFolder);

bool SaveAppState(const std::filesystem::path& dataFolder, const AppState& state);
// A missing Data.bin is recreated as {0, -1}; a short one leaves the missing
// values 0.
AppState LoadAppState(const std::filesystem::path& dataFolder);

bool SaveProfiles(const std::filesystem::path& dataFolder, const ProfileList& profiles);
// Replaces `profiles` with the records of profile.bin, dropping a trailing
// partial record. A missing file yields one generated profile (saved at once);
// an empty file an empty list.
void LoadProfiles(ProfileList& profiles, const std::filesystem::path& dataFolder, int sensor,
                  std::u16string_view profileText);

bool ProfileNameExists(const ProfileList& profiles, std::u16string_view name);
// `base` when no profile has that name, otherwise base_1, base_2, ...
std::u16string MakeFreeProfileName(const ProfileList& profiles, std::u16string_view base);

// Appends a profile with the factory defaults for `sensor`, named after
// `profileText` and the new profile count ("Profile2"), and saves the list.
void CreateDefaultProfile(ProfileList& profiles, const std::filesystem::path& dataFolder,
                          int sensor, std::u16string_view profileText);
