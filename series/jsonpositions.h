#pragma once

// Where things are in a JSON text: nlohmann's documents keep no positions,
// so a second pass over the text finds them when an error or a notice
// needs one. Not part of the library's interface.

#include "series/messages.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace series::json {

struct SyntaxError {
    std::size_t offset = 0;  // where the parser stopped
    Message message;
};

// The first error of a text nlohmann's parser refuses, or the first place
// where the text passes one of the readers' limits: maxNesting, maxMembers,
// maxTextBytes for a string or a key, maxRuns in "runs". Bounded and not recursive, so it
// can come before anything that recurses over the document.
std::optional<SyntaxError> findSyntaxError(std::string_view text);

// The offset at which the value each JSON pointer names begins, in a text
// that parses; none for a pointer that names nothing.
std::vector<std::optional<std::size_t>> locate(std::string_view text, std::span<const std::string> pointers);

// A key as one token of a JSON pointer: '~' and '/' escaped.
std::string pointerToken(std::string_view key);

}  // namespace series::json
