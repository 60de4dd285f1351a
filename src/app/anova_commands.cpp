// Command handlers of the analyses of variance: OnewayANOVA, TwowayANOVA without Replication
// and TwowayANOVA.
#include "app/orvel_view.h"

#include "analyses/anova.h"
#include "app/anova_dialogs.h"

namespace orvel {

namespace {
constexpr const char* kNotPaired = "Selected columns are not paired. Will you skip the rows with missing values?";
// Row 0 holds the column names; a block that starts there would treat names as data.
constexpr const char* kNamesRowSelected =
    "The selected cells include row 0, which holds the column names. Select data cells only.";
}  // namespace

void CORVELView::OnOnewayAnova() {
  if (doc_.GroupColumnCount() <= 2) return Refuse(kFreeTitle, "Set data for Oneway more than two groups.");
  if (!ResultOptionsStep()) return;
  OnewayAnovaDialog dialog(doc_, doc_.CurrentGroupColumn());
  if (!port_.RunDialog(dialog) || !dialog.Accept().empty()) {
    RecordCommand(CommandId::kOnewayAnova);
    return;
  }
  if (dialog.repeated && !doc_.AreGroupColumnsPaired() && !AskToSkipRows(kNotPaired)) return;
  doc_.SetCurrentGroupColumn(dialog.ControlColumn());
  OnewayOptions options;
  options.design = dialog.repeated ? OnewayDesign::kRepeated : OnewayDesign::kFactorial;
  options.tukey = dialog.tukey;
  options.scheffe = dialog.scheffe;
  options.bonferroni = dialog.bonferroni;
  options.dunnett = dialog.dunnett;
  options.holm = dialog.holm;
  options.control = static_cast<std::size_t>(dialog.control_index);
  PositionResultPane();
  port_.SetWaitCursor(true);
  OnewayAnovaReport(doc_, options);
  port_.SetWaitCursor(false);
  FinishAnalysis(CommandId::kOnewayAnova);
}

void CORVELView::OnTwowayAnovaWithoutReplication() {
  const Selection& s = doc_.GetSelection();
  if (s.LeftColumn() == s.RightColumn() || s.TopRow() == s.BottomRow())
    return Refuse(kFreeTitle, "Selected cells should be more than two columns and rows.");
  const int cells = (s.RightColumn() - s.LeftColumn() + 1) * (s.BottomRow() - s.TopRow() + 1);
  if (doc_.CellCount(s.LeftColumn(), s.TopRow(), s.RightColumn(), s.BottomRow()) != cells)
    return Refuse(kFreeTitle, "There are some missing values in the selected cells.");
  if (s.TopRow() == 0) return Refuse(kFreeTitle, kNamesRowSelected);
  if (!ResultOptionsStep()) return;
  TwowayWithoutReplicationDialog dialog;
  if (!port_.RunDialog(dialog) || !dialog.Accept().empty()) {
    RecordCommand(CommandId::kTwowayAnovaWithoutReplication);
    return;
  }
  PositionResultPane();
  port_.SetWaitCursor(true);
  TwowayWithoutReplicationReport(doc_, {dialog.tukey, dialog.scheffe, dialog.bonferroni});
  port_.SetWaitCursor(false);
  FinishAnalysis(CommandId::kTwowayAnovaWithoutReplication);
}

void CORVELView::OnTwowayAnova() {
  if (!doc_.IsTwowayGridValid()) return Refuse(kFreeTitle, "Data setting for twoway data is not correct.");
  if (!ResultOptionsStep()) return;
  TwowayAnovaDialog dialog;
  if (!port_.RunDialog(dialog) || !dialog.Accept().empty()) {
    RecordCommand(CommandId::kTwowayAnova);
    return;
  }
  if (dialog.repeated && !doc_.IsTwowayDataBalanced())
    return Refuse(kFreeTitle, "The numbers of data are not equal or the selected columns are not paired.");
  PositionResultPane();
  port_.SetWaitCursor(true);
  TwowayAnovaReport(doc_, dialog.repeated, {dialog.tukey, dialog.scheffe, dialog.bonferroni});
  port_.SetWaitCursor(false);
  FinishAnalysis(CommandId::kTwowayAnova);
}

}  // namespace orvel
