#pragma once

// How numbers are shown, for a locale: the window's fields, the runs table,
// the reports, the tool and the page all write them through these.

#include <string>

namespace present {

// What a locale writes numbers with. Group separators are never written.
struct NumberLocale {
    std::string decimalPoint = ".";
    std::string minus = "-";
};

// A value in full: the shortest text that reads back to the same double,
// plain decimals from 0.0001 below 10^15 and a power of ten beyond (1E-05,
// 1,5E+300).
std::string exactText(double value, const NumberLocale& locale);

// A result as its field shows it: rounded to 4 decimals first.
std::string resultText(double value, const NumberLocale& locale);

// A value to so many significant digits, as QLocale's 'g' writes it:
// trailing zeros dropped, a power of ten of two digits at least below 10^-4
// or from 10^digits on.
std::string significantText(double value, int digits, const NumberLocale& locale);

}  // namespace present
