// The desktop's repaint of the graph pane: the core drawing through the QPainter canvas on an
// off-screen 1920 x 1080 image, as the pane paints it (offscreen platform, real fonts) — the
// scatter plot of 19999 points and the 15 x 15 scatter-plot matrix of 19999 rows.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <clocale>
#include <cmath>
#include <string>

#include "app/graph_commands.h"
#include "app/orvel_view.h"
#include "gui/qt_canvas.h"

namespace {

// A port that answers nothing: the benchmarks only draw.
class QuietPort : public orvel::PlatformPort {
 public:
  void ShowMessage(const std::string&, const std::string&) override {}
  bool AskQuestion(const std::string&, const std::string&, orvel::QuestionButtons) override { return false; }
  orvel::QuestionAnswer AskYesNoCancel(const std::string&, const std::string&) override {
    return orvel::QuestionAnswer::kCancel;
  }
  bool RunDialog(orvel::DialogModel&) override { return false; }
  std::optional<std::string> AskInput(const std::string&, const std::string&) override { return {}; }
  std::optional<std::string> ChooseOpenFile(const orvel::FileDialogRequest&) override { return {}; }
  std::optional<std::string> ChooseSaveFile(const orvel::FileDialogRequest&) override { return {}; }
  int ReadProfileInt(const std::string&, const std::string&, int d) override { return d; }
  void WriteProfileInt(const std::string&, const std::string&, int) override {}
  void Repaint() override {}
};

orvel::CORVELDoc& GraphDocument() {
  static orvel::CORVELDoc* doc = [] {
    auto* d = new orvel::CORVELDoc(20000);
    for (int r = 1; r <= 19999; ++r) {
      // Columns 1 and 2: the scatter plot's X and Y; 1..16: the matrix's variables and Y.
      const double x = std::sin(r * 0.37) * 50 + r * 0.001;
      d->SetCell(1, r, std::to_string(x));
      d->SetCell(2, r, std::to_string(2 * x + std::cos(r * 1.3) * 20));
      for (int c = 3; c <= 16; ++c)
        d->SetCell(c, r, std::to_string(std::sin(r * 0.37 * c) * 50 + std::cos(r * 1.3) * 10 * c));
    }
    d->SetTwoGroupX(1);
    d->SetTwoGroupY(2);
    d->SetRegressionY(16);
    for (int c = 1; c <= 15; ++c) d->SetRegressionXColumn(c, true);
    return d;
  }();
  return *doc;
}

void RepaintPane(benchmark::State& state, orvel::DisplayKind mode) {
  orvel::CORVELDoc& doc = GraphDocument();
  QuietPort port;
  orvel::CORVELView view(doc, port);
  view.Graphs().scatter = orvel::DefaultScatterSettings(doc);
  doc.DisplayMode = mode;
  QImage image(1920, 1080, QImage::Format_RGB32);
  for (auto _ : state) {
    image.fill(Qt::white);
    QPainter painter(&image);
    {
      orvel::gui::QtCanvas canvas(painter, image.width(), image.height());
      view.DrawGraphPane(canvas);
    }
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
  }
}

void BM_QtScatterPlotRepaint19999(benchmark::State& state) { RepaintPane(state, orvel::DisplayKind::kScatterPlot); }
void BM_QtScatterMatrix15x15Repaint19999(benchmark::State& state) {
  RepaintPane(state, orvel::DisplayKind::kScatterPlotMatrix);
}
BENCHMARK(BM_QtScatterPlotRepaint19999)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QtScatterMatrix15x15Repaint19999)->Unit(benchmark::kMillisecond);

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
