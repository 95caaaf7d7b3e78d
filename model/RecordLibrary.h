#pragma once
// What the macro and the gun library have in common: owned fixed-size
// records, folder entries and items interleaved, stored back to back in one
// file. A record's position is its library index. Both record types keep the
// folder name in szFolder; each names its item field through an
// ItemNameField overload declared beside its library.

#include "model/AtomicFile.h"
#include "model/LoadReport.h"
#include "model/NameField.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Records loaded from a file stay in the block it was read into and share
// it; new ones are allocated alone. Entries are never copied between
// libraries: a record belongs to one library.
template <typename Record> using RecordLibrary = std::vector<std::shared_ptr<Record>>;

// A library file holds at most this many records (85.6 MB of macros); a
// larger one is damaged. Real libraries hold hundreds; imports that would
// pass the cap are refused, so the program never writes a file it would
// not read back.
inline constexpr std::size_t kMaxLibraryRecords = 100000;

// Writes every record in library order to dataDir/fileName, creating the
// folder when needed; the old file stays whole when anything fails.
template <typename Record>
SaveResult SaveRecordLibrary(const RecordLibrary<Record>& library,
                             const std::filesystem::path& dataDir, const char* fileName)
{
    if (const int error = EnsureDirectory(dataDir))
        return {dataDir / fileName, error};
    return WritePiecesAtomically(dataDir / fileName, RecordPieces(library));
}

// Replaces the library with the whole records of dataDir/fileName. A missing
// file gives an empty library; a damaged one is set aside and reported, and
// its whole records are kept and saved anew.
template <typename Record>
LoadReport LoadRecordLibrary(RecordLibrary<Record>& library, const std::filesystem::path& dataDir,
                             const char* fileName, DataAccess access)
{
    library.clear();
    LoadReport report;
    const DataFileRead read =
        ReadDataFile(dataDir / fileName, {sizeof(Record), kMaxLibraryRecords}, access, report);
    if (!read.bytes)
        return report;
    // A partial record at the end is dropped: its missing bytes are undefined.
    AppendRecordsInPlace(*read.bytes, library);
    if (read.bSetAside)
        report.Note(SaveRecordLibrary(library, dataDir, fileName));
    return report;
}

// The record at a library index; null for any index outside the library.
template <typename Record> const Record* RecordAt(const RecordLibrary<Record>& library, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= library.size())
        return nullptr;
    return library[index].get();
}

template <typename Record> bool InFolder(const Record& record, std::u16string_view folder)
{
    return NamesEqualNoCase(NameFromField(record.szFolder), folder);
}

// Any record, folder entry or item, carrying the folder name.
template <typename Record>
bool FolderNameUsed(const RecordLibrary<Record>& library, std::u16string_view name)
{
    for (const auto& record : library)
        if (InFolder(*record, name))
            return true;
    return false;
}

// The first record with that folder and item name, or -1.
template <typename Record>
int FindItemIndex(const RecordLibrary<Record>& library, std::u16string_view folder,
                  std::u16string_view name)
{
    for (std::size_t i = 0; i < library.size(); ++i)
    {
        const Record& record = *library[i];
        if (InFolder(record, folder) &&
            NamesEqualNoCase(NameFromField(ItemNameField(record)), name))
            return static_cast<int>(i);
    }
    return -1;
}

// The indices of the folder entry and every item of the folder, highest
// first.
template <typename Record>
std::vector<int> FolderRecordIndices(const RecordLibrary<Record>& library,
                                     std::u16string_view folder)
{
    std::vector<int> indices;
    for (std::size_t i = library.size(); i-- > 0;)
        if (InFolder(*library[i], folder))
            indices.push_back(static_cast<int>(i));
    return indices;
}

// Removes the folder entry and every item of the folder, highest index first
// so that the indices still to go stay valid. Returns the removed indices in
// that order; bound slots are the caller's business.
template <typename Record>
std::vector<int> RemoveFolderRecords(RecordLibrary<Record>& library, std::u16string_view folder)
{
    const std::vector<int> removed = FolderRecordIndices(library, folder);
    for (int index : removed)
        library.erase(library.begin() + index);
    return removed;
}

// A new folder entry, all zero but its name and flag; returns its index.
template <typename Record>
int AppendFolderEntry(RecordLibrary<Record>& library, std::u16string_view name)
{
    auto record = std::make_unique<Record>();
    SetNameField(record->szFolder, name);
    record->bIsFolder = 1;
    library.push_back(std::move(record));
    return static_cast<int>(library.size()) - 1;
}

template <typename Record>
std::u16string MakeFreeFolderName(const RecordLibrary<Record>& library, std::u16string_view base)
{
    return MakeFreeName(base,
                        [&](const std::u16string& name) { return FolderNameUsed(library, name); });
}

template <typename Record>
std::u16string MakeFreeItemName(const RecordLibrary<Record>& library, std::u16string_view folder,
                                std::u16string_view base)
{
    return MakeFreeName(base, [&](const std::u16string& name)
                        { return FindItemIndex(library, folder, name) >= 0; });
}
