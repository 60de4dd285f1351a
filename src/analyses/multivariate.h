// Principal components (shuseibun) of up to 20 columns on the covariance and the correlation
// matrices, and the two-group discriminant analysis (hanbetu) with Box's M test and the linear
// and quadratic discriminant functions.
#pragma once

#include <vector>

#include "sheet/orvel_doc.h"

namespace orvel {

// ---- Principal components ------------------------------------------------------------------

struct PrincipalComponent {
  double eigenvalue = 0;
  double contribution = 0;
  std::vector<double> eigenvector;
};
struct PcaResult {
  bool solved = false;  // false: the eigen solver did not converge
  // Every component, largest eigenvalue first (the report keeps those contributing >= 0.01).
  std::vector<PrincipalComponent> components;
};
// The components of a symmetric matrix (order <= 20). Eigenvalues are ranked by their values
// rounded to 7 decimals; equal ranks keep each eigenvalue with its own eigenvector.
PcaResult PrincipalComponents(const std::vector<std::vector<double>>& matrix);
// The covariance (divisor n - 1) and correlation matrices of the columns x[k][i]; the
// correlation matrix has an exact unit diagonal and is exactly symmetric.
std::vector<std::vector<double>> CovarianceMatrix(const std::vector<std::vector<double>>& x);
std::vector<std::vector<double>> CorrelationMatrix(const std::vector<std::vector<double>>& x);

inline constexpr int kMaxPcaColumns = 20;
void PrincipalComponentReport(CORVELDoc& doc);

// ---- Discriminant analysis -----------------------------------------------------------------

struct DiscriminantResult {
  int b = 0;
  int n1 = 0, n2 = 0;
  bool box_m_defined = false;  // false: an inversion failed or a determinant is not positive
  double chi_square = 0, p = 0;
  bool pooled_inverted = false;
  bool groups_inverted = false;
  std::vector<double> linear;  // a1..ab
  double linear_constant = 0;
  std::vector<std::vector<double>> quadratic;  // Q(j, l), symmetric
  std::vector<double> quadratic_linear;       // e1..eb
  double quadratic_constant = 0;
  int linear_errors1 = 0, linear_errors2 = 0;
  int quadratic_errors1 = 0, quadratic_errors2 = 0;
};
// g1[j][i], g2[j][i]: variable j of each group on its i-th row (every variable of a group has
// the same rows).
DiscriminantResult Discriminate(const std::vector<std::vector<double>>& g1, const std::vector<std::vector<double>>& g2);

void DiscriminantReport(CORVELDoc& doc);

}  // namespace orvel
