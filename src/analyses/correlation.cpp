#include "analyses/correlation.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <string>

#include "analyses/result_text.h"
#include "numeric/distributions.h"

namespace orvel {

namespace {

constexpr double kUndefined = std::numeric_limits<double>::quiet_NaN();

std::string ColumnName(const CORVELDoc& doc, int c) { return std::string(doc.Text(c, 0)); }

// The rows on which both X and Y are numeric, in row order (in a view without the incomplete
// rows these are exactly the pairs).
std::vector<int> PairedRows(const CRowView& rows) { return rows.CompleteRows({rows.TwoGroupX(), rows.TwoGroupY()}); }

bool IsConstant(const std::vector<double>& v) {
  return std::all_of(v.begin(), v.end(), [&](double x) { return x == v.front(); });
}

// The significance line of the two-sided test of the X/Y procedures.
void AppendTwoSidedTest(CORVELDoc& doc, double p) {
  AppendReport(doc, "[Two-sided Test]\n%s\n\n", PValueWithMark(p).c_str());
}

// The end of every X/Y report: the data and the rows left out.
void FinishXYReport(CORVELDoc& doc, const CRowView& rows) {
  if (doc.IncludeDataInResult()) {
    ListColumnData(doc, rows, doc.TwoGroupX());
    ListColumnData(doc, rows, doc.TwoGroupY());
  }
  ListSkippedRows(doc, rows);
}

// The equation by the sign of the printed constant b (exact comparisons with 0). A b without a
// value takes the first form.
std::string Equation(const char* positive, const char* zero, const char* negative, double a, double b) {
  if (b == 0.0) return FormatReport(zero, a);
  if (b < 0.0) return FormatReport(negative, a, b);
  return FormatReport(positive, a, b);
}

// The regression line and curve reports share everything after their equation.
void AppendFitBody(CORVELDoc& doc, const std::string& equation, const LineFit& fit) {
  AppendReport(doc, "Y : Col%d %s\n%s\nCorrelation Coefficient r=%.6f\nContribution Ratio r^2=%.6f\n\n",
               doc.TwoGroupY(), ColumnName(doc, doc.TwoGroupY()).c_str(), equation.c_str(), fit.r, fit.r2);
  AppendTwoSidedTest(doc, fit.p);
}

}  // namespace

// ---- Least-squares line ------------------------------------------------------------------------

LineFit FitLeastSquaresLine(const std::vector<double>& x, const std::vector<double>& y) {
  LineFit fit;
  const std::size_t count = std::min(x.size(), y.size());
  fit.n = static_cast<int>(count);
  const double n = static_cast<double>(count);
  double sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
  for (std::size_t i = 0; i < count; ++i) {
    sx += x[i];
    sy += y[i];
    sxx += x[i] * x[i];
    syy += y[i] * y[i];
    sxy += x[i] * y[i];
  }
  // A constant column has no spread at all; rounding in the shortcut formulas must not turn
  // that into a tiny spread and a meaningless slope or r.
  const bool x_constant = IsConstant(x), y_constant = IsConstant(y);
  const double Sxx = x_constant ? 0.0 : sxx - sx * sx / n;
  const double Syy = y_constant ? 0.0 : syy - sy * sy / n;
  const double Sxy = (x_constant || y_constant) ? 0.0 : sxy - sx * sy / n;
  fit.slope = Sxy / Sxx;
  fit.intercept = sy / n - fit.slope * (sx / n);
  fit.r = Sxy / std::sqrt(Sxx * Syy);
  fit.r2 = fit.r * fit.r;
  // t = |r sqrt((n - 2) / (1 - r^2))|. A perfect fit (|r| = 1, or a hair above it by rounding)
  // makes t infinite, and the p-value's limit there is 0. Without degrees of freedom or
  // without an r the test has no value.
  const int df = fit.n - 2;
  const double t = std::fabs(fit.r * std::sqrt((n - 2) / (1 - fit.r2)));
  if (df < 1 || !std::isfinite(fit.r)) fit.p = kUndefined;
  else if (std::fabs(fit.r) >= 1) fit.p = 0.0;
  else fit.p = std::isfinite(t) ? 2 * TUpperP(df, t) : kUndefined;
  return fit;
}

void RegressionLineReport(CORVELDoc& doc) {
  const CRowView rows = CRowView::CompleteXY(doc);
  const std::vector<int> pairs = PairedRows(rows);
  const LineFit fit = FitLeastSquaresLine(rows.ValuesAt(doc.TwoGroupX(), pairs), rows.ValuesAt(doc.TwoGroupY(), pairs));
  AppendReport(doc, "\n<<< Regression Line >>>\n\nX : Col%d %s\n", doc.TwoGroupX(),
               ColumnName(doc, doc.TwoGroupX()).c_str());
  AppendFitBody(doc, Equation("y=%.6fx+%.6f", "y=%.6fx", "y=%.6fx%.6f", fit.slope, fit.intercept), fit);
  FinishXYReport(doc, rows);
}

// ---- Regression curves -------------------------------------------------------------------------

namespace {

enum class Transform { kNone, kLog10, kLn, kReciprocal };

struct CurveForm {
  Transform x, y;
  // The equation by the sign of b: > 0, = 0 (a only), < 0.
  const char* positive;
  const char* zero;
  const char* negative;
};

constexpr CurveForm kCurveForms[kCurveKinds] = {
    {Transform::kLog10, Transform::kNone, "y=%.6flog(x)+%.6f", "y=%.6flog(x)", "y=%.6flog(x)%.6f"},
    {Transform::kLn, Transform::kNone, "y=%.6fln(x)+%.6f", "y=%.6fln(x)", "y=%.6fln(x)%.6f"},
    {Transform::kLog10, Transform::kLog10, "y=%.6fx^%.6f", "y=%.6fx^0", "y=%.6fx^(%.6f)"},
    {Transform::kNone, Transform::kLog10, "y=%.6f*10^%.6fx", "y=%.6f*10^(0*x)", "y=%.6f*10^(%.6fx)"},
    {Transform::kNone, Transform::kLn, "y=%.6fexp(%.6fx)", "y=%.6fexp(0*x)", "y=%.6fexp(%.6fx)"},
    {Transform::kReciprocal, Transform::kNone, "y=%.6f/x+%.6f", "y=%.6f/x", "y=%.6f/x%.6f"},
};

// The transform's domain, as the column's own transforms check it.
bool InDomain(Transform t, double v) {
  switch (t) {
    case Transform::kLog10:
    case Transform::kLn: return v > 0.0;
    case Transform::kReciprocal: return v != 0.0;
    case Transform::kNone: break;
  }
  return true;
}

double Apply(Transform t, double v) {
  switch (t) {
    case Transform::kLog10: return std::log10(v);
    case Transform::kLn: return std::log(v);
    case Transform::kReciprocal: return 1.0 / v;
    case Transform::kNone: break;
  }
  return v;
}

// The values of column c on the given rows after the transform. False when a value the view
// keeps in the column lies outside the transform's domain.
bool TransformedValues(const CRowView& rows, int c, Transform t, const std::vector<int>& pairs, std::vector<double>& out) {
  bool ok = true;
  rows.ForEachNumeric(c, [&](int, double v) { ok = ok && InDomain(t, v); });
  if (!ok) return false;
  out.clear();
  out.reserve(pairs.size());
  for (int r : pairs) out.push_back(Apply(t, rows.Value(c, r)));
  return true;
}

const char* DomainRefusal(const CORVELDoc& doc, int c, Transform t, const char* negative, const char* zero) {
  switch (t) {
    case Transform::kLog10:
    case Transform::kLn:
      if (doc.HasNegative(c)) return negative;
      if (doc.HasZero(c)) return zero;
      break;
    case Transform::kReciprocal:
      if (doc.HasZero(c)) return zero;
      break;
    case Transform::kNone: break;
  }
  return nullptr;
}

}  // namespace

const char* RegressionCurveRefusal(const CORVELDoc& doc, int kind) {
  if (kind < 0 || kind >= kCurveKinds) return nullptr;
  const CurveForm& form = kCurveForms[kind];
  if (const char* m = DomainRefusal(doc, doc.TwoGroupX(), form.x,
                                    "It's impossible to calculate because of some negative numbers in column X.",
                                    "It's impossible to calculate because of zero in column X."))
    return m;
  return DomainRefusal(doc, doc.TwoGroupY(), form.y,
                       "It's impossible to calculate because of some negative numbers in column Y.",
                       "It's impossible to calculate because of zero in column Y.");
}

bool RegressionCurveReport(CORVELDoc& doc, int kind) {
  if (kind < 0 || kind >= kCurveKinds) return false;
  const CurveForm& form = kCurveForms[kind];
  const CRowView rows = CRowView::CompleteXY(doc);
  const std::vector<int> pairs = PairedRows(rows);
  // The values are transformed as they are read: the sheet keeps its own, so X and Y may even
  // be the same column.
  std::vector<double> x, y;
  if (!TransformedValues(rows, doc.TwoGroupX(), form.x, pairs, x) ||
      !TransformedValues(rows, doc.TwoGroupY(), form.y, pairs, y))
    return false;
  const LineFit fit = FitLeastSquaresLine(x, y);
  double a = fit.slope, b = fit.intercept;  // log, ln and reciprocal kinds
  if (kind == kCurvePower || kind == kCurveExp10) {
    a = std::pow(10.0, fit.intercept);
    b = fit.slope;
  } else if (kind == kCurveExp) {
    a = std::exp(fit.intercept);
    b = fit.slope;
  }
  AppendReport(doc, "\n\n<<< Regression Curve >>>\n\nX : Col%d %s\n", doc.TwoGroupX(),
               ColumnName(doc, doc.TwoGroupX()).c_str());
  AppendFitBody(doc, Equation(form.positive, form.zero, form.negative, a, b), fit);
  FinishXYReport(doc, rows);
  return true;
}

// ---- Rank correlations -------------------------------------------------------------------------

Ranks RankValues(CRankBuffer& buffer, const std::vector<double>& values) {
  buffer.Reset();
  for (double v : values) buffer.Add(v);
  Ranks result;
  result.ranks.reserve(values.size());
  for (int i = 0; i < buffer.Count(); ++i) result.ranks.push_back(buffer.RankAt(i));
  result.tie_sum2 = buffer.TieSum(2);
  result.tie_sum3 = buffer.TieSum(3);
  return result;
}

SpearmanResult ComputeSpearman(CRankBuffer& buffer, const std::vector<double>& x, const std::vector<double>& y) {
  SpearmanResult s;
  const Ranks rx = RankValues(buffer, x);
  const Ranks ry = RankValues(buffer, y);
  const std::size_t count = std::min(rx.ranks.size(), ry.ranks.size());
  s.n = static_cast<int>(count);
  for (std::size_t i = 0; i < count; ++i) {
    const double diff = rx.ranks[i] - ry.ranks[i];
    s.d += diff * diff;
  }
  const double n = static_cast<double>(count);
  s.tx = (n * n * n - n - (rx.tie_sum3 - n)) / 12;
  s.ty = (n * n * n - n - (ry.tie_sum3 - n)) / 12;
  s.rho = (s.tx + s.ty - s.d) / (2 * std::sqrt(s.tx * s.ty));
  const double z = std::fabs(std::sqrt(n - 1) * s.rho);
  s.p = std::isfinite(z) ? 2 * NormalUpperP(z) : kUndefined;
  return s;
}

void SpearmanReport(CORVELDoc& doc) {
  const CRowView rows = CRowView::CompleteXY(doc);
  const std::vector<int> pairs = PairedRows(rows);
  const SpearmanResult s =
      ComputeSpearman(doc.RankBuffer(), rows.ValuesAt(doc.TwoGroupX(), pairs), rows.ValuesAt(doc.TwoGroupY(), pairs));
  AppendReport(doc, "\n\n<<< Spearman's Rank Correlation >>>\n\nX : Col%d %s\n", doc.TwoGroupX(),
               ColumnName(doc, doc.TwoGroupX()).c_str());
  AppendReport(doc, "Y : Col%d %s\nrho=%.6f\n\n", doc.TwoGroupY(), ColumnName(doc, doc.TwoGroupY()).c_str(), s.rho);
  AppendTwoSidedTest(doc, s.p);
  FinishXYReport(doc, rows);
}

namespace {

// Pairs among n items, and pairs within groups of equal keys of a sorted sequence.
std::int64_t PairsAmong(std::int64_t t) { return t * (t - 1) / 2; }

template <typename Equal>
std::int64_t TiedPairs(const std::vector<int>& order, Equal equal) {
  std::int64_t pairs = 0, run = 1;
  for (std::size_t i = 1; i <= order.size(); ++i) {
    if (i < order.size() && equal(order[i - 1], order[i])) {
      ++run;
    } else {
      pairs += PairsAmong(run);
      run = 1;
    }
  }
  return pairs;
}

}  // namespace

PairCounts CountConcordantPairs(const std::vector<double>& x, const std::vector<double>& y) {
  // Sorted by (x, y), a pair with x strictly increasing is discordant exactly when y strictly
  // decreases: the strict inversions of the y sequence, counted while merge-sorting it. Pairs
  // tied in x are in non-decreasing y order and add no inversion. The concordant pairs are the
  // rest once the pairs tied in x, in y, or in both are taken out.
  const std::size_t n = std::min(x.size(), y.size());
  std::vector<int> order(n);
  std::iota(order.begin(), order.end(), 0);
  const auto xi = [&](int i) { return x[static_cast<std::size_t>(i)]; };
  const auto yi = [&](int i) { return y[static_cast<std::size_t>(i)]; };
  std::sort(order.begin(), order.end(), [&](int a, int b) { return xi(a) < xi(b) || (xi(a) == xi(b) && yi(a) < yi(b)); });
  const std::int64_t tied_x = TiedPairs(order, [&](int a, int b) { return xi(a) == xi(b); });
  const std::int64_t tied_xy = TiedPairs(order, [&](int a, int b) { return xi(a) == xi(b) && yi(a) == yi(b); });

  std::vector<double> seq(n), buffer(n);
  for (std::size_t i = 0; i < n; ++i) seq[i] = yi(order[i]);
  std::int64_t discordant = 0;
  for (std::size_t width = 1; width < n; width *= 2) {
    for (std::size_t lo = 0; lo < n; lo += 2 * width) {
      const std::size_t mid = std::min(lo + width, n), hi = std::min(lo + 2 * width, n);
      std::size_t i = lo, j = mid, k = lo;
      while (i < mid && j < hi) {
        if (seq[j] < seq[i]) {
          discordant += static_cast<std::int64_t>(mid - i);
          buffer[k++] = seq[j++];
        } else {
          buffer[k++] = seq[i++];
        }
      }
      while (i < mid) buffer[k++] = seq[i++];
      while (j < hi) buffer[k++] = seq[j++];
    }
    seq.swap(buffer);
  }
  // seq is now y in ascending order.
  std::int64_t tied_y = 0, run = 1;
  for (std::size_t i = 1; i <= n; ++i) {
    if (i < n && seq[i] == seq[i - 1]) {
      ++run;
    } else {
      tied_y += PairsAmong(run);
      run = 1;
    }
  }
  PairCounts counts;
  counts.discordant = discordant;
  counts.concordant = PairsAmong(static_cast<std::int64_t>(n)) - tied_x - tied_y + tied_xy - discordant;
  return counts;
}

KendallResult ComputeKendall(CRankBuffer& buffer, const std::vector<double>& x, const std::vector<double>& y) {
  KendallResult k;
  const Ranks rx = RankValues(buffer, x);
  const Ranks ry = RankValues(buffer, y);
  k.n = static_cast<int>(std::min(rx.ranks.size(), ry.ranks.size()));
  k.pairs = CountConcordantPairs(rx.ranks, ry.ranks);
  const double n = k.n;
  const double n2 = n * (n - 1) / 2;
  k.tx = (rx.tie_sum2 - n) / 2;
  k.ty = (ry.tie_sum2 - n) / 2;
  k.tau = static_cast<double>(k.pairs.concordant - k.pairs.discordant) / std::sqrt((n2 - k.tx) * (n2 - k.ty));
  const double z = std::fabs(k.tau * std::sqrt(9 * n * (n - 1) / (2 * (2 * n + 5))));
  k.p = std::isfinite(z) ? 2 * NormalUpperP(z) : kUndefined;
  return k;
}

void KendallReport(CORVELDoc& doc) {
  const CRowView rows = CRowView::CompleteXY(doc);
  const std::vector<int> pairs = PairedRows(rows);
  const KendallResult k =
      ComputeKendall(doc.RankBuffer(), rows.ValuesAt(doc.TwoGroupX(), pairs), rows.ValuesAt(doc.TwoGroupY(), pairs));
  AppendReport(doc, "\n<<< Kendall's Rank Correlation >>>\n\nX : Col%d %s\n", doc.TwoGroupX(),
               ColumnName(doc, doc.TwoGroupX()).c_str());
  AppendReport(doc, "Y : Col%d %s\ntau=%.6f\n\n", doc.TwoGroupY(), ColumnName(doc, doc.TwoGroupY()).c_str(), k.tau);
  AppendTwoSidedTest(doc, k.p);
  FinishXYReport(doc, rows);
}

// ---- Intraclass correlation --------------------------------------------------------------------

IccResult ComputeIcc(const std::vector<std::vector<double>>& columns) {
  IccResult r;
  r.k = static_cast<int>(columns.size());
  const std::size_t rows = columns.empty() ? 0 : columns[0].size();
  const int total = r.k * static_cast<int>(rows);  // N
  r.m = r.k == 0 ? 0 : total / r.k;
  double g = 0, sum2 = 0, column_squares = 0;
  std::vector<double> row_sums(rows, 0.0);
  for (const std::vector<double>& column : columns) {
    double column_sum = 0;
    for (std::size_t i = 0; i < rows && i < column.size(); ++i) {
      const double v = column[i];
      g += v;
      sum2 += v * v;
      column_sum += v;
      row_sums[i] += v;
    }
    column_squares += column_sum * column_sum;
  }
  double row_squares = 0;
  for (double s : row_sums) row_squares += s * s;
  const double ct = g * g / total;
  const double k = r.k, m = r.m;
  r.s = sum2 - ct;
  r.sa = column_squares / m - ct;
  r.sb = row_squares / k - ct;
  r.se = r.s - r.sa - r.sb;
  r.df_a = r.k - 1;
  r.df_b = r.m - 1;
  r.df_e = r.df_a * r.df_b;
  r.va = r.sa / r.df_a;
  r.vb = r.sb / r.df_b;
  r.ve = r.se / r.df_e;
  r.fa = r.va / r.ve;
  r.fb = r.vb / r.ve;
  r.p = (r.df_a >= 1 && r.df_e >= 1 && std::isfinite(r.fa)) ? FUpperP(r.df_a, r.df_e, r.fa) : kUndefined;
  r.eta2 = r.sa / r.s;
  const double sigma_r = (r.vb - r.ve) / k;
  const double sigma_c = (r.va - r.ve) / m;
  r.icc = sigma_r / (r.ve + sigma_r + sigma_c);
  return r;
}

namespace {
}  // namespace

int CompleteGroupRowCount(const CORVELDoc& doc) {
  return static_cast<int>(CRowView(doc).CompleteRows(doc.GroupColumnList()).size());
}

void IntraclassCorrelationReport(CORVELDoc& doc) {
  const CRowView rows = CRowView::CompleteGroups(doc);
  const std::vector<int> group = doc.GroupColumnList();
  // In the view every row with a value has all of them.
  const std::vector<int> complete = rows.CompleteRows(group);
  std::vector<std::vector<double>> columns;
  for (int c : group) columns.push_back(rows.ValuesAt(c, complete));
  const IccResult r = ComputeIcc(columns);

  AppendReport(doc, "\n\n<<< Intraclass Correlation Coefficient >>>\n");
  AppendReport(doc, "Selected Data\n");
  for (int c : group) AppendReport(doc, "Col%d:%s\n", c, ColumnName(doc, c).c_str());
  AppendReport(doc, "\n");
  AppendReport(doc, "Factor\t\tSS\t\tdf\tVE\t\tF-Ratio\t\tp-value\t\tη2\n");
  doc.AppendResult(std::string(89, '-') + "\n");
  AppendReport(doc, "Total\t\tS=%7.3f\t%d\n", r.sa + r.sb + r.se, r.df_a + r.df_b + r.df_e);
  AppendReport(doc, "Between Groups\tSA=%7.3f\t%d\tVA=%7.3f\tFA=%7.3f%s\t%s\t\t%5.6f\n", r.sa, r.df_a, r.va, r.fa,
               SignificanceMark(r.p), PValueText(r.p, "p=%5.4f").c_str(), r.eta2);
  AppendReport(doc, "Within Groups\tSB=%7.3f\t%d\tVB=%7.3f\tFB=%7.3f\n", r.sb, r.df_b, r.vb, r.fb);
  AppendReport(doc, "Error\t\tSE=%7.3f\t%d\tVE=%7.3f\n\n", r.se, r.df_e, r.ve);
  AppendReport(doc, "Intraclass Correlation Coefficient ICC(1,1)=%1.6f\n\n", r.icc);
  if (doc.IncludeDataInResult())
    for (int c : group) ListColumnData(doc, rows, c);
  ListSkippedRows(doc, rows);
}

}  // namespace orvel
