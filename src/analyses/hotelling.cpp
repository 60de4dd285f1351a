#include "analyses/hotelling.h"

#include <cmath>

#include "analyses/result_text.h"
#include "numeric/distributions.h"
#include "numeric/matrix.h"

namespace orvel {

namespace {

constexpr double kSingularTolerance = 1e-10;

using Columns = std::vector<std::vector<double>>;

// Sums of a set of variables over the rows: n, the sums and the cross-product numerators
// n sum(xy) - sum(x) sum(y), which are exact for integer data.
struct Moments {
  int n = 0;
  std::vector<double> sums;
  std::vector<std::vector<double>> numerator;  // n sum(xy) - sum(x) sum(y)

  double Mean(std::size_t i) const { return sums[i] / n; }
};

Moments MomentsOf(const Columns& variables) {
  Moments m;
  const std::size_t q = variables.size();
  m.n = q == 0 ? 0 : static_cast<int>(variables[0].size());
  m.sums.assign(q, 0.0);
  m.numerator.assign(q, std::vector<double>(q, 0.0));
  std::vector<std::vector<double>> products(q, std::vector<double>(q, 0.0));
  for (std::size_t i = 0; i < q; ++i) {
    for (int r = 0; r < m.n; ++r) m.sums[i] += variables[i][static_cast<std::size_t>(r)];
    for (std::size_t j = 0; j <= i; ++j) {
      double sum = 0;
      for (int r = 0; r < m.n; ++r)
        sum += variables[i][static_cast<std::size_t>(r)] * variables[j][static_cast<std::size_t>(r)];
      products[i][j] = products[j][i] = sum;
    }
  }
  for (std::size_t i = 0; i < q; ++i)
    for (std::size_t j = 0; j < q; ++j) m.numerator[i][j] = m.n * products[i][j] - m.sums[i] * m.sums[j];
  return m;
}

// Contrast variables row by row: column first - column (i + 1) (against_first) or column i -
// column (i + 1) (successive).
Columns Contrasts(const Columns& columns, bool against_first) {
  Columns out;
  for (std::size_t i = 0; i + 1 < columns.size(); ++i) {
    const std::vector<double>& left = against_first ? columns[0] : columns[i];
    const std::vector<double>& right = columns[i + 1];
    std::vector<double> difference(left.size());
    for (std::size_t r = 0; r < left.size() && r < right.size(); ++r) difference[r] = left[r] - right[r];
    out.push_back(std::move(difference));
  }
  return out;
}

// The quadratic form x' M^-1 x, or NaN when M is singular (by the inverter or within rounding).
// `reference` holds, per diagonal entry, the size of the variances the contrast was made from.
double QuadraticForm(const std::vector<std::vector<double>>& m, const std::vector<double>& x,
                     const std::vector<double>& reference) {
  const int q = static_cast<int>(x.size());
  if (q < 1 || q > MatrixInverter::kMaxOrder) return NAN;
  MatrixInverter inverter;
  double diagonal_product = 1;
  for (int i = 1; i <= q; ++i) {
    const double d = m[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(i - 1)];
    if (!(d > kSingularTolerance * reference[static_cast<std::size_t>(i - 1)]) || !(d > 0)) return NAN;
    diagonal_product *= d;
    for (int j = 1; j <= q; ++j)
      inverter.SetInput(i, j, m[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(j - 1)]);
  }
  inverter.Invert(q);
  if (!inverter.Succeeded()) return NAN;
  if (!(inverter.Determinant() / diagonal_product > kSingularTolerance)) return NAN;
  double form = 0;
  for (int i = 1; i <= q; ++i)
    for (int j = 1; j <= q; ++j)
      form += x[static_cast<std::size_t>(i - 1)] * inverter.Inverse(i, j) * x[static_cast<std::size_t>(j - 1)];
  return form;
}

HotellingTest MakeTest(double t2, double f, int df1, int df2) {
  HotellingTest test;
  if (df2 < 1 || !std::isfinite(t2) || !std::isfinite(f)) return test;
  test.computable = true;
  test.t2 = t2;
  test.f = f;
  test.p = checked::FUpperP(df1, df2, f).value_or(NAN);
  return test;
}

void AppendTest(std::string& out, const HotellingTest& test) {
  if (!test.computable) {
    out += kHotellingNotComputable;
    return;
  }
  out += FormatReport("Hotelling's T-Square : %.3f\n", test.t2);
  out += test.p < 0.0001 ? FormatReport("F=%.3f  p<0.0001", test.f) : FormatReport("F=%.3f  p=%.4f", test.f, test.p);
  out += test.p < 0.01 ? "**\n\n" : test.p < 0.05 ? "*\n\n" : "\n\n";
}

// Per-variable sums of squares about the mean, to judge a contrast's variance against.
std::vector<double> ColumnSpreads(const Columns& columns) {
  const Moments m = MomentsOf(columns);
  std::vector<double> spread(columns.size());
  for (std::size_t i = 0; i < columns.size(); ++i) spread[i] = m.n > 0 ? m.numerator[i][i] / m.n : 0;
  return spread;
}

}  // namespace

OneGroupHotelling ComputeOneGroupHotelling(const Columns& columns) {
  OneGroupHotelling result;
  const int p = static_cast<int>(columns.size());
  if (p > kHotellingMaxColumns) {
    result.too_many_columns = true;
    return result;
  }
  if (p < 2) return result;
  const Moments m = MomentsOf(Contrasts(columns, true));
  const int n = m.n;
  const std::vector<double> spread = ColumnSpreads(columns);
  const std::size_t q = static_cast<std::size_t>(p - 1);
  std::vector<std::vector<double>> covariance(q, std::vector<double>(q));
  std::vector<double> mean(q);
  std::vector<double> reference(q);
  for (std::size_t i = 0; i < q; ++i) {
    mean[i] = m.Mean(i);
    reference[i] = (spread[0] + spread[i + 1]) / (n - 1.0);
    for (std::size_t j = 0; j < q; ++j) covariance[i][j] = m.numerator[i][j] / (static_cast<double>(n) * (n - 1));
  }
  const double t2 = n * QuadraticForm(covariance, mean, reference);
  const double f = (n - p + 1) * t2 / ((n - 1.0) * (p - 1));
  result.test = MakeTest(t2, f, p - 1, n - p + 1);
  return result;
}

std::string FormatOneGroupHotelling(const OneGroupHotelling& result) {
  if (result.too_many_columns) return "There are too many columns to perform Hotelling's T-Square test.\n";
  std::string out = "\n\n[Hotelling's T-Square Test]\n\n";
  AppendTest(out, result.test);
  return out;
}

TwoGroupHotelling ComputeTwoGroupHotelling(const Columns& group1, const Columns& group2) {
  TwoGroupHotelling result;
  const int b = static_cast<int>(group1.size());
  if (b > kHotellingMaxColumns) {
    result.too_many_levels = true;
    return result;
  }
  if (b < 2 || group2.size() != group1.size()) return result;
  const Moments m1 = MomentsOf(Contrasts(group1, false));
  const Moments m2 = MomentsOf(Contrasts(group2, false));
  const int n1 = m1.n;
  const int n2 = m2.n;
  const double pooled_df = n1 + n2 - 2.0;
  const double k = static_cast<double>(n1) * n2 / (n1 + n2);
  const std::vector<double> spread1 = ColumnSpreads(group1);
  const std::vector<double> spread2 = ColumnSpreads(group2);

  const std::size_t q = static_cast<std::size_t>(b - 1);
  std::vector<std::vector<double>> covariance(q, std::vector<double>(q));
  std::vector<double> difference(q);
  std::vector<double> weighted_mean(q);
  std::vector<double> reference(q);
  for (std::size_t i = 0; i < q; ++i) {
    difference[i] = m1.Mean(i) - m2.Mean(i);
    weighted_mean[i] = (m1.sums[i] + m2.sums[i]) / (n1 + n2);
    reference[i] = (spread1[i] + spread1[i + 1] + spread2[i] + spread2[i + 1]) / pooled_df;
    for (std::size_t j = 0; j < q; ++j)
      covariance[i][j] = (m1.numerator[i][j] / n1 + m2.numerator[i][j] / n2) / pooled_df;
  }
  const int df2 = n1 + n2 - b;
  const double scale = (n1 + n2 - b) / (pooled_df * (b - 1));

  const double t2_parallel = k * QuadraticForm(covariance, difference, reference);
  result.parallelism = MakeTest(t2_parallel, scale * t2_parallel, b - 1, df2);

  // The row totals over the B levels carry 1'd and 1'S1.
  auto totals = [](const Columns& columns) {
    std::vector<double> total(columns[0].size(), 0.0);
    for (const std::vector<double>& column : columns)
      for (std::size_t r = 0; r < total.size() && r < column.size(); ++r) total[r] += column[r];
    return Columns{total};
  };
  const Moments t1 = MomentsOf(totals(group1));
  const Moments t2m = MomentsOf(totals(group2));
  const double ones_d = t1.Mean(0) - t2m.Mean(0);
  const double ones_s_ones = (t1.numerator[0][0] / n1 + t2m.numerator[0][0] / n2) / pooled_df;
  double spread_sum = 0;
  for (std::size_t i = 0; i < group1.size(); ++i) spread_sum += spread1[i] + spread2[i];
  const double t2_between = ones_s_ones > kSingularTolerance * spread_sum / pooled_df / b ? k * ones_d * ones_d / ones_s_ones : NAN;
  result.between_groups = MakeTest(t2_between, t2_between, 1, n1 + n2 - 2);

  const double t2_within = (n1 + n2) * QuadraticForm(covariance, weighted_mean, reference);
  result.within_groups = MakeTest(t2_within, scale * t2_within, b - 1, df2);
  return result;
}

std::string FormatTwoGroupHotelling(const TwoGroupHotelling& result) {
  std::string out = "\n\n";
  if (result.too_many_levels) return out + "Factor B has too many levels to preform Hotelling's T-Square test.\n";
  out += "[Hotelling's T-Square Test]\n\n";
  out += "[1]Test for Paralelism\n\n";
  AppendTest(out, result.parallelism);
  out += "[2]Test for the Differences between Factor A\n\n";
  AppendTest(out, result.between_groups);
  out += "[3]Test for the Differences within Groups\n\n";
  AppendTest(out, result.within_groups);
  return out;
}

}  // namespace orvel
