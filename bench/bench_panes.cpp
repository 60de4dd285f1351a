// One repaint of the sheet pane of a full 19999-row x 101-column document and of the result
// pane of a 1 MB result, at 1920 x 1080, through the core drawing on a canvas that only counts
// its calls (the cost of the core's layout; the desktop's painting adds the glyphs).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "pane_documents.h"
#include "app/pane_drawing.h"
#include "sheet/orvel_doc.h"

namespace {

using orvel::bench::FullDocument;
using orvel::bench::LargeResult;

class CountingCanvas : public orvel::Canvas {
 public:
  double Width() const override { return 1920; }
  double Height() const override { return 1080; }
  void SetPen(const orvel::Pen&) override {}
  void SetBrush(const orvel::Brush&) override {}
  void SetFont(const orvel::FontChoice&) override {}
  orvel::FontMetrics Metrics() const override { return {16, 7}; }
  void DrawLine(double, double, double, double) override { ++calls; }
  void DrawRect(const orvel::Rect&) override { ++calls; }
  void DrawEllipse(const orvel::Rect&) override { ++calls; }
  void FillRect(const orvel::Rect&, orvel::Color) override { ++calls; }
  void DrawText(double, double, std::string_view text, orvel::TextAlign) override { calls += text.size(); }
  void SetClip(const orvel::Rect&) override {}
  void ClearClip() override {}
  std::size_t calls = 0;
};

void BM_SheetPaneRepaint(benchmark::State& state) {
  orvel::CORVELDoc& doc = FullDocument();
  doc.Scroll.sheet_y = 20.0 * 10000;  // in the middle of the sheet
  doc.Scroll.sheet_x = 860;
  doc.SetSelection(10010, 15, 10030, 20);
  for (auto _ : state) {
    CountingCanvas canvas;
    orvel::DrawSheetPane(canvas, doc);
    benchmark::DoNotOptimize(canvas.calls);
  }
}
BENCHMARK(BM_SheetPaneRepaint)->Unit(benchmark::kMillisecond);

// Scrolled to the end, with the line index kept between paints as the pane keeps it.
void BM_ResultPaneRepaint(benchmark::State& state) {
  orvel::CORVELDoc& doc = LargeResult();
  doc.Scroll.result_y = 16.0 * (doc.ResultLineCount() - 30);
  orvel::ResultLineIndex index;
  for (auto _ : state) {
    CountingCanvas canvas;
    orvel::DrawResultPane(canvas, doc, &index);
    benchmark::DoNotOptimize(canvas.calls);
  }
}
BENCHMARK(BM_ResultPaneRepaint)->Unit(benchmark::kMillisecond);

// The first paint after a command: the line index is built from the whole text.
void BM_ResultPaneFirstRepaint(benchmark::State& state) {
  orvel::CORVELDoc& doc = LargeResult();
  doc.Scroll.result_y = 16.0 * (doc.ResultLineCount() - 30);
  for (auto _ : state) {
    CountingCanvas canvas;
    orvel::DrawResultPane(canvas, doc);
    benchmark::DoNotOptimize(canvas.calls);
  }
}
BENCHMARK(BM_ResultPaneFirstRepaint)->Unit(benchmark::kMillisecond);

}  // namespace
