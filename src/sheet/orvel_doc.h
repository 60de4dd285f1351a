// The document: the data sheet of 101 columns, the selection, the data settings that tell each
// analysis which columns form its groups, the result text and the state of the panes.
// Analyses read the sheet only through the column statistics and pairing checks below, or
// through a row view (sheet/row_view.h) that leaves the incomplete rows out.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/data_column.h"
#include "sheet/display_kind.h"
#include "sheet/rank_buffer.h"
#include "sheet/result_buffer.h"

namespace orvel {

inline constexpr int kColumnCount = 101;   // column 0 is the label column
inline constexpr int kLastColumn = 100;
inline constexpr int kDefaultProfileRows = 499;
inline constexpr int kDefaultColumnWidth = 86;
inline constexpr int kTwowayALevels = 10;
inline constexpr int kTwowayBLevels = 25;
inline constexpr int kDiscriminantSlots = 15;

// The selection: the anchor (the current cell) and the other corner.
struct Selection {
  int anchor_row = 1;
  int anchor_column = 1;
  int end_row = 1;
  int end_column = 1;
  int TopRow() const { return anchor_row < end_row ? anchor_row : end_row; }
  int BottomRow() const { return anchor_row > end_row ? anchor_row : end_row; }
  int LeftColumn() const { return anchor_column < end_column ? anchor_column : end_column; }
  int RightColumn() const { return anchor_column > end_column ? anchor_column : end_column; }
};

// Which columns form the groups of each analysis. Column numbers are 1..100, 0 for none;
// flag arrays are indexed by column number (entry 0 unused except for RCodeColumns).
struct DataSettings {
  int TwoGroupX = 1;
  int TwoGroupY = 2;
  std::array<unsigned char, kColumnCount> GroupColumns{};
  int CurrentGroupColumn = 0;
  // TwowayGrid[a][b] for A level a = 1..10 and B level b = 1..25 (index 0 unused).
  std::array<std::array<int, kTwowayBLevels + 1>, kTwowayALevels + 1> TwowayGrid{};
  std::array<std::string, kTwowayALevels + 1> TwowayLabelsA{};
  std::array<std::string, kTwowayBLevels + 1> TwowayLabelsB{};
  int RegressionY = 1;
  std::array<unsigned char, kColumnCount> RegressionX{};
  std::array<unsigned char, kColumnCount> StepwiseChosen{};
  int RegressionMethod = 2;
  double FIn = 2.0;
  double FOut = 2.0;
  double PIn = 0.2;
  double POut = 0.2;
  std::array<unsigned char, kColumnCount> PcaColumns{};
  std::array<int, kDiscriminantSlots + 1> DiscriminantGroup1{};  // slots 1..15
  std::array<int, kDiscriminantSlots + 1> DiscriminantGroup2{};
  int IncludeDataInResult = 0;
  std::array<unsigned char, kColumnCount> RCodeColumns{};
};

// Scroll offsets of the three panes, in pixels, never below 0.
struct ScrollOffsets {
  double sheet_x = 0, sheet_y = 0;
  double result_x = 0, result_y = 0;
  double graph_x = 0, graph_y = 0;
};

class CORVELDoc {
 public:
  // `row_count` includes the header row 0 (the profile's "Row" value plus 1).
  explicit CORVELDoc(int row_count = kDefaultProfileRows + 1);
  CORVELDoc(const CORVELDoc&) = delete;
  CORVELDoc& operator=(const CORVELDoc&) = delete;

  // The New command (and the reset before a text file is read). RowCount does not change.
  void NewDocument();
  // The selection and the data settings back to a new document's, keeping the cells, the
  // column widths and the result text.
  void ClearDataSettings();

  // ---- Sheet ---------------------------------------------------------------------------
  int RowCount() const { return row_count_; }
  CDataColumn& Column(int c);
  const CDataColumn& Column(int c) const;
  CDataColumn& SpareColumn() { return spare_; }
  CRankBuffer& RankBuffer() const { return rank_buffer_; }

  std::string_view Text(int c, int r) const;
  double Value(int c, int r) const;
  int TextLength(int c, int r) const;
  bool IsNumeric(int c, int r) const;
  bool HasText(int c, int r) const;
  // Replaces the cell: clear, set the text with the column's rules, re-parse.
  void SetCell(int c, int r, std::string_view text);
  void ClearCell(int c, int r);
  void TypeChar(int c, int r, char32_t ch);
  void Backspace(int c, int r);

