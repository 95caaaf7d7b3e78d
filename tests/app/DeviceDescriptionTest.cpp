#include "app/DeviceDescription.h"
#include "model/IniFile.h"
#include "model/ProfileData.h"
#include "model/ProfileExchange.h"
#include "tests/support/TempProgramFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace
{

DeviceDescription FromText(const std::string& text)
{
    IniFile ini;
    ini.Parse(text);
    DeviceDescription desc;
    ReadDeviceDescription(desc, ini);
    return desc;
}

std::array<uint8_t, 5> Button(const DeviceDescription& d, int key)
{
    return d.m_aButtonCode[key - 1];
}

} // namespace

TEST(DeviceDescription, MissingFileGivesTheDefaults)
{
    TempProgramFolder dir;
    std::filesystem::remove(dir.Path() / "Data.ini");
    DeviceDescription d = ReadDeviceDescription(dir.Path());
    EXPECT_EQ(d.m_iVID, kDefaultVendorId);
    EXPECT_EQ(d.m_iPID, kDefaultProductId);
    EXPECT_EQ(d.m_iSensor, -1);
    EXPECT_EQ(d.m_iDistance, -1);
    EXPECT_EQ(d.m_iDistanceMin, 0);
    EXPECT_EQ(d.m_iDistanceMax, 0);
    EXPECT_EQ(d.m_abDistanceValue, (std::array<uint8_t, 8>{}));
    EXPECT_FALSE(d.m_bPassword);
    EXPECT_EQ(d.m_iVer_H, -1);
    EXPECT_EQ(d.m_iVer_L, -1);
    EXPECT_TRUE(d.m_bUpdate);
    for (const auto& code : d.m_aButtonCode)
        EXPECT_EQ(code, (std::array<uint8_t, 5>{}));
}

TEST(DeviceDescription, ReadsTheSampleFile)
{
    TempProgramFolder dir;
    DeviceDescription d = ReadDeviceDescription(dir.Path());
    EXPECT_EQ(d.m_iVID, 0x1209u);
    EXPECT_EQ(d.m_iPID, 0x0001u);
    EXPECT_EQ(d.m_iSensor, 3335);
    EXPECT_NE(d.m_iDistance, 0);
    EXPECT_LE(d.m_iDistanceMin, d.m_iDistanceMax);
    EXPECT_TRUE(d.m_bPassword);
    EXPECT_EQ(Button(d, 1), (std::array<uint8_t, 5>{0x01, 0x00, 0xF0, 0x00, 0x01}));
}

TEST(DeviceDescription, HexIdentifiersAndRange)
{
    DeviceDescription d = FromText("[Default]\nVID=1a2b\nPID=1a2b3\nDistance_Min=ff\n"
                                   "Distance_Max=1ff\n");
    EXPECT_EQ(d.m_iVID, 0x1A2Bu);
    EXPECT_EQ(d.m_iPID, 0x1A2Bu); // a fifth digit is cut off
    EXPECT_EQ(d.m_iDistanceMin, 255);
    EXPECT_EQ(d.m_iDistanceMax, 0x1F);

    d = FromText("[Default]\nVID=\nPID=zz\nDistance_Min=g\n");
    EXPECT_EQ(d.m_iVID, kDefaultVendorId);
    EXPECT_EQ(d.m_iPID, kDefaultProductId);
    EXPECT_EQ(d.m_iDistanceMin, 0);
}

TEST(DeviceDescription, IntegerKeysAndFlags)
{
    DeviceDescription d = FromText("[Default]\nSensor=3370\nDistance=0\nVer_H=x\nVer_L=12\n"
                                   "Update=0\n");
    EXPECT_EQ(d.m_iSensor, 3370);
    EXPECT_EQ(d.m_iDistance, 0);
    EXPECT_EQ(d.m_iVer_H, 0); // present but not a number
    EXPECT_EQ(d.m_iVer_L, 12);
    EXPECT_FALSE(d.m_bUpdate);
    EXPECT_TRUE(FromText("[Default]\nUpdate=2\n").m_bUpdate);
}

TEST(DeviceDescription, PasswordNeedsExactlySixCharacters)
{
    EXPECT_FALSE(FromText("[Default]\nPassword=abcde\n").m_bPassword);
    EXPECT_FALSE(FromText("[Default]\nPassword=abcdefg\n").m_bPassword);
    EXPECT_FALSE(FromText("[Default]\nPassword=\n").m_bPassword);
    DeviceDescription d = FromText("[Default]\nPassword=Ab1#\xC3\xA9z\n"); // é is one character
    ASSERT_TRUE(d.m_bPassword);
    EXPECT_EQ(d.m_abPassword, (std::array<uint8_t, 6>{'A', 'b', '1', '#', 0xE9, 'z'}));
}

