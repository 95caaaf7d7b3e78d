#pragma once
// The gun library: guns and folder entries in library order, mirrored in
// gun.bin in the data folder.

#include "guns/GunData.h"
#include "model/RecordLibrary.h"

#include <filesystem>
#include <string_view>
#include <vector>

using GunLibrary = RecordLibrary<GunData>;

inline constexpr char kGunFileName[] = "gun.bin";

// The program's library, loaded once at start-up. Core functions take the
// library they work on as a parameter.
extern GunLibrary g_vecGun;

inline const char16_t (&ItemNameField(const GunData& gun))[kNameFieldUnits]
{
    return gun.szGunName;
}
inline char16_t (&ItemNameField(GunData& gun))[kNameFieldUnits]
{
    return gun.szGunName;
}

// The used bullets, never more than the record holds, whatever the file said.
int BulletCount(const GunData& gun);

// A missing file gives an empty library; a damaged one is set aside and
// reported.
LoadReport LoadGunLibrary(GunLibrary& library, const std::filesystem::path& dataDir,
                          DataAccess access = DataAccess::ReadWrite);
SaveResult SaveGunLibrary(const GunLibrary& library, const std::filesystem::path& dataDir);

// The record at a library index; null for any index outside the library.
GunData* GunAt(GunLibrary& library, int index);
const GunData* GunAt(const GunLibrary& library, int index);

// Lookups compare names without regard to case. FolderNameUsed and
// MakeFreeFolderName come from model/RecordLibrary.h.
bool GunNameUsed(const GunLibrary& library, std::u16string_view folder, std::u16string_view name);

// Appends a new gun of 30 bullets, 10 ms each, and returns its index. Folder
// entries: AppendFolderEntry.
int AppendGun(GunLibrary& library, std::u16string_view folder, std::u16string_view name);
