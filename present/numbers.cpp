#include "present/numbers.h"

#include "core/absorber.h"

#include <fmt/format.h>

#include <cmath>
#include <cstdlib>
#include <string_view>

namespace present {

namespace {

// The text with its '.' and '-' as the locale writes them.
std::string localised(std::string text, const NumberLocale& locale)
{
    std::string out;
    for (const char c : text) {
        if (c == '.')
            out += locale.decimalPoint;
        else if (c == '-')
            out += locale.minus;
        else
            out += c;
    }
    return out;
}

// "e-5" as "e-05": at least two digits, with a sign.
std::string exponentText(char e, int power)
{
    return fmt::format("{}{}{:02}", e, power < 0 ? '-' : '+', std::abs(power));
}

// Drops the zeros that end a decimal fraction, and its point when nothing
// is left after it.
std::string withoutTrailingZeros(std::string digits)
{
    if (digits.find('.') == std::string::npos)
        return digits;
    digits.erase(digits.find_last_not_of('0') + 1);
    if (digits.back() == '.')
        digits.pop_back();
    return digits;
}

}  // namespace

std::string exactText(double value, const NumberLocale& locale)
{
    const double magnitude = std::fabs(value);
    if (magnitude == 0.0)
        return "0";
    if (magnitude >= 1e-4 && magnitude < 1e15)
        return localised(fmt::format("{}", value), locale);
    // The shortest digits, as d.ddd and a power of ten.
    const std::string shortest = fmt::format("{:e}", value);
    const std::size_t e = shortest.find('e');
    const int power = std::atoi(shortest.c_str() + e + 1);
    return localised(withoutTrailingZeros(shortest.substr(0, e)) + exponentText('E', power), locale);
}

std::string resultText(double value, const NumberLocale& locale)
{
    return exactText(absorber::roundResult(value), locale);
}

std::string significantText(double value, int digits, const NumberLocale& locale)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    if (value == 0.0)
        return "0";
    const std::string scientific = fmt::format("{:.{}e}", value, digits - 1);
    const std::size_t e = scientific.find('e');
    const int power = std::atoi(scientific.c_str() + e + 1);
    if (power < -4 || power >= digits)
        return localised(withoutTrailingZeros(scientific.substr(0, e)) + exponentText('e', power), locale);
    return localised(withoutTrailingZeros(fmt::format("{:.{}f}", value, digits - 1 - power)), locale);
}

}  // namespace present
