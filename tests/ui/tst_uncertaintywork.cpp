// The uncertainty work a window starts: one computation for what is
// committed, none for keystrokes, and a save that waits for the work under
// way rather than starting it again.

#include "fixture.h"
#include "modalboxes.h"

#include "series/series.h"
#include "series/uncertainty.h"
#include "ui/runswindow.h"
#include "ui/saving.h"

#include <QApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

// The series' standard uncertainties as a lab gives them, field by field.
const QList<std::pair<QString, QString>> labFields{{u"uncertaintyGasFlow"_s, u"0.02"_s},
                                                   {u"uncertaintyWaterFlow"_s, u"0.02"_s},
                                                   {u"uncertaintyY1"_s, u"0.0005"_s},
                                                   {u"uncertaintyX1"_s, u"0.0005"_s},
                                                   {u"uncertaintyHeight"_s, u"0.005"_s}};

}  // namespace

class TestUncertaintyWork : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void committedFieldsStartOneComputation_data();
    void committedFieldsStartOneComputation();
    void saveWaitsForTheWorkUnderWay_data();
    void saveWaitsForTheWorkUnderWay();
    void switchingTheEquilibriumComputesAtTheRunsTemperature();
    void openedWorkShowsProgressAndCancel();
    void cancelKeepsWhatWasComputed();
    void saveComputesOnlyWhatAnEditLeft();

private:
    // `count` runs with packing heights, the lab's uncertainties given or
    // not, and nothing left computing.
    [[nodiscard]] bool useRuns(int count, bool uncertain);

    std::unique_ptr<RunsModel> model;
    std::unique_ptr<RunsWindow> window;
};

