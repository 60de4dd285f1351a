#include "analyses/anova.h"

#include <cmath>

#include "analyses/result_text.h"
#include "numeric/distributions.h"

namespace orvel {

namespace {

const std::string kRule(89, '-');
constexpr const char* kNoInteractionAssumed =
    "Multiple comparisons are performed under the assumption that there is no interaction.\n\n";

double Square(double x) { return x * x; }

// An error sum of squares found by subtraction keeps the rounding of the sums it came from
// (about 1e-16 of the sum of squares of the data). Below 1e-12 of that sum it is taken as the
// zero it stands for, so that groups without variation give an undefined F instead of an
// enormous one (and no "-0.000").
double ErrorSum(double ss, double squares) { return std::fabs(ss) <= 1e-12 * std::fabs(squares) ? 0.0 : ss; }

struct Sums {
  int n = 0;
  double total = 0;
  double squares = 0;
};

Sums SumsOf(const std::vector<double>& values) {
  Sums s;
  s.n = static_cast<int>(values.size());
  for (const double x : values) {
    s.total += x;
    s.squares += x * x;
  }
  return s;
}

GroupSummary Summarize(const ColumnData& data) {
  const Sums s = SumsOf(data.values);
  return {data.column, s.n, s.total / s.n, s.total};
}

// The tail of a table line whose mark follows the F-ratio: "**\tp<0.0001", "**\tp=%5.4f",
// "*\tp=%5.4f" or "\tp=%5.4f".
std::string MarkAfterF(double p) {
  if (p < 0.0001) return "**\tp<0.0001";
  return FormatReport("%s\tp=%5.4f", SignificanceMark(p), p);
}

std::string SelectedColumns(const std::vector<ColumnData>& groups) {
  std::string out = "Selected Data\n";
  for (const ColumnData& g : groups) out += FormatReport("Col%d:%s\n", g.column, g.label.c_str());
  return out;
}

std::string GridCellList(const TwowayGridData& grid) {
  std::string out = "Selected Data\n";
  for (int j = 1; j <= grid.b; ++j)
    for (int i = 1; i <= grid.a; ++i) out += FormatReport("A%d-B%d:Col%d\n", i, j, grid.Cell(i, j).column);
  return out;
}

}  // namespace

std::vector<ColumnData> ReadColumns(const CRowView& rows, const std::vector<int>& columns) {
  std::vector<ColumnData> out;
  for (const int c : columns) {
    ColumnData data;
    data.column = c;
    data.label = std::string(rows.Text(c, 0));
    data.values = rows.ColumnValues(c);
    out.push_back(std::move(data));
  }
  return out;
}

double AnovaPValue(int df1, int df2, double f) {
  if (!std::isfinite(f)) return NAN;
  return checked::FUpperP(df1, df2, f).value_or(NAN);
}

// ---- One-way ---------------------------------------------------------------------------------

OnewayResult ComputeOneway(OnewayDesign design, const std::vector<ColumnData>& groups) {
  OnewayResult r;
  r.design = design;
  r.k = static_cast<int>(groups.size());
  double total = 0;
  double squares = 0;
  double between = 0;  // sum of T_j^2 / n_j (factorial) or T_j^2 (repeated, divided below)
  for (const ColumnData& g : groups) {
    const Sums s = SumsOf(g.values);
    r.groups.push_back(Summarize(g));
    r.total_count += s.n;
    total += s.total;
    squares += s.squares;
    between += design == OnewayDesign::kFactorial ? Square(s.total) / s.n : Square(s.total);
  }
  const double ct = Square(total) / r.total_count;
  const int k = r.k;
  if (design == OnewayDesign::kFactorial) {
    r.s = squares - ct;
    r.sa = between - ct;
    r.se = ErrorSum(r.s - r.sa, squares);
    r.df_a = k - 1;
    r.df_e = r.total_count - k;
    r.va = r.sa / r.df_a;
    r.ve = r.se / r.df_e;
    r.fa = r.va / r.ve;
    r.p = AnovaPValue(r.df_a, r.df_e, r.fa);
    r.eta2 = r.sa / (r.sa + r.se);
    return r;
  }
  const int n = r.total_count / k;
  r.rows = n;
  double row_squares = 0;
  for (int i = 0; i < n; ++i) {
    double row_total = 0;
    for (const ColumnData& g : groups)
      if (static_cast<std::size_t>(i) < g.values.size()) row_total += g.values[static_cast<std::size_t>(i)];
    row_squares += Square(row_total);
  }
  r.s = squares - ct;
  r.sa = between / n - ct;
  r.sb = row_squares / k - ct;
  r.se = ErrorSum(r.s - r.sa - r.sb, squares);
  r.df_a = k - 1;
  r.df_b = n - 1;
  r.df_e = (k - 1) * (n - 1);
  r.va = r.sa / r.df_a;
  r.vb = r.sb / r.df_b;
  r.ve = r.se / r.df_e;
  r.fa = r.va / r.ve;
  r.fb = r.vb / r.ve;
  r.p = AnovaPValue(r.df_a, r.df_e, r.fa);
  r.eta2 = r.sa / r.s;
  return r;
}

std::string FormatOneway(const std::vector<ColumnData>& groups, const OnewayResult& r, const OnewayOptions& options) {
  const bool factorial = r.design == OnewayDesign::kFactorial;
  std::string out = factorial ? "\n<<< OnewayANOVA---Factorial >>>\n" : "\n\n<<< OnewayANOVA---Repeated Measures >>>\n";
  out += SelectedColumns(groups);
  out += "\nFactor\t\tSS\t\tdf\tVE\t\tF-Ratio\t\tp-value\t\tη2\n";
  out += kRule + "\n";
  if (factorial) {
    out += FormatReport("Total\t\tS=%7.3f\t%d\n", r.s, r.total_count - 1);
    out += FormatReport("Between Groups\tSA=%7.3f\t%d\tVA=%7.2f\tFA=%7.3f\t", r.sa, r.df_a, r.va, r.fa);
    out += r.p < 0.0001 ? std::string("p<0.0001**") : FormatReport("p=%.6f%s", r.p, SignificanceMark(r.p));
    out += FormatReport("\t\t%5.6f\n", r.eta2);
    out += FormatReport("Error\t\tSE=%7.3f\t%d\tVE=%7.3f\n\n", r.se, r.df_e, r.ve);
  } else {
    out += FormatReport("Total\t\tS=%7.3f\t%d\n", r.sa + r.sb + r.se, r.df_a + r.df_b + r.df_e);
    out += FormatReport("Between Groups\tSA=%7.3f\t%d\tVA=%7.3f\tFA=%7.3f", r.sa, r.df_a, r.va, r.fa);
    out += MarkAfterF(r.p) + FormatReport("\t\t%5.6f\n", r.eta2);
    out += FormatReport("Within Groups\tSB=%7.3f\t%d\tVB=%7.3f\tFB=%7.3f\n", r.sb, r.df_b, r.vb, r.fb);
    out += FormatReport("Error\t\tSE=%7.3f\t%d\tVE=%7.3f\n\n", r.se, r.df_e, r.ve);
    if (options.tukey || options.scheffe || options.bonferroni || options.dunnett) out += kNoInteractionAssumed;
  }
  // Factorial: Tukey (k, N/k), Scheffe (k, N); repeated: both (k, n). The others take the error df.
  const int tukey_size = factorial ? r.total_count / r.k : r.rows;
  const int scheffe_size = factorial ? r.total_count : r.rows;
  if (options.tukey) out += OnewayTukey(r.design, r.groups, tukey_size, r.ve);
  if (options.scheffe) out += OnewayScheffe(r.design, r.groups, scheffe_size, r.ve);
  if (options.bonferroni) out += OnewayBonferroni(r.groups, r.df_e, r.ve);
  if (options.dunnett) out += OnewayDunnett(r.design, r.groups, options.control, r.df_e, r.ve);
  if (options.holm) out += OnewayHolm(r.groups, r.df_e, r.ve);
  return out;
}

void OnewayAnovaReport(CORVELDoc& doc, const OnewayOptions& options) {
  const std::vector<int> columns = doc.GroupColumnList();
  const bool repeated = options.design == OnewayDesign::kRepeated;
  // The repeated design needs complete rows; the factorial one takes every value.
  const CRowView rows = repeated ? CRowView::CompleteGroups(doc) : CRowView(doc);
  const std::vector<ColumnData> groups = ReadColumns(rows, columns);
  const OnewayResult result = ComputeOneway(options.design, groups);
  doc.AppendResult(FormatOneway(groups, result, options));
  if (repeated) {
    std::vector<std::vector<double>> values;
    for (const ColumnData& g : groups) values.push_back(g.values);
    doc.AppendResult(FormatOneGroupHotelling(ComputeOneGroupHotelling(values)));
  }
  if (doc.IncludeDataInResult())
    for (const int c : columns) ListColumnData(doc, rows, c);
  ListSkippedRows(doc, rows);
}

// ---- Two-way without replication -------------------------------------------------------------

BlockAnovaResult ComputeBlockAnova(const CellBlock& block) {
  BlockAnovaResult r;
  r.a = static_cast<int>(block.values.size());
  r.b = r.a == 0 ? 0 : static_cast<int>(block.values[0].size());
  const double cells = static_cast<double>(r.a) * r.b;
  double total = 0;
  double squares = 0;
  std::vector<double> row_totals(static_cast<std::size_t>(r.a), 0.0);
  std::vector<double> column_totals(static_cast<std::size_t>(r.b), 0.0);
  for (std::size_t i = 0; i < block.values.size(); ++i) {
    for (std::size_t j = 0; j < block.values[i].size(); ++j) {
      const double x = block.values[i][j];
      total += x;
      squares += x * x;
      row_totals[i] += x;
      column_totals[j] += x;
    }
  }
  const double ct = Square(total) / cells;
  double row_squares = 0;
  double column_squares = 0;
  for (const double t : row_totals) row_squares += Square(t);
  for (const double t : column_totals) column_squares += Square(t);
  r.s = squares - ct;
  r.sa = row_squares / r.b - ct;
  r.sb = column_squares / r.a - ct;
  r.se = ErrorSum(r.s - r.sa - r.sb, squares);
  r.df_a = r.a - 1;
  r.df_b = r.b - 1;
  r.df_e = (r.a - 1) * (r.b - 1);
  r.va = r.sa / r.df_a;
  r.vb = r.sb / r.df_b;
  r.ve = r.se / r.df_e;
  r.fa = r.va / r.ve;
  r.fb = r.vb / r.ve;
  r.pa = AnovaPValue(r.df_a, r.df_e, r.fa);
  r.pb = AnovaPValue(r.df_b, r.df_e, r.fb);
  for (int i = 0; i < r.a; ++i) {
    r.means.rows.push_back(block.first_row + i);
    r.means.row_means.push_back(row_totals[static_cast<std::size_t>(i)] / r.b);
  }
  for (int j = 0; j < r.b; ++j) {
    r.means.columns.push_back(block.first_column + j);
    r.means.column_means.push_back(column_totals[static_cast<std::size_t>(j)] / r.a);
  }
  return r;
}

std::string FormatBlockAnova(const CellBlock& block, const BlockAnovaResult& r, TwowayComparisons comparisons) {
  std::string out = "\n\n";
  out += FormatReport("<<< TwowayANOVA without Replication>>>\nSelected cells : C%dR%d-C%dR%d\n\n", block.first_column,
                      block.first_row, block.last_column, block.last_row);
  out += "Factor\t\tSS\t\tdf\tVE\t\tF-Ratio\t\tp-value\n";
  out += kRule + "\n";
  out += FormatReport("Total\t\tS=%7.3f\t%d\n", r.s, r.df_a + r.df_b + r.df_e);
  out += FormatReport("Between Rows\tSA=%7.3f\t%d\tVA=%7.3f\tFA=%7.3f", r.sa, r.df_a, r.va, r.fa) + MarkAfterF(r.pa) + "\n";
  out += FormatReport("Between Columns\tSB=%7.3f\t%d\tVB=%7.3f\tFB=%7.3f", r.sb, r.df_b, r.vb, r.fb) + MarkAfterF(r.pb) +
         "\n";
  out += FormatReport("Error\t\tSE=%7.3f\t%d\tVE=%7.3f\n\n", r.se, r.df_e, r.ve);
  if (!comparisons.Any()) return out;
  out += kNoInteractionAssumed;
  for (const bool rows : {true, false}) {
    if (comparisons.tukey) out += BlockComparison(ComparisonMethod::kTukey, rows, r.means, r.df_e, r.ve);
    if (comparisons.scheffe) out += BlockComparison(ComparisonMethod::kScheffe, rows, r.means, r.df_e, r.ve);
    if (comparisons.bonferroni) out += BlockComparison(ComparisonMethod::kBonferroni, rows, r.means, r.df_e, r.ve);
  }
  return out;
}

void TwowayWithoutReplicationReport(CORVELDoc& doc, TwowayComparisons comparisons) {
  const Selection& s = doc.GetSelection();
  CellBlock block;
  block.first_column = s.LeftColumn();
  block.first_row = s.TopRow();
  block.last_column = s.RightColumn();
  block.last_row = s.BottomRow();
  for (int r = block.first_row; r <= block.last_row; ++r) {
    std::vector<double> row;
    for (int c = block.first_column; c <= block.last_column; ++c) row.push_back(doc.Value(c, r));
    block.values.push_back(std::move(row));
  }
  doc.AppendResult(FormatBlockAnova(block, ComputeBlockAnova(block), comparisons));
  if (doc.IncludeDataInResult()) {
    doc.AppendResult("\nSelected Cells\n\n");
    for (int r = block.first_row; r <= block.last_row; ++r) {
      for (int c = block.first_column; c <= block.last_column; ++c)
        AppendReport(doc, "%s\t", std::string(doc.Text(c, r)).c_str());
      doc.AppendResult("\n");
    }
  }
}

// ---- Two-way on the grid ---------------------------------------------------------------------

TwowayGridData ReadTwowayGrid(const CORVELDoc& doc) {
  TwowayGridData grid;
  grid.a = doc.TwowayALevels();
  grid.b = doc.TwowayBLevels();
  std::vector<int> columns;
  for (int j = 1; j <= grid.b; ++j)
    for (int i = 1; i <= grid.a; ++i) columns.push_back(doc.TwowayGridCell(i, j));
  grid.cells = ReadColumns(doc, columns);
  return grid;
}

namespace {

TwowayCells SummarizeGrid(const TwowayGridData& grid) {
  TwowayCells cells;
  cells.a = grid.a;
  cells.b = grid.b;
  for (const ColumnData& c : grid.cells) cells.cells.push_back(Summarize(c));
  return cells;
}

}  // namespace

bool InteractionIsPooled(double p) { return p >= 0.05; }

TwowayFactorialResult ComputeTwowayFactorial(const TwowayGridData& grid) {
  TwowayFactorialResult r;
  r.summary = SummarizeGrid(grid);
  const int a = grid.a;
  const int b = grid.b;
  const double ab = static_cast<double>(a) * b;
  double inverse_sizes = 0;
  double mean_total = 0;
  double mean_squares = 0;
  double squares = 0;
  for (std::size_t c = 0; c < grid.cells.size(); ++c) {
    const Sums s = SumsOf(grid.cells[c].values);
    const double mean = s.total / s.n;
    r.total_count += s.n;
    inverse_sizes += 1.0 / s.n;
    mean_total += mean;
    mean_squares += Square(mean);
    r.se += s.squares - Square(s.total) / s.n;
    squares += s.squares;
  }
  r.se = ErrorSum(r.se, squares);
  const double nh = ab / inverse_sizes;
  r.harmonic_size = nh;
  const double ct = nh * Square(mean_total) / ab;
  double a_squares = 0;
  for (int i = 1; i <= a; ++i) {
    double level = 0;
    for (int j = 1; j <= b; ++j) level += r.summary.Cell(i, j).mean;
    a_squares += Square(level);
  }
  double b_squares = 0;
  for (int j = 1; j <= b; ++j) {
    double level = 0;
    for (int i = 1; i <= a; ++i) level += r.summary.Cell(i, j).mean;
    b_squares += Square(level);
  }
  r.sa = nh / b * a_squares - ct;
  r.sb = nh / a * b_squares - ct;
  r.sab = nh * mean_squares - ct - r.sa - r.sb;
  r.df_a = a - 1;
  r.df_b = b - 1;
  r.df_ab = (a - 1) * (b - 1);
  r.df_e = r.total_count - a * b;
  r.va = r.sa / r.df_a;
  r.vb = r.sb / r.df_b;
  r.vab = r.sab / r.df_ab;
  r.ve = r.se / r.df_e;
  r.fa = r.va / r.ve;
  r.fb = r.vb / r.ve;
  r.fab = r.vab / r.ve;
  r.pa = AnovaPValue(r.df_a, r.df_e, r.fa);
  r.pb = AnovaPValue(r.df_b, r.df_e, r.fb);
  r.pab = AnovaPValue(r.df_ab, r.df_e, r.fab);
  r.pooled = InteractionIsPooled(r.pab);
  r.pooled_df = r.df_e + r.df_ab;
  r.pooled_ve = (r.se + r.sab) / r.pooled_df;
  return r;
}

std::string FormatTwowayFactorial(const TwowayGridData& grid, const TwowayFactorialResult& r,
                                  TwowayComparisons comparisons) {
  std::string out = "\n\n<<<TwowayANOVA：Factorial>>>\n\n";
  out += GridCellList(grid);
  out += "\nFactor\t\t\tSS\t\tdf\tVE\t\tF-Ratio\t\tp-value\n";
  out += kRule + "\n";
  out += FormatReport("Total\t\t\tS=%7.3f\t%d\n", r.sa + r.sb + r.sab + r.se, r.df_a + r.df_b + r.df_ab + r.df_e);
  out += FormatReport("Between Factor A\tSA=%7.3f\t%d\tVA=%7.3f\tFA=%7.3f", r.sa, r.df_a, r.va, r.fa) + MarkAfterF(r.pa) +
         "\n";
  out += FormatReport("Between Factor B\tSB=%7.3f\t%d\tVB=%7.3f\tFB=%7.3f", r.sb, r.df_b, r.vb, r.fb) + MarkAfterF(r.pb) +
         "\n";
  out += FormatReport("Interaction(A*B)\tSAB=%7.3f\t%d\tVAB=%7.3f\tFAB=%7.3f", r.sab, r.df_ab, r.vab, r.fab) +
         MarkAfterF(r.pab) + "\n";
  out += FormatReport("Error\t\t\tSE=%7.3f\t%d\tVE=%7.3f\n\n", r.se, r.df_e, r.ve);
  const ComparisonMethod methods[] = {ComparisonMethod::kTukey, ComparisonMethod::kScheffe, ComparisonMethod::kBonferroni};
  const bool ticked[] = {comparisons.tukey, comparisons.scheffe, comparisons.bonferroni};
  if (r.pooled) {
    out += "No interaction : p >= 0.05\n\n";
    out += "SS for interaction is added to SS for error.\n\n";
    for (int m = 0; m < 3; ++m)
      if (ticked[m]) out += TwowayLevelComparison(methods[m], r.summary, r.pooled_df, r.pooled_ve);
  } else {
    out += "Significant interaction : p < 0.05\n\n";
    for (int m = 0; m < 3; ++m)
      if (ticked[m]) out += TwowayCellComparison(methods[m], r.summary, r.df_e, r.ve);
  }
  return out;
}

TwowayRepeatedResult ComputeTwowayRepeated(const TwowayGridData& grid) {
  TwowayRepeatedResult r;
  const int a = grid.a;
  const int b = grid.b;
  std::vector<int> subjects(static_cast<std::size_t>(a));
  bool equal = true;
  double inverse_subjects = 0;
  for (int i = 1; i <= a; ++i) {
    const int n = static_cast<int>(grid.Cell(i, 1).values.size());
    subjects[static_cast<std::size_t>(i - 1)] = n;
    r.total_subjects += n;
    inverse_subjects += 1.0 / n;
    equal = equal && n == subjects[0];
  }
  const double nh = equal ? subjects[0] : a / inverse_subjects;

  // Cell means and the sums of squares of the unweighted means.
  double mean_total = 0;
  double mean_squares = 0;
  double a_mean_squares = 0;  // sum over i of mA_i^2
  std::vector<double> b_means(static_cast<std::size_t>(b), 0.0);
  double q = 0;             // sum of all squares
  double cell_terms = 0;    // sum of T_ij^2 / n_ij
  double subject_terms = 0;  // sum of P_is^2 / b
  double level_terms = 0;    // sum of TA_i^2 / (n_i b)
  for (int i = 1; i <= a; ++i) {
    double level_mean = 0;
    double level_total = 0;
    const int n = subjects[static_cast<std::size_t>(i - 1)];
    std::vector<double> subject_totals(static_cast<std::size_t>(n), 0.0);
    for (int j = 1; j <= b; ++j) {
      const ColumnData& cell = grid.Cell(i, j);
      const Sums s = SumsOf(cell.values);
      const double mean = s.total / s.n;
      mean_total += mean;
      mean_squares += Square(mean);
      level_mean += mean / b;
      b_means[static_cast<std::size_t>(j - 1)] += mean / a;
      q += s.squares;
      cell_terms += Square(s.total) / s.n;
      level_total += s.total;
      for (std::size_t k = 0; k < subject_totals.size() && k < cell.values.size(); ++k) subject_totals[k] += cell.values[k];
    }
    a_mean_squares += Square(level_mean);
    for (const double p : subject_totals) subject_terms += Square(p) / b;
    level_terms += Square(level_total) / (static_cast<double>(n) * b);
  }
  double b_mean_squares = 0;
  for (const double m : b_means) b_mean_squares += Square(m);
  const double ctm = Square(mean_total) / (static_cast<double>(a) * b);
  r.sa = nh * (b * a_mean_squares - ctm);
  r.sb = nh * (a * b_mean_squares - ctm);
  r.sab = nh * (ctm + mean_squares - b * a_mean_squares - a * b_mean_squares);
  r.se1 = ErrorSum(subject_terms - level_terms, q);
  r.se2 = ErrorSum(level_terms + q - cell_terms - subject_terms, q);
  r.df_a = a - 1;
  r.df_e1 = r.total_subjects - a;
  r.df_b = b - 1;
  r.df_ab = (a - 1) * (b - 1);
  r.df_e2 = (r.total_subjects - a) * (b - 1);
  r.va = r.sa / r.df_a;
  r.ve1 = r.se1 / r.df_e1;
  r.vb = r.sb / r.df_b;
  r.vab = r.sab / r.df_ab;
  r.ve2 = r.se2 / r.df_e2;
  r.fa = r.va / r.ve1;
  r.fb = r.vb / r.ve2;
  r.fab = r.vab / r.ve2;
  r.fe1 = r.ve1 / r.ve2;
  r.pa = AnovaPValue(r.df_a, r.df_e1, r.fa);
  r.pb = AnovaPValue(r.df_b, r.df_e2, r.fb);
  r.pab = AnovaPValue(r.df_ab, r.df_e2, r.fab);
  return r;
}

std::string FormatTwowayRepeated(const TwowayGridData& grid, const TwowayRepeatedResult& r) {
  std::string out = "\n\n<<<TwowayANOVA：Repeated Measures>>>\n\n";
  out += GridCellList(grid);
  out += "\nFactor\t\t\tSS\t\tdf\tVE\t\tF-Ratio\t\tp-value\n";
  out += kRule + "\n";
  out += FormatReport("Total\t\t\tS=%7.3f\t%d\n", r.sa + r.se1 + r.sb + r.sab + r.se2,
                      r.df_a + r.df_e1 + r.df_b + r.df_ab + r.df_e2);
  out += FormatReport("Between Factor A\tSA=%7.3f\t%d\tVA=%7.3f\tFA=%7.3f", r.sa, r.df_a, r.va, r.fa) + MarkAfterF(r.pa) +
         "\n";
  out += FormatReport("Primary Error\t\tSE1=%7.3f\t%d\tVE1=%7.3f\tFE1=%7.3f\n", r.se1, r.df_e1, r.ve1, r.fe1);
  out += FormatReport("Between Factor B\tSB=%7.3f\t%d\tVB=%7.3f\tFB=%7.3f", r.sb, r.df_b, r.vb, r.fb) + MarkAfterF(r.pb) +
         "\n";
  out += FormatReport("Interaction(A*B)\tSAB=%7.3f\t%d\tVAB=%7.3f\tFAB=%7.3f", r.sab, r.df_ab, r.vab, r.fab) +
         MarkAfterF(r.pab) + "\n";
  out += FormatReport("Secondary Error\t\tSE2=%7.3f\t%d\tVE2=%7.3f\n\n", r.se2, r.df_e2, r.ve2);
  if (grid.a == 2) {
    std::vector<std::vector<double>> group1;
    std::vector<std::vector<double>> group2;
    for (int j = 1; j <= grid.b; ++j) {
      group1.push_back(grid.Cell(1, j).values);
      group2.push_back(grid.Cell(2, j).values);
    }
    out += FormatTwoGroupHotelling(ComputeTwoGroupHotelling(group1, group2));
  } else {
    out += "\nHotelling's T-Square test is not performed because Factor A has more than two levels.\n";
  }
  return out;
}

void TwowayAnovaReport(CORVELDoc& doc, bool repeated, TwowayComparisons comparisons) {
  const TwowayGridData grid = ReadTwowayGrid(doc);
  if (repeated) {
    doc.AppendResult(FormatTwowayRepeated(grid, ComputeTwowayRepeated(grid)));
  } else {
    doc.AppendResult(FormatTwowayFactorial(grid, ComputeTwowayFactorial(grid), comparisons));
  }
  if (doc.IncludeDataInResult())
    for (const ColumnData& cell : grid.cells) ListColumnData(doc, cell.column);
}

}  // namespace orvel
