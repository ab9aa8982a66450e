#include "fixture.h"

#include "ui/Form1.h"
#include "ui/Form3.h"
#include "ui/Module1.h"
#include "ui/application.h"

#include <QApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>
#include <QtTest>

using namespace std::chrono_literals;

namespace {

// Long enough that no real tick arrives while a test drives the handlers.
constexpr std::chrono::milliseconds noTicks = 1h;

QTimer* timerOf(Form3& splash)
{
    return splash.findChild<QTimer*>(QStringLiteral("Timer1"));
}

// Loads and shows a splash as the main window does, but without the modal
// loop, so that the test can drive it.
void showLoaded(Form3& splash)
{
    splash.Form_Load();
    splash.show();
}

// Watches for the splash window being shown and records what the start-up
// looks like at that moment and once its modal loop runs.
class SplashWatch : public QObject {
public:
    explicit SplashWatch(const QWidget& watched)
        : mainWindow(watched)
    {
        qApp->installEventFilter(this);
    }
    ~SplashWatch() override { qApp->removeEventFilter(this); }

    int shows = 0;
    double ticksAtShow = -1.0;
    bool ownerless = false;
    bool appModal = false;
    bool mainVisibleAtShow = true;
    QString activeModal;
    bool mainVisibleInLoop = true;
    int ticks = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* splash = qobject_cast<Form3*>(watched);
        if (!splash || event->type() != QEvent::Show)
            return false;
        ++shows;
        ticksAtShow = Module1::splashTicks;
        ownerless = splash->parentWidget() == nullptr;
        appModal = splash->windowModality() == Qt::ApplicationModal;
        mainVisibleAtShow = mainWindow.isVisible();
        connect(timerOf(*splash), &QTimer::timeout, this, [this] { ++ticks; });
        QTimer::singleShot(0, this, [this] {
            if (const QWidget* modal = QApplication::activeModalWidget())
                activeModal = modal->objectName();
            mainVisibleInLoop = mainWindow.isVisible();
        });
        return false;
    }

private:
    const QWidget& mainWindow;
};

}  // namespace

class TestForm3 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void window();
    void picture_data();
    void picture();
    void centred();
    void ticks_data();
    void ticks();
    void click_data();
    void click();
    void keyPress_data();
    void keyPress();
    void defaultInterval();
    void startUp();

private:
    std::chrono::milliseconds defaultTickInterval{};
};

void TestForm3::initTestCase()
{
    ui::prepareApplication();
    defaultTickInterval = Form3::tickInterval;
}

void TestForm3::init()
{
    startWindowTest();
    Module1::splashTicks = 0.0;
    Form3::tickInterval = noTicks;
}

void TestForm3::cleanup()
{
    Form3::tickInterval = defaultTickInterval;
    QVERIFY(endWindowTest());
}

void TestForm3::window()
{
    Form3 splash;
    QCOMPARE(splash.objectName(), QStringLiteral("Form3"));
    QCOMPARE(splash.windowTitle(), QStringLiteral("Form3"));
    QVERIFY(splash.windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(splash.parentWidget(), nullptr);
    QCOMPARE(splash.minimumSize(), QSize(513, 508));
    QCOMPARE(splash.maximumSize(), QSize(513, 508));

    QTimer* timer = timerOf(splash);
    QVERIFY(timer);
    QVERIFY(!timer->isActive());

    showLoaded(splash);
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    QCOMPARE(splash.size(), QSize(513, 508));
    QVERIFY(timer->isActive());
    QCOMPARE(splash.focusWidget(), nullptr);
    splash.close();
}

void TestForm3::picture_data()
{
    QTest::addColumn<QPoint>("point");

    QTest::newRow("top-left") << QPoint(0, 0);
    QTest::newRow("top-right") << QPoint(512, 0);
    QTest::newRow("bottom-left") << QPoint(0, 507);
    QTest::newRow("bottom-right") << QPoint(512, 507);
    QTest::newRow("inside") << QPoint(256, 120);
}

void TestForm3::picture()
{
    QFETCH(QPoint, point);

    const QImage original(QStringLiteral(":/assets/splash.png"));
    QCOMPARE(original.size(), QSize(521, 511));

    Form3 splash;
    showLoaded(splash);
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    const QImage shown = splash.grab().toImage();
    splash.close();

    QCOMPARE(shown.size(), QSize(513, 508));
    QCOMPARE(shown.pixelColor(point).name(), original.pixelColor(point).name());
}

void TestForm3::centred()
{
    Form3 splash;
    splash.Form_Load();
    const QPoint offset = splash.frameGeometry().center() - splash.screen()->geometry().center();
    QVERIFY2(qAbs(offset.x()) <= 1 && qAbs(offset.y()) <= 1,
             qPrintable(QStringLiteral("%1 px off centre, %2 px down").arg(offset.x()).arg(offset.y())));
}

void TestForm3::ticks_data()
{
    QTest::addColumn<double>("before");
    QTest::addColumn<bool>("openAfter");
    QTest::addColumn<double>("after");

    QTest::newRow("first tick") << 0.0 << true << 1.0;
    QTest::newRow("tick to exactly 100 stays open") << 99.0 << true << 100.0;
    QTest::newRow("101st tick closes and resets") << 100.0 << false << 0.0;
    QTest::newRow("count already past 101 closes") << 250.0 << false << 0.0;
}

void TestForm3::ticks()
{
    QFETCH(double, before);
    QFETCH(bool, openAfter);
    QFETCH(double, after);

    Form3 splash;
    showLoaded(splash);
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    Module1::splashTicks = before;

    splash.Timer1_Timer();

    QCOMPARE(Module1::splashTicks, after);
    QCOMPARE(splash.isVisible(), openAfter);
    QCOMPARE(timerOf(splash)->isActive(), openAfter);
    splash.close();
}

void TestForm3::click_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<QPoint>("point");

    QTest::newRow("left, centre") << Qt::LeftButton << QPoint(256, 254);
    QTest::newRow("left, bottom-right corner") << Qt::LeftButton << QPoint(512, 507);
}

