// Recording on the macro page built from the shipped skin: the cost of one
// recorded event (translation, recorder, list update) with the list near its
// 40 actions, and how far a stored pause lies from the difference of the two
// events' timestamps when the program handles them late.

#include "app/StartupData.h"
#include "bench/gui/MacroPageHost.h"
#include "macros/MacroLibrary.h"
#include "ui/CheckBoxUI.h"
#include "ui/ListUI.h"
#include "ui/OptionUI.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <thread>
#include <unistd.h>

namespace
{
namespace fs = std::filesystem;

// A program folder with the shipped res/ and a library of one macro of
// `actions` key actions.
class Fixture
{
public:
    explicit Fixture(int actions)
        : m_dir(fs::temp_directory_path() / ("vestrel-recording-bench-" + std::to_string(getpid())))
    {
        g_vecMacro.clear();
        AppendFolderEntry(g_vecMacro, u"Bench");
        const int index = AppendMacro(g_vecMacro, u"Bench", u"Combo");
        for (int i = 0; i < actions; ++i)
        {
            MacroAction& a = g_vecMacro[index]->aAction[i];
            a.byCode = static_cast<uint8_t>(4 + i % 26);
            a.byKind = static_cast<uint8_t>(1 + i % 2);
            a.wDelay = 10;
        }
        g_vecMacro[index]->wActionCount = static_cast<uint16_t>(actions);
        g_vecProfile.clear();
        g_vecProfile.push_back(std::make_unique<ProfileData>());
        g_pCurProfile = g_vecProfile[0].get();

        m_host.Open(m_dir);
    }
    ~Fixture()
    {
        m_host.Close(m_dir);
    }

    CMacroPage& Page() { return m_host.page; }
    CControlUI* Find(const char* name) { return m_host.Find(name); }
    // Selects the macro with its first `actions` actions, which loads them
    // into the list.
    void LoadMacro(int actions)
    {
        g_vecMacro[1]->wActionCount = static_cast<uint16_t>(actions);
        auto* list = dynamic_cast<CListUI*>(Find("macro_list"));
        list->SelectItem(-1, false, false);
        list->SelectItem(0);
    }
    void ToggleRecording()
    {
        auto* box = dynamic_cast<CCheckBoxUI*>(Find("btn_record"));
        box->SetCheck(!box->GetCheck());
        m_host.GetPaintManager()->SendNotify(box, DUI_MSGTYPE_CHECKCLICK);
    }
    QWindow* Window() { return m_host.GetWidget()->windowHandle(); }

private:
    fs::path m_dir;
    MacroPageHost m_host;
};

// A press and its release recorded into a macro of 36 actions, so the list
// holds 36 and then 37 items when they arrive (the 39th would end the
// recording, whose save is not an event's cost); starting and stopping are
// not counted.
void BM_RecordEvent(benchmark::State& state)
{
    Fixture fixture(36);
    for (auto _ : state)
    {
        fixture.LoadMacro(36);
        fixture.ToggleRecording();
        // The event loop runs between hook messages, as in the program.
        QApplication::processEvents();
        using Clock = std::chrono::steady_clock;
        const auto start = Clock::now();
        fixture.Page().OnHookEvent(0x41, 0);
        auto elapsed = Clock::now() - start;
        QApplication::processEvents();
        const auto second = Clock::now();
        fixture.Page().OnHookEvent(0x41, 1);
        elapsed += Clock::now() - second;
        state.SetIterationTime(std::chrono::duration<double>(elapsed).count() / 2);
        fixture.ToggleRecording();
        if (g_vecMacro[1]->wActionCount != 38)
        {
            state.SkipWithError("the events were not recorded");
            break;
        }
    }
}
BENCHMARK(BM_RecordEvent)->UseManualTime()->Iterations(100)->Unit(benchmark::kMillisecond);

// Two key events 37 ms apart by their stamps, handled by the page 25 ms
// after they happened and after 40 ms of other work: the stored pause.
void BM_RecordedPause(benchmark::State& state)
{
    Fixture fixture(0);
    dynamic_cast<COptionUI*>(fixture.Find("macro_delay_option_3"))->Selected(true);
    double worst = 0;
    for (auto _ : state)
    {
        fixture.LoadMacro(0);
        fixture.ToggleRecording();
        const auto key = [&](QEvent::Type type, ulong ms)
        {
            QKeyEvent event(type, Qt::Key_A, Qt::NoModifier);
            event.setTimestamp(ms);
            QCoreApplication::sendEvent(fixture.Window(), &event);
        };
        key(QEvent::KeyPress, 100'000);
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
        key(QEvent::KeyRelease, 100'037);
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
        QCoreApplication::sendPostedEvents();
        fixture.ToggleRecording();
        const MacroData& macro = *g_vecMacro[1];
        const double error =
            macro.wActionCount == 2 ? std::abs(macro.aAction[0].wDelay - 37.0) : 1e9;
        worst = std::max(worst, error);
    }
    state.counters["pause_error_ms"] = worst;
    if (worst > 1)
        state.SkipWithError("a stored pause is more than 1 ms off its timestamps");
}
BENCHMARK(BM_RecordedPause)->Iterations(20)->Unit(benchmark::kMillisecond);
} // namespace
