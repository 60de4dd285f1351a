// Opening a 19999-row x 101-column full document in the desktop program: File Open's read, the
// window's title, recent files and scroll bars, and the first paint of the sheet pane at
// 1920 x 1080 (offscreen platform, real fonts).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <clocale>
#include <cstdio>
#include <cstdlib>

#include "../pane_documents.h"
#include "gui/main_frame.h"
#include "gui/qt_canvas.h"
#include "sheet/document_file.h"

namespace {

QString& DocumentPath() {
  static QString path;
  return path;
}

void BM_QtOpenFullDocument(benchmark::State& state) {
  orvel::gui::CMainFrame frame;
  frame.resize(1920, 1080);
  frame.show();
  if (!QTest::qWaitForWindowExposed(&frame)) {
    state.SkipWithError("the window was not shown");
    return;
  }
  for (auto _ : state) {
    frame.OpenDocument(DocumentPath());
    frame.Pane()->viewport()->repaint();
    QApplication::processEvents();
    if (frame.Doc().UsedRowCount() != 19999) {
      state.SkipWithError("the document did not open");
      return;
    }
  }
}
BENCHMARK(BM_QtOpenFullDocument)->Unit(benchmark::kMillisecond)->MinTime(3.0);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // The profile (rows, recent files) goes to a scratch place, not the user's settings.
  QTemporaryDir scratch;
  qputenv("XDG_CONFIG_HOME", scratch.path().toUtf8());
  QApplication app(argc, argv);
  std::setlocale(LC_NUMERIC, "C");
  orvel::gui::InstallFontSubstitutions();
  QSettings("ORVEL", "ORVEL").setValue("ProgramData/Row", 20000);

  DocumentPath() = scratch.filePath("full.ovd");
  if (!orvel::SaveDocumentFile(DocumentPath().toStdString(), orvel::bench::FullDocument()).ok) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(DocumentPath()));
    return 1;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
