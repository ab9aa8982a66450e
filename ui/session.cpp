#include "ui/session.h"

#include "report/run.h"
#include "ui/Form1.h"
#include "ui/centring.h"
#include "ui/help.h"
#include "ui/runswindow.h"
#include "ui/saving.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMenuBar>

Session::Session(Form1& mainWindow)
    : QObject(&mainWindow)
    , form(mainWindow)
{
    addReportMenu();
    addHelpMenu();
    connect(&form, &Form1::runCompleted, this,
            [this](const absorber::RunInputs& inputs, const absorber::Balance& balance, double ntu) {
                // The model numbers the run.
                model.addRun(report::completedRun(0, inputs, balance, ntu));
                updateActions();
            });
    // Find MTC completes only right after a completed Calculate, so the
    // coefficient is the last run's.
    connect(&form, &Form1::coefficientFound, this,
            [this](double packingHeight, double mtc) { model.setMtc(model.rowCount(), packingHeight, mtc); });
    updateActions();
}

Session::~Session()
{
    // The windows show the model, which goes with this object.
    delete runsWindow;
    delete method;
}

void Session::addReportMenu()
{
    QMenu* menu = form.menuBar()->addMenu(tr("&Report"));
    menu->setObjectName(QStringLiteral("reportMenu"));
    const auto add = [this, menu](const char* name, const QString& text, void (Session::*slot)()) {
        QAction* action = menu->addAction(text, this, slot);
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    add("showRuns", tr("Show &Runs"), &Session::showRuns);
    needARun = {add("copyRun", tr("&Copy Run"), &Session::copyRun),
                add("saveReport", tr("Save Report as &PDF…"), &Session::saveReport),
                add("exportCsv", tr("&Export Runs as CSV…"), &Session::exportCsv)};
}

void Session::addHelpMenu()
{
    QMenu* help = form.menuBar()->addMenu(tr("&Help"));
    help->setObjectName(QStringLiteral("help"));
    QAction* methodAction = help->addAction(tr("&Method and Data"), this, &Session::showMethod);
    methodAction->setObjectName(QStringLiteral("help_method"));
    methodAction->setShortcut(QKeySequence::HelpContents);
    // F1 works whether or not the menu is open.
    methodAction->setShortcutContext(Qt::WindowShortcut);
    QAction* about = help->addAction(tr("&About Quillon"), this, [this] { showAbout(&this->form); });
    about->setObjectName(QStringLiteral("help_about"));
}

void Session::updateActions()
{
    for (QAction* action : needARun)
        action->setEnabled(model.rowCount() > 0);
}

void Session::showRuns()
{
    // One window at a time; asked again, it comes to the front.
    if (!runsWindow) {
        runsWindow = new RunsWindow(model, &form);
        ui::centreOver(*runsWindow, form);
    }
    runsWindow->show();
    runsWindow->raise();
    runsWindow->activateWindow();
}

void Session::copyRun()
{
    if (model.rowCount() > 0)
        QApplication::clipboard()->setText(model.tabText({model.rowCount() - 1}));
}

void Session::saveReport()
{
    if (model.rowCount() > 0)
        ui::saveRunReport(&form, model.runs().last());
}

void Session::exportCsv()
{
    if (model.rowCount() > 0)
        ui::saveRunsCsv(&form, model.runs());
}

void Session::showMethod()
{
    if (!method)
        method = new MethodWindow(&form);
    method->show();
    method->raise();
    method->activateWindow();
}
