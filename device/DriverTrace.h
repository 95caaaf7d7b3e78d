#pragma once
// Records the reports handed to a driver and the pauses between them, one
// line each, in the format `vestrelctl trace` prints:
//   SetFeature XX XX XX XX XX XX XX XX
//   GetFeature <8 request bytes> -> <8 answer bytes>
//   WriteUSB <32 bytes>
//   Sleep N
// Bytes are exactly as handed over (scrambled when scrambling is on).
// Calls may come from several threads.

#include "device/DriverApi.h"
#include "device/Pause.h"

#include <mutex>
#include <string>
#include <vector>

class DriverTrace
{
public:
    // Every call through Api() is recorded and then passed on to `inner`.
    explicit DriverTrace(DriverApi inner);
    DriverTrace(const DriverTrace&) = delete;
    DriverTrace& operator=(const DriverTrace&) = delete;

    const DriverApi& Api() const { return m_api; }
    // Records the pause instead of waiting.
    const SleepFunction& Sleeper() const { return m_sleeper; }

    std::vector<std::string> Lines() const;
    // Sum of the recorded pauses in milliseconds.
    int TotalPause() const;
    void Clear();

private:
    void Record(std::string line, int pause = 0);

    DriverApi m_inner;
    DriverApi m_api;
    SleepFunction m_sleeper;
    mutable std::mutex m_mutex;
    std::vector<std::string> m_lines;
    int m_totalPause = 0;
};
