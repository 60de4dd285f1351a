// Column statistics on the largest sheet: median and quartiles, and the whole summary report.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "analyses/summary.h"
#include "sheet/orvel_doc.h"

namespace {

// A 19999-value column with ties and decimals.
orvel::CORVELDoc& LargeColumnDocument() {
  static orvel::CORVELDoc* doc = [] {
    auto* d = new orvel::CORVELDoc(20000);
    unsigned state = 7;
    for (int r = 1; r <= 19999; ++r) {
      state = state * 1103515245u + 12345u;
      char text[32];
      std::snprintf(text, sizeof text, "%u.%03u", (state >> 8) % 5000, (state >> 3) % 1000);
      d->SetCell(1, r, text);
    }
    return d;
  }();
  return *doc;
}

void BM_MedianAndQuartiles(benchmark::State& state) {
  orvel::CORVELDoc& doc = LargeColumnDocument();
  for (auto _ : state) {
    benchmark::DoNotOptimize(doc.Quartiles(1));
  }
}
BENCHMARK(BM_MedianAndQuartiles)->Unit(benchmark::kMillisecond);

void BM_SummaryStatisticsReport(benchmark::State& state) {
  orvel::CORVELDoc& doc = LargeColumnDocument();
  for (auto _ : state) {
    doc.ResultText.clear();
    orvel::SummaryStatisticsReport(doc, 1);
    benchmark::DoNotOptimize(doc.ResultText.data());
  }
}
BENCHMARK(BM_SummaryStatisticsReport)->Unit(benchmark::kMillisecond);

}  // namespace
