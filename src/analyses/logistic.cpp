#include "analyses/logistic.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "analyses/multireg.h"
#include "analyses/result_text.h"
#include "numeric/distributions.h"
#include "numeric/matrix.h"

namespace orvel {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kMaxIterations = 20;
constexpr double kConvergence = 0.00001;

double LinearPredictor(const std::vector<std::vector<double>>& x, const std::vector<double>& beta, std::size_t i) {
  double z = beta[0];
  for (std::size_t j = 0; j < x.size(); ++j) z += beta[j + 1] * x[j][i];
  return z;
}

// The fitted probabilities at beta; false when one of them is 0 or 1 in double precision,
// where ln(pi) or ln(1 - pi) is infinite.
bool Probabilities(const std::vector<std::vector<double>>& x, const std::vector<double>& beta, std::size_t n,
                   std::vector<double>& pi) {
  pi.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    pi[i] = 1 / (1 + std::exp(-LinearPredictor(x, beta, i)));
    if (!(pi[i] > 0 && pi[i] < 1)) return false;
  }
  return true;
}

double LogLikelihood(const std::vector<double>& y, const std::vector<double>& pi) {
  double l = 0;
  for (std::size_t i = 0; i < y.size(); ++i) l += y[i] * std::log(pi[i]) + (1 - y[i]) * std::log(1 - pi[i]);
  return l;
}

// One Newton step: gradient and Hessian at pi, beta := beta - Hinv g. False when the Hessian
// cannot be inverted (beta then unchanged).
bool NewtonStep(const std::vector<std::vector<double>>& x, const std::vector<double>& y, const std::vector<double>& pi,
                std::vector<double>& beta, MatrixInverter& inverter) {
  const std::size_t order = x.size() + 1;
  std::vector<double> g(order, 0.0);
  std::vector<std::vector<double>> h(order, std::vector<double>(order, 0.0));
  std::vector<double> row(order);
  for (std::size_t i = 0; i < y.size(); ++i) {
    row[0] = 1;
    for (std::size_t j = 0; j < x.size(); ++j) row[j + 1] = x[j][i];
    const double residual = y[i] - pi[i];
    const double weight = pi[i] * (1 - pi[i]);
    for (std::size_t j = 0; j < order; ++j) {
      g[j] += residual * row[j];
      for (std::size_t l = j; l < order; ++l) h[j][l] -= row[j] * row[l] * weight;
    }
  }
  inverter.Reset();
  for (std::size_t j = 0; j < order; ++j)
    for (std::size_t l = 0; l < order; ++l)
      inverter.SetInput(static_cast<int>(j + 1), static_cast<int>(l + 1), l >= j ? h[j][l] : h[l][j]);
  inverter.Invert(static_cast<int>(order));
  if (!inverter.Succeeded()) return false;
  for (std::size_t j = 0; j < order; ++j) {
    double step = 0;
    for (std::size_t l = 0; l < order; ++l) step += inverter.Inverse(static_cast<int>(j + 1), static_cast<int>(l + 1)) * g[l];
    beta[j] -= step;
  }
  return true;
}

std::string ColumnName(const CORVELDoc& doc, int c) { return std::string(doc.Text(c, 0)); }

std::vector<std::vector<double>> Columns(const std::vector<std::vector<double>>& x, const std::vector<int>& model) {
  std::vector<std::vector<double>> out;
  for (int k : model) out.push_back(x[static_cast<std::size_t>(k)]);
  return out;
}

}  // namespace

