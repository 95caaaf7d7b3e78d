#pragma once
// Exchange files of the record libraries (macros, guns): a single-item file
// holds one item record, a folder file the records of one folder (its entry
// and its items), both exactly as the library file stores them. A locked
// export marks every written record locked while the library keeps its own
// flags. Reading takes a file whole or refuses it, so no partial or undefined
// record ever reaches a library; imports keep the records as they are but
// for the names, made unique.

#include "model/AtomicFile.h"
#include "model/RecordLibrary.h"

#include <cstddef>
#include <cstring>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace record_exchange_detail
{
// Names from a file may lack their terminator; store them back terminated.
template <typename Record> void RepairNames(Record& record)
{
    SetNameField(record.szFolder, NameFromField(record.szFolder));
    SetNameField(ItemNameField(record), NameFromField(ItemNameField(record)));
}

template <typename Record> Record WithLock(const Record& record, bool bLocked)
{
    Record copy = record;
    if (bLocked)
        copy.bLocked = 1;
    return copy;
}

template <typename Record> int Append(RecordLibrary<Record>& library, const Record& record)
{
    library.push_back(std::make_unique<Record>(record));
    return static_cast<int>(library.size()) - 1;
}
} // namespace record_exchange_detail

// One whole item record; a short or long file, or a folder entry, is refused.
template <typename Record> bool ParseItemFile(std::span<const std::byte> bytes, Record& item)
{
    if (bytes.size() != sizeof(Record))
        return false;
    Record record;
    std::memcpy(&record, bytes.data(), sizeof(Record));
    if (record.bIsFolder != 0)
        return false;
    record_exchange_detail::RepairNames(record);
    item = record;
    return true;
}

// Whole records only, at least one; a file with a partial record is refused
// and leaves `records` as it was.
template <typename Record>
bool ParseFolderFile(std::span<const std::byte> bytes, std::vector<Record>& records)
{
    if (bytes.empty() || bytes.size() % sizeof(Record) != 0)
        return false;
    std::vector<Record> parsed(bytes.size() / sizeof(Record));
    std::memcpy(parsed.data(), bytes.data(), bytes.size());
    for (Record& record : parsed)
        record_exchange_detail::RepairNames(record);
    records = std::move(parsed);
    return true;
}

// Reading is bounded: an item file is one record, a folder file no more
// than a library may hold; anything larger is refused unread.
template <typename Record> bool ReadItemFile(const std::filesystem::path& file, Record& item)
{
    const auto bytes = ReadWholeFile(file, sizeof(Record));
    return bytes && ParseItemFile(*bytes, item);
}

template <typename Record>
bool ReadFolderFile(const std::filesystem::path& file, std::vector<Record>& records)
{
    const auto bytes = ReadWholeFile(file, kMaxLibraryRecords * sizeof(Record));
    return bytes && ParseFolderFile(*bytes, records);
}

// Whether `count` more records fit the library without passing the cap it
// is read back with.
template <typename Record>
bool LibraryHasRoomFor(const RecordLibrary<Record>& library, std::size_t count)
{
    return library.size() <= kMaxLibraryRecords && count <= kMaxLibraryRecords - library.size();
}

template <typename Record>
SaveResult WriteItemFile(const std::filesystem::path& file, const Record& item, bool bLocked)
{
    const Record record = record_exchange_detail::WithLock(item, bLocked);
    return WriteFileAtomically(file, RecordBytes(record));
}

// Every record of the folder, entry and items, in library order.
template <typename Record>
SaveResult WriteFolderFile(const std::filesystem::path& file, const RecordLibrary<Record>& library,
                           std::u16string_view folder, bool bLocked)
{
    std::vector<Record> records;
    for (const auto& record : library)
        if (InFolder(*record, folder))
            records.push_back(record_exchange_detail::WithLock(*record, bLocked));
    return WriteFileAtomically(file, std::as_bytes(std::span(records)));
}

// Appends the item to an existing folder under baseName, made unique there.
// Returns its library index.
template <typename Record>
int ImportItemIntoFolder(RecordLibrary<Record>& library, Record item, std::u16string_view folder,
                         std::u16string_view baseName)
{
    SetNameField(item.szFolder, folder);
    SetNameField(ItemNameField(item), MakeFreeItemName(library, folder, baseName));
    return record_exchange_detail::Append(library, item);
}

// Appends a new folder, named as the item's own folder made unique, and the
// item in it. Returns the item's library index.
template <typename Record> int ImportItemWithFolder(RecordLibrary<Record>& library, Record item)
{
    const std::u16string folder = MakeFreeFolderName(library, NameFromField(item.szFolder));
    AppendFolderEntry(library, folder);
    SetNameField(item.szFolder, folder);
    return record_exchange_detail::Append(library, item);
}

// Appends the records as a new folder named baseName, made unique; the folder
// keeps exactly one entry, made when the file brought none. Returns the name.
template <typename Record>
std::u16string ImportFolderRecords(RecordLibrary<Record>& library, std::vector<Record> records,
                                   std::u16string_view baseName)
{
    const std::u16string folder = MakeFreeFolderName(library, baseName);
    bool bHasEntry = false;
    for (Record& record : records)
    {
        if (record.bIsFolder != 0)
        {
            // One entry per folder; a second would list the folder twice.
            if (bHasEntry)
                continue;
            bHasEntry = true;
        }
        SetNameField(record.szFolder, folder);
        record_exchange_detail::Append(library, record);
    }
    // Without its entry the folder would vanish at the next start.
    if (!bHasEntry)
        AppendFolderEntry(library, folder);
    return folder;
}
