#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// What a user does to the main window, through its real widgets. Each
// action records a failure in the running test and returns false when it
// cannot be done; wrap it in QVERIFY to stop there.

// Replaces a field's text by typing, as after selecting all of it.
bool typeInto(QWidget& window, const char* field, const QString& text);

bool clickOn(QWidget& window, const char* button);

// Types y1, x1, the gas flow and the water flow, then presses Calculate.
bool calculate(QWidget& window, const QStringList& inputs);

QString fieldText(const QWidget& window, const char* field);

// Fails the running test for each top-level window still open.
void verifyNoWindowLeftOpen();
