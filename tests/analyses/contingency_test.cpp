#include "analyses/contingency.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "numeric/distributions.h"

namespace orvel {
namespace {

// ---- Fisher's exact test -----------------------------------------------------------------------

TEST(FisherEnumerationTest, VariesTheSmallestCellInEachPosition) {
  // a smallest: (i, a+b-i, a+c-i, d+i-a), i = 0 .. a + min(b, c).
  EXPECT_EQ(FisherEnumeration({1, 6, 4, 2}),
            (std::vector<FisherTable>{{0, 7, 5, 1}, {1, 6, 4, 2}, {2, 5, 3, 3}, {3, 4, 2, 4}, {4, 3, 1, 5}, {5, 2, 0, 6}}));
  // b smallest: (a+b-i, i, c+i-b, b+d-i), i = 0 .. b + min(a, d).
  EXPECT_EQ(FisherEnumeration({6, 1, 2, 4}),
            (std::vector<FisherTable>{{7, 0, 1, 5}, {6, 1, 2, 4}, {5, 2, 3, 3}, {4, 3, 4, 2}, {3, 4, 5, 1}, {2, 5, 6, 0}}));
  // c smallest: (a+c-i, b+i-c, i, c+d-i), i = 0 .. c + min(a, d).
  EXPECT_EQ(FisherEnumeration({6, 4, 1, 2}),
            (std::vector<FisherTable>{{7, 3, 0, 3}, {6, 4, 1, 2}, {5, 5, 2, 1}, {4, 6, 3, 0}}));
  // d smallest: (a+i-d, b+d-i, c+d-i, i), i = 0 .. d + min(b, c).
  EXPECT_EQ(FisherEnumeration({4, 2, 6, 1}),
            (std::vector<FisherTable>{{3, 3, 7, 0}, {4, 2, 6, 1}, {5, 1, 5, 2}, {6, 0, 4, 3}}));
  // Among equal smallest cells the first of a, b, c, d is varied.
  EXPECT_EQ(FisherEnumeration({3, 2, 2, 2}).front(), (FisherTable{5, 0, 0, 4}));
  EXPECT_EQ(FisherEnumeration({2, 2, 2, 2}).front(), (FisherTable{0, 4, 4, 0}));
  EXPECT_EQ(FisherEnumeration({0, 0, 0, 0}), (std::vector<FisherTable>{{0, 0, 0, 0}}));
}

TEST(FisherEnumerationTest, CoversEveryTableWithTheMargins) {
  for (const FisherTable& o : {FisherTable{3, 9, 8, 2}, FisherTable{12, 5, 6, 12}, FisherTable{0, 7, 3, 4},
                               FisherTable{9, 9, 0, 9}, FisherTable{480, 520, 530, 470}}) {
    const std::vector<FisherTable> tables = FisherEnumeration(o);
    double total = 0;
    bool has_observed = false;
    for (const FisherTable& t : tables) {
      EXPECT_GE(std::min({t.a, t.b, t.c, t.d}), 0);
      EXPECT_EQ(t.a + t.b, o.a + o.b);
      EXPECT_EQ(t.a + t.c, o.a + o.c);
      EXPECT_EQ(t.b + t.d, o.b + o.d);
      has_observed = has_observed || t == o;
      total += FisherTableProbability(t.a, t.b, t.c, t.d);
    }
    EXPECT_TRUE(has_observed);
    EXPECT_NEAR(total, 1.0, 1e-9) << o.a << " " << o.b << " " << o.c << " " << o.d;
    EXPECT_EQ(tables.size(),
              static_cast<std::size_t>(std::min(o.a + o.b, o.a + o.c) - std::max(0, o.a - o.d) + 1));
  }
}

TEST(FisherExactTest, TextbookTableAndItsMirrors) {
  // (1 6 / 4 2): the tables a = 0..5 have 8, 140, 560, 700, 280, 28 chances in 1716; the
  // two-sided p adds those no more probable than 140, the one-sided walks toward a = 0.
  const std::vector<FisherTable> tables = FisherEnumeration({1, 6, 4, 2});
  const double counts[] = {8, 140, 560, 700, 280, 28};
  for (std::size_t i = 0; i < tables.size(); ++i)
    EXPECT_NEAR(FisherTableProbability(tables[i].a, tables[i].b, tables[i].c, tables[i].d), counts[i] / 1716, 1e-12);
  // Swapping rows, columns or both moves the smallest cell to c, b and d.
  for (const FisherTable& t : {FisherTable{1, 6, 4, 2}, FisherTable{6, 1, 2, 4}, FisherTable{4, 2, 1, 6},
                               FisherTable{2, 4, 6, 1}}) {
    const FisherResult r = ComputeFisherExact(t);
    EXPECT_NEAR(r.observed_probability, 140.0 / 1716, 1e-12);
    EXPECT_NEAR(r.two_sided_p, 176.0 / 1716, 1e-12);  // 0.102564
    EXPECT_NEAR(r.one_sided_p, 148.0 / 1716, 1e-12);  // 0.086247
  }
}

TEST(FisherExactTest, OneSidedWalkDirections) {
  // b smallest: lowering b raises a; that tail is the less probable one here.
  EXPECT_NEAR(ComputeFisherExact({12, 5, 6, 12}).one_sided_p, 0.030293822065661103, 1e-12);
  EXPECT_NEAR(ComputeFisherExact({12, 5, 6, 12}).two_sided_p, 0.04371016837622244, 1e-12);
  // d smallest: lowering d lowers a too (2,3,4,1) -> (1,4,5,0).
  EXPECT_NEAR(ComputeFisherExact({2, 3, 4, 1}).one_sided_p, 66.0 / 252, 1e-12);
  EXPECT_NEAR(ComputeFisherExact({2, 3, 4, 1}).two_sided_p, 0.5238095238095238, 1e-12);
  EXPECT_NEAR(ComputeFisherExact({3, 9, 8, 2}).one_sided_p, 0.014986561426189909, 1e-12);
  EXPECT_NEAR(ComputeFisherExact({1, 1, 1, 1}).one_sided_p, 5.0 / 6, 1e-12);
  EXPECT_NEAR(ComputeFisherExact({1, 1, 1, 1}).two_sided_p, 1.0, 1e-12);
}

TEST(FisherExactTest, SmallestCellZeroIsTheExtremeTable) {
  const FisherResult a0 = ComputeFisherExact({0, 5, 3, 2});
  EXPECT_NEAR(a0.one_sided_p, 1.0 / 12, 1e-12);
  EXPECT_DOUBLE_EQ(a0.one_sided_p, a0.observed_probability);
  EXPECT_NEAR(a0.two_sided_p, 1.0 / 6, 1e-12);
  const FisherResult b0 = ComputeFisherExact({3, 0, 0, 4});  // b and c both 0: b is the one
  EXPECT_NEAR(b0.one_sided_p, 1.0 / 35, 1e-12);
  EXPECT_NEAR(b0.two_sided_p, 1.0 / 35, 1e-12);
  // Not a table of counts: no p-values rather than a walk over impossible tables.
  EXPECT_TRUE(std::isnan(ComputeFisherExact({-1, 3, 4, 5}).two_sided_p));
  EXPECT_TRUE(std::isnan(ComputeFisherExact({1000, 1000, 1, 0}).one_sided_p));
  const FisherResult empty = ComputeFisherExact({0, 0, 0, 0});
  EXPECT_DOUBLE_EQ(empty.two_sided_p, 1.0);
  EXPECT_DOUBLE_EQ(empty.one_sided_p, 1.0);
}

TEST(FisherExactTest, TablesOfEqualProbabilityAreAllCounted) {
  // (0 27 / 1 26) and (1 26 / 0 27) are equally probable (1/2 each): both belong to the
  // two-sided p, whatever the last bits of their computed probabilities.
  EXPECT_NEAR(ComputeFisherExact({0, 27, 1, 26}).two_sided_p, 1.0, 1e-12);
  EXPECT_NEAR(ComputeFisherExact({0, 27, 1, 26}).one_sided_p, 0.5, 1e-12);
  for (int k = 1; k <= 40; ++k) {
    // Symmetric margins: the table and its mirror image are equally probable.
    const FisherResult r = ComputeFisherExact({k, 2 * k + 1, 2 * k + 1, k});
    const FisherResult m = ComputeFisherExact({2 * k + 1, k, k, 2 * k + 1});
    EXPECT_NEAR(r.two_sided_p, m.two_sided_p, 1e-12) << k;
  }
}

TEST(FisherExactTest, TotalOf2000) {
  const FisherResult even = ComputeFisherExact({500, 500, 500, 500});
  EXPECT_NEAR(even.observed_probability, 0.03566910390358188, 1e-12);
  EXPECT_NEAR(even.two_sided_p, 1.0, 1e-9);
  EXPECT_NEAR(even.one_sided_p, 0.517834551951791, 1e-9);
  const FisherResult r = ComputeFisherExact({480, 520, 530, 470});
  EXPECT_NEAR(r.two_sided_p, 0.0283936963706784, 1e-9);
  EXPECT_NEAR(r.one_sided_p, 0.0141968481853392, 1e-9);
}

class ContingencyReportTest : public ::testing::Test {
 protected:
  // Writes rows of texts from cell (c1, r1) on.
  void Put(int c1, int r1, const std::vector<std::vector<std::string>>& rows) {
    for (std::size_t i = 0; i < rows.size(); ++i)
      for (std::size_t j = 0; j < rows[i].size(); ++j)
        doc.SetCell(c1 + static_cast<int>(j), r1 + static_cast<int>(i), rows[i][j]);
  }
  CORVELDoc doc;
};

TEST_F(ContingencyReportTest, FisherReport) {
  Put(2, 3, {{"1", "6"}, {"4", "2"}});
  FisherExactReport(doc, {2, 3, 3, 4});
  EXPECT_EQ(doc.ResultText,
            "\n<<< Fisher's Exact Test >>>\n\nSelected Cells : C2R3-C3R4\n\n"
            "[Two-sided Test]\np=0.102564\n\n"
            "[One-sided Test]\np=0.086247\n\n");
  doc.ResultText.clear();
  doc.SetIncludeDataInResult(true);
  Put(2, 3, {{"3.0", "9"}, {"8", "2"}});  // whole numbers written with a point count as whole
  FisherExactReport(doc, {2, 3, 3, 4});
  EXPECT_EQ(doc.ResultText,
            "\n<<< Fisher's Exact Test >>>\n\nSelected Cells : C2R3-C3R4\n\n"
            "[Two-sided Test]\np=0.029973*\n\n"
            "[One-sided Test]\np=0.014987*\n\n"
            "\nSelected Cells\n\n3.0\t9\t\n8\t2\t\n");
  doc.ResultText.clear();
  Put(2, 3, {{"30", "2"}, {"3", "40"}});
  FisherExactReport(doc, {2, 3, 3, 4});
  EXPECT_NE(doc.ResultText.find("[Two-sided Test]\np<0.0001**\n\n[One-sided Test]\np<0.0001**\n\n"), std::string::npos);
}

TEST(ChiSquareTest, TwoByTwoStatistics) {
  // Uncorrected: N (ad - bc)^2 / margins; Yates: (|ad - bc| - N/2)^2 in its place.
  const ChiSquareResult r = ComputeChiSquare({{12, 5}, {6, 12}});
  EXPECT_TRUE(r.two_by_two);
  EXPECT_EQ(r.df, 1);
  EXPECT_NEAR(r.uncorrected_statistic, 4.857747020376778, 1e-12);
  EXPECT_NEAR(r.uncorrected_p, 0.02752241744704605, 1e-12);
  EXPECT_NEAR(r.statistic, 3.480805993421334, 1e-12);
  EXPECT_NEAR(r.p, 0.06208470037966673, 1e-12);
  EXPECT_NEAR(r.effect_size, 0.315359477124183, 1e-12);
  // ad = bc: nothing to correct, w < 0 gives 0.
  const ChiSquareResult none = ComputeChiSquare({{2, 4}, {3, 6}});
  EXPECT_EQ(none.uncorrected_statistic, 0.0);
  EXPECT_EQ(none.statistic, 0.0);
  EXPECT_DOUBLE_EQ(none.p, 1.0);
  EXPECT_EQ(none.effect_size, 0.0);
}

TEST(ChiSquareTest, LargerTables) {
  const ChiSquareResult r = ComputeChiSquare({{10, 20}, {15, 15}, {20, 10}});
  EXPECT_FALSE(r.two_by_two);
  EXPECT_EQ(r.df, 2);
  EXPECT_NEAR(r.statistic, 20.0 / 3, 1e-9);
  EXPECT_NEAR(r.p, 0.03567399334725258, 1e-12);
  EXPECT_NEAR(r.effect_size, 0.27216552697590846, 1e-12);  // Cramer's V, min(R, C) - 1 = 1
  const ChiSquareResult s = ComputeChiSquare({{10, 20, 7}, {15, 15, 9}, {20, 10, 30}});
  EXPECT_EQ(s.df, 4);
  EXPECT_NEAR(s.statistic, 19.301508866726234, 1e-9);
  EXPECT_NEAR(s.p, 0.0006856634111813314, 1e-12);
  EXPECT_NEAR(s.effect_size, 0.2663858660985634, 1e-12);  // divided by (3 - 1) N
}

TEST_F(ContingencyReportTest, ChiSquareReports) {
  const std::string head =
      "\n<<< Pearson's Chi-squared Test >>>\n\nSelected Cells : C1R1-C2R2\n\n"
      "df\tT-Value\t\tp-value\n"
      "------------------------------------------------------------\n";
  // The uncorrected p is below 0.05 but the corrected is not: neither line is marked.
  Put(1, 1, {{"12", "5"}, {"6", "12"}});
  ChiSquareReport(doc, {1, 1, 2, 2});
  EXPECT_EQ(doc.ResultText, head +
                                "1\t 4.857747\tp=0.027522\n"
                                "1\t 3.480806\tp=0.062085\twith Yates' continuity correction\n\n"
                                "Effect Size phi=0.315359\n\n");
  doc.ResultText.clear();
  Put(1, 1, {{"2", "4"}, {"3", "6"}});
  ChiSquareReport(doc, {1, 1, 2, 2});
  EXPECT_EQ(doc.ResultText, head +
                                "1\t 0.000000\tp=1.000000\n"
                                "1\t 0.000000\tp=1.000000\twith Yates' continuity correction\n\n"
                                "Effect Size phi=0.000000\n\n");
  // Both lines carry the corrected p's mark; the uncorrected p stays a number.
  doc.ResultText.clear();
  Put(1, 1, {{"30", "2"}, {"3", "40"}});
  ChiSquareReport(doc, {1, 1, 2, 2});
  EXPECT_EQ(doc.ResultText, head +
                                "1\t56.064539\tp=0.000000**\n"
                                "1\t52.598199\tp<0.0001**\twith Yates' continuity correction\n\n"
                                "Effect Size phi=0.837442\n\n");
  doc.ResultText.clear();
  doc.SetIncludeDataInResult(true);
  Put(1, 1, {{"10", "20"}, {"15", "15"}, {"20", "10"}});
  ChiSquareReport(doc, {1, 1, 2, 3});
  EXPECT_EQ(doc.ResultText,
            "\n<<< Pearson's Chi-squared Test >>>\n\nSelected Cells : C1R1-C2R3\n\n"
            "df\tT-Value\t\tp-value\n"
            "------------------------------------------------------------\n"
            "2\t 6.666667\tp=0.035674*\n\n"
            "Cramer's V=0.272166\n\n"
            "\nSelected Cells\n\n10\t20\t\n15\t15\t\n20\t10\t\n");
}

}  // namespace
}  // namespace orvel
