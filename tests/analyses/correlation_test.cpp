#include "analyses/correlation.h"
#include "analyses/result_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace orvel {
namespace {

class CorrelationTest : public ::testing::Test {
 protected:
  void Column(int c, const std::string& name, const std::vector<std::string>& cells) {
    doc.SetCell(c, 0, name);
    for (std::size_t i = 0; i < cells.size(); ++i)
      if (!cells[i].empty()) doc.SetCell(c, static_cast<int>(i) + 1, cells[i]);
  }
  // The report of a kind on the given Y texts with X = 1..5, from its Y block on.
  std::string CurveBody(int kind) {
    doc.ResultText.clear();
    EXPECT_TRUE(RegressionCurveReport(doc, kind));
    return doc.ResultText.substr(doc.ResultText.find("Y : "));
  }
  CORVELDoc doc;
};

// ---- Least squares -------------------------------------------------------------------------------

TEST(LeastSquaresTest, LineAndTestOfR) {
  const LineFit f = FitLeastSquaresLine({1, 2, 3, 4, 5}, {2, 4.1, 5.9, 8.2, 9.8});
  EXPECT_EQ(f.n, 5);
  EXPECT_NEAR(f.slope, 1.97, 1e-12);
  EXPECT_NEAR(f.intercept, 0.09, 1e-12);
  EXPECT_NEAR(f.r, 0.9988296493298856, 1e-12);
  EXPECT_NEAR(f.r2, 0.9976606683804623, 1e-12);
  EXPECT_NEAR(f.p, 4.784619483575586e-05, 1e-15);
  const LineFit g = FitLeastSquaresLine({1, 2, 3}, {0, 2, 4.1});
  EXPECT_NEAR(g.intercept, -2.0666666666666664, 1e-12);
  EXPECT_NEAR(g.p, 0.008963898827264893, 1e-12);
}

TEST(LeastSquaresTest, ZeroDenominatorsHaveNoValue) {
  // Constant X (with values whose shortcut sums do not cancel exactly): no slope, no r.
  const LineFit cx = FitLeastSquaresLine({0.1, 0.1, 0.1, 0.1}, {1, 2, 3, 5});
  EXPECT_TRUE(std::isnan(cx.slope));
  EXPECT_TRUE(std::isnan(cx.r));
  EXPECT_TRUE(std::isnan(cx.p));
  // Constant Y: a flat line, but no r and no test.
  const LineFit cy = FitLeastSquaresLine({1, 2, 4, 7}, {0.7, 0.7, 0.7, 0.7});
  EXPECT_EQ(cy.slope, 0.0);
  EXPECT_NEAR(cy.intercept, 0.7, 1e-15);
  EXPECT_FALSE(std::isfinite(cy.r));
  EXPECT_TRUE(std::isnan(cy.p));
  // Two pairs: no degrees of freedom; none: nothing at all.
  EXPECT_TRUE(std::isnan(FitLeastSquaresLine({1, 2}, {3, 1}).p));
  EXPECT_TRUE(std::isnan(FitLeastSquaresLine({}, {}).slope));
  EXPECT_TRUE(std::isnan(FitLeastSquaresLine({}, {}).p));
}

TEST(LeastSquaresTest, PerfectFitHasTheLimitPZero) {
  // |r| = 1 makes t infinite; the p-value is its limit 0, also where rounding leaves r a hair
  // off 1 (decimal steps), and for falling lines. Two pairs still have no test.
  struct Case {
    std::vector<double> x, y;
  };
  const Case cases[] = {
      {{1, 2, 3}, {2, 4, 6}},
      {{1, 2, 3, 4}, {10, 7, 4, 1}},
      {{0.1, 0.2, 0.3, 0.4, 0.5}, {0.3, 0.5, 0.7, 0.9, 1.1}},
      {{0.7, 1.4, 2.1}, {-0.3, -0.6, -0.9}},
      {{1e-3, 2e-3, 3e-3, 4e-3, 5e-3, 6e-3}, {5.5, 6.6, 7.7, 8.8, 9.9, 11.0}},
  };
  for (const Case& c : cases) {
    const LineFit fit = FitLeastSquaresLine(c.x, c.y);
    EXPECT_NEAR(std::fabs(fit.r), 1.0, 1e-12) << c.x.size();
    EXPECT_GE(fit.p, 0.0) << c.x.size();
    EXPECT_LT(fit.p, 1e-10) << c.x.size();
    EXPECT_EQ(PValueWithMark(fit.p), "p<0.0001**") << c.x.size();
  }
  EXPECT_TRUE(std::isnan(FitLeastSquaresLine({1, 2}, {2, 4}).p));
}

TEST_F(CorrelationTest, RegressionLineReport) {
  Column(1, "Dose", {"1", "2", "3", "4", "5", "6"});
  Column(2, "Effect", {"2", "4.1", "5.9", "8.2", "9.8"});
  doc.SetIncludeDataInResult(true);
  RegressionLineReport(doc);
  EXPECT_EQ(doc.ResultText,
            "\n<<< Regression Line >>>\n\nX : Col1 Dose\n"
            "Y : Col2 Effect\ny=1.970000x+0.090000\nCorrelation Coefficient r=0.998830\n"
            "Contribution Ratio r^2=0.997661\n\n"
            "[Two-sided Test]\np<0.0001**\n\n"
            // A skipped last row has no text for the listing while it is skipped.
            "\nCol1 : Dose\n1, 2, 3, 4, 5\n"
            "\nCol2 : Effect\n2, 4.1, 5.9, 8.2, 9.8\n"
            "\nThe following rows were skipped because they have missing values.\nRow 6\n");
  EXPECT_TRUE(doc.IsNumeric(1, 6));  // restored
}

TEST_F(CorrelationTest, RegressionLineEquationForms) {
  Column(1, "", {"1", "2", "3"});
  Column(2, "", {"2", "4", "6"});
  RegressionLineReport(doc);
  // Intercept exactly 0: the short form; r = 1: the limit p = 0.
  EXPECT_EQ(doc.ResultText,
            "\n<<< Regression Line >>>\n\nX : Col1 \nY : Col2 \ny=2.000000x\nCorrelation Coefficient r=1.000000\n"
            "Contribution Ratio r^2=1.000000\n\n[Two-sided Test]\np<0.0001**\n\n");
  doc.ResultText.clear();
  Column(2, "", {"0", "2", "4.1"});
  RegressionLineReport(doc);
  EXPECT_NE(doc.ResultText.find("y=2.050000x-2.066667\n"), std::string::npos);
  EXPECT_NE(doc.ResultText.find("[Two-sided Test]\np=0.008964**\n\n"), std::string::npos);
  // A constant X: every statistic undefined, never a C library spelling.
  doc.ResultText.clear();
  Column(1, "", {"0.1", "0.1", "0.1"});
  RegressionLineReport(doc);
  EXPECT_NE(doc.ResultText.find("y=undefinedx+undefined\nCorrelation Coefficient r=undefined\n"
                                "Contribution Ratio r^2=undefined\n\n[Two-sided Test]\np=undefined\n\n"),
            std::string::npos);
  EXPECT_EQ(doc.ResultText.find("nan"), std::string::npos);
  EXPECT_EQ(doc.ResultText.find("inf"), std::string::npos);
}

// ---- Regression curves -------------------------------------------------------------------------

TEST_F(CorrelationTest, CurveKinds) {
  Column(1, "X", {"1", "2", "3", "4", "5"});
  Column(2, "Y", {"1.2", "2.9", "4.1", "4.8", "5.6"});
  const std::string fit_log = "\nCorrelation Coefficient r=0.998488\nContribution Ratio r^2=0.996977\n\n"
                              "[Two-sided Test]\np<0.0001**\n\n";
  const std::string fit_exp = "\nCorrelation Coefficient r=0.923395\nContribution Ratio r^2=0.852659\n\n"
                              "[Two-sided Test]\np=0.025157*\n\n";
  EXPECT_EQ(CurveBody(kCurveLog10), "Y : Col2 Y\ny=6.231536log(x)+1.128701" + fit_log);
  EXPECT_EQ(CurveBody(kCurveLn), "Y : Col2 Y\ny=2.706322ln(x)+1.128701" + fit_log);
  EXPECT_EQ(CurveBody(kCurvePower),
            "Y : Col2 Y\ny=1.320241x^0.952551\nCorrelation Coefficient r=0.986197\n"
            "Contribution Ratio r^2=0.972584\n\n[Two-sided Test]\np=0.001942**\n\n");
  EXPECT_EQ(CurveBody(kCurveExp10), "Y : Col2 Y\ny=1.121247*10^0.155686x" + fit_exp);
  EXPECT_EQ(CurveBody(kCurveExp), "Y : Col2 Y\ny=1.121247exp(0.358480x)" + fit_exp);
  EXPECT_EQ(CurveBody(kCurveReciprocal),
            "Y : Col2 Y\ny=-5.125660/x+6.060718\nCorrelation Coefficient r=-0.965261\n"
            "Contribution Ratio r^2=0.931729\n\n[Two-sided Test]\np=0.007732**\n\n");
  EXPECT_EQ(doc.ResultText.rfind("\n\n<<< Regression Curve >>>\n\nX : Col1 X\nY : ", 0), 0u);
  // The transforms lasted only for the computation.
  for (int r = 1; r <= 5; ++r) EXPECT_EQ(doc.Value(1, r), r);
  EXPECT_EQ(doc.Value(2, 2), 2.9);
}

TEST_F(CorrelationTest, CurveSignForms) {
  // Negative b of the power, exponential and reciprocal kinds; a reciprocal fit through 0.
  Column(1, "", {"1", "2", "4"});
  Column(2, "", {"8", "4", "2"});
  EXPECT_NE(CurveBody(kCurvePower).find("\ny=8.000000x^(-1.000000)\n"), std::string::npos);
  EXPECT_NE(CurveBody(kCurveExp10).find("\ny=11.313708*10^(-0.193519x)\n"), std::string::npos);
  EXPECT_NE(CurveBody(kCurveExp).find("\ny=11.313708exp(-0.445595x)\nCorrelation Coefficient r=-0.981981\n"
                                      "Contribution Ratio r^2=0.964286\n\n[Two-sided Test]\np=0.121038\n\n"),
            std::string::npos);
  EXPECT_EQ(CurveBody(kCurveReciprocal),
            "Y : Col2 \ny=8.000000/x\nCorrelation Coefficient r=1.000000\nContribution Ratio r^2=1.000000\n\n"
            "[Two-sided Test]\np<0.0001**\n\n");
  // A zero slope prints a only.
  Column(2, "", {"3", "3", "3"});
  EXPECT_NE(CurveBody(kCurvePower).find("\ny=3.000000x^0\n"), std::string::npos);
  EXPECT_NE(CurveBody(kCurveExp).find("\ny=3.000000exp(0*x)\n"), std::string::npos);
  EXPECT_NE(CurveBody(kCurveExp10).find("\ny=3.000000*10^(0*x)\nCorrelation Coefficient r=undefined\n"),
            std::string::npos);
}

TEST_F(CorrelationTest, CurveWithXAndYTheSameColumn) {
  // The power kind transforms the column once for X and once for Y, not twice over.
  Column(1, "", {"1", "10", "100", "5"});
  doc.SetTwoGroupY(1);
  EXPECT_NE(CurveBody(kCurvePower).find("\ny=1.000000x^1.000000\n"), std::string::npos);
  // y against log10 y: 1, 10, 100, 5 on 0, 1, 2, 0.69897.
  EXPECT_NE(CurveBody(kCurveLog10).find("\ny=51.366806log(x)-18.501068\n"), std::string::npos);
  EXPECT_EQ(doc.Value(1, 3), 100.0);
}

TEST_F(CorrelationTest, CurveSkipsIncompleteRows) {
  Column(1, "", {"1", "2", "", "4", "5"});
  Column(2, "", {"1.2", "2.9", "4.1", "4.8", "5.6"});
  EXPECT_TRUE(RegressionCurveReport(doc, kCurveLn));
  EXPECT_NE(doc.ResultText.find("\nThe following rows were skipped because they have missing values.\nRow 3\n"),
            std::string::npos);
  EXPECT_TRUE(doc.IsNumeric(2, 3));
  EXPECT_EQ(doc.Value(2, 3), 4.1);
  EXPECT_EQ(doc.Value(1, 5), 5.0);
}

TEST_F(CorrelationTest, CurveDomainChecks) {
  const std::string neg_x = "It's impossible to calculate because of some negative numbers in column X.";
  const std::string neg_y = "It's impossible to calculate because of some negative numbers in column Y.";
  const std::string zero_x = "It's impossible to calculate because of zero in column X.";
  const std::string zero_y = "It's impossible to calculate because of zero in column Y.";
  const auto refusal = [&](int kind) {
    const char* m = RegressionCurveRefusal(doc, kind);
    return m == nullptr ? std::string("ok") : std::string(m);
  };
  Column(1, "", {"-1", "0", "3"});
  Column(2, "", {"-2", "0", "4"});
  EXPECT_EQ(refusal(kCurveLog10), neg_x);
  EXPECT_EQ(refusal(kCurveLn), neg_x);
  EXPECT_EQ(refusal(kCurvePower), neg_x);  // X is checked first
  EXPECT_EQ(refusal(kCurveExp10), neg_y);
  EXPECT_EQ(refusal(kCurveExp), neg_y);
  EXPECT_EQ(refusal(kCurveReciprocal), zero_x);
  Column(1, "", {"1", "0", "3"});
  Column(2, "", {"2", "0", "4"});
  EXPECT_EQ(refusal(kCurveLog10), zero_x);
  EXPECT_EQ(refusal(kCurvePower), zero_x);
  EXPECT_EQ(refusal(kCurveExp), zero_y);
  Column(1, "", {"1", "2", "3"});
  EXPECT_EQ(refusal(kCurvePower), zero_y);
  EXPECT_EQ(refusal(kCurveLn), "ok");
  EXPECT_EQ(refusal(kCurveReciprocal), "ok");  // negatives are fine for 1/x
  Column(1, "", {"-1", "2", "3"});
  EXPECT_EQ(refusal(kCurveReciprocal), "ok");
  // A refused transform leaves the columns and the result as they were.
  Column(2, "", {"2", "0", "4"});
  EXPECT_FALSE(RegressionCurveReport(doc, kCurveExp));
  EXPECT_EQ(doc.ResultText, "");
  EXPECT_EQ(doc.Value(1, 1), -1.0);
  EXPECT_EQ(doc.Value(2, 3), 4.0);
}

// ---- Rank correlations -------------------------------------------------------------------------

TEST_F(CorrelationTest, RanksAndTieSums) {
  // 8 and 8.00000001 agree to seven decimals: tied.
  const Ranks r = RankValues(doc.RankBuffer(), {1, 2, 2, 3, 4, 5, 5, 6, 8, 8.00000001});
  EXPECT_EQ(r.ranks, (std::vector<double>{1, 2.5, 2.5, 4, 5, 6.5, 6.5, 8, 9.5, 9.5}));
  EXPECT_EQ(r.tie_sum2, 4 * 1 + 3 * 4);  // four single values and three pairs
  EXPECT_EQ(r.tie_sum3, 4 * 1 + 3 * 8);
}

TEST_F(CorrelationTest, SpearmanWithTies) {
  const std::vector<double> x{1, 2, 2, 3, 4, 5, 5, 6, 8, 8.00000001};
  const std::vector<double> y{2, 1, 3, 3, 5, 4, 6, 6, 8, 8};
  const SpearmanResult s = ComputeSpearman(doc.RankBuffer(), x, y);
  EXPECT_EQ(s.n, 10);
  EXPECT_EQ(s.d, 9.0);
  EXPECT_EQ(s.tx, 81.0);  // (1000 - 10 - (28 - 10)) / 12
  EXPECT_EQ(s.ty, 81.0);
  EXPECT_NEAR(s.rho, 0.9444444444444444, 1e-12);
  EXPECT_NEAR(s.p, 0.004606281008964313, 1e-12);
}

TEST_F(CorrelationTest, SpearmanWithoutTiesIsTheShortFormula) {
  const std::vector<double> x{3, 1, 4, 1.5, 5, 9, 2.6, 6};
  const std::vector<double> y{2, 7, 1, 8, 2.8, 1.8, 2.9, 4.5};
  const SpearmanResult s = ComputeSpearman(doc.RankBuffer(), x, y);
  EXPECT_NEAR(s.rho, 1 - 6 * s.d / (512 - 8), 1e-12);
  EXPECT_NEAR(s.rho, -0.5952380952380952, 1e-12);
  EXPECT_NEAR(s.p, 0.11529049049275442, 1e-12);
  // A constant column and too few values have no coefficient.
  EXPECT_TRUE(std::isnan(ComputeSpearman(doc.RankBuffer(), {4, 4, 4}, {1, 2, 3}).p));
  EXPECT_TRUE(std::isnan(ComputeSpearman(doc.RankBuffer(), {4}, {1}).rho));
}

TEST_F(CorrelationTest, KendallTieTerms) {
  const std::vector<double> x{1, 2, 2, 3, 4, 5, 5, 6, 8, 8.00000001};
  const std::vector<double> y{2, 1, 3, 3, 5, 4, 6, 6, 8, 8};
  const KendallResult k = ComputeKendall(doc.RankBuffer(), x, y);
  EXPECT_EQ(k.pairs.concordant, 38);
  EXPECT_EQ(k.pairs.discordant, 2);
  EXPECT_EQ(k.tx, 3.0);  // three tied pairs in X
  EXPECT_EQ(k.ty, 3.0);
  EXPECT_NEAR(k.tau, 36 / std::sqrt((45.0 - 3) * (45.0 - 3)), 1e-12);
  EXPECT_NEAR(k.p, 0.0005608897132609313, 1e-12);
  const KendallResult d = ComputeKendall(doc.RankBuffer(), {3, 1, 4, 1.5, 5, 9, 2.6, 6}, {2, 7, 1, 8, 2.8, 1.8, 2.9, 4.5});
  EXPECT_EQ(d.pairs.concordant, 8);
  EXPECT_EQ(d.pairs.discordant, 20);
  EXPECT_NEAR(d.p, 0.13764563062031987, 1e-12);
  EXPECT_TRUE(std::isnan(ComputeKendall(doc.RankBuffer(), {2, 2, 2}, {1, 2, 3}).tau));
  EXPECT_TRUE(std::isnan(ComputeKendall(doc.RankBuffer(), {2, 2, 2}, {1, 2, 3}).p));
}

TEST(KendallCountTest, MatchesThePairwiseCount) {
  const auto pairwise = [](const std::vector<double>& x, const std::vector<double>& y) {
    PairCounts c;
    for (std::size_t i = 0; i < x.size(); ++i)
      for (std::size_t j = i + 1; j < x.size(); ++j) {
        const double s = (x[j] - x[i]) * (y[j] - y[i]);
        if (s > 0) ++c.concordant;
        if (s < 0) ++c.discordant;
      }
    return c;
  };
  std::mt19937 random(12345);
  for (int trial = 0; trial < 60; ++trial) {
    const int n = 1 + trial * 7;
    const int levels = 1 + trial % 9;  // heavy ties, down to a single value
    std::uniform_int_distribution<int> value(0, levels);
    std::vector<double> x(static_cast<std::size_t>(n)), y(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
      x[static_cast<std::size_t>(i)] = value(random) / 2.0;
      y[static_cast<std::size_t>(i)] = value(random) + (trial % 2 == 0 ? x[static_cast<std::size_t>(i)] : 0);
    }
    const PairCounts fast = CountConcordantPairs(x, y), slow = pairwise(x, y);
    EXPECT_EQ(fast.concordant, slow.concordant) << "trial " << trial;
    EXPECT_EQ(fast.discordant, slow.discordant) << "trial " << trial;
  }
  EXPECT_EQ(CountConcordantPairs({}, {}).concordant, 0);
}

TEST_F(CorrelationTest, RankCorrelationReports) {
  Column(3, "Judge A", {"1", "2", "2", "3", "4", "5", "5", "6", "8", "8.00000001", "7"});
  Column(4, "Judge B", {"2", "1", "3", "3", "5", "4", "6", "6", "8", "8"});
  doc.SetTwoGroupX(3);
  doc.SetTwoGroupY(4);
  SpearmanReport(doc);
  KendallReport(doc);
  EXPECT_EQ(doc.ResultText,
            "\n\n<<< Spearman's Rank Correlation >>>\n\nX : Col3 Judge A\nY : Col4 Judge B\nrho=0.944444\n\n"
            "[Two-sided Test]\np=0.004606**\n\n"
            "\nThe following rows were skipped because they have missing values.\nRow11\n"
            "\n<<< Kendall's Rank Correlation >>>\n\nX : Col3 Judge A\nY : Col4 Judge B\ntau=0.857143\n\n"
            "[Two-sided Test]\np=0.000561**\n\n"
            "\nThe following rows were skipped because they have missing values.\nRow11\n");
  EXPECT_TRUE(doc.IsNumeric(3, 11));
  // A constant Y: undefined coefficient and test.
  doc.ResultText.clear();
  Column(4, "Judge B", {"5", "5", "5", "5", "5", "5", "5", "5", "5", "5", "5"});
  KendallReport(doc);
  SpearmanReport(doc);
  EXPECT_NE(doc.ResultText.find("tau=undefined\n\n[Two-sided Test]\np=undefined\n\n"), std::string::npos);
  EXPECT_NE(doc.ResultText.find("rho=undefined\n\n[Two-sided Test]\np=undefined\n\n"), std::string::npos);
}

// ---- Intraclass correlation --------------------------------------------------------------------

TEST(IccTest, SumsOfSquares) {
  // Six subjects rated by four raters.
  const IccResult r = ComputeIcc({{9, 6, 8, 7, 10, 6}, {2, 1, 4, 1, 5, 2}, {5, 3, 6, 2, 6, 4}, {8, 2, 8, 6, 9, 7}});
  EXPECT_EQ(r.k, 4);
  EXPECT_EQ(r.m, 6);
  EXPECT_NEAR(r.s, 168.95833333333337, 1e-9);
  EXPECT_NEAR(r.sa, 97.45833333333337, 1e-9);  // between raters (columns)
  EXPECT_NEAR(r.sb, 56.20833333333337, 1e-9);  // between subjects (rows)
  EXPECT_NEAR(r.se, 15.291666666666629, 1e-9);
  EXPECT_EQ(r.df_a, 3);
  EXPECT_EQ(r.df_b, 5);
  EXPECT_EQ(r.df_e, 15);
  EXPECT_NEAR(r.fa, 31.866485013624068, 1e-9);
  EXPECT_NEAR(r.fb, 11.027247956403304, 1e-9);
  EXPECT_NEAR(r.p, 7.373823808793649e-07, 1e-12);
  EXPECT_NEAR(r.eta2, 0.576818742293465, 1e-12);
  EXPECT_NEAR(r.icc, 0.2897637795275593, 1e-12);
  const IccResult small = ComputeIcc({{1, 2, 3, 4}, {1.5, 2, 3.5, 4}, {1, 3, 3, 5}});
  EXPECT_NEAR(small.p, 0.3430000000000013, 1e-12);
  EXPECT_NEAR(small.icc, 0.8920863309352515, 1e-12);
  // One subject: no within or error degrees of freedom, nothing to test.
  const IccResult one = ComputeIcc({{1}, {2}, {3}});
  EXPECT_EQ(one.df_e, 0);
  EXPECT_TRUE(std::isnan(one.p));
  EXPECT_TRUE(std::isnan(ComputeIcc({{}, {}, {}}).icc));
}

TEST_F(CorrelationTest, IccReport) {
  Column(1, "J1", {"9", "6", "8", "7", "10", "6", "5"});
  Column(2, "J2", {"2", "1", "4", "1", "5", "2", ""});
  Column(3, "not used", {"1", "1"});
  Column(4, "J4", {"5", "3", "6", "2", "6", "4", "4"});
  for (int c : {1, 2, 4}) doc.SetGroupColumn(c, true);
  IntraclassCorrelationReport(doc);
  EXPECT_EQ(doc.ResultText,
            "\n\n<<< Intraclass Correlation Coefficient >>>\nSelected Data\nCol1:J1\nCol2:J2\nCol4:J4\n\n"
            "Factor\t\tSS\t\tdf\tVE\t\tF-Ratio\t\tp-value\t\t\xCE\xB7" "2\n"
            "-----------------------------------------------------------------------------------------\n"
            "Total\t\tS=122.500\t17\n"
            "Between Groups\tSA= 82.333\t2\tVA= 41.167\tFA= 72.647**\tp<0.0001\t\t0.672109\n"
            "Within Groups\tSB= 34.500\t5\tVB=  6.900\tFB= 12.176\n"
            "Error\t\tSE=  5.667\t10\tVE=  0.567\n\n"
            "Intraclass Correlation Coefficient ICC(1,1)=0.223529\n\n"
            "\nThe following rows were skipped because they have missing values.\nRow 7\n");
  EXPECT_TRUE(doc.IsNumeric(1, 7));
}

}  // namespace
}  // namespace orvel
