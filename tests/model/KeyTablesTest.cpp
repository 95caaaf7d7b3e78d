#include "model/KeyTables.h"
#include "app/LanguageFile.h"
#include "tests/support/TempProgramFolder.h"

#include <gtest/gtest.h>

#include <set>

namespace
{

// Restores the US layout however a test ends.
class ScanCodeSourceGuard
{
public:
    explicit ScanCodeSourceGuard(ScanCodeSource source) : m_previous(SetScanCodeSource(source)) {}
    ~ScanCodeSourceGuard() { SetScanCodeSource(m_previous); }

private:
    ScanCodeSource m_previous;
};

// The French layout for the keys whose letters move against the US layout.
uint32_t AzertyScanCode(uint32_t vk)
{
    switch (vk)
    {
    case 0x41: // A sits where the US layout has Q
        return 0x10;
    case 0x51: // Q where US has A
        return 0x1E;
    case 0x5A: // Z where US has W
        return 0x11;
    case 0x57: // W where US has Z
        return 0x2C;
    case 0x4D: // M where US has ;
        return 0x27;
    default:
        return UsLayoutScanCode(vk);
    }
}

int g_sourceCalls = 0;
uint32_t CountingScanCode(uint32_t vk)
{
    ++g_sourceCalls;
    return UsLayoutScanCode(vk);
}

uint32_t UnknownScanCode(uint32_t)
{
    return 0;
}

} // namespace

TEST(KeyTables, RowsAreUniqueAndCarryScanCodesExactlyForLettersToF12)
{
    std::set<int32_t> keys;
    std::set<int32_t> scanCodes;
    int withScanCode = 0;
    for (const VirtualKeyRow& row : kVirtualKeyTable)
    {
        EXPECT_NE(row.iUsage, 0) << "a row left empty";
        EXPECT_TRUE(keys.insert(row.iVirtualKey).second) << row.iVirtualKey;
        bool ranged = row.iUsage >= 0x04 && row.iUsage <= 0x45;
        EXPECT_EQ(row.iScanCode != 0, ranged) << row.iVirtualKey;
        if (row.iScanCode != 0)
        {
            ++withScanCode;
            EXPECT_TRUE(scanCodes.insert(row.iScanCode).second) << row.iScanCode;
        }
        EXPECT_NE(row.iUsage, 0x32);
        EXPECT_NE(row.iUsage, 0x64);
    }
    EXPECT_EQ(withScanCode, 65);
}

TEST(KeyTables, UsLayoutGivesEveryKeyItsOwnUsage)
{
    for (const VirtualKeyRow& row : kVirtualKeyTable)
    {
        KeyUsage usage = VirtualKeyToUsage(static_cast<uint32_t>(row.iVirtualKey));
        EXPECT_TRUE(usage.bFound);
        EXPECT_EQ(usage.iUsage, row.iUsage) << "vk " << row.iVirtualKey;
    }
}

TEST(KeyTables, FrenchLayoutFollowsThePhysicalKey)
{
    ScanCodeSourceGuard layout(&AzertyScanCode);
    EXPECT_EQ(VirtualKeyToUsage(0x41).iUsage, 0x14);
    EXPECT_EQ(VirtualKeyToUsage(0x51).iUsage, 0x04);
    EXPECT_EQ(VirtualKeyToUsage(0x5A).iUsage, 0x1A);
    EXPECT_EQ(VirtualKeyToUsage(0x57).iUsage, 0x1D);
    EXPECT_EQ(VirtualKeyToUsage(0x4D).iUsage, 0x33);
    EXPECT_EQ(VirtualKeyToUsage(0x42).iUsage, 0x05);
}

TEST(KeyTables, KeysOutsideLettersToF12SkipTheLayout)
{
    ScanCodeSourceGuard layout(&CountingScanCode);
    g_sourceCalls = 0;
    KeyUsage ctrl = VirtualKeyToUsage(0xA2);
    EXPECT_TRUE(ctrl.bFound);
    EXPECT_EQ(ctrl.iUsage, 0xE0);
    EXPECT_EQ(VirtualKeyToUsage(0xF7).iUsage, 0xF7);
    EXPECT_EQ(g_sourceCalls, 0);
    VirtualKeyToUsage(0x41);
    EXPECT_EQ(g_sourceCalls, 1);
}

TEST(KeyTables, UnknownKeysAndUnplacedKeys)
{
    KeyUsage kana = VirtualKeyToUsage(0x15);
    EXPECT_FALSE(kana.bFound);
    EXPECT_EQ(kana.iUsage, 0);
    EXPECT_FALSE(VirtualKeyToUsage(0xF9).bFound);

    // A layout that cannot place the key keeps the key's own usage instead of
    // matching a row without scan code.
    ScanCodeSourceGuard layout(&UnknownScanCode);
    EXPECT_EQ(VirtualKeyToUsage(0x41).iUsage, 0x04);
}

TEST(KeyTables, NamesOfUsagesAndMouseCodes)
{
    EXPECT_EQ(UsageName(0x04), "key_A");
    EXPECT_EQ(UsageName(0x27), "key_0");
    EXPECT_EQ(UsageName(0x63), "key_Num_.");
    EXPECT_EQ(UsageName(0xF9), "Scroll_Down");
    EXPECT_EQ(UsageName(0x64), UsageName(0x31));
    EXPECT_EQ(UsageName(0x31), "key_Xiexian");

    // Plain texts are shown as they are, never looked up.
    EXPECT_EQ(UsageName(0x32), "\xEF\xBF\xA5");
    EXPECT_EQ(UsageName(0x82), "Sleep");
    EXPECT_EQ(UsageName(0x88), "Kana/Roma");
    EXPECT_EQ(UsageName(0xDD), "`");
    for (int usage : {0x32, 0x82, 0x88, 0xDD})
        EXPECT_FALSE(UsageNameIsTextKey(usage)) << usage;
    EXPECT_TRUE(UsageNameIsTextKey(0x04));
    EXPECT_TRUE(UsageNameIsTextKey(0xF0));

    for (int usage : {0x00, 0x03, 0x66, 0xF5, 0xF6, 0xF7, 0xFF, 0x104})
    {
        EXPECT_TRUE(UsageName(usage).empty()) << usage;
        EXPECT_FALSE(UsageNameIsTextKey(usage)) << usage;
    }

    // Every key the table can capture has a name, except the row-only 0xF7.
    for (const VirtualKeyRow& row : kVirtualKeyTable)
        EXPECT_EQ(UsageName(row.iUsage).empty(), row.iUsage == 0xF7) << row.iUsage;
}

TEST(KeyTables, EveryTextKeyNameIsInTheLanguageFiles)
{
    for (const char* file : {"CN.xml", "TW.xml", "EN.xml"})
    {
        LanguageFile language;
        ASSERT_TRUE(language.Load(SourceDir() / "res" / "Language" / file)) << file;
        for (int usage = 0; usage < 0x100; ++usage)
        {
            if (UsageNameIsTextKey(usage))
            {
                EXPECT_TRUE(language.HasKey(UsageName(usage))) << file << " " << UsageName(usage);
            }
        }
    }
}
