#pragma once
// Macro exchange files: ".mbin" holds one macro record, ".mbins" a folder
// (its entry and its macros), both as the records of macro.bin. A locked
// export marks every written record locked; the library keeps its own flags.
// Imports take the records as they are but for the names, made unique.

#include "macros/MacroLibrary.h"

#include <cstddef>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// One whole macro record; a short or long file, or a folder entry, is refused.
bool ParseMacroFile(std::span<const std::byte> bytes, MacroData& macro);
// Whole records only, at least one; a file with a partial record is refused.
bool ParseMacroFolderFile(std::span<const std::byte> bytes, std::vector<MacroData>& records);

bool ReadMacroFile(const std::filesystem::path& file, MacroData& macro);
bool ReadMacroFolderFile(const std::filesystem::path& file, std::vector<MacroData>& records);

SaveResult WriteMacroFile(const std::filesystem::path& file, const MacroData& macro, bool bLocked);
// Every record of the folder, in library order.
SaveResult WriteMacroFolderFile(const std::filesystem::path& file, const MacroLibrary& library,
                                std::u16string_view folder, bool bLocked);

// Appends the macro to an existing folder under baseName, made unique there.
// Returns its library index.
int ImportMacroIntoFolder(MacroLibrary& library, MacroData macro, std::u16string_view folder,
                          std::u16string_view baseName);
// Appends a new folder, named as the macro's own folder made unique, and the
// macro in it. Returns the macro's library index.
int ImportMacroWithFolder(MacroLibrary& library, MacroData macro);
// Appends the records as a new folder named baseName, made unique; the folder
// keeps exactly one entry, made when the file brought none. Returns the name.
std::u16string ImportMacroFolder(MacroLibrary& library, std::vector<MacroData> records,
                                 std::u16string_view baseName);

// The exchange files of the macro library, for the code that serves both
// libraries alike (the page's import and export, vestrelctl's).
struct MacroExchangeTraits
{
    using Record = MacroData;
    static constexpr auto Save = &SaveMacroLibrary;
    static constexpr const char* kFileName = kMacroFileName;
    static constexpr auto ReadItem = &ReadMacroFile;
    static constexpr auto ReadFolder = &ReadMacroFolderFile;
    static constexpr auto WriteItem = &WriteMacroFile;
    static constexpr auto WriteFolder = &WriteMacroFolderFile;
    static constexpr auto ImportIntoFolder = &ImportMacroIntoFolder;
    static constexpr auto ImportWithFolder = &ImportMacroWithFolder;
    static constexpr auto ImportFolder = &ImportMacroFolder;
};
