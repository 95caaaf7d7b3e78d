#include "performance/RecordingPointerBackend.h"

#include <utility>

void RecordingPointerBackend::SetDoubleClickTime(int milliseconds)
{
    Record("DoubleClickTime " + std::to_string(milliseconds));
}

void RecordingPointerBackend::SetMouseAcceleration(const std::array<int, 3>& values)
{
    Record("MouseAcceleration " + std::to_string(values[0]) + " " + std::to_string(values[1]) +
           " " + std::to_string(values[2]));
}

void RecordingPointerBackend::SetMouseSpeed(int speed)
{
    Record("MouseSpeed " + std::to_string(speed));
}

void RecordingPointerBackend::SetWheelScrollLines(int lines)
{
    Record("WheelScrollLines " + std::to_string(lines));
}

std::vector<std::string> RecordingPointerBackend::TakeCalls()
{
    std::lock_guard lock(m_mutex);
    return std::exchange(m_calls, {});
}

void RecordingPointerBackend::Record(std::string call)
{
    std::lock_guard lock(m_mutex);
    m_calls.push_back(std::move(call));
}
