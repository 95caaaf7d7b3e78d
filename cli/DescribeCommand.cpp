// vestrelctl describe: the device description as key=value lines, for scripts.

#include "app/DeviceDescription.h"
#include "cli/CtlCommand.h"

#include <cstdio>

namespace
{

template <std::size_t N>
std::string JoinBytes(const std::array<uint8_t, N>& bytes, const char* format)
{
    std::string text;
    char item[8];
    for (std::size_t i = 0; i < N; ++i)
    {
        std::snprintf(item, sizeof item, format, bytes[i]);
        if (i > 0)
            text += ',';
        text += item;
    }
    return text;
}

std::string Hex4(uint32_t id)
{
    // USB identifiers are 16 bits; that is all the driver is handed.
    char text[8];
    std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(id & 0xFFFF));
    return text;
}

const char* OnOff(bool on)
{
    return on ? "on" : "off";
}

} // namespace

int RunDescribe(const CtlContext& context, std::span<const std::string> args)
{
    if (!ExpectNoArguments(context, "describe", args))
        return 2;
    DeviceDescription d = ReadDeviceDescription(context.programFolder);
    std::ostream& out = context.out;
    out << "VID=" << Hex4(d.m_iVID) << "\n";
    out << "PID=" << Hex4(d.m_iPID) << "\n";
    out << "Sensor=" << d.m_iSensor << "\n";
    out << "Distance=" << d.m_iDistance << "\n";
    out << "Distance_Min=" << d.m_iDistanceMin << "\n";
    out << "Distance_Max=" << d.m_iDistanceMax << "\n";
    out << "Distance_Value=" << JoinBytes(d.m_abDistanceValue, "%u") << "\n";
    out << "Password=" << OnOff(d.m_bPassword) << "\n";
    out << "Ver_H=" << d.m_iVer_H << "\n";
    out << "Ver_L=" << d.m_iVer_L << "\n";
    out << "Update=" << OnOff(d.m_bUpdate) << "\n";
    for (std::size_t i = 0; i < d.m_aButtonCode.size(); ++i)
        out << "BUTTON" << i + 1 << "=" << JoinBytes(d.m_aButtonCode[i], "%02X") << "\n";
    return 0;
}
