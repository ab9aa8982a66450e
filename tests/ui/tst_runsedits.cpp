#include "series/series.h"
#include "ui/runsmodel.h"

#include <QSortFilterProxyModel>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;

// The runs table as a sorted view sees it while the series editor's steps
// are made, undone and redone: the view follows only the rows the model
// says it removed and inserted.
class TestRunsEdits : public QObject {
    Q_OBJECT

private slots:
    void stepsKeepTheViewsInStep_data();
    void stepsKeepTheViewsInStep();
};

namespace {

using Edit = std::function<void(RunsModel&)>;

series::Run runWithGasFlow(double gasFlow)
{
    return {{0.02, 0.01, gasFlow, 1.0}, 2.0, {}, false, false, {}, {}};
}

Edit add(double gasFlow)
{
    return [gasFlow](RunsModel& model) {
        model.addRun(runWithGasFlow(gasFlow), series::computeRun(runWithGasFlow(gasFlow)));
    };
}

// The gas flows of the rows, as the sorted view shows them.
QList<double> sortedFlows(const QSortFilterProxyModel& sorted)
{
    QList<double> flows;
    for (int row = 0; row < sorted.rowCount(); ++row)
        flows.append(sorted.data(sorted.index(row, RunsModel::gasFlowColumn), RunsModel::SortRole).toDouble());
    return flows;
}

}  // namespace

void TestRunsEdits::stepsKeepTheViewsInStep_data()
{
    QTest::addColumn<QList<Edit>>("edits");
    QTest::addColumn<QList<double>>("flows");
    QTest::addColumn<int>("undoSteps");

    const QList<Edit> four{add(4), add(1), add(3), add(2)};
    const Edit removeFirstAndThird = [](RunsModel& model) { model.removeRuns({2, 0}); };
    const Edit undo = [](RunsModel& model) { model.undoStack().undo(); };
    const Edit redo = [](RunsModel& model) { model.undoStack().redo(); };
    const Edit label = [](RunsModel& model) { model.setData(model.index(1, RunsModel::labelColumn), u"G1"_s); };
    QTest::newRow("rows apart deleted") << four + QList{removeFirstAndThird} << QList<double>{1, 2} << 5;
    QTest::newRow("rows apart put back") << four + QList{removeFirstAndThird, undo} << QList<double>{1, 2, 3, 4} << 4;
    QTest::newRow("and taken again") << four + QList{removeFirstAndThird, undo, redo} << QList<double>{1, 2} << 5;
    QTest::newRow("adds undone") << four + QList{undo, undo} << QList<double>{1, 4} << 2;
    QTest::newRow("a label between") << four + QList{label, removeFirstAndThird, undo, undo, redo}
                                     << QList<double>{1, 2, 3, 4} << 5;
    // As the page has it: a Find MTC that changes nothing is no step.
    const Edit mtc = [](RunsModel& model) { model.setMtc(1, 2.0, 3.0); };
    QTest::newRow("same Find MTC again no step") << four + QList{mtc, mtc} << QList<double>{1, 2, 3, 4} << 5;
    QTest::newRow("same label again no step") << four + QList{label, label} << QList<double>{1, 2, 3, 4} << 5;
}

void TestRunsEdits::stepsKeepTheViewsInStep()
{
    QFETCH(QList<Edit>, edits);
    QFETCH(QList<double>, flows);
    QFETCH(int, undoSteps);
    RunsModel model;
    QSortFilterProxyModel sorted;
    sorted.setSourceModel(&model);
    sorted.setSortRole(RunsModel::SortRole);
    sorted.sort(RunsModel::gasFlowColumn);
    for (const Edit& edit : edits)
        edit(model);
    QCOMPARE(sortedFlows(sorted), flows);
    QCOMPARE(model.undoStack().index(), undoSteps);
}

QTEST_MAIN(TestRunsEdits)
#include "tst_runsedits.moc"
