// Contingency tables: Pearson's chi-square test of a block of selected cells (any R x C, with
// Yates' continuity correction and phi for 2 x 2, Cramer's V otherwise) and Fisher's exact
// test of a 2 x 2 block with two-sided and one-sided p-values.
//
// The view's handlers check the selection first (shape, numeric cells, totals); the report
// functions here assume a block that passed those checks.
#pragma once

#include <vector>

#include "sheet/orvel_doc.h"

namespace orvel {

// A block of cells: columns c1..c2, rows r1..r2 with c1 <= c2 and r1 <= r2.
struct CellBlock {
  int c1 = 1, r1 = 1, c2 = 1, r2 = 1;
  int Rows() const { return r2 - r1 + 1; }
  int Columns() const { return c2 - c1 + 1; }
};
// The selection's block (left/right columns, top/bottom rows).
CellBlock SelectedBlock(const CORVELDoc& doc);
// A cell that holds a number of the sheet's data: row and column 1 or more, and numeric. Column
// names (row 0) and labels (column 0) never count as table values.
bool IsTableValue(const CORVELDoc& doc, int c, int r);
// True when a numeric cell of the block is below 0 (no count can be).
bool HasNegativeCell(const CORVELDoc& doc, const CellBlock& block);

// ---- Pearson's chi-square ----------------------------------------------------------------------

struct ChiSquareResult {
  int df = 0;
  bool two_by_two = false;
  // R x C: the statistic; 2 x 2: the statistic with Yates' continuity correction.
  double statistic = 0;
  double p = 0;
  // 2 x 2 only: without the correction.
  double uncorrected_statistic = 0;
  double uncorrected_p = 0;
  // phi (2 x 2, from the corrected statistic) or Cramer's V.
  double effect_size = 0;
};
// table[i][j]: row i, column j; at least 2 x 2, every row and column total non-zero.
ChiSquareResult ComputeChiSquare(const std::vector<std::vector<double>>& table);
void ChiSquareReport(CORVELDoc& doc, const CellBlock& block);

// ---- Fisher's exact test -----------------------------------------------------------------------

// A 2 x 2 table (a b / c d).
struct FisherTable {
  int a = 0, b = 0, c = 0, d = 0;
  bool operator==(const FisherTable&) const = default;
};
// Every table with the margins of (a b / c d), enumerated by the new value i = 0, 1, ... of the
// smallest cell (a, b, c, d preferred in that order among equal cells). Cells non-negative,
// total at most kFisherMaxTotal.
std::vector<FisherTable> FisherEnumeration(const FisherTable& observed);
struct FisherResult {
  double observed_probability = 0;
  double two_sided_p = 0;
  double one_sided_p = 0;
};
FisherResult ComputeFisherExact(const FisherTable& observed);
void FisherExactReport(CORVELDoc& doc, const CellBlock& block);

}  // namespace orvel
