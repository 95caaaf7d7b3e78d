#include "tests/device/hidrawsim/SimulatedKernel.h"

#include "device/VirtualMouse.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <linux/hidraw.h>
#include <linux/magic.h>
#include <linux/netlink.h>
#include <sched.h>
#include <sys/eventfd.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <arpa/inet.h>

#include <cerrno>
#include <cstdarg>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>

namespace fs = std::filesystem;

namespace
{

// One /dev/hidrawN as the shim serves it.
struct SimNode
{
    SimulatedKernel::Node node;
    std::shared_ptr<VirtualMouse> mouse;
    bool bPresent = true;
    bool bDenied = false;
    int deniedOpens = 0;
    std::vector<uint8_t> lastFeature; // a feature read answers the request set before it
    int openCount = 0;
};

struct OpenHandle
{
    std::shared_ptr<SimNode> node;
    bool bNonBlocking;
    std::deque<std::vector<uint8_t>> input;
};

std::mutex g_mutex;
bool g_bActive = false;                                  // only inside the namespaces
std::map<std::string, std::shared_ptr<SimNode>> g_nodes; // by /dev path
std::map<int, OpenHandle> g_handles;                     // by the eventfd standing for it

template <typename F> F Real(const char* name)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

std::string DevPath(int number)
{
    return "/dev/hidraw" + std::to_string(number);
}

std::string HexId(uint32_t id, int width)
{
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", width, id);
    return text;
}

// The sysfs places of one node, as a USB mouse's interface lays them out.
struct SysPaths
{
    std::string usbDevice, usbInterface, hidDevice, hidraw;
};

SysPaths PathsOf(const SimulatedKernel::Node& n)
{
    // One USB device, on a port of its own, per VID/PID.
    static std::map<std::pair<uint32_t, uint32_t>, int> ports;
    const int portNumber =
        ports.emplace(std::pair(n.vid, n.pid), int(ports.size()) + 1).first->second;
    SysPaths p;
    const std::string port = "1-" + std::to_string(portNumber);
    p.usbDevice = "/devices/pci0000:00/0000:00:14.0/usb1/" + port;
    p.usbInterface = p.usbDevice + "/" + port + ":1." + std::to_string(n.interfaceNumber);
    p.hidDevice = p.usbInterface + "/0003:" + HexId(n.vid, 4) + ":" + HexId(n.pid, 4) + "." +
                  HexId(n.number + 1, 4);
    p.hidraw = p.hidDevice + "/hidraw/hidraw" + std::to_string(n.number);
    return p;
}

void WriteFile(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// A device directory: its uevent and the subsystem link, relative like the kernel's.
void MakeDevice(const std::string& devpath, const std::string& subsystemLink,
                const std::string& uevent)
{
    const fs::path dir = "/sys" + devpath;
    fs::create_directories(dir);
    WriteFile(dir / "uevent", uevent);
    std::string up;
    for (char c : devpath)
        if (c == '/')
            up += "../";
    if (!fs::is_symlink(dir / "subsystem"))
        fs::create_symlink(up + subsystemLink, dir / "subsystem");
}

uint32_t MurmurHash2(const std::string& key)
{
    const uint32_t m = 0x5bd1e995;
    std::size_t len = key.size();
    uint32_t h = static_cast<uint32_t>(len);
    const auto* data = reinterpret_cast<const unsigned char*>(key.data());
    for (; len >= 4; data += 4, len -= 4)
    {
        uint32_t k;
        std::memcpy(&k, data, 4);
        k *= m;
        k ^= k >> 24;
        k *= m;
        h = h * m ^ k;
    }
    switch (len)
    {
    case 3:
        h ^= data[2] << 16;
        [[fallthrough]];
    case 2:
        h ^= data[1] << 8;
        [[fallthrough]];
    case 1:
        h ^= data[0];
        h *= m;
    }
    h ^= h >> 13;
    h *= m;
    return h ^ (h >> 15);
}

// What udevd broadcasts to its monitors after handling a uevent.
void BroadcastUdevEvent(const std::string& action, const SimulatedKernel::Node& n)
{
    static int seqnum = 0;
    const std::string properties =
        "ACTION=" + action + '\0' + "DEVPATH=" + PathsOf(n).hidraw + '\0' + "SUBSYSTEM=hidraw" +
        '\0' + "DEVNAME=" + DevPath(n.number) + '\0' + "MAJOR=240" + '\0' +
        "MINOR=" + std::to_string(n.number) + '\0' + "SEQNUM=" + std::to_string(++seqnum) + '\0';
    struct
    {
        char prefix[8] = "libudev";
        uint32_t magic = htonl(0xfeedcafe);
        uint32_t headerSize = 40;
        uint32_t propertiesOffset = 40;
        uint32_t propertiesLength = 0;
        uint32_t subsystemHash = 0;
        uint32_t devtypeHash = 0;
        uint32_t tagBloomHigh = 0;
        uint32_t tagBloomLow = 0;
    } header;
    header.propertiesLength = static_cast<uint32_t>(properties.size());
    header.subsystemHash = htonl(MurmurHash2("hidraw"));

    const int fd = socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_KOBJECT_UEVENT);
    sockaddr_nl self{};
    self.nl_family = AF_NETLINK;
    bind(fd, reinterpret_cast<sockaddr*>(&self), sizeof self);
    sockaddr_nl group{};
    group.nl_family = AF_NETLINK;
    group.nl_groups = 2; // udevd's group
    iovec parts[2] = {{&header, sizeof header},
                      {const_cast<char*>(properties.data()), properties.size()}};
    msghdr message{};
    message.msg_name = &group;
    message.msg_namelen = sizeof group;
    message.msg_iov = parts;
    message.msg_iovlen = 2;
    sendmsg(fd, &message, 0);
    close(fd);
}

OpenHandle* HandleLocked(int fd)
{
    auto it = g_handles.find(fd);
    return it == g_handles.end() ? nullptr : &it->second;
}

int Fail(int error)
{
    errno = error;
    return -1;
}

int OpenSimulated(const char* path, int flags)
{
    std::lock_guard lock(g_mutex);
    auto it = g_nodes.find(path);
    if (it == g_nodes.end() || !it->second->bPresent)
        return Fail(ENOENT);
    if (it->second->bDenied)
    {
        ++it->second->deniedOpens;
        return Fail(EACCES);
    }
    const int fd = eventfd(0, EFD_NONBLOCK | ((flags & O_CLOEXEC) ? EFD_CLOEXEC : 0));
    if (fd < 0)
        return -1;
    SimNode& node = *it->second;
    if (node.openCount++ == 0)
    {
        node.mouse->OpenFeatureChannel();
        node.mouse->OpenReportChannel();
    }
    g_handles[fd] = OpenHandle{it->second, (flags & O_NONBLOCK) != 0, {}};
    return fd;
}

bool IsSimulatedPath(const char* path)
{
    return g_bActive && path != nullptr && std::strncmp(path, "/dev/hidraw", 11) == 0;
}

int Ioctl(OpenHandle& h, unsigned long request, void* argument)
{
    SimNode& node = *h.node;
    if (!node.bPresent)
        return Fail(ENODEV);
    const std::vector<uint8_t>& descriptor = node.node.reportDescriptor;
    auto* bytes = static_cast<uint8_t*>(argument);
    const int size = _IOC_SIZE(request);
    switch (_IOC_NR(request))
    {
    case _IOC_NR(HIDIOCGRDESCSIZE):
        *static_cast<int*>(argument) = static_cast<int>(descriptor.size());
        return 0;
    case _IOC_NR(HIDIOCGRDESC):
    {
        auto* out = static_cast<hidraw_report_descriptor*>(argument);
        if (out->size > HID_MAX_DESCRIPTOR_SIZE || out->size > descriptor.size())
            return Fail(EINVAL);
        std::memcpy(out->value, descriptor.data(), out->size);
        return 0;
    }
    case _IOC_NR(HIDIOCGRAWINFO):
    {
        auto* info = static_cast<hidraw_devinfo*>(argument);
        info->bustype = 3; // BUS_USB
        info->vendor = static_cast<int16_t>(node.node.vid);
        info->product = static_cast<int16_t>(node.node.pid);
        return 0;
    }
    case 0x06: // HIDIOCSFEATURE(len): the report id first; the transfer itself always goes
        node.lastFeature.assign(bytes + 1, bytes + size);
        node.mouse->SetFeature(bytes + 1, size - 1);
        return size;
    case 0x07: // HIDIOCGFEATURE(len)
    {
        std::vector<uint8_t> answer = node.lastFeature;
        answer.resize(size - 1);
        if (!node.mouse->GetFeature(answer.data(), size - 1))
            return Fail(EPIPE); // the mouse stalls what it does not answer
        std::copy(answer.begin(), answer.end(), bytes + 1);
        return size;
    }
    default:
        return Fail(ENOTTY);
    }
}

} // namespace

