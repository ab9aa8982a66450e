#pragma once

// The power law MTC = a G^m L^n of a series' coefficients over its gas and
// water flows, fitted by linear least squares in logarithms, and the least
// squares it rests on.

#include "series/montecarlo.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

namespace series {

// A linear least-squares fit y ~ X b. Residual SD and R² are weighted where
// the fit is: sqrt(sum w r^2 / dof), and R² = 1 - sum w r^2 / sum w (y -
// weighted mean)^2, which assumes X has a constant column.
struct LinearFit {
    std::vector<double> coefficients;
    std::vector<double> standardErrors;  // scaled by the residual SD: weights need only be relative
    double residualSd = 0.0;
    double rSquared = 0.0;
    std::size_t dof = 0;  // rows - columns
};

enum class LeastSquaresFault {
    shape,          // no column, design not rows x columns, or weights given but not one per row
    tooFewRows,     // rows <= columns: nothing left to judge the residuals by
    notFinite,      // a design value, observation or weight is NaN or infinite
    weight,         // a weight is 0 or negative
    rankDeficient,  // the columns are linearly dependent to within 1e-10 of the largest
};

// Ordinary (no weights) or weighted least squares, weight i = 1 / variance
// of y i up to a common factor, by column-pivoting Householder QR.
// `design` holds X row after row, `columns` values each.
std::variant<LinearFit, LeastSquaresFault> leastSquares(std::span<const double> design, std::size_t columns,
                                                        std::span<const double> y,
                                                        std::span<const double> weights = {});

// One completed run of a series.
struct FitPoint {
    double gasFlow;
    double waterFlow;
    double mtc;
    std::optional<double> uMtc;  // standard uncertainty of mtc
};

// An estimate with its standard error and 95 % confidence interval, from the
// Student t quantile at the fit's residual degrees of freedom.
struct Estimate {
    double value = 0.0;
    double standardError = 0.0;
    double low = 0.0;
    double high = 0.0;
};

enum class Exponent { gas, water };

// An exponent the series cannot tell, and why.
struct DroppedTerm {
    Exponent exponent;
    Message reason;
};

struct PowerLaw {
    // a = exp(ln a): its interval is that of ln a taken through exp, its
    // standard error a u(ln a) to first order.
    Estimate prefactor;
    Estimate lnPrefactor;
    std::optional<Estimate> gasExponent;    // m; empty when dropped
    std::optional<Estimate> waterExponent;  // n; empty when dropped
    std::optional<DroppedTerm> dropped;
    double rSquared = 0.0;     // of ln MTC
    double residualSd = 0.0;   // of ln MTC, unweighted even when the fit is weighted
    std::size_t dof = 0;       // runs used - parameters
    std::size_t runsUsed = 0;  // runs with positive, finite flows and coefficient
    std::size_t leftOut = 0;   // runs with a flow or coefficient 0, negative or not finite
    bool weighted = false;
};

// Least squares on ln mtc = ln a + m ln G + n ln L over the runs that have
// logarithms; the rest are left out and counted. Weighted by 1 / u(ln mtc)^2,
// u(ln mtc) = uMtc / mtc, when `useUncertainties` is set and every run used
// has a positive uMtc. An exponent whose flow is one value in every run
// (sameFlow) is dropped. Not given when both flows are single-valued, the
// flows are collinear in logarithms, or there are not more runs than
// parameters.
std::variant<PowerLaw, NotGiven> fitPowerLaw(std::span<const FitPoint> points, bool useUncertainties = true);

// Whether the fit can take a run: positive, finite flows and coefficient.
bool hasLogarithms(const FitPoint& point);

// Whether a run can be weighted: a positive, finite uMtc.
bool weighable(const FitPoint& point);

// Flows equal within 1e-9 relative are one flow.
bool sameFlow(double a, double b);

}  // namespace series
