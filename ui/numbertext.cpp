#include "ui/numbertext.h"

#include "report/qtpresent.h"

#include "core/absorber.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace ui {

namespace {

ParsedNumber number(double value)
{
    return {ParsedNumber::Kind::number, value};
}

// The text in the C locale's form, digits, '-', '+', '.' and 'e', or nothing
// when it holds anything else, a group separator included.
std::optional<std::string> cForm(QStringView text, const QLocale& locale)
{
    const char32_t zero = locale.zeroDigit().toUcs4().value(0, U'0');
    const QString symbols[] = {locale.negativeSign(), locale.positiveSign(), locale.decimalPoint(),
                               locale.exponential()};
    constexpr char cSymbols[] = {'-', '+', '.', 'e'};
    std::string c;
    for (qsizetype i = 0; i < text.size();) {
        const QStringView rest = text.mid(i);
        const auto symbol = std::find_if(std::begin(symbols), std::end(symbols), [rest](const QString& s) {
            return !s.isEmpty() && rest.startsWith(s, Qt::CaseInsensitive);
        });
        if (symbol != std::end(symbols)) {
            c += cSymbols[symbol - std::begin(symbols)];
            i += symbol->size();
            continue;
        }
        const char32_t point = rest.toUcs4().value(0);
        if (point >= U'0' && point <= U'9')
            c += char(point);
        else if (point >= zero && point <= zero + 9)
            c += char('0' + (point - zero));
        else
            return std::nullopt;
        i += QChar::requiresSurrogates(point) ? 2 : 1;
    }
    return c;
}

}  // namespace

ParsedNumber parseNumber(const QString& typed)
{
    QLocale locale;
    // In German "0.02" would otherwise read as 2 (a group separator).
    locale.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
    // Word processors write the minus sign U+2212 where the locale has a
    // hyphen-minus; pasted from one, it is a minus all the same.
    QString text = typed;
    text.replace(QChar(0x2212), locale.negativeSign());
    bool ok = false;
    const double value = locale.toDouble(text, &ok);
    if (ok)
        return std::isfinite(value) ? number(value) : ParsedNumber{};

    // The locale refuses a number beyond the range of a double as it refuses
    // words. The standard conversion of the same text in C form tells the
    // two apart: a number out of range is a well-formed one.
    std::optional<std::string> c = cForm(QStringView(text).trimmed(), locale);
    if (!c || c->empty())
        return {};
    // Only a number beyond a double's range; one the locale refuses within
    // it is not a number here either.
    const present::CNumber read = present::readCNumber(std::move(*c));
    return read.outOfRange ? read.number : ParsedNumber{};
}

QString numberText(double value)
{
    return report::qstring(present::exactText(value, report::numberLocaleOf(QLocale())));
}

QString resultText(double value)
{
    return report::qstring(present::resultText(value, report::numberLocaleOf(QLocale())));
}

}  // namespace ui
