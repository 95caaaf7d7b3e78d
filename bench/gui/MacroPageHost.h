#pragma once
// The macro tab alone in a window of its own, built from the shipped skin in
// a throw-away program folder, for the benchmarks of the macro page.

#include "app/ProgramPaths.h"
#include "macros/MacroPage.h"
#include "model/BackgroundSave.h"
#include "platform/HookLibrary.h"
#include "ui/PaintManagerUI.h"
#include "ui/ResourceManager.h"
#include "ui/WindowImplBase.h"

#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <filesystem>

inline QApplication& BenchApp()
{
    static int argc = 1;
    static char name[] = "vestrel_bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Kept to the end of the process: destroyed among the exit handlers it
    // would outlive the platform plugin's own input devices.
    static auto* app = new QApplication(argc, argv);
    return *app;
}

// Forwards the hook's messages as the main window does.
class MacroPageHost : public WindowImplBase
{
public:
    // The page saves on a thread of its own, as in the program.
    BackgroundSave saves{[](const SaveResult&) {}};
    CMacroPage page{saves};

    // The program folder is this executable's; the data folder goes to dir/Data.
    void Open(const std::filesystem::path& dir)
    {
        BenchApp();
        const std::filesystem::path program =
            std::filesystem::read_symlink("/proc/self/exe").parent_path();
        std::filesystem::create_directories(dir / "Data");
        SetProgramFolders({program, dir / "Data"});
        CPaintManagerUI::SetResourcePath(QString::fromStdString((program / "res").string()));
        CResourceManager::GetInstance()->LoadLanguage("Language/EN.xml");
        const std::filesystem::path skin = dir / "macro_page_bench.xml";
        m_skin = QString::fromStdString(skin.string());
        if (FILE* f = std::fopen(skin.c_str(), "w"))
        {
            std::fputs(R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="800,572"><VerticalLayout style="window">
<Include source="macro.xml" virtualwnd="MacroPage" height="420"/>
</VerticalLayout></Window>)",
                       f);
            std::fclose(f);
        }
        Create(nullptr, QStringLiteral("bench"), WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW, 0, 0, 800,
               572);
        page.SetPaintManager(GetPaintManager(), GetHWND());
        AddVirtualWnd(QStringLiteral("MacroPage"), &page);
        page.Init();
        page.LoadFolders();
    }

    // Closes the window and drops the data of the run, its folder too.
    void Close(const std::filesystem::path& dir)
    {
        saves.Flush();
        WindowImplBase::Close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        g_vecMacro.clear();
        g_pCurProfile = nullptr;
        g_vecProfile.clear();
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }

    CControlUI* Find(const char* name)
    {
        return GetPaintManager()->FindControl(QString::fromLatin1(name));
    }

protected:
    QString GetWindowClassName() const override { return QStringLiteral("MacroPageBench"); }
    QString GetSkinFile() override { return m_skin; }
    LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override
    {
        if (uMsg == WM_HOOK_KEYBOARD || uMsg == WM_HOOK_MOUSEBUTTON)
            page.OnHookEvent(wParam, lParam);
        return WindowImplBase::HandleCustomMessage(uMsg, wParam, lParam, bHandled);
    }

private:
    QString m_skin; // an absolute path, outside the shipped res/
};
