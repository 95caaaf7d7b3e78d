#include "app/ProgramPaths.h"

namespace
{
StartupFolders g_folders;
}

const StartupFolders& ProgramFolders()
{
    return g_folders;
}

void SetProgramFolders(StartupFolders folders)
{
    g_folders = std::move(folders);
}
