// Command handlers of the two-sample parametric tests.
#include "analyses/two_sample.h"
#include "app/orvel_view.h"

namespace orvel {

namespace {
constexpr const char* kTooSmall = "Samples are too small.";
constexpr const char* kSkipQuestion = "X and Y are not paired. Will you skip the rows with missing values?";
}  // namespace

void CORVELView::OnFTest() {
  if (doc_.Count(doc_.TwoGroupX()) <= 2 || doc_.Count(doc_.TwoGroupY()) <= 2) return Refuse(kFreeTitle, kTooSmall);
  if (!ResultOptionsStep()) return;
  PositionResultPane();
  FTestReport(doc_);
  FinishAnalysis(CommandId::kFTest);
}

void CORVELView::OnBartlettTest() {
  if (doc_.GroupColumnCount() <= 2) return Refuse(kAppTitle, "Data setting for three groups or more is required.");
  // An empty group has no variance; the statistic would come out as a plain 0.
  if (HasEmptyGroupColumn(doc_)) return Refuse(kFreeTitle, kTooSmall);
  if (!ResultOptionsStep()) return;
  PositionResultPane();
  BartlettTestReport(doc_);
  FinishAnalysis(CommandId::kBartlettTest);
}

void CORVELView::OnPairedTTest() {
  // Fewer than two complete pairs leave the test without degrees of freedom.
  if (CompletePairCount(doc_) < 2) return Refuse(kFreeTitle, kTooSmall);
  if (!doc_.IsXYPaired() && !AskToSkipRows(kSkipQuestion)) return;
  if (!ResultOptionsStep()) return;
  PositionResultPane();
  PairedTTestReport(doc_);
  FinishAnalysis(CommandId::kPairedTTest);
}

void CORVELView::OnUnpairedTTest() {
  if (doc_.Count(doc_.TwoGroupX()) <= 2 || doc_.Count(doc_.TwoGroupY()) <= 2) return Refuse(kFreeTitle, kTooSmall);
  if (!ResultOptionsStep()) return;
  PositionResultPane();
  UnpairedTTestReport(doc_);
  FinishAnalysis(CommandId::kUnpairedTTest);
}

void CORVELView::OnGoodnessOfFitTest() {
  if (!doc_.IsXYPaired())
    return Refuse(kAppTitle, "X and Y are not paired. Input observed frequency into X and expected frequency into Y.");
  // A row expected 0 times (or fewer) has no chi-square contribution.
  if (HasNonPositiveExpectedFrequency(doc_)) return Refuse(kFreeTitle, "Expected frequencies must be greater than 0.");
  if (!ResultOptionsStep()) return;
  PositionResultPane();
  GoodnessOfFitReport(doc_);
  FinishAnalysis(CommandId::kGoodnessOfFitTest);
}

}  // namespace orvel
