#include "fixture.h"
#include "modalboxes.h"

#include "core/absorber.h"
#include "series/csv.h"
#include "series/file.h"
#include "ui/Form1.h"
#include "ui/Form2.h"
#include "ui/Module1.h"
#include "ui/analysiswindow.h"
#include "ui/application.h"
#include "ui/centring.h"
#include "ui/numbertext.h"
#include "ui/runswindow.h"
#include "ui/session.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace {

// Answers the save dialog that an action opens as a user would: typing the
// given path and pressing Save, or, given none, cancelling. A dialog that
// leaves the suffix to the program stands for some desktops' own.
class SaveDialogAnswer {
public:
    enum Suffix { dialogAddsSuffix, programAddsSuffix };

    explicit SaveDialogAnswer(const QString& path, Suffix suffix = dialogAddsSuffix)
    {
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, &poll, [this, path, suffix] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible())
                return;
            if (++shown == 1) {
                suggested = dialog->selectedFiles().value(0);
                folder = dialog->directory().absolutePath();
            }
            // Still open after the answer (the replace question said no):
            // the user gives up.
            if (path.isEmpty() || answered > 0) {
                dialog->reject();
                return;
            }
            if (suffix == programAddsSuffix)
                dialog->setDefaultSuffix(QString());
            dialog->selectFile(path);
            static_cast<QDialog*>(dialog)->accept();
            ++answered;
        });
        poll.start();
    }

    int answered = 0;
    int shown = 0;  // times the dialog was found open
    QString suggested;
    QString folder;  // the dialog opened in

private:
    QTimer poll;
};

QAction* action(QWidget& window, const char* name)
{
    return window.findChild<QAction*>(QString::fromLatin1(name));
}

}  // namespace

using Removal = std::function<void(Session&)>;

Q_DECLARE_METATYPE(SaveDialogAnswer::Suffix)
Q_DECLARE_METATYPE(TypedRun)
Q_DECLARE_METATYPE(Removal)

using namespace Qt::StringLiterals;

class TestSession : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ui::prepareApplication(); }
    void init();
    void cleanup();

    void reportMenu();
    void openedUncertaintiesShowProgressInTheMainWindow();
    void rowsOfCompletedRunsOnly();
    void copyRun();
    void runsWindowOpensOverTheMainWindow();
    void exportCsvAndPdf();
    void saveDialogAddsTheSuffix_data();
    void saveDialogAddsTheSuffix();
    void graphPicture();
    void cancelledUncertaintiesAreNotSaved_data();
    void cancelledUncertaintiesAreNotSaved();
    void findMtcRefusesOnceItsRunIsGone_data();
    void findMtcRefusesOnceItsRunIsGone();
    void coefficientFollowsUndoOfFindMtc();
    void calculateAgainOnTheSameInputs_data();
    void calculateAgainOnTheSameInputs();
    void quitWithEveryWindowOpen();

private:
    // Enough runs with uncertainties for seconds of drawing, about 10 ms a
    // run on one core, so that a progress dialog shows; being drawn now.
    void useManyUncertainRuns()
    {
        series::Series many;
        many.uncertainty = {0.02, 0.02, 0.0005, 0.0005, 0.005};
        for (int i = 0; i < 400; ++i)
            many.runs.push_back({{0.02 + 0.00001 * i, 0.01, 1, 1}, 2.0, {}, false, false, {}, {}});
        session->runs().resetSeries(many, *series::computeRuns(many.runs, 2));
    }

    bool calculate(const TypedRun& run) { return ::calculate(*form, run); }
    bool findMtc(const QString& height) { return typeInto(*form, "Text8", height) && clickOn(*form, "Command2"); }

    std::unique_ptr<Form1> form;
    Session* session = nullptr;
    QTemporaryDir folder;
};

void TestSession::init()
{
    startWindowTest();
    form = std::make_unique<Form1>();
    session = new Session(*form);
}

