#include "series/fit.h"

#include <fmt/format.h>
#include <Eigen/Dense>
#include <boost/math/distributions/students_t.hpp>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace series {
namespace {

using Matrix = Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic>;
using RowMajorMatrix = Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>;
using Vector = Eigen::VectorXd;

// Columns whose pivot falls below this share of the largest are dependent
// on the others. With its columns scaled to near unit length Longley's
// data, the classic ill-conditioned case, keeps its smallest near 5e-5;
// collinear logarithms leave one near 1e-16.
constexpr double rankTolerance = 1e-10;

// Each refinement gains about as many digits as the conditioning costs.
constexpr int refinementSteps = 2;

bool allFinite(std::span<const double> values)
{
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

// Weighted mean and sum of squares about it, in long double: R² of a close
// fit is 1 - a small ratio, and the total must not lose its last digits.
long double totalSumOfSquares(const Vector& y, const Vector& w)
{
    long double sumW = 0.0L;
    long double sumWy = 0.0L;
    for (Eigen::Index i = 0; i < y.size(); ++i) {
        sumW += w[i];
        sumWy += static_cast<long double>(w[i]) * y[i];
    }
    const long double mean = sumWy / sumW;
    long double total = 0.0L;
    for (Eigen::Index i = 0; i < y.size(); ++i) {
        const long double d = y[i] - mean;
        total += w[i] * d * d;
    }
    return total;
}

struct Augmented {
    Vector r;
    Vector x;
};

// Solves r + A x = b, A^T r = h, whose x for h = 0 is the least-squares
// solution and r its residuals, from A's QR and refined on its own
// residuals summed in long double (Björck). Refining x alone gains little
// where the residuals are large, as in Longley's data.
Augmented solveAugmented(const Matrix& a, const Eigen::ColPivHouseholderQR<Matrix>& qr, const Vector& b,
                         const Vector& h)
{
    const Eigen::Index n = a.rows();
    const Eigen::Index p = a.cols();
    const auto r11 = qr.matrixR().topLeftCorner(p, p).triangularView<Eigen::Upper>();
    const auto& permutation = qr.colsPermutation();
    Augmented s{Vector::Zero(n), Vector::Zero(p)};
    // The first pass solves from zero, the others correct.
    for (int pass = 0; pass <= refinementSteps; ++pass) {
        Vector f(n);
        for (Eigen::Index i = 0; i < n; ++i) {
            long double sum = static_cast<long double>(b[i]) - s.r[i];
            for (Eigen::Index j = 0; j < p; ++j)
                sum -= static_cast<long double>(a(i, j)) * s.x[j];
            f[i] = static_cast<double>(sum);
        }
        Vector g(p);
        for (Eigen::Index j = 0; j < p; ++j) {
            long double sum = h[j];
            for (Eigen::Index i = 0; i < n; ++i)
                sum -= static_cast<long double>(a(i, j)) * s.r[i];
            g[j] = static_cast<double>(sum);
        }
        // With A P = Q R: R^T d1 = P^T g, R P^T dx = (Q^T f)1 - d1,
        // dr = Q (d1, (Q^T f)2).
        Vector d = qr.householderQ().adjoint() * f;
        const Vector d1 = r11.transpose().solve(permutation.transpose() * g);
        const Vector dx = r11.solve(d.head(p) - d1);
        d.head(p) = d1;
        s.r += qr.householderQ() * d;
        s.x += Vector(permutation * dx);
    }
    return s;
}

// The Student t quantile for a two-sided 95 % interval.
double t975(std::size_t dof)
{
    const boost::math::students_t distribution(static_cast<double>(dof));
    return boost::math::quantile(distribution, 0.975);
}

Estimate estimateOf(double value, double standardError, double t)
{
    return {value, standardError, value - t * standardError, value + t * standardError};
}

// distinctFlows(flows).size() == 1, without the sort.
bool oneFlow(const std::vector<double>& flows)
{
    const double smallest = *std::min_element(flows.begin(), flows.end());
    return std::all_of(flows.begin(), flows.end(), [&](double flow) { return sameFlow(smallest, flow); });
}

struct UsablePoints {
    std::vector<double> lnGas;
    std::vector<double> lnWater;
    std::vector<double> lnMtc;
    std::vector<double> weights;  // empty when unweighted
    std::vector<double> gas;
    std::vector<double> water;
};

bool usable(const FitPoint& p)
{
    const auto positive = [](double v) { return std::isfinite(v) && v > 0.0; };
    return positive(p.gasFlow) && positive(p.waterFlow) && positive(p.mtc);
}

UsablePoints usablePoints(std::span<const FitPoint> points, bool useUncertainties)
{
    UsablePoints u;
    bool weighted = useUncertainties;
    for (const FitPoint& p : points) {
        if (!usable(p))
            continue;
        u.gas.push_back(p.gasFlow);
        u.water.push_back(p.waterFlow);
        u.lnGas.push_back(std::log(p.gasFlow));
        u.lnWater.push_back(std::log(p.waterFlow));
        u.lnMtc.push_back(std::log(p.mtc));
        const bool hasU = p.uMtc && std::isfinite(*p.uMtc) && *p.uMtc > 0.0;
        weighted = weighted && hasU;
        if (weighted) {
            const double uLn = *p.uMtc / p.mtc;
            u.weights.push_back(1.0 / (uLn * uLn));
        }
    }
    if (!weighted || u.lnMtc.empty())
        u.weights.clear();
    return u;
}

}  // namespace

std::variant<LinearFit, LeastSquaresFault> leastSquares(std::span<const double> design, std::size_t columns,
                                                        std::span<const double> y, std::span<const double> weights)
{
    const std::size_t rows = y.size();
    if (columns == 0 || design.size() != rows * columns || (!weights.empty() && weights.size() != rows))
        return LeastSquaresFault::shape;
    if (rows <= columns)
        return LeastSquaresFault::tooFewRows;
    if (!allFinite(design) || !allFinite(y) || !allFinite(weights))
        return LeastSquaresFault::notFinite;
    if (std::any_of(weights.begin(), weights.end(), [](double w) { return w <= 0.0; }))
        return LeastSquaresFault::weight;

    const auto n = static_cast<Eigen::Index>(rows);
    const auto p = static_cast<Eigen::Index>(columns);
    const Eigen::Map<const RowMajorMatrix> x(design.data(), n, p);
    const Eigen::Map<const Vector> yv(y.data(), n);
    const Vector w = weights.empty() ? Vector::Ones(n) : Vector(Eigen::Map<const Vector>(weights.data(), n));
    const Vector sqrtW = w.cwiseSqrt();

    // Rows scaled by sqrt(w) turn the weighted problem into an ordinary one;
    // columns scaled to near unit length make the pivots comparable between
    // columns of very different sizes. Powers of two scale them exactly:
    // rounding the data would cost Longley two digits.
    Matrix a = sqrtW.asDiagonal() * x;
    const Vector b = sqrtW.cwiseProduct(yv);
    Vector scale(p);
    for (Eigen::Index j = 0; j < p; ++j) {
        const double norm = a.col(j).norm();
        if (norm == 0.0)
            return LeastSquaresFault::rankDeficient;
        int exponent = 0;
        std::frexp(norm, &exponent);
        scale[j] = std::ldexp(1.0, -exponent);
    }
    a = a * scale.asDiagonal();

    Eigen::ColPivHouseholderQR<Matrix> qr(a);
    qr.setThreshold(rankTolerance);
    if (qr.rank() < p)
        return LeastSquaresFault::rankDeficient;

    const Augmented solved = solveAugmented(a, qr, b, Vector::Zero(p));
    const Vector& r = solved.r;

    LinearFit fit;
    fit.dof = rows - columns;
    long double rss = 0.0L;
    for (Eigen::Index i = 0; i < n; ++i)
        rss += static_cast<long double>(r[i]) * r[i];
    const long double variance = rss / static_cast<long double>(fit.dof);
    fit.residualSd = static_cast<double>(std::sqrt(variance));
    fit.rSquared = static_cast<double>(1.0L - rss / totalSumOfSquares(yv, w));

    fit.coefficients.resize(columns);
    fit.standardErrors.resize(columns);
    for (Eigen::Index j = 0; j < p; ++j) {
        const auto unscaled = static_cast<std::size_t>(j);
        fit.coefficients[unscaled] = solved.x[j] * scale[j];
        // x = (A^T A)^-1 e_j solves r + A x = 0, A^T r = -e_j.
        const Vector variances = solveAugmented(a, qr, Vector::Zero(n), -Vector::Unit(p, j)).x;
        fit.standardErrors[unscaled] = fit.residualSd * std::sqrt(variances[j]) * scale[j];
    }
    return fit;
}

std::variant<PowerLaw, NotGiven> fitPowerLaw(std::span<const FitPoint> points, bool useUncertainties)
{
    const UsablePoints u = usablePoints(points, useUncertainties);
    const std::size_t runs = u.lnMtc.size();
    if (runs == 0)
        return NotGiven{"no run has positive flows and a positive coefficient"};
    const bool gasVaries = !oneFlow(u.gas);
    const bool waterVaries = !oneFlow(u.water);
    if (!gasVaries && !waterVaries)
        return NotGiven{"all runs have one gas flow and one water flow"};
    const std::size_t parameters = 1 + (gasVaries ? 1 : 0) + (waterVaries ? 1 : 0);
    if (runs < parameters + 1)
        return NotGiven{fmt::format("{} runs are too few for {} parameters: at least {} are needed", runs, parameters,
                                    parameters + 1)};

    std::vector<double> design;
    design.reserve(runs * parameters);
    for (std::size_t i = 0; i < runs; ++i) {
        design.push_back(1.0);
        if (gasVaries)
            design.push_back(u.lnGas[i]);
        if (waterVaries)
            design.push_back(u.lnWater[i]);
    }
    const auto solved = leastSquares(design, parameters, u.lnMtc, u.weights);
    if (const auto* fault = std::get_if<LeastSquaresFault>(&solved)) {
        if (*fault == LeastSquaresFault::rankDeficient)
            return NotGiven{parameters == 3 ? "the gas and water flows are collinear in logarithms"
                                            : "the flows vary too little to fit an exponent"};
        return NotGiven{"the logarithms of the runs cannot be fitted"};
    }
    const LinearFit& fit = std::get<LinearFit>(solved);

    PowerLaw law;
    const double t = t975(fit.dof);
    law.lnPrefactor = estimateOf(fit.coefficients[0], fit.standardErrors[0], t);
    const double a = std::exp(law.lnPrefactor.value);
    law.prefactor = {a, a * law.lnPrefactor.standardError, std::exp(law.lnPrefactor.low),
                     std::exp(law.lnPrefactor.high)};
    std::size_t next = 1;
    if (gasVaries) {
        law.gasExponent = estimateOf(fit.coefficients[next], fit.standardErrors[next], t);
        ++next;
    } else {
        law.dropped = DroppedTerm{Exponent::gas, "all runs have one gas flow"};
    }
    if (waterVaries)
        law.waterExponent = estimateOf(fit.coefficients[next], fit.standardErrors[next], t);
    else
        law.dropped = DroppedTerm{Exponent::water, "all runs have one water flow"};
    law.rSquared = fit.rSquared;
    // In ln mtc itself, weighted or not, so that it compares between the two.
    long double rss = 0.0L;
    for (std::size_t i = 0; i < runs; ++i) {
        long double predicted = 0.0L;
        for (std::size_t j = 0; j < parameters; ++j)
            predicted += static_cast<long double>(design[i * parameters + j]) * fit.coefficients[j];
        const long double r = u.lnMtc[i] - predicted;
        rss += r * r;
    }
    law.residualSd = static_cast<double>(std::sqrt(rss / static_cast<long double>(fit.dof)));
    law.dof = fit.dof;
    law.runsUsed = runs;
    law.leftOut = points.size() - runs;
    law.weighted = !u.weights.empty();
    return law;
}

bool sameFlow(double a, double b)
{
    return std::fabs(a - b) <= 1e-9 * std::max(std::fabs(a), std::fabs(b));
}

std::vector<double> distinctFlows(std::span<const double> flows)
{
    std::vector<double> sorted;
    sorted.reserve(flows.size());
    std::copy_if(flows.begin(), flows.end(), std::back_inserter(sorted), [](double v) { return std::isfinite(v); });
    std::sort(sorted.begin(), sorted.end());
    std::vector<double> distinct;
    for (const double flow : sorted) {
        if (distinct.empty() || !sameFlow(distinct.back(), flow))
            distinct.push_back(flow);
    }
    return distinct;
}

}  // namespace series
