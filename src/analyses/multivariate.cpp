#include "analyses/multivariate.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <string>

#include "analyses/multireg.h"
#include "analyses/result_text.h"
#include "numeric/distributions.h"
#include "numeric/matrix.h"
#include "sheet/cell_text.h"

namespace orvel {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string ColumnName(const CORVELDoc& doc, int c) { return std::string(doc.Text(c, 0)); }

// S(i, j) of every pair of columns of one group, the upper triangle mirrored.
std::vector<std::vector<double>> CrossProductSums(const std::vector<std::vector<double>>& x) {
  const std::size_t k = x.size();
  const double n = k == 0 ? 0 : static_cast<double>(x[0].size());
  std::vector<double> sums(k, 0.0);
  for (std::size_t a = 0; a < k; ++a)
    for (double v : x[a]) sums[a] += v;
  std::vector<std::vector<double>> s(k, std::vector<double>(k, 0.0));
  for (std::size_t a = 0; a < k; ++a)
    for (std::size_t b = a; b < k; ++b) {
      double cross = 0;
      for (std::size_t i = 0; i < x[a].size(); ++i) cross += x[a][i] * x[b][i];
      s[a][b] = s[b][a] = cross - sums[a] * sums[b] / n;
    }
  return s;
}

const char* ComponentName(int a) {
  return a == 1 ? "1st principal component\n" : a == 2 ? "2nd principal component\n" : "%dth principal component\n";
}

void AppendComponents(CORVELDoc& doc, const PcaResult& result) {
  if (!result.solved) {
    doc.AppendResult("The eigenvalues cannot be calculated for these data.\n\n");
    return;
  }
  int a = 0;
  for (const PrincipalComponent& c : result.components) {
    ++a;
    if (!(c.contribution >= 0.01)) continue;
    AppendReport(doc, ComponentName(a), a);
    AppendReport(doc, "eigenvalue%.4f\ncontribution ratio%.4f\neigenvector\n(", c.eigenvalue, c.contribution);
    const std::size_t k = c.eigenvector.size();
    for (std::size_t i = 0; i < k; ++i) {
      const char* format = i + 1 == k ? "%.4f)" : i + 1 == 10 ? "%.4f, \n" : "%.4f, ";
      AppendReport(doc, format, c.eigenvector[i]);
    }
    doc.AppendResult("\n\n");
  }
  doc.AppendResult("\n");
}

// Writes a coefficient with its sign: "+" before a positive value.
void AppendSigned(CORVELDoc& doc, double v, const char* positive, const char* other, int j, int l = 0) {
  AppendReport(doc, v > 0 ? positive : other, v, j, l);
}

}  // namespace

// ---- Principal components ------------------------------------------------------------------

std::vector<std::vector<double>> CovarianceMatrix(const std::vector<std::vector<double>>& x) {
  const std::size_t k = x.size();
  const double n = k == 0 ? 0 : static_cast<double>(x[0].size());
  std::vector<double> sums(k, 0.0);
  for (std::size_t a = 0; a < k; ++a)
    for (double v : x[a]) sums[a] += v;
  std::vector<std::vector<double>> c(k, std::vector<double>(k, 0.0));
  for (std::size_t a = 0; a < k; ++a)
    for (std::size_t b = a; b < k; ++b) {
      double cross = 0;
      for (std::size_t i = 0; i < x[a].size(); ++i) cross += x[a][i] * x[b][i];
      c[a][b] = c[b][a] = (n * cross - sums[a] * sums[b]) / (n * (n - 1));
    }
  return c;
}

std::vector<std::vector<double>> CorrelationMatrix(const std::vector<std::vector<double>>& x) {
  const std::size_t k = x.size();
  const std::vector<std::vector<double>> s = CrossProductSums(x);
  std::vector<std::vector<double>> r(k, std::vector<double>(k, 0.0));
  // S(i, j) / (n sigma_i sigma_j) with population sigmas is S(i, j) / sqrt(S(i, i) S(j, j)).
  // The diagonal is set to exactly 1 and the upper triangle mirrored: rounding noise there
  // would decide the first rotation's direction and could make the matrix look asymmetric.
  for (std::size_t a = 0; a < k; ++a) {
    r[a][a] = 1;
    for (std::size_t b = a + 1; b < k; ++b) r[a][b] = r[b][a] = s[a][b] / std::sqrt(s[a][a] * s[b][b]);
  }
  return r;
}

