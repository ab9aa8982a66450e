#include "modalboxes.h"
#include "userinput.h"

#include "ui/Form1.h"
#include "ui/Form3.h"
#include "ui/Module1.h"
#include "ui/application.h"
#include "ui/numbertext.h"

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
#include <QTest>

#include <memory>

class TestForm1 : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        prepareApplication();
        Form3::tickInterval = std::chrono::milliseconds(1);
    }
    void init();
    void cleanup();

    void runs_data();
    void runs();
    void invalidData_data();
    void invalidData();
    void conversionErrorNamesTheField();
    void conversionErrorStopsAtItsField();
    void rejectedClickKeepsNtuButTakesTheGasFlow();
    void findMtcWithoutACalculation();
    void germanLocale();
    void resultFieldsAreReadOnlyWithTheFullValueAsTip();

    void startsCentredWithTheFocusInText1();
    void focusOrder();
    void windowAndMenu();
    void layoutInTwips_data();
    void layoutInTwips();
    void picturesAtNaturalSize_data();
    void picturesAtNaturalSize();
    void captionsFit();
    void accessibleNames();

private:
    QLineEdit* field(const char* name) const { return form->findChild<QLineEdit*>(name); }
    void type(const char* name, const QString& text) { typeInto(*form, name, text); }
    void click(const char* name) { clickOn(*form, name); }

    std::unique_ptr<Form1> form;
};

void TestForm1::init()
{
    Module1::fractions = {};
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    form = std::make_unique<Form1>();
}

void TestForm1::cleanup()
{
    form.reset();
    QLocale::setDefault(QLocale::c());
    verifyNoWindowLeftOpen();
}

void TestForm1::runs_data()
{
    QTest::addColumn<QStringList>("inputs");  // y1, x1, gas flow, water flow, height
    QTest::addColumn<QStringList>("shown");   // Text6, Text7, Text4, Text9

    QTest::newRow("example A") << QStringList{"0.02", "0.01", "1", "1", "2"}
                               << QStringList{"0.0254", "0.0102", "0.6355", "40.4556"};
    QTest::newRow("example B") << QStringList{"0.045", "0.02", "2", "3", "1.5"}
                               << QStringList{"0.0671", "0.0162", "1.0241", "173.8538"};
}

void TestForm1::runs()
{
    QFETCH(QStringList, inputs);
    QFETCH(QStringList, shown);
    ModalBoxes boxes;
    calculate(*form, inputs.mid(0, 4));
    type("Text8", inputs[4]);
    click("Command2");

    QCOMPARE(boxes.count(), 0);
    QCOMPARE(field("Text6")->text(), shown[0]);
    QCOMPARE(field("Text7")->text(), shown[1]);
    QCOMPARE(field("Text4")->text(), shown[2]);
    QCOMPARE(field("Text9")->text(), shown[3]);
    QCOMPARE(Module1::fractions.y1, parseNumber(inputs[0]).value());
    QCOMPARE(Module1::fractions.x1, parseNumber(inputs[1]).value());
}

void TestForm1::invalidData_data()
{
    QTest::addColumn<QStringList>("inputs");
    QTest::newRow("all at their design text") << QStringList{"0", "0", "0", "0"};
    QTest::newRow("example C, outlet negative") << QStringList{"0.02", "0.01", "1", "5"};
    QTest::newRow("y1 past 0.3") << QStringList{"0.3001", "0.01", "1", "1"};
    QTest::newRow("x1 of 1") << QStringList{"0.02", "1", "1", "1"};
    QTest::newRow("y2 rounds to 0") << QStringList{"0.02", "0.0199996", "1", "1"};
}

