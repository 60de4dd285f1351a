#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "rcode/rcode_generator.h"

namespace orvel {
namespace {

using C = RCodeCommand;

class RCodeGeneratorTest : public ::testing::Test {
 protected:
  // Column c: its name in row 0, then one cell per row from row 1 ("" leaves the cell empty).
  void Put(int c, const std::string& name, const std::vector<std::string>& cells) {
    doc.SetCell(c, 0, name);
    for (std::size_t i = 0; i < cells.size(); ++i)
      if (!cells[i].empty()) doc.SetCell(c, static_cast<int>(i) + 1, cells[i]);
  }
  RCodeOutcome Run(C command, std::vector<int> columns, int dependent = 1) {
    RCodePicks picks;
    picks.columns = std::move(columns);
    picks.dependent = dependent;
    return GenerateRCode(command, picks, doc);
  }
  RCodeOutcome RunXY(C command, int x, int y) {
    RCodePicks picks;
    picks.x = x;
    picks.y = y;
    return GenerateRCode(command, picks, doc);
  }
  static std::set<int> Flags(const RCodeOutcome& outcome) {
    std::set<int> flagged;
    for (int c = 0; c <= kLastColumn; ++c)
      if (outcome.flags[static_cast<std::size_t>(c)] != 0) flagged.insert(c);
    return flagged;
  }