LogisticFit FitLogistic(const std::vector<std::vector<double>>& x, const std::vector<double>& y) {
  LogisticFit fit;
  const std::size_t n = y.size();
  const std::size_t order = x.size() + 1;
  fit.n = static_cast<int>(n);
  std::vector<double> beta(order, 1e-6);
  std::vector<double> pi;
  MatrixInverter inverter;
  Probabilities(x, beta, n, pi);
  if (!NewtonStep(x, y, pi, beta, inverter)) {
    fit.failure = LogisticFailure::kSingularHessian;
    return fit;
  }
  if (!Probabilities(x, beta, n, pi)) {
    fit.failure = LogisticFailure::kBoundaryProbability;
    return fit;
  }
  int m = 1;
  double d = 0;
  while (m < kMaxIterations) {
    const double before = LogLikelihood(y, pi);
    if (!NewtonStep(x, y, pi, beta, inverter)) {
      fit.failure = LogisticFailure::kSingularHessian;
      return fit;
    }
    if (!Probabilities(x, beta, n, pi)) {
      fit.failure = LogisticFailure::kBoundaryProbability;
      return fit;
    }
    const double after = LogLikelihood(y, pi);
    d = std::fabs((after - before) / before);
    if (d < kConvergence) break;
    ++m;
  }
  fit.iterations = m;
  fit.convergence = d;
  fit.beta = beta;
  fit.se.resize(order);
  fit.p.resize(order);
  for (std::size_t j = 0; j < order; ++j) {
    const double v = inverter.Inverse(static_cast<int>(j + 1), static_cast<int>(j + 1));
    fit.se[j] = std::sqrt(-v);
    fit.p[j] = checked::ChiSquareUpperP(1, -beta[j] * beta[j] / v).value_or(kNaN);
  }
  for (std::size_t i = 0; i < n; ++i) {
    const double p = 1 / (1 + std::exp(-LinearPredictor(x, beta, i)));
    if ((y[i] == 1 && p >= 0.5) || (y[i] == 0 && p < 0.5)) ++fit.correct;
  }
  return fit;
}

std::vector<int> ForwardLogisticSelection(const std::vector<std::vector<double>>& x, const std::vector<double>& y,
                                          double p_in) {
  std::vector<bool> chosen(x.size(), false);
  for (std::size_t pass = 0; pass < x.size(); ++pass) {
    int best = -1;
    double best_p = 1;
    for (std::size_t c = 0; c < x.size(); ++c) {
      if (chosen[c]) continue;
      std::vector<int> model;
      std::size_t position = 0;
      for (std::size_t k = 0; k < x.size(); ++k) {
        if (k == c) position = model.size();
        if (chosen[k] || k == c) model.push_back(static_cast<int>(k));
      }
      const LogisticFit fit = FitLogistic(Columns(x, model), y);
      // A failed fit has no Wald p: its candidate cannot enter.
      if (fit.failure != LogisticFailure::kNone) continue;
      const double p = fit.p[position + 1];
      if (p < best_p) {
        best = static_cast<int>(c);
        best_p = p;
      }
    }
    if (best >= 0 && p_in > best_p) chosen[static_cast<std::size_t>(best)] = true;
  }
  std::vector<int> out;
  for (std::size_t k = 0; k < x.size(); ++k)
    if (chosen[k]) out.push_back(static_cast<int>(k));
  return out;
}

std::vector<int> BackwardLogisticSelection(const std::vector<std::vector<double>>& x, const std::vector<double>& y,
                                           double p_out) {
  std::vector<bool> chosen(x.size(), true);
  for (std::size_t pass = 0; pass < x.size(); ++pass) {
    std::vector<int> model;
    for (std::size_t k = 0; k < x.size(); ++k)
      if (chosen[k]) model.push_back(static_cast<int>(k));
    if (model.empty()) break;
    const LogisticFit fit = FitLogistic(Columns(x, model), y);
    // Without a fit the p-values are undefined: the pass removes nothing.
    if (fit.failure != LogisticFailure::kNone) continue;
    int worst = -1;
    double worst_p = 0;
    for (std::size_t k = 0; k < model.size(); ++k)
      if (fit.p[k + 1] >= worst_p) {
        worst = model[k];
        worst_p = fit.p[k + 1];
      }
    if (worst >= 0 && p_out < worst_p) chosen[static_cast<std::size_t>(worst)] = false;
  }
  std::vector<int> out;
  for (std::size_t k = 0; k < x.size(); ++k)
    if (chosen[k]) out.push_back(static_cast<int>(k));
  return out;
}

