#include "fixture.h"
#include "modalboxes.h"

#include "series/file.h"
#include "ui/Form1.h"
#include "ui/Module1.h"
#include "ui/application.h"
#include "ui/runswindow.h"
#include "ui/session.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Answers what a user is asked while an action runs: the unsaved-changes
// question with the given button, a save dialog with the given path, and
// Cancel in a progress dialog as soon as it shows.
class User {
public:
    User(QMessageBox::StandardButton unsaved, QString savePath = {})
    {
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, &poll, [this, unsaved, savePath] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* progress = qobject_cast<QProgressDialog*>(modal);
                progress && progress->isVisible() && !progress->wasCanceled()) {
                ++cancelled;
                progress->cancel();
            } else if (auto* box = qobject_cast<QMessageBox*>(modal);
                       box && box->isVisible() && box->objectName() == u"unsavedChanges") {
                ++asked;
                box->button(unsaved)->click();
            } else if (auto* dialog = qobject_cast<QFileDialog*>(modal); dialog && dialog->isVisible()) {
                dialog->selectFile(savePath);
                static_cast<QDialog*>(dialog)->accept();
            }
        });
        poll.start();
    }

    int asked = 0;
    int cancelled = 0;

private:
    QTimer poll;
};

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace

class TestDocument : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ui::prepareApplication(); }
    void init();
    void cleanup();

    void nineRunsOutliveTheProgram();
    void unsavedChangesAreGuarded_data();
    void unsavedChangesAreGuarded();
    void germanSpreadsheetImportsExactly();
    void damagedFileChangesNothing_data();
    void damagedFileChangesNothing();
    void storedResultsThatDifferAreNamed();
    void droppedFileOpens();
    void cancelledOpenKeepsTheSeries();
    void impossibleRunCarriesItsFindings();

private:
    void start();
    bool calculateRuns(int count);
    QStringList rows() const { return session->runs().tabText(allRows()).split(u'\n'); }
    QList<int> allRows() const;

    QTemporaryDir folder;
    std::unique_ptr<Form1> form;
    Session* session = nullptr;
};

void TestDocument::init()
{
    startWindowTest();
    start();
}

void TestDocument::start()
{
    form = std::make_unique<Form1>();
    session = new Session(*form);
}

void TestDocument::cleanup()
{
    form.reset();
    QVERIFY(endWindowTest());
}

QList<int> TestDocument::allRows() const
{
    QList<int> all;
    for (int row = 0; row < session->runs().rowCount(); ++row)
        all.append(row);
    return all;
}

// Runs of Example A with the gas flow raised step by step, each with Find
// MTC at 2 m.
bool TestDocument::calculateRuns(int count)
{
    for (int run = 1; run <= count; ++run) {
        const QString flow = QString::number(1 + run * 0.125);
        if (!calculate(*form, {"0.02", "0.01", flow, "2"}) || !typeInto(*form, "Text8", "2")
            || !clickOn(*form, "Command2"))
            return false;
    }
    return session->runs().rowCount() == count;
}

void TestDocument::nineRunsOutliveTheProgram()
{
    ModalBoxes boxes;
    QVERIFY(calculateRuns(9));
    RunsModel& model = session->runs();
    QVERIFY(model.setData(model.index(4, RunsModel::labelColumn), u"G 1.625, L 2; repeat \"b\""_s));
    QVERIFY(session->isModified());
    const QString path = folder.filePath("lab.quillon");
    {
        User user(QMessageBox::Cancel, path);
        QVERIFY(session->save());
    }
    QVERIFY(!session->isModified());
    QCOMPARE(form->windowTitle(), u"lab.quillon[*] — Quillon"_s);
    const QStringList saved = rows();

    // The program closes without a question, and starts again with the file.
    {
        User user(QMessageBox::Cancel);
        QVERIFY(form->close());
        QCOMPARE(user.asked, 0);
    }
    form.reset();
    start();
    session->openArguments({u"quillon"_s, path});
    QCOMPARE(rows(), saved);
    QCOMPARE(session->filePath(), path);
    QVERIFY(!session->isModified());
    QCOMPARE(boxes.count(), 0);
}

void TestDocument::unsavedChangesAreGuarded_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<bool>("kept");  // the runs are still in the window
    QTest::addColumn<bool>("saved");

    for (const char* way : {"close", "new", "open"}) {
        QTest::addRow("%s, cancel", way) << way << QMessageBox::Cancel << true << false;
        QTest::addRow("%s, discard", way) << way << QMessageBox::Discard << false << false;
        QTest::addRow("%s, save", way) << way << QMessageBox::Save << false << true;
    }
    // Asked once, before the file dialog.
    QTest::newRow("open from the menu, discard") << "menu" << QMessageBox::Discard << false << false;
}

