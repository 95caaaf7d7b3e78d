#pragma once
// A throw-away program folder for one test: Data.ini, res/ and Data/ as the
// program expects them beside its executable. Removed again on destruction.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class TempProgramFolder
{
public:
    // Starts with the repository's sample Data.ini and res/; Data/ is absent,
    // as on a first start.
    TempProgramFolder();
    ~TempProgramFolder();
    TempProgramFolder(const TempProgramFolder&) = delete;
    TempProgramFolder& operator=(const TempProgramFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path DataDir() const { return m_path / "Data"; }

    // Replaces Data.ini with the given text.
    void WriteIni(std::string_view text) const;
    // Writes a file under the program folder (parent folders are created).
    void WriteFile(const std::filesystem::path& relative, const void* data, std::size_t size) const;
    std::vector<std::byte> ReadFile(const std::filesystem::path& relative) const;

private:
    std::filesystem::path m_path;
};

// The repository checkout the tests were built from.
std::filesystem::path SourceDir();
