// The yardstick for the program's start-up: Qt Widgets showing one empty
// window of the main window's size; with --text, one line of text in it, so
// that Qt's own font start can be told apart from the program's.

#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.resize(800, 572);
    if (QApplication::arguments().contains(QStringLiteral("--text")))
        (new QLabel(QStringLiteral("Vestrel"), &window))->move(10, 10);
    window.show();
    return app.exec();
}
