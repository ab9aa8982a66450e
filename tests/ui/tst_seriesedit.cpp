#include "fixture.h"
#include "modalboxes.h"
#include "series/series.h"
#include "ui/Form1.h"
#include "ui/analysiswindow.h"
#include "ui/application.h"
#include "ui/runsmodel.h"
#include "ui/runswindow.h"
#include "ui/session.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

#include <cmath>
#include <memory>

using namespace Qt::StringLiterals;

// The series corrected where it is shown: the runs table's inputs, the
// Edit menu and the shortcuts of every series window.
class TestSeriesEdit : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ui::prepareApplication(); }
    void init() { startWindowTest(); }
    void cleanup() { QVERIFY(endWindowTest()); }

    void correctInPlace_data();
    void correctInPlace();
    void shortcutsOfEverySeriesWindow_data();
    void shortcutsOfEverySeriesWindow();
    void runsWindowFitsTheScreen_data();
    void runsWindowFitsTheScreen();
    void undoWhereTheFieldWasTaken_data();
    void undoWhereTheFieldWasTaken();
};

namespace {

const QLocale english(QLocale::English, QLocale::UnitedStates);
const QLocale german(QLocale::German, QLocale::Germany);
const series::Run runA{{0.02, 0.01, 1, 1}, 2.0, {}, false, false, {}, {}};

// Types into the cell's editor and commits it with Enter, as a user does.
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

// The box the main window shows for the same text in its field.
ModalBoxes::Box mainWindowBox(const TypedRun& typed)
{
    ModalBoxes boxes;
    Form1 form;
    if (!calculate(form, typed) || boxes.count() != 1)
        return {};
    return boxes.seen().first();
}

// A text typed into the cell of example A calculated in the main window.
struct CellEdit {
    QLocale locale;
    int column;
    QString typed;
    double value = qQNaN();    // NaN: none
    TypedRun mainWindow = {};  // the same run typed there, when refused; empty: the edit is made
    bool findings = false;
};

}  // namespace

Q_DECLARE_METATYPE(CellEdit)

void TestSeriesEdit::correctInPlace_data()
{
    QTest::addColumn<CellEdit>("edit");
    QTest::newRow("y1") << CellEdit{english, RunsModel::y1Column, u"0.03"_s, 0.03};
    QTest::newRow("x1 in German") << CellEdit{german, RunsModel::x1Column, u"0,005"_s, 0.005};
    QTest::newRow("height emptied") << CellEdit{english, RunsModel::packingHeightColumn, QString()};
    QTest::newRow("negative x1 has findings") << CellEdit{english, RunsModel::x1Column, u"-0.001"_s, -0.001, {}, true};
    QTest::newRow("water flow gives y2 out of range")
        << CellEdit{english, RunsModel::waterFlowColumn, u"5"_s, 1.0, {"0.02", "0.01", "1", "5"}};
    QTest::newRow("words for the gas flow")
        << CellEdit{english, RunsModel::gasFlowColumn, u"abc"_s, 1.0, {"0.02", "0.01", "abc", "1"}};
}

