#include "fixture.h"
#include "layoutcheck.h"
#include "modalboxes.h"

#include "ui/Form1.h"
#include "ui/Form3.h"
#include "ui/Module1.h"
#include "ui/application.h"
#include "ui/numbertext.h"
#include "ui/uncertaintyfields.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(TypedRun)

using namespace Qt::StringLiterals;

class TestForm1 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ui::prepareApplication();
        Form3::tickInterval = std::chrono::milliseconds(1);
    }
    void init();
    void cleanup();

    void runs_data();
    void runs();
    void invalidData_data();
    void invalidData();
    void conversionErrorNamesTheField();
    void conversionErrorStopsAtItsField_data();
    void conversionErrorStopsAtItsField();
    void rejectedClickKeepsNtuAndTakesTheGasFlow();
    void findMtcWithoutACalculation();
    void findMtcAfterAClickThatDidNotComplete_data();
    void findMtcAfterAClickThatDidNotComplete();
    void completedRunEmptiesTheCoefficient();
    void returnPressesTheFocusedButton_data();
    void returnPressesTheFocusedButton();
    void germanLocale();
    void minusSignReadsAsAMinus_data();
    void minusSignReadsAsAMinus();
    void resultFieldsAreReadOnlyWithTheFullValueAsTip();

    void startsCentredWithTheFocusInText1();
    void focusOrder();
    void windowAndMenu();
    void controlsInsideTheirContainers();
    void anchorsOfTheDesign_data();
    void anchorsOfTheDesign();
    void picturesAtNaturalSize_data();
    void picturesAtNaturalSize();
    void captionsFit();

private:
    QLineEdit* field(const char* name) const { return form->findChild<QLineEdit*>(name); }
    bool type(const char* name, const QString& text) { return typeInto(*form, name, text); }
    bool click(const char* name) { return clickOn(*form, name); }
    bool calculate(const TypedRun& run) { return ::calculate(*form, run); }

    std::unique_ptr<Form1> form;
};

void TestForm1::init()
{
    startWindowTest();
    form = std::make_unique<Form1>();
}

void TestForm1::cleanup()
{
    form.reset();
    QVERIFY(endWindowTest());
}

void TestForm1::runs_data()
{
    QTest::addColumn<TypedRun>("run");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QStringList>("shown");  // Text6, Text7, Text4, Text9

    QTest::newRow("example A") << exampleA << "2" << QStringList{"0.0254", "0.0102", "0.6355", "40.4556"};
    QTest::newRow("example B") << exampleB << "1.5" << QStringList{"0.0671", "0.0162", "1.0241", "173.8538"};
}

void TestForm1::runs()
{
    QFETCH(TypedRun, run);
    QFETCH(QString, height);
    QFETCH(QStringList, shown);
    ModalBoxes boxes;
    QVERIFY(calculate(run));
    QVERIFY(type("Text8", height));
    QVERIFY(click("Command2"));

    QCOMPARE(boxes.count(), 0);
    QCOMPARE(field("Text6")->text(), shown[0]);
    QCOMPARE(field("Text7")->text(), shown[1]);
    QCOMPARE(field("Text4")->text(), shown[2]);
    QCOMPARE(field("Text9")->text(), shown[3]);
    QCOMPARE(Module1::fractions.y1, ui::parseNumber(run.y1).value());
    QCOMPARE(Module1::fractions.x1, ui::parseNumber(run.x1).value());
}

void TestForm1::invalidData_data()
{
    QTest::addColumn<TypedRun>("run");
    QTest::newRow("all at their design text") << TypedRun{"0", "0", "0", "0"};
    QTest::newRow("example C, outlet negative") << TypedRun{"0.02", "0.01", "1", "5"};
    QTest::newRow("y1 past 0.3") << TypedRun{"0.3001", "0.01", "1", "1"};
    QTest::newRow("x1 of 1") << TypedRun{"0.02", "1", "1", "1"};
    QTest::newRow("y2 rounds to 0") << TypedRun{"0.02", "0.0199996", "1", "1"};
    QTest::newRow("y2 shows as 1") << TypedRun{"0.02", "-0.5", "1", "61000"};
}

