#pragma once
// Single-profile files: the ".pbin" exchange file and Data/Default.pbin. Both
// hold exactly one ProfileData record as it lies in memory.

#include "model/AtomicFile.h"
#include "model/ProfileData.h"

#include <filesystem>

inline constexpr char kDefaultProfileFile[] = "Default.pbin";

// Reads an exchange file. A file of any other size than one record is
// refused (false, `record` untouched): the program never writes one, so it is
// damaged or something else.
bool ReadProfileFile(const std::filesystem::path& file, ProfileData& record);

// Writes an exchange file, replacing any file of that name atomically.
SaveResult WriteProfileFile(const std::filesystem::path& file, const ProfileData& record);

// The default profile image: Default.pbin from `dataFolder`, or, when there is
// none (or one longer than a record), the copy shipped in `shippedFolder`.
// What no file gives stays zero, so a short file leaves the rest zero.
void LoadDefaultProfileImage(ProfileData& image, const std::filesystem::path& dataFolder,
                             const std::filesystem::path& shippedFolder);
