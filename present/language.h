#pragma once

// The words a person reads, each defined once, here, by its context and
// English text: the keys of translations/quillon_de.ts. The window looks
// them up in Qt's translator, the page in the same catalogue compiled to
// JSON, and quillon-cli speaks English.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace present {

// A text being put together: arg() fills the lowest-numbered %1 … %99 left,
// every place it stands, as QString::arg does.
class Text {
public:
    explicit Text(std::string written)
        : text(std::move(written))
    {
    }

    Text arg(std::string_view value) const;
    Text arg(const Text& value) const { return arg(value.str()); }
    Text arg(const char* value) const { return arg(std::string_view(value)); }
    Text arg(const std::string& value) const { return arg(std::string_view(value)); }
    Text arg(long long value) const;
    Text arg(int value) const { return arg(static_cast<long long>(value)); }
    Text arg(std::size_t value) const { return arg(static_cast<long long>(value)); }

    const std::string& str() const { return text; }
    bool operator==(const Text&) const = default;

private:
    std::string text;
};

class Language {
public:
    // The translation of a source in its context; empty when there is none.
    using Lookup = std::function<std::string(std::string_view context, std::string_view source)>;

    // English: every text as its source says it.
    Language() = default;
    explicit Language(Lookup translations)
        : lookup(std::move(translations))
    {
    }

    // A catalogue keyed by context, U+0004 and source, as the page's.
    static Language fromCatalogue(std::unordered_map<std::string, std::string> texts);

    // The text in this language. Its context and source are the catalogue's
    // key, so lupdate finds them: pass both as literals.
    Text translate(const char* context, const char* source) const;

private:
    Lookup lookup;
};

}  // namespace present
