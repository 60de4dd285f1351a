// The rank buffer: values with the mid-rank of each value and of its absolute value, and an
// ascending sort. Medians, quartiles and every rank statistic work on it.
//
// Ranks follow the classic incremental rule (each value's rank is 1 + the number of smaller
// values + half the number of other equal values; the same on absolute values), and the sort
// is stable (equal values keep their order), but both are computed by sorting in O(n log n)
// and only when asked for.
#pragma once

#include <vector>

namespace orvel {

class CRankBuffer {
 public:
  // Room for the values of the largest sheet; further values are ignored.
  static constexpr int kCapacity = 20000;

  CRankBuffer();

  void Reset();
  // Adds x rounded to 7 decimals (formatted with "%.7f" and read back).
  void Add(double x);
  int Count() const { return static_cast<int>(values_.size()); }
  void SortAscending();

  // Reads by 0-based position; -100 outside 0 .. Count() - 1.
  double ValueAt(int i) const;
  double RankAt(int i) const;
  double AbsoluteRankAt(int i) const;
  // Sum of ranks (or of rank^k) at positions a .. b; -100 unless both lie in 0 .. Count() - 1.
  double RankSum(int a, int b) const;
  double RankPowerSum(int a, int b, double k) const;
  double NegativeRankSum() const;
  double PositiveRankSum() const;
  int CountWithRank(double r) const;
  // Sum over r = 1, 1.5, 2, ... up to Count() of CountWithRank(r)^k (k = 3: the tie sum).
  double TieSum(double k) const;
  // Value of the first entry whose rank equals r; -100 if none.
  double ValueWithRank(double r) const;
  // Every rank := its absolute rank, every negative value := its absolute value.
  void UseAbsolute();

 private:
  void EnsureRanks() const;

  std::vector<double> values_;
  // Ranks are derived from the values; the flag says whether they must be recomputed.
  mutable std::vector<double> ranks_;
  mutable std::vector<double> absolute_ranks_;
  mutable bool ranks_valid_ = true;
};

}  // namespace orvel