PcaResult PrincipalComponents(const std::vector<std::vector<double>>& matrix) {
  PcaResult result;
  const int k = static_cast<int>(matrix.size());
  JacobiEigen solver;
  for (int i = 0; i < k; ++i)
    for (int j = 0; j < k; ++j) solver.Set(i + 1, j + 1, matrix[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)]);
  solver.Solve(k);
  if (!solver.Succeeded()) return result;
  result.solved = true;
  // Ranked by the eigenvalue rounded to 7 decimals, largest first; among equal ranks the later
  // position comes first (the order a stable ascending sort read from the top gives), and each
  // keeps its own eigenvector.
  std::vector<int> order(static_cast<std::size_t>(k));
  std::iota(order.begin(), order.end(), 1);
  std::vector<double> rounded(static_cast<std::size_t>(k) + 1);
  double total = 0;
  for (int j = 1; j <= k; ++j) {
    rounded[static_cast<std::size_t>(j)] = RoundTo7Decimals(solver.Get(j, j));
    total += solver.Get(j, j);
  }
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    const double ra = rounded[static_cast<std::size_t>(a)], rb = rounded[static_cast<std::size_t>(b)];
    return ra != rb ? ra > rb : a > b;
  });
  for (int j : order) {
    PrincipalComponent c;
    c.eigenvalue = solver.Get(j, j);
    c.contribution = c.eigenvalue / total;
    for (int i = 1; i <= k; ++i) c.eigenvector.push_back(solver.EigenvectorComponent(i, j));
    result.components.push_back(std::move(c));
  }
  return result;
}

void PrincipalComponentReport(CORVELDoc& doc) {
  std::vector<int> columns;
  for (int c = 1; c <= kLastColumn; ++c)
    if (doc.PcaColumn(c)) columns.push_back(c);
  const CRowView rows = CRowView::CompletePca(doc);
  const std::vector<std::vector<double>> x = CompleteRowValues(rows, columns);

  doc.AppendResult("\n\n<<<Principal Component Analysis>>>\n\n[Selected Data]\n");
  for (std::size_t k = 0; k < columns.size(); ++k)
    AppendReport(doc, "x%2d\t : Col%2d %s\n", static_cast<int>(k + 1), columns[k], ColumnName(doc, columns[k]).c_str());
  doc.AppendResult("\n\n");
  doc.AppendResult("[Covariance Matrix]\n\n");
  AppendComponents(doc, PrincipalComponents(CovarianceMatrix(x)));
  doc.AppendResult("[Correlation Matrix]\n\n");
  AppendComponents(doc, PrincipalComponents(CorrelationMatrix(x)));
  doc.AppendResult("\n");
  if (doc.IncludeDataInResult())
    for (int c : columns) ListColumnData(doc, rows, c);
  ListSkippedRows(doc, rows);
}

// ---- Discriminant analysis -----------------------------------------------------------------

