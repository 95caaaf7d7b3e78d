#include "app/CtlRequests.h"

#include "app/MainWnd.h"
#include "cli/VestrelCtl.h"
#include "model/NameField.h"

#include <QApplication>
#include <sstream>

CCtlRequests::CCtlRequests(CMainWnd& mainWnd, std::filesystem::path programFolder)
    : m_mainWnd(mainWnd), m_programFolder(std::move(programFolder))
{
}

CommandAnswer CCtlRequests::Run(const std::vector<std::string>& args)
{
    // A dialog edits the current profile or a library entry across its own
    // event loop; a command changing them meanwhile would pull the record
    // from under it.
    if (QApplication::activeModalWidget() != nullptr)
        return {kExitFailed,
                {},
                "vestrelctl: vestrel has a dialog open; close it and try again (nothing was "
                "changed)\n"};
    // The command saves at once, so the window's own saves go first: a
    // waiting one would otherwise land after it, with older bytes.
    m_mainWnd.FlushSaves();
    std::ostringstream out, err;
    CtlProgram program{
        {g_StartupData, g_vecMacro, g_vecGun}, *this, m_mainWnd.m_setup.folders.data};
    CommandAnswer answer;
    answer.exitCode = RunVestrelCtl(args, m_programFolder, out, err, &program);
    answer.out = out.str();
    answer.err = err.str();
    return answer;
}

void CCtlRequests::DataChanged(unsigned changes)
{
    if (changes & kProfilesChanged)
    {
        // The list is filled anew, so the next pick in it is taken as it comes.
        m_mainWnd.m_bProfileListChanged = false;
        m_mainWnd.FillProfileList();
        m_mainWnd.RefreshAfterProfileChange();
    }
    if (changes & kMacrosChanged)
        m_mainWnd.m_macroPage.LoadFolders();
    if (changes & kGunsChanged)
        m_mainWnd.m_gunPage.RefreshGunPage();
}

int CCtlRequests::Apply(const CtlContext& context)
{
    m_mainWnd.RefreshAfterProfileChange();
    m_mainWnd.FillProfileList();
    DeviceLink* link = m_mainWnd.GetDeviceLink();
    if (link == nullptr || link->State() != DeviceState::Present)
        return Complain(context, "apply",
                        UserText(context,
                                 MouseAccessTextKey(link ? link->Access() : MouseAccess::Absent),
                                 "no mouse is connected; nothing was sent"),
                        kExitFailed);
    m_mainWnd.RequestApply();
    // The answer waits for the mouse and the files, as vestrelctl's own
    // apply does. The device thread only posts to this one, so waiting here
    // cannot stall it; the window's own "apply done" then saves the same
    // bytes once more.
    link->WaitForApplies();
    const bool bSaved = SaveAppStateOf(context) && SaveProfilesOf(context);
    const std::string profile = std::to_string(g_StartupData.appState.iCurrentProfile) + ": " +
                                PrintableName(NameFromField(g_pCurProfile->szName));
    if (link->ApplyPending())
        return Complain(context, "apply",
                        "profile " + profile +
                            " did not reach the mouse whole; vestrel applies "
                            "it again when the mouse is back",
                        kExitFailed);
    if (!bSaved)
        return kExitFailed;
    context.out << "applied profile " << profile << "\n";
    return kExitDone;
}

MouseStatus CCtlRequests::Mouse()
{
    MouseStatus status;
    DeviceLink* link = m_mainWnd.GetDeviceLink();
    if (link == nullptr)
        return status;
    status.access = link->Access();
    if (status.access == MouseAccess::Reachable)
        status.firmware = link->MouseFirmware();
    return status;
}
