#pragma once

#include <QString>

class QWidget;

// What a user does to the main window, through its real widgets. Each
// returns false, with the reason logged, when the step could not be done,
// so that a test stops there: QVERIFY(calculate(form, exampleA)).

// The four operating values of a run as typed.
struct TypedRun {
    QString y1;  // Gas Inlet %NH3
    QString x1;  // Water Outlet %NH3
    QString gasFlow;
    QString waterFlow;
};

// Replaces a field's text by typing, as after selecting all of it.
[[nodiscard]] bool typeInto(QWidget& window, const char* field, const QString& text);

[[nodiscard]] bool clickOn(QWidget& window, const char* button);

// Types y1, x1, the gas flow and the water flow, then presses Calculate.
[[nodiscard]] bool calculate(QWidget& window, const TypedRun& run);

QString fieldText(const QWidget& window, const char* field);
