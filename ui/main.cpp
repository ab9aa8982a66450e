#include "ui/Form1.h"
#include "ui/application.h"
#include "ui/firstwindow.h"
#include "ui/session.h"

#include <QApplication>

#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ui::FirstWindowProbe::installIfAsked(app);
    ui::prepareApplication();
    // The main window and its series are made behind the splash.
    std::unique_ptr<Form1> form;
    std::unique_ptr<Session> session;
    Form1::loadBehindSplash([&]() -> Form1& {
        form = std::make_unique<Form1>();
        session = std::make_unique<Session>(*form);
        return *form;
    });
    form->show();
    session->openArguments(QApplication::arguments());
    return app.exec();
}
