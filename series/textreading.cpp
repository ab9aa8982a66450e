#include "series/textreading.h"

#include <fast_float/fast_float.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

namespace series::text {

std::string_view withoutBom(std::string_view bytes)
{
    constexpr std::string_view bom = "\xEF\xBB\xBF";
    return bytes.starts_with(bom) ? bytes.substr(bom.size()) : bytes;
}

std::string_view trimmed(std::string_view cell)
{
    const std::size_t first = cell.find_first_not_of(" \t");
    return first == std::string_view::npos ? std::string_view()
                                           : cell.substr(first, cell.find_last_not_of(" \t") - first + 1);
}

std::optional<ReadError> beyondFileLimit(std::string_view text)
{
    if (text.size() <= maxFileBytes)
        return std::nullopt;
    const Position at = positionAt(text, maxFileBytes);
    return ReadError{at.line, at.column, {}, {MessageKind::fileTooLong, {}, {maxFileBytes}}};
}

std::optional<double> readNumber(std::string_view cell, char decimal)
{
    cell = trimmed(cell);
    // U+2212 wherever fast_float would take a '-'.
    std::string text;
    constexpr std::string_view minus = "\xE2\x88\x92";
    for (std::size_t i = 0; i < cell.size(); ++i) {
        if (cell.substr(i).starts_with(minus)) {
            text += '-';
            i += minus.size() - 1;
        } else {
            text += cell[i];
        }
    }
    // fast_float takes '-' only; a '+' is fine before a digit or a separator.
    if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+')
        text.erase(0, 1);
    if (text.empty())
        return std::nullopt;
    const char other = decimal == ',' ? '.' : ',';
    if (text.find(other) != std::string::npos || std::count(text.begin(), text.end(), decimal) > 1)
        return std::nullopt;
    // The same digits with ',' as the decimal point give the same double as
    // with '.': the separator only marks where the fraction starts.
    const fast_float::parse_options options{fast_float::chars_format::general, decimal};
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = fast_float::from_chars_advanced(text.data(), end, value, options);
    if (error != std::errc() || ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

Position positionAt(std::string_view text, std::size_t offset)
{
    Position position;
    const std::size_t end = std::min(offset, text.size());
    for (std::size_t i = 0; i < end; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool loneCr = byte == '\r' && (i + 1 == text.size() || text[i + 1] != '\n');
        if (byte == '\n' || loneCr) {
            ++position.line;
            position.column = 1;
        } else if ((byte & 0xC0) != 0x80) {
            // Continuation bytes belong to the character before them.
            ++position.column;
        }
    }
    return position;
}

std::optional<std::size_t> firstInvalidUtf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        // The sequence's length and the least code point it may carry.
        const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        const std::uint32_t least = length == 4 ? 0x10000 : length == 3 ? 0x800 : 0x80;
        if (lead < 0xC0 || lead > 0xF4)
            return i;
        if (text.size() - i < length)
            return i;
        std::uint32_t code = lead & (0x3F >> (length - 1));
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80)
                return i;
            code = (code << 6) | (next & 0x3F);
        }
        // Overlong forms, UTF-16 surrogates and values past U+10FFFF.
        if (code < least || (code >= 0xD800 && code < 0xE000) || code > 0x10FFFF)
            return i;
        i += length;
    }
    return std::nullopt;
}

}  // namespace series::text
