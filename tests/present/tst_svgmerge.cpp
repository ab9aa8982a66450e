#include "present/svg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using present::Marker;
using present::Point;

constexpr present::Colour blue{31, 119, 180};
constexpr present::Colour orange{255, 127, 14};

Marker runMarker(Point centre, present::Colour colour = blue, present::Shape shape = present::Shape::circle)
{
    return {centre, 2.0, shape, colour, true, 0.5, present::Role::runMarker};
}

// Markers in a clip, with a legend marker after it as the charts have.
present::Scene sceneOf(const std::vector<Marker>& markers)
{
    present::Scene scene{560.0, 380.0, {present::ClipStart{{10.0, 10.0, 540.0, 360.0}}}};
    for (const Marker& m : markers)
        scene.items.emplace_back(m);
    scene.items.emplace_back(present::ClipEnd{});
    scene.items.emplace_back(Marker{{20.0, 5.0}, 2.0, present::Shape::circle, blue, true, 0.5});
    return scene;
}

std::size_t count(const std::string& text, const std::string& part)
{
    std::size_t found = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++found;
    return found;
}

// `spots` spots drawn in turn `rounds` times, the next spot 2 units on.
std::vector<Marker> repeated(int spots, int rounds, double jitter = 0.0)
{
    std::vector<Marker> markers;
    for (int round = 0; round < rounds; ++round) {
        for (int i = 0; i < spots; ++i)
            markers.push_back(runMarker({20.0 + 2.0 * i + (round % 2) * jitter, 100.0}));
    }
    return markers;
}

struct MergeCase {
    const char* name;
    std::vector<Marker> markers;
    std::size_t written;
};

class SvgMerge : public testing::TestWithParam<MergeCase> {};

TEST_P(SvgMerge, WritesEachSpotOnceOnlyInAClassesChart)
{
    const std::string svg = present::svgText(sceneOf(GetParam().markers), "gas");
    EXPECT_EQ(count(svg, R"(class="run-marker")"), GetParam().written);
    // The legend's marker is never merged away.
    EXPECT_EQ(count(svg, R"(<circle cx="20" cy="5")"), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, SvgMerge,
    testing::Values(
        // Up to 500 runs' markers every one is written, as drawn.
        MergeCase{"smallSeriesKeepsRepeats", repeated(10, 50), 500},
        // Beyond that each spot once: 100 spots of 10,000 runs.
        MergeCase{"classOfRepeats", repeated(100, 100), 100},
        // Centres a hundredth apart are one spot, half a unit apart two.
        MergeCase{"hundredthApartIsOneSpot", repeated(100, 10, 0.01), 100},
        MergeCase{"halfApartIsTwoSpots", repeated(100, 10, 0.5), 200},
        // A colour or a shape of its own is a spot of its own.
        MergeCase{"otherStyleKept",
                  [] {
                      std::vector<Marker> markers = repeated(100, 10);
                      markers.push_back(runMarker({20.0, 100.0}, orange));
                      markers.push_back(runMarker({20.0, 100.0}, blue, present::Shape::square));
                      return markers;
                  }(),
                  102}),
    [](const testing::TestParamInfo<MergeCase>& row) { return std::string(row.param.name); });

TEST(SvgMergeText, SmallChartKeepsItsDigits)
{
    // Written as before: hundredths, every marker.
    const std::string svg = present::svgText(sceneOf({runMarker({30.123, 40.456}), runMarker({30.123, 40.456})}), "g");
    EXPECT_EQ(count(svg, R"(<circle cx="30.12" cy="40.46" r="2" fill="#1f77b4" stroke="#1f77b4")"), 2u);
}

TEST(SvgMergeText, SpotDrawnLastStaysOnTop)
{
    // A drawn, B over it, A again: A ends on top, so it is written after B.
    std::vector<Marker> markers = repeated(600, 1);
    markers.push_back(runMarker({500.0, 200.0}));
    markers.push_back(runMarker({501.0, 200.0}, orange));
    markers.push_back(runMarker({500.0, 200.0}));
    const std::string svg = present::svgText(sceneOf(markers), "gas");
    const std::size_t a = svg.find(R"(<circle cx="500" cy="200")");
    const std::size_t b = svg.find(R"(<circle cx="501" cy="200")");
    ASSERT_NE(a, std::string::npos);
    ASSERT_NE(b, std::string::npos);
    EXPECT_LT(b, a);
    EXPECT_EQ(count(svg, R"(<circle cx="500" cy="200")"), 1u);
}

TEST(SvgMergeText, ErrorBarsOnOneSpotOnce)
{
    // A class's runs each with a bar, all on one spot but one.
    std::vector<Marker> markers(600, runMarker({100.0, 100.0}));
    markers.push_back(runMarker({100.0, 90.0}));
    present::Scene scene = sceneOf(markers);
    std::vector<present::Item> items;
    for (const present::Item& item : scene.items) {
        if (const auto* m = std::get_if<Marker>(&item); m && m->role == present::Role::runMarker)
            items.emplace_back(present::ErrorBar{m->centre.x, m->centre.y - 5.0, m->centre.y + 5.0, 1.0, {blue, 0.5}});
        items.push_back(item);
    }
    scene.items = items;
    const std::string svg = present::svgText(scene, "gas");
    EXPECT_EQ(count(svg, R"(class="error-bar")"), 2u);
    EXPECT_EQ(count(svg, R"(class="run-marker")"), 2u);
}

}  // namespace
