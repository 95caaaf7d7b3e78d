#include "platform/InputHook.h"

#include "model/KeyTables.h"
#include "model/MouseMessages.h"
#include "platform/HookLibrary.h"
#include "platform/XInputSource.h"
#include "ui/WindowWnd.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>
#include <algorithm>
#include <array>
#include <atomic>

namespace
{
// Times of events whose receiver never asked for them are dropped beyond this.
constexpr std::size_t kMaxPostedTimes = 256;

// Scan codes seen with each virtual key, for the key tables. Written and read
// on the UI thread; atomics keep a reader on another thread well defined.
std::array<std::atomic<uint32_t>, 256> g_seenScanCode{};

uint32_t SeenScanCode(uint32_t virtualKey)
{
    if (virtualKey < g_seenScanCode.size())
        if (const uint32_t scan = g_seenScanCode[virtualKey].load(std::memory_order_relaxed))
            return scan;
    return UsLayoutScanCode(virtualKey);
}

// The US layout's virtual key at a physical position (rows with a scan code).
uint32_t UsVirtualKeyAt(uint32_t set1ScanCode)
{
    for (const VirtualKeyRow& row : kVirtualKeyTable)
        if (row.iScanCode != 0 && static_cast<uint32_t>(row.iScanCode) == set1ScanCode)
            return static_cast<uint32_t>(row.iVirtualKey);
    return 0;
}

// The keys the key table places by virtual key alone, at their positions.
struct PlacedKey
{
    uint32_t set1;
    uint32_t virtualKey;
};
constexpr PlacedKey kPlacedKeys[] = {
    {0x1D, 0xA2},   {0x2A, 0xA0},   {0x36, 0xA1},   {0x38, 0xA4},   {0x37, 0x6A},   {0x45, 0x90},
    {0x46, 0x91},   {0x47, 0x67},   {0x48, 0x68},   {0x49, 0x69},   {0x4A, 0x6D},   {0x4B, 0x64},
    {0x4C, 0x65},   {0x4D, 0x66},   {0x4E, 0x6B},   {0x4F, 0x61},   {0x50, 0x62},   {0x51, 0x63},
    {0x52, 0x60},   {0x53, 0x6E},   {0xE01C, 0x6C}, {0xE01D, 0xA3}, {0xE035, 0x6F}, {0xE037, 0x2C},
    {0xE038, 0xA5}, {0xE047, 0x24}, {0xE048, 0x26}, {0xE049, 0x21}, {0xE04B, 0x25}, {0xE04D, 0x27},
    {0xE04F, 0x23}, {0xE050, 0x28}, {0xE051, 0x22}, {0xE052, 0x2D}, {0xE053, 0x2E}, {0xE11D, 0x13},
    {0xE05B, 0x5B}, {0xE05C, 0x5C}, {0xE05D, 0x5D}};

// X buttons: 1 left, 2 middle, 3 right, 4..7 the wheels, 8 back, 9 forward.
constexpr uint32_t kFirstWheelButton = 4, kLastWheelButton = 7;

bool NativeCodesAreEvdev()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

void HookInstall(HWND hWnd)
{
    InputHook::Instance().InstallKeyboard(hWnd);
}
void HookRemove()
{
    InputHook::Instance().RemoveKeyboard();
}
void HookEnable(int bEnable)
{
    InputHook::Instance().EnableKeyboard(bEnable != 0);
}
void MouseHookInstall(HWND hWnd)
{
    InputHook::Instance().InstallMouse(hWnd);
}
void MouseHookRemove()
{
    InputHook::Instance().RemoveMouse();
}
void MouseHookEnable(int bEnable)
{
    InputHook::Instance().EnableMouse(bEnable != 0);
}
int64_t HookEventTime(HWND hWnd, WPARAM wParam, LPARAM lParam)
{
    return InputHook::Instance().TakeEventTime(hWnd, wParam, lParam);
}
int HookScope()
{
    return InputHook::Instance().SeesDesktop() ? 1 : 0;
}
// Present so that the table of entry points is complete; nobody calls it.
void MouseMoveHookEntry(HWND) {}
} // namespace

HookLibrary LoadHookLibrary()
{
    HookLibrary hook;
    hook.installhook = &HookInstall;
    hook.removehook = &HookRemove;
    hook.enablehook = &HookEnable;
    hook.installmousehook = &MouseHookInstall;
    hook.removemousehook = &MouseHookRemove;
    hook.enablemousehook = &MouseHookEnable;
    hook.hookeventtime = &HookEventTime;
    hook.hookscope = &HookScope;
    hook.MouseMoveHook = reinterpret_cast<const void*>(&MouseMoveHookEntry);
    return hook;
}

