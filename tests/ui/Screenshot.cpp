#include "tests/ui/Screenshot.h"

#include "ui/WindowWnd.h"

#include <QDir>
#include <QPixmap>
#include <QWidget>

QString SaveScreenshot(const CWindowWnd& window, const QString& name)
{
    QWidget* widget = window.GetWidget();
    if (widget == nullptr)
        return QString();
    QString folder = qEnvironmentVariable("VESTREL_SCREENSHOT_DIR");
    if (folder.isEmpty())
        folder = QStringLiteral(VESTREL_SCREENSHOT_DIR);
    if (!QDir().mkpath(folder))
        return QString();
    const QString path = folder + '/' + name + ".png";
    return widget->grab().save(path, "PNG") ? path : QString();
}