void TestForm1::invalidData()
{
    QFETCH(QStringList, inputs);
    ModalBoxes boxes;
    calculate(*form, inputs.mid(0, 4));

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
    calculate(*form, {"0.02", "0.01", "1", "abc"});
    QCOMPARE(boxes.count(), 1);
    QVERIFY(boxes.seen().first().text.contains("H20 Flowrate"));
    QVERIFY(boxes.seen().first().text.contains("\"abc\""));
    QVERIFY(boxes.seen().first().text != "Invalid Data");
    QVERIFY(field("Text6")->text().isEmpty());

    type("Text3", "1");
    type("Text8", "");
    click("Command1");
    click("Command2");
    QCOMPARE(boxes.count(), 2);
    QVERIFY(boxes.seen().last().text.contains("Height of Packing (meters)"));
    QCOMPARE(field("Text4")->text(), QStringLiteral("0.6355"));
    QVERIFY(field("Text9")->text().isEmpty());
}

void TestForm1::conversionErrorStopsAtItsField()
{
    // All four fields convert before the input test: "0" in Text2 is stored
    // and the bad Text3 is reported, not the invalid y1.
    ModalBoxes boxes;
    type("Text5", "0.3");
    type("Text1", "4");
    type("Text3", "1e999");
    click("Command1");
    QCOMPARE(boxes.count(), 1);
    QVERIFY(boxes.seen().first().text.contains("H20 Flowrate"));
    QCOMPARE(Module1::fractions.y1, 0.0);
    QCOMPARE(Module1::fractions.x1, 0.3);
    QCOMPARE(form->state().gasFlow, 4.0);
    QCOMPARE(form->state().waterFlow, 0.0);

    for (const char* text : {"inf", "nan", "-inf"}) {
        type("Text1", text);
        click("Command1");
        QVERIFY(boxes.seen().last().text.contains("Gas Flowrate"));
        QCOMPARE(form->state().gasFlow, 4.0);
    }
    QCOMPARE(boxes.count(), 4);
}

void TestForm1::rejectedClickKeepsNtuButTakesTheGasFlow()
{
    ModalBoxes boxes;
    calculate(*form, {"0.02", "0.01", "1", "1"});
    calculate(*form, {"0", "0.01", "3", "1"});
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(field("Text4")->text(), QStringLiteral("0.6355"));
    QCOMPARE(form->state().gasFlow, 3.0);

    // Find MTC combines the new gas flow with the last completed ntu.
    type("Text8", "2");
    click("Command2");
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(field("Text9")->text(), QStringLiteral("121.3669"));
}

void TestForm1::findMtcWithoutACalculation()
{
    ModalBoxes boxes;
    type("Text8", "2");
    click("Command2");
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.seen().first().title, QStringLiteral("ERROR"));
    QCOMPARE(boxes.seen().first().text, QStringLiteral("Invalid Data"));
    QVERIFY(field("Text9")->text().isEmpty());
}

void TestForm1::germanLocale()
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    ModalBoxes boxes;
    calculate(*form, {"0,02", "0,01", "1", "1"});
    type("Text8", "2");
    click("Command2");
    QCOMPARE(boxes.count(), 0);
    QCOMPARE(field("Text6")->text(), QStringLiteral("0,0254"));
    QCOMPARE(field("Text7")->text(), QStringLiteral("0,0102"));
    QCOMPARE(field("Text4")->text(), QStringLiteral("0,6355"));
    QCOMPARE(field("Text9")->text(), QStringLiteral("40,4556"));

    // A point is not the German decimal separator.
    type("Text2", "0.02");
    click("Command1");
    QCOMPARE(boxes.count(), 1);
    QVERIFY(boxes.seen().first().text.contains("Gas Inlet %NH3"));
}

