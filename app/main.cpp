// vestrel: one copy per user, the main window, and, with the virtual driver,
// the virtual mouse's panel beside it.

#include "app/CtlRequests.h"
#include "app/FontWarmUp.h"
#include "app/LanguageChoice.h"
#include "app/MainWnd.h"
#include "app/QtTranslations.h"
#include "app/StartupData.h"
#include "app/TerminationSignals.h"
#include "app/VirtualMousePanel.h"
#include "device/BindDriver.h"
#include "device/HidrawDriver.h"
#include "device/VirtualDriver.h"
#include "device/VirtualMouse.h"
#include "model/DebugTrace.h"
#include "platform/DesktopPointerBackend.h"
#include "platform/ProgramFolder.h"
#include "platform/SingleInstance.h"
#include "ui/PaintManagerUI.h"
#include "ui/ResourceManager.h"

#include <QApplication>
#include <memory>

namespace
{

// The Windows style the window is made with; only WS_VISIBLE and WS_POPUP matter here.
constexpr DWORD kMainWindowStyle =
    WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU;

int CommandLineLength(int argc, char** argv)
{
    int length = 0;
    for (int i = 1; i < argc; ++i)
        length += static_cast<int>(QString::fromLocal8Bit(argv[i]).size()) + (i > 1 ? 1 : 0);
    return length;
}

// --tray (or --hidden), as the autostart entry starts it: only the tray icon
// shows until the user opens the window from it.
bool StartsInTray(const QStringList& arguments)
{
    return arguments.contains(QStringLiteral("--tray")) ||
           arguments.contains(QStringLiteral("--hidden"));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const FontWarmUp fonts;
    const bool inTray = StartsInTray(QApplication::arguments());

    SingleInstance instance(QString::fromLatin1(kInstanceName));
    if (!instance.TryLock())
    {
        if (!inTray) // a copy already runs, so it is in the tray already
            instance.AskFirstToShow();
        return 1;
    }
    const TerminationSignals termination([] { ::PostQuitMessage(0); });
    DebugTrace("ilen = %d\r\n", CommandLineLength(argc, argv));

    CPaintManagerUI::SetInstance(nullptr);
    CPaintManagerUI::SetResourceType(1);
    CPaintManagerUI::SetResourcePath(CPaintManagerUI::GetInstancePath() + QStringLiteral("res/"));
    CResourceManager::GetInstance()->LoadResource(QStringLiteral("main.xml"));

    const std::filesystem::path program = RunningProgramFolder();
    const std::string driverName = DriverNameFromEnvironment();
    std::shared_ptr<VirtualMouse> virtualMouse;
    const DriverFactories factories{MakeHidrawDriver,
                                    [&virtualMouse]
                                    {
                                        // Made when the link binds, after Data.ini was read.
                                        virtualMouse = std::make_shared<VirtualMouse>(
                                            g_StartupData.description);
                                        return MakeVirtualDriver(virtualMouse);
                                    },
                                    ProbeHidrawMouse};
    const std::unique_ptr<PointerSettingsBackend> pointer = MakeDesktopPointerBackend();

    MainWndSetup setup;
    setup.folders = {program, DataFolderFor(program)};
    setup.bindDriver = [program, driverName, &factories]
    { return BindDriver(program, driverName, factories); };
    setup.probeAccess = [driverName, &factories](uint32_t vid, uint32_t pid)
    { return ProbeMouseAccess(driverName, factories, vid, pid); };
    setup.pointer = pointer.get();
    setup.uiLanguageId = LanguageIdFromEnvironment();

    auto* mainWnd = new CMainWnd(std::move(setup));
    CCtlRequests ctlRequests(*mainWnd, program);
    std::unique_ptr<CVirtualMousePanel> panel;
    if (mainWnd->Create(nullptr, QString(), kMainWindowStyle, 0, 0, 0, 800, 572) != nullptr)
    {
        // The language is known once the window has read Data.bin.
        LoadQtTranslations(g_StartupData.appState.iLanguage);
        mainWnd->CenterWindow();
        if (inTray)
            mainWnd->HideMainWindow();
        instance.Listen([mainWnd] { ::SendMessage(mainWnd->GetHWND(), WM_SHOW_MAIN_WINDOW); });
        instance.SetCommandHandler([&ctlRequests](const std::vector<std::string>& args)
                                   { return ctlRequests.Run(args); });
        if (virtualMouse)
        {
            panel = std::make_unique<CVirtualMousePanel>(virtualMouse);
            if (panel->Create(nullptr, QStringLiteral("Vestrel virtual mouse"),
                              WS_POPUP | WS_VISIBLE, 0) != nullptr)
                panel->PlaceBeside(mainWnd->GetHWND());
        }
    }

    const int exitCode = CPaintManagerUI::MessageLoop();

    if (panel && ::IsWindow(panel->GetHWND()))
        panel->DestroyWindow();
    panel.reset();
    delete mainWnd;
    CPaintManagerUI::Term();
    return exitCode;
}
