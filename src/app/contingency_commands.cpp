// Contingency tables: Fisher's exact test of a 2 x 2 block and Pearson's chi-square test of
// any block of selected cells.
#include "analyses/contingency.h"
#include "app/orvel_view.h"
#include "numeric/distributions.h"

namespace orvel {

void CORVELView::OnFisherExactTest() {
  const CellBlock block = SelectedBlock(doc_);
  const int corner_columns[2] = {block.c1, block.c2};
  const int corner_rows[2] = {block.r1, block.r2};
  double corner_sum = 0;
  for (int c : corner_columns)
    for (int r : corner_rows)
      if (IsTableValue(doc_, c, r)) corner_sum += doc_.Value(c, r);
  if (corner_sum > kFisherMaxTotal) return Refuse(kFreeTitle, "The values are too large.");
  if (block.Rows() != 2 || block.Columns() != 2)
    return Refuse(kFreeTitle, "The contingency table must have two rows and two columns.");
  for (int c : corner_columns)
    for (int r : corner_rows)
      // Counts: numeric, whole and not negative (a negative count has no factorial).
      if (!IsTableValue(doc_, c, r) || !IsInteger(doc_.Value(c, r)) || doc_.Value(c, r) < 0)
        return Refuse(kFreeTitle, "The data are not correct.");
  if (!ResultOptionsStep()) return;
  PositionResultPane();
  FisherExactReport(doc_, block);
  FinishAnalysis(CommandId::kFisherExactTest);
}

void CORVELView::OnChiSquareTest() {
  const Selection& s = doc_.GetSelection();
  if (s.anchor_column == s.end_column || s.anchor_row == s.end_row)
    return Refuse(kFreeTitle, "Selected cells must contain more than two columns and rows.");
  const CellBlock block = SelectedBlock(doc_);
  for (int c = block.c1; c <= block.c2; ++c)
    for (int r = block.r1; r <= block.r2; ++r)
      if (!IsTableValue(doc_, c, r)) return Refuse(kFreeTitle, "There are some missing values in the selected cells.");
  // A negative count gives negative expected values and an effect size above 1: refused as
  // Fisher's test refuses it.
  if (HasNegativeCell(doc_, block)) return Refuse(kFreeTitle, "The data are not correct.");
  if (!doc_.IsContingencyTableNonZero(block.c1, block.r1, block.c2, block.r2))
    return Refuse(kFreeTitle, "At least a sum of the contingency table is zero. The data are not correct.");
  if (!ResultOptionsStep()) return;
  PositionResultPane();
  ChiSquareReport(doc_, block);
  FinishAnalysis(CommandId::kChiSquareTest);
}

}  // namespace orvel
