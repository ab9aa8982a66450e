#include "fixture.h"
#include "modalboxes.h"
#include "present/numbers.h"
#include "report/runchart.h"
#include "report/runpdf.h"
#include "series/series.h"
#include "series/uncertainty.h"
#include "ui/analysiswindow.h"
#include "ui/application.h"
#include "ui/numbertext.h"
#include "ui/runsmodel.h"
#include "ui/runswindow.h"
#include "ui/saving.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QImage>
#include <QItemSelectionModel>
#include <QLocale>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

struct Inputs {
    double y1;
    double x1;
    double gasFlow;
    double waterFlow;
};

// Gas flows whose texts sort otherwise than their values: "10" < "100" < "9".
const QList<Inputs> sortingInputs{
    {0.02, 0.01, 10.0, 1.0},  {0.045, 0.02, 2.0, 3.0}, {0.02, 0.01, 9.0, 1.0},
    {0.02, 0.01, 100.0, 1.0}, {0.02, 0.01, 1.0, 1.0},
};

series::Run runOf(const Inputs& in, std::optional<double> height = std::nullopt)
{
    series::Run run;
    run.inputs = {in.y1, in.x1, in.gasFlow, in.waterFlow};
    run.packingHeight = height;
    return run;
}

// Adds each run as the core computes it; returns their identities.
QList<int> addRuns(RunsModel& model, const QList<Inputs>& inputs)
{
    QList<int> ids;
    for (const Inputs& in : inputs)
        ids.append(model.addRun(runOf(in), series::computeRun(runOf(in))));
    return ids;
}

}  // namespace

class TestRuns : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ui::prepareApplication(); }
    void init() { startWindowTest(); }
    void cleanup() { QVERIFY(endWindowTest()); }

    void addRun_data();
    void addRun();
    void setMtc();
    void editing();
    void sorting_data();
    void sorting();
    void copying_data();
    void copying();
    void copyLastRun();
    void window_data();
    void window();
    void renderFailureSavesNothing();
    void saveFailure_data();
    void saveFailure();
    void saveWrites();
    void seriesReportAsksForTheRunsPages_data();
    void seriesReportAsksForTheRunsPages();
    void uncertainties();
    void uncertaintyProgressAndCancel();
    void findingsLeaveRunsOut();
    void analysisFollowsTheSeries();
};

void TestRuns::addRun_data()
{
    QTest::addColumn<QString>("locale");
    QTest::newRow("english") << "en_US";
    QTest::newRow("german") << "de_DE";
}

void TestRuns::addRun()
{
    QFETCH(QString, locale);
    QLocale::setDefault(QLocale(locale));
    RunsModel model;
    QList<int> ids = addRuns(model, {{0.02, 0.01, 1.0, 1.0}});
    // Example B with its packing height.
    const series::Run withHeight = runOf({0.045, 0.02, 2.0, 3.0}, 1.5);
    ids.append(model.addRun(withHeight, series::computeRun(withHeight)));
    ids.append(addRuns(model, {{0.02, 0.01, 1.0, 5.0}}));
    QVERIFY(ids[0] != ids[1] && ids[1] != ids[2]);
    QCOMPARE(model.rowCount(), 3);

    // Example B's cells: every value to 4 decimals, in full as the tip.
    const series::RunResult& b = model.results().at(1);
    const auto display = [&](int row, int column) { return model.data(model.index(row, column)).toString(); };
    const auto tip = [&](int column) { return model.data(model.index(1, column), Qt::ToolTipRole).toString(); };
    const QList<std::pair<int, double>> cells{
        {RunsModel::y1Column, 0.045},
        {RunsModel::x1Column, 0.02},
        {RunsModel::gasFlowColumn, 2.0},
        {RunsModel::waterFlowColumn, 3.0},
        {RunsModel::eqXColumn, 0.0503},
        {RunsModel::eqYColumn, 0.0671},
        {RunsModel::y2Column, *b.balance.y2},
        {RunsModel::ntuColumn, *b.ntu},
        {RunsModel::ntuColburnColumn, *b.ntuColburn},
        {RunsModel::packingHeightColumn, 1.5},
        {RunsModel::mtcColumn, 173.85380336857256},
    };
    for (const auto& [column, value] : cells) {
        QCOMPARE(display(1, column), ui::resultText(value));
        QCOMPARE(tip(column), ui::numberText(value));
    }
    QCOMPARE(display(1, RunsModel::runColumn), QLocale().toString(2));
    QCOMPARE(display(0, RunsModel::packingHeightColumn), QString());
    QCOMPARE(display(0, RunsModel::mtcColumn), QString());
    QVERIFY(model.reportRun(1).has_value());

    // Example C, refused at the outlet test, stays a row with the y2 it
    // reached and says why it went no further.
    QCOMPARE(display(2, RunsModel::ntuColumn), u"Invalid Data"_s);
    QCOMPARE(display(2, RunsModel::y2Column), ui::resultText(-0.03103081827842721));
    QVERIFY(!model.reportRun(2));
}

