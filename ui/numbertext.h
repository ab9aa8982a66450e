#pragma once

#include <QString>

namespace ui {

// Text to number and back, in the user's locale as it is when called.

// What a field's text reads as. Read like an optional: true and a value for
// a number, false otherwise, with the kind telling why.
struct ParsedNumber {
    enum class Kind {
        // A finite double: the text's value rounded to the nearest double,
        // which is 0 (or -0 for a negative text) below the smallest subnormal.
        number,
        // Empty or blank text, words, group separators, "inf" and "nan".
        notANumber,
        // A number whose magnitude is beyond the largest double, as 1e999.
        tooLarge,
    };

    Kind kind = Kind::notANumber;
    double number = 0.0;  // 0 unless the kind is number

    explicit operator bool() const { return kind == Kind::number; }
    double operator*() const { return number; }
    double value() const { return number; }
};

// The number a field holds; surrounding spaces are fine, and the minus sign
// U+2212 is a minus as the locale's own is.
ParsedNumber parseNumber(const QString& text);

// A value as the locale writes it, shortest text that reads back to the
// same double, without group separators.
QString numberText(double value);

// A result as shown in its field: rounded to 4 decimal places first.
QString resultText(double value);

}  // namespace ui
