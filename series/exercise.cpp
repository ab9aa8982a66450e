#include "series/exercise.h"

#include "core/portablemath.h"
#include "series/findings.h"
#include "series/splitmix.h"
#include "series/uncertainty.h"

#include <fast_float/fast_float.h>
#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

namespace series {
namespace {

constexpr double gasGrid[] = {1.0, 1.5, 2.0, 2.5};
constexpr double waterGrid[] = {2.0, 3.0, 4.0};
constexpr double packingHeight = 1.0;
constexpr double columnArea = 0.05 * 0.05 * 3.1416;  // as findMtc takes it

// A value to so many significant digits, as a lab sheet would write it.
double toDigits(double value, int digits)
{
    const std::string text = fmt::format("{:.{}e}", value, digits - 1);
    double rounded = 0.0;
    fast_float::from_chars(text.data(), text.data() + text.size(), rounded);
    return rounded;
}

double power(double base, double exponent)
{
    return absorber::portableExp(exponent * absorber::portableLog(base));
}

// A standard normal draw by Marsaglia's polar method, the second of the
// pair left unused so that each draw takes its own uniforms.
double normal(SplitMix64& random)
{
    for (;;) {
        const double u = random.between(-1.0, 1.0);
        const double v = random.between(-1.0, 1.0);
        const double s = u * u + v * v;
        if (s > 0.0 && s < 1.0)
            return u * std::sqrt(-2.0 * absorber::portableLog(s) / s);
    }
}

// The x1 at which the closed-form coefficient of the run meets `target`,
// below 97 % of the water's equilibrium with the entering gas; none when
// the target lies beyond.
std::optional<double> x1For(double y1, double gasFlow, double waterFlow, double target)
{
    const absorber::Balance probe = absorber::closeBalance({y1, y1 * 1e-3, gasFlow, waterFlow});
    if (!probe.point || !(probe.point->y > 0.0))
        return std::nullopt;
    double low = 0.0;
    double high = 0.97 * y1 * probe.point->x / probe.point->y;
    for (int step = 0; step < 80; ++step) {
        const double middle = 0.5 * (low + high);
        const std::optional<double> mtc = coefficientOf({y1, middle, gasFlow, waterFlow}, packingHeight);
        if (!mtc || *mtc >= target)
            high = middle;
        else
            low = middle;
    }
    const double x1 = toDigits(0.5 * (low + high), 5);
    const std::optional<double> reached = coefficientOf({y1, x1, gasFlow, waterFlow}, packingHeight);
    if (!reached || std::fabs(*reached - target) > 0.01 * target)
        return std::nullopt;
    return x1;
}

bool usable(const Run& run, const RunResult& result)
{
    return result.outcome == absorber::Outcome::completed && result.mtc && findingsOf(run, result).empty();
}

// One try at a group's law and runs: none when a run falls outside the
// column's range, found by the closed form first, then by the real sum.
std::optional<ExerciseGroup> tryGroup(std::size_t number, SplitMix64& random, double noise)
{
    ExerciseGroup group;
    const double gasScale = toDigits(random.between(0.9, 1.1), 2);
    const double waterScale = toDigits(random.between(0.9, 1.1), 2);
    const double y1 = toDigits(random.between(0.02, 0.04), 2);
    group.law.gasExponent = random.between(0.6, 0.9);
    group.law.waterExponent = random.between(0.15, 0.4);
    // The middle of the grid at an NTU near 1.2, which every corner reaches.
    const double middleGas = 1.75 * gasScale;
    const double middleWater = 3.0 * waterScale;
    const double middleMtc = random.between(1.0, 1.4) * middleGas / (packingHeight * columnArea);
    group.law.prefactor =
        middleMtc / (power(middleGas, group.law.gasExponent) * power(middleWater, group.law.waterExponent));

    Series& series = group.handout;
    series.title = fmt::format("Absorber exercise, group {:02}", number);
    for (const double water : waterGrid) {
        for (const double gas : gasGrid) {
            Run run;
            run.inputs = {y1, 0.0, toDigits(gas * gasScale, 3), toDigits(water * waterScale, 3)};
            run.packingHeight = packingHeight;
            const double law = group.law.prefactor * power(run.inputs.gasFlow, group.law.gasExponent)
                * power(run.inputs.waterFlow, group.law.waterExponent);
            const double z = std::clamp(normal(random), -3.0, 3.0);
            const std::optional<double> x1 =
                x1For(y1, run.inputs.gasFlow, run.inputs.waterFlow, law * (1.0 + noise * z));
            if (!x1)
                return std::nullopt;
            run.inputs.x1 = *x1;
            series.runs.push_back(run);
        }
    }
    for (const Run& run : series.runs) {
        group.results.push_back(computeRun(run));
        if (!usable(run, group.results.back()))
            return std::nullopt;
    }
    group.analysis = analyse(series, group.results, {}, false);
    return group;
}

// A group's law and runs, drawn again until every run lies in the column's
// range; the draws go on from where the last try stopped.
ExerciseGroup groupOf(std::size_t number, SplitMix64& random, double noise)
{
    for (;;) {
        if (std::optional<ExerciseGroup> group = tryGroup(number, random, noise))
            return std::move(*group);
    }
}

}  // namespace

std::vector<ExerciseGroup> makeExercise(const ExerciseSettings& settings)
{
    SplitMix64 random(settings.seed);
    std::vector<ExerciseGroup> groups;
    for (std::size_t number = 1; number <= settings.groups; ++number)
        groups.push_back(groupOf(number, random, settings.noise));
    return groups;
}

}  // namespace series
