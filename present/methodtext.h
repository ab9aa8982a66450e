#pragma once

// Help ▸ Method and Data: what Calculate and Find MTC do, their
// assumptions, and the equilibrium table, as HTML.

#include "present/language.h"
#include "present/numbers.h"

#include <cstddef>
#include <string>

namespace present {

// The window explains its Runs window, its uncertainties and its series
// analysis too; the page names only what its own Help has room for.
enum class HelpEdition { window, page };

// A count as the reader's locale writes it, grouped in threes by the
// separator given (none when empty): 1,000,000 or 1.000.000.
std::string countText(std::size_t value, const std::string& groupSeparator);

// The explanation in the language and numbers given, the worked example
// computed by the series library; counts grouped by the separator given.
std::string methodText(const Language& language, const NumberLocale& locale, const std::string& groupSeparator,
                       HelpEdition edition);

}  // namespace present
