#include "guns/GunExchange.h"

#include "model/RecordExchange.h"

bool ParseGunFile(std::span<const std::byte> bytes, GunData& gun)
{
    return ParseItemFile(bytes, gun);
}

bool ParseGunFolderFile(std::span<const std::byte> bytes, std::vector<GunData>& records)
{
    return ParseFolderFile(bytes, records);
}

bool ReadGunFile(const std::filesystem::path& file, GunData& gun)
{
    return ReadItemFile(file, gun);
}

bool ReadGunFolderFile(const std::filesystem::path& file, std::vector<GunData>& records)
{
    return ReadFolderFile(file, records);
}

SaveResult WriteGunFile(const std::filesystem::path& file, const GunData& gun, bool bLocked)
{
    return WriteItemFile(file, gun, bLocked);
}

SaveResult WriteGunFolderFile(const std::filesystem::path& file, const GunLibrary& library,
                              std::u16string_view folder, bool bLocked)
{
    return WriteFolderFile(file, library, folder, bLocked);
}

int ImportGunIntoFolder(GunLibrary& library, GunData gun, std::u16string_view folder,
                        std::u16string_view baseName)
{
    return ImportItemIntoFolder(library, gun, folder, baseName);
}

int ImportGunWithFolder(GunLibrary& library, GunData gun)
{
    return ImportItemWithFolder(library, gun);
}

std::u16string ImportGunFolder(GunLibrary& library, std::vector<GunData> records,
                               std::u16string_view baseName)
{
    return ImportFolderRecords(library, std::move(records), baseName);
}