void TestRuns::setMtc()
{
    RunsModel model;
    const QList<int> ids = addRuns(model, sortingInputs.first(3));
    const series::RunResult found = series::computeRun(runOf(sortingInputs[1], 1.5));
    const series::RunResult foundAgain = series::computeRun(runOf(sortingInputs[1], 3.0));
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    model.setMtc(ids[1], 1.5, *found.mtc);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().at(0).toModelIndex().row(), 1);
    QCOMPARE(model.results().at(1).mtc, found.mtc);
    QCOMPARE(model.series().runs.at(1).packingHeight, std::optional(1.5));
    QCOMPARE(model.data(model.index(1, RunsModel::mtcColumn)).toString(), ui::resultText(*found.mtc));
    QCOMPARE(model.data(model.index(0, RunsModel::mtcColumn)).toString(), QString());

    // A later Find MTC for the same run replaces its values, and each can be
    // undone.
    model.setMtc(ids[1], 3.0, *foundAgain.mtc);
    QCOMPARE(model.results().at(1).mtc, foundAgain.mtc);
    model.undoStack().undo();
    QCOMPARE(model.results().at(1).mtc, found.mtc);
    model.undoStack().undo();
    QVERIFY(!model.results().at(1).mtc && !model.series().runs.at(1).packingHeight);

    // The identity follows the run when a row before it goes.
    model.removeRuns({0});
    model.setMtc(ids[1], 1.5, *found.mtc);
    QCOMPARE(model.results().at(0).mtc, found.mtc);
    // The deleted run's coefficient has nowhere to go: three runs added, the
    // delete and one Find MTC are the steps.
    model.setMtc(ids[0], 1.0, 1.0);
    QCOMPARE(model.undoStack().count(), 5);
}

void TestRuns::editing()
{
    RunsModel model;
    addRuns(model, sortingInputs.first(3));
    const series::Series before = model.series();
    const int steps = model.undoStack().count();

    QVERIFY(model.setData(model.index(1, RunsModel::labelColumn), u"G 2 L 3"_s));
    QVERIFY(model.setData(model.index(2, RunsModel::excludedColumn), Qt::Checked, Qt::CheckStateRole));
    model.removeRuns({0});
    model.setField(RunsModel::Field::flowUnit, u"kmol/h"_s);
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.series().runs.at(0).label, "G 2 L 3");
    QCOMPARE(model.data(model.index(1, RunsModel::excludedColumn), Qt::CheckStateRole).value<Qt::CheckState>(),
             Qt::Checked);
    QVERIFY(model.series().runs.at(1).excluded);
    QCOMPARE(model.columnTitle(RunsModel::gasFlowColumn), u"Gas flow (kmol/h)"_s);
    QCOMPARE(model.columnTitle(RunsModel::mtcColumn), u"Mass-transfer coefficient (kmol/h/m³)"_s);
    QVERIFY(model.flags(model.index(0, RunsModel::labelColumn)) & Qt::ItemIsEditable);
    QVERIFY(model.flags(model.index(0, RunsModel::y1Column)) & Qt::ItemIsEditable);
    QVERIFY(!(model.flags(model.index(0, RunsModel::ntuColumn)) & Qt::ItemIsEditable));

    // Every change is one step; undone, the series is as it was.
    QCOMPARE(model.undoStack().count(), steps + 4);
    while (model.undoStack().index() > steps)
        model.undoStack().undo();
    QVERIFY(series::identical(model.series(), before));
    model.undoStack().redo();
    QCOMPARE(model.series().runs.at(1).label, "G 2 L 3");
}

