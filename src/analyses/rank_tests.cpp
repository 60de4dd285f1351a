#include "analyses/rank_tests.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <utility>

#include "analyses/result_text.h"
#include "numeric/critical_tables.h"
#include "numeric/distributions.h"
#include "sheet/cell_text.h"

namespace orvel {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr const char* kComparisonLegend = "** : p<0.01  * : p<0.05  - : p>=0.05\n\n";
// The studentized-range row used for comparisons of mean ranks (beyond 120: infinite df).
constexpr int kInfiniteDf = 200;
constexpr int kLargestTukeyGroups = 30;

std::string Label(const CORVELDoc& doc, int c) { return std::string(doc.Text(c, 0)); }

// The numeric values of column c in row order.
std::vector<double> ColumnValues(const CRowView& rows, int c) { return rows.ColumnValues(c); }

// A chi-square p-value, not finite when the statistic is not.
double ChiSquareP(int df, double x) { return std::isfinite(x) ? ChiSquareUpperP(df, x) : kNaN; }

// The end of a report shared by every test: the data listing and the rows left out.
void FinishRankReport(CORVELDoc& doc, const CRowView& rows, const std::vector<int>& columns) {
  if (doc.IncludeDataInResult())
    for (int c : columns) ListColumnData(doc, rows, c);
  ListSkippedRows(doc, rows);
}

}  // namespace

// ---- Mann-Whitney U test ------------------------------------------------------------------------

bool MannWhitneySamplesTooSmall(int count_x, int count_y) {
  const int s = std::min(count_x, count_y), l = std::max(count_x, count_y);
  return s <= 1 || (s == 2 && l < 8) || (s == 3 && l < 5);
}

bool MannWhitneyUsesLargeSample(int count_x, int count_y) { return std::min(count_x, count_y) > 9; }

