// The class table of the Series Analysis: what a grader sees of several
// groups' files, in English and German, sorted, copied, and opened by a drop.

#include "fixture.h"

#include "present/numbers.h"
#include "series/file.h"
#include "series/series.h"
#include "ui/Form1.h"
#include "ui/analysiswindow.h"
#include "ui/application.h"
#include "ui/classwindow.h"
#include "ui/runswindow.h"
#include "ui/session.h"

#include <QAction>
#include <QDropEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr int gasExponentColumn = 11;
constexpr int weightedReasonColumn = 19;
constexpr int checkColumn = 20;
constexpr int outlierColumn = 21;

// A group's series on the lab's grid of flows; group 4 planted far off.
series::Series groupSeries(int group)
{
    series::Series lab;
    lab.title = "Group " + std::to_string(group);
    const double growth = group == 4 ? 1.6 : 1.0 + 0.02 * (group % 3);
    for (const double water : {4.0, 8.0})
        for (const double gas : {1.0, 1.5, 2.0, 2.5, 3.0}) {
            series::Run run;
            run.inputs = {0.02, 0.008 * std::pow(gas, growth) / water + 0.0001 * gas, gas, water};
            run.packingHeight = 2.0;
            lab.runs.push_back(run);
        }
    return lab;
}

// Six groups' series and a damaged file; their paths, the damaged one last.
QStringList writeClass(const QTemporaryDir& folder)
{
    QStringList paths;
    for (int group = 1; group <= 6; ++group) {
        const series::Series lab = groupSeries(group);
        paths << folder.filePath(u"group%1.quillon"_s.arg(group));
        QFile file(paths.back());
        if (!file.open(QIODevice::WriteOnly))
            return {};
        file.write(QByteArray::fromStdString(series::writeSeriesFile(lab, {})));
    }
    paths << folder.filePath(u"damaged.quillon"_s);
    QFile damaged(paths.back());
    if (!damaged.open(QIODevice::WriteOnly))
        return {};
    damaged.write("{\"format\": ");
    return paths;
}

}  // namespace

class TestClassWindow : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ui::prepareApplication(); }
    void cleanup() { QVERIFY(endWindowTest()); }

    void showsTheClass_data();
    void showsTheClass();
    void opensFromADrop_data();
    void opensFromADrop();
    void opensFromTheCommandLine();
    void checksReportsAsShown_data();
    void checksReportsAsShown();
};

void TestClassWindow::showsTheClass_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("fileHeader");
    QTest::addColumn<QString>("notRead");
    QTest::addColumn<QString>("noResults");
    QTest::addColumn<QString>("unreadable");
    QTest::addColumn<QString>("unweighted");
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates) << u"File"_s
                             << u"Not read: damaged.quillon:1"_s << u"no results"_s
                             << u"unreadable: damaged.quillon:1"_s
                             << u"Unweighted because no run has an uncertainty."_s;
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany) << u"Datei"_s
                            << u"Nicht gelesen: damaged.quillon:1"_s << u"keine Ergebnisse"_s
                            << u"nicht lesbar: damaged.quillon:1"_s
                            << u"Ungewichtet, weil kein Versuch eine Unsicherheit hat."_s;
}

void TestClassWindow::showsTheClass()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, fileHeader);
    QFETCH(QString, notRead);
    QFETCH(QString, noResults);
    QFETCH(QString, unreadable);
    QFETCH(QString, unweighted);
    startWindowTest(locale);
    QTemporaryDir folder;
    const QStringList paths = writeClass(folder);
    QVERIFY(!paths.isEmpty());

    ClassWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.showFiles(paths));
    auto* table = window.findChild<QTableWidget*>(u"classTable"_s);
    auto* spread = window.findChild<QLabel*>(u"classSpread"_s);
    QVERIFY(table && spread);
    // A row for every file, the damaged one last as given, saying why.
    QCOMPARE(table->rowCount(), 7);
    QCOMPARE(table->horizontalHeaderItem(0)->text(), fileHeader);
    QVERIFY2(spread->text().contains(notRead), qPrintable(spread->text()));
    QCOMPARE(table->item(6, 0)->text(), u"damaged.quillon"_s);
    QVERIFY2(table->item(6, checkColumn)->text().startsWith(unreadable),
             qPrintable(table->item(6, checkColumn)->text()));
    // Its reason is cut short in a column that leaves the others in view,
    // and read whole in its tooltip.
    QCOMPARE(table->item(6, checkColumn)->toolTip(), table->item(6, checkColumn)->text());
    QVERIFY(table->columnWidth(checkColumn)
            < table->fontMetrics().horizontalAdvance(table->item(6, checkColumn)->text()));
    QVERIFY(table->columnWidth(checkColumn) < table->viewport()->width() / 2);
    for (int row = 0; row < 6; ++row) {
        const bool planted = table->item(row, 0)->text() == u"group4.quillon"_s;
        QCOMPARE(table->item(row, outlierColumn)->text().isEmpty(), !planted);
        // Saved without results: nothing for check to compare.
        QCOMPARE(table->item(row, checkColumn)->text(), noResults);
        QCOMPARE(table->item(row, weightedReasonColumn)->text(), unweighted);
    }

    // Sorted by m, by value: the planted group's steeper law comes last,
    // the damaged file without one first.
    table->horizontalHeader()->setSortIndicator(gasExponentColumn, Qt::AscendingOrder);
    QCOMPARE(table->item(0, 0)->text(), u"damaged.quillon"_s);
    QCOMPARE(table->item(6, 0)->text(), u"group4.quillon"_s);

    // Copy gives the headers and every row, a cell a tab apart.
    const QStringList lines = window.copiedText().split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 8);
    QCOMPARE(lines[0].split(u'\t').size(), table->columnCount());
    QVERIFY(lines[7].startsWith(u"group4.quillon\t"_s));
}

