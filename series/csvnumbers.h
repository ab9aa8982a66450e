#pragma once

// How a CSV file writes its numbers: one decimal separator for the whole
// file, decided from its cells, so that "1.500" is never 1.5 in one row and
// 1500 in the next. Not part of the library's interface.

#include <cstddef>
#include "series/messages.h"

#include <optional>
#include <string>
#include <string_view>

namespace series::csv {

// The separator a cell can only mean as its decimal: '.' for "0.02" or
// "12.34", ',' for "0,5"; 0 for a cell without one, with a group separator,
// or one that could be a thousands group ("1.500", "30,000").
char voteOf(std::string_view cell);

// The file's decimal separator: the one most cells vote for; on a tie the
// delimiter's custom, '.' after ',' and ',' after ';'; 0 (none) after a tab.
char decimalOf(std::size_t pointVotes, std::size_t commaVotes, char delimiter);

// A cell as a number by the file's decimal separator (0 for none decided).
struct CellNumber {
    std::optional<double> value;
    // For a cell that is a number but cannot be read by the file's
    // separator without guessing: what it has and what to write instead.
    std::optional<Message> refusal;
};

CellNumber readCell(std::string_view cell, char decimal);

}  // namespace series::csv
