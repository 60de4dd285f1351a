// Command handlers of the rank tests: Mann-Whitney U, Wilcoxon signed rank, Kruskal-Wallis and
// Friedman rank sum tests.
#include "app/orvel_view.h"

#include "analyses/rank_tests.h"
#include "app/rank_dialogs.h"

namespace orvel {

namespace {
constexpr const char* kXYNotPaired = "X and Y are not paired. Will you skip the rows with missing values?";
constexpr const char* kGroupsNotPaired = "There are missing values. Will you skip the rows with the missing values?";
constexpr const char* kTooManyValues = "Samples must be less than 5000.";
}  // namespace

void CORVELView::OnWilcoxonSignedRankTest() {
  if (!doc_.IsXYPaired() && !AskToSkipRows(kXYNotPaired)) return;
  // Only rows with both values are ranked (the others are skipped), so only they are counted.
  const int differences = WilcoxonNonZeroDifferences(doc_);
  if (differences == 0) return Refuse(kFreeTitle, "Data setting is not correct.");
  if (differences <= 5) return Refuse(kFreeTitle, "Samples are too small.");
  if (!ResultOptionsStep()) return;
  PositionResultPane();
  WilcoxonReport(doc_);
  FinishAnalysis(CommandId::kWilcoxonSignedRankTest);
}

void CORVELView::OnMannWhitneyUTest() {
  if (MannWhitneySamplesTooSmall(doc_.Count(doc_.TwoGroupX()), doc_.Count(doc_.TwoGroupY())))
    return Refuse(kFreeTitle, "Samples are too small.");
  if (!ResultOptionsStep()) return;
  PositionResultPane();
  port_.SetWaitCursor(true);
  MannWhitneyReport(doc_);
  port_.SetWaitCursor(false);
  FinishAnalysis(CommandId::kMannWhitneyUTest);
}

void CORVELView::OnKruskalWallisTest() {
  if (doc_.GroupColumnCount() <= 2) return Refuse(kAppTitle, "Set data for oneway over three groups.");
  if (GroupValueTotal(doc_) > kRankSumTestValueLimit) return Refuse(kAppTitle, kTooManyValues);
  if (!ResultOptionsStep()) return;
  KruskalWallisDialog dialog;
  if (!port_.RunDialog(dialog) || !dialog.Accept().empty()) {
    RecordCommand(CommandId::kKruskalWallisTest);
    return;
  }
  PositionResultPane();
  port_.SetWaitCursor(true);
  KruskalWallisReport(doc_, {dialog.tukey, dialog.scheffe});
  port_.SetWaitCursor(false);
  FinishAnalysis(CommandId::kKruskalWallisTest);
}

void CORVELView::OnFriedmanTest() {
  if (doc_.GroupColumnCount() <= 2) return Refuse(kAppTitle, "Set data for Oneway Three Groups or More.");
  if (GroupValueTotal(doc_) > kRankSumTestValueLimit) return Refuse(kAppTitle, kTooManyValues);
  if (!doc_.AreGroupColumnsPaired() && !AskToSkipRows(kGroupsNotPaired)) return;
  if (!ResultOptionsStep()) return;
  FriedmanDialog dialog;
  if (!port_.RunDialog(dialog) || !dialog.Accept().empty()) {
    RecordCommand(CommandId::kFriedmanTest);
    return;
  }
  PositionResultPane();
  port_.SetWaitCursor(true);
  FriedmanReport(doc_, {dialog.tukey, dialog.scheffe});
  port_.SetWaitCursor(false);
  FinishAnalysis(CommandId::kFriedmanTest);
}

}  // namespace orvel
