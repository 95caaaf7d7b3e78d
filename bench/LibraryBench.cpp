// Loading and saving macro.bin and gun.bin of 10,000 records each, against a
// plain in-memory copy of the same bytes and against reading and writing
// those bytes as one block. The files go to the temporary folder ($TMPDIR),
// so a tmpfs there measures the code, a disk the disk too.

#include "bench/FreshRead.h"
#include "guns/GunLibrary.h"
#include "macros/MacroLibrary.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>

namespace
{

constexpr int kRecords = 10000;

struct MacroFile
{
    using Record = MacroData;
    static constexpr const char* kFileName = kMacroFileName;
    static void Load(MacroLibrary& library, const std::filesystem::path& dir)
    {
        LoadMacroLibrary(library, dir);
    }
    static SaveResult Save(const MacroLibrary& library, const std::filesystem::path& dir)
    {
        return SaveMacroLibrary(library, dir);
    }
};

struct GunFile
{
    using Record = GunData;
    static constexpr const char* kFileName = kGunFileName;
    static void Load(GunLibrary& library, const std::filesystem::path& dir)
    {
        LoadGunLibrary(library, dir);
    }
    static SaveResult Save(const GunLibrary& library, const std::filesystem::path& dir)
    {
        return SaveGunLibrary(library, dir);
    }
};

class BenchFolder
{
public:
    BenchFolder()
        : m_path(std::filesystem::temp_directory_path() /
                 ("vestrel-bench-" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(m_path);
    }
    ~BenchFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

const std::filesystem::path& DataDir()
{
    static BenchFolder folder;
    return folder.Path();
}

template <typename Record> const RecordLibrary<Record>& FullLibrary()
{
    static const RecordLibrary<Record> library = []
    {
        std::mt19937 random(1);
        RecordLibrary<Record> records;
        for (int i = 0; i < kRecords; ++i)
        {
            auto record = std::make_unique<Record>();
            auto* bytes = reinterpret_cast<unsigned char*>(record.get());
            for (std::size_t b = 0; b < sizeof(Record); ++b)
                bytes[b] = static_cast<unsigned char>(random());
            records.push_back(std::move(record));
        }
        return records;
    }();
    return library;
}

template <typename File> void BM_Load(benchmark::State& state)
{
    using Record = typename File::Record;
    File::Save(FullLibrary<Record>(), DataDir());
    RecordLibrary<Record> library;
    for (auto _ : state)
    {
        File::Load(library, DataDir());
        benchmark::DoNotOptimize(library.data());
    }
    if (library.size() != kRecords)
        state.SkipWithError("the library did not load whole");
    state.SetBytesProcessed(state.iterations() * kRecords * sizeof(Record));
}

template <typename File> void BM_Save(benchmark::State& state)
{
    using Record = typename File::Record;
    const RecordLibrary<Record>& library = FullLibrary<Record>();
    for (auto _ : state)
        if (!File::Save(library, DataDir()))
            state.SkipWithError("save failed");
    state.SetBytesProcessed(state.iterations() * kRecords * sizeof(Record));
}

template <typename File> void BM_Copy(benchmark::State& state)
{
    constexpr std::size_t size = kRecords * sizeof(typename File::Record);
    std::vector<unsigned char> from(size, 0x5A);
    std::vector<unsigned char> to(size);
    for (auto _ : state)
    {
        std::memcpy(to.data(), from.data(), size);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * size);
}

// The file system's share: the same bytes read into memory with one call,
// and written from one block the way every save replaces a file.
template <typename File> void BM_ReadBytes(benchmark::State& state)
{
    using Record = typename File::Record;
    constexpr std::size_t size = kRecords * sizeof(Record);
    File::Save(FullLibrary<Record>(), DataDir());
    std::vector<unsigned char> to(size);
    const std::string path = (DataDir() / File::kFileName).string();
    for (auto _ : state)
    {
        std::FILE* f = std::fopen(path.c_str(), "rb");
        if (!f || std::fread(to.data(), 1, size, f) != size)
            state.SkipWithError("read failed");
        if (f)
            std::fclose(f);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * size);
}

// The load against the same read into memory the process has not touched
// yet, as a load into new records must: the first touch of every page is part
// of the price.
template <typename File> void BM_LoadAgainstFreshRead(benchmark::State& state)
{
    using Record = typename File::Record;
    File::Save(FullLibrary<Record>(), DataDir());
    LoadAgainstFreshRead(state, DataDir() / File::kFileName,
                         []
                         {
                             RecordLibrary<Record> library;
                             File::Load(library, DataDir());
                             if (library.size() != kRecords)
                                 std::abort();
                             return library;
                         });
}

template <typename File> void BM_WriteBytes(benchmark::State& state)
{
    using Record = typename File::Record;
    std::vector<std::byte> from(kRecords * sizeof(Record), std::byte{0x5A});
    const std::filesystem::path path = DataDir() / File::kFileName;
    for (auto _ : state)
        if (!WriteFileAtomically(path, from))
            state.SkipWithError("write failed");
    state.SetBytesProcessed(state.iterations() * from.size());
}

} // namespace

BENCHMARK_TEMPLATE(BM_Copy, MacroFile)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_ReadBytes, MacroFile)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_WriteBytes, MacroFile)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Load, MacroFile)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Save, MacroFile)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_LoadAgainstFreshRead, MacroFile)->UseManualTime()->Iterations(100)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Copy, GunFile)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_ReadBytes, GunFile)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_WriteBytes, GunFile)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Load, GunFile)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Save, GunFile)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_LoadAgainstFreshRead, GunFile)->UseManualTime()->Iterations(100)->Unit(benchmark::kMillisecond);
