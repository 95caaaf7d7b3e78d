#include "tests/device/FaultyDriver.h"

#include <thread>

namespace
{

// One send through `slot`, unless this is the refused one; the drop comes
// after the send that reaches its count.
template <typename State>
int Send(State& s, const std::function<int(uint8_t*, int)>& slot, uint8_t* buffer, int length)
{
    std::this_thread::sleep_for(s.faults.delay);
    const int n = ++s.sends;
    int result = 0;
    if (s.faults.refuseEvery > 0 && n % s.faults.refuseEvery == 0)
        ++s.refused;
    else
        result = CallDriver(slot, buffer, length);
    if (n == s.faults.dropAfter && s.drop)
        s.drop();
    return result;
}

} // namespace

FaultyDriver::FaultyDriver(DriverApi inner, DriverFaults faults, std::function<void()> drop)
    : m_state(std::make_shared<State>())
{
    m_state->inner = std::move(inner);
    m_state->faults = faults;
    m_state->drop = std::move(drop);
}

DriverApi FaultyDriver::Api() const
{
    DriverApi api = m_state->inner;
    std::shared_ptr<State> s = m_state;
    api.SetFeature = [s](uint8_t* buffer, int length)
    { return Send(*s, s->inner.SetFeature, buffer, length); };
    api.WriteUSB = [s](uint8_t* buffer, int length)
    { return Send(*s, s->inner.WriteUSB, buffer, length); };
    api.GetFeature = [s](uint8_t* buffer, int length)
    {
        std::this_thread::sleep_for(s->faults.delay);
        const ReadFault fault = length < 1          ? ReadFault::None
                                : buffer[0] == 0x8B ? s->faults.startupAnswer
                                : buffer[0] == 0x80 ? s->faults.firmwareAnswer
                                                    : ReadFault::None;
        if (fault == ReadFault::Nothing)
            return 0;
        if (fault == ReadFault::Garbage)
        {
            ++s->garbage;
            for (int i = 0; i < length; ++i)
            {
                // xorshift: different bytes on every read, same run to run
                uint32_t x = s->noise.load();
                x ^= x << 13;
                x ^= x >> 17;
                x ^= x << 5;
                s->noise.store(x);
                buffer[i] = static_cast<uint8_t>(x);
            }
            return 1;
        }
        return CallDriver(s->inner.GetFeature, buffer, length);
    };
    return api;
}
