#include "macros/MacroExchange.h"

#include "model/RecordExchange.h"

bool ParseMacroFile(std::span<const std::byte> bytes, MacroData& macro)
{
    return ParseItemFile(bytes, macro);
}

bool ParseMacroFolderFile(std::span<const std::byte> bytes, std::vector<MacroData>& records)
{
    return ParseFolderFile(bytes, records);
}

bool ReadMacroFile(const std::filesystem::path& file, MacroData& macro)
{
    return ReadItemFile(file, macro);
}

bool ReadMacroFolderFile(const std::filesystem::path& file, std::vector<MacroData>& records)
{
    return ReadFolderFile(file, records);
}

SaveResult WriteMacroFile(const std::filesystem::path& file, const MacroData& macro, bool bLocked)
{
    return WriteItemFile(file, macro, bLocked);
}

SaveResult WriteMacroFolderFile(const std::filesystem::path& file, const MacroLibrary& library,
                                std::u16string_view folder, bool bLocked)
{
    return WriteFolderFile(file, library, folder, bLocked);
}

int ImportMacroIntoFolder(MacroLibrary& library, MacroData macro, std::u16string_view folder,
                          std::u16string_view baseName)
{
    return ImportItemIntoFolder(library, macro, folder, baseName);
}

int ImportMacroWithFolder(MacroLibrary& library, MacroData macro)
{
    return ImportItemWithFolder(library, macro);
}

std::u16string ImportMacroFolder(MacroLibrary& library, std::vector<MacroData> records,
                                 std::u16string_view baseName)
{
    return ImportFolderRecords(library, std::move(records), baseName);
}
