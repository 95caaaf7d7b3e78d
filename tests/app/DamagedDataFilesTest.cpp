// Files of the data folder that exist but cannot be read whole: each kind of
// damage, for each settings and library file, through the start-up load as
// the program and vestrelctl run it. The damaged file must survive byte for
// byte under a new name, every other file must stay as it was, and a run
// that only reads must change nothing at all.

#include "app/LanguageChoice.h"
#include "app/StartupData.h"
#include "tests/support/RandomRecord.h"
#include "tests/support/TempProgramFolder.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace
{

struct DataFile
{
    const char* name;
    std::size_t recordSize;
    std::size_t maxRecords;
    std::size_t records; // in the whole file the test starts from
};

const DataFile kFiles[] = {
    {kAppStateFile, sizeof(AppState), 1, 1},
    {kProfilesFile, sizeof(ProfileData), kMaxProfiles, 3},
    {kMacroFileName, sizeof(MacroData), kMaxLibraryRecords, 4},
    {kGunFileName, sizeof(GunData), kMaxLibraryRecords, 2},
};

std::vector<std::byte> RandomBytes(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<std::byte> bytes(size);
    for (auto& b : bytes)
        b = static_cast<std::byte>(random());
    return bytes;
}

// What a folder holds: each entry's type and, for a regular file, its bytes
// (its size only when large); read without ever opening a FIFO or device.
using Snapshot = std::map<std::string, std::pair<fs::file_type, std::vector<std::byte>>>;

Snapshot Take(const TempProgramFolder& dir)
{
    Snapshot snapshot;
    for (const auto& entry : fs::directory_iterator(dir.DataDir()))
    {
        const fs::file_type type = entry.symlink_status().type();
        std::vector<std::byte> content;
        if (type == fs::file_type::regular && entry.file_size() < (1u << 20))
            content = dir.ReadFile(fs::path("Data") / entry.path().filename());
        else if (type == fs::file_type::regular)
            content.resize(entry.file_size() % 4096 + 1); // stands in for the size
        else if (type == fs::file_type::symlink)
        {
            const std::string target = fs::read_symlink(entry.path()).string();
            content = std::vector<std::byte>(reinterpret_cast<const std::byte*>(target.data()),
                                             reinterpret_cast<const std::byte*>(target.data()) +
                                                 target.size());
        }
        snapshot[entry.path().filename().string()] = {type, std::move(content)};
    }
    return snapshot;
}

class DamagedDataFiles : public ::testing::Test
{
protected:
    // A folder of four whole files with random records; Data.bin names
    // profile 1 in English.
    void WriteWholeFiles()
    {
        for (const DataFile& file : kFiles)
        {
            std::vector<std::byte> bytes = RandomBytes(file.recordSize * file.records, 7);
            if (file.recordSize == sizeof(AppState))
                bytes = std::vector<std::byte>{std::byte{1}, {}, {}, {}, std::byte{2}, {}, {}, {}};
            m_dir.WriteFile(fs::path("Data") / file.name, bytes.data(), bytes.size());
        }
    }

    LoadReport Load(DataAccess access)
    {
        auto data = std::make_unique<StartupData>();
        MacroLibrary macros;
        GunLibrary guns;
        LoadReport report = LoadStartupData(*data, {m_dir.Path(), m_dir.DataDir()},
                                            kLangIdEnglishUS, macros, guns, access);
        m_profiles = data->profiles.size();
        m_macros = macros.size();
        m_guns = guns.size();
        return report;
    }

    fs::path Path(const DataFile& file) const { return m_dir.DataDir() / file.name; }

    TempProgramFolder m_dir;
    std::size_t m_profiles = 0, m_macros = 0, m_guns = 0;
};

struct Damage
{
    const char* name;
    DamageKind kind;
    std::function<void(const fs::path&, const DataFile&)> make;
};

const Damage kDamages[] = {
    {"one byte short", DamageKind::PartialRecord,
     [](const fs::path& p, const DataFile&) { fs::resize_file(p, fs::file_size(p) - 1); }},
    {"over the cap", DamageKind::TooLarge,
     [](const fs::path& p, const DataFile& file) // sparse: no disk space taken
     { fs::resize_file(p, file.recordSize * (file.maxRecords + 1)); }},
    {"a FIFO", DamageKind::NotRegularFile,
     [](const fs::path& p, const DataFile&)
     {
         fs::remove(p);
         ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0);
     }},
    {"a link to /dev/zero", DamageKind::NotRegularFile,
     [](const fs::path& p, const DataFile&)
     {
         fs::remove(p);
         fs::create_symlink("/dev/zero", p);
     }},
    {"a folder", DamageKind::NotRegularFile,
     [](const fs::path& p, const DataFile&)
     {
         fs::remove(p);
         fs::create_directories(p / "something");
     }},
};

} // namespace

