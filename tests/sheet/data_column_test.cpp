#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "sheet/cell_text.h"
#include "sheet/data_column.h"

namespace orvel {
namespace {

class DataColumnTest : public ::testing::Test {
 protected:
  void SetUp() override { col.Create(50); }
  void Type(int row, std::u32string_view keys) {
    for (char32_t k : keys) col.TypeChar(row, k);
  }
  void Set(int row, std::string_view text) {
    col.ClearCell(row);
    col.SetText(row, text);
    col.Reparse(row);
  }
  CDataColumn col;
};

TEST_F(DataColumnTest, ClassifiesCellsByTextAlone) {
  Set(1, "-");
  Set(2, ".");
  Set(3, "+.");
  Set(4, "-.5");
  Set(5, "5.");
  Set(6, ".5");
  Set(7, "7");
  Set(8, "-.");
  EXPECT_FALSE(col.IsNumeric(1));
  EXPECT_FALSE(col.IsNumeric(2));
  EXPECT_FALSE(col.IsNumeric(3));
  EXPECT_FALSE(col.IsNumeric(8));
  ASSERT_TRUE(col.IsNumeric(4));
  ASSERT_TRUE(col.IsNumeric(5));
  ASSERT_TRUE(col.IsNumeric(6));
  EXPECT_DOUBLE_EQ(col.Value(4), -0.5);
  EXPECT_DOUBLE_EQ(col.Value(5), 5.0);
  EXPECT_DOUBLE_EQ(col.Value(6), 0.5);
  EXPECT_TRUE(col.IsNumeric(7));
  EXPECT_FALSE(col.IsNumeric(9));  // past the last used row
  EXPECT_EQ(col.LastUsedRow(), 8);

  col.SetIncluded(7, false);
  EXPECT_FALSE(col.IsNumeric(7));
  EXPECT_FALSE(col.HasText(7));

  CDataColumn label;
  label.Create(10);
  label.SetKind(CDataColumn::kLabelKind);
  label.SetText(1, "7");
  EXPECT_FALSE(label.IsNumeric(1));
  EXPECT_TRUE(label.HasText(1));
}

TEST_F(DataColumnTest, TypingFollowsTheDataCellFilter) {
  Type(1, U"3-");
  EXPECT_EQ(col.Text(1), "3");
  Type(2, U"1.5.");
  EXPECT_EQ(col.Text(2), "1.5");
  EXPECT_DOUBLE_EQ(col.Value(2), 1.5);
  Type(3, U"-a1");
  EXPECT_EQ(col.Text(3), "-1");
  Type(4, U"12345678901234567890");
  EXPECT_EQ(col.Text(4), "1234567890123456789");
  EXPECT_EQ(col.LastUsedRow(), 4);
  // Row 0 (the name) takes anything, up to 19 characters.
  Type(0, U"体重 (kg)");
  EXPECT_EQ(col.Text(0), "体重 (kg)");
  col.Backspace(0);
  EXPECT_EQ(col.Text(0), "体重 (kg");
  col.Backspace(2);
  EXPECT_EQ(col.Text(2), "1.");
  EXPECT_DOUBLE_EQ(col.Value(2), 1.0);
}

TEST_F(DataColumnTest, SetTextRejectsWhatADataCellMayNotHold) {
  Set(1, "1e5");
  EXPECT_EQ(col.Text(1), "");
  Set(2, "12a");
  EXPECT_EQ(col.Text(2), "");
  Set(3, "1.2.3");
  EXPECT_EQ(col.Text(3), "");
  Set(0, "1e5");
  EXPECT_EQ(col.Text(0), "1e5");
  EXPECT_EQ(col.LastUsedRow(), 3);  // a refused text still marks the row as used
  // Long texts are cut to 19 characters, never inside a character.
  Set(4, "123456789012345678901234");
  EXPECT_EQ(col.Text(4), "1234567890123456789");
  Set(0, "あいうえおかきくけこさしすせそたちつてとな");
  EXPECT_EQ(Utf8CharCount(col.Text(0)), 19);
  EXPECT_EQ(col.Text(0), "あいうえおかきくけこさしすせそたちつて");
  // A long label replaced by a short one does not leave the old text behind.
  Set(0, "ab");
  EXPECT_EQ(col.Text(0), "ab");
}

TEST_F(DataColumnTest, OutOfRangeAccessIsHarmless) {
  EXPECT_EQ(col.Text(-1), "");
  EXPECT_EQ(col.Text(50), "");
  EXPECT_DOUBLE_EQ(col.Value(50), -100.0);
  col.SetText(50, "1");
  col.TypeChar(-3, U'1');
  EXPECT_EQ(col.LastUsedRow(), 0);
  col.SetLastUsedRow(50);
  EXPECT_EQ(col.LastUsedRow(), 0);
  col.SetLastUsedRow(49);
  EXPECT_EQ(col.LastUsedRow(), 49);
}

TEST_F(DataColumnTest, TransformsChangeValuesOnlyAndRefuseTheirDomain) {
  Set(1, "4");
  Set(2, "0.5");
  Set(3, "");
  ASSERT_TRUE(col.TransformReciprocal());
  EXPECT_DOUBLE_EQ(col.Value(1), 0.25);
  EXPECT_DOUBLE_EQ(col.Value(2), 2.0);
  EXPECT_EQ(col.Text(1), "4");
  col.ReparseAll();
  EXPECT_DOUBLE_EQ(col.Value(1), 4.0);
  ASSERT_TRUE(col.TransformLog10());
  EXPECT_NEAR(col.Value(1), 0.6020599913, 1e-9);
  col.ReparseAll();
  Set(4, "0");
  EXPECT_FALSE(col.TransformReciprocal());
  EXPECT_FALSE(col.TransformLn());
  EXPECT_DOUBLE_EQ(col.Value(1), 4.0);  // unchanged by the refused transforms
  Set(4, "-2");
  EXPECT_TRUE(col.TransformReciprocal());
  col.ReparseAll();
  EXPECT_FALSE(col.TransformLog10());
}

TEST(CellTextTest, ParseNumberBehavesLikeAtofInTheCLocale) {
  EXPECT_DOUBLE_EQ(ParseNumber("  -12.5xyz"), -12.5);
  EXPECT_DOUBLE_EQ(ParseNumber("+.25"), 0.25);
  EXPECT_DOUBLE_EQ(ParseNumber("-."), 0.0);
  EXPECT_DOUBLE_EQ(ParseNumber(""), 0.0);
  EXPECT_DOUBLE_EQ(ParseNumber("1e3"), 1000.0);
  EXPECT_DOUBLE_EQ(ParseNumber("0x10"), 16.0);
  EXPECT_DOUBLE_EQ(ParseNumber("5."), 5.0);
  EXPECT_DOUBLE_EQ(ParseNumber("abc"), 0.0);
}

TEST(CellTextTest, SevenDecimalRoundingMatchesPrintfAndStrtod) {
  EXPECT_DOUBLE_EQ(RoundTo7Decimals(0.123456789), 0.1234568);
  // Exact binary ties are rounded the way printf rounds them.
  unsigned state = 12345;
  for (int i = 0; i < 20000; ++i) {
    state = state * 1103515245u + 12345u;
    const double v = (static_cast<double>(state % 2000000) - 1000000.0) / 8192.0 +
                     static_cast<double>(state % 7) * 1e-8;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.7f", v);
    ASSERT_EQ(RoundTo7Decimals(v), std::strtod(buf, nullptr)) << v;
  }
  // Exact halfway cases (odd multiples of 1/256) and their neighbours, large and tiny values.
  std::vector<double> cases = {1e-320, -1e-9, -4e-8, 5e-8, 4.9999999e-8, 1e15, -3.5e9, 123456789.12345678};
  for (int k = -3000; k <= 3000; ++k) {
    const double tie = k / 256.0;
    cases.insert(cases.end(), {tie, std::nextafter(tie, 1e9), std::nextafter(tie, -1e9), tie * 1e6 + 0.5e-7});
  }
  for (double v : cases) {
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.7f", v);
    const double expected = std::strtod(buf, nullptr);
    const double got = RoundTo7Decimals(v);
    ASSERT_EQ(got, expected) << v;
    ASSERT_EQ(std::signbit(got), std::signbit(expected)) << v;
  }
}

}  // namespace
}  // namespace orvel
