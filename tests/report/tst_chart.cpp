#include "report/runchart.h"
#include "tests/report/cases.h"
#include "tests/report/corerun.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct MappingCase {
    const char* name;
    double across;  // share of the range, from its low end
    double up;
};

void PrintTo(const MappingCase& item, std::ostream* out)
{
    *out << item.name;
}

class ChartMapping : public testing::TestWithParam<MappingCase> {};

TEST_P(ChartMapping, RangeFillsThePlot)
{
    const QRectF plot(40.0, 10.0, 300.0, 200.0);
    const report::ChartRange range{-0.01, 0.03, 0.01, 0.0, 0.05, 0.01};
    const MappingCase& point = GetParam();
    const double x = range.xMin + point.across * (range.xMax - range.xMin);
    const double y = range.yMin + point.up * (range.yMax - range.yMin);

    const QPointF mapped = report::plotPoint(plot, range, x, y);
    EXPECT_NEAR(mapped.x(), plot.left() + point.across * plot.width(), 1e-9);
    EXPECT_NEAR(mapped.y(), plot.bottom() - point.up * plot.height(), 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Points, ChartMapping,
                         testing::Values(MappingCase{"bottom_left", 0.0, 0.0}, MappingCase{"top_right", 1.0, 1.0},
                                         MappingCase{"top_left", 0.0, 1.0}, MappingCase{"middle", 0.5, 0.5},
                                         MappingCase{"beyond", 1.25, -0.5}),
                         [](const testing::TestParamInfo<MappingCase>& row) { return std::string(row.param.name); });

std::vector<RunCase> chartCases()
{
    std::vector<RunCase> cases = allCases();
    // The input test lets a negative x1 through.
    cases.push_back({"negative_x1", 0.02, -0.01, 1.0, 1.0, std::nullopt});
    return cases;
}

class RunChart : public testing::TestWithParam<RunCase> {
protected:
    void SetUp() override
    {
        const RunCase& input = GetParam();
        const std::optional<report::Run> made = runFromCore(1, input.y1, input.x1, input.gasFlow, input.waterFlow);
        ASSERT_TRUE(made.has_value());
        run = *made;
    }

    report::Run run;
};

TEST_P(RunChart, OperatingLineFillsThePlot)
{
    const QRectF area(0.0, 0.0, 900.0, 600.0);
    const QRectF plot = report::runChartPlotArea(area);
    ASSERT_TRUE(area.contains(plot));
    const report::ChartRange range = report::runChartRange(run);

    const QPointF bottom = report::plotPoint(plot, range, run.x1, run.y1);
    const QPointF top = report::plotPoint(plot, range, 0.0, run.y2);
    EXPECT_TRUE(plot.contains(bottom)) << bottom.x() << ", " << bottom.y();
    EXPECT_TRUE(plot.contains(top)) << top.x() << ", " << top.y();
    // Across, the line spans x1 of a range that starts at 0 (or at x1).
    EXPECT_GT(std::fabs(bottom.x() - top.x()), plot.width() / 2.0);
    // Up, the higher end reaches the upper half.
    EXPECT_LT(std::min(bottom.y(), top.y()), plot.center().y());
}

TEST_P(RunChart, GreenNearBothEnds)
{
    const QSize size(900, 600);
    const QImage image = report::runChartImage(run, size);
    const QRectF plot = report::runChartPlotArea(QRectF(QPointF(0, 0), QSizeF(size)));
    const report::ChartRange range = report::runChartRange(run);
    const QPointF bottom = report::plotPoint(plot, range, run.x1, run.y1);
    const QPointF top = report::plotPoint(plot, range, 0.0, run.y2);

    for (const double along : {0.03, 0.97}) {
        const QPointF at = bottom + along * (top - bottom);
        EXPECT_EQ(QColor(image.pixel(at.toPoint())), report::operatingColour)
            << "at " << along << " of the line from (x1, y1)";
    }
    // Not green where the line is not: the plot's corner away from both ends.
    EXPECT_NE(QColor(image.pixel(plot.bottomRight().toPoint() - QPoint(5, 5))), report::operatingColour);
}

INSTANTIATE_TEST_SUITE_P(Runs, RunChart, testing::ValuesIn(chartCases()),
                         [](const testing::TestParamInfo<RunCase>& row) { return row.param.name; });

}  // namespace
