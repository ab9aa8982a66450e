#include "fixture.h"
#include "modalboxes.h"

#include "ui/Form1.h"
#include "ui/Form3.h"
#include "ui/Module1.h"
#include "ui/application.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(TypedRun)

// Whatever is typed or clicked, Quillon reports it and goes on: every fault
// the main window can reach, driven through the real widgets, and a long
// session that must leave nothing behind.
class TestReliability : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void faultsThroughTheWindow_data();
    void faultsThroughTheWindow();
    void graphOverflowThroughTheMenu();
    void longSession();

private:
    bool calculate(const TypedRun& run) { return ::calculate(*form, run); }
    QString text(const char* name) const { return fieldText(*form, name); }

    std::unique_ptr<Form1> form;
};

void TestReliability::initTestCase()
{
    ui::prepareApplication();
    Form3::tickInterval = std::chrono::milliseconds(1);
}

void TestReliability::init()
{
    startWindowTest();
    form = std::make_unique<Form1>();
}

void TestReliability::cleanup()
{
    form.reset();
    QVERIFY(endWindowTest());
}

void TestReliability::faultsThroughTheWindow_data()
{
    QTest::addColumn<TypedRun>("run");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("balanceShown");

    QTest::newRow("outlet ratio of -1") << TypedRun{"0.2", "0.5", "4", "5"} << "Division by zero" << false;
    QTest::newRow("flow ratio overflows") << TypedRun{"0.02", "0.01", "1e300", "1e-300"} << "Overflow" << false;
    QTest::newRow("balance overflows") << TypedRun{"0.02", "0.01", "1e-300", "1e300"} << "Overflow" << false;
    QTest::newRow("integration overflows") << TypedRun{"0.02", "0.01", "1e160", "1"} << "Overflow" << true;
    // flowFactor is exactly 0, so the denominator is Y itself, and Y steps
    // down from 500000 to -499999 units of 2^-20: it reaches 0 exactly.
    QTest::newRow("denominator reaches zero")
        << TypedRun{"-0.27952523067079743", "-1.024417840751956", "0.83443708609271527", "1"} << "Division by zero"
        << true;
}

void TestReliability::faultsThroughTheWindow()
{
    QFETCH(TypedRun, run);
    QFETCH(QString, kind);
    QFETCH(bool, balanceShown);

    ModalBoxes boxes;
    QVERIFY(calculate(exampleA));
    QCOMPARE(boxes.count(), 0);

    QVERIFY(calculate(run));
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.seen().first().title, kind);
    QVERIFY(boxes.seen().first().text.startsWith(kind));
    QCOMPARE(boxes.seen().first().icon, QMessageBox::NoIcon);
    QCOMPARE(text("Text7") != QStringLiteral("0.0102"), balanceShown);
    QCOMPARE(text("Text4"), QStringLiteral("0.6355"));
    // A broken-off integration leaves no NTU for Find MTC to use.
    QCOMPARE(form->state().ntu == 0.0, balanceShown);

    QVERIFY(calculate(exampleB));
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(text("Text4"), QStringLiteral("1.0241"));
}

void TestReliability::graphOverflowThroughTheMenu()
{
    ModalBoxes boxes(ModalBoxes::closeWindows);
    // A completed run whose x1 lies far beyond single precision on the chart.
    QVERIFY(calculate({"0.02", "-1e300", "1", "1"}));
    QCOMPARE(boxes.count(), 0);

    form->findChild<QAction*>("graph_start")->trigger();
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.seen().last().title, QStringLiteral("Overflow"));
    QCOMPARE(boxes.closed(), QStringList{"Form2"});

    QVERIFY(calculate(exampleB));
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(text("Text4"), QStringLiteral("1.0241"));
}

void TestReliability::longSession()
{
    const int windowsBefore = int(QApplication::topLevelWidgets().size());
    ModalBoxes boxes(ModalBoxes::closeWindows);
    const QList<TypedRun> runs{exampleA, exampleB, {"0", "0", "0", "0"}, {"0.2", "0.5", "4", "5"}};
    int expectedBoxes = 0;
    for (int click = 0; click < 1000; ++click) {
        // Mostly completed runs, with a rejection and a fault now and then.
        const int run = click % 10 < 8 ? click % 2 : 2 + click % 2;
        QVERIFY(calculate(runs[run]));
        expectedBoxes += run >= 2 ? 1 : 0;
    }
    QVERIFY(calculate(runs[1]));
    QCOMPARE(boxes.count(), expectedBoxes);
    QCOMPARE(text("Text4"), QStringLiteral("1.0241"));

    // The last click completed, so every opening draws without a box.
    for (int opening = 0; opening < 100; ++opening)
        form->findChild<QAction*>("graph_start")->trigger();
    QCOMPARE(boxes.closed().size(), 100);
    QCOMPARE(boxes.count(), expectedBoxes);

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(int(QApplication::topLevelWidgets().size()), windowsBefore);
}

QTEST_MAIN(TestReliability)
#include "tst_reliability.moc"
