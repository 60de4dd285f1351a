#include "sheet/rank_buffer.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "sheet/cell_text.h"

namespace orvel {

namespace {
// A strict weak order that agrees with '<' on ordinary numbers and keeps NaN (which never
// compares) in a consistent place, so sorting is always well defined.
bool Less(double a, double b) {
  if (std::isnan(a)) return false;
  if (std::isnan(b)) return true;
  return a < b;
}

// Mid-ranks of keys: 1 + (number smaller) + (number of other equal values) / 2.
void MidRanks(const std::vector<double>& keys, std::vector<double>& ranks) {
  const std::size_t n = keys.size();
  std::vector<int> order(n);
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return Less(keys[static_cast<std::size_t>(a)], keys[static_cast<std::size_t>(b)]); });
  ranks.assign(n, 1.0);
  std::size_t i = 0;
  while (i < n) {
    std::size_t j = i + 1;
    const double key = keys[static_cast<std::size_t>(order[i])];
    // Equal as the '==' of the incremental rule: NaN equals nothing, not even itself.
    if (!std::isnan(key))
      while (j < n && keys[static_cast<std::size_t>(order[j])] == key) ++j;
    const double rank = 1.0 + static_cast<double>(i) + static_cast<double>(j - i - 1) / 2.0;
    for (std::size_t k = i; k < j; ++k) ranks[static_cast<std::size_t>(order[k])] = rank;
    i = j;
  }
}
}  // namespace

CRankBuffer::CRankBuffer() {
  values_.reserve(kCapacity);
}

void CRankBuffer::Reset() {
  values_.clear();
  ranks_.clear();
  absolute_ranks_.clear();
  ranks_valid_ = true;
}

void CRankBuffer::Add(double x) {
  if (Count() >= kCapacity) return;
  values_.push_back(RoundTo7Decimals(x));
  ranks_valid_ = false;
}

void CRankBuffer::EnsureRanks() const {
  if (ranks_valid_) return;
  MidRanks(values_, ranks_);
  std::vector<double> absolute(values_.size());
  std::transform(values_.begin(), values_.end(), absolute.begin(),
                 [](double v) { return std::fabs(v); });
  MidRanks(absolute, absolute_ranks_);
  ranks_valid_ = true;
}

void CRankBuffer::SortAscending() {
  // Ranks are a function of the values held, so unsorted ranks need not be carried along:
  // they are recomputed in the new order when asked for.
  if (!ranks_valid_ || values_.empty()) {
    std::stable_sort(values_.begin(), values_.end(), Less);
    ranks_valid_ = values_.empty();
    return;
  }
  const std::size_t n = values_.size();
  std::vector<int> order(n);
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return Less(values_[static_cast<std::size_t>(a)], values_[static_cast<std::size_t>(b)]);
  });
  std::vector<double> v(n), r(n), ar(n);
  for (std::size_t i = 0; i < n; ++i) {
    const auto k = static_cast<std::size_t>(order[i]);
    v[i] = values_[k];
    r[i] = ranks_[k];
    ar[i] = absolute_ranks_[k];
  }
  values_.swap(v);
  ranks_.swap(r);
  absolute_ranks_.swap(ar);
}

double CRankBuffer::ValueAt(int i) const {
  if (i < 0 || i >= Count()) return -100.0;
  return values_[static_cast<std::size_t>(i)];
}

double CRankBuffer::RankAt(int i) const {
  if (i < 0 || i >= Count()) return -100.0;
  EnsureRanks();
  return ranks_[static_cast<std::size_t>(i)];
}

double CRankBuffer::AbsoluteRankAt(int i) const {
  if (i < 0 || i >= Count()) return -100.0;
  EnsureRanks();
  return absolute_ranks_[static_cast<std::size_t>(i)];
}

double CRankBuffer::RankSum(int a, int b) const {
  if (a < 0 || a >= Count() || b < 0 || b >= Count()) return -100.0;
  EnsureRanks();
  double sum = 0;
  for (int i = a; i <= b; ++i) sum += ranks_[static_cast<std::size_t>(i)];
  return sum;
}

double CRankBuffer::RankPowerSum(int a, int b, double k) const {
  if (a < 0 || a >= Count() || b < 0 || b >= Count()) return -100.0;
  EnsureRanks();
  double sum = 0;
  for (int i = a; i <= b; ++i) sum += std::pow(ranks_[static_cast<std::size_t>(i)], k);
  return sum;
}

double CRankBuffer::NegativeRankSum() const {
  EnsureRanks();
  double sum = 0;
  for (std::size_t i = 0; i < values_.size(); ++i)
    if (values_[i] < 0) sum += absolute_ranks_[i];
  return sum;
}

double CRankBuffer::PositiveRankSum() const {
  EnsureRanks();
  double sum = 0;
  for (std::size_t i = 0; i < values_.size(); ++i)
    if (values_[i] > 0) sum += absolute_ranks_[i];
  return sum;
}

int CRankBuffer::CountWithRank(double r) const {
  EnsureRanks();
  return static_cast<int>(std::count(ranks_.begin(), ranks_.end(), r));
}

double CRankBuffer::TieSum(double k) const {
  EnsureRanks();
  // Walking r = 1, 1.5, ..., Count() one half-step at a time visits every mid-rank once;
  // the half-steps that hold no entry contribute 0^k each.
  std::vector<int> per_step(values_.size() * 2, 0);
  for (double r : ranks_) {
    const double step = (r - 1.0) * 2.0;
    if (step >= 0 && step < static_cast<double>(per_step.size()) && step == std::floor(step))
      ++per_step[static_cast<std::size_t>(step)];
  }
  double sum = 0;
  const std::size_t steps = values_.empty() ? 0 : values_.size() * 2 - 1;
  for (std::size_t s = 0; s < steps; ++s) sum += std::pow(static_cast<double>(per_step[s]), k);
  return sum;
}

double CRankBuffer::ValueWithRank(double r) const {
  EnsureRanks();
  for (std::size_t i = 0; i < values_.size(); ++i)
    if (ranks_[i] == r) return values_[i];
  return -100.0;
}

void CRankBuffer::UseAbsolute() {
  EnsureRanks();
  ranks_ = absolute_ranks_;
  for (double& v : values_)
    if (v < 0) v = -v;
}

}  // namespace orvel
