#include "device/MsDriverLibrary.h"

#include "device/DeviceMessageSink.h"
#include "device/DeviceMessages.h"

#include <windows.h>

namespace
{

using IdsEntry = int(__cdecl*)(int, int);
using MonitorEntry = int(__cdecl*)(HWND, int, int);
using PlainEntry = int(__cdecl*)();
using BufferEntry = int(__cdecl*)(unsigned char*, int);

// The library posts its messages to a window; this message-only window of
// the thread that opens the monitor hands them to the sink.
LRESULT CALLBACK ForwardToSink(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* sink = reinterpret_cast<DeviceMessageSink*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (sink != nullptr && (message == kDataEventMessage || message == kConnectionMessage))
    {
        sink->PostDeviceMessage(message, wParam, lParam);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND CreateForwardingWindow(DeviceMessageSink* sink)
{
    static constexpr wchar_t kClassName[] = L"VestrelDeviceMessages";
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ForwardToSink;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    RegisterClassW(&windowClass); // fails harmlessly when already registered
    HWND hwnd = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                windowClass.hInstance, nullptr);
    if (hwnd != nullptr)
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(sink));
    return hwnd;
}

template <typename Entry> Entry Resolve(HMODULE library, const char* name)
{
    return reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

void BindPlain(HMODULE library, const char* name, std::function<int()>& slot)
{
    if (auto entry = Resolve<PlainEntry>(library, name))
        slot = [entry] { return entry(); };
}

void BindBuffer(HMODULE library, const char* name, std::function<int(uint8_t*, int)>& slot)
{
    if (auto entry = Resolve<BufferEntry>(library, name))
        slot = [entry](uint8_t* buffer, int length) { return entry(buffer, length); };
}

} // namespace

DriverApi BindMsDriverLibrary(const std::filesystem::path& programFolder)
{
    DriverApi api;
    const std::filesystem::path path = programFolder / L"MSDriver.dll";
    if (path.native().size() >= MAX_PATH)
        return api;
    HMODULE library = LoadLibraryW(path.c_str());
    if (library == nullptr)
        return api;

    if (auto entry = Resolve<IdsEntry>(library, "Set_VIDPID"))
        api.Set_VIDPID = [entry](uint32_t vid, uint32_t pid)
        { return entry(static_cast<int>(vid), static_cast<int>(pid)); };
    if (auto entry = Resolve<MonitorEntry>(library, "Open_DevMonitor"))
        api.Open_DevMonitor = [entry](DeviceMessageSink* sink, uint32_t data, uint32_t connection)
        {
            HWND hwnd = CreateForwardingWindow(sink);
            return hwnd != nullptr
                       ? entry(hwnd, static_cast<int>(data), static_cast<int>(connection))
                       : 0;
        };
    BindPlain(library, "Close_DevMonitor", api.Close_DevMonitor);
    BindPlain(library, "Open_FeatureDevice", api.Open_FeatureDevice);
    BindPlain(library, "Close_FeatureDevice", api.Close_FeatureDevice);
    BindPlain(library, "Open_ReportDevice", api.Open_ReportDevice);
    BindPlain(library, "Close_ReportDevice", api.Close_ReportDevice);
    BindBuffer(library, "SetFeature", api.SetFeature);
    BindBuffer(library, "GetFeature", api.GetFeature);
    BindBuffer(library, "WriteUSB", api.WriteUSB);
    BindBuffer(library, "ReadUSB", api.ReadUSB);
    return api;
}
