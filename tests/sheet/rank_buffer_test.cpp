#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "sheet/rank_buffer.h"

namespace orvel {
namespace {

// The classic quadratic algorithm, kept here as the reference the fast buffer must match:
// incremental mid-ranks while adding, exchange sort that never swaps equal values.
struct ReferenceRanks {
  std::vector<double> v, r, ar;
  void Add(double x) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.7f", x);
    const double a = std::strtod(buf, nullptr);
    double rank = 1, arank = 1;
    for (std::size_t q = 0; q < v.size(); ++q) {
      if (a < v[q]) r[q] += 1;
      else if (a == v[q]) { r[q] += 0.5; rank += 0.5; }
      else rank += 1;
      const double aa = std::fabs(a), aq = std::fabs(v[q]);
      if (aa < aq) ar[q] += 1;
      else if (aa == aq) { ar[q] += 0.5; arank += 0.5; }
      else arank += 1;
    }
    v.push_back(a);
    r.push_back(rank);
    ar.push_back(arank);
  }
  void Sort() {
    bool swapped = true;
    while (swapped) {
      swapped = false;
      for (std::size_t i = 0; i + 1 < v.size(); ++i)
        if (v[i + 1] < v[i]) {
          std::swap(v[i], v[i + 1]);
          std::swap(r[i], r[i + 1]);
          std::swap(ar[i], ar[i + 1]);
          swapped = true;
        }
    }
  }
  double TieSum(double k) const {
    double sum = 0;
    for (double rank = 1; rank <= static_cast<double>(v.size()); rank += 0.5) {
      int n = 0;
      for (double x : r) n += x == rank;
      sum += std::pow(n, k);
    }
    return sum;
  }
};

TEST(RankBufferTest, MidRanksOfSmallExamples) {
  CRankBuffer b;
  b.Reset();
  for (double x : {3.0, 1.0, 3.0}) b.Add(x);
  EXPECT_EQ(b.RankAt(0), 2.5);
  EXPECT_EQ(b.RankAt(1), 1.0);
  EXPECT_EQ(b.RankAt(2), 2.5);
  EXPECT_EQ(b.TieSum(3), 1 + 8.0);  // one single, one pair; half-steps without entries add 0
  EXPECT_EQ(b.CountWithRank(2.5), 2);
  EXPECT_EQ(b.ValueWithRank(2.5), 3.0);
  EXPECT_EQ(b.ValueWithRank(2.0), -100.0);
  EXPECT_EQ(b.ValueAt(3), -100.0);
  EXPECT_EQ(b.RankSum(0, 3), -100.0);

  b.Reset();
  b.Add(-2);
  b.Add(2);
  EXPECT_EQ(b.AbsoluteRankAt(0), 1.5);
  EXPECT_EQ(b.AbsoluteRankAt(1), 1.5);
  EXPECT_EQ(b.NegativeRankSum(), 1.5);
  EXPECT_EQ(b.PositiveRankSum(), 1.5);
  b.UseAbsolute();
  EXPECT_EQ(b.ValueAt(0), 2.0);
  EXPECT_EQ(b.RankAt(0), 1.5);

  b.Reset();
  b.Add(0.123456789);
  EXPECT_EQ(b.ValueAt(0), 0.1234568);
}

TEST(RankBufferTest, MatchesTheIncrementalAlgorithmOnTiedSignedData) {
  for (int trial = 0; trial < 30; ++trial) {
    CRankBuffer fast;
    ReferenceRanks ref;
    fast.Reset();
    std::srand(static_cast<unsigned>(trial) + 1);
    const int n = 1 + trial * 7;
    for (int i = 0; i < n; ++i) {
      // Few distinct values (many ties), both signs, some that only tie after rounding.
      const double x = (std::rand() % 11 - 5) * 0.5 + (std::rand() % 2) * 1e-9;
      fast.Add(x);
      ref.Add(x);
    }
    for (int i = 0; i < n; ++i) {
      ASSERT_EQ(fast.RankAt(i), ref.r[static_cast<std::size_t>(i)]);
      ASSERT_EQ(fast.AbsoluteRankAt(i), ref.ar[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(fast.TieSum(3), ref.TieSum(3));
    EXPECT_EQ(fast.TieSum(0), ref.TieSum(0));
    fast.SortAscending();
    ref.Sort();
    for (int i = 0; i < n; ++i) {
      ASSERT_EQ(fast.ValueAt(i), ref.v[static_cast<std::size_t>(i)]);
      ASSERT_EQ(fast.RankAt(i), ref.r[static_cast<std::size_t>(i)]);
      ASSERT_EQ(fast.AbsoluteRankAt(i), ref.ar[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(fast.RankSum(0, n - 1), n * (n + 1) / 2.0);
    // Adding after a sort keeps every rank a mid-rank of all values held.
    fast.Add(0);
    ref.Add(0);
    for (int i = 0; i <= n; ++i) ASSERT_EQ(fast.RankAt(i), ref.r[static_cast<std::size_t>(i)]);
  }
}

TEST(RankBufferTest, NeverHoldsMoreThanItsCapacity) {
  CRankBuffer b;
  b.Reset();
  for (int i = 0; i < CRankBuffer::kCapacity + 5; ++i) b.Add(i);
  EXPECT_EQ(b.Count(), CRankBuffer::kCapacity);
  EXPECT_EQ(b.RankAt(CRankBuffer::kCapacity - 1), CRankBuffer::kCapacity);
}

}  // namespace
}  // namespace orvel
