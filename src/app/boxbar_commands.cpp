// The box plot and bar plot commands: the check of the data, the settings sheet with the
// defaults from the data, the two setting checks, then the display mode, the repaint and the
// statement; and their re-edit sheets opened by a double click.
#include "app/boxbar_dialogs.h"
#include "app/graph_commands.h"
#include "app/orvel_view.h"

namespace orvel {

namespace {

CommandId BoxPlotCommand(int kind) {
  return kind == kBoxPlotGroups ? CommandId::kBoxPlotGroups : CommandId::kBoxPlotTwoGroups;
}

CommandId BarPlotCommand(int kind) {
  switch (kind) {
    case kBarPlotGroups: return CommandId::kBarPlotGroups;
    case kBarPlotTwoway: return CommandId::kBarPlotTwoway;
    default: return CommandId::kBarPlotTwoGroups;
  }
}

}  // namespace

void CORVELView::OnBoxPlot(int kind) {
  const std::string refusal = CheckBoxPlotData(doc_, kind);
  if (!refusal.empty()) return port_.ShowMessage(kFreeTitle, refusal);
  BoxPlotDialog dialog(DefaultBoxPlotSettings(doc_, kind), false);
  if (!port_.RunDialog(dialog) || !dialog.Accept().empty()) return;  // nothing changes
  const std::string check = dialog.SettingsRefusal();
  if (!check.empty()) return port_.ShowMessage(kFreeTitle, check);
  Graphs().box = dialog.Settings();
  doc_.SetModified();
  doc_.DisplayMode = DisplayKind::kBoxPlot;
  port_.Repaint();
  RecordCommand(BoxPlotCommand(kind));
}

void CORVELView::OnBarPlot(int kind) {
  const std::string refusal = CheckBarPlotData(doc_, kind);
  if (!refusal.empty()) return port_.ShowMessage(kFreeTitle, refusal);
  BarPlotDialog dialog(DefaultBarPlotSettings(doc_, kind), false);
  if (!port_.RunDialog(dialog) || !dialog.Accept().empty()) return;
  const std::string check = dialog.SettingsRefusal();
  if (!check.empty()) return port_.ShowMessage(kFreeTitle, check);
  Graphs().bar = dialog.Settings();
  doc_.SetModified();
  doc_.DisplayMode = DisplayKind::kBarPlot;
  port_.Repaint();
  RecordCommand(BarPlotCommand(kind));
}

bool CORVELView::EditBoxOrBarPlot() {
  if (doc_.DisplayMode == DisplayKind::kBoxPlot) {
    BoxPlotDialog dialog(Graphs().box, true);
    if (!port_.RunDialog(dialog) || !dialog.Accept().empty()) return true;
    const std::string check = dialog.SettingsRefusal();
    if (!check.empty()) {
      port_.ShowMessage(kFreeTitle, check);
      return true;
    }
    Graphs().box = dialog.Settings();
    port_.Repaint();
    return true;
  }
  if (doc_.DisplayMode == DisplayKind::kBarPlot) {
    BarPlotDialog dialog(Graphs().bar, true);
    if (!port_.RunDialog(dialog) || !dialog.Accept().empty()) return true;
    const std::string check = dialog.SettingsRefusal();
    if (!check.empty()) {
      port_.ShowMessage(kFreeTitle, check);
      return true;
    }
    Graphs().bar = dialog.Settings();
    port_.Repaint();
    return true;
  }
  return false;
}

bool CORVELView::DrawBoxOrBarPlot(Canvas& canvas, const GraphCall& call) {
  if (doc_.DisplayMode == DisplayKind::kBoxPlot) {
    DrawBoxPlot(canvas, Graphs().box, call);
    return true;
  }
  if (doc_.DisplayMode == DisplayKind::kBarPlot) {
    DrawBarPlot(canvas, Graphs().bar, call);
    return true;
  }
  return false;
}

}  // namespace orvel
