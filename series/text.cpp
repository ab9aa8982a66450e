#include "series/text.h"

#include <fast_float/fast_float.h>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace series::text {

std::string_view withoutBom(std::string_view bytes)
{
    constexpr std::string_view bom = "\xEF\xBB\xBF";
    return bytes.starts_with(bom) ? bytes.substr(bom.size()) : bytes;
}

std::optional<double> readNumber(std::string_view cell)
{
    const auto space = [](char c) { return c == ' ' || c == '\t'; };
    while (!cell.empty() && space(cell.front()))
        cell.remove_prefix(1);
    while (!cell.empty() && space(cell.back()))
        cell.remove_suffix(1);
    // fast_float takes '-' only; a '+' is fine before a digit or a separator.
    if (cell.size() > 1 && cell.front() == '+' && cell[1] != '-' && cell[1] != '+')
        cell.remove_prefix(1);
    if (cell.empty())
        return std::nullopt;

    // One comma and no point is a decimal comma; anything else with a comma
    // is a group separator or two numbers, and neither is read.
    const auto commas = std::count(cell.begin(), cell.end(), ',');
    const bool decimalComma = commas == 1 && cell.find('.') == std::string_view::npos;
    if (commas > 0 && !decimalComma)
        return std::nullopt;
    // The same digits with ',' as the decimal point give the same double as
    // with '.': the separator only marks where the fraction starts.
    const fast_float::parse_options options{fast_float::chars_format::general, decimalComma ? ',' : '.'};
    double value = 0.0;
    const char* end = cell.data() + cell.size();
    const auto [ptr, error] = fast_float::from_chars_advanced(cell.data(), end, value, options);
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
        if (byte == '\n') {
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
