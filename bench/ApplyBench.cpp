// Cost of an apply beyond its protocol pauses, and of encoding a profile.

#include "app/DeviceDescription.h"
#include "device/DeviceLink.h"
#include "device/DeviceMessageQueue.h"
#include "device/TransferProtocol.h"
#include "device/VirtualDriver.h"
#include "device/VirtualMouse.h"
#include "device/WindowlessLinkHost.h"
#include "model/ProfileData.h"
#include "performance/RecordingPointerBackend.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace
{

DeviceDescription BenchDescription()
{
    DeviceDescription d;
    d.m_iSensor = 3335;
    d.m_iDistance = 1;
    d.m_bPassword = true;
    d.m_abPassword = {'V', 'q', '7', '#', 'k', 'P'};
    d.m_bUpdate = false;
    for (auto& entry : d.m_aButtonCode)
        entry = {0, 0, 0, 0, 1};
    return d;
}

// Ten macros of 20 actions and three guns of 30 bullets: the most a
// profile may bind.
std::unique_ptr<ProfileData> BusyProfile()
{
    auto p = std::make_unique<ProfileData>();
    p->byMaxDpi = 8;
    for (int i = 0; i < 8; ++i)
        p->aiDpi[i] = 20 * (i + 1);
    for (int s = 0; s < 10; ++s)
    {
        ButtonData& b = p->aButton[s];
        b.byFunction = 22;
        b.iLibValue = 1;
        b.wEventCount = 20;
        for (int e = 0; e < 20; ++e)
            b.aEvent[e] = {0,
                           static_cast<uint8_t>(4 + e),
                           static_cast<uint8_t>(1 + e % 2),
                           0,
                           static_cast<uint16_t>(30 * e),
                           0,
                           0,
                           0};
    }
    for (int s = 16; s < 19; ++s)
    {
        ButtonData& b = p->aButton[s];
        b.byFunction = 121;
        b.clrGun = 0x0000FF;
        b.wEventCount = 30;
        for (int k = 0; k < 30; ++k)
            b.aBullet[k] = {k % 5 - 2, 3, 0, 90};
    }
    return p;
}

// A whole apply against the virtual mouse with the pauses taken out: the
// request on the caller's thread, the copy, the device thread's pointer
// settings, encoding, scrambling and the mouse decoding every report.
void BM_ApplyOverhead(benchmark::State& state)
{
    const DeviceDescription description = BenchDescription();
    auto mouse = std::make_shared<VirtualMouse>(description);
    const std::unique_ptr<ProfileData> profile = BusyProfile();
    WindowlessLinkHost host(profile.get());
    DeviceMessageQueue messages;
    RecordingPointerBackend pointer;
    int pauses = 0;
    DeviceLink link(
        description, "/opt/vestrel", host, messages, pointer,
        [mouse] { return MakeVirtualDriver(mouse); },
        [&pauses](int milliseconds) { pauses += milliseconds; });
    link.StartDeviceLink();
    for (auto _ : state)
    {
        link.RequestApply();
        link.WaitForApplies();
    }
    state.counters["pauses_ms_per_apply"] =
        benchmark::Counter(pauses, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ApplyOverhead)->Unit(benchmark::kMicrosecond);

// The profile turned into its framed, scrambled report stream, handed to a
// driver that accepts everything and keeps nothing.
void BM_EncodeProfile(benchmark::State& state)
{
    const DeviceDescription description = BenchDescription();
    DriverApi sink;
    sink.SetFeature = [](uint8_t*, int) { return 1; };
    sink.GetFeature = [](uint8_t*, int) { return 1; };
    sink.WriteUSB = [](uint8_t*, int) { return 1; };
    const SleepFunction noPause = [](int) {};
    TransferProtocol protocol(sink, description, noPause);
    const auto profile = BusyProfile();
    for (auto _ : state)
        protocol.SendProfile(*profile);
}
BENCHMARK(BM_EncodeProfile)->Unit(benchmark::kMicrosecond);

} // namespace