void TestUncertaintyWork::init()
{
    startWindowTest();
    model = std::make_unique<RunsModel>();
    window = std::make_unique<RunsWindow>(*model);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void TestUncertaintyWork::cleanup()
{
    window.reset();
    model.reset();
    QVERIFY(endWindowTest());
}

bool TestUncertaintyWork::useRuns(int count, bool uncertain)
{
    series::Series runs;
    if (uncertain)
        runs.uncertainty = {0.02, 0.02, 0.0005, 0.0005, 0.005};
    for (int i = 0; i < count; ++i)
        runs.runs.push_back({{0.02 + 0.00001 * i, 0.01, 1, 1}, 2.0, {}, false, false, {}, {}});
    model->resetSeries(runs, *series::computeRuns(runs.runs, 2));
    return QTest::qWaitFor([this] { return model->knownUncertainties().has_value(); }, 60000);
}

void TestUncertaintyWork::committedFieldsStartOneComputation_data()
{
    QTest::addColumn<Qt::Key>("commit");
    QTest::addColumn<int>("computations");
    QTest::newRow("each field left with Tab") << Qt::Key_Tab << 1;
    QTest::newRow("each field ended with Enter") << Qt::Key_Return << 1;
    QTest::newRow("typed, never committed") << Qt::Key_unknown << 0;
}

void TestUncertaintyWork::committedFieldsStartOneComputation()
{
    QFETCH(Qt::Key, commit);
    QFETCH(int, computations);
    constexpr int runs = 3;
    QVERIFY(useRuns(runs, false));
    QSignalSpy started(&model->uncertainties(), &UncertaintyCache::started);

    for (const auto& [name, text] : labFields) {
        auto* field = window->findChild<QLineEdit*>(name);
        QVERIFY2(field, qPrintable(name));
        // Keys alone, never taking the focus, leave nothing to commit.
        if (commit != Qt::Key_unknown)
            field->setFocus();
        QTest::keyClicks(field, text);
        if (commit != Qt::Key_unknown)
            QTest::keyClick(field, commit);
    }
    QTest::qWait(50);
    QTRY_VERIFY_WITH_TIMEOUT(!model->uncertainties().busy(), 60000);
    QCOMPARE(started.count(), computations);
    std::size_t computed = 0;
    for (const QList<QVariant>& start : started)
        computed += start.at(0).value<std::size_t>();
    // Each run once, for the values as last committed.
    QCOMPARE(computed, std::size_t(runs * computations));
    if (computations > 0) {
        QCOMPARE(model->series().uncertainty.packingHeight, 0.005);
        QVERIFY(model->knownUncertainties().has_value());
    }
}

void TestUncertaintyWork::saveWaitsForTheWorkUnderWay_data()
{
    QTest::addColumn<bool>("cancel");
    QTest::newRow("waited for") << false;
    QTest::newRow("cancelled while it waits") << true;
}

void TestUncertaintyWork::saveWaitsForTheWorkUnderWay()
{
    QFETCH(bool, cancel);
    // Enough runs for seconds of drawing: about 10 ms a run on one core.
    QVERIFY(useRuns(400, false));
    QSignalSpy started(&model->uncertainties(), &UncertaintyCache::started);
    model->setDefaultUncertainties({0.02, 0.02, 0.0005, 0.0005, 0.005});
    QTRY_VERIFY(model->uncertainties().busy());

    int cancelled = 0;
    QTimer user;
    user.callOnTimeout([&] {
        auto* progress = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
        if (cancel && progress && progress->isVisible() && !progress->wasCanceled() && ++cancelled)
            progress->findChild<QPushButton*>()->click();
    });
    user.start(5);
    ModalBoxes boxes;
    const auto saved = ui::uncertaintiesToSave(window.get(), *model, model->series());
    user.stop();

    QCOMPARE(saved.has_value(), !cancel);
    QCOMPARE(cancelled, cancel ? 1 : 0);
    QCOMPARE(boxes.count(), cancel ? 1 : 0);
    // One computation, the one under way: what the save waited for, or,
    // cancelled, what it stopped.
    QCOMPARE(started.count(), 1);
    for (const series::Run& run : model->series().runs)
        QVERIFY(!model->uncertainties().pending(run, model->series()));
    if (saved)
        QCOMPARE(saved->size(), model->series().runs.size());
    QTRY_VERIFY(!model->uncertainties().busy());
}

// Switching to each run's temperature computes the uncertainties at it, as
// the library does; switching back finds the table's results kept.
void TestUncertaintyWork::switchingTheEquilibriumComputesAtTheRunsTemperature()
{
    series::Series runs;
    runs.uncertainty = {0.02, 0.02, 0.0005, 0.0005, 0.005};
    for (const double celsius : {20.0, 40.0}) {
        runs.runs.push_back({{0.02, 0.01, 1, 1}, 2.0, {}, false, false, {}, {}});
        runs.runs.back().temperature = celsius;
    }
    model->resetSeries(runs, *series::computeRuns(runs.runs, 2));
    QTRY_VERIFY_WITH_TIMEOUT(model->knownUncertainties().has_value(), 60000);
    const auto uOf = [](const std::vector<series::RunUncertainty>& found) {
        std::vector<double> u;
        for (const series::RunUncertainty& run : found)
            u.push_back(std::get<series::MonteCarlo>(run.monteCarlo).u);
        return u;
    };
    const std::vector<double> table = uOf(*model->knownUncertainties());
    QSignalSpy started(&model->uncertainties(), &UncertaintyCache::started);

    model->setEquilibrium(series::Equilibrium::runTemperature);
    QTRY_VERIFY_WITH_TIMEOUT(model->knownUncertainties().has_value(), 60000);
    const std::vector<double> atRuns = uOf(*model->knownUncertainties());
    QCOMPARE(atRuns, uOf(*series::uncertaintiesOf(model->series(), 2)));
    QVERIFY(atRuns[0] != table[0] && atRuns[1] != table[1]);
    QCOMPARE(started.count(), 1);

    model->setEquilibrium(series::Equilibrium::table);
    QVERIFY(model->knownUncertainties().has_value());
    QCOMPARE(uOf(*model->knownUncertainties()), table);
    QCOMPARE(started.count(), 1);
}

// The computing an open starts shows its bar and Cancel in a Runs window
// opened after it; the bar counts the series' runs, twins and all, through
// an edit; and Cancel gives the focus back, selecting no field's text.
void TestUncertaintyWork::openedWorkShowsProgressAndCancel()
{
    series::Series runs;
    runs.uncertainty = {0.02, 0.02, 0.0005, 0.0005, 0.005};
    // 200 runs twice: 400 to count, 200 to compute.
    for (int i = 0; i < 400; ++i)
        runs.runs.push_back({{0.02 + 0.00001 * (i % 200), 0.01, 1, 1}, 2.0, {}, false, false, {}, {}});
    model->resetSeries(runs, *series::computeRuns(runs.runs, 2));
    QTRY_VERIFY(model->uncertainties().busy());
    RunsWindow late(*model);
    late.show();
    QVERIFY(QTest::qWaitForWindowExposed(&late));
    auto* bar = late.findChild<QProgressBar*>(u"uncertaintyProgress"_s);
    auto* cancel = late.findChild<QPushButton*>(u"cancelUncertainties"_s);
    auto* table = late.findChild<QTableView*>();
    auto* title = late.findChild<QLineEdit*>(u"seriesTitle"_s);
    QVERIFY(bar && cancel && table && title);
    QTRY_VERIFY(bar->isVisible() && cancel->isVisible());
    QCOMPARE(bar->maximum(), 400);

    // A run's own uncertainties edited: pending again, the count goes on.
    const int before = bar->value();
    model->setRunUncertainties(0, {0.03, 0.03, 0.0005, 0.0005, 0.005});
    QTest::qWait(300);
    QVERIFY(model->uncertainties().busy());
    QCOMPARE(bar->maximum(), 400);
    QVERIFY2(bar->value() >= before - 2, qPrintable(u"%1 after %2"_s.arg(bar->value()).arg(before)));

    late.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&late));
    table->setFocus();
    QTest::mouseClick(cancel, Qt::LeftButton);
    QTRY_VERIFY(!model->uncertainties().busy());
    QTRY_VERIFY(!cancel->isVisible());
    QCOMPARE(QApplication::focusWidget(), table);
    QVERIFY(title->selectedText().isEmpty());
}

