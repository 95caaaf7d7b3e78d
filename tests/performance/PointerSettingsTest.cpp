#include "performance/PointerSettings.h"
#include "model/ProfileData.h"
#include "performance/RecordingPointerBackend.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{

std::unique_ptr<ProfileData> PointerProfile()
{
    auto p = std::make_unique<ProfileData>();
    p->iPointerSpeed = 6;
    p->iScrollLines = 3;
    p->iDoubleClickSpeed = 5;
    return p;
}

TEST(PointerSettings, WindowsValues)
{
    EXPECT_EQ(DoubleClickTime(5), 550);
    EXPECT_EQ(DoubleClickTime(11), 130);
    const int speeds[] = {10, 1, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 10};
    for (int p = 0; p <= 12; ++p)
        EXPECT_EQ(WindowsPointerSpeed(p), speeds[p]) << p;
    EXPECT_EQ(WindowsPointerSpeed(-3), 10);
    EXPECT_EQ(MouseAcceleration(1), (std::array<int, 3>{1, 6, 10}));
    EXPECT_EQ(MouseAcceleration(0), (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(WheelScrollLines(7, 0), 7);
    EXPECT_EQ(WheelScrollLines(7, 1), -1);
}

TEST(PointerSettings, OnlyWhatDiffersFromTheSnapshotIsSet)
{
    RecordingPointerBackend backend;
    const auto snapshot = PointerProfile();
    auto current = PointerProfile();
    ApplyWindowsPointerSettings(*current, *snapshot, backend);
    EXPECT_TRUE(backend.TakeCalls().empty());

    current->iDoubleClickSpeed = 11;
    ApplyWindowsPointerSettings(*current, *snapshot, backend);
    EXPECT_EQ(backend.TakeCalls(), (std::vector<std::string>{"DoubleClickTime 130"}));

    // Precision alone still sets the speed too, after the acceleration.
    current = PointerProfile();
    current->bEnhancePointer = 1;
    ApplyWindowsPointerSettings(*current, *snapshot, backend);
    EXPECT_EQ(backend.TakeCalls(),
              (std::vector<std::string>{"MouseAcceleration 1 6 10", "MouseSpeed 10"}));

    current = PointerProfile();
    current->iPointerSpeed = 11;
    current->bOnePageScroll = 1;
    ApplyWindowsPointerSettings(*current, *snapshot, backend);
    EXPECT_EQ(backend.TakeCalls(),
              (std::vector<std::string>{"MouseAcceleration 0 0 0", "MouseSpeed 20",
                                        "WheelScrollLines -1"}));

    current = PointerProfile();
    current->iScrollLines = 9;
    current->iReportRate = 3; // not a pointer setting
    ApplyWindowsPointerSettings(*current, *snapshot, backend);
    EXPECT_EQ(backend.TakeCalls(), (std::vector<std::string>{"WheelScrollLines 9"}));
}

} // namespace
