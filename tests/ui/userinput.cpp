#include "userinput.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

bool typeInto(QWidget& window, const char* field, const QString& text)
{
    auto* edit = window.findChild<QLineEdit*>(field);
    if (!QTest::qVerify(edit != nullptr, "edit", field, __FILE__, __LINE__))
        return false;
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        QTest::keyClicks(edit, text);
    return QTest::qCompare(edit->text(), text, "edit->text()", "text", __FILE__, __LINE__);
}

bool clickOn(QWidget& window, const char* button)
{
    auto* target = window.findChild<QPushButton*>(button);
    if (!QTest::qVerify(target != nullptr, "target", button, __FILE__, __LINE__))
        return false;
    QTest::mouseClick(target, Qt::LeftButton);
    return true;
}

bool calculate(QWidget& window, const QStringList& inputs)
{
    return QTest::qCompare(inputs.size(), qsizetype(4), "inputs.size()", "4", __FILE__, __LINE__)
        && typeInto(window, "Text2", inputs[0]) && typeInto(window, "Text5", inputs[1])
        && typeInto(window, "Text1", inputs[2]) && typeInto(window, "Text3", inputs[3])
        && clickOn(window, "Command1");
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
