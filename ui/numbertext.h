#pragma once

#include "present/numbers.h"

#include <QString>

namespace ui {

// Text to number and back, in the user's locale as it is when called.

// What a field's text reads as, as the page reads it too.
using ParsedNumber = present::ParsedNumber;

// The number a field holds; surrounding spaces are fine, and the minus sign
// U+2212 is a minus as the locale's own is. Read by QLocale, which also
// takes a locale's own digits and signs (Arabic-Indic digits, a minus with a
// direction mark) as the window always has.
ParsedNumber parseNumber(const QString& text);

// A value as the locale writes it, shortest text that reads back to the
// same double, without group separators.
QString numberText(double value);

// A result as shown in its field: rounded to 4 decimal places first.
QString resultText(double value);

}  // namespace ui
