#pragma once

// The logarithm and the exponential from IEEE's basic operations alone
// (+ - * / on doubles and integer work on their bits), in a fixed order:
// the C libraries round log, log1p and exp differently, and every exported
// number must have the same bits on the desktop and in the page. Each is
// within one unit in the last place of the exact value (the classic fdlibm
// reductions and minimax polynomials).

namespace absorber {

// ln x; -inf at 0, NaN below 0 and for NaN, inf at inf.
double portableLog(double x);

// ln(1 + x), keeping x's digits where 1 + x would lose them; -inf at -1,
// NaN below -1 and for NaN, inf at inf, and x itself at +-0.
double portableLog1p(double x);

// e^x; inf above ln DBL_MAX, 0 below the logarithm of half the smallest
// subnormal, NaN for NaN.
double portableExp(double x);

}  // namespace absorber
