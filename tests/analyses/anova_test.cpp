#include "analyses/anova.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "analyses/comparisons.h"
#include "analyses/hotelling.h"
#include "numeric/distributions.h"

namespace orvel {
namespace {

ColumnData Column(int c, std::vector<double> values) { return {c, "c" + std::to_string(c), std::move(values)}; }

// Columns from rows of a matrix (one subject a row), numbered from `first`.
std::vector<ColumnData> FromRows(const std::vector<std::vector<double>>& rows, int first) {
  std::vector<ColumnData> out;
  for (std::size_t j = 0; j < rows[0].size(); ++j) {
    ColumnData c = Column(first + static_cast<int>(j), {});
    for (const auto& row : rows) c.values.push_back(row[j]);
    out.push_back(c);
  }
  return out;
}

std::vector<std::vector<double>> Values(const std::vector<ColumnData>& columns) {
  std::vector<std::vector<double>> out;
  for (const ColumnData& c : columns) out.push_back(c.values);
  return out;
}

// Data of the R cross-checks below.
const std::vector<ColumnData> kOnewayGroups = {Column(1, {4.2, 4.8, 5.1, 5.6, 4.9}), Column(2, {5.9, 6.3, 6.8, 6.1}),
                                               Column(3, {7.1, 6.6, 7.4, 7.9, 7.0, 6.8})};
const std::vector<std::vector<double>> kRepeatedRows = {{10, 12, 11, 14}, {9, 11, 12, 13}, {11, 13, 13, 15},
                                                        {8, 10, 9, 12},   {12, 13, 15, 16}, {10, 11, 12, 15}};
const std::vector<std::vector<double>> kSplitA1 = {{3, 4, 6}, {4, 5, 6}, {2, 4, 5}, {3, 5, 7}};
const std::vector<std::vector<double>> kSplitA2 = {{5, 5, 6}, {6, 7, 7}, {4, 6, 6}, {5, 5, 8}};

TwowayGridData Grid(int a, int b, std::vector<std::vector<double>> cells_in_order) {
  TwowayGridData grid;
  grid.a = a;
  grid.b = b;
  int column = 1;
  for (auto& values : cells_in_order) grid.cells.push_back(Column(column++, std::move(values)));
  return grid;
}

// One row of an analysis-of-variance table: SS, df, F and p.
struct TableRow {
  double ss;
  int df;
  double f;  // NAN where the table prints no F
  double p;  // NAN where the table prints no p
};

void ExpectRow(const TableRow& want, double ss, int df, double f, double p, const char* what) {
  SCOPED_TRACE(what);
  EXPECT_NEAR(ss, want.ss, 1e-6 * std::max(1.0, want.ss));
  EXPECT_EQ(df, want.df);
  if (!std::isnan(want.f)) {
    EXPECT_NEAR(f, want.f, 1e-5 * std::max(1.0, want.f));
  }
  // Our F tail comes from the program's own series; R's pf is the reference.
  if (!std::isnan(want.p)) {
    EXPECT_NEAR(p, want.p, 1e-6 + 1e-4 * want.p);
  }
}

// Reference values from R 4.x, aov():
//   y <- c(4.2,4.8,5.1,5.6,4.9, 5.9,6.3,6.8,6.1, 7.1,6.6,7.4,7.9,7.0,6.8)
//   g <- factor(rep(1:3, c(5,4,6))); summary(aov(y ~ g))
//     g 2 13.424500 6.712250 31.60152 1.6507e-05; Residuals 12 2.548833
//   repeated: X the 6 x 4 matrix of kRepeatedRows, summary(aov(y ~ cond + subj))
//     cond 3 52.79167 F 48.35878 p 6.0293e-08; subj 5 42.70833 F 23.47328; Residuals 15 5.45833
//   block: B <- matrix(c(8,9,11, 7,9,10, 9,11,14, 6,8,9), ncol=3, byrow=TRUE),
//     summary(aov(y ~ row + col)): rows 3 21.583333 F 19.92308 p 0.00160296;
//     cols 2 24.5 F 33.92308 p 0.00053638; Residuals 6 2.166667
//   factorial 2 x 3, three per cell: summary(aov(y ~ A*B))
//     A 1 93.38889 F 112.06667 p 1.9288e-07; B 2 37 F 22.2 p 9.2771e-05;
//     A:B 2 10.11111 F 6.06667 p 0.015114; Residuals 12 10
//   split plot: summary(aov(y ~ A*B + Error(subject)))
//     A 1 10.666667 F 8.72727 p 0.025474; subject residuals 6 7.333333;
//     B 2 22.583333 F 26.22581 p 4.1657e-05; A:B 2 1.583333 F 1.83871 p 0.20111; Residuals 12 5.166667
TEST(Anova, TablesAgreeWithR) {
  const OnewayResult one = ComputeOneway(OnewayDesign::kFactorial, kOnewayGroups);
  ExpectRow({13.4245, 2, 31.60152, 1.6507e-05}, one.sa, one.df_a, one.fa, one.p, "oneway between");
  ExpectRow({2.548833, 12, NAN, NAN}, one.se, one.df_e, 0, 0, "oneway error");
  EXPECT_NEAR(one.eta2, 13.4245 / (13.4245 + 2.548833), 1e-6);

  const OnewayResult rep = ComputeOneway(OnewayDesign::kRepeated, FromRows(kRepeatedRows, 1));
  ExpectRow({52.79167, 3, 48.35878, 6.0293e-08}, rep.sa, rep.df_a, rep.fa, rep.p, "repeated between");
  ExpectRow({42.70833, 5, 23.47328, NAN}, rep.sb, rep.df_b, rep.fb, 0, "repeated within");
  ExpectRow({5.45833, 15, NAN, NAN}, rep.se, rep.df_e, 0, 0, "repeated error");

  CellBlock block{2, 3, 4, 6, {{8, 9, 11}, {7, 9, 10}, {9, 11, 14}, {6, 8, 9}}};
  const BlockAnovaResult b = ComputeBlockAnova(block);
  ExpectRow({21.583333, 3, 19.92308, 0.00160296}, b.sa, b.df_a, b.fa, b.pa, "block rows");
  ExpectRow({24.5, 2, 33.92308, 0.00053638}, b.sb, b.df_b, b.fb, b.pb, "block columns");
  ExpectRow({2.166667, 6, NAN, NAN}, b.se, b.df_e, 0, 0, "block error");
  EXPECT_EQ(b.means.rows, (std::vector<int>{3, 4, 5, 6}));
  EXPECT_EQ(b.means.columns, (std::vector<int>{2, 3, 4}));

  const TwowayGridData grid =
      Grid(2, 3, {{5, 6, 7}, {8, 9, 9}, {6, 7, 8}, {11, 12, 12}, {7, 7, 9}, {14, 15, 13}});
  const TwowayFactorialResult f = ComputeTwowayFactorial(grid);
  ExpectRow({93.38889, 1, 112.06667, 1.9288e-07}, f.sa, f.df_a, f.fa, f.pa, "factorial A");
  ExpectRow({37, 2, 22.2, 9.2771e-05}, f.sb, f.df_b, f.fb, f.pb, "factorial B");
  ExpectRow({10.11111, 2, 6.06667, 0.015114}, f.sab, f.df_ab, f.fab, f.pab, "factorial AB");
  ExpectRow({10, 12, NAN, NAN}, f.se, f.df_e, 0, 0, "factorial error");
  EXPECT_FALSE(f.pooled);

  TwowayGridData split;
  split.a = 2;
  split.b = 3;
  const std::vector<ColumnData> a1 = FromRows(kSplitA1, 1);
  const std::vector<ColumnData> a2 = FromRows(kSplitA2, 4);
  for (int j = 0; j < 3; ++j) {
    split.cells.push_back(a1[static_cast<std::size_t>(j)]);
    split.cells.push_back(a2[static_cast<std::size_t>(j)]);
  }
  const TwowayRepeatedResult s = ComputeTwowayRepeated(split);
  ExpectRow({10.666667, 1, 8.72727, 0.025474}, s.sa, s.df_a, s.fa, s.pa, "split A");
  ExpectRow({7.333333, 6, NAN, NAN}, s.se1, s.df_e1, 0, 0, "split primary error");
  ExpectRow({22.583333, 2, 26.22581, 4.1657e-05}, s.sb, s.df_b, s.fb, s.pb, "split B");
  ExpectRow({1.583333, 2, 1.83871, 0.20111}, s.sab, s.df_ab, s.fab, s.pab, "split AB");
  ExpectRow({5.166667, 12, NAN, NAN}, s.se2, s.df_e2, 0, 0, "split secondary error");
}

// Unequal cells: the error SS is aov's residual SS (13 df, 11.9166667), while the effects are
// the unweighted-means ones, so the printed Total (the sum of the four) is not the raw total.
TEST(Anova, UnbalancedFactorialUsesUnweightedMeans) {
  const TwowayGridData grid =
      Grid(2, 3, {{5, 6, 7, 6}, {8, 9}, {6, 7, 8}, {11, 12, 12, 10}, {7, 7, 9}, {14, 15, 13}});
  const TwowayFactorialResult f = ComputeTwowayFactorial(grid);
  EXPECT_NEAR(f.se, 11.9166667, 1e-6);
  EXPECT_EQ(f.df_e, 13);
  EXPECT_NEAR(f.harmonic_size, 6 / (1 / 4.0 + 1 / 2.0 + 1 / 3.0 + 1 / 4.0 + 1 / 3.0 + 1 / 3.0), 1e-12);
  double raw = 0, total = 0, squares = 0;
  int n = 0;
  for (const ColumnData& c : grid.cells)
    for (const double x : c.values) {
      total += x;
      squares += x * x;
      ++n;
    }
  raw = squares - total * total / n;
  EXPECT_GT(std::fabs((f.sa + f.sb + f.sab + f.se) - raw), 0.1);
}

// No grid gives an interaction p of exactly 0.05 (the F tail is irrational there), so the rule
// is checked at its boundary directly, and the factorial analysis is checked to follow it.
TEST(Anova, PoolingBoundary) {
  EXPECT_TRUE(InteractionIsPooled(0.05));
  EXPECT_TRUE(InteractionIsPooled(1.0));
  EXPECT_FALSE(InteractionIsPooled(std::nextafter(0.05, 0.0)));
  EXPECT_FALSE(InteractionIsPooled(NAN));
  const TwowayGridData grid =
      Grid(2, 3, {{5, 6, 7}, {8, 9, 9}, {6, 7, 8}, {11, 12, 12}, {7, 7, 9}, {14, 15, 13}});
  const TwowayFactorialResult f = ComputeTwowayFactorial(grid);
  EXPECT_EQ(f.pooled, InteractionIsPooled(f.pab));
  EXPECT_EQ(f.pooled_df, f.df_e + f.df_ab);
  EXPECT_DOUBLE_EQ(f.pooled_ve, (f.se + f.sab) / (f.df_e + f.df_ab));
  const std::string pooled_text = FormatTwowayFactorial(grid, [&] {
    TwowayFactorialResult forced = f;
    forced.pooled = true;  // as if p had been 0.05
    return forced;
  }(), {true, false, false});
  EXPECT_NE(pooled_text.find("No interaction : p >= 0.05\n\nSS for interaction is added to SS for error.\n\n[Tukey]\n"),
            std::string::npos)
      << pooled_text;
  EXPECT_NE(pooled_text.find("A1 vs. A2:**\nB1 vs. B2:"), std::string::npos) << pooled_text;
}

TEST(Anova, FormatsTheDescribedLines) {
  const OnewayResult one = ComputeOneway(OnewayDesign::kFactorial, kOnewayGroups);
  const std::string text = FormatOneway(kOnewayGroups, one, {});
  EXPECT_NE(text.find("\n<<< OnewayANOVA---Factorial >>>\nSelected Data\nCol1:c1\nCol2:c2\nCol3:c3\n\n"
                      "Factor\t\tSS\t\tdf\tVE\t\tF-Ratio\t\tp-value\t\tη2\n" + std::string(89, '-') + "\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("Total\t\tS= 15.973\t14\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Between Groups\tSA= 13.424\t2\tVA=   6.71\tFA= 31.602\tp<0.0001**\t\t0.840432\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("Error\t\tSE=  2.549\t12\tVE=  0.212\n\n"), std::string::npos) << text;

  // Equal means: SA = 0, F = 0, p = 1, eta squared 0.
  const std::vector<ColumnData> equal = {Column(1, {1, 2, 3}), Column(2, {3, 2, 1}), Column(3, {2, 1, 3})};
  const std::string flat = FormatOneway(equal, ComputeOneway(OnewayDesign::kFactorial, equal), {});
  EXPECT_NE(flat.find("Between Groups\tSA=  0.000\t2\tVA=   0.00\tFA=  0.000\tp=1.000000\t\t0.000000\n"),
            std::string::npos)
      << flat;

  // Identical values in every group: no error variance, so F and p are undefined and every
  // comparison is "-".
  const std::vector<ColumnData> constant = {Column(1, {1, 1}), Column(2, {2, 2}), Column(3, {3, 3})};
  OnewayOptions all;
  all.tukey = all.scheffe = all.bonferroni = all.holm = true;
  const std::string zero = FormatOneway(constant, ComputeOneway(OnewayDesign::kFactorial, constant), all);
  EXPECT_NE(zero.find("FA=undefined\tp=undefined\t\t1.000000\n"), std::string::npos) << zero;
  EXPECT_EQ(zero.find(" : *"), std::string::npos) << zero;
  EXPECT_NE(zero.find("Col1 vs. Col3 : -\n"), std::string::npos) << zero;

  // Decimals leave rounding behind in S - SA; it still counts as no error variance.
  const std::vector<ColumnData> decimals = {Column(1, {0.1, 0.1, 0.1}), Column(2, {0.7, 0.7, 0.7}),
                                            Column(3, {0.3, 0.3, 0.3})};
  const OnewayResult flat_decimals = ComputeOneway(OnewayDesign::kFactorial, decimals);
  EXPECT_EQ(flat_decimals.se, 0.0);
  EXPECT_TRUE(std::isnan(flat_decimals.p));
}

std::vector<GroupSummary> Groups(const std::vector<std::pair<int, double>>& count_and_mean) {
  std::vector<GroupSummary> out;
  int column = 1;
  for (const auto& [n, mean] : count_and_mean) out.push_back({column++, n, mean, n * mean});
  return out;
}

TEST(Comparisons, DunnettMessages) {
  struct Case {
    std::string name;
    OnewayDesign design;
    std::vector<GroupSummary> groups;
    int df;
    std::string expected;
  };
  const std::vector<GroupSummary> three = Groups({{5, 1}, {5, 2}, {5, 4}});
  std::vector<std::pair<int, double>> eleven(11, {5, 1.0});
  const std::vector<Case> cases = {
      {"small df", OnewayDesign::kFactorial, three, 4,
       "[Dunnett]--Control Group : Col2\nDunnett cannot be used because of the small sample size.\n\n"},
      {"eleven groups", OnewayDesign::kFactorial, Groups(eleven), 44,
       "[Dunnett]--Control Group : Col2\nDunnett cannot be used because the number of groups is over 11.\n\n"},
      {"unequal sizes", OnewayDesign::kFactorial, Groups({{5, 1}, {5, 2}, {6, 4}}), 13,
       "[Dunnett]--Control Group : Col2\nDunnett cannot be used unless every group has the same sample size.\n\n"},
      // d05(2, 12) = 2.50, d01 = 3.39; sqrt(2 * 0.5 / 5) = 0.4472: limits 1.118 and 1.516.
      {"marks", OnewayDesign::kFactorial, three, 12,
       std::string("[Dunnett]--Control Group : Col2\n") + kComparisonLegend + "Col2 vs. Col1 : -\nCol2 vs. Col3 : **\n\n"},
      {"repeated ignores sizes", OnewayDesign::kRepeated, Groups({{5, 1}, {5, 2}, {6, 4}}), 12,
       std::string("[Dunnett]--Control Group : Col2\n") + kComparisonLegend + "Col2 vs. Col1 : -\nCol2 vs. Col3 : **\n\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(OnewayDunnett(c.design, c.groups, 1, c.df, 0.5), c.expected) << c.name;
}

TEST(Comparisons, BonferroniAndHolmAreTwoSided) {
  EXPECT_DOUBLE_EQ(BonferroniCritical(20, 0.05, 3), TQuantile(20, 0.05 / 6));
  // Holm with distinct statistics: every step beaten down to the last, whose critical value is
  // the plain two-sided t.
  EXPECT_DOUBLE_EQ(HolmCritical({10, 11, 12}, 20, 0.05), TQuantile(20, 0.025));
  // The largest statistic not beaten: the first step's value stays.
  EXPECT_DOUBLE_EQ(HolmCritical({0.1, 0.2, 1.0}, 20, 0.05), TQuantile(20, 0.05 / 6));
  // The first step is beaten (9 > 2.61) but not the second (2.3 < t(20, 0.0125) = 2.42).
  EXPECT_DOUBLE_EQ(HolmCritical({0.1, 2.3, 9.0}, 20, 0.05), TQuantile(20, 0.05 / 6));
  // Tied largest statistics share rank 2.5: no statistic holds rank 3, so the first step
  // stops the procedure even though both are huge.
  EXPECT_DOUBLE_EQ(HolmCritical({0.1, 9.0, 9.0}, 20, 0.05), TQuantile(20, 0.05 / 6));
  EXPECT_DOUBLE_EQ(HolmCritical({0.1, 9.0, 9.5}, 20, 0.05), TQuantile(20, 0.05 / 4));
}

TEST(Comparisons, TwowayLevelAndBlockForms) {
  const TwowayFactorialResult f =
      ComputeTwowayFactorial(Grid(2, 2, {{1, 2, 3}, {1, 2, 3}, {7, 8, 9}, {7, 8, 9}}));
  ASSERT_TRUE(f.pooled);  // no interaction at all
  const std::string tukey = TwowayLevelComparison(ComparisonMethod::kTukey, f.summary, f.pooled_df, f.pooled_ve);
  EXPECT_EQ(tukey, std::string("[Tukey]\n") + kComparisonLegend + "A1 vs. A2:-\nB1 vs. B2:**\n\n");

  BlockMeans block{{3, 4, 5}, {1, 1.1, 9}, {2, 3}, {4, 4.5}};
  const std::string rows = BlockComparison(ComparisonMethod::kScheffe, true, block, 2, 0.01);
  EXPECT_EQ(rows, std::string("[Scheffe : Between Rows]\n") + kComparisonLegend +
                      "Row3 vs. Row4 : -\nRow3 vs. Row5 : **\nRow4 vs. Row5 : **\n\n");
  const std::string columns = BlockComparison(ComparisonMethod::kBonferroni, false, block, 2, 0.0);
  EXPECT_EQ(columns, std::string("[Bonferroni : Between Columns]\n") + kComparisonLegend + "Col2 vs. Col3 : -\n\n");
}

TEST(Comparisons, TukeyBeyondThirtyMeans) {
  // 31 groups of 3 with means 0, 0.35, 0.70, ... and VE 1: df 31 (3 - 1) = 62 reads the 120 row,
  // q05 = 5.4579 and q01 = 6.1397 by integration (the table would give -100 and "**" to all).
  std::vector<std::pair<int, double>> groups;
  for (int i = 0; i < 31; ++i) groups.push_back({3, 0.35 * i});
  const std::string block = OnewayTukey(OnewayDesign::kFactorial, Groups(groups), 3, 1.0);
  // The statistic is D / sqrt((2/3) / 2) = D sqrt(3): 5.456, 6.062 and 6.668 for D = 3.15,
  // 3.5 and 3.85.
  EXPECT_NE(block.find("Col1 vs. Col10 : -\n"), std::string::npos) << block;
  EXPECT_NE(block.find("Col1 vs. Col11 : *\n"), std::string::npos) << block;
  EXPECT_NE(block.find("Col1 vs. Col12 : **\n"), std::string::npos) << block;
  EXPECT_NE(block.find("Col30 vs. Col31 : -\n"), std::string::npos) << block;
}

// R: d <- X[,1] - X[,-1]; n t(colMeans(d)) solve(cov(d)) colMeans(d) = 2305, F = 461,
//    p = 0.0001708455541 (X as kRepeatedRows).
// Profile analysis of kSplitA1 / kSplitA2 with S pooled and C successive differences:
//    [1] T2 4.956521739 F 2.065217391 p 0.2219199593; [2] T2 8.727272727 p 0.02547392834;
//    [3] T2 64.43478261 F 26.84782609 p 0.002117923063.
// With a fifth A2 subject (6, 8, 9) the weighted-profile form of [3] gives
//    (n1 + n2) (C sbar)' (C S C')^-1 (C sbar) = 65.1538461538, F 27.9230769231, p 0.000913094363336.
TEST(Hotelling, AgreesWithR) {
  const OneGroupHotelling one = ComputeOneGroupHotelling(Values(FromRows(kRepeatedRows, 1)));
  ASSERT_TRUE(one.test.computable);
  EXPECT_NEAR(one.test.t2, 2305, 1e-6);
  EXPECT_NEAR(one.test.f, 461, 1e-7);
  EXPECT_NEAR(one.test.p, 0.0001708455541, 1e-6);
  EXPECT_EQ(FormatOneGroupHotelling(one),
            "\n\n[Hotelling's T-Square Test]\n\nHotelling's T-Square : 2305.000\nF=461.000  p=0.0002**\n\n");

  const TwoGroupHotelling two =
      ComputeTwoGroupHotelling(Values(FromRows(kSplitA1, 1)), Values(FromRows(kSplitA2, 4)));
  EXPECT_NEAR(two.parallelism.t2, 4.956521739, 1e-8);
  EXPECT_NEAR(two.parallelism.p, 0.2219199593, 1e-5);
  EXPECT_NEAR(two.between_groups.t2, 8.727272727, 1e-8);
  EXPECT_NEAR(two.between_groups.p, 0.02547392834, 1e-5);
  EXPECT_NEAR(two.within_groups.t2, 64.43478261, 1e-7);
  EXPECT_NEAR(two.within_groups.f, 26.84782609, 1e-7);

  std::vector<std::vector<double>> a2 = kSplitA2;
  a2.push_back({6, 8, 9});
  const TwoGroupHotelling unequal = ComputeTwoGroupHotelling(Values(FromRows(kSplitA1, 1)), Values(FromRows(a2, 4)));
  EXPECT_NEAR(unequal.within_groups.t2, 65.1538461538, 1e-7);
  EXPECT_NEAR(unequal.within_groups.f, 27.9230769231, 1e-7);
  EXPECT_NEAR(unequal.within_groups.p, 0.000913094363336, 1e-5);
}

// With two B levels each contrast is 1 x 2, tests [1] and [3] have df (1, n1 + n2 - 2), and
// with equal groups the three T-squares are the split plot's F-ratios of A*B, A and B.
TEST(Hotelling, TwoLevelsOfBAreTheSplitPlotFRatios) {
  TwowayGridData grid;
  grid.a = 2;
  grid.b = 2;
  std::vector<std::vector<double>> a1, a2;
  for (const auto& row : kSplitA1) a1.push_back({row[0], row[2]});
  for (const auto& row : kSplitA2) a2.push_back({row[0], row[2]});
  const std::vector<ColumnData> c1 = FromRows(a1, 1);
  const std::vector<ColumnData> c2 = FromRows(a2, 3);
  grid.cells = {c1[0], c2[0], c1[1], c2[1]};
  const TwowayRepeatedResult split = ComputeTwowayRepeated(grid);
  const TwoGroupHotelling h = ComputeTwoGroupHotelling(Values(c1), Values(c2));
  EXPECT_NEAR(h.parallelism.f, split.fab, 1e-9 * split.fab);
  EXPECT_NEAR(h.between_groups.f, split.fa, 1e-9 * split.fa);
  EXPECT_NEAR(h.within_groups.f, split.fb, 1e-9 * split.fb);
  EXPECT_NEAR(h.within_groups.p, split.pb, 1e-12);
}

TEST(Hotelling, SingularOrTooLargeData) {
  // Column 3 is column 1 shifted by 0.1: the difference 1 - 3 has no variance at all (up to
  // rounding of the decimals), so the contrast covariance is singular.
  const std::vector<std::vector<double>> shifted = {{1.2, 2.0, 1.3}, {2.4, 2.2, 2.5}, {3.1, 2.9, 3.2}, {0.7, 1.5, 0.8}};
  const OneGroupHotelling one = ComputeOneGroupHotelling(Values(FromRows(shifted, 1)));
  EXPECT_FALSE(one.test.computable);
  EXPECT_EQ(FormatOneGroupHotelling(one), std::string("\n\n[Hotelling's T-Square Test]\n\n") + kHotellingNotComputable);

  // n - p + 1 < 1: three subjects, four columns.
  const std::vector<std::vector<double>> short_rows = {{1, 3, 2, 5}, {2, 2, 4, 4}, {3, 5, 3, 7}};
  EXPECT_FALSE(ComputeOneGroupHotelling(Values(FromRows(short_rows, 1))).test.computable);

  std::vector<std::vector<double>> wide(20, std::vector<double>(16, 1.0));
  EXPECT_EQ(FormatOneGroupHotelling(ComputeOneGroupHotelling(Values(FromRows(wide, 1)))),
            "There are too many columns to perform Hotelling's T-Square test.\n");
  EXPECT_EQ(FormatTwoGroupHotelling(ComputeTwoGroupHotelling(Values(FromRows(wide, 1)), Values(FromRows(wide, 17)))),
            "\n\nFactor B has too many levels to preform Hotelling's T-Square test.\n");
}

}  // namespace
}  // namespace orvel