// What a cancelled computation finished is kept: asked again, only the rest
// is computed, not every run a second time.
void TestUncertaintyWork::cancelKeepsWhatWasComputed()
{
    QVERIFY(useRuns(400, false));
    QSignalSpy started(&model->uncertainties(), &UncertaintyCache::started);
    model->setDefaultUncertainties({0.02, 0.02, 0.0005, 0.0005, 0.005});
    QTRY_VERIFY_WITH_TIMEOUT(model->uncertainties().progress(model->series()).done > 0, 60000);
    model->uncertainties().cancel();
    QTRY_VERIFY(!model->uncertainties().busy());
    const std::size_t kept = model->uncertainties().progress(model->series()).done;
    QVERIFY(kept > 0 && kept < 400);

    model->requestUncertainties();
    QTRY_COMPARE(started.count(), 2);
    QCOMPARE(started.at(1).at(0).value<std::size_t>(), 400 - kept);
    model->uncertainties().cancel();
    QTRY_VERIFY(!model->uncertainties().busy());
}

// The uncertainties changed while a save waits: the work under way stops,
// and the save computes only the runs it had not finished.
void TestUncertaintyWork::saveComputesOnlyWhatAnEditLeft()
{
    QVERIFY(useRuns(120, false));
    model->setDefaultUncertainties({0.02, 0.02, 0.0005, 0.0005, 0.005});
    const series::Series asked = model->series();
    QTRY_VERIFY_WITH_TIMEOUT(model->uncertainties().progress(asked).done > 0, 60000);
    bool edited = false;
    std::vector<int> counts;  // each tick's progress dialogs' totals
    QTimer user;
    user.callOnTimeout([&] {
        for (const QProgressDialog* progress : window->findChildren<QProgressDialog*>())
            counts.push_back(progress->maximum());
        if (!edited && !counts.empty() && (edited = true))
            model->setDefaultUncertainties({0.03, 0.03, 0.0005, 0.0005, 0.005});
    });
    user.start(5);
    const auto saved = ui::uncertaintiesToSave(window.get(), *model, asked);
    user.stop();
    QVERIFY(saved.has_value() && edited);
    QCOMPARE(saved->size(), std::size_t(120));
    QVERIFY2(std::any_of(counts.begin(), counts.end(), [](int of) { return of > 0 && of < 120; }),
             "computed again only the runs not known");
    model->uncertainties().cancel();
    QTRY_VERIFY(!model->uncertainties().busy());
}

QTEST_MAIN(TestUncertaintyWork)
#include "tst_uncertaintywork.moc"
