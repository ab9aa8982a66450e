#pragma once

// check's and summary's --as-shown and --tolerance.

#include "present/checking.h"

#include <QCommandLineParser>
#include <QString>

namespace cli {

// Adds --as-shown and --tolerance REL to the parser.
void addCheckRuleOptions(QCommandLineParser& parser);

// The rule the parsed options ask for, into `rule`; a usage error's message
// for a tolerance that is not a number from 0 below 1, else empty.
QString checkRuleOf(const QCommandLineParser& parser, present::CheckRule& rule);

}  // namespace cli
