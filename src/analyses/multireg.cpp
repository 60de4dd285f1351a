#include "analyses/multireg.h"

#include <cmath>
#include <limits>

#include "analyses/result_text.h"
#include "numeric/distributions.h"
#include "numeric/matrix.h"

namespace orvel {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Pearson's r of two equally long vectors, by the regression line's formula.
double PearsonR(const std::vector<double>& a, const std::vector<double>& b) {
  const double n = static_cast<double>(a.size());
  double sa = 0, sb = 0, saa = 0, sbb = 0, sab = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    sa += a[i];
    sb += b[i];
    saa += a[i] * a[i];
    sbb += b[i] * b[i];
    sab += a[i] * b[i];
  }
  return (sab - sa * sb / n) / std::sqrt((saa - sa * sa / n) * (sbb - sb * sb / n));
}

std::string ColumnName(const CORVELDoc& doc, int c) { return std::string(doc.Text(c, 0)); }

}  // namespace

std::vector<std::vector<double>> CompleteRowValues(const CRowView& rows, const std::vector<int>& columns) {
  std::vector<std::vector<double>> values(columns.size());
  const int used = rows.UsedRowCount();
  for (int r = 1; r <= used; ++r) {
    bool complete = true;
    for (int c : columns) complete = complete && rows.IsNumeric(c, r);
    if (!complete) continue;
    for (std::size_t k = 0; k < columns.size(); ++k) values[k].push_back(rows.Value(columns[k], r));
  }
  return values;
}

int CompleteRowCount(const CRowView& rows, const std::vector<int>& columns) {
  int n = 0;
  const int used = rows.UsedRowCount();
  for (int r = 1; r <= used; ++r) {
    bool complete = true;
    for (int c : columns) complete = complete && rows.IsNumeric(c, r);
    if (complete) ++n;
  }
  return n;
}

RegressionData ReadRegressionData(const CRowView& rows) {
  const CORVELDoc& doc = rows.Doc();
  RegressionData data;
  data.y_column = doc.Settings().RegressionY;
  data.method = doc.RegressionMethod();
  for (int c = 1; c <= kLastColumn; ++c)
    if (doc.RegressionXColumn(c)) data.x_columns.push_back(c);
  std::vector<int> all_columns = data.x_columns;
  all_columns.push_back(data.y_column);
  data.x = CompleteRowValues(rows, all_columns);
  data.y = std::move(data.x.back());
  data.x.pop_back();
  return data;
}

RegressionSums ComputeRegressionSums(const std::vector<std::vector<double>>& x, const std::vector<double>& y) {
  RegressionSums s;
  s.n = static_cast<int>(y.size());
  s.q = static_cast<int>(x.size());
  const double n = s.n;
  std::vector<double> sum_x(x.size(), 0.0);
  double sum_y = 0, sum_yy = 0;
  for (double v : y) {
    sum_y += v;
    sum_yy += v * v;
  }
  for (std::size_t k = 0; k < x.size(); ++k)
    for (double v : x[k]) sum_x[k] += v;
  s.mean_y = sum_y / n;
  s.syy = sum_yy - sum_y * sum_y / n;
  s.mean_x.resize(x.size());
  s.sxy.resize(x.size());
  s.sxx.assign(x.size(), std::vector<double>(x.size(), 0.0));
  for (std::size_t k = 0; k < x.size(); ++k) {
    s.mean_x[k] = sum_x[k] / n;
    double cross = 0;
    for (std::size_t i = 0; i < y.size(); ++i) cross += x[k][i] * y[i];
    s.sxy[k] = cross - sum_y * sum_x[k] / n;
    // The upper triangle mirrored, so the matrix is exactly symmetric.
    for (std::size_t l = k; l < x.size(); ++l) {
      double kl = 0;
      for (std::size_t i = 0; i < y.size(); ++i) kl += x[k][i] * x[l][i];
      s.sxx[k][l] = s.sxx[l][k] = kl - sum_x[k] * sum_x[l] / n;
    }
  }
  return s;
}

