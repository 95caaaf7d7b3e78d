// vestrelctl status [--json]: whether the mouse is there and the firmware it
// reports, next to the version the device description expects.
//
//   mouse=present|absent|no-permission
//   firmware=H.L            (read from the mouse; "unknown" when it did not answer)
//   expected=H.L            (Ver_H.Ver_L of Data.ini)
//
// --json: {"mouse": "present", "firmware": "1.2" or null, "expected": "1.2"}.
// The exit code is 1 when the mouse cannot be reached; a mouse this user may
// not open is told with the program's own advice, in the user's language.
// While vestrel runs, its link answers: the mouse is never opened twice.

#include "app/DeviceDescription.h"
#include "app/StartupData.h"
#include "cli/CtlCommand.h"
#include "cli/CtlDriver.h"
#include "cli/JsonWriter.h"
#include "device/DriverApi.h"
#include "device/FirmwareCheck.h"
#include "device/Pause.h"
#include "device/TransferProtocol.h"

namespace
{

const char* StateName(MouseAccess access)
{
    switch (access)
    {
    case MouseAccess::Reachable:
        return "present";
    case MouseAccess::NoPermission:
        return "no-permission";
    case MouseAccess::Absent:
        break;
    }
    return "absent";
}

// Opens the mouse on vestrelctl's own driver, asks for its firmware and
// closes it again.
MouseStatus AskMouse(const CtlContext& context, const DeviceDescription& description)
{
    const CtlDriver ctlDriver(context, description);
    const DriverApi driver = ctlDriver.Bind();
    CallDriver(driver.Set_VIDPID, description.m_iVID, description.m_iPID);
    CallDriver(driver.Open_FeatureDevice);
    MouseStatus status;
    if (CallDriver(driver.Open_ReportDevice) != 0)
    {
        status.access = MouseAccess::Reachable;
        const SleepFunction sleep = SleepMilliseconds;
        TransferProtocol protocol(driver, description, sleep);
        status.firmware = QueryFirmwareVersion(protocol, description);
    }
    else
        status.access = ctlDriver.Access();
    CallDriver(driver.Close_ReportDevice);
    CallDriver(driver.Close_FeatureDevice);
    return status;
}

std::string VersionText(int high, int low)
{
    return std::to_string(high) + "." + std::to_string(low);
}

} // namespace

int RunStatus(const CtlContext& context, std::span<const std::string> args)
{
    const bool bJson = args.size() == 1 && args[0] == "--json";
    if (!args.empty() && !bJson)
        return Complain(context, "status", "takes only --json", kExitUsage);
    const DeviceDescription description = context.data != nullptr
                                              ? context.data->startup.description
                                              : ReadDeviceDescription(context.programFolder);
    const MouseStatus status =
        context.host != nullptr ? context.host->Mouse() : AskMouse(context, description);

    const std::string expected = VersionText(description.m_iVer_H, description.m_iVer_L);
    const std::optional<FirmwareVersion>& firmware = status.firmware;
    const std::string read =
        firmware ? VersionText(firmware->byHigh, firmware->byLow) : std::string();
    if (bJson)
    {
        JsonWriter json(context.out);
        json.BeginObject();
        json.Key("mouse").String(StateName(status.access));
        json.Key("firmware");
        if (firmware)
            json.String(read);
        else
            json.Null();
        json.Key("expected").String(expected);
        json.EndObject();
        context.out << "\n";
    }
    else
        context.out << "mouse=" << StateName(status.access) << "\n"
                    << "firmware=" << (firmware ? read : "unknown") << "\n"
                    << "expected=" << expected << "\n";
    if (status.access != MouseAccess::Reachable)
        return Complain(context, "status",
                        UserText(context, MouseAccessTextKey(status.access), "no mouse found"),
                        kExitFailed);
    return kExitDone;
}
