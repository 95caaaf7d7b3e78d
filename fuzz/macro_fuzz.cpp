// macro.bin as the program reads it at start-up and uses it afterwards.
#include "fuzz/LibraryFuzz.h"
#include "macros/MacroLibrary.h"
#include "model/ProfileBindings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const std::filesystem::path dataDir = FuzzDataDir();
    WriteInput(dataDir / kMacroFileName, data, size);

    MacroLibrary library;
    LoadMacroLibrary(library, dataDir, DataAccess::ReadOnly); // damaged copies would pile up
    ProfileList profiles = BoundProfiles(library.size());
    for (std::size_t i = 0; i < library.size(); ++i)
    {
        const MacroData& macro = *library[i];
        if (ActionCount(macro) > kMacroMaxActions)
            __builtin_trap();
        std::u16string folder = NameFromField(macro.szFolder);
        std::u16string name = NameFromField(macro.szMacroName);
        if (!FolderNameUsed(library, folder) || FindMacro(library, folder, name) == nullptr)
            __builtin_trap();
        MacroNameUsed(library, name, folder);
        MakeFreeItemName(library, folder, name);
    }
    for (int index = -2; index <= static_cast<int>(library.size()) + 3; ++index)
        RefreshMacroBindings(profiles, library, index, 0, index % 3 == 0);

    SaveMacroLibrary(library, dataDir);
    CheckSavedImage<MacroData>(dataDir / kMacroFileName, data, size);

    if (!library.empty())
        RemoveMacroFolder(library, NameFromField(library.back()->szFolder));
    return 0;
}
