#pragma once
// The hook behind LoadHookLibrary: reports key and mouse-button events, as
// the Windows hook library would, to the window that installed it. On X11 they
// come from the whole desktop (XInputSource), elsewhere from an
// application-wide Qt event filter; the filter also keeps them from the
// program's widgets while reporting is on. It teaches the key tables which
// scan code each virtual key comes from, so keys follow their position.

#include "platform/EventClock.h"
#include "ui/UIDefs.h"

#include <QObject>
#include <bitset>
#include <cstdint>
#include <deque>
#include <memory>

class QKeyEvent;
class QMouseEvent;
class XInputSource;

class InputHook : public QObject
{
public:
    static InputHook& Instance();

    void InstallKeyboard(HWND hWnd);
    void RemoveKeyboard();
    void EnableKeyboard(bool bEnable);
    void InstallMouse(HWND hWnd);
    void RemoveMouse();
    void EnableMouse(bool bEnable);
    // The time of a posted event, as hookeventtime gives it.
    int64_t TakeEventTime(HWND hWnd, WPARAM wParam, LPARAM lParam);
    // Events come from the whole desktop (XInput2 on X11), not only from the
    // program's own windows.
    bool SeesDesktop();

    // The Windows virtual key of a key event; 0 when there is none. A native
    // scan code (X11 and Wayland: evdev code + 8) places digits and
    // punctuation by position and tells left from right modifiers.
    static uint32_t VirtualKeyOf(int qtKey, bool bKeypad, uint32_t set1ScanCode);
    // The PC set-1 make code of an evdev key code (0 when unknown), with 0xE0
    // keys given as 0xE000 | code.
    static uint32_t EvdevToSet1(uint32_t evdevCode);
    // The US layout's virtual key of the key at a set-1 position; 0 for none.
    static uint32_t VirtualKeyAt(uint32_t set1ScanCode);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    InputHook();
    ~InputHook() override;
    void Attach();
    void OnRawEvent(bool bKey, uint32_t detail, bool bUp, uint32_t time);
    bool KeysReported() const { return m_hKeyTarget != nullptr && m_bKeyEnabled; }
    bool ButtonsReported() const { return m_hMouseTarget != nullptr && m_bMouseEnabled; }
    void ReportingChanged();
    void OnKey(const QKeyEvent& event);
    void OnMouse(const QEvent& event);
    void ReportKey(uint32_t virtualKey, bool bUp, int64_t timeUs);
    void Post(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, int64_t timeUs);

    struct PostedEvent
    {
        HWND hWnd;
        WPARAM wParam;
        LPARAM lParam;
        int64_t timeUs;
    };

    HWND m_hKeyTarget = nullptr;
    HWND m_hMouseTarget = nullptr;
    bool m_bKeyEnabled = false;
    bool m_bMouseEnabled = false;
    bool m_bAttached = false;
    std::bitset<256> m_keysDown; // by virtual key, while keys are reported
    EventClock m_clock;
    std::unique_ptr<XInputSource> m_pDesktop; // none: this program's windows only
    std::deque<PostedEvent> m_posted;
};
