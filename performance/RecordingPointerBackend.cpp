#include "performance/RecordingPointerBackend.h"

#include <algorithm>
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

void RecordingPointerBackend::SetDesktop(std::string name, std::vector<PointerSetting> unsupported)
{
    std::lock_guard lock(m_mutex);
    m_desktop = std::move(name);
    m_unsupported = std::move(unsupported);
}

void RecordingPointerBackend::AddFailure(PointerFailure failure)
{
    std::lock_guard lock(m_mutex);
    m_failures.push_back(std::move(failure));
}

std::string RecordingPointerBackend::DesktopName() const
{
    std::lock_guard lock(m_mutex);
    return m_desktop;
}

bool RecordingPointerBackend::Supports(PointerSetting setting) const
{
    std::lock_guard lock(m_mutex);
    return std::find(m_unsupported.begin(), m_unsupported.end(), setting) == m_unsupported.end();
}

std::vector<PointerFailure> RecordingPointerBackend::TakeFailures()
{
    std::lock_guard lock(m_mutex);
    return std::exchange(m_failures, {});
}