void TestForm1::invalidData()
{
    QFETCH(TypedRun, run);
    ModalBoxes boxes;
    QVERIFY(calculate(run));

    QCOMPARE(boxes.count(), 1);
    const ModalBoxes::Box box = boxes.seen().first();
    QCOMPARE(box.title, QStringLiteral("ERROR"));
    QCOMPARE(box.text, QStringLiteral("Invalid Data"));
    QCOMPARE(box.icon, QMessageBox::NoIcon);
    QCOMPARE(box.buttonCount, 1);
    for (const char* result : {"Text6", "Text7", "Text4", "Text9"})
        QVERIFY2(field(result)->text().isEmpty(), result);
}

void TestForm1::conversionErrorNamesTheField()
{
    ModalBoxes boxes;
    QVERIFY(calculate({"0.02", "0.01", "1", "abc"}));
    QCOMPARE(boxes.count(), 1);
    QVERIFY(boxes.seen().first().text.contains("H20 Flowrate"));
    QVERIFY(boxes.seen().first().text.contains("\"abc\""));
    QVERIFY(field("Text6")->text().isEmpty());

    QVERIFY(type("Text3", "1"));
    QVERIFY(type("Text8", ""));
    QVERIFY(click("Command1"));
    QVERIFY(click("Command2"));
    QCOMPARE(boxes.count(), 2);
    QVERIFY(boxes.seen().last().text.contains("Height of Packing (meters)"));
    QCOMPARE(field("Text4")->text(), QStringLiteral("0.6355"));
    QVERIFY(field("Text9")->text().isEmpty());
}

void TestForm1::conversionErrorStopsAtItsField_data()
{
    // The fields are read in the order Text2, Text5, Text1, Text3, each
    // stored as soon as it converts; "9" marks a value that was not stored.
    QTest::addColumn<TypedRun>("run");
    QTest::addColumn<QString>("named");
    QTest::addColumn<QList<double>>("stored");  // y1, x1, gas flow, water flow

    QTest::newRow("Text2") << TypedRun{"x", "0.3", "4", "5"} << "Gas Inlet %NH3" << QList<double>{9, 9, 9, 9};
    QTest::newRow("Text5") << TypedRun{"0", "x", "4", "5"} << "Water Outlet %NH3" << QList<double>{0, 9, 9, 9};
    QTest::newRow("Text1") << TypedRun{"0", "0.3", "x", "5"} << "Gas Flowrate" << QList<double>{0, 0.3, 9, 9};
    // "0" in Text2 is stored and the bad Text3 is reported, not the invalid y1.
    QTest::newRow("Text3") << TypedRun{"0", "0.3", "4", "1e999"} << "H20 Flowrate" << QList<double>{0, 0.3, 4, 9};
    QTest::newRow("infinity") << TypedRun{"0", "0.3", "inf", "5"} << "Gas Flowrate" << QList<double>{0, 0.3, 9, 9};
    QTest::newRow("nan") << TypedRun{"0", "0.3", "4", "nan"} << "H20 Flowrate" << QList<double>{0, 0.3, 4, 9};
}

void TestForm1::conversionErrorStopsAtItsField()
{
    QFETCH(TypedRun, run);
    QFETCH(QString, named);
    QFETCH(QList<double>, stored);
    ModalBoxes boxes;
    // Every value 9 first (refused, y1 being past 0.3), then the click
    // overwrites them in order up to the field that does not convert.
    QVERIFY(calculate({"9", "9", "9", "9"}));
    QCOMPARE(boxes.count(), 1);

    QVERIFY(calculate(run));
    QCOMPARE(boxes.count(), 2);
    QVERIFY2(boxes.seen().last().text.contains(named), qPrintable(boxes.seen().last().text));
    QCOMPARE(Module1::fractions.y1, stored[0]);
    QCOMPARE(Module1::fractions.x1, stored[1]);
    QCOMPARE(form->state().gasFlow, stored[2]);
    QCOMPARE(form->state().waterFlow, stored[3]);
}

