#include "cli/CtlDriver.h"

#include "app/DeviceDescription.h"
#include "cli/CtlCommand.h"
#include "device/VirtualDriver.h"
#ifndef _WIN32
#include "device/HidrawDriver.h"
#endif

CtlDriver::CtlDriver(const CtlContext& context, const DeviceDescription& description)
    : m_context(context), m_description(description),
      m_name(context.driver.empty() ? DriverNameFromEnvironment() : context.driver),
      m_mouse(std::make_shared<VirtualMouse>(description))
{
#ifndef _WIN32
    m_factories.hidraw = MakeHidrawDriver;
    m_factories.hidrawAccess = ProbeHidrawMouse;
#endif
    m_factories.virtualMouse = [mouse = m_mouse] { return MakeVirtualDriver(mouse); };
}

DriverApi CtlDriver::Bind() const
{
    return BindDriver(m_context.programFolder, m_name, m_factories);
}

MouseAccess CtlDriver::Access() const
{
    return ProbeMouseAccess(m_name, m_factories, m_description.m_iVID, m_description.m_iPID) ==
                   MouseAccess::NoPermission
               ? MouseAccess::NoPermission
               : MouseAccess::Absent;
}
