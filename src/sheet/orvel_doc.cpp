#include "sheet/orvel_doc.h"

#include "sheet/row_view.h"

#include <algorithm>
#include <cmath>

namespace orvel {

namespace {
constexpr int kMaxRowCount = 20001;
bool IsColumn(int c) { return c >= 0 && c <= kLastColumn; }
int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }
}  // namespace

CORVELDoc::CORVELDoc(int row_count) : row_count_(Clamp(row_count, 2, kMaxRowCount)) {
  columns_.resize(kColumnCount);
  for (CDataColumn& col : columns_) col.Create(row_count_);
  spare_.Create(row_count_);
  columns_[0].SetKind(CDataColumn::kLabelKind);
  column_widths_.fill(kDefaultColumnWidth);
  ResetRegressionSettings();
}

void CORVELDoc::NewDocument() {
  column_widths_.fill(kDefaultColumnWidth);
  for (CDataColumn& col : columns_) col.Clear();
  columns_[0].SetKind(CDataColumn::kLabelKind);
  spare_.Clear();
  Scroll.sheet_x = Scroll.sheet_y = 0;
  Scroll.result_x = Scroll.result_y = 0;
  CellEditStarted = 0;
  ResultText.clear();
  ClearDataSettings();
  modified_ = false;
  path_name_.clear();
}

void CORVELDoc::ClearDataSettings() {
  selection_ = Selection{};
  settings_.TwoGroupX = 1;
  settings_.TwoGroupY = 2;
  ClearTwowaySettings();
  settings_.GroupColumns.fill(0);
  settings_.PcaColumns.fill(0);
  ResetRegressionSettings();
  settings_.DiscriminantGroup1.fill(0);
  settings_.DiscriminantGroup2.fill(0);
  SortColumns.fill(0);
  settings_.IncludeDataInResult = 0;
}

// ---- Sheet ----------------------------------------------------------------------------------

CDataColumn& CORVELDoc::Column(int c) { return columns_[static_cast<std::size_t>(Clamp(c, 0, kLastColumn))]; }
const CDataColumn& CORVELDoc::Column(int c) const {
  return columns_[static_cast<std::size_t>(Clamp(c, 0, kLastColumn))];
}

std::string_view CORVELDoc::Text(int c, int r) const { return IsColumn(c) ? Column(c).Text(r) : std::string_view(); }
double CORVELDoc::Value(int c, int r) const { return IsColumn(c) ? Column(c).Value(r) : -100.0; }
int CORVELDoc::TextLength(int c, int r) const { return IsColumn(c) ? Column(c).TextLength(r) : 0; }
bool CORVELDoc::IsNumeric(int c, int r) const { return IsColumn(c) && Column(c).IsNumeric(r); }
bool CORVELDoc::HasText(int c, int r) const { return IsColumn(c) && Column(c).HasText(r); }

void CORVELDoc::SetCell(int c, int r, std::string_view text) {
  if (!IsColumn(c)) return;
  CDataColumn& col = Column(c);
  col.ClearCell(r);
  col.SetText(r, text);
  col.Reparse(r);
}

void CORVELDoc::ClearCell(int c, int r) {
  if (IsColumn(c)) Column(c).ClearCell(r);
}
void CORVELDoc::TypeChar(int c, int r, char32_t ch) {
  if (IsColumn(c)) Column(c).TypeChar(r, ch);
}
void CORVELDoc::Backspace(int c, int r) {
  if (IsColumn(c)) Column(c).Backspace(r);
}

int CORVELDoc::UsedRowCount() const {
  int used = 0;
  for (const CDataColumn& col : columns_) used = std::max(used, col.LastUsedRow());
  return used;
}

int CORVELDoc::LastNonEmptyRow(int c) const { return CRowView(*this).LastNonEmptyRow(c); }

int CORVELDoc::NthEmptyRow(int c, int k) const {
  if (!IsColumn(c) || k < 1) return -100;
  int seen = 0;
  for (int r = 1; r < row_count_; ++r)
    if (!Column(c).HasText(r) && ++seen == k) return r;
  return -100;
}

