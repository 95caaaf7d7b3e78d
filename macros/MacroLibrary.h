#pragma once
// The macro library: macros and folder entries in library order, mirrored in
// macro.bin in the data folder.

#include "macros/MacroData.h"
#include "model/RecordLibrary.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

using MacroLibrary = RecordLibrary<MacroData>;

inline constexpr char kMacroFileName[] = "macro.bin";

// The program's library, loaded once at start-up. Core functions take the
// library they work on as a parameter.
extern MacroLibrary g_vecMacro;

inline const char16_t (&ItemNameField(const MacroData& macro))[kNameFieldUnits]
{
    return macro.szMacroName;
}
inline char16_t (&ItemNameField(MacroData& macro))[kNameFieldUnits]
{
    return macro.szMacroName;
}

// The used actions, never more than the record holds, whatever the file said.
int ActionCount(const MacroData& macro);

// A missing file gives an empty library; a damaged one is set aside and
// reported.
LoadReport LoadMacroLibrary(MacroLibrary& library, const std::filesystem::path& dataDir,
                            DataAccess access = DataAccess::ReadWrite);
SaveResult SaveMacroLibrary(const MacroLibrary& library, const std::filesystem::path& dataDir);

// Lookups compare names without regard to case; the first match wins.
// FolderNameUsed and MakeFreeFolderName come from model/RecordLibrary.h.
const MacroData* FindMacro(const MacroLibrary& library, std::u16string_view folder,
                           std::u16string_view name);
bool MacroNameUsed(const MacroLibrary& library, std::u16string_view name,
                   std::u16string_view folder);

// Removes a folder's entry and macros; returns their former indices, highest
// first, for the binding refresh.
std::vector<int> RemoveMacroFolder(MacroLibrary& library, std::u16string_view folder);

// Appends a new, empty macro (loop count 1) and returns its index. Folder
// entries: AppendFolderEntry.
int AppendMacro(MacroLibrary& library, std::u16string_view folder, std::u16string_view name);
