// A developer's tool for looking at the theme and skins in a real window.
//
//   vestrel_skin_preview --render-svg SRC_DIR OUT_DIR
//       renders every SVG of SRC_DIR to a PNG of the same name in OUT_DIR
//       (how res/skins/*.png are made from res/skins/src/*.svg)
//   vestrel_skin_preview [--res DIR] [--lang FILE] [--skin FILE] [--message]
//       opens the demo window (or any skin file) with the resource folder DIR
//       (default: res/ beside the tool) and the language file FILE (relative
//       to it); --message shows the message dialog over it at once.

#include "app/MsgWnd.h"
#include "ui/ColorPaletteUI.h"
#include "ui/DialogBuilder.h"
#include "ui/ListContainerElementUI.h"
#include "ui/ListLabelElementUI.h"
#include "ui/ListUI.h"
#include "ui/ResourceManager.h"
#include "ui/SliderUI.h"
#include "ui/TabLayoutUI.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTimer>
#include <cstdio>

namespace
{
int RenderSvgs(const QString& from, const QString& to)
{
    QDir().mkpath(to);
    int failures = 0;
    for (const QFileInfo& svg : QDir(from).entryInfoList({"*.svg"}, QDir::Files))
    {
        QSvgRenderer renderer(svg.filePath());
        QImage image(renderer.defaultSize(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        painter.end();
        const QString out = to + '/' + svg.completeBaseName() + ".png";
        if (!image.save(out))
            ++failures;
        std::printf("%s\n", qPrintable(out));
    }
    return failures == 0 ? 0 : 1;
}

class DemoWnd : public WindowImplBase
{
public:
    explicit DemoWnd(QString skin) : m_skin(std::move(skin)) {}

protected:
    QString GetWindowClassName() const override { return QStringLiteral("PreviewWnd"); }
    QString GetSkinFile() override { return m_skin; }

    void InitWindow() override
    {
        if (auto* list = dynamic_cast<CListUI*>(m_pm.FindControl("list1")))
            for (int i = 0; i < 14; ++i)
            {
                auto* item = new CListLabelElementUI;
                item->SetText(QString("Macro %1").arg(i + 1));
                item->SetFixedHeight(30);
                if (i % 4 == 1)
                    item->SetBkImage("res='skins/lock.png' dest='320,0,350,30'");
                list->Add(item);
            }
        if (auto* list = dynamic_cast<CListUI*>(m_pm.FindControl("list2")))
        {
            CDialogBuilder builder;
            const char* keys[] = {"A", "A", "Left", "Left", ""};
            for (int i = 0; i < 5; ++i)
            {
                CControlUI* built =
                    i == 0 ? builder.Create(QString(VESTREL_DEMO_SKIN_DIR "/demoitem.xml"))
                           : builder.Create();
                auto* item = dynamic_cast<CListContainerElementUI*>(built);
                if (item == nullptr)
                    continue;
                CControlUI* key = item->FindSubControl("key");
                CControlUI* action = item->FindSubControl("action");
                key->SetText(keys[i]);
                if (i == 4)
                {
                    key->SetBkImage("res='skins/move.png' dest='2,2,28,28'");
                    action->SetText("X: 12 Y: -4");
                }
                else
                {
                    key->SetBkImage(i < 2 ? "res='skins/keyboard_key_action.png' dest='5,6,35,24'"
                                          : "res='skins/mouse.png' dest='2,2,28,28'");
                    action->SetBkImage(i % 2 == 0
                                           ? "res='skins/macro_key_down.png' dest='5,6,21,24'"
                                           : "res='skins/macro_key_up.png' dest='5,6,21,24'");
                    action->SetText(i % 2 == 0 ? "down" : "up");
                }
                item->FindSubControl("delay")->SetText(QString::number(10 * (i + 1)));
                list->Add(item);
            }
            list->SelectItem(2);
        }
    }

    void Notify(TNotifyUI& msg) override
    {
        const QString name = msg.pSender != nullptr ? msg.pSender->GetName() : QString();
        if (msg.sType == DUI_MSGTYPE_SELECTCHANGED && name.startsWith("tab_"))
        {
            auto* pages = dynamic_cast<CTabLayoutUI*>(m_pm.FindControl("pages"));
            pages->SelectItem(name == "tab_controls" ? 0 : name == "tab_colour" ? 1 : 2);
        }
        else if ((msg.sType == DUI_MSGTYPE_VALUECHANGED ||
                  msg.sType == DUI_MSGTYPE_MOVEVALUECHANGED) &&
                 name == "dpi_slider")
            m_pm.FindControl("dpi_value")->SetText(QString::number(msg.wParam * 100));
        else if (msg.sType == DUI_MSGTYPE_COLORCHANGED)
            m_pm.FindControl("swatch")->SetBkColor(static_cast<DWORD>(msg.wParam));
        else if (msg.sType == DUI_MSGTYPE_COLORCHANGEDBUTTONUP)
        {
            const QColor c = QColor::fromRgba(static_cast<DWORD>(msg.wParam));
            m_pm.FindControl("swatch")->SetBkColor(static_cast<DWORD>(msg.wParam));
            m_pm.FindControl("rgb_label")
                ->SetText(QString("%1, %2, %3").arg(c.red()).arg(c.green()).arg(c.blue()));
        }
        else if (msg.sType == DUI_MSGTYPE_CLICK && name == "msg_btn")
            ShowMessage();
        else if (msg.sType == DUI_MSGTYPE_CLICK && name == "exit_btn")
            DestroyWindow();
        else if (msg.sType == DUI_MSGTYPE_CLICK && name == "min_btn")
            SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
    }

    LRESULT OnDestroy(UINT, WPARAM, LPARAM, bool& bHandled) override
    {
        PostQuitMessage(0);
        bHandled = false;
        return 0;
    }

public:
    void ShowMessage()
    {
        const UINT result =
            CMsgWnd::ShowMessage(&m_pm, GetHWND(), "warning_title_text", "delete_profile_text",
                                 MsgKind::Question);
        std::printf("message dialog returned %u\n", result);
        std::fflush(stdout);
    }

private:
    QString m_skin;
};
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == "--render-svg")
        return RenderSvgs(args[2], args[3]);

    QString res = CPaintManagerUI::GetInstancePath() + "res/";
    QString lang = "Language/EN.xml";
    QString skin = VESTREL_DEMO_SKIN_DIR "/demo.xml";
    bool message = false;
    for (int i = 1; i < args.size(); ++i)
    {
        if (args[i] == "--res" && i + 1 < args.size())
            res = args[++i];
        else if (args[i] == "--lang" && i + 1 < args.size())
            lang = args[++i];
        else if (args[i] == "--skin" && i + 1 < args.size())
            skin = args[++i];
        else if (args[i] == "--message")
            message = true;
    }
    CPaintManagerUI::SetResourcePath(res);
    CResourceManager::GetInstance()->LoadLanguage(lang);

    DemoWnd wnd(skin);
    if (wnd.Create(nullptr, "Vestrel preview", WS_POPUP | WS_VISIBLE, 0, 0, 0, 800, 572) == nullptr)
        return 1;
    wnd.CenterWindow();
    if (message)
        QTimer::singleShot(300, [&wnd] { wnd.ShowMessage(); });
    return CPaintManagerUI::MessageLoop();
}
