#pragma once

class QWidget;

namespace ui {

// Gives the graph window a way to take its chart along: Ctrl+C and a
// context menu's "Copy Picture" put the chart on the clipboard as a
// picture, "Save Picture…" writes it as PNG. Nothing else of the window
// changes.
void addPictureActions(QWidget& chart);

}  // namespace ui
