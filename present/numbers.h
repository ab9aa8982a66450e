#pragma once

// How numbers are read and shown, for a locale: the window's fields, the
// runs table, the reports, the tool and the page all write them through
// these, and the page reads its fields with them.

#include <string>
#include <string_view>

namespace present {

// What a locale writes numbers with, each as UTF-8. Group separators are
// never written, nor read.
struct NumberLocale {
    std::string decimalPoint = ".";
    std::string minus = "-";
    std::string plus = "+";
    // Before a power of ten in full values.
    std::string exponential = "E";
    // The first of the ten digits, which follow it in Unicode.
    std::string zeroDigit = "0";
};

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

// The number a field holds: one sign, digits with at most one decimal
// point, and a power of ten. Surrounding spaces are fine; the minus sign
// U+2212 is a minus as the locale's own is; 'e' and 'E' start the power as
// the locale's own symbol does; ASCII digits read as the locale's do.
ParsedNumber parseNumber(std::string_view text, const NumberLocale& locale);

// A number in C form (one sign, digits, '.', 'e') as the standard
// conversion reads it, and whether it lies beyond a double's range: too
// large, or a zero with its sign below the least subnormal. Words and
// malformed numbers are not numbers.
struct CNumber {
    ParsedNumber number;
    bool outOfRange = false;
};
CNumber readCNumber(std::string c);

// parseNumber's reading, with whether the number lies beyond a double's
// range: for a front end whose own reading refuses those.
CNumber readNumber(std::string_view text, const NumberLocale& locale);

// A value in full: the shortest text that reads back to the same double,
// plain decimals from 0.0001 below 10^15 and a power of ten beyond (1E-05,
// 1,5E+300).
std::string exactText(double value, const NumberLocale& locale);

// A result as its field shows it: rounded to 4 decimals first.
std::string resultText(double value, const NumberLocale& locale);

// An input the run's readings give, computed rather than typed: to 5
// significant digits, as small a fraction as x1 keeps its digits.
std::string readInputText(double value, const NumberLocale& locale);

// A value to so many significant digits, as QLocale's 'g' writes it:
// trailing zeros dropped, a power of ten of two digits at least, after the
// locale's exponent symbol, below 10^-4 or from 10^digits on.
std::string significantText(double value, int digits, const NumberLocale& locale);

// A value and its uncertainty as a lab report writes them.
struct ValueWithUncertainty {
    std::string value;
    std::string uncertainty;
    bool operator==(const ValueWithUncertainty&) const = default;
};

// An uncertainty alone, to two significant digits (0.12 for 0.1239…).
// Ties round away from zero as the value's full text shows them, as a
// reader rounding it by hand would; plain decimals from 0.0001 below 10^15,
// a power of ten beyond.
std::string uncertaintyText(double uncertainty, const NumberLocale& locale);

// The uncertainty to two significant digits and the value to the same
// decimal place (2.5 ± 1.3 for 2.4836 ± 1.3437), or with the same last
// place before a power of ten where the uncertainty needs one. A zero or
// non-finite uncertainty leaves the value as a result field shows it.
ValueWithUncertainty withUncertaintyText(double value, double uncertainty, const NumberLocale& locale);

}  // namespace present
