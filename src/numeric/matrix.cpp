#include "numeric/matrix.h"

#include <algorithm>
#include <cmath>

#include "numeric/distributions.h"

namespace orvel {

namespace {

bool IsZero(double v) { return std::fabs(v) < 1e-28; }

bool InRange(int i, int limit) { return i >= 1 && i <= limit; }

}  // namespace

// ---- DenseMatrix -------------------------------------------------------------------------------

DenseMatrix::DenseMatrix(int capacity)
    : capacity_(std::max(capacity, 0)),
      elements_(static_cast<std::size_t>(capacity_) * static_cast<std::size_t>(capacity_), 0.0) {}

double DenseMatrix::Get(int i, int j) const {
  if (!InRange(i, capacity_) || !InRange(j, capacity_)) return kOutOfRange;
  return At(i, j);
}

void DenseMatrix::Set(int i, int j, double value) {
  if (!InRange(i, capacity_) || !InRange(j, capacity_)) return;
  At(i, j) = value;
  rows_ = std::max(rows_, i);
  cols_ = std::max(cols_, j);
}

void DenseMatrix::Clear() {
  rows_ = 0;
  cols_ = 0;
}

bool DenseMatrix::SetRows(int rows) {
  if (rows < 0 || rows > capacity_) return false;
  rows_ = rows;
  return true;
}

bool DenseMatrix::SetCols(int cols) {
  if (cols < 0 || cols > capacity_) return false;
  cols_ = cols;
  return true;
}

void DenseMatrix::Product(const DenseMatrix& a, const DenseMatrix& b, DenseMatrix& c) {
  if (a.cols_ != b.rows_ || c.capacity_ < a.rows_ || c.capacity_ < b.cols_) return;
  // Computed aside so that c may be one of the factors.
  std::vector<double> product(static_cast<std::size_t>(a.rows_) * static_cast<std::size_t>(b.cols_), 0.0);
  for (int i = 1; i <= a.rows_; ++i) {
    for (int j = 1; j <= b.cols_; ++j) {
      double sum = 0;
      for (int k = 1; k <= a.cols_; ++k) sum += a.At(i, k) * b.At(k, j);
      product[static_cast<std::size_t>((i - 1) * b.cols_ + (j - 1))] = sum;
    }
  }
  const int rows = a.rows_;
  const int cols = b.cols_;
  c.Clear();
  for (int i = 1; i <= rows; ++i)
    for (int j = 1; j <= cols; ++j) c.At(i, j) = product[static_cast<std::size_t>((i - 1) * cols + (j - 1))];
  c.rows_ = rows;
  c.cols_ = cols;
}

void DenseMatrix::Sum(const DenseMatrix& a, const DenseMatrix& b, DenseMatrix& c) {
  if (a.rows_ != b.rows_ || a.cols_ != b.cols_ || c.capacity_ < a.rows_ || c.capacity_ < a.cols_) return;
  const int rows = a.rows_;
  const int cols = a.cols_;
  // Element by element, so c may be a or b.
  for (int i = 1; i <= rows; ++i)
    for (int j = 1; j <= cols; ++j) c.At(i, j) = a.At(i, j) + b.At(i, j);
  c.rows_ = rows;
  c.cols_ = cols;
}

void DenseMatrix::Scale(double x) {
  for (int i = 1; i <= rows_; ++i)
    for (int j = 1; j <= cols_; ++j) At(i, j) *= x;
}

void DenseMatrix::Transpose() {
  const DenseMatrix copy = *this;
  for (int i = 1; i <= cols_; ++i)
    for (int j = 1; j <= rows_; ++j) At(i, j) = copy.At(j, i);
  std::swap(rows_, cols_);
}

// ---- MatrixInverter ----------------------------------------------------------------------------

void MatrixInverter::Reset() {
  for (Square* s : {&a_, &l_, &u_, &l_inverse_, &u_inverse_, &inverse_})
    for (auto& row : *s) row.fill(0.0);
  order_ = 0;
  succeeded_ = false;
}

void MatrixInverter::SetInput(int i, int j, double value) {
  if (InRange(i, kMaxOrder) && InRange(j, kMaxOrder)) a_[i][j] = value;
}

double MatrixInverter::GetInput(int i, int j) const {
  return InRange(i, kMaxOrder) && InRange(j, kMaxOrder) ? a_[i][j] : kOutOfRange;
}

double MatrixInverter::Inverse(int i, int j) const {
  return InRange(i, kMaxOrder) && InRange(j, kMaxOrder) ? inverse_[i][j] : kOutOfRange;
}

double MatrixInverter::Determinant() const {
  double det = 1;
  for (int i = 1; i <= order_; ++i) det *= l_[i][i] * u_[i][i];
  return det;
}

bool MatrixInverter::RowsAreDependent(int a, int b) const {
  const int n = order_;
  if (n <= 1 || n > kMaxOrder || a == b || !InRange(a, kMaxOrder) || !InRange(b, kMaxOrder)) return true;
  for (int i = 1; i <= n; ++i) {
    if (IsZero(a_[a][i] * a_[b][i])) continue;
    // The first column where both rows are non-zero fixes the ratio; every column must keep it.
    const double x = a_[a][i] / a_[b][i];
    for (int k = 1; k <= n; ++k)
      if (!IsNearlyEqual(a_[a][k], a_[b][k] * x)) return false;
    return true;
  }
  // No column where both are non-zero: dependent only when one of the rows is all zero.
  bool a_has_value = false;
  for (int i = 1; i <= n; ++i) a_has_value = a_has_value || !IsZero(a_[a][i]);
  if (!a_has_value) return true;
  for (int i = 1; i <= n; ++i)
    if (!IsZero(a_[b][i])) return false;
  return true;
}

void MatrixInverter::Invert(int n) {
  if (n < 1 || n > kMaxOrder) {
    order_ = 0;
    succeeded_ = false;
    return;
  }
  bool no_pivot_trouble = true;
  for (int i = 1; i <= n; ++i) no_pivot_trouble = no_pivot_trouble && !IsZero(a_[i][i]);

  order_ = n;
  for (int i = 1; i < n; ++i) {
    for (int j = i + 1; j <= n; ++j) {
      if (RowsAreDependent(i, j)) {
        succeeded_ = false;
        return;
      }
    }
  }

  for (Square* s : {&l_, &u_, &inverse_})
    for (auto& row : *s) row.fill(0.0);
  for (Square* s : {&l_inverse_, &u_inverse_}) {
    for (auto& row : *s) row.fill(0.0);
    for (int i = 1; i <= kMaxOrder; ++i) (*s)[i][i] = 1.0;
  }

  // Doolittle: L unit lower-triangular, U upper-triangular, no row exchanges.
  for (int i = 1; i <= n; ++i) l_[i][i] = 1.0;
  for (int j = 1; j <= n; ++j) u_[1][j] = a_[1][j];
  for (int i = 2; i <= n; ++i) {
    if (IsZero(u_[1][1])) {
      no_pivot_trouble = false;
    } else {
      l_[i][1] = a_[i][1] / u_[1][1];
    }
  }
  for (int i = 2; i <= n; ++i) {
    for (int j = i; j <= n; ++j) {
      double sum = 0;
      for (int k = 1; k < i; ++k) sum += l_[i][k] * u_[k][j];
      u_[i][j] = a_[i][j] - sum;
    }
    for (int j = i + 1; j <= n; ++j) {
      if (IsZero(u_[i][i])) {
        no_pivot_trouble = false;
        continue;
      }
      double sum = 0;
      for (int k = 1; k < i; ++k) sum += l_[j][k] * u_[k][i];
      l_[j][i] = (a_[j][i] - sum) / u_[i][i];
    }
  }
  // The last pivot divides nothing above, but U^-1 divides by it.
  if (IsZero(u_[n][n])) no_pivot_trouble = false;

  if (!no_pivot_trouble) {
    GaussJordan();
    return;
  }

  for (int j = 1; j <= n; ++j) {
    for (int i = 1; i <= n; ++i) {
      double sum = 0;
      for (int k = 1; k < j; ++k) sum += l_[j][k] * l_inverse_[k][i];
      l_inverse_[j][i] = (i == j ? 1.0 : 0.0) - sum;
    }
  }
  for (int j = 1; j <= n; ++j) {
    for (int i = n; i >= 1; --i) {
      double sum = 0;
      for (int k = i + 1; k <= n; ++k) sum += u_[i][k] * u_inverse_[k][j];
      u_inverse_[i][j] = ((i == j ? 1.0 : 0.0) - sum) / u_[i][i];
    }
  }
  for (int i = 1; i <= n; ++i) {
    for (int j = 1; j <= n; ++j) {
      double sum = 0;
      for (int k = 1; k <= n; ++k) sum += u_inverse_[i][k] * l_inverse_[k][j];
      inverse_[i][j] = sum;
    }
  }
  succeeded_ = true;
}

void MatrixInverter::GaussJordan() {
  const int n = order_;
  Square& w = l_;  // the working copy lives in L's storage
  for (int i = 1; i <= n; ++i) {
    for (int j = 1; j <= n; ++j) {
      w[i][j] = a_[i][j];
      inverse_[i][j] = i == j ? 1.0 : 0.0;
    }
  }
  for (int i = 1; i <= n; ++i) {
    int f = i;
    for (int r = i + 1; r <= n; ++r)
      if (std::fabs(w[r][i]) > std::fabs(w[f][i])) f = r;
    if (IsZero(w[f][i])) {
      succeeded_ = false;
      return;
    }
    if (f != i) {
      std::swap(w[i], w[f]);
      std::swap(inverse_[i], inverse_[f]);
    }
    const double pivot = w[i][i];
    for (int j = 1; j <= n; ++j) {
      w[i][j] /= pivot;
      inverse_[i][j] /= pivot;
    }
    for (int r = 1; r <= n; ++r) {
      if (r == i) continue;
      const double factor = w[r][i];
      for (int j = 1; j <= n; ++j) {
        w[r][j] -= factor * w[i][j];
        inverse_[r][j] -= factor * inverse_[i][j];
      }
    }
  }
  succeeded_ = true;
}

// ---- JacobiEigen -------------------------------------------------------------------------------

void JacobiEigen::Reset() {
  for (auto& row : a_) row.fill(0.0);
  for (auto& row : v_) row.fill(0.0);
  for (int i = 1; i <= kMaxOrder; ++i) v_[i][i] = 1.0;
  order_ = 0;
  succeeded_ = false;
  rotations_ = 0;
}

void JacobiEigen::Set(int i, int j, double value) {
  if (InRange(i, kMaxOrder) && InRange(j, kMaxOrder)) a_[i][j] = value;
}

double JacobiEigen::Get(int i, int j) const {
  return InRange(i, kMaxOrder) && InRange(j, kMaxOrder) ? a_[i][j] : kOutOfRange;
}

double JacobiEigen::EigenvectorComponent(int i, int j) const {
  return InRange(i, kMaxOrder) && InRange(j, kMaxOrder) ? v_[i][j] : kOutOfRange;
}

double JacobiEigen::OffDiagonalSquareSum() const {
  double sum = 0;
  for (int i = 1; i <= order_; ++i)
    for (int j = 1; j <= order_; ++j)
      if (i != j) sum += a_[i][j] * a_[i][j];
  return sum;
}

// A := P A P' and V := V P' with the plane rotation P of rows g < f. Only rows and columns g
// and f change, so they are updated alone; each new element is the same two-term sum, in the
// same order, that a full product would form (the other terms are exact zeros).
void JacobiEigen::Rotate(int g, int f) {
  const int n = order_;
  const double h = a_[g][f];
  double c = 1.0;
  double s = 0.0;
  if (!IsZero(h)) {
    const double theta = (a_[f][f] - a_[g][g]) / h / 2;
    double t = 1.0 / (std::fabs(theta) + std::sqrt(theta * theta + 1));
    if (theta < 0) t = -t;
    c = 1.0 / std::sqrt(t * t + 1);
    s = t * c;
  }
  // Rows: P(g, g) = c, P(g, f) = -s, P(f, g) = s, P(f, f) = c.
  for (int j = 1; j <= n; ++j) {
    const double ag = a_[g][j];
    const double af = a_[f][j];
    a_[g][j] = c * ag + -s * af;
    a_[f][j] = s * ag + c * af;
  }
  // Columns: multiplying by P' mixes columns g and f the same way.
  for (int i = 1; i <= n; ++i) {
    const double ag = a_[i][g];
    const double af = a_[i][f];
    a_[i][g] = ag * c + af * -s;
    a_[i][f] = ag * s + af * c;
  }
  a_[g][f] = 0.0;
  a_[f][g] = 0.0;
  for (int i = 1; i <= n; ++i) {
    const double vg = v_[i][g];
    const double vf = v_[i][f];
    v_[i][g] = vg * c + vf * -s;
    v_[i][f] = vg * s + vf * c;
  }
}

void JacobiEigen::Solve(int n) {
  rotations_ = 0;
  if (n < 1 || n > kMaxOrder) {
    succeeded_ = false;
    return;
  }
  order_ = n;
  succeeded_ = true;
  for (int i = 1; i < n; ++i) {
    for (int j = i + 1; j <= n; ++j) {
      if (!IsNearlyEqual(a_[i][j], a_[j][i])) {
        succeeded_ = false;
        return;
      }
    }
  }
  const int cap = kRotationCapPerOrderSquared * n * n;
  do {
    if (rotations_ == cap) {
      succeeded_ = false;
      return;
    }
    int g = 1;
    int f = 2;
    double largest = -1;
    for (int i = 1; i < n; ++i) {
      for (int j = i + 1; j <= n; ++j) {
        if (std::fabs(a_[i][j]) > largest) {
          largest = std::fabs(a_[i][j]);
          g = i;
          f = j;
        }
      }
    }
    if (n > 1) Rotate(g, f);
    ++rotations_;
    // Written so that a sum that overflowed into NaN keeps the loop going to the cap instead of
    // passing for convergence.
  } while (!(OffDiagonalSquareSum() <= 1e-9));
}

}  // namespace orvel