RegressionFit FitRegression(const RegressionSums& sums, const std::vector<std::vector<double>>& x,
                            const std::vector<double>& y, const std::vector<int>& model) {
  RegressionFit fit;
  fit.model = model;
  const int m = static_cast<int>(model.size());
  if (m < 1 || m > MatrixInverter::kMaxOrder) return fit;
  MatrixInverter inverter;
  for (int k = 0; k < m; ++k)
    for (int l = 0; l < m; ++l) inverter.SetInput(k + 1, l + 1, sums.sxx[model[k]][model[l]]);
  inverter.Invert(m);
  if (!inverter.Succeeded()) return fit;
  fit.inverted = true;

  fit.a.assign(m, 0.0);
  for (int k = 0; k < m; ++k)
    for (int l = 0; l < m; ++l) fit.a[k] += inverter.Inverse(k + 1, l + 1) * sums.sxy[model[l]];
  fit.a0 = sums.mean_y;
  for (int k = 0; k < m; ++k) fit.a0 -= fit.a[k] * sums.mean_x[model[k]];

  double sr = 0;
  for (std::size_t i = 0; i < y.size(); ++i) {
    double predicted = fit.a0;
    for (int k = 0; k < m; ++k) predicted += fit.a[k] * x[model[k]][i];
    sr += (predicted - sums.mean_y) * (predicted - sums.mean_y);
  }
  const double n = sums.n;
  fit.sr = sr;
  fit.se = sums.syy - sr;
  fit.r2 = 1 - fit.se / sums.syy;
  fit.r = std::sqrt(fit.r2);
  fit.r2_adjusted = 1 - (n - 1) * fit.se / ((n - m - 1) * sums.syy);
  // A negative adjusted R2 has no root: sqrt gives NaN, printed as "undefined".
  fit.r_adjusted = std::sqrt(fit.r2_adjusted);
  fit.vr = fit.sr / m;
  fit.ve = fit.se / (n - m - 1);
  fit.f = fit.vr / fit.ve;
  fit.p = checked::FUpperP(m, sums.n - m - 1, fit.f).value_or(kNaN);
  fit.standardized.resize(m);
  fit.partial_f.resize(m);
  for (int k = 0; k < m; ++k) {
    fit.standardized[k] = fit.a[k] * std::sqrt(sums.sxx[model[k]][model[k]] / sums.syy);
    fit.partial_f[k] = fit.a[k] * fit.a[k] / (inverter.Inverse(k + 1, k + 1) * fit.ve);
  }
  return fit;
}

RegressionSelection ForwardRegressionSelection(const RegressionSums& sums, const std::vector<std::vector<double>>& x,
                                               const std::vector<double>& y, double f_in) {
  RegressionSelection selection;
  std::vector<bool> chosen(x.size(), false);
  for (std::size_t pass = 0; pass < x.size(); ++pass) {
    std::vector<int> base;
    for (std::size_t k = 0; k < x.size(); ++k)
      if (chosen[k]) base.push_back(static_cast<int>(k));
    int best = -1;
    double best_f = 0;
    for (std::size_t c = 0; c < x.size(); ++c) {
      if (chosen[c]) continue;
      std::vector<int> model = base;
      model.push_back(static_cast<int>(c));
      const RegressionFit fit = FitRegression(sums, x, y, model);
      // A model that cannot be inverted has no partial F: its candidate cannot enter.
      if (!fit.inverted) continue;
      const double f = fit.partial_f.back();
      if (best < 0 || f > best_f) {
        best = static_cast<int>(c);
        best_f = f;
      }
    }
    if (best >= 0 && f_in < best_f) {
      chosen[static_cast<std::size_t>(best)] = true;
      selection.steps.push_back({best, best_f});
    }
  }
  for (std::size_t k = 0; k < x.size(); ++k)
    if (chosen[k]) selection.chosen.push_back(static_cast<int>(k));
  return selection;
}

RegressionSelection BackwardRegressionSelection(const RegressionSums& sums, const std::vector<std::vector<double>>& x,
                                                const std::vector<double>& y, double f_out) {
  RegressionSelection selection;
  std::vector<bool> chosen(x.size(), true);
  for (std::size_t pass = 0; pass < x.size(); ++pass) {
    std::vector<int> model;
    for (std::size_t k = 0; k < x.size(); ++k)
      if (chosen[k]) model.push_back(static_cast<int>(k));
    if (model.empty()) break;
    const RegressionFit fit = FitRegression(sums, x, y, model);
    // Without an inverse the partial F values are undefined: the pass removes nothing.
    if (!fit.inverted) continue;
    std::size_t weakest = 0;
    for (std::size_t k = 1; k < model.size(); ++k)
      if (fit.partial_f[k] < fit.partial_f[weakest]) weakest = k;
    if (f_out > fit.partial_f[weakest]) {
      chosen[static_cast<std::size_t>(model[weakest])] = false;
      selection.steps.push_back({model[weakest], fit.partial_f[weakest]});
    }
  }
  for (std::size_t k = 0; k < x.size(); ++k)
    if (chosen[k]) selection.chosen.push_back(static_cast<int>(k));
  return selection;
}

