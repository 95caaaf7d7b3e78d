#include "model/SettingsFiles.h"

#include "model/AtomicFile.h"
#include "model/NameField.h"
#include "model/ProfileDefaults.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace fs = std::filesystem;

namespace
{

using FileHandle = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

FileHandle OpenForReading(const fs::path& file)
{
    // Only a regular file: a directory or a device is no settings file.
    std::error_code ec;
    if (!fs::is_regular_file(file, ec))
        return {nullptr, &std::fclose};
    return {std::fopen(file.string().c_str(), "rb"), &std::fclose};
}

} // namespace

void EnsureDataFolder(const fs::path& dataFolder)
{
    EnsureDirectory(dataFolder);
}

bool SaveAppState(const fs::path& dataFolder, const AppState& state)
{
    EnsureDataFolder(dataFolder);
    return WriteFileAtomically(dataFolder / kAppStateFile, RecordBytes(state));
}

AppState LoadAppState(const fs::path& dataFolder)
{
    AppState state{0, -1};
    FileHandle f = OpenForReading(dataFolder / kAppStateFile);
    if (!f)
    {
        SaveAppState(dataFolder, state);
        return state;
    }
    state = {0, 0};
    std::fread(&state, 1, sizeof state, f.get());
    return state;
}

bool SaveProfiles(const fs::path& dataFolder, const ProfileList& profiles)
{
    EnsureDataFolder(dataFolder);
    std::vector<std::span<const std::byte>> records;
    records.reserve(profiles.size());
    for (const auto& record : profiles)
        records.push_back(RecordBytes(*record));
    return WritePiecesAtomically(dataFolder / kProfilesFile, records);
}

void LoadProfiles(ProfileList& profiles, const fs::path& dataFolder, int sensor,
                  std::u16string_view profileText)
{
    profiles.clear();
    FileHandle f = OpenForReading(dataFolder / kProfilesFile);
    if (!f)
    {
        CreateDefaultProfile(profiles, dataFolder, sensor, profileText);
        return;
    }
    // Whole records go straight from the file into their memory, with no
    // stdio buffer in between.
    std::setvbuf(f.get(), nullptr, _IONBF, 0);
    for (;;)
    {
        // Read straight into the record; one that the file cannot fill is dropped.
        std::unique_ptr<ProfileData> record(new ProfileData);
        if (std::fread(record.get(), 1, sizeof(ProfileData), f.get()) != sizeof(ProfileData))
            break;
        profiles.push_back(std::move(record));
    }
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

void CreateDefaultProfile(ProfileList& profiles, const fs::path& dataFolder, int sensor,
                          std::u16string_view profileText)
{
    std::string number = std::to_string(profiles.size() + 1);
    std::u16string base(profileText);
    base.append(number.begin(), number.end());

    auto record = std::make_unique<ProfileData>();
    ApplyProfileDefaults(*record, sensor);
    SetNameField(record->szName, MakeFreeProfileName(profiles, base));
    profiles.push_back(std::move(record));
    SaveProfiles(dataFolder, profiles);
}
