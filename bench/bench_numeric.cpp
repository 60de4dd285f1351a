// Timings of the numeric routines the analyses call most, and of the largest exact
// Mann-Whitney distribution the rank tests can ask for.
#include <benchmark/benchmark.h>

#include "numeric/distributions.h"

namespace {

void BM_MannWhitneyExactP_9_19990(benchmark::State& state) {
  const int u = static_cast<int>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(orvel::MannWhitneyExactP(9, 19990, u));
}
BENCHMARK(BM_MannWhitneyExactP_9_19990)->Arg(60000)->Arg(89955)->Unit(benchmark::kMillisecond);

void BM_MannWhitneyExactP_Small(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(orvel::MannWhitneyExactP(9, 40, 100));
}
BENCHMARK(BM_MannWhitneyExactP_Small);

void BM_SignedRankExactP_19(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(orvel::SignedRankExactP(19, 40));
}
BENCHMARK(BM_SignedRankExactP_19);

void BM_TUpperP(benchmark::State& state) {
  const int df = static_cast<int>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(orvel::TUpperP(df, 2.1));
}
BENCHMARK(BM_TUpperP)->Arg(10)->Arg(1000)->Arg(100000);

void BM_FUpperP(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(orvel::FUpperP(4, 95, 2.47));
}
BENCHMARK(BM_FUpperP);

// Both df large: the whole series runs (about (df1 + df2) / 2 steps), with the scaled factor.
void BM_FUpperP_Equal(benchmark::State& state) {
  const int df = static_cast<int>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(orvel::FUpperP(df, df, 1.04));
}
BENCHMARK(BM_FUpperP_Equal)->Arg(2499)->Arg(19999);

void BM_ChiSquareUpperP(benchmark::State& state) {
  const int df = static_cast<int>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(orvel::ChiSquareUpperP(df, 1.2 * df));
}
BENCHMARK(BM_ChiSquareUpperP)->Arg(7)->Arg(40)->Arg(60);

void BM_FQuantile(benchmark::State& state) {
  const int df2 = static_cast<int>(state.range(0));
  for (auto _ : state) benchmark::DoNotOptimize(orvel::FQuantile(3, df2, 0.05));
}
BENCHMARK(BM_FQuantile)->Arg(20)->Arg(2000);

void BM_ChiSquareQuantile(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(orvel::ChiSquareQuantile(12, 0.05));
}
BENCHMARK(BM_ChiSquareQuantile);

void BM_FisherTableProbability(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(orvel::FisherTableProbability(12, 340, 500, 90));
}
BENCHMARK(BM_FisherTableProbability);

}  // namespace
