#include "device/BindDriver.h"

#include "model/DebugTrace.h"

#ifdef _WIN32
#include "device/MsDriverLibrary.h"
#endif

#include <cstdlib>

namespace
{

DriverApi Make(const std::function<DriverApi()>& factory)
{
    return factory ? factory() : DriverApi{};
}

} // namespace

std::string DriverNameFromEnvironment()
{
    const char* name = std::getenv("VESTREL_DRIVER");
    return name != nullptr && *name != '\0' ? name : "hidraw";
}

MouseAccess ProbeMouseAccess(std::string_view name, const DriverFactories& factories, uint32_t vid,
                             uint32_t pid)
{
    if (name == "hidraw" && factories.hidrawAccess)
        return factories.hidrawAccess(vid, pid);
    return MouseAccess::Reachable;
}

DriverApi BindDriver([[maybe_unused]] const std::filesystem::path& programFolder,
                     std::string_view name, const DriverFactories& factories)
{
    if (name == "virtual")
        return Make(factories.virtualMouse);
#ifdef _WIN32
    return BindMsDriverLibrary(programFolder);
#else
    if (name == "hidraw")
        return Make(factories.hidraw);
    DebugTrace("unknown driver \"%.*s\"; no mouse will be found\n", static_cast<int>(name.size()),
               name.data());
    return {};
#endif
}
