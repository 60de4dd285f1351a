// Fixed tables of critical values: Dunnett's two-sided many-to-one comparison, the Grubbs
// outlier test and the upper points of the studentized range, each at 5% and 1%. A lookup maps
// its df or sample size to a table row without interpolation; arguments outside a table give
// kOutOfRange (-100).
#pragma once

#include <optional>

namespace orvel {

// p = number of treatment groups compared with the control (1..9); df = error df (5 and over).
double DunnettCritical05(int p, int df);
double DunnettCritical01(int p, int df);

// n = sample size (3..1000).
double GrubbsCritical05(int n);
double GrubbsCritical01(int n);

// k = number of means (2..30); df = error df (1 and over; a df between tabulated rows uses the
// next row above it, beyond 120 the row for infinite df).
double StudentizedRange05(int k, int df);
double StudentizedRange01(int k, int df);

// The same lookups for code outside the numeric module: no value (std::nullopt) where the
// tables have no entry, instead of the kOutOfRange sentinel.
namespace checked {
std::optional<double> DunnettCritical05(int p, int df);
std::optional<double> DunnettCritical01(int p, int df);
std::optional<double> GrubbsCritical05(int n);
std::optional<double> GrubbsCritical01(int n);
std::optional<double> StudentizedRange05(int k, int df);
std::optional<double> StudentizedRange01(int k, int df);
}  // namespace checked

}  // namespace orvel
