#pragma once

// quillon-cli's commands, one function each. `arguments` start with the
// command's name, as a program's arguments start with the program's; each
// gives the exit code.

#include <QStringList>

namespace cli {

// compute [-o OUT] [--format csv|json] [--jobs N] FILE...
int compute(const QStringList& arguments);

// check [--allow-no-results] [--jobs N] FILE...
int check(const QStringList& arguments);

// fit [--format text|json] [--unweighted] [--jobs N] FILE
int fit(const QStringList& arguments);

// report [--jobs N] FILE -o OUT.pdf; needs a QGuiApplication.
int report(const QStringList& arguments);

// Grading a class.
// summary [--format csv|json] [-o OUT] [--as-shown] [--tolerance REL] [--jobs N] FILE...
int summary(const QStringList& arguments);

// exercise --groups N --seed S -o DIR [--noise REL]
int exercise(const QStringList& arguments);

}  // namespace cli
