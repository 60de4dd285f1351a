// Multiple regression of one response on up to 15 explanatory columns, with all variables or
// with forward / backward selection by partial F, and its report.
//
// The fit and the selection are pure functions of column vectors; MultipleRegressionReport
// reads the Multiple Regression data of the document through a view that leaves out the
// incomplete rows and appends the whole report.
#pragma once

#include <string>
#include <vector>

#include "sheet/orvel_doc.h"
#include "sheet/row_view.h"

namespace orvel {

// The values of `columns` on the rows where every one of them is numeric, in sheet order:
// result[k][i] is column k's value on the i-th such row.
std::vector<std::vector<double>> CompleteRowValues(const CRowView& rows, const std::vector<int>& columns);
// How many rows hold a numeric value in every one of `columns`.
int CompleteRowCount(const CRowView& rows, const std::vector<int>& columns);

// The Multiple Regression setting as the regression procedures read it: Y, the X columns in
// column order, the selection method, and the values of the rows where all of them are numeric.
struct RegressionData {
  int y_column = 0;
  int method = 2;
  std::vector<int> x_columns;
  std::vector<std::vector<double>> x;  // x[k][i]: X column k on the i-th complete row
  std::vector<double> y;
};
RegressionData ReadRegressionData(const CRowView& rows);

// The sums every fit of one data set shares.
struct RegressionSums {
  int n = 0;
  int q = 0;
  std::vector<double> mean_x;              // [k]
  std::vector<std::vector<double>> sxx;    // S(k, l)
  std::vector<double> sxy;                 // S(k, y)
  double mean_y = 0;
  double syy = 0;
};
// x[k][i], y[i]: the explanatory and response values of the complete rows.
RegressionSums ComputeRegressionSums(const std::vector<std::vector<double>>& x, const std::vector<double>& y);

// One least-squares fit of y on the model's variables (indices into x, in the given order).
struct RegressionFit {
  bool inverted = false;  // false: the model's matrix cannot be inverted and nothing below is set
  std::vector<int> model;
  std::vector<double> a;  // a1..am as a[0..m-1]
  double a0 = 0;
  std::vector<double> standardized;
  std::vector<double> partial_f;
  double sr = 0, se = 0;
  double r2 = 0, r = 0, r2_adjusted = 0, r_adjusted = 0;
  double vr = 0, ve = 0, f = 0;
  double p = 0;  // NaN when the F test has no degrees of freedom
};
RegressionFit FitRegression(const RegressionSums& sums, const std::vector<std::vector<double>>& x,
                            const std::vector<double>& y, const std::vector<int>& model);

// One entry or removal of a stepwise selection, for the report's trace.
struct SelectionStep {
  int variable = 0;  // index into x
  double f = 0;
};
struct RegressionSelection {
  std::vector<SelectionStep> steps;
  std::vector<int> chosen;  // indices into x, increasing
};
// Forward selection: a variable enters when its partial F is strictly above f_in; a candidate
// whose model cannot be inverted never enters. Ties go to the lower index.
RegressionSelection ForwardRegressionSelection(const RegressionSums& sums, const std::vector<std::vector<double>>& x,
                                               const std::vector<double>& y, double f_in);
// Backward elimination: the weakest variable leaves when its partial F is strictly below f_out;
// a pass whose model cannot be inverted removes nothing. Ties go to the lower index.
RegressionSelection BackwardRegressionSelection(const RegressionSums& sums, const std::vector<std::vector<double>>& x,
                                                const std::vector<double>& y, double f_out);

// The largest number of explanatory columns the fit can invert.
inline constexpr int kMaxRegressionVariables = 15;

// The whole report for the document's Multiple Regression data and method. Also leaves the
// stepwise choice in the document's StepwiseChosen flags.
void MultipleRegressionReport(CORVELDoc& doc);

}  // namespace orvel
