// Multiple comparisons after an analysis of variance: Tukey, Scheffe, Bonferroni, Dunnett and
// Holm after the one-way tables, Tukey, Scheffe and Bonferroni after the two-way tables (between
// levels, between cells, or between the rows and columns of a block without replication).
//
// Each function returns one block of report text: the heading, the legend, one line per pair
// marked "**" (beyond the 1% critical value), "*" (beyond the 5% one) or "-", and a closing
// empty line. Pairs are visited in increasing order.
//
// Choices made here:
//   - Bonferroni and Holm test each pair two-sided, so their critical values are the upper
//     a/(2m) (a/(2s) in a Holm step) points of t, which keeps the family-wise level at a.
//   - Tukey beyond 30 means takes its critical values from the studentized-range integration.
//   - A block whose error variance is zero or not finite, or whose critical values cannot be
//     had, marks every pair "-" (an infinite statistic is no evidence of a difference).
#pragma once

#include <string>
#include <vector>

namespace orvel {

inline constexpr const char* kComparisonLegend = "** : p<0.01  * : p<0.05  - : p>=0.05\n\n";

// One group (or cell) of a comparison: its sheet column, count, mean and total.
struct GroupSummary {
  int column = 0;
  int count = 0;
  double mean = 0;
  double total = 0;
};

// The mark of one pair: strict comparisons, 1% first.
const char* ComparisonMark(double value, double crit01, double crit05);

// Two-sided Bonferroni critical value of `pairs` comparisons at level `alpha`.
double BonferroniCritical(int df, double alpha, int pairs);
// Holm's step-down critical value at level `alpha` for the pair statistics (in pair order).
// The statistics are ranked with mid-ranks (rounded to 7 decimals as the rank buffer does); the
// steps run from the largest rank down and stop at the first rank that is not beaten, or that no
// statistic holds exactly (a tie).
double HolmCritical(const std::vector<double>& statistics, int df, double alpha);

// ---- One-way forms ---------------------------------------------------------------------------

enum class OnewayDesign { kFactorial, kRepeated };

// Tukey. Factorial: the caller passes k, N/k (integer division) and VE; the error df is
// k (N/k - 1). Repeated: k, n (rows) and VE; the df is (k - 1)(n - 1).
std::string OnewayTukey(OnewayDesign design, const std::vector<GroupSummary>& groups, int size, double ve);
// Scheffe. Factorial: k, N (all values), VE. Repeated: k, n (rows), VE.
std::string OnewayScheffe(OnewayDesign design, const std::vector<GroupSummary>& groups, int size, double ve);
// Bonferroni with the error df.
std::string OnewayBonferroni(const std::vector<GroupSummary>& groups, int df, double ve);
// Holm with the error df.
std::string OnewayHolm(const std::vector<GroupSummary>& groups, int df, double ve);
// Dunnett against groups[control] with the error df; the factorial form needs equal counts.
std::string OnewayDunnett(OnewayDesign design, const std::vector<GroupSummary>& groups, std::size_t control, int df,
                          double ve);

// ---- Two-way factorial forms -----------------------------------------------------------------

// The cells of a twoway grid in cell order A1-B1, A2-B1, ..., Aa-B1, A1-B2, ...
struct TwowayCells {
  int a = 0;
  int b = 0;
  std::vector<GroupSummary> cells;  // a * b entries, cell (i, j) at (j - 1) a + (i - 1)
  const GroupSummary& Cell(int i, int j) const { return cells[static_cast<std::size_t>((j - 1) * a + (i - 1))]; }
};

enum class ComparisonMethod { kTukey, kScheffe, kBonferroni };

// Between the levels of A, then of B, with the pooled error df and VE.
std::string TwowayLevelComparison(ComparisonMethod method, const TwowayCells& grid, int df, double ve);
// Between all cells, with the error df and VE.
std::string TwowayCellComparison(ComparisonMethod method, const TwowayCells& grid, int df, double ve);

// ---- Two-way without replication -------------------------------------------------------------

// The means of the rows and columns of the selected block, with their sheet numbers.
struct BlockMeans {
  std::vector<int> rows;  // sheet row numbers
  std::vector<double> row_means;
  std::vector<int> columns;  // sheet column numbers
  std::vector<double> column_means;
};

// Between the rows (between_rows) or between the columns of the block.
std::string BlockComparison(ComparisonMethod method, bool between_rows, const BlockMeans& block, int df, double ve);

}  // namespace orvel
