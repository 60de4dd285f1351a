#include "analyses/contingency.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "analyses/result_text.h"
#include "numeric/distributions.h"

namespace orvel {

CellBlock SelectedBlock(const CORVELDoc& doc) {
  const Selection& s = doc.GetSelection();
  return {s.LeftColumn(), s.TopRow(), s.RightColumn(), s.BottomRow()};
}

bool IsTableValue(const CORVELDoc& doc, int c, int r) { return c >= 1 && r >= 1 && doc.IsNumeric(c, r); }

bool HasNegativeCell(const CORVELDoc& doc, const CellBlock& block) {
  for (int c = block.c1; c <= block.c2; ++c)
    for (int r = block.r1; r <= block.r2; ++r)
      if (IsTableValue(doc, c, r) && doc.Value(c, r) < 0) return true;
  return false;
}

namespace {

std::vector<std::vector<double>> ReadTable(const CORVELDoc& doc, const CellBlock& block) {
  std::vector<std::vector<double>> table;
  for (int r = block.r1; r <= block.r2; ++r) {
    std::vector<double> row;
    for (int c = block.c1; c <= block.c2; ++c) row.push_back(doc.Value(c, r));
    table.push_back(std::move(row));
  }
  return table;
}

// "\nSelected Cells\n\n" and the block's texts row by row, each followed by a tab.
void ListSelectedCells(CORVELDoc& doc, const CellBlock& block) {
  doc.AppendResult("\nSelected Cells\n\n");
  for (int r = block.r1; r <= block.r2; ++r) {
    for (int c = block.c1; c <= block.c2; ++c) AppendReport(doc, "%s\t", std::string(doc.Text(c, r)).c_str());
    doc.AppendResult("\n");
  }
}

}  // namespace

// ---- Pearson's chi-square ----------------------------------------------------------------------

ChiSquareResult ComputeChiSquare(const std::vector<std::vector<double>>& table) {
  ChiSquareResult result;
  const std::size_t rows = table.size();
  const std::size_t columns = rows == 0 ? 0 : table[0].size();
  std::vector<double> row_total(rows, 0.0), column_total(columns, 0.0);
  double n = 0;
  for (std::size_t i = 0; i < rows; ++i)
    for (std::size_t j = 0; j < columns; ++j) {
      row_total[i] += table[i][j];
      column_total[j] += table[i][j];
      n += table[i][j];
    }
  result.df = static_cast<int>((rows - 1) * (columns - 1));
  result.two_by_two = rows == 2 && columns == 2;
  if (result.two_by_two) {
    const double a = table[0][0], b = table[0][1], c = table[1][0], d = table[1][1];
    const double margins = (a + c) * (b + d) * (a + b) * (c + d);
    const double cross = a * d - b * c;
    result.uncorrected_statistic = n * cross * cross / margins;
    result.uncorrected_p = ChiSquareUpperP(1, result.uncorrected_statistic);
    const double w = std::fabs(cross) - n / 2;
    result.statistic = w < 0 ? 0.0 : n * w * w / margins;
  } else {
    double sum = 0;
    for (std::size_t i = 0; i < rows; ++i)
      for (std::size_t j = 0; j < columns; ++j) sum += table[i][j] * table[i][j] / (column_total[j] * row_total[i]);
    result.statistic = n * (sum - 1);
  }
  result.p = ChiSquareUpperP(result.df, result.statistic);
  const double smaller_side = static_cast<double>(std::min(rows, columns));
  result.effect_size = std::sqrt(result.statistic / ((smaller_side - 1) * n));
  return result;
}

void ChiSquareReport(CORVELDoc& doc, const CellBlock& block) {
  const ChiSquareResult r = ComputeChiSquare(ReadTable(doc, block));
  doc.AppendResult("\n");
  AppendReport(doc, "<<< Pearson's Chi-squared Test >>>\n\nSelected Cells : C%dR%d-C%dR%d\n\n", block.c1, block.r1,
               block.c2, block.r2);
  AppendReport(doc, "df\tT-Value\t\tp-value\n");
  doc.AppendResult(std::string(60, '-') + "\n");
  if (r.two_by_two) {
    // Both lines carry the mark of the corrected p; the uncorrected p is always a number.
    AppendReport(doc, "%d\t%9.6f\tp=%.6f%s\n", r.df, r.uncorrected_statistic, r.uncorrected_p,
                 SignificanceMark(r.p));
    AppendReport(doc, "%d\t%9.6f\t%s\twith Yates' continuity correction\n\n", r.df, r.statistic,
                 PValueWithMark(r.p).c_str());
    AppendReport(doc, "Effect Size phi=%5.6f\n\n", r.effect_size);
  } else {
    AppendReport(doc, "%d\t%9.6f\t%s\n\n", r.df, r.statistic, PValueWithMark(r.p).c_str());
    AppendReport(doc, "Cramer's V=%5.6f\n\n", r.effect_size);
  }
  if (doc.IncludeDataInResult()) ListSelectedCells(doc, block);
}

// ---- Fisher's exact test -----------------------------------------------------------------------

namespace {

// Probabilities of tables with the same margins are compared with a relative tolerance far
// below any printed digit: tables of mathematically equal probability (mirror images under
// symmetric margins, for example) are summed from their log-factorials in different orders and
// can differ in the last bits, and an exact comparison would then drop one of them.
constexpr double kRelativeTolerance = 1e-7;
bool AtMost(double p, double p0) { return p <= p0 * (1 + kRelativeTolerance); }

double Probability(const FisherTable& t) { return FisherTableProbability(t.a, t.b, t.c, t.d); }

bool NonNegative(const FisherTable& t) { return t.a >= 0 && t.b >= 0 && t.c >= 0 && t.d >= 0; }

// 0..3 for a..d: the smallest cell, the first of equal ones.
int SmallestCell(const FisherTable& t) {
  const int cells[4] = {t.a, t.b, t.c, t.d};
  int index = 0;
  for (int k = 1; k < 4; ++k)
    if (cells[k] < cells[index]) index = k;
  return index;
}

}  // namespace

std::vector<FisherTable> FisherEnumeration(const FisherTable& o) {
  const int a = o.a, b = o.b, c = o.c, d = o.d;
  std::vector<FisherTable> tables;
  switch (SmallestCell(o)) {
    case 0:
      for (int i = 0; i <= a + std::min(b, c); ++i) tables.push_back({i, a + b - i, a + c - i, d + i - a});
      break;
    case 1:
      for (int i = 0; i <= b + std::min(a, d); ++i) tables.push_back({a + b - i, i, c + i - b, b + d - i});
      break;
    case 2:
      for (int i = 0; i <= c + std::min(a, d); ++i) tables.push_back({a + c - i, b + i - c, i, c + d - i});
      break;
    default:
      for (int i = 0; i <= d + std::min(b, c); ++i) tables.push_back({a + i - d, b + d - i, c + d - i, i});
      break;
  }
  return tables;
}

FisherResult ComputeFisherExact(const FisherTable& observed) {
  FisherResult result;
  if (!NonNegative(observed) || static_cast<long long>(observed.a) + observed.b + observed.c + observed.d > kFisherMaxTotal) {
    // Not a table of counts the log-factorials cover: no probabilities at all.
    result.observed_probability = result.two_sided_p = result.one_sided_p = std::nan("");
    return result;
  }
  const double p0 = Probability(observed);
  result.observed_probability = p0;
  for (const FisherTable& t : FisherEnumeration(observed)) {
    const double p = Probability(t);
    if (AtMost(p, p0)) result.two_sided_p += p;
  }

  // One-sided: walk from the observed table toward the tail whose first step is no more
  // probable than the observed table. a and d always move together, b and c too.
  const int smallest = SmallestCell(observed);
  const int cells[4] = {observed.a, observed.b, observed.c, observed.d};
  if (cells[smallest] == 0) {
    // Already the extreme table in that direction.
    result.one_sided_p = p0;
    return result;
  }
  const int lower = (smallest == 0 || smallest == 3) ? -1 : +1;  // change of a (and d) that lowers it
  const FisherTable neighbour{observed.a + lower, observed.b - lower, observed.c - lower, observed.d + lower};
  const int step = AtMost(Probability(neighbour), p0) ? lower : -lower;
  for (FisherTable t = observed; NonNegative(t); t = {t.a + step, t.b - step, t.c - step, t.d + step})
    result.one_sided_p += Probability(t);
  return result;
}

void FisherExactReport(CORVELDoc& doc, const CellBlock& block) {
  // Counts (the handler checked); anything else becomes -1, which has no probability.
  const auto cell = [&](int c, int r) {
    const double v = std::trunc(doc.Value(c, r));
    return (v >= 0 && v <= kFisherMaxTotal) ? static_cast<int>(v) : -1;
  };
  const FisherTable observed{cell(block.c1, block.r1), cell(block.c2, block.r1), cell(block.c1, block.r2),
                             cell(block.c2, block.r2)};
  const FisherResult r = ComputeFisherExact(observed);
  AppendReport(doc, "\n<<< Fisher's Exact Test >>>\n\nSelected Cells : C%dR%d-C%dR%d\n\n", block.c1, block.r1,
               block.c2, block.r2);
  AppendReport(doc, "[Two-sided Test]\n%s\n\n", PValueWithMark(r.two_sided_p).c_str());
  AppendReport(doc, "[One-sided Test]\n%s\n\n", PValueWithMark(r.one_sided_p).c_str());
  if (doc.IncludeDataInResult()) ListSelectedCells(doc, block);
}

}  // namespace orvel
