#include "tests/ui/UiTestSupport.h"

#include "ui/ControlUI.h"
#include "ui/PaintManagerUI.h"
#include "ui/ResourceManager.h"

#include <QCoreApplication>

DUI_BEGIN_MESSAGE_MAP(RecordingPage, CNotifyPump)
DUI_ON_MSGTYPE(DUI_MSGTYPE_CLICK, Record)
DUI_ON_MSGTYPE(DUI_MSGTYPE_SELECTCHANGED, Record)
DUI_ON_MSGTYPE(DUI_MSGTYPE_ITEMSELECT, Record)
DUI_ON_MSGTYPE(DUI_MSGTYPE_VALUECHANGED, Record)
DUI_ON_MSGTYPE(DUI_MSGTYPE_MOVEVALUECHANGED, Record)
DUI_ON_MSGTYPE(DUI_MSGTYPE_TEXTCHANGED, Record)
DUI_ON_MSGTYPE(DUI_MSGTYPE_SETFOCUS, Record)
DUI_ON_MSGTYPE(DUI_MSGTYPE_KILLFOCUS, Record)
DUI_ON_MSGTYPE(DUI_MSGTYPE_RETURN, Record)
DUI_ON_MSGTYPE(DUI_MSGTYPE_CHECKCLICK, Record)
DUI_ON_MSGTYPE(DUI_MSGTYPE_MOUSEENTER, Record)
DUI_ON_MSGTYPE(DUI_MSGTYPE_MOUSELEAVE, Record)
DUI_ON_MSGTYPE(DUI_MSGTYPE_TIMER, Record)
DUI_ON_MSGTYPE(DUI_MSGTYPE_COLORCHANGED, Record)
DUI_ON_MSGTYPE(DUI_MSGTYPE_COLORCHANGEDBUTTONUP, Record)
DUI_END_MESSAGE_MAP()

void RecordingPage::Record(TNotifyUI& msg)
{
    seen.push_back(SeenNotify{msg.sType, msg.pSender != nullptr ? msg.pSender->GetName() : "",
                              msg.wParam, msg.lParam});
}

std::vector<QString> RecordingPage::TypesFrom(const QString& sender) const
{
    std::vector<QString> types;
    for (const SeenNotify& s : seen)
        if (s.sender == sender)
            types.push_back(s.type);
    return types;
}

HWND TestWnd::Open(HWND owner)
{
    return Create(owner, QStringLiteral("test"), WS_POPUP | WS_VISIBLE, WS_EX_TOOLWINDOW, 0, 0, 800,
                  800);
}

void TestWnd::InitWindow()
{
    rootAtInit = m_pm.GetRoot() != nullptr;
    rootWidgetAtInit = rootAtInit && m_pm.GetRoot()->HasWidget();
    if (atInit)
        atInit(*this);
}

void TestWnd::Notify(TNotifyUI& msg)
{
    // Notifications of a page go to the page; the window's own ones are recorded.
    if (!msg.sVirtualWnd.isEmpty())
        WindowImplBase::Notify(msg);
    else
        ownMap.Record(msg);
}

LRESULT TestWnd::HandleCustomMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, bool& bHandled)
{
    if (uMsg >= WM_USER || uMsg == WM_TIMER)
    {
        messages.push_back(SeenMessage{uMsg, wParam, lParam, std::this_thread::get_id()});
        bHandled = true;
        return static_cast<LRESULT>(wParam) + 1;
    }
    bHandled = false;
    return 0;
}

void TestWnd::OnFinalMessage(HWND hWnd)
{
    ++finalMessages;
    WindowImplBase::OnFinalMessage(hWnd);
}

UiTest::UiTest()
{
    CPaintManagerUI::SetResourcePath(
        QString::fromStdU16String((m_folder.Path() / "res").u16string()));
}

UiTest::~UiTest()
{
    // Deferred deletions of destroyed windows and controls happen here.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void UiTest::WriteRes(const std::string& relative, const std::string& text) const
{
    m_folder.WriteFile(std::filesystem::path("res") / relative, text.data(), text.size());
}

void UiTest::WriteLanguage(const std::string& name,
                           const std::vector<std::pair<std::string, std::string>>& texts) const
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Language>\n";
    for (const auto& [key, value] : texts)
        xml += "  <Text key=\"" + key + "\" value=\"" + value + "\"/>\n";
    xml += "</Language>\n";
    WriteRes("Language/" + name + ".xml", xml);
}
