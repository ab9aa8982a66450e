#include "present/words.h"

#include <cstdint>

namespace present {

namespace {

constexpr std::size_t longestQuote = 40;

// The length of the UTF-8 sequence a byte begins; a stray byte counts alone.
std::size_t sequenceLength(unsigned char lead)
{
    if (lead >= 0xF0 && lead < 0xF8)
        return 4;
    if (lead >= 0xE0)
        return lead < 0xF0 ? 3 : 1;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

// The code point at text[at], of `length` bytes.
std::uint32_t codePoint(std::string_view text, std::size_t at, std::size_t length)
{
    if (length == 1)
        return static_cast<unsigned char>(text[at]);
    std::uint32_t point = static_cast<unsigned char>(text[at]) & (0x7Fu >> length);
    for (std::size_t i = 1; i < length; ++i)
        point = (point << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3Fu);
    return point;
}

// What the window counts as a space when it asks whether a field is blank:
// the control characters \t to \r, and Unicode's separators.
bool isSpace(std::uint32_t point)
{
    return point == ' ' || (point >= '\t' && point <= '\r') || point == 0x85 || point == 0xA0 || point == 0x1680
        || (point >= 0x2000 && point <= 0x200A) || point == 0x2028 || point == 0x2029 || point == 0x202F
        || point == 0x205F || point == 0x3000;
}

bool isBlank(std::string_view text)
{
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = std::min(sequenceLength(static_cast<unsigned char>(text[at])), text.size() - at);
        if (!isSpace(codePoint(text, at, length)))
            return false;
        at += length;
    }
    return true;
}

std::string faultName(const Language& language, absorber::Outcome fault)
{
    const std::string name = outcomeName(language, fault);
    return name.empty() || fault == absorber::Outcome::invalidData
        ? language.translate("Messages", "Arithmetic fault").str()
        : name;
}

}  // namespace

std::string outcomeName(const Language& language, absorber::Outcome outcome)
{
    switch (outcome) {
    case absorber::Outcome::completed:
        break;
    case absorber::Outcome::invalidData:
        return language.translate("Messages", "Invalid Data").str();
    case absorber::Outcome::divisionByZero:
        return language.translate("Messages", "Division by zero").str();
    case absorber::Outcome::overflow:
        return language.translate("Messages", "Overflow").str();
    case absorber::Outcome::invalidOperation:
        return language.translate("Messages", "Invalid operation").str();
    }
    return {};
}

std::string quoted(std::string_view text)
{
    std::size_t units = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = std::min(sequenceLength(static_cast<unsigned char>(text[at])), text.size() - at);
        // Beyond the basic plane a character takes a surrogate pair: kept
        // whole or left out.
        units += length == 4 ? 2 : 1;
        if (units > longestQuote)
            return std::string(text.substr(0, at)) + "\u2026";
        at += length;
    }
    return std::string(text);
}

MessageBox conversionError(const Language& language, std::string_view fieldName, std::string_view typed,
                           NumberFault fault)
{
    if (isBlank(typed)) {
        return {language.translate("Messages", "Not a number").str(),
                language.translate("Messages", "%1 is empty. Type a number.").arg(fieldName).str()};
    }
    // The typed text goes in last, so that a "%1" in it stays as typed.
    if (fault == NumberFault::tooLarge) {
        return {language.translate("Messages", "Number too large").str(),
                language.translate("Messages", "%1 holds \"%2\", which is too large a number.")
                    .arg(fieldName)
                    .arg(quoted(typed))
                    .str()};
    }
    return {language.translate("Messages", "Not a number").str(),
            language.translate("Messages", "%1 holds \"%2\", which is not a number.")
                .arg(fieldName)
                .arg(quoted(typed))
                .str()};
}

std::optional<MessageBox> uncertaintyRefusal(const Language& language, std::string_view typed, bool nonNegativeNumber)
{
    if (typed.empty() || nonNegativeNumber)
        return std::nullopt;
    return MessageBox{
        language.translate("UncertaintyFields", "Not an uncertainty").str(),
        language
            .translate("UncertaintyFields",
                       "\"%1\" is not an uncertainty: give a number of 0 or more, or leave the field empty.")
            .arg(quoted(typed))
            .str()};
}

MessageBox faultBox(const Language& language, absorber::Outcome fault)
{
    const std::string name = faultName(language, fault);
    return {name, language.translate("Messages", "%1. The calculation was stopped at that step.").arg(name).str()};
}

MessageBox drawingFaultBox(const Language& language, absorber::Outcome fault)
{
    const std::string name = faultName(language, fault);
    return {name,
            language.translate("Messages", "%1. Drawing stopped there; the chart shows what was drawn before.")
                .arg(name)
                .str()};
}

std::optional<MessageBox> outcomeBox(const Language& language, absorber::Outcome outcome,
                                     const std::string& invalidDataTitle)
{
    switch (outcome) {
    case absorber::Outcome::completed:
        return std::nullopt;
    case absorber::Outcome::invalidData:
        return MessageBox{invalidDataTitle, outcomeName(language, outcome)};
    case absorber::Outcome::invalidOperation:
    case absorber::Outcome::divisionByZero:
    case absorber::Outcome::overflow:
        break;
    }
    return faultBox(language, outcome);
}

std::string findingMessage(const Language& language, series::Finding finding)
{
    switch (finding) {
    case series::Finding::gasFlowNotPositive:
        return language.translate("Findings", "The gas flow is not above 0.").str();
    case series::Finding::waterFlowNotPositive:
        return language.translate("Findings", "The water flow is not above 0.").str();
    case series::Finding::negativeFraction:
        return language.translate("Findings", "A mole fraction, y1 or x1, is below 0.").str();
    case series::Finding::noAbsorption:
        return language
            .translate("Findings",
                       "The gas leaves as rich in NH3 as it came, or richer (y2 ≥ y1): nothing is absorbed.")
            .str();
    case series::Finding::aboveEquilibrium:
        return language
            .translate("Findings",
                       "x1 is at or beyond the water's equilibrium with the entering gas (x1 · m ≥ y1), "
                       "which counter-current contact cannot reach.")
            .str();
    case series::Finding::drivingForceChangesSign:
        return language
            .translate("Findings",
                       "The driving force changes sign between the limits: the integral the NTU sum "
                       "stands for does not exist.")
            .str();
    case series::Finding::temperatureMissing:
        return language
            .translate("Findings", "The run has no column temperature: its equilibrium is the table's at 30 °C.")
            .str();
    case series::Finding::temperatureOutsideRange:
        return language
            .translate("Findings",
                       "The column temperature is outside 5–50 °C, where the equilibrium's scaling "
                       "with temperature is not checked.")
            .str();
    }
    return {};
}

std::vector<std::string> findingMessages(const Language& language, const std::vector<series::Finding>& findings)
{
    std::vector<std::string> messages;
    for (const series::Finding finding : findings)
        messages.push_back(findingMessage(language, finding));
    return messages;
}

std::string notCompletedText(const Language& language, absorber::Outcome outcome)
{
    switch (outcome) {
    case absorber::Outcome::completed:
        break;
    case absorber::Outcome::invalidData:
        return language.translate("SeriesPdf", "not completed: invalid data").str();
    case absorber::Outcome::invalidOperation:
        return language.translate("SeriesPdf", "not completed: invalid operation").str();
    case absorber::Outcome::divisionByZero:
        return language.translate("SeriesPdf", "not completed: division by zero").str();
    case absorber::Outcome::overflow:
        return language.translate("SeriesPdf", "not completed: overflow").str();
    }
    return {};
}

}  // namespace present
