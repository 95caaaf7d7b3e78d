// vestrelctl apply [--profile N]: an apply as the Apply button does it. The
// program's start (loading, opening the mouse, the start-up exchange and the
// firmware check), the chosen profile made current, then the apply: pointer
// settings that differ from the applied snapshot, the reports, Data.bin and
// profile.bin. With the virtual mouse, what it holds afterwards is printed.

#include "app/LanguageChoice.h"
#include "app/StartupData.h"
#include "cli/CtlCommand.h"
#include "cli/CtlDriver.h"
#include "cli/ProfileChoice.h"
#include "device/DeviceLink.h"
#include "device/DeviceMessageQueue.h"
#include "device/VirtualMouseSummary.h"
#include "device/WindowlessLinkHost.h"
#include "model/NameField.h"
#include "platform/DesktopPointerBackend.h"

#include <memory>

namespace
{

// A command line has no windows: page updates have nowhere to go, messages
// are printed in the user's language, and the firmware prompt is declined,
// so the updater is never started from here.
class CtlLinkHost : public WindowlessLinkHost
{
public:
    CtlLinkHost(StartupData& data, const CtlContext& context)
        : WindowlessLinkHost(data.currentProfile), m_data(data), m_context(context)
    {
    }

    void SaveProfiles() override
    {
        m_report.Note(::SaveProfiles(m_context.dataFolder, m_data.profiles));
    }
    int ShowMessage(std::string_view, std::string_view textKey, MessageOwner, MessageKind) override
    {
        m_context.err << "vestrelctl: " << Utf16ToUtf8(m_data.language.GetText(textKey)) << "\n";
        return 0;
    }

    // Saves made for the mouse's own events that failed.
    const LoadReport& Report() const { return m_report; }

private:
    StartupData& m_data;
    const CtlContext& m_context;
    LoadReport m_report;
};

} // namespace

int RunApply(const CtlContext& context, std::span<const std::string> args)
{
    const std::optional<int> choice = ParseProfileOption(context, "apply", args);
    if (!choice)
        return kExitUsage;
    if (context.host != nullptr)
    {
        // The running program applies, as its Apply button does.
        StartupData& startup = context.data->startup;
        if (*choice >= static_cast<int>(startup.profiles.size()))
            return Complain(context, "apply", "there is no profile " + std::to_string(*choice),
                            kExitFailed);
        if (*choice >= 0)
        {
            startup.appState.iCurrentProfile = *choice;
            startup.currentProfile = startup.profiles[*choice].get();
        }
        return context.host->Apply(context);
    }
    auto data = std::make_unique<StartupData>();
    MacroLibrary macros;
    GunLibrary guns;
    // Damaged files are set aside and told; the apply goes on with the rest.
    const bool bLoaded =
        ReportLoad(context, LoadStartupData(*data, {context.programFolder, context.dataFolder},
                                            LanguageIdFromEnvironment(), macros, guns));
    if (*choice >= static_cast<int>(data->profiles.size()))
    {
        context.err << "vestrelctl: apply: there is no profile " << *choice << "\n";
        return 1;
    }
    if (*choice >= 0)
    {
        // As picking it in the profile list: current, but not the applied snapshot.
        data->appState.iCurrentProfile = *choice;
        data->currentProfile = data->profiles[*choice].get();
    }

    const CtlDriver driver(context, data->description);

    CtlLinkHost host(*data, context);
    DeviceMessageQueue messages; // the mouse's own events are not followed here
    const auto pointer = MakeDesktopPointerBackend();
    bool present = false;
    {
        DeviceLink link(data->description, context.programFolder, host, messages, *pointer,
                        [&] { return driver.Bind(); });
        link.SetAppliedSnapshot(data->appliedProfile);
        // An apply cut short leaves its note for the program to finish.
        link.SetApplyNote(context.dataFolder / kApplyNoteFile);
        link.StartDeviceLink();
        present = link.State() == DeviceState::Present;
        link.RequestApply();
        link.WaitForApplies();
    }
    // The desktop's pointer settings are the profile's too: a refused one is told.
    for (const PointerFailure& failure : pointer->TakeFailures())
        context.err << "vestrelctl: " << pointer->DesktopName()
                    << " did not take a pointer setting: " << failure.reason << "\n";
    const bool bSaved = ReportLoad(context, host.Report()) &&
                        ReportSave(context, SaveAppState(context.dataFolder, data->appState)) &&
                        ReportSave(context, SaveProfiles(context.dataFolder, data->profiles));

    const std::string profile = std::to_string(data->appState.iCurrentProfile) + ": " +
                                PrintableName(NameFromField(data->currentProfile->szName));
    // Only what reached the files is "applied".
    if (bSaved)
        context.out << "applied profile " << profile << "\n";
    if (driver.Name() == "virtual")
        for (const std::string& line :
             DescribeVirtualMouse(driver.Mouse().State(), driver.Mouse().Sensor()))
            context.out << "  " << line << "\n";
    if (!bSaved)
    {
        context.err << "vestrelctl: profile " << profile
                    << (present ? " was sent to the mouse" : " was not sent (no mouse found)")
                    << " but not saved\n";
        return 1;
    }
    if (!present)
    {
        const MouseAccess access = driver.Access();
        if (access == MouseAccess::NoPermission)
            context.err << "vestrelctl: "
                        << Utf16ToUtf8(data->language.GetText(MouseAccessTextKey(access)))
                        << "\nvestrelctl: the profile was saved but not sent\n";
        else
            context.err << "vestrelctl: "
                        << UserText(context, "apply_no_mouse_text",
                                    "no mouse found; the profile was saved but not sent")
                        << "\n";
        return 1;
    }
    return bLoaded ? 0 : 1;
}
