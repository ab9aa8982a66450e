#include "fixture.h"
#include "layoutcheck.h"
#include "modalboxes.h"

#include "ui/Form1.h"
#include "ui/Form2.h"
#include "ui/Form3.h"
#include "ui/Module1.h"
#include "ui/application.h"
#include "ui/numbertext.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QScreen>
#include <QTest>

#include <chrono>

namespace {

// The narrowest box on which a window manager still shows a short title
// beside its title-bar buttons.
constexpr int narrowestBox = 240;

const QChar ellipsis(0x2026);

// What each input field stores when it converts.
double stored(const Form1& form, const QString& field)
{
    if (field == u"Text1")
        return form.state().gasFlow;
    if (field == u"Text3")
        return form.state().waterFlow;
    return field == u"Text2" ? Module1::fractions.y1 : Module1::fractions.x1;
}

// The window and every widget in it carry the layout's font size.
bool inLayoutFont(const QWidget& window, QString& failure)
{
    const int size = ui::layoutFont().pixelSize();
    if (window.font().pixelSize() != size) {
        failure = window.objectName();
        return false;
    }
    for (const QWidget* child : window.findChildren<QWidget*>()) {
        if (child->font().pixelSize() != size) {
            failure = QStringLiteral("%1 (%2)").arg(child->objectName(), child->metaObject()->className());
            return false;
        }
    }
    return true;
}

}  // namespace

// The sound-behaviour changes of a hardening pass, each met through the
// window where a user meets it.
Q_DECLARE_METATYPE(TypedRun)

class TestHardening : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void typedTextShownAsTyped_data();
    void typedTextShownAsTyped();
    void longPasteShortenedInTheBox();
    void boxesFitTheirTitles_data();
    void boxesFitTheirTitles();

    void outOfRangeNumbers_data();
    void outOfRangeNumbers();

    void layoutFontWhateverTheTheme();

    void splashClosesOnAClick_data();
    void splashClosesOnAClick();
    void splashHasNoIcon();

    void graphFaultSaysDrawingStopped();
    void fractionTipInTheUsersLocale_data();
    void fractionTipInTheUsersLocale();
};

void TestHardening::initTestCase()
{
    ui::prepareApplication();
    Form3::tickInterval = std::chrono::milliseconds(1);
}

void TestHardening::init()
{
    startWindowTest();
}

void TestHardening::cleanup()
{
    // Also drops the fonts a test set for whole widget classes.
    ui::prepareApplication();
    QVERIFY(endWindowTest());
}

void TestHardening::typedTextShownAsTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("bold markup") << "<b>7</b>";
    QTest::newRow("picture from a local file") << "<img src=\"/some/local/file.png\">";
    QTest::newRow("entity") << "&lt;7&gt;";
    QTest::newRow("line break tag") << "7<br>8";
}

void TestHardening::typedTextShownAsTyped()
{
    QFETCH(QString, typed);
    Form1 form;
    ModalBoxes boxes;
    QVERIFY(typeInto(form, "Text2", typed));
    QVERIFY(clickOn(form, "Command1"));

    QCOMPARE(boxes.count(), 1);
    const ModalBoxes::Box box = boxes.seen().first();
    QCOMPARE(box.textFormat, Qt::PlainText);
    QVERIFY2(box.text.contains("Gas Inlet %NH3 holds \"" + typed + "\""), qPrintable(box.text));
}

void TestHardening::longPasteShortenedInTheBox()
{
    QString pasted;
    while (pasted.size() < 10000)
        pasted += QStringLiteral("paste ");
    pasted.truncate(10000);

    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto* field = form.findChild<QLineEdit*>("Text1");
    QApplication::clipboard()->setText(pasted);
    field->setFocus();
    field->selectAll();
    QTest::keySequence(field, QKeySequence::Paste);
    QCOMPARE(field->text(), pasted);

    // The fields before it hold their "0", which converts.
    ModalBoxes boxes;
    QVERIFY(clickOn(form, "Command1"));
    QCOMPARE(boxes.count(), 1);
    const ModalBoxes::Box box = boxes.seen().first();
    QVERIFY2(box.text.contains("\"" + pasted.left(40) + ellipsis + "\""), qPrintable(box.text));
    QVERIFY(!box.text.contains(pasted.left(41)));
    const QSize screen = form.screen()->availableGeometry().size();
    QVERIFY2(box.size.width() <= screen.width() && box.size.height() <= screen.height(),
             qPrintable(QStringLiteral("%1x%2").arg(box.size.width()).arg(box.size.height())));
    QCOMPARE(field->text(), pasted);
    form.close();
}