void TestForm1::rejectedClickKeepsNtuAndTakesTheGasFlow()
{
    ModalBoxes boxes;
    QVERIFY(calculate(exampleA));
    QVERIFY(calculate({"0", "0.01", "3", "1"}));
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(field("Text4")->text(), QStringLiteral("0.6355"));
    QCOMPARE(form->state().gasFlow, 3.0);
    QVERIFY(qAbs(form->state().ntu - 0.63547701805) < 0.5e-11);
    // The refused inputs reached no lookup: the point is example A's.
    QCOMPARE(form->state().eqX, 0.0208);
    QCOMPARE(form->state().eqY, 0.0254);
}

void TestForm1::findMtcWithoutACalculation()
{
    ModalBoxes boxes;
    QVERIFY(type("Text8", "2"));
    QVERIFY(click("Command2"));
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.seen().first().title, QStringLiteral("ERROR"));
    QCOMPARE(boxes.seen().first().text, QStringLiteral("Invalid Data"));
    QVERIFY(field("Text9")->text().isEmpty());
}

void TestForm1::findMtcAfterAClickThatDidNotComplete_data()
{
    QTest::addColumn<TypedRun>("run");
    QTest::addColumn<QString>("box");
    // New gas flow, old NTU: that would give 0.8091, a number of no run.
    QTest::newRow("input test") << TypedRun{"0.05", "0.02", "0.02", "1"} << "Invalid Data";
    QTest::newRow("conversion error") << TypedRun{"0.02", "0.01", "3", "x"} << "H20 Flowrate";
    QTest::newRow("first field does not convert") << TypedRun{"x", "0.01", "1", "1"} << "Gas Inlet %NH3";
    QTest::newRow("outlet test") << TypedRun{"0.02", "0.01", "1", "5"} << "Invalid Data";
    QTest::newRow("fault in the balance") << TypedRun{"0.2", "0.5", "4", "5"} << "Division by zero";
    QTest::newRow("fault in the integration") << TypedRun{"0.02", "0.01", "1e160", "1"} << "Overflow";
}

void TestForm1::findMtcAfterAClickThatDidNotComplete()
{
    QFETCH(TypedRun, run);
    QFETCH(QString, box);
    ModalBoxes boxes;
    QVERIFY(calculate(exampleA));
    QVERIFY(type("Text8", "2"));
    QVERIFY(click("Command2"));
    QCOMPARE(field("Text9")->text(), QStringLiteral("40.4556"));

    QVERIFY(calculate(run));
    QCOMPARE(boxes.count(), 1);
    QVERIFY2(boxes.seen().last().text.contains(box), qPrintable(boxes.seen().last().text));
    QVERIFY(click("Command2"));
    QCOMPARE(boxes.count(), 2);
    QCOMPARE(boxes.seen().last().title, QStringLiteral("ERROR"));
    QCOMPARE(boxes.seen().last().text, QStringLiteral("Invalid Data"));
    QCOMPARE(field("Text9")->text(), QStringLiteral("40.4556"));

    // A completed run makes Find MTC work again, on that run alone.
    QVERIFY(calculate(exampleB));
    QVERIFY(type("Text8", "1.5"));
    QVERIFY(click("Command2"));
    QCOMPARE(boxes.count(), 2);
    QCOMPARE(field("Text9")->text(), QStringLiteral("173.8538"));
}

