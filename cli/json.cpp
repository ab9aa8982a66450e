#include "cli/json.h"

#include "series/series.h"

#include <algorithm>
#include <cmath>

namespace cli {
namespace {

std::string plainText(const Json& value)
{
    if (value.is_number_float()) {
        const double number = value.get<double>();
        return std::isfinite(number) ? series::exactText(number) : "null";
    }
    return value.dump(-1, ' ', false, Json::error_handler_t::replace);
}

void append(std::string& text, const Json& value, int depth)
{
    if (!value.is_structured()) {
        text += plainText(value);
        return;
    }
    const bool flat = depth > 0
        && std::none_of(value.begin(), value.end(), [](const Json& member) { return member.is_structured(); });
    const std::string inner = flat ? " " : '\n' + std::string(std::size_t(depth + 1) * 2, ' ');
    text += value.is_object() ? '{' : '[';
    for (auto member = value.begin(); member != value.end(); ++member) {
        if (member != value.begin())
            text += ',';
        if (!flat || member != value.begin())
            text += inner;
        if (value.is_object())
            text += plainText(member.key()) + ": ";
        append(text, *member, depth + 1);
    }
    if (!flat && !value.empty())
        text += '\n' + std::string(std::size_t(depth) * 2, ' ');
    text += value.is_object() ? '}' : ']';
}

}  // namespace

std::string jsonText(const Json& value)
{
    std::string text;
    append(text, value, 0);
    return text + '\n';
}

}  // namespace cli
