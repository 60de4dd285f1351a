// Two-sample parametric tests: the F test of two variances, the paired and unpaired t tests,
// Bartlett's test of several variances and the chi-square goodness-of-fit test.
//
// X and Y are the two columns of the Oneway Two Groups setting; Bartlett's test uses the group
// columns. Each report function appends its whole report to the result text (with the data
// listing and the skipped rows when they apply); the document's cells are only read.
//
// A statistic without a finite value (a division by zero) is carried as NaN and printed as
// "undefined"; its p-value is then undefined too and carries no mark.
#pragma once

#include <vector>

#include "sheet/orvel_doc.h"
#include "sheet/row_view.h"

namespace orvel {

// ---- F test ----------------------------------------------------------------------------------

struct FTestResult {
  int df1 = 0, df2 = 0;
  double f = 0;
  double two_sided_p = 0;
  double one_sided_p = 0;
};
FTestResult ComputeFTest(const CRowView& rows);
void FTestReport(CORVELDoc& doc);

// ---- Unpaired t test -------------------------------------------------------------------------

struct UnpairedTTestResult {
  int nx = 0, ny = 0;
  double mean_difference = 0;  // mean(X) - mean(Y)
  bool welch = false;          // the variance check chose Welch's test
  double t = 0;                // from |mean difference|, so never negative
  int df = 0;
  double one_sided_p = 0;
  double ci_low = 0, ci_high = 0;
  double cohens_d = 0;
  double effect_size_r = 0;
  double pooled_sd = 0;  // the sd the power lines use
};
// True when the variance ratio sd(X)²/sd(Y)² lies within the two-sided 5% bounds of the F
// distribution (two columns without any spread count as equal too).
bool VariancesLookEqual(double sdx, double sdy, int nx, int ny);
// Welch's degrees of freedom for the squared standard errors vx and vy, rounded to the nearest
// integer with halves upward.
int WelchDegreesOfFreedom(double vx, double vy, int nx, int ny);
UnpairedTTestResult ComputeUnpairedTTest(const CRowView& rows);
void UnpairedTTestReport(CORVELDoc& doc);

// ---- Paired t test ---------------------------------------------------------------------------

// Rows where both X and Y are numeric (the pairs the test can use).
int CompletePairCount(const CRowView& rows);
struct PairedTTestResult {
  int n = 0;
  double mean_difference = 0;
  double sd_of_differences = 0;
  double t = 0;  // signed: negative when X is below Y on average
  int df = 0;
  double one_sided_p = 0;  // of |t|
  double ci_low = 0, ci_high = 0;
  double cohens_d = 0;
  double effect_size_r = 0;
};
// Computed on the rows of the view: the caller leaves the incomplete rows out.
PairedTTestResult ComputePairedTTest(const CRowView& rows);
// Leaves out the rows where only one of X and Y is numeric, reports and lists those rows.
void PairedTTestReport(CORVELDoc& doc);

// ---- Bartlett's test -------------------------------------------------------------------------

struct BartlettResult {
  double statistic = 0;
  int df = 0;
  double p = 0;
};
BartlettResult ComputeBartlett(const CRowView& rows, const std::vector<int>& columns);
// Bartlett's test of the group columns.
void BartlettTestReport(CORVELDoc& doc);
// True when a group column holds no value at all (the command refuses it).
bool HasEmptyGroupColumn(const CORVELDoc& doc);

// ---- Goodness of fit -------------------------------------------------------------------------

// True when some row with an observed frequency in X has an expected frequency in Y that is
// 0 or below (no chi-square contribution exists for it).
bool HasNonPositiveExpectedFrequency(const CORVELDoc& doc);
struct GoodnessOfFitResult {
  int df = 0;
  double chi_square = 0;
  double p = 0;
};
GoodnessOfFitResult ComputeGoodnessOfFit(const CRowView& rows);
void GoodnessOfFitReport(CORVELDoc& doc);

}  // namespace orvel
