// profile.bin with 1,000 profiles: loading and saving against a plain memory
// copy of the same bytes. The file goes to the temporary folder ($TMPDIR), so
// a tmpfs there measures the code, a disk the disk too.

#include "bench/FreshRead.h"
#include "model/SettingsFiles.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace
{

constexpr std::size_t kProfiles = 10000; // the cap: the largest profile.bin a load takes
constexpr std::size_t kBytes = kProfiles * sizeof(ProfileData);

// A data folder in $TMPDIR for this run, removed at exit.
const fs::path& BenchFolder()
{
    static const struct Folder
    {
        fs::path path =
            fs::temp_directory_path() / ("vestrel-profile-bench-" + std::to_string(::getpid()));
        Folder() { fs::create_directories(path); }
        ~Folder()
        {
            std::error_code ec;
            fs::remove_all(path, ec);
        }
    } folder;
    return folder.path;
}

ProfileList MakeProfiles()
{
    ProfileList list;
    for (std::size_t i = 0; i < kProfiles; ++i)
    {
        list.push_back(std::make_unique<ProfileData>());
        std::memset(list.back().get(), static_cast<int>(i), sizeof(ProfileData));
    }
    return list;
}

void BM_CopyProfileBytes(benchmark::State& state)
{
    std::vector<std::byte> from(kBytes, std::byte{1}), to(kBytes);
    for (auto _ : state)
    {
        std::memcpy(to.data(), from.data(), kBytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBytes));
}

// The same copy into memory the process has not touched yet: what a load into
// new records and a save into new file pages cannot avoid.
void BM_CopyProfileBytesToFreshMemory(benchmark::State& state)
{
    std::vector<std::byte> from(kBytes, std::byte{1});
    for (auto _ : state)
    {
        std::unique_ptr<std::byte[]> to(new std::byte[kBytes]);
        std::memcpy(to.get(), from.data(), kBytes);
        benchmark::DoNotOptimize(to.get());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBytes));
}

// profile.bin's bytes read with one call into memory not touched yet: the
// floor of a load into new records.
void BM_ReadProfileBytesToFreshMemory(benchmark::State& state)
{
    const fs::path& folder = BenchFolder();
    SaveProfiles(folder, MakeProfiles());
    const fs::path path = folder / kProfilesFile;
    for (auto _ : state)
        ReadIntoFreshMemory(state, path, kBytes);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBytes));
}

void BM_SaveProfiles(benchmark::State& state)
{
    const fs::path& folder = BenchFolder();
    ProfileList list = MakeProfiles();
    for (auto _ : state)
        benchmark::DoNotOptimize(SaveProfiles(folder, list));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBytes));
}

void BM_LoadProfiles(benchmark::State& state)
{
    const fs::path& folder = BenchFolder();
    SaveProfiles(folder, MakeProfiles());
    ProfileList list;
    for (auto _ : state)
    {
        LoadProfiles(list, folder, 3335, u"Profile");
        if (list.size() != kProfiles)
            state.SkipWithError("profile.bin did not load whole");
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBytes));
}

} // namespace

BENCHMARK(BM_CopyProfileBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyProfileBytesToFreshMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadProfileBytesToFreshMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveProfiles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadProfiles)->Unit(benchmark::kMillisecond);
