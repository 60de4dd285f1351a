#include "sheet/row_view.h"

#include <algorithm>
#include <cmath>

namespace orvel {

namespace {
const CDataColumn::Statistics kNoStatistics{};

bool IsColumn(int c) { return c >= 0 && c <= kLastColumn; }

std::vector<int> FlaggedColumns(const std::array<unsigned char, kColumnCount>& flags) {
  std::vector<int> list;
  for (int c = 1; c <= kLastColumn; ++c)
    if (flags[static_cast<std::size_t>(c)] != 0) list.push_back(c);
  return list;
}
}  // namespace

CRowView::CRowView(const CORVELDoc& doc) : doc_(&doc) {}

CRowView::CRowView(const CORVELDoc& doc, const std::vector<int>& columns) : doc_(&doc) {
  const int used = doc.UsedRowCount();
  for (int r = 1; r <= used; ++r) {
    bool any = false, all = true;
    for (int c : columns) {
      if (doc.IsNumeric(c, r)) any = true;
      else all = false;
    }
    if (any && !all) left_out_rows_.push_back(r);
  }
  if (left_out_rows_.empty()) return;
  left_out_.assign(static_cast<std::size_t>(left_out_rows_.back()) + 1, 0);
  for (int r : left_out_rows_) left_out_[static_cast<std::size_t>(r)] = 1;
  kept_.resize(kColumnCount);
}

CRowView CRowView::CompleteXY(const CORVELDoc& doc) { return CRowView(doc, {doc.TwoGroupX(), doc.TwoGroupY()}); }
CRowView CRowView::CompleteGroups(const CORVELDoc& doc) { return CRowView(doc, doc.GroupColumnList()); }
CRowView CRowView::CompletePca(const CORVELDoc& doc) { return CRowView(doc, FlaggedColumns(doc.Settings().PcaColumns)); }

CRowView CRowView::CompleteRegression(const CORVELDoc& doc) { return CRowView(doc, doc.RegressionColumns()); }

int CRowView::LastNonEmptyRow(int c) const {
  if (!IsColumn(c)) return -100;
  for (int r = UsedRowCount(); r >= 0; --r)
    if (HasText(c, r)) return r;
  return 0;
}

std::vector<double> CRowView::ColumnValues(int c) const {
  std::vector<double> values;
  ForEachNumeric(c, [&](int, double x) { values.push_back(x); });
  return values;
}

std::vector<int> CRowView::CompleteRows(const std::vector<int>& columns) const {
  std::vector<int> rows;
  if (columns.empty()) return rows;
  const int used = UsedRowCount();
  for (int r = 1; r <= used; ++r) {
    bool complete = true;
    for (int c : columns) complete = complete && IsNumeric(c, r);
    if (complete) rows.push_back(r);
  }
  return rows;
}

std::vector<double> CRowView::ValuesAt(int c, const std::vector<int>& rows) const {
  std::vector<double> values;
  values.reserve(rows.size());
  for (int r : rows) values.push_back(Value(c, r));
  return values;
}

// ---- Statistics ---------------------------------------------------------------------------------

const CDataColumn::Statistics& CRowView::Stats(int c) const {
  if (!IsColumn(c)) return kNoStatistics;
  const CDataColumn& column = doc_->Column(c);
  if (left_out_rows_.empty()) return column.Stats();
  Kept& kept = kept_[static_cast<std::size_t>(c)];
  if (!kept.stats_valid) {
    kept.stats = column.StatsLeavingOut(left_out_);
    kept.stats_valid = true;
  }
  return kept.stats;
}

CORVELDoc::MedianAndQuartiles CRowView::Quartiles(int c) const {
  if (!IsColumn(c)) return {-100.0, -100.0, -100.0};
  const CDataColumn& column = doc_->Column(c);
  if (left_out_rows_.empty()) return column.OrderStatistics();
  Kept& kept = kept_[static_cast<std::size_t>(c)];
  if (!kept.quartiles_valid) {
    kept.quartiles = column.OrderStatisticsLeavingOut(left_out_);
    kept.quartiles_valid = true;
  }
  return kept.quartiles;
}

// The spreads and moments over the kept statistics (the document's own answer through a view
// of every row).

double CRowView::SD(int c) const {
  const CDataColumn::Statistics& s = Stats(c);
  if (s.count == 0) return 0.0;
  return std::sqrt(s.squares / s.count);
}

double CRowView::SampleSD(int c) const {
  const CDataColumn::Statistics& s = Stats(c);
  if (s.count < 2) return 0.0;
  return std::sqrt(s.squares / (s.count - 1));
}

double CRowView::SE(int c) const { return SampleSD(c) / std::sqrt(static_cast<double>(Count(c))); }

// Σz³ and Σz⁴ with z = (x − Mean)/SampleSD, from the centred sums: Σd³/s³ and Σd⁴/s⁴.
double CRowView::Skewness(int c) const {
  const CDataColumn::Statistics& st = Stats(c);
  const double n = st.count, s = SampleSD(c);
  const double sum = st.count == 0 ? 0.0 : st.cubes / (s * s * s);
  return n / ((n - 1) * (n - 2)) * sum;
}

double CRowView::Kurtosis(int c) const {
  const CDataColumn::Statistics& st = Stats(c);
  const double n = st.count, s = SampleSD(c);
  const double sum = st.count == 0 ? 0.0 : st.fourths / (s * s * s * s);
  return n * (n + 1) / ((n - 1) * (n - 2) * (n - 3)) * sum - 3 * (n - 1) * (n - 1) / ((n - 2) * (n - 3));
}

double CRowView::Sxy(int c, int d) const {
  const int n = Count(c);
  if (n == 0) return -100.0;
  // CrossSum − Sum(c)·Sum(d)/n written with centred values: Σ(x − x̄)(y − ȳ) over c's rows,
  // plus x̄·(Σy over c's rows − Sum(d)), which is exactly 0 when the columns are paired.
  const double mean_c = Mean(c), mean_d = Mean(d);
  double centred = 0, sum_d_on_c = 0;
  ForEachNumeric(c, [&](int r, double x) {
    const double y = Value(d, r);
    centred += (x - mean_c) * (y - mean_d);
    sum_d_on_c += y;
  });
  return centred + mean_c * (sum_d_on_c - Sum(d));
}

double CRowView::Covariance(int c, int d) const {
  const double n = Count(c);
  if (n == 0) return -100.0;
  // (n·CrossSum − Sum(c)·Sum(d)) / (n(n − 1)) = Sxy / (n − 1).
  return Sxy(c, d) / (n - 1);
}

double CRowView::Correlation(int c, int d) const {
  const int n = Count(c);
  // Paired columns: the centred sums, which keep their digits whatever the offset.
  if (n != 0 && Count(d) == n) {
    const double mean_c = Mean(c), mean_d = Mean(d);
    int both = 0;
    double centred = 0;
    ForEachNumeric(c, [&](int r, double x) {
      if (!IsNumeric(d, r)) return;
      ++both;
      centred += (x - mean_c) * (Value(d, r) - mean_d);
    });
    if (both == n) return centred / std::sqrt(CentredSquares(c) * CentredSquares(d));
  }
  // Otherwise the raw sums over the rows where both are numeric and over each column.
  double cross = 0, squares_c = 0, squares_d = 0;
  ForEachNumeric(c, [&](int r, double x) {
    squares_c += x * x;
    if (IsNumeric(d, r)) cross += x * Value(d, r);
  });
  ForEachNumeric(d, [&](int, double y) { squares_d += y * y; });
  const double count = n, sc = Sum(c), sd = Sum(d);
  return (cross - sc * sd / count) / std::sqrt((squares_c - sc * sc / count) * (squares_d - sd * sd / count));
}

bool CRowView::HasNegative(int c) const {
  bool found = false;
  ForEachNumeric(std::clamp(c, 1, kLastColumn), [&](int, double x) { found = found || x < 0; });
  return found;
}

bool CRowView::HasZero(int c) const {
  bool found = false;
  ForEachNumeric(std::clamp(c, 1, kLastColumn), [&](int, double x) { found = found || std::fabs(x) < 1e-28; });
  return found;
}

}  // namespace orvel
