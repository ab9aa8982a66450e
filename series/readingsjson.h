#pragma once

// A run's readings in the series file: the "readings" member of a run.
// Not part of the library's interface.

#include "series/readings.h"

#include <nlohmann/json.hpp>

#include <string>
#include <variant>

namespace series::readingsjson {

using Json = nlohmann::ordered_json;

// What is wrong with the readings, and where.
struct Fault {
    std::string pointer;
    Message message;
};

// The readings of the member at the JSON pointer `at`. Refused: a member
// of the wrong kind, a required one missing, an unknown key, an unknown unit.
std::variant<Readings, Fault> read(const Json& value, const std::string& at);

// Every reading given, the optional ones only when given.
Json write(const Readings& readings);

// A value's kind as the series file's messages name it: null, true, false,
// string, array, object or number.
std::string kindOf(const Json& value);

}  // namespace series::readingsjson
