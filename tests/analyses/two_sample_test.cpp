// The two-sample tests' statistics and whole reports on small data sets. The expected texts
// were worked out independently of this program (the handbook formulas evaluated by hand in a
// separate calculation), never copied from its output.
#include "analyses/two_sample.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace orvel {
namespace {

// True when every cell of row r counts as its text says (a run left no row out of the sheet).
bool EveryCellCounts(const CORVELDoc& doc, int r) {
  for (int c = 0; c <= kLastColumn; ++c)
    if (doc.HasText(c, r) != !doc.Text(c, r).empty()) return false;
  return true;
}

class TwoSampleTest : public ::testing::Test {
 protected:
  // Writes the values into rows 1.. of column c; an empty text leaves a missing value.
  void Fill(int c, const std::vector<std::string>& values, const std::string& name = "") {
    if (!name.empty()) doc.SetCell(c, 0, name);
    for (std::size_t i = 0; i < values.size(); ++i)
      if (!values[i].empty()) doc.SetCell(c, static_cast<int>(i) + 1, values[i]);
  }
  void UseXY(int x, int y) {
    doc.SetTwoGroupX(x);
    doc.SetTwoGroupY(y);
  }
  static void ExpectNoCLibrarySpellings(const std::string& text) {
    for (const char* bad : {"nan", "inf", "-100"}) EXPECT_EQ(text.find(bad), std::string::npos) << bad << " in\n" << text;
  }
  CORVELDoc doc;
};

// ---- Unpaired t test ---------------------------------------------------------------------

TEST_F(TwoSampleTest, UnpairedStudentWithUnequalSizesHasBothNotesAfterEachPowerStatement) {
  Fill(1, {"12.1", "11.4", "13.0", "12.6", "11.9", "12.3", "12.8"});
  Fill(2, {"11.8", "12.0", "11.2", "12.4", "11.6", "11.5"});
  UnpairedTTestReport(doc);
  EXPECT_EQ(doc.ResultText,
      "\n"
      "\n"
      "<<< Unpaired t-test >>>\n"
      "\n"
      "X:Col1 \n"
      "Y:Col2 \n"
      "\n"
      "------------------------------------------------------------------------\n"
      "Data\tnumber\tmean\t\tsd\t\tse\n"
      "------------------------------------------------------------------------\n"
      "Col1\t7\t12.300000\t 0.553775\t 0.209307\n"
      "Col2\t6\t11.750000\t 0.418330\t 0.170783\n"
      "------------------------------------------------------------------------\n"
      "\n"
      "95%CI of mean difference\n"
      "[-0.058528,1.158528]\n"
      "\n"
      "F test recommended Student's t-test.\n"
      "\n"
      "[two-sided test]\n"
      "\n"
      "------------------------------------------------------------------------\n"
      "t-value\t\tdf\tp-value\t\tCohen's d\teffect size r\n"
      "------------------------------------------------------------------------\n"
      " 1.989881\t11\tp=0.072041\t1.203509\t0.514478\n"
      "------------------------------------------------------------------------\n"
      "statistical power <= 0.8 for p-value 0.05.\n"
      "Over 15 samples are required for X and Y respectively to get statistical power > 0.8.\n"
      "The mean of X and Y was used to calculate statistical power bacause the sample size of X is different from that of Y.\n"
      "Make the sample size of X and Y equal to calculate precise statistical power.\n"
      "\n"
      "\n"
      "[one-sided test]\n"
      "\n"
      "------------------------------------------------------------------------\n"
      "t-value\t\tdf\tp-value\n"
      "------------------------------------------------------------------------\n"
      " 1.989881\t11\tp=0.036021*\n"
      "------------------------------------------------------------------------\n"
      "Statistical power <= 0.8 for p-value 0.05\n"
      "Over 11 samples are required for X and Y respectively to get statistical power > 0.8.\n"
      "The mean of X and Y was used to calculate statistical power bacause the sample size of X is different from that of Y.\n"
      "Make the sample size of X and Y equal to calculate precise statistical power.\n"
      "\n");
}

TEST_F(TwoSampleTest, UnpairedWelchReplacesBothPowerBlocks) {
  Fill(3, {"10.2", "14.8", "7.9", "18.5", "12.0", "5.5", "16.3"}, "wide");
  Fill(5, {"11.1", "11.3", "11.0", "11.4", "11.2"}, "narrow");
  UseXY(3, 5);
  UnpairedTTestReport(doc);
  EXPECT_EQ(doc.ResultText,
      "\n"
      "\n"
      "<<< Unpaired t-test >>>\n"
      "\n"
      "X:Col3 wide\n"
      "Y:Col5 narrow\n"
      "\n"
      "------------------------------------------------------------------------\n"
      "Data\tnumber\tmean\t\tsd\t\tse\n"
      "------------------------------------------------------------------------\n"
      "Col3\t7\t12.171429\t 4.666803\t 1.763886\n"
      "Col5\t5\t11.200000\t 0.158114\t 0.070711\n"
      "------------------------------------------------------------------------\n"
      "\n"
      "95%CI of mean difference\n"
      "[-3.349559,5.292416]\n"
      "\n"
      "F test recommended Welch's t-test.\n"
      "\n"
      "[two-sided test]\n"
      "\n"
      "------------------------------------------------------------------------\n"
      "t-value\t\tdf\tp-value\t\tCohen's d\teffect size r\n"
      "------------------------------------------------------------------------\n"
      " 0.550290\t6\tp=0.601989\t0.294266\t0.219192\n"
      "------------------------------------------------------------------------\n"
      "Statistical power was not calculated because F test didn't assume equal variances.\n"
      "\n"
      "\n"
      "[one-sided test]\n"
      "\n"
      "------------------------------------------------------------------------\n"
      "t-value\t\tdf\tp-value\n"
      "------------------------------------------------------------------------\n"
      " 0.550290\t6\tp=0.300995\n"
      "------------------------------------------------------------------------\n"
      "Statistical power was not calculated because F test didn't assume equal variances.\n"
      "\n");
  // The Welch df 6.019... is printed rounded.
  EXPECT_EQ(ComputeUnpairedTTest(doc).df, 6);
}

TEST_F(TwoSampleTest, IdenticalColumnsGiveZeroTAndNoPowerLines) {
  Fill(1, {"3", "5", "4", "6", "8"});
  Fill(2, {"3", "5", "4", "6", "8"});
  UnpairedTTestReport(doc);
  EXPECT_EQ(doc.ResultText,
      "\n"
      "\n"
      "<<< Unpaired t-test >>>\n"
      "\n"
      "X:Col1 \n"
      "Y:Col2 \n"
      "\n"
      "------------------------------------------------------------------------\n"
      "Data\tnumber\tmean\t\tsd\t\tse\n"
      "------------------------------------------------------------------------\n"
      "Col1\t5\t 5.200000\t 1.923538\t 0.860233\n"
      "Col2\t5\t 5.200000\t 1.923538\t 0.860233\n"
      "------------------------------------------------------------------------\n"
      "\n"
      "95%CI of mean difference\n"
      "[-2.806255,2.806255]\n"
      "\n"
      "F test recommended Student's t-test.\n"
      "\n"
      "[two-sided test]\n"
      "\n"
      "------------------------------------------------------------------------\n"
      "t-value\t\tdf\tp-value\t\tCohen's d\teffect size r\n"
      "------------------------------------------------------------------------\n"
      " 0.000000\t8\tp=1.000000\t0.000000\t0.000000\n"
      "------------------------------------------------------------------------\n"
      "\n"
      "[one-sided test]\n"
      "\n"
      "------------------------------------------------------------------------\n"
      "t-value\t\tdf\tp-value\n"
      "------------------------------------------------------------------------\n"
      " 0.000000\t8\tp=0.500000\n"
      "------------------------------------------------------------------------\n");
}

TEST_F(TwoSampleTest, WelchDegreesOfFreedomRoundHalvesUpward) {
  // c = 1/4 with 3 and 5 df gives exactly 7.5; c = 1/2 with 5 and 3 df too.
  EXPECT_EQ(WelchDegreesOfFreedom(1.0, 3.0, 4, 6), 8);
  EXPECT_EQ(WelchDegreesOfFreedom(2.0, 2.0, 6, 4), 8);
  // Just below a half rounds down: 1 / (0.81/3 + 0.01/5) = 3.676...
  EXPECT_EQ(WelchDegreesOfFreedom(9.0, 1.0, 4, 6), 4);
  EXPECT_EQ(WelchDegreesOfFreedom(99.0, 1.0, 4, 6), 3);
}

TEST_F(TwoSampleTest, VarianceCheckUsesTheTwoSidedFivePercentBounds) {
  // F(4, 4): the upper 2.5% point is about 9.6045.
  EXPECT_TRUE(VariancesLookEqual(3.0, 1.0, 5, 5));              // F = 9
  EXPECT_FALSE(VariancesLookEqual(std::sqrt(9.7), 1.0, 5, 5));  // F = 9.7
  EXPECT_TRUE(VariancesLookEqual(1.0, 3.0, 5, 5));              // F = 1/9
  EXPECT_FALSE(VariancesLookEqual(1.0, std::sqrt(9.7), 5, 5));
  EXPECT_TRUE(VariancesLookEqual(0.0, 0.0, 5, 5));
  EXPECT_FALSE(VariancesLookEqual(1.0, 0.0, 5, 5));
}

TEST_F(TwoSampleTest, ColumnsWithoutSpreadNeverPrintCLibrarySpellings) {
  // Equal constants: t = 0 and p = 1; Cohen's d divides 0 by 0.
  Fill(1, {"4", "4", "4"});
  Fill(2, {"4", "4", "4", "4"});
  UnpairedTTestReport(doc);
  EXPECT_NE(doc.ResultText.find(" 0.000000\t5\tp=1.000000\tundefined\t0.000000\n"), std::string::npos);
  EXPECT_EQ(doc.ResultText.find("statistical power"), std::string::npos);
  ExpectNoCLibrarySpellings(doc.ResultText);

  // Different constants: the statistic divides by a spread of 0 and has no value.
  doc.ResultText.clear();
  doc.SetCell(2, 1, "6");
  doc.SetCell(2, 2, "6");
  doc.SetCell(2, 3, "6");
  doc.SetCell(2, 4, "6");
  const UnpairedTTestResult r = ComputeUnpairedTTest(doc);
  EXPECT_FALSE(r.welch);
  EXPECT_TRUE(std::isnan(r.t));
  UnpairedTTestReport(doc);
  EXPECT_NE(doc.ResultText.find("undefined\t5\tp=undefined\tundefined\tundefined\n"), std::string::npos);
  EXPECT_NE(doc.ResultText.find("[-2.000000,-2.000000]"), std::string::npos);
  ExpectNoCLibrarySpellings(doc.ResultText);
}

// ---- Paired t test -----------------------------------------------------------------------

TEST_F(TwoSampleTest, PairedWithXBelowYPrintsANegativeT) {
  Fill(3, {"10", "12", "9", "14", "11", "13"}, "pre");
  Fill(4, {"12", "13", "11", "15", "11", "16"}, "post");
  UseXY(3, 4);
  PairedTTestReport(doc);
  EXPECT_EQ(doc.ResultText,
      "\n"
      "\n"
      "<<< Paired t-test >>>\n"
      "\n"
      "X:Col3 pre\n"
      "Y:Col4 post\n"
      "\n"
      "------------------------------------------------------------------------\n"
      "data\tnumber\tmean\t\tsd\t\tse\n"
      "------------------------------------------------------------------------\n"
      "Col3\t6\t11.500000\t 1.870829\t 0.763763\n"
      "Col4\t6\t13.000000\t 2.097618\t 0.856349\n"
      "------------------------------------------------------------------------\n"
      "\n"
      "\n"
      "95%CI of mean difference\n"
      "[-2.601040,-0.398960]\n"
      "\n"
      "[two-sided test]\n"
      "\n"
      "------------------------------------------------------------------------\n"
      "t-value\t\tdf\tp-value\t\tCohen's d\teffect size r\n"
      "------------------------------------------------------------------------\n"
      "-3.503245\t5\tp=0.017224*\t0.754732\t0.842927\n"
      "------------------------------------------------------------------------\n"
      "statistical power > 0.8 for p-value 0.05\n"
      "\n"
      "[one-sided test]\n"
      "\n"
      "------------------------------------------------------------------------\n"
      "t-value\t\tdf\tp-value\n"
      "------------------------------------------------------------------------\n"
      "-3.503245\t5\tp=0.008612**\n"
      "------------------------------------------------------------------------\n"
      "statistical power > 0.8 for p-value 0.05\n");
}

TEST_F(TwoSampleTest, PairedSkipsIncompleteRowsListsThemAndRestoresThem) {
  Fill(1, {"1", "2", "3", "4"});
  Fill(2, {"2", "", "5", "4"});
  doc.SetIncludeDataInResult(true);
  PairedTTestReport(doc);
  EXPECT_EQ(doc.ResultText,
      "\n"
      "\n"
      "<<< Paired t-test >>>\n"
      "\n"
      "X:Col1 \n"
      "Y:Col2 \n"
      "\n"
      "------------------------------------------------------------------------\n"
      "data\tnumber\tmean\t\tsd\t\tse\n"
      "------------------------------------------------------------------------\n"
      "Col1\t3\t 2.666667\t 1.527525\t 0.881917\n"
      "Col2\t3\t 3.666667\t 1.527525\t 0.881917\n"
      "------------------------------------------------------------------------\n"
      "\n"
      "\n"
      "95%CI of mean difference\n"
      "[-3.484138,1.484138]\n"  // the exact t(2) point 4.302653
      "\n"
      "[two-sided test]\n"
      "\n"
      "------------------------------------------------------------------------\n"
      "t-value\t\tdf\tp-value\t\tCohen's d\teffect size r\n"
      "------------------------------------------------------------------------\n"
      "-1.732051\t2\tp=0.225403\t0.654654\t0.774597\n"
      "------------------------------------------------------------------------\n"
      "statistical power<=0.8 for p-value 0.05\n"
      "Over 12 samples are required for X and Y respectively to get statistical power > 0.8.\n"
      "\n"
      "[one-sided test]\n"
      "\n"
      "------------------------------------------------------------------------\n"
      "t-value\t\tdf\tp-value\n"
      "------------------------------------------------------------------------\n"
      "-1.732051\t2\tp=0.112702\n"
      "------------------------------------------------------------------------\n"
      "statistical power <= 0.8 for p-value 0.05\n"
      "Over 9 samples are required for X and Y respectively to get statistical power > 0.8.\n"
      "\n"
      "Col1 : \n"
      "1, 2, 3, 4\n"
      "\n"
      "Col2 : \n"
      "2, , 5, 4\n"
      "\n"
      "The following rows were skipped because they have missing values.\n"
      "Row 2\n");
  EXPECT_TRUE(doc.IsNumeric(1, 2));
  EXPECT_TRUE(EveryCellCounts(doc, 2));
  EXPECT_EQ(CompletePairCount(doc), 3);
}

TEST_F(TwoSampleTest, PairedDifferencesWithoutSpread) {
  Fill(1, {"1", "2", "3"});
  Fill(2, {"1", "2", "3"});
  PairedTTestResult same = ComputePairedTTest(doc);
  EXPECT_EQ(same.t, 0.0);
  EXPECT_EQ(same.one_sided_p, 0.5);
  // A constant non-zero difference: no finite t, and no power lines for it.
  Fill(2, {"2", "3", "4"});
  const PairedTTestResult shifted = ComputePairedTTest(doc);
  EXPECT_TRUE(std::isnan(shifted.t));
  PairedTTestReport(doc);
  EXPECT_NE(doc.ResultText.find("undefined\t2\tp=undefined\t"), std::string::npos);
  EXPECT_EQ(doc.ResultText.find("statistical power"), std::string::npos);
  ExpectNoCLibrarySpellings(doc.ResultText);
}

// ---- F test ------------------------------------------------------------------------------

TEST_F(TwoSampleTest, FTestReport) {
  Fill(1, {"12.1", "11.4", "13.0", "12.6", "11.9", "12.3", "12.8"});
  Fill(2, {"11.8", "12.0", "11.2", "12.4", "11.6", "11.5"});
  FTestReport(doc);
  EXPECT_EQ(doc.ResultText,
      "\n"
      "\n"
      "<<< F Test >>>\n"
      "\n"
      "X:Col1 \tY:Col2 \n"
      "\n"
      "[Two-sided Test]\n"
      "\n"
      "df of X\tdf of Y\tT-value\t\tp-value\n"
      "----------------------------------------------------------------------\n"
      "6\t5\t 1.752381\tp=0.554712\n"
      "\n"
      "[One-sided Test]\n"
      "\n"
      "df of X\tdf of Y\tT-value\t\tp-value\n"
      "----------------------------------------------------------------------\n"
      "6\t5\t 1.752381\tp=0.277356\n"
      "\n");
}

TEST_F(TwoSampleTest, FTestAtTheMedianOfTheDistribution) {
  // F = 1 with 2 and 2 df: the upper probability is exactly one half.
  Fill(1, {"1", "2", "3"});
  Fill(2, {"4", "5", "6"});
  const FTestResult r = ComputeFTest(doc);
  EXPECT_EQ(r.two_sided_p, 1.0);
  EXPECT_EQ(r.one_sided_p, 0.5);
  FTestReport(doc);
  EXPECT_EQ(doc.ResultText,
      "\n"
      "\n"
      "<<< F Test >>>\n"
      "\n"
      "X:Col1 \tY:Col2 \n"
      "\n"
      "[Two-sided Test]\n"
      "\n"
      "df of X\tdf of Y\tT-value\t\tp-value\n"
      "----------------------------------------------------------------------\n"
      "2\t2\t 1.000000\tp=1.000000\n"
      "\n"
      "[One-sided Test]\n"
      "\n"
      "df of X\tdf of Y\tT-value\t\tp-value\n"
      "----------------------------------------------------------------------\n"
      "2\t2\t 1.000000\tp=0.500000\n"
      "\n");
}

TEST(FTestLargeSamples, PValueHoldsBeyondTwoThousandValuesPerGroup) {
  // Y repeats -24.5 .. 24.5; X is Y times a factor, so F is the factor squared. Two-sided p from
  // a 40-digit incomplete beta of F(n - 1, n - 1); once both groups passed about 2000 values the
  // tail used to underflow to p<0.0001.
  struct Case {
    int n;
    double factor, p;
  };
  const Case cases[] = {
      {2500, 1.02, 0.322270931353},
      {10000, 1.0, 1.0},
      {2000, 0.99, 0.653220791392},
      {20000, 1.01, 0.159390354472},
  };
  for (const Case& c : cases) {
    CORVELDoc doc(c.n + 1);
    char text[32];
    for (int i = 1; i <= c.n; ++i) {
      const double y = (i % 50) - 24.5;
      std::snprintf(text, sizeof text, "%.10g", c.factor * y);
      doc.SetCell(1, i, text);
      std::snprintf(text, sizeof text, "%.10g", y);
      doc.SetCell(2, i, text);
    }
    doc.SetTwoGroupX(1);
    doc.SetTwoGroupY(2);
    const FTestResult r = ComputeFTest(doc);
    EXPECT_EQ(r.df1, c.n - 1);
    EXPECT_NEAR(r.f, c.factor * c.factor, 1e-9) << c.n;
    // Both df odd: the series' historical pi is worth a few 1e-7.
    EXPECT_NEAR(r.two_sided_p, c.p, 1e-6) << c.n;
  }
}

TEST_F(TwoSampleTest, FTestWithAConstantYHasNoStatistic) {
  Fill(1, {"1", "2", "3"});
  Fill(2, {"5", "5", "5"});
  FTestReport(doc);
  EXPECT_NE(doc.ResultText.find("2\t2\tundefined\tp=undefined\n"), std::string::npos);
  ExpectNoCLibrarySpellings(doc.ResultText);
}

// ---- Bartlett's test ---------------------------------------------------------------------

TEST_F(TwoSampleTest, BartlettWithEqualVariancesGivesZeroAndOne) {
  Fill(1, {"1", "2", "3", "4"}, "a");
  Fill(2, {"5", "6", "7", "8"}, "b");
  Fill(4, {"10", "11", "12", "13"}, "c");
  for (int c : {1, 2, 4}) doc.SetGroupColumn(c, true);
  BartlettTestReport(doc);
  EXPECT_EQ(doc.ResultText,
      "\n"
      "\n"
      "<<< Bartlett Test >>>\n"
      "\n"
      "Selected Columns\n"
      "Col1:a\n"
      "Col2:b\n"
      "Col4:c\n"
      "\n"
      "B=0.000000\n"
      "p=1.000000\n"
      "\n");
}

TEST_F(TwoSampleTest, BartlettReports) {
  Fill(1, {"4.1", "5.2", "3.9", "4.8", "5.0"}, "a");
  Fill(2, {"2.0", "8.5", "5.1", "9.9", "1.2", "6.3"}, "b");
  Fill(3, {"5.5", "6.9", "4.1", "5.6"}, "c");
  for (int c : {1, 2, 3}) doc.SetGroupColumn(c, true);
  BartlettTestReport(doc);
  EXPECT_EQ(doc.ResultText,
      "\n"
      "\n"
      "<<< Bartlett Test >>>\n"
      "\n"
      "Selected Columns\n"
      "Col1:a\n"
      "Col2:b\n"
      "Col3:c\n"
      "\n"
      "B=10.360041\n"
      "p=0.005628**\n"
      "\n");
  doc.ResultText.clear();
  doc.SetCell(3, 2, "7.9");
  doc.SetCell(3, 3, "3.1");
  BartlettTestReport(doc);
  EXPECT_EQ(doc.ResultText,
      "\n"
      "\n"
      "<<< Bartlett Test >>>\n"
      "\n"
      "Selected Columns\n"
      "Col1:a\n"
      "Col2:b\n"
      "Col3:c\n"
      "\n"
      "B=8.653411\n"
      "p=0.013211*\n"
      "\n");
}

TEST_F(TwoSampleTest, BartlettWithAColumnWithoutSpreadIsUndefined) {
  Fill(1, {"1", "2", "3"});
  Fill(2, {"2", "2", "2"});
  Fill(3, {"1"});
  for (int c : {1, 2, 3}) doc.SetGroupColumn(c, true);
  BartlettTestReport(doc);
  EXPECT_NE(doc.ResultText.find("\nB=undefined\np=undefined\n\n"), std::string::npos);
  ExpectNoCLibrarySpellings(doc.ResultText);
}

// ---- Goodness of fit ---------------------------------------------------------------------

TEST_F(TwoSampleTest, GoodnessOfFitReports) {
  Fill(1, {"18", "22", "29", "31"});
  Fill(2, {"25", "25", "25", "25"});
  GoodnessOfFitReport(doc);
  EXPECT_EQ(doc.ResultText,
      "\n"
      "\n"
      "<<< Goodness-of-fit test >>>\n"
      "\n"
      "X (Observed frequency) : Col1 \n"
      "Y (Expected frequency) : Col2 \n"
      "\n"
      "df\tX-squared\tp-value\n"
      "------------------------------------------------------------\n"
      "3\t 4.400000\tp=0.221386\n"
      "\n");
  doc.ResultText.clear();
  Fill(1, {"30", "14", "34", "45", "57", "20"});
  Fill(2, {"20", "20", "30", "40", "60", "30"});
  GoodnessOfFitReport(doc);
  EXPECT_EQ(doc.ResultText,
      "\n"
      "\n"
      "<<< Goodness-of-fit test >>>\n"
      "\n"
      "X (Observed frequency) : Col1 \n"
      "Y (Expected frequency) : Col2 \n"
      "\n"
      "df\tX-squared\tp-value\n"
      "------------------------------------------------------------\n"
      "5\t11.441667\tp=0.043293*\n"
      "\n");
}

TEST_F(TwoSampleTest, ExpectedFrequenciesMustBePositive) {
  Fill(1, {"3", "4", "5"});
  Fill(2, {"4", "4", "4"});
  EXPECT_FALSE(HasNonPositiveExpectedFrequency(doc));
  doc.SetCell(2, 2, "0");
  EXPECT_TRUE(HasNonPositiveExpectedFrequency(doc));
  doc.SetCell(2, 2, "-1");
  EXPECT_TRUE(HasNonPositiveExpectedFrequency(doc));
  doc.ClearCell(1, 2);  // a row without an observed frequency is not counted
  EXPECT_FALSE(HasNonPositiveExpectedFrequency(doc));
}

}  // namespace
}  // namespace orvel