InputHook& InputHook::Instance()
{
    static InputHook hook;
    return hook;
}

InputHook::InputHook() = default;
InputHook::~InputHook() = default;

void InputHook::Attach()
{
    if (m_bAttached || QCoreApplication::instance() == nullptr)
        return;
    // The filter stays on with the desktop source too: it keeps recorded and
    // captured input from the program's own widgets.
    QCoreApplication::instance()->installEventFilter(this);
    SetScanCodeSource(&SeenScanCode);
    // An X client (XWayland too) can see the whole desktop's raw input; a
    // native Wayland client only its own windows' input.
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        m_pDesktop = XInputSource::Open([this](bool bKey, uint32_t detail, bool bUp, uint32_t time)
                                        { OnRawEvent(bKey, detail, bUp, time); });
    m_bAttached = true;
}

bool InputHook::SeesDesktop()
{
    Attach();
    return m_pDesktop != nullptr;
}

// Reporting starts switched off; the caller enables it when it is ready.
void InputHook::InstallKeyboard(HWND hWnd)
{
    Attach();
    m_hKeyTarget = hWnd;
    m_bKeyEnabled = false;
    ReportingChanged();
}

void InputHook::RemoveKeyboard()
{
    m_hKeyTarget = nullptr;
    m_bKeyEnabled = false;
    ReportingChanged();
}

void InputHook::EnableKeyboard(bool bEnable)
{
    m_bKeyEnabled = bEnable;
    ReportingChanged();
}

void InputHook::InstallMouse(HWND hWnd)
{
    Attach();
    m_hMouseTarget = hWnd;
    m_bMouseEnabled = false;
    ReportingChanged();
}

void InputHook::RemoveMouse()
{
    m_hMouseTarget = nullptr;
    m_bMouseEnabled = false;
    ReportingChanged();
}

void InputHook::EnableMouse(bool bEnable)
{
    m_bMouseEnabled = bEnable;
    ReportingChanged();
}

void InputHook::ReportingChanged()
{
    // Key state and the clock's offset belong to one period of reporting.
    if (!KeysReported())
        m_keysDown.reset();
    if (!KeysReported() && !ButtonsReported())
        m_clock.Reset();
    if (m_pDesktop)
        m_pDesktop->Select(KeysReported(), ButtonsReported());
}

void InputHook::OnRawEvent(bool bKey, uint32_t detail, bool bUp, uint32_t time)
{
    const int64_t timeUs = m_clock.ToSteadyUs(time);
    if (bKey)
    {
        // The position decides the key: evdev code = X key code - 8.
        const uint32_t scan = detail > 8 ? EvdevToSet1(detail - 8) : 0;
        const uint32_t vk = VirtualKeyAt(scan);
        if (vk == 0)
            return;
        if (scan < 0x100)
            g_seenScanCode[vk].store(scan, std::memory_order_relaxed);
        ReportKey(vk, bUp, timeUs);
        return;
    }
    if (!ButtonsReported())
        return;
    static constexpr WPARAM kDown[] = {0, kMouseLeftDown, kMouseMiddleDown, kMouseRightDown};
    static constexpr WPARAM kUp[] = {0, kMouseLeftUp, kMouseMiddleUp, kMouseRightUp};
    if (detail >= 1 && detail <= 3)
        Post(m_hMouseTarget, WM_HOOK_MOUSEBUTTON, bUp ? kUp[detail] : kDown[detail], 0, timeUs);
    else if (detail == 8 || detail == 9)
        Post(m_hMouseTarget, WM_HOOK_MOUSEBUTTON, bUp ? kMouseExtraUp : kMouseExtraDown, detail - 7,
             timeUs);
    else if (detail >= kFirstWheelButton && detail <= kLastWheelButton && !bUp)
        Post(m_hMouseTarget, WM_HOOK_MOUSEBUTTON, kMouseWheel, 0, timeUs);
}

uint32_t InputHook::VirtualKeyAt(uint32_t set1ScanCode)
{
    if (set1ScanCode == 0)
        return 0;
    if (const uint32_t vk = UsVirtualKeyAt(set1ScanCode))
        return vk;
    for (const PlacedKey& key : kPlacedKeys)
        if (key.set1 == set1ScanCode)
            return key.virtualKey;
    return 0;
}

