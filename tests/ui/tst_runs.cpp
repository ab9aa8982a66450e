#include "fixture.h"
#include "modalboxes.h"
#include "report/csv.h"
#include "report/runchart.h"
#include "tests/report/corerun.h"
#include "tests/report/support.h"
#include "ui/application.h"
#include "ui/numbertext.h"
#include "ui/runsmodel.h"
#include "ui/runswindow.h"
#include "ui/saving.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
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

// Adds a completed run of the core to the model; false when the core
// refused the inputs.
bool addRuns(RunsModel& model, const QList<Inputs>& inputs)
{
    for (const Inputs& in : inputs) {
        const std::optional<report::Run> run = runFromCore(0, in.y1, in.x1, in.gasFlow, in.waterFlow);
        if (!run)
            return false;
        model.addRun(*run);
    }
    return true;
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
    const std::optional<report::Run> first = runFromCore(0, 0.02, 0.01, 1.0, 1.0);
    const std::optional<report::Run> second = runFromCore(0, 0.045, 0.02, 2.0, 3.0, 1.5);
    QVERIFY(first && second);
    QCOMPARE(model.addRun(*first), 1);
    QCOMPARE(model.addRun(*second), 2);
    model.setMtc(2, *second->packingHeight, *second->mtc);
    QCOMPARE(model.rowCount(), 2);
    QCOMPARE(model.runs().at(1).number, 2);

    // Each cell holds what the CSV file holds in its column: as a result
    // field shows it, in full as its tip, the run's number without one.
    const std::optional<QList<QStringList>> csv = readCsv(QString::fromUtf8(report::runsCsv(model.runs())));
    QVERIFY(csv && csv->size() == 3 && csv->first().size() == model.columnCount());
    for (int row = 0; row < model.rowCount(); ++row) {
        for (int column = 0; column < model.columnCount(); ++column) {
            const QModelIndex cell = model.index(row, column);
            const QString file = csv->at(row + 1).at(column);
            const double value = file.toDouble();
            QCOMPARE(cell.data().toString(), file.isEmpty() ? QString() : ui::resultText(value));
            QCOMPARE(cell.data(Qt::ToolTipRole).toString(),
                     file.isEmpty() || column == RunsModel::runColumn ? QString() : ui::numberText(value));
            QCOMPARE(cell.data(RunsModel::SortRole).isValid(), !file.isEmpty());
            QCOMPARE(ui::numberText(cell.data(RunsModel::SortRole).toDouble()), ui::numberText(value));
        }
    }
}

void TestRuns::setMtc()
{
    RunsModel model;
    QVERIFY(addRuns(model, sortingInputs.first(3)));
    const report::Run second = model.runs().at(1);
    const std::optional<report::Run> found =
        runFromCore(0, second.y1, second.x1, second.gasFlow, second.waterFlow, 1.5);
    const std::optional<report::Run> foundAgain =
        runFromCore(0, second.y1, second.x1, second.gasFlow, second.waterFlow, 3.0);
    QVERIFY(found && foundAgain);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);

    model.setMtc(2, *found->packingHeight, *found->mtc);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().at(0).toModelIndex().row(), 1);
    QCOMPARE(model.runs().at(1).mtc, found->mtc);
    QCOMPARE(model.data(model.index(1, RunsModel::mtcColumn)).toString(), ui::resultText(*found->mtc));
    QCOMPARE(model.data(model.index(1, RunsModel::packingHeightColumn)).toString(),
             ui::resultText(*found->packingHeight));
    QCOMPARE(model.data(model.index(0, RunsModel::mtcColumn)).toString(), QString());
    QCOMPARE(model.data(model.index(2, RunsModel::mtcColumn)).toString(), QString());

    // A later Find MTC for the same run replaces its values.
    model.setMtc(2, *foundAgain->packingHeight, *foundAgain->mtc);
    QCOMPARE(model.data(model.index(1, RunsModel::mtcColumn)).toString(), ui::resultText(*foundAgain->mtc));

    model.setMtc(4, 1.0, 1.0);
    model.setMtc(0, 1.0, 1.0);
    QCOMPARE(changed.count(), 2);
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
    QVERIFY(addRuns(model, sortingInputs));
    for (const int number : {1, 4, 5}) {
        const report::Run& run = model.runs().at(number - 1);
        const std::optional<report::Run> found = runFromCore(0, run.y1, run.x1, run.gasFlow, run.waterFlow, 2.0);
        QVERIFY(found);
        model.setMtc(number, *found->packingHeight, *found->mtc);
    }
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
    QVERIFY(addRuns(model, sortingInputs));
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
    QCOMPARE(header.at(RunsModel::ntuColumn), model.headerData(RunsModel::ntuColumn, Qt::Horizontal).toString());

    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList fields = lines.at(i).split(u'\t');
        QCOMPARE(fields.size(), header.size());
        const int viewRow = selectedRows.isEmpty() ? int(i - 1) : selectedRows.at(i - 1);
        QCOMPARE(fields.at(RunsModel::runColumn), table->model()->index(viewRow, RunsModel::runColumn).data());
        const report::Run& run = model.runs().at(fields.at(RunsModel::runColumn).toInt() - 1);
        QCOMPARE(fields.at(RunsModel::ntuColumn), ui::resultText(run.ntu));
        QCOMPARE(fields.at(RunsModel::gasFlowColumn), ui::resultText(run.gasFlow));
    }
    window.close();
}

void TestRuns::copyLastRun()
{
    RunsModel model;
    QVERIFY(addRuns(model, sortingInputs.first(2)));
    const QStringList lines = model.tabText({model.rowCount() - 1}).split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    const QStringList fields = lines.at(1).split(u'\t');
    QCOMPARE(fields.size(), lines.at(0).split(u'\t').size());
    QCOMPARE(fields.at(RunsModel::runColumn), u"2"_s);
    QCOMPARE(fields.at(RunsModel::y2Column), ui::resultText(model.runs().last().y2));
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
    QVERIFY(addRuns(model, sortingInputs.first(2) + QList<Inputs>{{0.02, 0.01, -1, 1}}));
    const std::optional<report::Run> wide = runFromCore(0, 0.02, 0.01, 100.0, 100.0, 0.05);
    QVERIFY(wide && *wide->mtc > 1e5);
    model.addRun(*wide);
    model.setMtc(4, *wide->packingHeight, *wide->mtc);
    QCOMPARE(table->model()->rowCount(), 4);
    QVERIFY(buttonEnabled("&Copy") && buttonEnabled("Save as C&SV…"));
    int total = 0;
    for (int column = 0; column < model.columnCount(); ++column) {
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

void TestRuns::saveWrites()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    RunsModel model;
    QVERIFY(addRuns(model, sortingInputs.first(1)));
    const QString path = dir.filePath(ui::runReportFileName(model.runs().first().number));
    QCOMPARE(QFileInfo(path).fileName(), u"quillon-run-1.pdf"_s);
    const QByteArray bytes = report::runPdf(model.runs().first(), ui::pdfDetails()).value_or(QByteArray());
    QVERIFY(bytes.startsWith("%PDF"));

    QWidget parent;
    ModalBoxes boxes;
    QVERIFY(ui::saveToPath(&parent, path, bytes));
    QCOMPARE(boxes.count(), 0);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), bytes);
}

QTEST_MAIN(TestRuns)
#include "tst_runs.moc"
