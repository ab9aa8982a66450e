#include "fixture.h"
#include "modalboxes.h"

#include "core/absorber.h"
#include "ui/Form1.h"
#include "ui/application.h"
#include "ui/help.h"
#include "ui/numbertext.h"
#include "ui/session.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>

#include <memory>

class TestHelp : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { ui::prepareApplication(); }
    void init();
    void cleanup();

    void menusInOrder();
    void f1OpensMethodAndData();
    void methodTextHoldsTheTable_data();
    void methodTextHoldsTheTable();
    void aboutNamesTheProgram();

private:
    std::unique_ptr<Form1> form;
    Session* session = nullptr;
};

void TestHelp::init()
{
    startWindowTest();
    form = std::make_unique<Form1>();
    session = new Session(*form);
}

void TestHelp::cleanup()
{
    form.reset();
    QVERIFY(endWindowTest());
}

void TestHelp::menusInOrder()
{
    const QList<QAction*> menus = form->menuBar()->actions();
    QVERIFY(menus.size() >= 2);
    QCOMPARE(menus.first()->text(), QStringLiteral("&File"));
    QCOMPARE(menus.last()->text(), QStringLiteral("&Help"));
    QStringList items;
    for (const QAction* item : menus.last()->menu()->actions())
        items << item->text();
    QCOMPARE(items, (QStringList{"&Method and Data", "&About Quillon"}));
}

void TestHelp::f1OpensMethodAndData()
{
    form->show();
    QVERIFY(QTest::qWaitForWindowActive(form.get()));
    QTest::keyClick(form.get(), Qt::Key_F1);
    auto* method = form->findChild<MethodWindow*>();
    QVERIFY(method);
    QTRY_VERIFY(method->isVisible());
    QVERIFY(!method->isModal());
    QCOMPARE(method->windowTitle(), QStringLiteral("Method and Data"));

    // Asked again, the same window comes to the front.
    QTest::keyClick(form.get(), Qt::Key_F1);
    QCOMPARE(form->findChildren<MethodWindow*>().size(), 1);

    // The text can be selected and copied.
    auto* text = method->findChild<QTextBrowser*>();
    QVERIFY(text->textInteractionFlags() & Qt::TextSelectableByMouse);
    text->selectAll();
    text->copy();
    QVERIFY(QApplication::clipboard()->text().contains("29/17"));
    method->close();
}

void TestHelp::methodTextHoldsTheTable_data()
{
    QTest::addColumn<QString>("locale");
    QTest::newRow("English") << "en_US";
    QTest::newRow("German") << "de_DE";
}

void TestHelp::methodTextHoldsTheTable()
{
    QFETCH(QString, locale);
    QLocale::setDefault(QLocale(locale));
    QTextDocument document;
    document.setHtml(MethodWindow::methodText());
    const QString plain = document.toPlainText();
    for (const absorber::EquilibriumPoint& point : absorber::equilibriumPoints) {
        QVERIFY2(plain.contains(ui::numberText(point.x)), qPrintable(ui::numberText(point.x)));
        QVERIFY2(plain.contains(ui::numberText(point.y)), qPrintable(ui::numberText(point.y)));
    }
    QVERIFY(plain.contains(ui::numberText(0.02) + " "));
    QVERIFY(plain.contains("760"));
    QVERIFY(plain.contains(QStringLiteral("0.05² × 3.1416")));
    // What is summed, to be reproduced by hand: the integrand's coefficients
    // and the closed form of its integral.
    QVERIFY(plain.contains(QLocale().toString(absorber::ntuSteps)));
    for (const char* formula :
         {"|Δ / (a · Y + b)|", "a = 1 − r · f", "f = 1 − m · r", "|ln((a · Yhi + b) / (a · Ylo + b)) / a|",
          // The readings' formulas with their sources, and the flows' real unit.
          "x1 = c / (c + (ρ − c · M(NH3)) / M(H2O))", "Kell", "n = P · Q / (R · T)", "314462618",
          "y1 = n(NH3) / (n(NH3) + n(", "Sander", "HOG = z / NTU", "Colburn", "m³"})
        QVERIFY2(plain.contains(QString::fromUtf8(formula)), formula);
}

void TestHelp::aboutNamesTheProgram()
{
    ModalBoxes boxes;
    QAction* about = form->findChild<QAction*>("help_about");
    QVERIFY(about);
    about->trigger();
    QCOMPARE(boxes.count(), 1);
    QCOMPARE(boxes.seen().first().title, QStringLiteral("About Quillon"));
    const QString text = boxes.seen().first().text;
    QVERIFY(text.contains(QApplication::applicationVersion()));
    QVERIFY(text.contains("Licence"));
    QCOMPARE(boxes.seen().first().buttonCount, 2);
}

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