  // Largest last used row over all columns (0 for an empty sheet).
  int UsedRowCount() const;
  // Highest row 0..UsedRowCount whose cell has text (0 if none); -100 for a bad column.
  int LastNonEmptyRow(int c) const;
  // The k-th row (k >= 1) among rows 1..RowCount-1 of column c without text; -100 if none.
  int NthEmptyRow(int c, int k) const;
  // Last row with text within the rectangle (r1 if none).
  int LastRowWithText(int c1, int r1, int c2, int r2) const;
  // Rightmost column with text within the rectangle (c1 if none).
  int RightmostColumnWithText(int c1, int r1, int c2, int r2) const;
  // Rightmost column with text in rows 0..UsedRowCount (0 if none).
  int RightmostColumnWithText() const;
  int ResultLineCount() const;

  // ---- Column statistics over numeric cells ---------------------------------------------
  // Means and spreads come from each column's kept statistics: computed once after a change,
  // with centred sums (never Σx² − (Σx)²/n, which cancels for values with a large offset).
  int Count(int c) const;
  double Sum(int c) const;
  double PowerSum(int c, double k) const;
  double Mean(int c) const;
  // Σ(x − Mean)²: the sum of squares every spread is built from; exactly 0 for a constant column.
  double CentredSquares(int c) const;
  double SD(int c) const;
  double SampleSD(int c) const;
  double SE(int c) const;
  double Min(int c) const;
  double Max(int c) const;
  int MinRow(int c) const;
  int MaxRow(int c) const;
  double Median(int c) const;
  double LowerQuartile(int c) const;
  double UpperQuartile(int c) const;
  // The three at once, kept with the column's statistics.
  using MedianAndQuartiles = CDataColumn::Quartiles;
  MedianAndQuartiles Quartiles(int c) const;
  double Skewness(int c) const;
  double Kurtosis(int c) const;
  double CrossSum(int c, int d) const;
  double Sxy(int c, int d) const;
  double Covariance(int c, int d) const;
  double PooledSxy(int c, int d, int e, int f) const;
  double RegressionSxy(int c) const;
  int CellCount(int c1, int r1, int c2, int r2) const;
  double CellSum(int c1, int r1, int c2, int r2) const;
  double CellPowerSum(int c1, int r1, int c2, int r2, double k) const;
  bool IsBinary(int c) const;
  bool HasNegative(int c) const;
  bool HasZero(int c) const;
  // Value of the k-th numeric cell of the column in grid cell (a, b); 0 if it has fewer.
  double TwowayGridValue(int a, int b, int k) const;
  // Loads the sorted numeric values of column c (rounded to 7 decimals) into the rank buffer.
  void LoadSortedColumn(int c) const;

  // Two groups: X = TwoGroupX, Y = TwoGroupY.
  double CrossSumXY() const;
  double CorrelationXY() const;
  double Correlation(int c, int d) const;
  double SlopeXY() const;
  double InterceptXY() const;

  int TwowayALevels() const;
  int TwowayBLevels() const;

  // ---- Pairing checks (true when the data are complete) ---------------------------------
  bool IsXYPaired() const;
  bool AreColumnsPaired(int c, int d) const;
  bool AreGroupColumnsPaired() const;
  bool ArePcaColumnsPaired() const;
  bool AreRegressionColumnsPaired() const;
  bool AreRCodeColumnsPaired() const;
  bool IsTwowayGridValid() const;
  bool IsTwowayDataBalanced() const;
  bool IsDiscriminantDataValid() const;
  bool IsRegressionVariableCountValid() const;
  bool IsContingencyTableNonZero(int c1, int r1, int c2, int r2) const;
  // The columns the regression pairing check covers: Y (when set), then the X columns but Y.
  std::vector<int> RegressionColumns() const;

  // ---- Selection ------------------------------------------------------------------------
  const Selection& GetSelection() const { return selection_; }
  void SetAnchor(int row, int column);
  void SetEnd(int row, int column);
  void SetSelection(int anchor_row, int anchor_column, int end_row, int end_column);

