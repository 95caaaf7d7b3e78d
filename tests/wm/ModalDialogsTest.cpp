// Every modal dialog of the program, opened through the main window the way a
// user opens it, on a real X server under a window manager (run-under-wm):
// each run must map the dialog, give it the keyboard and, once the user has
// closed it, leave no window blocked and the overlay hidden. The offscreen
// platform has no window manager, so it cannot see any of this.

#include "app/MainWnd.h"
#include "app/StartupData.h"
#include "device/DeviceLink.h"
#include "device/DeviceMessages.h"
#include "device/VirtualDriver.h"
#include "device/VirtualMouse.h"
#include "performance/DPIMsg.h"
#include "performance/RecordingPointerBackend.h"
#include "platform/DesktopServices.h"
#include "tests/support/FakeDesktop.h"
#include "tests/support/TempProgramFolder.h"
#include "ui/ComboUI.h"
#include "ui/ControlUI.h"
#include "ui/OptionUI.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <QXmlStreamReader>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string_view>

namespace
{

xcb_connection_t* X11()
{
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

// Mapped on the X server with all its ancestors (the window manager's frame
// too): what the user can see, not what Qt believes it showed.
bool Viewable(WId id)
{
    xcb_connection_t* c = X11();
    if (c == nullptr || id == 0)
        return false;
    xcb_get_window_attributes_reply_t* reply = xcb_get_window_attributes_reply(
        c, xcb_get_window_attributes(c, static_cast<xcb_window_t>(id)), nullptr);
    const bool viewable = reply != nullptr && reply->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(reply);
    return viewable;
}

QSet<QString> LanguageTexts(const QString& file)
{
    QSet<QString> texts;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return texts;
    QXmlStreamReader xml(&f);
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("Text"))
            texts.insert(xml.attributes().value("value").toString());
    return texts;
}

// What one kind of dialog needs: how the user opens it, how the user answers
// it once it is up (run is the 0-based repetition), and the page it lives on.
struct DialogUse
{
    const char* what;
    std::function<void()> open;
    std::function<void(QWidget* dialog, int run)> answer;
    const char* page = "key_btn"; // null: the main window is hidden meanwhile
    bool overlay = true;
};

// Failures of each check over the runs of one kind of dialog.
struct Tally
{
    int runs = 0;
    int notOpened = 0;
    int notExposed = 0;
    int notViewable = 0;
    int noFocus = 0;
    int badTitle = 0;
    int noOverlay = 0;
    int answerIgnored = 0;
    int leftModal = 0;
    int overlayLeft = 0;
    int stillMapped = 0;
    int inputRefused = 0;
    QStringList titles;
};

class ModalDialogsOnX11 : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(QGuiApplication::platformName(), "xcb")
            << "run through tests/support/run-under-wm";
        ASSERT_NE(X11(), nullptr);
        CPaintManagerUI::SetResourcePath(
            QString::fromStdString((m_folder.Path() / "res").string()));
        SetDesktopServices(&m_desktop);
        g_StartupData = StartupData{};
        m_texts = LanguageTexts(
            QString::fromStdString((m_folder.Path() / "res/Language/EN.xml").string()));
        ASSERT_FALSE(m_texts.isEmpty());

