// The yardstick for the program's start-up: Qt Widgets showing one empty
// window of the main window's size.

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.resize(800, 572);
    window.show();
    return app.exec();
}
