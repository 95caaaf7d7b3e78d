#pragma once
// Gun exchange files: ".gbin" holds one gun record, ".gbins" a folder (its
// entry and its guns), both as the records of gun.bin. A locked export marks
// every written record locked; the library keeps its own flags. Imports take
// the records as they are but for the names, made unique.

#include "guns/GunLibrary.h"

#include <cstddef>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// One whole gun record; a short or long file, or a folder entry, is refused.
bool ParseGunFile(std::span<const std::byte> bytes, GunData& gun);
// Whole records only, at least one; a file with a partial record is refused.
bool ParseGunFolderFile(std::span<const std::byte> bytes, std::vector<GunData>& records);

bool ReadGunFile(const std::filesystem::path& file, GunData& gun);
bool ReadGunFolderFile(const std::filesystem::path& file, std::vector<GunData>& records);

SaveResult WriteGunFile(const std::filesystem::path& file, const GunData& gun, bool bLocked);
// Every record of the folder, in library order.
SaveResult WriteGunFolderFile(const std::filesystem::path& file, const GunLibrary& library,
                              std::u16string_view folder, bool bLocked);

// Appends the gun to an existing folder under baseName (the file's base
// name), made unique there. Returns its library index.
int ImportGunIntoFolder(GunLibrary& library, GunData gun, std::u16string_view folder,
                        std::u16string_view baseName);
// Appends a new folder, named as the gun's own folder made unique, and the
// gun in it under its own name. Returns the gun's library index.
int ImportGunWithFolder(GunLibrary& library, GunData gun);
// Appends the records as a new folder named baseName, made unique; the folder
// keeps exactly one entry, made when the file brought none. Returns the name.
std::u16string ImportGunFolder(GunLibrary& library, std::vector<GunData> records,
                               std::u16string_view baseName);

// The exchange files of the gun library, for the code that serves both
// libraries alike (the page's import and export, vestrelctl's).
struct GunExchangeTraits
{
    using Record = GunData;
    static constexpr auto Save = &SaveGunLibrary;
    static constexpr const char* kFileName = kGunFileName;
    static constexpr auto ReadItem = &ReadGunFile;
    static constexpr auto ReadFolder = &ReadGunFolderFile;
    static constexpr auto WriteItem = &WriteGunFile;
    static constexpr auto WriteFolder = &WriteGunFolderFile;
    static constexpr auto ImportIntoFolder = &ImportGunIntoFolder;
    static constexpr auto ImportWithFolder = &ImportGunWithFolder;
    static constexpr auto ImportFolder = &ImportGunFolder;
};
