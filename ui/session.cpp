#include "ui/session.h"

#include "present/columnsteps.h"
#include "present/words.h"
#include "report/qtpresent.h"
#include "ui/Form1.h"
#include "ui/analysiswindow.h"
#include "ui/centring.h"
#include "ui/classwindow.h"
#include "ui/help.h"
#include "ui/runswindow.h"
#include "ui/saving.h"
#include "ui/seriesfiles.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QTimer>

#include <utility>

namespace {

// The local series and CSV files a drag carries, when it carries several.
QStringList droppedFiles(const QMimeData* data)
{
    QStringList files;
    for (const QUrl& url : data ? data->urls() : QList<QUrl>()) {
        const QString suffix = QFileInfo(url.toLocalFile()).suffix().toLower();
        if (url.isLocalFile() && (suffix == u"quillon" || suffix == u"csv"))
            files << url.toLocalFile();
    }
    return files.size() > 1 ? files : QStringList();
}

// The one local series or CSV file a drag carries, if it carries one.
QString droppedFile(const QMimeData* data)
{
    if (!data || data->urls().size() != 1 || !data->urls().first().isLocalFile())
        return {};
    const QString file = data->urls().first().toLocalFile();
    const QString suffix = QFileInfo(file).suffix().toLower();
    return suffix == u"quillon" || suffix == u"csv" ? file : QString();
}

}  // namespace

Session::Session(Form1& mainWindow)
    : QObject(&mainWindow)
    , form(mainWindow)
    , programTitle(mainWindow.windowTitle())
{
    addFileMenu();
    addEditMenu();
    addReportMenu();
    addHelpMenu();
    // The uncertainties' progress in the main window while no Runs window
    // shows it: opening a series computes them too.
    auto* progressTimer = new QTimer(this);
    progressTimer->setInterval(100);
    const auto showProgress = [this] {
        const UncertaintyCache& work = model.uncertainties();
        const bool elsewhere = runsWindow && runsWindow->isVisible();
        if (!work.busy() || elsewhere) {
            form.showUncertaintyProgress(std::nullopt);
            return;
        }
        // Short work shows no bar, as in the Runs window.
        if (work.busyFor() < 500)
            return;
        const UncertaintyCache::Progress counted = work.progress(model.series());
        form.showUncertaintyProgress(std::pair(counted.done, counted.of));
    };
    connect(progressTimer, &QTimer::timeout, this, showProgress);
    connect(&model.uncertainties(), &UncertaintyCache::busyChanged, this, [progressTimer, showProgress](bool busy) {
        if (busy)
            progressTimer->start();
        else
            progressTimer->stop();
        showProgress();
    });
    connect(&form, &Form1::uncertaintiesCancelled, this, [this] { model.uncertainties().cancel(); });
    connect(&form, &Form1::runCompleted, this,
            [this](const absorber::RunInputs& inputs, const absorber::Balance& balance, double ntu) {
                const series::Run run{inputs, std::nullopt, {}, false, false, {}, {}};
                const series::RunResult result = series::completedRun(run, balance, ntu);
                // Calculate again on the same inputs is the same run, not a
                // second one. Otherwise the earlier run is off screen already:
                // the undo stack's signal while the new one is added must not
                // show its coefficient.
                const int last = std::exchange(lastRunId, 0);
                lastRunId = model.addRun(run, result, last);
                const std::size_t row = std::size_t(model.rowOf(lastRunId));
                if (lastRunId == last)
                    form.showCoefficient(model.results()[row].mtc);
                // As the series keeps it: a missing temperature is a finding under its option.
                lastFindings = report::qstrings(
                    present::findingMessages(report::qtLanguage(), series::findingsOf(run, model.results()[row])));
                form.showFindings(lastFindings);
            });
    // Find MTC completes only right after a completed Calculate, so the
    // coefficient is that run's, wherever it stands now.
    connect(&form, &Form1::coefficientFound, this, [this](double packingHeight, double mtc) {
        model.setMtc(lastRunId, packingHeight, mtc);
        form.showFindings(lastFindings);
    });
    connect(&model.undoStack(), &QUndoStack::indexChanged, this, [this] {
        updateActions();
        updateCaption();
        // The window's coefficient belongs to a run of the series, or to none.
        if (const int row = model.rowOf(lastRunId); lastRunId != 0 && row < 0)
            forgetLastRun();
        else if (row >= 0)
            form.showCoefficient(model.results()[std::size_t(row)].mtc);
    });
    connect(&model, &QAbstractItemModel::modelReset, this, &Session::updateActions);
    form.installEventFilter(this);
    form.setAcceptDrops(true);
    updateActions();
}

