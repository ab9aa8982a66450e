#include "fixture.h"
#include "series/series.h"
#include "ui/analysiswindow.h"
#include "ui/runsmodel.h"

#include <QCheckBox>
#include <QLabel>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;

// The analysis window's weighting box: off, greyed and explained while a run
// in the fit has no uncertainty, the user's choice again once all have one.
class TestWeighting : public QObject {
    Q_OBJECT

private slots:
    void init() { startWindowTest(); }
    void cleanup() { QVERIFY(endWindowTest()); }
    void boxFollowsTheRuns();
    void fitWaitsForTheUncertainties();
};

namespace {

// Six runs at three gas and two water flows, with packing heights.
void addSixRuns(RunsModel& model)
{
    for (const double water : {4.0, 8.0}) {
        for (const double gas : {1.0, 2.0, 3.0}) {
            series::Run run;
            run.inputs = {0.02, 0.002 * gas * 4.0 / water, gas, water};
            run.packingHeight = 2.0;
            model.addRun(run, series::computeRun(run));
        }
    }
}

}  // namespace

void TestWeighting::boxFollowsTheRuns()
{
    RunsModel model;
    addSixRuns(model);
    model.setDefaultUncertainties({0.02, 0.02, 0.0005, 0.0005, 0.005});
    AnalysisWindow window(model);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* box = window.findChild<QCheckBox*>(u"weightedFit"_s);
    auto* reason = window.findChild<QLabel*>(u"unweightedReason"_s);
    QVERIFY(box && reason);
    const QString run3 = u"Unweighted because run 3 has no uncertainty."_s;
    const auto exclude = [&model](bool out) {
        model.setData(model.index(2, RunsModel::excludedColumn), out ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
    };
    const auto shown = [](bool enabled, bool checked, const QString& why, bool weighted) {
        return u"enabled %1, checked %2, reason '%3', weighted %4"_s.arg(enabled).arg(checked).arg(why).arg(weighted);
    };
    const struct {
        std::function<void()> change;
        bool enabled, checked;
        QString why;
    } steps[] = {
        {[] {}, true, true, {}},
        {[&] {
             model.setRunUncertainties(2, {0.0, 0.0, 0.0, 0.0, 0.0});
         },
         false, false, run3},
        {[&] { exclude(true); }, true, true, {}},  // the wish to weight comes back
        {[&] { box->click(); }, true, false, {}},
        {[&] { exclude(false); }, false, false, run3},
        {[&] { exclude(true); }, true, false, {}},  // as the user left it
    };
    for (const auto& step : steps) {
        step.change();
        QTRY_VERIFY_WITH_TIMEOUT(model.knownUncertainties().has_value(), 60000);
        const auto now = [&] {
            const auto* law = std::get_if<series::PowerLaw>(&window.analysis().fit);
            return shown(box->isEnabled(), box->isChecked(), reason->isVisible() ? reason->text() : QString(),
                         law && law->weighted);
        };
        QTRY_COMPARE(now(), shown(step.enabled, step.checked, step.why, step.enabled && step.checked));
        // Said once, beside the box, not again in the fit's lines.
        QVERIFY(step.why.isEmpty() || !window.fitText().split(u'\n').contains(step.why));
    }
}

// While the uncertainties compute, the window shows no fit and says what it
// waits for; then the weighted fit, never the unweighted one as the answer.
void TestWeighting::fitWaitsForTheUncertainties()
{
    RunsModel model;
    addSixRuns(model);
    model.setDefaultUncertainties({0.02, 0.02, 0.0005, 0.0005, 0.005});
    // Opened before the computing could start: every run is pending.
    AnalysisWindow window(model);
    auto* box = window.findChild<QCheckBox*>(u"weightedFit"_s);
    auto* reason = window.findChild<QLabel*>(u"unweightedReason"_s);
    QVERIFY(box && reason);
    QCOMPARE(window.fitText().split(u'\n').first(),
             u"The weighted fit waits for the uncertainties: 0 of 6 runs done."_s);
    QVERIFY(std::holds_alternative<series::NotGiven>(window.analysis().fit));
    QVERIFY(box->isEnabled() && box->isChecked() && reason->text().isEmpty());
    QTRY_VERIFY_WITH_TIMEOUT(model.knownUncertainties().has_value(), 60000);
    QTRY_VERIFY(std::holds_alternative<series::PowerLaw>(window.analysis().fit));
    QVERIFY(std::get<series::PowerLaw>(window.analysis().fit).weighted);
    QVERIFY(!window.fitText().contains(u"waits"_s));
}

QTEST_MAIN(TestWeighting)
#include "tst_weighting.moc"
