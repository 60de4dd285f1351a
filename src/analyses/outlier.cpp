#include "analyses/outlier.h"

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "analyses/result_text.h"
#include "numeric/critical_tables.h"
#include "numeric/distributions.h"

namespace orvel {

OutlierVerdict ClassifyOutlier(double statistic, std::optional<double> critical01, std::optional<double> critical05) {
  if (!critical01 || !critical05) return OutlierVerdict::kBeyondTables;
  if (*critical01 < statistic) return OutlierVerdict::kRejected01;
  if (statistic > *critical05) return OutlierVerdict::kRejected05;
  return OutlierVerdict::kNotRejected;
}

OutlierTestResult ComputeSmirnovGrubbs(const CORVELDoc& doc, int c) {
  OutlierTestResult r;
  r.n = doc.Count(c);
  const double mean = doc.Mean(c), s = doc.SampleSD(c);
  r.max_statistic = (doc.Max(c) - mean) / s;
  r.min_statistic = (mean - doc.Min(c)) / s;
  const std::optional<double> c1 = checked::GrubbsCritical01(r.n), c5 = checked::GrubbsCritical05(r.n);
  r.max_verdict = ClassifyOutlier(r.max_statistic, c1, c5);
  r.min_verdict = ClassifyOutlier(r.min_statistic, c1, c5);
  return r;
}

double ThompsonStatistic(double tau, int n) {
  if (std::isnan(tau)) return tau;
  const double room = (n - 1) - tau * tau;
  // tau² never exceeds n - 1; at the bound (one value against n - 1 equal ones) t is infinite,
  // and rounding must not turn that into the root of a negative number.
  if (room <= 0) return std::numeric_limits<double>::infinity();
  return std::sqrt(static_cast<double>(n - 2)) * tau / std::sqrt(room);
}

OutlierTestResult ComputeThompson(const CORVELDoc& doc, int c) {
  OutlierTestResult r;
  const int n = r.n = doc.Count(c);
  const double mean = doc.Mean(c), sigma = doc.SD(c);
  r.max_statistic = ThompsonStatistic((doc.Max(c) - mean) / sigma, n);
  r.min_statistic = ThompsonStatistic((mean - doc.Min(c)) / sigma, n);
  const std::optional<double> c1 = checked::TQuantile(n - 2, 0.01), c5 = checked::TQuantile(n - 2, 0.05);
  r.max_verdict = ClassifyOutlier(r.max_statistic, c1, c5);
  r.min_verdict = ClassifyOutlier(r.min_statistic, c1, c5);
  return r;
}

namespace {

// The maximum and minimum lines of both outlier reports.
void AppendOutlierLines(CORVELDoc& doc, int c, const OutlierTestResult& r) {
  const int max_row = doc.MaxRow(c), min_row = doc.MinRow(c);
  const double max = doc.Max(c), min = doc.Min(c);
  switch (r.max_verdict) {
    case OutlierVerdict::kRejected01:
      AppendReport(doc, "Maximum value(C%dR%d) %8.4f can be rejected (p<0.01).\n\n", c, max_row, max);
      break;
    case OutlierVerdict::kRejected05:
      AppendReport(doc, "Maximum value(C%dR%d) %8.4f can be rejected (p<0.05).\n\n", c, max_row, max);
      break;
    case OutlierVerdict::kNotRejected:
      AppendReport(doc, "Maximum value(C%dR%d) %8.4f cannot be rejected (p>=0.05).\n\n", c, max_row, max);
      break;
    case OutlierVerdict::kBeyondTables:
      AppendReport(doc,
                   "Maximum value(C%dR%d) %8.4f cannot be tested: the critical values are tabulated only up to "
                   "%d values.\n\n",
                   c, max_row, max, kGrubbsTableLimit);
      break;
  }
  switch (r.min_verdict) {
    case OutlierVerdict::kRejected01:
      AppendReport(doc, "Minimum value(C%dR%d) %8.4f can be rejected (p<0.01).\n\n", c, min_row, min);
      break;
    case OutlierVerdict::kRejected05:
      AppendReport(doc, "Minimum value(C%dR%d) %8.4f can be rejected (p<0.05).\n\n", c, min_row, min);
      break;
    case OutlierVerdict::kNotRejected:
      AppendReport(doc, "Minimum value(C%dR%d) %8.4f cannot be rejected (p>=0.05).\n\n", c, min_row, min);
      break;
    case OutlierVerdict::kBeyondTables:
      AppendReport(doc,
                   "Minimum value(C%dR%d) %8.4f cannot be tested: the critical values are tabulated only up to "
                   "%d values.\n\n",
                   c, min_row, min, kGrubbsTableLimit);
      break;
  }
  if (doc.IncludeDataInResult()) ListColumnData(doc, c);
}

}  // namespace

void SmirnovGrubbsReport(CORVELDoc& doc, int c) {
  const OutlierTestResult r = ComputeSmirnovGrubbs(doc, c);
  AppendReport(doc, "\n\n<<< Smirnov-Grubbs' Test >>>\nCol%d : %s\n\n", c, std::string(doc.Text(c, 0)).c_str());
  AppendOutlierLines(doc, c, r);
}

void ThompsonReport(CORVELDoc& doc, int c) {
  const OutlierTestResult r = ComputeThompson(doc, c);
  AppendReport(doc, "\n\n<<< Thompson's Rejection Test >>>\nCol%d : %s\n\n", c, std::string(doc.Text(c, 0)).c_str());
  AppendOutlierLines(doc, c, r);
}

// ---- Random numbers table --------------------------------------------------------------------

RandomNumbersTable MakeRandomNumbersTable(int groups, int repetitions, std::uint32_t seed) {
  RandomNumbersTable table;
  if (groups < kMinRandomGroups || groups > kMaxRandomGroups || repetitions < kMinRandomRepetitions ||
      repetitions > kMaxRandomRepetitions)
    return table;
  ClassicRandom generator(seed);
  const auto a = static_cast<std::size_t>(groups);

  // Completely randomized: a number is written only while it has appeared fewer than
  // `repetitions` times in the whole table. The generator's full period guarantees that every
  // number still needed comes up.
  std::vector<int> tally(a, 0);
  for (int row = 0; row < repetitions; ++row) {
    std::vector<int>& line = table.completely_randomized.emplace_back();
    for (int position = 0; position < groups; ++position) {
      for (;;) {
        const int v = generator.Next() % groups;
        if (++tally[static_cast<std::size_t>(v)] > repetitions) continue;
        line.push_back(v);
        break;
      }
    }
  }

  // Random blocks: every row is a permutation of 0..groups-1.
  for (int row = 0; row < repetitions; ++row) {
    std::vector<int>& line = table.random_block.emplace_back();
    std::vector<bool> used(a, false);
    for (int position = 0; position < groups; ++position) {
      int v = 0;
      do v = generator.Next() % groups;
      while (used[static_cast<std::size_t>(v)]);
      used[static_cast<std::size_t>(v)] = true;
      line.push_back(v);
    }
  }
  return table;
}

namespace {
void AppendRows(CORVELDoc& doc, const std::vector<std::vector<int>>& rows) {
  for (const std::vector<int>& row : rows) {
    std::string line;
    for (int v : row) line += FormatReport("\t%d", v);
    doc.AppendResult(line + "\n");
  }
}
}  // namespace

void RandomNumbersTableReport(CORVELDoc& doc, int groups, int repetitions, std::uint32_t seed) {
  const RandomNumbersTable table = MakeRandomNumbersTable(groups, repetitions, seed);
  doc.AppendResult("\n\n");
  AppendReport(doc, "<<<Random Numbers Table>>>\nRandom numbers from 0 to %d(The number of repetitions is %d)\n",
               groups - 1, repetitions);
  doc.AppendResult("[Completely Randomized method]\n");
  AppendRows(doc, table.completely_randomized);
  doc.AppendResult("\n");
  doc.AppendResult("[Random Block method]\n");
  AppendRows(doc, table.random_block);
  doc.AppendResult("\n");
}

std::uint32_t RandomSeedFromTime(std::int64_t seconds) { return static_cast<std::uint32_t>(seconds); }

}  // namespace orvel
