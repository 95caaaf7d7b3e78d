#pragma once
// The driver a vestrelctl command opens the mouse with: --driver, else
// VESTREL_DRIVER, else hidraw; the virtual mouse is vestrelctl's own, kept
// so that what it holds afterwards can be shown.

#include "device/BindDriver.h"
#include "device/VirtualMouse.h"

#include <memory>
#include <string>

struct CtlContext;
struct DeviceDescription;

class CtlDriver
{
public:
    CtlDriver(const CtlContext& context, const DeviceDescription& description);

    const std::string& Name() const { return m_name; }
    const VirtualMouse& Mouse() const { return *m_mouse; }
    DriverApi Bind() const;
    // For a mouse that did not open: there without permission, or absent.
    MouseAccess Access() const;

private:
    const CtlContext& m_context;
    const DeviceDescription& m_description;
    std::string m_name;
    std::shared_ptr<VirtualMouse> m_mouse;
    DriverFactories m_factories;
};