void TestForm1::completedRunEmptiesTheCoefficient()
{
    ModalBoxes boxes;
    QVERIFY(calculate(exampleA));
    QVERIFY(type("Text8", "2"));
    QVERIFY(click("Command2"));
    QCOMPARE(field("Text9")->text(), QStringLiteral("40.4556"));

    QVERIFY(type("Text5", "0.015"));
    QVERIFY(click("Command1"));
    QCOMPARE(boxes.count(), 0);
    QCOMPARE(field("Text4")->text(), QStringLiteral("1.235"));
    QVERIFY(field("Text9")->text().isEmpty());
    QVERIFY(field("Text9")->toolTip().isEmpty());
    QCOMPARE(form->state().mtc, 0.0);
}

void TestForm1::returnPressesTheFocusedButton_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("shown");
    QTest::newRow("Return on Calculate") << "Command1" << int(Qt::Key_Return) << "Text4"
                                         << "0.6355";
    QTest::newRow("Enter on Calculate") << "Command1" << int(Qt::Key_Enter) << "Text4"
                                        << "0.6355";
    QTest::newRow("Space on Calculate") << "Command1" << int(Qt::Key_Space) << "Text4"
                                        << "0.6355";
    QTest::newRow("Return on Find MTC") << "Command2" << int(Qt::Key_Return) << "Text9"
                                        << "40.4556";
    QTest::newRow("Enter on Find MTC") << "Command2" << int(Qt::Key_Enter) << "Text9"
                                       << "40.4556";
}

void TestForm1::returnPressesTheFocusedButton()
{
    QFETCH(QString, button);
    QFETCH(int, key);
    QFETCH(QString, result);
    QFETCH(QString, shown);
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    ModalBoxes boxes;
    QVERIFY(type("Text2", exampleA.y1) && type("Text5", exampleA.x1) && type("Text1", exampleA.gasFlow)
            && type("Text3", exampleA.waterFlow) && type("Text8", "2"));
    if (button == "Command2")
        QVERIFY(click("Command1"));

    // Return in a text field does nothing.
    QTest::keyClick(field("Text8"), Qt::Key_Return);
    QVERIFY(field(qPrintable(result))->text().isEmpty());

    auto* target = form->findChild<QPushButton*>(button);
    target->setFocus();
    QTest::keyClick(target, Qt::Key(key));
    QCOMPARE(field(qPrintable(result))->text(), shown);
    QCOMPARE(boxes.count(), 0);
}

void TestForm1::germanLocale()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ModalBoxes boxes;
    QVERIFY(calculate({"0,02", "0,01", "1", "1"}));
    QVERIFY(type("Text8", "2"));
    QVERIFY(click("Command2"));
    QCOMPARE(boxes.count(), 0);
    QCOMPARE(field("Text6")->text(), QStringLiteral("0,0254"));
    QCOMPARE(field("Text7")->text(), QStringLiteral("0,0102"));
    QCOMPARE(field("Text4")->text(), QStringLiteral("0,6355"));
    QCOMPARE(field("Text9")->text(), QStringLiteral("40,4556"));

    // A point is not the German decimal separator.
    QVERIFY(type("Text2", "0.02"));
    QVERIFY(click("Command1"));
    QCOMPARE(boxes.count(), 1);
    QVERIFY(boxes.seen().first().text.contains("Gas Inlet %NH3"));
}

void TestForm1::minusSignReadsAsAMinus_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("typed");  // with a hyphen-minus, and 'e' for the locale's exponent

    for (const char* locale : {"en_US", "de_DE"}) {
        const QString point = QLocale(QString::fromLatin1(locale)).decimalPoint();
        QTest::addRow("flow, %s", locale) << locale << "Text3" << u"-1"_s + point + u"5"_s;
        QTest::addRow("fraction, %s", locale) << locale << "Text2"
                                              << "2e-2";
        QTest::addRow("packing height, %s", locale) << locale << "Text8"
                                                    << "20e-1";
        QTest::addRow("uncertainty, %s", locale) << locale << "uncertaintyY1"
                                                 << "5e-4";
        // Beyond a double, where the locale's reading gives up.
        QTest::addRow("flow too large, %s", locale) << locale << "Text3"
                                                    << "-1e999";
    }
}

