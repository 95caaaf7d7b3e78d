// ".gbin" and ".gbins" files as an import reads them: whatever the bytes, a
// file is taken whole or refused, and what enters the library stays sound.
#include "guns/GunExchange.h"
#include "guns/RecoilPath.h"

#include "fuzz/LibraryFuzz.h"
#include <cmath>

#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const auto bytes = std::as_bytes(std::span(data, size));
    GunLibrary library;
    AppendFolderEntry(library, u"f");
    AppendGun(library, u"f", u"g");

    GunData gun{};
    if (ParseGunFile(bytes, gun))
    {
        if (size != sizeof(GunData) || gun.bIsFolder != 0)
            __builtin_trap();
        const int into = ImportGunIntoFolder(library, gun, u"f", u"g");
        const int with = ImportGunWithFolder(library, gun);
        for (int index : {into, with})
            if (library[index]->szGunName[kNameMaxChars] != 0 ||
                library[index]->szFolder[kNameMaxChars] != 0)
                __builtin_trap();
        if (!GunNameUsed(library, u"f", u"g_1"))
            __builtin_trap();
        // Whatever the offsets, the picture's sums stay finite and inside its box.
        const RecoilPath path = BuildRecoilPath(gun.aBullet, gun.byBulletCount);
        for (const RecoilPoint& p : path.points)
            if (!std::isfinite(p.x) || p.x < path.minX || p.x > path.maxX || p.y < path.minY ||
                p.y > path.maxY)
                __builtin_trap();
    }

    std::vector<GunData> records;
    if (ParseGunFolderFile(bytes, records))
    {
        if (records.size() * sizeof(GunData) != size)
            __builtin_trap();
        const std::size_t before = library.size();
        const std::size_t count = records.size();
        const std::u16string folder = ImportGunFolder(library, records, u"f");
        CheckImportedFolder(library, before, count, folder);
    }
    return 0;
}