int CORVELDoc::LastRowWithText(int c1, int r1, int c2, int r2) const {
  const int left = Clamp(std::min(c1, c2), 0, kLastColumn), right = Clamp(std::max(c1, c2), 0, kLastColumn);
  const int top = std::max(std::min(r1, r2), 0), bottom = std::min(std::max(r1, r2), row_count_ - 1);
  for (int r = bottom; r >= top; --r)
    for (int c = left; c <= right; ++c)
      if (Column(c).HasText(r)) return r;
  return top;
}

int CORVELDoc::RightmostColumnWithText(int c1, int r1, int c2, int r2) const {
  const int left = Clamp(std::min(c1, c2), 0, kLastColumn), right = Clamp(std::max(c1, c2), 0, kLastColumn);
  const int top = std::max(std::min(r1, r2), 0), bottom = std::min(std::max(r1, r2), row_count_ - 1);
  for (int c = right; c >= left; --c)
    for (int r = top; r <= bottom; ++r)
      if (Column(c).HasText(r)) return c;
  return left;
}

int CORVELDoc::RightmostColumnWithText() const {
  return RightmostColumnWithText(0, 0, kLastColumn, UsedRowCount());
}

int CORVELDoc::ResultLineCount() const {
  return static_cast<int>(ResultText.LineCount());
}

// ---- Column statistics ---------------------------------------------------------------------

template <typename Fn>
void CORVELDoc::ForEachNumeric(int c, Fn&& fn) const {
  if (IsColumn(c)) Column(c).ForEachNumeric(fn);
}

namespace {
const CDataColumn::Statistics kNoStatistics{};

// x^k by multiplication for the small whole powers the procedures use (more accurate and much
// faster than pow); pow for anything else.
double Power(double x, double k) {
  if (k == 1) return x;
  if (k == 2) return x * x;
  if (k == 3) return x * x * x;
  if (k == 4) {
    const double x2 = x * x;
    return x2 * x2;
  }
  return std::pow(x, k);
}
}  // namespace

const CDataColumn::Statistics& CORVELDoc::Stats(int c) const {
  return IsColumn(c) ? Column(c).Stats() : kNoStatistics;
}

int CORVELDoc::Count(int c) const { return Stats(c).count; }

double CORVELDoc::Sum(int c) const { return Stats(c).sum; }

double CORVELDoc::PowerSum(int c, double k) const {
  if (k == 1) return Sum(c);
  double s = 0;
  ForEachNumeric(c, [&](int, double x) { s += Power(x, k); });
  return s;
}

double CORVELDoc::Mean(int c) const { return Stats(c).mean; }

double CORVELDoc::CentredSquares(int c) const { return Stats(c).squares; }

// The spreads, moments and cross sums are the row view's over every row, so that one formula
// serves both.
double CORVELDoc::SD(int c) const { return CRowView(*this).SD(c); }
double CORVELDoc::SampleSD(int c) const { return CRowView(*this).SampleSD(c); }
double CORVELDoc::SE(int c) const { return CRowView(*this).SE(c); }

double CORVELDoc::Min(int c) const { return Stats(c).min; }
double CORVELDoc::Max(int c) const { return Stats(c).max; }
int CORVELDoc::MinRow(int c) const { return Stats(c).min_row; }
int CORVELDoc::MaxRow(int c) const { return Stats(c).max_row; }

void CORVELDoc::LoadSortedColumn(int c) const {
  rank_buffer_.Reset();
  ForEachNumeric(c, [&](int, double x) { rank_buffer_.Add(x); });
  rank_buffer_.SortAscending();
}

CORVELDoc::MedianAndQuartiles CORVELDoc::Quartiles(int c) const {
  if (IsColumn(c)) return Column(c).OrderStatistics();
  // No values: every position reads as -100.
  return {-100.0, -100.0, -100.0};
}

double CORVELDoc::Median(int c) const { return Quartiles(c).median; }
double CORVELDoc::LowerQuartile(int c) const { return Quartiles(c).lower; }
double CORVELDoc::UpperQuartile(int c) const { return Quartiles(c).upper; }

double CORVELDoc::Skewness(int c) const { return CRowView(*this).Skewness(c); }
double CORVELDoc::Kurtosis(int c) const { return CRowView(*this).Kurtosis(c); }

