#include "fixture.h"
#include "ui/Form1.h"
#include "ui/analysiswindow.h"
#include "ui/centring.h"
#include "ui/runswindow.h"
#include "ui/session.h"

#include <QScreen>
#include <QTest>

#include <memory>

// Windows come up inside the free area of the screen they belong to, at
// most its size: on a 1366 x 768 laptop with a second screen to its left.
class TestScreenArea : public QObject {
    Q_OBJECT

private slots:
    void init() { startWindowTest(); }
    void cleanup() { QVERIFY(endWindowTest()); }
    void centredOver_data();
    void centredOver();
    void fittedSize_data();
    void fittedSize();
    void windowsOfTheSession_data();
    void windowsOfTheSession();
};

namespace {

const QRect laptop(0, 0, 1366, 768);
const QRect leftScreen(-1920, 0, 1920, 1080);

}  // namespace

void TestScreenArea::centredOver_data()
{
    QTest::addColumn<QRect>("other");
    QTest::addColumn<QSize>("outer");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QPoint>("placed");

    // Centred over a main window at the screen's left edge, the runs
    // window once started at x = -424.
    QTest::newRow("over a window at the left edge")
        << QRect(0, 100, 353, 420) << QSize(1200, 480) << laptop << QPoint(0, 69);
    QTest::newRow("fits, centred") << QRect(500, 200, 353, 420) << QSize(600, 400) << laptop << QPoint(376, 209);
    QTest::newRow("screen to the left at negative x")
        << QRect(-1900, 600, 353, 420) << QSize(1200, 520) << leftScreen << QPoint(-1920, 549);
    QTest::newRow("wider than the screen") << QRect(500, 200, 353, 420) << QSize(1500, 520) << laptop << QPoint(0, 149);
}

void TestScreenArea::centredOver()
{
    QFETCH(QRect, other);
    QFETCH(QSize, outer);
    QFETCH(QRect, available);
    QFETCH(QPoint, placed);
    QCOMPARE(ui::centredOver(other, outer, available), placed);
}

void TestScreenArea::fittedSize_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QSize>("minimum");
    QTest::addColumn<QSize>("fitted");

    QTest::newRow("fits") << QSize(1200, 480) << QSize(640, 300) << QSize(1200, 480);
    QTest::newRow("cut to the area, frame included") << QSize(1600, 900) << QSize(640, 300) << QSize(1358, 740);
    QTest::newRow("never below its minimum") << QSize(1600, 480) << QSize(1400, 300) << QSize(1400, 480);
}

void TestScreenArea::fittedSize()
{
    QFETCH(QSize, size);
    QFETCH(QSize, minimum);
    QFETCH(QSize, fitted);
    QCOMPARE(ui::fittedSize(size, minimum, QMargins(4, 24, 4, 4), laptop.size()), fitted);
}

void TestScreenArea::windowsOfTheSession_data()
{
    QTest::addColumn<QPoint>("mainAt");
    QTest::addColumn<QRect>("screen");

    QTest::newRow("main window at the laptop's left edge") << QPoint(0, 60) << laptop;
    QTest::newRow("main window at the laptop's bottom right") << QPoint(1000, 340) << laptop;
    QTest::newRow("main window on the screen to the left") << QPoint(-1920, 500) << leftScreen;
}

void TestScreenArea::windowsOfTheSession()
{
    QFETCH(QPoint, mainAt);
    QFETCH(QRect, screen);
    if (QGuiApplication::screens().size() != 2)
        QSKIP("needs the two screens of twoscreens.json");
    auto form = std::make_unique<Form1>();
    Session session(*form);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    form->move(mainAt);
    QTRY_COMPARE(form->frameGeometry().topLeft(), mainAt);
    session.showRuns();
    session.showAnalysis();
    for (QWidget* window : {static_cast<QWidget*>(form->findChild<RunsWindow*>()),
                            static_cast<QWidget*>(form->findChild<AnalysisWindow*>())}) {
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QRect frame = window->frameGeometry();
        const QRect free = QGuiApplication::screenAt(screen.center())->availableGeometry();
        QVERIFY2(free.contains(frame),
                 qPrintable(u"%1: %2,%3 %4x%5 outside %6,%7 %8x%9"_qs.arg(window->objectName())
                                .arg(frame.x())
                                .arg(frame.y())
                                .arg(frame.width())
                                .arg(frame.height())
                                .arg(free.x())
                                .arg(free.y())
                                .arg(free.width())
                                .arg(free.height())));
    }
}

QTEST_MAIN(TestScreenArea)
#include "tst_screenarea.moc"
