#pragma once

// The words of the boxes, the outcomes and the findings, as the window, the
// reports and the page say them.

#include "core/absorber.h"
#include "present/language.h"
#include "series/findings.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace present {

// A box of one OK button: its title and its plain text.
struct MessageBox {
    std::string title;
    std::string text;
    bool operator==(const MessageBox&) const = default;
};

// What stopped a calculation, as the boxes name it: "Invalid Data" or the
// fault's kind; empty for a completed one.
std::string outcomeName(const Language& language, absorber::Outcome outcome);

// A user's text as a box quotes it: at most its first 40 UTF-16 units,
// never half a character, and "…" when there were more. UTF-8 in and out.
std::string quoted(std::string_view text);

// Why a field's text gave no number.
enum class NumberFault {
    notANumber,  // words, group separators, "inf", "nan" (or nothing but spaces)
    tooLarge,    // beyond the largest double, as 1e999
};

// The box for a field that gave no number, named by the label that names it
// on screen and quoting what it holds; a blank field is told it is empty.
MessageBox conversionError(const Language& language, std::string_view fieldName, std::string_view typed,
                           NumberFault fault);

// The box for an arithmetic fault that stopped a calculation, or the drawing
// of a chart; an outcome that is not a fault is "Arithmetic fault".
// A standard uncertainty as typed into its field, spaces trimmed: none
// for an empty field or a number of 0 or more, else the box that refuses it.
std::optional<MessageBox> uncertaintyRefusal(const Language& language, std::string_view typed, bool nonNegativeNumber);

MessageBox faultBox(const Language& language, absorber::Outcome fault);
MessageBox drawingFaultBox(const Language& language, absorber::Outcome fault);

// The box any outcome but a completed one gives: invalid data under the
// window's own title for it, a fault by its kind. None for a completed one.
std::optional<MessageBox> outcomeBox(const Language& language, absorber::Outcome outcome,
                                     const std::string& invalidDataTitle);

// A finding as the user reads it: one line.
std::string findingMessage(const Language& language, series::Finding finding);
std::vector<std::string> findingMessages(const Language& language, const std::vector<series::Finding>& findings);

// A run that did not complete, as the series report's table says it; empty
// for a completed one.
std::string notCompletedText(const Language& language, absorber::Outcome outcome);

}  // namespace present