TEST(DeviceDescription, ButtonAndDistanceLists)
{
    DeviceDescription d = FromText("[BUTTON]\n5=01,00,f0,00,01\n6=01,00,f0,00,00\n"
                                   "7=1ff,2\n8=07, 00 ,01\n32=3\n33=09,09,09,09,09\n"
                                   "[Default]\nDistance_Value=1,2,3\n");
    EXPECT_EQ(Button(d, 5), (std::array<uint8_t, 5>{0x01, 0x00, 0xF0, 0x00, 0x01}));
    EXPECT_EQ(Button(d, 6), (std::array<uint8_t, 5>{0x01, 0x00, 0xF0, 0x00, 0x00}));
    // Two digits at most: "1ff" reads 0x1F and then stops at the unexpected 'f'.
    EXPECT_EQ(Button(d, 7), (std::array<uint8_t, 5>{0x1F, 0, 0, 0, 0}));
    // Blanks before a number are skipped, blanks before a comma end the list.
    EXPECT_EQ(Button(d, 8), (std::array<uint8_t, 5>{0x07, 0x00, 0, 0, 0}));
    EXPECT_EQ(Button(d, 32), (std::array<uint8_t, 5>{0x03, 0, 0, 0, 0}));
    EXPECT_EQ(d.m_abDistanceValue, (std::array<uint8_t, 8>{1, 2, 3, 0, 0, 0, 0, 0}));

    d = FromText("[Default]\nDistance_Value=300,-1,+7,9,10,11,12,13,14\n");
    EXPECT_EQ(d.m_abDistanceValue, (std::array<uint8_t, 8>{44, 255, 7, 9, 10, 11, 12, 13}));
}

// The lists and hex values must parse exactly as the C library's sscanf does,
// since existing Data.ini files were written against it.
TEST(DeviceDescription, ParsesLikeSscanf)
{
    const char* inputs[] = {"1a2b",
                            "0x1a2b",
                            "0X1",
                            "-1",
                            "+f",
                            "-",
                            "0x",
                            "00012",
                            "g12",
                            "12,34",
                            "1, 2,3",
                            "1 ,2",
                            "ff,",
                            ",1",
                            "0x5,6",
                            "-0,1",
                            "7,8,9,10",
                            "1,2,3,4,5,6,7,8,9",
                            "+,1",
                            "0xg",
                            "AbCdEf",
                            "99999999999999999999,1",
                            "-99999999999999999999"};
    for (const char* s : inputs)
    {
        SCOPED_TRACE(s);
        DeviceDescription d = FromText(std::string("[Default]\nVID=") + s +
                                       "\nDistance_Value=" + s + "\n[BUTTON]\n1=" + s + "\n");
        unsigned vid = kDefaultVendorId;
        std::sscanf(s, "%04x", &vid);
        EXPECT_EQ(d.m_iVID, vid);

        unsigned b[5] = {};
        std::sscanf(s, "%02x,%02x,%02x,%02x,%02x", &b[0], &b[1], &b[2], &b[3], &b[4]);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(d.m_aButtonCode[0][i], static_cast<uint8_t>(b[i])) << i;

        int v[8] = {};
        std::sscanf(s, "%d,%d,%d,%d,%d,%d,%d,%d", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6],
                    &v[7]);
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(d.m_abDistanceValue[i], static_cast<uint8_t>(v[i])) << i;
    }
}

TEST(DeviceDescription, ReadsTheDefaultProfileImage)
{
    TempProgramFolder dir;
    auto shipped = std::make_unique<ProfileData>();
    std::memset(shipped.get(), 0x5A, sizeof *shipped);
    dir.WriteFile("Data/Default.pbin", shipped.get(), sizeof *shipped);

    // A separate user data folder without its own copy uses the shipped one.
    std::filesystem::path userData = dir.Path() / "user";
    auto image = std::make_unique<ProfileData>();
    DeviceDescription d;
    ReadDeviceDescription(d, dir.Path(), userData, *image);
    EXPECT_EQ(std::memcmp(image.get(), shipped.get(), sizeof *image), 0);
    EXPECT_EQ(d.m_iSensor, 3335);

    // The user's copy wins, and what a short one lacks stays zero.
    std::vector<uint8_t> shortCopy(100, 0x11);
    dir.WriteFile("user/Default.pbin", shortCopy.data(), shortCopy.size());
    ReadDeviceDescription(d, dir.Path(), userData, *image);
    const auto* bytes = reinterpret_cast<const uint8_t*>(image.get());
    EXPECT_EQ(bytes[0], 0x11);
    EXPECT_EQ(bytes[99], 0x11);
    EXPECT_EQ(bytes[100], 0);
    EXPECT_EQ(bytes[sizeof(ProfileData) - 1], 0);

    // No copy anywhere: all zero, whatever the image held before.
    std::filesystem::remove(userData / kDefaultProfileFile);
    std::filesystem::remove(dir.DataDir() / kDefaultProfileFile);
    std::memset(image.get(), 0x77, sizeof *image);
    ReadDeviceDescription(d, dir.Path(), userData, *image);
    EXPECT_EQ(*std::max_element(bytes, bytes + sizeof(ProfileData)), 0);
}
