#pragma once

// Help ▸ Method and Data: what Calculate and Find MTC do, their
// assumptions, and the equilibrium table, as HTML.

#include "present/language.h"
#include "present/numbers.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace present {

// The window explains its Runs window, its uncertainties and its series
// analysis too; the page names only what its own Help has room for.
enum class HelpEdition { window, page };

// How a locale groups the digits of a count: 1,000,000, 1.000.000, or
// 10,00,000 in India; not at all without a separator.
struct Grouping {
    std::string separator;
    std::size_t first = 3;   // digits in the group on the right
    std::size_t higher = 3;  // digits in each group left of it
    bool operator==(const Grouping&) const = default;
};

// The grouping a locale shows in its text of ten million, written with
// the separator given (none when empty).
Grouping groupingOf(std::string_view tenMillion, const std::string& separator);

// A count as the reader's locale writes it.
std::string countText(std::size_t value, const Grouping& grouping);

// The explanation in the language and numbers given, the worked example
// computed by the series library.
std::string methodText(const Language& language, const NumberLocale& locale, const Grouping& grouping,
                       HelpEdition edition);

}  // namespace present
