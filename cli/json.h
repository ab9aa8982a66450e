#pragma once

// The JSON quillon-cli writes.

#include <nlohmann/json.hpp>

#include <string>

namespace cli {

// Keys stay in the order they were added.
using Json = nlohmann::ordered_json;

// The text of `value`, two spaces a level, a list or an object of plain
// values (below the top) on one line; every double exactly as
// series::exactText writes it (nlohmann would write 100 as 100.0 and -0 as
// -0.0), infinity and NaN as null, as JSON has neither. Text that is not
// UTF-8 (no reader makes any) is replaced rather than thrown on.
std::string jsonText(const Json& value);

}  // namespace cli