Session::~Session()
{
    // The windows show the model, which goes with this object. The model's
    // undo stack says it is cleared as it goes, when the menus this object
    // updates may be gone already.
    disconnect(&model.undoStack(), nullptr, this, nullptr);
    disconnect(&model, nullptr, this, nullptr);
    // Every window that shows the model goes before it; they are the main
    // window's children, which would otherwise outlive this object. A window
    // being destroyed is no RunsWindow any more: its last events are not
    // this object's to look at.
    for (QWidget* window : {static_cast<QWidget*>(runsWindow), static_cast<QWidget*>(analysisWindow)}) {
        if (window)
            window->removeEventFilter(this);
    }
    delete runsWindow;
    delete analysisWindow;
    delete classWindow;
    delete method;
}

void Session::addFileMenu()
{
    // Before the Graph menu, as files come first in every program.
    auto* menu = new QMenu(tr("&File"), &form);
    fileMenu = menu;
    menu->setObjectName(QStringLiteral("fileMenu"));
    form.menuBar()->insertMenu(form.menuBar()->actions().value(0), menu);
    const auto add = [this, menu](const char* name, const QString& text, const QKeySequence& keys, auto slot) {
        QAction* action = menu->addAction(text, this, slot);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        return action;
    };
    add("newSeries", tr("&New Series"), QKeySequence::New, &Session::newSeries);
    add("openSeries", tr("&Open…"), QKeySequence::Open, &Session::open);
    add("importRuns", tr("&Import Runs…"), QKeySequence(), &Session::importRuns);
    add("openSeveral", tr("Open Se&veral…"), QKeySequence(), &Session::openSeveral);
    add("saveSeries", tr("&Save"), QKeySequence::Save, &Session::save);
    add("saveSeriesAs", tr("Save &As…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), &Session::saveAs);
    menu->addSeparator();
    add("quit", tr("&Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { form.close(); });
}

void Session::addEditMenu()
{
    editMenu = new QMenu(tr("&Edit"), &form);
    editMenu->setObjectName(QStringLiteral("editMenu"));
    form.menuBar()->insertMenu(form.menuBar()->actions().value(1), editMenu);
    QAction* undo = model.undoStack().createUndoAction(editMenu, tr("&Undo"));
    undo->setObjectName(QStringLiteral("undo"));
    undo->setShortcuts(QKeySequence::Undo);
    QAction* redo = model.undoStack().createRedoAction(editMenu, tr("&Redo"));
    redo->setObjectName(QStringLiteral("redo"));
    // Both keys people know for Redo, whatever the platform's own list
    // holds (a bare X11 desktop gives Ctrl+Shift+Z alone).
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)})
        if (!redoKeys.contains(keys))
            redoKeys.append(keys);
    redo->setShortcuts(redoKeys);
    editMenu->addActions({undo, redo});
    editMenu->addSeparator();
    QAction* remove = editMenu->addAction(tr("&Delete Runs"), this, &Session::deleteRuns);
    remove->setObjectName(QStringLiteral("deleteRuns"));
    remove->setShortcuts(QKeySequence::Delete);
    QAction* all = editMenu->addAction(tr("Select &All Runs"), this, &Session::selectAllRuns);
    all->setObjectName(QStringLiteral("selectAllRuns"));
    all->setShortcuts(QKeySequence::SelectAll);
}

void Session::addMenus(QWidget& window)
{
    auto* bar = new QMenuBar(&window);
    bar->addMenu(fileMenu);
    bar->addMenu(editMenu);
    window.layout()->setMenuBar(bar);
}

void Session::deleteRuns()
{
    // Only runs the user can see selected.
    if (runsWindow && runsWindow->isVisible())
        runsWindow->deleteSelection();
}

void Session::selectAllRuns()
{
    showRuns();
    runsWindow->selectAll();
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
    add("showAnalysis", tr("Show Series &Analysis"), &Session::showAnalysis);
    QAction* copy = add("copyRun", tr("&Copy Run"), &Session::copyRun);
    saveReportAction = add("saveReport", tr("Save Report as &PDF…"), &Session::saveReport);
    needARun = {copy, add("exportCsv", tr("&Export Runs as CSV…"), &Session::exportCsv),
                add("saveSeriesReport", tr("Save &Series Report as PDF…"), &Session::saveSeriesReport)};
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

void Session::forgetLastRun()
{
    lastRunId = 0;
    lastFindings.clear();
    form.forgetRun();
}

void Session::updateActions()
{
    for (QAction* action : needARun)
        action->setEnabled(model.rowCount() > 0);
    // The report is of the last run, and only a completed run has one.
    saveReportAction->setEnabled(model.rowCount() > 0 && model.reportRun(model.rowCount() - 1));
}

void Session::updateCaption()
{
    if (path.isEmpty()) {
        form.setWindowTitle(programTitle);
        return;
    }
    form.setWindowTitle(tr("%1[*] — %2").arg(QFileInfo(path).fileName(), programTitle));
    form.setWindowModified(isModified());
}

bool Session::isModified() const
{
    return importedUnsaved || !model.undoStack().isClean();
}

QWidget* Session::workingWindow()
{
    return lastActive && lastActive->isVisible() ? lastActive.data() : &form;
}

bool Session::maybeSave()
{
    if (!isModified())
        return true;
    QMessageBox box(QMessageBox::Warning, programTitle,
                    tr("The series has changes that are not saved.\nDo you want to save them?"),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, workingWindow());
    box.setObjectName(QStringLiteral("unsavedChanges"));
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return save();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void Session::newSeries()
{
    if (!maybeSave())
        return;
    model.resetSeries({}, {});
    path.clear();
    importedUnsaved = false;
    forgetLastRun();
    updateCaption();
}

void Session::open()
{
    if (!maybeSave())
        return;
    const QString chosen = QFileDialog::getOpenFileName(
        workingWindow(), tr("Open"), QFileInfo(path).absolutePath(),
        tr("Series and CSV files (*.quillon *.csv);;Quillon series (*.quillon);;CSV files (*.csv)"));
    if (!chosen.isEmpty())
        read(chosen);
}

void Session::importRuns()
{
    // The runs join the series as it is, so nothing is lost and nothing asked.
    const QString chosen = QFileDialog::getOpenFileName(
        workingWindow(), tr("Import Runs"), QFileInfo(path).absolutePath(),
        tr("Series and CSV files (*.quillon *.csv);;Quillon series (*.quillon);;CSV files (*.csv)"));
    if (chosen.isEmpty())
        return;
    if (std::optional<ui::ImportedRuns> imported =
            ui::importRunsFile(workingWindow(), chosen, model.series().equilibrium, model.series().flowUnit))
        model.appendRuns(std::move(imported->runs), std::move(imported->results));
}

bool Session::openFile(const QString& file)
{
    return maybeSave() && read(file);
}

bool Session::read(const QString& file)
{
    std::optional<ui::OpenedSeries> opened = ui::openSeriesFile(workingWindow(), file);
    if (!opened)
        return false;
    model.resetSeries(std::move(opened->series), std::move(opened->results));
    // An import is a new series, with no file of its own yet.
    path = opened->imported ? QString() : QFileInfo(file).absoluteFilePath();
    importedUnsaved = opened->imported;
    forgetLastRun();
    updateCaption();
    return true;
}

void Session::openArguments(const QStringList& arguments)
{
    // Several files are a class to compare, as when dropped together.
    if (arguments.size() > 2)
        showClass(arguments.mid(1));
    else if (arguments.size() > 1)
        openFile(arguments.at(1));
}

bool Session::save()
{
    return path.isEmpty() ? saveAs() : saveTo(path);
}

bool Session::saveAs()
{
    const QString name = path.isEmpty() ? QStringLiteral("quillon-series.quillon") : QFileInfo(path).fileName();
    const std::optional<QString> target = ui::askSavePath(workingWindow(), name, tr("Quillon series (*.quillon)"));
    return target && saveTo(*target);
}

bool Session::saveTo(const QString& target)
{
    if (!ui::saveToPath(workingWindow(), target, ui::seriesFileBytes(model.series(), model.results())))
        return false;
    path = QFileInfo(target).absoluteFilePath();
    importedUnsaved = false;
    model.undoStack().setClean();
    updateCaption();
    return true;
}

bool Session::eventFilter(QObject* watched, QEvent* event)
{
    // Several files dropped on any window of the series: a class to compare.
    const bool seriesWindow = watched == &form || watched == runsWindow || watched == analysisWindow;
    // Remembered past the file dialogs and boxes an action brings, which
    // take the activation while they show.
    if (seriesWindow && event->type() == QEvent::WindowActivate)
        lastActive = static_cast<QWidget*>(watched);
    const bool dropping = event->type() == QEvent::DragEnter || event->type() == QEvent::Drop;
    if (const QStringList files =
            dropping && seriesWindow ? droppedFiles(static_cast<QDropEvent*>(event)->mimeData()) : QStringList();
        !files.isEmpty()) {
        auto* drop = static_cast<QDropEvent*>(event);
        drop->acceptProposedAction();
        if (event->type() == QEvent::Drop)
            QMetaObject::invokeMethod(
                this, [this, files] { showClass(files); }, Qt::QueuedConnection);
        return true;
    }
    switch (event->type()) {
    case QEvent::Close:
        if (watched == &form && !maybeSave()) {
            event->ignore();
            return true;
        }
        break;
    case QEvent::DragEnter: {
        auto* drag = static_cast<QDragEnterEvent*>(event);
        if (!droppedFile(drag->mimeData()).isEmpty()) {
            drag->acceptProposedAction();
            return true;
        }
        break;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString file = droppedFile(drop->mimeData());
        if (!file.isEmpty()) {
            drop->acceptProposedAction();
            // Opened once the drop is done: the source waits for the drop's
            // answer, which must not wait for boxes and progress.
            QMetaObject::invokeMethod(
                this, [this, file] { openFile(file); }, Qt::QueuedConnection);
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void Session::showRuns()
{
    // One window at a time; asked again, it comes to the front.
    if (!runsWindow) {
        runsWindow = new RunsWindow(model, &form);
        addMenus(*runsWindow);
        runsWindow->setAcceptDrops(true);
        runsWindow->installEventFilter(this);
        ui::centreOver(*runsWindow, form);
    }
    runsWindow->show();
    runsWindow->raise();
    runsWindow->activateWindow();
}

void Session::showAnalysis()
{
    if (!analysisWindow) {
        analysisWindow = new AnalysisWindow(model, &form);
        addMenus(*analysisWindow);
        analysisWindow->setAcceptDrops(true);
        analysisWindow->installEventFilter(this);
        ui::centreOver(*analysisWindow, form);
    }
    analysisWindow->show();
    analysisWindow->raise();
    analysisWindow->activateWindow();
}

void Session::copyRun()
{
    if (model.rowCount() > 0)
        QApplication::clipboard()->setText(model.tabText({model.rowCount() - 1}));
}

void Session::saveReport()
{
    if (model.rowCount() == 0)
        return;
    ui::saveRunReport(workingWindow(), model, model.rowCount() - 1);
}

void Session::exportCsv()
{
    if (model.rowCount() > 0)
        ui::saveRunsCsv(workingWindow(), model);
}

void Session::saveSeriesReport()
{
    // The report fits the coefficient the Series Analysis shows, Quillon's
    // when it is not open.
    if (model.rowCount() > 0)
        ui::saveSeriesReport(workingWindow(), model,
                             analysisWindow ? analysisWindow->analysis().fitted : series::Fitted::quillon);
}

void Session::showMethod()
{
    if (!method) {
        method = new MethodWindow(&form);
        ui::centreOver(*method, form);
    }
    method->show();
    method->raise();
    method->activateWindow();
}

void Session::openSeveral()
{
    const QStringList chosen = QFileDialog::getOpenFileNames(
        workingWindow(), tr("Open Several"), QFileInfo(path).absolutePath(),
        tr("Series and CSV files (*.quillon *.csv);;Quillon series (*.quillon);;CSV files (*.csv)"));
    if (!chosen.isEmpty())
        showClass(chosen);
}

void Session::showClass(const QStringList& files)
{
    if (!classWindow) {
        classWindow = new ClassWindow(&form);
        addMenus(*classWindow);
        ui::centreOver(*classWindow, form);
    }
    classWindow->show();
    classWindow->raise();
    classWindow->activateWindow();
    classWindow->showFiles(files);
}
