// The distribution of the studentized range Q(k, v) of k means with v error df, by numerical
// integration. It generates the checked-in 5% and 1% tables (tools/studentized_range_gen.cpp)
// and gives Tukey's critical values for more than 30 means, which the tables do not hold.
//
// Method:
//   P(Q > q; k, v) = integral over s of P(R_k > q s) f_v(s) ds, where R_k is the range of k
//   standard normal values, P(R_k <= w) = k * integral phi(z) (Phi(z) - Phi(z - w))^(k-1) dz,
//   and f_v is the density of s = sqrt(chi-square(v) / v). Substituting w = q s turns the outer
//   integral into one over w in [0, 15] (beyond 15 the range tail is below 1e-9 even for 20000
//   means), whose integrand G_k(w) f_v(w / q) / q is smooth for every v, including the
//   heavy-tailed v = 1 and 2. G_k(w) = P(R_k > w) is tabulated once per k on fixed composite
//   Gauss-Legendre nodes, so each trial q costs one weighted sum; q is found by bisection.
//   For infinite df the tail is G_k(q) itself.
//
// The arithmetic type and the node density are parameters: the table generator works in long
// double on dense nodes (digits to spare for its checks), the reports in double on nodes that
// are accurate to well below the fourth decimal and fast enough to run inside a comparison.
#pragma once

#include <cmath>
#include <cstddef>
#include <numbers>
#include <optional>
#include <vector>

namespace orvel {

// v for infinite error df.
inline constexpr int kStudentizedRangeInfiniteDf = 0;

// The df whose table row a comparison with `df` error df reads: the tabulated df at or above
// it (1 .. 10, 12, 14, 16, 18, 20, 24, 30, 40, 60, 120), kStudentizedRangeInfiniteDf above 120,
// and -1 below 1.
int StudentizedRangeTabulatedDf(int df);

// Upper 5% and 1% points of the studentized range.
struct StudentizedRangePoints {
  double q05 = 0;
  double q01 = 0;
};

// Tukey's critical values for k means and `df` error df, rounded to four decimals like the
// tables: from the tables for k = 2 .. 30, by integration (on the table's df row) for
// k = 31 .. kStudentizedRangeMaxMeans (the rows of the largest sheet, which a block without
// replication may compare; the report nodes stay within 1e-4 of the dense ones up to there).
// No value (std::nullopt) for k < 2, k above the limit, or df < 1.
inline constexpr int kStudentizedRangeMaxMeans = 20000;
std::optional<StudentizedRangePoints> StudentizedRangeCriticals(int k, int df);

// How finely the two integrals are divided.
struct StudentizedRangeNodes {
  int points_per_panel;  // Gauss-Legendre points in each panel
  int z_panels;          // panels over z in [-10.5, 10.5]
  int w_panels;          // panels over w in [0, 15]
};
inline constexpr StudentizedRangeNodes kStudentizedRangeTableNodes{16, 84, 150};
inline constexpr StudentizedRangeNodes kStudentizedRangeReportNodes{8, 24, 30};

template <typename Real>
class StudentizedRangeDistribution {
 public:
  StudentizedRangeDistribution(int k, StudentizedRangeNodes nodes) : k_(k) {
    const Rule rule = MakeGaussLegendre(nodes.points_per_panel);
    z_ = MakeComposite(-10.5L, 10.5L, nodes.z_panels, rule);
    z_density_.reserve(z_.x.size());
    z_lower_.reserve(z_.x.size());
    for (const Real z : z_.x) {
      z_density_.push_back(NormalDensity(z));
      z_lower_.push_back(NormalLower(z));
    }
    w_ = MakeComposite(0, kRangeLimit, nodes.w_panels, rule);
    tail_at_w_.reserve(w_.x.size());
    for (const Real w : w_.x) tail_at_w_.push_back(RangeTail(w));
  }

  int Means() const { return k_; }

  // P(R_k > w): the tail of the range of k standard normal values.
  Real RangeTail(Real w) const {
    if (w <= 0) return 1;
    Real sum = 0;
    for (std::size_t i = 0; i < z_.x.size(); ++i) {
      const Real z = z_.x[i];
      // Phi(z) - Phi(z - w) from whichever tail keeps it accurate.
      const Real inside = z - w / 2 > 0 ? NormalUpper(z - w) - NormalUpper(z) : z_lower_[i] - NormalLower(z - w);
      if (inside <= 0) continue;
      sum += z_.w[i] * z_density_[i] * std::exp(static_cast<Real>(k_ - 1) * std::log(inside));
    }
    return 1 - k_ * sum;
  }

