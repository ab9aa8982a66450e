#pragma once

// The presentation layer's words and numbers as the Qt front ends use them:
// the words through the application's translator, numbers in a QLocale.

#include "present/language.h"
#include "present/numbers.h"

#include <QLocale>
#include <QString>

namespace report {

// The language of the installed translators, looked up at each text.
const present::Language& qtLanguage();

// What the locale writes numbers with.
present::NumberLocale numberLocaleOf(const QLocale& locale);

inline QString qstring(const present::Text& text)
{
    return QString::fromStdString(text.str());
}

inline QString qstring(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace report
