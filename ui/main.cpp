#include "ui/Form1.h"
#include "ui/application.h"
#include "ui/session.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ui::prepareApplication();
    Form1 form;
    Session session(form);
    form.Form_Load();
    form.show();
    session.openArguments(QApplication::arguments());
    return app.exec();
}