        MainWndSetup setup;
        setup.folders = {m_folder.Path(), m_folder.DataDir()};
        setup.bindDriver = [this]
        {
            m_mouse = std::make_shared<VirtualMouse>(g_StartupData.description);
            return MakeVirtualDriver(m_mouse);
        };
        setup.pointer = &m_pointer;
        setup.sleep = [](int) {};
        setup.uiLanguageId = 0x0409;
        m_wnd = std::make_unique<CMainWnd>(std::move(setup));
        ASSERT_NE(m_wnd->Create(nullptr, QString(), WS_POPUP | WS_VISIBLE, 0, 0, 0, 800, 572),
                  nullptr);
        m_wnd->CenterWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Main()->windowHandle(), 5000));
        Main()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Main()->windowHandle(), 5000))
            << "the window manager gives the main window the focus";
    }

    void TearDown() override
    {
        if (m_wnd && ::IsWindow(m_wnd->GetHWND()))
            m_wnd->DestroyWindow();
        m_wnd.reset();
        // The window asked the message loop to end; let it, as the program does.
        QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
        SetDesktopServices(nullptr);
    }

    QWidget* Main() { return m_wnd->GetWidget(); }
    CControlUI* Find(const char* name)
    {
        return m_wnd->GetPaintManager()->FindControl(QString::fromLatin1(name));
    }
    bool OverlayVisible()
    {
        CControlUI* overlay = Find("disable_window_ver");
        return overlay != nullptr && overlay->IsVisible();
    }

    // A left click through the window system's path, which a modal window blocks.
    static void ClickAt(QWidget* window, QWidget* target)
    {
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {},
                          target->mapTo(window, target->rect().center()));
    }
    void ClickControl(const char* name)
    {
        CControlUI* control = Find(name);
        ASSERT_NE(control, nullptr) << name;
        ClickAt(Main(), control->GetWidget());
    }
    static void PressButton(QWidget* dialog, const char* name)
    {
        QWidget* button = dialog->findChild<QWidget*>(name);
        ASSERT_NE(button, nullptr) << name;
        ClickAt(dialog, button);
    }
    static void PressEscape(QWidget* dialog)
    {
        QTest::keyClick(dialog->windowHandle(), Qt::Key_Escape);
    }
    // Cancel, alternately by its button and by Escape.
    static void Dismiss(QWidget* dialog, int run)
    {
        if (run % 2 == 0)
            PressButton(dialog, "cancel_btn");
        else
            PressEscape(dialog);
    }

    // A click of the X server's own pointer (XTEST), for the popup menus,
    // which want the pointer itself grabbed and close on synthetic clicks.
    static void PointerClick(QPoint global)
    {
        QProcess::execute(QStringLiteral("xdotool"),
                          {QStringLiteral("mousemove"), QString::number(global.x()),
                           QString::number(global.y()), QStringLiteral("click"),
                           QStringLiteral("1")});
    }

    // Opens the button's function menu and chooses an item as the user does.
    void ChooseFunction(const char* button, const char* item)
    {
        CControlUI* control = Find(button);
        ASSERT_NE(control, nullptr) << button;
        QWidget* target = control->GetWidget();
        PointerClick(target->mapToGlobal(target->rect().center()));
        QMenu* menu = nullptr;
        ASSERT_TRUE(QTest::qWaitFor(
            [&]
            {
                for (QWidget* w : QApplication::topLevelWidgets())
                    if (auto* m = qobject_cast<QMenu*>(w); m != nullptr && m->isVisible())
                        menu = m;
                return menu != nullptr;
            },
            3000))
            << "the function menu of " << button;
        ASSERT_TRUE(QTest::qWaitForWindowExposed(menu->windowHandle(), 3000));
        QAction* action = menu->findChild<QAction*>(item);
        ASSERT_NE(action, nullptr) << item;
        // Its group first, which opens the submenu holding it.
        auto* sub = qobject_cast<QMenu*>(action->parent());
        if (sub != nullptr && sub != menu)
        {
            PointerClick(menu->mapToGlobal(menu->actionGeometry(sub->menuAction()).center()));
            ASSERT_TRUE(QTest::qWaitFor([&] { return sub->isVisible(); }, 3000)) << item;
            ASSERT_TRUE(QTest::qWaitForWindowExposed(sub->windowHandle(), 3000));
            menu = sub;
        }
        PointerClick(menu->mapToGlobal(menu->actionGeometry(action).center()));
    }

    // The page selector still answers clicks: away to another page and back.
    bool AcceptsInput(const char* page)
    {
        const char* other = std::string_view(page) == "gun_btn" ? "macro_btn" : "gun_btn";
        for (const char* name : {other, page})
        {
            ClickControl(name);
            QApplication::processEvents();
            auto* option = dynamic_cast<COptionUI*>(Find(name));
            if (option == nullptr || !option->IsSelected())
                return false;
        }
        return true;
    }

    static QWidget* NewModalWindow(const QSet<QWidget*>& before)
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (!before.contains(w) && w->isWindow() && qobject_cast<QMenu*>(w) == nullptr &&
                w->windowModality() != Qt::NonModal)
                return w;
        return nullptr;
    }

    void Screenshot(const std::string& what)
    {
        if (m_screenshotTaken)
            return;
        m_screenshotTaken = true;
        const QString dir = QStringLiteral(VESTREL_SCREENSHOT_DIR);
        QDir().mkpath(dir);
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        const QString file = QStringLiteral("%1/wm-%2-%3.png")
                                 .arg(dir, QString::fromLatin1(info->name()),
                                      QString::fromStdString(what).replace(' ', '-'));
        if (QScreen* screen = QGuiApplication::primaryScreen())
            screen->grabWindow(0).save(file);
    }

    // One run: the user opens the dialog, looks at it and answers it.
    void RunOnce(const DialogUse& use, int run, Tally& t)
    {
        ++t.runs;
        QSet<QWidget*> before;
        for (QWidget* w : QApplication::topLevelWidgets())
            before.insert(w);
        QPointer<QWidget> dialog;
        WId id = 0;
        bool seen = false;
        bool gaveUp = false;
        QElapsedTimer clock;
        clock.start();
        QTimer watch;
        watch.setInterval(5);
        QObject::connect(
            &watch, &QTimer::timeout,
            [&]
            {
                QWidget* w = NewModalWindow(before);
                if (w == nullptr)
                {
                    if (clock.elapsed() > 3000)
                    {
                        watch.stop();
                        gaveUp = true;
                    }
                    return;
                }
                watch.stop();
                seen = true;
                dialog = w;
                id = w->winId();
                if (use.overlay && !OverlayVisible())
                    ++t.noOverlay;
                const QString title = w->windowTitle();
                if (title.isEmpty() || !m_texts.contains(title))
                {
                    ++t.badTitle;
                    if (!t.titles.contains(title))
                        t.titles << title;
                }
                QWindow* window = w->windowHandle();
                const bool exposed = QTest::qWaitForWindowExposed(window, 1500);
                if (!exposed)
                    ++t.notExposed;
                if (!exposed || !QTest::qWaitFor([&] { return Viewable(id); }, 500))
                    ++t.notViewable;
                if (!exposed || !QTest::qWaitFor(
                                    [&] { return QGuiApplication::focusWindow() == window; }, 1000))
                    ++t.noFocus;
                if (!exposed || dialog.isNull())
                {
                    Screenshot(use.what);
                    // Nobody can answer what is not on the screen; end it to go on.
                    if (dialog)
                        dialog->close();
                    return;
                }
                use.answer(dialog, run);
            });
        watch.start();
        use.open();
        if (!QTest::qWaitFor([&] { return gaveUp || (seen && dialog.isNull()); }, 8000) && dialog)
        {
            ++t.answerIgnored;
            Screenshot(use.what);
            dialog->close();
            (void)QTest::qWaitFor([&] { return dialog.isNull(); }, 3000);
        }
        watch.stop();
        if (!seen)
        {
            ++t.notOpened;
            Screenshot(use.what);
            return;
        }
        if (QGuiApplication::modalWindow() != nullptr ||
            QApplication::activeModalWidget() != nullptr)
            ++t.leftModal;
        if (OverlayVisible())
            ++t.overlayLeft;
        if (!QTest::qWaitFor([&] { return !Viewable(id); }, 1000))
            ++t.stillMapped;
        if (use.page != nullptr && !AcceptsInput(use.page))
            ++t.inputRefused;
    }

    void Exercise(const DialogUse& use, int times = 20)
    {
        if (use.page != nullptr)
            ClickControl(use.page);
        Tally t;
        for (int run = 0; run < times && !::testing::Test::HasFatalFailure(); ++run)
            RunOnce(use, run, t);
        const auto of = [&](int n) { return std::to_string(n) + " of " + std::to_string(t.runs); };
        const std::string w = use.what;
        EXPECT_EQ(t.notOpened, 0) << w << ": never opened in " << of(t.notOpened);
        EXPECT_EQ(t.notExposed, 0) << w << ": not exposed in " << of(t.notExposed);
        EXPECT_EQ(t.notViewable, 0) << w << ": not mapped (viewable) in " << of(t.notViewable);
        EXPECT_EQ(t.noFocus, 0) << w << ": without the keyboard focus in " << of(t.noFocus);
        EXPECT_EQ(t.badTitle, 0) << w << ": title not a language text in " << of(t.badTitle)
                                 << " (\"" << t.titles.join("\", \"").toStdString() << "\")";
        EXPECT_EQ(t.noOverlay, 0) << w << ": main window not dimmed in " << of(t.noOverlay);
        EXPECT_EQ(t.answerIgnored, 0)
            << w << ": the user's answer did not close it in " << of(t.answerIgnored);
        EXPECT_EQ(t.leftModal, 0) << w << ": a window still modal afterwards in "
                                  << of(t.leftModal);
        EXPECT_EQ(t.overlayLeft, 0)
            << w << ": overlay still up afterwards in " << of(t.overlayLeft);
        EXPECT_EQ(t.stillMapped, 0) << w << ": still mapped after closing in " << of(t.stillMapped);
        EXPECT_EQ(t.inputRefused, 0)
            << w << ": main window refused a click afterwards in " << of(t.inputRefused);
    }

    TempProgramFolder m_folder;
    FakeDesktop m_desktop;
    RecordingPointerBackend m_pointer;
    std::shared_ptr<VirtualMouse> m_mouse;
    std::unique_ptr<CMainWnd> m_wnd;
    QSet<QString> m_texts;
    bool m_screenshotTaken = false;
};

} // namespace