void TestSession::cleanup()
{
    form.reset();
    QVERIFY(endWindowTest());
}

// A series opened with only the main window on screen: its uncertainties'
// progress shows there with Cancel, Cancel stops the work, and the window
// is its old size again.
void TestSession::openedUncertaintiesShowProgressInTheMainWindow()
{
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    const QSize before = form->size();
    series::Series runs;
    runs.uncertainty = {0.02, 0.02, 0.0005, 0.0005, 0.005};
    for (int i = 0; i < 400; ++i)
        runs.runs.push_back({{0.02 + 0.00001 * i, 0.01, 1, 1}, 2.0, {}, false, false, {}, {}});
    const QString file = folder.filePath(u"class.quillon"_s);
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    const std::string bytes = series::writeSeriesFile(runs, *series::computeRuns(runs.runs, 2));
    out.write(bytes.data(), qint64(bytes.size()));
    out.close();
    QVERIFY(session->openFile(file));
    QTRY_VERIFY(session->runs().uncertainties().busy());

    // Made when first shown.
    QTRY_VERIFY(form->findChild<QProgressBar*>(u"uncertaintyProgress"_s));
    auto* bar = form->findChild<QProgressBar*>(u"uncertaintyProgress"_s);
    auto* cancel = form->findChild<QPushButton*>(u"cancelUncertainties"_s);
    QTRY_VERIFY(cancel && bar->isVisible() && cancel->isVisible());
    QCOMPARE(bar->maximum(), 400);
    QVERIFY(form->height() > before.height());
    QTest::mouseClick(cancel, Qt::LeftButton);
    QTRY_VERIFY(!session->runs().uncertainties().busy());
    QTRY_VERIFY(!bar->isVisible() && !cancel->isVisible());
    QVERIFY(!session->runs().knownUncertainties().has_value());
    QCOMPARE(form->size(), before);
}

void TestSession::reportMenu()
{
    QStringList menus;
    for (const QAction* menu : form->menuBar()->actions())
        menus << menu->text();
    QCOMPARE(menus, (QStringList{"&File", "&Edit", "&Graph", "&Report", "&Help"}));
    const auto items = [this](int menu) {
        QStringList texts;
        for (const QAction* item : form->menuBar()->actions()[menu]->menu()->actions())
            texts << item->text() + item->shortcut().toString();
        return texts;
    };
    QCOMPARE(items(0),
             (QStringList{"&New SeriesCtrl+N", "&Open…Ctrl+O", "&Import Runs…", "Open Se&veral…", "&SaveCtrl+S",
                          "Save &As…Ctrl+Shift+S", "", "&QuitCtrl+Q"}));
    QCOMPARE(items(3),
             (QStringList{"Show &Runs", "Show Series &Analysis", "&Copy Run", "Save Report as &PDF…",
                          "&Export Runs as CSV…", "Save &Series Report as PDF…"}));

    // Nothing to copy, save or export before a run completes.
    for (const char* name : {"copyRun", "saveReport", "exportCsv", "saveSeriesReport"})
        QVERIFY2(!action(*form, name)->isEnabled(), name);
    QVERIFY(action(*form, "showRuns")->isEnabled());
    ModalBoxes boxes;
    QVERIFY(calculate({"0", "0", "0", "0"}));
    QVERIFY(!action(*form, "exportCsv")->isEnabled());
    QVERIFY(calculate(exampleA));
    for (const char* name : {"copyRun", "saveReport", "exportCsv", "saveSeriesReport"})
        QVERIFY2(action(*form, name)->isEnabled(), name);
}