  CORVELDoc doc{101};
};

TEST_F(RCodeGeneratorTest, NamesThatAreNotRNamesAreBackquoted) {
  struct Case {
    std::string name, r_name;
  };
  const std::vector<Case> cases = {
      {"A", "A"},           {"x.1", "x.1"},         {".a", ".a"},           {".", "."},
      {"a_b", "a_b"},       {"..a", "..a"},         {"T", "T"},             {"my col", "`my col`"},
      {"2nd", "`2nd`"},     {".2x", "`.2x`"},       {"_a", "`_a`"},         {"x(1)", "`x(1)`"},
      {"a-b", "`a-b`"},     {"if", "`if`"},         {"TRUE", "`TRUE`"},     {"NA", "`NA`"},
      {"NA_real_", "`NA_real_`"}, {"function", "`function`"}, {"in", "`in`"}, {"Inf", "`Inf`"},
      {"...", "`...`"},     {"..1", "`..1`"},       {"..12", "`..12`"},     {"größe", "`größe`"},
      {"a`b", "`a\\`b`"},   {"a\\b", "`a\\\\b`"},   {"", "Col1"},
  };
  for (const Case& c : cases) {
    doc.SetCell(1, 0, c.name);
    EXPECT_EQ(RColumnName(doc, 1), c.r_name) << "name: " << c.name;
  }
}

TEST_F(RCodeGeneratorTest, StringLiteralsCannotBeEnded) {
  EXPECT_EQ(RStringLiteral("my col"), "\"my col\"");
  EXPECT_EQ(RStringLiteral("größe"), "\"größe\"");
  EXPECT_EQ(RStringLiteral("a\"b"), "\"a\\\"b\"");
  EXPECT_EQ(RStringLiteral("a\\"), "\"a\\\\\"");
  EXPECT_EQ(RStringLiteral("a\nb\tc"), "\"a\\nb\\tc\"");
  EXPECT_EQ(RStringLiteral(std::string("a\x01", 2)), "\"a\\x01\"");
}

TEST_F(RCodeGeneratorTest, MissingValuesAreLeftOutAndAnEmptyColumnGivesAnEmptyVector) {
  Put(1, "A", {"10", "20", "", "40"});
  Put(2, "B", {"-", ".5", "5."});  // "-" is a missing value
  RCodePicks picks;
  picks.column = 1;
  EXPECT_EQ(GenerateRCode(C::kHistogram, picks, doc).text, "\nA<-c(10,20,40)\n\nhist(A)\n");
  picks.column = 2;
  EXPECT_EQ(GenerateRCode(C::kHistogram, picks, doc).text, "\nB<-c(.5,5.)\n\nhist(B)\n");
  Put(3, "E", {});
  picks.column = 3;
  EXPECT_EQ(GenerateRCode(C::kHistogram, picks, doc).text, "\nE<-c()\n\nhist(E)\n");
}

TEST_F(RCodeGeneratorTest, PooledValuesGroupLabelsAndRepetitionIndex) {
  Put(1, "A", {"1", "2", "3"});
  Put(2, "my \"B\"", {"4", "", "5"});
  const RCodeOutcome factorial = Run(C::kOnewayAnovaFactorial, {2, 1});
  EXPECT_EQ(factorial.text,
            "\nrtaishoudata<-c(1,2,3,4,5)\n"
            "\nrgroupdata<-c(\"A\",\"A\",\"A\",\"my \\\"B\\\"\",\"my \\\"B\\\"\")\n"
            "\nsummary(aov(rtaishoudata~rgroupdata))\n");
  EXPECT_TRUE(factorial.copy);
  EXPECT_EQ(Flags(factorial), (std::set<int>{1, 2}));

  Put(2, "B", {"4", "6", "5"});
  const RCodeOutcome repeated = Run(C::kOnewayAnovaRepeated, {1, 2});
  EXPECT_EQ(repeated.text,
            "\nrtaishoudata<-c(1,2,3,4,6,5)\n"
            "\nrgroupdata<-c(\"A\",\"A\",\"A\",\"B\",\"B\",\"B\")\n"
            "\nrrepeatdata<-c(\"1\",\"2\",\"3\",\"1\",\"2\",\"3\")\n"
            "\nsummary(aov(rtaishoudata~rgroupdata*rrepeatdata))\n");
  // With a gap the index would not match the values.
  doc.ClearCell(2, 2);
  const RCodeOutcome gap = Run(C::kOnewayAnovaRepeated, {1, 2});
  EXPECT_EQ(gap.refusal, "Selected columns are not related. Data setting is not correct.");
  EXPECT_FALSE(gap.copy);
}

TEST_F(RCodeGeneratorTest, TablesAreReadColumnByColumnAndNamesGoInAsStrings) {
  Put(1, "system(\"ls\")", {"3", "4"});
  Put(2, "B", {"5", "6"});
  Put(3, "C", {"7", "8"});
  doc.SetSelection(2, 3, 1, 1);  // anchored at the lower right
  const RCodeOutcome chi = GenerateRCode(C::kChiSquareTest, {}, doc);
  EXPECT_EQ(chi.text, "\nchisq.test(matrix(c(3,4,5,6,7,8),nrow=2,ncol=3))\n");
  doc.SetSelection(0, 1, 1, 2);
  EXPECT_EQ(GenerateRCode(C::kFisherExactTest, {}, doc).text,
            "\nfisher.test(matrix(c(\"system(\\\"ls\\\")\",\"B\",3,5),nrow=2,ncol=2))\n");
  doc.SetSelection(1, 1, 3, 2);
  EXPECT_EQ(GenerateRCode(C::kFisherExactTest, {}, doc).refusal,
            "The contingency table must have two rows and two columns. Data setting is not correct.");
  doc.SetSelection(1, 1, 1, 3);
  EXPECT_EQ(GenerateRCode(C::kChiSquareTest, {}, doc).refusal,
            "Selected cells must contain more than two columns and rows. Data setting is not correct.");
  // An empty cell stays an empty text.
  doc.ClearCell(2, 1);
  doc.SetSelection(1, 1, 2, 2);
  EXPECT_EQ(GenerateRCode(C::kFisherExactTest, {}, doc).text, "\nfisher.test(matrix(c(3,,4,6),nrow=2,ncol=2))\n");
}

TEST_F(RCodeGeneratorTest, EmptySelectionsAreRefusedBeforeAnythingIsBuilt) {
  Put(1, "A", {"1", "2", "3"});
  for (const RCodeCommandInfo& info : RCodeCommandTable()) {
    if (info.layout != RPickerLayout::kList) continue;
    const RCodeOutcome outcome = Run(info.command, {});
    EXPECT_EQ(outcome.refusal, "Data setting is not correct.") << info.name;
    EXPECT_EQ(outcome.text, "") << info.name;
  }
  EXPECT_EQ(Run(C::kAnova, {}, 1).refusal, "Data setting is not correct.");
  RCodePicks none;
  none.column = 0;
  EXPECT_EQ(GenerateRCode(C::kHistogram, none, doc).refusal, "Data setting is not correct.");
}

TEST_F(RCodeGeneratorTest, PairingChecksAndTheirMessages) {
  Put(1, "A", {"1", "2", "3", "4"});
  Put(2, "B", {"2", "", "5", "4"});
  Put(3, "C", {"3", "1", "2", "6"});
  struct Case {
    C command;
    std::string refusal;
  };
  const std::vector<Case> xy = {
      {C::kPairedTTest, "X and Y are not paired."},
      {C::kWilcoxonSignedRankTest, "X and Y are not paired. Data setting is not correct."},
      {C::kCorrelationCoefficients, "X and Y are not paired. Data setting is not correct."},
      {C::kScatterPlot, "X and Y are not paired. Data setting is not correct."},
      {C::kUnpairedTTest, ""},
      {C::kFTest, ""},
      {C::kMannWhitneyUTest, ""},
  };
  for (const Case& c : xy) {
    const RCodeOutcome outcome = RunXY(c.command, 1, 2);
    EXPECT_EQ(outcome.refusal, c.refusal) << RCodeCommandInfoOf(c.command).name;
    // X and Y commands check before they write anything.
    if (!c.refusal.empty()) {
      EXPECT_EQ(outcome.text, "");
    }
    EXPECT_EQ(outcome.copy, c.refusal.empty());
  }
  const std::vector<Case> lists = {
      {C::kFriedmanTest, "The selected columns are not related. Data setting is not correct."},
      {C::kPrincipalComponents, "Selected columns are not related. Data setting is not correct."},
      {C::kScatterPlotMatrix, "Selected columns are not related. Data setting is not correct."},
      {C::kMultipleComparisonParametricRelated, "Selected columns are not related. Data setting is not correct."},
      {C::kMultipleComparisonNonparametricRelated, "Selected columns are not related. Data setting is not correct."},
      {C::kMultipleComparisonParametric, ""},
      {C::kMultipleComparisonNonparametric, ""},
      {C::kKruskalWallisTest, ""},
      {C::kBartlettTest, ""},
  };
  for (const Case& c : lists)
    EXPECT_EQ(Run(c.command, {1, 2}).refusal, c.refusal) << RCodeCommandInfoOf(c.command).name;
  // The list commands with vectors write them before the check: they stay in RCodeText.
  EXPECT_EQ(Run(C::kFriedmanTest, {1, 2}).text, "\nA<-c(1,2,3,4)\n\nB<-c(2,5,4)\n");
}

TEST_F(RCodeGeneratorTest, ModelsCheckTheDependentColumnToo) {
  Put(1, "A", {"1", "2", "3", "4"});
  Put(2, "B", {"2", "1", "5", "4"});
  Put(3, "Y", {"0", "", "1", "1"});  // a gap in the dependent column
  for (C command : {C::kMultipleRegression, C::kLogisticRegression, C::kProbitRegression}) {
    const RCodeOutcome outcome = Run(command, {1, 2}, 3);
    EXPECT_EQ(outcome.refusal, "Selected columns are not related.");
    EXPECT_EQ(Run(command, {1, 2}, 2).refusal,
              "The dependent variable is selected as one of the explanatory variables. Data setting is not correct.");
  }
  EXPECT_EQ(Run(C::kAnova, {1, 2}, 3).refusal, "Some columns are not paired.");
  EXPECT_EQ(Run(C::kAnova, {1, 2}, 2).refusal, "Data setting is not correct.");

  doc.SetCell(3, 2, "0");
  const RCodeOutcome logistic = Run(C::kLogisticRegression, {2, 1}, 3);
  EXPECT_EQ(logistic.text,
            "\nA<-c(1,2,3,4)\n\nB<-c(2,1,5,4)\n\nY<-c(0,0,1,1)\n\nrcodedata<-data.frame(A,B,Y)\n"
            "\nlogisticdata<-glm(Y~., binomial,rcodedata)\nsummary(logisticdata)\n"
            "\nexp(coef(logisticdata))\nexp(confint(logisticdata))\n");
  EXPECT_TRUE(logistic.copy);
  // The dependent column leaves the flags again.
  EXPECT_EQ(Flags(logistic), (std::set<int>{1, 2}));
  // Without an explanatory column the code is built but not copied, and nothing is refused.
  const RCodeOutcome alone = Run(C::kProbitRegression, {}, 3);
  EXPECT_EQ(alone.refusal, "");
  EXPECT_FALSE(alone.copy);
  EXPECT_EQ(alone.text,
            "\nY<-c(0,0,1,1)\n\nrcodedata<-data.frame(Y)\n"
            "\nprobitdata<-glm(Y~., family=binomial(\"probit\"),rcodedata)\nsummary(probitdata)\n");

  doc.SetCell(2, 0, "my B");
  EXPECT_EQ(Run(C::kAnova, {2, 1}, 3).text,
            "\nA<-c(\"1\",\"2\",\"3\",\"4\")\n\n`my B`<-c(\"2\",\"1\",\"5\",\"4\")\n\nY<-c(0,0,1,1)\n"
            "\nrcodedata<-data.frame(A,`my B`,Y,check.names=FALSE)\n"
            "\nanovadata<-aov(Y~A*`my B`,rcodedata)\nsummary(anovadata)\n");
}

TEST_F(RCodeGeneratorTest, WhichCommandsSetTheFlags) {
  Put(1, "A", {"1", "2", "3"});
  Put(2, "B", {"2", "1", "5"});
  Put(3, "C", {"7", "1", "5"});
  doc.SetRCodeColumn(9, true);  // left by an earlier command
  const std::set<int> kept{9};
  EXPECT_EQ(Flags(Run(C::kSummaryStatistics, {1, 2})), kept);
  EXPECT_EQ(Flags(Run(C::kBartlettTest, {1, 2})), kept);
  EXPECT_EQ(Flags(Run(C::kKruskalWallisTest, {1, 2})), kept);
  EXPECT_EQ(Flags(Run(C::kBoxPlot, {1, 2})), kept);
  EXPECT_EQ(Flags(RunXY(C::kUnpairedTTest, 1, 2)), kept);
  EXPECT_EQ(Flags(RunXY(C::kFTest, 1, 2)), kept);
  EXPECT_EQ(Flags(RunXY(C::kMannWhitneyUTest, 1, 2)), kept);
  EXPECT_EQ(Flags(RunXY(C::kPairedTTest, 1, 3)), (std::set<int>{1, 3}));
  EXPECT_EQ(Flags(Run(C::kPrincipalComponents, {3, 2})), (std::set<int>{2, 3}));
  EXPECT_EQ(Flags(Run(C::kMultipleRegression, {1, 2}, 3)), (std::set<int>{1, 2}));
  EXPECT_EQ(Flags(Run(C::kMultipleComparisonParametric, {1, 3})), (std::set<int>{1, 3}));
}

TEST_F(RCodeGeneratorTest, TheCommandTableNamesEveryCommandOnce) {
  const auto& table = RCodeCommandTable();
  EXPECT_EQ(table.size(), 27u);
  std::set<std::string> names;
  for (const RCodeCommandInfo& info : table) {
    names.insert(info.name);
    EXPECT_EQ(FindRCodeCommand(info.name), &info);
    EXPECT_EQ(&RCodeCommandInfoOf(info.command), &info);
    // The batch name is the menu text without its mnemonic and dots.
    EXPECT_EQ(std::string(info.menu_text).find(std::string(info.name) + "(&"), 0u) << info.menu_text;
    EXPECT_EQ(info.layout == RPickerLayout::kSelection, std::string(info.dialog_title).empty());
  }
  EXPECT_EQ(names.size(), table.size());
  EXPECT_EQ(FindRCodeCommand("Summary Statistis(&B)..."), nullptr);
}

}  // namespace
}  // namespace orvel
