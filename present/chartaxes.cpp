#include "present/chartaxes.h"

#include <utility>

namespace present::axes {

void verticalGridLine(Scene& scene, const Box& plot, double x, const Stroke& stroke)
{
    scene.items.emplace_back(Line{{x, plot.top}, {x, plot.bottom()}, stroke});
}

void horizontalGridLine(Scene& scene, const Box& plot, double y, const Stroke& stroke)
{
    scene.items.emplace_back(Line{{plot.left, y}, {plot.right(), y}, stroke});
}

void xTick(Scene& scene, const Box& plot, double x, const Style& style, double length, std::string label)
{
    scene.items.emplace_back(Line{{x, plot.bottom()}, {x, plot.bottom() + style.unit * length}, style.ink()});
    if (label.empty())
        return;
    scene.items.emplace_back(Label{std::move(label),
                                   {x, plot.bottom() + style.unit * (tickLength + labelGap)},
                                   style.font(),
                                   Anchor::middle,
                                   Baseline::top});
}

void yTick(Scene& scene, const Box& plot, double y, const Style& style, double length, std::string label)
{
    scene.items.emplace_back(Line{{plot.left - style.unit * length, y}, {plot.left, y}, style.ink()});
    if (label.empty())
        return;
    scene.items.emplace_back(Label{std::move(label),
                                   {plot.left - style.unit * (tickLength + labelGap), y},
                                   style.font(),
                                   Anchor::end,
                                   Baseline::middle});
}

void frame(Scene& scene, const Box& plot, const Style& style)
{
    scene.items.emplace_back(Rectangle{plot, std::nullopt, style.ink()});
}

void titles(Scene& scene, const Box& plot, const Style& style, double leftMargin, std::string xTitle,
            std::string yTitle)
{
    const double xTitleTop =
        plot.bottom() + style.unit * (tickLength + labelGap) + style.font() * lineHeight + style.unit * labelGap;
    scene.items.emplace_back(
        Label{std::move(xTitle), {plot.centre().x, xTitleTop}, style.font(), Anchor::middle, Baseline::top});
    scene.items.emplace_back(Label{std::move(yTitle),
                                   {plot.left - style.unit * (leftMargin - 1.0), plot.centre().y},
                                   style.font(),
                                   Anchor::middle,
                                   Baseline::top,
                                   -90.0});
}

}  // namespace present::axes
