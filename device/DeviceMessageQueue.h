#pragma once
// A plain thread-safe queue of device messages, for owners without a window
// (vestrelctl, tests): drivers post from any thread, the owner takes them.

#include "device/DeviceMessageSink.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <vector>

struct DeviceMessage
{
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
    bool operator==(const DeviceMessage&) const = default;
};

class DeviceMessageQueue : public DeviceMessageSink
{
public:
    void PostDeviceMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) override;

    // Everything posted so far, oldest first; the queue is empty afterwards.
    std::vector<DeviceMessage> TakeAll();
    // The oldest message, waiting up to `timeout` for one to arrive.
    std::optional<DeviceMessage> WaitForMessage(std::chrono::milliseconds timeout);

private:
    std::mutex m_mutex;
    std::condition_variable m_posted;
    std::deque<DeviceMessage> m_messages;
};