TEST_F(ModalDialogsOnX11, ProfileQuestions)
{
    Exercise({"reset confirmation", [this] { ClickControl("btn_reset_profile"); }, Dismiss});
    ClickControl("btn_add_profile"); // deleting needs a second profile
    Exercise({"delete-profile question", [this] { ClickControl("btn_delete_profile"); }, Dismiss});
}

TEST_F(ModalDialogsOnX11, NoDeviceMessage)
{
    m_mouse->Unplug();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !Main()->isVisible(); }, 3000));
    // As a second copy asks, with the window hidden.
    Exercise({"no-device message", [this] { ::SendMessage(m_wnd->GetHWND(), WM_SHOW_MAIN_WINDOW); },
              [](QWidget* dialog, int run)
              {
                  if (run % 2 == 0)
                      PressButton(dialog, "ok_btn");
                  else
                      PressEscape(dialog);
              },
              nullptr, false});
    m_mouse->Plug();
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return m_wnd->GetDeviceLink()->State() == DeviceState::Present; }, 5000));
    ::SendMessage(m_wnd->GetHWND(), WM_SHOW_MAIN_WINDOW);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(Main()->windowHandle(), 5000));
}

TEST_F(ModalDialogsOnX11, ButtonPageDialogs)
{
    Exercise({"left-click warning", [this] { ChooseFunction("button1_btn", "menu"); },
              [](QWidget* dialog, int) { PressButton(dialog, "ok_btn"); }});
    // Escape in the key field is a key to capture, so Cancel only.
    Exercise({"shortcut dialog", [this] { ChooseFunction("button2_btn", "shortcut"); },
              [](QWidget* dialog, int) { PressButton(dialog, "cancel_btn"); }});
    Exercise({"macro selection dialog", [this] { ChooseFunction("button3_btn", "select_macro"); },
              Dismiss});
    Exercise(
        {"gun selection dialog", [this] { ChooseFunction("button4_btn", "select_gun"); }, Dismiss});
}

