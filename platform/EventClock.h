#pragma once
// Input event timestamps (milliseconds of the window system's clock, which
// wraps at 2^32) placed on the steady clock. The first event after a Reset
// fixes the offset, so the pause between two events is exactly the
// difference of their timestamps, whenever the program handles them.

#include <cstdint>

class EventClock
{
public:
    // The steady-clock microseconds of an event stamped iMs; an event without
    // a stamp (0) is taken as happening now.
    int64_t ToSteadyUs(uint32_t iMs);
    void Reset() { m_bStarted = false; }

    static int64_t SteadyNowUs();

private:
    bool m_bStarted = false;
    uint32_t m_iLastMs = 0;
    int64_t m_iLastUs = 0;
};