void MultipleRegressionReport(CORVELDoc& doc) {
  const DataSettings& settings = doc.Settings();
  const CRowView rows = CRowView::CompleteRegression(doc);
  const RegressionData data = ReadRegressionData(rows);
  const int y_column = data.y_column, method = data.method;
  const std::vector<int>& x_columns = data.x_columns;
  const std::vector<std::vector<double>>& x = data.x;
  const std::vector<double>& y = data.y;
  const RegressionSums sums = ComputeRegressionSums(x, y);

  doc.AppendResult("\n\n");
  std::vector<int> model;
  const bool stepwise = method == 0 || method == 1;
  if (!stepwise) {
    doc.AppendResult("<<<Multiple Regression Analysis>>>\n\n");
    doc.AppendResult("[Selected Data]\n");
    AppendReport(doc, "y : Col%2d %s\n", y_column, ColumnName(doc, y_column).c_str());
    for (std::size_t k = 0; k < x_columns.size(); ++k)
      AppendReport(doc, "x%d : Col%2d %s\n", static_cast<int>(k + 1), x_columns[k], ColumnName(doc, x_columns[k]).c_str());
    for (std::size_t k = 0; k < x_columns.size(); ++k) model.push_back(static_cast<int>(k));
  } else {
    const bool forward = method == 0;
    doc.AppendResult(forward ? "<<<Multiple Regression Analysis---Forward Method>>>\n\n"
                             : "<<<Multiple Regression Analysis---Backward Method>>>\n\n");
    const double threshold = forward ? settings.FIn : settings.FOut;
    const RegressionSelection selection = forward ? ForwardRegressionSelection(sums, x, y, threshold)
                                                  : BackwardRegressionSelection(sums, x, y, threshold);
    for (const SelectionStep& step : selection.steps) {
      const int c = x_columns[static_cast<std::size_t>(step.variable)];
      AppendReport(doc, forward ? "Col%d : %s F=%.2f > %.2f\n" : "Col%d : %s F=%.2f < %.2f\n", c,
                   ColumnName(doc, c).c_str(), step.f, threshold);
      AppendReport(doc,
                   forward ? "Column%d is selected as an explanatory variable.\n\n"
                           : "Column%d is not selected as an explanatory variable.\n\n",
                   c);
    }
    for (int c = 1; c <= kLastColumn; ++c) doc.SetStepwiseChosen(c, false);
    for (int k : selection.chosen) doc.SetStepwiseChosen(x_columns[static_cast<std::size_t>(k)], true);
    model = selection.chosen;

    doc.AppendResult("[Selected Data]\n");
    AppendReport(doc, "y : Col%2d %s\n", y_column, ColumnName(doc, y_column).c_str());
    for (int c : x_columns) AppendReport(doc, "x : Col%2d %s\n", c, ColumnName(doc, c).c_str());
    if (model.empty()) {
      AppendReport(doc, forward ? "F-in : %.2f\n" : "F-out : %.2f\n", threshold);
      doc.AppendResult(forward ? "\nNo column is selected by forward method.\n\n"
                               : "\nNo column is selected by backward method.\n\n");
      return;
    }
  }

  const RegressionFit fit = FitRegression(sums, x, y, model);
  if (!fit.inverted) {
    doc.AppendResult("\nMultiple regression analysis cannot be performed.\nData setting is not correct.\n\n");
    return;
  }
  const int m = static_cast<int>(model.size());
  auto model_column = [&](int k) { return x_columns[static_cast<std::size_t>(model[static_cast<std::size_t>(k)])]; };
  if (stepwise) {
    const bool forward = method == 0;
    AppendReport(doc, forward ? "F-in : %.2f\n" : "F-out : %.2f\n", forward ? settings.FIn : settings.FOut);
    doc.AppendResult(forward ? "\nThe following columns are selected by forward method.\n\n"
                             : "\nThe following columns are selected by backward method.\n\n");
    for (int k = 0; k < m; ++k)
      AppendReport(doc, "x%d : Col%2d %s\n", k + 1, model_column(k), ColumnName(doc, model_column(k)).c_str());
  }

  doc.AppendResult("\n[Multiple Regression Equation]\n");
  doc.AppendResult("y=a1*x1");
  for (int k = 2; k <= m; ++k) AppendReport(doc, "+a%d*x%d", k, k);
  doc.AppendResult("+a0\n\n");
  doc.AppendResult("[Partial Regression Coefficient]\n");
  AppendReport(doc, "a0=%.4f\n", fit.a0);
  for (int k = 0; k < m; ++k) AppendReport(doc, "a%d=%.4f\n", k + 1, fit.a[k]);
  doc.AppendResult("\n[Standard Partial Regression Coefficient]\n");
  for (int k = 0; k < m; ++k) AppendReport(doc, "a%d'=%.4f\n", k + 1, fit.standardized[k]);
  AppendReport(doc, "\ncoefficient of determination\t\tR2=%.4f\nmultiple correlation coefficient\tR=%.4f\n", fit.r2,
               fit.r);
  if (stepwise)
    AppendReport(doc,
                 "coefficient of determination adjusted for the degrees of freedom\tR2'=%.4f\n"
                 "multiple correlation coefficient adjusted for the degrees of freedom\tR'=%.4f\n\n",
                 fit.r2_adjusted, fit.r_adjusted);
  else
    AppendReport(doc,
                 "coefficient of determination adjusted for the degrees of freedom\t\tR2'=%.4f\n"
                 "mutiple correlation coefficient adjusted for the degrees of freedom\t\tR'=%.4f\n\n",
                 fit.r2_adjusted, fit.r_adjusted);

  doc.AppendResult("[Test for Multiple Regression Equation]\n\n");
  doc.AppendResult("Factor\tSS\t\tdf\tVE\t\tF-Ratio\t\tp-value\n");
  doc.AppendResult(std::string(89, '-') + "\n");
  AppendReport(doc, "Total\tSyy=%6.3f\t%d\n", sums.syy, sums.n - 1);
  if (fit.p < 0.0001)
    AppendReport(doc, "SSR\tSR=%6.3f\t%d\tVR=%6.2f\tF=%6.3f**\tp<0.0001\n", fit.sr, m, fit.vr, fit.f);
  else if (fit.p < 0.01)
    AppendReport(doc, "SSR\tSR=%6.3f\t%d\tVR=%6.2f\tF=%6.3f**\tp=%5.4f\n", fit.sr, m, fit.vr, fit.f, fit.p);
  else if (fit.p < 0.05)
    AppendReport(doc, "SSR\tSR=%6.3f\t%d\tVR=%6.2f\tF=%6.3f*\tp=%5.4f\n", fit.sr, m, fit.vr, fit.f, fit.p);
  else
    AppendReport(doc, "SSR\tSR=%6.3f\t%d\tVR=%6.2f\tF=%6.3f\tp=%5.4f\n", fit.sr, m, fit.vr, fit.f, fit.p);
  AppendReport(doc, "SSE\tSE=%6.3f\t%d\tVE=%6.3f\n\n", fit.se, sums.n - m - 1, fit.ve);

  doc.AppendResult("[Test for Multicollinearity]\n\n");
  doc.AppendResult(
      "r : correlation coefficient for y and x, a : partial regression coefficient for multiple regression "
      "analysis\n\n");
  bool sign_differs = false;
  for (int k = 0; k < m; ++k) {
    const double r = PearsonR(y, x[static_cast<std::size_t>(model[k])]);
    if (fit.a[k] * r < 0) sign_differs = true;
    AppendReport(doc, "y and x%d(Col%d) : r=%.4f\ta%d=%.4f\n", k + 1, model_column(k), r, k + 1, fit.a[k]);
  }
  if (sign_differs) {
    doc.AppendResult("\nThere are some partial regression coefficients whose signs are different from that of r.\n");
    doc.AppendResult("Explanatory variables should be selected because of multicollinearity.\n\n");
    doc.AppendResult("r : correlation coefficient for two explanatory variables\n\n");
    for (int k = 0; k < m; ++k)
      for (int l = k + 1; l < m; ++l)
        AppendReport(doc, "Col%d v.s. Col%d : r=%.4f\n", model_column(k), model_column(l),
                     PearsonR(x[static_cast<std::size_t>(model[k])], x[static_cast<std::size_t>(model[l])]));
    doc.AppendResult("\nIf r for two explanatory variables is high, either of them should be eliminated.\n\n");
  } else {
    doc.AppendResult("\nThere is no partial regression coefficient whose sign is different from that of r.\n");
    doc.AppendResult("There is no multicollinearity.\n\n");
  }

  if (doc.IncludeDataInResult()) {
    ListColumnData(doc, rows, y_column);
    for (int c : x_columns) ListColumnData(doc, rows, c);
  }
  ListSkippedRows(doc, rows);
}

}  // namespace orvel
