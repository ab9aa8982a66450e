#include "ui/session.h"

#include "ui/Form1.h"
#include "ui/help.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

Session::Session(Form1& form)
    : QObject(&form)
    , form(form)
{
    addHelpMenu();
}

void Session::addHelpMenu()
{
    QMenu* help = form.menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("help"));
    QAction* method = help->addAction(tr("&Method and Data"), this, &Session::showMethod);
    method->setObjectName(QStringLiteral("help_method"));
    method->setShortcut(QKeySequence::HelpContents);
    // F1 works whether or not the menu is open.
    method->setShortcutContext(Qt::WindowShortcut);
    QAction* about = help->addAction(tr("&About Quillon"), this, [this] { showAbout(&this->form); });
    about->setObjectName(QStringLiteral("help_about"));
}

void Session::showMethod()
{
    // One window at a time; asked again, it comes to the front.
    if (!method) {
        method = new MethodWindow(&form);
        connect(method, &QObject::destroyed, this, [this] { method = nullptr; });
    }
    method->show();
    method->raise();
    method->activateWindow();
}