void InputHook::Post(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, int64_t timeUs)
{
    if (m_posted.size() >= kMaxPostedTimes)
        m_posted.pop_front();
    m_posted.push_back(PostedEvent{hWnd, wParam, lParam, timeUs});
    ::PostMessage(hWnd, uMsg, wParam, lParam);
}

int64_t InputHook::TakeEventTime(HWND hWnd, WPARAM wParam, LPARAM lParam)
{
    const auto found =
        std::find_if(m_posted.begin(), m_posted.end(),
                     [&](const PostedEvent& e)
                     { return e.hWnd == hWnd && e.wParam == wParam && e.lParam == lParam; });
    if (found == m_posted.end())
        return 0;
    const int64_t timeUs = found->timeUs;
    const auto end = std::next(found);
    m_posted.erase(
        std::remove_if(m_posted.begin(), end, [&](const PostedEvent& e) { return e.hWnd == hWnd; }),
        end);
    return timeUs;
}

void InputHook::ReportKey(uint32_t virtualKey, bool bUp, int64_t timeUs)
{
    if (!KeysReported() || virtualKey >= m_keysDown.size())
        return;
    // A held key repeats its press; only the first one counts.
    if (!bUp && m_keysDown.test(virtualKey))
        return;
    m_keysDown.set(virtualKey, !bUp);
    Post(m_hKeyTarget, WM_HOOK_KEYBOARD, virtualKey, bUp ? 1 : 0, timeUs);
}

bool InputHook::eventFilter(QObject* watched, QEvent* event)
{
    // Every input event reaches the top-level QWindow once before Qt hands a
    // copy to the widget below; taking only that one reports each event once.
    // Reported input is the user's recording or key choice, never a command
    // to the program's widgets: no shortcut, no Space on a focused button.
    if (event->type() == QEvent::ShortcutOverride && KeysReported())
    {
        event->accept();
        return true;
    }
    if (watched == nullptr || !watched->isWindowType())
        return false;
    switch (event->type())
    {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        OnKey(static_cast<const QKeyEvent&>(*event));
        return KeysReported();
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
        OnMouse(*event);
        return ButtonsReported();
    case QEvent::Wheel:
        OnMouse(*event);
        return false;
    default:
        return false;
    }
}

void InputHook::OnKey(const QKeyEvent& event)
{
    // Where the flag is given it is trusted; held keys are caught by their
    // state besides.
    if (event.isAutoRepeat() || m_pDesktop)
        return;
    const uint32_t scan = NativeCodesAreEvdev() && event.nativeScanCode() > 8
                              ? EvdevToSet1(event.nativeScanCode() - 8)
                              : 0;
    const uint32_t vk =
        VirtualKeyOf(event.key(), event.modifiers().testFlag(Qt::KeypadModifier), scan);
    if (vk == 0)
        return;
    if (scan != 0 && scan < 0x100 && vk < g_seenScanCode.size())
        g_seenScanCode[vk].store(scan, std::memory_order_relaxed);
    ReportKey(vk, event.type() == QEvent::KeyRelease,
              m_clock.ToSteadyUs(static_cast<uint32_t>(event.timestamp())));
}

void InputHook::OnMouse(const QEvent& event)
{
    if (!ButtonsReported() || m_pDesktop)
        return;
    const auto& input = static_cast<const QInputEvent&>(event);
    const int64_t timeUs = m_clock.ToSteadyUs(static_cast<uint32_t>(input.timestamp()));
    if (event.type() == QEvent::Wheel)
    {
        Post(m_hMouseTarget, WM_HOOK_MOUSEBUTTON, kMouseWheel, 0, timeUs);
        return;
    }
    const auto& mouse = static_cast<const QMouseEvent&>(event);
    const bool up = event.type() == QEvent::MouseButtonRelease;
    WPARAM message = 0;
    LPARAM extra = 0;
    switch (mouse.button())
    {
    case Qt::LeftButton:
        message = up ? kMouseLeftUp : kMouseLeftDown;
        break;
    case Qt::RightButton:
        message = up ? kMouseRightUp : kMouseRightDown;
        break;
    case Qt::MiddleButton:
        message = up ? kMouseMiddleUp : kMouseMiddleDown;
        break;
    case Qt::BackButton:
        message = up ? kMouseExtraUp : kMouseExtraDown;
        extra = 1;
        break;
    case Qt::ForwardButton:
        message = up ? kMouseExtraUp : kMouseExtraDown;
        extra = 2;
        break;
    default:
        return;
    }
    Post(m_hMouseTarget, WM_HOOK_MOUSEBUTTON, message, extra, timeUs);
}

