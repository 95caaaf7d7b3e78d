#include "macros/MacroRecorder.h"

#include "model/KeyTables.h"
#include "model/MouseMessages.h"

#include <algorithm>

namespace
{
constexpr uint16_t kFixedDelay = 10;

// The mouse buttons: their down and up messages and the code a macro stores.
struct MouseButton
{
    std::uintptr_t down;
    std::uintptr_t up;
    uint8_t code;
};
constexpr MouseButton kMouseButtons[] = {{kMouseLeftDown, kMouseLeftUp, 0xF0},
                                         {kMouseRightDown, kMouseRightUp, 0xF1},
                                         {kMouseMiddleDown, kMouseMiddleUp, 0xF2}};
} // namespace

std::optional<MacroAction> TranslateHookEvent(std::uintptr_t wParam, std::intptr_t lParam)
{
    MacroAction action{};
    action.wDelay = kFixedDelay;
    if (wParam == kMouseWheel)
        return std::nullopt;
    for (const MouseButton& button : kMouseButtons)
        if (wParam == button.down || wParam == button.up)
        {
            action.byCode = button.code;
            action.byKind = wParam == button.down ? kMacroKindPress : kMacroKindRelease;
            return action;
        }
    if (wParam == kMouseExtraDown || wParam == kMouseExtraUp)
    {
        action.byCode = lParam == 2 ? 0xF4 : 0xF3;
        action.byKind = wParam == kMouseExtraDown ? kMacroKindPress : kMacroKindRelease;
        return action;
    }
    const KeyUsage usage = VirtualKeyToUsage(static_cast<uint32_t>(wParam));
    action.byCode = static_cast<uint8_t>(usage.bFound ? usage.iUsage : 0);
    action.byKind = lParam == 0 ? kMacroKindPress : kMacroKindRelease;
    return action;
}

uint16_t RoundedDelay(int64_t elapsedUs)
{
    const int64_t ms = (std::max<int64_t>(elapsedUs, 0) + 500) / 1000;
    return static_cast<uint16_t>(std::min<int64_t>(ms, 65535));
}

void MacroRecorder::Start(int iDelayMode, uint16_t wDefaultDelay, int64_t iStartUs)
{
    m_bRecording = true;
    m_iDelayMode = iDelayMode;
    m_wDefaultDelay = wDefaultDelay;
    m_iLastUs = iStartUs;
    m_held.reset();
}

void MacroRecorder::Stop()
{
    m_bRecording = false;
    m_held.reset();
}

uint16_t MacroRecorder::Pause(int64_t iTimeUs)
{
    const int64_t elapsed = iTimeUs - m_iLastUs;
    m_iLastUs = iTimeUs;
    if (m_iDelayMode == 2)
        return RoundedDelay(elapsed);
    return m_iDelayMode == 1 ? m_wDefaultDelay : kFixedDelay;
}

std::optional<MacroRecorder::Step> MacroRecorder::Record(std::uintptr_t wParam,
                                                         std::intptr_t lParam, int64_t iTimeUs,
                                                         int iActionCount)
{
    if (!m_bRecording)
        return std::nullopt;
    const std::optional<MacroAction> action = TranslateHookEvent(wParam, lParam);
    if (!action)
        return std::nullopt;
    const uint8_t code = action->byCode;
    if (action->byKind == kMacroKindPress)
    {
        // Every held key has its release's place kept.
        const int reserved = static_cast<int>(m_held.count());
        if (m_held.test(code) || !HasRoom(iActionCount + reserved))
            return std::nullopt;
        m_held.set(code);
    }
    else
    {
        if (!m_held.test(code))
            return std::nullopt;
        m_held.reset(code);
    }
    return Step{*action, Pause(iTimeUs)};
}

std::vector<MacroRecorder::Step> MacroRecorder::ReleaseHeld(int64_t iTimeUs)
{
    std::vector<Step> steps;
    if (!m_bRecording)
        return steps;
    for (std::size_t code = 0; code < m_held.size(); ++code)
        if (m_held.test(code))
        {
            MacroAction release{};
            release.byCode = static_cast<uint8_t>(code);
            release.byKind = kMacroKindRelease;
            release.wDelay = kFixedDelay;
            steps.push_back(Step{release, Pause(iTimeUs)});
        }
    m_held.reset();
    return steps;
}

bool MacroRecorder::IsFull(int iActionCount) const
{
    return iActionCount >= kMacroMaxActions || (m_held.none() && !HasRoom(iActionCount));
}
