// The outlier tests' verdicts and reports, and the random numbers table's structure. The
// expected statistics and verdicts were worked out independently of this program.
#include "analyses/outlier.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "numeric/distributions.h"

namespace orvel {
namespace {

class OutlierTest : public ::testing::Test {
 protected:
  void Fill(int c, const std::vector<double>& values, const std::string& name = "") {
    if (!name.empty()) doc.SetCell(c, 0, name);
    for (std::size_t i = 0; i < values.size(); ++i) {
      char text[32];
      std::snprintf(text, sizeof text, "%g", values[i]);
      doc.SetCell(c, static_cast<int>(i) + 1, text);
    }
  }
  CORVELDoc doc{1201};
};

TEST_F(OutlierTest, ClassificationIsStrictAtBothCriticalValues) {
  EXPECT_EQ(ClassifyOutlier(2.5, 2.4, 2.1), OutlierVerdict::kRejected01);
  EXPECT_EQ(ClassifyOutlier(2.4, 2.4, 2.1), OutlierVerdict::kRejected05);
  EXPECT_EQ(ClassifyOutlier(2.2, 2.4, 2.1), OutlierVerdict::kRejected05);
  EXPECT_EQ(ClassifyOutlier(2.1, 2.4, 2.1), OutlierVerdict::kNotRejected);
  EXPECT_EQ(ClassifyOutlier(std::nan(""), 2.4, 2.1), OutlierVerdict::kNotRejected);
  EXPECT_EQ(ClassifyOutlier(9.0, std::nullopt, std::nullopt), OutlierVerdict::kBeyondTables);
}

TEST_F(OutlierTest, SmirnovGrubbsReports) {
  Fill(2, {5.1, 4.9, 5.0, 5.2, 4.8, 7.9, 5.0, 4.8, 5.3}, "weight");
  SmirnovGrubbsReport(doc, 2);
  EXPECT_EQ(doc.ResultText,
      "\n"
      "\n"
      "<<< Smirnov-Grubbs' Test >>>\n"
      "Col2 : weight\n"
      "\n"
      "Maximum value(C2R6)   7.9000 can be rejected (p<0.01).\n"
      "\n"
      "Minimum value(C2R5)   4.8000 cannot be rejected (p>=0.05).\n"
      "\n");
  doc.ResultText.clear();
  Fill(1, {10.0, 11.5, 9.5, 12.0, 10.5, 14.8, 10.0, 11.0});
  SmirnovGrubbsReport(doc, 1);
  EXPECT_EQ(doc.ResultText,
      "\n"
      "\n"
      "<<< Smirnov-Grubbs' Test >>>\n"
      "Col1 : \n"
      "\n"
      "Maximum value(C1R6)  14.8000 can be rejected (p<0.05).\n"
      "\n"
      "Minimum value(C1R3)   9.5000 cannot be rejected (p>=0.05).\n"
      "\n");
}

TEST_F(OutlierTest, ThompsonReports) {
  Fill(2, {5.1, 4.9, 5.0, 5.2, 4.8, 7.9, 5.0, 4.8, 5.3}, "weight");
  ThompsonReport(doc, 2);
  EXPECT_EQ(doc.ResultText,
      "\n"
      "\n"
      "<<< Thompson's Rejection Test >>>\n"
      "Col2 : weight\n"
      "\n"
      "Maximum value(C2R6)   7.9000 can be rejected (p<0.01).\n"
      "\n"
      "Minimum value(C2R5)   4.8000 cannot be rejected (p>=0.05).\n"
      "\n");
  doc.ResultText.clear();
  // The same data reach only 5% with Smirnov-Grubbs but 1% with Thompson.
  Fill(1, {10.0, 11.5, 9.5, 12.0, 10.5, 14.8, 10.0, 11.0});
  ThompsonReport(doc, 1);
  EXPECT_EQ(doc.ResultText,
      "\n"
      "\n"
      "<<< Thompson's Rejection Test >>>\n"
      "Col1 : \n"
      "\n"
      "Maximum value(C1R6)  14.8000 can be rejected (p<0.01).\n"
      "\n"
      "Minimum value(C1R3)   9.5000 cannot be rejected (p>=0.05).\n"
      "\n");
}

TEST_F(OutlierTest, TiedExtremesReportTheLastMaximumAndTheFirstMinimum) {
  Fill(1, {2, 9, 4, 9, 2});
  SmirnovGrubbsReport(doc, 1);
  ThompsonReport(doc, 1);
  EXPECT_EQ(doc.ResultText,
      "\n"
      "\n"
      "<<< Smirnov-Grubbs' Test >>>\n"
      "Col1 : \n"
      "\n"
      "Maximum value(C1R4)   9.0000 cannot be rejected (p>=0.05).\n"
      "\n"
      "Minimum value(C1R1)   2.0000 cannot be rejected (p>=0.05).\n"
      "\n"
      "\n"
      "\n"
      "<<< Thompson's Rejection Test >>>\n"
      "Col1 : \n"
      "\n"
      "Maximum value(C1R4)   9.0000 cannot be rejected (p>=0.05).\n"
      "\n"
      "Minimum value(C1R1)   2.0000 cannot be rejected (p>=0.05).\n"
      "\n");
}

TEST_F(OutlierTest, ThreeValuesAreEnough) {
  Fill(1, {1, 2, 9});
  const OutlierTestResult g = ComputeSmirnovGrubbs(doc, 1);
  EXPECT_EQ(g.n, 3);
  EXPECT_NEAR(g.max_statistic, 1.1470786693528088, 1e-12);
  EXPECT_EQ(g.max_verdict, OutlierVerdict::kNotRejected);  // 1.1471 < 1.153
  const OutlierTestResult t = ComputeThompson(doc, 1);
  // Deviations -3, -2, 5: tau² = 25 / (38/3), t = tau / sqrt(2 - tau²) = 5 sqrt(3).
  EXPECT_NEAR(t.max_statistic, 5 * std::sqrt(3.0), 1e-9);
  EXPECT_EQ(t.max_verdict, OutlierVerdict::kRejected05);  // between t(1) 5% 6.19 and 1% 27.5
}

TEST_F(OutlierTest, ThompsonGrowsWithoutBoundAtTheLargestPossibleDeviation) {
  EXPECT_NEAR(ThompsonStatistic(1.0, 5), std::sqrt(3.0) / std::sqrt(3.0), 1e-15);
  EXPECT_GT(ThompsonStatistic(1.999, 5), 50.0);
  EXPECT_EQ(ThompsonStatistic(2.0, 5), std::numeric_limits<double>::infinity());
  // Rounding can carry tau a hair beyond the bound; the statistic stays infinite, not NaN.
  EXPECT_EQ(ThompsonStatistic(std::nextafter(2.0, 3.0), 5), std::numeric_limits<double>::infinity());
  EXPECT_TRUE(std::isnan(ThompsonStatistic(std::nan(""), 5)));

  // One value against four equal ones reaches the bound.
  Fill(1, {1, 1, 1, 1, 10});
  const OutlierTestResult r = ComputeThompson(doc, 1);
  EXPECT_EQ(r.max_verdict, OutlierVerdict::kRejected01);
  EXPECT_EQ(r.min_verdict, OutlierVerdict::kNotRejected);
}

TEST_F(OutlierTest, AColumnWithoutSpreadRejectsNothing) {
  Fill(1, {4, 4, 4, 4});
  SmirnovGrubbsReport(doc, 1);
  ThompsonReport(doc, 1);
  EXPECT_EQ(doc.ResultText.find("can be rejected"), std::string::npos);
  EXPECT_EQ(doc.ResultText.find("nan"), std::string::npos);
}

TEST_F(OutlierTest, SmirnovGrubbsBeyondTheTablesSaysSo) {
  std::vector<double> values;
  for (int i = 0; i < 1001; ++i) values.push_back(i % 10);
  values[500] = 1000;  // far out, but no critical value exists for 1001 values
  Fill(1, values);
  SmirnovGrubbsReport(doc, 1);
  EXPECT_EQ(doc.ResultText,
            "\n\n<<< Smirnov-Grubbs' Test >>>\nCol1 : \n\n"
            "Maximum value(C1R501) 1000.0000 cannot be tested: the critical values are tabulated only up to 1000 "
            "values.\n\n"
            "Minimum value(C1R1)   0.0000 cannot be tested: the critical values are tabulated only up to 1000 "
            "values.\n\n");
  // 1000 values are still tested.
  doc.ClearCell(1, 1001);
  doc.ResultText.clear();
  SmirnovGrubbsReport(doc, 1);
  EXPECT_NE(doc.ResultText.find("Maximum value(C1R501) 1000.0000 can be rejected (p<0.01).\n\n"), std::string::npos);
}

TEST_F(OutlierTest, DataListingFollowsTheVerdicts) {
  Fill(1, {1, 2, 9}, "x");
  doc.SetIncludeDataInResult(true);
  ThompsonReport(doc, 1);
  const std::string tail = "\nCol1 : x\n1, 2, 9\n";
  ASSERT_GE(doc.ResultText.size(), tail.size());
  EXPECT_EQ(doc.ResultText.substr(doc.ResultText.size() - tail.size()), tail);
}

// ---- Random numbers table ----------------------------------------------------------------

TEST(ClassicRandomTest, SequenceOfTheClassicGenerator) {
  // The C library's portable example generator, seeded with 1.
  ClassicRandom g(1);
  const std::vector<int> expected = {16838, 5758, 10113, 17515, 31051, 5627, 23010, 7419, 16212, 4086};
  for (int v : expected) EXPECT_EQ(g.Next(), v);
  EXPECT_EQ(RandomSeedFromTime(0x1'0000'0005LL), 5u);  // the seed keeps the low 32 bits
}

void ExpectValidTable(const RandomNumbersTable& t, int a, int b) {
  ASSERT_EQ(t.completely_randomized.size(), static_cast<std::size_t>(b));
  ASSERT_EQ(t.random_block.size(), static_cast<std::size_t>(b));
  std::vector<int> tally(static_cast<std::size_t>(a), 0);
  for (const auto& row : t.completely_randomized) {
    ASSERT_EQ(row.size(), static_cast<std::size_t>(a));
    for (int v : row) {
      ASSERT_GE(v, 0);
      ASSERT_LT(v, a);
      ++tally[static_cast<std::size_t>(v)];
    }
  }
  for (int n : tally) EXPECT_EQ(n, b) << "each group appears once per repetition in the whole table";
  for (const auto& row : t.random_block) {
    std::vector<int> sorted = row;
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < a; ++i) EXPECT_EQ(sorted[static_cast<std::size_t>(i)], i) << "a block is a permutation";
  }
}

TEST(RandomNumbersTableTest, EveryGroupAppearsTheRightNumberOfTimes) {
  for (std::uint32_t seed : {0u, 1u, 12345u, 1733650000u, 0xFFFFFFFFu})
    for (int a : {2, 3, 7, 10})
      for (int b : {1, 2, 10, 30}) {
        SCOPED_TRACE(testing::Message() << "seed " << seed << " a " << a << " b " << b);
        ExpectValidTable(MakeRandomNumbersTable(a, b, seed), a, b);
      }
}

TEST(RandomNumbersTableTest, SameSeedSameTableAndSeedsDiffer) {
  const RandomNumbersTable one = MakeRandomNumbersTable(10, 30, 42);
  const RandomNumbersTable two = MakeRandomNumbersTable(10, 30, 42);
  EXPECT_EQ(one.completely_randomized, two.completely_randomized);
  EXPECT_EQ(one.random_block, two.random_block);
  const RandomNumbersTable other = MakeRandomNumbersTable(10, 30, 43);
  EXPECT_NE(one.completely_randomized, other.completely_randomized);
}

TEST(RandomNumbersTableTest, SizesOutsideTheDialogRangesGiveNothing) {
  EXPECT_TRUE(MakeRandomNumbersTable(1, 10, 1).completely_randomized.empty());
  EXPECT_TRUE(MakeRandomNumbersTable(11, 10, 1).random_block.empty());
  EXPECT_TRUE(MakeRandomNumbersTable(2, 0, 1).completely_randomized.empty());
  EXPECT_TRUE(MakeRandomNumbersTable(2, 31, 1).random_block.empty());
}

TEST(RandomNumbersTableTest, ReportLayout) {
  CORVELDoc doc;
  RandomNumbersTableReport(doc, 2, 1, 7);
  // With two groups and one repetition both methods write a permutation of 0 and 1.
  const RandomNumbersTable t = MakeRandomNumbersTable(2, 1, 7);
  const auto row = [](const std::vector<int>& r) { return "\t" + std::to_string(r[0]) + "\t" + std::to_string(r[1]) + "\n"; };
  EXPECT_EQ(doc.ResultText, "\n\n<<<Random Numbers Table>>>\nRandom numbers from 0 to 1(The number of repetitions is 1)\n"
                            "[Completely Randomized method]\n" + row(t.completely_randomized[0]) +
                                "\n[Random Block method]\n" + row(t.random_block[0]) + "\n");
  ExpectValidTable(t, 2, 1);

  doc.ResultText.clear();
  RandomNumbersTableReport(doc, 10, 30, 99);
  // Title, range line, two method lines, 60 rows and two blank lines.
  EXPECT_EQ(std::count(doc.ResultText.begin(), doc.ResultText.end(), '\n'), 2 + 2 + 2 + 60 + 2);
  EXPECT_EQ(std::count(doc.ResultText.begin(), doc.ResultText.end(), '\t'), 600);
  EXPECT_NE(doc.ResultText.find("Random numbers from 0 to 9(The number of repetitions is 30)\n"), std::string::npos);
}

}  // namespace
}  // namespace orvel