void TestHardening::boxesFitTheirTitles_data()
{
    QTest::addColumn<TypedRun>("run");
    QTest::addColumn<QString>("title");

    QTest::newRow("invalid data") << TypedRun{"0", "0", "0", "0"} << "ERROR";
    QTest::newRow("not a number") << TypedRun{"abc", "0.01", "1", "1"} << "Not a number";
    QTest::newRow("too large") << TypedRun{"1e999", "0.01", "1", "1"} << "Number too large";
    QTest::newRow("division by zero") << TypedRun{"0.2", "0.5", "4", "5"} << "Division by zero";
}

void TestHardening::boxesFitTheirTitles()
{
    QFETCH(TypedRun, run);
    QFETCH(QString, title);
    Form1 form;
    ModalBoxes boxes;
    QVERIFY(calculate(form, run));
    QCOMPARE(boxes.count(), 1);
    const ModalBoxes::Box box = boxes.seen().first();
    QCOMPARE(box.title, title);
    const int titleWidth = QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(title);
    QVERIFY2(box.size.width() >= qMax(narrowestBox, titleWidth), qPrintable(QString::number(box.size.width())));
}

void TestHardening::outOfRangeNumbers_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("tooLarge");

    const QString zeros400(400, u'0');
    QTest::newRow("1e999 as the water flow") << "Text3"
                                             << "1e999" << true;
    QTest::newRow("400-digit gas flow") << "Text1" << QString(400, u'9') << true;
    QTest::newRow("-1e999 as y1") << "Text2"
                                  << "-1e999" << true;
    QTest::newRow("0.000...0001 with 400 zeros as the gas flow") << "Text1"
                                                                 << "0." + zeros400 + "1" << false;
    QTest::newRow("-1e-400 as the water flow") << "Text3"
                                               << "-1e-400" << false;
    QTest::newRow("1e-400 as x1") << "Text5"
                                  << "1e-400" << false;
}

void TestHardening::outOfRangeNumbers()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(bool, tooLarge);
    const QByteArray name = field.toLatin1();

    Form1 form;
    ModalBoxes boxes;
    QVERIFY(calculate(form, exampleA));
    QCOMPARE(boxes.count(), 0);
    const double before = stored(form, field);

    QVERIFY(typeInto(form, name, typed));
    QVERIFY(clickOn(form, "Command1"));
    if (tooLarge) {
        // Refused: the handler stops at the field, which keeps what it stored before.
        QCOMPARE(boxes.count(), 1);
        const QString text = boxes.seen().first().text;
        const QString fieldName = form.findChild<QLineEdit*>(name)->accessibleName();
        QVERIFY2(text.startsWith(fieldName + " holds \"" + typed.left(40)), qPrintable(text));
        QVERIFY2(text.contains("too large"), qPrintable(text));
        QVERIFY2(!text.contains("not a number"), qPrintable(text));
        QCOMPARE(stored(form, field), before);
        return;
    }

    // Read as zero, the handler goes on exactly as with a typed 0.
    QCOMPARE(stored(form, field), 0.0);
    const QList<ModalBoxes::Box> asTyped = boxes.seen();
    const QString ntu = fieldText(form, "Text4");
    QVERIFY(typeInto(form, name, "0"));
    QVERIFY(clickOn(form, "Command1"));
    QCOMPARE(boxes.count(), 2 * asTyped.size());
    for (qsizetype i = 0; i < asTyped.size(); ++i) {
        QCOMPARE(asTyped[i].title, boxes.seen()[asTyped.size() + i].title);
        QCOMPARE(asTyped[i].text, boxes.seen()[asTyped.size() + i].text);
    }
    QCOMPARE(ntu, fieldText(form, "Text4"));
}

