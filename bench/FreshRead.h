#pragma once
// A file's bytes read with one call into memory the process has not touched
// yet: the floor every load is measured against.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <memory>

inline void ReadIntoFreshMemory(benchmark::State& state, const std::filesystem::path& file,
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
}