void TestSeriesEdit::correctInPlace()
{
    QFETCH(CellEdit, edit);
    startWindowTest(edit.locale);
    // Example A calculated in the main window and its coefficient found.
    Form1 form;
    auto* session = new Session(form);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const TypedRun typedA = edit.locale == german ? TypedRun{"0,02", "0,01", "1", "1"} : exampleA;
    QVERIFY(calculate(form, typedA) && typeInto(form, "Text8", u"2"_s) && clickOn(form, "Command2"));
    RunsModel& model = session->runs();
    const series::Series before = model.series();
    const int steps = model.undoStack().count();
    session->showRuns();
    auto* window = form.findChild<RunsWindow*>();
    QVERIFY(window && QTest::qWaitForWindowExposed(window));
    auto* table = window->findChild<QTableView*>();
    QVERIFY(table);
    const auto warning = [&] { return model.data(model.index(0, RunsModel::runColumn), Qt::DecorationRole).isValid(); };
    QVERIFY(!warning());

    auto boxes = std::make_unique<ModalBoxes>();
    QVERIFY(typeIntoCell(*table, edit.column, edit.typed));
    if (!edit.mainWindow.gasFlow.isEmpty()) {
        QTRY_COMPARE(boxes->count(), 1);
        const ModalBoxes::Box seen = boxes->seen().first();
        boxes.reset();
        const ModalBoxes::Box expected = mainWindowBox(edit.mainWindow);
        QVERIFY(!expected.text.isEmpty());
        QCOMPARE(seen.title, expected.title);
        QCOMPARE(seen.text, expected.text);
        QVERIFY(series::identical(model.series(), before));
        QCOMPARE(model.undoStack().count(), steps);
        return;
    }
    QCOMPARE(boxes->count(), 0);
    const QVariant shown = model.data(model.index(0, edit.column), RunsModel::SortRole);
    QCOMPARE(shown.isValid(), !std::isnan(edit.value));
    if (shown.isValid())
        QCOMPARE(shown.toDouble(), edit.value);
    // What opening a file of the corrected run computes.
    QCOMPARE(model.results().front().mtc, series::computeRun(model.series().runs.front()).mtc);
    QCOMPARE(warning(), edit.findings);

    // One step, undone and redone.
    QCOMPARE(model.undoStack().count(), steps + 1);
    model.undoStack().undo();
    QVERIFY(series::identical(model.series(), before));
    QVERIFY(!warning());
    model.undoStack().redo();
    QCOMPARE(model.data(model.index(0, edit.column), RunsModel::SortRole), shown);
    QCOMPARE(warning(), edit.findings);

    // Find MTC gives the run the main window calculated its coefficient, and
    // no other: new inputs make another run, a new height is the same run's.
    const bool anotherRun = edit.column != RunsModel::packingHeightColumn;
    QVERIFY(typeInto(form, "Text8", u"3"_s) && clickOn(form, "Command2"));
    QCOMPARE(boxes->count(), anotherRun ? 1 : 0);
    const series::Run& run = model.series().runs.front();
    QCOMPARE(run.packingHeight == 3.0, !anotherRun);
    QCOMPARE(model.results().front().mtc, series::computeRun(run).mtc);
}

namespace {

// Qt's warnings of a key two actions own, as they come.
QStringList ambiguities;
QtMessageHandler previousHandler = nullptr;
void noteAmbiguity(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains(u"Ambiguous shortcut overload"_s))
        ambiguities.append(message);
    previousHandler(type, context, message);
}

}  // namespace

void TestSeriesEdit::shortcutsOfEverySeriesWindow_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("keys");

    const std::pair<const char*, QKeySequence::StandardKey> actions[] = {
        {"undo", QKeySequence::Undo},         {"redo", QKeySequence::Redo},
        {"deleteRuns", QKeySequence::Delete}, {"selectAllRuns", QKeySequence::SelectAll},
        {"saveSeries", QKeySequence::Save},   {"openSeries", QKeySequence::Open},
        {"newSeries", QKeySequence::New},
    };
    for (const char* window : {"main", "runs", "analysis"}) {
        for (const auto& [action, keys] : actions)
            QTest::addRow("%s %s", window, action)
                << QString::fromLatin1(window) << QString::fromLatin1(action) << int(keys);
    }
    // Redo's keys are its own: Ctrl+Y and Ctrl+Shift+Z on every platform.
    for (const char* window : {"main", "runs", "analysis"})
        QTest::addRow("%s redo by its own keys", window) << QString::fromLatin1(window) << u"redo"_s << -1;
    QTest::newRow("runs save as") << u"runs"_s << u"saveSeriesAs"_s << -1;
}

void TestSeriesEdit::shortcutsOfEverySeriesWindow()
{
    QFETCH(QString, window);
    QFETCH(QString, action);
    QFETCH(int, keys);
    ambiguities.clear();
    previousHandler = qInstallMessageHandler(noteAmbiguity);
    const auto restore = qScopeGuard([] { qInstallMessageHandler(previousHandler); });

    Form1 form;
    auto* session = new Session(form);
    for (const double gasFlow : {1.0, 2.0, 3.0, 4.0, 5.0}) {
        const series::Run run{{0.02, 0.01, gasFlow, 1}, 2.0, {}, false, false, {}, {}};
        session->runs().addRun(run, series::computeRun(run));
    }
    // Steps to undo and to redo for each key of Undo and Redo.
    session->runs().undoStack().setIndex(2);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    session->showRuns();
    session->showAnalysis();
    QWidget* target = window == u"main" ? &form
        : window == u"runs"             ? static_cast<QWidget*>(form.findChild<RunsWindow*>())
                                        : form.findChild<AnalysisWindow*>();
    QVERIFY(target);
    // Each window shows the same File and Edit menus.
    QVERIFY(target->findChild<QMenuBar*>() || target == &form);
    target->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(target));
    QWidget* keysTo = window == u"runs" ? static_cast<QWidget*>(target->findChild<QTableView*>()) : target;

    auto* found = form.findChild<QAction*>(action);
    QVERIFY(found);
    QVERIFY(found->isEnabled());
    const QList<QKeySequence> sequences =
        keys < 0 ? found->shortcuts() : QKeySequence::keyBindings(QKeySequence::StandardKey(keys));
    QVERIFY(!sequences.isEmpty());
    if (action == u"redo" && keys < 0) {
        QVERIFY(sequences.contains(QKeySequence(Qt::CTRL | Qt::Key_Y)));
        QVERIFY(sequences.contains(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)));
    }
    QSignalSpy triggered(found, &QAction::triggered);
    {
        // Save, Open and New ask with boxes and dialogs; they are closed.
        ModalBoxes boxes(ModalBoxes::closeWindows);
        for (const QKeySequence& sequence : sequences) {
            QApplication::setActiveWindow(target);
            QVERIFY(QTest::qWaitForWindowActive(target));
            keysTo->setFocus();
            QCOMPARE(QApplication::focusWidget(), keysTo);
            QTest::keySequence(keysTo, sequence);
        }
    }
    QCOMPARE(triggered.count(), int(sequences.size()));
    QCOMPARE(ambiguities, QStringList());
}

