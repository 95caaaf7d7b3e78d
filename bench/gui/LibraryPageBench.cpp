// Library operations on the macro page at 10,000 macros: importing a folder
// file of 10,000 macros into a library of 10,000, and choosing a folder of
// 10,000 in the folder combo. Each is timed from the user's action to the
// window having handled the events it caused; "longest_step_ms" is the
// longest stretch in that time the window could not repaint.
//
// VESTREL_BENCH_DATA_OUT=<folder> leaves macro.bin (a library of 10,000
// macros) and big.mbins (10,000 more) there, to try the program with.

#include "app/StartupData.h"
#include "bench/gui/MacroPageHost.h"
#include "macros/MacroExchange.h"
#include "macros/MacroLibrary.h"
#include "platform/DesktopServices.h"
#include "ui/ComboUI.h"
#include "ui/ListUI.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace
{
namespace fs = std::filesystem;
constexpr int kMacros = 10'000;

// Every open dialog picks the folder file.
class PickingDesktop : public DesktopServices
{
public:
    fs::path file;
    std::optional<fs::path> GetOpenFileName(const FileDialogRequest&) override { return file; }
    std::optional<fs::path> GetSaveFileName(const FileDialogRequest&) override { return file; }
    bool OpenAddress(const QString&) override { return true; }
    bool StartProgram(const fs::path&) override { return true; }
    bool HasTray() override { return false; }
};

void AddFolder(MacroLibrary& library, const std::u16string& folder, int count)
{
    AppendFolderEntry(library, folder);
    for (int i = 0; i < count; ++i)
    {
        const std::u16string name = u"Macro " + QString::number(i).toStdU16String();
        MacroData& macro = *library[static_cast<std::size_t>(AppendMacro(library, folder, name))];
        macro.wActionCount = 2;
        for (int a = 0; a < 2; ++a)
        {
            macro.aAction[a].byCode = 4;
            macro.aAction[a].byKind = a == 0 ? kMacroKindPress : kMacroKindRelease;
            macro.aAction[a].wDelay = 10;
        }
    }
}

struct Steps
{
    double total = 0;
    double longest = 0;
};

// Runs the action, then lets the window handle what it caused (layout,
// paint, deferred deletes), each pass being one step.
template <typename Action> Steps TimeSteps(Action&& action)
{
    using Clock = std::chrono::steady_clock;
    Steps steps;
    const auto step = [&](auto&& work)
    {
        const auto start = Clock::now();
        work();
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        steps.total += ms;
        steps.longest = std::max(steps.longest, ms);
    };
    step(action);
    for (int pass = 0; pass < 3; ++pass)
        step([] { QCoreApplication::processEvents(); });
    return steps;
}

class Fixture
{
public:
    Fixture()
        : m_dir(fs::temp_directory_path() / ("vestrel-library-bench-" + std::to_string(getpid())))
    {
        BenchApp();
        g_vecMacro.clear();
        AddFolder(g_vecMacro, u"Library", kMacros);
        AddFolder(g_vecMacro, u"Small", 1);
        m_library = g_vecMacro;
        g_vecProfile.clear();
        g_vecProfile.push_back(std::make_unique<ProfileData>());
        g_pCurProfile = g_vecProfile[0].get();
        m_host.Open(m_dir);

        MacroLibrary exported;
        AddFolder(exported, u"Imported", kMacros);
        m_desktop.file = m_dir / "big.mbins";
        WriteMacroFolderFile(m_desktop.file, exported, u"Imported", false);
        SetDesktopServices(&m_desktop);
        if (const char* out = std::getenv("VESTREL_BENCH_DATA_OUT"))
        {
            SaveMacroLibrary(m_library, out);
            fs::copy_file(m_desktop.file, fs::path(out) / "big.mbins",
                          fs::copy_options::overwrite_existing);
        }
    }
    ~Fixture()
    {
        SetDesktopServices(nullptr);
        m_host.Close(m_dir);
    }

    // The library of 10,000 again, its first folder shown.
    void Reset()
    {
        m_host.saves.Flush(); // the last run's save, written meanwhile
        g_vecMacro = m_library;
        m_host.page.LoadFolders();
        QCoreApplication::processEvents();
    }
    std::size_t LibrarySize() const { return m_library.size(); }
    CMacroPage& Page() { return m_host.page; }
    CComboUI* Folders() { return dynamic_cast<CComboUI*>(m_host.Find("macro_combo")); }
    CListUI* Macros() { return dynamic_cast<CListUI*>(m_host.Find("macro_list")); }

private:
    fs::path m_dir;
    MacroPageHost m_host;
    PickingDesktop m_desktop;
    MacroLibrary m_library;
};

void Report(benchmark::State& state, const Steps& steps, double& longest)
{
    state.SetIterationTime(steps.total / 1e3);
    longest = std::max(longest, steps.longest);
    state.counters["longest_step_ms"] = longest;
}

void BM_ImportFolder(benchmark::State& state)
{
    Fixture fixture;
    double longest = 0;
    for (auto _ : state)
    {
        state.PauseTiming();
        fixture.Reset();
        state.ResumeTiming();
        const Steps steps = TimeSteps([&] { fixture.Page().ImportFolder(); });
        Report(state, steps, longest);
        if (g_vecMacro.size() != fixture.LibrarySize() + kMacros + 1) // and a folder entry
        {
            state.SkipWithError("the folder was not imported");
            break;
        }
    }
}
BENCHMARK(BM_ImportFolder)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

void BM_SelectFolder(benchmark::State& state)
{
    Fixture fixture;
    fixture.Reset();
    double longest = 0;
    for (auto _ : state)
    {
        fixture.Folders()->SelectItem(1);
        QCoreApplication::processEvents();
        const Steps steps = TimeSteps([&] { fixture.Folders()->SelectItem(0); });
        Report(state, steps, longest);
        if (fixture.Macros()->GetCount() != kMacros)
        {
            state.SkipWithError("the folder's macros are not listed");
            break;
        }
    }
}
BENCHMARK(BM_SelectFolder)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
} // namespace