void TestForm3::click()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(QPoint, point);

    Form3 splash;
    showLoaded(splash);
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    Module1::splashTicks = 37.0;

    QTest::mouseClick(&splash, button, {}, point);

    QVERIFY(!splash.isVisible());
    QVERIFY(!timerOf(splash)->isActive());
    QCOMPARE(Module1::splashTicks, 37.0);
}

void TestForm3::keyPress_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("text");  // null: the text QTest gives the key
    QTest::addColumn<bool>("closes");

    const Qt::KeyboardModifiers none;
    QTest::newRow("a") << Qt::Key_A << none << QString() << true;
    QTest::newRow("space") << Qt::Key_Space << none << QString() << true;
    QTest::newRow("Enter") << Qt::Key_Return << none << QString() << true;
    QTest::newRow("keypad Enter") << Qt::Key_Enter << Qt::KeyboardModifiers(Qt::KeypadModifier) << QString() << true;
    QTest::newRow("Escape") << Qt::Key_Escape << none << QString() << true;
    QTest::newRow("Backspace") << Qt::Key_Backspace << none << QString() << true;
    QTest::newRow("Tab") << Qt::Key_Tab << none << QString() << true;
    QTest::newRow("Shift") << Qt::Key_Shift << none << QString() << false;
    QTest::newRow("Ctrl") << Qt::Key_Control << none << QString() << false;
    QTest::newRow("left arrow") << Qt::Key_Left << none << QString() << false;
    QTest::newRow("F1") << Qt::Key_F1 << none << QString() << false;
    // As X11 delivers it, with the text DEL.
    QTest::newRow("Delete") << Qt::Key_Delete << none << QStringLiteral("\x7f") << false;
}

void TestForm3::keyPress()
{
    QFETCH(Qt::Key, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, text);
    QFETCH(bool, closes);

    Form3 splash;
    showLoaded(splash);
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    Module1::splashTicks = 64.0;

    if (text.isNull())
        QTest::keyClick(&splash, key, modifiers);
    else
        QTest::sendKeyEvent(QTest::Click, &splash, key, text, modifiers);

    QCOMPARE(splash.isVisible(), !closes);
    QCOMPARE(splash.result(), closes ? int(QDialog::Accepted) : int(QDialog::Rejected));
    QCOMPARE(Module1::splashTicks, 64.0);
    splash.close();
}

void TestForm3::defaultInterval()
{
    const auto shown = 101 * defaultTickInterval;
    QVERIFY2(shown >= 1s && shown <= 2s, qPrintable(QStringLiteral("%1 ms").arg(shown.count())));

    Form3::tickInterval = defaultTickInterval;
    Form3 splash;
    QCOMPARE(timerOf(splash)->intervalAsDuration(), defaultTickInterval);
}

void TestForm3::startUp()
{
    Form3::tickInterval = 3ms;
    Form1 form;
    Module1::splashTicks = 55.0;
    SplashWatch watch(form);

    form.Form_Load();

    QCOMPARE(watch.shows, 1);
    QCOMPARE(watch.ticksAtShow, 0.0);
    QVERIFY(watch.ownerless);
    QVERIFY(watch.appModal);
    QVERIFY(!watch.mainVisibleAtShow);
    QCOMPARE(watch.activeModal, QStringLiteral("Form3"));
    QVERIFY(!watch.mainVisibleInLoop);
    QCOMPARE(watch.ticks, 101);
    QCOMPARE(Module1::splashTicks, 0.0);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);

    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTRY_COMPARE(QApplication::focusWidget(), form.findChild<QLineEdit*>(QStringLiteral("Text1")));
    form.close();
}

QTEST_MAIN(TestForm3)
#include "tst_form3.moc"
