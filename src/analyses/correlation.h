// Correlation and regression: the least-squares line, the six regression curves fitted as lines
// on transformed scales, Spearman's and Kendall's rank correlations of X and Y (the Oneway Two
// Groups columns), and the intraclass correlation of the group columns.
//
// Each report function reads the rows through a view that leaves out the incomplete rows, and
// appends its whole report (with the data listing and the skipped rows); the document's cells
// are only read.
//
// A statistic without a finite value (a constant column, too few pairs, a test of r = +-1) is
// carried as NaN and printed as "undefined"; its p-value is then undefined too and carries no
// mark.
#pragma once

#include <cstdint>
#include <vector>

#include "sheet/orvel_doc.h"
#include "sheet/row_view.h"

namespace orvel {

// ---- Least-squares line ------------------------------------------------------------------------

struct LineFit {
  int n = 0;
  double slope = 0;      // B
  double intercept = 0;  // A
  double r = 0;
  double r2 = 0;
  double p = 0;  // two-sided test of r with n - 2 degrees of freedom
};
// Fits y = A + B x to the pairs (x[i], y[i]).
LineFit FitLeastSquaresLine(const std::vector<double>& x, const std::vector<double>& y);

void RegressionLineReport(CORVELDoc& doc);

// ---- Regression curves -------------------------------------------------------------------------

// The kinds, as the "Regression Curve" dialog numbers them.
enum CurveKind {
  kCurveLog10 = 0,       // y=a*log(x)+b
  kCurveLn = 1,          // y=a*ln(x)+b
  kCurvePower = 2,       // y=a*x^b
  kCurveExp10 = 3,       // y=a*10^(bx)
  kCurveExp = 4,         // y=a*exp(bx)
  kCurveReciprocal = 5,  // y=a*(1/x)+b
};
inline constexpr int kCurveKinds = 6;

// The message that refuses the kind for the present values of X and Y (a negative value, or a
// zero, where the kind's transform needs a positive or non-zero one); nullptr when it fits.
const char* RegressionCurveRefusal(const CORVELDoc& doc, int kind);
// Appends the report of the kind. The transforms change the column values only for the
// computation: both columns are re-parsed from their texts before it returns. False (nothing
// appended, nothing changed) when a transform refuses the data.
bool RegressionCurveReport(CORVELDoc& doc, int kind);

// ---- Rank correlations -------------------------------------------------------------------------

// Mid-ranks of the values (rounded to 7 decimals first) in their given order, through the rank
// buffer, with the tie sums over the groups of equal values (a single value is a group of 1):
// sum of t^2 and of t^3.
struct Ranks {
  std::vector<double> ranks;
  double tie_sum2 = 0;
  double tie_sum3 = 0;
};
Ranks RankValues(CRankBuffer& buffer, const std::vector<double>& values);

struct SpearmanResult {
  int n = 0;
  double d = 0;  // sum of squared rank differences
  double tx = 0, ty = 0;
  double rho = 0;
  double p = 0;
};
SpearmanResult ComputeSpearman(CRankBuffer& buffer, const std::vector<double>& x, const std::vector<double>& y);
void SpearmanReport(CORVELDoc& doc);

// Pairs i < j that are concordant (rank differences strictly of one sign) and discordant
// (strictly opposite); pairs tied in either variable count as neither. O(n log n).
struct PairCounts {
  std::int64_t concordant = 0;
  std::int64_t discordant = 0;
};
PairCounts CountConcordantPairs(const std::vector<double>& x, const std::vector<double>& y);

struct KendallResult {
  int n = 0;
  PairCounts pairs;
  double tx = 0, ty = 0;  // pairs tied in X, in Y
  double tau = 0;
  double p = 0;
};
KendallResult ComputeKendall(CRankBuffer& buffer, const std::vector<double>& x, const std::vector<double>& y);
void KendallReport(CORVELDoc& doc);

// ---- Intraclass correlation --------------------------------------------------------------------

struct IccResult {
  int k = 0;  // raters (columns)
  int m = 0;  // subjects (rows)
  double s = 0, sa = 0, sb = 0, se = 0;
  int df_a = 0, df_b = 0, df_e = 0;
  double va = 0, vb = 0, ve = 0;
  double fa = 0, fb = 0;
  double p = 0;
  double eta2 = 0;
  double icc = 0;
};
// columns[j][i]: rater j's value for subject i; every column has the same length.
IccResult ComputeIcc(const std::vector<std::vector<double>>& columns);
void IntraclassCorrelationReport(CORVELDoc& doc);
// The rows on which every group column holds a value: the subjects the report keeps.
int CompleteGroupRowCount(const CORVELDoc& doc);

}  // namespace orvel
