#include "model/ProfileExchange.h"

#include "model/AtomicFile.h"

#include <cstring>
#include <optional>
#include <vector>

namespace fs = std::filesystem;

namespace
{

// At most one record's bytes, or nothing when the file is missing, damaged
// or longer than a record.
std::optional<std::vector<std::byte>> ReadRecordImage(const fs::path& file)
{
    return ReadWholeFile(file, sizeof(ProfileData));
}

} // namespace

bool ReadProfileFile(const fs::path& file, ProfileData& record)
{
    const auto bytes = ReadRecordImage(file);
    if (!bytes || bytes->size() != sizeof(ProfileData))
        return false;
    std::memcpy(&record, bytes->data(), sizeof record);
    return true;
}

SaveResult WriteProfileFile(const fs::path& file, const ProfileData& record)
{
    return WriteFileAtomically(file, RecordBytes(record));
}

void LoadDefaultProfileImage(ProfileData& image, const fs::path& dataFolder,
                             const fs::path& shippedFolder)
{
    auto bytes = ReadRecordImage(dataFolder / kDefaultProfileFile);
    if (!bytes)
        bytes = ReadRecordImage(shippedFolder / kDefaultProfileFile);
    std::memset(&image, 0, sizeof image);
    if (bytes)
        std::memcpy(&image, bytes->data(), bytes->size());
}
