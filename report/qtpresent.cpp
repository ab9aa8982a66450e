#include "report/qtpresent.h"

#include <QCoreApplication>

namespace report {

const present::Language& qtLanguage()
{
    static const present::Language language([](std::string_view context, std::string_view source) {
        const std::string c(context);
        const std::string s(source);
        const QString translated = QCoreApplication::translate(c.c_str(), s.c_str());
        // No translation: translate() gives the source back, which the
        // language shows as it is.
        return translated == QString::fromUtf8(s) ? std::string() : translated.toStdString();
    });
    return language;
}

present::NumberLocale numberLocaleOf(const QLocale& locale)
{
    return {locale.decimalPoint().toStdString(), locale.negativeSign().toStdString(),
            locale.positiveSign().toStdString(), locale.exponential().toStdString(), locale.zeroDigit().toStdString()};
}

}  // namespace report
