#pragma once
// The real mouse on Linux: hidapi's hidraw backend for reports, a libudev
// monitor thread for arrival and removal (the hidraw node of the mouse's
// configuration interface appearing and going), and the mouse's input
// reports as its own setting changes. Built as its own library (vestrel_hidraw) so that
// core does not depend on hidapi or libudev.
//
// What the mouse offers on its configuration interface (the interface with a
// vendor-defined usage page, or failing that the highest-numbered one, which
// on these mice follows the mouse and keyboard interfaces): reports without
// report ids; 8-byte feature reports both ways, a read being the request
// written as a feature report and the answer read back; 32-byte output
// reports for the data packets; and 2-byte input reports, the high byte of
// an event word and its value, when a button on the mouse changes a setting.

#include "device/DriverApi.h"
#include "device/MouseAccess.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The driver's entry points; the returned slots keep the driver alive.
DriverApi MakeHidrawDriver();

// Whether the mouse's configuration interface is there and this user may
// open it.
MouseAccess ProbeHidrawMouse(uint32_t vid, uint32_t pid);

// One interface of the mouse as hidapi lists it.
struct HidInterface
{
    std::string path;
    unsigned short usagePage;
    int interfaceNumber;
};

// The configuration interface among the mouse's interfaces, if any.
std::optional<std::string> PickConfigurationInterface(const std::vector<HidInterface>& interfaces);

// Whether a udev PRODUCT value ("1209/1/100": vendor/product/release in hex)
// names the mouse.
bool ProductMatches(std::string_view product, uint32_t vid, uint32_t pid);

// The event word and value an input report stands for; nothing when it is
// too short to be one.
struct MouseEvent
{
    uint16_t eventWord;
    uint16_t value;
};
std::optional<MouseEvent> InputReportEvent(const uint8_t* report, long length);
