#pragma once
// The device description: what differs between mouse models, read once from
// Data.ini in the program folder.

#include <array>
#include <cstdint>
#include <filesystem>

struct ProfileData;
class IniFile;

// Identifiers used when Data.ini names none (the virtual mouse's).
inline constexpr uint32_t kDefaultVendorId = 0x1209;
inline constexpr uint32_t kDefaultProductId = 0x0001;

struct DeviceDescription
{
    uint32_t m_iVID = kDefaultVendorId;
    uint32_t m_iPID = kDefaultProductId;
    int32_t m_iSensor = -1;
    int32_t m_iDistance = -1;
    int32_t m_iDistanceMin = 0;
    int32_t m_iDistanceMax = 0;
    std::array<uint8_t, 8> m_abDistanceValue{};
    bool m_bPassword = false;
    std::array<uint8_t, 6> m_abPassword{};
    int32_t m_iVer_H = 0;
    int32_t m_iVer_L = 0;
    bool m_bUpdate = true;
    std::array<std::array<uint8_t, 5>, 32> m_aButtonCode{};
};

// Start-up's read of <programFolder>/Data.ini. Between the BUTTON keys and
// "Password" it also reads the default profile image (Default.pbin from
// `dataFolder`, else the copy shipped in <programFolder>/Data).
void ReadDeviceDescription(DeviceDescription& desc, const std::filesystem::path& programFolder,
                           const std::filesystem::path& dataFolder, ProfileData& defaultProfile);

// The description alone, for tools that need nothing else.
DeviceDescription ReadDeviceDescription(const std::filesystem::path& programFolder);
void ReadDeviceDescription(DeviceDescription& desc, const IniFile& ini);
