// Where the named controls of a skin sit in its window, for the scenario
// tests that click the real program from outside:
//   vestrel_control_geometry RESDIR SKIN [TAB=INDEX...] NAME...
// prints "NAME X Y W H" per name (window coordinates; the program's windows
// have no frame of their own). TAB=INDEX shows that page of a tab layout
// first, as the page selector does.

#include "ui/ControlUI.h"
#include "ui/TabLayoutUI.h"
#include "ui/WindowImplBase.h"

#include <QApplication>
#include <QWidget>
#include <cstdio>

namespace
{
class SkinWnd : public WindowImplBase
{
public:
    explicit SkinWnd(QString skin) : m_skin(std::move(skin)) {}
    CPaintManagerUI& PM() { return m_pm; }

protected:
    QString GetWindowClassName() const override { return QStringLiteral("SkinWnd"); }
    QString GetSkinFile() override { return m_skin; }

private:
    QString m_skin;
};
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 4)
    {
        std::fprintf(stderr,
                     "usage: vestrel_control_geometry RESDIR SKIN [TAB=INDEX...] NAME...\n");
        return 2;
    }
    CPaintManagerUI::SetResourcePath(args[1] + QLatin1Char('/'));
    SkinWnd wnd(args[2]);
    if (wnd.Create(nullptr, QStringLiteral("SkinWnd"), WS_POPUP | WS_VISIBLE, 0) == nullptr)
        return 1;
    int code = 0;
    for (int i = 3; i < args.size(); ++i)
    {
        const QString name = args[i].section(QLatin1Char('='), 0, 0);
        CControlUI* control = wnd.PM().FindControl(name);
        if (control == nullptr)
        {
            std::fprintf(stderr, "no control %s\n", qPrintable(name));
            code = 1;
            continue;
        }
        if (args[i].contains(QLatin1Char('=')))
        {
            if (auto* tab = dynamic_cast<CTabLayoutUI*>(control))
                tab->SelectItem(args[i].section(QLatin1Char('='), 1).toInt());
            QApplication::processEvents();
            continue;
        }
        QWidget* w = control->GetWidget();
        const QPoint at = w->mapTo(wnd.GetWidget(), QPoint(0, 0));
        std::printf("%s %d %d %d %d\n", qPrintable(name), at.x(), at.y(), w->width(), w->height());
    }
    wnd.DestroyWindow();
    return code;
}