double CORVELDoc::CrossSum(int c, int d) const {
  double s = 0;
  ForEachNumeric(c, [&](int r, double x) { s += x * Value(d, r); });
  return s;
}

double CORVELDoc::Sxy(int c, int d) const { return CRowView(*this).Sxy(c, d); }
double CORVELDoc::Covariance(int c, int d) const { return CRowView(*this).Covariance(c, d); }

double CORVELDoc::PooledSxy(int c, int d, int e, int f) const {
  const int nc = Count(c), nd = Count(d);
  if (nc == 0 || nd == 0) return -100.0;
  return (Sxy(c, e) + Sxy(d, f)) / (nc + nd - 2);
}

double CORVELDoc::RegressionSxy(int c) const { return Sxy(settings_.RegressionY, c); }

int CORVELDoc::CellCount(int c1, int r1, int c2, int r2) const {
  int n = 0;
  for (int c = std::max(std::min(c1, c2), 0); c <= std::min(std::max(c1, c2), kLastColumn); ++c)
    for (int r = std::max(std::min(r1, r2), 0); r <= std::min(std::max(r1, r2), row_count_ - 1); ++r)
      if (Column(c).IsNumeric(r)) ++n;
  return n;
}

double CORVELDoc::CellPowerSum(int c1, int r1, int c2, int r2, double k) const {
  double s = 0;
  for (int c = std::max(std::min(c1, c2), 0); c <= std::min(std::max(c1, c2), kLastColumn); ++c)
    for (int r = std::max(std::min(r1, r2), 0); r <= std::min(std::max(r1, r2), row_count_ - 1); ++r)
      if (Column(c).IsNumeric(r)) s += Power(Column(c).Value(r), k);
  return s;
}

double CORVELDoc::CellSum(int c1, int r1, int c2, int r2) const { return CellPowerSum(c1, r1, c2, r2, 1); }

bool CORVELDoc::IsBinary(int c) const {
  bool binary = true;
  ForEachNumeric(c, [&](int r, double) {
    const std::string_view t = Text(c, r);
    if (t != "0" && t != "1") binary = false;
  });
  return binary;
}

bool CORVELDoc::HasNegative(int c) const { return CRowView(*this).HasNegative(c); }
bool CORVELDoc::HasZero(int c) const { return CRowView(*this).HasZero(c); }

double CORVELDoc::TwowayGridValue(int a, int b, int k) const {
  const int column = TwowayGridCell(a, b);
  int seen = 0;
  double value = 0;
  bool found = false;
  ForEachNumeric(column, [&](int, double x) {
    if (!found && ++seen == k) {
      value = x;
      found = true;
    }
  });
  return value;
}

double CORVELDoc::CrossSumXY() const {
  const int x = settings_.TwoGroupX, y = settings_.TwoGroupY;
  double s = 0;
  ForEachNumeric(x, [&](int r, double v) {
    if (IsNumeric(y, r)) s += v * Value(y, r);
  });
  return s;
}

bool CORVELDoc::CentredCrossSum(int x, int y, double& sum) const {
  const int n = Count(x);
  if (n == 0 || Count(y) != n) return false;
  const double mean_x = Mean(x), mean_y = Mean(y);
  int both = 0;
  double s = 0;
  ForEachNumeric(x, [&](int r, double v) {
    if (!IsNumeric(y, r)) return;
    ++both;
    s += (v - mean_x) * (Value(y, r) - mean_y);
  });
  if (both != n) return false;
  sum = s;
  return true;
}

double CORVELDoc::CorrelationXY() const {
  const int x = settings_.TwoGroupX, y = settings_.TwoGroupY;
  double centred = 0;
  // Paired columns: the centred sums, which keep their digits whatever the offset.
  if (CentredCrossSum(x, y, centred)) return centred / std::sqrt(CentredSquares(x) * CentredSquares(y));
  const double n = Count(x), sx = Sum(x), sy = Sum(y);
  return (CrossSumXY() - sx * sy / n) /
         std::sqrt((PowerSum(x, 2) - sx * sx / n) * (PowerSum(y, 2) - sy * sy / n));
}

double CORVELDoc::Correlation(int c, int d) const { return CRowView(*this).Correlation(c, d); }

