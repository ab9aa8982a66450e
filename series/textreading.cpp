#include "series/textreading.h"

#include <fast_float/fast_float.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>

namespace series::text {
namespace {

// Unicode of each byte of Windows-1252; 0 for the five it leaves undefined.
// Only 0x80 to 0x9F differ from Latin-1.
constexpr std::array<char16_t, 256> windows1252 = [] {
    std::array<char16_t, 256> table{};
    for (std::size_t byte = 0; byte < table.size(); ++byte)
        table[byte] = char16_t(byte);
    constexpr std::array<char16_t, 32> from80{
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
    };
    for (std::size_t i = 0; i < from80.size(); ++i)
        table[0x80 + i] = from80[i];
    return table;
}();

void appendUtf8(std::string& text, char16_t code)
{
    if (code < 0x80) {
        text += char(code);
    } else if (code < 0x800) {
        text += char(0xC0 | (code >> 6));
        text += char(0x80 | (code & 0x3F));
    } else {
        text += char(0xE0 | (code >> 12));
        text += char(0x80 | ((code >> 6) & 0x3F));
        text += char(0x80 | (code & 0x3F));
    }
}

}  // namespace

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

std::optional<std::size_t> firstNonText1252(std::string_view bytes)
{
    const auto found = std::find_if(bytes.begin(), bytes.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return windows1252[byte] == 0 || (byte < 0x20 && byte != '\t' && byte != '\r' && byte != '\n') || byte == 0x7F;
    });
    return found == bytes.end() ? std::nullopt : std::optional(std::size_t(found - bytes.begin()));
}

std::string fromWindows1252(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const char16_t code = windows1252[static_cast<unsigned char>(c)];
        appendUtf8(text, code == 0 && c != 0 ? u'\uFFFD' : code);
    }
    return text;
}

}  // namespace series::text
