// The scatter-plot matrix of 15 variables over 19999 rows (210 scatter cells and 15 histograms)
// drawn onto a 1920 x 1080 raster through cairo, as a repaint of the graph pane costs the core and
// the rasteriser; and the histogram of 19999 values for comparison.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "graph/cairo_canvas.h"
#include "graph/histogram.h"
#include "graph/scatter_matrix.h"

namespace {

orvel::CORVELDoc& MatrixDocument() {
  static orvel::CORVELDoc* doc = [] {
    auto* d = new orvel::CORVELDoc(20000);
    for (int c = 1; c <= 16; ++c) d->SetCell(c, 0, std::string("v").append(std::to_string(c)));
    for (int r = 1; r <= 19999; ++r)
      for (int c = 1; c <= 16; ++c)
        d->SetCell(c, r, std::to_string(std::sin(r * 0.37 * c) * 50 + std::cos(r * 1.3) * 10 * c));
    d->SetRegressionY(16);
    for (int c = 1; c <= 15; ++c) d->SetRegressionXColumn(c, true);
    return d;
  }();
  return *doc;
}

void BM_ScatterMatrix15x15Repaint1920x1080(benchmark::State& state) {
  orvel::CORVELDoc& doc = MatrixDocument();
  const orvel::ScatterMatrixSettings s;
  orvel::CairoCanvas canvas(orvel::GraphFileFormat::kPng, 1920, 1080);
  for (auto _ : state) {
    canvas.FillRect({0, 0, 1920, 1080}, orvel::colors::kWhite);
    orvel::DrawScatterMatrix(canvas, doc, s, orvel::GraphCall::Screen(1920, 1080, 16));
  }
}
BENCHMARK(BM_ScatterMatrix15x15Repaint1920x1080)->Unit(benchmark::kMillisecond);

void BM_ScatterMatrix15x15ExportPng(benchmark::State& state) {
  orvel::CORVELDoc& doc = MatrixDocument();
  const orvel::ScatterMatrixSettings s;
  for (auto _ : state) {
    orvel::CairoCanvas canvas(orvel::GraphFileFormat::kPng, 600, 450);
    orvel::DrawScatterMatrix(canvas, doc, s, orvel::GraphCall::File(16));
    const std::string bytes = canvas.Finish();
    benchmark::DoNotOptimize(bytes.data());
  }
}
BENCHMARK(BM_ScatterMatrix15x15ExportPng)->Unit(benchmark::kMillisecond);

void BM_HistogramRepaint1920x1080(benchmark::State& state) {
  orvel::CORVELDoc& doc = MatrixDocument();
  const orvel::HistogramSettings s = orvel::DefaultHistogramSettings(doc, 1);
  orvel::CairoCanvas canvas(orvel::GraphFileFormat::kPng, 1920, 1080);
  for (auto _ : state) {
    canvas.FillRect({0, 0, 1920, 1080}, orvel::colors::kWhite);
    orvel::DrawHistogram(canvas, doc, s, orvel::GraphCall::Screen(1920, 1080, 16));
  }
}
BENCHMARK(BM_HistogramRepaint1920x1080)->Unit(benchmark::kMillisecond);

}  // namespace
