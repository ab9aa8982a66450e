#include "germancatalogue.h"

#include <fstream>
#include <optional>
#include <sstream>

std::unordered_map<std::string, std::string> germanCatalogue()
{
    std::ifstream file(QUILLON_GERMAN_TS);
    std::stringstream xml;
    xml << file.rdbuf();
    const auto decode = [](std::string text) {
        const std::pair<const char*, const char*> entities[] = {
            {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
        for (const auto& [entity, plain] : entities) {
            for (std::size_t at; (at = text.find(entity)) != std::string::npos;)
                text.replace(at, std::string_view(entity).size(), plain);
        }
        return text;
    };
    std::unordered_map<std::string, std::string> texts;
    const std::string all = xml.str();
    // The text of the element `tag` starting exactly at `at`, moving `at` past it.
    const auto element = [&all](std::size_t& at, const std::string& tag) -> std::optional<std::string> {
        at = all.find_first_not_of(" \t\r\n", at);
        const std::string open = '<' + tag + '>';
        const std::string close = "</" + tag + '>';
        if (at == std::string::npos || all.compare(at, open.size(), open) != 0)
            return std::nullopt;
        const std::size_t to = all.find(close, at);
        const std::string text = all.substr(at + open.size(), to - at - open.size());
        at = to + close.size();
        return text;
    };
    for (std::size_t at = all.find("<context>"); at != std::string::npos; at = all.find("<context>", at)) {
        at += std::string_view("<context>").size();
        const std::size_t end = all.find("</context>", at);
        const auto name = element(at, "name");
        for (std::size_t source = all.find("<source>", at); name && source < end;
             source = all.find("<source>", source + 1)) {
            std::size_t next = source;
            const auto english = element(next, "source");
            const auto translated = element(next, "translation");
            if (english && translated)
                texts[decode(*name) + '\x04' + decode(*english)] = decode(*translated);
        }
        at = end;
    }
    return texts;
}