void TestRuns::sorting_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<Qt::SortOrder>("order");

    QTest::newRow("gas flow ascending") << int(RunsModel::gasFlowColumn) << Qt::AscendingOrder;
    QTest::newRow("gas flow descending") << int(RunsModel::gasFlowColumn) << Qt::DescendingOrder;
    QTest::newRow("y2 ascending") << int(RunsModel::y2Column) << Qt::AscendingOrder;
    QTest::newRow("ntu descending") << int(RunsModel::ntuColumn) << Qt::DescendingOrder;
    QTest::newRow("mtc ascending") << int(RunsModel::mtcColumn) << Qt::AscendingOrder;
    QTest::newRow("run descending") << int(RunsModel::runColumn) << Qt::DescendingOrder;
}

void TestRuns::sorting()
{
    QFETCH(int, column);
    QFETCH(Qt::SortOrder, order);
    RunsModel model;
    const QList<int> ids = addRuns(model, sortingInputs);
    for (const int row : {0, 3, 4})
        model.setMtc(ids[row], 2.0, *series::computeRun(runOf(sortingInputs[row], 2.0)).mtc);
    RunsWindow window(model);
    auto* table = window.findChild<QTableView*>();
    QVERIFY(table);

    table->sortByColumn(column, order);
    QList<double> shown;
    QStringList texts;
    int empty = 0;
    for (int row = 0; row < table->model()->rowCount(); ++row) {
        const QString text = table->model()->index(row, column).data().toString();
        if (text.isEmpty()) {
            // Runs without a coefficient follow the others, whichever the order.
            ++empty;
            continue;
        }
        QCOMPARE(empty, 0);
        // Rounded to 4 decimals, values in order stay in order.
        shown.append(QLocale().toDouble(text));
        texts.append(text);
    }
    QVERIFY(shown.size() >= 3);
    if (order == Qt::AscendingOrder)
        QVERIFY(std::is_sorted(shown.begin(), shown.end()));
    else
        QVERIFY(std::is_sorted(shown.rbegin(), shown.rend()));

    if (column == RunsModel::gasFlowColumn) {
        // Sorted as text, the gas flows would come out otherwise.
        QStringList byText = texts;
        std::sort(byText.begin(), byText.end());
        QVERIFY(byText != texts && byText != QStringList(texts.rbegin(), texts.rend()));
    }
}

void TestRuns::copying_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QList<int>>("selectedRows");  // in the table, sorted by gas flow

    QTest::newRow("one row") << "en_US" << QList<int>{2};
    QTest::newRow("two rows apart") << "en_US" << QList<int>{0, 3};
    QTest::newRow("german") << "de_DE" << QList<int>{1, 2, 4};
    QTest::newRow("none selected copies all") << "en_US" << QList<int>{};
}