void TestClassWindow::opensFromADrop_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("main window") << u"main"_s;
    QTest::newRow("Runs window") << u"runs"_s;
    QTest::newRow("Series Analysis") << u"analysis"_s;
}

// Every window with a File menu offers Open Several… in it, and a drop of
// several files on it shows the class.
void TestClassWindow::opensFromADrop()
{
    QFETCH(QString, window);
    startWindowTest();
    QTemporaryDir folder;
    const QStringList paths = writeClass(folder);
    QVERIFY(!paths.isEmpty());
    Form1 form;
    Session session(form);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QWidget* target = &form;
    if (window == u"runs"_s) {
        session.showRuns();
        target = form.findChild<RunsWindow*>();
    } else if (window == u"analysis"_s) {
        session.showAnalysis();
        target = form.findChild<AnalysisWindow*>();
    }
    QVERIFY(target && QTest::qWaitForWindowExposed(target));
    auto* bar = target == &form ? form.menuBar() : target->findChild<QMenuBar*>();
    QVERIFY(bar);
    QMenu* file = bar->actions().value(0)->menu();
    QVERIFY(file && file->actions().contains(form.findChild<QAction*>(u"openSeveral"_s)));

    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths.mid(0, 3))
        urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    QVERIFY(drop.isAccepted());
    QTRY_VERIFY(form.findChild<ClassWindow*>() && form.findChild<ClassWindow*>()->summary().rows.size() == 3);
}

// `quillon FILE FILE...`, as a file manager passes several files: the class.
void TestClassWindow::opensFromTheCommandLine()
{
    startWindowTest();
    QTemporaryDir folder;
    const QStringList paths = writeClass(folder);
    QVERIFY(!paths.isEmpty());
    Form1 form;
    Session session(form);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    session.openArguments(QStringList{u"quillon"_s} + paths);
    auto* window = form.findChild<ClassWindow*>();
    QVERIFY(window);
    QCOMPARE(window->summary().rows.size(), std::size_t(paths.size()));
}

void TestClassWindow::checksReportsAsShown_data()
{
    QTest::addColumn<bool>("lastDigitOff");
    QTest::addColumn<QString>("check");
    QTest::newRow("typed as shown") << false << u"agrees"_s;
    QTest::newRow("last shown digit off") << true << u"differs"_s;
}

// A report's table typed with decimal commas, its MTC as the window shows
// it: graded as quillon-cli check --as-shown grades it.
void TestClassWindow::checksReportsAsShown()
{
    QFETCH(bool, lastDigitOff);
    QFETCH(QString, check);
    startWindowTest();
    QTemporaryDir folder;
    const series::Series lab = groupSeries(1);
    const present::NumberLocale comma{","};
    std::string csv = "y1;x1;Gasstrom;Wasserstrom;Höhe;MTC\n";
    for (const series::Run& run : lab.runs) {
        std::string mtc = present::resultText(*series::computeRun(run).mtc, comma);
        if (lastDigitOff && &run == &lab.runs[3])
            mtc.back() = mtc.back() == '9' ? '8' : char(mtc.back() + 1);
        for (const double input :
             {run.inputs.y1, run.inputs.x1, run.inputs.gasFlow, run.inputs.waterFlow, *run.packingHeight})
            csv += present::exactText(input, comma) + ';';
        csv += mtc + '\n';
    }
    QFile file(folder.filePath(u"report.csv"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(csv));
    file.close();

    ClassWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.showFiles({file.fileName()}));
    auto* table = window.findChild<QTableWidget*>(u"classTable"_s);
    QVERIFY(table && table->rowCount() == 1);
    QCOMPARE(table->item(0, checkColumn)->text(), check);
}

QTEST_MAIN(TestClassWindow)
#include "tst_classwindow.moc"
