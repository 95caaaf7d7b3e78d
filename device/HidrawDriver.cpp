#include "device/HidrawDriver.h"

#include "device/DeviceMessageSink.h"
#include "device/ReportFraming.h"
#include "model/DebugTrace.h"

#include <hidapi.h>
#include <libudev.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>

namespace
{

// hidapi wants the report id in front; the mouse numbers no reports.
constexpr unsigned char kNoReportId = 0x00;

// udev puts the node's ACL on it after the node appears: an open refused
// for lack of permission is tried again for a while.
constexpr int kOpenAttempts = 10;
constexpr auto kOpenRetryPause = std::chrono::milliseconds(100);

std::optional<std::string> FindConfigurationInterface(uint32_t vid, uint32_t pid)
{
    std::vector<HidInterface> interfaces;
    hid_device_info* list =
        hid_enumerate(static_cast<unsigned short>(vid), static_cast<unsigned short>(pid));
    for (hid_device_info* info = list; info != nullptr; info = info->next)
        interfaces.push_back({info->path, info->usage_page, info->interface_number});
    hid_free_enumeration(list);
    return PickConfigurationInterface(interfaces);
}

// 0 when the node opens for reading and writing, else why not.
int OpenError(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return errno;
    close(fd);
    return 0;
}

bool IsPermissionError(int error)
{
    return error == EACCES || error == EPERM;
}

class HidrawDriver
{
public:
    HidrawDriver() { hid_init(); }
    ~HidrawDriver()
    {
        CloseMonitor();
        Close();
    }
    HidrawDriver(const HidrawDriver&) = delete;
    HidrawDriver& operator=(const HidrawDriver&) = delete;

    int SetVidPid(uint32_t vid, uint32_t pid)
    {
        std::lock_guard lock(m_mutex);
        m_vid = vid;
        m_pid = pid;
        return 1;
    }

    int OpenMonitor(DeviceMessageSink* sink, uint32_t dataMessage, uint32_t connectionMessage);
    int CloseMonitor();
    int Open();
    int Close();
    int SetFeature(const uint8_t* buffer, int length);
    int GetFeature(uint8_t* buffer, int length);
    int WriteUSB(const uint8_t* buffer, int length);

private:
    void OnUdevEvent(udev_device* device);
    int SendFeatureLocked(const uint8_t* buffer);
    void WakeMonitor();
    void MonitorLoop(udev_monitor* monitor);

    // Guards everything below it and serialises all hidapi calls.
    std::mutex m_mutex;
    uint32_t m_vid = 0;
    uint32_t m_pid = 0;
    hid_device* m_device = nullptr;
    std::string m_inputPath;  // the open interface, read by the monitor thread
    std::string m_configNode; // the configuration interface's node last seen
    bool m_bStopMonitor = false;

