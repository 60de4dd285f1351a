// The scatter plot of 19999 points: drawn onto a 1920 x 1080 raster (what a repaint costs the
// core and the rasteriser) and exported at 600 x 450 to PNG, SVG, PDF and EMF (the whole file's
// bytes, without the disk).
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "graph/cairo_canvas.h"
#include "graph/emf_canvas.h"
#include "graph/scatter_plot.h"

namespace {

orvel::CORVELDoc& ScatterDocument() {
  static orvel::CORVELDoc* doc = [] {
    auto* d = new orvel::CORVELDoc(20000);
    d->SetCell(1, 0, "x");
    d->SetCell(2, 0, "y");
    for (int r = 1; r <= 19999; ++r) {
      const double x = std::sin(r * 0.37) * 50 + r * 0.001;
      d->SetCell(1, r, std::to_string(x));
      d->SetCell(2, r, std::to_string(2 * x + std::cos(r * 1.3) * 20));
    }
    return d;
  }();
  return *doc;
}

void BM_ScatterRepaint1920x1080(benchmark::State& state) {
  orvel::CORVELDoc& doc = ScatterDocument();
  orvel::ScatterSettings s = orvel::DefaultScatterSettings(doc);
  orvel::CairoCanvas canvas(orvel::GraphFileFormat::kPng, 1920, 1080);
  for (auto _ : state) {
    canvas.FillRect({0, 0, 1920, 1080}, orvel::colors::kWhite);
    orvel::DrawScatterPlot(canvas, doc, s, orvel::GraphCall::Screen(1920, 1080, 16));
  }
}
BENCHMARK(BM_ScatterRepaint1920x1080)->Unit(benchmark::kMillisecond);

void Export(benchmark::State& state, orvel::GraphFileFormat format) {
  orvel::CORVELDoc& doc = ScatterDocument();
  orvel::ScatterSettings s = orvel::DefaultScatterSettings(doc);
  for (auto _ : state) {
    std::string bytes;
    if (format == orvel::GraphFileFormat::kEmf) {
      orvel::EmfCanvas canvas(600, 450);
      orvel::DrawScatterPlot(canvas, doc, s, orvel::GraphCall::File(16));
      bytes = canvas.Finish();
    } else {
      orvel::CairoCanvas canvas(format, 600, 450);
      orvel::DrawScatterPlot(canvas, doc, s, orvel::GraphCall::File(16));
      bytes = canvas.Finish();
    }
    benchmark::DoNotOptimize(bytes.data());
  }
}
void BM_ScatterExportPng(benchmark::State& state) { Export(state, orvel::GraphFileFormat::kPng); }
void BM_ScatterExportSvg(benchmark::State& state) { Export(state, orvel::GraphFileFormat::kSvg); }
void BM_ScatterExportPdf(benchmark::State& state) { Export(state, orvel::GraphFileFormat::kPdf); }
void BM_ScatterExportEmf(benchmark::State& state) { Export(state, orvel::GraphFileFormat::kEmf); }
BENCHMARK(BM_ScatterExportPng)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScatterExportSvg)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScatterExportPdf)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScatterExportEmf)->Unit(benchmark::kMillisecond);

}  // namespace