void TestSession::rowsOfCompletedRunsOnly()
{
    ModalBoxes boxes;
    QVERIFY(calculate(exampleA));
    QVERIFY(findMtc("2"));
    QVERIFY(calculate({"0.35", "0.2", "1", "1"}));       // input test
    QVERIFY(calculate({"0.2", "0.5", "4", "5"}));        // division by zero
    QVERIFY(calculate({"0.02", "0.01", "x", "1"}));      // conversion error
    QVERIFY(calculate({"0.02", "0.01", "1", "1e160"}));  // outlet test
    QVERIFY(findMtc("3"));                               // refused: no completed run since
    QVERIFY(calculate(exampleB));
    QCOMPARE(boxes.count(), 5);

    const RunsModel& model = session->runs();
    QCOMPARE(model.rowCount(), 2);
    const std::vector<series::Run>& runs = model.series().runs;
    const std::vector<series::RunResult>& results = model.results();
    QCOMPARE(runs[0].inputs.y1, 0.02);
    QCOMPARE(runs[0].packingHeight, std::optional(2.0));
    QCOMPARE(results[0].mtc, std::optional(absorber::findMtc(2, *results[0].ntu, runs[0].inputs.gasFlow).mtc));
    QCOMPARE(runs[1].inputs.x1, 0.02);
    QCOMPARE(results[1].ntu, std::optional(form->state().ntu));
    QCOMPARE(results[1].balance.y2, std::optional(Module1::fractions.y2));
    QVERIFY(!results[1].mtc);

    // Find MTC fills the last run's row, and a second one replaces it.
    QVERIFY(findMtc("1.5"));
    QVERIFY(findMtc("3"));
    QCOMPARE(model.series().runs[1].packingHeight, std::optional(3.0));
    QCOMPARE(model.results()[1].mtc, std::optional(form->state().mtc));
    QVERIFY(model.results()[0].mtc.has_value());
}

void TestSession::saveDialogAddsTheSuffix_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<SaveDialogAnswer::Suffix>("addedBy");
    QTest::newRow("csv") << "exportCsv"
                         << ".csv" << SaveDialogAnswer::dialogAddsSuffix;
    QTest::newRow("pdf") << "saveReport"
                         << ".pdf" << SaveDialogAnswer::dialogAddsSuffix;
    QTest::newRow("csv, desktop dialog") << "exportCsv"
                                         << ".csv" << SaveDialogAnswer::programAddsSuffix;
}

void TestSession::saveDialogAddsTheSuffix()
{
    QFETCH(QString, action);
    QFETCH(QString, suffix);
    QFETCH(SaveDialogAnswer::Suffix, addedBy);
    QVERIFY(folder.isValid());
    const QString place = folder.filePath(QTest::currentDataTag());
    QVERIFY(QDir().mkpath(place));
    const QString typed = place + "/runs session1";
    ModalBoxes boxes;
    QVERIFY(calculate(exampleA));
    QAction* save = ::action(*form, action.toLatin1().constData());
    {
        SaveDialogAnswer answer(typed, addedBy);
        save->trigger();
        QCOMPARE(answer.answered, 1);
    }
    QFile file(typed + suffix);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray saved = file.readAll();
    file.close();
    QVERIFY(!saved.isEmpty());

    // The next dialog opens where the last file went, and asks before it
    // replaces the file of the name with its suffix; the dialog that added
    // the suffix asks while still open, for another name. Told no, and
    // cancelled, nothing is written.
    QVERIFY(calculate(exampleB));
    const int boxesBefore = boxes.count();
    {
        SaveDialogAnswer answer(typed, addedBy);
        save->trigger();
        QCOMPARE(answer.folder, place);
        QCOMPARE(answer.shown, addedBy == SaveDialogAnswer::dialogAddsSuffix ? 2 : 1);
    }
    QCOMPARE(boxes.count(), boxesBefore + 1);
    QVERIFY2(boxes.seen().last().text.contains("runs session1" + suffix), qPrintable(boxes.seen().last().text));
    {
        SaveDialogAnswer cancel{QString()};
        save->trigger();
        QCOMPARE(cancel.shown, 1);
    }
    QCOMPARE(boxes.count(), boxesBefore + 1);
    QCOMPARE(QDir(place).entryList(QDir::Files), QStringList{"runs session1" + suffix});
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), saved);
}

