// Correlation commands: the regression line and curves, Spearman's and Kendall's rank
// correlations of X and Y, and the intraclass correlation of the group columns.
#include "analyses/correlation.h"
#include "app/correlation_dialogs.h"
#include "app/orvel_view.h"

namespace orvel {

namespace {

constexpr const char* kXYNotPaired = "X and Y are not paired. Will you skip the rows with missing values?";
constexpr const char* kGroupsNotPaired = "There are missing values. Will you skip the rows with the missing values?";

// The first steps of every X/Y procedure: the question when X and Y are not paired (the report
// skips the incomplete rows), then Result Options. False when the command stops.
bool StartXYProcedure(CORVELView& view) {
  if (!view.Doc().IsXYPaired() && !view.AskToSkipRows(kXYNotPaired)) return false;
  return view.ResultOptionsStep();
}

}  // namespace

void CORVELView::OnRegressionLine() {
  if (!StartXYProcedure(*this)) return;
  PositionResultPane();
  RegressionLineReport(doc_);
  FinishAnalysis(CommandId::kRegressionLine);
}

void CORVELView::OnRegressionCurve() {
  // Result Options may empty the result before the kind is known; a kind that the data refuse
  // puts it back, so a refused command leaves the result as it was.
  const std::string result_before = doc_.ResultText;
  const bool modified_before = doc_.IsModified();
  if (!StartXYProcedure(*this)) return;
  RegressionCurveDialog dialog;
  if (!port_.RunDialog(dialog) || !dialog.Accept().empty()) {
    RecordCommand(CommandId::kRegressionCurve);
    return;
  }
  if (const char* refusal = RegressionCurveRefusal(doc_, dialog.kind)) {
    doc_.ResultText = result_before;
    doc_.SetModified(modified_before);
    return Refuse(kFreeTitle, refusal);
  }
  PositionResultPane();
  if (!RegressionCurveReport(doc_, dialog.kind)) return;  // the check above keeps this from happening
  FinishAnalysis(CommandId::kRegressionCurve);
}

void CORVELView::OnSpearmanRankCorrelation() {
  if (!StartXYProcedure(*this)) return;
  PositionResultPane();
  SpearmanReport(doc_);
  FinishAnalysis(CommandId::kSpearmanRankCorrelation);
}

void CORVELView::OnKendallRankCorrelation() {
  if (!StartXYProcedure(*this)) return;
  PositionResultPane();
  KendallReport(doc_);
  FinishAnalysis(CommandId::kKendallRankCorrelation);
}

void CORVELView::OnIntraclassCorrelation() {
  if (doc_.GroupColumnCount() <= 2) return Refuse(kFreeTitle, "Set data for Oneway Three Groups or More.");
  // Without a single row holding every rating the skip would leave nothing (negative df).
  if (CompleteGroupRowCount(doc_) == 0) return Refuse(kFreeTitle, "Samples are too small.");
  if (!ResultOptionsStep()) return;
  if (!doc_.AreGroupColumnsPaired() && !AskToSkipRows(kGroupsNotPaired)) return;
  PositionResultPane();
  IntraclassCorrelationReport(doc_);
  FinishAnalysis(CommandId::kIntraclassCorrelation);
}

}  // namespace orvel
