// The multivariate fits against figures computed independently in R (each test names the call),
// and the selection and ranking rules at their edges.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "analyses/correlation.h"
#include "analyses/logistic.h"
#include "analyses/multireg.h"
#include "analyses/multivariate.h"

namespace orvel {
namespace {

// The complete rows of tests/golden/multireg_methods.txt (row 13 lacks X2).
const std::vector<double> kY = {18.69, 19.78, 13.18, 9.68, 27.5, 13.21, 20.43, 9.39, 17.03, 17.57, 27.1, 20.18, 10.63};
const std::vector<double> kX1 = {16.5, 17.3, 11.4, 14.5, 29.5, 12.4, 22.8, 14.1, 19.1, 21.5, 29.6, 19.8, 19.1};
const std::vector<double> kX2 = {0.75, 0.29, 0.45, 3.14, 0.23, 1.54, 1.86, 3.4, 1.5, 2.63, 0.59, 0.2, 4.2};
const std::vector<double> kX3 = {69.5, 65.2, 62.7, 78.4, 75.8, 74.5, 66.4, 62.8, 73.8, 76.3, 62.5, 70.0, 78.3};
const std::vector<double> kB = {1, 1, 0, 0, 1, 1, 1, 0, 0, 0, 1, 1, 0};

// V1..V4 of tests/golden/pca_components.txt.
const std::vector<std::vector<double>> kPca = {
    {9.34, 9.25, 10.17, 8.61, 11.57, 9.64, 9.46, 10.70, 10.45, 10.69, 9.00, 9.54, 13.09, 8.28, 9.40, 9.22},
    {10.45, 7.80, 11.96, 11.00, 11.43, 14.07, 9.11, 8.90, 11.18, 7.29, 9.77, 8.80, 9.49, 8.36, 9.85, 10.71},
    {10.60, 10.04, 9.48, 10.53, 9.93, 9.72, 10.20, 9.90, 10.67, 10.32, 9.02, 9.79, 10.24, 10.44, 10.05, 9.79},
    {6.33, 9.94, 12.79, 6.34, 14.94, 9.39, 6.82, 11.08, 10.89, 10.20, 5.90, 9.19, 19.29, 7.33, 9.86, 7.29},
};

// A1..A3 and B1..B3 of tests/golden/discriminant_functions.txt.
const std::vector<std::vector<double>> kGroup1 = {
    {10.77, 7.62, 10.23, 11.75, 10.2, 11.65, 10.35, 9.21, 9.73, 10.08, 9.61, 11.1},
    {12.06, 10.88, 12.21, 12.31, 10.75, 11.64, 10.22, 9.8, 10.27, 10.83, 9.62, 11.43},
    {13.42, 12.84, 10.85, 11.83, 11.53, 12.09, 12.27, 10.51, 11.13, 11.14, 10.23, 11.67},
};
const std::vector<std::vector<double>> kGroup2 = {
    {12.13, 12.36, 10.41, 9.15, 8.42, 9.91, 10.64, 10.12, 8.61, 10.42, 10.39, 9.4, 11.76, 10.56},
    {13.0, 13.74, 10.97, 12.54, 11.19, 13.2, 11.83, 10.46, 11.55, 12.4, 14.15, 11.24, 14.63, 10.07},
    {10.28, 10.76, 12.11, 15.73, 11.19, 13.4, 12.8, 14.87, 13.83, 12.4, 11.43, 13.96, 14.39, 12.2},
};

// ---- Multiple regression --------------------------------------------------------------------

// R: s <- summary(lm(Y ~ X1 + X2 + X3)); coef(s); s$fstatistic; s$r.squared; s$adj.r.squared;
// coef(s)[, 3]^2 (the partial F of each variable is its t squared).
TEST(MultipleRegression, AllVariablesMatchLm) {
  const std::vector<std::vector<double>> x = {kX1, kX2, kX3};
  const RegressionSums sums = ComputeRegressionSums(x, kY);
  const RegressionFit fit = FitRegression(sums, x, kY, {0, 1, 2});
  ASSERT_TRUE(fit.inverted);
  EXPECT_NEAR(fit.a0, 7.8817597715639, 1e-9);
  const double a[] = {0.7332635200341, -2.3014047409208, -0.0129073718341};
  const double partial_f[] = {212.3440496814144, 96.1350604684616, 0.0647758260589};
  for (int k = 0; k < 3; ++k) {
    EXPECT_NEAR(fit.a[k], a[k], 1e-10) << k;
    EXPECT_NEAR(fit.partial_f[k], partial_f[k], 1e-8 * partial_f[k]) << k;
  }
  EXPECT_NEAR(fit.f, 152.34591603, 1e-7);
  EXPECT_NEAR(fit.r2, 0.980688259617, 1e-11);
  EXPECT_NEAR(fit.r2_adjusted, 0.974251012822, 1e-11);
  EXPECT_NEAR(fit.se / (sums.n - 4), 0.9552 * 0.9552, 1e-3);
}

TEST(MultipleRegression, OneVariableIsTheRegressionLine) {
  const std::vector<std::vector<double>> x = {kX1};
  const RegressionFit fit = FitRegression(ComputeRegressionSums(x, kY), x, kY, {0});
  const LineFit line = FitLeastSquaresLine(kX1, kY);
  EXPECT_NEAR(fit.a[0], line.slope, 1e-12);
  EXPECT_NEAR(fit.a0, line.intercept, 1e-10);
  EXPECT_NEAR(fit.r, std::fabs(line.r), 1e-12);
}

TEST(MultipleRegression, SelectionRules) {
  const std::vector<std::vector<double>> x = {kX1, kX2, kX3};
  const RegressionSums sums = ComputeRegressionSums(x, kY);
  struct Case {
    const char* name;
    bool forward;
    double threshold;
    std::vector<int> chosen;
    std::size_t steps;
  };
  const RegressionFit full = FitRegression(sums, x, kY, {0, 1, 2});
  const Case cases[] = {
      {"forward keeps X3 out", true, 2.0, {0, 1}, 2},
      {"backward removes X3", false, 2.0, {0, 1}, 1},
      {"forward with F-in above every F", true, 1000.0, {}, 0},
      {"backward with F-out below every F", false, 0.01, {0, 1, 2}, 0},
      // Strict comparisons: X3's own partial F as F-out does not remove it.
      {"F equal to F-out stays", false, full.partial_f[2], {0, 1, 2}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const RegressionSelection s = c.forward ? ForwardRegressionSelection(sums, x, kY, c.threshold)
                                            : BackwardRegressionSelection(sums, x, kY, c.threshold);
    EXPECT_EQ(s.chosen, c.chosen);
    EXPECT_EQ(s.steps.size(), c.steps);
  }
  // The first forward pass picks the single variable with the largest F; F equal to F-in
  // does not enter.
  const RegressionFit x1_alone = FitRegression(sums, x, kY, {0});
  EXPECT_EQ(ForwardRegressionSelection(sums, x, kY, x1_alone.partial_f[0]).chosen, std::vector<int>{});
}

TEST(MultipleRegression, DependentColumnsNeverEnterAndBlockNoPass) {
  // Two identical columns: the tie goes to the first, and the copy cannot enter beside it.
  const std::vector<std::vector<double>> x = {kX1, kX1, kX2};
  const RegressionSums sums = ComputeRegressionSums(x, kY);
  EXPECT_FALSE(FitRegression(sums, x, kY, {0, 1}).inverted);
  const RegressionSelection forward = ForwardRegressionSelection(sums, x, kY, 2.0);
  EXPECT_EQ(forward.chosen, (std::vector<int>{0, 2}));
  for (const SelectionStep& step : forward.steps) EXPECT_TRUE(std::isfinite(step.f));
  // The full model cannot be inverted: backward removes nothing and writes no F.
  const RegressionSelection backward = BackwardRegressionSelection(sums, x, kY, 2.0);
  EXPECT_EQ(backward.chosen, (std::vector<int>{0, 1, 2}));
  EXPECT_TRUE(backward.steps.empty());
}

TEST(MultipleRegression, NegativeAdjustedR2HasNoRoot) {
  // Pure noise with many variables for few rows: R2' < 0 and R' undefined.
  const std::vector<double> y = {1, 3, 2, 5, 4, 3, 2};
  const std::vector<std::vector<double>> x = {{2, 1, 4, 3, 5, 1, 2}, {7, 7, 1, 2, 6, 3, 4}, {1, 5, 2, 2, 3, 4, 1}};
  const RegressionFit fit = FitRegression(ComputeRegressionSums(x, y), x, y, {0, 1, 2});
  ASSERT_TRUE(fit.inverted);
  EXPECT_LT(fit.r2_adjusted, 0);
  EXPECT_TRUE(std::isnan(fit.r_adjusted));
}

// ---- Logistic regression --------------------------------------------------------------------

// R: coef(summary(glm(B ~ X1 + X2 + X3, family = binomial))). The standard errors come from the
// Hessian one step before the estimates, so they agree to the convergence tolerance only.
TEST(LogisticRegression, MatchesGlm) {
  const LogisticFit fit = FitLogistic({kX1, kX2, kX3}, kB);
  ASSERT_EQ(fit.failure, LogisticFailure::kNone);
  const double beta[] = {-7.4628988209765, 0.2387756959105, -2.1612221252080, 0.0931856620527};
  const double se[] = {16.028945546254, 0.221303710375, 1.611266884437, 0.233436953827};
  const double p[] = {0.641509803318, 0.280609901615, 0.179817056825, 0.689753323190};
  for (int j = 0; j < 4; ++j) {
    EXPECT_NEAR(fit.beta[j], beta[j], 1e-3 * std::fabs(beta[j])) << j;
    EXPECT_NEAR(fit.se[j], se[j], 1e-3 * se[j]) << j;
    EXPECT_NEAR(fit.p[j], p[j], 2e-3) << j;
  }
  EXPECT_GE(fit.iterations, 1);
  EXPECT_LE(fit.iterations, 20);
  EXPECT_LT(fit.convergence, 0.00001);
  EXPECT_EQ(fit.n, 13);
}

TEST(LogisticRegression, FailuresAreReportedNotPrinted) {
  struct Case {
    const char* name;
    std::vector<std::vector<double>> x;
    std::vector<double> y;
    LogisticFailure failure;
  };
  const Case cases[] = {
      {"complete separation", {{1, 2, 3, 4, 5, 6, 7, 8}}, {0, 0, 0, 0, 1, 1, 1, 1}, LogisticFailure::kBoundaryProbability},
      {"a constant column repeats the intercept", {{4, 4, 4, 4, 4, 4}}, {0, 1, 0, 1, 1, 0}, LogisticFailure::kSingularHessian},
      {"overlapping groups fit", {{1, 2, 3, 4, 5, 6, 7, 8}}, {0, 0, 1, 0, 1, 0, 1, 1}, LogisticFailure::kNone},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const LogisticFit fit = FitLogistic(c.x, c.y);
    EXPECT_EQ(fit.failure, c.failure);
    if (fit.failure == LogisticFailure::kNone) {
      for (double s : fit.se) EXPECT_TRUE(std::isfinite(s) && s > 0);
    }
  }
}

TEST(LogisticRegression, SelectionThresholds) {
  const std::vector<std::vector<double>> x = {kX1, kX2, kX3};
  EXPECT_EQ(ForwardLogisticSelection(x, kB, 0.2), (std::vector<int>{1}));
  EXPECT_EQ(ForwardLogisticSelection(x, kB, 0.0001), std::vector<int>{});
  EXPECT_EQ(BackwardLogisticSelection(x, kB, 0.0001), std::vector<int>{});
  EXPECT_EQ(BackwardLogisticSelection(x, kB, 0.99), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(BackwardLogisticSelection(x, kB, 0.2), (std::vector<int>{1}));
}

// ---- Principal components -------------------------------------------------------------------

// Each eigenvector's sign made positive in its largest component, so vectors of either
// solver's sign compare equal.
std::vector<double> Oriented(std::vector<double> v) {
  std::size_t largest = 0;
  for (std::size_t i = 1; i < v.size(); ++i)
    if (std::fabs(v[i]) > std::fabs(v[largest])) largest = i;
  if (v[largest] < 0)
    for (double& e : v) e = -e;
  return v;
}

// R: pc <- prcomp(V1..V4); pc$sdev^2; pc$rotation (covariance), and prcomp(..., scale. = TRUE).
TEST(PrincipalComponents, MatchPrcomp) {
  struct Case {
    const char* name;
    std::vector<std::vector<double>> matrix;
    std::vector<double> eigenvalues;
    std::vector<std::vector<double>> vectors;
  };
  const Case cases[] = {
      {"covariance",
       CovarianceMatrix(kPca),
       {13.881466818341, 2.938236902670, 0.210984514827, 0.172322597496},
       {{0.300124080478630, 0.040801285811525, 0.000350593691173, 0.953027107944494},
        {0.0365850304401, -0.9973758874222, 0.0541479786327, 0.0311588052815},
        {-0.8086952127574, -0.0502303577838, -0.5267179865170, 0.2570158102134},
        {0.504578165132, -0.032457748257, -0.848313642572, -0.157198389549}}},
      {"correlation",
       CorrelationMatrix(kPca),
       {1.9260484486822, 1.1977155538371, 0.7973203180993, 0.0789156793813},
       {{0.7042655559750, 0.0769464460362, 0.0195147364990, 0.7054845470802},
        {0.05430499040189, -0.70044253606027, 0.71163541879354, 0.00250048264132},
        {-0.0475689705950, 0.7091121207820, 0.7017620301625, -0.0492670906253},
        {0.7062564603040, 0.0248897223741, -0.0269120567785, -0.7070064039306}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const PcaResult result = PrincipalComponents(c.matrix);
    ASSERT_TRUE(result.solved);
    ASSERT_EQ(result.components.size(), 4u);
    double total = 0;
    for (double e : c.eigenvalues) total += e;
    for (std::size_t a = 0; a < 4; ++a) {
      EXPECT_NEAR(result.components[a].eigenvalue, c.eigenvalues[a], 1e-7 * c.eigenvalues[0]) << a;
      EXPECT_NEAR(result.components[a].contribution, c.eigenvalues[a] / total, 1e-8) << a;
      const std::vector<double> got = Oriented(result.components[a].eigenvector), want = Oriented(c.vectors[a]);
      for (std::size_t i = 0; i < 4; ++i) EXPECT_NEAR(got[i], want[i], 1e-5) << a << "," << i;
    }
  }
}

TEST(PrincipalComponents, CorrelationMatrixIsExactlySymmetricWithUnitDiagonal) {
  const auto r = CorrelationMatrix(kPca);
  for (std::size_t i = 0; i < r.size(); ++i) {
    EXPECT_EQ(r[i][i], 1.0);
    for (std::size_t j = 0; j < r.size(); ++j) EXPECT_EQ(r[i][j], r[j][i]);
  }
}

TEST(PrincipalComponents, TiedEigenvaluesKeepTheirOwnVectors) {
  // Eigenvalues 2, 2, 2 and 1: the three tied ones must come with three different vectors.
  const std::vector<std::vector<double>> m = {{2, 0, 0, 0}, {0, 2, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 2}};
  const PcaResult result = PrincipalComponents(m);
  ASSERT_TRUE(result.solved);
  ASSERT_EQ(result.components.size(), 4u);
  for (std::size_t a = 0; a < 3; ++a) {
    EXPECT_EQ(result.components[a].eigenvalue, 2.0);
    for (std::size_t b = a + 1; b < 3; ++b) EXPECT_NE(result.components[a].eigenvector, result.components[b].eigenvector);
  }
  EXPECT_EQ(result.components[3].eigenvalue, 1.0);
  EXPECT_EQ(result.components[3].eigenvector, (std::vector<double>{0, 0, 1, 0}));
}

// ---- Discriminant analysis ------------------------------------------------------------------

// R (three variables): Sp <- ((n1-1)*cov(g1) + (n2-1)*cov(g2))/(n1+n2-2); a <- solve(Sp, m1-m2);
// -sum(a*(m1+m2)/2); Box's M from det() of the three matrices with the correction c and
// pchisq(c*M, 6, lower.tail = FALSE); mahalanobis(g, m2, S2) - mahalanobis(g, m1, S1) for the
// quadratic scores: 5 errors in group 1, 2 in group 2; the first three group 1 scores below.
TEST(Discriminant, MatchesDirectComputation) {
  const DiscriminantResult r = Discriminate(kGroup1, kGroup2);
  ASSERT_TRUE(r.pooled_inverted);
  ASSERT_TRUE(r.groups_inverted);
  ASSERT_TRUE(r.box_m_defined);
  const double a[] = {0.260167202086, -0.952657315703, -0.581448706048};
  for (int j = 0; j < 3; ++j) EXPECT_NEAR(r.linear[j], a[j], 1e-9) << j;
  EXPECT_NEAR(r.linear_constant, 15.4953291045, 1e-8);
  EXPECT_NEAR(r.chi_square, 8.46819170761, 1e-8);
  EXPECT_NEAR(r.p, 0.20576856410, 1e-5);
  EXPECT_EQ(r.quadratic_errors1, 5);
  EXPECT_EQ(r.quadratic_errors2, 2);
  const double z1[] = {-3.10120705905, -2.00150619705, -4.25590746638};
  for (std::size_t i = 0; i < 3; ++i) {
    double z = r.quadratic_constant;
    for (std::size_t j = 0; j < 3; ++j) {
      z += r.quadratic_linear[j] * kGroup1[j][i];
      for (std::size_t l = 0; l < 3; ++l) z += r.quadratic[j][l] * kGroup1[j][i] * kGroup1[l][i];
    }
    EXPECT_NEAR(z, z1[i], 1e-8) << i;
  }
}

TEST(Discriminant, SingularGroupLeavesBoxMAndQuadraticUndefined) {
  // Group 1's second variable copies its first: its covariance matrix has no inverse and a zero
  // determinant, while the pooled matrix still inverts.
  const std::vector<std::vector<double>> g1 = {kGroup1[0], kGroup1[0]};
  const std::vector<std::vector<double>> g2 = {kGroup2[0], kGroup2[2]};
  const DiscriminantResult r = Discriminate(g1, g2);
  EXPECT_TRUE(r.pooled_inverted);
  EXPECT_FALSE(r.groups_inverted);
  EXPECT_FALSE(r.box_m_defined);
}

}  // namespace
}  // namespace orvel