TEST_F(ModalDialogsOnX11, ColourPicker)
{
    Exercise({"colour dialog of the performance page", [this] { ClickControl("mouse_dpi_color1"); },
              Dismiss, "performance_btn"});
}

TEST_F(ModalDialogsOnX11, LibraryNameDialogsAndDeleteQuestion)
{
    // A folder to delete later, named as the user types it. Only the runs
    // below count; this one may need a retry when the dialog stays unmapped.
    const DialogUse addFolder{"macro folder name dialog (OK)",
                              [this] { ClickControl("btn_add_macro_floder"); },
                              [](QWidget* dialog, int)
                              {
                                  auto* edit = dialog->findChild<QLineEdit*>("edit_name");
                                  ASSERT_NE(edit, nullptr);
                                  QTest::keyClicks(edit, "Folder");
                                  PressButton(dialog, "ok_btn");
                              },
                              "macro_btn"};
    ClickControl("macro_btn");
    auto* folders = dynamic_cast<CComboUI*>(Find("macro_combo"));
    ASSERT_NE(folders, nullptr);
    for (int attempt = 0; attempt < 5 && folders->GetCount() == 0; ++attempt)
    {
        Tally ignored;
        RunOnce(addFolder, 0, ignored);
    }
    ASSERT_EQ(folders->GetCount(), 1);
    Exercise({"macro folder name dialog", [this] { ClickControl("btn_add_macro_floder"); }, Dismiss,
              "macro_btn"});
    Exercise({"macro folder delete question", [this] { ClickControl("btn_delete_macro_floder"); },
              Dismiss, "macro_btn"});
    Exercise({"gun folder name dialog", [this] { ClickControl("btn_add_gun_floder"); }, Dismiss,
              "gun_btn"});
}

TEST_F(ModalDialogsOnX11, DpiPopupNeverTakesTheFocus)
{
    QWindow* main = Main()->windowHandle();
    for (int i = 0; i < 3; ++i)
    {
        m_mouse->RaiseEvent(kEventDpiLevel, static_cast<uint16_t>(1 + i % 4));
        ASSERT_TRUE(QTest::qWaitFor([this] { return m_wnd->GetDpiPopup() != nullptr; }, 3000));
        QPointer<QWidget> popup = m_wnd->GetDpiPopup()->GetWidget();
        const WId id = popup->winId();
        EXPECT_TRUE(QTest::qWaitFor([&] { return Viewable(id); }, 2000)) << "popup " << i;
        // Give a focus change its time to arrive, then look.
        QTest::qWait(200);
        EXPECT_EQ(QGuiApplication::focusWindow(), main) << "popup " << i;
        EXPECT_TRUE(Main()->isActiveWindow()) << "popup " << i;
        // It closes itself after its two seconds.
        EXPECT_TRUE(QTest::qWaitFor([&] { return popup.isNull() && !Viewable(id); }, 5000));
    }
}
