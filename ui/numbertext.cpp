#include "ui/numbertext.h"

#include "core/absorber.h"

#include <QLocale>

#include <cmath>

std::optional<double> parseNumber(const QString& text)
{
    QLocale locale;
    // In German "0.02" would otherwise read as 2 (a group separator).
    locale.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = locale.toDouble(text, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString numberText(double value)
{
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    // Plain decimals from 0.0001 (the smallest result shown) up to 15 digits,
    // powers of ten beyond; 'g' would already write 0.0001 as 1e-04.
    const double magnitude = std::fabs(value);
    const bool plain = magnitude == 0.0 || (magnitude >= 1e-4 && magnitude < 1e15);
    return locale.toString(value, plain ? 'f' : 'e', QLocale::FloatingPointShortest);
}

QString resultText(double value)
{
    return numberText(absorber::roundResult(value));
}
