#include "userinput.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

void typeInto(QWidget& window, const char* field, const QString& text)
{
    auto* edit = window.findChild<QLineEdit*>(field);
    QVERIFY2(edit, field);
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        QTest::keyClicks(edit, text);
    QCOMPARE(edit->text(), text);
}

void clickOn(QWidget& window, const char* button)
{
    auto* target = window.findChild<QPushButton*>(button);
    QVERIFY2(target, button);
    QTest::mouseClick(target, Qt::LeftButton);
}

void calculate(QWidget& window, const QStringList& inputs)
{
    QCOMPARE(inputs.size(), 4);
    typeInto(window, "Text2", inputs[0]);
    typeInto(window, "Text5", inputs[1]);
    typeInto(window, "Text1", inputs[2]);
    typeInto(window, "Text3", inputs[3]);
    clickOn(window, "Command1");
}

QString fieldText(const QWidget& window, const char* field)
{
    const auto* edit = window.findChild<QLineEdit*>(field);
    return edit ? edit->text() : QString();
}

void verifyNoWindowLeftOpen()
{
    for (const QWidget* widget : QApplication::topLevelWidgets())
        QVERIFY2(!widget->isVisible(), qPrintable(widget->objectName() + " left open"));
}
