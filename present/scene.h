#pragma once

// A chart as plain values in chart units, in the order they are drawn: the
// window and the PDFs paint it with QPainter, the page writes it as SVG.
// y grows downwards, as on a page.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace present {

struct Colour {
    int red = 0;
    int green = 0;
    int blue = 0;

    bool operator==(const Colour&) const = default;
};

inline constexpr Colour black{0, 0, 0};
inline constexpr Colour white{255, 255, 255};

struct Point {
    double x = 0.0;
    double y = 0.0;

    bool operator==(const Point&) const = default;
};

struct Box {
    double left = 0.0;
    double top = 0.0;
    double width = 0.0;
    double height = 0.0;

    double right() const { return left + width; }
    double bottom() const { return top + height; }
    Point centre() const { return {left + width / 2.0, top + height / 2.0}; }
    // Grown by that much on every side.
    Box grown(double by) const { return {left - by, top - by, width + 2.0 * by, height + 2.0 * by}; }
};

struct Stroke {
    Colour colour = black;
    double width = 0.0;
    // Round ends and joins; square ends and bevelled joins otherwise.
    bool round = false;
};

// What the page's stylesheet and tests know an item by: a CSS class there,
// nothing to the painter.
enum class Role { none, runMarker, fitLine, errorBar };

struct Line {
    Point from;
    Point to;
    Stroke stroke;
    Role role = Role::none;
};

struct Polyline {
    std::vector<Point> points;
    Stroke stroke;
};

// Told apart by shape as well as colour, so that a grey print still shows
// the groups.
enum class Shape { circle, square, triangleUp, diamond, triangleDown, cross };

// Outlined in its colour, filled with it or with white (hollow); a stroke
// width of 0 leaves the outline off.
struct Marker {
    Point centre;
    double radius = 0.0;
    Shape shape = Shape::circle;
    Colour colour = black;
    bool filled = true;
    double strokeWidth = 0.0;
    Role role = Role::none;
};

struct Rectangle {
    Box box;
    std::optional<Colour> fill;
    std::optional<Stroke> stroke;
};

// A vertical bar from top to bottom with a cap across each end.
struct ErrorBar {
    double x = 0.0;
    double top = 0.0;
    double bottom = 0.0;
    double capHalfWidth = 0.0;
    Stroke stroke;
    Role role = Role::errorBar;
};

// Where the text starts, across.
enum class Anchor { start, middle, end };
// What of the text the point is on, up and down: its baseline, the middle
// of its capitals, or the top of its tallest letters.
enum class Baseline { alphabetic, middle, top };

// A text at a point, turned by rotation degrees about it (negative:
// anticlockwise); size is the font's height in chart units.
struct Label {
    std::string text;
    Point at;
    double size = 0.0;
    Anchor anchor = Anchor::start;
    Baseline baseline = Baseline::alphabetic;
    double rotation = 0.0;
    Colour colour = black;
};

// What follows, up to the next ClipEnd, shows only within the box.
struct ClipStart {
    Box box;
};
struct ClipEnd {};

using Item = std::variant<Line, Polyline, Marker, Rectangle, ErrorBar, Label, ClipStart, ClipEnd>;

struct Scene {
    double width = 0.0;
    double height = 0.0;
    std::vector<Item> items;
};

// How wide a text is at a font size, in chart units: the window measures
// with its fonts, the page estimates.
using TextWidth = std::function<double(std::string_view text, double size)>;

// An estimate where no font is at hand: an average letter of a sans-serif
// face, per character (not per byte).
double estimatedTextWidth(std::string_view text, double size);

}  // namespace present