void TestSession::runsWindowOpensOverTheMainWindow()
{
    // Centred over the main window where that keeps it inside the screen.
    QVERIFY(ui::centreOnScreen(*form));
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    action(*form, "showRuns")->trigger();
    QWidget* runs = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window != form.get())
            runs = window;
    }
    QVERIFY(runs);
    QVERIFY(QTest::qWaitForWindowExposed(runs));
    const QPoint offset = runs->frameGeometry().center() - form->frameGeometry().center();
    QVERIFY2(offset.manhattanLength() < 4, qPrintable(QStringLiteral("%1, %2").arg(offset.x()).arg(offset.y())));
}

void TestSession::copyRun()
{
    ModalBoxes boxes;
    QVERIFY(calculate(exampleA));
    QVERIFY(calculate(exampleB));
    action(*form, "copyRun")->trigger();
    const QStringList lines = QApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    const int columns = int(lines[0].split('\t').size());
    QVERIFY(columns >= 10);
    QCOMPARE(int(lines[1].split('\t').size()), columns);
    QVERIFY(lines[1].contains("\t0.045\t"));
    QVERIFY(lines[1].contains("1.0241"));
}

void TestSession::exportCsvAndPdf()
{
    QVERIFY(folder.isValid());
    ModalBoxes boxes;
    QVERIFY(calculate(exampleA));
    QVERIFY(findMtc("2"));

    const QString csvPath = folder.filePath("runs.csv");
    {
        SaveDialogAnswer answer(csvPath);
        action(*form, "exportCsv")->trigger();
        QCOMPARE(answer.answered, 1);
        QVERIFY(answer.suggested.endsWith("quillon-runs.csv"));
    }
    QFile csv(csvPath);
    QVERIFY(csv.open(QIODevice::ReadOnly));
    const RunsModel& model = session->runs();
    QCOMPARE(csv.readAll().toStdString(), series::exportCsv(model.series(), model.results()));

    const QString pdfPath = folder.filePath("run.pdf");
    {
        SaveDialogAnswer answer(pdfPath);
        action(*form, "saveReport")->trigger();
        QCOMPARE(answer.answered, 1);
        QVERIFY(answer.suggested.endsWith("quillon-run-1.pdf"));
    }
    QCOMPARE(boxes.count(), 0);
    QFile pdf(pdfPath);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.readAll().startsWith("%PDF"));

    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    QProcess reader;
    reader.start(pdftotext, {"-layout", pdfPath, "-"});
    QVERIFY(reader.waitForFinished(30000));
    const QString text = QString::fromUtf8(reader.readAllStandardOutput());
    for (const char* shown : {"0.0254", "0.0102", "0.6355", "40.4556"})
        QVERIFY2(text.contains(shown), shown);
}

void TestSession::graphPicture()
{
    ModalBoxes boxes;
    QVERIFY(calculate(exampleA));
    const QString pngPath = folder.filePath("chart.png");
    QSize chartSize;
    QImage copied;

    // Looks at the chart, copies it with Ctrl+C, saves it from its context
    // menu's action, then closes it.
    QTimer user;
    user.setInterval(5);
    connect(&user, &QTimer::timeout, &user, [&] {
        auto* chart = qobject_cast<Form2*>(QApplication::activeModalWidget());
        if (!chart || !chart->isActiveWindow() || !chartSize.isEmpty())
            return;
        chartSize = chart->size();
        QApplication::clipboard()->clear();
        QTest::keyClick(chart, Qt::Key_C, Qt::ControlModifier);
        copied = QApplication::clipboard()->image();
        QStringList menu;
        for (const QAction* item : chart->actions())
            menu << item->text();
        if (menu == QStringList{"Copy Picture", "Save Picture…"}
            && chart->contextMenuPolicy() == Qt::ActionsContextMenu) {
            SaveDialogAnswer answer(pngPath);
            chart->actions()[1]->trigger();
        }
        chart->close();
    });
    user.start();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    action(*form, "graph_start")->trigger();

    QVERIFY(!copied.isNull());
    QCOMPARE(copied.size() / copied.devicePixelRatio(), chartSize);
    // The operating line's green is in the picture.
    bool green = false;
    for (int y = 0; y < copied.height() && !green; ++y) {
        for (int x = 0; x < copied.width() && !green; ++x)
            green = copied.pixelColor(x, y) == QColor(0, 192, 0);
    }
    QVERIFY(green);
    QImage saved(pngPath);
    QCOMPARE(saved.size(), copied.size());
}

