#include "numeric/distributions.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <optional>
#include <vector>

namespace orvel {

namespace {

// The F and t tail series use pi rounded to 3.141592, and 2/pi as 2/3.141592. The printed
// p-values depend on these exact constants.
constexpr double kPiRounded = 3.141592;
constexpr double kTwoOverPiRounded = 0.6366199048125918;

// Quantile bisections halve the bracket this many times.
constexpr int kHalvings = 500;

// Largest frequency table (in reals) an exact rank-test distribution may allocate, and the
// largest number of additions it may spend. Far beyond what the rank tests ask for (the exact
// Mann-Whitney p is used up to 9 values in the smaller group); the limits only keep absurd
// arguments from exhausting memory or time.
constexpr std::int64_t kMaxExactEntries = std::int64_t{1} << 25;
constexpr std::int64_t kMaxExactWork = 2'000'000'000;

// Integer results of real formulas: NaN has no answer; beyond the int range is clamped.
int ClampToInt(double x) {
  if (std::isnan(x)) return static_cast<int>(kOutOfRange);
  if (x >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (x <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(x);
}

// A probability as a routine returns it. The F series' rounded pi leaves its sum up to a few
// 1e-7 outside 0 .. 1 where the true value is at an end. NaN stays NaN.
double ClampProbability(double p) {
  if (p < 0.0) return 0.0;
  if (p > 1.0) return 1.0;
  return p;
}

// The running factor h of the F tail series, held as value * 2^scale so that it may fall far
// below the smallest double and grow back without losing its digits. Scaling by a power of two
// is exact and starts only once h falls below 2^-600, so wherever a plain double h stays in
// range every term, and the sum, is the same bit for bit.
class ScaledFactor {
 public:
  explicit ScaledFactor(double h) : value_(h) {}
  bool IsZero() const { return value_ == 0.0; }
  // The series term 2 h / divisor.
  double TwiceOver(double divisor) const {
    const double term = 2.0 * value_ / divisor;
    return scale_ == 0 ? term : std::ldexp(term, scale_);
  }
  // h = h a b / c, evaluated left to right as the plain series does.
  void Update(double a, double b, double c) {
    value_ = value_ * a * b / c;
    constexpr int kStep = 600;
    const double magnitude = std::fabs(value_);
    if (magnitude != 0.0 && magnitude < 0x1p-600) {
      value_ = std::ldexp(value_, kStep);
      scale_ -= kStep;
    } else if (scale_ < 0 && magnitude > 0x1p600) {
      value_ = std::ldexp(value_, -kStep);
      scale_ += kStep;
    }
  }

 private:
  double value_;
  int scale_ = 0;
};

// Bisection shared by the F and chi-square quantiles. The statistic is parameterised by u in
// (0, 1), decreasing in u, so the upper-tail probability grows with u. After the bracket stops
// moving (a few dozen halvings) every further halving repeats the same trial, so stopping there
// returns exactly what the full 500 halvings return.
template <typename Statistic, typename UpperP>
double BisectUpperQuantile(double p, Statistic statistic, UpperP upper_p) {
  double lower = 0.0;
  double upper = 1.0;
  double trial = 0.5;
  for (int step = 0; step < kHalvings; ++step) {
    const double q = upper_p(statistic(trial));
    if (p > q) {
      lower = trial;
    } else {
      upper = trial;
    }
    const double next = (lower + upper) / 2.0;
    if (next == trial) break;
    trial = next;
  }
  return statistic(trial);
}

// C(n, k) exactly when it is at most 2^53 (so every partial count of the distribution is an
// exact double); 0 when it is larger.
double ExactBinomialOrZero(std::int64_t n, std::int64_t k) {
  constexpr std::uint64_t kLimit = std::uint64_t{1} << 53;
  std::uint64_t r = 1;
  for (std::int64_t i = 1; i <= k; ++i) {
    const auto factor = static_cast<std::uint64_t>(n - k + i);
    // r * factor is divisible by i: it is i * C(n - k + i, i).
    if (r > std::numeric_limits<std::uint64_t>::max() / factor) return 0.0;
    r = r * factor / static_cast<std::uint64_t>(i);
    if (r > kLimit) return 0.0;
  }
  return static_cast<double>(r);
}

// Frequencies f(0..last) of the Mann-Whitney U for sizes s <= l, as the coefficients of the
// Gaussian binomial [s + l choose s](q) = prod_{i=1..s} (1 - q^(l+i)) / (1 - q^i): per factor a
// shifted subtraction and a strided running sum, O(s * last) in all. Alongside, `magnitude`
// bounds every intermediate |value| and `error` bounds the rounding error of each coefficient;
// while magnitudes stay at or below 2^53 the arithmetic is exact integer arithmetic. Returns
// false when the accumulated bound exceeds `relative_tolerance` of the sum of the counts, which
// happens only for large, balanced sizes where the subtractions cancel heavily.
bool GaussianBinomialCounts(int s, int l, std::int64_t last, double relative_tolerance,
                            std::vector<double>& counts) {
  constexpr double kExactLimit = 9007199254740992.0;  // 2^53
  constexpr double kEps = std::numeric_limits<double>::epsilon();
  const auto size = static_cast<std::size_t>(last + 1);
  counts.assign(size, 0.0);
  std::vector<double> magnitude(size, 0.0);
  std::vector<double> error(size, 0.0);
  counts[0] = 1.0;
  magnitude[0] = 1.0;
  auto combine = [&](std::size_t to, std::size_t from, double sign) {
    counts[to] += sign * counts[from];
    magnitude[to] += magnitude[from];
    error[to] += error[from];
    if (magnitude[to] > kExactLimit) error[to] += kEps * magnitude[to];
  };
  // Factors with i > last leave the coefficients up to `last` as they are.
  for (int i = 1; i <= s && i <= last; ++i) {
    const std::int64_t shift = static_cast<std::int64_t>(l) + i;
    for (std::int64_t u = last; u >= shift; --u) {
      combine(static_cast<std::size_t>(u), static_cast<std::size_t>(u - shift), -1.0);
    }
    for (std::int64_t u = i; u <= last; ++u) {
      combine(static_cast<std::size_t>(u), static_cast<std::size_t>(u - i), 1.0);
    }
  }
  double total = 0.0;
  double total_error = 0.0;
  for (std::size_t u = 0; u < size; ++u) {
    total += counts[u];
    total_error += error[u];
  }
  return std::isfinite(total) && total_error <= relative_tolerance * total;
}

// The same frequencies by the recurrence f(a, b, u) = f(a, b - 1, u) + f(a - 1, b, u - b)
// (the largest observation belongs to the second sample, or to the first and then exceeds all
// b values of the second). Only additions of non-negative counts, so no cancellation, but
// O(l * s * last) work.
void RecurrenceCounts(int s, int l, std::int64_t last, std::vector<double>& counts) {
  const auto size = static_cast<std::size_t>(last + 1);
  // row[a] holds f(a, b, 0..last) for the current b; f(a, 0, u) is 1 at u = 0 only.
  std::vector<std::vector<double>> row(static_cast<std::size_t>(s) + 1,
                                       std::vector<double>(size, 0.0));
  for (auto& r : row) r[0] = 1.0;
  // From b > last on, every count at or below `last` is final.
  for (std::int64_t b = 1; b <= std::min<std::int64_t>(l, last); ++b) {
    for (int a = 1; a <= s; ++a) {
      const std::int64_t top = std::min<std::int64_t>(last, a * b);
      auto& current = row[static_cast<std::size_t>(a)];
      const auto& fewer = row[static_cast<std::size_t>(a - 1)];
      for (std::int64_t u = b; u <= top; ++u) {
        current[static_cast<std::size_t>(u)] += fewer[static_cast<std::size_t>(u - b)];
      }
    }
  }
  counts = std::move(row[static_cast<std::size_t>(s)]);
}

// ln k! for k = 0 .. kFisherMaxTotal, built once.
const std::array<double, kFisherMaxTotal + 1>& LogFactorials() {
  static const std::array<double, kFisherMaxTotal + 1> table = [] {
    std::array<double, kFisherMaxTotal + 1> t{};
    t[0] = 0.0;
    for (int i = 1; i <= kFisherMaxTotal; ++i) t[i] = t[i - 1] + std::log(static_cast<double>(i));
    return t;
  }();
  return table;
}

}  // namespace

// ---- Elementary routines -----------------------------------------------------------------

double AbsoluteValue(double x) { return std::fabs(x); }

bool IsNearlyEqual(double a, double b) { return std::fabs(a - b) < 1e-28; }

bool IsInteger(double x) { return x - std::trunc(x) == 0.0; }

int DecimalExponent(double x) {
  // 0 would never leave the multiplying loop, inf never the dividing one.
  if (!std::isfinite(x) || x == 0.0) return 0;
  double v = std::fabs(x);
  int exponent = 0;
  if (v >= 1.0) {
    while (v >= 1.0) {
      v /= 10.0;
      ++exponent;
    }
  } else {
    while (v < 1.0) {
      v *= 10.0;
      --exponent;
    }
  }
  return exponent;
}

namespace {

// C(a, b) for arguments beyond the int range (sums of two sample sizes).
double WideBinomialCoefficient(std::int64_t a, std::int64_t b) {
  if (b < 0 || a < b || a < 0) return 0.0;
  if (b == 0 || b == a) return 1.0;
  const std::int64_t k = std::min(b, a - b);
  double r = 1.0;
  for (std::int64_t i = 0; i < k; ++i) {
    r *= static_cast<double>(a - i) / static_cast<double>(i + 1);
    if (std::isinf(r)) break;  // every later factor is at least 1
  }
  return r;
}

}  // namespace

double BinomialCoefficient(int a, int b) { return WideBinomialCoefficient(a, b); }

int RoundToNearest(double x) {
  if (std::isnan(x)) return 0;
  const double whole = std::trunc(x);
  const double fraction = x - whole;
  double nearest = whole;
  if (fraction >= 0.5) {
    nearest = whole + 1.0;
  } else if (fraction < -0.5) {
    nearest = whole - 1.0;
  }
  if (nearest >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (nearest <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(nearest);
}

// ---- Tail probabilities ------------------------------------------------------------------

double NormalUpperP(double z) {
  // Abramowitz-Stegun 26.2.19.
  constexpr double d1 = 0.049867347;
  constexpr double d2 = 0.0211410061;
  constexpr double d3 = 0.0032776263;
  constexpr double d4 = 0.0000380036;
  constexpr double d5 = 0.0000488906;
  constexpr double d6 = 0.000005383;
  const double w = std::fabs(z);
  const double s = 1.0 + w * (d1 + w * (d2 + w * (d3 + w * (d4 + w * (d5 + w * d6)))));
  const double tail = std::pow(s, -16.0) / 2.0;
  return z > 0.0 ? tail : 1.0 - tail;
}

double FUpperP(int df1, int df2, double f) {
  if (df1 < 1 || df2 < 1) return kOutOfRange;
  if (f < 0.0) f = 0.0;
  const std::int64_t m = df1;
  const std::int64_t n = df2;
  const double d = static_cast<double>(n) / (static_cast<double>(n) + static_cast<double>(m) * f);
  const bool m_odd = (m % 2) != 0;
  const bool n_odd = (n % 2) != 0;
  double p = 0.0;
  double h0 = 0.0;
  if (m_odd && n_odd) {
    p = 1.0 - kTwoOverPiRounded * std::atan(std::sqrt(1.0 / d - 1.0));
    h0 = std::sqrt(d * (1.0 - d)) / kPiRounded;
  } else if (!m_odd && n_odd) {
    p = std::sqrt(d);
    h0 = (1.0 - d) * std::sqrt(d) / 2.0;
  } else if (m_odd && !n_odd) {
    p = 1.0 - std::sqrt(1.0 - d);
    h0 = d * std::sqrt(1.0 - d) / 2.0;
  } else {
    p = d;
    h0 = d * (1.0 - d);
  }
  const std::int64_t i0 = m_odd ? 1 : 2;
  const std::int64_t j0 = n_odd ? 1 : 2;
  // With both df in the thousands the first series drives h far below the smallest double
  // (about d^(n/2)) before the second series multiplies it back up to terms of order 1; a plain
  // double underflows to 0 on the way and the tail is lost. ScaledFactor keeps its digits.
  ScaledFactor h(h0);
  // With m <= 2 nothing follows the first series. Its terms 2h/j never grow (the ratio of two
  // successive ones is (i0 + j) d / (j + 2) <= 1), so once a term is below half the gap from p to
  // the next double below it, no later subtraction can change p: stopping there gives the same p.
  // With a large t and a huge df2 the terms die out long before j reaches df2; otherwise the
  // loop costs one step per two df (a few milliseconds for millions of df).
  const bool last_series = m <= 2 && d >= 0.0 && d <= 1.0;
  // The gap below any p is at least |p| 2^-53, so a term under |p| 2^-54 is under half of it.
  constexpr double kHalfGapBound = 0x1p-54;
  std::int64_t j = j0;
  for (; j < n; j += 2) {
    // Once h is 0 every later term is 0 too.
    if (h.IsZero()) return ClampProbability(p);
    const double term = h.TwiceOver(static_cast<double>(j));
    if (last_series && term < std::fabs(p) * kHalfGapBound) return ClampProbability(p);
    p -= term;
    h.Update(static_cast<double>(i0 + j), d, static_cast<double>(j));
  }
  for (std::int64_t i = i0; i < m; i += 2) {
    if (h.IsZero()) return ClampProbability(p);
    p += h.TwiceOver(static_cast<double>(i));
    h.Update(static_cast<double>(j + i), 1.0 - d, static_cast<double>(i));
  }
  return ClampProbability(p);
}

double TUpperP(int df, double t) {
  if (df < 1) return kOutOfRange;
  const double q = FUpperP(1, df, t * t);
  return t > 0.0 ? q / 2.0 : 1.0 - q / 2.0;
}

double ChiSquareUpperP(int df, double x) {
  if (df < 1) return kOutOfRange;
  if (x < 0.0) x = 0.0;
  const int v = df;
  if (v > 40) {
    // Wilson-Hilferty.
    const double nine_v = 9.0 * v;
    const double z = (std::pow(x / v, 1.0 / 3.0) - (1.0 - 2.0 / nine_v)) / std::sqrt(2.0 / nine_v);
    return NormalUpperP(z);
  }
  const double s = std::sqrt(x);
  const double damping = std::exp(-x / 2.0);
  if (v % 2 != 0) {
    const double normal_part = 2.0 * NormalUpperP(s);
    // For a huge x the factor below underflows to 0 while the sum may overflow; the series part
    // is 0 then.
    if (damping == 0.0) return normal_part;
    double sum = 0.0;
    double term = s;  // s^i / (1 x 3 x ... x i) for i = 1
    for (int i = 1; i <= v - 2; i += 2) {
      sum += term;
      term *= x / (i + 2);
    }
    return normal_part + std::sqrt(kTwoOverPiRounded) * damping * sum;
  }
  if (damping == 0.0) return 0.0;
  double c = 1.0;
  double term = 1.0;  // s^i / (2 x 4 x ... x i)
  for (int i = 2; i <= v - 2; i += 2) {
    term *= x / i;
    c += term;
  }
  return damping * c;
}

// ---- Quantiles ---------------------------------------------------------------------------

double NormalQuantile(double p) {
  if (!(p > 0.0 && p < 1.0)) return kOutOfRange;
  // The Abramowitz-Stegun rational approximation with 2.30753 / 0.27061 / 0.99229 / 0.04481
  // (26.2.22, good to 3e-3), for the smaller tail.
  const double tail = p <= 0.5 ? p : 1.0 - p;
  const double square = tail * tail;
  // ln(1/p^2); once p^2 underflows the same value is -2 ln p.
  const double log_term = (square > 0.0 && std::isfinite(1.0 / square)) ? std::log(1.0 / square)
                                                                        : -2.0 * std::log(tail);
  const double t = std::sqrt(log_term);
  const double z = t - (2.30753 + 0.27061 * t) / (1.0 + 0.99229 * t + 0.04481 * t * t);
  return p <= 0.5 ? z : -z;
}

double TQuantile(int df, double p) {
  if (df < 1) return kOutOfRange;
  const double z = NormalQuantile(p);
  if (IsNearlyEqual(z, kOutOfRange)) return kOutOfRange;
  // The expansion below is 5% short at 1 df (12.05 for 12.71 at p = 0.025) and 1% at 2 df;
  // there the distribution has closed forms, which are exact.
  if (df == 1) return std::tan(std::numbers::pi * (0.5 - p));
  if (df == 2) return (1.0 - 2.0 * p) / std::sqrt(2.0 * p * (1.0 - p));
  // Cornish-Fisher expansion, Abramowitz-Stegun 26.7.5.
  const double n = df;
  const double z2 = z * z;
  const double z3 = z2 * z;
  const double z5 = z3 * z2;
  const double z7 = z5 * z2;
  const double z9 = z7 * z2;
  const double z11 = z9 * z2;
  return z + (z3 + z) / (4.0 * n) + (5.0 * z5 + 16.0 * z3 + 3.0 * z) / (96.0 * n * n) +
         (3.0 * z7 + 19.0 * z5 + 17.0 * z3 - 15.0 * z) / (384.0 * n * n * n) +
         (79.0 * z9 + 776.0 * z7 + 1482.0 * z5 - 1920.0 * z3 - 945.0 * z) /
             (92160.0 * n * n * n * n) +
         (27.0 * z11 + 339.0 * z9 + 930.0 * z7 - 1782.0 * z5 - 765.0 * z3 + 17955.0 * z) /
             (368640.0 * n * n * n * n * n);
}

// ---- Domain-checked forms -----------------------------------------------------------------

std::optional<double> checked::FUpperP(int df1, int df2, double f) {
  if (df1 < 1 || df2 < 1) return std::nullopt;
  return orvel::FUpperP(df1, df2, f);
}

std::optional<double> checked::TUpperP(int df, double t) {
  if (df < 1) return std::nullopt;
  return orvel::TUpperP(df, t);
}

std::optional<double> checked::ChiSquareUpperP(int df, double x) {
  if (df < 1) return std::nullopt;
  return orvel::ChiSquareUpperP(df, x);
}

std::optional<double> checked::TQuantile(int df, double p) {
  // A t quantile may itself be -100 (1 df, p near 0.9968), so the domain decides, not the value.
  if (df < 1 || !(p > 0.0 && p < 1.0)) return std::nullopt;
  return orvel::TQuantile(df, p);
}

double FQuantile(int df1, int df2, double p) {
  if (!(p >= 0.0 && p <= 1.0)) return kOutOfRange;
  if (df1 < 1 || df2 < 1) return kOutOfRange;
  const double m = df1;
  const double n = df2;
  auto bisect = [&] {
    return BisectUpperQuantile(
        p, [&](double u) { return m * (1.0 / u - 1.0) / n; },
        [&](double f) { return FUpperP(df1, df2, f); });
  };
  if (df1 < 31 || df2 < 31) return bisect();
  // Paulson's approximation. At p = 0 or 1, or so far out in the tail that the formula has
  // no real value, the bisection answers instead.
  const double z = NormalQuantile(p);
  if (IsNearlyEqual(z, kOutOfRange)) return bisect();
  const double a = 2.0 / (9.0 * m);
  const double b = 2.0 / (9.0 * n);
  const double radicand = b * (1.0 - a) * (1.0 - a) + a * (1.0 - b) * (1.0 - b) - z * z * a * b;
  const double denominator = (1.0 - b) * (1.0 - b) - z * z * b;
  if (radicand < 0.0 || denominator <= 0.0) return bisect();
  const double r = (z * std::sqrt(radicand) + (1.0 - a) * (1.0 - b)) / denominator;
  return r * r * r;
}

double ChiSquareQuantile(int df, double p) {
  if (df < 1) return kOutOfRange;
  if (!(p >= 0.0 && p <= 1.0)) return kOutOfRange;
  if (df == 1) {
    // No finite point has an upper tail of 0.
    if (p == 0.0) return std::numeric_limits<double>::infinity();
    const double z = NormalQuantile(p / 2.0);
    return z * z;
  }
  if (df == 2) return -2.0 * std::log(p);
  return BisectUpperQuantile(
      p, [](double u) { return 1.0 / u - 1.0; },
      [df](double x) { return ChiSquareUpperP(df, x); });
}

// ---- Exact null distributions ------------------------------------------------------------

std::optional<double> checked::MannWhitneyExactP(int m, int n, int u) {
  if (m < 1 || n < 1) return std::nullopt;
  const std::int64_t mn = static_cast<std::int64_t>(m) * n;
  if (u < 0 || u > mn) return 0.0;
  // The distribution of U is symmetric about mn/2 and the same for (m, n) and (n, m). Only the
  // counts up to the nearer end are computed: P(U <= u) = 1 - P(U <= mn - u - 1).
  const int s = std::min(m, n);
  const int l = std::max(m, n);
  const bool from_top = 2 * static_cast<std::int64_t>(u) > mn;
  const std::int64_t last = from_top ? mn - u - 1 : u;
  if (last + 1 > kMaxExactEntries || static_cast<std::int64_t>(s) * (last + 1) > kMaxExactWork) {
    return std::nullopt;
  }
  std::vector<double> counts;
  if (last >= 0) {
    constexpr double kTolerance = 1e-10;
    if (!GaussianBinomialCounts(s, l, last, kTolerance, counts)) {
      const double work = static_cast<double>(l) * s * static_cast<double>(last + 1);
      if (static_cast<double>(s + 1) * static_cast<double>(last + 1) >
              static_cast<double>(kMaxExactEntries) ||
          work > static_cast<double>(kMaxExactWork)) {
        return std::nullopt;
      }
      RecurrenceCounts(s, l, last, counts);
    }
  }
  double sum = 0.0;
  for (const double c : counts) sum += c;
  const double total = WideBinomialCoefficient(static_cast<std::int64_t>(m) + n, n);
  if (!from_top) return 2.0 * sum / total;
  // While the counts are exact integers the complement is the exact count below u, so the
  // result is bit for bit 2 (f(0) + ... + f(u)) / C(m + n, n).
  const double exact_total = ExactBinomialOrZero(static_cast<std::int64_t>(m) + n, s);
  if (exact_total > 0.0) return 2.0 * (exact_total - sum) / total;
  return 2.0 * (total - sum) / total;
}

double MannWhitneyExactP(int m, int n, int u) {
  return checked::MannWhitneyExactP(m, n, u).value_or(kOutOfRange);
}

std::optional<double> checked::SignedRankExactP(int n, int t) {
  if (n < 0) return std::nullopt;
  const std::int64_t top = static_cast<std::int64_t>(n) * (n + 1) / 2;
  const std::int64_t last = std::clamp<std::int64_t>(t, 0, top);
  if (last + 1 > kMaxExactEntries ||
      static_cast<double>(n) * static_cast<double>(last + 1) > static_cast<double>(kMaxExactWork)) {
    return std::nullopt;
  }
  // g holds the counts times 2^-i after the first i ranks: halving is exact, so the result
  // equals 2 * 2^-n * (sum of counts) bit for bit, and nothing overflows for large n.
  // Counts above `last` never feed the ones at or below it, so they are not kept.
  std::vector<double> g(static_cast<std::size_t>(last + 1), 0.0);
  g[0] = 1.0;
  std::int64_t reached = 0;  // 1 + 2 + ... + (i - 1), capped at last
  for (std::int64_t i = 1; i <= n; ++i) {
    for (std::int64_t j = reached; j >= 0; --j) {
      const std::int64_t k = j + i;
      if (k <= last) g[static_cast<std::size_t>(k)] += g[static_cast<std::size_t>(j)];
    }
    for (std::int64_t j = 0; j <= std::min(reached + i, last); ++j) {
      g[static_cast<std::size_t>(j)] /= 2.0;
    }
    reached = std::min(reached + i, last);
  }
  double sum = 0.0;
  for (const double c : g) sum += c;
  return 2.0 * sum;
}

double SignedRankExactP(int n, int t) { return checked::SignedRankExactP(n, t).value_or(kOutOfRange); }

double FisherTableProbability(int a, int b, int c, int d) {
  if (a < 0 || b < 0 || c < 0 || d < 0) return kOutOfRange;
  const std::int64_t total = static_cast<std::int64_t>(a) + b + c + d;
  if (total > kFisherMaxTotal) return kOutOfRange;
  const auto& L = LogFactorials();
  return std::exp(L[a + b] + L[a + c] + L[b + d] + L[c + d] - L[a] - L[b] - L[c] - L[d] -
                  L[static_cast<std::size_t>(total)]);
}

// ---- Power and sample size ---------------------------------------------------------------

std::optional<double> checked::PairedPower(double delta, double sigma, double alpha, int n) {
  if (n < 2) return std::nullopt;
  const std::optional<double> critical = checked::TQuantile(n - 1, alpha / 2.0);
  if (!critical) return std::nullopt;
  return 1.0 - orvel::TUpperP(n - 1, std::sqrt(static_cast<double>(n)) * std::fabs(delta) / sigma -
                                  *critical);
}

std::optional<double> checked::TwoSamplePower(double delta, double sigma, double alpha, int nx, int ny) {
  const double m = (static_cast<double>(nx) + static_cast<double>(ny)) / 2.0;
  const double df_real = std::trunc(2.0 * m - 2.0);
  if (!(df_real >= 1.0)) return std::nullopt;
  const int df = ClampToInt(df_real);
  const std::optional<double> critical = checked::TQuantile(df, alpha / 2.0);
  if (!critical) return std::nullopt;
  return 1.0 - orvel::TUpperP(df, std::sqrt(m / 2.0) * std::fabs(delta) / sigma - *critical);
}

double PairedPower(double delta, double sigma, double alpha, int n) {
  return checked::PairedPower(delta, sigma, alpha, n).value_or(kOutOfRange);
}

double TwoSamplePower(double delta, double sigma, double alpha, int nx, int ny) {
  return checked::TwoSamplePower(delta, sigma, alpha, nx, ny).value_or(kOutOfRange);
}

namespace {

// Shared body of the two t-test sample sizes: a normal-theory start, then ten refinements
// with t quantiles; the largest size seen is the answer. `groups` is 1 for pairs and 2 for two
// independent groups (which doubles the size and uses df = 2n - 2).
std::optional<int> TTestSampleSize(double delta, double sigma, double alpha, double beta, int groups) {
  const double z_alpha = NormalQuantile(alpha / 2.0);
  const double z_beta = NormalQuantile(beta);
  if (IsNearlyEqual(z_alpha, kOutOfRange) || IsNearlyEqual(z_beta, kOutOfRange)) return std::nullopt;
  const double ratio = (sigma / delta) * (sigma / delta);
  const double start = std::trunc(groups * (z_alpha + z_beta) * (z_alpha + z_beta) * ratio);
  if (std::isnan(start)) return std::nullopt;
  int n = ClampToInt(start);
  int largest = n;
  for (int step = 0; step < 10; ++step) {
    // A t quantile needs at least 1 df; a start below the smallest usable size (2) would
    // otherwise feed the -100 sentinel into the formula.
    const std::int64_t df_wide = static_cast<std::int64_t>(groups) * std::max(n, 2) - groups;
    const int df = static_cast<int>(std::min<std::int64_t>(df_wide, INT_MAX));
    const double t_sum = TQuantile(df, alpha / 2.0) + TQuantile(df, beta);
    const double next = std::ceil(groups * t_sum * t_sum * ratio);
    if (std::isnan(next)) break;
    n = ClampToInt(next);
    largest = std::max(largest, n);
  }
  return largest;
}

}  // namespace

std::optional<int> checked::PairedSampleSize(double delta, double sigma, double alpha, double beta) {
  return TTestSampleSize(delta, sigma, alpha, beta, 1);
}

std::optional<int> checked::TwoSampleSampleSize(double delta, double sigma, double alpha, double beta) {
  return TTestSampleSize(delta, sigma, alpha, beta, 2);
}

int PairedSampleSize(double delta, double sigma, double alpha, double beta) {
  return TTestSampleSize(delta, sigma, alpha, beta, 1).value_or(static_cast<int>(kOutOfRange));
}

int TwoSampleSampleSize(double delta, double sigma, double alpha, double beta) {
  return TTestSampleSize(delta, sigma, alpha, beta, 2).value_or(static_cast<int>(kOutOfRange));
}

int MannWhitneySampleSize(double p, double alpha, double beta, int nx, int ny) {
  const double z_alpha = NormalQuantile(alpha / 2.0);
  const double z_beta = NormalQuantile(beta);
  if (IsNearlyEqual(z_alpha, kOutOfRange) || IsNearlyEqual(z_beta, kOutOfRange)) {
    return static_cast<int>(kOutOfRange);
  }
  // Noether's formula.
  const double c = static_cast<double>(nx) / (static_cast<double>(nx) + static_cast<double>(ny));
  if (IsNearlyEqual(p, 0.5)) p = 0.50001;
  const double z_sum = z_alpha + z_beta;
  return ClampToInt(std::trunc(z_sum * z_sum / (12.0 * c * (1.0 - c) * (p - 0.5) * (p - 0.5))));
}

int SignedRankSampleSize(double p, double alpha, double beta) {
  const double z_alpha = NormalQuantile(alpha / 2.0);
  const double z_beta = NormalQuantile(beta);
  if (IsNearlyEqual(z_alpha, kOutOfRange) || IsNearlyEqual(z_beta, kOutOfRange)) {
    return static_cast<int>(kOutOfRange);
  }
  if (IsNearlyEqual(p, 0.5)) p = 0.50001;
  const double z_sum = z_alpha + z_beta;
  return ClampToInt(std::trunc(z_sum * z_sum / (3.0 * (p - 0.5) * (p - 0.5))));
}

}  // namespace orvel