double CORVELDoc::SlopeXY() const {
  const int x = settings_.TwoGroupX, y = settings_.TwoGroupY;
  double centred = 0;
  if (CentredCrossSum(x, y, centred)) return centred / CentredSquares(x);
  const double n = Count(x), sx = Sum(x), sy = Sum(y);
  return (CrossSumXY() - sx * sy / n) / CentredSquares(x);
}

double CORVELDoc::InterceptXY() const {
  return Mean(settings_.TwoGroupY) - SlopeXY() * Mean(settings_.TwoGroupX);
}

int CORVELDoc::TwowayALevels() const {
  int levels = 0;
  for (int a = 1; a <= kTwowayALevels; ++a)
    if (settings_.TwowayGrid[static_cast<std::size_t>(a)][1] != 0) levels = a;
  return levels;
}

int CORVELDoc::TwowayBLevels() const {
  int levels = 0;
  for (int b = 1; b <= kTwowayBLevels; ++b)
    if (settings_.TwowayGrid[1][static_cast<std::size_t>(b)] != 0) levels = b;
  return levels;
}

// ---- Pairing checks --------------------------------------------------------------------------

bool CORVELDoc::IsRowPartial(const std::vector<int>& columns, int r) const {
  bool any = false, all = true;
  for (int c : columns) {
    if (IsNumeric(c, r)) any = true;
    else all = false;
  }
  return any && !all;
}

bool CORVELDoc::AreListedColumnsPaired(const std::vector<int>& columns, std::size_t minimum) const {
  if (columns.size() < minimum) return false;
  const int used = UsedRowCount();
  for (int r = 1; r <= used; ++r)
    if (IsRowPartial(columns, r)) return false;
  return true;
}

std::vector<int> CORVELDoc::FlaggedColumns(const std::array<unsigned char, kColumnCount>& flags) const {
  std::vector<int> list;
  for (int c = 1; c <= kLastColumn; ++c)
    if (flags[static_cast<std::size_t>(c)] != 0) list.push_back(c);
  return list;
}

std::vector<int> CORVELDoc::RegressionColumns() const {
  std::vector<int> list;
  const int y = settings_.RegressionY;
  if (y >= 1 && y <= kLastColumn) list.push_back(y);
  for (int c : FlaggedColumns(settings_.RegressionX))
    if (c != y) list.push_back(c);
  return list;
}

bool CORVELDoc::AreColumnsPaired(int c, int d) const {
  return AreListedColumnsPaired({c, d}, 2) && Count(c) > 1;
}

bool CORVELDoc::IsXYPaired() const { return AreColumnsPaired(settings_.TwoGroupX, settings_.TwoGroupY); }

bool CORVELDoc::AreGroupColumnsPaired() const {
  return AreListedColumnsPaired(FlaggedColumns(settings_.GroupColumns), 3);
}

bool CORVELDoc::ArePcaColumnsPaired() const {
  return AreListedColumnsPaired(FlaggedColumns(settings_.PcaColumns), 2);
}

bool CORVELDoc::AreRegressionColumnsPaired() const {
  return AreListedColumnsPaired(RegressionColumns(), 2);
}

bool CORVELDoc::AreRCodeColumnsPaired() const {
  return AreListedColumnsPaired(FlaggedColumns(settings_.RCodeColumns), 0);
}

bool CORVELDoc::IsTwowayGridValid() const {
  if (TwowayGridCell(1, 1) == 0) return false;
  const int a_levels = TwowayALevels(), b_levels = TwowayBLevels();
  if (a_levels < 2 || b_levels < 2) return false;
  for (int a = 1; a <= kTwowayALevels; ++a)
    for (int b = 1; b <= kTwowayBLevels; ++b) {
      const int column = TwowayGridCell(a, b);
      const bool inside = a <= a_levels && b <= b_levels;
      if (inside != (column != 0)) return false;
      if (column != 0 && Count(column) <= 1) return false;
    }
  return true;
}

bool CORVELDoc::IsTwowayDataBalanced() const {
  if (!IsTwowayGridValid()) return false;
  for (int a = 1; a <= TwowayALevels(); ++a)
    for (int b = 2; b <= TwowayBLevels(); ++b)
      if (!AreColumnsPaired(TwowayGridCell(a, 1), TwowayGridCell(a, b))) return false;
  return true;
}

