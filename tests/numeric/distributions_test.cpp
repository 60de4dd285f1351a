#include "numeric/distributions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

namespace orvel {
namespace {

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

bool IsSentinel(double v) { return IsNearlyEqual(v, kOutOfRange); }

// ---- Elementary routines -----------------------------------------------------------------

TEST(Elementary, EqualityAndIntegerTests) {
  EXPECT_TRUE(IsNearlyEqual(1.0, 1.0));
  EXPECT_TRUE(IsNearlyEqual(1e-29, 0.0));
  EXPECT_FALSE(IsNearlyEqual(1e-27, 0.0));
  EXPECT_FALSE(IsNearlyEqual(0.1 + 0.2, 0.3));  // the test is near-exact, not tolerant
  EXPECT_TRUE(IsInteger(3.0));
  EXPECT_TRUE(IsInteger(-2.0));
  EXPECT_FALSE(IsInteger(2.5));
  EXPECT_FALSE(IsInteger(-0.25));
  EXPECT_FALSE(IsInteger(kInf));
  EXPECT_FALSE(IsInteger(kNaN));
  EXPECT_EQ(AbsoluteValue(-2.5), 2.5);
}

TEST(Elementary, DecimalExponentCountsDigitsAndEndsForEveryInput) {
  EXPECT_EQ(DecimalExponent(5), 1);
  EXPECT_EQ(DecimalExponent(50), 2);
  EXPECT_EQ(DecimalExponent(-50), 2);
  EXPECT_EQ(DecimalExponent(1), 1);
  EXPECT_EQ(DecimalExponent(0.5), -1);
  EXPECT_EQ(DecimalExponent(0.05), -2);
  EXPECT_EQ(DecimalExponent(-0.05), -2);
  EXPECT_EQ(DecimalExponent(1e300), 301);
  EXPECT_LT(DecimalExponent(std::numeric_limits<double>::denorm_min()), -300);
  EXPECT_EQ(DecimalExponent(0.0), 0);
  EXPECT_EQ(DecimalExponent(kInf), 0);
  EXPECT_EQ(DecimalExponent(-kInf), 0);
  EXPECT_EQ(DecimalExponent(kNaN), 0);
}

TEST(Elementary, BinomialCoefficient) {
  EXPECT_EQ(BinomialCoefficient(5, 2), 10.0);
  EXPECT_EQ(BinomialCoefficient(2, 5), 0.0);
  EXPECT_EQ(BinomialCoefficient(5, -1), 0.0);
  EXPECT_EQ(BinomialCoefficient(-1, -2), 0.0);
  EXPECT_EQ(BinomialCoefficient(7, 0), 1.0);
  EXPECT_EQ(BinomialCoefficient(7, 7), 1.0);
  EXPECT_NEAR(BinomialCoefficient(50, 25), 126410606437752.0, 1.0);
  EXPECT_TRUE(std::isinf(BinomialCoefficient(INT_MAX, INT_MAX / 2)));
}

TEST(Elementary, RoundToNearestRoundsHalfUp) {
  EXPECT_EQ(RoundToNearest(2.5), 3);
  EXPECT_EQ(RoundToNearest(2.4999999), 2);
  EXPECT_EQ(RoundToNearest(2.5000001), 3);
  EXPECT_EQ(RoundToNearest(7.0), 7);
  // floor(x + 0.5) would give 1 here: the sum rounds up to exactly 1.
  EXPECT_EQ(RoundToNearest(0.49999999999999994), 0);
  EXPECT_EQ(RoundToNearest(1e300), INT_MAX);
  EXPECT_EQ(RoundToNearest(kNaN), 0);
}

// ---- Normal ------------------------------------------------------------------------------

TEST(Normal, UpperTailAndQuantile) {
  EXPECT_EQ(NormalUpperP(0.0), 0.5);
  EXPECT_NEAR(NormalUpperP(1.96), 0.0249978951482204, 2e-7);
  EXPECT_NEAR(NormalUpperP(-0.7), 0.758036347776927, 2e-7);
  EXPECT_NEAR(NormalUpperP(3.2), 0.000687137937915848, 2e-7);
  EXPECT_EQ(NormalUpperP(-1.3), 1.0 - NormalUpperP(1.3));
  EXPECT_EQ(NormalUpperP(kInf), 0.0);
  EXPECT_EQ(NormalUpperP(-kInf), 1.0);

  // The rational approximation in use is good to 3e-3.
  EXPECT_NEAR(NormalQuantile(0.025), 1.959964, 3e-3);
  EXPECT_NEAR(NormalQuantile(0.975), -1.959964, 3e-3);
  EXPECT_NEAR(NormalQuantile(0.3), 0.524401, 3e-3);
  EXPECT_EQ(NormalQuantile(0.9), -NormalQuantile(0.1));
  const double far = NormalQuantile(1e-300);
  EXPECT_TRUE(std::isfinite(far));
  EXPECT_NEAR(far, 37.04, 0.05);
  for (const double p : {0.0, 1.0, -0.5, 1.5, kNaN}) {
    EXPECT_TRUE(IsSentinel(NormalQuantile(p))) << p;
  }
}

// ---- F and t -----------------------------------------------------------------------------

// The F tail series as a literal loop, to check that its shortcut for a large df2 changes
// nothing.
double FullFSeries(int m, int n, double f) {
  const double d = n / (n + m * f);
  double p = 0;
  double h = 0;
  if (m % 2 == 1 && n % 2 == 1) {
    p = 1 - 0.6366199048125918 * std::atan(std::sqrt(1 / d - 1));
    h = std::sqrt(d * (1 - d)) / 3.141592;
  } else if (m % 2 == 0 && n % 2 == 1) {
    p = std::sqrt(d);
    h = (1 - d) * std::sqrt(d) / 2;
  } else if (m % 2 == 1) {
    p = 1 - std::sqrt(1 - d);
    h = d * std::sqrt(1 - d) / 2;
  } else {
    p = d;
    h = d * (1 - d);
  }
  const int i0 = m % 2 == 1 ? 1 : 2;
  int j = n % 2 == 1 ? 1 : 2;
  for (; j < n; j += 2) {
    p -= 2 * h / j;
    h = h * (i0 + j) * d / j;
  }
  for (int i = i0; i < m; i += 2) {
    p += 2 * h / i;
    h = h * (j + i) * (1 - d) / i;
  }
  return p;
}

TEST(FDistribution, TwoAndTwoDfIsOneOverOnePlusF) {
  for (const double f : {0.0, 0.3, 1.0, 2.7, 19.0, 1e6}) {
    EXPECT_EQ(FUpperP(2, 2, f), 1.0 / (1.0 + f)) << f;
  }
}

TEST(FDistribution, EveryParityBranchMatchesAccurateValues) {
  struct Case {
    int m, n;
    double f, p;
  };
  const Case cases[] = {
      {3, 5, 2.5, 0.17392765793651},    {1, 9, 4.2, 0.0706834581350265},   // odd, odd
      {4, 7, 1.7, 0.253264953134008},   {6, 3, 0.8, 0.628077570461968},    // even, odd
      {3, 8, 3.1, 0.089171078762544},   {5, 4, 1.3, 0.411326201703836},    // odd, even
      {7, 1, 10.0, 0.238949462757446},                                      // odd, odd
      {4, 6, 2.2, 0.185482997458596},   {8, 12, 2.85, 0.0499213285097325},  // even, even
      {2, 9, 4.26, 0.049910030381549},  {30, 60, 1.65, 0.0498242666995021},
      {31, 31, 1.84, 0.0473400939198177},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(FUpperP(c.m, c.n, c.f), c.p, 1e-6) << c.m << "," << c.n << "," << c.f;
  }
}

TEST(FDistribution, UsesTheHistoricalPi) {
  // 1 - (2/3.141592) atan(sqrt 3): 1.4e-7 below the exact 1/3. The printed p-values depend on
  // the rounded constant.
  EXPECT_NEAR(FUpperP(1, 1, 3.0), 0.33333319463724271, 1e-15);
}

TEST(FDistribution, NegativeStatisticAndBadDf) {
  for (const auto& [m, n] : {std::pair{1, 1}, {2, 3}, {3, 2}, {4, 4}}) {
    EXPECT_EQ(FUpperP(m, n, -3.0), 1.0);
    EXPECT_EQ(FUpperP(m, n, 0.0), 1.0);
  }
  EXPECT_TRUE(IsSentinel(FUpperP(0, 5, 1.0)));
  EXPECT_TRUE(IsSentinel(FUpperP(5, -1, 1.0)));
  EXPECT_TRUE(IsSentinel(TUpperP(0, 1.0)));
}

TEST(FDistribution, LargeDfShortcutChangesNothing) {
  for (const int n : {99999, 100000, 100001}) {
    for (const int m : {1, 2, 3}) {
      for (const double f : {0.004, 0.5, 3.84, 40.0}) {
        // The series' rounded pi can leave its sum just outside 0 .. 1; the routine clips it.
        EXPECT_EQ(FUpperP(m, n, f), std::clamp(FullFSeries(m, n, f), 0.0, 1.0)) << m << "," << n << "," << f;
      }
    }
  }
  // A t with two million df is as good as the normal.
  EXPECT_NEAR(2.0 * TUpperP(2000001, 1.959964), 0.05, 1e-6);
}

TEST(FDistribution, AgreesWithAnIndependentTailOverDfUpTo20000) {
  struct Case {
    int m, n;
    double f, p;
  };
  const Case cases[] = {
#include "numeric/f_upper_p_reference.inc"
  };
  for (const Case& c : cases) {
    // With both df odd the historical pi (3.141592) costs up to 2.1e-7; elsewhere the series is
    // exact to rounding.
    const double tolerance = (c.m % 2 == 1 && c.n % 2 == 1) ? 2.5e-7 : 1e-10;
    const double p = FUpperP(c.m, c.n, c.f);
    EXPECT_NEAR(p, c.p, tolerance) << c.m << "," << c.n << "," << c.f;
    EXPECT_TRUE(p >= 0.0 && p <= 1.0) << c.m << "," << c.n << "," << c.f;
  }
}

TEST(FDistribution, SeriesDigitsUnchangedWhereTheyNeverLeftTheDoubleRange) {
  // Below a few hundred df the running factor never falls under 2^-600, so the routine must be
  // the literal series bit for bit (clipped to 0 .. 1).
  for (int m = 1; m <= 120; m += 7) {
    for (int n = 1; n <= 400; n += 13) {
      for (const double f : {0.05, 0.7, 1.0, 1.9, 4.5, 60.0}) {
        EXPECT_EQ(FUpperP(m, n, f), std::clamp(FullFSeries(m, n, f), 0.0, 1.0)) << m << "," << n << "," << f;
      }
    }
  }
}

TEST(TDistribution, TailsAndQuantiles) {
  for (int df = 1; df <= 5; ++df) EXPECT_EQ(TUpperP(df, 0.0), 0.5);
  EXPECT_NEAR(TUpperP(10, 2.228139), 0.0249999937264413, 1e-6);
  EXPECT_NEAR(TUpperP(1, 12.7062), 0.0250000092803552, 1e-6);
  EXPECT_NEAR(TUpperP(25, -1.0), 0.836554043654079, 1e-6);
  EXPECT_DOUBLE_EQ(TUpperP(7, -0.8), 1.0 - TUpperP(7, 0.8));

  EXPECT_NEAR(TQuantile(10, 0.025), 2.2281388519862747, 1e-3);
  EXPECT_NEAR(TQuantile(30, 0.975), -2.042272, 1e-3);
  EXPECT_NEAR(TQuantile(5, 0.005), 4.032142983555228, 2e-2);
  EXPECT_TRUE(IsSentinel(TQuantile(0, 0.05)));
  EXPECT_TRUE(IsSentinel(TQuantile(-3, 0.05)));
  EXPECT_TRUE(IsSentinel(TQuantile(10, 0.0)));
  EXPECT_TRUE(IsSentinel(TQuantile(10, 1.5)));
}

TEST(TDistribution, QuantileIsExactAtOneAndTwoDf) {
  // Reference points: roots of the exact t distribution function, to 17 digits.
  struct Case {
    int df;
    double p, t;
  };
  const Case cases[] = {
      {1, 0.025, 12.706204736174704}, {1, 0.005, 63.65674116287158},  {1, 0.3, 0.72654252800536094},
      {1, 0.9, -3.0776835371752541},  {2, 0.025, 4.3026527297494637}, {2, 0.005, 9.924843200918293},
      {2, 0.3, 0.61721339984836768},  {2, 0.9, -1.885618083164127},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(TQuantile(c.df, c.p), c.t, 1e-12 * std::fabs(c.t)) << c.df << "," << c.p;
  }
  EXPECT_EQ(TQuantile(1, 0.5), 0.0);
  EXPECT_EQ(TQuantile(2, 0.5), 0.0);
  for (const double p : {0.0, 1.0, -0.1, kNaN}) {
    EXPECT_TRUE(IsSentinel(TQuantile(1, p))) << p;
    EXPECT_TRUE(IsSentinel(TQuantile(2, p))) << p;
  }
}

TEST(FDistribution, QuantileBisectsBelow31AndApproximatesFrom31) {
  // Below 31 in either df: bisection, an exact inverse of FUpperP.
  for (const auto& [m, n] : {std::pair{30, 60}, {3, 5}, {1, 200}, {60, 30}, {2, 2}}) {
    for (const double p : {0.05, 0.01, 0.5}) {
      EXPECT_NEAR(FUpperP(m, n, FQuantile(m, n, p)), p, 1e-12) << m << "," << n << "," << p;
    }
  }
  // From 31 in both: Paulson's approximation, close to the inverse but not exact.
  const double paulson = FUpperP(31, 31, FQuantile(31, 31, 0.05));
  EXPECT_NEAR(paulson, 0.05, 1e-3);
  EXPECT_GT(std::fabs(paulson - 0.05), 1e-9);
  // Where the approximation has no value (p = 0 or 1) the bisection answers.
  EXPECT_GE(FUpperP(40, 40, FQuantile(40, 40, 1.0)), 1.0 - 1e-12);
  EXPECT_LE(FUpperP(40, 40, FQuantile(40, 40, 0.0)), 1e-12);
  EXPECT_TRUE(IsSentinel(FQuantile(5, 5, -0.1)));
  EXPECT_TRUE(IsSentinel(FQuantile(5, 5, 1.1)));
  EXPECT_TRUE(IsSentinel(FQuantile(0, 5, 0.05)));
}

// ---- Chi-square --------------------------------------------------------------------------

TEST(ChiSquare, SeriesBranchesAndWilsonHilferty) {
  for (const double x : {0.5, 3.0, 10.0}) EXPECT_DOUBLE_EQ(ChiSquareUpperP(2, x), std::exp(-x / 2));
  EXPECT_NEAR(ChiSquareUpperP(1, 3.841459), 0.0499999946531958, 5e-7);
  EXPECT_NEAR(ChiSquareUpperP(5, 11.0705), 0.0499999554280437, 5e-7);
  EXPECT_NEAR(ChiSquareUpperP(7, 2.5), 0.927097065013474, 5e-7);
  EXPECT_NEAR(ChiSquareUpperP(39, 50.0), 0.111516268362931, 5e-7);
  EXPECT_NEAR(ChiSquareUpperP(6, 12.5916), 0.0499997669039962, 1e-12);
  EXPECT_NEAR(ChiSquareUpperP(40, 55.7585), 0.0499998082102543, 1e-12);
  // Above 40 df the Wilson-Hilferty approximation: close, not exact.
  EXPECT_NEAR(ChiSquareUpperP(41, 56.942), 0.050003548066667, 2e-4);
  EXPECT_NEAR(ChiSquareUpperP(41, 30.0), 0.897758923979003, 2e-4);
  EXPECT_GT(std::fabs(ChiSquareUpperP(41, 30.0) - 0.897758923979003), 1e-7);
  EXPECT_NEAR(ChiSquareUpperP(60, 79.08), 0.0500152489384053, 2e-4);
}

TEST(ChiSquare, EdgesOfTheTail) {
  for (const int df : {1, 2, 5, 6, 41}) {
    EXPECT_NEAR(ChiSquareUpperP(df, -4.0), 1.0, 1e-6) << df;
    const double far = ChiSquareUpperP(df, 1e300);
    EXPECT_FALSE(std::isnan(far)) << df;
    EXPECT_NEAR(far, 0.0, 1e-300) << df;
  }
  EXPECT_EQ(ChiSquareUpperP(3, -1.0), 1.0);
  EXPECT_TRUE(IsSentinel(ChiSquareUpperP(0, 1.0)));
}

TEST(ChiSquare, Quantile) {
  EXPECT_NEAR(ChiSquareQuantile(1, 0.05), 3.841459, 3e-3);
  EXPECT_EQ(ChiSquareQuantile(2, 0.05), -2.0 * std::log(0.05));
  for (const int df : {3, 5, 12, 40, 41, 90}) {
    for (const double p : {0.05, 0.01, 0.5}) {
      EXPECT_NEAR(ChiSquareUpperP(df, ChiSquareQuantile(df, p)), p, 1e-12) << df << "," << p;
    }
  }
  EXPECT_EQ(ChiSquareQuantile(1, 0.0), kInf);
  EXPECT_TRUE(IsSentinel(ChiSquareQuantile(0, 0.05)));
  EXPECT_TRUE(IsSentinel(ChiSquareQuantile(1, 1.5)));
  EXPECT_TRUE(IsSentinel(ChiSquareQuantile(4, -0.1)));
}

// ---- Exact distributions -----------------------------------------------------------------

// The recursive enumeration of the U frequencies that MannWhitneyExactP must reproduce.
void FillUCounts(std::vector<double>& f, int a, int b, int lo, int hi) {
  if (a == 1 || b == 1) {
    for (int u = lo; u <= hi; ++u) f[static_cast<std::size_t>(u)] += 1;
    return;
  }
  FillUCounts(f, a - 1, b, lo, lo + b * (a - 1));
  FillUCounts(f, a, b - 1, hi - a * (b - 1), hi);
}

double EnumeratedMannWhitneyP(int m, int n, int u) {
  if (u > m * n) return 0.0;
  std::vector<double> f(static_cast<std::size_t>(m * n + 1), 0.0);
  FillUCounts(f, m, n, 0, m * n);
  double sum = 0;
  for (int i = 0; i <= u; ++i) sum += f[static_cast<std::size_t>(i)];
  return 2 * sum / BinomialCoefficient(m + n, n);
}

TEST(MannWhitneyExact, SmallSizes) {
  EXPECT_DOUBLE_EQ(MannWhitneyExactP(3, 3, 0), 0.1);
  // {1, 2, 3} against {4, ..., 8}: U = 0, p = 2 / C(8, 3).
  EXPECT_NEAR(MannWhitneyExactP(3, 5, 0), 0.035714, 5e-7);
  EXPECT_EQ(MannWhitneyExactP(3, 3, 9), 2.0);   // u = mn: not capped
  EXPECT_EQ(MannWhitneyExactP(3, 3, 10), 0.0);  // beyond mn
  EXPECT_EQ(MannWhitneyExactP(3, 3, -1), 0.0);
  EXPECT_TRUE(IsSentinel(MannWhitneyExactP(0, 5, 0)));
  EXPECT_TRUE(IsSentinel(MannWhitneyExactP(4, -2, 0)));
}

TEST(MannWhitneyExact, EqualsTheRecursiveEnumerationBitForBit) {
  for (int m = 1; m <= 7; ++m) {
    for (int n = 1; n <= 7; ++n) {
      for (int u = -1; u <= m * n + 1; ++u) {
        EXPECT_EQ(MannWhitneyExactP(m, n, u), EnumeratedMannWhitneyP(m, n, u))
            << m << "," << n << "," << u;
      }
    }
  }
}

TEST(MannWhitneyExact, LargeSizesMatchExactRationalValues) {
  // Reference values from exact integer counts.
  struct Case {
    int m, n, u;
    double p;
  };
  const Case cases[] = {
      {9, 19990, 60000, 0.08368918761377918},
      {19990, 9, 60000, 0.08368918761377918},
      {9, 19990, 89955, 1.000022651711958},
      {30, 200, 2000, 0.002968998953363305},
      {50, 50, 1000, 0.08545121551827177},
      {100, 100, 4000, 0.014377088521157688},  // heavy cancellation: the recurrence answers
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(MannWhitneyExactP(c.m, c.n, c.u), c.p, 1e-9 * c.p) << c.m << "," << c.n;
  }
  // Sizes whose counts no memory could hold are refused, not attempted.
  EXPECT_TRUE(IsSentinel(MannWhitneyExactP(100000, 100000, 2000000000)));
  EXPECT_EQ(MannWhitneyExactP(1, INT_MAX, INT_MAX), 2.0);
}

// The signed-rank counts by the textbook table, for comparison.
double CountedSignedRankP(int n, int t) {
  const int top = n * (n + 1) / 2;
  std::vector<double> g(static_cast<std::size_t>(top + 1), 0.0);
  g[0] = 1;
  int reached = 0;
  for (int i = 1; i <= n; ++i) {
    for (int j = reached; j >= 0; --j) g[static_cast<std::size_t>(j + i)] += g[static_cast<std::size_t>(j)];
    reached += i;
  }
  t = std::min(std::max(t, 0), top);
  double sum = 0;
  for (int j = 0; j <= t; ++j) sum += g[static_cast<std::size_t>(j)];
  return 2 * std::pow(2.0, -n) * sum;
}

TEST(SignedRankExact, KnownValuesClampingAndLargeN) {
  EXPECT_EQ(SignedRankExactP(5, 0), 0.0625);
  EXPECT_EQ(SignedRankExactP(6, 0), 0.03125);
  EXPECT_EQ(SignedRankExactP(10, 8), 2.0 * 25.0 / 1024.0);
  EXPECT_EQ(SignedRankExactP(5, 15), 2.0);
  EXPECT_EQ(SignedRankExactP(5, 1000), 2.0);          // t above n(n+1)/2 is clamped
  EXPECT_EQ(SignedRankExactP(5, -3), 0.0625);         // and below 0 as well
  EXPECT_EQ(SignedRankExactP(0, 0), 2.0);
  EXPECT_EQ(SignedRankExactP(5, INT_MAX), 2.0);
  EXPECT_TRUE(IsSentinel(SignedRankExactP(-1, 0)));
  for (int n = 1; n <= 14; ++n) {
    for (int t = 0; t <= n * (n + 1) / 2; ++t) {
      EXPECT_EQ(SignedRankExactP(n, t), CountedSignedRankP(n, t)) << n << "," << t;
    }
  }
  // 2^1000 outgrows no double here: counts 1, 1, 1, 2 for t = 0 .. 3.
  EXPECT_EQ(SignedRankExactP(1000, 3), std::ldexp(10.0, -1000));
}

TEST(FisherExact, TableProbabilities) {
  // Margins 7/6 by 5/8: P(1 6 / 4 2) = C(7,1) C(6,4) / C(13,5) = 105/1287.
  EXPECT_NEAR(FisherTableProbability(1, 6, 4, 2), 105.0 / 1287.0, 1e-12);
  double total = 0;
  for (int a = 0; a <= 5; ++a) total += FisherTableProbability(a, 7 - a, 5 - a, 1 + a);
  EXPECT_NEAR(total, 1.0, 1e-12);
  // A total of exactly 2000 is inside the log-factorial table.
  EXPECT_NEAR(FisherTableProbability(0, 1, 1, 1998), 1999.0 / 2000.0, 1e-9);
  EXPECT_TRUE(IsSentinel(FisherTableProbability(0, 1, 1, 1999)));
  EXPECT_TRUE(IsSentinel(FisherTableProbability(-1, 1, 1, 1)));
  EXPECT_TRUE(IsSentinel(FisherTableProbability(INT_MAX, INT_MAX, 1, 1)));
}

// ---- Power and sample size ---------------------------------------------------------------

TEST(Power, PairedAndTwoSample) {
  // Reference values from the same formulas with exact t quantiles and tails.
  EXPECT_NEAR(PairedPower(1, 2, 0.05, 20), 0.5561191956, 1e-3);
  EXPECT_NEAR(PairedPower(-1, 2, 0.05, 20), PairedPower(1, 2, 0.05, 20), 1e-15);
  EXPECT_NEAR(TwoSamplePower(1, 2, 0.05, 20, 20), 0.3300472354, 1e-3);
  EXPECT_NEAR(TwoSamplePower(1, 2, 0.05, 15, 26), 0.3377037704, 1e-3);
  EXPECT_TRUE(IsSentinel(PairedPower(1, 2, 0.05, 1)));
  EXPECT_TRUE(IsSentinel(TwoSamplePower(1, 2, 0.05, 1, 1)));
}

TEST(SampleSize, TTests) {
  EXPECT_NEAR(PairedSampleSize(1, 2, 0.05, 0.2), 34, 1);
  EXPECT_NEAR(PairedSampleSize(0.3, 1, 0.05, 0.2), 90, 1);
  EXPECT_NEAR(TwoSampleSampleSize(1, 2, 0.05, 0.2), 64, 1);
  // A huge effect needs the smallest design, not a size inflated by a -100 quantile.
  EXPECT_LE(PairedSampleSize(10, 1, 0.05, 0.2), 3);
  EXPECT_LE(TwoSampleSampleSize(10, 1, 0.05, 0.2), 3);
  EXPECT_EQ(PairedSampleSize(0, 1, 0.05, 0.2), INT_MAX);
  EXPECT_EQ(PairedSampleSize(0, 0, 0.05, 0.2), -100);
  EXPECT_EQ(TwoSampleSampleSize(1, 2, 0.05, 1.5), -100);
}

TEST(SampleSize, RankTests) {
  // (1.95996 + 0.84162)^2 / (12 * 0.25 * 0.04) = 65.4
  EXPECT_EQ(MannWhitneySampleSize(0.7, 0.05, 0.2, 10, 10), 65);
  EXPECT_EQ(MannWhitneySampleSize(0.3, 0.05, 0.2, 10, 10), 65);
  EXPECT_EQ(SignedRankSampleSize(0.7, 0.05, 0.2), 65);
  // No effect at all: p is moved off 0.5 and the size is as large as an int goes.
  EXPECT_EQ(MannWhitneySampleSize(0.5, 0.05, 0.2, 10, 10), INT_MAX);
  EXPECT_EQ(SignedRankSampleSize(0.5, 0.05, 0.2), INT_MAX);
  EXPECT_EQ(MannWhitneySampleSize(0.7, 0.05, 0.2, 0, 0), -100);
}

// The checked forms have a value exactly where the plain routine is inside its domain, and then
// the same one. Includes a t quantile of -100 itself, which only the checked form can tell from
// "no value".
TEST(CheckedForms, NoValueExactlyOutsideTheDomain) {
  const auto same = [](std::optional<double> checked, double plain, const char* what) {
    EXPECT_EQ(checked.has_value(), !IsSentinel(plain)) << what;
    if (checked) {
      EXPECT_EQ(*checked, plain) << what;
    }
  };
  same(checked::FUpperP(3, 8, 2.0), FUpperP(3, 8, 2.0), "F");
  same(checked::FUpperP(0, 8, 2.0), FUpperP(0, 8, 2.0), "F df1 0");
  same(checked::TUpperP(4, 1.5), TUpperP(4, 1.5), "t");
  same(checked::TUpperP(0, 1.5), TUpperP(0, 1.5), "t df 0");
  same(checked::ChiSquareUpperP(5, 3.0), ChiSquareUpperP(5, 3.0), "chi2");
  same(checked::ChiSquareUpperP(-1, 3.0), ChiSquareUpperP(-1, 3.0), "chi2 df -1");
  same(checked::TQuantile(7, 0.05), TQuantile(7, 0.05), "tq");
  same(checked::TQuantile(7, 1.0), TQuantile(7, 1.0), "tq p 1");
  same(checked::MannWhitneyExactP(3, 4, 2), MannWhitneyExactP(3, 4, 2), "MW");
  same(checked::MannWhitneyExactP(100000, 100000, 2000000000), kOutOfRange, "MW too large");
  same(checked::SignedRankExactP(8, 5), SignedRankExactP(8, 5), "SR");
  same(checked::SignedRankExactP(-1, 0), SignedRankExactP(-1, 0), "SR n -1");
  same(checked::PairedPower(1, 2, 0.05, 10), PairedPower(1, 2, 0.05, 10), "power");
  same(checked::PairedPower(1, 2, 0.05, 1), PairedPower(1, 2, 0.05, 1), "power n 1");
  same(checked::TwoSamplePower(1, 2, 0.05, 1, 1), TwoSamplePower(1, 2, 0.05, 1, 1), "power df 0");
  EXPECT_EQ(checked::PairedSampleSize(1, 2, 0.05, 0.2), PairedSampleSize(1, 2, 0.05, 0.2));
  EXPECT_FALSE(checked::TwoSampleSampleSize(1, 2, 0.05, 1.5).has_value());
  // The 1-df quantile at p = 1/2 + atan(100)/pi is -100 to rounding: a value, not "none".
  const double p = 0.5 + std::atan(100.0) / 3.141592653589793;
  ASSERT_TRUE(checked::TQuantile(1, p).has_value());
  EXPECT_NEAR(*checked::TQuantile(1, p), -100.0, 1e-9);
}

}  // namespace
}  // namespace orvel
