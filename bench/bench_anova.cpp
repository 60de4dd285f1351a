// Timings of the analyses of variance at their largest: the one-way factorial analysis of 100
// group columns of 199 values with all five comparisons (Tukey's critical values for 100 means
// by integration), the two-way factorial analysis of a full 10 x 25 grid with the comparisons
// of all 250 cells, and the matrix routines at their largest orders.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

#include "analyses/anova.h"
#include "numeric/matrix.h"
#include "numeric/studentized_range.h"
#include "sheet/orvel_doc.h"

namespace {

using orvel::CORVELDoc;

// Values with two decimals spread around a column's own level.
void Fill(CORVELDoc& doc, int c, int rows, double level) {
  char text[32];
  for (int r = 1; r <= rows; ++r) {
    const unsigned v = (static_cast<unsigned>(r) * 7919u + static_cast<unsigned>(c) * 104729u) % 2003u;
    std::snprintf(text, sizeof text, "%.2f", level + v / 100.0);
    doc.SetCell(c, r, text);
  }
}

void BM_OnewayFactorial_100x199_AllComparisons(benchmark::State& state) {
  auto doc = std::make_unique<CORVELDoc>(500);
  for (int c = 1; c <= 100; ++c) {
    Fill(*doc, c, 199, (c % 7) * 1.5);
    doc->SetGroupColumn(c, true);
  }
  orvel::OnewayOptions options;
  options.tukey = options.scheffe = options.bonferroni = options.dunnett = options.holm = true;
  for (auto _ : state) {
    doc->ResultText.clear();
    orvel::OnewayAnovaReport(*doc, options);
  }
}
BENCHMARK(BM_OnewayFactorial_100x199_AllComparisons)->Unit(benchmark::kMillisecond);

void BM_TwowayFactorial_10x25_CellComparisons(benchmark::State& state) {
  auto doc = std::make_unique<CORVELDoc>(500);
  for (int c = 1; c <= 100; ++c) Fill(*doc, c, 12, (c * 37 % 11) * 2.0);
  // 250 cells over the 100 columns; the cell levels do not add up, so the interaction is
  // significant and every pair of cells is compared.
  for (int a = 1; a <= 10; ++a)
    for (int b = 1; b <= 25; ++b) doc->SetTwowayGridCell(a, b, ((b - 1) * 10 + a - 1) % 100 + 1);
  for (auto _ : state) {
    doc->ResultText.clear();
    orvel::TwowayAnovaReport(*doc, false, {true, true, true});
  }
  state.counters["report_bytes"] = static_cast<double>(doc->ResultText.size());
}
BENCHMARK(BM_TwowayFactorial_10x25_CellComparisons)->Unit(benchmark::kMillisecond);

// Tukey's two critical values for 100 means: one tabulation of the range tail, two bisections.
void BM_StudentizedRangeCriticals_100Means(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(orvel::StudentizedRangeCriticals(100, 120));
}
BENCHMARK(BM_StudentizedRangeCriticals_100Means)->Unit(benchmark::kMillisecond);

void BM_JacobiEigen_20(benchmark::State& state) {
  for (auto _ : state) {
    orvel::JacobiEigen eigen;
    for (int i = 1; i <= 20; ++i)
      for (int j = 1; j <= 20; ++j) eigen.Set(i, j, i == j ? 20.0 + i : 1.0 / (i + j) + ((i * j) % 5) * 0.1);
    eigen.Solve(20);
    benchmark::DoNotOptimize(eigen.Get(1, 1));
    if (!eigen.Succeeded()) state.SkipWithError("no convergence");
  }
}
BENCHMARK(BM_JacobiEigen_20)->Unit(benchmark::kMicrosecond);

void BM_MatrixInverter_15(benchmark::State& state) {
  for (auto _ : state) {
    orvel::MatrixInverter inverter;
    for (int i = 1; i <= 15; ++i)
      for (int j = 1; j <= 15; ++j) inverter.SetInput(i, j, i == j ? 15.0 + i : 1.0 / (i + 2 * j));
    inverter.Invert(15);
    benchmark::DoNotOptimize(inverter.Inverse(1, 1));
  }
}
BENCHMARK(BM_MatrixInverter_15)->Unit(benchmark::kMicrosecond);

}  // namespace