bool CORVELDoc::IsDiscriminantDataValid() const {
  int counts[2] = {0, 0};
  for (int g = 0; g < 2; ++g) {
    const auto& slots = g == 0 ? settings_.DiscriminantGroup1 : settings_.DiscriminantGroup2;
    int k = 0;
    while (k < kDiscriminantSlots && slots[static_cast<std::size_t>(k + 1)] != 0) ++k;
    for (int s = k + 1; s <= kDiscriminantSlots; ++s)
      if (slots[static_cast<std::size_t>(s)] != 0) return false;  // a gap
    if (k < 2) return false;
    const int first = slots[1];
    const int first_count = Count(first);
    const int used = UsedRowCount();
    for (int s = 2; s <= k; ++s) {
      const int column = slots[static_cast<std::size_t>(s)];
      if (Count(column) != first_count) return false;
      for (int r = 1; r <= used; ++r)
        if (IsNumeric(first, r) && !IsNumeric(column, r)) return false;
    }
    counts[g] = k;
  }
  return counts[0] == counts[1];
}

bool CORVELDoc::IsRegressionVariableCountValid() const {
  const auto n = FlaggedColumns(settings_.RegressionX).size();
  return n >= 1 && n <= 16;
}

bool CORVELDoc::IsContingencyTableNonZero(int c1, int r1, int c2, int r2) const {
  const int left = std::min(c1, c2), right = std::max(c1, c2);
  const int top = std::min(r1, r2), bottom = std::max(r1, r2);
  for (int r = top; r <= bottom; ++r)
    if (std::fabs(CellSum(left, r, right, r)) < 1e-28) return false;
  for (int c = left; c <= right; ++c)
    if (std::fabs(CellSum(c, top, c, bottom)) < 1e-28) return false;
  return true;
}

// ---- Selection -------------------------------------------------------------------------------

void CORVELDoc::SetAnchor(int row, int column) {
  selection_.anchor_row = Clamp(row, 0, row_count_ - 1);
  selection_.anchor_column = Clamp(column, 0, kLastColumn);
}

void CORVELDoc::SetEnd(int row, int column) {
  selection_.end_row = Clamp(row, 0, row_count_ - 1);
  selection_.end_column = Clamp(column, 0, kLastColumn);
}

void CORVELDoc::SetSelection(int anchor_row, int anchor_column, int end_row, int end_column) {
  SetAnchor(anchor_row, anchor_column);
  SetEnd(end_row, end_column);
}

// ---- Data settings ---------------------------------------------------------------------------

int CORVELDoc::ClampFlagIndex(int c) { return Clamp(c, 1, kLastColumn); }

void CORVELDoc::SetTwoGroupX(int c) { settings_.TwoGroupX = Clamp(c, 0, kLastColumn); }
void CORVELDoc::SetTwoGroupY(int c) { settings_.TwoGroupY = Clamp(c, 0, kLastColumn); }

void CORVELDoc::SetGroupColumn(int c, bool on) { settings_.GroupColumns[static_cast<std::size_t>(ClampFlagIndex(c))] = on; }
bool CORVELDoc::GroupColumn(int c) const { return settings_.GroupColumns[static_cast<std::size_t>(ClampFlagIndex(c))] != 0; }
int CORVELDoc::GroupColumnCount() const { return static_cast<int>(FlaggedColumns(settings_.GroupColumns).size()); }
std::vector<int> CORVELDoc::GroupColumnList() const { return FlaggedColumns(settings_.GroupColumns); }