void TestForm1::minusSignReadsAsAMinus()
{
    QFETCH(QString, locale);
    QFETCH(QString, target);
    QFETCH(QString, typed);
    QLocale::setDefault(QLocale(locale));
    typed.replace(u'e', QLocale().exponential());
    const QByteArray name = target.toLatin1();

    // What the window makes of the text, in that field of a run of
    // Example A at 2 m, and the titles of the boxes it shows.
    const auto outcome = [&](const QString& text) -> QString {
        ModalBoxes boxes;
        if (target.startsWith(u"uncertainty")) {
            UncertaintyFields fields;
            fields.show();
            if (!QTest::qWaitForWindowExposed(&fields) || !typeInto(fields, name, text))
                return u"not typed"_s;
            const std::optional<series::Uncertainties> read = fields.values();
            return read && read->y1 ? ui::numberText(*read->y1) : u"refused"_s;
        }
        form = std::make_unique<Form1>();
        TypedRun run{ui::numberText(0.02), ui::numberText(0.01), u"1"_s, u"1"_s};
        QString height = u"2"_s;
        (target == u"Text2" ? run.y1 : target == u"Text3" ? run.waterFlow : height) = text;
        if (!calculate(run) || !type("Text8", height) || !click("Command2"))
            return u"not typed"_s;
        QStringList shown{field("Text7")->text(), field("Text4")->text(), field("Text9")->text()};
        for (const ModalBoxes::Box& box : boxes.seen())
            shown.append(box.title);
        return shown.join(u' ');
    };
    const QString hyphen = outcome(typed);
    QVERIFY2(!hyphen.contains(u"not") && !hyphen.contains(u"refused"), qPrintable(hyphen));
    QCOMPARE(outcome(typed.replace(u'-', QChar(0x2212))), hyphen);
}

void TestForm1::resultFieldsAreReadOnlyWithTheFullValueAsTip()
{
    ModalBoxes boxes;
    QVERIFY(calculate(exampleA));
    for (const char* name : {"Text6", "Text7", "Text4", "Text9"}) {
        QLineEdit* result = field(name);
        QVERIFY2(result->isReadOnly() && result->isEnabled(), name);
        QVERIFY2(result->focusPolicy() & Qt::TabFocus, name);
    }
    QCOMPARE(field("Text7")->toolTip(), QStringLiteral("0.010201999591920018"));
    QCOMPARE(field("Text6")->toolTip(), QStringLiteral("0.0254"));
    QVERIFY(field("Text4")->toolTip().startsWith("0.635477018"));
    for (const char* name : {"Text1", "Text2", "Text3", "Text5", "Text8"})
        QVERIFY2(!field(name)->isReadOnly(), name);
    QVERIFY(field("Text2")->toolTip().contains("0.02 for 2 %"));
    QVERIFY(field("Text5")->toolTip().contains("0.02 for 2 %"));
}

