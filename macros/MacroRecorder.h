#pragma once
// Turns the hook's key and mouse-button events into macro actions while a
// recording runs. Held keys are tracked, so a key gives one press and one
// release however the window system repeats it; pauses come from the events'
// own times; and room is kept for the release of every key still held, so a
// macro never ends with a key down.

#include "macros/MacroData.h"

#include <bitset>
#include <cstdint>
#include <optional>
#include <vector>

// The action a hook event stands for (0x0500: virtual key, lParam 0 down;
// 0x0501: mouse message, lParam the extra button), delay 10; none for the
// wheel.
std::optional<MacroAction> TranslateHookEvent(std::uintptr_t wParam, std::intptr_t lParam);

// A pause in whole milliseconds, to the nearest with halves up, at most 65535.
uint16_t RoundedDelay(int64_t elapsedUs);

class MacroRecorder
{
public:
    // A recorded action and the pause that ended with it, which belongs to
    // the action before it.
    struct Step
    {
        MacroAction action;
        uint16_t wPause;
    };

    // Delay modes: 0 fixed 10 ms, 1 the default delay, 2 measured.
    void Start(int iDelayMode, uint16_t wDefaultDelay, int64_t iStartUs);
    void Stop();
    bool IsRecording() const { return m_bRecording; }

    // The step an event at iTimeUs adds to a macro of iActionCount actions;
    // none for the wheel, a repeat, a release of a key not pressed during the
    // recording, a press without room for its release, or when not recording.
    std::optional<Step> Record(std::uintptr_t wParam, std::intptr_t lParam, int64_t iTimeUs,
                               int iActionCount);
    // Releases of the keys and buttons still held, so the macro lets them go.
    std::vector<Step> ReleaseHeld(int64_t iTimeUs);
    // No further press can be recorded and no release is awaited.
    bool IsFull(int iActionCount) const;
    // Room for one more press and its release.
    static bool HasRoom(int iActionCount) { return iActionCount + 2 <= kMacroMaxActions; }

private:
    uint16_t Pause(int64_t iTimeUs);

    bool m_bRecording = false;
    int m_iDelayMode = 1;
    uint16_t m_wDefaultDelay = 10;
    int64_t m_iLastUs = 0;
    std::bitset<256> m_held; // by action code
};
