#include "fixture.h"
#include "series/series.h"
#include "ui/analysiswindow.h"
#include "ui/runsmodel.h"

#include <QCheckBox>
#include <QLabel>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;

// The analysis window's weighting box follows the runs: off, greyed and
// explained while a run in the fit has no uncertainty, back to the user's
// choice once every run has one.
class TestWeighting : public QObject {
    Q_OBJECT

private slots:
    void init() { startWindowTest(); }
    void cleanup() { QVERIFY(endWindowTest()); }
    void boxFollowsTheRuns();
};

void TestWeighting::boxFollowsTheRuns()
{
    RunsModel model;
    for (const double water : {4.0, 8.0}) {
        for (const double gas : {1.0, 2.0, 3.0}) {
            series::Run run;
            run.inputs = {0.02, 0.002 * gas * 4.0 / water, gas, water};
            run.packingHeight = 2.0;
            model.addRun(run, series::computeRun(run));
        }
    }
    model.setDefaultUncertainties({0.02, 0.02, 0.0005, 0.0005, 0.005});
    AnalysisWindow window(model);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* box = window.findChild<QCheckBox*>(u"weightedFit"_s);
    auto* reason = window.findChild<QLabel*>(u"unweightedReason"_s);
    QVERIFY(box && reason);
    const QString run3 = u"Unweighted because run 3 has no uncertainty."_s;
    const auto exclude = [&model](bool excluded) {
        QVERIFY(model.setData(model.index(2, RunsModel::excludedColumn), excluded ? Qt::Checked : Qt::Unchecked,
                              Qt::CheckStateRole));
    };

    struct Step {
        const char* name;
        std::function<void()> change;
        bool enabled;
        bool checked;
        QString why;  // empty: the label hidden
    };
    const Step steps[] = {
        {"every run has an uncertainty", [] {}, true, true, {}},
        {"run 3 loses its own",
         [&] {
             model.setRunUncertainties(2, {0.0, 0.0, 0.0, 0.0, 0.0});
         },
         false, false, run3},
        {"run 3 excluded: the wish to weight comes back", [&] { exclude(true); }, true, true, {}},
        {"the user unticks", [&] { box->click(); }, true, false, {}},
        {"run 3 back in", [&] { exclude(false); }, false, false, run3},
        {"run 3 out again: the box stays as the user left it", [&] { exclude(true); }, true, false, {}},
    };
    for (const Step& step : steps) {
        step.change();
        QTRY_VERIFY_WITH_TIMEOUT(model.knownUncertainties().has_value(), 60000);
        // The box, its reason and the fit, as one text to wait for: the
        // refit comes after the burst of changes.
        const auto shown = [&] {
            const auto* law = std::get_if<series::PowerLaw>(&window.analysis().fit);
            return u"enabled %1, checked %2, reason '%3', weighted %4"_s.arg(box->isEnabled())
                .arg(box->isChecked())
                .arg(reason->isVisible() ? reason->text() : QString())
                .arg(law && law->weighted);
        };
        QTRY_COMPARE(shown(),
                     u"enabled %1, checked %2, reason '%3', weighted %4"_s.arg(step.enabled)
                         .arg(step.checked)
                         .arg(step.why)
                         .arg(step.enabled && step.checked));
        if (!step.why.isEmpty())
            QVERIFY2(window.fitText().split(u'\n').contains(step.why), qPrintable(window.fitText()));
    }
    window.close();
}

QTEST_MAIN(TestWeighting)
#include "tst_weighting.moc"
