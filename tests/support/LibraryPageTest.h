#pragma once
// What the macro and gun page tests share: a window built from the page's
// skin, the program folders, the fake desktop, message boxes answered with
// `answer` and their keys noted in `asked` (their shown texts in `shown`), and the
// WM_REFRESH_BUTTONS count. The page saves through `saves`, as in the
// program; Flushed() waits for those saves before a test reads the files.

#include "app/MainWnd.h"
#include "app/MsgWnd.h"
#include "app/ProgramPaths.h"
#include "app/StartupData.h"
#include "model/BackgroundSave.h"
#include "tests/support/FakeDesktop.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/ControlUI.h"
#include "ui/PaintManagerUI.h"
#include "ui/ResourceManager.h"

#include <vector>

class LibraryPageTest : public UiTest
{
protected:
    LibraryPageTest(const char* skinName, const char* skin) : main(skinName)
    {
        CResourceManager::GetInstance()->LoadLanguage("Language/EN.xml");
        WriteRes(skinName, skin);
        SetProgramFolders({m_folder.Path(), m_folder.DataDir()});
        SetDesktopServices(&desktop);
        CMsgWnd::SetAnswerHook(
            [this](const QString&, const QString& msg) -> UINT
            {
                asked.push_back(msg);
                // The dialog runs now: its text as the user reads it.
                shown.push_back(CPaintManagerUI::GetPaintManagers()
                                    .back()
                                    ->FindControl("label_string")
                                    ->GetText());
                return answer;
            });
    }
    ~LibraryPageTest() override
    {
        CMsgWnd::SetAnswerHook({});
        SetDesktopServices(nullptr);
        g_pCurProfile = nullptr;
        g_vecProfile.clear();
    }

    int RefreshMessages() const
    {
        int n = 0;
        for (const SeenMessage& m : main.messages)
            n += m.msg == WM_REFRESH_BUTTONS ? 1 : 0;
        return n;
    }

    std::filesystem::path Flushed() const
    {
        saves.Flush();
        return m_folder.DataDir();
    }

    TestWnd main;
    mutable BackgroundSave saves{[](const SaveResult&) {}};
    FakeDesktop desktop;
    std::vector<QString> asked;
    std::vector<QString> shown;
    UINT answer = 1;
};