void TestRuns::copying()
{
    QFETCH(QString, locale);
    QFETCH(QList<int>, selectedRows);
    QLocale::setDefault(QLocale(locale));
    RunsModel model;
    addRuns(model, sortingInputs);
    RunsWindow window(model);
    auto* table = window.findChild<QTableView*>();
    QVERIFY(table);
    table->sortByColumn(RunsModel::gasFlowColumn, Qt::AscendingOrder);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    for (const int row : selectedRows) {
        table->selectionModel()->select(table->model()->index(row, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    QGuiApplication::clipboard()->clear();
    table->setFocus();
    QTest::keySequence(table, QKeySequence::Copy);

    const QStringList lines = QGuiApplication::clipboard()->text().split(u'\n', Qt::SkipEmptyParts);
    const qsizetype expectedRows = selectedRows.isEmpty() ? model.rowCount() : selectedRows.size();
    QCOMPARE(lines.size(), expectedRows + 1);
    const QStringList header = lines.first().split(u'\t');
    QCOMPARE(header.size(), model.columnCount());
    QCOMPARE(header.at(RunsModel::ntuColumn), model.columnTitle(RunsModel::ntuColumn));

    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList fields = lines.at(i).split(u'\t');
        QCOMPARE(fields.size(), header.size());
        const int viewRow = selectedRows.isEmpty() ? int(i - 1) : selectedRows.at(i - 1);
        QCOMPARE(fields.at(RunsModel::runColumn), table->model()->index(viewRow, RunsModel::runColumn).data());
        const int modelRow = fields.at(RunsModel::runColumn).toInt() - 1;
        QCOMPARE(fields.at(RunsModel::ntuColumn), ui::resultText(*model.results().at(modelRow).ntu));
        QCOMPARE(fields.at(RunsModel::gasFlowColumn), ui::resultText(model.series().runs.at(modelRow).inputs.gasFlow));
    }
    window.close();
}

void TestRuns::copyLastRun()
{
    RunsModel model;
    addRuns(model, sortingInputs.first(2));
    const QStringList lines = model.tabText({model.rowCount() - 1}).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    const QStringList fields = lines.at(1).split(u'\t');
    QCOMPARE(fields.size(), lines.at(0).split(u'\t').size());
    QCOMPARE(fields.at(RunsModel::runColumn), u"2"_s);
    QCOMPARE(fields.at(RunsModel::y2Column), ui::resultText(*model.results().back().balance.y2));
}

void TestRuns::window_data()
{
    QTest::addColumn<QString>("locale");
    QTest::newRow("English") << "en_US";
    QTest::newRow("German") << "de_DE";
}

void TestRuns::window()
{
    QFETCH(QString, locale);
    QLocale::setDefault(QLocale(locale));
    ui::useLanguageOf(QLocale(locale));
    RunsModel model;
    RunsWindow window(model);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowTitle(), QCoreApplication::translate("RunsWindow", "Runs"));
    QVERIFY(window.isWindow());
    QCOMPARE(window.windowModality(), Qt::NonModal);
    const auto buttonEnabled = [&window](const char* text) {
        for (const QPushButton* button : window.findChildren<QPushButton*>()) {
            if (button->text() == QCoreApplication::translate("RunsWindow", text))
                return button->isEnabled();
        }
        return true;
    };
    // Nothing to copy or save before a run.
    QVERIFY(!buttonEnabled("&Copy"));
    QVERIFY(!buttonEnabled("Save as C&SV…"));

    // Runs completed while the window is open show up in it, every column
    // whole at the opening size, a coefficient of 10^5 and a negative flow
    // included.
    auto* table = window.findChild<QTableView*>();
    QVERIFY(table);
    QCOMPARE(table->model()->rowCount(), 0);
    addRuns(model, sortingInputs.first(2) + QList<Inputs>{{0.02, 0.01, -1, 1}});
    const series::Run wide = runOf({0.02, 0.01, 100.0, 100.0}, 0.05);
    const series::RunResult wideResult = series::computeRun(wide);
    QVERIFY(*wideResult.mtc > 1e5);
    model.addRun(wide, wideResult);
    QCOMPARE(table->model()->rowCount(), 4);
    QVERIFY(buttonEnabled("&Copy") && buttonEnabled("Save as C&SV…"));
    int total = 0;
    for (int column = 0; column < model.columnCount(); ++column) {
        // The temperature, HOG and Colburn columns show when asked for.
        if (table->isColumnHidden(column))
            continue;
        const int width = table->columnWidth(column);
        QVERIFY2(width >= table->horizontalHeader()->sectionSizeHint(column), qPrintable(QString::number(column)));
        for (int row = 0; row < model.rowCount(); ++row) {
            const QString text = model.data(model.index(row, column)).toString();
            QVERIFY2(width >= table->fontMetrics().horizontalAdvance(text) + 6, qPrintable(text));
        }
        total += width;
    }
    QVERIFY2(total <= table->viewport()->width(), qPrintable(u"%1 > %2"_s.arg(total).arg(table->viewport()->width())));
    window.close();
}

void TestRuns::renderFailureSavesNothing()
{
    QVERIFY(!report::pngBytes(QImage()));
    QWidget parent;
    ModalBoxes boxes(ModalBoxes::closeWindows);
    QVERIFY(!ui::saveAs(&parent, u"quillon-chart.png"_s, u"PNG pictures (*.png)"_s, std::nullopt, u"The picture"_s));
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.closed(), QStringList());  // no file dialog
    QVERIFY2(boxes.seen().first().text.startsWith(u"The picture could not be made"_s),
             qPrintable(boxes.seen().first().text));
}

