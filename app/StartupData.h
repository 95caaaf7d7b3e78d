#pragma once
// What the program loads when it starts, and the order it loads it in. The GUI
// and vestrelctl both start through LoadStartupData, so they see the same
// profiles and create the same files on a first start.

#include "app/DeviceDescription.h"
#include "app/LanguageFile.h"
#include "guns/GunLibrary.h"
#include "macros/MacroLibrary.h"
#include "model/ProfileList.h"
#include "model/SettingsFiles.h"

#include <cstdint>
#include <filesystem>

struct StartupFolders
{
    std::filesystem::path program; // Data.ini, res/ and the shipped Data/
    std::filesystem::path data;    // the user's Data.bin, profile.bin, ...
};

struct StartupData
{
    DeviceDescription description;
    ProfileData defaultProfile{}; // the image of Default.pbin
    AppState appState{0, -1};
    LanguageFile language;
    ProfileList profiles;
    ProfileData* currentProfile = nullptr; // always an element of `profiles`
    ProfileData appliedProfile{};          // the profile as last applied
};

// Data.ini with the default profile image, Data.bin, the language file,
// profile.bin, then macro.bin and gun.bin into the given libraries (the
// program's are g_vecMacro and g_vecGun); with ReadWrite (for the holder of
// the data folder's lock) removes temporaries of saves that died, creates what
// a first start lacks and sets damaged files aside, with ReadOnly only reads. Always
// leaves at least one profile and a valid current one (a stored index
// outside the list selects profile 0). The report lists damaged files and
// failed saves, for the caller to tell the user.
LoadReport LoadStartupData(StartupData& data, const StartupFolders& folders, uint16_t uiLanguageId,
                           MacroLibrary& macros, GunLibrary& guns,
                           DataAccess access = DataAccess::ReadWrite);

// The first steps of LoadStartupData: Data.bin and the language file of
// its pick (or the system's). Alone, for a window that stops before the
// rest is loaded but still speaks the user's language.
void LoadStartupLanguage(StartupData& data, const StartupFolders& folders, uint16_t uiLanguageId,
                         LoadReport& report, DataAccess access);

// The process-wide instance the program runs on, and the names its parts use
// for its members.
extern StartupData g_StartupData;
inline ProfileList& g_vecProfile = g_StartupData.profiles;
inline ProfileData*& g_pCurProfile = g_StartupData.currentProfile;
inline ProfileData& g_DefaultProfile = g_StartupData.defaultProfile;
inline ProfileData& g_AppliedProfile = g_StartupData.appliedProfile;
