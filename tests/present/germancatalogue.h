#pragma once

// The German catalogue as the page builds it from the .ts: finished
// translations only, keyed by context, U+0004 and source.

#include <string>
#include <unordered_map>

std::unordered_map<std::string, std::string> germanCatalogue();