DiscriminantResult Discriminate(const std::vector<std::vector<double>>& g1, const std::vector<std::vector<double>>& g2) {
  DiscriminantResult r;
  const int b = static_cast<int>(g1.size());
  r.b = b;
  r.n1 = b == 0 ? 0 : static_cast<int>(g1[0].size());
  r.n2 = b == 0 ? 0 : static_cast<int>(g2[0].size());
  const double n1 = r.n1, n2 = r.n2;
  const auto s1 = CrossProductSums(g1), s2 = CrossProductSums(g2);
  MatrixInverter pooled, c1, c2;
  for (int j = 0; j < b; ++j)
    for (int l = 0; l < b; ++l) {
      const auto uj = static_cast<std::size_t>(j), ul = static_cast<std::size_t>(l);
      pooled.SetInput(j + 1, l + 1, (s1[uj][ul] + s2[uj][ul]) / (n1 + n2 - 2));
      c1.SetInput(j + 1, l + 1, s1[uj][ul] / (n1 - 1));
      c2.SetInput(j + 1, l + 1, s2[uj][ul] / (n2 - 1));
    }
  pooled.Invert(b);
  c1.Invert(b);
  c2.Invert(b);
  r.pooled_inverted = pooled.Succeeded();
  r.groups_inverted = c1.Succeeded() && c2.Succeeded();

  // Box's M needs the logarithms of three positive determinants.
  const double dp = pooled.Determinant(), d1 = c1.Determinant(), d2 = c2.Determinant();
  if (r.pooled_inverted && r.groups_inverted && dp > 0 && d1 > 0 && d2 > 0) {
    r.box_m_defined = true;
    const double m = (n1 + n2 - 2) * std::log(dp) - (n1 - 1) * std::log(d1) - (n2 - 1) * std::log(d2);
    const double bb = b;
    const double c =
        1 - (1 / (n1 - 1) + 1 / (n2 - 1) - 1 / (n1 + n2 - 2)) * (2 * bb * bb + 3 * bb - 1) / (6 * (bb + 1));
    r.chi_square = c * m;
    r.p = checked::ChiSquareUpperP(b * (b + 1) / 2, r.chi_square).value_or(kNaN);
  }

  std::vector<double> m1(static_cast<std::size_t>(b)), m2(static_cast<std::size_t>(b));
  for (std::size_t j = 0; j < m1.size(); ++j) {
    m1[j] = std::accumulate(g1[j].begin(), g1[j].end(), 0.0) / n1;
    m2[j] = std::accumulate(g2[j].begin(), g2[j].end(), 0.0) / n2;
  }
  if (r.pooled_inverted) {
    r.linear.assign(static_cast<std::size_t>(b), 0.0);
    for (int j = 0; j < b; ++j) {
      for (int l = 0; l < b; ++l)
        r.linear[static_cast<std::size_t>(j)] +=
            pooled.Inverse(j + 1, l + 1) * (m1[static_cast<std::size_t>(l)] - m2[static_cast<std::size_t>(l)]);
      r.linear_constant -= r.linear[static_cast<std::size_t>(j)] *
                           (m1[static_cast<std::size_t>(j)] + m2[static_cast<std::size_t>(j)]) / 2;
    }
  }
  if (r.groups_inverted) {
    r.quadratic.assign(static_cast<std::size_t>(b), std::vector<double>(static_cast<std::size_t>(b), 0.0));
    r.quadratic_linear.assign(static_cast<std::size_t>(b), 0.0);
    for (int j = 1; j <= b; ++j) {
      auto& row = r.quadratic[static_cast<std::size_t>(j - 1)];
      row[static_cast<std::size_t>(j - 1)] = c2.Inverse(j, j) - c1.Inverse(j, j);
      for (int l = j + 1; l <= b; ++l) {
        const double cross = (c2.Inverse(j, l) - c1.Inverse(j, l)) + (c2.Inverse(l, j) - c1.Inverse(l, j));
        row[static_cast<std::size_t>(l - 1)] = r.quadratic[static_cast<std::size_t>(l - 1)][static_cast<std::size_t>(j - 1)] =
            cross / 2;
      }
      double s2m = 0, s1m = 0;
      for (int l = 1; l <= b; ++l) {
        s2m += c2.Inverse(j, l) * m2[static_cast<std::size_t>(l - 1)];
        s1m += c1.Inverse(j, l) * m1[static_cast<std::size_t>(l - 1)];
      }
      r.quadratic_linear[static_cast<std::size_t>(j - 1)] = -2 * (s2m - s1m);
    }
    for (int j = 1; j <= b; ++j)
      for (int l = 1; l <= b; ++l)
        r.quadratic_constant += m2[static_cast<std::size_t>(j - 1)] * c2.Inverse(j, l) * m2[static_cast<std::size_t>(l - 1)] -
                                m1[static_cast<std::size_t>(j - 1)] * c1.Inverse(j, l) * m1[static_cast<std::size_t>(l - 1)];
  }

  auto linear_z = [&](const std::vector<std::vector<double>>& g, std::size_t i) {
    double z = r.linear_constant;
    for (std::size_t j = 0; j < g.size(); ++j) z += r.linear[j] * g[j][i];
    return z;
  };
  auto quadratic_z = [&](const std::vector<std::vector<double>>& g, std::size_t i) {
    double z = r.quadratic_constant;
    for (std::size_t j = 0; j < g.size(); ++j) {
      z += r.quadratic_linear[j] * g[j][i];
      for (std::size_t l = 0; l < g.size(); ++l) z += r.quadratic[j][l] * g[j][i] * g[l][i];
    }
    return z;
  };
  for (std::size_t i = 0; i < static_cast<std::size_t>(r.n1); ++i) {
    if (r.pooled_inverted && linear_z(g1, i) < 0) ++r.linear_errors1;
    if (r.groups_inverted && quadratic_z(g1, i) < 0) ++r.quadratic_errors1;
  }
  for (std::size_t i = 0; i < static_cast<std::size_t>(r.n2); ++i) {
    if (r.pooled_inverted && linear_z(g2, i) > 0) ++r.linear_errors2;
    if (r.groups_inverted && quadratic_z(g2, i) > 0) ++r.quadratic_errors2;
  }
  return r;
}

