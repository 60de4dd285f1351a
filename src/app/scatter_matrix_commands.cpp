// Scatter Plot Matrix(&M)...: the explanatory variables of the multiple regression data drawn
// pairwise, and the same sheet again on a double click.
#include "app/graph_commands.h"
#include "app/orvel_view.h"
#include "app/scatter_matrix_dialogs.h"

namespace orvel {

void CORVELView::OnScatterPlotMatrix() {
  const std::string refusal = CheckScatterMatrixData(doc_);
  if (!refusal.empty()) return port_.ShowMessage(kFreeTitle, refusal);
  const bool skip = !doc_.AreRegressionColumnsPaired();
  if (skip && !AskToSkipRows("Some columns are not paired. Will you skip the rows with missing values?")) return;
  ScatterMatrixDialog dialog{ScatterMatrixSettings{}};
  if (!port_.RunDialog(dialog) || !dialog.Accept().empty()) return;
  Graphs().matrix = dialog.Settings();
  // Kept with the settings: every redraw leaves the incomplete rows out again.
  Graphs().matrix.skip_incomplete_rows = skip;
  doc_.SetModified();
  doc_.DisplayMode = DisplayKind::kScatterPlotMatrix;
  port_.Repaint();
  RecordCommand(CommandId::kScatterPlotMatrix);
}

void CORVELView::EditScatterMatrix() {
  ScatterMatrixDialog dialog{Graphs().matrix};
  if (!port_.RunDialog(dialog) || !dialog.Accept().empty()) return;
  const bool skip = Graphs().matrix.skip_incomplete_rows;
  Graphs().matrix = dialog.Settings();
  Graphs().matrix.skip_incomplete_rows = skip;
  port_.Repaint();
}

}  // namespace orvel
