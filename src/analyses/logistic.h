// Logistic regression of a 0/1 response on the Multiple Regression data's explanatory columns,
// fitted by Newton-Raphson, with Wald statistics, odds ratios, the classification rate and
// forward / backward selection by the Wald p-value.
#pragma once

#include <vector>

#include "sheet/orvel_doc.h"

namespace orvel {

// Why a fit has no usable estimates.
enum class LogisticFailure {
  kNone,
  kSingularHessian,     // the matrix of second derivatives cannot be inverted
  kBoundaryProbability  // a fitted probability reached 0 or 1: the log-likelihood is infinite
};

struct LogisticFit {
  LogisticFailure failure = LogisticFailure::kNone;
  int iterations = 0;              // the loop counter m, 1..20
  std::vector<double> beta;        // beta(0..q)
  std::vector<double> se;          // sqrt(-Hinv(j, j))
  std::vector<double> p;           // Wald chi-square p with 1 df
  double convergence = 0;          // |(L(k+1) - L(k)) / L(k)| of the last step
  int correct = 0;                 // rows classified correctly at the cut-off 0.5
  int n = 0;
};

// x[j][i]: explanatory variable j on row i; y[i] 0 or 1. The last inverse of the Hessian (that
// of the step before the last) gives the standard errors.
LogisticFit FitLogistic(const std::vector<std::vector<double>>& x, const std::vector<double>& y);

// The largest number of explanatory variables: the Hessian has one more row than that, and the
// inverter takes at most 15.
inline constexpr int kMaxLogisticVariables = 14;

// Variable selection: the chosen variables (indices into x, increasing).
// Forward: the candidate with the smallest Wald p (strictly below the running minimum, which
// starts at 1) enters when p_in > p; a candidate whose fit fails cannot enter.
std::vector<int> ForwardLogisticSelection(const std::vector<std::vector<double>>& x, const std::vector<double>& y,
                                          double p_in);
// Backward: the variable with the largest p (ties to the later one; the running maximum starts
// at 0) leaves when p_out < p; a pass whose fit fails removes nothing.
std::vector<int> BackwardLogisticSelection(const std::vector<std::vector<double>>& x, const std::vector<double>& y,
                                           double p_out);

// The whole report for the document's Multiple Regression data and method.
void LogisticRegressionReport(CORVELDoc& doc);

}  // namespace orvel