  // ---- Data settings --------------------------------------------------------------------
  const DataSettings& Settings() const { return settings_; }
  // Direct access for the file reader, which stores what the file holds.
  DataSettings& MutableSettings() { return settings_; }
  void SetTwoGroupX(int c);
  void SetTwoGroupY(int c);
  int TwoGroupX() const { return settings_.TwoGroupX; }
  int TwoGroupY() const { return settings_.TwoGroupY; }
  void SetGroupColumn(int c, bool on);
  bool GroupColumn(int c) const;
  int GroupColumnCount() const;
  // The flagged group columns in column order.
  std::vector<int> GroupColumnList() const;
  void SetCurrentGroupColumn(int c) { settings_.CurrentGroupColumn = c; }
  int CurrentGroupColumn() const { return settings_.CurrentGroupColumn; }
  void SetPcaColumn(int c, bool on);
  bool PcaColumn(int c) const;
  void SetRegressionXColumn(int c, bool on);
  bool RegressionXColumn(int c) const;
  void SetStepwiseChosen(int c, bool on);
  bool StepwiseChosen(int c) const;
  void SetRegressionY(int c);
  int RegressionY() const { return settings_.RegressionY; }
  void SetRegressionMethod(int method);
  int RegressionMethod() const { return settings_.RegressionMethod; }
  void SetFIn(double v) { settings_.FIn = v; }
  void SetFOut(double v) { settings_.FOut = v; }
  void SetPIn(double v) { settings_.PIn = v; }
  void SetPOut(double v) { settings_.POut = v; }
  void SetDiscriminantSlot(int group, int slot, int column);
  int DiscriminantSlot(int group, int slot) const;
  void SetTwowayGridCell(int a, int b, int column);
  int TwowayGridCell(int a, int b) const;
  void SetTwowayLabelA(int a, std::string_view label);
  void SetTwowayLabelB(int b, std::string_view label);
  const std::string& TwowayLabelA(int a) const;
  const std::string& TwowayLabelB(int b) const;
  void ClearTwowaySettings();
  void SetIncludeDataInResult(bool on) { settings_.IncludeDataInResult = on ? 1 : 0; }
  bool IncludeDataInResult() const { return settings_.IncludeDataInResult == 1; }
  void SetRCodeColumn(int c, bool on);
  bool RCodeColumn(int c) const;
  void ResetRegressionSettings();

  // ---- Result text and panes -------------------------------------------------------------
  ResultBuffer ResultText;
  std::string RCodeText;
  void AppendResult(std::string_view text) { ResultText.append(text); }
  ScrollOffsets Scroll;
  DisplayKind DisplayMode = DisplayKind::kDataSheet;
  int CellEditStarted = 0;
  int ColumnWidth(int c) const;
  void SetColumnWidth(int c, int width);
  std::array<unsigned char, kColumnCount> SortColumns{};

  // ---- Document state ------------------------------------------------------------------
  bool IsModified() const { return modified_; }
  void SetModified(bool modified = true) { modified_ = modified; }
  const std::string& PathName() const { return path_name_; }
  void SetPathName(std::string path) { path_name_ = std::move(path); }

 private:
  static int ClampFlagIndex(int c);
  const CDataColumn::Statistics& Stats(int c) const;
  // Σ (x − x̄)(y − ȳ) over the rows where both X and Y are numeric, when those are all the
  // rows of each; false (and nothing computed) when the two columns are not paired.
  bool CentredCrossSum(int x, int y, double& sum) const;
  template <typename Fn>
  void ForEachNumeric(int c, Fn&& fn) const;
  // True when in the given row some but not all of the columns are numeric.
  bool IsRowPartial(const std::vector<int>& columns, int r) const;
  bool AreListedColumnsPaired(const std::vector<int>& columns, std::size_t minimum) const;
  std::vector<int> FlaggedColumns(const std::array<unsigned char, kColumnCount>& flags) const;

  int row_count_;
  std::vector<CDataColumn> columns_;
  CDataColumn spare_;
  mutable CRankBuffer rank_buffer_;
  Selection selection_;
  DataSettings settings_;
  std::array<int, kColumnCount> column_widths_{};
  bool modified_ = false;
  std::string path_name_;
};

}  // namespace orvel
