// The sheet's editing operations without a window: copy text, measuring and placing pasted
// text, the fills and the sort's row order and carrying.
#include "sheet/sheet_editing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace orvel {
namespace {

void Fill(CORVELDoc& doc, int c, const std::vector<std::string>& texts) {
  for (std::size_t i = 0; i < texts.size(); ++i)
    if (!texts[i].empty()) doc.SetCell(c, static_cast<int>(i) + 1, texts[i]);
}

std::vector<std::string> Texts(const CORVELDoc& doc, int c, int first, int last) {
  std::vector<std::string> out;
  for (int r = first; r <= last; ++r) out.emplace_back(doc.Text(c, r));
  return out;
}

Selection Sel(int anchor_row, int anchor_column, int end_row, int end_column) {
  Selection s;
  s.anchor_row = anchor_row;
  s.anchor_column = anchor_column;
  s.end_row = end_row;
  s.end_column = end_column;
  return s;
}

using Strings = std::vector<std::string>;

TEST(SheetCopyTextTest, FirstRowFullWidthLaterRowsUpToTheirLastText) {
  CORVELDoc doc;
  doc.SetCell(1, 1, "1");
  doc.SetCell(3, 1, "3");
  doc.SetCell(1, 2, "4");
  // Three columns, two rows; the second row has text only in its first column.
  EXPECT_EQ(SheetCopyText(doc, Sel(1, 1, 2, 3)), "1\t\t3\r\n4\r\n");
  // A first row without any text still spans the width; an empty later row is one field.
  EXPECT_EQ(SheetCopyText(doc, Sel(3, 3, 1, 2)), "\t3\r\n\r\n\r\n");
  doc.SetCell(0, 2, "日本語のラベル");
  EXPECT_EQ(SheetCopyText(doc, Sel(2, 0, 2, 1)), "日本語のラベル\t4\r\n");
}

TEST(SheetCopyTextTest, ResultTextGetsCrLfLineEnds) {
  EXPECT_EQ(ResultCopyText("a\n\nb\n"), "a\r\n\r\nb\r\n");
  EXPECT_EQ(ResultCopyText("x\r\ny"), "x\r\ny");
  EXPECT_EQ(ResultCopyText(""), "");
}

TEST(PasteTest, BlockSizeCountsLinesAndTheWidestLine) {
  EXPECT_EQ(MeasurePasteBlock("1\t2\r\n3\r\n").lines, 2);
  EXPECT_EQ(MeasurePasteBlock("1\t2\r\n3\r\n").fields, 2);
  EXPECT_EQ(MeasurePasteBlock("1\n2\t3\t4").lines, 2);  // no final line end: its line counts
  EXPECT_EQ(MeasurePasteBlock("1\n2\t3\t4").fields, 3);
  EXPECT_EQ(MeasurePasteBlock("").lines, 1);
  EXPECT_EQ(MeasurePasteBlock("a,b,c").fields, 1);  // a comma is text here

  CORVELDoc doc(100);  // rows 0..99
  const PasteBlock three{3, 1};
  EXPECT_TRUE(PasteBlockFits(doc, three, 97, 1));
  EXPECT_FALSE(PasteBlockFits(doc, three, 98, 1));  // RowCount - 2
  EXPECT_TRUE(PasteBlockFits(doc, PasteBlock{1, 100}, 1, 1));
  EXPECT_FALSE(PasteBlockFits(doc, PasteBlock{1, 100}, 1, 2));
  // A text far longer than the sheet is measured, refused, and never touches a cell.
  std::string huge;
  for (int i = 0; i < 200000; ++i) huge += "1\n";
  EXPECT_FALSE(PasteBlockFits(doc, MeasurePasteBlock(huge), 1, 1));
}

TEST(PasteTest, FieldsByTabAndLineWithCarriageReturnAndLengthRules) {
  CORVELDoc doc;
  doc.SetCell(2, 3, "999");  // inside the block: cleared even though no field reaches it
  PasteText(doc, "name\t1.5\r\n-2\tx,y\t\r\n7", 1, 1);
  EXPECT_EQ(Texts(doc, 1, 1, 3), (Strings{"", "-2", "7"}));  // "name" in a data row is refused
  EXPECT_EQ(Texts(doc, 2, 1, 3), (Strings{"1.5", "", ""}));  // "x,y" is not a number
  EXPECT_DOUBLE_EQ(doc.Value(1, 2), -2.0);
  EXPECT_DOUBLE_EQ(doc.Value(1, 3), 7.0);
  // Every block column is used down to the block's bottom row.
  EXPECT_EQ(doc.Column(3).LastUsedRow(), 3);

  // The label column and row 0 take any text; a lone "\r" ends a line; 19 characters at most.
  PasteText(doc, "ラベル一\tVar\rnext\tword\n12345678901234567890123\t1", 0, 0);
  EXPECT_EQ(doc.Text(0, 0), "ラベル一");
  EXPECT_EQ(doc.Text(1, 0), "Var");
  EXPECT_EQ(doc.Text(0, 1), "next");
  EXPECT_EQ(doc.Text(1, 1), "");  // a word in a data row is refused
  EXPECT_EQ(doc.Text(0, 2), "1234567890123456789");
  EXPECT_EQ(doc.Text(1, 2), "1");
}

TEST(PasteTest, CopyThenPasteElsewhereGivesTheSameTexts) {
  CORVELDoc doc;
  doc.SetCell(0, 1, "first label");
  Fill(doc, 1, {"1", "", "3.5", "-4"});
  Fill(doc, 2, {"", "", "6"});
  Fill(doc, 3, {"7"});
  const std::string copied = SheetCopyText(doc, Sel(1, 0, 4, 3));
  PasteText(doc, copied, 10, 5);
  // The labels land in data column 5, which refuses them; the numbers all arrive.
  EXPECT_EQ(doc.Text(5, 10), "");
  for (int dr = 0; dr < 4; ++dr)
    for (int dc = 1; dc < 4; ++dc) EXPECT_EQ(doc.Text(5 + dc, 10 + dr), doc.Text(dc, 1 + dr));
  PasteText(doc, copied, 20, 0);  // with the label column in place the whole block matches
  for (int dr = 0; dr < 4; ++dr)
    for (int dc = 0; dc < 4; ++dc) EXPECT_EQ(doc.Text(dc, 20 + dr), doc.Text(dc, 1 + dr));
}

TEST(FillTest, EachDirectionCopiesItsSourceAndTheReverseDragDoesNothing) {
  CORVELDoc doc;
  Fill(doc, 1, {"1", "2", "3"});
  Fill(doc, 2, {"4", "5", "6"});
  FillDown(doc, Sel(1, 1, 3, 2));
  EXPECT_EQ(Texts(doc, 1, 1, 3), (Strings{"1", "1", "1"}));
  EXPECT_EQ(Texts(doc, 2, 1, 3), (Strings{"4", "4", "4"}));

  Fill(doc, 1, {"1", "2", "3"});
  FillDown(doc, Sel(3, 1, 1, 1));  // dragged upward
  EXPECT_EQ(Texts(doc, 1, 1, 3), (Strings{"1", "2", "3"}));
  FillUp(doc, Sel(3, 1, 1, 1));
  EXPECT_EQ(Texts(doc, 1, 1, 3), (Strings{"3", "3", "3"}));
  FillUp(doc, Sel(1, 2, 3, 2));  // dragged downward
  EXPECT_EQ(Texts(doc, 2, 1, 3), (Strings{"4", "4", "4"}));

  Fill(doc, 1, {"1", "2"});
  FillRight(doc, Sel(1, 1, 2, 3));
  EXPECT_EQ(Texts(doc, 3, 1, 2), (Strings{"1", "2"}));
  EXPECT_DOUBLE_EQ(doc.Value(3, 2), 2.0);
  FillLeft(doc, Sel(1, 3, 2, 1));
  EXPECT_EQ(Texts(doc, 1, 1, 2), (Strings{"1", "2"}));
  FillRight(doc, Sel(1, 3, 1, 1));  // dragged leftward: nothing
  EXPECT_EQ(doc.Text(1, 1), "1");
  // A label filled into a data column is refused there and leaves the cell empty.
  doc.SetCell(0, 1, "abc");
  FillRight(doc, Sel(1, 0, 1, 1));
  EXPECT_EQ(doc.Text(1, 1), "");
}

class SortTest : public ::testing::Test {
 protected:
  void Carry(std::initializer_list<int> columns) {
    for (int c : columns) doc.SortColumns[static_cast<std::size_t>(c)] = 1;
  }
  CORVELDoc doc{200};
};

TEST_F(SortTest, AscendingMovesRowsOfCarriedColumnsOnly) {
  doc.SetCell(1, 0, "key");
  Fill(doc, 1, {"3", "1", "2"});
  Fill(doc, 2, {"30", "10", "20"});
  Fill(doc, 3, {"7", "8", "9"});
  Fill(doc, 0, {"three", "one", "two"});
  const std::vector<int> order = SortRowOrder(doc, 1, false);
  EXPECT_EQ(std::vector<int>(order.begin(), order.begin() + 5), (std::vector<int>{0, 2, 3, 1, 4}));
  Carry({0, 1, 2});
  SortRows(doc, 1, false);
  EXPECT_EQ(Texts(doc, 1, 0, 3), (Strings{"key", "1", "2", "3"}));
  EXPECT_EQ(Texts(doc, 2, 1, 3), (Strings{"10", "20", "30"}));
  EXPECT_EQ(Texts(doc, 0, 1, 3), (Strings{"one", "two", "three"}));
  EXPECT_EQ(doc.Column(0).Kind(), CDataColumn::kLabelKind);
  EXPECT_EQ(Texts(doc, 3, 1, 3), (Strings{"7", "8", "9"}));  // not carried
  EXPECT_DOUBLE_EQ(doc.Value(2, 1), 10.0);
  EXPECT_DOUBLE_EQ(doc.Sum(1), 6.0);
}

TEST_F(SortTest, EmptyKeyRowsFollowAndNonNumericKeysComeLast) {
  Fill(doc, 1, {"3", "1", "", "2"});
  const std::vector<int> first = SortRowOrder(doc, 1, false);
  EXPECT_EQ(std::vector<int>(first.begin(), first.begin() + 6), (std::vector<int>{0, 2, 4, 1, 3, 5}));
  // A "-" key is neither numeric nor empty: such rows go after the empty-key rows, in order.
  Fill(doc, 1, {"-", "1", "", "2", "+", "", "0"});
  const std::vector<int> order = SortRowOrder(doc, 1, false);
  EXPECT_EQ(std::vector<int>(order.begin(), order.begin() + 9), (std::vector<int>{0, 7, 2, 4, 3, 6, 1, 5, 8}));
}

TEST_F(SortTest, DescendingPutsTheLaterOfEqualValuesFirst) {
  Fill(doc, 1, {"5", "5", "1"});
  Fill(doc, 2, {"1", "2", "3"});
  Carry({1, 2});
  SortRows(doc, 1, true);
  EXPECT_EQ(Texts(doc, 2, 1, 3), (Strings{"2", "1", "3"}));
  // Ascending keeps equal values in row order.
  Fill(doc, 1, {"5", "5", "1"});
  Fill(doc, 2, {"1", "2", "3"});
  SortRows(doc, 1, false);
  EXPECT_EQ(Texts(doc, 2, 1, 3), (Strings{"3", "1", "2"}));
}

TEST_F(SortTest, KeyNotCarriedStaysAndOtherColumnsMove) {
  Fill(doc, 1, {"2", "1"});
  Fill(doc, 2, {"20", "10"});
  Carry({2});
  SortRows(doc, 1, false);
  EXPECT_EQ(Texts(doc, 1, 1, 2), (Strings{"2", "1"}));
  EXPECT_EQ(Texts(doc, 2, 1, 2), (Strings{"10", "20"}));
}

// Every row appears once in the order, and sorting never loses or duplicates a text.
TEST_F(SortTest, RandomSheetsKeepEveryTextOfEveryCarriedColumn) {
  std::mt19937 random(12345);
  const std::vector<std::string> keys = {"", "", "-", "+", ".", "1", "2", "2", "-3.5", "10", "0"};
  for (int round = 0; round < 40; ++round) {
    doc.NewDocument();
    const int rows = 1 + static_cast<int>(random() % 150);
    for (int r = 1; r <= rows; ++r) {
      doc.SetCell(1, r, keys[random() % keys.size()]);
      if (random() % 4 != 0) doc.SetCell(2, r, std::to_string(random() % 1000));
      if (random() % 3 != 0) doc.SetCell(0, r, "L" + std::to_string(r));
    }
    std::map<int, std::multiset<std::string>> before;
    for (int c = 0; c <= 2; ++c)
      for (int r = 0; r < doc.RowCount(); ++r) before[c].insert(std::string(doc.Text(c, r)));
    const bool descending = round % 2 == 1;
    std::vector<int> order = SortRowOrder(doc, 1, descending);
    std::vector<int> sorted = order;
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < doc.RowCount(); ++i) ASSERT_EQ(sorted[static_cast<std::size_t>(i)], i);

    Carry({0, 1, 2});
    SortRows(doc, 1, descending);
    for (int c = 0; c <= 2; ++c) {
      std::multiset<std::string> after;
      for (int r = 0; r < doc.RowCount(); ++r) after.insert(std::string(doc.Text(c, r)));
      EXPECT_EQ(after, before[c]) << "column " << c << " round " << round;
    }
    // The numeric keys come first and in order.
    const int n = doc.Count(1);
    for (int r = 2; r <= n; ++r) {
      if (descending) EXPECT_GE(doc.Value(1, r - 1), doc.Value(1, r));
      else EXPECT_LE(doc.Value(1, r - 1), doc.Value(1, r));
    }
  }
}

}  // namespace
}  // namespace orvel
