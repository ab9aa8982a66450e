#include "fixture.h"
#include "placement.h"

#include "ui/Form1.h"
#include "ui/Form2.h"
#include "ui/Form3.h"
#include "ui/Module1.h"
#include "ui/application.h"

#include <QApplication>
#include <QTest>

#include <chrono>
#include <functional>
#include <memory>

// Where the three windows come up, frame included, on the platform and
// screen the test runs on: under X11 with a reparenting window manager, and
// on a screen smaller than the windows. QUILLON_SMALL_SCREEN=1 tells that
// the screen is set up smaller than the windows' frames.
class TestPlacement : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init() { startWindowTest(); }
    void cleanup() { QVERIFY(endWindowTest()); }
    void placed_data();
    void placed();
};

using MakeWindow = std::function<std::unique_ptr<QWidget>()>;
Q_DECLARE_METATYPE(MakeWindow)

void TestPlacement::initTestCase()
{
    ui::prepareApplication();
    Form3::tickInterval = std::chrono::milliseconds(1);
}

void TestPlacement::placed_data()
{
    QTest::addColumn<MakeWindow>("make");
    QTest::addColumn<bool>("framed");

    QTest::newRow("main window") << MakeWindow([] {
        auto form = std::make_unique<Form1>();
        form->Form_Load();
        return std::unique_ptr<QWidget>(std::move(form));
    }) << true;
    QTest::newRow("graph window") << MakeWindow([] {
        Module1::fractions = {0.02, 0.05, 0.01};
        auto chart = std::make_unique<Form2>();
        chart->Form_Load();
        return std::unique_ptr<QWidget>(std::move(chart));
    }) << true;
    QTest::newRow("splash window") << MakeWindow([] {
        auto splash = std::make_unique<Form3>();
        splash->Form_Load();
        return std::unique_ptr<QWidget>(std::move(splash));
    }) << false;
}

void TestPlacement::placed()
{
    QFETCH(MakeWindow, make);
    QFETCH(bool, framed);
    const bool smallScreen = qEnvironmentVariableIntValue("QUILLON_SMALL_SCREEN") == 1;
    const bool windowManager = QGuiApplication::platformName() == u"xcb";

    const std::unique_ptr<QWidget> window = make();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    if (windowManager && framed) {
        // A reparenting window manager has put its frame around the window.
        QTRY_VERIFY(window->frameGeometry().top() < window->geometry().top());
    }
    const QRect frameWhenShown = window->frameGeometry();
    QCOMPARE(largerThanFreeArea(*window), smallScreen);

    QString where;
    QVERIFY2(placedOnScreen(*window, where), qPrintable(where));
    // Placed before it was shown: the window manager has nothing to move.
    QTest::qWait(100);
    QCOMPARE(window->frameGeometry(), frameWhenShown);
    window->close();
}

QTEST_MAIN(TestPlacement)
#include "tst_placement.moc"