void TestForm1::startsCentredWithTheFocusInText1()
{
    form->move(0, 0);
    form->Form_Load();
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    const QRect screen = form->screen()->geometry();
    const QRect outer = form->frameGeometry();
    QVERIFY(qAbs(outer.center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(outer.center().y() - screen.center().y()) <= 1);

    QCOMPARE(QApplication::focusWidget(), field("Text1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
    QTest::keyClicks(QApplication::focusWidget(), "5");
    QCOMPARE(field("Text1")->text(), QStringLiteral("5"));
}

void TestForm1::focusOrder()
{
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    const QStringList expected{"Text1", "Text2", "Text3", "Command1", "Text5", "Text7",
                               "Text6", "Text4", "Text8", "Command2", "Text9", "Text1"};
    QStringList order{QApplication::focusWidget()->objectName()};
    for (int i = 1; i < expected.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(order, expected);
    for (const char* name : {"Command1", "Command2"}) {
        auto* button = form->findChild<QPushButton*>(name);
        QVERIFY2(!button->isDefault(), name);
    }
}

void TestForm1::windowAndMenu()
{
    QCOMPARE(form->objectName(), QStringLiteral("Form1"));
    QCOMPARE(form->windowTitle(), QStringLiteral("Quillon"));
    QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral(QUILLON_APP_ID));
    QCOMPARE(form->minimumSize(), form->maximumSize());
    QVERIFY(!(form->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(form->windowFlags() & Qt::WindowMinimizeButtonHint);
    QCOMPARE(form->centralWidget()->size(), QSize(7605 / 15, 6300 / 15));

    const QList<QAction*> menus = form->menuBar()->actions();
    QCOMPARE(menus.size(), 1);
    QCOMPARE(menus.first()->text(), QStringLiteral("&Graph"));
    QCOMPARE(menus.first()->menu()->objectName(), QStringLiteral("graph"));
    const QList<QAction*> items = menus.first()->menu()->actions();
    QCOMPARE(items.size(), 1);
    QCOMPARE(items.first()->text(), QStringLiteral("Start Graphin!"));
    QCOMPARE(items.first()->objectName(), QStringLiteral("graph_start"));
    QVERIFY(items.first()->shortcut().isEmpty());
}

void TestForm1::controlsInsideTheirContainers()
{
    const QWidget* client = form->centralWidget();
    QSet<QString> names;
    const QList<QWidget*> controls = client->findChildren<QWidget*>();
    for (const QWidget* control : controls) {
        const QString name = control->objectName();
        // Qt's own parts of a control (a line edit's inner widgets) have no name.
        if (name.isEmpty() || name.startsWith("qt_"))
            continue;
        QVERIFY2(!names.contains(name), qPrintable(name + " twice"));
        names.insert(name);
        const QWidget* container = control->parentWidget();
        QVERIFY2(container->rect().contains(control->geometry()),
                 qPrintable(name + " outside " + container->objectName()));
        const QRect inClient(control->mapTo(client, QPoint(0, 0)), control->size());
        QVERIFY2(client->rect().contains(inClient), qPrintable(name + " outside the client area"));
    }
    // 14 labels, 9 fields, 2 buttons, 6 frames, 3 pictures.
    QCOMPARE(names.size(), 34);
}

void TestForm1::anchorsOfTheDesign_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("twips");

    // Two controls where the design puts them, in twips: one in the client
    // area, one placed relative to its frame. The layout's invariants above
    // and captionsFit() stand for the rest.
    QTest::newRow("Command1") << "Command1"
                              << "" << QRect(5280, 720, 2175, 375);
    QTest::newRow("Text1") << "Text1"
                           << "Frame2" << QRect(1200, 240, 1215, 285);
}

void TestForm1::anchorsOfTheDesign()
{
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QRect, twips);
    auto* widget = form->findChild<QWidget*>(name);
    QVERIFY(widget);
    QCOMPARE(widget->parentWidget()->objectName(), container);
    QCOMPARE(widget->geometry(), QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
}

void TestForm1::picturesAtNaturalSize_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<int>("border");
    QTest::newRow("column drawing") << "Image1" << QSize(172, 399) << 1;
    QTest::newRow("design equation") << "Image2" << QSize(150, 61) << 1;
    QTest::newRow("logo") << "Image3" << QSize(150, 53) << 2;
}

void TestForm1::picturesAtNaturalSize()
{
    QFETCH(QString, name);
    QFETCH(QSize, picture);
    QFETCH(int, border);
    auto* image = form->findChild<QLabel*>(name);
    QVERIFY(image);
    QCOMPARE(image->pixmap().size(), picture);
    QCOMPARE(image->frameWidth(), border);
    QCOMPARE(image->size(), picture + QSize(2 * border, 2 * border));
}

void TestForm1::captionsFit()
{
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QVERIFY(::captionsFit(*form));
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
