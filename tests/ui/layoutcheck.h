#pragma once

class Form2;
class QWidget;

// The fixed layouts hold their texts in whatever language and font they
// show: each returns false, with every caption that does not fit logged.

// Every label of the main window inside its rectangle as it wraps, every
// button's and frame's caption within its width, the menu bar on one line,
// and the first note ending above the second, which overlaps its rectangle.
[[nodiscard]] bool captionsFit(const QWidget& mainWindow);

// Every caption of the graph window inside its label's rectangle.
[[nodiscard]] bool chartCaptionsFit(const Form2& chart);
