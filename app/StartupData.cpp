#include "app/StartupData.h"

#include "app/LanguageChoice.h"

StartupData g_StartupData;

void LoadStartupLanguage(StartupData& data, const StartupFolders& folders, uint16_t uiLanguageId,
                         LoadReport& report, DataAccess access)
{
    data.appState = LoadAppState(folders.data, report, access);
    // The pick is remembered in memory only; Data.bin keeps -1 until it is next saved.
    data.appState.iLanguage = ChooseLanguageIndex(data.appState.iLanguage, uiLanguageId);
    data.language.Load(folders.program / "res" / LanguageFileName(data.appState.iLanguage));
}

LoadReport LoadStartupData(StartupData& data, const StartupFolders& folders, uint16_t uiLanguageId,
                           MacroLibrary& macros, GunLibrary& guns, DataAccess access)
{
    LoadReport report;
    if (access == DataAccess::ReadWrite)
        for (const char* file : {kAppStateFile, kProfilesFile, kMacroFileName, kGunFileName})
            RemoveStaleTemporaries(folders.data / file);
    ReadDeviceDescription(data.description, folders.program, folders.data, data.defaultProfile);

    LoadStartupLanguage(data, folders, uiLanguageId, report, access);

    std::u16string profileText = data.language.GetText("profile_text");
    const int sensor = data.description.m_iSensor;
    report.Append(LoadProfiles(data.profiles, folders.data, sensor, profileText, access));
    // An empty profile.bin would leave nothing to edit; start with a generated profile.
    if (data.profiles.empty())
        report.Note(CreateDefaultProfile(data.profiles, folders.data, sensor, profileText, access));
    report.Append(LoadMacroLibrary(macros, folders.data, access));
    report.Append(LoadGunLibrary(guns, folders.data, access));

    int32_t& index = data.appState.iCurrentProfile;
    if (index < 0 || static_cast<std::size_t>(index) >= data.profiles.size())
        index = 0;
    data.currentProfile = data.profiles[index].get();
    data.appliedProfile = *data.currentProfile;
    return report;
}