  // P(Q > q) with v error df (kStudentizedRangeInfiniteDf for infinity).
  Real UpperP(Real q, int v) const {
    if (v == kStudentizedRangeInfiniteDf) return RangeTail(q);
    if (q <= 0) return 1;
    Real sum = 0;
    for (std::size_t i = 0; i < w_.x.size(); ++i) {
      const Real s = w_.x[i] / q;
      sum += w_.w[i] * tail_at_w_[i] * std::exp(LogScaleDensity(v, s)) / q;
    }
    return sum;
  }

  // The q with P(Q > q) = alpha.
  Real Quantile(int v, Real alpha) const {
    return SolveUpper([&](Real x) { return UpperP(x, v); }, alpha, 0.25L, 64);
  }

  // Solves tail(x) = alpha for a decreasing tail by bisection on [lo, hi] (hi doubled until the
  // root lies below it).
  template <typename Tail>
  static Real SolveUpper(Tail tail, Real alpha, Real lo, Real hi) {
    for (int i = 0; i < 64 && tail(hi) > alpha; ++i) hi *= 2;
    for (int i = 0; i < 200 && (hi - lo) > Epsilon() * hi; ++i) {
      const Real mid = (lo + hi) / 2;
      if (tail(mid) > alpha) {
        lo = mid;
      } else {
        hi = mid;
      }
    }
    return (lo + hi) / 2;
  }

  static Real NormalUpper(Real x) { return std::erfc(x / std::numbers::sqrt2_v<Real>) / 2; }
  static Real NormalLower(Real x) { return std::erfc(-x / std::numbers::sqrt2_v<Real>) / 2; }

 private:
  static constexpr Real kRangeLimit = 15;

  struct Rule {
    std::vector<Real> nodes;
    std::vector<Real> weights;
  };
  struct Quadrature {
    std::vector<Real> x;
    std::vector<Real> w;
  };

  // The bisection stops at a relative width a few units above the type's rounding.
  static Real Epsilon() { return sizeof(Real) > sizeof(double) ? Real(1e-15L) : Real(1e-13L); }

  // Gauss-Legendre nodes and weights on [-1, 1], by Newton's method on P_n.
  static Rule MakeGaussLegendre(int n) {
    const Real pi = std::numbers::pi_v<Real>;
    Rule rule;
    rule.nodes.resize(static_cast<std::size_t>(n));
    rule.weights.resize(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
      Real x = std::cos(pi * (static_cast<Real>(i) + Real(0.75L)) / (static_cast<Real>(n) + Real(0.5L)));
      Real derivative = 0;
      for (int iteration = 0; iteration < 100; ++iteration) {
        Real p0 = 1;
        Real p1 = x;
        for (int j = 2; j <= n; ++j) {
          const Real p2 = ((2 * j - 1) * x * p1 - (j - 1) * p0) / j;
          p0 = p1;
          p1 = p2;
        }
        derivative = n * (x * p1 - p0) / (x * x - 1);
        const Real step = p1 / derivative;
        x -= step;
        if (std::fabs(step) < Real(1e-30L)) break;
      }
      rule.nodes[static_cast<std::size_t>(i)] = x;
      rule.weights[static_cast<std::size_t>(i)] = 2 / ((1 - x * x) * derivative * derivative);
    }
    return rule;
  }

  // Composite nodes over [a, b] with equal panels.
  static Quadrature MakeComposite(Real a, Real b, int panels, const Rule& rule) {
    Quadrature q;
    const Real width = (b - a) / panels;
    for (int p = 0; p < panels; ++p) {
      const Real mid = a + (static_cast<Real>(p) + Real(0.5L)) * width;
      for (std::size_t i = 0; i < rule.nodes.size(); ++i) {
        q.x.push_back(mid + width / 2 * rule.nodes[i]);
        q.w.push_back(width / 2 * rule.weights[i]);
      }
    }
    return q;
  }

  static Real NormalDensity(Real x) {
    return std::exp(-x * x / 2) / std::sqrt(2 * std::numbers::pi_v<Real>);
  }

  // ln of the density of s = sqrt(chi-square(v) / v).
  static Real LogScaleDensity(int v, Real s) {
    const Real half = static_cast<Real>(v) / 2;
    return std::log(Real{2}) + half * std::log(half) - std::lgamma(half) + (static_cast<Real>(v) - 1) * std::log(s) -
           half * s * s;
  }

  int k_;
  Quadrature z_;
  std::vector<Real> z_density_;
  std::vector<Real> z_lower_;
  Quadrature w_;
  std::vector<Real> tail_at_w_;
};

}  // namespace orvel
