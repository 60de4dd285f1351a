// The line-plot commands: the data check, the settings sheet with its two setting checks, the
// display mode and the recorded statement; and the re-edit sheet of a double click.
#include "app/graph_commands.h"
#include "app/line_plot_dialogs.h"
#include "app/orvel_view.h"

namespace orvel {

namespace {

CommandId LinePlotCommand(int kind) {
  switch (kind) {
    case kLineGroups: return CommandId::kLinePlotGroups;
    case kLineTwoway: return CommandId::kLinePlotTwoway;
    case kLineTwoRelated: return CommandId::kLinePlotTwoRelatedGroups;
    case kLineRelatedGroups: return CommandId::kLinePlotRelatedGroups;
    default: return CommandId::kLinePlotTwoGroups;
  }
}

}  // namespace

void CORVELView::OnLinePlot(int kind) {
  const std::string refusal = LinePlotDataRefusal(doc_, kind);
  if (!refusal.empty()) return port_.ShowMessage(kFreeTitle, refusal);
  if (kind == kLineTwoway) {
    TwowayLinePlotDialog dialog(doc_, DefaultTwowayLinePlotSettings(doc_), false);
    if (!port_.RunDialog(dialog) || !dialog.Accept().empty()) return;  // nothing changes
    const std::string check = dialog.SettingsRefusal();
    if (!check.empty()) return port_.ShowMessage(kFreeTitle, check);
    Graphs().line_twoway = dialog.Settings();
  } else {
    LinePlotDialog dialog(doc_, DefaultLinePlotSettings(doc_, kind), false);
    if (!port_.RunDialog(dialog) || !dialog.Accept().empty()) return;
    const std::string check = dialog.SettingsRefusal();
    if (!check.empty()) return port_.ShowMessage(kFreeTitle, check);
    Graphs().line = dialog.Settings();
  }
  Graphs().line_kind = kind;
  doc_.SetModified();
  doc_.DisplayMode = DisplayKind::kLinePlot;
  port_.Repaint();
  RecordCommand(LinePlotCommand(kind));
}

bool CORVELView::EditLinePlot() {
  if (doc_.DisplayMode != DisplayKind::kLinePlot) return false;
  GraphState& graphs = Graphs();
  if (graphs.line_kind == kLineTwoway) {
    TwowayLinePlotDialog dialog(doc_, graphs.line_twoway, true);
    if (!port_.RunDialog(dialog) || !dialog.Accept().empty()) return true;
    const std::string check = dialog.SettingsRefusal();
    if (!check.empty()) {
      port_.ShowMessage(kFreeTitle, check);
      return true;
    }
    graphs.line_twoway = dialog.Settings();
    port_.Repaint();
    return true;
  }
  LinePlotDialog dialog(doc_, graphs.line, true);
  if (!port_.RunDialog(dialog) || !dialog.Accept().empty()) return true;
  const std::string check = dialog.SettingsRefusal();
  if (!check.empty()) {
    port_.ShowMessage(kFreeTitle, check);
    return true;
  }
  graphs.line = dialog.Settings();
  port_.Repaint();  // redrawn, and no statement: the graph's command was recorded already
  return true;
}

}  // namespace orvel
