// Small matrices for the multivariate procedures: a general dense matrix, an inverter of order
// at most 15 that also gives the determinant, and a Jacobi eigen solver of order at most 20 for
// symmetric matrices.
//
// Conventions shared by the three types:
//   - every index is 1-based (row i, column j);
//   - nothing throws and nothing is reported in words: a read outside the storage gives
//     kOutOfRange (-100), a write outside it is ignored, and a failed inversion or eigen
//     solution clears a success flag that the caller must test and report;
//   - a value v counts as zero when |v| < 1e-28 (the program's IsNearlyEqual test).
//
// Typical use:
//   MatrixInverter inverter;
//   for (i, j) inverter.SetInput(i, j, a_ij);
//   inverter.Invert(n);
//   if (!inverter.Succeeded()) { report "cannot be inverted"; }
//   x = inverter.Inverse(i, j);
#pragma once

#include <array>
#include <vector>

namespace orvel {

// A general matrix with a fixed capacity c: room for c rows of c columns. The current shape
// (rows x cols) grows as elements are set and is what the arithmetic works on.
class DenseMatrix {
 public:
  explicit DenseMatrix(int capacity);

  // The element, or kOutOfRange when i or j is outside 1 .. capacity.
  double Get(int i, int j) const;
  // Ignored outside 1 .. capacity; raises the shape to cover (i, j).
  void Set(int i, int j, double value);
  // Shape 0 x 0; the elements themselves are kept.
  void Clear();

  int Rows() const { return rows_; }
  int Cols() const { return cols_; }
  int Capacity() const { return capacity_; }
  // Accepted only within 0 .. capacity; returns whether the count was taken.
  bool SetRows(int rows);
  bool SetCols(int cols);

  // c := a * b. Does nothing unless a.Cols() == b.Rows() and c can hold a.Rows() x b.Cols().
  // c may be a or b.
  static void Product(const DenseMatrix& a, const DenseMatrix& b, DenseMatrix& c);
  // c := a + b. Does nothing unless a and b have the same shape and c can hold it.
  static void Sum(const DenseMatrix& a, const DenseMatrix& b, DenseMatrix& c);

  // Every element within the current shape multiplied by x.
  void Scale(double x);
  // In place; rows and columns exchange.
  void Transpose();

 private:
  double& At(int i, int j) { return elements_[static_cast<std::size_t>((i - 1) * capacity_ + (j - 1))]; }
  double At(int i, int j) const { return elements_[static_cast<std::size_t>((i - 1) * capacity_ + (j - 1))]; }

  int capacity_;
  int rows_ = 0;
  int cols_ = 0;
  std::vector<double> elements_;
};

// The inverse and determinant of a matrix of order n <= 15.
//
// Invert(n) first refuses a matrix with two proportional rows (a zero row included). It then
// factors A = LU by Doolittle's method without row exchanges and inverts through L^-1 and U^-1;
// when a diagonal element of A or a pivot of U is zero it falls back to Gauss-Jordan elimination
// with partial pivoting, which fails only on a zero pivot. The storage is fixed: nothing is
// allocated.
class MatrixInverter {
 public:
  static constexpr int kMaxOrder = 15;

  MatrixInverter() { Reset(); }

  // Every array and the order to 0, the flag to false.
  void Reset();

  // The input A, 1 .. 15 (ignored / kOutOfRange outside).
  void SetInput(int i, int j, double value);
  double GetInput(int i, int j) const;

  // Inverts the leading n x n block of the input and sets the success flag. When the order is
  // outside 1 .. 15 or two rows are proportional, the inverse keeps its previous contents.
  void Invert(int n);
  bool Succeeded() const { return succeeded_; }
  int Order() const { return order_; }

  // An element of the inverse (1 .. 15, else kOutOfRange).
  double Inverse(int i, int j) const;
  // The product over i of L(i, i) U(i, i): the determinant after a factorisation without
  // trouble; (near) zero after the pivoting fallback, whose U holds the vanishing pivot.
  double Determinant() const;

  // True when rows a and b of the input are proportional (or either is outside the order).
  bool RowsAreDependent(int a, int b) const;

 private:
  using Square = std::array<std::array<double, kMaxOrder + 1>, kMaxOrder + 1>;  // [1..15][1..15]

  void GaussJordan();

  Square a_{};
  Square l_{};
  Square u_{};
  Square l_inverse_{};
  Square u_inverse_{};
  Square inverse_{};
  int order_ = 0;
  bool succeeded_ = false;
};

// Eigenvalues and eigenvectors of a symmetric matrix of order n <= 20 by Jacobi rotations.
//
// Solve(n) rotates away the largest off-diagonal element until the sum of squares of the
// off-diagonal elements is at most 1e-9. On success the diagonal of the matrix holds the
// eigenvalues (Get(j, j)) and column j of V the eigenvector of eigenvalue j
// (EigenvectorComponent(i, j)). The loop stops after kRotationCapPerOrderSquared * n^2
// rotations without reaching the tolerance (possible when the elements are so large that
// rounding alone exceeds it); the flag is then false and the caller must say so.
class JacobiEigen {
 public:
  static constexpr int kMaxOrder = 20;
  static constexpr int kRotationCapPerOrderSquared = 100;

  JacobiEigen() { Reset(); }

  // The matrix to 0, V to the identity, the order to 0, the flag to false.
  void Reset();

  // Elements of the matrix (1 .. 20, ignored / kOutOfRange outside).
  void Set(int i, int j, double value);
  double Get(int i, int j) const;
  // Component i of the eigenvector in column j (1 .. 20, else kOutOfRange).
  double EigenvectorComponent(int i, int j) const;

  // Diagonalises the leading n x n block. The flag is false (and the matrix unchanged) when n
  // is outside 1 .. 20 or the block is not symmetric; false also when the rotation cap is hit.
  void Solve(int n);
  bool Succeeded() const { return succeeded_; }
  int Order() const { return order_; }
  // Rotations applied by the last Solve.
  int Rotations() const { return rotations_; }

 private:
  using Square = std::array<std::array<double, kMaxOrder + 1>, kMaxOrder + 1>;

  double OffDiagonalSquareSum() const;
  void Rotate(int g, int f);

  Square a_{};
  Square v_{};
  int order_ = 0;
  bool succeeded_ = false;
  int rotations_ = 0;
};

}  // namespace orvel
