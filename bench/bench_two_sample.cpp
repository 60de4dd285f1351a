// Timings of the two-sample tests, the outlier tests and the random numbers table on columns of
// 19999 values (the largest the sheet holds with one header row), each report run as a whole.
#include <benchmark/benchmark.h>

#include <string>

#include "analyses/outlier.h"
#include "analyses/two_sample.h"

namespace {

constexpr int kRows = 19999;

// Three columns of 19999 values with ties and different spreads; column 2 misses one value so
// the paired test has a row to skip; column 4 holds positive expected frequencies.
orvel::CORVELDoc& BigDocument() {
  static orvel::CORVELDoc* doc = [] {
    auto* d = new orvel::CORVELDoc(kRows + 1);
    for (int r = 1; r <= kRows; ++r) {
      d->SetCell(1, r, std::to_string(50 + (r * 37) % 101) + ".5");
      if (r != 777) d->SetCell(2, r, std::to_string(48 + (r * 53) % 97));
      d->SetCell(3, r, std::to_string(40 + (r * 11) % 151) + ".25");
      d->SetCell(4, r, std::to_string(60 + (r * 7) % 31));
    }
    for (int c : {1, 2, 3}) d->SetGroupColumn(c, true);
    return d;
  }();
  return *doc;
}

template <void (*Report)(orvel::CORVELDoc&)>
void RunReport(benchmark::State& state) {
  orvel::CORVELDoc& doc = BigDocument();
  for (auto _ : state) {
    doc.ResultText.clear();
    Report(doc);
    benchmark::DoNotOptimize(doc.ResultText.data());
  }
}

void BM_FTest(benchmark::State& state) { RunReport<orvel::FTestReport>(state); }
void BM_UnpairedTTest(benchmark::State& state) { RunReport<orvel::UnpairedTTestReport>(state); }
void BM_PairedTTest(benchmark::State& state) { RunReport<orvel::PairedTTestReport>(state); }
void BM_BartlettThreeColumns(benchmark::State& state) { RunReport<orvel::BartlettTestReport>(state); }
void BM_GoodnessOfFit(benchmark::State& state) {
  orvel::CORVELDoc& doc = BigDocument();
  doc.SetTwoGroupY(4);
  RunReport<orvel::GoodnessOfFitReport>(state);
  doc.SetTwoGroupY(2);
}
void BM_SmirnovGrubbs(benchmark::State& state) {
  orvel::CORVELDoc& doc = BigDocument();
  for (auto _ : state) {
    doc.ResultText.clear();
    orvel::SmirnovGrubbsReport(doc, 1);
  }
}
void BM_Thompson(benchmark::State& state) {
  orvel::CORVELDoc& doc = BigDocument();
  for (auto _ : state) {
    doc.ResultText.clear();
    orvel::ThompsonReport(doc, 1);
  }
}
void BM_RandomNumbersTable_10x30(benchmark::State& state) {
  orvel::CORVELDoc doc;
  std::uint32_t seed = 1;
  for (auto _ : state) {
    doc.ResultText.clear();
    orvel::RandomNumbersTableReport(doc, 10, 30, seed++);
  }
}

BENCHMARK(BM_FTest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UnpairedTTest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PairedTTest)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BartlettThreeColumns)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GoodnessOfFit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SmirnovGrubbs)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Thompson)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RandomNumbersTable_10x30)->Unit(benchmark::kMicrosecond);

}  // namespace
