// gun.bin as the program reads it at start-up and uses it afterwards.
#include "fuzz/LibraryFuzz.h"
#include "guns/GunLibrary.h"
#include "model/ProfileBindings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::filesystem::path dataDir = FuzzDataDir();
    WriteInput(dataDir / kGunFileName, data, size);

    GunLibrary library;
    LoadGunLibrary(library, dataDir, DataAccess::ReadOnly); // damaged copies would pile up
    ProfileList profiles = BoundProfiles(library.size());
    for (int index = -2; index <= static_cast<int>(library.size()) + 3; ++index)
    {
        const GunData* gun = GunAt(library, index);
        if (gun && BulletCount(*gun) > kGunMaxBullets)
            __builtin_trap();
        if (gun &&
            !GunNameUsed(library, NameFromField(gun->szFolder), NameFromField(gun->szGunName)))
            __builtin_trap();
        RefreshGunBindings(profiles, library, index, 0, index % 3 == 0);
    }

    SaveGunLibrary(library, dataDir);
    CheckSavedImage<GunData>(dataDir / kGunFileName, data, size);

    if (!library.empty())
        RemoveFolderRecords(library, NameFromField(library.front()->szFolder));
    return 0;
}