void TestForm1::resultFieldsAreReadOnlyWithTheFullValueAsTip()
{
    ModalBoxes boxes;
    calculate(*form, {"0.02", "0.01", "1", "1"});
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
        QVERIFY2(!button->isDefault() && !button->autoDefault(), name);
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

void TestForm1::layoutInTwips_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<QString>("caption");

    QTest::newRow("Label10") << "Label10" << "" << QRect(0, 120, 2535, 255) << "";
    QTest::newRow("Image3") << "Image3" << "" << QRect(120, 960, 2310, 855) << "";
    QTest::newRow("Frame6") << "Frame6" << "" << QRect(0, 1920, 2535, 3495) << "";
    QTest::newRow("Label14") << "Label14" << "Frame6" << QRect(120, 1320, 2295, 975) << "";
    QTest::newRow("Text1") << "Text1" << "Frame2" << QRect(1200, 240, 1215, 285) << "0";
    QTest::newRow("Image1") << "Image1" << "" << QRect(2595, 0, 2610, 6015) << "";
    QTest::newRow("Label3") << "Label3" << "Frame1" << QRect(120, 240, 1095, 255) << "H20 Flowrate";
    QTest::newRow("Command1") << "Command1" << "" << QRect(5280, 720, 2175, 375) << "Calculate";
    QTest::newRow("Frame4") << "Frame4" << "" << QRect(5280, 1200, 2175, 2295) << "Results";
    QTest::newRow("Text4") << "Text4" << "Frame4" << QRect(360, 1800, 1455, 285) << "";
    QTest::newRow("Label8") << "Label8" << "Frame5" << QRect(120, 240, 1935, 255) << "Height of Packing (meters)";
    QTest::newRow("Command2") << "Command2" << "Frame5" << QRect(120, 840, 1935, 375) << "Find MTC";
    QTest::newRow("Frame5") << "Frame5" << "" << QRect(5280, 3480, 2175, 2175) << "K- Calculator";
    QTest::newRow("Text5") << "Text5" << "Frame3" << QRect(840, 240, 1215, 285) << "0";
}

void TestForm1::layoutInTwips()
{
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QRect, twips);
    QFETCH(QString, caption);

    auto* widget = form->findChild<QWidget*>(name);
    QVERIFY(widget);
    QCOMPARE(widget->parentWidget()->objectName(), container);
    QCOMPARE(widget->geometry(), QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
    if (auto* label = qobject_cast<QLabel*>(widget); label && !caption.isEmpty())
        QCOMPARE(label->text(), caption);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        QCOMPARE(edit->text(), caption);
    if (auto* button = qobject_cast<QPushButton*>(widget))
        QCOMPARE(button->text(), caption);
    if (auto* frame = qobject_cast<QGroupBox*>(widget))
        QCOMPARE(frame->title(), caption);
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
    int checked = 0;
    for (const QLabel* label : form->findChildren<QLabel*>()) {
        if (label->text().isEmpty())
            continue;
        const QRect needed = label->fontMetrics().boundingRect(label->contentsRect(), int(label->alignment()) | Qt::TextWordWrap, label->text());
        QVERIFY2(label->contentsRect().contains(needed), qPrintable(label->objectName()));
        ++checked;
    }
    for (const QPushButton* button : form->findChildren<QPushButton*>()) {
        QVERIFY2(button->fontMetrics().horizontalAdvance(button->text()) + 8 <= button->width(), qPrintable(button->objectName()));
        ++checked;
    }
    for (const QGroupBox* frame : form->findChildren<QGroupBox*>()) {
        QVERIFY2(frame->fontMetrics().horizontalAdvance(frame->title()) + 12 <= frame->width(), qPrintable(frame->objectName()));
        ++checked;
    }
    QCOMPARE(checked, 14 + 2 + 6);

    // The first note's text ends above the second note, which overlaps its rectangle.
    const auto* note = form->findChild<QLabel*>("Label13");
    const QRect text = note->fontMetrics().boundingRect(note->contentsRect(), Qt::TextWordWrap, note->text());
    QVERIFY(note->y() + text.bottom() < form->findChild<QLabel*>("Label14")->y());
}

void TestForm1::accessibleNames()
{
    const QList<QPair<const char*, QString>> names{
        {"Text1", "Gas Flowrate"}, {"Text2", "Gas Inlet %NH3"}, {"Text3", "H20 Flowrate"},
        {"Text5", "Water Outlet %NH3"}, {"Text6", "Mole Fraction of NH3"}, {"Text7", "%NH3 at Air Outlet"},
        {"Text4", "NTU"}, {"Text8", "Height of Packing (meters)"}, {"Text9", "Mass Transfer Coefficient"}};
    for (const auto& [name, accessible] : names)
        QCOMPARE(field(name)->accessibleName(), accessible);
}

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
