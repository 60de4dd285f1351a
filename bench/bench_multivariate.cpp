// Timings of the multivariate reports on 19999 rows, each report run as a whole (reading the
// sheet, skipping rows, the fits and the report lines): multiple regression on 15 columns with
// each method, logistic regression on 14 columns (the most its Hessian of order q + 1 allows)
// all variables and backward, principal components of 20 columns, discriminant analysis on 15
// variables per group.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "analyses/logistic.h"
#include "analyses/multireg.h"
#include "analyses/multivariate.h"

namespace {

constexpr int kRows = 19999;
constexpr int kColumns = 31;

// Column c (1..31) holds a mix of three hidden factors plus noise; column 32 the 0/1 response
// drawn from a logistic model of columns 1..3, column 33 the response of a linear model.
orvel::CORVELDoc& BigDocument() {
  static orvel::CORVELDoc* doc = [] {
    auto* d = new orvel::CORVELDoc(kRows + 1);
    unsigned state = 2024;
    auto uniform = [&state] {
      state = state * 1103515245u + 12345u;
      return static_cast<double>((state >> 8) % 100000) / 100000.0;
    };
    for (int r = 1; r <= kRows; ++r) {
      const double f1 = uniform() * 10, f2 = uniform() * 5, f3 = uniform() * 2;
      double x[kColumns + 1];
      for (int c = 1; c <= kColumns; ++c) {
        x[c] = (c % 3 == 0 ? f1 : c % 3 == 1 ? f2 : f3) * (1 + 0.1 * c) + uniform() * (1 + c % 4);
        d->SetCell(c, r, std::to_string(x[c]));
      }
      const double z = 0.3 * (x[1] - 5) - 0.2 * (x[2] - 4) + 0.1 * (x[3] - 2);
      d->SetCell(32, r, uniform() < 1 / (1 + std::exp(-z)) ? "1" : "0");
      d->SetCell(33, r, std::to_string(2 * x[1] - x[2] + 0.5 * x[5] + uniform() * 3));
    }
    return d;
  }();
  return *doc;
}

template <typename Setup, typename Report>
void RunReport(benchmark::State& state, Setup setup, Report report) {
  orvel::CORVELDoc& doc = BigDocument();
  setup(doc);
  for (auto _ : state) {
    doc.ResultText.clear();
    report(doc);
    benchmark::DoNotOptimize(doc.ResultText.data());
  }
}

void Regression(orvel::CORVELDoc& doc, int y, int columns, int method) {
  doc.ResetRegressionSettings();
  doc.SetRegressionY(y);
  for (int c = 1; c <= columns; ++c) doc.SetRegressionXColumn(c, true);
  doc.SetRegressionMethod(method);
}

void BM_MultipleRegressionAll15(benchmark::State& state) {
  RunReport(state, [](orvel::CORVELDoc& d) { Regression(d, 33, 15, 2); }, orvel::MultipleRegressionReport);
}
void BM_MultipleRegressionForward15(benchmark::State& state) {
  RunReport(state, [](orvel::CORVELDoc& d) { Regression(d, 33, 15, 0); }, orvel::MultipleRegressionReport);
}
void BM_MultipleRegressionBackward15(benchmark::State& state) {
  RunReport(state, [](orvel::CORVELDoc& d) { Regression(d, 33, 15, 1); }, orvel::MultipleRegressionReport);
}
void BM_LogisticAll14(benchmark::State& state) {
  RunReport(state, [](orvel::CORVELDoc& d) { Regression(d, 32, 14, 2); }, orvel::LogisticRegressionReport);
}
void BM_LogisticBackward14(benchmark::State& state) {
  RunReport(state, [](orvel::CORVELDoc& d) { Regression(d, 32, 14, 1); }, orvel::LogisticRegressionReport);
}
void BM_PrincipalComponents20(benchmark::State& state) {
  RunReport(
      state,
      [](orvel::CORVELDoc& d) {
        for (int c = 1; c <= orvel::kLastColumn; ++c) d.SetPcaColumn(c, c <= 20);
      },
      orvel::PrincipalComponentReport);
}
void BM_Discriminant15(benchmark::State& state) {
  RunReport(
      state,
      [](orvel::CORVELDoc& d) {
        for (int s = 1; s <= 15; ++s) {
          d.SetDiscriminantSlot(1, s, s);
          d.SetDiscriminantSlot(2, s, s + 15);
        }
      },
      orvel::DiscriminantReport);
}

BENCHMARK(BM_MultipleRegressionAll15)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MultipleRegressionForward15)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MultipleRegressionBackward15)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LogisticAll14)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LogisticBackward14)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrincipalComponents20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Discriminant15)->Unit(benchmark::kMillisecond);

}  // namespace