void CORVELDoc::SetPcaColumn(int c, bool on) { settings_.PcaColumns[static_cast<std::size_t>(ClampFlagIndex(c))] = on; }
bool CORVELDoc::PcaColumn(int c) const { return settings_.PcaColumns[static_cast<std::size_t>(ClampFlagIndex(c))] != 0; }
void CORVELDoc::SetRegressionXColumn(int c, bool on) { settings_.RegressionX[static_cast<std::size_t>(ClampFlagIndex(c))] = on; }
bool CORVELDoc::RegressionXColumn(int c) const { return settings_.RegressionX[static_cast<std::size_t>(ClampFlagIndex(c))] != 0; }
void CORVELDoc::SetStepwiseChosen(int c, bool on) { settings_.StepwiseChosen[static_cast<std::size_t>(ClampFlagIndex(c))] = on; }
bool CORVELDoc::StepwiseChosen(int c) const { return settings_.StepwiseChosen[static_cast<std::size_t>(ClampFlagIndex(c))] != 0; }
void CORVELDoc::SetRCodeColumn(int c, bool on) { settings_.RCodeColumns[static_cast<std::size_t>(Clamp(c, 0, kLastColumn))] = on; }
bool CORVELDoc::RCodeColumn(int c) const { return settings_.RCodeColumns[static_cast<std::size_t>(Clamp(c, 0, kLastColumn))] != 0; }

void CORVELDoc::SetRegressionY(int c) { settings_.RegressionY = (c >= 1 && c <= kLastColumn) ? c : 0; }
void CORVELDoc::SetRegressionMethod(int method) { settings_.RegressionMethod = (method >= 0 && method <= 2) ? method : 2; }

void CORVELDoc::SetDiscriminantSlot(int group, int slot, int column) {
  auto& slots = group == 2 ? settings_.DiscriminantGroup2 : settings_.DiscriminantGroup1;
  slots[static_cast<std::size_t>(Clamp(slot, 1, kDiscriminantSlots))] = column;
}

int CORVELDoc::DiscriminantSlot(int group, int slot) const {
  const auto& slots = group == 2 ? settings_.DiscriminantGroup2 : settings_.DiscriminantGroup1;
  return slots[static_cast<std::size_t>(Clamp(slot, 1, kDiscriminantSlots))];
}

void CORVELDoc::SetTwowayGridCell(int a, int b, int column) {
  settings_.TwowayGrid[static_cast<std::size_t>(Clamp(a, 1, kTwowayALevels))]
                      [static_cast<std::size_t>(Clamp(b, 1, kTwowayBLevels))] = column;
}

int CORVELDoc::TwowayGridCell(int a, int b) const {
  return settings_.TwowayGrid[static_cast<std::size_t>(Clamp(a, 1, kTwowayALevels))]
                             [static_cast<std::size_t>(Clamp(b, 1, kTwowayBLevels))];
}

void CORVELDoc::SetTwowayLabelA(int a, std::string_view label) {
  settings_.TwowayLabelsA[static_cast<std::size_t>(Clamp(a, 1, kTwowayALevels))] = std::string(label);
}
void CORVELDoc::SetTwowayLabelB(int b, std::string_view label) {
  settings_.TwowayLabelsB[static_cast<std::size_t>(Clamp(b, 1, kTwowayBLevels))] = std::string(label);
}
const std::string& CORVELDoc::TwowayLabelA(int a) const {
  return settings_.TwowayLabelsA[static_cast<std::size_t>(Clamp(a, 1, kTwowayALevels))];
}
const std::string& CORVELDoc::TwowayLabelB(int b) const {
  return settings_.TwowayLabelsB[static_cast<std::size_t>(Clamp(b, 1, kTwowayBLevels))];
}

void CORVELDoc::ClearTwowaySettings() {
  for (auto& row : settings_.TwowayGrid) row.fill(0);
  for (auto& label : settings_.TwowayLabelsA) label.clear();
  for (auto& label : settings_.TwowayLabelsB) label.clear();
}

void CORVELDoc::ResetRegressionSettings() {
  settings_.RegressionY = 1;
  settings_.RegressionX.fill(0);
  settings_.RegressionMethod = 2;
  settings_.FIn = settings_.FOut = 2.0;
  settings_.PIn = settings_.POut = 0.2;
}

int CORVELDoc::ColumnWidth(int c) const { return column_widths_[static_cast<std::size_t>(Clamp(c, 0, kLastColumn))]; }
void CORVELDoc::SetColumnWidth(int c, int width) {
  column_widths_[static_cast<std::size_t>(Clamp(c, 0, kLastColumn))] = width < 10 ? 10 : width;
}

}  // namespace orvel
