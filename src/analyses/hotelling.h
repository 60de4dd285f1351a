// Hotelling's T-square tests that follow the repeated-measures analyses of variance: the
// one-group test that all column means are equal, and the two-group profile analysis
// (parallelism, a difference between the two A levels, a difference among the B levels).
//
// The data are columns whose values are aligned by row (the rows a subject fills): the caller
// leaves the incomplete rows out. The covariance of the contrasts is built from the contrasted
// values themselves (differences of columns row by row), so that data whose differences are
// constant give an exactly zero variance instead of rounding noise.
//
// Choices made here:
//   - The within-groups test of the two-group analysis uses the mean profile weighted by the
//     group sizes, (n1 + n2) (C s)' (C S C')^-1 (C s); with equal sizes it is the textbook
//     K (C s)' ... form on the sum of the two profiles.
//   - A contrast covariance that the inverter refuses, or that is singular within rounding
//     (a contrast variance below 1e-10 of its columns' variances, or a correlation determinant
//     below 1e-10), or an F without denominator df, gives the line kHotellingNotComputable
//     instead of a meaningless T-square.
#pragma once

#include <string>
#include <vector>

namespace orvel {

inline constexpr int kHotellingMaxColumns = 15;
inline constexpr const char* kHotellingNotComputable = "Hotelling's T-Square cannot be calculated for these data.\n\n";

struct HotellingTest {
  bool computable = false;
  double t2 = 0;
  double f = 0;
  double p = 0;
};

// One group of p repeated columns (values aligned by row).
struct OneGroupHotelling {
  bool too_many_columns = false;  // p >= 16
  HotellingTest test;
};
OneGroupHotelling ComputeOneGroupHotelling(const std::vector<std::vector<double>>& columns);
std::string FormatOneGroupHotelling(const OneGroupHotelling& result);

// Two groups (the A levels) measured on the same b columns (the B levels).
struct TwoGroupHotelling {
  bool too_many_levels = false;  // b >= 16
  HotellingTest parallelism;
  HotellingTest between_groups;
  HotellingTest within_groups;
};
TwoGroupHotelling ComputeTwoGroupHotelling(const std::vector<std::vector<double>>& group1,
                                           const std::vector<std::vector<double>>& group2);
std::string FormatTwoGroupHotelling(const TwoGroupHotelling& result);

}  // namespace orvel
