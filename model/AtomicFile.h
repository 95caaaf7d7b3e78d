#pragma once
// Whole-file reads, bounded and never blocking, and crash-safe whole-file
// writes that report why they failed.

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <new>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

// The outcome of a save: the file it was for and, when it failed, the errno
// of the step that failed (0: written).
struct SaveResult
{
    std::filesystem::path file;
    int error = 0;

    explicit operator bool() const { return error == 0; }
    // The system's text for the error ("No space left on device").
    std::string Reason() const;
    // The language files' key for a common reason (disk full, no
    // permission, read-only); empty for the others, told by Reason().
    std::string_view ReasonTextKey() const;
};

// Writes a uniquely named temporary file beside <path>, flushes it to disk,
// renames it over <path> and syncs the folder, so that a crash leaves either
// the old file or the new one and two writers never share a temporary. An
// existing file keeps its mode and owner, a new one is private to the user
// (0600); a symlink is followed and its target replaced, keeping the link.
// On failure the old file is untouched.
SaveResult WriteFileAtomically(const std::filesystem::path& path, std::span<const std::byte> bytes);
// The same for a file made of several pieces (records that live apart in
// memory), written in order without joining them first.
SaveResult WritePiecesAtomically(const std::filesystem::path& path,
                                 std::span<const std::span<const std::byte>> pieces);

// Removes what saves of `file` left when their process died mid-save: its
// "<name>.tmp-XXXXXX" temporaries, and the fixed "<name>.tmp" of earlier
// versions. Only for the holder of the folder's writer lock, for whom none of
// them can be a save in progress.
void RemoveStaleTemporaries(const std::filesystem::path& file);

// Why a file that exists could not be read whole.
enum class DamageKind
{
    Unreadable,     // it cannot be opened or read (the errno says why)
    NotRegularFile, // a folder, a FIFO, a device, ...
    PartialRecord,  // its length is not a whole number of records
    TooLarge,       // larger than the cap of its kind
};

// Bytes read from a file. The storage is not zeroed first (the read fills
// it), is aligned for any record and is shared, so that records loaded from
// a file live where it was read instead of being copied one by one.
class FileBytes
{
public:
    std::byte* data() { return m_storage.get(); }
    const std::byte* data() const { return m_storage.get(); }
    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    // Keeps the bytes that stay; added ones are undefined until written.
    void Resize(std::size_t size);
    const std::shared_ptr<std::byte[]>& Storage() const { return m_storage; }
    std::vector<std::byte> ToVector() const { return {data(), data() + m_size}; }

private:
    std::shared_ptr<std::byte[]> m_storage;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};

struct FileRead
{
    enum class Status
    {
        Read,
        Missing,
        Damaged,
    };
    Status status = Status::Missing;
    FileBytes bytes; // the whole file when Read
    DamageKind damage = DamageKind::Unreadable;
    int error = 0; // errno for Unreadable
};

// Reads a regular file of at most maxBytes whole. It is opened without
// blocking (a FIFO or a device never stalls the caller) and its type checked
// on the open file; a larger file is not read at all.
FileRead ReadFileBounded(const std::filesystem::path& path, std::size_t maxBytes);

// The whole file, or nothing when it is missing, cannot be read whole or is
// larger than maxBytes.
std::optional<std::vector<std::byte>> ReadWholeFile(const std::filesystem::path& path,
                                                    std::size_t maxBytes);

// Makes sure `dir` exists as a directory; folders it creates are private to
// the user (0700). The errno of a failure, or 0.
int EnsureDirectory(const std::filesystem::path& dir);

template <typename Record> std::span<const std::byte> RecordBytes(const Record& record)
{
    return std::as_bytes(std::span<const Record, 1>(&record, 1));
}

// Appends every whole record of bytes to records without copying them: each
// points into the bytes' storage and keeps it alive, and the storage goes
// with the last of its records.
template <typename Record>
void AppendRecordsInPlace(const FileBytes& bytes, std::vector<std::shared_ptr<Record>>& records)
{
    static_assert(std::is_trivially_copyable_v<Record>);
    static_assert(alignof(Record) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);
    const std::size_t count = bytes.size() / sizeof(Record);
    records.reserve(records.size() + count);
    for (std::size_t i = 0; i < count; ++i)
        records.emplace_back(bytes.Storage(), std::launder(reinterpret_cast<Record*>(
                                                  bytes.Storage().get() + i * sizeof(Record))));
}

// The records' bytes as their file holds them, back to back: pieces that
// point into the records, or a copy into image (resized to fit).
template <typename Record>
std::vector<std::span<const std::byte>>
RecordPieces(const std::vector<std::shared_ptr<Record>>& records)
{
    std::vector<std::span<const std::byte>> pieces;
    pieces.reserve(records.size());
    for (const auto& record : records)
        pieces.push_back(RecordBytes(*record));
    return pieces;
}
template <typename Record>
void CopyRecords(const std::vector<std::shared_ptr<Record>>& records, std::vector<std::byte>& image)
{
    image.resize(records.size() * sizeof(Record));
    std::byte* out = image.data();
    for (const auto& record : records)
        out = std::ranges::copy(RecordBytes(*record), out).out;
}
