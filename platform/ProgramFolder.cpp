#include "platform/ProgramFolder.h"

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace
{

// A real folder (not a link) of this user that no one else may enter.
bool IsPrivateFolder(const std::filesystem::path& dir)
{
    struct stat st
    {
    };
    return ::lstat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
           (st.st_mode & 077) == 0;
}

} // namespace

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

std::filesystem::path ChoosePrivateRuntimeFolder(const char* xdgRuntimeDir,
                                                 const std::filesystem::path& fallbackRoot)
{
    if (xdgRuntimeDir != nullptr && *xdgRuntimeDir == '/' && IsPrivateFolder(xdgRuntimeDir))
        return xdgRuntimeDir;
    const std::filesystem::path own =
        fallbackRoot / ("vestrel-" + std::to_string(static_cast<unsigned long>(::getuid())));
    ::mkdir(own.c_str(), 0700); // fails when it exists; the check below decides
    if (IsPrivateFolder(own))
        return own;
    return {};
}

std::filesystem::path PrivateRuntimeFolder()
{
    return ChoosePrivateRuntimeFolder(std::getenv("XDG_RUNTIME_DIR"), "/tmp");
}
