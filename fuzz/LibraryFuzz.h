#pragma once
// Shared by the library fuzz targets: the input becomes the library file in a
// private data folder, is loaded, used the way the program uses it, saved and
// compared with what was read.

#include "model/ProfileList.h"
#include "model/RecordLibrary.h"

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

// A program folder of this process, removed again when the run ends.
class FuzzProgramFolder
{
public:
    FuzzProgramFolder() : m_path(Base() / ("vestrel-fuzz-" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(m_path / "Data");
    }
    ~FuzzProgramFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    std::filesystem::path DataDir() const { return m_path / "Data"; }

private:
    // Every save flushes its file; in memory that costs nothing and the
    // fuzzer keeps its pace.
    static std::filesystem::path Base()
    {
        std::error_code ec;
        if (std::filesystem::is_directory("/dev/shm", ec))
            return "/dev/shm";
        return std::filesystem::temp_directory_path();
    }

    std::filesystem::path m_path;
};

inline std::filesystem::path FuzzDataDir()
{
    static const FuzzProgramFolder folder;
    return folder.DataDir();
}

inline void WriteInput(const std::filesystem::path& file, const uint8_t* data, std::size_t size)
{
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

// Profiles whose slots are bound to indices around the library's edges.
inline ProfileList BoundProfiles(std::size_t librarySize)
{
    ProfileList profiles;
    profiles.push_back(std::make_unique<ProfileData>());
    int indices[] = {-1,
                     0,
                     1,
                     static_cast<int>(librarySize) - 1,
                     static_cast<int>(librarySize),
                     static_cast<int>(librarySize) + 3};
    for (int s = 0; s < kButtonSlots; ++s)
    {
        profiles[0]->aButton[s].iMacroIndex = indices[s % 6];
        profiles[0]->aButton[s].iGunIndex = indices[(s + 1) % 6];
    }
    return profiles;
}

// Saving what was loaded gives back the input's whole records, byte for byte.
template <typename Record>
void CheckSavedImage(const std::filesystem::path& file, const uint8_t* data, std::size_t size)
{
    std::ifstream in(file, std::ios::binary);
    std::string saved((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::size_t whole = size - size % sizeof(Record);
    if (saved.size() != whole || std::memcmp(saved.data(), data, whole) != 0)
        __builtin_trap();
}

// A folder file's records entered the library whole, all in the one folder
// the import named, with exactly one folder entry among them.
template <typename Record>
void CheckImportedFolder(const RecordLibrary<Record>& library, std::size_t before,
                         std::size_t records, const std::u16string& folder)
{
    if (records == 0)
        __builtin_trap();
    int entries = 0;
    for (std::size_t i = before; i < library.size(); ++i)
    {
        if (!InFolder(*library[i], folder))
            __builtin_trap();
        entries += library[i]->bIsFolder != 0 ? 1 : 0;
    }
    if (entries != 1)
        __builtin_trap();
}
