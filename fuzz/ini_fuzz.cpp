// Data.ini as anything at all: the reader and the description's conversions
// must never crash or read out of bounds.

#include "app/DeviceDescription.h"
#include "model/IniFile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    IniFile ini;
    ini.Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    DeviceDescription desc;
    ReadDeviceDescription(desc, ini);
    ini.GetString("", "");
    ini.GetInt("default", "vid", 7);
    return 0;
}
