// A bare Qt Widgets program, the start-up benchmark's yardstick: an
// application and one main window shown.

#include "ui/firstwindow.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ui::FirstWindowProbe::installIfAsked(app);
    QMainWindow window;
    window.resize(507, 420);
    window.show();
    return app.exec();
}
