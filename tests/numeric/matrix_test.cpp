#include "numeric/matrix.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "numeric/distributions.h"

namespace orvel {
namespace {

using Rows = std::vector<std::vector<double>>;

void Load(MatrixInverter& inverter, const Rows& a) {
  for (std::size_t i = 0; i < a.size(); ++i)
    for (std::size_t j = 0; j < a.size(); ++j)
      inverter.SetInput(static_cast<int>(i + 1), static_cast<int>(j + 1), a[i][j]);
}

// max |A A^-1 - I| over the order.
double IdentityError(const MatrixInverter& inverter, int n) {
  double worst = 0;
  for (int i = 1; i <= n; ++i) {
    for (int j = 1; j <= n; ++j) {
      double sum = 0;
      for (int k = 1; k <= n; ++k) sum += inverter.GetInput(i, k) * inverter.Inverse(k, j);
      worst = std::max(worst, std::fabs(sum - (i == j ? 1.0 : 0.0)));
    }
  }
  return worst;
}

TEST(MatrixInverter, FactorisationFallbackAndRefusals) {
  struct Case {
    std::string name;
    Rows a;
    bool succeeds;
    double determinant;  // as the inverter reports it
  };
  const std::vector<Case> cases = {
      {"one by one", {{4}}, true, 4},
      {"zero one by one fails in the pivoting elimination", {{0}}, false, 0},
      {"general 3x3 through L and U", {{4, 3, 2}, {2, 1, 3}, {3, 2, 1}}, true, 3},
      // A zero leading element sends a full-rank matrix to Gauss-Jordan; U(1,1) = 0 then makes
      // the determinant read as zero.
      {"exchange matrix", {{0, 1}, {1, 0}}, true, 0},
      // U(2,2) = 4 - 2*2 = 0 half-way through the factorisation: the fallback inverts it.
      {"zero pivot inside the factorisation", {{1, 2, 3}, {2, 4, 7}, {1, 1, 1}}, true, 0},
      {"proportional rows", {{1, 2, 3}, {2, 4, 6}, {1, 0, 1}}, false, 0},
      {"negative multiple", {{1, -2}, {-3, 6}}, false, 0},
      {"zero row beside another", {{0, 0, 0}, {1, 2, 3}, {4, 5, 7}}, false, 0},
      {"dependent but not proportional", {{1, 0, 1}, {0, 1, 1}, {1, 1, 2}}, false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MatrixInverter inverter;
    Load(inverter, c.a);
    const int n = static_cast<int>(c.a.size());
    inverter.Invert(n);
    EXPECT_EQ(inverter.Succeeded(), c.succeeds);
    if (c.succeeds) {
      EXPECT_LT(IdentityError(inverter, n), 1e-12);
    }
    EXPECT_NEAR(inverter.Determinant(), c.determinant, 1e-12);
  }
}

TEST(MatrixInverter, RefusedMatrixKeepsThePreviousInverse) {
  MatrixInverter inverter;
  Load(inverter, {{2, 0}, {0, 4}});
  inverter.Invert(2);
  ASSERT_TRUE(inverter.Succeeded());
  Load(inverter, {{1, 2}, {2, 4}});
  inverter.Invert(2);
  EXPECT_FALSE(inverter.Succeeded());
  EXPECT_EQ(inverter.Inverse(1, 1), 0.5);
  EXPECT_EQ(inverter.Inverse(2, 2), 0.25);
  for (const int n : {0, 16, -1}) {
    inverter.Invert(n);
    EXPECT_FALSE(inverter.Succeeded()) << n;
    EXPECT_EQ(inverter.Order(), 0) << n;
  }
  EXPECT_TRUE(IsNearlyEqual(inverter.Inverse(0, 1), kOutOfRange));
  EXPECT_TRUE(IsNearlyEqual(inverter.GetInput(1, 16), kOutOfRange));
}

TEST(MatrixInverter, FullOrderAgreesWithTheKnownDeterminant) {
  // A tridiagonal 15x15 with 2 on the diagonal and -1 beside it: determinant n + 1 = 16.
  MatrixInverter inverter;
  for (int i = 1; i <= 15; ++i) {
    inverter.SetInput(i, i, 2);
    if (i > 1) inverter.SetInput(i, i - 1, -1);
    if (i < 15) inverter.SetInput(i, i + 1, -1);
  }
  inverter.Invert(15);
  ASSERT_TRUE(inverter.Succeeded());
  EXPECT_NEAR(inverter.Determinant(), 16, 1e-9);
  EXPECT_LT(IdentityError(inverter, 15), 1e-10);
  // The inverse of this matrix is known: (A^-1)(i, j) = min(i, j) (16 - max(i, j)) / 16.
  EXPECT_NEAR(inverter.Inverse(3, 7), 3.0 * 9 / 16, 1e-12);
}

TEST(DenseMatrix, ShapesProductsAndRefusals) {
  DenseMatrix a(3);
  EXPECT_EQ(a.Rows(), 0);
  a.Set(2, 3, 5);  // raises the shape to 2 x 3
  EXPECT_EQ(a.Rows(), 2);
  EXPECT_EQ(a.Cols(), 3);
  a.Set(4, 1, 9);  // outside the capacity: ignored
  EXPECT_EQ(a.Rows(), 2);
  EXPECT_TRUE(IsNearlyEqual(a.Get(0, 1), kOutOfRange));
  EXPECT_TRUE(IsNearlyEqual(a.Get(1, 4), kOutOfRange));
  EXPECT_FALSE(a.SetRows(4));
  EXPECT_TRUE(a.SetRows(3));

  // [1 2 3; 4 5 6] x [1; 0; -1] = [-2; -2]
  DenseMatrix m(3), v(3), out(3);
  for (int j = 1; j <= 3; ++j) {
    m.Set(1, j, j);
    m.Set(2, j, j + 3);
  }
  v.Set(1, 1, 1);
  v.Set(2, 1, 0);
  v.Set(3, 1, -1);
  DenseMatrix::Product(m, v, out);
  ASSERT_EQ(out.Rows(), 2);
  ASSERT_EQ(out.Cols(), 1);
  EXPECT_EQ(out.Get(1, 1), -2);
  EXPECT_EQ(out.Get(2, 1), -2);
  // Shapes that do not fit leave the target alone.
  DenseMatrix::Product(v, m, out);
  EXPECT_EQ(out.Rows(), 2);
  DenseMatrix small(1);
  DenseMatrix::Product(m, v, small);
  EXPECT_EQ(small.Rows(), 0);
  DenseMatrix::Sum(m, v, out);
  EXPECT_EQ(out.Cols(), 1);

  // The product may be written over a factor.
  DenseMatrix sq(2);
  sq.Set(1, 1, 1);
  sq.Set(1, 2, 1);
  sq.Set(2, 1, 0);
  sq.Set(2, 2, 1);
  DenseMatrix::Product(sq, sq, sq);  // [1 1; 0 1]^2 = [1 2; 0 1]
  EXPECT_EQ(sq.Get(1, 2), 2);
  EXPECT_EQ(sq.Get(2, 1), 0);
  DenseMatrix::Sum(sq, sq, sq);
  sq.Scale(0.5);
  EXPECT_EQ(sq.Get(1, 2), 2);

  m.Transpose();
  EXPECT_EQ(m.Rows(), 3);
  EXPECT_EQ(m.Cols(), 2);
  EXPECT_EQ(m.Get(3, 2), 6);
  EXPECT_EQ(m.Get(1, 2), 4);
}

void Load(JacobiEigen& eigen, const Rows& a) {
  for (std::size_t i = 0; i < a.size(); ++i)
    for (std::size_t j = 0; j < a.size(); ++j) eigen.Set(static_cast<int>(i + 1), static_cast<int>(j + 1), a[i][j]);
}

// Checks A v_j = lambda_j v_j and V'V = I against the original matrix.
void ExpectEigenSystem(const JacobiEigen& eigen, const Rows& a) {
  const int n = static_cast<int>(a.size());
  for (int j = 1; j <= n; ++j) {
    const double lambda = eigen.Get(j, j);
    for (int i = 1; i <= n; ++i) {
      double av = 0;
      for (int k = 1; k <= n; ++k) av += a[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(k - 1)] * eigen.EigenvectorComponent(k, j);
      EXPECT_NEAR(av, lambda * eigen.EigenvectorComponent(i, j), 1e-6) << "eigenvector " << j;
    }
    for (int m = 1; m <= n; ++m) {
      double dot = 0;
      for (int i = 1; i <= n; ++i) dot += eigen.EigenvectorComponent(i, j) * eigen.EigenvectorComponent(i, m);
      EXPECT_NEAR(dot, j == m ? 1.0 : 0.0, 1e-9);
    }
  }
}

TEST(JacobiEigen, SolvesSymmetricMatrices) {
  struct Case {
    std::string name;
    Rows a;
    std::vector<double> eigenvalues;  // in the order the diagonal ends up holding them
  };
  const std::vector<Case> cases = {
      {"two by two", {{2, 1}, {1, 2}}, {1, 3}},
      {"three by three", {{2, -1, 0}, {-1, 2, -1}, {0, -1, 2}}, {}},
      {"covariance-like", {{4, 2, 0.6}, {2, 2, 0.4}, {0.6, 0.4, 1}}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    JacobiEigen eigen;
    Load(eigen, c.a);
    eigen.Solve(static_cast<int>(c.a.size()));
    ASSERT_TRUE(eigen.Succeeded());
    ExpectEigenSystem(eigen, c.a);
    double trace = 0;
    double values = 0;
    for (std::size_t i = 0; i < c.a.size(); ++i) {
      trace += c.a[i][i];
      values += eigen.Get(static_cast<int>(i + 1), static_cast<int>(i + 1));
    }
    EXPECT_NEAR(values, trace, 1e-9);
    for (std::size_t i = 0; i < c.eigenvalues.size(); ++i)
      EXPECT_NEAR(eigen.Get(static_cast<int>(i + 1), static_cast<int>(i + 1)), c.eigenvalues[i], 1e-9) << i;
  }
}

TEST(JacobiEigen, DiagonalInputStopsAfterOneRotation) {
  JacobiEigen eigen;
  Load(eigen, {{3, 0, 0}, {0, 1, 0}, {0, 0, 2}});
  eigen.Solve(3);
  ASSERT_TRUE(eigen.Succeeded());
  EXPECT_EQ(eigen.Rotations(), 1);
  for (int i = 1; i <= 3; ++i)
    for (int j = 1; j <= 3; ++j) EXPECT_EQ(eigen.EigenvectorComponent(i, j), i == j ? 1.0 : 0.0);
  EXPECT_EQ(eigen.Get(1, 1), 3);
}

TEST(JacobiEigen, RefusalsAndTheRotationCap) {
  JacobiEigen eigen;
  Load(eigen, {{1, 2}, {2.5, 1}});
  eigen.Solve(2);
  EXPECT_FALSE(eigen.Succeeded());
  EXPECT_EQ(eigen.Get(2, 1), 2.5);  // left as it was
  for (const int n : {0, 21}) {
    eigen.Solve(n);
    EXPECT_FALSE(eigen.Succeeded()) << n;
  }
  EXPECT_TRUE(IsNearlyEqual(eigen.Get(0, 1), kOutOfRange));
  EXPECT_TRUE(IsNearlyEqual(eigen.EigenvectorComponent(21, 1), kOutOfRange));

  // Large but finite elements converge; elements near the largest double overflow in the
  // first rotations, the off-diagonal sum turns NaN, and only the cap ends the loop.
  const int n = 6;
  for (const double scale : {1e300, 1.7e308}) {
    JacobiEigen big;
    for (int i = 1; i <= n; ++i)
      for (int j = 1; j <= n; ++j) big.Set(i, j, scale / (i + j));
    big.Solve(n);
    const bool overflows = scale > 1e308;
    EXPECT_EQ(big.Succeeded(), !overflows) << scale;
    if (overflows) {
      EXPECT_EQ(big.Rotations(), JacobiEigen::kRotationCapPerOrderSquared * n * n);
    }
  }
}

}  // namespace
}  // namespace orvel
