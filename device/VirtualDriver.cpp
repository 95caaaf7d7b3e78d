#include "device/VirtualDriver.h"

#include "device/VirtualMouse.h"

DriverApi MakeVirtualDriver(std::shared_ptr<VirtualMouse> mouse)
{
    DriverApi api;
    api.Set_VIDPID = [mouse](uint32_t vid, uint32_t pid) { return mouse->SetVidPid(vid, pid); };
    api.Open_DevMonitor = [mouse](DeviceMessageSink* sink, uint32_t data, uint32_t connection)
    { return mouse->OpenMonitor(sink, data, connection); };
    api.Close_DevMonitor = [mouse] { return mouse->CloseMonitor(); };
    api.Open_FeatureDevice = [mouse] { return mouse->OpenFeatureChannel(); };
    api.Close_FeatureDevice = [mouse] { return mouse->CloseFeatureChannel(); };
    api.Open_ReportDevice = [mouse] { return mouse->OpenReportChannel(); };
    api.Close_ReportDevice = [mouse] { return mouse->CloseReportChannel(); };
    api.SetFeature = [mouse](uint8_t* buffer, int length)
    { return mouse->SetFeature(buffer, length); };
    api.GetFeature = [mouse](uint8_t* buffer, int length)
    { return mouse->GetFeature(buffer, length); };
    api.WriteUSB = [mouse](uint8_t* buffer, int length) { return mouse->WriteUSB(buffer, length); };
    // The virtual mouse sends no input reports; ReadUSB stays unbound.
    return api;
}
