#include "app/StartupData.h"

#include "app/LanguageChoice.h"

StartupData g_StartupData;

void LoadStartupData(StartupData& data, const StartupFolders& folders, uint16_t uiLanguageId,
                     MacroLibrary& macros, GunLibrary& guns)
{
    ReadDeviceDescription(data.description, folders.program, folders.data, data.defaultProfile);

    data.appState = LoadAppState(folders.data);
    // The pick is remembered in memory only; Data.bin keeps -1 until it is next saved.
    data.appState.iLanguage = ChooseLanguageIndex(data.appState.iLanguage, uiLanguageId);
    data.language.Load(folders.program / "res" / LanguageFileName(data.appState.iLanguage));

    std::u16string profileText = data.language.GetText("profile_text");
    LoadProfiles(data.profiles, folders.data, data.description.m_iSensor, profileText);
    // An empty profile.bin would leave nothing to edit; start with a generated profile.
    if (data.profiles.empty())
        CreateDefaultProfile(data.profiles, folders.data, data.description.m_iSensor, profileText);
    LoadMacroLibrary(macros, folders.data);
    LoadGunLibrary(guns, folders.data);

    int32_t& index = data.appState.iCurrentProfile;
    if (index < 0 || static_cast<std::size_t>(index) >= data.profiles.size())
        index = 0;
    data.currentProfile = data.profiles[index].get();
    data.appliedProfile = *data.currentProfile;
}
