#include "analyses/comparisons.h"

#include <cmath>
#include <unordered_map>

#include "analyses/result_text.h"
#include "numeric/critical_tables.h"
#include "numeric/distributions.h"
#include "numeric/studentized_range.h"
#include "sheet/rank_buffer.h"

namespace orvel {

namespace {

// A critical value the tables or quantiles could give (they answer -100 outside their domain).
bool Usable(double crit) { return std::isfinite(crit) && crit > 0; }

bool UsableVariance(double ve) { return std::isfinite(ve) && ve > 0; }

// Tukey's points, NaN where the studentized range has no value.
StudentizedRangePoints RangePoints(int k, int df) {
  return StudentizedRangeCriticals(k, df).value_or(StudentizedRangePoints{NAN, NAN});
}

struct Criticals {
  double c05 = 0;
  double c01 = 0;
  bool usable = false;
};

Criticals MakeCriticals(double ve, double c05, double c01) {
  return {c05, c01, UsableVariance(ve) && Usable(c05) && Usable(c01)};
}

const char* Mark(const Criticals& crit, double value) {
  return crit.usable ? ComparisonMark(value, crit.c01, crit.c05) : "-";
}

int PairCount(std::size_t k) { return static_cast<int>(k * (k - 1) / 2); }

double InverseCountSum(int a, int b) { return 1.0 / a + 1.0 / b; }

// Blocks of "Col%d vs. Col%d : " lines over all pairs i < j.
template <typename Value>
std::string AllPairsBlock(const char* heading, const std::vector<GroupSummary>& groups, const Criticals& crit,
                          Value value) {
  std::string out = heading;
  out += kComparisonLegend;
  for (std::size_t i = 0; i < groups.size(); ++i)
    for (std::size_t j = i + 1; j < groups.size(); ++j)
      out += FormatReport("Col%d vs. Col%d : %s\n", groups[i].column, groups[j].column, Mark(crit, value(i, j)));
  out += "\n";
  return out;
}

double MeanDifference(const std::vector<GroupSummary>& g, std::size_t i, std::size_t j) {
  return std::fabs(g[i].mean - g[j].mean);
}

// D / sqrt((1/n_i + 1/n_j) VE), optionally with VE halved (Tukey's form).
double Standardized(const std::vector<GroupSummary>& g, std::size_t i, std::size_t j, double ve, bool halved) {
  const double scale = InverseCountSum(g[i].count, g[j].count) * ve / (halved ? 2 : 1);
  return MeanDifference(g, i, j) / std::sqrt(scale);
}

const char* Heading(ComparisonMethod method) {
  switch (method) {
    case ComparisonMethod::kTukey:
      return "[Tukey]\n";
    case ComparisonMethod::kScheffe:
      return "[Scheffe]\n";
    case ComparisonMethod::kBonferroni:
      return "[Bonferroni]\n";
  }
  return "";
}

}  // namespace

const char* ComparisonMark(double value, double crit01, double crit05) {
  if (!std::isfinite(value)) return "-";
  if (value > crit01) return "**";
  if (value > crit05) return "*";
  return "-";
}

double BonferroniCritical(int df, double alpha, int pairs) {
  if (pairs < 1) return NAN;
  return checked::TQuantile(df, alpha / (2.0 * pairs)).value_or(NAN);
}

double HolmCritical(const std::vector<double>& statistics, int df, double alpha) {
  const int m = static_cast<int>(statistics.size());
  if (m < 1) return NAN;
  CRankBuffer buffer;
  buffer.Reset();
  for (const double t : statistics) buffer.Add(t);
  // The first statistic holding each whole rank, found in one pass instead of one search per
  // step (a hundred groups make 4950 pairs).
  std::unordered_map<int, double> value_with_rank;
  for (int i = 0; i < buffer.Count(); ++i) {
    const double rank = buffer.RankAt(i);
    if (rank == std::floor(rank)) value_with_rank.try_emplace(static_cast<int>(rank), buffer.ValueAt(i));
  }
  double crit = checked::TQuantile(df, alpha / (2.0 * m)).value_or(NAN);
  for (int s = m; s >= 1; --s) {
    const double e = checked::TQuantile(df, alpha / (2.0 * s)).value_or(NAN);
    // No statistic holds rank s exactly (a tie): the step-down stops.
    const auto found = value_with_rank.find(s);
    if (found == value_with_rank.end() || !(e < found->second)) break;
    crit = e;
  }
  return crit;
}

// ---- One-way forms ---------------------------------------------------------------------------

std::string OnewayTukey(OnewayDesign design, const std::vector<GroupSummary>& groups, int size, double ve) {
  const int k = static_cast<int>(groups.size());
  if (design == OnewayDesign::kFactorial) {
    const StudentizedRangePoints q = RangePoints(k, k * (size - 1));
    const Criticals crit = MakeCriticals(ve, q.q05, q.q01);
    return AllPairsBlock("[Tukey]\n", groups, crit,
                         [&](std::size_t i, std::size_t j) { return Standardized(groups, i, j, ve, true); });
  }
  const StudentizedRangePoints q = RangePoints(k, (k - 1) * (size - 1));
  const double unit = std::sqrt(ve / size);
  const Criticals crit = MakeCriticals(ve, q.q05 * unit, q.q01 * unit);
  return AllPairsBlock("[Tukey]\n", groups, crit,
                       [&](std::size_t i, std::size_t j) { return MeanDifference(groups, i, j); });
}

std::string OnewayScheffe(OnewayDesign design, const std::vector<GroupSummary>& groups, int size, double ve) {
  const int k = static_cast<int>(groups.size());
  if (design == OnewayDesign::kFactorial) {
    const Criticals crit = MakeCriticals(ve, std::sqrt((k - 1) * FQuantile(k - 1, size - k, 0.05)),
                                         std::sqrt((k - 1) * FQuantile(k - 1, size - k, 0.01)));
    return AllPairsBlock("[Scheffe]\n", groups, crit,
                         [&](std::size_t i, std::size_t j) { return Standardized(groups, i, j, ve, false); });
  }
  const int df = (k - 1) * (size - 1);
  const Criticals crit = MakeCriticals(ve, std::sqrt(2.0 * (k - 1) * FQuantile(k - 1, df, 0.05) * ve / size),
                                       std::sqrt(2.0 * (k - 1) * FQuantile(k - 1, df, 0.01) * ve / size));
  return AllPairsBlock("[Scheffe]\n", groups, crit,
                       [&](std::size_t i, std::size_t j) { return MeanDifference(groups, i, j); });
}

std::string OnewayBonferroni(const std::vector<GroupSummary>& groups, int df, double ve) {
  const int m = PairCount(groups.size());
  const Criticals crit = MakeCriticals(ve, BonferroniCritical(df, 0.05, m), BonferroniCritical(df, 0.01, m));
  return AllPairsBlock("[Bonferroni]\n", groups, crit,
                       [&](std::size_t i, std::size_t j) { return Standardized(groups, i, j, ve, false); });
}

std::string OnewayHolm(const std::vector<GroupSummary>& groups, int df, double ve) {
  std::vector<double> statistics;
  for (std::size_t i = 0; i < groups.size(); ++i)
    for (std::size_t j = i + 1; j < groups.size(); ++j) statistics.push_back(Standardized(groups, i, j, ve, false));
  Criticals crit;
  if (UsableVariance(ve)) crit = MakeCriticals(ve, HolmCritical(statistics, df, 0.05), HolmCritical(statistics, df, 0.01));
  std::size_t pair = 0;
  std::string out = "[Holm]\n";
  out += kComparisonLegend;
  for (std::size_t i = 0; i < groups.size(); ++i)
    for (std::size_t j = i + 1; j < groups.size(); ++j)
      out += FormatReport("Col%d vs. Col%d : %s\n", groups[i].column, groups[j].column, Mark(crit, statistics[pair++]));
  out += "\n";
  return out;
}

std::string OnewayDunnett(OnewayDesign design, const std::vector<GroupSummary>& groups, std::size_t control, int df,
                          double ve) {
  if (control >= groups.size()) return "";
  const GroupSummary& c = groups[control];
  std::string out = FormatReport("[Dunnett]--Control Group : Col%d\n", c.column);
  const int treatments = static_cast<int>(groups.size()) - 1;
  if (df < 5) return out + "Dunnett cannot be used because of the small sample size.\n\n";
  if (treatments < 1 || treatments > 9) return out + "Dunnett cannot be used because the number of groups is over 11.\n\n";
  if (design == OnewayDesign::kFactorial) {
    for (const GroupSummary& g : groups)
      if (g.count != c.count) return out + "Dunnett cannot be used unless every group has the same sample size.\n\n";
  }
  const double unit = std::sqrt(2 * ve / c.count);
  const Criticals crit =
      MakeCriticals(ve, DunnettCritical05(treatments, df) * unit, DunnettCritical01(treatments, df) * unit);
  out += kComparisonLegend;
  for (std::size_t j = 0; j < groups.size(); ++j) {
    if (j == control) continue;
    out += FormatReport("Col%d vs. Col%d : %s\n", c.column, groups[j].column,
                        Mark(crit, std::fabs(c.mean - groups[j].mean)));
  }
  out += "\n";
  return out;
}

// ---- Two-way factorial forms -----------------------------------------------------------------

namespace {

struct Level {
  int count = 0;
  double total = 0;
  double Mean() const { return total / count; }
};

// The A levels (by_a) or B levels of the grid: every cell of a level pooled.
std::vector<Level> Levels(const TwowayCells& grid, bool by_a) {
  std::vector<Level> levels(static_cast<std::size_t>(by_a ? grid.a : grid.b));
  for (int i = 1; i <= grid.a; ++i) {
    for (int j = 1; j <= grid.b; ++j) {
      Level& level = levels[static_cast<std::size_t>((by_a ? i : j) - 1)];
      level.count += grid.Cell(i, j).count;
      level.total += grid.Cell(i, j).total;
    }
  }
  return levels;
}

void AppendLevelPairs(std::string& out, ComparisonMethod method, const std::vector<Level>& levels, const char* name,
                      int df, double ve) {
  const int k = static_cast<int>(levels.size());
  double c05 = 0;
  double c01 = 0;
  switch (method) {
    case ComparisonMethod::kTukey: {
      const StudentizedRangePoints q = RangePoints(k, df);
      c05 = q.q05;
      c01 = q.q01;
      break;
    }
    case ComparisonMethod::kScheffe:
      c05 = std::sqrt(ve * (k - 1) * FQuantile(k - 1, df, 0.05));
      c01 = std::sqrt(ve * (k - 1) * FQuantile(k - 1, df, 0.01));
      break;
    case ComparisonMethod::kBonferroni:
      c05 = BonferroniCritical(df, 0.05, PairCount(levels.size()));
      c01 = BonferroniCritical(df, 0.01, PairCount(levels.size()));
      break;
  }
  for (std::size_t q = 0; q < levels.size(); ++q) {
    for (std::size_t r = q + 1; r < levels.size(); ++r) {
      const double d = std::fabs(levels[q].Mean() - levels[r].Mean());
      const double counts = InverseCountSum(levels[q].count, levels[r].count);
      const char* mark = "-";
      if (method == ComparisonMethod::kTukey) {
        mark = Mark(MakeCriticals(ve, c05, c01), d / std::sqrt(ve * counts / 2));
      } else {
        // Scheffe and Bonferroni compare D with a critical difference scaled by the pair's counts.
        const double scale = method == ComparisonMethod::kScheffe ? std::sqrt(counts) : std::sqrt(ve * counts);
        mark = Mark(MakeCriticals(ve, c05 * scale, c01 * scale), d);
      }
      out += FormatReport("%s%d vs. %s%d:%s\n", name, static_cast<int>(q + 1), name, static_cast<int>(r + 1), mark);
    }
  }
}

}  // namespace

std::string TwowayLevelComparison(ComparisonMethod method, const TwowayCells& grid, int df, double ve) {
  std::string out = Heading(method);
  out += kComparisonLegend;
  AppendLevelPairs(out, method, Levels(grid, true), "A", df, ve);
  AppendLevelPairs(out, method, Levels(grid, false), "B", df, ve);
  out += "\n";
  return out;
}

std::string TwowayCellComparison(ComparisonMethod method, const TwowayCells& grid, int df, double ve) {
  const int cells = static_cast<int>(grid.cells.size());
  switch (method) {
    case ComparisonMethod::kTukey: {
      const StudentizedRangePoints q = RangePoints(cells, df);
      return AllPairsBlock("[Tukey]\n", grid.cells, MakeCriticals(ve, q.q05, q.q01),
                           [&](std::size_t i, std::size_t j) { return Standardized(grid.cells, i, j, ve, true); });
    }
    case ComparisonMethod::kScheffe: {
      const Criticals crit = MakeCriticals(ve, std::sqrt((cells - 1) * FQuantile(cells - 1, df, 0.05)),
                                           std::sqrt((cells - 1) * FQuantile(cells - 1, df, 0.01)));
      return AllPairsBlock("[Scheffe]\n", grid.cells, crit,
                           [&](std::size_t i, std::size_t j) { return Standardized(grid.cells, i, j, ve, false); });
    }
    case ComparisonMethod::kBonferroni: {
      const int m = PairCount(grid.cells.size());
      const Criticals crit = MakeCriticals(ve, BonferroniCritical(df, 0.05, m), BonferroniCritical(df, 0.01, m));
      return AllPairsBlock("[Bonferroni]\n", grid.cells, crit,
                           [&](std::size_t i, std::size_t j) { return Standardized(grid.cells, i, j, ve, false); });
    }
  }
  return "";
}

// ---- Two-way without replication -------------------------------------------------------------

std::string BlockComparison(ComparisonMethod method, bool between_rows, const BlockMeans& block, int df, double ve) {
  const std::vector<int>& numbers = between_rows ? block.rows : block.columns;
  const std::vector<double>& means = between_rows ? block.row_means : block.column_means;
  const int k = static_cast<int>(numbers.size());
  // Each mean averages the cells across the other direction.
  const int across = static_cast<int>(between_rows ? block.columns.size() : block.rows.size());
  const char* side = between_rows ? "Between Rows" : "Between Columns";
  const char* name = between_rows ? "Row" : "Col";
  double c05 = 0;
  double c01 = 0;
  const char* method_name = "";
  switch (method) {
    case ComparisonMethod::kTukey: {
      method_name = "Tukey";
      const StudentizedRangePoints q = RangePoints(k, df);
      c05 = q.q05 * std::sqrt(ve / across);
      c01 = q.q01 * std::sqrt(ve / across);
      break;
    }
    case ComparisonMethod::kScheffe:
      method_name = "Scheffe";
      c05 = std::sqrt(FQuantile(k - 1, df, 0.05) * 2 * (k - 1) * ve / across);
      c01 = std::sqrt(FQuantile(k - 1, df, 0.01) * 2 * (k - 1) * ve / across);
      break;
    case ComparisonMethod::kBonferroni:
      method_name = "Bonferroni";
      c05 = BonferroniCritical(df, 0.05, PairCount(numbers.size())) * std::sqrt(2 * ve / across);
      c01 = BonferroniCritical(df, 0.01, PairCount(numbers.size())) * std::sqrt(2 * ve / across);
      break;
  }
  const Criticals crit = MakeCriticals(ve, c05, c01);
  std::string out = FormatReport("[%s : %s]\n", method_name, side);
  out += kComparisonLegend;
  for (std::size_t i = 0; i < numbers.size(); ++i)
    for (std::size_t j = i + 1; j < numbers.size(); ++j)
      out += FormatReport("%s%d vs. %s%d : %s\n", name, numbers[i], name, numbers[j],
                          Mark(crit, std::fabs(means[i] - means[j])));
  out += "\n";
  return out;
}

}  // namespace orvel
