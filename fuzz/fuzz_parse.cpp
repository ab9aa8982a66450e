// Arbitrary bytes as a field's text, in English and German: a number that
// is read is finite, and what is shown of it reads back to the same double.
// Past the locale's own conversion only two readings go: a number too large,
// which the locale too found out of range (an infinity), and a number too
// small, which reads as zero.

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
    for (QLocale locale :
         {QLocale(QLocale::English, QLocale::UnitedStates), QLocale(QLocale::German, QLocale::Germany)}) {
        QLocale::setDefault(locale);
        const ui::ParsedNumber parsed = ui::parseNumber(text);

        locale.setNumberOptions(locale.numberOptions() | QLocale::RejectGroupSeparator);
        bool ok = false;
        const double byLocale = locale.toDouble(text, &ok);

        switch (parsed.kind) {
        case ui::ParsedNumber::Kind::notANumber:
            check(!parsed && parsed.number == 0.0);
            break;
        case ui::ParsedNumber::Kind::tooLarge:
            check(!parsed && !ok && std::isinf(byLocale));
            break;
        case ui::ParsedNumber::Kind::number: {
            check(parsed && std::isfinite(parsed.number));
            check(ok || parsed.number == 0.0);
            const ui::ParsedNumber shown = ui::parseNumber(ui::numberText(parsed.number));
            check(shown && shown.number == parsed.number);
            check(bool(ui::parseNumber(ui::resultText(parsed.number))));
            break;
        }
        }
    }
    return 0;
}
