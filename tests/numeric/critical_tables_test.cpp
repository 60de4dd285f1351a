#include "numeric/critical_tables.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <iterator>
#include <utility>

#include "numeric/distributions.h"

namespace orvel {
namespace {

bool IsSentinel(double v) { return IsNearlyEqual(v, kOutOfRange); }

// The tabulated df rows of the studentized range; 200 reads the infinite-df row.
constexpr int kRangeDfRows[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,   10, 12,
                                14, 16, 18, 20, 24, 30, 40, 60, 120, 200};

TEST(Dunnett, RowsByDf) {
  EXPECT_EQ(DunnettCritical05(1, 5), 2.57);
  EXPECT_EQ(DunnettCritical05(9, 5), 4.49);
  EXPECT_EQ(DunnettCritical05(1, 20), 2.09);
  EXPECT_EQ(DunnettCritical05(1, 21), 2.06);  // 21-24
  EXPECT_EQ(DunnettCritical05(1, 24), 2.06);
  EXPECT_EQ(DunnettCritical05(1, 25), 2.04);  // 25-30
  EXPECT_EQ(DunnettCritical05(4, 40), 2.58);  // 31-40
  EXPECT_EQ(DunnettCritical05(4, 41), 2.55);  // 41-60
  EXPECT_EQ(DunnettCritical05(9, 120), 2.80);
  EXPECT_EQ(DunnettCritical05(9, 121), 2.75);
  EXPECT_EQ(DunnettCritical05(9, INT_MAX), 2.75);
  EXPECT_EQ(DunnettCritical01(1, 5), 4.03);
  EXPECT_EQ(DunnettCritical01(6, 13), 3.91);
  EXPECT_EQ(DunnettCritical01(9, 120), 3.33);
  EXPECT_EQ(DunnettCritical01(9, 121), 3.25);
  for (const auto& [p, df] : {std::pair{1, 4}, {10, 20}, {0, 20}, {-1, 20}, {5, INT_MIN}}) {
    EXPECT_TRUE(IsSentinel(DunnettCritical05(p, df))) << p << "," << df;
    EXPECT_TRUE(IsSentinel(DunnettCritical01(p, df))) << p << "," << df;
  }
}

TEST(Dunnett, OneTreatmentColumnIsTheTwoSidedT) {
  // A band of df holds the t point of its largest df; 121 and over hold the normal point.
  for (int df = 5; df <= 200; ++df) {
    int t_df = df > 120 ? INT_MAX : df > 60 ? 120 : df > 40 ? 60 : df > 30 ? 40 : df > 24 ? 30
                                                                                     : df > 20 ? 24 : df;
    EXPECT_NEAR(DunnettCritical05(1, df), TQuantile(t_df, 0.025), 0.011) << df;
    EXPECT_NEAR(DunnettCritical01(1, df), TQuantile(t_df, 0.005), 0.02) << df;
  }
}

TEST(Dunnett, GrowsWithGroupsAndShrinksWithDf) {
  for (int df = 5; df <= 130; ++df) {
    for (int p = 1; p <= 9; ++p) {
      EXPECT_GT(DunnettCritical01(p, df), DunnettCritical05(p, df));
      if (p > 1) {
        EXPECT_GT(DunnettCritical05(p, df), DunnettCritical05(p - 1, df));
        EXPECT_GT(DunnettCritical01(p, df), DunnettCritical01(p - 1, df));
      }
      EXPECT_LE(DunnettCritical05(p, df + 1), DunnettCritical05(p, df));
      EXPECT_LE(DunnettCritical01(p, df + 1), DunnettCritical01(p, df));
    }
  }
}

TEST(Grubbs, BandsAndLimits) {
  EXPECT_EQ(GrubbsCritical01(3), 1.155);
  EXPECT_EQ(GrubbsCritical05(3), 1.153);
  EXPECT_EQ(GrubbsCritical01(50), 3.337);
  EXPECT_EQ(GrubbsCritical05(50), 2.956);
  EXPECT_EQ(GrubbsCritical01(51), 3.38);
  EXPECT_EQ(GrubbsCritical01(55), 3.38);
  EXPECT_EQ(GrubbsCritical01(56), 3.41);
  EXPECT_EQ(GrubbsCritical05(100), 3.21);
  EXPECT_EQ(GrubbsCritical05(101), 3.34);
  EXPECT_EQ(GrubbsCritical05(150), 3.34);
  EXPECT_EQ(GrubbsCritical05(151), 3.43);
  EXPECT_EQ(GrubbsCritical01(950), 4.23);
  EXPECT_EQ(GrubbsCritical01(951), 4.25);
  EXPECT_EQ(GrubbsCritical01(1000), 4.25);
  EXPECT_EQ(GrubbsCritical05(1000), 3.87);
  for (const int n : {1001, 2, 0, -5, INT_MAX, INT_MIN}) {
    EXPECT_TRUE(IsSentinel(GrubbsCritical01(n))) << n;
    EXPECT_TRUE(IsSentinel(GrubbsCritical05(n))) << n;
  }
  for (int n = 4; n <= 1000; ++n) {
    EXPECT_GE(GrubbsCritical05(n), GrubbsCritical05(n - 1)) << n;
    EXPECT_GE(GrubbsCritical01(n), GrubbsCritical01(n - 1)) << n;
    EXPECT_GT(GrubbsCritical01(n), GrubbsCritical05(n)) << n;
  }
}

TEST(StudentizedRange, PublishedValues) {
  EXPECT_DOUBLE_EQ(StudentizedRange05(2, 1), 17.9693);
  EXPECT_DOUBLE_EQ(StudentizedRange05(2, 10), 3.1511);
  EXPECT_DOUBLE_EQ(StudentizedRange05(2, 12), 3.0813);
  EXPECT_DOUBLE_EQ(StudentizedRange05(2, 120), 2.8);
  EXPECT_DOUBLE_EQ(StudentizedRange05(2, 200), 2.7718);
  EXPECT_DOUBLE_EQ(StudentizedRange01(2, 1), 90.0242);
  EXPECT_DOUBLE_EQ(StudentizedRange01(2, 2), 14.0358);
  EXPECT_DOUBLE_EQ(StudentizedRange01(2, 200), 3.6428);
  EXPECT_DOUBLE_EQ(StudentizedRange01(3, 1), 135.0407);
  // 5.6452 is the 1% point for 20 means; 30 means lie higher.
  EXPECT_NEAR(StudentizedRange01(20, 200), 5.6452, 1e-9);
  EXPECT_NEAR(StudentizedRange01(30, 200), 5.9106, 1e-9);
  EXPECT_NEAR(StudentizedRange05(3, 200), 3.3145, 1e-9);
  EXPECT_NEAR(StudentizedRange05(10, 200), 4.4741, 1e-9);
}

TEST(StudentizedRange, DfMapsToTheNextRowAbove) {
  EXPECT_EQ(StudentizedRange05(2, 11), StudentizedRange05(2, 12));
  EXPECT_EQ(StudentizedRange05(5, 13), StudentizedRange05(5, 14));
  EXPECT_EQ(StudentizedRange05(5, 19), StudentizedRange05(5, 20));
  EXPECT_EQ(StudentizedRange01(7, 21), StudentizedRange01(7, 24));
  EXPECT_EQ(StudentizedRange01(7, 25), StudentizedRange01(7, 30));
  EXPECT_EQ(StudentizedRange01(7, 31), StudentizedRange01(7, 40));
  EXPECT_EQ(StudentizedRange01(7, 41), StudentizedRange01(7, 60));
  EXPECT_EQ(StudentizedRange01(7, 61), StudentizedRange01(7, 120));
  EXPECT_EQ(StudentizedRange01(7, 121), StudentizedRange01(7, INT_MAX));
  EXPECT_NE(StudentizedRange01(7, 120), StudentizedRange01(7, 121));
  for (const auto& [k, df] : {std::pair{31, 10}, {1, 10}, {0, 10}, {5, 0}, {5, -4}}) {
    EXPECT_TRUE(IsSentinel(StudentizedRange05(k, df))) << k << "," << df;
    EXPECT_TRUE(IsSentinel(StudentizedRange01(k, df))) << k << "," << df;
  }
}

TEST(StudentizedRange, TableIsOrderedAndTwoMeansIsScaledT) {
  for (std::size_t row = 0; row < std::size(kRangeDfRows); ++row) {
    const int df = kRangeDfRows[row];
    for (int k = 2; k <= 30; ++k) {
      EXPECT_GT(StudentizedRange01(k, df), StudentizedRange05(k, df)) << k << "," << df;
      if (k > 2) {
        EXPECT_GT(StudentizedRange05(k, df), StudentizedRange05(k - 1, df));
        EXPECT_GT(StudentizedRange01(k, df), StudentizedRange01(k - 1, df));
      }
      if (row > 0) {
        const int previous = kRangeDfRows[row - 1];
        EXPECT_LT(StudentizedRange05(k, df), StudentizedRange05(k, previous)) << k << "," << df;
        EXPECT_LT(StudentizedRange01(k, df), StudentizedRange01(k, previous)) << k << "," << df;
      }
    }
    // Two means: q = sqrt(2) t(alpha/2). TQuantile is an approximation good to about 1e-2 from
    // 5 df on, which is enough to catch a shifted row or column.
    if (df >= 5) {
      const int t_df = df == 200 ? INT_MAX : df;
      EXPECT_NEAR(StudentizedRange05(2, df), std::sqrt(2.0) * TQuantile(t_df, 0.025), 0.01) << df;
      EXPECT_NEAR(StudentizedRange01(2, df), std::sqrt(2.0) * TQuantile(t_df, 0.005), 0.03) << df;
    }
  }
}

}  // namespace
}  // namespace orvel
