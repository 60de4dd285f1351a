// Column statistics on the largest sheet: median and quartiles, and the whole summary report.
#include <benchmark/benchmark.h>

#include <cmath>
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

// The same with the column's kept statistics dropped before every report, as after an edit or
// the first report after opening: the cost of one column once it is loaded.
void DropKeptStatistics(orvel::CORVELDoc& doc, bool odd) {
  const double v = doc.Column(1).Value(1);
  doc.Column(1).SetValue(1, odd ? std::nextafter(v, 1e9) : std::nextafter(v, -1e9));
}

void BM_MedianAndQuartilesFresh(benchmark::State& state) {
  orvel::CORVELDoc& doc = LargeColumnDocument();
  bool odd = false;
  for (auto _ : state) {
    DropKeptStatistics(doc, odd = !odd);
    benchmark::DoNotOptimize(doc.Quartiles(1));
  }
}
BENCHMARK(BM_MedianAndQuartilesFresh)->Unit(benchmark::kMillisecond);

void BM_SummaryStatisticsReportFresh(benchmark::State& state) {
  orvel::CORVELDoc& doc = LargeColumnDocument();
  bool odd = false;
  for (auto _ : state) {
    DropKeptStatistics(doc, odd = !odd);
    doc.ResultText.clear();
    orvel::SummaryStatisticsReport(doc, 1);
    benchmark::DoNotOptimize(doc.ResultText.data());
  }
}
BENCHMARK(BM_SummaryStatisticsReportFresh)->Unit(benchmark::kMillisecond);

}  // namespace
