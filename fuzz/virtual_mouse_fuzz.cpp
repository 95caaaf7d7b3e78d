// Arbitrary reports and packets into the virtual mouse, then everything it
// holds read back: the mouse and its block decoders must cope with any
// bytes a driver can hand them.
//
// Input: byte 0 picks the sensor, byte 1 bit 0 turns scrambling on; then
// records of one operation byte (0 SetFeature, 1 WriteUSB, 2 GetFeature)
// followed by its 8 or 32 bytes.

#include "app/DeviceDescription.h"
#include "device/ReportFraming.h"
#include "device/VirtualMouse.h"
#include "device/VirtualMouseSummary.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static constexpr int32_t kSensors[] = {36,   37,   38,   60,   3050, 3104, 3212, 3325,
                                           3327, 3330, 3333, 3335, 3370, 5050, 6400, -1};
    if (size < 2)
        return 0;
    DeviceDescription description;
    description.m_iSensor = kSensors[data[0] % std::size(kSensors)];
    description.m_bPassword = data[1] & 1;
    description.m_abPassword = {'V', 'q', '7', '#', 'k', 'P'};
    VirtualMouse mouse(description);
    mouse.SetVidPid(description.m_iVID, description.m_iPID);
    mouse.OpenFeatureChannel();
    mouse.OpenReportChannel();

    std::size_t at = 2;
    while (at < size)
    {
        const uint8_t op = data[at++] % 3;
        const std::size_t length = op == 1 ? kDataPacketSize : kFeatureReportSize;
        if (size - at < length)
            break;
        std::array<uint8_t, kDataPacketSize> buffer{};
        std::memcpy(buffer.data(), data + at, length);
        at += length;
        if (op == 0)
            mouse.SetFeature(buffer.data(), kFeatureReportSize);
        else if (op == 1)
            mouse.WriteUSB(buffer.data(), kDataPacketSize);
        else
            mouse.GetFeature(buffer.data(), kFeatureReportSize);
    }
    DescribeVirtualMouse(mouse.State(), description.m_iSensor);
    return 0;
}
