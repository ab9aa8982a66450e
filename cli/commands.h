#pragma once

// quillon-cli's commands, one function each. `arguments` start with the
// command's name, as a program's arguments start with the program's; each
// gives the exit code.

#include <QStringList>

namespace cli {

// compute [-o OUT] [--format csv|json] [--jobs N] FILE...
int compute(const QStringList& arguments);

// check [--jobs N] FILE...
int check(const QStringList& arguments);

}  // namespace cli