void TestRuns::saveFailure_data()
{
    QTest::addColumn<QString>("place");  // below the temporary folder, or absolute

    // Places no permission bit opens, so that the write fails for root too.
    QTest::newRow("folder is a file") << "notes.txt/quillon-runs.csv";
    QTest::newRow("missing folder") << "gone/quillon-runs.csv";
    QTest::newRow("kernel folder") << "/proc/quillon-runs.csv";
    QTest::newRow("markup in the name") << "notes.txt/<b>run</b>.csv";
}

void TestRuns::saveFailure()
{
    QFETCH(QString, place);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile notes(dir.filePath(u"notes.txt"_s));
    QVERIFY(notes.open(QIODevice::WriteOnly) && notes.write("kept") == 4);
    notes.close();
    const QString path = QDir::isAbsolutePath(place) ? place : dir.filePath(place);

    QWidget parent;
    ModalBoxes boxes;
    QVERIFY(!ui::saveToPath(&parent, path, "run,y1\r\n"));
    QCOMPARE(boxes.count(), 1);
    const ModalBoxes::Box& box = boxes.seen().first();
    QVERIFY2(box.text.contains(QDir::toNativeSeparators(path)), qPrintable(box.text));
    QCOMPARE(box.textFormat, Qt::PlainText);
    QVERIFY(!QFile::exists(path));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{u"notes.txt"_s});
}

void TestRuns::seriesReportAsksForTheRunsPages_data()
{
    QTest::addColumn<bool>("include");
    QTest::addColumn<QByteArray>("pages");  // table, charts, method; a page per run
    QTest::newRow("with the runs' pages") << true << QByteArray("/Count 4");
    QTest::newRow("without") << false << QByteArray("/Count 3");
}

void TestRuns::seriesReportAsksForTheRunsPages()
{
    QFETCH(bool, include);
    QFETCH(QByteArray, pages);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"series.pdf"_s);
    RunsModel model;
    addRuns(model, sortingInputs.first(1));
    QTRY_VERIFY(model.knownUncertainties().has_value());

    // The user finds the box checked for one run, sets it and saves.
    bool offered = false;
    QTimer user;
    user.callOnTimeout([&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        auto* box = dialog->findChild<QCheckBox*>(u"saveOption"_s);
        offered = box && box->isChecked();
        if (box)
            box->setChecked(include);
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept();
    });
    user.start(5);
    QWidget parent;
    QVERIFY(ui::saveSeriesReport(&parent, model));
    user.stop();
    QVERIFY(offered);
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.readAll().contains(pages));
}

void TestRuns::saveWrites()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    RunsModel model;
    addRuns(model, sortingInputs.first(1));
    const std::optional<report::Run> run = model.reportRun(0);
    QVERIFY(run);
    const QString path = dir.filePath(ui::runReportFileName(run->number));
    QCOMPARE(QFileInfo(path).fileName(), u"quillon-run-1.pdf"_s);
    const QByteArray bytes = report::runPdf(*run, ui::pdfDetails()).value_or(QByteArray());
    QVERIFY(bytes.startsWith("%PDF"));

    QWidget parent;
    ModalBoxes boxes;
    QVERIFY(ui::saveToPath(&parent, path, bytes));
    QCOMPARE(boxes.count(), 0);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
}