void TestSeriesEdit::runsWindowFitsTheScreen_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("English") << english;
    QTest::newRow("German") << german;
}

void TestSeriesEdit::runsWindowFitsTheScreen()
{
    QFETCH(QLocale, locale);
    startWindowTest(locale);
    Form1 form;
    auto* session = new Session(form);
    // A lab's dozen runs.
    constexpr int runs = 12;
    for (int i = 0; i < runs; ++i)
        session->runs().addRun(runA, series::computeRun(runA));
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    session->showRuns();
    RunsWindow* window = form.findChild<RunsWindow*>();
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    const QRect screen = window->screen()->availableGeometry();
    QVERIFY(screen.contains(window->frameGeometry()));

    // Each column still shows the widest value of its kind whole; what the
    // window cannot hold, the table scrolls to.
    auto* table = window->findChild<QTableView*>();
    // Every run in view at once, none cut.
    QVERIFY2(table->rowViewportPosition(runs - 1) + table->rowHeight(runs - 1) <= table->viewport()->height(),
             qPrintable(QStringLiteral("%1 of %2 px")
                            .arg(table->rowViewportPosition(runs - 1) + table->rowHeight(runs - 1))
                            .arg(table->viewport()->height())));
    const QFontMetrics metrics(table->font());
    // The temperature, HOG and Colburn columns are hidden until asked for.
    for (int column = RunsModel::y1Column; column < RunsModel::numberOfColumns; ++column)
        QVERIFY2(table->isColumnHidden(column)
                     || table->columnWidth(column) > metrics.horizontalAdvance(RunsModel::widestText(column)),
                 qPrintable(session->runs().columnTitle(column)));
}

void TestSeriesEdit::undoWhereTheFieldWasTaken_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("step");

    // Chosen from the list with the arrow key, or typed and taken with Enter.
    QTest::newRow("flow unit chosen") << u"flowUnit"_s << QString() << u"Change the flow unit"_s;
    QTest::newRow("title typed") << u"seriesTitle"_s << u"Week 3"_s << u"Edit the series"_s;
}

// Ctrl+Z with the focus still in the field just taken undoes that step.
void TestSeriesEdit::undoWhereTheFieldWasTaken()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, step);

    Form1 form;
    auto* session = new Session(form);
    session->runs().addRun(runA, series::computeRun(runA));
    const series::Series before = session->runs().series();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    session->showRuns();
    auto* window = form.findChild<RunsWindow*>();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));

    QWidget* widget = window->findChild<QWidget*>(field);
    QVERIFY(widget);
    QApplication::setActiveWindow(window);
    QVERIFY(QTest::qWaitForWindowActive(window));
    widget->setFocus();
    QVERIFY(widget->hasFocus());
    if (typed.isEmpty()) {
        QTest::keyClick(widget, Qt::Key_Down);
    } else {
        QTest::keyClicks(widget, typed);
        QTest::keyClick(widget, Qt::Key_Return);
    }
    QVERIFY(!series::identical(session->runs().series(), before));
    auto* undo = form.findChild<QAction*>(u"undo"_s);
    QCOMPARE(undo->text(), u"&Undo "_s + step);
    QVERIFY(widget->hasFocus());

    QTest::keySequence(QApplication::focusWidget(), QKeySequence::Undo);
    QVERIFY(series::identical(session->runs().series(), before));
}

QTEST_MAIN(TestSeriesEdit)
#include "tst_seriesedit.moc"
