#pragma once

// Arithmetic with the same bits on the desktop and in the page: the C
// libraries round log, log1p and exp differently, and long double is 80
// bits on x86 and 128 in WebAssembly, yet every exported number must agree.
// Built from IEEE's basic operations alone (+ - * / on doubles and integer
// work on their bits) in a fixed order. The logarithms and the exponential
// are within one unit in the last place of the exact value (the classic
// fdlibm reductions and minimax polynomials).

#include <span>

namespace absorber {

// A sum of doubles and of products of doubles kept as an unevaluated pair
// hi + lo, as if accumulated in twice a double's precision (Ogita, Rump and
// Oishi's Sum2 and Dot2). Exact products assume no factor near overflow.
class CompensatedSum {
public:
    void add(double value)
    {
        // Knuth's TwoSum: hi + value = sum + error exactly.
        const double sum = hi_ + value;
        const double back = sum - hi_;
        lo_ += (hi_ - (sum - back)) + (value - back);
        hi_ = sum;
    }

    void addProduct(double a, double b)
    {
        // Dekker's product from Veltkamp's halves: a b = product + error exactly.
        const double product = a * b;
        const auto [aHigh, aLow] = halves(a);
        const auto [bHigh, bLow] = halves(b);
        const double error = ((aHigh * bHigh - product) + aHigh * bLow + aLow * bHigh) + aLow * bLow;
        add(product);
        lo_ += error;
    }

    double value() const { return hi_ + lo_; }

private:
    struct Halves {
        double high;
        double low;
    };

    // a = high + low, each with at most 26 significant bits.
    static Halves halves(double a)
    {
        const double c = 134217729.0 * a;  // 2^27 + 1
        const double high = c - (c - a);
        return {high, a - high};
    }

    double hi_ = 0.0;
    double lo_ = 0.0;
};

// ln x; -inf at 0, NaN below 0 and for NaN, inf at inf.
double portableLog(double x);

// ln(1 + x), keeping x's digits where 1 + x would lose them; -inf at -1,
// NaN below -1 and for NaN, inf at inf, and x itself at +-0.
double portableLog1p(double x);

// portableLog and portableLog1p of each of `x` into `out` (of the same
// size), to the same bits: one expression per value without branches, so
// that GCC and clang turn the loop into vector instructions.
void portableLogs(std::span<const double> x, std::span<double> out);
void portableLog1ps(std::span<const double> x, std::span<double> out);

// portableLog of each of `x`, all positive normal numbers below infinity,
// to the same bits and without the other cases' selections: for draws of
// uniform numbers in (0, 1].
void portableLogsOfNormals(std::span<const double> x, std::span<double> out);

// e^x; inf above ln DBL_MAX, 0 below the logarithm of half the smallest
// subnormal, NaN for NaN.
double portableExp(double x);

}  // namespace absorber