void TestHardening::layoutFontWhateverTheTheme()
{
    // As a platform theme or a user's style might: larger fonts for whole
    // widget classes, set before the windows are built.
    QFont large(QStringLiteral("DejaVu Serif"));
    large.setPixelSize(14);
    large.setBold(true);
    for (const char* widgetClass : {"QWidget", "QLabel", "QPushButton", "QGroupBox", "QLineEdit", "QMenuBar"})
        QApplication::setFont(large, widgetClass);

    QString failure;
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(captionsFit(form));
    QVERIFY2(inLayoutFont(form, failure), qPrintable(failure));
    QVERIFY(!form.findChild<QLabel*>("Label10")->font().bold());
    form.close();

    Form2 chart;
    QVERIFY(chartCaptionsFit(chart));
    QVERIFY2(inLayoutFont(chart, failure), qPrintable(failure));

    Form3 splash;
    QVERIFY2(inLayoutFont(splash, failure), qPrintable(failure));
}

void TestHardening::splashClosesOnAClick_data()
{
    QTest::addColumn<QPoint>("press");    // null: no press
    QTest::addColumn<QPoint>("release");  // null: no release
    QTest::addColumn<bool>("closes");

    const QPoint inside(256, 254);
    const QPoint corner(512, 507);
    const QPoint outside(600, 254);
    QTest::newRow("press and release inside") << inside << inside << true;
    QTest::newRow("press inside, release in the corner") << inside << corner << true;
    QTest::newRow("press alone") << inside << QPoint() << false;
    QTest::newRow("release outside after a press inside") << inside << outside << false;
    QTest::newRow("release alone") << QPoint() << inside << false;
}

void TestHardening::splashClosesOnAClick()
{
    QFETCH(QPoint, press);
    QFETCH(QPoint, release);
    QFETCH(bool, closes);

    Form3::tickInterval = std::chrono::hours(1);
    Form3 splash;
    splash.Form_Load();
    splash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&splash));
    if (!press.isNull())
        QTest::mousePress(&splash, Qt::LeftButton, {}, press);
    QVERIFY(splash.isVisible());
    if (!release.isNull())
        QTest::mouseRelease(&splash, Qt::LeftButton, {}, release);
    QCOMPARE(splash.isVisible(), !closes);
    splash.close();
    Form3::tickInterval = std::chrono::milliseconds(1);
}

void TestHardening::splashHasNoIcon()
{
    Form1 main;
    QVERIFY(!main.windowIcon().isNull());
    Form3 splash;
    QVERIFY(splash.windowIcon().isNull());
    // Nothing for the platform to lend it either.
    QVERIFY(QApplication::windowIcon().isNull());
}

void TestHardening::graphFaultSaysDrawingStopped()
{
    Form1 form;
    ModalBoxes boxes(ModalBoxes::closeWindows);
    // A completed run whose x1 lies far beyond single precision on the chart.
    QVERIFY(calculate(form, {"0.02", "-1e300", "1", "1"}));
    QCOMPARE(boxes.count(), 0);
    form.findChild<QAction*>("graph_start")->trigger();
    QCOMPARE(boxes.closed(), QStringList{"Form2"});
    QCOMPARE(boxes.count(), 1);
    const QString text = boxes.seen().last().text;
    QVERIFY2(text.contains("Drawing stopped"), qPrintable(text));
    QVERIFY2(!text.contains("calculation"), qPrintable(text));
}

void TestHardening::fractionTipInTheUsersLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("example");
    QTest::newRow("english") << QLocale(QLocale::English, QLocale::UnitedStates) << "0.02 for 2 %";
    QTest::newRow("german") << QLocale(QLocale::German, QLocale::Germany) << "0,02 for 2 %";
}

void TestHardening::fractionTipInTheUsersLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, example);
    QLocale::setDefault(locale);
    Form1 form;
    for (const char* name : {"Text2", "Text5"}) {
        const QString tip = form.findChild<QLineEdit*>(name)->toolTip();
        QVERIFY2(tip.contains(example), qPrintable(tip));
    }
}

QTEST_MAIN(TestHardening)
#include "tst_hardening.moc"
