// profile.bin with 1,000 profiles: loading and saving against a plain memory
// copy of the same bytes. The file goes to the temporary folder ($TMPDIR), so
// a tmpfs there measures the code, a disk the disk too.

#include "bench/FreshRead.h"
#include "model/BackgroundSave.h"
#include "model/SettingsFiles.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <cstdio>
#include <cstdlib>
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

ProfileList MakeProfiles(std::size_t count = kProfiles)
{
    ProfileList list;
    for (std::size_t i = 0; i < count; ++i)
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

void BM_SaveProfiles(benchmark::State& state)
{
    const fs::path& folder = BenchFolder();
    ProfileList list = MakeProfiles();
    for (auto _ : state)
        benchmark::DoNotOptimize(SaveProfiles(folder, list));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBytes));
}

// A profile change with 5,000 profiles, as the window saves it: its own part
// is copying the records into the buffer of the file's last save. "first_ms"
// is the first save of the run, whose buffer the saving thread makes first
// (the window's part: asking, then the copy once it is there); "written_ms"
// the longest write on the saving thread meanwhile.
void BM_SaveProfilesFromTheWindow(benchmark::State& state)
{
    using Clock = std::chrono::steady_clock;
    const auto ms = [](Clock::duration d)
    { return std::chrono::duration<double, std::milli>(d).count(); };
    const fs::path file = BenchFolder() / kProfilesFile;
    const ProfileList list = MakeProfiles(5000);
    std::mutex mutex;
    std::condition_variable changed;
    bool bPrepared = false;
    BackgroundSave saves(
        [&](const SaveResult& save)
        {
            if (!save)
                state.SkipWithError("profile.bin was not written");
        },
        [&]
        {
            std::lock_guard lock(mutex);
            bPrepared = true;
            changed.notify_all();
        });
    double written = 0;
    const auto flush = [&]
    {
        const auto start = Clock::now();
        saves.Flush();
        written = std::max(written, ms(Clock::now() - start));
    };

    auto start = Clock::now();
    saves.SaveRecords(file, list);
    Clock::duration first = Clock::now() - start;
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return bPrepared; });
    }
    start = Clock::now();
    saves.FillPrepared();
    first += Clock::now() - start;
    flush();
    state.counters["first_ms"] = ms(first);
    for (auto _ : state)
    {
        start = Clock::now();
        saves.SaveRecords(file, list);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        flush();
    }
    state.counters["written_ms"] = written;
}

// A load of profile.bin against its bytes read with one call into memory not
// touched yet: the floor of a load into new records.
void BM_LoadProfilesAgainstFreshRead(benchmark::State& state)
{
    const fs::path& folder = BenchFolder();
    SaveProfiles(folder, MakeProfiles());
    LoadAgainstFreshRead(state, folder / kProfilesFile,
                         [&folder]
                         {
                             ProfileList list;
                             LoadProfiles(list, folder, 3335, u"Profile");
                             if (list.size() != kProfiles)
                                 std::abort();
                             return list;
                         });
}

} // namespace

BENCHMARK(BM_CopyProfileBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CopyProfileBytesToFreshMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveProfiles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadProfilesAgainstFreshRead)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveProfilesFromTheWindow)->UseManualTime()->Iterations(6)->Unit(benchmark::kMillisecond);
