// Arbitrary bytes as a field's text, in English and German: a number that
// is read is finite, and what is shown of it reads back to the same double.

#include "ui/numbertext.h"

#include <QLocale>
#include <QString>

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace {

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const QLocale& locale : {QLocale(QLocale::English, QLocale::UnitedStates),
                                  QLocale(QLocale::German, QLocale::Germany)}) {
        QLocale::setDefault(locale);
        const auto value = parseNumber(text);
        if (!value)
            continue;
        check(std::isfinite(*value));
        const auto shown = parseNumber(numberText(*value));
        check(shown && *shown == *value);
        check(parseNumber(resultText(*value)).has_value());
    }
    return 0;
}
