// vestrelctl trace [--profile N]: the reports and pauses an apply of the
// current (or N-th) profile sends, run against the virtual mouse, one line
// per driver call or pause. The settings files are only read: nothing is
// created or written, and no pointer setting is touched.

#include "app/StartupData.h"
#include "cli/CtlCommand.h"
#include "cli/ProfileChoice.h"
#include "device/DriverTrace.h"
#include "device/TransferProtocol.h"
#include "device/VirtualDriver.h"
#include "device/VirtualMouse.h"

#include <memory>

int RunTrace(const CtlContext& context, std::span<const std::string> args)
{
    const std::optional<int> choice = ParseProfileOption(context, "trace", args);
    if (!choice)
        return 2;
    auto data = std::make_unique<StartupData>();
    const bool bLoaded = LoadForReading(context, *data);
    if (*choice >= static_cast<int>(data->profiles.size()))
    {
        context.err << "vestrelctl: trace: there is no profile " << *choice << "\n";
        return 1;
    }
    const ProfileData& profile = *choice >= 0 ? *data->profiles[*choice] : *data->currentProfile;

    const DeviceDescription& description = data->description;
    auto mouse = std::make_shared<VirtualMouse>(description);
    DriverTrace trace(MakeVirtualDriver(mouse));
    const DriverApi& driver = trace.Api();
    driver.Set_VIDPID(description.m_iVID, description.m_iPID);
    driver.Open_FeatureDevice();
    driver.Open_ReportDevice();
    TransferProtocol(driver, description, trace.Sleeper()).SendProfile(profile);
    for (const std::string& line : trace.Lines())
        context.out << line << "\n";
    return bLoaded ? 0 : 1;
}
