// Timings of the rank tests' whole reports on the largest data they take: two full 19999-row
// columns, the exact Mann-Whitney form with the largest possible groups, and the 10000-value
// limit of the Kruskal-Wallis and Friedman tests.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

#include "analyses/rank_tests.h"
#include "sheet/orvel_doc.h"

namespace {

using orvel::CORVELDoc;

// Values with many ties and a few decimals, spread over rows 1 .. rows of column c.
void Fill(CORVELDoc& doc, int c, int rows, int seed) {
  char text[32];
  for (int r = 1; r <= rows; ++r) {
    const unsigned v = (static_cast<unsigned>(r) * 7919u + static_cast<unsigned>(seed) * 104729u) % 5003u;
    std::snprintf(text, sizeof text, "%u.%u", v / 10, v % 10);
    doc.SetCell(c, r, text);
  }
}

std::unique_ptr<CORVELDoc> TwoColumns(int x_rows, int y_rows) {
  auto doc = std::make_unique<CORVELDoc>(20001);
  Fill(*doc, 1, x_rows, 1);
  Fill(*doc, 2, y_rows, 2);
  return doc;
}

std::unique_ptr<CORVELDoc> Groups(int columns, int rows) {
  auto doc = std::make_unique<CORVELDoc>(20001);
  for (int c = 1; c <= columns; ++c) {
    Fill(*doc, c, rows, c);
    doc->SetGroupColumn(c, true);
  }
  return doc;
}

void BM_MannWhitney_19999x19999(benchmark::State& state) {
  auto doc = TwoColumns(19999, 19999);
  for (auto _ : state) {
    doc->ResultText.clear();
    orvel::MannWhitneyReport(*doc);
  }
}
BENCHMARK(BM_MannWhitney_19999x19999)->Unit(benchmark::kMillisecond);

void BM_MannWhitneyExact_9x19990(benchmark::State& state) {
  auto doc = TwoColumns(9, 19990);
  for (auto _ : state) {
    doc->ResultText.clear();
    orvel::MannWhitneyReport(*doc);
  }
}
BENCHMARK(BM_MannWhitneyExact_9x19990)->Unit(benchmark::kMillisecond);

void BM_Wilcoxon_19999(benchmark::State& state) {
  auto doc = TwoColumns(19999, 19999);
  for (auto _ : state) {
    doc->ResultText.clear();
    orvel::WilcoxonReport(*doc);
  }
}
BENCHMARK(BM_Wilcoxon_19999)->Unit(benchmark::kMillisecond);

void BM_KruskalWallis_20x500(benchmark::State& state) {
  auto doc = Groups(20, 500);
  for (auto _ : state) {
    doc->ResultText.clear();
    orvel::KruskalWallisReport(*doc, {true, true});
  }
}
BENCHMARK(BM_KruskalWallis_20x500)->Unit(benchmark::kMillisecond);

void BM_Friedman_20x499(benchmark::State& state) {
  auto doc = Groups(20, 499);
  for (auto _ : state) {
    doc->ResultText.clear();
    orvel::FriedmanReport(*doc, {true, true});
  }
}
BENCHMARK(BM_Friedman_20x499)->Unit(benchmark::kMillisecond);

}  // namespace
