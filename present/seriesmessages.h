#pragma once

// The series library's messages in words: what a reader skipped, ignored or
// refused, and why a fit or an uncertainty is not given. The window, the
// page and quillon-cli all say them through these, each in its language.

#include "present/language.h"
#include "present/numbers.h"
#include "present/words.h"
#include "series/file.h"
#include "series/series.h"

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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

// The box for a file a reader refused: `shownName` as the window shows the
// file (its path), `fileName` as the error's place names it.
MessageBox refusedBox(const series::ReadError& error, std::string_view shownName, std::string_view fileName,
                      const Language& language = {}, const NumberLocale& locale = {});

// The runs, numbered from 1, that the differences name, each once, rising.
std::vector<std::size_t> differingRuns(std::span<const series::Difference> differences);

// What opening a file found, as the boxes that tell it, in this order: the
// runs whose stored inputs differ from what their readings give, the runs
// whose stored results differ from what is computed now, and what the
// reader noticed. None when there is nothing to tell.
std::vector<MessageBox> openedBoxes(std::span<const series::Difference> differences,
                                    std::span<const series::Notice> notices, std::string_view fileName,
                                    const Language& language = {}, const NumberLocale& locale = {});

}  // namespace present
