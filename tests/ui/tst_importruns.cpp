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

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Chooses the path in the file dialog the action shows.
class Chooser {
public:
    explicit Chooser(const QString& path)
    {
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, &poll, [this, path] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                dialog && dialog->isVisible()) {
                ++shown;
                dialog->selectFile(path);
                static_cast<QDialog*>(dialog)->accept();
            }
        });
        poll.start();
    }
    int shown = 0;

private:
    QTimer poll;
};

}  // namespace

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

    // The worked examples A and B with their coefficients, as Excel saves a German sheet.
    QTest::newRow("Windows-1252 CSV") << u"Messreihe.csv"_s
                                      << QByteArray(
                                             "Bezeichnung;y1;x1;Gasstrom;Wasserstrom;Packungsh\xF6he (m)\r\n"
                                             ";;;mol/s;mol/s;m\r\nA;0,02;0,01;1;1;2\r\nB;0,045;0,02;2;3;1,5\r\n")
                                      << QList<double>{40.455628854993435, 40.455628854993435, 173.85380336857256}
                                      << u"Messreihe.csv:2"_s;
    series::Series other;
    other.title = "other";
    other.runs.push_back({{0.045, 0.02, 2, 3}, 1.5, "B", false, false, {}, {}});
    QTest::newRow("series file") << u"other.quillon"_s << QByteArray::fromStdString(series::writeSeriesFile(other, {}))
                                 << QList<double>{40.455628854993435, 173.85380336857256} << QString();
    QTest::newRow("damaged file") << u"damaged.quillon"_s << QByteArray("{\"format\": ")
                                  << QList<double>{40.455628854993435} << u"damaged.quillon:1"_s;
}

void TestImportRuns::appendsAsOneStep()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QList<double>, coefficients);
    QFETCH(QString, told);
    QTemporaryDir folder;
    const QString path = folder.filePath(name);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();

    Form1 form;
    Session session(form);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(calculate(form, exampleA) && typeInto(form, "Text8", "2") && clickOn(form, "Command2"));
    RunsModel& model = session.runs();
    model.setField(RunsModel::Field::title, u"Lab 3"_s);
    const int steps = model.undoStack().count();

    ModalBoxes boxes;
    Chooser chooser(path);
    auto* import = form.findChild<QAction*>("importRuns");
    QVERIFY(import);
    import->trigger();
    QCOMPARE(chooser.shown, 1);
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
