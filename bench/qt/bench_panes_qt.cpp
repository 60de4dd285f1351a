// The desktop's repaint of the two panes: the core drawing through the QPainter canvas on an
// off-screen 1920 x 1080 image, as the pane paints it (offscreen platform, real fonts).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <clocale>
#include <cstdio>
#include <string>

#include "../pane_documents.h"
#include "app/pane_drawing.h"
#include "gui/qt_canvas.h"
#include "sheet/orvel_doc.h"

namespace {

using orvel::bench::FullDocument;
using orvel::bench::LargeResult;

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
