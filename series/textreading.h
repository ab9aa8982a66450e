#pragma once

// Text helpers the readers and writers share; not part of the library's
// interface.

#include "series/series.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace series::text {

// The text without a leading UTF-8 byte order mark.
std::string_view withoutBom(std::string_view bytes);

// The text without the spaces and tabs around it.
std::string_view trimmed(std::string_view cell);

// The refusal of a file longer than maxFileBytes, placed where it passes
// the limit; none for a file within it.
std::optional<ReadError> beyondFileLimit(std::string_view text);

// A number as a person or a spreadsheet writes it: surrounding spaces, a
// leading '+', '-' or U+2212 (a word processor's minus), at most one
// `decimal` separator and no other '.' or ',', an exponent. Finite values
// only.
std::optional<double> readNumber(std::string_view cell, char decimal);

struct Position {
    int line = 1;
    int column = 1;
};

// The line and column of a byte offset, both 1-based, columns counted in
// characters of UTF-8. LF, CRLF and a lone CR each end a line.
Position positionAt(std::string_view text, std::size_t offset);

// The offset of the first byte that is not part of well-formed UTF-8.
std::optional<std::size_t> firstInvalidUtf8(std::string_view text);

// The offset of the first byte that is not text in Windows-1252: one of
// the five the code page leaves undefined, or a control character other
// than tab, CR and LF (a UTF-16 file's zero bytes, say).
std::optional<std::size_t> firstNonText1252(std::string_view bytes);

// Windows-1252 bytes, the Western code page of Excel's CSV files, as
// UTF-8; a byte the code page leaves undefined becomes U+FFFD.
std::string fromWindows1252(std::string_view bytes);

}  // namespace series::text
