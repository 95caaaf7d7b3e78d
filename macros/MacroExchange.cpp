#include "macros/MacroExchange.h"

#include "model/AtomicFile.h"

#include <cstring>
#include <memory>

namespace
{
// Names from a file may lack their terminator; store them back terminated.
void RepairNames(MacroData& record)
{
    SetNameField(record.szFolder, NameFromField(record.szFolder));
    SetNameField(record.szMacroName, NameFromField(record.szMacroName));
}

MacroData WithLock(const MacroData& record, bool bLocked)
{
    MacroData copy = record;
    if (bLocked)
        copy.bLocked = 1;
    return copy;
}

int Append(MacroLibrary& library, const MacroData& record)
{
    library.push_back(std::make_unique<MacroData>(record));
    return static_cast<int>(library.size()) - 1;
}
} // namespace

bool ParseMacroFile(std::span<const std::byte> bytes, MacroData& macro)
{
    if (bytes.size() != sizeof(MacroData))
        return false;
    MacroData record;
    std::memcpy(&record, bytes.data(), sizeof(MacroData));
    if (record.bIsFolder != 0)
        return false;
    RepairNames(record);
    macro = record;
    return true;
}

bool ParseMacroFolderFile(std::span<const std::byte> bytes, std::vector<MacroData>& records)
{
    if (bytes.empty() || bytes.size() % sizeof(MacroData) != 0)
        return false;
    std::vector<MacroData> parsed(bytes.size() / sizeof(MacroData));
    std::memcpy(parsed.data(), bytes.data(), bytes.size());
    for (MacroData& record : parsed)
        RepairNames(record);
    records = std::move(parsed);
    return true;
}

bool ReadMacroFile(const std::filesystem::path& file, MacroData& macro)
{
    const auto bytes = ReadWholeFile(file);
    return bytes && ParseMacroFile(*bytes, macro);
}

bool ReadMacroFolderFile(const std::filesystem::path& file, std::vector<MacroData>& records)
{
    const auto bytes = ReadWholeFile(file);
    return bytes && ParseMacroFolderFile(*bytes, records);
}

bool WriteMacroFile(const std::filesystem::path& file, const MacroData& macro, bool bLocked)
{
    const MacroData record = WithLock(macro, bLocked);
    return WriteFileAtomically(file, RecordBytes(record));
}

bool WriteMacroFolderFile(const std::filesystem::path& file, const MacroLibrary& library,
                          std::u16string_view folder, bool bLocked)
{
    std::vector<MacroData> records;
    for (const auto& record : library)
        if (InFolder(*record, folder))
            records.push_back(WithLock(*record, bLocked));
    return WriteFileAtomically(file, std::as_bytes(std::span(records)));
}

int ImportMacroIntoFolder(MacroLibrary& library, MacroData macro, std::u16string_view folder,
                          std::u16string_view baseName)
{
    SetNameField(macro.szFolder, folder);
    SetNameField(macro.szMacroName, MakeFreeName(baseName, [&](const std::u16string& name)
                                                 { return MacroNameUsed(library, name, folder); }));
    return Append(library, macro);
}

int ImportMacroWithFolder(MacroLibrary& library, MacroData macro)
{
    const std::u16string folder = MakeFreeFolderName(library, NameFromField(macro.szFolder));
    AppendFolderEntry(library, folder);
    SetNameField(macro.szFolder, folder);
    return Append(library, macro);
}

std::u16string ImportMacroFolder(MacroLibrary& library, std::vector<MacroData> records,
                                 std::u16string_view baseName)
{
    const std::u16string folder = MakeFreeFolderName(library, baseName);
    bool bHasEntry = false;
    for (MacroData& record : records)
    {
        if (record.bIsFolder != 0)
        {
            // One entry per folder; a second would list the folder twice.
            if (bHasEntry)
                continue;
            bHasEntry = true;
        }
        SetNameField(record.szFolder, folder);
        Append(library, record);
    }
    // Without its entry the folder would vanish at the next start.
    if (!bHasEntry)
        AppendFolderEntry(library, folder);
    return folder;
}
