#pragma once
// Binding the device-access driver: MSDriver.dll beside the program on
// Windows, a built-in driver chosen by name elsewhere.

#include "device/DriverApi.h"
#include "device/MouseAccess.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

// The built-in drivers an executable offers. The hidraw driver lives in its
// own library, so executables hand its maker in.
struct DriverFactories
{
    std::function<DriverApi()> hidraw;       // the real mouse
    std::function<DriverApi()> virtualMouse; // the demo and test mouse
    // Whether the real mouse is there and may be opened.
    std::function<MouseAccess(uint32_t vid, uint32_t pid)> hidrawAccess;
};

// VESTREL_DRIVER, or "hidraw" when it is unset or empty.
std::string DriverNameFromEnvironment();

// "hidraw" or "virtual" (on Windows anything but "virtual" binds
// MSDriver.dll). An unknown name, a missing factory or a library that does
// not load give a driver without entry points: the mouse then counts as not
// opened and the program stays usable.
// What the named driver can say about reaching the mouse: the hidraw driver
// tells a mouse without permission apart; others know present or not only
// by opening it, so they say Reachable and leave that to the link.
MouseAccess ProbeMouseAccess(std::string_view name, const DriverFactories& factories, uint32_t vid,
                             uint32_t pid);

DriverApi BindDriver(const std::filesystem::path& programFolder, std::string_view name,
                     const DriverFactories& factories);
