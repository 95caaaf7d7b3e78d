// Start-up of the program to its first shown window (offscreen, no mouse
// plugged in) against a bare Qt window program, and the resident memory at
// that moment: with the default data, and with a large library (5,000
// profiles, 10,000 macros, 10,000 guns) against reading those files' bytes.
// Each start is a new process; the probe plugin ends it when its first window
// is exposed. Built only with the GUI.

#ifdef VESTREL_PROGRAM

#include "bench/FreshRead.h"
#include "guns/GunLibrary.h"
#include "macros/MacroLibrary.h"
#include "model/NameField.h"
#include "model/ProfileData.h"
#include "model/SettingsFiles.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

namespace
{

// A private runtime folder, so the single-instance lock of a copy the user
// runs does not stop the measured one.
class Sandbox
{
public:
    Sandbox()
        : m_path(fs::temp_directory_path() / ("vestrel-startup-" + std::to_string(::getpid())))
    {
        fs::create_directories(m_path);
        fs::permissions(m_path, fs::perms::owner_all);
    }
    ~Sandbox()
    {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    const fs::path& Path() const { return m_path; }

private:
    fs::path m_path;
};

struct Shown
{
    bool ok = false;
    double seconds = 0;
    long residentKb = 0;
};

long long MonotonicNs()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

std::vector<std::string> ProbeEnvironment(const fs::path& sandbox, const fs::path& out,
                                          const char* driver)
{
    std::vector<std::string> ours = {
        "QT_QPA_PLATFORM=offscreen",
        "QT_PLUGIN_PATH=" VESTREL_PROBE_PLUGINS,
        "QT_QPA_GENERIC_PLUGINS=vestrelstartupprobe",
        "XDG_RUNTIME_DIR=" + sandbox.string(),
        "VESTREL_PROBE_OUT=" + out.string(),
    };
    if (driver != nullptr)
        ours.push_back(std::string("VESTREL_DRIVER=") + driver);
    std::vector<std::string> env = ours;
    for (char** e = environ; *e != nullptr; ++e)
    {
        const std::string entry = *e;
        const std::string key = entry.substr(0, entry.find('=') + 1);
        if (std::none_of(ours.begin(), ours.end(),
                         [&key](const std::string& o) { return o.starts_with(key); }))
            env.push_back(entry);
    }
    return env;
}

// `driver`, when given, is the VESTREL_DRIVER the program starts with.
Shown StartOnce(const std::string& program, const fs::path& sandbox, const char* arg = nullptr,
                const char* driver = nullptr)
{
    const fs::path out = sandbox / "probe.out";
    std::error_code ec;
    fs::remove(out, ec);
    std::vector<std::string> env = ProbeEnvironment(sandbox, out, driver);
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string name = program;
    std::string extra = arg != nullptr ? arg : "";
    char* argv[] = {name.data(), arg != nullptr ? extra.data() : nullptr, nullptr};

    const long long start = MonotonicNs();
    pid_t pid = 0;
    if (::posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, envp.data()) != 0)
        return {};
    int status = 0;
    ::waitpid(pid, &status, 0);

    Shown shown;
    long long exposedNs = 0;
    std::ifstream in(out);
    if (in >> exposedNs >> shown.residentKb)
    {
        shown.ok = true;
        shown.seconds = static_cast<double>(exposedNs - start) / 1e9;
    }
    return shown;
}

// A program folder of its own in $TMPDIR with a large library: a copy of the
// program and its files, 5,000 profiles (the factory profile under new
// names), 10,000 macros and 10,000 guns of random bytes. Made once per run.
class LargeProgramFolder
{
public:
    static constexpr std::size_t kProfiles = 5000;
    static constexpr std::size_t kLibraryRecords = 10000;

    static const LargeProgramFolder& Get()
    {
        static const LargeProgramFolder folder;
        return folder;
    }
    ~LargeProgramFolder()
    {
        std::error_code ec;
        fs::remove_all(m_path, ec);
    }
    std::string Program() const { return (m_path / "vestrel").string(); }
    const std::vector<fs::path>& RecordFiles() const { return m_files; }
    std::size_t RecordBytes() const
    {
        std::size_t bytes = 0;
        for (const fs::path& file : m_files)
            bytes += fs::file_size(file);
        return bytes;
    }

private:
    LargeProgramFolder()
        : m_path(fs::temp_directory_path() / ("vestrel-large-" + std::to_string(::getpid())))
    {
        const fs::path built = fs::path(VESTREL_PROGRAM).parent_path();
        fs::create_directories(m_path / "Data");
        fs::copy_file(VESTREL_PROGRAM, m_path / "vestrel");
        for (const char* file : {"Data.ini", "logo.png", "Data/Default.pbin"})
            fs::copy_file(built / file, m_path / file);
        fs::copy(built / "res", m_path / "res", fs::copy_options::recursive);

        auto profile = std::make_unique<ProfileData>();
        std::ifstream(built / "Data/Default.pbin", std::ios::binary)
            .read(reinterpret_cast<char*>(profile.get()), sizeof(ProfileData));
        std::ofstream profiles(m_path / "Data" / kProfilesFile, std::ios::binary);
        for (std::size_t i = 0; i < kProfiles; ++i)
        {
            const std::string name = "Profile " + std::to_string(i + 1);
            SetNameField(profile->szName, std::u16string(name.begin(), name.end()));
            profiles.write(reinterpret_cast<const char*>(profile.get()), sizeof(ProfileData));
        }
        m_files.push_back(m_path / "Data" / kProfilesFile);
        WriteRandomRecords(m_path / "Data" / kMacroFileName, sizeof(MacroData));
        WriteRandomRecords(m_path / "Data" / kGunFileName, sizeof(GunData));
        const int32_t state[2] = {0, 2}; // the first profile, in English
        std::ofstream(m_path / "Data" / kAppStateFile, std::ios::binary)
            .write(reinterpret_cast<const char*>(state), sizeof(state));
    }

