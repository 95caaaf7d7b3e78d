#pragma once
// A pointer-settings backend that only writes down what it was asked to set,
// one line per call ("DoubleClickTime 550", "MouseAcceleration 1 6 10",
// "MouseSpeed 10", "WheelScrollLines -1"). For tests; thread-safe.

#include "performance/PointerSettingsBackend.h"

#include <mutex>
#include <string>
#include <vector>

class RecordingPointerBackend : public PointerSettingsBackend
{
public:
    void SetDoubleClickTime(int milliseconds) override;
    void SetMouseAcceleration(const std::array<int, 3>& values) override;
    void SetMouseSpeed(int speed) override;
    void SetWheelScrollLines(int lines) override;

    // Everything recorded so far; the record is empty afterwards.
    std::vector<std::string> TakeCalls();

private:
    void Record(std::string call);

    std::mutex m_mutex;
    std::vector<std::string> m_calls;
};