namespace {

const series::Uncertainties labDefaults{0.02, 0.02, 0.0005, 0.0005, 0.005};

}  // namespace

void TestRuns::uncertainties()
{
    RunsModel model;
    const series::Run runA = runOf({0.02, 0.01, 1.0, 1.0}, 2.0);
    model.addRun(runA, series::computeRun(runA));
    // No uncertainty given: nothing to compute, and the cell says so.
    const QString noneGiven = u"no U: no uncertainties given"_s;
    QTRY_VERIFY(model.knownUncertainties().has_value());
    QCOMPARE(model.data(model.index(0, RunsModel::uncertaintyColumn)).toString(), noneGiven);
    // Nor when every uncertainty given is 0.
    model.setDefaultUncertainties({0.0, 0.0, 0.0, 0.0, 0.0});
    QTRY_VERIFY(model.knownUncertainties().has_value());
    QCOMPARE(model.data(model.index(0, RunsModel::uncertaintyColumn)).toString(), noneGiven);

    model.setDefaultUncertainties(labDefaults);
    QCOMPARE(model.data(model.index(0, RunsModel::uncertaintyColumn)).toString(), u"…"_s);
    QTRY_VERIFY_WITH_TIMEOUT(model.knownUncertainties().has_value(), 20000);
    // The background gives the digits of the library's own call.
    const series::RunUncertainty direct = series::uncertaintyOf(runA, labDefaults);
    const auto& drawn = std::get<series::MonteCarlo>(direct.monteCarlo);
    const double mtc = *series::computeRun(runA).mtc;
    // U to two significant digits, the coefficient and the ends to its place.
    const auto atU = [&drawn](double value) {
        return QString::fromStdString(present::withUncertaintyText(value, 2.0 * drawn.u, {}).value);
    };
    QCOMPARE(model.data(model.index(0, RunsModel::uncertaintyColumn)).toString(),
             u"%1 ± %2"_s.arg(atU(mtc), QString::fromStdString(present::uncertaintyText(2.0 * drawn.u, {}))));
    QCOMPARE(model.data(model.index(0, RunsModel::intervalColumn)).toString(),
             u"%1 to %2"_s.arg(atU(drawn.interval.low), atU(drawn.interval.high)));
    const std::optional<report::Run> shown = model.reportRun(0);
    QVERIFY(shown && shown->gum && shown->monteCarlo);
    QCOMPARE(shown->gum->budget.size(), std::size_t(5));
    QCOMPARE(shown->monteCarlo->u, drawn.u);
    // The report gets a second page for the budget.
    const QByteArray pdf = report::runPdf(*shown, ui::pdfDetails()).value_or(QByteArray());
    QVERIFY(pdf.contains("/Count 2"));

    // A run's own value overrides the default; undone, the earlier result
    // is there at once.
    series::Uncertainties own;
    own.x1 = 0.002;
    model.setRunUncertainties(0, own);
    QCOMPARE(model.data(model.index(0, RunsModel::uncertaintyColumn)).toString(), u"…"_s);
    QTRY_VERIFY_WITH_TIMEOUT(model.knownUncertainties().has_value(), 20000);
    const double wider = std::get<series::MonteCarlo>(model.knownUncertainties()->front().monteCarlo).u;
    QVERIFY(wider > drawn.u);
    model.undoStack().undo();
    QVERIFY(model.knownUncertainties().has_value());
    QCOMPARE(std::get<series::MonteCarlo>(model.knownUncertainties()->front().monteCarlo).u, drawn.u);
}

