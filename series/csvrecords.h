#pragma once

// RFC 4180 records; not part of the library's interface.

#include "series/series.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace series::csv {

struct Record {
    int line = 0;          // where the record starts
    std::string_view raw;  // its text, quotes and all, without the line end
    std::vector<std::string> fields;
    std::vector<std::size_t> starts;  // each field's offset in the text
};

// ',', ';' or tab: whichever the first line has most of outside quotes; on a
// tie tab before ';' before ','.
char detectDelimiter(std::string_view text);

// The records of the text: fields split at the delimiter outside quotes,
// quoted fields unquoted with "" read as ", records ended by LF, CRLF or a
// lone CR outside quotes. A quote left open is an error at the quote; more
// than maxCsvRecords records, maxCsvColumns fields in one or maxTextBytes in
// a field an error where the limit is passed.
std::variant<std::vector<Record>, ReadError> splitRecords(std::string_view text, char delimiter);

}  // namespace series::csv
