#include "model/SettingsFiles.h"

#include "model/NameField.h"
#include "model/ProfileDefaults.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace fs = std::filesystem;

int EnsureDataFolder(const fs::path& dataFolder)
{
    return EnsureDirectory(dataFolder);
}

SaveResult SaveAppState(const fs::path& dataFolder, const AppState& state)
{
    if (const int error = EnsureDataFolder(dataFolder))
        return {dataFolder / kAppStateFile, error};
    return WriteFileAtomically(dataFolder / kAppStateFile, RecordBytes(state));
}

AppState LoadAppState(const fs::path& dataFolder, LoadReport& report, DataAccess access)
{
    const DataFileRead read =
        ReadDataFile(dataFolder / kAppStateFile, {sizeof(AppState), 1, 1}, access, report);
    AppState state{0, -1};
    if (read.bytes)
    {
        state = {0, 0};
        std::memcpy(&state, read.bytes->data(), std::min(read.bytes->size(), sizeof state));
    }
    if (access == DataAccess::ReadWrite && (!read.bytes || read.bSetAside))
        report.Note(SaveAppState(dataFolder, state));
    return state;
}

SaveResult SaveProfiles(const fs::path& dataFolder, const ProfileList& profiles)
{
    if (const int error = EnsureDataFolder(dataFolder))
        return {dataFolder / kProfilesFile, error};
    return WritePiecesAtomically(dataFolder / kProfilesFile, RecordPieces(profiles));
}

LoadReport LoadProfiles(ProfileList& profiles, const fs::path& dataFolder, int sensor,
                        std::u16string_view profileText, DataAccess access)
{
    profiles.clear();
    LoadReport report;
    const DataFileRead read = ReadDataFile(dataFolder / kProfilesFile,
                                           {sizeof(ProfileData), kMaxProfiles}, access, report);
    if (!read.bytes)
    {
        report.Note(CreateDefaultProfile(profiles, dataFolder, sensor, profileText, access));
        return report;
    }
    // A partial record at the end is dropped: its missing bytes are undefined.
    AppendRecordsInPlace(*read.bytes, profiles);
    if (read.bSetAside)
        report.Note(SaveProfiles(dataFolder, profiles));
    return report;
}

bool ProfileNameExists(const ProfileList& profiles, std::u16string_view name)
{
    return std::any_of(profiles.begin(), profiles.end(),
                       [&](const auto& p)
                       { return NamesEqualNoCase(NameFromField(p->szName), name); });
}

std::u16string MakeFreeProfileName(const ProfileList& profiles, std::u16string_view base)
{
    return MakeFreeName(base, [&](const std::u16string& name)
                        { return ProfileNameExists(profiles, name); });
}

SaveResult CreateDefaultProfile(ProfileList& profiles, const fs::path& dataFolder, int sensor,
                                std::u16string_view profileText, DataAccess access)
{
    std::string number = std::to_string(profiles.size() + 1);
    std::u16string base(profileText);
    base.append(number.begin(), number.end());

    auto record = std::make_unique<ProfileData>();
    ApplyProfileDefaults(*record, sensor);
    SetNameField(record->szName, MakeFreeProfileName(profiles, base));
    profiles.push_back(std::move(record));
    if (access == DataAccess::ReadOnly)
        return {};
    return SaveProfiles(dataFolder, profiles);
}
