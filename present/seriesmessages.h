#pragma once

// The series library's messages in words: what a reader skipped, ignored or
// refused, and why a fit or an uncertainty is not given. The window, the
// page and quillon-cli all say them through these, each in its language.

#include "present/language.h"
#include "present/numbers.h"
#include "series/series.h"

#include <string>
#include <string_view>

namespace present {

// One of Quillon's CSV columns, named by its key (gas_flow), as the
// language names it: a header the CSV reader accepts. Another text stays.
std::string columnWord(std::string_view key, const Language& language = {});

// The message in the language's words. Names, cells and keys stay as the
// file writes them; counts are written as the locale writes numbers.
std::string seriesMessage(const series::Message& message, const Language& language = {},
                          const NumberLocale& locale = {});

// "runs.quillon:12:7: /runs/3/y1: expected a number for "y1", found a string",
// leaving out the parts the error lacks.
std::string describe(const series::ReadError& error, std::string_view fileName, const Language& language = {},
                     const NumberLocale& locale = {});

// "runs.csv:3: skipped: y1 "mol/s" is not a number".
std::string describe(const series::Notice& notice, std::string_view fileName, const Language& language = {},
                     const NumberLocale& locale = {});

}  // namespace present
