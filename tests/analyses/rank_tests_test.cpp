// Rank tests. Expected values were worked out independently (by hand and with a separate
// script), never copied from the program's output.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "analyses/rank_tests.h"

namespace orvel {
namespace {

class RankTestsTest : public ::testing::Test {
 protected:
  // Fills column c from row 1 down; an empty text leaves a missing value.
  void SetColumn(int c, const std::string& label, const std::vector<std::string>& cells) {
    doc.SetCell(c, 0, label);
    for (std::size_t i = 0; i < cells.size(); ++i)
      if (!cells[i].empty()) doc.SetCell(c, static_cast<int>(i) + 1, cells[i]);
  }
  void SetGroups(const std::vector<int>& columns) {
    for (int c : columns) doc.SetGroupColumn(c, true);
  }

  CORVELDoc doc;
};

constexpr const char* kLegend = "** : p<0.01  * : p<0.05  - : p>=0.05\n\n";

TEST(RankTestRules, MannWhitneySizeLimitsAndForms) {
  EXPECT_TRUE(MannWhitneySamplesTooSmall(1, 100));
  EXPECT_TRUE(MannWhitneySamplesTooSmall(7, 2));
  EXPECT_FALSE(MannWhitneySamplesTooSmall(2, 8));
  EXPECT_TRUE(MannWhitneySamplesTooSmall(3, 4));
  EXPECT_FALSE(MannWhitneySamplesTooSmall(5, 3));
  EXPECT_FALSE(MannWhitneySamplesTooSmall(4, 4));
  EXPECT_FALSE(MannWhitneyUsesLargeSample(9, 500));
  EXPECT_TRUE(MannWhitneyUsesLargeSample(10, 10));
}

TEST(RankTestRules, ComparisonMarks) {
  EXPECT_STREQ(RankComparisonMark(5, 4, 3, 0.001), "**");
  // Beyond the 1% value, but the overall test is not significant at 1%: one mark only.
  EXPECT_STREQ(RankComparisonMark(5, 4, 3, 0.02), "*");
  EXPECT_STREQ(RankComparisonMark(5, 4, 3, 0.3), "*");
  EXPECT_STREQ(RankComparisonMark(3, 4, 3, 0.001), "-");  // strict comparison
  EXPECT_STREQ(RankComparisonMark(NAN, 4, 3, 0.001), "-");
  EXPECT_NEAR(RankTukeyCritical05(2), 2.7718, 1e-9);
  EXPECT_NEAR(RankTukeyCritical01(2), 3.6428, 1e-9);
  EXPECT_FALSE(std::isfinite(RankTukeyCritical01(31)));
}

TEST(RankTestRules, PooledRanksFollowTheRankBuffer) {
  // Ties across the samples, and values equal only after rounding to 7 decimals.
  const std::vector<double> x = {3, 1.00000001, 5, 2, 2, 7.25};
  const std::vector<double> y = {2, 1.00000003, 5, 5, 9, 0.5, 7.25};
  CRankBuffer buffer;
  for (double v : x) buffer.Add(v);
  for (double v : y) buffer.Add(v);
  const PooledRankSums sums = RankPooledSamples(x, y);
  EXPECT_DOUBLE_EQ(sums.first_rank_sum, buffer.RankSum(0, static_cast<int>(x.size()) - 1));
  EXPECT_DOUBLE_EQ(sums.tie_cube_sum, buffer.TieSum(3));
  // By hand: 0.5 | 1.0000000 x2 | 2 x3 | 3 | 5 x3 | 7.25 x2 | 9 -> ranks 1, 2.5, 5, 7, 9, 11.5, 13.
  EXPECT_DOUBLE_EQ(sums.first_rank_sum, 7 + 2.5 + 9 + 5 + 5 + 11.5);
  EXPECT_DOUBLE_EQ(sums.tie_cube_sum, 1 + 8 + 27 + 1 + 27 + 8 + 1);
}

TEST_F(RankTestsTest, MannWhitneySmallSampleReport) {
  SetColumn(1, "dose A", {"1", "2", "3"});
  SetColumn(2, "dose B", {"4", "5", "6", "7", "8"});
  MannWhitneyReport(doc);
  EXPECT_EQ(doc.ResultText,
            "\n\n<<< Mann-Whitney U Test >>>\n\nX:Col1 dose A\nY:Col2 dose B\n\n"
            "U1-Value=   0.0\nU2-Value=  15.0\nW-Value=   6.0\np=0.025347\n\n"
            "Because of the small sample size (either X or Y is less than 10), precise p-value is calculated "
            "instead of the above one.\n\n"
            "p=0.035714*\n\n\n"
            "statistical power <= 0.8 for p-value 0.05\n"
            "The total number of data X and Y must be over 11 to get statistical power > 0.8.\n");
}

TEST_F(RankTestsTest, MannWhitneyTiesTruncateTheExactStatistic) {
  const MannWhitneyStatistics s = ComputeMannWhitney({1.5, 2, 2, 3, 7}, {2, 3, 3, 4, 5, 6, 8, 9});
  EXPECT_DOUBLE_EQ(s.r1, 24);
  EXPECT_DOUBLE_EQ(s.u1, 9);
  EXPECT_DOUBLE_EQ(s.u2, 31);
  EXPECT_DOUBLE_EQ(s.tie_cube_sum, 61);  // 2 x3 and 3 x3 tie groups, eight single values
  EXPECT_NEAR(s.z, -1.6282271326524498, 1e-12);
  EXPECT_NEAR(s.p_normal, 0.10347667211903455, 1e-12);
  EXPECT_DOUBLE_EQ(s.p_xy, 7.0 / 40);  // ties do not count as y < x
  EXPECT_EQ(s.sample_size, 26);
  EXPECT_NEAR(MannWhitneyExactPValue(s), 0.127428, 5e-7);

  // X the larger group: W is then the rank sum of Y.
  const MannWhitneyStatistics swapped = ComputeMannWhitney({2, 3, 3, 4, 5, 6, 8, 9}, {1.5, 2, 2, 3, 7});
  EXPECT_DOUBLE_EQ(swapped.w, 24);
  EXPECT_DOUBLE_EQ(swapped.u1, 31);
  // U = 1.5 is counted as 1.
  const MannWhitneyStatistics half = ComputeMannWhitney({1, 2, 4, 5}, {4, 6, 7, 8, 9});
  EXPECT_DOUBLE_EQ(half.u1, 1.5);
  EXPECT_DOUBLE_EQ(MannWhitneyExactPValue(half), 2.0 * 2 / 126);
}

TEST_F(RankTestsTest, MannWhitneyLargeSampleReportWithListing) {
  SetColumn(3, "X", {"12", "15", "15", "18", "20", "21", "21", "25", "30", "31"});
  SetColumn(4, "Y", {"8", "10", "11", "12", "", "12", "14", "15", "16", "17", "18", "19", "22"});
  doc.SetTwoGroupX(3);
  doc.SetTwoGroupY(4);
  doc.SetIncludeDataInResult(true);
  MannWhitneyReport(doc);
  EXPECT_EQ(doc.ResultText,
            "\n\n<<< Mann-Whitney U Test >>>\n\nX:Col3 X\nY:Col4 Y\n\n"
            "U1-Value=  95.5\nU2-Value=  24.5\nW-Value= 150.5\np=0.018903*\n\n"
            "statistical power <= 0.8 for p-value 0.05\n"
            "The total number of data X and Y must be over 34 to get statistical power > 0.8.\n\n"
            "\nCol3 : X\n12, 15, 15, 18, 20, 21, 21, 25, 30, 31\n"
            "\nCol4 : Y\n8, 10, 11, 12, , 12, 14, 15, 16, 17\n18, 19, 22\n");
}

TEST_F(RankTestsTest, MannWhitneyAllValuesTiedIsUndefined) {
  SetColumn(1, "", std::vector<std::string>(12, "4"));
  SetColumn(2, "", std::vector<std::string>(10, "4"));
  MannWhitneyReport(doc);
  EXPECT_NE(doc.ResultText.find("W-Value= 115.0\np=undefined\n\n"), std::string::npos);
}

TEST_F(RankTestsTest, WilcoxonSixPositiveDifferences) {
  SetColumn(1, "after", {"5", "6", "7", "8", "9", "10"});
  SetColumn(2, "before", {"4", "4.5", "5", "5.5", "6", "6.5"});
  WilcoxonReport(doc);
  EXPECT_EQ(doc.ResultText,
            "\n\n<<< Wilcoxon Signed Rank Test >>>\n\nX:Col1 after\nY:Col2 before\n\n"
            "U-Value：   0.0\nTied Z-Value：2.2014\np=0.027708\n\n"
            "Because of the small sample size (less than 20), precise p-value is calculated instead of the "
            "above one.\n\n"
            "p=0.031250*\n\n"
            "effect size r=0.898717\n\n"
            "statistical power <= 0.8 for p-value 0.05\n"
            "Over 10 samples are required for X and Y respectively to get statistical power > 0.8.\n\n");
}

TEST_F(RankTestsTest, WilcoxonZeroDifferencesAndTies) {
  CRankBuffer buffer;
  // d = 2, 0, -1, 3, 0, 3, 3, 3, -1, 3: two zeros, |d| ties at 1 (ranks 1.5) and 3 (rank 6).
  const WilcoxonStatistics s = ComputeWilcoxon(buffer, {2, 0, -1, 3, 0, 3, 3, 3, -1, 3});
  EXPECT_EQ(s.n_all, 10);
  EXPECT_EQ(s.n, 8);
  EXPECT_DOUBLE_EQ(s.t_minus, 3);
  EXPECT_DOUBLE_EQ(s.t_plus, 33);
  EXPECT_DOUBLE_EQ(s.t, 3);
  // V = 8*9*17/24 - ((8 + 125 + 1) - 8)/48 = 51 - 2.625; z = |3 - 18| / sqrt(V).
  EXPECT_NEAR(s.z, 15 / std::sqrt(48.375), 1e-12);
  EXPECT_NEAR(s.effect_size, s.z / std::sqrt(10.0), 1e-12);  // the zero differences count here
  EXPECT_NEAR(s.p_prime, 39.0 / 45, 1e-12);
  EXPECT_EQ(s.sample_size, 19);
}

TEST_F(RankTestsTest, WilcoxonSkipsIncompleteRowsAndRestoresThem) {
  SetColumn(1, "X", {"10", "12", "9", "14", "11", "13", "15", "10", "8", "", "12", "20"});
  SetColumn(2, "Y", {"8", "12", "10", "11", "11", "10", "12", "7", "9", "5", "9", ""});
  WilcoxonReport(doc);
  EXPECT_EQ(doc.ResultText,
            "\n\n<<< Wilcoxon Signed Rank Test >>>\n\nX:Col1 X\nY:Col2 Y\n\n"
            "U-Value：   3.0\nTied Z-Value：2.1567\np=0.031033\n\n"
            "Because of the small sample size (less than 20), precise p-value is calculated instead of the "
            "above one.\n\n"
            "p=0.039062*\n\n"
            "effect size r=0.681994\n\n"
            "statistical power <= 0.8 for p-value 0.05\n"
            "Over 19 samples are required for X and Y respectively to get statistical power > 0.8.\n\n"
            "\nThe following rows were skipped because they have missing values.\nRow10\nRow12\n");
  EXPECT_TRUE(doc.IsNumeric(1, 12));
  EXPECT_TRUE(doc.IsNumeric(2, 10));
  EXPECT_EQ(WilcoxonNonZeroDifferences(doc), 8);
}

TEST_F(RankTestsTest, WilcoxonLargeSampleMarksTheNormalP) {
  // d = 1 .. 22 with the signs of 3, 8 and 15 negative: T- = 26.
  std::vector<std::string> x, y;
  for (int i = 1; i <= 22; ++i) {
    const bool negative = i == 3 || i == 8 || i == 15;
    x.push_back(std::to_string(100 + (negative ? -i : i)));
    y.push_back("100");
  }
  SetColumn(1, "", x);
  SetColumn(2, "", y);
  WilcoxonReport(doc);
  // E = 126.5, V = 22*23*45/24 = 948.75, z = 100.5 / sqrt(948.75) = 3.2628.
  const double z = 100.5 / std::sqrt(948.75);
  EXPECT_NE(doc.ResultText.find("U-Value：  26.0\nTied Z-Value：3.2628\np=0.00"), std::string::npos);
  EXPECT_NE(doc.ResultText.find("**\n\neffect size r="), std::string::npos);
  EXPECT_EQ(doc.ResultText.find("precise"), std::string::npos);
  char effect[64];
  std::snprintf(effect, sizeof effect, "effect size r=%5.6f\n\n", z / std::sqrt(22.0));
  EXPECT_NE(doc.ResultText.find(effect), std::string::npos);
}

TEST_F(RankTestsTest, KruskalWallisUnequalGroupsTukeyRefusedScheffeMarked) {
  SetColumn(1, "A", {"2.1", "3.4", "3.4", "5.0", "6.2"});
  SetColumn(2, "B", {"4.8", "5.0", "", "7.1", "8.3"});
  SetColumn(3, "C", {"6.6", "7.1", "9.0", "9.9", "10.4", "11.2"});
  SetGroups({1, 2, 3});
  const KruskalWallisStatistics s = ComputeKruskalWallis(doc);
  EXPECT_EQ(s.rank_sums, (std::vector<double>{18.5, 30, 71.5}));
  EXPECT_DOUBLE_EQ(s.tie_cube_sum, 33);
  EXPECT_FALSE(s.equal_sizes);
  // Col1 vs. Col3 lies just above the 1% point 9.2103 of chi-square(2).
  EXPECT_NEAR(KruskalWallisScheffeStatistic(s, 0, 2), 9.255987160655021, 1e-10);

  KruskalWallisReport(doc, {true, true});
  EXPECT_EQ(doc.ResultText,
            "\n\n<<< Kruskal-Wallis Rank Sum Test >>>\n\nSelected Columns\nCol1:A\nCol2:B\nCol3:C\n"
            "\nH=9.324536\np=0.009445**\n\n"
            "\n[Multiple Comparison---Tukey]\n"
            "Sample sizes of selected rows are not equal. Tukey's method cannot be used.\n\n"
            "\n[Multiple Comparison---Scheffe]\n" +
                std::string(kLegend) + "Col1 vs. Col2 : -\nCol1 vs. Col3 : **\nCol2 vs. Col3 : -\n\n");
}

TEST_F(RankTestsTest, KruskalWallisEqualGroupsWithTukey) {
  SetColumn(2, "low", {"1", "2", "3", "3", "4"});
  SetColumn(4, "mid", {"5", "6", "6", "7", "8"});
  SetColumn(5, "high", {"9", "10", "11", "12", "12"});
  SetGroups({5, 2, 4});
  doc.SetIncludeDataInResult(true);
  const KruskalWallisStatistics s = ComputeKruskalWallis(doc);
  EXPECT_TRUE(s.equal_sizes);
  // D = 10, S = 120 - 18/28, SE = sqrt(10 S / 150).
  EXPECT_NEAR(KruskalWallisTukeyStatistic(s, 0, 2), 10 / std::sqrt(10 * (120 - 18.0 / 28) / 150), 1e-12);
  KruskalWallisReport(doc, {true, false});
  EXPECT_EQ(doc.ResultText,
            "\n\n<<< Kruskal-Wallis Rank Sum Test >>>\n\nSelected Columns\nCol2:low\nCol4:mid\nCol5:high\n"
            "\nH=12.567325\np=0.001867**\n\n"
            "\n[Multiple Comparison---Tukey]\n" +
                std::string(kLegend) +
                "Col2 vs. Col4 : -\nCol2 vs. Col5 : **\nCol4 vs. Col5 : -\n\n"
                "\nCol2 : low\n1, 2, 3, 3, 4\n\nCol4 : mid\n5, 6, 6, 7, 8\n\nCol5 : high\n9, 10, 11, 12, 12\n");
}

TEST_F(RankTestsTest, KruskalWallisNotSignificantAndUndefined) {
  SetColumn(1, "", {"3", "5", "4", "6", "5"});
  SetColumn(2, "", {"4", "6", "5", "7", "6"});
  SetColumn(3, "", {"5", "7", "5", "8", "7"});
  SetGroups({1, 2, 3});
  KruskalWallisReport(doc, {false, true});
  EXPECT_EQ(doc.ResultText.substr(doc.ResultText.find("\nH=")),
            "\nH=4.023352\np=0.133764\n\n\n[Multiple Comparison---Scheffe]\n" + std::string(kLegend) +
                "Col1 vs. Col2 : -\nCol1 vs. Col3 : -\nCol2 vs. Col3 : -\n\n");

  // Every value tied: the tie correction divides 0 by 0.
  doc.ResultText.clear();
  for (int c = 1; c <= 3; ++c) SetColumn(c, "", {"2", "2", "2", "2", "2"});
  KruskalWallisReport(doc, {true, false});
  EXPECT_NE(doc.ResultText.find("\nH=undefined\np=undefined\n\n"), std::string::npos);
  EXPECT_NE(doc.ResultText.find("Col1 vs. Col2 : -\n"), std::string::npos);

  // A group column without values: no statistic, and no complete row for Friedman's test.
  doc.ResultText.clear();
  doc.SetGroupColumn(4, true);
  KruskalWallisReport(doc, {false, true});
  EXPECT_NE(doc.ResultText.find("\nH=undefined\np=undefined\n\n"), std::string::npos);
  EXPECT_NE(doc.ResultText.find("Col3 vs. Col4 : -\n\n"), std::string::npos);
  doc.ResultText.clear();
  FriedmanReport(doc, {true, true});
  EXPECT_NE(doc.ResultText.find("Friedman chi-squared : undefined\np=undefined\n\n"), std::string::npos);
  EXPECT_NE(doc.ResultText.find("Row 1\nRow 2\nRow 3\nRow 4\nRow 5\n"), std::string::npos);
  EXPECT_TRUE(doc.IsNumeric(1, 1));
}

TEST_F(RankTestsTest, TukeyBeyondThirtyGroupsHasNoCriticalValue) {
  for (int c = 1; c <= 31; ++c) {
    SetColumn(c, "", {std::to_string(c), std::to_string(c + 40)});
    doc.SetGroupColumn(c, true);
  }
  KruskalWallisReport(doc, {true, false});
  EXPECT_NE(doc.ResultText.find("\n[Multiple Comparison---Tukey]\nTukey's method cannot be used for more than 30 "
                                "groups.\n\n\n"),
            std::string::npos);
  EXPECT_EQ(doc.ResultText.find(" vs. "), std::string::npos);
  doc.ResultText.clear();
  FriedmanReport(doc, {true, false});
  EXPECT_NE(doc.ResultText.find("Tukey's method cannot be used for more than 30 groups.\n\n"), std::string::npos);
  EXPECT_EQ(doc.ResultText.find(" vs. "), std::string::npos);
}

TEST_F(RankTestsTest, FriedmanWithTiesSkippedRowAndComparisons) {
  SetColumn(1, "T1", {"7", "6", "9", "5", "6", "4", "5", "3"});
  SetColumn(2, "T2", {"9", "6", "7", "8", "7", "6", "9", ""});
  SetColumn(3, "T3", {"8", "8", "9", "9", "8", "6", "8", "4"});
  SetGroups({1, 2, 3});
  FriedmanReport(doc, {true, true});
  EXPECT_EQ(doc.ResultText,
            "\n\n<<< Friedman Rank Sum Test >>>\n\nSelected Columns\nCol1:T1\nCol2:T2\nCol3:T3\n\n"
            "Friedman chi-squared : 6.720000\np=0.034735*\n\n"
            "\n[Multiple Comparison---Tukey]\n" +
                std::string(kLegend) +
                "Col1 vs. Col2 : -\nCol1 vs. Col3 : *\nCol2 vs. Col3 : -\n"
                "\n[Multiple Comparison---Scheffe]\n" +
                std::string(kLegend) +
                "Col1 vs. Col2 : -\nCol1 vs. Col3 : *\nCol2 vs. Col3 : -\n"
                "\nThe following rows were skipped because they have missing values.\nRow 8\n");
  EXPECT_TRUE(doc.IsNumeric(1, 8));

  const FriedmanStatistics s = ComputeFriedman(doc);  // row 8 is incomplete: left out
  EXPECT_EQ(s.rows, 7);
  EXPECT_EQ(s.rank_totals, (std::vector<double>{9, 15, 18}));
  EXPECT_DOUBLE_EQ(s.a2, 96.5);
  EXPECT_NEAR(s.q, 6.72, 1e-12);
  EXPECT_NEAR(FriedmanPairStatistic(s, 0, 2), (9.0 / 7) * (9.0 / 7) * 3.92, 1e-12);
}

}  // namespace
}  // namespace orvel
