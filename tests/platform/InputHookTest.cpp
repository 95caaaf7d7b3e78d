// The hook behind the macro recorder: virtual keys of Qt key events, scan
// codes of X11 key codes, and events reported to the installing window.

#include "platform/InputHook.h"
#include "model/KeyTables.h"
#include "platform/HookLibrary.h"
#include "tests/ui/UiTestSupport.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace
{
const char* kSkin = R"(<?xml version="1.0" encoding="UTF-8"?>
<Window size="200,100"><VerticalLayout><Label text="x"/></VerticalLayout></Window>)";

class InputHookTest : public UiTest
{
protected:
    InputHookTest() : wnd("hook_test.xml")
    {
        WriteRes("hook_test.xml", kSkin);
        wnd.Open();
        hook = LoadHookLibrary();
    }
    ~InputHookTest() override
    {
        hook.RemoveHook();
        hook.RemoveMouseHook();
    }

    QWindow* Window() { return wnd.PM().GetHostWidget()->window()->windowHandle(); }
    void Key(QEvent::Type type, int key, bool repeat = false)
    {
        QKeyEvent event(type, key, Qt::NoModifier, QString(), repeat);
        QCoreApplication::sendEvent(Window(), &event);
    }
    void Mouse(QEvent::Type type, Qt::MouseButton button)
    {
        QMouseEvent event(type, QPointF(5, 5), QPointF(5, 5), button, button, Qt::NoModifier);
        QCoreApplication::sendEvent(Window(), &event);
    }
    std::vector<std::tuple<UINT, WPARAM, LPARAM>> Seen()
    {
        QApplication::processEvents();
        std::vector<std::tuple<UINT, WPARAM, LPARAM>> seen;
        for (const SeenMessage& m : wnd.messages)
            if (m.msg == WM_HOOK_KEYBOARD || m.msg == WM_HOOK_MOUSEBUTTON)
                seen.emplace_back(m.msg, m.wParam, m.lParam);
        return seen;
    }

    TestWnd wnd;
    HookLibrary hook;
};
} // namespace

TEST(InputHookKeys, VirtualKeysOfQtKeys)
{
    EXPECT_EQ(InputHook::VirtualKeyOf(Qt::Key_Q, false, 0), 0x51u);
    EXPECT_EQ(InputHook::VirtualKeyOf(Qt::Key_7, false, 0), 0x37u);
    EXPECT_EQ(InputHook::VirtualKeyOf(Qt::Key_7, true, 0), 0x67u);
    EXPECT_EQ(InputHook::VirtualKeyOf(Qt::Key_Enter, true, 0), 0x6Cu);
    EXPECT_EQ(InputHook::VirtualKeyOf(Qt::Key_F12, false, 0), 0x7Bu);
    EXPECT_EQ(InputHook::VirtualKeyOf(Qt::Key_Semicolon, false, 0), 0xBAu);
    EXPECT_EQ(InputHook::VirtualKeyOf(Qt::Key_Shift, false, 0x36), 0xA1u);
    EXPECT_EQ(InputHook::VirtualKeyOf(Qt::Key_Shift, false, 0x2A), 0xA0u);
    EXPECT_EQ(InputHook::VirtualKeyOf(Qt::Key_Control, false, 0xE01D), 0xA3u);
    EXPECT_EQ(InputHook::VirtualKeyOf(Qt::Key_Control, false, 0), 0xA2u);
    EXPECT_EQ(InputHook::VirtualKeyOf(Qt::Key_unknown, false, 0), 0u);
    // French digit row: "&" on the key of the US 1.
    EXPECT_EQ(InputHook::VirtualKeyOf(Qt::Key_Ampersand, false, 0x02), 0x31u);
    // German "ö" sits where the US layout has ";".
    EXPECT_EQ(InputHook::VirtualKeyOf(Qt::Key_Odiaeresis, false, 0x27), 0xBAu);
}

TEST(InputHookKeys, EvdevCodesBecomeSetOneCodes)
{
    EXPECT_EQ(InputHook::EvdevToSet1(16), 0x10u);   // Q
    EXPECT_EQ(InputHook::EvdevToSet1(88), 0x58u);   // F12
    EXPECT_EQ(InputHook::EvdevToSet1(97), 0xE01Du); // right Ctrl
    EXPECT_EQ(InputHook::EvdevToSet1(200), 0u);
}

TEST(InputHookKeys, PositionsOfRawKeysBecomeUsVirtualKeys)
{
    // What the desktop source reports for an X key code: its evdev position.
    const auto at = [](uint32_t evdev)
    { return InputHook::VirtualKeyAt(InputHook::EvdevToSet1(evdev)); };
    EXPECT_EQ(at(16), 0x51u);  // Q, whatever the layout prints on it
    EXPECT_EQ(at(57), 0x20u);  // Space
    EXPECT_EQ(at(28), 0x0Du);  // Return
    EXPECT_EQ(at(1), 0x1Bu);   // Escape
    EXPECT_EQ(at(42), 0xA0u);  // left Shift
    EXPECT_EQ(at(54), 0xA1u);  // right Shift
    EXPECT_EQ(at(97), 0xA3u);  // right Ctrl
    EXPECT_EQ(at(103), 0x26u); // Up
    EXPECT_EQ(at(96), 0x6Cu);  // keypad Enter
    EXPECT_EQ(at(79), 0x61u);  // keypad 1
    EXPECT_EQ(at(125), 0x5Bu); // left Win
    EXPECT_EQ(at(86), 0u);     // the ISO key has no usage here
    EXPECT_EQ(at(200), 0u);
    for (uint32_t evdev = 1; evdev <= 127; ++evdev)
        if (const uint32_t vk = at(evdev))
            EXPECT_TRUE(VirtualKeyToUsage(vk).bFound) << evdev;
}

