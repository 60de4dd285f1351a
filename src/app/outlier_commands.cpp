// Command handlers of the outlier tests and the random numbers table.
#include "analyses/outlier.h"
#include "app/orvel_view.h"
#include "app/outlier_dialogs.h"

namespace orvel {

namespace {
// The checks both outlier tests make on the anchor column; false when the command stops.
bool OutlierColumnAccepted(CORVELView& view, int c) {
  if (c == 0) {
    view.Refuse(kFreeTitle, "Select a column but a label one.");
    return false;
  }
  if (view.Doc().Count(c) <= 2) {
    view.Refuse(kFreeTitle, "Samples are too small.");
    return false;
  }
  return true;
}
}  // namespace

void CORVELView::OnThompsonRejectionTest() {
  const int c = doc_.GetSelection().anchor_column;
  if (!OutlierColumnAccepted(*this, c) || !ResultOptionsStep()) return;
  PositionResultPane();
  ThompsonReport(doc_, c);
  FinishAnalysis(CommandId::kThompsonRejectionTest);
}

void CORVELView::OnSmirnovGrubbsTest() {
  const int c = doc_.GetSelection().anchor_column;
  if (!OutlierColumnAccepted(*this, c) || !ResultOptionsStep()) return;
  PositionResultPane();
  SmirnovGrubbsReport(doc_, c);
  FinishAnalysis(CommandId::kSmirnovGrubbsTest);
}

void CORVELView::OnRandomNumbersTable() {
  if (!ResultOptionsStep()) return;
  RandomNumbersDialog dialog;
  // The statement is recorded whether the dialog was confirmed or not.
  if (!port_.RunDialog(dialog) || !dialog.Accept().empty()) return RecordCommand(CommandId::kRandomNumbersTable);
  PositionResultPane();
  // Reseeded from the clock on every run: two runs within one second give the same table.
  RandomNumbersTableReport(doc_, dialog.groups, dialog.repetitions, RandomSeedFromTime(port_.CurrentTimeSeconds()));
  FinishAnalysis(CommandId::kRandomNumbersTable);
}

}  // namespace orvel
