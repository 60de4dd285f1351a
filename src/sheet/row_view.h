// A read-only view of the data sheet that leaves out some rows: the rows where some but not all
// of a set of columns hold numbers, which a procedure on paired data must not use. Everything a
// procedure reads (cells, counts, sums, means, centred sums, extremes, quartiles, covariances,
// the rows it uses) is answered over the rows the view keeps, so running a procedure never
// changes the document.
//
// A view that leaves no row out answers from each column's kept statistics, exactly as the
// document does. A view that leaves rows out computes a column's statistics once, with the
// column's own routines, and keeps them for its lifetime. The view holds a reference to the
// document: it must not outlive it, and the cells must not change while it is used.
#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "sheet/data_column.h"
#include "sheet/orvel_doc.h"

namespace orvel {

class CRowView {
 public:
  // Every row of the document. Implicit, so that a procedure taking a view reads a whole
  // document as it is.
  CRowView(const CORVELDoc& doc);  // NOLINT(google-explicit-constructor)
  // Leaves out the rows 1 .. UsedRowCount where some but not all of `columns` are numeric.
  CRowView(const CORVELDoc& doc, const std::vector<int>& columns);

  // The pairing rules of the procedures: X and Y of the two-group setting, the group columns,
  // the principal component columns and the regression columns (Y and the X columns).
  static CRowView CompleteXY(const CORVELDoc& doc);
  static CRowView CompleteGroups(const CORVELDoc& doc);
  static CRowView CompletePca(const CORVELDoc& doc);
  static CRowView CompleteRegression(const CORVELDoc& doc);

  const CORVELDoc& Doc() const { return *doc_; }
  // The rows left out, in ascending order.
  const std::vector<int>& LeftOutRows() const { return left_out_rows_; }
  bool IsRowLeftOut(int r) const {
    return r >= 0 && static_cast<std::size_t>(r) < left_out_.size() && left_out_[static_cast<std::size_t>(r)] != 0;
  }

  // ---- Cells -----------------------------------------------------------------------------
  // Texts and values read as the document holds them, also in rows left out (a data listing
  // shows them); whether a cell counts is told by IsNumeric and HasText.
  std::string_view Text(int c, int r) const { return doc_->Text(c, r); }
  double Value(int c, int r) const { return doc_->Value(c, r); }
  bool IsNumeric(int c, int r) const { return !IsRowLeftOut(r) && doc_->IsNumeric(c, r); }
  bool HasText(int c, int r) const { return !IsRowLeftOut(r) && doc_->HasText(c, r); }
  int UsedRowCount() const { return doc_->UsedRowCount(); }
  // Highest kept row 0..UsedRowCount whose cell has text (0 if none); -100 for a bad column.
  int LastNonEmptyRow(int c) const;

  // Calls fn(row, value) for every numeric cell of column c in a kept row, top to bottom.
  template <typename Fn>
  void ForEachNumeric(int c, Fn&& fn) const {
    if (c < 0 || c > kLastColumn) return;
    const CDataColumn& column = doc_->Column(c);
    if (left_out_rows_.empty()) {
      column.ForEachNumeric(fn);
      return;
    }
    column.ForEachNumeric([&](int r, double x) {
      if (!IsRowLeftOut(r)) fn(r, x);
    });
  }
  // Column c's numeric values in row order.
  std::vector<double> ColumnValues(int c) const;
  // The kept rows where every one of `columns` is numeric (none for an empty list).
  std::vector<int> CompleteRows(const std::vector<int>& columns) const;
  // Column c's values on the given rows.
  std::vector<double> ValuesAt(int c, const std::vector<int>& rows) const;

  // ---- Column statistics over the kept numeric cells, as the document defines them --------
  int Count(int c) const { return Stats(c).count; }
  double Sum(int c) const { return Stats(c).sum; }
  double Mean(int c) const { return Stats(c).mean; }
  double CentredSquares(int c) const { return Stats(c).squares; }
  double SD(int c) const;
  double SampleSD(int c) const;
  double SE(int c) const;
  double Min(int c) const { return Stats(c).min; }
  double Max(int c) const { return Stats(c).max; }
  int MinRow(int c) const { return Stats(c).min_row; }
  int MaxRow(int c) const { return Stats(c).max_row; }
  CORVELDoc::MedianAndQuartiles Quartiles(int c) const;
  double Median(int c) const { return Quartiles(c).median; }
  double Skewness(int c) const;
  double Kurtosis(int c) const;
  // Σ(x − x̄)(y − ȳ) over c's rows, as the document's Sxy; -100 when c has no values.
  double Sxy(int c, int d) const;
  double Covariance(int c, int d) const;
  // Pearson's r of two columns, as the document's Correlation.
  double Correlation(int c, int d) const;
  bool HasNegative(int c) const;
  bool HasZero(int c) const;

  // ---- Settings, as the document holds them ------------------------------------------------
  int TwoGroupX() const { return doc_->TwoGroupX(); }
  int TwoGroupY() const { return doc_->TwoGroupY(); }
  std::vector<int> GroupColumnList() const { return doc_->GroupColumnList(); }
  bool IncludeDataInResult() const { return doc_->IncludeDataInResult(); }
  // Scratch space for ranking (it holds no document state).
  CRankBuffer& RankBuffer() const { return doc_->RankBuffer(); }

 private:
  const CDataColumn::Statistics& Stats(int c) const;

  const CORVELDoc* doc_;
  std::vector<unsigned char> left_out_;  // by row; empty when no row is left out
  std::vector<int> left_out_rows_;
  // Statistics of the kept rows, computed on first use (only when rows are left out).
  struct Kept {
    bool stats_valid = false, quartiles_valid = false;
    CDataColumn::Statistics stats;
    CDataColumn::Quartiles quartiles{};
  };
  mutable std::vector<Kept> kept_;
};

}  // namespace orvel
