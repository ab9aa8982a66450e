#pragma once

// The page's language and number locale, set once at start-up: every text
// and number the bindings give the page is in them.

#include "present/language.h"
#include "present/numbers.h"

#include <emscripten/val.h>

namespace web {

const present::Language& language();
const present::NumberLocale& numberLocale();

// The German catalogue as the page loaded it (an object keyed by context,
// U+0004 and source; empty for English), and the locale's decimal point.
void setPageLocale(const emscripten::val& catalogue, const std::string& decimalPoint);

}  // namespace web