uint32_t InputHook::EvdevToSet1(uint32_t evdevCode)
{
    // Up to F12 (except the few below) the evdev codes are the set-1 codes.
    if (evdevCode >= 1 && evdevCode <= 88)
        return evdevCode;
    struct Extended
    {
        uint32_t evdev;
        uint32_t set1;
    };
    static constexpr Extended kExtended[] = {
        {96, 0xE01C},  {97, 0xE01D},  {98, 0xE035},  {99, 0xE037},  {100, 0xE038},
        {102, 0xE047}, {103, 0xE048}, {104, 0xE049}, {105, 0xE04B}, {106, 0xE04D},
        {107, 0xE04F}, {108, 0xE050}, {109, 0xE051}, {110, 0xE052}, {111, 0xE053},
        {119, 0xE11D}, {125, 0xE05B}, {126, 0xE05C}, {127, 0xE05D}};
    for (const Extended& key : kExtended)
        if (key.evdev == evdevCode)
            return key.set1;
    return 0;
}

uint32_t InputHook::VirtualKeyOf(int qtKey, bool bKeypad, uint32_t scan)
{
    // Letters as the layout names them; the key tables move them to their
    // physical position through the scan code.
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return static_cast<uint32_t>(qtKey);
    if (bKeypad)
    {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
            return 0x60 + static_cast<uint32_t>(qtKey - Qt::Key_0);
        switch (qtKey)
        {
        case Qt::Key_Asterisk:
            return 0x6A;
        case Qt::Key_Plus:
            return 0x6B;
        case Qt::Key_Minus:
            return 0x6D;
        case Qt::Key_Period:
        case Qt::Key_Comma:
            return 0x6E;
        case Qt::Key_Slash:
            return 0x6F;
        case Qt::Key_Enter:
            return 0x6C; // shown and sent as keypad Enter
        default:
            break;
        }
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return 0x70 + static_cast<uint32_t>(qtKey - Qt::Key_F1);
    switch (qtKey)
    {
    case Qt::Key_Shift:
        return scan == 0x36 ? 0xA1 : 0xA0;
    case Qt::Key_Control:
        return scan == 0xE01D ? 0xA3 : 0xA2;
    case Qt::Key_Alt:
        return scan == 0xE038 ? 0xA5 : 0xA4;
    case Qt::Key_AltGr:
        return 0xA5;
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
        return scan == 0xE05C ? 0x5C : 0x5B;
    case Qt::Key_Super_R:
        return 0x5C;
    case Qt::Key_Menu:
        return 0x5D;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 0x0D;
    case Qt::Key_Escape:
        return 0x1B;
    case Qt::Key_Backspace:
        return 0x08;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 0x09;
    case Qt::Key_Space:
        return 0x20;
    case Qt::Key_CapsLock:
        return 0x14;
    case Qt::Key_Print:
    case Qt::Key_SysReq:
        return 0x2C;
    case Qt::Key_ScrollLock:
        return 0x91;
    case Qt::Key_Pause:
        return 0x13;
    case Qt::Key_Insert:
        return 0x2D;
    case Qt::Key_Home:
        return 0x24;
    case Qt::Key_PageUp:
        return 0x21;
    case Qt::Key_Delete:
        return 0x2E;
    case Qt::Key_End:
        return 0x23;
    case Qt::Key_PageDown:
        return 0x22;
    case Qt::Key_Right:
        return 0x27;
    case Qt::Key_Left:
        return 0x25;
    case Qt::Key_Down:
        return 0x28;
    case Qt::Key_Up:
        return 0x26;
    case Qt::Key_NumLock:
        return 0x90;
    default:
        break;
    }
    // Digits and punctuation by position when the position is known, so a
    // French digit row or German umlauts land on the US keys they replace.
    if (const uint32_t vk = UsVirtualKeyAt(scan))
        return vk;
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return static_cast<uint32_t>(qtKey);
    switch (qtKey)
    {
    case Qt::Key_Minus:
        return 0xBD;
    case Qt::Key_Equal:
        return 0xBB;
    case Qt::Key_BracketLeft:
        return 0xDB;
    case Qt::Key_BracketRight:
        return 0xDD;
    case Qt::Key_Backslash:
        return 0xDC;
    case Qt::Key_Semicolon:
        return 0xBA;
    case Qt::Key_Apostrophe:
        return 0xDE;
    case Qt::Key_QuoteLeft:
        return 0xC0;
    case Qt::Key_Comma:
        return 0xBC;
    case Qt::Key_Period:
        return 0xBE;
    case Qt::Key_Slash:
        return 0xBF;
    default:
        return 0;
    }
}
