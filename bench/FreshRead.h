#pragma once
// A file's bytes read with one call into memory the process has not touched
// yet: the floor every load is measured against.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

// The bytes stay with the caller, so that giving the memory back is not timed.
inline std::unique_ptr<std::byte[]> ReadIntoFreshMemory(benchmark::State& state,
                                                        const std::filesystem::path& file,
                                                        std::size_t size)
{
    std::unique_ptr<std::byte[]> to(new std::byte[size]);
    std::FILE* f = std::fopen(file.c_str(), "rb");
    if (!f || std::fread(to.get(), 1, size, f) != size)
        state.SkipWithError("read failed");
    if (f)
        std::fclose(f);
    benchmark::DoNotOptimize(to.get());
    benchmark::ClobberMemory();
    return to;
}

// A load against reading its file into fresh memory, the two in turn and in
// alternating order. On this virtual machine memory the host has backed
// before fills several times faster, so two benchmarks run one after the
// other can meet two different machines; taken in turn, both meet the same.
// load() returns what it loaded.
// Medians of the rounds in the counters "load_ms" and "floor_ms".
template <typename Load>
void LoadAgainstFreshRead(benchmark::State& state, const std::filesystem::path& file, Load load)
{
    using Clock = std::chrono::steady_clock;
    const auto ms = [](Clock::duration d)
    { return std::chrono::duration<double, std::milli>(d).count(); };
    const std::size_t size = std::filesystem::file_size(file);
    std::vector<double> loads;
    std::vector<double> floors;
    // What a step returns is let go after its time is taken.
    const auto timed = [&ms](auto step, std::vector<double>& times)
    {
        const auto start = Clock::now();
        const auto kept = step();
        const Clock::duration took = Clock::now() - start;
        times.push_back(ms(took));
        return took;
    };
    const auto readFresh = [&] { return ReadIntoFreshMemory(state, file, size); };
    for (auto _ : state)
    {
        const bool bLoadFirst = loads.size() % 2 == 0;
        Clock::duration round = bLoadFirst ? timed(load, loads) : timed(readFresh, floors);
        round += bLoadFirst ? timed(readFresh, floors) : timed(load, loads);
        state.SetIterationTime(std::chrono::duration<double>(round).count());
    }
    const auto median = [](std::vector<double>& v)
    {
        std::sort(v.begin(), v.end());
        return v.empty() ? 0.0 : v[v.size() / 2];
    };
    state.counters["load_ms"] = median(loads);
    state.counters["floor_ms"] = median(floors);
}
