#include "tests/support/TempProgramFolder.h"

#include <atomic>
#include <fstream>
#include <random>
#include <stdexcept>

namespace fs = std::filesystem;

fs::path SourceDir()
{
    return fs::path(VESTREL_SOURCE_DIR);
}

TempProgramFolder::TempProgramFolder()
{
    static std::atomic<unsigned> counter{0};
    std::random_device rd;
    fs::path base = fs::temp_directory_path();
    for (;;)
    {
        m_path = base / ("vestrel-test-" + std::to_string(rd()) + "-" + std::to_string(counter++));
        if (fs::create_directory(m_path))
            break;
    }
    fs::copy_file(SourceDir() / "data" / "Data.ini", m_path / "Data.ini");
    if (fs::exists(SourceDir() / "res"))
        fs::copy(SourceDir() / "res", m_path / "res", fs::copy_options::recursive);
}

TempProgramFolder::~TempProgramFolder()
{
    std::error_code ec;
    fs::remove_all(m_path, ec);
}

void TempProgramFolder::WriteIni(std::string_view text) const
{
    std::ofstream(m_path / "Data.ini", std::ios::binary | std::ios::trunc)
        .write(text.data(), static_cast<std::streamsize>(text.size()));
}

void TempProgramFolder::WriteFile(const fs::path& relative, const void* data, std::size_t size) const
{
    fs::path p = m_path / relative;
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary | std::ios::trunc)
        .write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
}

std::vector<std::byte> TempProgramFolder::ReadFile(const fs::path& relative) const
{
    std::ifstream in(m_path / relative, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + (m_path / relative).string());
    std::vector<char> raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::byte> out(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i)
        out[i] = static_cast<std::byte>(raw[i]);
    return out;
}
