#include "platform/ProgramFolder.h"

#include <cstdlib>
#include <unistd.h>

std::filesystem::path RunningProgramFolder()
{
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return std::filesystem::current_path(ec);
    return exe.parent_path();
}

std::filesystem::path ChooseDataFolder(const std::filesystem::path& programFolder,
                                       const char* xdgDataHome, const char* home)
{
    if (::access(programFolder.c_str(), W_OK) == 0)
        return programFolder / "Data";
    std::filesystem::path base;
    if (xdgDataHome != nullptr && *xdgDataHome == '/')
        base = xdgDataHome;
    else if (home != nullptr && *home != '\0')
        base = std::filesystem::path(home) / ".local" / "share";
    else
        return programFolder / "Data"; // nowhere else to go; writes will fail quietly
    return base / "vestrel" / "Data";
}

std::filesystem::path DataFolderFor(const std::filesystem::path& programFolder)
{
    return ChooseDataFolder(programFolder, std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}
