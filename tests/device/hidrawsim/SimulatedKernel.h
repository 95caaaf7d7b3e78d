#pragma once
// A simulated hidraw kernel for the real libhidapi-hidraw and libudev: in a
// private mount and network namespace of the test process, a sysfs tree of
// the mouse's USB device, interface, HID device and hidraw node over a tmpfs
// at /sys, udev events broadcast on the namespace's own netlink, and the
// /dev/hidrawN node served by the interposed calls of KernelShim.cpp from a
// VirtualMouse.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class VirtualMouse;

class SimulatedKernel
{
public:
    // Enters the namespaces once per process; empty when that worked, else
    // why not (not root, no unshare in this container, ...).
    static std::string Enter();

    struct Node
    {
        int number; // hidrawN
        uint32_t vid;
        uint32_t pid;
        int interfaceNumber;
        std::vector<uint8_t> reportDescriptor;
    };

    // The node appears with the mouse behind it, then udev says "add".
    void Plug(const Node& node, std::shared_ptr<VirtualMouse> mouse);
    // udev says "remove", the tree goes; open handles read ENODEV.
    void Unplug(int number);
    // Opening the node fails with EACCES, as before its ACL lands.
    void Deny(int number, bool bDenied);
    // How many opens of the node were refused so far.
    int DeniedOpens(int number) const;
    // An input report from the mouse to every open handle of the node.
    void SendInputReport(int number, std::vector<uint8_t> report);
};

// A vendor-defined configuration interface and a plain mouse interface.
std::vector<uint8_t> VendorReportDescriptor();
std::vector<uint8_t> MouseReportDescriptor();