TEST_F(DamagedDataFiles, AreKeptAsideWhileTheRestStaysAndReadingOnlyChangesNothing)
{
    for (const DataFile& file : kFiles)
        for (const Damage& damage : kDamages)
        {
            SCOPED_TRACE(std::string(file.name) + " " + damage.name);
            fs::remove_all(m_dir.DataDir());
            WriteWholeFiles();
            damage.make(Path(file), file);
            const Snapshot before = Take(m_dir);

            // vestrelctl's reading commands: told, nothing touched.
            LoadReport report = Load(DataAccess::ReadOnly);
            EXPECT_TRUE(Take(m_dir) == before);
            ASSERT_EQ(report.damaged.size(), 1u);
            EXPECT_TRUE(report.damaged[0].keptAs.empty());

            report = Load(DataAccess::ReadWrite);
            ASSERT_EQ(report.damaged.size(), 1u);
            const DamagedFile& damaged = report.damaged[0];
            EXPECT_EQ(damaged.file, Path(file));
            EXPECT_EQ(damaged.kind, damage.kind);
            EXPECT_TRUE(report.failedSaves.empty());
            ASSERT_EQ(damaged.keptAs.parent_path(), m_dir.DataDir());
            const std::string kept = damaged.keptAs.filename().string();
            EXPECT_TRUE(kept.starts_with(std::string(file.name) + ".damaged-")) << kept;

            // The damaged file lives on, exactly as it was, under its new
            // name; every other file is as before.
            Snapshot after = Take(m_dir);
            ASSERT_EQ(after.count(kept), 1u);
            EXPECT_TRUE(after[kept] == before.at(file.name));
            for (const auto& [name, entry] : before)
                if (name != file.name)
                    EXPECT_TRUE(after.at(name) == entry) << name;

            // The load goes on with what it could read; what it took is the
            // file's whole records, saved anew, or the defaults.
            const bool bPartial = damage.kind == DamageKind::PartialRecord;
            const std::size_t kept_records = bPartial ? file.records - 1 : 0;
            if (file.recordSize == sizeof(ProfileData))
                EXPECT_EQ(m_profiles, bPartial ? kept_records : 1u);
            if (file.recordSize == sizeof(MacroData))
                EXPECT_EQ(m_macros, kept_records);
            if (file.recordSize == sizeof(GunData))
                EXPECT_EQ(m_guns, kept_records);
            if (bPartial && kept_records > 0)
            {
                const auto whole = RandomBytes(file.recordSize * file.records, 7);
                EXPECT_TRUE(after.at(file.name).second ==
                            std::vector<std::byte>(whole.begin(),
                                                   whole.begin() + kept_records * file.recordSize));
            }

            // Told once: the next start finds nothing wrong.
            EXPECT_TRUE(Load(DataAccess::ReadWrite).Empty());
        }
}

TEST_F(DamagedDataFiles, AFileTheUserCannotOpenIsKeptNotReplaced)
{
    // Root opens anything, so the program runs as nobody in a child; the
    // files stay root's and private.
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to run a child as another user";
    WriteWholeFiles();
    for (const DataFile& file : kFiles)
        ::chmod(Path(file).c_str(), 0600);
    ::chmod(m_dir.Path().c_str(), 0777);
    ::chmod(m_dir.DataDir().c_str(), 0777);
    ::chmod((m_dir.Path() / "Data.ini").c_str(), 0644);
    const Snapshot before = Take(m_dir);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0)
    {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(2);
        const LoadReport report = Load(DataAccess::ReadWrite);
        bool ok = report.damaged.size() == std::size(kFiles) && report.failedSaves.empty();
        for (const DamagedFile& damaged : report.damaged)
            ok = ok && damaged.kind == DamageKind::Unreadable && !damaged.keptAs.empty();
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);

    // Each original is there under its new name, byte for byte.
    Snapshot after = Take(m_dir);
    for (const DataFile& file : kFiles)
    {
        const auto copy =
            std::find_if(after.begin(), after.end(),
                         [&](const auto& entry)
                         { return entry.first.starts_with(file.name + std::string(".damaged-")); });
        ASSERT_NE(copy, after.end()) << file.name;
        EXPECT_TRUE(copy->second == before.at(file.name)) << file.name;
    }
}