void TestRuns::uncertaintyProgressAndCancel()
{
    RunsModel model;
    RunsWindow window(model);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // Enough runs for seconds of drawing: about 10 ms a run on one core.
    QList<Inputs> many;
    for (int i = 0; i < 400; ++i)
        many.append({0.02 + 0.00001 * i, 0.01, 1.0, 1.0});
    for (const Inputs& in : many)
        model.addRun(runOf(in, 2.0), series::computeRun(runOf(in, 2.0)));
    model.setDefaultUncertainties(labDefaults);
    auto* cancel = window.findChild<QPushButton*>(u"cancelUncertainties"_s);
    QVERIFY(cancel);
    QVERIFY(!cancel->isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(cancel->isVisible(), 5000);
    QTest::mouseClick(cancel, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!model.uncertainties().busy(), 5000);
    QVERIFY(!cancel->isVisible());
    // The runs not finished are not yet computed, not given for good; none
    // is left computing.
    QVERIFY(!model.knownUncertainties());
    int notComputed = 0;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QString shown = model.data(model.index(row, RunsModel::uncertaintyColumn)).toString();
        QVERIFY2(shown != u"…"_s && shown != u"–"_s, qPrintable(shown));
        notComputed += shown == u"not computed"_s;
    }
    QVERIFY(notComputed > 0);
    // Asked again, they are computed.
    model.setDefaultUncertainties(labDefaults);
    model.undoStack().undo();
    model.undoStack().redo();
    QTRY_VERIFY_WITH_TIMEOUT(model.knownUncertainties().has_value(), 60000);
    window.close();
}

void TestRuns::findingsLeaveRunsOut()
{
    RunsModel model;
    // The gas leaves richer than it came: out of the analysis by default.
    addRuns(model, {{0.03, 0.01, 1.0, -1.5}, {0.02, 0.01, 1.0, 1.0}});
    const auto mark = [&model](int row) {
        return model.data(model.index(row, RunsModel::excludedColumn), Qt::CheckStateRole).value<Qt::CheckState>();
    };
    QCOMPARE(mark(0), Qt::Checked);
    QCOMPARE(mark(1), Qt::Unchecked);
    QVERIFY(!model.series().runs[0].excluded);
    QVERIFY(model.tabText({0}).contains(QCoreApplication::translate("RunsModel", "excluded")));
    // Clearing the mark takes it in despite its findings.
    QVERIFY(model.setData(model.index(0, RunsModel::excludedColumn), Qt::Unchecked, Qt::CheckStateRole));
    QCOMPARE(mark(0), Qt::Unchecked);
    QVERIFY(model.series().runs[0].included);
    QVERIFY(model.setData(model.index(0, RunsModel::excludedColumn), Qt::Checked, Qt::CheckStateRole));
    QCOMPARE(mark(0), Qt::Checked);
}

void TestRuns::analysisFollowsTheSeries()
{
    RunsModel model;
    for (const double water : {4.0, 8.0}) {
        for (const double gas : {1.0, 1.5, 2.0, 2.5, 3.0}) {
            const series::Run run = runOf({0.02, 0.002 * gas * 4.0 / water, gas, water}, 2.0);
            model.addRun(run, series::computeRun(run));
        }
    }
    AnalysisWindow window(model);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const auto law = [&window] { return std::get_if<series::PowerLaw>(&window.analysis().fit); };
    QVERIFY(law() && law()->gasExponent && law()->waterExponent);
    QCOMPARE(law()->runsUsed, std::size_t(10));
    const double gasExponent = law()->gasExponent->value;

    // Excluding a run refits.
    QVERIFY(model.setData(model.index(0, RunsModel::excludedColumn), Qt::Checked, Qt::CheckStateRole));
    QTRY_COMPARE(law()->runsUsed, std::size_t(9));
    QVERIFY(law()->gasExponent->value != gasExponent);
    QVERIFY(window.fitText().contains(u"9 of 10"_s));
    // At one water flow the gas exponent is fitted alone, and the window says so.
    model.removeRuns({5, 6, 7, 8, 9});
    QTRY_VERIFY(law() && !law()->waterExponent);
    QVERIFY2(window.fitText().contains(u"n (water flow) left out"_s), qPrintable(window.fitText()));
    // The picture is both charts.
    QCOMPARE(window.picture().size(), QSize(1400, 560));
    window.close();
}

QTEST_MAIN(TestRuns)
#include "tst_runs.moc"
