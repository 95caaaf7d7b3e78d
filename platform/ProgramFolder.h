#pragma once
// Where the running program lies and where it keeps the user's files.

#include <filesystem>

// The folder of the running executable (/proc/self/exe): Data.ini, res/ and
// logo.png sit beside it. The current folder when that cannot be read.
std::filesystem::path RunningProgramFolder();

// The program folder's Data/ when the program folder is writable (a copy run
// in place), otherwise $XDG_DATA_HOME/vestrel/Data, or ~/.local/share/vestrel/Data
// without XDG_DATA_HOME (an installed copy). Null pointers count as unset.
std::filesystem::path ChooseDataFolder(const std::filesystem::path& programFolder,
                                       const char* xdgDataHome, const char* home);

// ChooseDataFolder with this process's environment.
std::filesystem::path DataFolderFor(const std::filesystem::path& programFolder);

// A folder only this user can reach, for the single-instance lock and socket:
// $XDG_RUNTIME_DIR when it is this user's and private, otherwise
// <fallbackRoot>/vestrel-<uid>, made 0700 and checked to be this user's own
// real folder. Empty when neither is safe: another user may have taken the
// name.
std::filesystem::path ChoosePrivateRuntimeFolder(const char* xdgRuntimeDir,
                                                 const std::filesystem::path& fallbackRoot);

// ChoosePrivateRuntimeFolder with this process's environment and /tmp.
std::filesystem::path PrivateRuntimeFolder();
