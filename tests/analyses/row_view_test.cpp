// The paired procedures read incomplete pairs through a row view: a run leaves the document as it
// was (cells, the rows that count, kept column statistics), and its report is the report of the
// same sheet with the incomplete rows deleted, plus the list of the rows it left out.
#include "sheet/row_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "analyses/anova.h"
#include "analyses/correlation.h"
#include "analyses/logistic.h"
#include "analyses/multireg.h"
#include "analyses/multivariate.h"
#include "analyses/rank_tests.h"
#include "analyses/result_text.h"
#include "analyses/two_sample.h"

namespace orvel {
namespace {

// Six columns of twelve rows; "" is a missing value. Rows 3, 7 and 10 are incomplete in columns
// 1-3, row 5 is empty in all of them (never left out), row 12 only has column 6.
const std::vector<std::vector<std::string>> kSheet = {
    {"2.5", "3.1", "", "4.0", "", "5.5", "6.1", "7.2", "8.0", "9.4", "10.2", ""},
    {"1.2", "2.9", "3.3", "3.8", "", "5.1", "", "7.9", "8.4", "8.8", "11.0", ""},
    {"4.4", "4.1", "5.0", "6.2", "", "6.0", "7.7", "8.3", "9.9", "", "12.5", ""},
    {"7", "3", "8", "1", "9", "4", "6", "2", "5", "10", "11", "12"},
    {"0.5", "", "1.5", "2.5", "", "", "3.5", "", "4.5", "", "5.5", ""},
    {"0", "1", "0", "1", "", "0", "1", "1", "0", "1", "1", "0"},
};
constexpr int kColumns = 6;
constexpr const char* kSkippedHeading = "\nThe following rows were skipped because they have missing values.\n";

// The sheet with the given rows deleted (the rows below move up), named A..F.
void FillSheet(CORVELDoc& doc, const std::vector<int>& deleted = {}) {
  for (int c = 1; c <= kColumns; ++c) {
    doc.SetCell(c, 0, std::string(1, static_cast<char>('A' + c - 1)));
    int row = 0;
    for (std::size_t i = 0; i < kSheet[static_cast<std::size_t>(c - 1)].size(); ++i) {
      const int r = static_cast<int>(i) + 1;
      if (std::find(deleted.begin(), deleted.end(), r) != deleted.end()) continue;
      ++row;
      const std::string& text = kSheet[static_cast<std::size_t>(c - 1)][i];
      if (!text.empty()) doc.SetCell(c, row, text);
    }
  }
}

// The rows where some but not all of the columns hold a value.
std::vector<int> IncompleteRows(const std::vector<int>& columns) {
  std::vector<int> rows;
  for (std::size_t i = 0; i < kSheet[0].size(); ++i) {
    int filled = 0;
    for (int c : columns) filled += kSheet[static_cast<std::size_t>(c - 1)][i].empty() ? 0 : 1;
    if (filled > 0 && filled < static_cast<int>(columns.size())) rows.push_back(static_cast<int>(i) + 1);
  }
  return rows;
}

struct Snapshot {
  std::vector<std::string> texts;
  std::vector<double> values;
  std::vector<bool> counts;
};

Snapshot Take(const CORVELDoc& doc) {
  Snapshot s;
  for (int c = 0; c <= kColumns + 1; ++c)
    for (int r = 0; r <= 13; ++r) {
      s.texts.emplace_back(doc.Text(c, r));
      s.values.push_back(doc.Value(c, r));
      s.counts.push_back(doc.HasText(c, r) && (c == 0 || r == 0 || doc.IsNumeric(c, r) == !doc.Text(c, r).empty()));
    }
  return s;
}

TEST(RowView, PairedProceduresLeaveTheDocumentAndMatchTheSheetWithoutTheIncompleteRows) {
  struct Case {
    const char* name;
    std::vector<int> columns;  // the columns whose incomplete rows the procedure leaves out
    std::function<void(CORVELDoc&)> setup;
    std::function<void(CORVELDoc&)> run;
  };
  const auto xy = [](int x, int y) {
    return [=](CORVELDoc& d) {
      d.SetTwoGroupX(x);
      d.SetTwoGroupY(y);
    };
  };
  const auto groups = [](CORVELDoc& d) {
    for (int c : {1, 2, 3}) d.SetGroupColumn(c, true);
  };
  const auto regression = [](int y, int method) {
    return [=](CORVELDoc& d) {
      d.SetRegressionY(y);
      d.SetRegressionXColumn(2, true);
      d.SetRegressionXColumn(3, true);
      d.SetRegressionMethod(method);
    };
  };
  const std::vector<Case> cases = {
      {"paired t", {1, 2}, xy(1, 2), PairedTTestReport},
      {"Wilcoxon", {1, 3}, xy(1, 3), WilcoxonReport},
      {"Friedman", {1, 2, 3}, groups, [](CORVELDoc& d) { FriedmanReport(d, {true, true}); }},
      {"repeated one-way",
       {1, 2, 3},
       groups,
       [](CORVELDoc& d) {
         OnewayOptions options;
         options.design = OnewayDesign::kRepeated;
         options.tukey = options.bonferroni = true;
         OnewayAnovaReport(d, options);
       }},
      {"regression line", {1, 2}, xy(1, 2), RegressionLineReport},
      {"power curve", {2, 3}, xy(2, 3), [](CORVELDoc& d) { ASSERT_TRUE(RegressionCurveReport(d, kCurvePower)); }},
      {"reciprocal curve", {5, 1}, xy(5, 1),
       [](CORVELDoc& d) { ASSERT_TRUE(RegressionCurveReport(d, kCurveReciprocal)); }},
      {"Spearman", {2, 3}, xy(2, 3), SpearmanReport},
      {"Kendall", {1, 4}, xy(1, 4), KendallReport},
      {"intraclass correlation", {1, 2, 3}, groups, IntraclassCorrelationReport},
      {"multiple regression", {1, 2, 3}, regression(1, 2), MultipleRegressionReport},
      {"forward regression", {1, 2, 3}, regression(1, 0), MultipleRegressionReport},
      {"logistic regression", {6, 2, 3}, regression(6, 2), LogisticRegressionReport},
      {"principal components", {1, 2, 3},
       [](CORVELDoc& d) {
         for (int c : {1, 2, 3}) d.SetPcaColumn(c, true);
       },
       PrincipalComponentReport},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<int> incomplete = IncompleteRows(c.columns);
    ASSERT_FALSE(incomplete.empty());

    CORVELDoc doc;
    FillSheet(doc);
    c.setup(doc);
    for (int col = 1; col <= kColumns; ++col) (void)doc.Quartiles(col), (void)doc.Mean(col);
    const Snapshot before = Take(doc);
    c.run(doc);
    const Snapshot after = Take(doc);
    EXPECT_EQ(after.texts, before.texts);
    EXPECT_EQ(after.values, before.values);
    EXPECT_EQ(after.counts, before.counts);
    for (int col = 1; col <= kColumns; ++col) EXPECT_TRUE(doc.Column(col).HasKeptStatistics()) << "column " << col;

    // The report ends with the rows left out; before them it is the report of the sheet
    // without those rows.
    std::string skipped = kSkippedHeading;
    for (int r : incomplete) skipped += FormatReport("Row%2d\n", r);
    const std::string& report = doc.ResultText;
    ASSERT_GT(report.size(), skipped.size());
    EXPECT_EQ(report.substr(report.size() - skipped.size()), skipped);

    CORVELDoc deleted;
    FillSheet(deleted, incomplete);
    c.setup(deleted);
    c.run(deleted);
    EXPECT_EQ(report.substr(0, report.size() - skipped.size()), deleted.ResultText);
    EXPECT_EQ(deleted.ResultText.find("skipped"), std::string::npos);
  }
}

TEST(RowView, StatisticsOverTheKeptRowsAreThoseOfTheSheetWithoutTheRowsLeftOut) {
  CORVELDoc doc;
  FillSheet(doc);
  const std::vector<int> columns = {1, 2, 3};
  const CRowView view(doc, columns);
  ASSERT_EQ(view.LeftOutRows(), IncompleteRows(columns));
  CORVELDoc deleted;
  FillSheet(deleted, view.LeftOutRows());
  // Same values in the same order: the same arithmetic, so the results agree to the bit.
  for (int c = 1; c <= kColumns + 1; ++c) {
    SCOPED_TRACE(c);
    EXPECT_EQ(view.Count(c), deleted.Count(c));
    EXPECT_EQ(view.Sum(c), deleted.Sum(c));
    EXPECT_EQ(view.Mean(c), deleted.Mean(c));
    EXPECT_EQ(view.CentredSquares(c), deleted.CentredSquares(c));
    EXPECT_EQ(view.SampleSD(c), deleted.SampleSD(c));
    EXPECT_EQ(view.SD(c), deleted.SD(c));
    EXPECT_EQ(view.Min(c), deleted.Min(c));
    EXPECT_EQ(view.Max(c), deleted.Max(c));
    EXPECT_EQ(view.Median(c), deleted.Median(c));
    EXPECT_EQ(view.Quartiles(c).lower, deleted.Quartiles(c).lower);
    EXPECT_EQ(view.Quartiles(c).upper, deleted.Quartiles(c).upper);
    if (view.Count(c) > 3) {
      EXPECT_EQ(view.Skewness(c), deleted.Skewness(c));
      EXPECT_EQ(view.Kurtosis(c), deleted.Kurtosis(c));
    }
    EXPECT_EQ(view.ColumnValues(c).size(), static_cast<std::size_t>(view.Count(c)));
    for (int d = 1; d <= kColumns; ++d) {
      EXPECT_EQ(view.Sxy(c, d), deleted.Sxy(c, d)) << d;
      EXPECT_EQ(view.Covariance(c, d), deleted.Covariance(c, d)) << d;
      if (view.Count(c) > 1 && view.Count(d) > 1) {
        const double r = view.Correlation(c, d), expected = deleted.Correlation(c, d);
        EXPECT_TRUE(r == expected || (std::isnan(r) && std::isnan(expected))) << d << ": " << r << " " << expected;
      }
    }
  }
  // Extremes keep the sheet's row numbers; the bad column reads as the document's does.
  EXPECT_EQ(view.MaxRow(1), 11);
  EXPECT_EQ(view.Count(101), 0);
  EXPECT_EQ(view.Median(-1), -100.0);
  EXPECT_EQ(view.LastNonEmptyRow(101), -100);

  // A view that leaves nothing out answers from the document's kept statistics.
  const CRowView whole(doc);
  EXPECT_TRUE(whole.LeftOutRows().empty());
  for (int c = 1; c <= kColumns; ++c) {
    EXPECT_EQ(whole.Mean(c), doc.Mean(c));
    EXPECT_EQ(whole.Kurtosis(c), doc.Kurtosis(c));
    EXPECT_EQ(whole.Median(c), doc.Median(c));
  }
}

}  // namespace
}  // namespace orvel
