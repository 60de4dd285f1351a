// Probability routines: tail probabilities and quantiles of the normal, t, F and chi-square
// distributions, exact null distributions of the rank tests and of the 2x2 table, and the
// power and sample-size formulas of the two-sample tests.
//
// Every routine is a pure function of plain numbers. They reproduce the classical handbook
// methods (Abramowitz-Stegun polynomials, finite series in the incomplete beta argument,
// Cornish-Fisher, bisection) with the program's historical constants, so that the six-decimal
// p-values in the result text stay the same from release to release. Do not replace them by a
// "better" special-function library.
//
// Arguments outside a routine's domain give kOutOfRange (-100). Inside this module callers test
// for it with IsNearlyEqual(value, kOutOfRange), never with ==; code elsewhere asks the checked::
// forms at the end of this header, which say "no value" with std::nullopt instead.
#pragma once

#include <optional>

namespace orvel {

// The value a routine or table returns for arguments outside its domain.
inline constexpr double kOutOfRange = -100.0;

// ---- Elementary routines -----------------------------------------------------------------

double AbsoluteValue(double x);

// The program's only equality test between reals: |a - b| < 1e-28.
bool IsNearlyEqual(double a, double b);

// True when x has no fractional part (x - trunc(x) is exactly 0). False for inf and NaN.
bool IsInteger(double x);

// Digits before the decimal point for |x| >= 1 (5 -> 1, 50 -> 2); for |x| < 1 minus the position
// of the first significant digit (0.5 -> -1, 0.05 -> -2). 0, inf and NaN give 0.
int DecimalExponent(double x);

// C(a, b) as a real, built as the running product of (a - i) / (i + 1). 0 when b < 0, a < b or
// a < 0; 1 when b is 0 or a.
double BinomialCoefficient(int a, int b);

// The integer nearest to x; a value exactly halfway rounds up (2.5 -> 3). NaN gives 0 and values
// beyond the int range are clamped to it.
int RoundToNearest(double x);

// ---- Tail probabilities (upper tail: P(X > x)) -------------------------------------------

double NormalUpperP(double z);
// kOutOfRange when df1 < 1 or df2 < 1; F below 0 is taken as 0.
double FUpperP(int df1, int df2, double f);
// One-sided; kOutOfRange when df < 1.
double TUpperP(int df, double t);
// kOutOfRange when df < 1; x below 0 is taken as 0.
double ChiSquareUpperP(int df, double x);

// ---- Quantiles (of an upper-tail probability p) ------------------------------------------

// kOutOfRange unless 0 < p < 1.
double NormalQuantile(double p);
// Exact closed forms at 1 and 2 df, the Cornish-Fisher expansion from 3 df on.
// kOutOfRange when df < 1 or p is not strictly between 0 and 1.
double TQuantile(int df, double p);
// kOutOfRange when a df is below 1 or p is outside 0..1.
double FQuantile(int df1, int df2, double p);
// kOutOfRange when df < 1 or p is outside 0..1.
double ChiSquareQuantile(int df, double p);

// ---- Exact null distributions ------------------------------------------------------------

// Two-sided exact p = 2 P(U <= u) for sample sizes m and n, not capped at 1; 0 when u < 0 or
// u > mn. kOutOfRange when m or n is below 1 or the sizes are too large for an exact count.
double MannWhitneyExactP(int m, int n, int u);

// Two-sided exact p = 2 P(T <= t) of the signed-rank statistic for n non-zero differences;
// t is clamped to 0 .. n(n+1)/2, so the result may exceed 1. kOutOfRange when n < 0 or n is
// too large for an exact count.
double SignedRankExactP(int n, int t);

// Hypergeometric probability of the 2x2 table (a b / c d). kOutOfRange when a cell is negative
// or the total exceeds kFisherMaxTotal.
inline constexpr int kFisherMaxTotal = 2000;
double FisherTableProbability(int a, int b, int c, int d);

// ---- Power and sample size ---------------------------------------------------------------

// Power of the two-sided paired t test with n pairs; kOutOfRange when n < 2.
double PairedPower(double delta, double sigma, double alpha, int n);
// Power of the two-sided unpaired t test; kOutOfRange when the pooled df is below 1.
double TwoSamplePower(double delta, double sigma, double alpha, int nx, int ny);

// Sample sizes. They return -100 (kOutOfRange) when alpha/2 or beta is not a probability or
// the formula has no value (NaN); a size beyond the int range is returned as INT_MAX.
int PairedSampleSize(double delta, double sigma, double alpha, double beta);
int TwoSampleSampleSize(double delta, double sigma, double alpha, double beta);
int MannWhitneySampleSize(double p, double alpha, double beta, int nx, int ny);
int SignedRankSampleSize(double p, double alpha, double beta);

// ---- The same routines with an explicit "no value" -------------------------------------------
// Code outside the numeric module asks these forms: arguments outside a routine's domain give
// std::nullopt instead of kOutOfRange, so no caller compares results with the sentinel (which a
// true result, such as a t quantile, may equal). Where a value exists it is the one above.
namespace checked {
std::optional<double> FUpperP(int df1, int df2, double f);
std::optional<double> TUpperP(int df, double t);
std::optional<double> ChiSquareUpperP(int df, double x);
std::optional<double> TQuantile(int df, double p);
std::optional<double> MannWhitneyExactP(int m, int n, int u);
std::optional<double> SignedRankExactP(int n, int t);
std::optional<double> PairedPower(double delta, double sigma, double alpha, int n);
std::optional<double> TwoSamplePower(double delta, double sigma, double alpha, int nx, int ny);
std::optional<int> PairedSampleSize(double delta, double sigma, double alpha, double beta);
std::optional<int> TwoSampleSampleSize(double delta, double sigma, double alpha, double beta);
}  // namespace checked

}  // namespace orvel
