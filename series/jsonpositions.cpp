#include "series/jsonpositions.h"

#include "series/series.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <iterator>

namespace series::json {
namespace {

using Json = nlohmann::ordered_json;

// Reads the text for the parser and leaves behind how far it has read, which
// the walker takes for the position of each event.
class CountingIterator {
public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    CountingIterator(const char* position, const char** furthestRead)
        : at(position)
        , furthest(furthestRead)
    {
    }
    reference operator*() const { return *at; }
    CountingIterator& operator++()
    {
        *furthest = ++at;
        return *this;
    }
    CountingIterator operator++(int)
    {
        CountingIterator before = *this;
        ++*this;
        return before;
    }
    bool operator==(const CountingIterator& other) const { return at == other.at; }

private:
    const char* at;
    const char** furthest;
};

// Follows the parser's events with the JSON pointer of the current value and
// the offset where that value begins.
class Walker final : public Json::json_sax_t {
public:
    Walker(std::string_view json, std::span<const std::string> pointers, bool limited)
        : found(pointers.size())
        , limits(limited)
        , text(json)
        , targets(pointers)
        , furthest(json.data())
        , previous(json.data())
    {
    }

    bool walk()
    {
        const CountingIterator first(text.data(), &furthest);
        const CountingIterator last(text.data() + text.size(), &furthest);
        return Json::sax_parse(first, last, this);
    }

    bool null() override { return value(); }
    bool boolean(bool) override { return value(); }
    bool number_integer(number_integer_t) override { return value(); }
    bool number_unsigned(number_unsigned_t) override { return value(); }
    bool number_float(number_float_t, const string_t&) override { return value(); }
    bool string(string_t& content) override { return fits(content) && value(); }
    bool binary(binary_t&) override { return value(); }
    bool start_object(std::size_t) override { return open(false); }
    bool start_array(std::size_t) override { return open(true); }
    bool end_object() override { return close(); }
    bool end_array() override { return close(); }
    bool key(string_t& name) override
    {
        if (!fits(name))
            return false;
        if (limits && ++frames.back().index > maxMembers)
            return beyond({MessageKind::tooManyMembers, {}, {maxMembers}});
        pointer.resize(frames.back().base);
        pointer += '/' + pointerToken(name);
        done();
        return true;
    }
    bool parse_error(std::size_t position, const std::string& lastToken,
                     const nlohmann::detail::exception& error) override
    {
        // The parser stops at the last byte it read (past the end when the
        // text ends early); a number too large for a double is whole, so the
        // error is at its first digit.
        const std::size_t read = error.id == numberOverflow ? lastToken.size() : 1;
        const std::size_t offset = position >= read ? position - read : 0;
        syntaxError = SyntaxError{offset, messageOf(lastToken, error)};
        return false;
    }

    std::vector<std::optional<std::size_t>> found;  // per target
    std::optional<SyntaxError> syntaxError;

private:
    struct Frame {
        std::size_t base;  // the pointer's length at the container
        bool array;
        std::size_t index = 0;  // elements of an array, members of an object
    };

    // A value begins after the last event's bytes and the separators
    // between them.
    std::size_t start() const
    {
        std::size_t at = static_cast<std::size_t>(previous - text.data());
        while (at < text.size() && std::string_view(" \t\r\n,:").find(text[at]) != std::string_view::npos)
            ++at;
        return at;
    }

    static constexpr int numberOverflow = 406;  // nlohmann's id

    bool value()
    {
        if (!frames.empty() && frames.back().array) {
            pointer.resize(frames.back().base);
            pointer += '/' + std::to_string(frames.back().index++);
        }
        if (limits && frames.size() == 2 && frames.back().index > maxRuns && pointer.starts_with("/runs/")
            && frames.back().base == std::string_view("/runs").size())
            return beyond({MessageKind::tooManyRuns, {}, {maxRuns}});
        const auto target = std::find(targets.begin(), targets.end(), pointer);
        if (target != targets.end())
            found[static_cast<std::size_t>(target - targets.begin())] = start();
        done();
        return true;
    }
    bool open(bool array)
    {
        // Placed before value() moves past the bracket.
        if (limits && frames.size() == maxNesting)
            return beyond({MessageKind::nestedTooDeep, {}, {maxNesting}});
        if (!value())
            return false;
        frames.push_back({pointer.size(), array});
        return true;
    }
    bool close()
    {
        pointer.resize(frames.back().base);
        frames.pop_back();
        done();
        return true;
    }
    void done() { previous = furthest; }

    bool fits(const string_t& content)
    {
        if (!limits || content.size() <= maxTextBytes)
            return true;
        return beyond({MessageKind::stringTooLong, {}, {maxTextBytes}});
    }

    // Stops the walk at the value that passes a limit.
    bool beyond(Message message)
    {
        syntaxError = SyntaxError{start(), std::move(message)};
        return false;
    }

    // nlohmann says what went wrong in English only; its words give the kind.
    static Message messageOf(const std::string& lastToken, const nlohmann::detail::exception& error)
    {
        if (error.id == numberOverflow)
            return {MessageKind::numberTooLarge, {lastToken}};
        const std::string_view what = error.what();
        const auto says = [&what](std::string_view words) { return what.find(words) != std::string_view::npos; };
        if (says("unexpected end of input"))
            return {MessageKind::jsonEndOfInput};
        if (says("invalid literal"))
            return {MessageKind::jsonInvalidLiteral, {lastToken}};
        if (says("invalid string"))
            return {MessageKind::jsonInvalidString, {lastToken}};
        if (says("invalid number"))
            return {MessageKind::jsonInvalidNumber, {lastToken}};
        // A bracket, a brace, a colon or a comma is named in quotes; a
        // value only by its kind.
        const std::size_t quoted = what.find("unexpected '");
        if (quoted != std::string_view::npos) {
            const std::size_t from = quoted + std::string_view("unexpected '").size();
            return {MessageKind::jsonUnexpected, {std::string(what.substr(from, what.find('\'', from) - from))}};
        }
        if (says("unexpected "))
            return {MessageKind::jsonUnexpectedValue};
        return {MessageKind::jsonNotJson};
    }

    bool limits;
    std::string_view text;
    std::span<const std::string> targets;
    const char* furthest;  // where the parser has read to
    const char* previous;  // where it had read to at the last event
    std::string pointer;
    std::vector<Frame> frames;
};

}  // namespace

std::optional<SyntaxError> findSyntaxError(std::string_view text)
{
    Walker walker(text, {}, true);
    walker.walk();
    return walker.syntaxError;
}

std::vector<std::optional<std::size_t>> locate(std::string_view text, std::span<const std::string> pointers)
{
    Walker walker(text, pointers, false);
    walker.walk();
    return walker.found;
}

std::string pointerToken(std::string_view key)
{
    std::string token;
    for (const char c : key) {
        if (c == '~')
            token += "~0";
        else if (c == '/')
            token += "~1";
        else
            token += c;
    }
    return token;
}

}  // namespace series::json
