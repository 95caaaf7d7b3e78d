#pragma once
// MSDriver.dll, the Windows device-access library beside the program.
// Compiled only on Windows.

#include "device/DriverApi.h"

#include <filesystem>

// Loads the library from the program folder and resolves its entry points
// by name; those it lacks stay empty. The library stays loaded for the rest
// of the process.
DriverApi BindMsDriverLibrary(const std::filesystem::path& programFolder);
