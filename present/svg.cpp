#include "present/svg.h"

#include "present/serieschart.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <unordered_set>
#include <utility>

namespace present {
namespace {

std::string number(double value)
{
    // A hundredth of a chart unit is far below a pixel; -0 reads as 0.
    std::string text = fmt::format("{:.2f}", value);
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text == "-0" ? "0" : text;
}

std::string colour(Colour c)
{
    return fmt::format("#{:02x}{:02x}{:02x}", c.red, c.green, c.blue);
}

std::string escaped(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string roleClass(Role role)
{
    switch (role) {
    case Role::runMarker:
        return R"( class="run-marker")";
    case Role::fitLine:
        return R"( class="fit-line")";
    case Role::errorBar:
        return R"( class="error-bar")";
    case Role::none:
        break;
    }
    return {};
}

std::string stroke(const Stroke& s)
{
    return fmt::format(R"( stroke="{}" stroke-width="{}" stroke-linecap="{}" stroke-linejoin="{}")", colour(s.colour),
                       number(s.width), s.round ? "round" : "square", s.round ? "round" : "bevel");
}

std::string points(const std::vector<Point>& list)
{
    std::string out;
    for (const Point& p : list) {
        if (!out.empty())
            out += ' ';
        out += number(p.x);
        out += ',';
        out += number(p.y);
    }
    return out;
}

std::string marker(const Marker& m)
{
    const std::string style = fmt::format(
        R"( fill="{}"{}{})", colour(m.filled ? m.colour : white),
        m.strokeWidth > 0.0 ? stroke({m.colour, m.strokeWidth}) : std::string(R"( stroke="none")"), roleClass(m.role));
    const double x = m.centre.x;
    const double y = m.centre.y;
    const double r = m.radius;
    const auto polygon = [&](std::vector<Point> corners) {
        for (Point& p : corners)
            p = {x + p.x * r, y + p.y * r};
        return fmt::format(R"(<polygon points="{}"{}/>)", points(corners), style);
    };
    switch (m.shape) {
    case Shape::circle:
        return fmt::format(R"(<circle cx="{}" cy="{}" r="{}"{}/>)", number(x), number(y), number(r), style);
    case Shape::square:
        return fmt::format(R"(<rect x="{}" y="{}" width="{}" height="{}"{}/>)", number(x - r * 0.85),
                           number(y - r * 0.85), number(r * 1.7), number(r * 1.7), style);
    case Shape::triangleUp:
        return polygon({{0.0, -1.15}, {1.0, 0.7}, {-1.0, 0.7}});
    case Shape::triangleDown:
        return polygon({{0.0, 1.15}, {1.0, -0.7}, {-1.0, -0.7}});
    case Shape::diamond:
        return polygon({{0.0, -1.2}, {1.2, 0.0}, {0.0, 1.2}, {-1.2, 0.0}});
    case Shape::cross:
        break;
    }
    return fmt::format(R"(<path d="M{},{}L{},{}M{},{}L{},{}"{}/>)", number(x - r), number(y - r), number(x + r),
                       number(y + r), number(x - r), number(y + r), number(x + r), number(y - r), style);
}

std::string label(const Label& l)
{
    const char* anchor = l.anchor == Anchor::start ? "start" : l.anchor == Anchor::middle ? "middle" : "end";
    const char* baseline = l.baseline == Baseline::alphabetic ? "alphabetic"
        : l.baseline == Baseline::middle                      ? "central"
                                                              : "hanging";
    const std::string turn = l.rotation == 0.0
        ? std::string()
        : fmt::format(R"svg( transform="rotate({} {} {})")svg", number(l.rotation), number(l.at.x), number(l.at.y));
    return fmt::format(
        R"(<text x="{}" y="{}" font-size="{}" text-anchor="{}" dominant-baseline="{}" fill="{}"{}>{}</text>)",
        number(l.at.x), number(l.at.y), number(l.size), anchor, baseline, colour(l.colour), turn, escaped(l.text));
}

std::string box(const Box& b)
{
    return fmt::format(R"(x="{}" y="{}" width="{}" height="{}")", number(b.left), number(b.top), number(b.width),
                       number(b.height));
}

std::string errorBar(const ErrorBar& bar)
{
    const double left = bar.x - bar.capHalfWidth;
    const double across = 2.0 * bar.capHalfWidth;
    return fmt::format(R"(<path d="M{},{}V{}M{},{}h{}M{},{}h{}" fill="none"{}{}/>)", number(bar.x), number(bar.top),
                       number(bar.bottom), number(left), number(bar.top), number(across), number(left),
                       number(bar.bottom), number(across), stroke(bar.stroke), roleClass(bar.role));
}

// Beyond this many runs' markers a chart is a class's: the browser reads
// each element of its picture on the page's thread, 10,000 of them in a
// task of 0.3-0.5 s, though most fall on a spot already drawn.
constexpr std::size_t mergedFrom = 500;

// A tenth of a chart unit, a tenth of a pixel at the page's size.
double snapped(double value)
{
    return std::round(value * 10.0) / 10.0;
}

// Markers and error bars drawn one after another, each written once where
// it is drawn last: what ends on top at a spot is what was drawn there
// last, so the picture is the same with far fewer elements.
class Merged {
public:
    explicit Merged(std::string& out)
        : out_(out)
    {
    }

    void add(std::string element) { pending_.push_back(std::move(element)); }

    void flush()
    {
        std::unordered_set<std::string_view> seen;
        std::vector<const std::string*> kept;
        for (auto it = pending_.rbegin(); it != pending_.rend(); ++it) {
            if (seen.insert(*it).second)
                kept.push_back(&*it);
        }
        std::for_each(kept.rbegin(), kept.rend(), [this](const std::string* element) { out_ += *element; });
        pending_.clear();
    }

private:
    std::string& out_;
    std::vector<std::string> pending_;
};

}  // namespace

std::string svgText(const Scene& scene, std::string_view idPrefix)
{
    std::string out =
        fmt::format(R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 {} {}" role="img" class="chart">)",
                    number(scene.width), number(scene.height));
    const bool merging = std::size_t(std::count_if(scene.items.begin(), scene.items.end(),
                                                   [](const Item& item) {
                                                       const auto* m = std::get_if<Marker>(&item);
                                                       return m && m->role == Role::runMarker;
                                                   }))
        > mergedFrom;
    Merged merged(out);
    int clips = 0;
    int open = 0;
    for (const Item& item : scene.items) {
        if (merging) {
            if (const auto* m = std::get_if<Marker>(&item); m && m->role == Role::runMarker) {
                Marker at = *m;
                at.centre = {snapped(at.centre.x), snapped(at.centre.y)};
                merged.add(marker(at));
                continue;
            }
            if (const auto* bar = std::get_if<ErrorBar>(&item); bar && bar->role == Role::errorBar) {
                ErrorBar at = *bar;
                at.x = snapped(at.x);
                at.top = snapped(at.top);
                at.bottom = snapped(at.bottom);
                merged.add(errorBar(at));
                continue;
            }
            merged.flush();
        }
        if (const auto* line = std::get_if<Line>(&item)) {
            out += fmt::format(R"(<line x1="{}" y1="{}" x2="{}" y2="{}"{}{}/>)", number(line->from.x),
                               number(line->from.y), number(line->to.x), number(line->to.y), stroke(line->stroke),
                               roleClass(line->role));
        } else if (const auto* polyline = std::get_if<Polyline>(&item)) {
            out += fmt::format(R"(<polyline points="{}" fill="none"{}/>)", points(polyline->points),
                               stroke(polyline->stroke));
        } else if (const auto* m = std::get_if<Marker>(&item)) {
            out += marker(*m);
        } else if (const auto* rect = std::get_if<Rectangle>(&item)) {
            out += fmt::format(R"(<rect {} fill="{}"{}/>)", box(rect->box),
                               rect->fill ? colour(*rect->fill) : std::string("none"),
                               rect->stroke ? stroke(*rect->stroke) : std::string());
        } else if (const auto* bar = std::get_if<ErrorBar>(&item)) {
            out += errorBar(*bar);
        } else if (const auto* text = std::get_if<Label>(&item)) {
            out += label(*text);
        } else if (const auto* clip = std::get_if<ClipStart>(&item)) {
            const std::string id = fmt::format("{}-clip-{}", idPrefix, ++clips);
            out += fmt::format(R"svg(<clipPath id="{}"><rect {}/></clipPath><g clip-path="url(#{})">)svg", id,
                               box(clip->box), id);
            ++open;
        } else if (std::holds_alternative<ClipEnd>(item) && open > 0) {
            out += "</g>";
            --open;
        }
    }
    merged.flush();
    for (; open > 0; --open)
        out += "</g>";
    return out + "</svg>";
}

std::vector<std::string> pageSeriesCharts(const series::Analysis& analysis, std::string_view flowUnit,
                                          const Language& language, const NumberLocale& locale)
{
    // The box in chart units; the page scales the SVG to its place.
    constexpr double width = 560.0;
    constexpr double height = 380.0;
    std::vector<std::string> charts;
    for (const auto& [against, name] :
         {std::pair{Against::gasFlow, "chart-gasFlow"}, std::pair{Against::waterFlow, "chart-waterFlow"}}) {
        charts.push_back(svgText(
            seriesChart(analysis, against, flowUnit, width, height, language, locale, estimatedTextWidth), name));
    }
    return charts;
}

}  // namespace present
