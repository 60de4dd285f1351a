#include "numeric/studentized_range.h"

#include <gtest/gtest.h>

#include <cmath>

#include "numeric/critical_tables.h"
#include "numeric/distributions.h"

namespace orvel {
namespace {

constexpr int kTabulatedDf[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 14, 16, 18, 20, 24, 30, 40, 60, 120,
                                kStudentizedRangeInfiniteDf};

double Round4(double x) { return std::round(x * 10000) / 10000; }

// The reports' coarser nodes in double must give every published table value to the fourth
// decimal, or a Tukey block beyond 30 means would rest on a weaker integration than the table.
TEST(StudentizedRange, ReportIntegrationReproducesTheTable) {
  for (int k = 2; k <= 30; ++k) {
    const StudentizedRangeDistribution<double> distribution(k, kStudentizedRangeReportNodes);
    for (const int v : kTabulatedDf) {
      const int df = v == kStudentizedRangeInfiniteDf ? 1000 : v;
      EXPECT_EQ(Round4(distribution.Quantile(v, 0.05)), StudentizedRange05(k, df)) << k << "," << v;
      EXPECT_EQ(Round4(distribution.Quantile(v, 0.01)), StudentizedRange01(k, df)) << k << "," << v;
    }
  }
}

TEST(StudentizedRange, TabulatedDfFollowsTheTableRows) {
  EXPECT_EQ(StudentizedRangeTabulatedDf(0), -1);
  EXPECT_EQ(StudentizedRangeTabulatedDf(11), 12);
  EXPECT_EQ(StudentizedRangeTabulatedDf(19), 20);
  EXPECT_EQ(StudentizedRangeTabulatedDf(21), 24);
  EXPECT_EQ(StudentizedRangeTabulatedDf(120), 120);
  EXPECT_EQ(StudentizedRangeTabulatedDf(121), kStudentizedRangeInfiniteDf);
  for (int df = 1; df <= 200; ++df) {
    const int v = StudentizedRangeTabulatedDf(df);
    const int row_df = v == kStudentizedRangeInfiniteDf ? 1000 : v;
    for (const int k : {2, 17, 30}) {
      EXPECT_EQ(StudentizedRange05(k, df), StudentizedRange05(k, row_df)) << k << "," << df;
      EXPECT_EQ(StudentizedRange01(k, df), StudentizedRange01(k, row_df)) << k << "," << df;
    }
  }
}

TEST(StudentizedRange, CriticalsBeyondTheTable) {
  struct Case {
    int k;
    int df;
    double q05;
    double q01;
  };
  // Reference points from the table generator's long-double integration on its dense nodes.
  const Case cases[] = {
      {31, 1, 65.5861, 328.1549},  {31, 500, 5.3240, 5.9315},  {100, 10, 8.2763, 10.3833},
      {250, 121, 6.6233, 7.1395}, {250, 2, 25.0030, 56.5082},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(StudentizedRangeCriticals(c.k, c.df).has_value());
    const StudentizedRangePoints points = *StudentizedRangeCriticals(c.k, c.df);
    EXPECT_EQ(points.q05, c.q05) << c.k << "," << c.df;
    EXPECT_EQ(points.q01, c.q01) << c.k << "," << c.df;
  }
  // df 11 reads the df 12 row, as the table does.
  EXPECT_EQ(StudentizedRangeCriticals(100, 11)->q05, StudentizedRangeCriticals(100, 12)->q05);
  EXPECT_LT(StudentizedRangeCriticals(100, 11)->q05, StudentizedRangeCriticals(100, 10)->q05);
  EXPECT_EQ(StudentizedRangeCriticals(30, 7)->q05, StudentizedRange05(30, 7));
  EXPECT_GT(StudentizedRangeCriticals(31, 7)->q05, StudentizedRange05(30, 7));
  for (const auto& [k, df] : {std::pair{1, 10}, {20001, 10}, {40, 0}}) {
    EXPECT_FALSE(StudentizedRangeCriticals(k, df).has_value()) << k;
  }
}

}  // namespace
}  // namespace orvel
