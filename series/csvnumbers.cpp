#include "series/csvnumbers.h"

#include "series/textreading.h"

#include <algorithm>
#include <vector>

namespace series::csv {
namespace {

bool digits(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A cell with one separator once, that one as a thousands group would read
// it: 1 to 3 digits not starting with 0, the separator, 3 digits.
bool groupLike(std::string_view cell, char separator)
{
    if (!cell.empty() && (cell.front() == '+' || cell.front() == '-'))
        cell.remove_prefix(1);
    else if (cell.starts_with("\xE2\x88\x92"))
        cell.remove_prefix(3);
    const std::size_t at = cell.find(separator);
    if (at == std::string_view::npos)
        return false;
    const std::string_view before = cell.substr(0, at);
    const std::string_view after = cell.substr(at + 1);
    return !before.empty() && before.size() <= 3 && before.front() != '0' && digits(before) && after.size() == 3
        && digits(after);
}

std::string without(std::string_view cell, char separator)
{
    std::string text(cell);
    std::erase(text, separator);
    return text;
}

// The cell with `decimal` in place of `separator`, without the trailing
// zeros a thousands group would have had: "1,500" as "1.5", "30.000" as "30".
std::string decimalForm(std::string_view cell, char separator, char decimal)
{
    std::string text(cell);
    std::replace(text.begin(), text.end(), separator, decimal);
    if (text.find_first_of("eE") != std::string::npos || text.find(decimal) == std::string::npos)
        return text;
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == decimal)
        text.pop_back();
    return text;
}

}  // namespace

char voteOf(std::string_view cell)
{
    cell = text::trimmed(cell);
    const auto points = std::count(cell.begin(), cell.end(), '.');
    const auto commas = std::count(cell.begin(), cell.end(), ',');
    if (points + commas != 1)
        return 0;
    const char separator = points == 1 ? '.' : ',';
    if (groupLike(cell, separator) || !text::readNumber(cell, separator))
        return 0;
    return separator;
}

char decimalOf(std::size_t pointVotes, std::size_t commaVotes, char delimiter)
{
    if (pointVotes != commaVotes)
        return pointVotes > commaVotes ? '.' : ',';
    return delimiter == ',' ? '.' : delimiter == ';' ? ',' : 0;
}

CellNumber readCell(std::string_view cell, char decimal)
{
    cell = text::trimmed(cell);
    // Spaces and apostrophes group digits in some locales: "1 500", "1'500".
    struct Grouping {
        std::string_view text;
        MessageKind kind;
    };
    constexpr Grouping groupings[] = {{" ", MessageKind::numberGroupedBySpace},
                                      {"\xC2\xA0", MessageKind::numberGroupedBySpace},
                                      {"\xE2\x80\xAF", MessageKind::numberGroupedBySpace},
                                      {"'", MessageKind::numberGroupedByApostrophe},
                                      {"\xE2\x80\x99", MessageKind::numberGroupedByApostrophe}};
    for (const Grouping& grouping : groupings) {
        if (cell.find(grouping.text) == std::string_view::npos)
            continue;
        std::string plain(cell);
        for (const Grouping& other : groupings) {
            for (std::size_t at; (at = plain.find(other.text)) != std::string::npos;)
                plain.erase(at, other.text.size());
        }
        CellNumber inner = readCell(plain, decimal);
        if (!inner.value)
            return inner;
        return {std::nullopt, Message{grouping.kind, {plain}}};
    }
    const auto points = std::count(cell.begin(), cell.end(), '.');
    const auto commas = std::count(cell.begin(), cell.end(), ',');
    if (points + commas == 0)
        return {text::readNumber(cell, '.'), {}};

    if (points > 0 && commas > 0) {
        // The last one is the decimal, as a spreadsheet with groups writes it.
        const char last = cell[cell.find_last_of(".,")];
        const char group = last == '.' ? ',' : '.';
        const std::string plain = without(cell, group);
        if (!text::readNumber(plain, last))
            return {};
        return {std::nullopt,
                Message{decimal == ',' ? MessageKind::numberPointAndCommaUseComma
                                       : MessageKind::numberPointAndCommaUsePoint,
                        {decimalForm(plain, last, decimal ? decimal : '.')}}};
    }
    const char separator = points > 0 ? '.' : ',';
    if (points + commas > 1) {
        const std::string plain = without(cell, separator);
        if (!text::readNumber(plain, '.'))
            return {};
        return {
            std::nullopt,
            Message{separator == ',' ? MessageKind::numberGroupedByComma : MessageKind::numberGroupedByPoint, {plain}}};
    }
    const std::optional<double> value = text::readNumber(cell, separator);
    if (!value || separator == decimal)
        return {value, {}};
    const bool group = groupLike(cell, separator);
    if (decimal == 0 && !group)
        return {value, {}};
    std::vector<std::string> alternatives;
    if (group)
        alternatives.push_back(without(cell, separator));
    alternatives.push_back(decimalForm(cell, separator, decimal ? decimal : separator));
    if (decimal == 0)
        return {std::nullopt, Message{MessageKind::numberAmbiguous, std::move(alternatives)}};
    return {std::nullopt,
            Message{separator == ',' ? MessageKind::numberCommaAmongPoints : MessageKind::numberPointAmongCommas,
                    std::move(alternatives)}};
}

}  // namespace series::csv