// The calls libhidapi-hidraw, libudev and the driver make, interposed from
// the executable; everything that is not a simulated node passes through.
extern "C"
{

    int open(const char* path, int flags, ...)
    {
        mode_t mode = 0;
        if (flags & (O_CREAT | O_TMPFILE))
        {
            va_list args;
            va_start(args, flags);
            mode = va_arg(args, mode_t);
            va_end(args);
        }
        if (IsSimulatedPath(path))
            return OpenSimulated(path, flags);
        static const auto real = Real<int (*)(const char*, int, ...)>("open");
        return real(path, flags, mode);
    }

    int open64(const char* path, int flags, ...)
    {
        mode_t mode = 0;
        if (flags & (O_CREAT | O_TMPFILE))
        {
            va_list args;
            va_start(args, flags);
            mode = va_arg(args, mode_t);
            va_end(args);
        }
        return open(path, flags, mode);
    }

    int close(int fd)
    {
        {
            std::lock_guard lock(g_mutex);
            if (OpenHandle* h = HandleLocked(fd))
            {
                SimNode& node = *h->node;
                if (--node.openCount == 0)
                {
                    node.mouse->CloseFeatureChannel();
                    node.mouse->CloseReportChannel();
                }
                g_handles.erase(fd);
            }
        }
        static const auto real = Real<int (*)(int)>("close");
        return real(fd);
    }

    ssize_t read(int fd, void* buffer, size_t size)
    {
        {
            std::lock_guard lock(g_mutex);
            if (OpenHandle* h = HandleLocked(fd))
            {
                if (!h->node->bPresent)
                    return Fail(ENODEV);
                if (h->input.empty())
                    return Fail(EAGAIN);
                std::vector<uint8_t> report = std::move(h->input.front());
                h->input.pop_front();
                if (h->input.empty())
                {
                    eventfd_t ignored;
                    eventfd_read(fd, &ignored);
                }
                const size_t n = std::min(size, report.size());
                std::memcpy(buffer, report.data(), n);
                return static_cast<ssize_t>(n);
            }
        }
        static const auto real = Real<ssize_t (*)(int, void*, size_t)>("read");
        return real(fd, buffer, size);
    }

    ssize_t write(int fd, const void* buffer, size_t size)
    {
        {
            std::lock_guard lock(g_mutex);
            if (OpenHandle* h = HandleLocked(fd))
            {
                // An output report: the report id, then what goes on the wire.
                if (!h->node->bPresent)
                    return Fail(ENODEV);
                if (size < 1)
                    return Fail(EINVAL);
                const auto* bytes = static_cast<const uint8_t*>(buffer);
                if (!h->node->mouse->WriteUSB(bytes + 1, static_cast<int>(size - 1)))
                    return Fail(EPIPE);
                return static_cast<ssize_t>(size);
            }
        }
        static const auto real = Real<ssize_t (*)(int, const void*, size_t)>("write");
        return real(fd, buffer, size);
    }

    int ioctl(int fd, unsigned long request, ...)
    {
        va_list args;
        va_start(args, request);
        void* argument = va_arg(args, void*);
        va_end(args);
        {
            std::lock_guard lock(g_mutex);
            if (OpenHandle* h = HandleLocked(fd))
                return Ioctl(*h, request, argument);
        }
        static const auto real = Real<int (*)(int, unsigned long, void*)>("ioctl");
        return real(fd, request, argument);
    }

    // libudev trusts only a /sys that is sysfs; the tmpfs there stands for it.
    int fstatfs(int fd, struct statfs* buffer)
    {
        static const auto real = Real<int (*)(int, struct statfs*)>("fstatfs");
        const int result = real(fd, buffer);
        if (result == 0 && g_bActive && buffer->f_type == TMPFS_MAGIC)
        {
            char target[64] = {};
            const std::string link = "/proc/self/fd/" + std::to_string(fd);
            if (readlink(link.c_str(), target, sizeof target - 1) > 0 &&
                std::strncmp(target, "/sys", 4) == 0)
                buffer->f_type = SYSFS_MAGIC;
        }
        return result;
    }

    int fstatfs64(int fd, struct statfs64* buffer)
    {
        return fstatfs(fd, reinterpret_cast<struct statfs*>(buffer));
    }

} // extern "C"