PooledRankSums RankPooledSamples(const std::vector<double>& first, const std::vector<double>& second) {
  std::vector<std::pair<double, bool>> pooled;
  pooled.reserve(first.size() + second.size());
  for (double v : first) pooled.emplace_back(RoundTo7Decimals(v), true);
  for (double v : second) pooled.emplace_back(RoundTo7Decimals(v), false);
  std::sort(pooled.begin(), pooled.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  PooledRankSums sums;
  std::size_t i = 0;
  while (i < pooled.size()) {
    std::size_t j = i + 1;
    while (j < pooled.size() && pooled[j].first == pooled[i].first) ++j;
    const double t = static_cast<double>(j - i);
    const double mid_rank = 1.0 + static_cast<double>(i) + (t - 1.0) / 2.0;
    double firsts = 0;
    for (std::size_t k = i; k < j; ++k) firsts += pooled[k].second ? 1.0 : 0.0;
    sums.first_rank_sum += firsts * mid_rank;
    sums.tie_cube_sum += t * t * t;
    i = j;
  }
  return sums;
}

MannWhitneyStatistics ComputeMannWhitney(const std::vector<double>& x, const std::vector<double>& y) {
  MannWhitneyStatistics s;
  s.m = static_cast<int>(x.size());
  s.n = static_cast<int>(y.size());
  const double m = s.m, n = s.n, total = m + n;
  // Two full columns hold more values than the document's rank buffer, so the pooled sample is
  // ranked on its own, by the same rule.
  const PooledRankSums ranks = RankPooledSamples(x, y);
  s.r1 = ranks.first_rank_sum;
  s.tie_cube_sum = ranks.tie_cube_sum;
  s.u1 = s.r1 - m * (m + 1) / 2;
  s.u2 = m * n - s.u1;
  s.w = s.m <= s.n ? s.r1 : m * n - s.u1 + n * (n + 1) / 2;

  const double expected = m * (total + 1) / 2;
  const double variance = (total * total * total - s.tie_cube_sum) * m * n / 12 / total / (total - 1);
  s.z = (s.r1 - expected) / std::sqrt(variance);
  if (std::isfinite(s.z)) {
    const double upper = NormalUpperP(s.z);
    s.p_normal = 2 * std::min(upper, 1 - upper);
  } else {
    s.p_normal = kNaN;
  }

  // Pairs with y < x, counted against the sorted Y values.
  std::vector<double> sorted_y = y;
  std::sort(sorted_y.begin(), sorted_y.end());
  std::int64_t below = 0;
  for (double v : x) below += std::lower_bound(sorted_y.begin(), sorted_y.end(), v) - sorted_y.begin();
  s.p_xy = static_cast<double>(below) / (m * n);
  s.sample_size = MannWhitneySampleSize(s.p_xy, 0.05, 0.2, s.m, s.n);
  return s;
}

double MannWhitneyExactPValue(const MannWhitneyStatistics& s) {
  const double smaller = std::min(s.u1, s.u2);
  if (!std::isfinite(smaller)) return kNaN;
  // Twice the smaller tail exceeds 1 when the two tails overlap at the centre; a probability
  // is at most 1.
  const std::optional<double> p = checked::MannWhitneyExactP(s.m, s.n, static_cast<int>(std::trunc(smaller)));
  return p ? std::min(*p, 1.0) : kNaN;
}

void MannWhitneyReport(CORVELDoc& doc) {
  const int cx = doc.TwoGroupX(), cy = doc.TwoGroupY();
  const MannWhitneyStatistics s = ComputeMannWhitney(ColumnValues(doc, cx), ColumnValues(doc, cy));
  const bool large = MannWhitneyUsesLargeSample(s.m, s.n);

  doc.AppendResult("\n\n");
  AppendReport(doc, "<<< Mann-Whitney U Test >>>\n\nX:Col%d %s\n", cx, Label(doc, cx).c_str());
  AppendReport(doc, "Y:Col%d %s\n\n", cy, Label(doc, cy).c_str());
  AppendReport(doc, "U1-Value=%6.1f\n", s.u1);
  AppendReport(doc, "U2-Value=%6.1f\n", s.u2);
  AppendReport(doc, "W-Value=%6.1f\n", s.w);
  if (large) {
    AppendReport(doc, "%s\n\n", PValueWithMark(s.p_normal).c_str());
  } else {
    AppendReport(doc, "p=%.6f\n\n", s.p_normal);
    AppendReport(doc,
                 "Because of the small sample size (either X or Y is less than 10), precise p-value is "
                 "calculated instead of the above one.\n\n");
    AppendReport(doc, "%s\n\n\n", PValueWithMark(MannWhitneyExactPValue(s)).c_str());
  }
  if (s.sample_size >= s.m + s.n) {
    AppendReport(doc, "statistical power <= 0.8 for p-value 0.05\n");
    AppendReport(doc, "The total number of data X and Y must be over %d to get statistical power > 0.8.\n",
                 s.sample_size);
  } else {
    AppendReport(doc, "statistical power > 0.8\n");
  }
  if (large) doc.AppendResult("\n");
  FinishRankReport(doc, doc, {cx, cy});
}

// ---- Wilcoxon signed rank test ------------------------------------------------------------------

int WilcoxonNonZeroDifferences(const CORVELDoc& doc) {
  const int cx = doc.TwoGroupX(), cy = doc.TwoGroupY();
  const int used = doc.UsedRowCount();
  int n = 0;
  for (int r = 1; r <= used; ++r)
    if (doc.IsNumeric(cx, r) && doc.IsNumeric(cy, r) && !IsNearlyEqual(doc.Value(cx, r) - doc.Value(cy, r), 0))
      ++n;
  return n;
}

WilcoxonStatistics ComputeWilcoxon(CRankBuffer& buffer, const std::vector<double>& differences) {
  WilcoxonStatistics s;
  s.n_all = static_cast<int>(differences.size());
  s.n = s.n_all;
  buffer.Reset();
  for (double d : differences) {
    if (IsNearlyEqual(d, 0)) --s.n;
    else buffer.Add(d);
  }
  s.t_plus = buffer.PositiveRankSum();
  s.t_minus = buffer.NegativeRankSum();
  s.t = s.t_minus < s.t_plus ? s.t_minus : s.t_plus;

  const double n = s.n;
  const double expected = n * (n + 1) / 4;
  buffer.UseAbsolute();
  const double variance = n * (n + 1) * (2 * n + 1) / 24 - (buffer.TieSum(3) - buffer.TieSum(1)) / 48;
  s.z = std::fabs(s.t - expected) / std::sqrt(variance);
  s.p_normal = std::isfinite(s.z) ? 2 * NormalUpperP(s.z) : kNaN;
  s.effect_size = s.z / std::sqrt(static_cast<double>(s.n_all));

  // Pairs i < j with d_i + d_j > 0, counted on the sorted differences from both ends: when
  // the smallest and the largest left sum above 0, so does the largest with every value between.
  std::vector<double> sorted = differences;
  std::sort(sorted.begin(), sorted.end());
  std::int64_t positive = 0;
  std::size_t lo = 0, hi = sorted.size();
  while (hi > 0 && lo < hi - 1) {
    if (sorted[lo] + sorted[hi - 1] > 0) {
      positive += static_cast<std::int64_t>(hi - 1 - lo);
      --hi;
    } else {
      ++lo;
    }
  }
  const double pairs = static_cast<double>(s.n_all) * (s.n_all - 1) / 2;
  s.p_prime = static_cast<double>(positive) / pairs;
  s.sample_size = SignedRankSampleSize(s.p_prime, 0.05, 0.2);
  return s;
}

double WilcoxonExactPValue(const WilcoxonStatistics& s) {
  if (!std::isfinite(s.t)) return kNaN;
  // Capped at 1 like the Mann-Whitney p: twice the smaller tail passes 1 when T sits at the centre.
  const std::optional<double> p = checked::SignedRankExactP(s.n, static_cast<int>(std::trunc(s.t)));
  return p ? std::min(*p, 1.0) : kNaN;
}

void WilcoxonReport(CORVELDoc& doc) {
  const int cx = doc.TwoGroupX(), cy = doc.TwoGroupY();
  const CRowView rows = CRowView::CompleteXY(doc);
  std::vector<double> differences;
  rows.ForEachNumeric(cx, [&](int r, double x) { differences.push_back(x - rows.Value(cy, r)); });
  const WilcoxonStatistics s = ComputeWilcoxon(doc.RankBuffer(), differences);

  doc.AppendResult("\n\n");
  AppendReport(doc, "<<< Wilcoxon Signed Rank Test >>>\n\nX:Col%d %s\n", cx, Label(doc, cx).c_str());
  AppendReport(doc, "Y:Col%d %s\n\n", cy, Label(doc, cy).c_str());
  if (s.n >= kWilcoxonLargeSample) {
    AppendReport(doc, "U-Value：%6.1f\nTied Z-Value：%6.4f\n%s\n\n", s.t, s.z, PValueWithMark(s.p_normal).c_str());
  } else {
    AppendReport(doc, "U-Value：%6.1f\nTied Z-Value：%6.4f\np=%.6f\n\n", s.t, s.z, s.p_normal);
    AppendReport(doc,
                 "Because of the small sample size (less than 20), precise p-value is calculated instead of "
                 "the above one.\n\n");
    AppendReport(doc, "%s\n\n", PValueWithMark(WilcoxonExactPValue(s)).c_str());
  }
  AppendReport(doc, "effect size r=%5.6f\n", s.effect_size);
  doc.AppendResult("\n");
  if (s.sample_size < s.n_all) {
    AppendReport(doc, "statistical power > 0.8 for p-value 0.05\n");
  } else {
    AppendReport(doc, "statistical power <= 0.8 for p-value 0.05\n");
    AppendReport(doc, "Over %d samples are required for X and Y respectively to get statistical power > 0.8.\n",
                 s.sample_size);
  }
  doc.AppendResult("\n");
  FinishRankReport(doc, rows, {cx, cy});
}

// ---- Comparisons of mean ranks ------------------------------------------------------------------

int GroupValueTotal(const CORVELDoc& doc) {
  int total = 0;
  for (int c : doc.GroupColumnList()) total += doc.Count(c);
  return total;
}

const char* RankComparisonMark(double statistic, double crit01, double crit05, double overall_p) {
  if (statistic > crit01 && overall_p < 0.01) return "**";
  if (statistic > crit05) return "*";
  return "-";
}

double RankTukeyCritical01(int groups) {
  return checked::StudentizedRange01(groups, kInfiniteDf).value_or(kNaN);
}

double RankTukeyCritical05(int groups) {
  return checked::StudentizedRange05(groups, kInfiniteDf).value_or(kNaN);
}

namespace {

// One comparison block: its heading, then either a reason it cannot be made or the legend and
// one line per pair of group columns. `statistic(i, j)` is compared with the critical values.
template <typename Statistic>
void AppendComparisonBlock(CORVELDoc& doc, const char* heading, const char* refusal,
                           const std::vector<int>& columns, double crit01, double crit05, double overall_p,
                           Statistic statistic) {
  doc.AppendResult(heading);
  if (refusal != nullptr) {
    doc.AppendResult(refusal);
    return;
  }
  doc.AppendResult(kComparisonLegend);
  for (std::size_t i = 0; i < columns.size(); ++i)
    for (std::size_t j = i + 1; j < columns.size(); ++j)
      AppendReport(doc, "Col%d vs. Col%d : %s\n", columns[i], columns[j],
                   RankComparisonMark(statistic(i, j), crit01, crit05, overall_p));
}

constexpr const char* kTukeyHeading = "\n[Multiple Comparison---Tukey]\n";
constexpr const char* kScheffeHeading = "\n[Multiple Comparison---Scheffe]\n";
// The studentized-range tables stop at 30 means; with more groups there is no critical value.
constexpr const char* kTukeyTooManyGroups = "Tukey's method cannot be used for more than 30 groups.\n\n";

}  // namespace

// ---- Kruskal-Wallis rank sum test ---------------------------------------------------------------

KruskalWallisStatistics ComputeKruskalWallis(const CRowView& rows) {
  KruskalWallisStatistics s;
  s.columns = rows.GroupColumnList();
  CRankBuffer& buffer = rows.RankBuffer();
  buffer.Reset();
  for (int c : s.columns) {
    const std::vector<double> values = ColumnValues(rows, c);
    for (double v : values) buffer.Add(v);
    s.counts.push_back(static_cast<int>(values.size()));
  }
  s.total = buffer.Count();
  const double k = static_cast<double>(s.columns.size());
  const double total = s.total;
  double ratio_sum = 0;
  int start = 0;
  s.equal_sizes = true;
  for (int n_i : s.counts) {
    const double rank_sum = n_i > 0 ? buffer.RankSum(start, start + n_i - 1) : 0.0;
    s.rank_sums.push_back(rank_sum);
    ratio_sum += rank_sum * rank_sum / n_i;  // an empty group leaves the statistic undefined
    if (n_i * k != total) s.equal_sizes = false;
    start += n_i;
  }
  s.tie_cube_sum = buffer.TieSum(3);
  s.tie_count = buffer.TieSum(1);
  const double h0 = 12 * ratio_sum / total / (total + 1) - 3 * (total + 1);
  s.h = h0 / (1 - (s.tie_cube_sum - s.tie_count) / (total * total * total - total));
  s.p = ChiSquareP(static_cast<int>(s.columns.size()) - 1, s.h);
  return s;
}

double KruskalWallisTukeyStatistic(const KruskalWallisStatistics& s, std::size_t i, std::size_t j) {
  const double ni = s.counts[i], nj = s.counts[j], total = s.total;
  const double d = std::fabs(s.rank_sums[i] / ni - s.rank_sums[j] / nj);
  const double spread = total * (total + 1) / 2 - (s.tie_cube_sum - s.tie_count) / (2 * (total - 1));
  return d / std::sqrt((ni + nj) * spread / (6 * ni * nj));
}

double KruskalWallisScheffeStatistic(const KruskalWallisStatistics& s, std::size_t i, std::size_t j) {
  const double ni = s.counts[i], nj = s.counts[j], total = s.total;
  const double d = s.rank_sums[i] / ni - s.rank_sums[j] / nj;
  return ni * nj * (total - 1) * d * d / (ni + nj) / ((total * total * total - s.tie_cube_sum) / 12);
}

void KruskalWallisReport(CORVELDoc& doc, RankComparisons comparisons) {
  const KruskalWallisStatistics s = ComputeKruskalWallis(doc);
  const int k = static_cast<int>(s.columns.size());

  doc.AppendResult("\n\n");
  AppendReport(doc, "<<< Kruskal-Wallis Rank Sum Test >>>\n\nSelected Columns\n");
  for (int c : s.columns) AppendReport(doc, "Col%d:%s\n", c, Label(doc, c).c_str());
  AppendReport(doc, "\nH=%.6f\n", s.h);
  AppendReport(doc, "%s\n\n", PValueWithMark(s.p).c_str());
  if (comparisons.tukey) {
    const char* refusal = !s.equal_sizes ? "Sample sizes of selected rows are not equal. Tukey's method cannot be used.\n\n"
                          : k > kLargestTukeyGroups ? kTukeyTooManyGroups
                                                    : nullptr;
    AppendComparisonBlock(doc, kTukeyHeading, refusal, s.columns, RankTukeyCritical01(k) / std::sqrt(2.0),
                          RankTukeyCritical05(k) / std::sqrt(2.0), s.p,
                          [&](std::size_t i, std::size_t j) { return KruskalWallisTukeyStatistic(s, i, j); });
  }
  if (comparisons.scheffe) {
    AppendComparisonBlock(doc, kScheffeHeading, nullptr, s.columns, ChiSquareQuantile(k - 1, 0.01),
                          ChiSquareQuantile(k - 1, 0.05), s.p,
                          [&](std::size_t i, std::size_t j) { return KruskalWallisScheffeStatistic(s, i, j); });
  }
  doc.AppendResult("\n");
  FinishRankReport(doc, doc, s.columns);
}

// ---- Friedman rank sum test ---------------------------------------------------------------------

FriedmanStatistics ComputeFriedman(const CRowView& rows) {
  FriedmanStatistics s;
  s.columns = rows.GroupColumnList();
  const std::size_t columns = s.columns.size();
  s.rank_totals.assign(columns, 0.0);
  CRankBuffer& buffer = rows.RankBuffer();
  const int used = rows.UsedRowCount();
  for (int r = 1; r <= used; ++r) {
    const bool complete =
        std::all_of(s.columns.begin(), s.columns.end(), [&](int c) { return rows.IsNumeric(c, r); });
    if (!complete || columns == 0) continue;
    buffer.Reset();
    for (int c : s.columns) buffer.Add(rows.Value(c, r));
    s.a2 += buffer.RankPowerSum(0, static_cast<int>(columns) - 1, 2);
    for (std::size_t j = 0; j < columns; ++j) s.rank_totals[j] += buffer.RankAt(static_cast<int>(j));
    ++s.rows;
  }
  const double k = static_cast<double>(columns), n = s.rows;
  const double c1 = n * n * k * (k + 1) * (k + 1) / 4;
  const double c2 = n * k * (k + 1) * (k + 1) / 4;
  double squares = 0, spread = 0;
  for (double total : s.rank_totals) {
    squares += total * total;
    const double off = total / n - (k + 1) / 2;
    spread += off * off;
  }
  s.q = (k - 1) * (squares - c1) / (s.a2 - c2);
  s.p = ChiSquareP(static_cast<int>(columns) - 1, s.q);
  s.scale = s.q / (2 * spread);
  return s;
}

double FriedmanPairStatistic(const FriedmanStatistics& s, std::size_t i, std::size_t j) {
  const double n = s.rows;
  const double d = s.rank_totals[i] / n - s.rank_totals[j] / n;
  return d * d * s.scale;
}

void FriedmanReport(CORVELDoc& doc, RankComparisons comparisons) {
  const CRowView rows = CRowView::CompleteGroups(doc);
  const FriedmanStatistics s = ComputeFriedman(rows);
  const int k = static_cast<int>(s.columns.size());

  doc.AppendResult("\n\n");
  AppendReport(doc, "<<< Friedman Rank Sum Test >>>\n\nSelected Columns\n");
  for (int c : s.columns) AppendReport(doc, "Col%d:%s\n", c, Label(doc, c).c_str());
  doc.AppendResult("\n");
  AppendReport(doc, "Friedman chi-squared : %.6f\n", s.q);
  AppendReport(doc, "%s\n\n", PValueWithMark(s.p).c_str());
  if (comparisons.tukey) {
    AppendComparisonBlock(doc, kTukeyHeading, k > kLargestTukeyGroups ? kTukeyTooManyGroups : nullptr, s.columns,
                          RankTukeyCritical01(k), RankTukeyCritical05(k), s.p, [&](std::size_t i, std::size_t j) {
                            return std::sqrt(2 * FriedmanPairStatistic(s, i, j));
                          });
  }
  if (comparisons.scheffe) {
    AppendComparisonBlock(doc, kScheffeHeading, nullptr, s.columns, ChiSquareQuantile(k - 1, 0.01),
                          ChiSquareQuantile(k - 1, 0.05), s.p,
                          [&](std::size_t i, std::size_t j) { return FriedmanPairStatistic(s, i, j); });
  }
  FinishRankReport(doc, rows, s.columns);
}

}  // namespace orvel
