// Command handlers of the multivariate procedures: multiple and logistic regression on the
// Multiple Regression data, principal components and discriminant analysis.
#include <string>
#include <vector>

#include "analyses/logistic.h"
#include "analyses/multireg.h"
#include "analyses/multivariate.h"
#include "app/orvel_view.h"

namespace orvel {

namespace {

constexpr const char* kTooSmall = "Samples are too small.";
constexpr const char* kYAlsoX = "Y column and at least one of X columns are the same. Data setting is not correct.";
constexpr const char* kSettingNotCorrect = "Data setting is not correct.";
constexpr const char* kXYNotPaired = "X and Y are not paired. Will you skip the rows with missing values?";

std::vector<int> RegressionXColumns(const CORVELDoc& doc) {
  std::vector<int> columns;
  for (int c = 1; c <= kLastColumn; ++c)
    if (doc.RegressionXColumn(c)) columns.push_back(c);
  return columns;
}

// The rows a regression keeps: those with y and every explanatory value. Fewer than q + 3 of
// them leave the error term without degrees of freedom.
int RegressionRowCount(const CORVELDoc& doc, const std::vector<int>& x_columns) {
  std::vector<int> columns = x_columns;
  columns.push_back(doc.RegressionY());
  return CompleteRowCount(doc, columns);
}

}  // namespace

void CORVELView::OnMultipleRegressionAnalysis() {
  const std::vector<int> x = RegressionXColumns(doc_);
  const int q = static_cast<int>(x.size());
  const int y = doc_.RegressionY();
  if (doc_.Count(y) - q <= 2 || (q > 0 && RegressionRowCount(doc_, x) - q <= 2)) return Refuse(kFreeTitle, kTooSmall);
  if (doc_.RegressionXColumn(y)) return Refuse(kFreeTitle, kYAlsoX);
  if (q == 0) return Refuse(kFreeTitle, kSettingNotCorrect);
  // The fit inverts a q x q matrix, and the inverter takes at most 15 rows.
  if (q > kMaxRegressionVariables)
    return Refuse(kFreeTitle, "Too many explanatory variables. Select 15 columns or fewer as X.");
  if (!doc_.AreRegressionColumnsPaired() && !AskToSkipRows(kXYNotPaired)) return;
  if (!ResultOptionsStep()) return;
  PositionResultPane();
  MultipleRegressionReport(doc_);
  FinishAnalysis(CommandId::kMultipleRegressionAnalysis);
}

void CORVELView::OnLogisticRegressionAnalysis() {
  const std::vector<int> x = RegressionXColumns(doc_);
  const int q = static_cast<int>(x.size());
  const int y = doc_.RegressionY();
  if (!doc_.IsBinary(y)) return Refuse(kFreeTitle, "Every value in Y column must be 0 or 1. There are some incorrect data.");
  if (doc_.Count(y) - q <= 2 || (q > 0 && RegressionRowCount(doc_, x) - q <= 2)) return Refuse(kFreeTitle, kTooSmall);
  if (doc_.RegressionXColumn(y)) return Refuse(kFreeTitle, kYAlsoX);
  if (q == 0) return Refuse(kFreeTitle, kSettingNotCorrect);
  // The Hessian has q + 1 rows (the intercept's included), and the inverter takes at most 15.
  if (q > kMaxLogisticVariables)
    return Refuse(kFreeTitle, "Too many explanatory variables. Select 14 columns or fewer as X.");
  if (!doc_.AreRegressionColumnsPaired() && !AskToSkipRows(kXYNotPaired)) return;
  if (!ResultOptionsStep()) return;
  PositionResultPane();
  LogisticRegressionReport(doc_);
  FinishAnalysis(CommandId::kLogisticRegressionAnalysis);
}

void CORVELView::OnPrincipalComponentAnalysis() {
  std::vector<int> columns;
  for (int c = 1; c <= kLastColumn; ++c)
    if (doc_.PcaColumn(c)) columns.push_back(c);
  // No column, or fewer than two complete rows, give no matrix to decompose.
  if (columns.empty() || CompleteRowCount(doc_, columns) < 2) return Refuse(kFreeTitle, kSettingNotCorrect);
  // The eigen solver takes at most 20 rows.
  if (static_cast<int>(columns.size()) > kMaxPcaColumns)
    return Refuse(kFreeTitle, "Too many columns. Select 20 columns or fewer for principal component analysis.");
  if (!doc_.ArePcaColumnsPaired() &&
      !AskToSkipRows("There are some missing values. Will you skip the rows with missing values?"))
    return;
  if (!ResultOptionsStep()) return;
  PositionResultPane();
  PrincipalComponentReport(doc_);
  FinishAnalysis(CommandId::kPrincipalComponentAnalysis);
}

void CORVELView::OnDiscriminantAnalysis() {
  if (!doc_.IsDiscriminantDataValid()) return Refuse(kFreeTitle, "Data setting for discriminant analysis data is not correct.");
  if (!ResultOptionsStep()) return;
  PositionResultPane();
  DiscriminantReport(doc_);
  FinishAnalysis(CommandId::kDiscriminantAnalysis);
}

}  // namespace orvel
