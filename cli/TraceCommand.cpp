// vestrelctl trace [--profile N]: the reports and pauses an apply of the
// current (or N-th) profile sends, run against the virtual mouse, one line
// per driver call or pause. The settings files are only read: nothing is
// created or written, and no pointer setting is touched.

#include "app/DeviceDescription.h"
#include "cli/CtlCommand.h"
#include "cli/ProfileChoice.h"
#include "device/DriverTrace.h"
#include "device/TransferProtocol.h"
#include "device/VirtualDriver.h"
#include "device/VirtualMouse.h"
#include "model/AtomicFile.h"
#include "model/ProfileDefaults.h"
#include "model/SettingsFiles.h"

#include <cstring>
#include <memory>

namespace
{

// The records of profile.bin; on a first start (no file, or an empty one)
// the factory profile the program would create.
ProfileList ReadStoredProfiles(const std::filesystem::path& dataFolder, int sensor)
{
    ProfileList profiles;
    if (const auto bytes = ReadWholeFile(dataFolder / kProfilesFile))
    {
        for (std::size_t at = 0; at + sizeof(ProfileData) <= bytes->size();
             at += sizeof(ProfileData))
        {
            auto record = std::make_unique<ProfileData>();
            std::memcpy(record.get(), bytes->data() + at, sizeof(ProfileData));
            profiles.push_back(std::move(record));
        }
    }
    if (profiles.empty())
    {
        profiles.push_back(std::make_unique<ProfileData>());
        ApplyProfileDefaults(*profiles.back(), sensor);
    }
    return profiles;
}

// The current profile of Data.bin; 0 without one, or when it is out of range.
std::size_t StoredCurrentProfile(const std::filesystem::path& dataFolder, std::size_t count)
{
    AppState state{0, -1};
    if (const auto bytes = ReadWholeFile(dataFolder / kAppStateFile))
        std::memcpy(&state, bytes->data(), std::min(bytes->size(), sizeof state));
    return state.iCurrentProfile >= 0 && static_cast<std::size_t>(state.iCurrentProfile) < count
               ? state.iCurrentProfile
               : 0;
}

} // namespace

int RunTrace(const CtlContext& context, std::span<const std::string> args)
{
    const std::optional<int> choice = ParseProfileOption(context, "trace", args);
    if (!choice)
        return 2;
    const DeviceDescription description = ReadDeviceDescription(context.programFolder);
    const ProfileList profiles = ReadStoredProfiles(context.dataFolder, description.m_iSensor);
    if (*choice >= static_cast<int>(profiles.size()))
    {
        context.err << "vestrelctl: trace: there is no profile " << *choice << "\n";
        return 1;
    }
    const std::size_t index =
        *choice >= 0 ? *choice : StoredCurrentProfile(context.dataFolder, profiles.size());

    auto mouse = std::make_shared<VirtualMouse>(description);
    DriverTrace trace(MakeVirtualDriver(mouse));
    const DriverApi& driver = trace.Api();
    driver.Set_VIDPID(description.m_iVID, description.m_iPID);
    driver.Open_FeatureDevice();
    driver.Open_ReportDevice();
    TransferProtocol(driver, description, trace.Sleeper()).SendProfile(*profiles[index]);
    for (const std::string& line : trace.Lines())
        context.out << line << "\n";
    return 0;
}
