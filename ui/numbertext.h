#pragma once

#include <QString>

#include <optional>

// Text to number and back, in the user's locale as it is when called.

// The number a field holds. Surrounding spaces are fine; an empty field,
// text that is not a number, group separators and values that are not
// finite ("inf", "nan", "1e999") are not numbers.
std::optional<double> parseNumber(const QString& text);

// A value as the locale writes it, shortest text that reads back to the
// same double, without group separators.
QString numberText(double value);

// A result as shown in its field: rounded to 4 decimal places first.
QString resultText(double value);
