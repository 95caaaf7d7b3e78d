#include "model/ProfileExchange.h"

#include "model/AtomicFile.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

namespace fs = std::filesystem;

namespace
{

// Up to one record's bytes plus one, enough to tell a long file from an exact
// one without reading a huge file whole. Nothing when it cannot be opened.
std::optional<std::size_t> ReadRecordPrefix(const fs::path& file, ProfileData& out)
{
    // Only a regular file: a directory or a device is no profile.
    std::error_code ec;
    if (!fs::is_regular_file(file, ec))
        return std::nullopt;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(std::fopen(file.string().c_str(), "rb"),
                                                      &std::fclose);
    if (!f)
        return std::nullopt;
    std::size_t got = std::fread(&out, 1, sizeof out, f.get());
    if (got == sizeof out && std::fgetc(f.get()) != EOF)
        ++got;
    return got;
}

} // namespace

bool ReadProfileFile(const fs::path& file, ProfileData& record)
{
    auto staged = std::make_unique<ProfileData>();
    auto got = ReadRecordPrefix(file, *staged);
    if (got != sizeof(ProfileData))
        return false;
    std::memcpy(&record, staged.get(), sizeof record);
    return true;
}

bool WriteProfileFile(const fs::path& file, const ProfileData& record)
{
    return WriteFileAtomically(file, RecordBytes(record));
}

void LoadDefaultProfileImage(ProfileData& image, const fs::path& dataFolder,
                             const fs::path& shippedFolder)
{
    auto staged = std::make_unique<ProfileData>();
    auto got = ReadRecordPrefix(dataFolder / kDefaultProfileFile, *staged);
    if (!got)
    {
        std::memset(staged.get(), 0, sizeof *staged);
        got = ReadRecordPrefix(shippedFolder / kDefaultProfileFile, *staged);
    }
    std::memset(&image, 0, sizeof image);
    if (got)
        std::memcpy(&image, staged.get(), std::min(*got, sizeof image));
}
