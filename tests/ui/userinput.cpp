#include "userinput.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

bool typeInto(QWidget& window, const char* field, const QString& text)
{
    auto* edit = window.findChild<QLineEdit*>(field);
    if (!edit) {
        qWarning("no field %s", field);
        return false;
    }
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else {
        // QTest types only ASCII by key; other characters, as U+2212, come
        // as the text of a key the keyboard does not name.
        for (const QChar c : text) {
            if (c.unicode() < 128)
                QTest::keyClick(edit, c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
    if (edit->text() != text) {
        qWarning("%s holds \"%s\" after typing \"%s\"", field, qPrintable(edit->text()), qPrintable(text));
        return false;
    }
    return true;
}

bool clickOn(QWidget& window, const char* button)
{
    auto* target = window.findChild<QPushButton*>(button);
    if (!target) {
        qWarning("no button %s", button);
        return false;
    }
    QTest::mouseClick(target, Qt::LeftButton);
    return true;
}

bool calculate(QWidget& window, const TypedRun& run)
{
    return typeInto(window, "Text2", run.y1) && typeInto(window, "Text5", run.x1)
        && typeInto(window, "Text1", run.gasFlow) && typeInto(window, "Text3", run.waterFlow)
        && clickOn(window, "Command1");
}

QString fieldText(const QWidget& window, const char* field)
{
    const auto* edit = window.findChild<QLineEdit*>(field);
    return edit ? edit->text() : QString();
}