void TestDocument::unsavedChangesAreGuarded()
{
    QFETCH(QString, way);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, kept);
    QFETCH(bool, saved);
    const QString other = folder.filePath("other.quillon");
    QVERIFY(writeFile(other, "{\"format\": \"quillon-series\", \"version\": 1, \"runs\": []}"));
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QVERIFY(calculateRuns(2));
    const QString path = folder.filePath(way + ".quillon");

    User user(answer, way == u"menu" ? other : path);
    if (way == u"close")
        form->close();
    else if (way == u"new")
        session->newSeries();
    else if (way == u"open")
        session->openFile(other);
    else
        form->findChild<QAction*>("openSeries")->trigger();
    QCOMPARE(user.asked, 1);
    const bool open = way == u"close" ? form->isVisible() : session->runs().rowCount() == 2;
    QCOMPARE(open, kept);
    QCOMPARE(QFile::exists(path), saved);
}

void TestDocument::germanSpreadsheetImportsExactly()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ModalBoxes boxes;
    const QString path = folder.filePath("Messreihe.csv");
    QVERIFY(writeFile(path,
                      "Bezeichnung;y1;x1;Gasstrom (mol/s);Wasserstrom (mol/s);Füllkörperhöhe (m)\r\n"
                      ";;;mol/s;mol/s;m\r\n"
                      "A;0,02;0,01;1;1;2\r\n"
                      "B;0,045;0,02;2;3;1,5\r\n"));
    QVERIFY(session->openFile(path));

    const RunsModel& model = session->runs();
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.series().runs[0].inputs.y1, 0.02);
    QCOMPARE(model.series().runs[1].packingHeight, std::optional(1.5));
    QCOMPARE(model.series().runs[1].label, "B");
    // The worked examples' coefficients, to the last bit.
    QCOMPARE(model.results()[0].mtc, std::optional(40.455628854993435));
    QCOMPARE(model.results()[1].mtc, std::optional(173.85380336857256));
    // The units line is named, not skipped in silence.
    QCOMPARE(boxes.count(), 1);
    QVERIFY2(boxes.seen().first().text.contains(u"Messreihe.csv:2"_s), qPrintable(boxes.seen().first().text));
    // A new series, not yet saved: the caption has no file, and closing asks.
    QCOMPARE(form->windowTitle(), u"Quillon"_s);
    QVERIFY(session->isModified());
}

void TestDocument::damagedFileChangesNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("where");

    QTest::newRow("JSON syntax") << "broken.quillon"
                                 << QByteArray(
                                        "{\n  \"format\": \"quillon-series\",\n  \"version\": 1,\n"
                                        "  \"runs\": [{\"y1\": 0.02,, \"x1\": 0.01}]\n}\n")
                                 << "broken.quillon:4:";
    QTest::newRow("a number expected") << "kind.quillon"
                                       << QByteArray(
                                              "{\"format\": \"quillon-series\", \"version\": 1, \"runs\": "
                                              "[{\"y1\": \"0.02\", \"x1\": 0.01, \"gas_flow\": 1, "
                                              "\"water_flow\": 1}]}")
                                       << "run 1: y1";
    QTest::newRow("newer version") << "new.quillon"
                                   << QByteArray("{\"format\": \"quillon-series\", \"version\": 2, \"runs\": []}")
                                   << "version";
    QTest::newRow("CSV without y1") << "runs.csv" << QByteArray("x1,gas_flow,water_flow\n0.01,1,1\n") << "runs.csv:1";
    // Past the readers' limits, named where they are passed.
    QTest::newRow("nested 70,000 deep") << "deep.quillon"
                                        << "{\"format\": \"quillon-series\", \"version\": 1, \"x\": "
            + QByteArray(70000, '[') + QByteArray(70000, ']') + ", \"runs\": []}"
                                        << "nested more than 64 deep";
    QTest::newRow("over 64 MiB") << "huge.csv"
                                 << "y1,x1,gas_flow,water_flow\n" + QByteArray(65 << 20, '\n') << "past 67108864 bytes";
    QTest::newRow("a thousand and a half")
        << "groups.csv" << QByteArray("y1;x1;gas_flow;water_flow\n0,02;0,001;1.500;30.000\n") << "groups.csv:2:";
}

void TestDocument::damagedFileChangesNothing()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, where);
    ModalBoxes boxes;
    QVERIFY(calculateRuns(2));
    const QStringList before = rows();
    const QString path = folder.filePath(name);
    QVERIFY(writeFile(path, bytes));

    // As if saved, so that only the file's own boxes show.
    session->runs().undoStack().setClean();
    QVERIFY(!session->openFile(path));
    QCOMPARE(boxes.count(), 1);
    QVERIFY2(boxes.seen().first().text.contains(where), qPrintable(boxes.seen().first().text));
    QCOMPARE(rows(), before);
    QVERIFY(session->filePath().isEmpty());
}

