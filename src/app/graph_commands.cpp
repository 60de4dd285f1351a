// The graph commands: validation, the settings sheet, the display mode, the drawing of the
// graph pane and Save Graph As.
#include "app/graph_commands.h"

#include "app/graph_dialogs.h"
#include "app/orvel_view.h"
#include "app/pane_drawing.h"
#include "graph/cairo_canvas.h"
#include "graph/graph_common.h"

namespace orvel {

namespace {
constexpr DisplayKind kScatterMode = DisplayKind::kScatterPlot;
}  // namespace

GraphState& CORVELView::Graphs() {
  if (!graphs_) graphs_ = std::make_shared<GraphState>();
  return *graphs_;
}

void CORVELView::OnScatterPlot() {
  if (!ScatterDataPaired(doc_)) return Refuse(kAppTitle, "X and Y are not paired.");
  ScatterPlotDialog dialog(doc_, DefaultScatterSettings(doc_), false);
  if (!port_.RunDialog(dialog) || !dialog.Accept().empty()) return;  // nothing changes
  const std::string refusal = dialog.SettingsRefusal();
  if (!refusal.empty()) return port_.ShowMessage(kFreeTitle, refusal);
  ScatterSettings settings = dialog.Settings();
  NormalizeScatterSettings(settings);
  // A kind whose transform the data refuse is said once, here, and drawn as kind 0: the
  // paint that follows must not open a message box.
  if (settings.regression != kScatterNone) {
    const ScatterFit fit = FitScatterRegression(doc_, settings.regression);
    if (!fit.refusal.empty()) {
      port_.ShowMessage(kFreeTitle, fit.refusal);
      settings.regression = kScatterNone;
    }
  }
  Graphs().scatter = settings;
  doc_.SetModified();
  doc_.DisplayMode = kScatterMode;
  port_.Repaint();
  RecordCommand(CommandId::kScatterPlot);
}

void CORVELView::OnEditGraph() {
  if (EditLinePlot()) return;
  if (EditBoxOrBarPlot()) return;
  if (doc_.DisplayMode == DisplayKind::kHistogram) return EditHistogram();
  if (doc_.DisplayMode == DisplayKind::kScatterPlotMatrix) return EditScatterMatrix();
  if (doc_.DisplayMode == kScatterMode) {
    ScatterPlotDialog dialog(doc_, Graphs().scatter, true);
    if (!port_.RunDialog(dialog) || !dialog.Accept().empty()) return;
    const std::string refusal = dialog.SettingsRefusal();
    if (!refusal.empty()) return port_.ShowMessage(kFreeTitle, refusal);
    ScatterSettings settings = dialog.Settings();
    NormalizeScatterSettings(settings);
    if (settings.regression != kScatterNone) {
      const ScatterFit fit = FitScatterRegression(doc_, settings.regression);
      if (!fit.refusal.empty()) {
        port_.ShowMessage(kFreeTitle, fit.refusal);
        settings.regression = kScatterNone;
      }
    }
    Graphs().scatter = settings;
    port_.Repaint();
  }
}

void CORVELView::DrawGraph(Canvas& canvas, const GraphCall& call) {
  if (DrawBoxOrBarPlot(canvas, call)) return;
  if (doc_.DisplayMode == DisplayKind::kHistogram) return DrawHistogram(canvas, doc_, Graphs().histogram, call);
  if (doc_.DisplayMode == DisplayKind::kScatterPlotMatrix)
    return DrawScatterMatrix(canvas, doc_, Graphs().matrix, call);
  if (doc_.DisplayMode == kScatterMode) {
    // The data may have changed under a kept setting; the refusal then turns the kind to 0.
    DrawScatterPlot(canvas, doc_, Graphs().scatter, call);
  }
  if (doc_.DisplayMode == DisplayKind::kLinePlot) {
    if (Graphs().line_kind == kLineTwoway)
      DrawTwowayLinePlot(canvas, doc_, Graphs().line_twoway, call);
    else
      DrawLinePlot(canvas, doc_, Graphs().line, call);
  }
}

void CORVELView::DrawGraphPane(Canvas& canvas) {
  canvas.FillRect({0, 0, canvas.Width(), canvas.Height()}, colors::kWhite);
  canvas.SetFont(SheetFont());
  const double header = canvas.Metrics().height;
  DrawGraph(canvas, GraphCall::Screen(canvas.Width(), canvas.Height(), header));
  canvas.FillRect({0, 0, canvas.Width(), kResultBandHeight}, colors::kHeader);
  canvas.SetFont(SheetFont());
  canvas.SetPen({colors::kBlack, 1});
  canvas.DrawText(10, (kResultBandHeight - canvas.Metrics().height) / 2, kGraphBandPrompt, TextAlign::kLeft);
}

void CORVELView::OnSaveGraph() {
  FileDialogRequest request{"Save As", kSaveGraphFilter, "graph.emf", "emf", true};
  const std::optional<std::string> path = port_.ChooseSaveFile(request);
  if (!path) return;
  // The file's header line height is that of the screen font, as for the clipboard.
  const FileOutcome outcome = SaveGraphFile(*path, [&](Canvas& canvas) {
    canvas.SetFont(SheetFont());
    DrawGraph(canvas, GraphCall::File(canvas.Metrics().height));
  });
  if (!outcome.ok) return port_.ShowMessage(kAppTitle, outcome.message);
  RecordCommand(CommandId::kSaveGraph);
}

}  // namespace orvel
