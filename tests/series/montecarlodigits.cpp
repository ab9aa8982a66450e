#include "montecarlodigits.h"

#include "series/random.h"
#include "series/uncertainty.h"

#include <bit>
#include <cstdint>
#include <cstdio>
#include <variant>

namespace {

std::string hex(double x)
{
    char text[20];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(x)));
    return text;
}

struct DigitsRun {
    const char* name;
    series::Run run;
    series::Uncertainties uncertainties;
};

}  // namespace

std::vector<std::string> monteCarloDigits()
{
    std::vector<std::string> lines;
    // A length that ends inside a block of draws, so the tail is drawn too.
    series::NormalDraws normal(series::uncertaintySeed);
    std::uint64_t folded = 0;
    for (int i = 0; i < 100003; ++i)
        folded = (folded * 31) ^ std::bit_cast<std::uint64_t>(normal.next());
    std::string normals = "normals ";
    normals += hex(std::bit_cast<double>(folded));
    lines.push_back(normals);

    const series::Uncertainties lab{0.02, 0.02, 0.0005, 0.0005, 0.005};
    const DigitsRun runs[] = {
        {"example_a", {{0.02, 0.01, 1, 1}, 2.0, "", false, false, {}, {}}, lab},
        {"example_b", {{0.045, 0.02, 2, 3}, 1.5, "", false, false, {}, {}}, lab},
        {"example_a_wide", {{0.02, 0.01, 1, 1}, 2.0, "", false, false, {}, {}}, {0.05, 0.05, 0.002, 0.001, 0.01}},
        // y1 at a band edge: the draws cross it and the slope jumps.
        {"band_edge", {{0.0208, 0.0104, 1, 1.5}, 2.0, "", false, false, {}, {}}, lab},
        // A few draws in 10^3 have no coefficient; at more water, too many.
        {"some_draws_fail", {{0.02, 0.005, 1, 3}, 2.0, "", false, false, {}, {}}, lab},
        {"too_many_draws_fail", {{0.02, 0.005, 1, 3.5}, 2.0, "", false, false, {}, {}}, lab},
    };
    for (const DigitsRun& r : runs) {
        const auto result = series::monteCarlo(r.run, r.uncertainties, series::uncertaintySeed);
        std::string line = r.name;
        if (const auto* mc = std::get_if<series::MonteCarlo>(&result)) {
            for (const double x : {mc->mtc, mc->u, mc->interval.low, mc->interval.high, mc->ntu, mc->uNtu,
                                   mc->ntuInterval.low, mc->ntuInterval.high}) {
                line += ' ';
                line += hex(x);
            }
            line += ' ';
            line += std::to_string(mc->draws);
            line += ' ';
            line += std::to_string(mc->failedDraws);
        } else {
            line += " not given";
        }
        lines.push_back(line);
    }
    return lines;
}
