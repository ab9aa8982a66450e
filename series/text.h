#pragma once

// Text helpers the readers and writers share; not part of the library's
// interface.

#include <cstddef>
#include <optional>
#include <string_view>

namespace series::text {

// The text without a leading UTF-8 byte order mark.
std::string_view withoutBom(std::string_view bytes);

// A number as a person or a spreadsheet writes it: surrounding spaces, a
// leading '+' or '-', a decimal point or one decimal comma, an exponent; no
// group separators. Finite values only.
std::optional<double> readNumber(std::string_view cell);

struct Position {
    int line = 1;
    int column = 1;
};

// The line and column of a byte offset, both 1-based, columns counted in
// characters of UTF-8.
Position positionAt(std::string_view text, std::size_t offset);

// The offset of the first byte that is not part of well-formed UTF-8.
std::optional<std::size_t> firstInvalidUtf8(std::string_view text);

}  // namespace series::text
