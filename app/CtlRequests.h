#pragma once
// vestrelctl's commands, carried out by the running program: they work on
// the program's own profiles and libraries through the same command code
// vestrelctl runs, and the window then shows what changed.

#include "cli/CtlCommand.h"
#include "platform/InstanceChannel.h"

#include <filesystem>
#include <string>
#include <vector>

class CMainWnd;

class CCtlRequests : public CtlHost
{
public:
    CCtlRequests(CMainWnd& mainWnd, std::filesystem::path programFolder);

    // A command line from the single-instance channel.
    CommandAnswer Run(const std::vector<std::string>& args);

    // CtlHost
    void DataChanged(unsigned changes) override;
    int Apply(const CtlContext& context) override;
    MouseStatus Mouse() override;

private:
    CMainWnd& m_mainWnd;
    std::filesystem::path m_programFolder;
};
