#pragma once
// The driver entry points of a virtual mouse; selected with
// VESTREL_DRIVER=virtual or `vestrelctl --driver virtual`.

#include "device/DriverApi.h"

#include <memory>

class VirtualMouse;

// The returned slots keep the mouse alive.
DriverApi MakeVirtualDriver(std::shared_ptr<VirtualMouse> mouse);
