// Rank tests: the Mann-Whitney U test and the Wilcoxon signed rank test on the X and Y columns,
// the Kruskal-Wallis and Friedman rank sum tests on the group columns, and the Tukey-type and
// Scheffe-type comparisons of mean ranks that may follow the last two.
//
// Each Report function appends the whole report of its test to the result text (data listing
// and skipped-row note included); the paired tests read the rows through a view that leaves
// the incomplete rows out, so the document is not changed. The view's handlers make the
// size checks first; the Compute functions hold the statistics so they can be checked alone.
#pragma once

#include <vector>

#include "sheet/orvel_doc.h"
#include "sheet/row_view.h"

namespace orvel {

// The most values the Kruskal-Wallis and Friedman tests take over all group columns.
inline constexpr int kRankSumTestValueLimit = 10000;

// ---- Mann-Whitney U test ----------------------------------------------------------------------

// True when the smaller group is too small for the test: at most one value, two values against
// fewer than eight, or three against fewer than five.
bool MannWhitneySamplesTooSmall(int count_x, int count_y);
// True when the smaller group has more than nine values: the normal approximation is reported
// with its marks and no exact p-value is computed.
bool MannWhitneyUsesLargeSample(int count_x, int count_y);

// Mid-ranks of two samples pooled, by the rank buffer's rule: every value is rounded to 7
// decimals and tied values share the average of the ranks they occupy.
struct PooledRankSums {
  double first_rank_sum = 0;  // sum of the ranks of the first sample's values
  double tie_cube_sum = 0;    // sum of t^3 over the groups of equal values (t = 1 included)
};
PooledRankSums RankPooledSamples(const std::vector<double>& first, const std::vector<double>& second);

struct MannWhitneyStatistics {
  int m = 0;  // values of X
  int n = 0;  // values of Y
  double r1 = 0;
  double u1 = 0;
  double u2 = 0;
  double w = 0;  // the rank sum of the smaller group (of X when the sizes are equal)
  double tie_cube_sum = 0;
  double z = 0;
  double p_normal = 0;
  double p_xy = 0;      // the share of (x, y) pairs with y < x
  int sample_size = 0;  // total needed for power 0.8 at p 0.05
};
MannWhitneyStatistics ComputeMannWhitney(const std::vector<double>& x, const std::vector<double>& y);
// The exact two-sided p of the small-sample report, at most 1 (not finite when it cannot be
// counted).
double MannWhitneyExactPValue(const MannWhitneyStatistics& s);
void MannWhitneyReport(CORVELDoc& doc);

// ---- Wilcoxon signed rank test ----------------------------------------------------------------

// The number of rows where both X and Y hold a value and the two differ: the rows the test ranks.
int WilcoxonNonZeroDifferences(const CORVELDoc& doc);
// From 20 non-zero differences on, the normal approximation is reported without an exact p.
inline constexpr int kWilcoxonLargeSample = 20;

struct WilcoxonStatistics {
  int n_all = 0;  // pairs used, zero differences included
  int n = 0;      // non-zero differences
  double t_plus = 0;
  double t_minus = 0;
  double t = 0;
  double z = 0;
  double p_normal = 0;
  double effect_size = 0;
  double p_prime = 0;   // the share of pairs of differences with a positive sum
  int sample_size = 0;  // pairs needed for power 0.8 at p 0.05
};
// Ranks the non-zero differences in `buffer` (which is reset first).
WilcoxonStatistics ComputeWilcoxon(CRankBuffer& buffer, const std::vector<double>& differences);
// The exact two-sided p of the small-sample report, at most 1 (not finite when it cannot be
// counted).
double WilcoxonExactPValue(const WilcoxonStatistics& s);
void WilcoxonReport(CORVELDoc& doc);

// ---- Kruskal-Wallis and Friedman rank sum tests -----------------------------------------------

// The number of values over all group columns.
int GroupValueTotal(const CORVELDoc& doc);

// The comparisons of mean ranks ticked in the test's dialog.
struct RankComparisons {
  bool tukey = false;
  bool scheffe = false;
};

// The mark of one pair: "**" when the statistic exceeds the 1% critical value and the overall
// test's p is below 0.01, else "*" when it exceeds the 5% value, else "-".
const char* RankComparisonMark(double statistic, double crit01, double crit05, double overall_p);
// Critical values of the Tukey-type comparisons: the studentized range with infinite df. Not
// finite for more than 30 groups, which the tables do not cover.
double RankTukeyCritical01(int groups);
double RankTukeyCritical05(int groups);

struct KruskalWallisStatistics {
  std::vector<int> columns;
  std::vector<int> counts;
  std::vector<double> rank_sums;
  int total = 0;
  double tie_cube_sum = 0;  // T(3)
  double tie_count = 0;     // T(1)
  double h = 0;
  double p = 0;
  bool equal_sizes = false;
};
// Ranks all values of the group columns together in the document's rank buffer.
KruskalWallisStatistics ComputeKruskalWallis(const CRowView& rows);
// The statistics compared for groups i and j (indices into `columns`).
double KruskalWallisTukeyStatistic(const KruskalWallisStatistics& s, std::size_t i, std::size_t j);
double KruskalWallisScheffeStatistic(const KruskalWallisStatistics& s, std::size_t i, std::size_t j);
void KruskalWallisReport(CORVELDoc& doc, RankComparisons comparisons);

struct FriedmanStatistics {
  std::vector<int> columns;
  std::vector<double> rank_totals;
  int rows = 0;
  double a2 = 0;  // sum of the squared within-row ranks
  double q = 0;
  double p = 0;
  double scale = 0;  // G: turns a squared difference of mean ranks into the Scheffe statistic
};
// Ranks the values of every row that holds a value in each group column (the document's rank
// buffer holds one row at a time).
FriedmanStatistics ComputeFriedman(const CRowView& rows);
// h for groups i and j; the Tukey-type comparison uses sqrt(2h).
double FriedmanPairStatistic(const FriedmanStatistics& s, std::size_t i, std::size_t j);
void FriedmanReport(CORVELDoc& doc, RankComparisons comparisons);

}  // namespace orvel
