#include "fixture.h"
#include "modalboxes.h"

#include "series/file.h"
#include "ui/Form1.h"
#include "ui/application.h"
#include "ui/session.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

class TestImportRuns : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ui::prepareApplication(); }
    void init() { startWindowTest(); }
    void cleanup() { QVERIFY(endWindowTest()); }

    void appendsAsOneStep_data();
    void appendsAsOneStep();
};

void TestImportRuns::appendsAsOneStep_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QList<double>>("coefficients");  // of every run after the import
    QTest::addColumn<QString>("told");                // in the one box shown

    // Example A's and B's coefficients; A as the main window calculated it,
    // then the file's A and B, as Excel saves a German sheet.
    const double a = 40.455628854993435, b = 173.85380336857256;
    const QByteArray sheet(
        "Bezeichnung;y1;x1;Gasstrom;Wasserstrom;Packungsh\xF6he (m)\r\n"
        ";;;mol/s;mol/s;m\r\nA;0,02;0,01;1;1;2\r\nB;0,045;0,02;2;3;1,5\r\n");
    QTest::newRow("Windows-1252 CSV") << u"Messreihe.csv"_s << sheet << QList{a, a, b} << u"Messreihe.csv:2"_s;
    series::Series other;
    other.title = "other";
    other.runs.push_back({{0.045, 0.02, 2, 3}, 1.5, "B", false, false, {}, {}});
    const QByteArray file = QByteArray::fromStdString(series::writeSeriesFile(other, {}));
    QTest::newRow("series file") << u"other.quillon"_s << file << QList{a, b} << QString();
    QTest::newRow("damaged file") << u"damaged.quillon"_s << QByteArray("{\"format\": ") << QList{a}
                                  << u"damaged.quillon:1"_s;
}

void TestImportRuns::appendsAsOneStep()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QList<double>, coefficients);
    QFETCH(QString, told);
    QTemporaryDir folder;
    QFile file(folder.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush());
    const QString path = file.fileName();

    Form1 form;
    Session session(form);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(calculate(form, exampleA) && typeInto(form, "Text8", "2") && clickOn(form, "Command2"));
    RunsModel& model = session.runs();
    model.setField(RunsModel::Field::title, u"Lab 3"_s);
    const int steps = model.undoStack().count();

    ModalBoxes boxes;
    // The user chooses the file in the dialog the action shows.
    int chosen = 0;
    QTimer user;
    user.callOnTimeout([&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            dialog && dialog->isVisible()) {
            ++chosen;
            dialog->selectFile(path);
            static_cast<QDialog*>(dialog)->accept();
        }
    });
    user.start(5);
    auto* import = form.findChild<QAction*>("importRuns");
    QVERIFY(import);
    import->trigger();
    QCOMPARE(chosen, 1);
    QList<double> shown;
    for (const series::RunResult& result : model.results())
        shown.append(result.mtc.value_or(0.0));
    QCOMPARE(shown, coefficients);
    QCOMPARE(model.field(RunsModel::Field::title), u"Lab 3"_s);
    QCOMPARE(boxes.count(), told.isEmpty() ? 0 : 1);
    if (!told.isEmpty())
        QVERIFY2(boxes.seen().first().text.contains(told), qPrintable(boxes.seen().first().text));

    // One step, undone at once; the series keeps its caption and fields.
    QCOMPARE(model.undoStack().count(), steps + (coefficients.size() > 1 ? 1 : 0));
    if (coefficients.size() > 1) {
        model.undoStack().undo();
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(model.field(RunsModel::Field::title), u"Lab 3"_s);
    }
}

QTEST_MAIN(TestImportRuns)
#include "tst_importruns.moc"
