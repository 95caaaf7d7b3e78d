#include "platform/DesktopPointerBackend.h"

#ifdef _WIN32
#include "platform/WindowsPointerBackend.h"
#else
#include "platform/GSettingsPointerBackend.h"
#endif

std::unique_ptr<PointerSettingsBackend> MakeDesktopPointerBackend()
{
#ifdef _WIN32
    return std::make_unique<WindowsPointerBackend>();
#else
    return std::make_unique<GSettingsPointerBackend>();
#endif
}
