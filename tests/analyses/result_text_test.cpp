#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "analyses/result_text.h"
#include "analyses/summary.h"

namespace orvel {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(ResultTextTest, NonFiniteNumbersPrintAsOneReadableWord) {
  EXPECT_EQ(FormatReport("%9.6f|%.6f|%12.3f|%-10f|", kNaN, -kInf, kInf, kNaN),
            "undefined|undefined|   undefined|undefined |");
  EXPECT_EQ(FormatReport("%d\t%.6f\t%s %5.2f%%", 3, 1.5, "x", 2.25), "3\t1.500000\tx  2.25%");
  EXPECT_EQ(FormatReport("%7.3f %e", -0.0005, 12345.0), " -0.001 1.234500e+04");
  EXPECT_EQ(PValueText(kNaN), "p=undefined");
}

TEST(ResultTextTest, SignificanceMarksUseStrictBounds) {
  EXPECT_EQ(PValueWithMark(0.00005), "p<0.0001**");
  EXPECT_EQ(PValueWithMark(0.0001), "p=0.000100**");
  EXPECT_EQ(PValueWithMark(0.01), "p=0.010000*");
  EXPECT_EQ(PValueWithMark(0.05), "p=0.050000");
  EXPECT_EQ(PValueText(0.01234, "p=%5.4f"), "p=0.0123");
  EXPECT_STREQ(SignificanceMark(0.0099), "**");
  EXPECT_STREQ(SignificanceMark(kNaN), "");
}

TEST(ResultTextTest, ColumnListingTenToALineAndSkippedRows) {
  CORVELDoc doc;
  doc.SetCell(3, 0, "W");
  for (int r = 1; r <= 12; ++r)
    if (r != 4) doc.SetCell(3, r, std::to_string(r));
  ListColumnData(doc, 3);
  EXPECT_EQ(doc.ResultText, "\nCol3 : W\n1, 2, 3, , 5, 6, 7, 8, 9, 10\n11, 12\n");
  doc.ResultText.clear();
  ListColumnData(doc, 101);
  ListSkippedRows(doc, doc);
  EXPECT_EQ(doc.ResultText, "");
  // Column 5 lacks rows 2, 11 and 12 (and 4, where column 3 is empty too): the pair leaves 2, 11
  // and 12 out. Through that view a listing ends at the last kept row with text and still shows
  // the texts of rows left out above it.
  for (int r = 1; r <= 10; ++r)
    if (r != 2 && r != 4) doc.SetCell(5, r, "1");
  const CRowView rows(doc, {3, 5});
  ListColumnData(doc, rows, 3);
  EXPECT_EQ(doc.ResultText, "\nCol3 : W\n1, 2, 3, , 5, 6, 7, 8, 9, 10\n");
  doc.ResultText.clear();
  ListSkippedRows(doc, rows);
  EXPECT_EQ(doc.ResultText,
            "\nThe following rows were skipped because they have missing values.\nRow 2\nRow11\nRow12\n");
}

TEST(SummaryReportTest, StatisticsOfEightValues) {
  CORVELDoc doc;
  doc.SetCell(1, 0, "A");
  int r = 1;
  for (const char* v : {"2", "4", "4", "4", "5", "5", "7", "9"}) doc.SetCell(1, r++, v);
  SummaryStatisticsReport(doc, 1);
  EXPECT_EQ(doc.ResultText,
            "\n<<< Summary statistics >>>\n\nCol1 : A\n\n"
            "Number\t\t8\nSum\t\t40.000000\nMean\t\t5.000000\nMax\t\t9.000000\nMin\t\t2.000000\n"
            "Median\t\t4.500000\n1st Qu.\t\t4.000000\n3rd Qu.\t\t6.500000\nSD\t\t2.000000\n"
            "Sample SD\t2.138090\nSE\t\t0.755929\nSkewness\t0.818488\nKurtosis\t0.940625\n\n");
}

TEST(SummaryReportTest, ThreeValuesHaveNoKurtosis) {
  CORVELDoc doc;
  doc.SetCell(2, 0, "B");
  doc.SetCell(2, 1, "1");
  doc.SetCell(2, 2, "2");
  doc.SetCell(2, 3, "n/a");
  doc.SetCell(2, 4, "4");
  doc.SetIncludeDataInResult(true);
  SummaryStatisticsReport(doc, 2);
  EXPECT_NE(doc.ResultText.find("Number\t\t3\n"), std::string::npos);
  EXPECT_NE(doc.ResultText.find("1st Qu.\t\t1.000000\n3rd Qu.\t\t4.000000\n"), std::string::npos);
  EXPECT_NE(doc.ResultText.find("Skewness\t0.935220\nKurtosis\tundefined\n\n"), std::string::npos);
  EXPECT_NE(doc.ResultText.find("\nCol2 : B\n1, 2, , 4\n"), std::string::npos);
}

TEST(FrequencyReportTest, ProposalFollowsTheCount) {
  for (auto [n, k] : {std::pair{16, 5}, {100, 11}, {500, 20}, {4, 5}}) {
    CORVELDoc doc(1000);
    for (int r = 1; r <= n; ++r) doc.SetCell(1, r, std::to_string(r));
    EXPECT_EQ(ProposeFrequencyClasses(doc, 1).classes, k) << n;
  }
}

TEST(FrequencyReportTest, ClassBoundariesCountIntoTheUpperClass) {
  CORVELDoc doc;
  doc.SetCell(1, 0, "V");
  int r = 1;
  for (const char* v : {"0", "2", "2", "3.9", "4", "6", "8"}) doc.SetCell(1, r++, v);
  FrequencyDistributionReport(doc, 1, 0, 8, 2, 4);
  EXPECT_EQ(doc.ResultText,
            "\n\n<<<Frequency distribution>>>\nCol1 : V\n\nThe number of classes4\n"
            "  0.0000,  2.0000\t\t1\t\t*\n"
            "  2.0000,  4.0000\t\t3\t\t***\n"
            "  4.0000,  6.0000\t\t1\t\t*\n"
            "  6.0000,  8.0000\t\t2\t\t**\n\n");
}

}  // namespace
}  // namespace orvel