TEST_F(InputHookTest, ReportsKeysOnlyWhileInstalledAndEnabled)
{
    Key(QEvent::KeyPress, Qt::Key_A); // nobody installed
    hook.InstallHook(wnd.GetHWND());
    Key(QEvent::KeyPress, Qt::Key_A); // installed, not yet enabled
    hook.EnableHook(true);
    Key(QEvent::KeyPress, Qt::Key_A);
    Key(QEvent::KeyPress, Qt::Key_A, true); // auto-repeat
    Key(QEvent::KeyRelease, Qt::Key_A);
    hook.RemoveHook();
    Key(QEvent::KeyPress, Qt::Key_B);
    using T = std::tuple<UINT, WPARAM, LPARAM>;
    EXPECT_EQ(Seen(), (std::vector<T>{T{WM_HOOK_KEYBOARD, 0x41, 0}, T{WM_HOOK_KEYBOARD, 0x41, 1}}));
}

TEST_F(InputHookTest, ReportsMouseButtonsAsWindowsMessages)
{
    hook.InstallMouseHook(wnd.GetHWND());
    Mouse(QEvent::MouseButtonPress, Qt::LeftButton); // reporting still off
    hook.EnableMouseHook(true);
    Mouse(QEvent::MouseButtonPress, Qt::RightButton);
    Mouse(QEvent::MouseButtonRelease, Qt::RightButton);
    Mouse(QEvent::MouseButtonPress, Qt::BackButton);
    Mouse(QEvent::MouseButtonRelease, Qt::ForwardButton);
    Mouse(QEvent::MouseButtonPress, Qt::MiddleButton);
    hook.EnableMouseHook(false);
    Mouse(QEvent::MouseButtonRelease, Qt::MiddleButton);
    using T = std::tuple<UINT, WPARAM, LPARAM>;
    const UINT m = WM_HOOK_MOUSEBUTTON;
    EXPECT_EQ(Seen(), (std::vector<T>{T{m, 516, 0}, T{m, 517, 0}, T{m, 523, 1}, T{m, 524, 2},
                                      T{m, 519, 0}}));
}

TEST(HookLibraryEntryPoints, MissingEntryPointsAreSkipped)
{
    static int installs = 0;
    HookLibrary partial;
    partial.installhook = [](HWND) { ++installs; };
    partial.InstallHook(nullptr);
    partial.RemoveHook();
    partial.EnableHook(true);
    partial.InstallMouseHook(nullptr);
    partial.RemoveMouseHook();
    partial.EnableMouseHook(false);
    EXPECT_EQ(installs, 1);
    const HookLibrary loaded = LoadHookLibrary();
    EXPECT_NE(loaded.MouseMoveHook, nullptr);
}

TEST_F(InputHookTest, TakesReportedKeysFromTheWidgetsAndKeepsTheirTimes)
{
    int widgetKeys = 0;
    struct Counter : QObject
    {
        int* n;
        explicit Counter(int* count) : n(count) {}
        bool eventFilter(QObject*, QEvent* e) override
        {
            *n += e->type() == QEvent::KeyPress ? 1 : 0;
            return false;
        }
    } counter(&widgetKeys);
    QWidget* host = wnd.PM().GetHostWidget();
    host->installEventFilter(&counter);
    host->setFocus();
    const auto key = [&](QEvent::Type type, int qtKey, ulong ms)
    {
        QKeyEvent event(type, qtKey, Qt::NoModifier);
        event.setTimestamp(ms);
        QCoreApplication::sendEvent(Window(), &event);
    };
    key(QEvent::KeyPress, Qt::Key_Space, 100);
    const int before = widgetKeys;
    hook.InstallHook(wnd.GetHWND());
    hook.EnableHook(true);
    key(QEvent::KeyPress, Qt::Key_Space, 1000);
    key(QEvent::KeyPress, Qt::Key_Space, 1030); // held: no flag, still one press
    key(QEvent::KeyRelease, Qt::Key_Space, 1250);
    key(QEvent::KeyPress, Qt::Key_Space, 1400);
    EXPECT_EQ(widgetKeys, before) << "reported keys never reach the widgets";
    using T = std::tuple<UINT, WPARAM, LPARAM>;
    const UINT k = WM_HOOK_KEYBOARD;
    EXPECT_EQ(Seen(), (std::vector<T>{T{k, 0x20, 0}, T{k, 0x20, 1}, T{k, 0x20, 0}}));
    // Times on the steady clock, 1:1 with the stamps; the first press was
    // never asked for and goes with the second one.
    const int64_t up = hook.EventTime(wnd.GetHWND(), 0x20, 1);
    const int64_t down = hook.EventTime(wnd.GetHWND(), 0x20, 0);
    EXPECT_EQ(down - up, 150'000);
    EXPECT_EQ(hook.EventTime(wnd.GetHWND(), 0x20, 0), 0) << "each time is given once";
    hook.RemoveHook();
    key(QEvent::KeyPress, Qt::Key_Space, 1500);
    EXPECT_GT(widgetKeys, before);
    host->removeEventFilter(&counter);
}

TEST(EventClockTest, StampsKeepTheirDistancesAcrossTheWrap)
{
    EventClock clock;
    const int64_t now = EventClock::SteadyNowUs();
    const int64_t first = clock.ToSteadyUs(0xFFFFFF00u);
    EXPECT_GE(first, now);
    EXPECT_EQ(clock.ToSteadyUs(0x00000010u) - first, 0x110 * 1000);
    EXPECT_EQ(clock.ToSteadyUs(0xFFFFFFF0u) - first, 0xF0 * 1000) << "an older stamp";
    clock.Reset();
    EXPECT_GE(clock.ToSteadyUs(5), first) << "a new period starts from now";
}
