#include "model/AtomicFile.h"

#include <cstdio>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace fs = std::filesystem;

bool WriteFileAtomically(const fs::path& path, std::span<const std::byte> bytes)
{
    return WritePiecesAtomically(path, std::span<const std::span<const std::byte>>(&bytes, 1));
}

bool WritePiecesAtomically(const fs::path& path, std::span<const std::span<const std::byte>> pieces)
{
    fs::path tmp = path;
    tmp += ".tmp";
    std::FILE* f = std::fopen(tmp.string().c_str(), "wb");
    if (!f)
        return false;
    bool ok = true;
    for (std::span<const std::byte> bytes : pieces)
        ok = ok && (bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size());
    ok = std::fflush(f) == 0 && ok;
#ifdef _WIN32
    ok = _commit(_fileno(f)) == 0 && ok;
#else
    ok = ::fsync(::fileno(f)) == 0 && ok;
#endif
    ok = std::fclose(f) == 0 && ok;
    std::error_code ec;
    if (ok)
    {
        fs::rename(tmp, path, ec);
        ok = !ec;
    }
    if (!ok)
        fs::remove(tmp, ec);
    return ok;
}

std::optional<std::vector<std::byte>> ReadWholeFile(const fs::path& path)
{
    std::error_code ec;
    if (fs::is_directory(path, ec))
        return std::nullopt;
    std::FILE* f = std::fopen(path.string().c_str(), "rb");
    if (!f)
        return std::nullopt;
    std::vector<std::byte> data;
    std::byte chunk[65536];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        data.insert(data.end(), chunk, chunk + n);
    bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed)
        return std::nullopt;
    return data;
}

void EnsureDirectory(const fs::path& dir)
{
    std::error_code ec;
    if (!fs::is_directory(dir, ec))
        fs::create_directories(dir, ec);
}
