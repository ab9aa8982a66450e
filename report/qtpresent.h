#pragma once

// The presentation layer's words and numbers as the Qt front ends use them:
// the words through the application's translator, numbers in a QLocale.

#include "present/language.h"
#include "present/numbers.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

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

inline QStringList qstrings(const std::vector<std::string>& texts)
{
    QStringList list;
    for (const std::string& text : texts)
        list.append(QString::fromStdString(text));
    return list;
}

}  // namespace report