std::string SimulatedKernel::Enter()
{
    static const std::string why = []() -> std::string
    {
        if (geteuid() != 0)
            return "not root";
        if (unshare(CLONE_NEWNS | CLONE_NEWNET) != 0)
            return std::string("unshare: ") + std::strerror(errno);
        if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("sim", "/sys", "tmpfs", 0, "mode=0755") != 0 ||
            mount("sim", "/run", "tmpfs", 0, "mode=0755") != 0)
            return std::string("mount: ") + std::strerror(errno);
        // libudev listens to udevd's broadcasts only while udevd runs.
        fs::create_directories("/run/udev");
        WriteFile("/run/udev/control", "");
        fs::create_directories("/sys/class/hidraw");
        fs::create_directories("/sys/bus/usb");
        fs::create_directories("/sys/bus/hid");
        std::lock_guard lock(g_mutex);
        g_bActive = true;
        return {};
    }();
    return why;
}

void SimulatedKernel::Plug(const Node& n, std::shared_ptr<VirtualMouse> mouse)
{
    const SysPaths p = PathsOf(n);
    const std::string product = HexId(n.vid, 0) + "/" + HexId(n.pid, 0) + "/100";
    MakeDevice(p.usbDevice, "bus/usb",
               "DEVTYPE=usb_device\nDRIVER=usb\nPRODUCT=" + product + "\nBUSNUM=001\n");
    const fs::path usb = "/sys" + p.usbDevice;
    WriteFile(usb / "idVendor", HexId(n.vid, 4) + "\n");
    WriteFile(usb / "idProduct", HexId(n.pid, 4) + "\n");
    WriteFile(usb / "bcdDevice", "0100\n");
    WriteFile(usb / "manufacturer", "Vestrel\n");
    WriteFile(usb / "product", "Vestrel Mouse\n");
    WriteFile(usb / "serial", "\n");
    MakeDevice(p.usbInterface, "bus/usb",
               "DEVTYPE=usb_interface\nDRIVER=usbhid\nPRODUCT=" + product + "\nINTERFACE=3/0/0\n");
    WriteFile("/sys" + p.usbInterface + "/bInterfaceNumber",
              "0" + std::to_string(n.interfaceNumber) + "\n");
    MakeDevice(p.hidDevice, "bus/hid",
               "DRIVER=hid-generic\nHID_ID=0003:0000" + HexId(n.vid, 4) + ":0000" +
                   HexId(n.pid, 4) + "\nHID_NAME=Vestrel Mouse\nHID_PHYS=usb-0000:00:14.0-" +
                   std::to_string(n.number + 1) + "/input" + std::to_string(n.interfaceNumber) +
                   "\nHID_UNIQ=\n");
    WriteFile("/sys" + p.hidDevice + "/report_descriptor",
              std::string(n.reportDescriptor.begin(), n.reportDescriptor.end()));
    MakeDevice(p.hidraw, "class/hidraw",
               "MAJOR=240\nMINOR=" + std::to_string(n.number) + "\nDEVNAME=hidraw" +
                   std::to_string(n.number) + "\n");
    // hidapi reads the HID device's uevent and descriptor through "device".
    fs::create_symlink("../..", "/sys" + p.hidraw + "/device");
    fs::create_symlink("..", "/sys" + p.hidDevice + "/device");
    fs::create_symlink("../.." + p.hidraw, "/sys/class/hidraw/hidraw" + std::to_string(n.number));

    mouse->SetVidPid(n.vid, n.pid);
    {
        std::lock_guard lock(g_mutex);
        auto node = std::make_shared<SimNode>();
        node->node = n;
        node->mouse = std::move(mouse);
        g_nodes[DevPath(n.number)] = node;
    }
    BroadcastUdevEvent("add", n);
}

