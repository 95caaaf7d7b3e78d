#include "device/DriverTrace.h"

#include "device/ReportFraming.h"

#include <span>

DriverTrace::DriverTrace(DriverApi inner) : m_inner(std::move(inner)), m_api(m_inner)
{
    const auto bytes = [](const uint8_t* buffer, int length)
    { return HexBytes(std::span<const uint8_t>(buffer, length > 0 ? length : 0)); };
    m_api.SetFeature = [this, bytes](uint8_t* buffer, int length)
    {
        Record("SetFeature " + bytes(buffer, length));
        return CallDriver(m_inner.SetFeature, buffer, length);
    };
    m_api.GetFeature = [this, bytes](uint8_t* buffer, int length)
    {
        const std::string request = bytes(buffer, length);
        const int result = CallDriver(m_inner.GetFeature, buffer, length);
        Record("GetFeature " + request + " -> " + bytes(buffer, length));
        return result;
    };
    m_api.WriteUSB = [this, bytes](uint8_t* buffer, int length)
    {
        Record("WriteUSB " + bytes(buffer, length));
        return CallDriver(m_inner.WriteUSB, buffer, length);
    };
    m_sleeper = [this](int milliseconds)
    { Record("Sleep " + std::to_string(milliseconds), milliseconds); };
}

void DriverTrace::Record(std::string line, int pause)
{
    std::lock_guard lock(m_mutex);
    m_lines.push_back(std::move(line));
    m_totalPause += pause;
}

std::vector<std::string> DriverTrace::Lines() const
{
    std::lock_guard lock(m_mutex);
    return m_lines;
}

int DriverTrace::TotalPause() const
{
    std::lock_guard lock(m_mutex);
    return m_totalPause;
}

void DriverTrace::Clear()
{
    std::lock_guard lock(m_mutex);
    m_lines.clear();
    m_totalPause = 0;
}
