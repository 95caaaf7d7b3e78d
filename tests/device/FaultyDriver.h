#pragma once
// A driver that misbehaves on purpose, wrapped around a working one: it
// refuses reports, loses the mouse in the middle of a transfer, answers the
// 0x8B and 0x80 reads with garbage or not at all, and is slow. The faults
// are chosen up front; the wrapper is safe to call from the UI thread and
// the device thread.

#include "device/DriverApi.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>

enum class ReadFault
{
    None,    // passed on to the mouse
    Garbage, // "succeeds" with bytes of its own
    Nothing  // fails and leaves the buffer as it was
};

struct DriverFaults
{
    // Every n-th SetFeature or WriteUSB is refused without reaching the mouse (0 = never).
    int refuseEvery = 0;
    // After this many SetFeature/WriteUSB calls `drop` runs once (0 = never).
    int dropAfter = 0;
    ReadFault startupAnswer = ReadFault::None;  // the 0x8B read
    ReadFault firmwareAnswer = ReadFault::None; // the 0x80 read
    // Every call of a report entry point takes this long.
    std::chrono::microseconds delay{0};
};

class FaultyDriver
{
public:
    // `drop` takes the mouse away (e.g. VirtualMouse::Unplug).
    FaultyDriver(DriverApi inner, DriverFaults faults, std::function<void()> drop = {});

    // Slots that share this wrapper's counters; they keep it alive.
    DriverApi Api() const;

    // Only while no call is running (e.g. between applies).
    void SetFaults(const DriverFaults& faults) { m_state->faults = faults; }

    int Refused() const { return m_state->refused.load(); }
    int GarbageAnswers() const { return m_state->garbage.load(); }

private:
    struct State
    {
        DriverApi inner;
        DriverFaults faults;
        std::function<void()> drop;
        std::atomic<int> sends{0};
        std::atomic<int> refused{0};
        std::atomic<int> garbage{0};
        std::atomic<uint32_t> noise{0x9E3779B9u};
    };

    std::shared_ptr<State> m_state;
};
