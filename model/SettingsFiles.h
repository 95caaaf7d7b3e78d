#pragma once
// The settings files of the data folder: Data.bin (the application state) and
// profile.bin (every profile, back to back). The data folder is a parameter:
// the program folder's Data/, or a per-user folder for an installed copy.

#include "model/LoadReport.h"
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

// profile.bin holds at most this many profiles; a larger one is damaged.
// Most people keep a handful and some thousands; the cap (about 565 MB) only
// stops a runaway file from filling memory.
inline constexpr std::size_t kMaxProfiles = 10000;

// Creates the data folder (0700) when it is missing; the errno of a failure,
// or 0.
int EnsureDataFolder(const std::filesystem::path& dataFolder);

SaveResult SaveAppState(const std::filesystem::path& dataFolder, const AppState& state);
// A missing Data.bin is {0, -1} and, with ReadWrite, recreated. One that is
// not exactly 8 bytes is damaged (set aside, reported); a short one leaves
// the missing values 0.
AppState LoadAppState(const std::filesystem::path& dataFolder, LoadReport& report,
                      DataAccess access = DataAccess::ReadWrite);

SaveResult SaveProfiles(const std::filesystem::path& dataFolder, const ProfileList& profiles);
// Replaces `profiles` with the records of profile.bin. A missing file yields
// one generated profile (saved at once with ReadWrite); an empty file an
// empty list. A damaged file is set aside and reported; its whole records
// are kept and saved anew.
LoadReport LoadProfiles(ProfileList& profiles, const std::filesystem::path& dataFolder, int sensor,
                        std::u16string_view profileText, DataAccess access = DataAccess::ReadWrite);

bool ProfileNameExists(const ProfileList& profiles, std::u16string_view name);
// `base` when no profile has that name, otherwise base_1, base_2, ...
std::u16string MakeFreeProfileName(const ProfileList& profiles, std::u16string_view base);

// Appends a profile with the factory defaults for `sensor`, named after
// `profileText` and the new profile count ("Profile2"), and, with ReadWrite,
// saves the list.
SaveResult CreateDefaultProfile(ProfileList& profiles, const std::filesystem::path& dataFolder,
                                int sensor, std::u16string_view profileText,
                                DataAccess access = DataAccess::ReadWrite);
