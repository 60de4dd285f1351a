// Outlier tests for the largest and the smallest value of one column (Smirnov-Grubbs' test and
// Thompson's rejection test), and the random numbers table for assigning experimental units to
// groups.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "sheet/orvel_doc.h"

namespace orvel {

// ---- Outlier tests ---------------------------------------------------------------------------

enum class OutlierVerdict {
  kRejected01,    // beyond the 1% critical value
  kRejected05,    // beyond the 5% critical value only
  kNotRejected,   // within both (also for a statistic without a value)
  kBeyondTables,  // no critical values exist for this many values
};
// Compares a statistic with its 1% and 5% critical values; a missing critical value (no table
// entry) gives kBeyondTables.
OutlierVerdict ClassifyOutlier(double statistic, std::optional<double> critical01, std::optional<double> critical05);

// Both statistics of a test and their verdicts, for the column's maximum and minimum.
struct OutlierTestResult {
  int n = 0;
  double max_statistic = 0, min_statistic = 0;
  OutlierVerdict max_verdict = OutlierVerdict::kNotRejected;
  OutlierVerdict min_verdict = OutlierVerdict::kNotRejected;
};

// The Grubbs tables end at this sample size.
inline constexpr int kGrubbsTableLimit = 1000;
// (extreme - mean) / s with the n - 1 standard deviation, checked against the Grubbs tables.
OutlierTestResult ComputeSmirnovGrubbs(const CORVELDoc& doc, int c);
// Thompson's t of a standardized deviation tau (population sd) among n values:
// sqrt(n - 2) tau / sqrt(n - 1 - tau²), infinite where tau² reaches n - 1.
double ThompsonStatistic(double tau, int n);
// Thompson's t of the extremes, checked against the upper 1% and 5% points of t(n - 2).
OutlierTestResult ComputeThompson(const CORVELDoc& doc, int c);

// The reports on column c (the listing of the column when the data go into the result).
void SmirnovGrubbsReport(CORVELDoc& doc, int c);
void ThompsonReport(CORVELDoc& doc, int c);

// ---- Random numbers table --------------------------------------------------------------------

// The classic linear congruential generator of the C library's portable example rand(): a
// 32-bit state, values 0..32767. Written out here rather than taken from the platform's rand(),
// so that a seed gives the same table on every platform.
class ClassicRandom {
 public:
  explicit ClassicRandom(std::uint32_t seed) : state_(seed) {}
  int Next() {
    state_ = state_ * 1103515245u + 12345u;
    return static_cast<int>((state_ / 65536u) % 32768u);
  }

 private:
  std::uint32_t state_;
};

inline constexpr int kMinRandomGroups = 2, kMaxRandomGroups = 10;
inline constexpr int kMinRandomRepetitions = 1, kMaxRandomRepetitions = 30;

struct RandomNumbersTable {
  // `repetitions` rows of `groups` group numbers 0..groups-1 each.
  std::vector<std::vector<int>> completely_randomized;  // each number exactly `repetitions` times
  std::vector<std::vector<int>> random_block;           // each row a permutation
};
// Both tables from one generator seeded with `seed`: first the completely randomized rows,
// then the block rows. Groups 2..10 and repetitions 1..30; other sizes give empty tables.
RandomNumbersTable MakeRandomNumbersTable(int groups, int repetitions, std::uint32_t seed);
// Appends the table's report.
void RandomNumbersTableReport(CORVELDoc& doc, int groups, int repetitions, std::uint32_t seed);
// The seed a run takes from the clock: the current time in seconds, as the generator's seed
// function would truncate it.
std::uint32_t RandomSeedFromTime(std::int64_t seconds);

}  // namespace orvel
