#pragma once

#include "core/absorber.h"
#include "ui/numbertext.h"

#include <QString>

class QWidget;

namespace ui {

// The modal boxes the windows tell the user with: one OK button, no icon,
// plain text, and wide enough for a window manager to show the title.

// What stopped a calculation, as the boxes name it: "Invalid Data" or the
// fault's kind; empty for a completed one.
QString outcomeName(absorber::Outcome outcome);

// "Invalid Data", under the window's own title for it.
void reportInvalidData(QWidget* parent, const QString& title);

// A field whose text is not a number, or is a number too large for a
// double, named by the label that names it on screen and quoting what it
// holds, shortened when long.
void reportConversionError(QWidget* parent, const QString& fieldName, const QString& text, ParsedNumber::Kind kind);

// An arithmetic fault that stopped a calculation, named by its kind.
void reportFault(QWidget* parent, absorber::Outcome fault);

// An arithmetic fault that stopped the drawing of a chart, named by its kind.
void reportDrawingFault(QWidget* parent, absorber::Outcome fault);

// Tells the user of any outcome but a completed one; true when completed.
bool reportOutcome(QWidget* parent, absorber::Outcome outcome, const QString& invalidDataTitle);

// A user's text as a box quotes it: at most its first 40 characters, and
// "…" when there were more.
QString quoted(const QString& text);

}  // namespace ui