void LogisticRegressionReport(CORVELDoc& doc) {
  const DataSettings& settings = doc.Settings();
  const CRowView rows = CRowView::CompleteRegression(doc);
  const RegressionData data = ReadRegressionData(rows);
  const int y_column = data.y_column, method = data.method;
  const std::vector<int>& x_columns = data.x_columns;
  const std::vector<std::vector<double>>& x = data.x;
  const std::vector<double>& y = data.y;

  doc.AppendResult("\n\n");
  const bool forward = method == 0, backward = method == 1;
  std::vector<int> model;
  if (forward || backward) {
    doc.AppendResult(forward ? "<<<Logistic Regression Analysis---Forward Method>>>\n\n"
                             : "<<<Logistic Regression Analysis---Backward Method>>>\n\n");
    model = forward ? ForwardLogisticSelection(x, y, settings.PIn) : BackwardLogisticSelection(x, y, settings.POut);
    for (int c = 1; c <= kLastColumn; ++c) doc.SetStepwiseChosen(c, false);
    for (int k : model) doc.SetStepwiseChosen(x_columns[static_cast<std::size_t>(k)], true);
    if (model.empty()) {
      if (forward)
        AppendReport(doc, "p-in : %f\nNo explanatory variable is selected.\n\n", settings.PIn);
      else
        AppendReport(doc, "p-out : %f\nAll the explanatory variables are eliminated.\n\n", settings.POut);
      return;
    }
    if (forward)
      AppendReport(doc, "p-in : %f\n\n", settings.PIn);
    else
      AppendReport(doc, "p-out : %f\n\n", settings.POut);
  } else {
    doc.AppendResult("<<<Logistic Regression Analysis>>>\n\n");
    for (std::size_t k = 0; k < x_columns.size(); ++k) model.push_back(static_cast<int>(k));
  }

  doc.AppendResult("[Selected Data]\n");
  AppendReport(doc, "y : Col%2d %s\n", y_column, ColumnName(doc, y_column).c_str());
  if (forward) doc.AppendResult("The following explanatory variables are selected by forward method.\n");
  if (backward) doc.AppendResult("The following explanatory variables are selected by backward method.\n");
  for (std::size_t k = 0; k < model.size(); ++k) {
    const int c = x_columns[static_cast<std::size_t>(model[k])];
    AppendReport(doc, "x%d : Col%2d %s\n", static_cast<int>(k + 1), c, ColumnName(doc, c).c_str());
  }

  const LogisticFit fit = FitLogistic(Columns(x, model), y);
  if (fit.failure == LogisticFailure::kSingularHessian) {
    doc.AppendResult("\nThe logistic regression cannot be fitted: the Hessian matrix cannot be inverted.\n\n");
  } else if (fit.failure == LogisticFailure::kBoundaryProbability) {
    doc.AppendResult(
        "\nThe logistic regression cannot be fitted: a fitted probability reached 0 or 1 "
        "(the explanatory variables separate y=0 from y=1).\n\n");
  } else {
    const int q = static_cast<int>(model.size());
    doc.AppendResult("\n[Logistic Regression Equation]\n");
    doc.AppendResult("Z=a0+a1*x1");
    for (int j = 2; j <= q; ++j) AppendReport(doc, "+a%d*x%d", j, j);
    doc.AppendResult("\nProbability : p(x)=1/(1+exp(-Z))\n\n");
    doc.AppendResult("[Coefficients]\n");
    doc.AppendResult("\tEstimate\tSE\t\tp-value\t\todds ratio\t95%CI(Wald)\n");
    AppendReport(doc, "a0\t%3.6f\t%.6f\t%.6f\n", fit.beta[0], fit.se[0], fit.p[0]);
    const double z = NormalQuantile(0.025);
    for (int j = 1; j <= q; ++j) {
      const double b = fit.beta[static_cast<std::size_t>(j)], se = fit.se[static_cast<std::size_t>(j)];
      AppendReport(doc, "a%d\t%3.6f\t%.6f\t%.6f\t%.6f\t%.6f-%.6f\n", j, b, se, fit.p[static_cast<std::size_t>(j)],
                   std::exp(b), std::exp(b - z * se), std::exp(b + z * se));
    }
    AppendReport(doc, "\nThe number of iterations is %d.\n", fit.iterations);
    // The Greek small beta (one double-byte character in the legacy code page; UTF-8 here).
    AppendReport(doc, "|{L(\u03B2(k+1))-L(\u03B2(k))}/L(\u03B2(k))|=%.9f\n\n", fit.convergence);
    AppendReport(doc, "Percentage of Correct Classifications : %d / %d = %.2f%%\n\n", fit.correct, fit.n,
                 100.0 * fit.correct / fit.n);
  }
  ListSkippedRows(doc, rows);
}

}  // namespace orvel
