#pragma once
// What loading the data folder found wrong: files that exist but could not be
// read whole (kept aside under a new name, never replaced silently) and saves
// that failed on the way. The GUI and vestrelctl tell the user from it.

#include "model/AtomicFile.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// A run that only reads (vestrelctl's reading commands) never creates,
// renames or writes anything.
enum class DataAccess
{
    ReadWrite,
    ReadOnly,
};

struct DamagedFile
{
    std::filesystem::path file;
    DamageKind kind = DamageKind::Unreadable;
    int error = 0;                // errno of an unreadable file
    std::filesystem::path keptAs; // its new name beside it; empty when not moved
    int keepError = 0;            // why it could not be moved, when that failed
};

struct LoadReport
{
    std::vector<DamagedFile> damaged;
    std::vector<SaveResult> failedSaves;

    bool Empty() const { return damaged.empty() && failedSaves.empty(); }
    // Notes a save that failed; a successful one leaves nothing to report.
    void Note(SaveResult save);
    void Append(const LoadReport& other);
};

// One line for people: the file, what is wrong with it and where it was kept.
std::string DescribeDamage(const DamagedFile& damaged);

// The shape and cap of a data file: whole records, from minRecords up to
// maxRecords of them.
struct RecordFileLimits
{
    std::size_t recordSize;
    std::size_t maxRecords;
    std::size_t minRecords = 0;
};

struct DataFileRead
{
    // Nothing when the file does not exist or nothing of it could be used.
    std::optional<FileBytes> bytes;
    // The file was damaged and moved aside: whatever the caller makes of the
    // bytes must be saved anew, as nothing holds them under the old name.
    bool bSetAside = false;
};

// Reads a data file. One that exists but cannot be read whole (unreadable, no
// regular file, over the cap, not whole records) is reported and, with
// ReadWrite, moved aside as "<name>.damaged-<yyyymmdd>-<hhmmss>" so that no
// later save replaces it. Of a damaged file only one with a partial record
// gives bytes (all it holds); otherwise the caller goes on as for a missing
// file.
DataFileRead ReadDataFile(const std::filesystem::path& file, const RecordFileLimits& limits,
                          DataAccess access, LoadReport& report);
