// The desktop's repaint of the two panes: the core drawing through the QPainter canvas on an
// off-screen 1920 x 1080 image, as the pane paints it (offscreen platform, real fonts).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <clocale>
#include <cstdio>
#include <string>

#include "app/pane_drawing.h"
#include "gui/qt_canvas.h"
#include "sheet/orvel_doc.h"

namespace {

orvel::CORVELDoc& FullDocument() {
  static orvel::CORVELDoc* doc = [] {
    auto* d = new orvel::CORVELDoc(20000);
    for (int c = 0; c <= orvel::kLastColumn; ++c) {
      d->SetCell(c, 0, "name" + std::to_string(c));
      for (int r = 1; r <= 19999; ++r) d->SetCell(c, r, c == 0 ? "label" : "12345.678");
    }
    return d;
  }();
  return *doc;
}

orvel::CORVELDoc& LargeResult() {
  static orvel::CORVELDoc* doc = [] {
    auto* d = new orvel::CORVELDoc;
    char line[128];
    for (int i = 0; d->ResultText.size() < (1u << 20); ++i) {
      std::snprintf(line, sizeof line, "Row %d\t\t%.6f\t%.6f\tp = %.4f **\n", i, i * 0.37, i * 1.41, 0.0012);
      d->ResultText += line;
    }
    return d;
  }();
  return *doc;
}

template <class Draw>
void Repaint(benchmark::State& state, Draw draw) {
  QImage image(1920, 1080, QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter painter(&image);
    {
      orvel::gui::QtCanvas canvas(painter, image.width(), image.height());
      draw(canvas);
    }
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
  }
}

void BM_QtSheetPaneRepaint(benchmark::State& state) {
  orvel::CORVELDoc& doc = FullDocument();
  doc.Scroll.sheet_y = 20.0 * 10000;
  doc.SetSelection(10010, 3, 10030, 8);
  Repaint(state, [&](orvel::Canvas& canvas) { orvel::DrawSheetPane(canvas, doc); });
}
BENCHMARK(BM_QtSheetPaneRepaint)->Unit(benchmark::kMillisecond);

void BM_QtResultPaneRepaint(benchmark::State& state) {
  orvel::CORVELDoc& doc = LargeResult();
  doc.Scroll.result_y = 17.0 * (doc.ResultLineCount() - 70);
  orvel::ResultLineIndex index;
  Repaint(state, [&](orvel::Canvas& canvas) { orvel::DrawResultPane(canvas, doc, &index); });
}
BENCHMARK(BM_QtResultPaneRepaint)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  orvel::gui::InstallFontSubstitutions();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
