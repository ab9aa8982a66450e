#include "present/language.h"

#include <algorithm>
#include <memory>

namespace present {

namespace {

// The number of a place holder %N at text[at], and its length; 0 for none.
std::pair<int, std::size_t> placeHolderAt(std::string_view text, std::size_t at)
{
    if (text[at] != '%' || at + 1 >= text.size() || text[at + 1] < '0' || text[at + 1] > '9')
        return {0, 0};
    int number = text[at + 1] - '0';
    std::size_t length = 2;
    if (at + 2 < text.size() && text[at + 2] >= '0' && text[at + 2] <= '9') {
        number = number * 10 + (text[at + 2] - '0');
        length = 3;
    }
    return {number, length};
}

}  // namespace

Text Text::arg(std::string_view value) const
{
    int lowest = 100;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const auto [number, length] = placeHolderAt(text, at);
        if (number > 0)
            lowest = std::min(lowest, number);
    }
    if (lowest == 100)
        return *this;
    std::string filled;
    for (std::size_t at = 0; at < text.size();) {
        const auto [number, length] = placeHolderAt(text, at);
        if (number == lowest) {
            filled += value;
            at += length;
        } else {
            filled += text[at++];
        }
    }
    return Text(std::move(filled));
}

Text Text::arg(long long value) const
{
    return arg(std::to_string(value));
}

Language Language::fromCatalogue(std::unordered_map<std::string, std::string> texts)
{
    auto catalogue = std::make_shared<const std::unordered_map<std::string, std::string>>(std::move(texts));
    return Language([catalogue](std::string_view context, std::string_view source) {
        std::string key(context);
        key += '\x04';
        key += source;
        const auto found = catalogue->find(key);
        return found == catalogue->end() ? std::string() : found->second;
    });
}

Text Language::translate(const char* context, const char* source) const
{
    if (lookup) {
        std::string translated = lookup(context, source);
        if (!translated.empty())
            return Text(std::move(translated));
    }
    return Text(source);
}

}  // namespace present