    DeviceMessageSink* m_sink = nullptr;
    uint32_t m_dataMessage = 0;
    uint32_t m_connectionMessage = 0;
    udev* m_udev = nullptr;
    int m_wakeFd = -1;
    std::thread m_monitor;
};

int HidrawDriver::Open()
{
    std::unique_lock lock(m_mutex);
    if (m_device != nullptr)
        return 1;
    const std::optional<std::string> path = FindConfigurationInterface(m_vid, m_pid);
    if (!path)
        return 0;
    for (int attempt = 1; (m_device = hid_open_path(path->c_str())) == nullptr; ++attempt)
    {
        const int error = OpenError(*path);
        if (!IsPermissionError(error) || attempt == kOpenAttempts)
        {
            DebugTrace("cannot open %s (%s); is the udev rule installed?\n", path->c_str(),
                       std::strerror(error));
            return 0;
        }
        lock.unlock();
        std::this_thread::sleep_for(kOpenRetryPause);
        lock.lock();
        if (m_device != nullptr)
            return 1;
    }
    m_inputPath = *path;
    m_configNode = *path;
    WakeMonitor();
    return 1;
}

int HidrawDriver::Close()
{
    std::lock_guard lock(m_mutex);
    if (m_device != nullptr)
        hid_close(m_device);
    m_device = nullptr;
    m_inputPath.clear();
    WakeMonitor();
    return 1;
}

int HidrawDriver::SendFeatureLocked(const uint8_t* buffer)
{
    std::array<unsigned char, 1 + kFeatureReportSize> data{kNoReportId};
    std::copy_n(buffer, kFeatureReportSize, data.begin() + 1);
    return hid_send_feature_report(m_device, data.data(), data.size()) == int(data.size());
}

int HidrawDriver::SetFeature(const uint8_t* buffer, int length)
{
    std::lock_guard lock(m_mutex);
    if (m_device == nullptr || length != kFeatureReportSize)
        return 0;
    return SendFeatureLocked(buffer);
}

int HidrawDriver::GetFeature(uint8_t* buffer, int length)
{
    std::lock_guard lock(m_mutex);
    if (m_device == nullptr || length != kFeatureReportSize || !SendFeatureLocked(buffer))
        return 0;
    std::array<unsigned char, 1 + kFeatureReportSize> data{kNoReportId};
    if (hid_get_feature_report(m_device, data.data(), data.size()) != int(data.size()))
        return 0;
    std::copy_n(data.begin() + 1, kFeatureReportSize, buffer);
    return 1;
}

int HidrawDriver::WriteUSB(const uint8_t* buffer, int length)
{
    std::lock_guard lock(m_mutex);
    if (m_device == nullptr || length != kDataPacketSize)
        return 0;
    std::array<unsigned char, 1 + kDataPacketSize> data{kNoReportId};
    std::copy_n(buffer, kDataPacketSize, data.begin() + 1);
    return hid_write(m_device, data.data(), data.size()) == int(data.size());
}

int HidrawDriver::OpenMonitor(DeviceMessageSink* sink, uint32_t dataMessage,
                              uint32_t connectionMessage)
{
    if (m_monitor.joinable() || sink == nullptr)
        return 0;
    m_udev = udev_new();
    udev_monitor* monitor =
        m_udev != nullptr ? udev_monitor_new_from_netlink(m_udev, "udev") : nullptr;
    if (monitor == nullptr ||
        udev_monitor_filter_add_match_subsystem_devtype(monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(monitor) < 0)
    {
        if (monitor != nullptr)
            udev_monitor_unref(monitor);
        m_udev = m_udev != nullptr ? udev_unref(m_udev) : nullptr;
        return 0;
    }
    m_wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    m_sink = sink;
    m_dataMessage = dataMessage;
    m_connectionMessage = connectionMessage;
    m_monitor = std::thread([this, monitor] { MonitorLoop(monitor); });
    return 1;
}

int HidrawDriver::CloseMonitor()
{
    if (!m_monitor.joinable())
        return 1;
    {
        std::lock_guard lock(m_mutex);
        m_bStopMonitor = true;
        WakeMonitor();
    }
    m_monitor.join();
    close(m_wakeFd);
    m_wakeFd = -1;
    m_udev = udev_unref(m_udev);
    m_bStopMonitor = false;
    return 1;
}

void HidrawDriver::WakeMonitor()
{
    if (m_wakeFd >= 0)
        (void)eventfd_write(m_wakeFd, 1);
}

void HidrawDriver::MonitorLoop(udev_monitor* monitor)
{
    int input = -1;
    std::string inputPath;
    for (;;)
    {
        pollfd fds[3] = {
            {m_wakeFd, POLLIN, 0}, {udev_monitor_get_fd(monitor), POLLIN, 0}, {input, POLLIN, 0}};
        if (poll(fds, input >= 0 ? 3 : 2, -1) < 0 && errno != EINTR)
            break;

        if (fds[0].revents & POLLIN)
        {
            eventfd_t ignored;
            (void)eventfd_read(m_wakeFd, &ignored);
            std::string wanted;
            {
                std::lock_guard lock(m_mutex);
                if (m_bStopMonitor)
                    break;
                wanted = m_inputPath;
            }
            if (wanted != inputPath)
            {
                if (input >= 0)
                    close(input);
                input =
                    wanted.empty() ? -1 : open(wanted.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
                inputPath = input >= 0 ? wanted : std::string();
            }
        }

        if (fds[1].revents & POLLIN)
        {
            if (udev_device* device = udev_monitor_receive_device(monitor))
            {
                OnUdevEvent(device);
                udev_device_unref(device);
            }
        }

        if (input >= 0 && (fds[2].revents & (POLLIN | POLLERR | POLLHUP)))
        {
            uint8_t report[64];
            const ssize_t n = read(input, report, sizeof report);
            if (const auto event = InputReportEvent(report, n))
                m_sink->PostDeviceMessage(m_dataMessage, event->eventWord, event->value);
            else if (n < 0 && errno != EAGAIN && errno != EINTR)
            {
                close(input); // unplugged; reopened when the mouse is opened again
                input = -1;
                inputPath.clear();
            }
        }
    }
    if (input >= 0)
        close(input);
    udev_monitor_unref(monitor);
}

// The mouse arrives when the node of its configuration interface appears
// (it can be opened then, its ACL permitting) and goes with that node.
void HidrawDriver::OnUdevEvent(udev_device* device)
{
    const char* action = udev_device_get_action(device);
    const char* node = udev_device_get_devnode(device);
    if (action == nullptr || node == nullptr)
        return;
    std::lock_guard lock(m_mutex);
    if (std::strcmp(action, "add") == 0)
    {
        udev_device* usb =
            udev_device_get_parent_with_subsystem_devtype(device, "usb", "usb_device");
        const char* product =
            usb != nullptr ? udev_device_get_property_value(usb, "PRODUCT") : nullptr;
        if (product == nullptr || !ProductMatches(product, m_vid, m_pid) ||
            FindConfigurationInterface(m_vid, m_pid) != node)
            return;
        // Interfaces appear one by one: until the vendor one is there an
        // earlier one can pass for it. The mouse arrives once.
        const bool bArrival = m_configNode.empty();
        m_configNode = node;
        if (bArrival)
            m_sink->PostDeviceMessage(m_connectionMessage, 1, 0);
    }
    else if (std::strcmp(action, "remove") == 0 && m_configNode == node)
    {
        m_configNode.clear();
        m_sink->PostDeviceMessage(m_connectionMessage, 0, 0);
    }
}

} // namespace

MouseAccess ProbeHidrawMouse(uint32_t vid, uint32_t pid)
{
    hid_init();
    const std::optional<std::string> path = FindConfigurationInterface(vid, pid);
    if (!path)
        return MouseAccess::Absent;
    const int error = OpenError(*path);
    if (error == 0)
        return MouseAccess::Reachable;
    return IsPermissionError(error) ? MouseAccess::NoPermission : MouseAccess::Absent;
}

std::optional<std::string> PickConfigurationInterface(const std::vector<HidInterface>& interfaces)
{
    if (interfaces.empty())
        return std::nullopt;
    auto vendor = std::find_if(interfaces.begin(), interfaces.end(),
                               [](const HidInterface& i) { return i.usagePage >= 0xFF00; });
    if (vendor != interfaces.end())
        return vendor->path;
    return std::max_element(interfaces.begin(), interfaces.end(),
                            [](const HidInterface& a, const HidInterface& b)
                            { return a.interfaceNumber < b.interfaceNumber; })
        ->path;
}

bool ProductMatches(std::string_view product, uint32_t vid, uint32_t pid)
{
    uint32_t values[2];
    const char* at = product.data();
    const char* end = product.data() + product.size();
    for (uint32_t& value : values)
    {
        const auto [next, error] = std::from_chars(at, end, value, 16);
        if (error != std::errc() || next == end || *next != '/')
            return false;
        at = next + 1;
    }
    return values[0] == vid && values[1] == pid;
}

std::optional<MouseEvent> InputReportEvent(const uint8_t* report, long length)
{
    if (length < 2)
        return std::nullopt;
    return MouseEvent{static_cast<uint16_t>(report[0] << 8), report[1]};
}

DriverApi MakeHidrawDriver()
{
    auto driver = std::make_shared<HidrawDriver>();
    DriverApi api;
    api.Set_VIDPID = [driver](uint32_t vid, uint32_t pid) { return driver->SetVidPid(vid, pid); };
    api.Open_DevMonitor = [driver](DeviceMessageSink* sink, uint32_t data, uint32_t connection)
    { return driver->OpenMonitor(sink, data, connection); };
    api.Close_DevMonitor = [driver] { return driver->CloseMonitor(); };
    // One hidraw handle carries both the feature reports and the packets.
    api.Open_FeatureDevice = [driver] { return driver->Open(); };
    api.Close_FeatureDevice = [driver] { return driver->Close(); };
    api.Open_ReportDevice = [driver] { return driver->Open(); };
    api.Close_ReportDevice = [driver] { return driver->Close(); };
    api.SetFeature = [driver](uint8_t* buffer, int length)
    { return driver->SetFeature(buffer, length); };
    api.GetFeature = [driver](uint8_t* buffer, int length)
    { return driver->GetFeature(buffer, length); };
    api.WriteUSB = [driver](uint8_t* buffer, int length)
    { return driver->WriteUSB(buffer, length); };
    // Input reports come through the monitor; ReadUSB stays unbound.
    return api;
}
