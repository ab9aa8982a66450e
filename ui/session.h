#pragma once

#include "ui/runsmodel.h"

#include <QObject>
#include <QPointer>

class Form1;
class MethodWindow;
class QAction;
class RunsWindow;

// What the main window offers beyond the calculation itself: the session's
// runs and what leaves the window (copies, a report, a spreadsheet), and
// help on the method and data. It adds its own menus to the main window and
// listens to it; the main window's own behaviour is untouched.
class Session : public QObject {
    Q_OBJECT

public:
    explicit Session(Form1& form);
    ~Session() override;

    const RunsModel& runs() const { return model; }

    void showRuns();
    void copyRun();
    void saveReport();
    void exportCsv();
    void showMethod();

private:
    void addReportMenu();
    void addHelpMenu();
    void updateActions();

    Form1& form;
    RunsModel model;
    QPointer<RunsWindow> runsWindow;
    QPointer<MethodWindow> method;
    QList<QAction*> needARun;
};