void TestDocument::storedResultsThatDifferAreNamed()
{
    ModalBoxes boxes;
    QVERIFY(calculateRuns(3));
    const RunsModel& model = session->runs();
    QByteArray file = QByteArray::fromStdString(series::writeSeriesFile(model.series(), model.results()));
    // One digit of the second run's NTU altered.
    const QByteArray ntu = QByteArray::fromStdString(series::exactText(*model.results()[1].ntu));
    QByteArray altered = ntu;
    altered[altered.size() - 2] = altered[altered.size() - 2] == '1' ? '2' : '1';
    QVERIFY(file.count(ntu) == 1);
    file.replace(ntu, altered);
    const QString path = folder.filePath("edited.quillon");
    QVERIFY(writeFile(path, file));
    const QStringList computed = rows();

    session->runs().undoStack().setClean();
    // Opened from the Runs window, the box comes up over it.
    session->showRuns();
    auto* runsWindow = form->findChild<RunsWindow*>();
    QVERIFY(runsWindow);
    QApplication::setActiveWindow(runsWindow);
    // The file dialog took the activation and gave it to no window as it closed.
    {
        QDialog chooser(runsWindow);
        chooser.show();
        QApplication::setActiveWindow(&chooser);
    }
    QApplication::setActiveWindow(nullptr);
    QVERIFY(session->openFile(path));
    QCOMPARE(boxes.count(), 1);
    QVERIFY2(boxes.seen().first().text.contains(u"run(s) 2:"_s), qPrintable(boxes.seen().first().text));
    QCOMPARE(boxes.seen().first().over, runsWindow);
    QCOMPARE(rows(), computed);
}

void TestDocument::droppedFileOpens()
{
    RunsModel& model = session->runs();
    model.addRun({{0.02, 0.01, 1, 1}, 2.0, "dropped", false, false, {}, {}},
                 series::computeRun({{0.02, 0.01, 1, 1}, 2.0, {}, false, false, {}, {}}));
    const QString path = folder.filePath("dropped.quillon");
    QVERIFY(writeFile(path, QByteArray::fromStdString(series::writeSeriesFile(model.series(), model.results()))));
    model.resetSeries({}, {});

    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &drop);
    // Accepted at once; the file is opened after the drop is done.
    QVERIFY(drop.isAccepted());
    QCOMPARE(model.rowCount(), 0);
    QTRY_COMPARE(model.rowCount(), 1);
    QCOMPARE(model.series().runs[0].label, "dropped");

    // Anything but one series or CSV file is not taken.
    data.setUrls({QUrl::fromLocalFile(folder.filePath("notes.txt"))});
    QDragEnterEvent other(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    other.ignore();
    QApplication::sendEvent(form.get(), &other);
    QVERIFY(!other.isAccepted());
}

void TestDocument::cancelledOpenKeepsTheSeries()
{
    // Enough runs for the progress dialog to show.
    series::Series big;
    big.runs.assign(3000, {{0.02, 0.01, 1, 1}, std::nullopt, {}, false, false, {}, {}});
    const QString path = folder.filePath("big.quillon");
    QVERIFY(writeFile(path, QByteArray::fromStdString(series::writeSeriesFile(big, {}))));
    ModalBoxes boxes;
    QVERIFY(calculateRuns(1));
    const QStringList before = rows();

    session->runs().undoStack().setClean();
    User user(QMessageBox::Cancel);
    QVERIFY(!session->openFile(path));
    QCOMPARE(user.cancelled, 1);
    QCOMPARE(rows(), before);
}

void TestDocument::impossibleRunCarriesItsFindings()
{
    // A negative water flow: the gas leaves richer than it came (y2 0.044).
    ModalBoxes boxes;
    QVERIFY(calculate(*form, {"0.03", "0.01", "1", "-1.5"}));
    QCOMPARE(boxes.count(), 0);
    const QString absorbed = u"nothing is absorbed"_s;
    for (const char* name : {"Text6", "Text7", "Text4"}) {
        const auto* field = form->findChild<QLineEdit*>(name);
        QVERIFY2(field->styleSheet().contains(u"background"_s), name);
        QVERIFY2(field->toolTip().contains(absorbed), qPrintable(field->toolTip()));
    }
    const RunsModel& model = session->runs();
    QVERIFY(!model.data(model.index(0, RunsModel::runColumn), Qt::DecorationRole).isNull());
    QVERIFY(model.data(model.index(0, RunsModel::runColumn), Qt::ToolTipRole).toString().contains(absorbed));
    QCOMPARE(model.reportRun(0)->findings.size(), 2);
    QVERIFY(model.data(model.index(0, RunsModel::ntuColburnColumn)).isValid());
    const auto* mtc = form->findChild<QLineEdit*>("Text9");
    QVERIFY(typeInto(*form, "Text8", "2") && clickOn(*form, "Command2"));
    QVERIFY(mtc->styleSheet().contains(u"background"_s));

    // The next run without findings takes the mark away, from the emptied
    // coefficient too.
    QVERIFY(calculate(*form, exampleA));
    const auto* ntu = form->findChild<QLineEdit*>("Text4");
    QVERIFY(!ntu->styleSheet().contains(u"background"_s));
    QVERIFY(!ntu->toolTip().contains(absorbed));
    QVERIFY(mtc->text().isEmpty());
    QVERIFY(!mtc->styleSheet().contains(u"background"_s));
    QVERIFY(model.data(model.index(1, RunsModel::runColumn), Qt::DecorationRole).isNull());
}

QTEST_MAIN(TestDocument)
#include "tst_document.moc"
