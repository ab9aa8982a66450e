#pragma once

// The series quillon-cli reads: .quillon files and CSV, from files or from
// standard input.

#include "series/csv.h"
#include "series/file.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <string>
#include <variant>
#include <vector>

namespace cli {

struct Input {
    std::string name;  // as given on the command line; "-" for standard input
    series::Series series;
    std::vector<series::StoredResults> stored;      // one per run; empty when read from CSV
    std::vector<series::ReportedResults> reported;  // one per run of a CSV; empty for a series file
    std::vector<std::string> notices;               // what the reader skipped or kept, "file:line: what"
};

// Why an input could not be read: "file: cannot be read: why", or the
// reader's "file:line:column: what was expected".
struct InputFailure {
    std::string message;
};

// Reads the file named `argument`, or standard input for "-". A name ending
// in .quillon is read as a series file and one ending in .csv as CSV;
// otherwise text whose first character after blanks is '{' is a series
// file, anything else CSV.
std::variant<Input, InputFailure> readInput(const QString& argument);

// An argument that could not be read: its place among the arguments
// (0-based) and the reader's message.
struct Unread {
    std::size_t argument;
    InputFailure failure;
};

// Every argument read: the inputs that could be, in order, and the names of
// those that could not, with why.
struct Inputs {
    std::vector<Input> read;
    std::vector<std::string> unreadable;
    std::vector<Unread> failures;  // in order, one per name of `unreadable`
};

// readInput for every argument, printing each failure and notice to
// standard error. One damaged file does not stop the others being read, so
// that a command can still tell what it found in them.
Inputs readInputs(const QStringList& arguments);

}  // namespace cli
