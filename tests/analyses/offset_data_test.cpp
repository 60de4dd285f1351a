// The two-sample procedures read their means and spreads from the column statistics: adding
// the same large constant to every value must leave every statistic but the means alone, and
// columns of one repeated value have no spread at all.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "analyses/outlier.h"
#include "analyses/two_sample.h"
#include "sheet/orvel_doc.h"
#include "sheet/row_view.h"

namespace orvel {
namespace {

// Column 1 and 2: 40 and 37 values with 4 decimals, shifted by `offset` (written as text, as a
// user would type them).
void FillGroups(CORVELDoc& doc, long long offset) {
  for (int r = 1; r <= 40; ++r) {
    const int a = 5000 + (r * 7919) % 2000, b = 5400 + (r * 104729) % 2300;
    doc.SetCell(1, r, std::to_string(offset + a / 10000) + "." + std::to_string(10000 + a % 10000).substr(1));
    if (r <= 37) doc.SetCell(2, r, std::to_string(offset + b / 10000) + "." + std::to_string(10000 + b % 10000).substr(1));
  }
  doc.SetTwoGroupX(1);
  doc.SetTwoGroupY(2);
}

void ExpectRelativelyNear(double a, double b, double tolerance) {
  EXPECT_NEAR(a, b, tolerance * std::fabs(b));
}

TEST(OffsetData, TwoSampleResultsDoNotDependOnTheOffset) {
  CORVELDoc plain;
  FillGroups(plain, 0);
  // The largest offset leaves about 3 digits of each value's spread in a double.
  const struct {
    long long offset;
    double tolerance;
  } cases[] = {{1000, 1e-6}, {123456789, 1e-6}, {98765432109, 1e-2}};
  for (const auto& [offset, tolerance] : cases) {
    SCOPED_TRACE(offset);
    CORVELDoc far;
    FillGroups(far, offset);
    const FTestResult f0 = ComputeFTest(plain), f1 = ComputeFTest(far);
    ExpectRelativelyNear(f1.f, f0.f, tolerance);
    ExpectRelativelyNear(f1.two_sided_p, f0.two_sided_p, 10 * tolerance);
    const UnpairedTTestResult t0 = ComputeUnpairedTTest(plain), t1 = ComputeUnpairedTTest(far);
    EXPECT_EQ(t1.welch, t0.welch);
    ExpectRelativelyNear(t1.t, t0.t, 10 * tolerance);
    ExpectRelativelyNear(t1.one_sided_p, t0.one_sided_p, 10 * tolerance);
    ExpectRelativelyNear(t1.cohens_d, t0.cohens_d, 10 * tolerance);
    ExpectRelativelyNear(t1.pooled_sd, t0.pooled_sd, 10 * tolerance);
    const OutlierTestResult g0 = ComputeSmirnovGrubbs(plain, 1), g1 = ComputeSmirnovGrubbs(far, 1);
    ExpectRelativelyNear(g1.max_statistic, g0.max_statistic, 10 * tolerance);
    ExpectRelativelyNear(g1.min_statistic, g0.min_statistic, 10 * tolerance);

    // Paired on the 37 complete rows (a view leaves the rest out).
    const PairedTTestResult p0 = ComputePairedTTest(CRowView::CompleteXY(plain)),
                            p1 = ComputePairedTTest(CRowView::CompleteXY(far));
    ExpectRelativelyNear(p1.t, p0.t, 10 * tolerance);
    ExpectRelativelyNear(p1.sd_of_differences, p0.sd_of_differences, 10 * tolerance);
  }
}

TEST(OffsetData, ConstantDecimalColumnsHaveNoSpread) {
  CORVELDoc doc;
  for (int r = 1; r <= 30; ++r) {
    doc.SetCell(1, r, "123.456");
    doc.SetCell(2, r, "0.1");
  }
  doc.SetCell(2, 31, "0.1");
  doc.SetTwoGroupX(1);
  doc.SetTwoGroupY(2);
  EXPECT_EQ(doc.SampleSD(1), 0.0);
  EXPECT_EQ(doc.SampleSD(2), 0.0);
  // Without any spread the t statistic has no finite value for different means.
  EXPECT_FALSE(std::isfinite(ComputeUnpairedTTest(doc).t));
  // No rejection of either extreme: there is none.
  const OutlierTestResult g = ComputeSmirnovGrubbs(doc, 1);
  EXPECT_FALSE(std::isfinite(g.max_statistic) && g.max_statistic > 0);
}

}  // namespace
}  // namespace orvel
