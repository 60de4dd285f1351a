// Timings of the correlation and regression reports on two columns of 19999 values with many
// ties (the largest the sheet holds with one header row), each report run as a whole, and of
// the contingency tests at their largest tables.
#include <benchmark/benchmark.h>

#include <string>

#include "analyses/contingency.h"
#include "analyses/correlation.h"

namespace {

constexpr int kRows = 19999;

// X: 1000 distinct positive values with decimals, each about 20 times; Y: a noisy function of X
// with its own ties; one Y is missing so a row is skipped. Columns 3 and 4 with column 1 are
// three raters for the intraclass correlation.
orvel::CORVELDoc& BigDocument() {
  static orvel::CORVELDoc* doc = [] {
    auto* d = new orvel::CORVELDoc(kRows + 1);
    unsigned state = 12345;
    for (int r = 1; r <= kRows; ++r) {
      state = state * 1103515245u + 12345u;
      const int x = 1 + static_cast<int>((state >> 8) % 1000);
      d->SetCell(1, r, std::to_string(x) + ".5");
      if (r != 4321) d->SetCell(2, r, std::to_string(x / 7 + static_cast<int>((state >> 20) % 50) + 1));
      d->SetCell(3, r, std::to_string(x + static_cast<int>((state >> 4) % 30)));
      d->SetCell(4, r, std::to_string(x / 2 + static_cast<int>((state >> 12) % 90)));
    }
    d->SetTwoGroupX(1);
    d->SetTwoGroupY(2);
    for (int c : {1, 3, 4}) d->SetGroupColumn(c, true);
    return d;
  }();
  return *doc;
}

template <typename Report>
void RunReport(benchmark::State& state, Report report) {
  orvel::CORVELDoc& doc = BigDocument();
  for (auto _ : state) {
    doc.ResultText.clear();
    report(doc);
    benchmark::DoNotOptimize(doc.ResultText.data());
  }
}

void BM_RegressionLine(benchmark::State& state) { RunReport(state, orvel::RegressionLineReport); }
void BM_RegressionCurvePower(benchmark::State& state) {
  RunReport(state, [](orvel::CORVELDoc& doc) { orvel::RegressionCurveReport(doc, orvel::kCurvePower); });
}
void BM_RegressionCurveReciprocal(benchmark::State& state) {
  RunReport(state, [](orvel::CORVELDoc& doc) { orvel::RegressionCurveReport(doc, orvel::kCurveReciprocal); });
}
void BM_Spearman(benchmark::State& state) { RunReport(state, orvel::SpearmanReport); }
void BM_Kendall(benchmark::State& state) { RunReport(state, orvel::KendallReport); }
void BM_IntraclassCorrelationThreeColumns(benchmark::State& state) {
  RunReport(state, orvel::IntraclassCorrelationReport);
}

// The concordant-pair count alone, on ranks with heavy ties.
void BM_KendallPairCount(benchmark::State& state) {
  std::vector<double> x(kRows), y(kRows);
  unsigned s = 99;
  for (int i = 0; i < kRows; ++i) {
    s = s * 1103515245u + 12345u;
    x[static_cast<std::size_t>(i)] = (s >> 8) % 300;
    y[static_cast<std::size_t>(i)] = (s >> 18) % 300 + x[static_cast<std::size_t>(i)] / 3;
  }
  for (auto _ : state) benchmark::DoNotOptimize(orvel::CountConcordantPairs(x, y));
}

// Fisher at the largest total (the most tables) and chi-square on a 100 x 200 block.
void BM_FisherTotal2000(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(orvel::ComputeFisherExact({700, 300, 300, 700}));
}
void BM_ChiSquare100x200(benchmark::State& state) {
  static orvel::CORVELDoc* doc = [] {
    auto* d = new orvel::CORVELDoc(1000);
    for (int c = 1; c <= 100; ++c)
      for (int r = 1; r <= 200; ++r) d->SetCell(c, r, std::to_string(1 + (c * 31 + r * 17) % 40));
    return d;
  }();
  for (auto _ : state) {
    doc->ResultText.clear();
    orvel::ChiSquareReport(*doc, {1, 1, 100, 200});
    benchmark::DoNotOptimize(doc->ResultText.data());
  }
}

BENCHMARK(BM_RegressionLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegressionCurvePower)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegressionCurveReciprocal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Spearman)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Kendall)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IntraclassCorrelationThreeColumns)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KendallPairCount)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FisherTotal2000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChiSquare100x200)->Unit(benchmark::kMillisecond);

}  // namespace
