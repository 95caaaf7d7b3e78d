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

#include "app/DeviceDescription.h"
#include "app/LanguageChoice.h"
#include "app/LanguageFile.h"
#include "cli/CtlCommand.h"
#include "cli/JsonWriter.h"
#include "device/BindDriver.h"
#include "device/DriverApi.h"
#include "device/MouseAccess.h"
#include "device/Pause.h"
#include "device/TransferProtocol.h"
#include "device/VirtualDriver.h"
#include "device/VirtualMouse.h"
#include "model/NameField.h"
#include "model/SettingsFiles.h"
#ifndef _WIN32
#include "device/HidrawDriver.h"
#endif

#include <memory>
#include <optional>

namespace
{

enum class MouseState
{
    Absent,
    NoPermission,
    Present,
};

MouseState StateFromDriver(bool bOpened, MouseAccess access)
{
    if (bOpened)
        return MouseState::Present;
    return access == MouseAccess::NoPermission ? MouseState::NoPermission : MouseState::Absent;
}

const char* StateName(MouseState state)
{
    switch (state)
    {
    case MouseState::Present:
        return "present";
    case MouseState::NoPermission:
        return "no-permission";
    case MouseState::Absent:
        break;
    }
    return "absent";
}

// The window's text for a mouse that cannot be reached, in the language the
// user chose there; reading Data.bin writes nothing.
std::string UnreachableText(const CtlContext& context, MouseAccess access)
{
    LoadReport report;
    const AppState state = LoadAppState(context.dataFolder, report, DataAccess::ReadOnly);
    LanguageFile language;
    language.Load(context.programFolder / "res" /
                  LanguageFileName(ChooseLanguageIndex(state.iLanguage, LanguageIdFromEnvironment())));
    const std::u16string text = language.GetText(MouseAccessTextKey(access));
    return text.empty() ? std::string("no mouse found") : Utf16ToUtf8(text);
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
    const DeviceDescription description = ReadDeviceDescription(context.programFolder);
    auto mouse = std::make_shared<VirtualMouse>(description);
    DriverFactories factories;
#ifndef _WIN32
    factories.hidraw = MakeHidrawDriver;
    factories.hidrawAccess = ProbeHidrawMouse;
#endif
    factories.virtualMouse = [mouse] { return MakeVirtualDriver(mouse); };
    const std::string driverName =
        context.driver.empty() ? DriverNameFromEnvironment() : context.driver;
    const DriverApi driver = BindDriver(context.programFolder, driverName, factories);

    if (driver.Set_VIDPID)
        driver.Set_VIDPID(description.m_iVID, description.m_iPID);
    if (driver.Open_FeatureDevice)
        driver.Open_FeatureDevice();
    const bool bOpened = driver.Open_ReportDevice && driver.Open_ReportDevice() != 0;
    const MouseAccess access =
        bOpened ? MouseAccess::Reachable
                : ProbeMouseAccess(driverName, factories, description.m_iVID, description.m_iPID);
    const MouseState state = StateFromDriver(bOpened, access);
    std::optional<FirmwareVersion> firmware;
    if (bOpened)
    {
        const SleepFunction sleep = SleepMilliseconds;
        TransferProtocol protocol(driver, description, sleep);
        if (protocol.SendFirmwareVersionRequest() != 0)
            firmware = protocol.ReadFirmwareVersion();
    }
    if (driver.Close_ReportDevice)
        driver.Close_ReportDevice();
    if (driver.Close_FeatureDevice)
        driver.Close_FeatureDevice();

    const std::string expected = VersionText(description.m_iVer_H, description.m_iVer_L);
    const std::string read =
        firmware ? VersionText(firmware->byHigh, firmware->byLow) : std::string();
    if (bJson)
    {
        JsonWriter json(context.out);
        json.BeginObject();
        json.Key("mouse").String(StateName(state));
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
        context.out << "mouse=" << StateName(state) << "\n"
                    << "firmware=" << (firmware ? read : "unknown") << "\n"
                    << "expected=" << expected << "\n";
    if (state != MouseState::Present)
    {
        context.err << "vestrelctl: status: "
                    << UnreachableText(context, state == MouseState::NoPermission
                                                    ? MouseAccess::NoPermission
                                                    : MouseAccess::Absent)
                    << "\n";
        return kExitFailed;
    }
    return kExitDone;
}
