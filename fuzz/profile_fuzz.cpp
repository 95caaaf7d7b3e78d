// The settings files a user (or a crash) can leave behind: profile.bin,
// Data.bin, Default.pbin, a .pbin to import and Data.ini, all made from the
// input, then loaded the way the program starts.

#include "app/StartupData.h"
#include "model/NameField.h"
#include "model/ProfileExchange.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

namespace fs = std::filesystem;

namespace
{

// A program folder for this run, removed at exit; in memory where /dev/shm
// exists, since start-up saves (and syncs) what it creates.
fs::path ScratchRoot()
{
    std::error_code ec;
    return fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
}

struct ScratchFolder
{
    fs::path path = ScratchRoot() / ("vestrel-fuzz-" + std::to_string(getpid()));
    ScratchFolder() { fs::create_directories(path / "Data"); }
    ~ScratchFolder()
    {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
};

const fs::path& Folder()
{
    static const ScratchFolder folder;
    return folder.path;
}

// The input repeated to `size` bytes, so that short inputs still make whole
// records.
std::vector<std::byte> Tiled(const uint8_t* data, std::size_t n, std::size_t size)
{
    std::vector<std::byte> out(size);
    for (std::size_t i = 0; i < size && n > 0; ++i)
        out[i] = static_cast<std::byte>(data[i % n]);
    return out;
}

void Write(const fs::path& file, const std::vector<std::byte>& bytes)
{
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    if (size < 3)
        return 0;
    const fs::path& folder = Folder();
    const fs::path dataFolder = folder / "Data";
    std::vector<std::byte> raw = Tiled(data, size, size);
    // Up to two whole records and a partial one made of the input.
    std::size_t records = data[0] % 3;
    Write(dataFolder / "profile.bin",
          Tiled(data, size, records * sizeof(ProfileData) + data[1] * 97u));
    Write(dataFolder / "Data.bin", raw);
    Write(dataFolder / kDefaultProfileFile, raw);
    Write(folder / "Data.ini", raw);
    Write(folder / "import.pbin", data[2] % 2 ? raw : Tiled(data, size, sizeof(ProfileData)));

    auto startup = std::make_unique<StartupData>();
    MacroLibrary macros;
    GunLibrary guns;
    // Only read: a damaged file set aside would pile up copies run after run.
    LoadStartupData(*startup, {folder, dataFolder}, 0x0409, macros, guns, DataAccess::ReadOnly);
    for (const auto& profile : startup->profiles)
        Utf16ToUtf8(NameFromField(profile->szName));

    auto imported = std::make_unique<ProfileData>();
    if (ReadProfileFile(folder / "import.pbin", *imported))
        MakeFreeProfileName(startup->profiles, NameFromField(imported->szName));
    return 0;
}
