// Analyses of variance: one-way (factorial and repeated measures), two-way without replication
// on a selected block of cells, and two-way on the twoway grid (factorial by unweighted means,
// and repeated measures as a split plot). The multiple comparisons that the user ticks follow
// each table; the repeated-measures forms end with Hotelling's T-square tests.
//
// Each analysis is a Compute function (values in, a result struct out) and a Format function
// that writes the report lines; the Report functions read the document (through a view that
// leaves out the incomplete rows where the design needs complete ones) and append to its result
// text.
//
// An F-ratio without a finite value (a zero error variance, no error df) is printed, with its
// p-value, as "undefined"; the comparisons then mark every pair "-".
#pragma once

#include <string>
#include <vector>

#include "analyses/comparisons.h"
#include "analyses/hotelling.h"
#include "sheet/orvel_doc.h"
#include "sheet/row_view.h"

namespace orvel {

// One sheet column's numeric values in row order, with its number and row-0 name.
struct ColumnData {
  int column = 0;
  std::string label;
  std::vector<double> values;
};
// Read through the view: the rows it leaves out give no values.
std::vector<ColumnData> ReadColumns(const CRowView& rows, const std::vector<int>& columns);

// The p-value of an F-ratio, or NaN when F is not finite or a df is below 1.
double AnovaPValue(int df1, int df2, double f);

// ---- One-way ---------------------------------------------------------------------------------

struct OnewayOptions {
  OnewayDesign design = OnewayDesign::kFactorial;
  bool tukey = false;
  bool scheffe = false;
  bool bonferroni = false;
  bool dunnett = false;
  bool holm = false;
  std::size_t control = 0;  // index of Dunnett's control among the group columns
};

struct OnewayResult {
  OnewayDesign design = OnewayDesign::kFactorial;
  std::vector<GroupSummary> groups;
  int k = 0;
  int total_count = 0;  // N
  int rows = 0;         // n = N / k (repeated)
  double s = 0;         // total sum of squares (factorial)
  double sa = 0, sb = 0, se = 0;
  int df_a = 0, df_b = 0, df_e = 0;
  double va = 0, vb = 0, ve = 0;
  double fa = 0, fb = 0;
  double p = 0;
  double eta2 = 0;
};
// Factorial: the groups as they are. Repeated: the values must be aligned by row (complete rows).
OnewayResult ComputeOneway(OnewayDesign design, const std::vector<ColumnData>& groups);
// The table and the ticked comparisons (not the Hotelling test nor the data listing).
std::string FormatOneway(const std::vector<ColumnData>& groups, const OnewayResult& result,
                         const OnewayOptions& options);
// The whole report on the group columns; the repeated form leaves the incomplete rows out.
void OnewayAnovaReport(CORVELDoc& doc, const OnewayOptions& options);

// ---- Two-way without replication -------------------------------------------------------------

struct TwowayComparisons {
  bool tukey = false;
  bool scheffe = false;
  bool bonferroni = false;
  bool Any() const { return tukey || scheffe || bonferroni; }
};

// The selected block: values[r][c] for the block's rows and columns.
struct CellBlock {
  int first_column = 0, first_row = 0, last_column = 0, last_row = 0;
  std::vector<std::vector<double>> values;
};

struct BlockAnovaResult {
  int a = 0;  // rows
  int b = 0;  // columns
  double s = 0, sa = 0, sb = 0, se = 0;
  int df_a = 0, df_b = 0, df_e = 0;
  double va = 0, vb = 0, ve = 0;
  double fa = 0, fb = 0;
  double pa = 0, pb = 0;
  BlockMeans means;
};
BlockAnovaResult ComputeBlockAnova(const CellBlock& block);
std::string FormatBlockAnova(const CellBlock& block, const BlockAnovaResult& result, TwowayComparisons comparisons);
// The whole report on the document's selection (which the handler has checked).
void TwowayWithoutReplicationReport(CORVELDoc& doc, TwowayComparisons comparisons);

// ---- Two-way on the grid ---------------------------------------------------------------------

// cells[(j - 1) a + (i - 1)] holds A level i, B level j.
struct TwowayGridData {
  int a = 0;
  int b = 0;
  std::vector<ColumnData> cells;
  const ColumnData& Cell(int i, int j) const { return cells[static_cast<std::size_t>((j - 1) * a + (i - 1))]; }
};
TwowayGridData ReadTwowayGrid(const CORVELDoc& doc);

struct TwowayFactorialResult {
  TwowayCells summary;
  int total_count = 0;
  double harmonic_size = 0;
  double sa = 0, sb = 0, sab = 0, se = 0;
  int df_a = 0, df_b = 0, df_ab = 0, df_e = 0;
  double va = 0, vb = 0, vab = 0, ve = 0;
  double fa = 0, fb = 0, fab = 0;
  double pa = 0, pb = 0, pab = 0;
  bool pooled = false;  // interaction p >= 0.05: its SS joins the error
  int pooled_df = 0;
  double pooled_ve = 0;
};
TwowayFactorialResult ComputeTwowayFactorial(const TwowayGridData& grid);
// The pooling rule: an interaction p of 0.05 or more joins the interaction to the error (an
// undefined p does not).
bool InteractionIsPooled(double p);
std::string FormatTwowayFactorial(const TwowayGridData& grid, const TwowayFactorialResult& result,
                                  TwowayComparisons comparisons);

struct TwowayRepeatedResult {
  int total_subjects = 0;  // N = sum of n_i
  double sa = 0, se1 = 0, sb = 0, sab = 0, se2 = 0;
  int df_a = 0, df_e1 = 0, df_b = 0, df_ab = 0, df_e2 = 0;
  double va = 0, ve1 = 0, vb = 0, vab = 0, ve2 = 0;
  double fa = 0, fe1 = 0, fb = 0, fab = 0;
  double pa = 0, pb = 0, pab = 0;
};
// Every A level's columns must be aligned by row (the handler checks that they are paired).
TwowayRepeatedResult ComputeTwowayRepeated(const TwowayGridData& grid);
std::string FormatTwowayRepeated(const TwowayGridData& grid, const TwowayRepeatedResult& result);

// The whole report on the twoway grid (the handler has checked the grid and, for the repeated
// form, its balance).
void TwowayAnovaReport(CORVELDoc& doc, bool repeated, TwowayComparisons comparisons);

}  // namespace orvel
