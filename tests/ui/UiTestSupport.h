#pragma once
// Shared pieces of the toolkit tests: a temporary resource folder with test
// skins and language files, a window built from any skin that records what
// reaches it, and a page that records its notifications.

#include "tests/support/TempProgramFolder.h"
#include "ui/NotifyPump.h"
#include "ui/WindowImplBase.h"

#include <QString>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

// One notification as a receiver saw it.
struct SeenNotify
{
    QString type;
    QString sender;
    WPARAM wParam;
    LPARAM lParam;
};

// A page with a map entry for every notification type the program uses.
class RecordingPage : public CNotifyPump
{
public:
    std::vector<SeenNotify> seen;
    // Types seen, in order, for one sender.
    std::vector<QString> TypesFrom(const QString& sender) const;
    void Record(TNotifyUI& msg);

    DUI_DECLARE_MESSAGE_MAP()
};

struct SeenMessage
{
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    std::thread::id thread;
};

// A window of any skin: records its notifications (those its own map gets)
// and custom messages; InitWindow remembers whether the skin was there.
class TestWnd : public WindowImplBase
{
public:
    explicit TestWnd(QString skin) : m_skin(std::move(skin)) {}

    CPaintManagerUI& PM() { return m_pm; }
    template <typename T> T* Find(const QString& name)
    {
        return dynamic_cast<T*>(m_pm.FindControl(name));
    }
    // Creates it as a visible popup of the skin's size.
    HWND Open(HWND owner = nullptr);

    RecordingPage ownMap;
    std::vector<SeenMessage> messages;
    bool rootAtInit = false;
    bool rootWidgetAtInit = false;
    std::function<void(TestWnd&)> atInit; // runs in InitWindow
    int finalMessages = 0;

protected:
    QString GetWindowClassName() const override { return QStringLiteral("TestWnd"); }
    QString GetSkinFile() override { return m_skin; }
    void InitWindow() override;
    void Notify(TNotifyUI& msg) override;
    LRESULT HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled) override;
    void OnFinalMessage(HWND hWnd) override;

private:
    QString m_skin;
};

class UiTest : public ::testing::Test
{
protected:
    UiTest();
    ~UiTest() override;
    // Writes a file under the temporary res/ folder.
    void WriteRes(const std::string& relative, const std::string& text) const;
    // Writes Language/<name>.xml from key/value pairs.
    void WriteLanguage(const std::string& name,
                       const std::vector<std::pair<std::string, std::string>>& texts) const;

    TempProgramFolder m_folder;
};
