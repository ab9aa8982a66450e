#pragma once

#include "ui/runsmodel.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class Form1;
class MethodWindow;
class QAction;
class QMenu;
class QWidget;
class AnalysisWindow;
class ClassWindow;
class RunsWindow;

// What the main window offers beyond the calculation itself: the series of
// runs as a document (new, open, save, import), what leaves the window
// (copies, a report, a spreadsheet), and help on the method and data. It adds
// its own menus to the main window and listens to it; the main window's own
// behaviour is untouched, except that it asks before unsaved runs are lost.
class Session : public QObject {
    Q_OBJECT

public:
    explicit Session(Form1& form);
    ~Session() override;

    const RunsModel& runs() const { return model; }
    RunsModel& runs() { return model; }

    // The series' file; empty until it has one.
    const QString& filePath() const { return path; }
    // Whether the series holds changes no file has.
    bool isModified() const;

    void newSeries();
    void open();
    void importRuns();
    bool save();
    bool saveAs();
    // Opens a series file or imports a CSV file, once any unsaved changes
    // are saved or given up. False when nothing was opened.
    bool openFile(const QString& path);
    // `quillon FILE` opens the file; `quillon FILE FILE...` shows the class.
    void openArguments(const QStringList& arguments);

    void showRuns();
    void showAnalysis();
    // Grading a class: File > Open Several… and a drop of several files on
    // any window of the series show their summary in the class window.
    void openSeveral();
    void showClass(const QStringList& files);
    void copyRun();
    void saveReport();
    void exportCsv();
    void saveSeriesReport();
    void showMethod();
    // Delete and Select All of the Edit menu: the runs selected in the
    // Runs window, and every run there.
    void deleteRuns();
    void selectAllRuns();

protected:
    // Asks before the main window closes on unsaved changes, opens a file
    // dropped on the main or the runs window, and shows several as a class.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addFileMenu();
    void addEditMenu();
    // The File and Edit menus on a series window of its own, so that their
    // keys work there as in the main window.
    void addMenus(QWidget& window);
    void addReportMenu();
    void addHelpMenu();
    void updateActions();
    void updateCaption();
    // Save, Discard or Cancel when the series has unsaved changes; true
    // when the series may go.
    // The series' window the user works in: the boxes and dialogs an action
    // brings come up over it, rather than raising the main window over it.
    QWidget* workingWindow();
    bool maybeSave();
    bool saveTo(const QString& target);
    // Opens the file in place of the series, asking nothing.
    bool read(const QString& file);
    // The run of the last Calculate left the series.
    void forgetLastRun();

    Form1& form;
    RunsModel model;
    QString path;
    QString programTitle;
    // An imported series is new: it has no file and needs one.
    bool importedUnsaved = false;
    // The run of the last completed Calculate, for Find MTC's coefficient.
    int lastRunId = 0;
    // What says that run cannot describe an absorber, for the main window.
    QStringList lastFindings;
    QPointer<QWidget> lastActive;  // the series' window last activated
    QPointer<RunsWindow> runsWindow;
    QPointer<AnalysisWindow> analysisWindow;
    QPointer<ClassWindow> classWindow;
    QPointer<MethodWindow> method;
    QList<QAction*> needARun;
    QAction* saveReportAction = nullptr;
    QMenu* fileMenu = nullptr;
    QMenu* editMenu = nullptr;
};
