#include "core/absorber.h"
#include "core/ntu_kernels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <sstream>
#include <string>

namespace {

using absorber::IntegrationLimits;
using absorber::Outcome;
using absorber::RunInputs;
using absorber::detail::NtuKernel;

// The integration's limits as the balance forms them.
IntegrationLimits limitsOf(const RunInputs& in)
{
    const absorber::Balance balance = absorber::closeBalance(in);
    EXPECT_EQ(balance.outcome, Outcome::completed);
    return balance.limits;
}

struct Operating {
    const char* name;
    RunInputs in;
};

class AcrossTheTable : public testing::TestWithParam<Operating> {};

TEST_P(AcrossTheTable, FastSumEqualsTheCheckedLoop)
{
    const IntegrationLimits limits = limitsOf(GetParam().in);
    const absorber::Integration fast = absorber::integrateNtu(limits);
    const absorber::Integration checked = absorber::detail::integrateChecked(limits);
    ASSERT_EQ(fast.outcome, Outcome::completed);
    ASSERT_EQ(checked.outcome, Outcome::completed);
    EXPECT_EQ(fast.ntu, checked.ntu);
}

TEST_P(AcrossTheTable, AgreesWithTheClosedFormIntegral)
{
    const IntegrationLimits in = limitsOf(GetParam().in);
    // The integrand is 1 / (a Y + b); its integral is ln(a Y + b) / a.
    const double a = 1 - in.flowRatio * in.flowFactor;
    const double b = in.lowerLimit * in.flowFactor;
    const double lower = in.lowerLimit;
    const double upper = in.lowerLimit + absorber::ntuSteps * in.stepWidth;
    const double exact = std::fabs(std::log((a * upper + b) / (a * lower + b)) / a);
    // A left-end rectangle sum of a monotonic integrand is off by at most
    // one step times the integrand's rise over the range.
    const double rise = std::fabs(1 / (a * upper + b) - 1 / (a * lower + b));
    const double bound = std::fabs(in.stepWidth) * rise + 1e-9 * exact;

    EXPECT_NEAR(absorber::integrateNtu(in).ntu, exact, bound);
}

INSTANTIATE_TEST_SUITE_P(Runs, AcrossTheTable, testing::Values(
    Operating{"example_a", {0.02, 0.01, 1, 1}},
    Operating{"example_b", {0.045, 0.02, 2, 3}},
    Operating{"band1", {0.01, 0.005, 1, 1.5}},
    Operating{"band6", {0.03, 0.02, 1, 1.2}},
    Operating{"band9", {0.08, 0.05, 1, 1.3}},
    Operating{"band11", {0.15, 0.1, 1, 1.2}},
    Operating{"band14", {0.25, 0.15, 1, 1.5}},
    Operating{"band15", {0.3, 0.2, 1, 1.3}},
    // Negative flow: the terms are summed as magnitudes.
    Operating{"negative_gas_flow", {0.02, 0.01, -1, 1}},
    // y2 above y1: the steps run downwards.
    Operating{"steps_downwards", {0.02, -0.01, 1, 1}}),
    [](const auto& row) { return std::string(row.param.name); });

// Integration limits that fault, each named by where its fault comes from.
struct FaultCase {
    const char* name;
    IntegrationLimits limits;
    Outcome fault;
};

// flowRatio = 1 and flowFactor = 0 make the denominator Y itself.
constexpr IntegrationLimits yItself(double lowerLimit, double stepWidth)
{
    return {1, 0, 0, lowerLimit, stepWidth};
}

const FaultCase faultCases[] = {
    {"zero_denominator_at_the_start", yItself(0, 1e-6), Outcome::divisionByZero},
    {"zero_denominator_midway", yItself(-0.5, 1.0 / 1048576.0), Outcome::divisionByZero},
    // Y reaches 0 exactly at the very last step, past every block but the last.
    {"zero_denominator_at_the_last_step", yItself(-999999.0 / 1048576.0, 1.0 / 1048576.0), Outcome::divisionByZero},
    // (1 - (-1e300)) * Y overflows; 1/inf is 0 and the sum stays finite.
    {"infinite_denominator", {1, -1e300, 0, 1e10, 1e-3}, Outcome::overflow},
    // Only the last few steps' denominators overflow: 1e300 * Y passes the
    // largest double once Y passes 1.7976931e8.
    {"denominator_overflows_near_the_end", {-1e300, 1, 0, 1.7e8, 9.77}, Outcome::overflow},
    {"subnormal_denominator", yItself(1e-310, 1e-320), Outcome::overflow},
    // Only the first steps' denominators overflow, Y running downwards.
    {"denominator_overflows_at_the_start", {-1e300, 1, 0, 1.79775e8, -9.77}, Outcome::overflow},
    {"y_overflows", yItself(1.7e308, 1e303), Outcome::overflow},
    {"start_overflows", {1, 0, 0, 1e308, -1.7e308}, Outcome::overflow},
};

TEST(IntegrateNtu, FaultsAreNamedByEveryKernel)
{
    for (const FaultCase& c : faultCases) {
        EXPECT_EQ(absorber::detail::integrateChecked(c.limits).outcome, c.fault) << c.name;
        for (const NtuKernel& kernel : absorber::detail::ntuKernels()) {
            if (kernel.runsHere()) {
                EXPECT_EQ(absorber::detail::integrateWith(kernel, c.limits).outcome, c.fault)
                    << c.name << " with " << kernel.name;
            }
        }
    }
}

TEST(IntegrateNtu, ZeroStepWidthSumsZero)
{
    const absorber::Integration sum = absorber::integrateNtu({1, 0.5, 0.02, 0.02, 0.0});
    EXPECT_EQ(sum.outcome, Outcome::completed);
    EXPECT_EQ(sum.ntu, 0.0);
}

// Every kernel this processor runs, called directly rather than through the
// choice made at load, gives the checked loop's bits on random runs across
// the table's bands.
TEST(IntegrateNtu, EveryKernelGivesTheCheckedBits)
{
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> y1s(-0.05, 0.3);
    std::uniform_real_distribution<double> fractionOfY1(-0.5, 0.9);
    std::uniform_real_distribution<double> flows(0.05, 20.0);
    int compared = 0;
    int kernelsRun = 0;
    for (const NtuKernel& kernel : absorber::detail::ntuKernels())
        kernelsRun += kernel.runsHere() ? 1 : 0;
    ASSERT_GE(kernelsRun, 1);

    // Most random runs complete; the bound keeps a broken balance from
    // looping here for ever.
    for (int tried = 0; tried < 100000 && compared < 1000; ++tried) {
        const double y1 = y1s(random);
        const RunInputs in{y1, y1 * fractionOfY1(random), flows(random), flows(random)};
        const absorber::Balance balance = absorber::closeBalance(in);
        if (balance.outcome != Outcome::completed)
            continue;
        const absorber::Integration checked = absorber::detail::integrateChecked(balance.limits);
        for (const NtuKernel& kernel : absorber::detail::ntuKernels()) {
            if (!kernel.runsHere())
                continue;
            const absorber::Integration fast = absorber::detail::integrateWith(kernel, balance.limits);
            ASSERT_EQ(fast.outcome, checked.outcome) << kernel.name << " y1 " << in.y1;
            ASSERT_EQ(fast.ntu, checked.ntu) << kernel.name << std::hexfloat << " y1 " << in.y1 << " x1 " << in.x1
                                             << " flows " << in.gasFlow << ", " << in.waterFlow;
        }
        ++compared;
    }
    EXPECT_EQ(compared, 1000);
}

// The processor's features as the kernel reports them at
// /proc/cpuinfo, an account independent of the compiler's.
std::set<std::string> cpuFlags()
{
    std::ifstream cpuinfo("/proc/cpuinfo");
    std::string line;
    while (std::getline(cpuinfo, line)) {
        if (line.rfind("flags", 0) != 0)
            continue;
        std::istringstream words(line.substr(line.find(':') + 1));
        return {std::istream_iterator<std::string>(words), std::istream_iterator<std::string>()};
    }
    return {};
}

TEST(IntegrateNtu, KernelsRunWhereTheProcessorHasTheirInstructions)
{
    const std::set<std::string> flags = cpuFlags();
    if (flags.empty())
        GTEST_SKIP() << "no /proc/cpuinfo";
    const auto has = [&flags](std::initializer_list<const char*> names) {
        for (const char* name : names) {
            if (!flags.count(name))
                return false;
        }
        return true;
    };
    const bool v3 = has({"avx2", "fma", "bmi1", "bmi2"});
    for (const NtuKernel& kernel : absorber::detail::ntuKernels()) {
        const std::string name = kernel.name;
        const bool expected = name == "x86_64_v3" ? v3 : true;
        EXPECT_EQ(kernel.runsHere(), expected) << name;
    }
}

}  // namespace
