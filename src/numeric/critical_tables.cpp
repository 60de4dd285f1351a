#include "numeric/critical_tables.h"

#include <array>
#include <cstddef>
#include <iterator>
#include <optional>

#include "numeric/distributions.h"

namespace orvel {

namespace {

// ---- Dunnett, two-sided, columns p = 1 .. 9 ----------------------------------------------
// Rows: df 5 .. 20, then 21-24, 25-30, 31-40, 41-60, 61-120, 121 and over.
constexpr int kDunnettRows = 22;
constexpr int kDunnettColumns = 9;
using DunnettTable = std::array<std::array<double, kDunnettColumns>, kDunnettRows>;

constexpr DunnettTable kDunnett05 = {{
    {2.57, 3.03, 3.39, 3.66, 3.88, 4.06, 4.22, 4.36, 4.49},
    {2.45, 2.86, 3.18, 3.41, 3.60, 3.75, 3.88, 4.00, 4.11},
    {2.36, 2.75, 3.04, 3.24, 3.41, 3.54, 3.66, 3.76, 3.86},
    {2.31, 2.67, 2.94, 3.13, 3.28, 3.40, 3.51, 3.60, 3.68},
    {2.26, 2.61, 2.86, 3.04, 3.18, 3.29, 3.39, 3.48, 3.55},
    {2.23, 2.57, 2.81, 2.97, 3.11, 3.21, 3.31, 3.39, 3.46},
    {2.20, 2.53, 2.76, 2.92, 3.05, 3.15, 3.24, 3.31, 3.38},
    {2.18, 2.50, 2.72, 2.88, 3.00, 3.10, 3.18, 3.25, 3.32},
    {2.16, 2.48, 2.69, 2.84, 2.96, 3.06, 3.14, 3.21, 3.27},
    {2.14, 2.46, 2.67, 2.81, 2.93, 3.02, 3.10, 3.17, 3.23},
    {2.13, 2.44, 2.64, 2.79, 2.90, 2.99, 3.07, 3.13, 3.19},
    {2.12, 2.42, 2.63, 2.77, 2.88, 2.96, 3.04, 3.10, 3.16},
    {2.11, 2.41, 2.61, 2.75, 2.85, 2.94, 3.01, 3.08, 3.13},
    {2.10, 2.40, 2.59, 2.73, 2.84, 2.92, 2.99, 3.05, 3.11},
    {2.09, 2.39, 2.58, 2.72, 2.82, 2.90, 2.97, 3.04, 3.09},
    {2.09, 2.38, 2.57, 2.70, 2.81, 2.89, 2.96, 3.02, 3.07},
    {2.06, 2.35, 2.53, 2.66, 2.76, 2.84, 2.91, 2.96, 3.01},
    {2.04, 2.32, 2.50, 2.62, 2.72, 2.79, 2.86, 2.91, 2.96},
    {2.02, 2.29, 2.47, 2.58, 2.67, 2.75, 2.81, 2.86, 2.90},
    {2.00, 2.27, 2.43, 2.55, 2.63, 2.70, 2.76, 2.81, 2.85},
    {1.98, 2.24, 2.40, 2.51, 2.59, 2.66, 2.71, 2.76, 2.80},
    {1.96, 2.21, 2.37, 2.47, 2.55, 2.62, 2.67, 2.71, 2.75},
}};

constexpr DunnettTable kDunnett01 = {{
    {4.03, 4.63, 5.09, 5.44, 5.73, 5.97, 6.18, 6.36, 6.53},
    {3.71, 4.22, 4.60, 4.88, 5.11, 5.30, 5.47, 5.61, 5.74},
    {3.50, 3.95, 4.28, 4.52, 4.71, 4.87, 5.01, 5.13, 5.24},
    {3.36, 3.77, 4.06, 4.27, 4.44, 4.58, 4.70, 4.81, 4.90},
    {3.25, 3.63, 3.90, 4.09, 4.24, 4.37, 4.48, 4.57, 4.65},
    {3.17, 3.53, 3.78, 3.95, 4.10, 4.21, 4.31, 4.40, 4.47},
    {3.11, 3.45, 3.68, 3.85, 3.98, 4.09, 4.18, 4.26, 4.33},
    {3.05, 3.39, 3.61, 3.76, 3.89, 3.99, 4.08, 4.15, 4.22},
    {3.01, 3.33, 3.54, 3.69, 3.81, 3.91, 3.99, 4.06, 4.13},
    {2.98, 3.29, 3.49, 3.64, 3.75, 3.84, 3.92, 3.99, 4.05},
    {2.95, 3.25, 3.45, 3.59, 3.70, 3.79, 3.86, 3.93, 3.99},
    {2.92, 3.22, 3.41, 3.55, 3.65, 3.74, 3.82, 3.88, 3.93},
    {2.90, 3.19, 3.38, 3.51, 3.62, 3.70, 3.77, 3.83, 3.89},
    {2.88, 3.17, 3.35, 3.48, 3.58, 3.67, 3.74, 3.80, 3.85},
    {2.86, 3.15, 3.33, 3.46, 3.55, 3.64, 3.70, 3.76, 3.81},
    {2.85, 3.13, 3.31, 3.43, 3.53, 3.61, 3.67, 3.73, 3.78},
    {2.80, 3.07, 3.24, 3.36, 3.45, 3.52, 3.58, 3.64, 3.69},
    {2.75, 3.01, 3.17, 3.28, 3.37, 3.44, 3.50, 3.55, 3.59},
    {2.70, 2.95, 3.10, 3.21, 3.29, 3.36, 3.41, 3.46, 3.50},
    {2.66, 2.90, 3.04, 3.14, 3.22, 3.28, 3.33, 3.38, 3.42},
    {2.62, 2.84, 2.98, 3.08, 3.15, 3.21, 3.25, 3.30, 3.33},
    {2.58, 2.79, 2.92, 3.01, 3.08, 3.14, 3.18, 3.22, 3.25},
}};

// A value left out of a row would be zero-filled.
constexpr bool AllPositive(const DunnettTable& table) {
  for (const auto& row : table) {
    for (const double v : row) {
      if (!(v > 0.0)) return false;
    }
  }
  return true;
}
static_assert(AllPositive(kDunnett05) && AllPositive(kDunnett01));

// Row of the Dunnett tables for an error df; -1 below df 5.
int DunnettRow(int df) {
  if (df < 5) return -1;
  if (df <= 20) return df - 5;
  if (df <= 24) return 16;
  if (df <= 30) return 17;
  if (df <= 40) return 18;
  if (df <= 60) return 19;
  if (df <= 120) return 20;
  return 21;
}

std::optional<double> DunnettLookup(const DunnettTable& table, int p, int df) {
  const int row = DunnettRow(df);
  if (row < 0 || p < 1 || p > kDunnettColumns) return std::nullopt;
  return table[static_cast<std::size_t>(row)][static_cast<std::size_t>(p - 1)];
}

// ---- Grubbs ------------------------------------------------------------------------------
// One value for each n = 3 .. 50, one for each band of 5 from 51-55 to 96-100, one for each
// band of 50 from 101-150 to 951-1000.
constexpr int kGrubbsSingles = 48;
constexpr int kGrubbsBandsOf5 = 10;
constexpr int kGrubbsBandsOf50 = 18;
constexpr std::size_t kGrubbsValues = kGrubbsSingles + kGrubbsBandsOf5 + kGrubbsBandsOf50;
using GrubbsTable = double[kGrubbsValues];

constexpr double kGrubbs01[] = {
    // n = 3 .. 50
    1.155, 1.493, 1.749, 1.944, 2.097, 2.221, 2.323, 2.410, 2.484, 2.549, 2.607, 2.658, 2.705,
    2.747, 2.785, 2.821, 2.853, 2.884, 2.912, 2.939, 2.963, 2.987, 3.009, 3.029, 3.049, 3.068,
    3.086, 3.103, 3.119, 3.135, 3.150, 3.164, 3.178, 3.191, 3.204, 3.216, 3.228, 3.239, 3.251,
    3.261, 3.272, 3.282, 3.292, 3.301, 3.310, 3.319, 3.328, 3.337,
    // 51-55 .. 96-100
    3.38, 3.41, 3.44, 3.47, 3.50, 3.52, 3.54, 3.56, 3.58, 3.60,
    // 101-150 .. 951-1000
    3.73, 3.82, 3.89, 3.94, 3.98, 4.02, 4.05, 4.07, 4.10, 4.12, 4.14, 4.16, 4.18, 4.19, 4.21,
    4.22, 4.23, 4.25};

constexpr double kGrubbs05[] = {
    // n = 3 .. 50
    1.153, 1.462, 1.671, 1.822, 1.938, 2.032, 2.110, 2.176, 2.234, 2.285, 2.331, 2.372, 2.409,
    2.443, 2.475, 2.504, 2.531, 2.557, 2.580, 2.603, 2.624, 2.644, 2.663, 2.681, 2.698, 2.714,
    2.730, 2.745, 2.759, 2.773, 2.786, 2.799, 2.811, 2.823, 2.834, 2.845, 2.856, 2.867, 2.877,
    2.886, 2.896, 2.905, 2.914, 2.923, 2.931, 2.940, 2.948, 2.956,
    // 51-55 .. 96-100
    2.99, 3.03, 3.05, 3.08, 3.11, 3.13, 3.15, 3.17, 3.19, 3.21,
    // 101-150 .. 951-1000
    3.34, 3.43, 3.49, 3.55, 3.59, 3.63, 3.66, 3.69, 3.72, 3.74, 3.76, 3.78, 3.80, 3.81, 3.83,
    3.84, 3.86, 3.87};

// A value left out of a list would shift every later band.
static_assert(std::size(kGrubbs01) == kGrubbsValues && std::size(kGrubbs05) == kGrubbsValues);

std::optional<double> GrubbsLookup(const GrubbsTable& table, int n) {
  if (n < 3 || n > 1000) return std::nullopt;
  int index = 0;
  if (n <= 50) {
    index = n - 3;
  } else if (n <= 100) {
    index = kGrubbsSingles + (n - 51) / 5;
  } else {
    index = kGrubbsSingles + kGrubbsBandsOf5 + (n - 101) / 50;
  }
  return table[index];
}

// ---- Studentized range -------------------------------------------------------------------
// kStudentizedRange05 / kStudentizedRange01 [row][k - 2], rows for df 1 .. 10, 12, 14, 16, 18,
// 20, 24, 30, 40, 60, 120 and infinity. Generated by tools/studentized_range_gen.cpp.
#include "numeric/studentized_range_table.inc"

// Row of the studentized range tables: the tabulated df at or above df; -1 below df 1.
int StudentizedRangeRow(int df) {
  if (df < 1) return -1;
  if (df <= 10) return df - 1;
  if (df <= 20) return 10 + (df - 11) / 2;  // 11-12, 13-14, ..., 19-20
  if (df <= 24) return 15;
  if (df <= 30) return 16;
  if (df <= 40) return 17;
  if (df <= 60) return 18;
  if (df <= 120) return 19;
  return 20;
}

std::optional<double> StudentizedRangeLookup(
    const double (&table)[kStudentizedRangeRows][kStudentizedRangeMeans], int k, int df) {
  const int row = StudentizedRangeRow(df);
  if (row < 0 || k < 2 || k > 30) return std::nullopt;
  return table[row][k - 2];
}

}  // namespace

namespace checked {

std::optional<double> DunnettCritical05(int p, int df) { return DunnettLookup(kDunnett05, p, df); }
std::optional<double> DunnettCritical01(int p, int df) { return DunnettLookup(kDunnett01, p, df); }

std::optional<double> GrubbsCritical05(int n) { return GrubbsLookup(kGrubbs05, n); }
std::optional<double> GrubbsCritical01(int n) { return GrubbsLookup(kGrubbs01, n); }

std::optional<double> StudentizedRange05(int k, int df) {
  return StudentizedRangeLookup(kStudentizedRange05, k, df);
}
std::optional<double> StudentizedRange01(int k, int df) {
  return StudentizedRangeLookup(kStudentizedRange01, k, df);
}

}  // namespace checked

double DunnettCritical05(int p, int df) { return checked::DunnettCritical05(p, df).value_or(kOutOfRange); }
double DunnettCritical01(int p, int df) { return checked::DunnettCritical01(p, df).value_or(kOutOfRange); }

double GrubbsCritical05(int n) { return checked::GrubbsCritical05(n).value_or(kOutOfRange); }
double GrubbsCritical01(int n) { return checked::GrubbsCritical01(n).value_or(kOutOfRange); }

double StudentizedRange05(int k, int df) { return checked::StudentizedRange05(k, df).value_or(kOutOfRange); }
double StudentizedRange01(int k, int df) { return checked::StudentizedRange01(k, df).value_or(kOutOfRange); }

}  // namespace orvel