void TestSession::cancelledUncertaintiesAreNotSaved_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("file");
    QTest::newRow("CSV export") << "exportCsv"
                                << "not-cancelled.csv";
    QTest::newRow("series report") << "saveSeriesReport"
                                   << "not-cancelled.pdf";
}

void TestSession::cancelledUncertaintiesAreNotSaved()
{
    QFETCH(QString, command);
    QFETCH(QString, file);
    RunsModel& model = session->runs();
    useManyUncertainRuns();
    model.uncertainties().cancel();
    QTRY_VERIFY_WITH_TIMEOUT(!model.uncertainties().busy(), 10000);
    const QString path = folder.filePath(file);
    int cancelled = 0;
    QTimer user;  // presses Cancel: the button, as cancel() alone stops no work
    user.callOnTimeout([&cancelled] {
        auto* progress = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
        if (progress && progress->isVisible() && !progress->wasCanceled() && ++cancelled)
            progress->findChild<QPushButton*>()->click();
    });

    // Cancelled again in the command's own progress: nothing is asked or written.
    ModalBoxes boxes;
    {
        SaveDialogAnswer refuse{QString()};
        user.start(5);
        action(*form, command.toLatin1())->trigger();
        user.stop();
        QCOMPARE(cancelled, 1);
        QCOMPARE(refuse.shown, 0);
    }
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.seen().first().text, u"The uncertainties were not computed, so nothing was saved."_s);

    // The next time they are computed, here of a few runs to be quick.
    QList<int> most;
    for (int row = 10; row < model.rowCount(); ++row)
        most.append(row);
    model.removeRuns(most);
    SaveDialogAnswer answer(path);
    action(*form, command.toLatin1())->trigger();
    QCOMPARE(answer.answered, 1);
    QVERIFY(model.knownUncertainties());
    QCOMPARE(boxes.count(), 1);
}

void TestSession::findMtcRefusesOnceItsRunIsGone_data()
{
    QTest::addColumn<Removal>("removal");
    QTest::newRow("Add run undone") << Removal([](Session& s) { s.runs().undoStack().setIndex(0); });
    QTest::newRow("run deleted") << Removal([](Session& s) { s.runs().removeRuns({0}); });
    QTest::newRow("new series") << Removal([](Session& s) {
        s.runs().undoStack().setClean();
        s.newSeries();
    });
}

void TestSession::findMtcRefusesOnceItsRunIsGone()
{
    QFETCH(Removal, removal);
    ModalBoxes boxes;
    // What Find MTC says before any Calculate.
    QVERIFY(findMtc("2"));
    QCOMPARE(boxes.count(), 1);
    QVERIFY(calculate(exampleA));
    QVERIFY(findMtc("2"));
    QCOMPARE(fieldText(*form, "Text9"), u"40.4556"_s);

    removal(*session);
    QCOMPARE(session->runs().rowCount(), 0);
    QCOMPARE(fieldText(*form, "Text9"), QString());
    QVERIFY(findMtc("2"));
    QCOMPARE(boxes.count(), 2);
    QCOMPARE(boxes.seen().last().text, boxes.seen().first().text);
    QCOMPARE(fieldText(*form, "Text9"), QString());
}

