#pragma once
// Shared pieces of the device tests: descriptions, blank profiles and a
// virtual mouse opened behind a recording driver.

#include "app/DeviceDescription.h"
#include "device/DriverTrace.h"
#include "device/TransferProtocol.h"
#include "device/VirtualMouse.h"
#include "model/ProfileData.h"

#include <memory>
#include <string>
#include <vector>

// Sensor 3335 with the lift-off report, Distance_Value 1..8, every button
// configurable, no scrambling, firmware 1.3.
DeviceDescription PlainDescription();
// The same with the key "Vq7#kP".
DeviceDescription ScrambledDescription();

// All zero but for each slot's own index and no bindings (indices -1).
std::unique_ptr<ProfileData> BlankProfile();

// The profile and description behind streams/small_profile.txt: one of
// each kind of setting, a shortcut, a macro, a gun and a fixed button.
std::unique_ptr<ProfileData> SmallProfile();
DeviceDescription SmallDescription();

// A virtual mouse for `description`, selected and opened, behind a trace
// that records every report and pause.
struct VirtualRig
{
    explicit VirtualRig(const DeviceDescription& description = PlainDescription());

    DeviceDescription description;
    std::shared_ptr<VirtualMouse> mouse;
    DriverTrace trace;
    TransferProtocol protocol;
};

// Lines of a stream file under tests/device/streams/.
std::vector<std::string> ReadStream(const std::string& name);
