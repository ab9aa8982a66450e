#include "ui/numbertext.h"

#include "report/qtpresent.h"

#include "core/absorber.h"

#include <QLocale>

#include <cmath>
#include <string>

namespace ui {

namespace {

ParsedNumber number(double value)
{
    return {ParsedNumber::Kind::number, value};
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
    // words; read by the same symbols, a number out of range is a
    // well-formed one. One the locale refuses within range is not a number
    // here either.
    const present::CNumber read = present::readNumber(text.toStdString(), report::numberLocaleOf(locale));
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
