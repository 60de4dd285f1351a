#include "analyses/two_sample.h"

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "analyses/result_text.h"
#include "numeric/distributions.h"
#include "sheet/row_view.h"

namespace orvel {

namespace {

constexpr double kUndefined = std::numeric_limits<double>::quiet_NaN();

std::string Rule(int length) { return std::string(static_cast<std::size_t>(length), '-') + "\n"; }

std::string ColumnName(const CRowView& rows, int c) { return std::string(rows.Text(c, 0)); }

// A routine's probability as a report uses it: undefined when the statistic has no finite
// value or the routine was asked outside its domain.
double ProbabilityOf(double statistic, std::optional<double> p) {
  if (!std::isfinite(statistic) || !p) return kUndefined;
  return *p;
}

double Square(double x) { return x * x; }

// The upper 2.5% point of t with df degrees of freedom (the 95% interval's factor).
double TPoint025(int df) {
  return checked::TQuantile(df, 0.025).value_or(kUndefined);
}

// The listing of the columns used and the rows the view left out.
void EndReport(CORVELDoc& doc, const CRowView& rows, const std::vector<int>& columns) {
  if (doc.IncludeDataInResult())
    for (int c : columns) ListColumnData(doc, rows, c);
  ListSkippedRows(doc, rows);
}

// The table of the two columns that opens both t-test reports.
void AppendTwoColumnTable(CORVELDoc& doc, const CRowView& rows, const char* header) {
  const int x = doc.TwoGroupX(), y = doc.TwoGroupY();
  doc.AppendResult(Rule(72));
  doc.AppendResult(header);
  doc.AppendResult(Rule(72));
  for (int c : {x, y})
    AppendReport(doc, "Col%d\t%d\t%9.6f\t%9.6f\t%9.6f\n", c, rows.Count(c), rows.Mean(c), rows.SampleSD(c),
                 rows.SE(c));
  doc.AppendResult(Rule(72) + "\n");
}

// The two-sided and one-sided result tables of both t tests.
void AppendTwoSidedTTable(CORVELDoc& doc, double t, int df, double one_sided_p, double cohens_d, double r) {
  doc.AppendResult("[two-sided test]\n\n");
  doc.AppendResult(Rule(72));
  doc.AppendResult("t-value\t\tdf\tp-value\t\tCohen's d\teffect size r\n");
  doc.AppendResult(Rule(72));
  AppendReport(doc, "%9.6f\t%d\t%s\t%5.6f\t%5.6f\n", t, df, PValueWithMark(2 * one_sided_p).c_str(), cohens_d, r);
  doc.AppendResult(Rule(72));
}

void AppendOneSidedTTable(CORVELDoc& doc, double t, int df, double one_sided_p) {
  doc.AppendResult("\n[one-sided test]\n\n");
  doc.AppendResult(Rule(72));
  doc.AppendResult("t-value\t\tdf\tp-value\n");
  doc.AppendResult(Rule(72));
  AppendReport(doc, "%9.6f\t%d\t%s\n", t, df, PValueWithMark(one_sided_p).c_str());
  doc.AppendResult(Rule(72));
}

void AppendSampleSizeLine(CORVELDoc& doc, std::optional<int> size) {
  if (!size) return;
  AppendReport(doc, "Over %d samples are required for X and Y respectively to get statistical power > 0.8.\n", *size);
}

}  // namespace

// ---- F test ----------------------------------------------------------------------------------

FTestResult ComputeFTest(const CRowView& rows) {
  const int x = rows.TwoGroupX(), y = rows.TwoGroupY();
  FTestResult r;
  r.df1 = rows.Count(x) - 1;
  r.df2 = rows.Count(y) - 1;
  r.f = Square(rows.SampleSD(x)) / Square(rows.SampleSD(y));
  const double q = ProbabilityOf(r.f, checked::FUpperP(r.df1, r.df2, r.f));
  r.two_sided_p = q > 0.5 ? 2 * (1 - q) : 2 * q;
  r.one_sided_p = q > 0.5 ? 1 - q : q;
  return r;
}

void FTestReport(CORVELDoc& doc) {
  const int x = doc.TwoGroupX(), y = doc.TwoGroupY();
  const FTestResult r = ComputeFTest(doc);
  AppendReport(doc, "\n\n<<< F Test >>>\n\nX:Col%d %s\t", x, ColumnName(doc, x).c_str());
  AppendReport(doc, "Y:Col%d %s\n\n", y, ColumnName(doc, y).c_str());
  for (const auto& [title, p] : {std::pair{"[Two-sided Test]\n\n", r.two_sided_p},
                                 std::pair{"[One-sided Test]\n\n", r.one_sided_p}}) {
    doc.AppendResult(title);
    doc.AppendResult("df of X\tdf of Y\tT-value\t\tp-value\n");
    doc.AppendResult(Rule(70));
    AppendReport(doc, "%d\t%d\t%9.6f\t%s\n\n", r.df1, r.df2, r.f, PValueWithMark(p).c_str());
  }
  EndReport(doc, doc, {x, y});
}

// ---- Unpaired t test -------------------------------------------------------------------------

bool VariancesLookEqual(double sdx, double sdy, int nx, int ny) {
  if (sdx == 0 && sdy == 0) return true;  // no spread in either column: nothing differs
  const double f = Square(sdx) / Square(sdy);
  const double upper = FQuantile(nx - 1, ny - 1, 0.025);
  const double lower = 1 / FQuantile(ny - 1, nx - 1, 0.025);
  return lower <= f && f <= upper;
}

int WelchDegreesOfFreedom(double vx, double vy, int nx, int ny) {
  const double c = vx / (vx + vy);
  return RoundToNearest(1 / (c * c / (nx - 1) + (1 - c) * (1 - c) / (ny - 1)));
}

UnpairedTTestResult ComputeUnpairedTTest(const CRowView& rows) {
  const int x = rows.TwoGroupX(), y = rows.TwoGroupY();
  UnpairedTTestResult r;
  const int nx = r.nx = rows.Count(x);
  const int ny = r.ny = rows.Count(y);
  const double mx = rows.Mean(x), my = rows.Mean(y);
  const double sdx = rows.SampleSD(x), sdy = rows.SampleSD(y);
  const double d = r.mean_difference = mx - my;
  const double abs_d = std::fabs(d);
  const double squares = (nx - 1) * Square(sdx) + (ny - 1) * Square(sdy);
  r.cohens_d = abs_d / std::sqrt(squares / (nx + ny));
  r.pooled_sd = std::sqrt(squares / (nx + ny - 2));
  r.welch = !VariancesLookEqual(sdx, sdy, nx, ny);

  double half_width = 0;
  if (!r.welch) {
    const double sp2 = (rows.CentredSquares(x) + rows.CentredSquares(y)) / (nx + ny - 2);
    const double sp = std::sqrt(sp2);
    // Without any spread the statistic is 0 for equal means and has no finite value otherwise.
    if (sp == 0) r.t = abs_d == 0 ? 0.0 : kUndefined;
    else r.t = abs_d / (sp * std::sqrt(static_cast<double>(nx + ny) / (static_cast<double>(nx) * ny)));
    r.df = nx + ny - 2;
    half_width = TPoint025(r.df) * r.pooled_sd * std::sqrt(1.0 / nx + 1.0 / ny);
  } else {
    const double vx = Square(sdx) / nx, vy = Square(sdy) / ny;
    r.t = abs_d / std::sqrt(vx + vy);
    r.df = WelchDegreesOfFreedom(vx, vy, nx, ny);
    half_width = TPoint025(r.df) * std::sqrt(vx + vy);
  }
  r.ci_low = d - half_width;
  r.ci_high = d + half_width;
  r.one_sided_p = ProbabilityOf(r.t, checked::TUpperP(r.df, r.t));
  r.effect_size_r = std::sqrt(r.t * r.t / (r.t * r.t + r.df));
  return r;
}

namespace {
void AppendUnpairedPower(CORVELDoc& doc, const UnpairedTTestResult& r, double alpha, const char* low_power_line) {
  if (r.welch) {
    doc.AppendResult("Statistical power was not calculated because F test didn't assume equal variances.\n\n");
    return;
  }
  const double abs_d = std::fabs(r.mean_difference);
  if (abs_d == 0 || !std::isfinite(r.t)) return;
  const std::optional<double> power = checked::TwoSamplePower(abs_d, r.pooled_sd, alpha, r.nx, r.ny);
  if (!power || !std::isfinite(*power)) return;
  if (*power <= 0.8) {
    doc.AppendResult(low_power_line);
    AppendSampleSizeLine(doc, checked::TwoSampleSampleSize(abs_d, r.pooled_sd, alpha, 0.2));
  } else {
    doc.AppendResult("statistical power > 0.8 for p-value 0.05\n");
  }
  if (r.nx != r.ny) {
    doc.AppendResult(
        "The mean of X and Y was used to calculate statistical power bacause the sample size of X is different "
        "from that of Y.\n");
    doc.AppendResult("Make the sample size of X and Y equal to calculate precise statistical power.\n\n");
  }
}
}  // namespace

void UnpairedTTestReport(CORVELDoc& doc) {
  const int x = doc.TwoGroupX(), y = doc.TwoGroupY();
  const UnpairedTTestResult r = ComputeUnpairedTTest(doc);
  AppendReport(doc, "\n\n<<< Unpaired t-test >>>\n\nX:Col%d %s\n", x, ColumnName(doc, x).c_str());
  AppendReport(doc, "Y:Col%d %s\n\n", y, ColumnName(doc, y).c_str());
  AppendTwoColumnTable(doc, doc, "Data\tnumber\tmean\t\tsd\t\tse\n");
  doc.AppendResult("95%CI of mean difference\n");
  AppendReport(doc, "[%.6f,%.6f]\n\n", r.ci_low, r.ci_high);
  doc.AppendResult(r.welch ? "F test recommended Welch's t-test.\n\n" : "F test recommended Student's t-test.\n\n");

  AppendTwoSidedTTable(doc, r.t, r.df, r.one_sided_p, r.cohens_d, r.effect_size_r);
  AppendUnpairedPower(doc, r, 0.05, "statistical power <= 0.8 for p-value 0.05.\n");
  AppendOneSidedTTable(doc, r.t, r.df, r.one_sided_p);
  // A one-sided 5% test has the power of a two-sided 10% test.
  AppendUnpairedPower(doc, r, 0.1, "Statistical power <= 0.8 for p-value 0.05\n");
  EndReport(doc, doc, {x, y});
}

// ---- Paired t test ---------------------------------------------------------------------------

int CompletePairCount(const CRowView& rows) {
  const int x = rows.TwoGroupX(), y = rows.TwoGroupY();
  const int used = rows.UsedRowCount();
  int n = 0;
  for (int row = 1; row <= used; ++row)
    if (rows.IsNumeric(x, row) && rows.IsNumeric(y, row)) ++n;
  return n;
}

PairedTTestResult ComputePairedTTest(const CRowView& rows) {
  const int x = rows.TwoGroupX(), y = rows.TwoGroupY();
  PairedTTestResult r;
  const int n = r.n = rows.Count(x);
  r.df = n - 1;
  if (n < 2) {  // no spread can be measured from fewer than two pairs
    r.mean_difference = r.sd_of_differences = r.t = r.one_sided_p = kUndefined;
    r.ci_low = r.ci_high = r.cohens_d = r.effect_size_r = kUndefined;
    return r;
  }
  const double sx = rows.Sum(x), sy = rows.Sum(y);
  const double d = r.mean_difference = sx / n - sy / n;
  // The spread of the differences from their centred squares.
  double squares = 0;
  const int used = rows.UsedRowCount();
  for (int row = 1; row <= used; ++row)
    if (rows.IsNumeric(x, row) && rows.IsNumeric(y, row)) squares += Square(rows.Value(x, row) - rows.Value(y, row) - d);
  const double sd2 = squares / (n - 1);
  // Differences without any spread give 0 when they are all 0, and no finite value otherwise.
  if (sd2 == 0) r.t = d == 0 ? 0.0 : kUndefined;
  else r.t = d * std::sqrt(n / sd2);
  r.one_sided_p = ProbabilityOf(r.t, checked::TUpperP(r.df, std::fabs(r.t)));

  r.sd_of_differences = std::sqrt(sd2);
  const double half_width = TPoint025(n - 1) * r.sd_of_differences / std::sqrt(static_cast<double>(n));
  r.ci_low = d - half_width;
  r.ci_high = d + half_width;
  r.cohens_d = std::fabs(d) / std::sqrt((Square(rows.SampleSD(x)) + Square(rows.SampleSD(y))) / 2);
  r.effect_size_r = std::sqrt(r.t * r.t / (r.t * r.t + r.df));
  return r;
}

namespace {
void AppendPairedPower(CORVELDoc& doc, const PairedTTestResult& r, double alpha, const char* low_power_line) {
  if (r.mean_difference == 0 || !std::isfinite(r.t)) return;
  const std::optional<double> power = checked::PairedPower(r.mean_difference, r.sd_of_differences, alpha, r.n);
  if (!power || !std::isfinite(*power)) return;
  if (*power <= 0.8) {
    doc.AppendResult(low_power_line);
    AppendSampleSizeLine(doc, checked::PairedSampleSize(r.mean_difference, r.sd_of_differences, alpha, 0.2));
  } else {
    doc.AppendResult("statistical power > 0.8 for p-value 0.05\n");
  }
}
}  // namespace

void PairedTTestReport(CORVELDoc& doc) {
  const int x = doc.TwoGroupX(), y = doc.TwoGroupY();
  const CRowView rows = CRowView::CompleteXY(doc);
  const PairedTTestResult r = ComputePairedTTest(rows);
  AppendReport(doc, "\n\n<<< Paired t-test >>>\n\nX:Col%d %s\n", x, ColumnName(doc, x).c_str());
  AppendReport(doc, "Y:Col%d %s\n\n", y, ColumnName(doc, y).c_str());
  AppendTwoColumnTable(doc, rows, "data\tnumber\tmean\t\tsd\t\tse\n");
  doc.AppendResult("\n95%CI of mean difference\n");
  AppendReport(doc, "[%.6f,%.6f]\n\n", r.ci_low, r.ci_high);

  AppendTwoSidedTTable(doc, r.t, r.df, r.one_sided_p, r.cohens_d, r.effect_size_r);
  AppendPairedPower(doc, r, 0.05, "statistical power<=0.8 for p-value 0.05\n");
  AppendOneSidedTTable(doc, r.t, r.df, r.one_sided_p);
  AppendPairedPower(doc, r, 0.1, "statistical power <= 0.8 for p-value 0.05\n");
  EndReport(doc, rows, {x, y});
}

// ---- Bartlett's test -------------------------------------------------------------------------

BartlettResult ComputeBartlett(const CRowView& rows, const std::vector<int>& columns) {
  const int k = static_cast<int>(columns.size());
  int total = 0;
  double pooled = 0, logs = 0, inverses = 0;
  for (int c : columns) {
    const int n = rows.Count(c);
    const double variance = Square(rows.SampleSD(c));
    total += n;
    pooled += (n - 1) * variance;
    logs += (n - 1) * std::log10(variance);
    inverses += 1.0 / (n - 1);
  }
  const double dfe = total - k;
  const double a = std::log10(pooled / dfe);
  const double b = logs / dfe;
  const double c = 1 + (inverses - 1 / dfe) / (3.0 * (k - 1));
  BartlettResult r;
  r.df = k - 1;
  r.statistic = dfe * (a - b) * 2.3026 / c;  // 2.3026 = ln 10
  // The statistic is never below 0; rounding must not print equal variances as "-0.000000".
  if (r.statistic < 0) r.statistic = 0;
  r.p = ProbabilityOf(r.statistic, checked::ChiSquareUpperP(r.df, r.statistic));
  return r;
}

bool HasEmptyGroupColumn(const CORVELDoc& doc) {
  for (int c : doc.GroupColumnList())
    if (doc.Count(c) == 0) return true;
  return false;
}

void BartlettTestReport(CORVELDoc& doc) {
  const std::vector<int> columns = doc.GroupColumnList();
  const BartlettResult r = ComputeBartlett(doc, columns);
  doc.AppendResult("\n\n<<< Bartlett Test >>>\n\nSelected Columns\n");
  for (int c : columns) AppendReport(doc, "Col%d:%s\n", c, ColumnName(doc, c).c_str());
  AppendReport(doc, "\nB=%6.6f\n", r.statistic);
  AppendReport(doc, "%s\n\n", PValueWithMark(r.p).c_str());
  EndReport(doc, doc, columns);
}

// ---- Goodness of fit -------------------------------------------------------------------------

bool HasNonPositiveExpectedFrequency(const CORVELDoc& doc) {
  const int x = doc.TwoGroupX(), y = doc.TwoGroupY();
  const int used = doc.UsedRowCount();
  for (int row = 1; row <= used; ++row)
    if (doc.IsNumeric(x, row) && doc.IsNumeric(y, row) && !(doc.Value(y, row) > 0)) return true;
  return false;
}

GoodnessOfFitResult ComputeGoodnessOfFit(const CRowView& rows) {
  const int x = rows.TwoGroupX(), y = rows.TwoGroupY();
  GoodnessOfFitResult r;
  r.df = rows.Count(x) - 1;
  const int used = rows.UsedRowCount();
  for (int row = 1; row <= used; ++row) {
    if (!rows.IsNumeric(x, row) || !rows.IsNumeric(y, row)) continue;
    const double expected = rows.Value(y, row);
    r.chi_square += Square(rows.Value(x, row) - expected) / expected;
  }
  r.p = ProbabilityOf(r.chi_square, checked::ChiSquareUpperP(r.df, r.chi_square));
  return r;
}

void GoodnessOfFitReport(CORVELDoc& doc) {
  const int x = doc.TwoGroupX(), y = doc.TwoGroupY();
  const GoodnessOfFitResult r = ComputeGoodnessOfFit(doc);
  AppendReport(doc, "\n\n<<< Goodness-of-fit test >>>\n\nX (Observed frequency) : Col%d %s\n", x,
               ColumnName(doc, x).c_str());
  AppendReport(doc, "Y (Expected frequency) : Col%d %s\n\n", y, ColumnName(doc, y).c_str());
  doc.AppendResult("df\tX-squared\tp-value\n");
  doc.AppendResult(Rule(60));
  AppendReport(doc, "%d\t%9.6f\t%s\n\n", r.df, r.chi_square, PValueWithMark(r.p).c_str());
  EndReport(doc, doc, {x, y});
}

}  // namespace orvel
