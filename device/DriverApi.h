#pragma once
// The eleven entry points of the device-access library. A slot is empty when
// the bound driver does not offer it; nothing ever calls an empty slot.

#include <cstdint>
#include <functional>

class DeviceMessageSink;

struct DriverApi
{
    std::function<int(uint32_t vid, uint32_t pid)> Set_VIDPID;
    // Starts arrival/removal (connectionMessage) and mouse-side event
    // (dataMessage) notifications to `sink`.
    std::function<int(DeviceMessageSink* sink, uint32_t dataMessage, uint32_t connectionMessage)>
        Open_DevMonitor;
    std::function<int()> Close_DevMonitor;
    std::function<int()> Open_FeatureDevice;
    std::function<int()> Close_FeatureDevice;
    std::function<int()> Open_ReportDevice;
    std::function<int()> Close_ReportDevice;
    std::function<int(uint8_t* buffer, int length)> SetFeature;
    // On entry buffer[0] holds the command; on success the buffer holds the answer.
    std::function<int(uint8_t* buffer, int length)> GetFeature;
    std::function<int(uint8_t* buffer, int length)> WriteUSB;
    std::function<int(uint8_t* buffer, int length)> ReadUSB;
};

// Calls a slot when it is bound; a missing entry point counts as a failure (0).
template <typename Slot, typename... Args> int CallDriver(const Slot& slot, Args... args)
{
    return slot ? slot(args...) : 0;
}