void TestSession::coefficientFollowsUndoOfFindMtc()
{
    ModalBoxes boxes;
    QVERIFY(calculate(exampleA));
    QVERIFY(findMtc("2"));
    QVERIFY(findMtc("1"));
    QCOMPARE(fieldText(*form, "Text9"), u"80.9113"_s);
    QUndoStack& undo = session->runs().undoStack();
    undo.undo();
    QCOMPARE(fieldText(*form, "Text9"), u"40.4556"_s);
    undo.undo();
    QCOMPARE(fieldText(*form, "Text9"), QString());
    undo.redo();
    QCOMPARE(fieldText(*form, "Text9"), u"40.4556"_s);
    QCOMPARE(boxes.count(), 0);
}

void TestSession::calculateAgainOnTheSameInputs_data()
{
    QTest::addColumn<TypedRun>("second");
    QTest::addColumn<int>("runs");
    QTest::addColumn<QString>("coefficient");  // shown after the second Calculate
    QTest::newRow("unchanged") << exampleA << 1 << u"80.9113"_s;
    QTest::newRow("the same values typed otherwise") << TypedRun{"2e-2", "0.010", "1.0", "01"} << 1 << u"80.9113"_s;
    QTest::newRow("water flow changed") << TypedRun{"0.02", "0.01", "1", "2"} << 2 << QString();
}

void TestSession::calculateAgainOnTheSameInputs()
{
    QFETCH(TypedRun, second);
    QFETCH(int, runs);
    QFETCH(QString, coefficient);
    ModalBoxes boxes;
    QVERIFY(calculate(exampleA));
    QVERIFY(findMtc("1"));
    QVERIFY(calculate(second));
    // The run on screen's own coefficient, or none for a new run.
    QCOMPARE(fieldText(*form, "Text9"), coefficient);
    QCOMPARE(boxes.count(), 0);
    const RunsModel& model = session->runs();
    QCOMPARE(model.rowCount(), runs);
    // Find MTC goes to the run on screen, the last.
    QVERIFY(findMtc("2"));
    QCOMPARE(model.series().runs.back().packingHeight, 2.0);
    QCOMPARE(model.results().back().mtc, form->state().mtc);
}

void TestSession::quitWithEveryWindowOpen()
{
    form->show();
    QVERIFY(calculate(exampleA));
    session->showRuns();
    session->showAnalysis();
    auto* runsWindow = form->findChild<RunsWindow*>();
    auto* table = runsWindow->findChild<QTableView*>();
    useManyUncertainRuns();
    table->setCurrentIndex(table->model()->index(0, 0));

    // The graph, over it a run's uncertainties, then the program quits as at
    // logout, each modal loop left where it is.
    QStringList open;
    bool busy = false;
    QTimer::singleShot(0, form.get(), [&] {
        QTimer::singleShot(0, form.get(), [&] {
            QTimer::singleShot(0, form.get(), [&] {
                for (const QWidget* window : QApplication::topLevelWidgets())
                    open.append(window->isVisible() ? window->metaObject()->className() : "");
                busy = session->runs().uncertainties().busy();
                QCoreApplication::quit();
            });
            runsWindow->findChild<QPushButton*>(u"runUncertainties"_s)->click();
        });
        action(*form, "graph_start")->trigger();
    });
    QTimer hang;  // should a window not open
    hang.callOnTimeout(qApp, &QCoreApplication::quit);
    hang.start(30000);
    QCoreApplication::exec();
    open.removeAll(QString());
    open.sort();
    QCOMPARE(open, (QStringList{"AnalysisWindow", "Form1", "Form2", "QDialog", "RunsWindow"}));
    QVERIFY(busy);

    // As main() ends: the session, then the main window; nothing that shows
    // the model outlives it.
    delete session;
    session = nullptr;
    QVERIFY(form->findChildren<AnalysisWindow*>().isEmpty() && form->findChildren<RunsWindow*>().isEmpty());
}

QTEST_MAIN(TestSession)
#include "tst_session.moc"