    void WriteRandomRecords(const fs::path& file, std::size_t recordSize)
    {
        std::mt19937 random(1);
        std::vector<char> bytes(recordSize * kLibraryRecords);
        for (char& b : bytes)
            b = static_cast<char>(random());
        std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<long>(bytes.size()));
        m_files.push_back(file);
    }

    fs::path m_path;
    std::vector<fs::path> m_files;
};

void BM_StartUp(benchmark::State& state, const std::string& program, const char* arg)
{
    const Sandbox sandbox;
    // The first start warms the file cache and makes the data files; the
    // measured ones are the starts a user makes every day.
    StartOnce(program, sandbox.Path(), arg);
    long residentKb = 0;
    for (auto _ : state)
    {
        const Shown shown = StartOnce(program, sandbox.Path(), arg);
        if (!shown.ok)
        {
            state.SkipWithError("no window was shown");
            break;
        }
        state.SetIterationTime(shown.seconds);
        residentKb = std::max(residentKb, shown.residentKb);
    }
    state.counters["resident_MB"] = static_cast<double>(residentKb) / 1024.0;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

void BM_StartUpInTurn(benchmark::State& state)
{
    struct Program
    {
        std::string name;
        std::string path;
        const char* arg;
        const char* driver;
        std::vector<double> ms;
        long residentKb = 0;
    };
    // "vestrel_mouse" has the virtual mouse plugged in: its start-up
    // exchange and firmware read, and the mouse's panel beside the window.
    std::vector<Program> programs = {{"bare_window", VESTREL_BARE_WINDOW, nullptr, nullptr, {}},
                                     {"bare_window_text", VESTREL_BARE_WINDOW, "--text", nullptr, {}},
                                     {"vestrel", VESTREL_PROGRAM, nullptr, nullptr, {}},
                                     {"vestrel_mouse", VESTREL_PROGRAM, nullptr, "virtual", {}}};
    const Sandbox sandbox;
    for (const Program& p : programs)
        StartOnce(p.path, sandbox.Path(), p.arg, p.driver);
    for (auto _ : state)
    {
        double round = 0;
        for (Program& p : programs)
        {
            const Shown shown = StartOnce(p.path, sandbox.Path(), p.arg, p.driver);
            if (!shown.ok)
            {
                state.SkipWithError((p.name + " showed no window").c_str());
                return;
            }
            p.ms.push_back(shown.seconds * 1e3);
            p.residentKb = std::max(p.residentKb, shown.residentKb);
            round += shown.seconds;
        }
        state.SetIterationTime(round);
    }
    for (const Program& p : programs)
    {
        state.counters[p.name + "_ms"] = Median(p.ms);
        state.counters[p.name + "_MB"] = static_cast<double>(p.residentKb) / 1024.0;
    }
}

void BM_StartUpLarge(benchmark::State& state)
{
    const LargeProgramFolder& folder = LargeProgramFolder::Get();
    BM_StartUp(state, folder.Program(), nullptr);
    state.counters["record_MB"] = static_cast<double>(folder.RecordBytes()) / (1024.0 * 1024.0);
}

// What the large start-up cannot avoid: the files' bytes read into memory the
// process has not touched yet, as a load into the records must.
void BM_ReadLargeRecordsToFreshMemory(benchmark::State& state)
{
    const LargeProgramFolder& folder = LargeProgramFolder::Get();
    for (auto _ : state)
    {
        std::vector<std::unique_ptr<std::byte[]>> read;
        for (const fs::path& file : folder.RecordFiles())
            read.push_back(ReadIntoFreshMemory(state, file, fs::file_size(file)));
        state.PauseTiming(); // the start-up never gives them back
        read.clear();
        state.ResumeTiming();
    }
}

} // namespace

// The bare window, the bare window with one line of text (Qt's own font
// start, which any window that shows a word pays) and the program, started in
// turn: a machine that slows down or speeds up during the run weighs on all
// three alike, so their ratios hold. Medians of the rounds, in counters.
BENCHMARK(BM_StartUpInTurn)->UseManualTime()->Iterations(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartUpLarge)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadLargeRecordsToFreshMemory)->Iterations(3)->Unit(benchmark::kMillisecond);

#endif
