#include "present/numbers.h"

#include "core/absorber.h"

#include <fast_float/fast_float.h>
#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>
#include <utility>

namespace present {

namespace {

// UTF-8 as code points; a broken byte is U+FFFD, which no number holds.
std::u32string codePoints(std::string_view text)
{
    std::u32string points;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
        if (length == 0 || i + length > text.size()) {
            points += U'\uFFFD';
            ++i;
            continue;
        }
        char32_t point = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (std::size_t k = 1; k < length; ++k)
            point = (point << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        points += point;
        i += length;
    }
    return points;
}

std::string utf8(char32_t point)
{
    std::string out;
    if (point < 0x80) {
        out += char(point);
    } else if (point < 0x800) {
        out += char(0xC0 | (point >> 6));
        out += char(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        out += char(0xE0 | (point >> 12));
        out += char(0x80 | ((point >> 6) & 0x3F));
        out += char(0x80 | (point & 0x3F));
    } else {
        out += char(0xF0 | (point >> 18));
        out += char(0x80 | ((point >> 12) & 0x3F));
        out += char(0x80 | ((point >> 6) & 0x3F));
        out += char(0x80 | (point & 0x3F));
    }
    return out;
}

char32_t zeroOf(const NumberLocale& locale)
{
    const std::u32string zero = codePoints(locale.zeroDigit);
    return zero.empty() ? U'0' : zero.front();
}

// The text with its '.', '-', '+', 'E' and digits as the locale writes them.
std::string localised(std::string text, const NumberLocale& locale)
{
    const char32_t zero = zeroOf(locale);
    std::string out;
    for (const char c : text) {
        if (c == '.')
            out += locale.decimalPoint;
        else if (c == '-')
            out += locale.minus;
        else if (c == '+')
            out += locale.plus;
        else if (c == 'E')
            out += locale.exponential;
        else if (c >= '0' && c <= '9')
            out += utf8(zero + char32_t(c - '0'));
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

// The spaces QString::trimmed takes away.
bool isSpace(char32_t point)
{
    return (point >= U'\t' && point <= U'\r') || point == U' ' || point == U'\u0085' || point == U'\u00A0'
        || point == U'\u1680' || (point >= U'\u2000' && point <= U'\u200A') || point == U'\u2028' || point == U'\u2029'
        || point == U'\u202F' || point == U'\u205F' || point == U'\u3000';
}

// The text in the C locale's form, digits, '-', '+', '.' and 'e', or
// nothing when it holds anything else, a group separator included.
std::optional<std::string> cForm(std::u32string_view text, const NumberLocale& locale)
{
    // The locale's own symbols first: some begin with a mark before '-'.
    const std::pair<std::u32string, char> symbols[] = {{codePoints(locale.minus), '-'},
                                                       {codePoints(locale.plus), '+'},
                                                       {codePoints(locale.decimalPoint), '.'},
                                                       {codePoints(locale.exponential), 'e'},
                                                       {U"\u2212", '-'},
                                                       {U"-", '-'},
                                                       {U"+", '+'},
                                                       {U"e", 'e'},
                                                       {U"E", 'e'}};
    const char32_t zero = zeroOf(locale);
    std::string c;
    while (!text.empty()) {
        const auto symbol = std::find_if(std::begin(symbols), std::end(symbols), [text](const auto& s) {
            return !s.first.empty() && text.starts_with(s.first);
        });
        if (symbol != std::end(symbols)) {
            c += symbol->second;
            text.remove_prefix(symbol->first.size());
            continue;
        }
        const char32_t point = text.front();
        if (point >= U'0' && point <= U'9')
            c += char(point);
        else if (point >= zero && point <= zero + 9)
            c += char('0' + (point - zero));
        else
            return std::nullopt;
        text.remove_prefix(1);
    }
    return c;
}

// Whether C form is one sign at most, digits with at most one point and a
// digit on one side of it at least, and a power of ten of digits.
bool wellFormed(std::string_view c)
{
    std::size_t i = c.starts_with('-') || c.starts_with('+') ? 1 : 0;
    std::size_t digits = 0;
    bool point = false;
    for (; i < c.size() && c[i] != 'e'; ++i) {
        if (c[i] == '.' && !point)
            point = true;
        else if (c[i] >= '0' && c[i] <= '9')
            ++digits;
        else
            return false;
    }
    if (digits == 0)
        return false;
    if (i == c.size())
        return true;
    ++i;
    if (i < c.size() && (c[i] == '-' || c[i] == '+'))
        ++i;
    if (i == c.size())
        return false;
    return std::all_of(c.begin() + std::ptrdiff_t(i), c.end(), [](char d) { return d >= '0' && d <= '9'; });
}

// Whether a number in C form, that is not zero, is 1 or more in magnitude:
// the place of its first significant digit plus its exponent.
bool atLeastOne(std::string_view c)
{
    const std::size_t exponentAt = std::min(c.find('e'), c.size());
    const std::string_view mantissa = c.substr(0, exponentAt);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    std::int64_t place = first < point ? std::int64_t(point - first - 1) : -std::int64_t(first - point);

    // An exponent of any length: beyond 10^15 only its sign matters.
    std::int64_t exponent = 0;
    bool negative = false;
    for (const char digit : c.substr(std::min(exponentAt + 1, c.size()))) {
        if (digit == '-')
            negative = true;
        else if (digit >= '0' && digit <= '9')
            exponent = std::min<std::int64_t>(exponent * 10 + (digit - '0'), 1'000'000'000'000'000);
    }
    place += negative ? -exponent : exponent;
    return place >= 0;
}

// A finite double's shortest text as its digits: d0.d1d2… × 10^exponent.
struct Digits {
    std::string digits;
    int exponent = 0;
    bool negative = false;
};

Digits digitsOf(double value)
{
    // The shortest text that reads back, as the full value is shown.
    const std::string text = fmt::format("{}", std::fabs(value));
    const std::size_t e = std::min(text.find('e'), text.size());
    const std::string mantissa = text.substr(0, e);
    const int power = e < text.size() ? std::atoi(text.c_str() + e + 1) : 0;
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    std::string all;
    for (const char c : mantissa)
        if (c != '.')
            all += c;
    Digits out;
    out.negative = std::signbit(value);
    const std::size_t first = all.find_first_not_of('0');
    if (first == std::string::npos) {
        out.digits.assign(1, '0');
        return out;
    }
    out.digits = all.substr(first);
    out.digits.erase(std::max<std::size_t>(out.digits.find_last_not_of('0') + 1, 1));
    out.exponent = int(point) - 1 - int(first) + power;
    return out;
}

// The digits rounded to a multiple of 10^place, ties away from zero: the
// count of those multiples as decimal digits, "0" for none.
std::string roundedAt(const Digits& number, int place)
{
    const int kept = number.exponent - place + 1;
    if (kept < 0 || number.digits == "0")
        return "0";
    std::string whole = number.digits.substr(0, std::size_t(kept));
    whole.resize(std::size_t(kept), '0');
    const bool up = std::size_t(kept) < number.digits.size() && number.digits[std::size_t(kept)] >= '5';
    if (up) {
        std::size_t i = whole.size();
        while (i > 0 && whole[i - 1] == '9')
            whole[--i] = '0';
        if (i == 0)
            whole.insert(whole.begin(), '1');
        else
            ++whole[i - 1];
    }
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size() - 1));
    return whole.empty() ? "0" : whole;
}

// A count of 10^place as plain decimals, in C form.
std::string plainText(std::string count, int place, bool negative)
{
    if (place >= 0) {
        if (count != "0")
            count.append(std::size_t(place), '0');
    } else {
        const std::size_t decimals = std::size_t(-place);
        if (count.size() <= decimals)
            count = std::string(decimals + 1 - count.size(), '0') + count;
        const std::size_t whole = count.size() - decimals;
        count = count.substr(0, whole) + '.' + count.substr(whole);
    }
    // A value that rounds to nothing has no sign.
    const bool zero = count.find_first_not_of("0.") == std::string::npos;
    return negative && !zero ? "-" + count : count;
}

// A count of 10^place as d.dd and a power of ten, in C form; the power
// is `power`, or more when the count has more digits than reach it.
std::string scientificText(const std::string& count, int place, int power, bool negative)
{
    power = std::max(power, place + int(count.size()) - 1);
    const std::string mantissa = plainText(count, place - power, negative);
    return mantissa + exponentText('E', power);
}

// Where an uncertainty's second significant digit lies, after rounding.
int secondDigitPlace(const Digits& uncertainty)
{
    const int place = uncertainty.exponent - 1;
    return roundedAt(uncertainty, place).size() > 2 ? place + 1 : place;
}

bool needsPower(double magnitude)
{
    return magnitude < 1e-4 || magnitude >= 1e15;
}

}  // namespace

ParsedNumber parseNumber(std::string_view typed, const NumberLocale& locale)
{
    return readNumber(typed, locale).number;
}

CNumber readNumber(std::string_view typed, const NumberLocale& locale)
{
    std::u32string_view text;
    const std::u32string points = codePoints(typed);
    text = points;
    while (!text.empty() && isSpace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isSpace(text.back()))
        text.remove_suffix(1);

    const std::optional<std::string> c = cForm(text, locale);
    return c ? readCNumber(*c) : CNumber{};
}

CNumber readCNumber(std::string c)
{
    if (!wellFormed(c))
        return {};
    const bool negative = c.front() == '-';
    // The standard conversion takes no '+' before the number.
    if (c.front() == '+')
        c.erase(0, 1);
    double converted = 0.0;
    const char* end = c.data() + c.size();
    const auto [stop, error] = fast_float::from_chars(c.data(), end, converted);
    if (stop != end || (error != std::errc() && error != std::errc::result_out_of_range))
        return {};
    // Beyond the largest double: infinite, or out of range and 1 or more.
    if (std::isinf(converted) || (error == std::errc::result_out_of_range && atLeastOne(c)))
        return {{ParsedNumber::Kind::tooLarge, 0.0}, true};
    // Below the least subnormal: 0 with the text's sign, whichever way the
    // conversion tells it.
    const std::string_view mantissa = std::string_view(c).substr(0, std::min(c.find('e'), c.size()));
    if (error == std::errc::result_out_of_range
        || (converted == 0.0 && mantissa.find_first_of("123456789") != std::string_view::npos))
        return {{ParsedNumber::Kind::number, negative ? -0.0 : 0.0}, true};
    return {{ParsedNumber::Kind::number, converted}, false};
}

std::string exactText(double value, const NumberLocale& locale)
{
    const double magnitude = std::fabs(value);
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? locale.minus + "inf" : "inf";
    if (magnitude == 0.0)
        return localised("0", locale);
    if (magnitude >= 1e-4 && magnitude < 1e15)
        return localised(fmt::format("{}", value), locale);
    // The fewest digits, as d.ddd and a power of ten, that read back to the
    // same double.
    std::string shortest;
    for (int digits = 0; digits <= 16; ++digits) {
        shortest = fmt::format("{:.{}e}", value, digits);
        double back = 0.0;
        fast_float::from_chars(shortest.data(), shortest.data() + shortest.size(), back);
        if (back == value)
            break;
    }
    const std::size_t e = shortest.find('e');
    const int power = std::atoi(shortest.c_str() + e + 1);
    return localised(withoutTrailingZeros(shortest.substr(0, e)) + exponentText('E', power), locale);
}

std::string resultText(double value, const NumberLocale& locale)
{
    return exactText(absorber::roundResult(value), locale);
}

std::string readInputText(double value, const NumberLocale& locale)
{
    return significantText(value, 5, locale);
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
        // The locale's exponent symbol, as QLocale's 'g' and exactText write it.
        return localised(withoutTrailingZeros(scientific.substr(0, e)) + exponentText('E', power), locale);
    return localised(withoutTrailingZeros(fmt::format("{:.{}f}", value, digits - 1 - power)), locale);
}

std::string uncertaintyText(double uncertainty, const NumberLocale& locale)
{
    if (!std::isfinite(uncertainty) || uncertainty == 0.0)
        return exactText(uncertainty, locale);
    const Digits digits = digitsOf(uncertainty);
    const int place = secondDigitPlace(digits);
    const std::string count = roundedAt(digits, place);
    if (needsPower(std::fabs(uncertainty)))
        return localised(scientificText(count, place, place + 1, digits.negative), locale);
    return localised(plainText(count, place, digits.negative), locale);
}

ValueWithUncertainty withUncertaintyText(double value, double uncertainty, const NumberLocale& locale)
{
    if (!std::isfinite(value) || !std::isfinite(uncertainty) || uncertainty == 0.0)
        return {resultText(value, locale), exactText(uncertainty, locale)};
    const Digits digits = digitsOf(uncertainty);
    const int place = secondDigitPlace(digits);
    const Digits valueDigits = digitsOf(value);
    const std::string count = roundedAt(valueDigits, place);
    if (needsPower(std::fabs(uncertainty)))
        return {localised(scientificText(count, place, place + 1, valueDigits.negative), locale),
                uncertaintyText(uncertainty, locale)};
    return {localised(plainText(count, place, valueDigits.negative), locale), uncertaintyText(uncertainty, locale)};
}

}  // namespace present
