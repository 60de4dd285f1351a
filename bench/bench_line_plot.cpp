// The heaviest line plot: the profiles of three related groups over 19999 rows (59997 markers
// and 39998 lines), drawn onto a 1920 x 1080 raster as a repaint does and exported at 600 x 450
// to PNG and SVG (the file's bytes, without the disk).
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "graph/cairo_canvas.h"
#include "graph/line_plot.h"

namespace {

orvel::CORVELDoc& ProfileDocument() {
  static orvel::CORVELDoc* doc = [] {
    auto* d = new orvel::CORVELDoc(20000);
    for (int c = 1; c <= 3; ++c) {
      d->SetCell(c, 0, std::string("week ").append(std::to_string(c)));
      d->SetGroupColumn(c, true);
      for (int r = 1; r <= 19999; ++r) d->SetCell(c, r, std::to_string(50 + 10 * c + std::sin(r * 0.37 * c) * 20));
    }
    return d;
  }();
  return *doc;
}

void BM_LineProfilesRepaint1920x1080(benchmark::State& state) {
  orvel::CORVELDoc& doc = ProfileDocument();
  const orvel::LinePlotSettings s = orvel::DefaultLinePlotSettings(doc, orvel::kLineRelatedGroups);
  orvel::CairoCanvas canvas(orvel::GraphFileFormat::kPng, 1920, 1080);
  for (auto _ : state) {
    canvas.FillRect({0, 0, 1920, 1080}, orvel::colors::kWhite);
    orvel::DrawLinePlot(canvas, doc, s, orvel::GraphCall::Screen(1920, 1080, 16));
  }
}
BENCHMARK(BM_LineProfilesRepaint1920x1080)->Unit(benchmark::kMillisecond);

void Export(benchmark::State& state, orvel::GraphFileFormat format) {
  orvel::CORVELDoc& doc = ProfileDocument();
  const orvel::LinePlotSettings s = orvel::DefaultLinePlotSettings(doc, orvel::kLineRelatedGroups);
  for (auto _ : state) {
    orvel::CairoCanvas canvas(format, 600, 450);
    orvel::DrawLinePlot(canvas, doc, s, orvel::GraphCall::File(16));
    const std::string bytes = canvas.Finish();
    benchmark::DoNotOptimize(bytes.data());
  }
}
void BM_LineProfilesExportPng(benchmark::State& state) { Export(state, orvel::GraphFileFormat::kPng); }
void BM_LineProfilesExportSvg(benchmark::State& state) { Export(state, orvel::GraphFileFormat::kSvg); }
BENCHMARK(BM_LineProfilesExportPng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LineProfilesExportSvg)->Unit(benchmark::kMillisecond);

}  // namespace
