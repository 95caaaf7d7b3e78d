// The recorder on streams of hook events as the hook posts them: what is
// recorded, what is dropped, and the pauses taken from the events' times.

#include "macros/MacroRecorder.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace
{
struct Event
{
    std::uintptr_t w;
    std::intptr_t l;
    int64_t us;
};

// (code, kind) of every step, and the pauses, fed through one recorder with
// the action count growing as a page would let it.
struct Result
{
    std::vector<std::pair<int, int>> actions;
    std::vector<int> pauses;
};

Result Feed(MacroRecorder& recorder, const std::vector<Event>& events, int count = 0)
{
    Result result;
    for (const Event& e : events)
        if (const auto step = recorder.Record(e.w, e.l, e.us, count))
        {
            result.actions.emplace_back(step->action.byCode, step->action.byKind);
            result.pauses.push_back(step->wPause);
            EXPECT_EQ(step->action.wDelay, 10);
            ++count;
        }
    return result;
}

using Actions = std::vector<std::pair<int, int>>;
} // namespace

TEST(MacroRecorder, HeldKeysGiveOnePressAndOneReleaseAndEveryKeyIsRecorded)
{
    MacroRecorder recorder;
    EXPECT_TRUE(Feed(recorder, {{0x41, 0, 0}}).actions.empty()) << "not recording";
    recorder.Start(0, 10, 0);
    const Result r = Feed(recorder, {
                                        {0x42, 1, 0}, // B up: pressed before the recording
                                        {0x41, 0, 0}, // A down
                                        {0x41, 0, 0}, // repeats of A, with B among them
                                        {0x43, 0, 0}, // C down
                                        {0x41, 0, 0}, //
                                        {0x41, 1, 0}, // A up
                                        {0x41, 1, 0}, // again: not held any more
                                        {0x43, 0, 0}, // C repeat
                                        {0x43, 1, 0}, // C up
                                        {0x20, 0, 0}, // Space, Return, Tab, Escape
                                        {0x20, 1, 0}, //
                                        {0x0D, 0, 0}, //
                                        {0x0D, 1, 0}, //
                                        {0x09, 0, 0}, //
                                        {0x09, 1, 0}, //
                                        {0x1B, 0, 0}, //
                                        {0x1B, 1, 0}, //
                                        {522, 0, 0},  // wheel
                                        {523, 2, 0},  // forward down
                                        {513, 0, 0},  // left down
                                        {524, 2, 0},  // forward up
                                        {514, 0, 0},  // left up
                                        {524, 1, 0},  // back up, never pressed
                                    });
    EXPECT_EQ(r.actions, (Actions{{4, 1},
                                  {6, 1},
                                  {4, 2},
                                  {6, 2},
                                  {0x2C, 1},
                                  {0x2C, 2},
                                  {0x28, 1},
                                  {0x28, 2},
                                  {0x2B, 1},
                                  {0x2B, 2},
                                  {0x29, 1},
                                  {0x29, 2},
                                  {244, 1},
                                  {240, 1},
                                  {244, 2},
                                  {240, 2}}));
    recorder.Stop();
    EXPECT_TRUE(Feed(recorder, {{0x44, 0, 0}}).actions.empty()) << "queued after the stop";
}

TEST(MacroRecorder, PausesComeFromTheEventTimesInEveryDelayMode)
{
    MacroRecorder recorder;
    const std::vector<Event> events = {
        {0x41, 0, 1'003'000},  {0x41, 0, 1'003'700}, // a repeat moves no clock
        {0x41, 1, 1'004'499},  {0x42, 0, 1'005'999},
        {0x42, 1, 71'005'999}, {0x43, 0, 71'005'000}}; // older stamp: no pause
    recorder.Start(2, 25, 1'000'000);
    EXPECT_EQ(Feed(recorder, events).pauses, (std::vector<int>{3, 1, 2, 65535, 0}));
    recorder.Start(1, 25, 0);
    EXPECT_EQ(Feed(recorder, events).pauses, (std::vector<int>{25, 25, 25, 25, 25}));
    recorder.Start(0, 25, 0);
    EXPECT_EQ(Feed(recorder, events).pauses, (std::vector<int>{10, 10, 10, 10, 10}));

    EXPECT_EQ(RoundedDelay(1499), 1);
    EXPECT_EQ(RoundedDelay(1500), 2);
    EXPECT_EQ(RoundedDelay(65'535'499), 65535);
    EXPECT_EQ(RoundedDelay(70'000'000), 65535);
    EXPECT_EQ(RoundedDelay(-5000), 0);
}

TEST(MacroRecorder, KeepsRoomForTheReleaseOfEveryHeldKey)
{
    MacroRecorder recorder;
    recorder.Start(2, 10, 0);
    // 36 actions: A and B fit with their releases, C would leave B down.
    const Result r =
        Feed(recorder, {{0x41, 0, 1000}, {0x42, 0, 2000}, {0x43, 0, 3000}, {0x41, 1, 4000}}, 36);
    EXPECT_EQ(r.actions, (Actions{{4, 1}, {5, 1}, {4, 2}}));
    EXPECT_FALSE(recorder.IsFull(39)) << "B's release is still to come";
    // Stopping lets B go, timed by the stop.
    const std::vector<MacroRecorder::Step> closing = recorder.ReleaseHeld(9000);
    ASSERT_EQ(closing.size(), 1u);
    EXPECT_EQ(closing[0].action.byCode, 5);
    EXPECT_EQ(closing[0].action.byKind, 2);
    EXPECT_EQ(closing[0].wPause, 5);
    EXPECT_TRUE(recorder.IsFull(39)) << "a press would have no room for its release";
    EXPECT_TRUE(recorder.IsFull(40));
    EXPECT_FALSE(recorder.IsFull(38));
    EXPECT_FALSE(MacroRecorder::HasRoom(39));
}