void SimulatedKernel::Unplug(int number)
{
    std::shared_ptr<SimNode> node;
    {
        std::lock_guard lock(g_mutex);
        auto it = g_nodes.find(DevPath(number));
        if (it == g_nodes.end())
            return;
        node = it->second;
        g_nodes.erase(it);
        node->bPresent = false;
        for (auto& [fd, handle] : g_handles)
            if (handle.node == node)
                eventfd_write(fd, 1); // wakes a poll to read ENODEV
    }
    fs::remove("/sys/class/hidraw/hidraw" + std::to_string(number));
    const SysPaths paths = PathsOf(node->node);
    fs::remove_all("/sys" + paths.usbInterface);
    bool bOtherInterface = false;
    for (const auto& entry : fs::directory_iterator("/sys" + paths.usbDevice))
        bOtherInterface |= entry.is_directory() && !entry.is_symlink();
    if (!bOtherInterface)
        fs::remove_all("/sys" + paths.usbDevice);
    BroadcastUdevEvent("remove", node->node);
}

void SimulatedKernel::Deny(int number, bool bDenied)
{
    std::lock_guard lock(g_mutex);
    auto it = g_nodes.find(DevPath(number));
    if (it != g_nodes.end())
        it->second->bDenied = bDenied;
}

int SimulatedKernel::DeniedOpens(int number) const
{
    std::lock_guard lock(g_mutex);
    auto it = g_nodes.find(DevPath(number));
    return it != g_nodes.end() ? it->second->deniedOpens : 0;
}

void SimulatedKernel::SendInputReport(int number, std::vector<uint8_t> report)
{
    std::lock_guard lock(g_mutex);
    for (auto& [fd, handle] : g_handles)
        if (handle.node->node.number == number && handle.node->bPresent)
        {
            handle.input.push_back(report);
            eventfd_write(fd, 1);
        }
}

std::vector<uint8_t> VendorReportDescriptor()
{
    // Usage page 0xFF00, usage 1, an application collection of 8-byte
    // feature, 32-byte output and 2-byte input reports.
    return {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15, 0x00, 0x26, 0xFF,
            0x00, 0x75, 0x08, 0x95, 0x08, 0x09, 0x01, 0xB1, 0x02, 0x95, 0x20,
            0x09, 0x01, 0x91, 0x02, 0x95, 0x02, 0x09, 0x01, 0x81, 0x02, 0xC0};
}

std::vector<uint8_t> MouseReportDescriptor()
{
    // Generic desktop, mouse, three buttons.
    return {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x05, 0x09, 0x19, 0x01, 0x29, 0x03, 0x15, 0x00,
            0x25, 0x01, 0x75, 0x01, 0x95, 0x03, 0x81, 0x02, 0x95, 0x05, 0x81, 0x01, 0xC0};
}
