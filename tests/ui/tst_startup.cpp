// The program's start: the splash first, the main window made behind it,
// and the series' windows and the help made only when asked for.

#include "fixture.h"

#include "ui/Form1.h"
#include "ui/Form3.h"
#include "ui/analysiswindow.h"
#include "ui/help.h"
#include "ui/runswindow.h"
#include "ui/session.h"

#include <QAction>
#include <QApplication>
#include <QScreen>
#include <QTableView>
#include <QTest>

#include <memory>

class TestStartup : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void mainWindowMadeBehindTheSplash();
    void windowsMadeWhenAsked_data();
    void windowsMadeWhenAsked();

private:
    // Starts as the program does; false, logged, when the main window was
    // made before the splash was on screen.
    bool start();

    std::chrono::milliseconds defaultTickInterval{};
    std::unique_ptr<Form1> form;
    std::unique_ptr<Session> session;
};

void TestStartup::init()
{
    startWindowTest();
    defaultTickInterval = Form3::tickInterval;
    // A tenth of a second of splash.
    Form3::tickInterval = std::chrono::milliseconds(1);
}

void TestStartup::cleanup()
{
    Form3::tickInterval = defaultTickInterval;
    session.reset();
    form.reset();
    QVERIFY(endWindowTest());
}

bool TestStartup::start()
{
    bool splashShown = false;
    Form1& built = Form1::loadBehindSplash([this, &splashShown]() -> Form1& {
        for (QWidget* window : QApplication::topLevelWidgets())
            splashShown |= qobject_cast<Form3*>(window) && window->isVisible();
        form = std::make_unique<Form1>();
        session = std::make_unique<Session>(*form);
        return *form;
    });
    if (&built != form.get() || !splashShown) {
        qWarning("the main window was made before the splash showed");
        return false;
    }
    built.show();
    return QTest::qWaitForWindowExposed(&built);
}

void TestStartup::mainWindowMadeBehindTheSplash()
{
    QVERIFY(start());
    // Centred as before, once the splash has gone.
    const QRect screen = form->screen()->geometry();
    QVERIFY(qAbs(form->frameGeometry().center().x() - screen.center().x()) <= 1);
    for (QWidget* window : QApplication::topLevelWidgets())
        QVERIFY2(!qobject_cast<Form3*>(window), "the splash is left");
    // Nothing is computed in the background before a run is asked for.
    QVERIFY(!session->runs().uncertainties().busy());
}

void TestStartup::windowsMadeWhenAsked_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("window");
    QTest::newRow("runs") << "showRuns" << RunsWindow::staticMetaObject.className();
    QTest::newRow("series analysis") << "showAnalysis" << AnalysisWindow::staticMetaObject.className();
    QTest::newRow("method and data") << "help_method" << MethodWindow::staticMetaObject.className();
}

void TestStartup::windowsMadeWhenAsked()
{
    QFETCH(QString, action);
    QFETCH(QString, window);
    QVERIFY(start());
    const auto made = [this, &window] {
        QList<QWidget*> found;
        for (QWidget* child : form->findChildren<QWidget*>())
            if (child->inherits(window.toLatin1()))
                found.append(child);
        return found;
    };
    QVERIFY(made().isEmpty());
    QVERIFY(calculate(*form, exampleA));
    QVERIFY(made().isEmpty());

    // Asked twice, made once, and showing the series as it is.
    for (int asked = 0; asked < 2; ++asked)
        form->findChild<QAction*>(action)->trigger();
    QCOMPARE(made().size(), 1);
    QVERIFY(QTest::qWaitForWindowExposed(made().first()));
    if (auto* table = made().first()->findChild<QTableView*>())
        QCOMPARE(table->model()->rowCount(), 1);
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
