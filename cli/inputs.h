#pragma once

// The series quillon-cli reads: .quillon files and CSV, from files or from
// standard input.

#include "series/file.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace cli {

struct Input {
    std::string name;  // as given on the command line; "-" for standard input
    series::Series series;
    std::vector<series::StoredResults> stored;  // one per run; empty when read from CSV
    std::vector<std::string> notices;           // what the reader skipped or kept, "file:line: what"
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

// readInput for every argument, printing each failure and notice to
// standard error; nothing when any input failed.
std::optional<std::vector<Input>> readInputs(const QStringList& arguments);

}  // namespace cli
