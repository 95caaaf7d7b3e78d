#include "macros/MacroLibrary.h"

#include <algorithm>

MacroLibrary g_vecMacro;

int ActionCount(const MacroData& macro)
{
    return std::min<int>(macro.wActionCount, kMacroMaxActions);
}

LoadReport LoadMacroLibrary(MacroLibrary& library, const std::filesystem::path& dataDir,
                            DataAccess access)
{
    return LoadRecordLibrary(library, dataDir, kMacroFileName, access);
}

SaveResult SaveMacroLibrary(const MacroLibrary& library, const std::filesystem::path& dataDir)
{
    return SaveRecordLibrary(library, dataDir, kMacroFileName);
}

const MacroData* FindMacro(const MacroLibrary& library, std::u16string_view folder,
                           std::u16string_view name)
{
    int index = FindItemIndex(library, folder, name);
    return index < 0 ? nullptr : library[index].get();
}

bool MacroNameUsed(const MacroLibrary& library, std::u16string_view name,
                   std::u16string_view folder)
{
    return FindItemIndex(library, folder, name) >= 0;
}

std::vector<int> RemoveMacroFolder(MacroLibrary& library, std::u16string_view folder)
{
    return RemoveFolderRecords(library, folder);
}

int AppendMacro(MacroLibrary& library, std::u16string_view folder, std::u16string_view name)
{
    auto macro = std::make_unique<MacroData>();
    SetNameField(macro->szFolder, folder);
    SetNameField(macro->szMacroName, name);
    macro->wLoopCount = 1;
    library.push_back(std::move(macro));
    return static_cast<int>(library.size()) - 1;
}
