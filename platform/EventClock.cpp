#include "platform/EventClock.h"

#include <chrono>

int64_t EventClock::SteadyNowUs()
{
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

int64_t EventClock::ToSteadyUs(uint32_t iMs)
{
    if (iMs == 0)
        return SteadyNowUs();
    if (!m_bStarted)
    {
        m_bStarted = true;
        m_iLastMs = iMs;
        m_iLastUs = SteadyNowUs();
        return m_iLastUs;
    }
    // A signed 32-bit step survives the wrap and a slightly older stamp.
    const auto step = static_cast<int32_t>(iMs - m_iLastMs);
    m_iLastMs = iMs;
    m_iLastUs += int64_t{step} * 1000;
    return m_iLastUs;
}
