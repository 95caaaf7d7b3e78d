#include "device/DeviceMessageQueue.h"

void DeviceMessageQueue::PostDeviceMessage(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    {
        std::lock_guard lock(m_mutex);
        m_messages.push_back({message, wParam, lParam});
    }
    m_posted.notify_all();
}

std::vector<DeviceMessage> DeviceMessageQueue::TakeAll()
{
    std::lock_guard lock(m_mutex);
    std::vector<DeviceMessage> all(m_messages.begin(), m_messages.end());
    m_messages.clear();
    return all;
}

std::optional<DeviceMessage> DeviceMessageQueue::WaitForMessage(std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_mutex);
    if (!m_posted.wait_for(lock, timeout, [this] { return !m_messages.empty(); }))
        return std::nullopt;
    DeviceMessage first = m_messages.front();
    m_messages.pop_front();
    return first;
}
