#include "guns/GunLibrary.h"

#include <algorithm>
#include <utility>

GunLibrary g_vecGun;

namespace
{
constexpr uint16_t kNewBulletDelay = 10;
}

int BulletCount(const GunData& gun)
{
    return std::min<int>(gun.byBulletCount, kGunMaxBullets);
}

LoadReport LoadGunLibrary(GunLibrary& library, const std::filesystem::path& dataDir,
                          DataAccess access)
{
    return LoadRecordLibrary(library, dataDir, kGunFileName, access);
}

SaveResult SaveGunLibrary(const GunLibrary& library, const std::filesystem::path& dataDir)
{
    return SaveRecordLibrary(library, dataDir, kGunFileName);
}

const GunData* GunAt(const GunLibrary& library, int index)
{
    return RecordAt(library, index);
}

GunData* GunAt(GunLibrary& library, int index)
{
    return const_cast<GunData*>(GunAt(std::as_const(library), index));
}

bool GunNameUsed(const GunLibrary& library, std::u16string_view folder, std::u16string_view name)
{
    return FindItemIndex(library, folder, name) >= 0;
}

int AppendGun(GunLibrary& library, std::u16string_view folder, std::u16string_view name)
{
    auto gun = std::make_unique<GunData>();
    SetNameField(gun->szFolder, folder);
    SetNameField(gun->szGunName, name);
    gun->byBulletCount = kGunMaxBullets;
    for (GunBullet& bullet : gun->aBullet)
        bullet.wDelay = kNewBulletDelay;
    library.push_back(std::move(gun));
    return static_cast<int>(library.size()) - 1;
}
