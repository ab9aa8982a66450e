#include "fixture.h"
#include "modalboxes.h"
#include "series/series.h"
#include "ui/Form1.h"
#include "ui/analysiswindow.h"
#include "ui/application.h"
#include "ui/runsmodel.h"
#include "ui/runswindow.h"
#include "ui/session.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <cmath>
#include <memory>

using namespace Qt::StringLiterals;

// The column temperature, the equilibrium option and the choice of
// coefficient, through the real windows.
class TestTemperature : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ui::prepareApplication(); }
    void cleanup() { QVERIFY(endWindowTest()); }

    void temperatureCell_data();
    void temperatureCell();
    void equilibriumOption();
    void fittedCoefficient();
};

namespace {

const QLocale english(QLocale::English, QLocale::UnitedStates);
const QLocale german(QLocale::German, QLocale::Germany);

// Example A with a height calculated in the main window, and the Runs window.
struct Windows {
    Form1 form;
    Session* session = new Session(form);
    RunsWindow* runs = nullptr;

    bool open()
    {
        form.show();
        if (!QTest::qWaitForWindowExposed(&form))
            return false;
        const TypedRun typed =
            QLocale() == german ? TypedRun{"0,02", "0,005", "1", "1"} : TypedRun{"0.02", "0.005", "1", "1"};
        if (!calculate(form, typed) || !typeInto(form, "Text8", u"2"_s) || !clickOn(form, "Command2"))
            return false;
        session->showRuns();
        runs = form.findChild<RunsWindow*>();
        return runs && QTest::qWaitForWindowExposed(runs);
    }
};

bool typeIntoCell(QTableView& table, int column, const QString& text)
{
    const QModelIndex cell = table.model()->index(0, column);
    table.setCurrentIndex(cell);
    table.edit(cell);
    auto* editor = table.viewport()->findChild<QLineEdit*>();
    if (!editor)
        return false;
    editor->selectAll();
    editor->insert(text);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    return true;
}

}  // namespace

void TestTemperature::temperatureCell_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<double>("celsius");  // NaN: refused with a box
    QTest::newRow("english") << english << u"21.5"_s << 21.5;
    QTest::newRow("german comma") << german << u"21,5"_s << 21.5;
    QTest::newRow("words refused") << english << u"warm"_s << qQNaN();
    QTest::newRow("below absolute zero refused") << english << u"-300"_s << qQNaN();
}

void TestTemperature::temperatureCell()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, typed);
    QFETCH(double, celsius);
    startWindowTest(locale);
    Windows windows;
    QVERIFY(windows.open());
    RunsModel& model = windows.session->runs();
    auto* table = windows.runs->findChild<QTableView*>();
    QVERIFY(table);
    // The new columns are the shared table's, with their titles.
    QCOMPARE(model.headerData(RunsModel::hogColumn, Qt::Horizontal).toString().simplified(),
             locale == german ? u"HOG (m)"_s : u"HOG (m)"_s);
    QVERIFY(model.data(model.index(0, RunsModel::mtcColburnColumn)).isValid());
    const int steps = model.undoStack().count();
    // Hidden until asked for, so the table keeps its width.
    QVERIFY(table->isColumnHidden(RunsModel::temperatureColumn));
    auto* more = windows.runs->findChild<QCheckBox*>(u"moreColumns"_s);
    QVERIFY(more);
    QVERIFY(more->isVisible() && !more->isChecked());
    more->click();
    QVERIFY(!table->isColumnHidden(RunsModel::temperatureColumn) && !table->isColumnHidden(RunsModel::hogColumn));

    auto boxes = std::make_unique<ModalBoxes>();
    QVERIFY(typeIntoCell(*table, RunsModel::temperatureColumn, typed));
    if (std::isnan(celsius)) {
        QTRY_COMPARE(boxes->count(), 1);
        QVERIFY(boxes->seen().first().text.contains(u"°C"_s));
        QCOMPARE(model.undoStack().count(), steps);
        QVERIFY(!model.series().runs.front().temperature);
        return;
    }
    QCOMPARE(boxes->count(), 0);
    QCOMPARE(model.series().runs.front().temperature, std::optional(celsius));
    QCOMPARE(model.undoStack().count(), steps + 1);
}

void TestTemperature::equilibriumOption()
{
    startWindowTest(german);
    Windows windows;
    QVERIFY(windows.open());
    RunsModel& model = windows.session->runs();
    auto* option = windows.runs->findChild<QComboBox*>(u"equilibrium"_s);
    QVERIFY(option);
    QCOMPARE(option->count(), 2);
    QCOMPARE(option->currentText(), u"wie tabelliert bei 30 °C"_s);
    model.setData(model.index(0, RunsModel::temperatureColumn), u"20"_s);
    const std::vector<series::RunResult> before = model.results();

    // Chosen as a user does, by the keyboard.
    option->setFocus();
    QTest::keyClick(option, Qt::Key_Down);
    QTRY_COMPARE(model.series().equilibrium, series::Equilibrium::runTemperature);
    // The temperatures it now follows show.
    QVERIFY(!windows.runs->findChild<QTableView*>()->isColumnHidden(RunsModel::temperatureColumn));
    QCOMPARE(model.results().front().equilibriumTemperature, std::optional(20.0));
    QVERIFY(model.results().front().ntu != before.front().ntu);

    // And back, by undo: the old results to the bit, the box following.
    model.undoStack().undo();
    QCOMPARE(model.series().equilibrium, series::Equilibrium::table);
    QCOMPARE(model.results().front().ntu, before.front().ntu);
    QCOMPARE(model.results().front().mtc, before.front().mtc);
    QTRY_COMPARE(option->currentIndex(), 0);
}

void TestTemperature::fittedCoefficient()
{
    startWindowTest(english);
    Windows windows;
    QVERIFY(windows.open());
    windows.session->showAnalysis();
    auto* analysis = windows.form.findChild<AnalysisWindow*>();
    QVERIFY(analysis && QTest::qWaitForWindowExposed(analysis));
    auto* choice = analysis->findChild<QComboBox*>(u"fittedCoefficient"_s);
    QVERIFY(choice);
    QCOMPARE(analysis->analysis().fitted, series::Fitted::quillon);
    choice->setCurrentIndex(1);
    QTRY_COMPARE(analysis->analysis().fitted, series::Fitted::colburn);
    // One run gives no fit, but the runs counted are those with a Colburn coefficient.
    QCOMPARE(analysis->analysis().runs.size(), std::size_t(1));
    QCOMPARE(analysis->analysis().runs.front().point.mtc, *windows.session->runs().results().front().mtcColburn);
}

QTEST_MAIN(TestTemperature)
#include "tst_temperature.moc"
