#include "model/LoadReport.h"

#include <cstdio>
#include <ctime>
#include <system_error>

namespace fs = std::filesystem;

void LoadReport::Note(SaveResult save)
{
    if (!save)
        failedSaves.push_back(std::move(save));
}

void LoadReport::Append(const LoadReport& other)
{
    damaged.insert(damaged.end(), other.damaged.begin(), other.damaged.end());
    failedSaves.insert(failedSaves.end(), other.failedSaves.begin(), other.failedSaves.end());
}

namespace
{

std::string DamageText(const DamagedFile& damaged)
{
    switch (damaged.kind)
    {
    case DamageKind::Unreadable:
        return "it cannot be read: " + std::generic_category().message(damaged.error);
    case DamageKind::NotRegularFile:
        return "it is not a regular file";
    case DamageKind::PartialRecord:
        return "its length is not a whole number of records";
    case DamageKind::TooLarge:
        return "it is larger than such a file can be";
    }
    return {};
}

// "<file>.damaged-20261208-153000", with "-2", "-3", ... when that is taken.
fs::path DamagedCopyName(const fs::path& file)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    fs::path name = file;
    name += std::string(".damaged-") + stamp;
    std::error_code ec;
    for (int n = 2; fs::exists(fs::symlink_status(name, ec)); ++n)
    {
        name = file;
        name += std::string(".damaged-") + stamp + "-" + std::to_string(n);
    }
    return name;
}

} // namespace

std::string DescribeDamage(const DamagedFile& damaged)
{
    std::string text =
        damaged.file.string() + " could not be read whole (" + DamageText(damaged) + ")";
    if (!damaged.keptAs.empty())
        text += "; it was kept as " + damaged.keptAs.string();
    else if (damaged.keepError != 0)
        text +=
            " and could not be set aside: " + std::generic_category().message(damaged.keepError);
    return text;
}

DataFileRead ReadDataFile(const fs::path& file, const RecordFileLimits& limits, DataAccess access,
                          LoadReport& report)
{
    FileRead read = ReadFileBounded(file, limits.recordSize * limits.maxRecords);
    DataFileRead result;
    if (read.status == FileRead::Status::Missing)
        return result;
    if (read.status == FileRead::Status::Read)
    {
        const std::size_t size = read.bytes.size();
        if (size % limits.recordSize == 0 && size / limits.recordSize >= limits.minRecords)
        {
            result.bytes = std::move(read.bytes);
            return result;
        }
        read.status = FileRead::Status::Damaged;
        read.damage = DamageKind::PartialRecord;
        result.bytes = std::move(read.bytes);
    }

    DamagedFile damaged{file, read.damage, read.error, {}, 0};
    if (access == DataAccess::ReadWrite)
    {
        const fs::path copy = DamagedCopyName(file);
        std::error_code ec;
        fs::rename(file, copy, ec);
        if (ec)
            damaged.keepError = ec.value();
        else
        {
            damaged.keptAs = copy;
            result.bSetAside = true;
        }
    }
    report.damaged.push_back(std::move(damaged));
    return result;
}
