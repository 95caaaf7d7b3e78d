// Start-up of the program to its first shown window (offscreen, no mouse
// plugged in) against a bare Qt window program, and the resident memory at
// that moment. Each start is a new process; the probe plugin ends it when its
// first window is exposed. Built only with the GUI.

#ifdef VESTREL_PROGRAM

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
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

std::vector<std::string> ProbeEnvironment(const fs::path& sandbox, const fs::path& out)
{
    const std::vector<std::string> ours = {
        "QT_QPA_PLATFORM=offscreen",
        "QT_PLUGIN_PATH=" VESTREL_PROBE_PLUGINS,
        "QT_QPA_GENERIC_PLUGINS=vestrelstartupprobe",
        "XDG_RUNTIME_DIR=" + sandbox.string(),
        "VESTREL_PROBE_OUT=" + out.string(),
    };
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

Shown StartOnce(const char* program, const fs::path& sandbox)
{
    const fs::path out = sandbox / "probe.out";
    std::error_code ec;
    fs::remove(out, ec);
    std::vector<std::string> env = ProbeEnvironment(sandbox, out);
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string name = program;
    char* argv[] = {name.data(), nullptr};

    const long long start = MonotonicNs();
    pid_t pid = 0;
    if (::posix_spawn(&pid, program, nullptr, nullptr, argv, envp.data()) != 0)
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

void BM_StartUp(benchmark::State& state, const char* program)
{
    const Sandbox sandbox;
    // The first start warms the file cache and makes the data files; the
    // measured ones are the starts a user makes every day.
    StartOnce(program, sandbox.Path());
    long residentKb = 0;
    for (auto _ : state)
    {
        const Shown shown = StartOnce(program, sandbox.Path());
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

} // namespace

BENCHMARK_CAPTURE(BM_StartUp, bare_window, VESTREL_BARE_WINDOW)
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_StartUp, vestrel, VESTREL_PROGRAM)
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

#endif
