#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "sheet/orvel_doc.h"
#include "sheet/row_view.h"

namespace orvel {
namespace {

// Fills column c from row 1 down; an empty text leaves the cell empty.
void Fill(CORVELDoc& doc, int c, const std::vector<std::string>& texts) {
  for (std::size_t i = 0; i < texts.size(); ++i) doc.SetCell(c, static_cast<int>(i) + 1, texts[i]);
}

TEST(DocumentTest, ConstructionAndNewDocumentDefaults) {
  CORVELDoc doc;
  EXPECT_EQ(doc.RowCount(), 500);
  EXPECT_EQ(doc.Column(0).Kind(), CDataColumn::kLabelKind);
  EXPECT_EQ(doc.Column(1).Kind(), CDataColumn::kDataKind);
  EXPECT_EQ(doc.ColumnWidth(100), 86);
  EXPECT_EQ(doc.TwoGroupX(), 1);
  EXPECT_EQ(doc.TwoGroupY(), 2);
  EXPECT_EQ(doc.RegressionY(), 1);
  EXPECT_EQ(doc.RegressionMethod(), 2);
  EXPECT_EQ(doc.Settings().PIn, 0.2);
  const Selection& sel = doc.GetSelection();
  EXPECT_EQ(sel.anchor_row + sel.anchor_column + sel.end_row + sel.end_column, 4);

  doc.SetCell(0, 3, "label");
  doc.SetCell(5, 7, "12");
  doc.SetColumnWidth(3, 4);
  EXPECT_EQ(doc.ColumnWidth(3), 10);
  doc.SetGroupColumn(4, true);
  doc.SetIncludeDataInResult(true);
  doc.ResultText = "old";
  doc.SetSelection(9, 9, 9, 9);
  doc.NewDocument();
  EXPECT_EQ(doc.UsedRowCount(), 0);
  EXPECT_EQ(doc.Text(5, 7), "");
  EXPECT_EQ(doc.Column(0).Kind(), CDataColumn::kLabelKind);
  EXPECT_EQ(doc.ColumnWidth(3), 86);
  EXPECT_FALSE(doc.GroupColumn(4));
  EXPECT_FALSE(doc.IncludeDataInResult());
  EXPECT_EQ(doc.ResultText, "");
  EXPECT_EQ(doc.GetSelection().anchor_row, 1);
  EXPECT_EQ(doc.RowCount(), 500);
}

TEST(DocumentTest, MedianAndQuartilesInterpolate) {
  CORVELDoc doc;
  Fill(doc, 1, {"1", "2", "3", "4"});
  EXPECT_DOUBLE_EQ(doc.Median(1), 2.5);
  EXPECT_DOUBLE_EQ(doc.LowerQuartile(1), 1.25);
  EXPECT_DOUBLE_EQ(doc.UpperQuartile(1), 3.75);
  Fill(doc, 2, {"7", "6", "5", "4", "3", "2", "1"});
  EXPECT_DOUBLE_EQ(doc.Median(2), 4);
  EXPECT_DOUBLE_EQ(doc.LowerQuartile(2), 2);
  EXPECT_DOUBLE_EQ(doc.UpperQuartile(2), 6);
  // Every remainder of n mod 4 on 1..n.
  for (int n = 3; n <= 9; ++n) {
    CORVELDoc d;
    for (int i = 1; i <= n; ++i) d.SetCell(1, i, std::to_string(n + 1 - i));
    EXPECT_DOUBLE_EQ(d.LowerQuartile(1), (n + 1) / 4.0) << n;
    EXPECT_DOUBLE_EQ(d.UpperQuartile(1), 3 * (n + 1) / 4.0) << n;
    EXPECT_DOUBLE_EQ(d.Median(1), (n + 1) / 2.0) << n;
  }
}

TEST(DocumentTest, ColumnStatisticsSkipMissingCells) {
  CORVELDoc doc;
  Fill(doc, 1, {"2", "4", "x", "4", "4", "", "5", "5", "7", "9", "-"});
  EXPECT_EQ(doc.Count(1), 8);
  EXPECT_DOUBLE_EQ(doc.Sum(1), 40);
  EXPECT_DOUBLE_EQ(doc.Mean(1), 5);
  EXPECT_DOUBLE_EQ(doc.SD(1), 2);
  EXPECT_NEAR(doc.SampleSD(1), 2.138090, 1e-6);
  EXPECT_NEAR(doc.SE(1), 0.755929, 1e-6);
  EXPECT_DOUBLE_EQ(doc.Min(1), 2);
  EXPECT_DOUBLE_EQ(doc.Max(1), 9);

  Fill(doc, 2, {"5", "1", "1"});
  EXPECT_EQ(doc.MinRow(2), 2);
  Fill(doc, 3, {"9", "3", "9"});
  EXPECT_EQ(doc.MaxRow(3), 3);
  EXPECT_EQ(doc.MinRow(4), 1);  // empty column
  Fill(doc, 4, {"3.5"});
  EXPECT_EQ(doc.SampleSD(4), 0);
  EXPECT_EQ(doc.SD(4), 0);
  // A constant column: rounding in the one-pass formula never makes the SD undefined.
  for (const char* v : {"0.1", "0.3", "0.7", "3"}) {
    Fill(doc, 5, {v, v, v, v, v, v, v});
    EXPECT_LT(doc.SD(5), 1e-8) << v;
    EXPECT_LT(doc.SampleSD(5), 1e-8) << v;
  }
  EXPECT_FALSE(std::isfinite(doc.Skewness(5)));  // exactly 0 for "3": no finite skewness

  Fill(doc, 6, {"0", "1", "1", "0"});
  EXPECT_TRUE(doc.IsBinary(6));
  EXPECT_TRUE(doc.HasZero(6));
  EXPECT_FALSE(doc.HasNegative(6));
  Fill(doc, 7, {"0", "1.0"});
  EXPECT_FALSE(doc.IsBinary(7));
  EXPECT_EQ(doc.CellCount(1, 1, 2, 3), 5);
  EXPECT_DOUBLE_EQ(doc.CellSum(1, 1, 2, 3), 2 + 4 + 5 + 1 + 1);
}

TEST(DocumentTest, TwoGroupStatistics) {
  CORVELDoc doc;
  Fill(doc, 1, {"1", "2", "3", "4", "5"});
  Fill(doc, 2, {"2", "4", "5", "4", "5"});
  EXPECT_DOUBLE_EQ(doc.CrossSumXY(), 2 + 8 + 15 + 16 + 25);
  EXPECT_NEAR(doc.CorrelationXY(), 0.7745966692, 1e-9);
  EXPECT_NEAR(doc.SlopeXY(), 0.6, 1e-12);
  EXPECT_NEAR(doc.InterceptXY(), 2.2, 1e-12);
  EXPECT_NEAR(doc.Correlation(2, 1), 0.7745966692, 1e-9);
  EXPECT_EQ(doc.TwoGroupX(), 1);  // restored after the call
  EXPECT_NEAR(doc.Covariance(1, 2), 1.5, 1e-12);
  EXPECT_NEAR(doc.Sxy(1, 2), 6.0, 1e-12);
  EXPECT_EQ(doc.Sxy(9, 2), -100.0);
}

TEST(DocumentTest, PairingCheckAndRowSkipping) {
  CORVELDoc doc;
  Fill(doc, 1, {"1", "2", "", "4"});
  Fill(doc, 2, {"2", "", "3", "5"});
  EXPECT_FALSE(doc.IsXYPaired());
  const CRowView xy = CRowView::CompleteXY(doc);
  EXPECT_EQ(xy.LeftOutRows(), (std::vector<int>{2, 3}));
  EXPECT_TRUE(xy.IsRowLeftOut(2));
  EXPECT_TRUE(xy.IsRowLeftOut(3));
  EXPECT_FALSE(xy.IsRowLeftOut(1));
  EXPECT_FALSE(xy.IsNumeric(1, 2));
  EXPECT_FALSE(xy.IsNumeric(0, 2) || xy.IsNumeric(50, 2));
  EXPECT_EQ(xy.Count(1), 2);
  EXPECT_TRUE(xy.CompleteRows({1, 2}) == xy.CompleteRows({1}));  // paired in the view
  EXPECT_TRUE(doc.IsNumeric(1, 2));  // the document itself is untouched
  EXPECT_EQ(doc.Count(1), 3);

  // Sets of columns: a row is skipped when some but not all of them are numeric.
  Fill(doc, 3, {"1", "1", "1", ""});
  Fill(doc, 4, {"1", "1", "1", ""});
  Fill(doc, 5, {"1", "", "1", ""});
  for (int c : {3, 4}) doc.SetGroupColumn(c, true);
  EXPECT_FALSE(doc.AreGroupColumnsPaired());  // only two columns
  doc.SetGroupColumn(5, true);
  EXPECT_FALSE(doc.AreGroupColumnsPaired());
  const CRowView groups = CRowView::CompleteGroups(doc);
  EXPECT_TRUE(groups.IsRowLeftOut(2));
  EXPECT_FALSE(groups.IsRowLeftOut(4));  // empty in all of them
  EXPECT_EQ(groups.CompleteRows({3, 4, 5}), (std::vector<int>{1, 3}));
  EXPECT_EQ(groups.Count(3), 2);

  // One numeric value is not enough to be paired.
  CORVELDoc single;
  Fill(single, 1, {"1"});
  Fill(single, 2, {"1"});
  EXPECT_FALSE(single.IsXYPaired());
}

TEST(DocumentTest, SettingsClampAndCorrect) {
  CORVELDoc doc;
  doc.SetRegressionMethod(5);
  EXPECT_EQ(doc.RegressionMethod(), 2);
  doc.SetRegressionY(101);
  EXPECT_EQ(doc.RegressionY(), 0);
  doc.SetTwoGroupX(150);
  EXPECT_EQ(doc.TwoGroupX(), 100);
  doc.SetGroupColumn(0, true);  // index 0 reads and writes column 1
  EXPECT_TRUE(doc.GroupColumn(1));
  doc.SetDiscriminantSlot(1, 99, 7);
  EXPECT_EQ(doc.DiscriminantSlot(1, 15), 7);
  doc.SetSelection(-5, 300, 100000, -1);
  EXPECT_EQ(doc.GetSelection().anchor_row, 0);
  EXPECT_EQ(doc.GetSelection().anchor_column, 100);
  EXPECT_EQ(doc.GetSelection().end_row, 499);
  EXPECT_EQ(doc.GetSelection().end_column, 0);
  EXPECT_EQ(doc.GetSelection().LeftColumn(), 0);
  int flagged = 0;
  for (int c = 1; c <= 16; ++c) doc.SetRegressionXColumn(c, true), ++flagged;
  EXPECT_TRUE(doc.IsRegressionVariableCountValid());
  doc.SetRegressionXColumn(17, true);
  EXPECT_FALSE(doc.IsRegressionVariableCountValid());
}

TEST(DocumentTest, TwowayGridMustBeAFullRectangle) {
  CORVELDoc doc;
  for (int c = 1; c <= 4; ++c) Fill(doc, c, {"1", "2", "3"});
  doc.SetTwowayGridCell(1, 1, 1);
  doc.SetTwowayGridCell(1, 2, 2);
  doc.SetTwowayGridCell(2, 1, 3);
  EXPECT_FALSE(doc.IsTwowayGridValid());
  doc.SetTwowayGridCell(2, 2, 4);
  EXPECT_TRUE(doc.IsTwowayGridValid());
  EXPECT_TRUE(doc.IsTwowayDataBalanced());
  EXPECT_DOUBLE_EQ(doc.TwowayGridValue(2, 2, 3), 3);
  EXPECT_DOUBLE_EQ(doc.TwowayGridValue(2, 2, 4), 0);
  doc.SetCell(4, 3, "");
  EXPECT_TRUE(doc.IsTwowayGridValid());
  EXPECT_FALSE(doc.IsTwowayDataBalanced());
  doc.SetTwowayGridCell(3, 3, 1);  // outside the rectangle
  EXPECT_FALSE(doc.IsTwowayGridValid());
  doc.ClearTwowaySettings();
  EXPECT_EQ(doc.TwowayALevels(), 0);
}

TEST(DocumentTest, DiscriminantDataNeedsMatchingGroups) {
  CORVELDoc doc;
  for (int c = 1; c <= 4; ++c) Fill(doc, c, {"1", "2", "3"});
  doc.SetDiscriminantSlot(1, 1, 1);
  doc.SetDiscriminantSlot(1, 2, 2);
  doc.SetDiscriminantSlot(2, 1, 3);
  EXPECT_FALSE(doc.IsDiscriminantDataValid());
  doc.SetDiscriminantSlot(2, 2, 4);
  EXPECT_TRUE(doc.IsDiscriminantDataValid());
  doc.SetDiscriminantSlot(2, 4, 4);  // a gap at slot 3
  EXPECT_FALSE(doc.IsDiscriminantDataValid());
  doc.SetDiscriminantSlot(2, 4, 0);
  doc.SetCell(2, 2, "");
  EXPECT_FALSE(doc.IsDiscriminantDataValid());
}

TEST(DocumentTest, SheetQueries) {
  CORVELDoc doc;
  EXPECT_EQ(doc.UsedRowCount(), 0);
  EXPECT_EQ(doc.RightmostColumnWithText(), 0);
  doc.SetCell(3, 5, "1");
  doc.SetCell(7, 2, "a");  // refused text: the row still counts as used
  EXPECT_EQ(doc.UsedRowCount(), 5);
  EXPECT_EQ(doc.RightmostColumnWithText(), 3);
  EXPECT_EQ(doc.LastNonEmptyRow(3), 5);
  EXPECT_EQ(doc.LastNonEmptyRow(101), -100);
  EXPECT_EQ(doc.NthEmptyRow(3, 5), 6);
  EXPECT_EQ(doc.NthEmptyRow(3, 499), -100);
  EXPECT_EQ(doc.LastRowWithText(0, 0, 10, 10), 5);
  EXPECT_TRUE(doc.IsContingencyTableNonZero(3, 5, 3, 5));
  EXPECT_FALSE(doc.IsContingencyTableNonZero(3, 4, 3, 5));
  doc.ResultText = "a\nb\n";
  EXPECT_EQ(doc.ResultLineCount(), 2);
  // The kept count follows every way the text changes.
  doc.AppendResult("c\n\nd");
  doc.ResultText += "\n";
  EXPECT_EQ(doc.ResultLineCount(), 5);
  doc.ResultText.clear();
  doc.AppendResult("e");
  EXPECT_EQ(doc.ResultLineCount(), 0);
  doc.ResultText = std::string(3, '\n');
  EXPECT_EQ(doc.ResultLineCount(), 3);
  EXPECT_EQ(doc.ResultText, "\n\n\n");
}

}  // namespace
}  // namespace orvel
