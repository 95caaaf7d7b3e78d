#pragma once
// Where drivers post the messages of the mouse (kDataEventMessage,
// kConnectionMessage). Drivers post from their own threads: an implementation
// must be thread-safe and only queue the message for its owner's thread.

#include <cstdint>

class DeviceMessageSink
{
public:
    virtual ~DeviceMessageSink() = default;
    virtual void PostDeviceMessage(uint32_t message, uintptr_t wParam, intptr_t lParam) = 0;
};
