#include "pagelocale.h"

#include <string>
#include <unordered_map>

namespace web {

namespace {

present::Language pageLanguage;
present::NumberLocale pageNumbers;

}  // namespace

const present::Language& language()
{
    return pageLanguage;
}

const present::NumberLocale& numberLocale()
{
    return pageNumbers;
}

void setPageLocale(const emscripten::val& catalogue, const std::string& decimalPoint)
{
    std::unordered_map<std::string, std::string> texts;
    const emscripten::val keys = emscripten::val::global("Object").call<emscripten::val>("keys", catalogue);
    const auto count = keys["length"].as<std::size_t>();
    for (std::size_t i = 0; i < count; ++i) {
        const auto key = keys[i].as<std::string>();
        texts.emplace(key, catalogue[key].as<std::string>());
    }
    pageLanguage = present::Language::fromCatalogue(std::move(texts));
    pageNumbers.decimalPoint = decimalPoint;
}

}  // namespace web