void DiscriminantReport(CORVELDoc& doc) {
  std::vector<int> group1, group2;
  for (int s = 1; s <= kDiscriminantSlots && doc.DiscriminantSlot(1, s) != 0; ++s) group1.push_back(doc.DiscriminantSlot(1, s));
  for (int s = 1; s <= kDiscriminantSlots && doc.DiscriminantSlot(2, s) != 0; ++s) group2.push_back(doc.DiscriminantSlot(2, s));
  const int n1 = group1.empty() ? 0 : doc.Count(group1[0]);
  const int n2 = group2.empty() ? 0 : doc.Count(group2[0]);
  // Fewer than two rows in a group leave its covariance matrix without a divisor.
  if (n1 <= 1 || n2 <= 1) {
    doc.AppendResult("\n\n<<<Discriminant Analysis>>>\n\nData setting is not correct.\n\n");
    return;
  }
  const DiscriminantResult r = Discriminate(CompleteRowValues(doc, group1), CompleteRowValues(doc, group2));
  const int b = r.b;

  doc.AppendResult("\n\n<<<Discriminant Analysis>>>\n\n[Selected Data]\nGroup 1\n");
  for (std::size_t j = 0; j < group1.size(); ++j)
    AppendReport(doc, "x%d : Col%2d %s\n", static_cast<int>(j + 1), group1[j], ColumnName(doc, group1[j]).c_str());
  doc.AppendResult("Group 2\n");
  for (std::size_t j = 0; j < group2.size(); ++j)
    AppendReport(doc, "x%d : Col%2d %s\n", static_cast<int>(j + 1), group2[j], ColumnName(doc, group2[j]).c_str());
  doc.AppendResult("\n");

  doc.AppendResult("[Box's M Test]\n\n");
  doc.AppendResult("Null hypothesis : The within-group covariance matrices are equal.\n\n[Result]\n");
  if (!r.box_m_defined) {
    doc.AppendResult(
        "The test cannot be calculated for these data: a covariance matrix has no positive determinant.\n\n");
  } else {
    AppendReport(doc, "Chi-square : %.4f,p=%.4f\n", r.chi_square, r.p);
    if (r.p < 0.05) {
      doc.AppendResult(r.p < 0.01
                           ? "The test is significant at less than 0.01. The two covariance matrices are not equal.\n"
                           : "The test is significant at less than 0.05. The two covariance matrices are not equal.\n");
      doc.AppendResult("Linear discriminant function is inapplicable.\n");
      doc.AppendResult("Quadratic discriminant function should be applied.\n\n");
    } else {
      doc.AppendResult("The test is not significant. The two covariance matrices are equal.\n");
      doc.AppendResult("Linear discriminant function can be applied.\n\n");
    }
  }

  doc.AppendResult("[Linear discriminant function]\n\n");
  if (!r.pooled_inverted) {
    doc.AppendResult("Linear discriminant function cannot be calculated.\nData setting is not correct.\n\n");
    return;
  }
  if (!r.groups_inverted) {
    doc.AppendResult("Mahalanobis' generalized distance cannot be calculated.\nData setting is not correct.\n\n");
    return;
  }
  constexpr const char* kHowToRead =
      "Values are substituted for x1,x2,.......... Based on Z, the result is as follows:\n"
      "Z>0 : The data belong to group 1.\nZ<0 : The data belong to group 2.\n\n";
  auto wrap = [&](int j) {
    if ((j - 1) % 4 == 0) doc.AppendResult("\n  ");
  };
  AppendReport(doc, "Z=%.4f*x1", r.linear[0]);
  for (int j = 2; j <= b; ++j) {
    wrap(j);
    const double a = r.linear[static_cast<std::size_t>(j - 1)];
    AppendReport(doc, a > 0 ? "+%.4f*x%d" : "%.4f*x%d", a, j);
  }
  AppendReport(doc, r.linear_constant > 0 ? "+%.4f\n" : "%.4f\n", r.linear_constant);
  doc.AppendResult("\n");
  doc.AppendResult(kHowToRead);
  doc.AppendResult("[Error Rate]\n");
  AppendReport(doc, "Group 1 : %d/%d=%.4f\n", r.linear_errors1, r.n1, static_cast<double>(r.linear_errors1) / r.n1);
  AppendReport(doc, "Group 2 : %d/%d=%.4f\n", r.linear_errors2, r.n2, static_cast<double>(r.linear_errors2) / r.n2);
  doc.AppendResult("\n");

  doc.AppendResult("\n\n[Quadratic Discriminant Function]\n\n");
  doc.AppendResult("Z=");
  AppendReport(doc, "%.4f*x1*x1", r.quadratic[0][0]);
  for (int j = 2; j <= b; ++j) {
    wrap(j);
    const double q = r.quadratic[static_cast<std::size_t>(j - 1)][static_cast<std::size_t>(j - 1)];
    AppendSigned(doc, q, "+%.4f*x%d*x%d", "%.4f*x%d*x%d", j, j);
  }
  doc.AppendResult("\n  ");
  for (int j = 1; j < b; ++j)
    for (int l = j + 1; l <= b; ++l) {
      if ((j + l - 3) % 4 == 3) doc.AppendResult("\n  ");
      const double cross = 2 * r.quadratic[static_cast<std::size_t>(j - 1)][static_cast<std::size_t>(l - 1)];
      AppendSigned(doc, cross, "+%.4f*x%d*x%d", "%.4f*x%d*x%d", j, l);
    }
  doc.AppendResult("\n  ");
  for (int j = 1; j <= b; ++j) {
    if (j > 1) wrap(j);
    const double e = r.quadratic_linear[static_cast<std::size_t>(j - 1)];
    AppendReport(doc, e > 0 ? "+%.4f*x%d" : "%.4f*x%d", e, j);
  }
  doc.AppendResult("\n");
  AppendReport(doc, r.quadratic_constant > 0 ? "  +%.4f\n\n" : "  %.4f\n\n", r.quadratic_constant);
  doc.AppendResult(kHowToRead);
  doc.AppendResult("[Error Rate]\n");
  AppendReport(doc, "Group 1 : %d/%d=%.4f\n", r.quadratic_errors1, r.n1, static_cast<double>(r.quadratic_errors1) / r.n1);
  AppendReport(doc, "Group 2 : %d/%d=%.4f\n", r.quadratic_errors2, r.n2, static_cast<double>(r.quadratic_errors2) / r.n2);
  doc.AppendResult("\n");

  if (doc.IncludeDataInResult()) {
    for (int c : group1) ListColumnData(doc, c);
    for (int c : group2) ListColumnData(doc, c);
  }
}

}  // namespace orvel
