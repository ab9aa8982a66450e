#include "series/fit.h"

#include "core/portablemath.h"
#include "series/studentt.h"

#include <fmt/format.h>
// Scalar code only: SSE and the page's 128-bit SIMD group Eigen's sums
// differently, and the fit must give the same bits in both.
#define EIGEN_DONT_VECTORIZE
#include <Eigen/Dense>

#include <algorithm>
#include <cmath>
#include <iterator>

namespace series {
namespace {

using Matrix = Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic>;
using RowMajorMatrix = Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>;
using Vector = Eigen::VectorXd;
using absorber::CompensatedSum;

// Columns whose pivot falls below this share of the largest are dependent
// on the others. With its columns scaled to near unit length Longley's
// data, the classic ill-conditioned case, keeps its smallest near 5e-5;
// collinear logarithms leave one near 1e-16.
constexpr double rankTolerance = 1e-10;

// Each refinement gains about as many digits as the conditioning costs;
// with residuals in twice a double's precision one brings Longley's data
// to 14.6 digits, as far as a second would.
constexpr int refinementSteps = 1;

bool allFinite(std::span<const double> values)
{
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

// Weighted mean and sum of squares about it, compensated: R² of a close
// fit is 1 - a small ratio, and the total must not lose its last digits.
double totalSumOfSquares(const Vector& y, const Vector& w)
{
    CompensatedSum sumW;
    CompensatedSum sumWy;
    for (Eigen::Index i = 0; i < y.size(); ++i) {
        sumW.add(w[i]);
        sumWy.addProduct(w[i], y[i]);
    }
    const double mean = sumWy.value() / sumW.value();
    CompensatedSum total;
    for (Eigen::Index i = 0; i < y.size(); ++i) {
        const double d = y[i] - mean;
        total.addProduct(w[i] * d, d);
    }
    return total.value();
}

struct Augmented {
    Vector r;
    Vector x;
};

// Solves r + A x = b, A^T r = h, whose x for h = 0 is the least-squares
// solution and r its residuals, from A's QR and refined on its own
// residuals summed in twice a double's precision (Björck). Refining x
// alone gains little where the residuals are large, as in Longley's data.
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
            CompensatedSum sum;
            sum.add(b[i]);
            sum.add(-s.r[i]);
            for (Eigen::Index j = 0; j < p; ++j)
                sum.addProduct(-a(i, j), s.x[j]);
            f[i] = sum.value();
        }
        Vector g(p);
        for (Eigen::Index j = 0; j < p; ++j) {
            CompensatedSum sum;
            sum.add(h[j]);
            for (Eigen::Index i = 0; i < n; ++i)
                sum.addProduct(-a(i, j), s.r[i]);
            g[j] = sum.value();
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

Estimate estimateOf(double value, double standardError, double t)
{
    return {value, standardError, value - t * standardError, value + t * standardError};
}

// Whether every flow is sameFlow with the smallest: the flows are one.
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

UsablePoints usablePoints(std::span<const FitPoint> points, bool useUncertainties)
{
    UsablePoints u;
    bool weighted = useUncertainties;
    for (const FitPoint& p : points) {
        if (!hasLogarithms(p))
            continue;
        u.gas.push_back(p.gasFlow);
        u.water.push_back(p.waterFlow);
        u.lnGas.push_back(absorber::portableLog(p.gasFlow));
        u.lnWater.push_back(absorber::portableLog(p.waterFlow));
        u.lnMtc.push_back(absorber::portableLog(p.mtc));
        weighted = weighted && weighable(p);
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

bool hasLogarithms(const FitPoint& point)
{
    const auto positive = [](double v) { return std::isfinite(v) && v > 0.0; };
    return positive(point.gasFlow) && positive(point.waterFlow) && positive(point.mtc);
}

bool weighable(const FitPoint& point)
{
    return point.uMtc && std::isfinite(*point.uMtc) && *point.uMtc > 0.0;
}

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
    CompensatedSum rss;
    for (Eigen::Index i = 0; i < n; ++i)
        rss.addProduct(r[i], r[i]);
    fit.residualSd = std::sqrt(rss.value() / static_cast<double>(fit.dof));
    fit.rSquared = 1.0 - rss.value() / totalSumOfSquares(yv, w);

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
        return NotGiven{{MessageKind::noRunFits}};
    const bool gasVaries = !oneFlow(u.gas);
    const bool waterVaries = !oneFlow(u.water);
    if (!gasVaries && !waterVaries)
        return NotGiven{{MessageKind::oneGasAndWaterFlow}};
    const std::size_t parameters = 1 + (gasVaries ? 1 : 0) + (waterVaries ? 1 : 0);
    if (runs < parameters + 1)
        return NotGiven{{MessageKind::tooFewRuns, {}, {runs, parameters, parameters + 1}}};

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
            return NotGiven{{parameters == 3 ? MessageKind::flowsCollinear : MessageKind::flowsVaryTooLittle}};
        return NotGiven{{MessageKind::notFitted}};
    }
    const LinearFit& fit = std::get<LinearFit>(solved);

    PowerLaw law;
    const double t = studentT975(fit.dof);
    law.lnPrefactor = estimateOf(fit.coefficients[0], fit.standardErrors[0], t);
    const double a = absorber::portableExp(law.lnPrefactor.value);
    law.prefactor = {a, a * law.lnPrefactor.standardError, absorber::portableExp(law.lnPrefactor.low),
                     absorber::portableExp(law.lnPrefactor.high)};
    std::size_t next = 1;
    if (gasVaries) {
        law.gasExponent = estimateOf(fit.coefficients[next], fit.standardErrors[next], t);
        ++next;
    } else {
        law.dropped = DroppedTerm{Exponent::gas, {MessageKind::oneGasFlow}};
    }
    if (waterVaries)
        law.waterExponent = estimateOf(fit.coefficients[next], fit.standardErrors[next], t);
    else
        law.dropped = DroppedTerm{Exponent::water, {MessageKind::oneWaterFlow}};
    law.rSquared = fit.rSquared;
    // In ln mtc itself, weighted or not, so that it compares between the two.
    CompensatedSum rss;
    for (std::size_t i = 0; i < runs; ++i) {
        CompensatedSum residual;
        residual.add(u.lnMtc[i]);
        for (std::size_t j = 0; j < parameters; ++j)
            residual.addProduct(-design[i * parameters + j], fit.coefficients[j]);
        const double r = residual.value();
        rss.addProduct(r, r);
    }
    law.residualSd = std::sqrt(rss.value() / static_cast<double>(fit.dof));
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

}  // namespace series
