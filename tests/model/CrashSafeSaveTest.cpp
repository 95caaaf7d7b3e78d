// A child process saves the profiles, the application state and both
// libraries over and over and is killed (SIGKILL) at random moments. After
// every kill each file must be one whole generation the child wrote: never
// truncated, never a mix of two saves.

#include "guns/GunLibrary.h"
#include "macros/MacroLibrary.h"
#include "model/SettingsFiles.h"
#include "tests/support/TempProgramFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace
{

// Generation g of a file: (g % spread) + 1 records whose bytes all depend on
// g, the record's index and the byte's offset; its first 4 bytes are g.
template <typename Record> std::unique_ptr<Record> Stamped(uint32_t g, std::size_t index)
{
    auto record = std::make_unique<Record>();
    auto* bytes = reinterpret_cast<uint8_t*>(record.get());
    for (std::size_t i = 0; i < sizeof(Record); ++i)
        bytes[i] = static_cast<uint8_t>(g * 131 + index * 17 + i);
    std::memcpy(bytes, &g, sizeof g);
    return record;
}

template <typename Record>
std::vector<std::shared_ptr<Record>> Generation(uint32_t g, uint32_t spread)
{
    std::vector<std::shared_ptr<Record>> records;
    for (std::size_t i = 0; i < g % spread + 1; ++i)
        records.push_back(Stamped<Record>(g, i));
    return records;
}

template <typename Record> std::vector<std::byte> Image(uint32_t g, uint32_t spread)
{
    std::vector<std::byte> image;
    for (const auto& record : Generation<Record>(g, spread))
    {
        auto bytes = RecordBytes(*record);
        image.insert(image.end(), bytes.begin(), bytes.end());
    }
    return image;
}

constexpr uint32_t kProfileSpread = 4; // up to 226 kB
constexpr uint32_t kMacroSpread = 7;
constexpr uint32_t kGunSpread = 5;

void SaveGeneration(const std::filesystem::path& dataDir, uint32_t g)
{
    SaveProfiles(dataDir, Generation<ProfileData>(g, kProfileSpread));
    SaveAppState(dataDir, {static_cast<int32_t>(g), static_cast<int32_t>(g)});
    SaveMacroLibrary(Generation<MacroData>(g, kMacroSpread), dataDir);
    SaveGunLibrary(Generation<GunData>(g, kGunSpread), dataDir);
}

// Saves generations from `g` on until killed; one byte on `ready` once the
// first generation is complete, so every kill lands among the saves.
[[noreturn]] void SaveUntilKilled(const std::filesystem::path& dataDir, uint32_t g, int ready)
{
    SaveGeneration(dataDir, g);
    const char byte = 1;
    if (::write(ready, &byte, 1) != 1)
        ::_exit(1);
    for (;;)
        SaveGeneration(dataDir, ++g);
}

// The generation a file holds, checked byte for byte; fails the test for a
// file that is no whole generation at or after `oldest`.
template <typename Record>
uint32_t CheckWhole(const TempProgramFolder& folder, const char* name, uint32_t spread,
                    uint32_t oldest)
{
    const auto bytes = folder.ReadFile(std::filesystem::path("Data") / name);
    uint32_t g = 0;
    if (bytes.size() >= sizeof g)
        std::memcpy(&g, bytes.data(), sizeof g);
    EXPECT_GE(g, oldest) << name;
    EXPECT_TRUE(bytes == Image<Record>(g, spread))
        << name << ": " << bytes.size() << " bytes are no whole generation " << g;
    return g;
}

TEST(CrashSafeSave, KilledSaverLeavesEveryFileWhole)
{
    TempProgramFolder folder;
    const auto dataDir = folder.DataDir();
    SaveGeneration(dataDir, 1);
    std::mt19937 rng(20240611);
    uint32_t newest = 1; // the highest generation any file held
    for (int round = 0; round < 25; ++round)
    {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
        {
            ::close(ready[0]);
            SaveUntilKilled(dataDir, newest + 1, ready[1]);
        }
        ::close(ready[1]);
        char byte = 0;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1) << "the saver died on its own";
        ::close(ready[0]);
        ::usleep(std::uniform_int_distribution<useconds_t>(0, 20000)(rng));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));

        // The round's first generation was complete, so nothing may be older.
        const uint32_t oldest = newest + 1;
        const uint32_t found[] = {
            CheckWhole<ProfileData>(folder, kProfilesFile, kProfileSpread, oldest),
            CheckWhole<MacroData>(folder, kMacroFileName, kMacroSpread, oldest),
            CheckWhole<GunData>(folder, kGunFileName, kGunSpread, oldest)};
        LoadReport report;
        const AppState state = LoadAppState(dataDir, report);
        EXPECT_TRUE(report.Empty());
        EXPECT_EQ(state.iCurrentProfile, state.iLanguage);
        EXPECT_GE(static_cast<uint32_t>(state.iCurrentProfile), oldest);
        if (::testing::Test::HasFailure())
            break;
        newest =
            std::max({found[0], found[1], found[2], static_cast<uint32_t>(state.iCurrentProfile)});
    }

    // What survived loads as whole records, whatever temporaries were left.
    MacroLibrary macros;
    LoadMacroLibrary(macros, dataDir);
    const auto& first = *macros.at(0);
    uint32_t g = 0;
    std::memcpy(&g, &first, sizeof g);
    EXPECT_EQ(macros.size(), g % kMacroSpread + 1);
}

} // namespace
