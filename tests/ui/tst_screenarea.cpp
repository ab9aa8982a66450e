#include "fixture.h"
#include "ui/Form1.h"
#include "ui/analysiswindow.h"
#include "ui/runswindow.h"
#include "ui/session.h"

#include <QScreen>
#include <QTest>

// Windows come up inside the free area of their screen, at most its size:
// a 1366 x 768 laptop with a second screen to its left, at negative x.
class TestScreenArea : public QObject {
    Q_OBJECT

private slots:
    void init() { startWindowTest(); }
    void cleanup() { QVERIFY(endWindowTest()); }
    void windowsOfTheSession_data();
    void windowsOfTheSession();
};

void TestScreenArea::windowsOfTheSession_data()
{
    QTest::addColumn<QPoint>("mainAt");
    // Centred over it, the runs window once started at x = -424.
    QTest::newRow("main window at the laptop's left edge") << QPoint(0, 60);
    QTest::newRow("main window at the laptop's bottom right") << QPoint(1000, 340);
    QTest::newRow("main window on the screen to the left") << QPoint(-1920, 500);
}

void TestScreenArea::windowsOfTheSession()
{
    QFETCH(QPoint, mainAt);
    if (QGuiApplication::screens().size() != 2)
        QSKIP("needs the two screens of twoscreens.json");
    Form1 form;
    Session session(form);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.move(mainAt);
    QTRY_COMPARE(form.frameGeometry().topLeft(), mainAt);
    session.showRuns();
    session.showAnalysis();
    const QRect free = QGuiApplication::screenAt(mainAt)->availableGeometry();
    for (QWidget* window : {static_cast<QWidget*>(form.findChild<RunsWindow*>()),
                            static_cast<QWidget*>(form.findChild<AnalysisWindow*>())}) {
        QVERIFY(window && QTest::qWaitForWindowExposed(window));
        QVERIFY2(free.contains(window->frameGeometry()), window->metaObject()->className());
    }
}

QTEST_MAIN(TestScreenArea)
#include "tst_screenarea.moc"
