#pragma once
// The pointer-settings backend of the system the program runs on.

#include "performance/PointerSettingsBackend.h"

#include <memory>

// Windows: the system settings themselves. Elsewhere: GSettings where the
// desktop has it, otherwise a backend that only traces.
std::unique_ptr<PointerSettingsBackend> MakeDesktopPointerBackend();
