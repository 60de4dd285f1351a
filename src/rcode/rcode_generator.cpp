#include "rcode/rcode_generator.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>

namespace orvel {

namespace {

using C = RCodeCommand;
using L = RPickerLayout;

constexpr const char* kSettingNotCorrect = "Data setting is not correct.";
constexpr const char* kXYNotPaired = "X and Y are not paired.";
constexpr const char* kXYNotPairedSetting = "X and Y are not paired. Data setting is not correct.";
constexpr const char* kNotRelatedSetting = "Selected columns are not related. Data setting is not correct.";
constexpr const char* kFriedmanNotRelated = "The selected columns are not related. Data setting is not correct.";
constexpr const char* kRegressionNotRelated = "Selected columns are not related.";
constexpr const char* kDependentIsExplanatory =
    "The dependent variable is selected as one of the explanatory variables. Data setting is not correct.";
constexpr const char* kFactorsNotPaired = "Some columns are not paired.";
constexpr const char* kFisherShape =
    "The contingency table must have two rows and two columns. Data setting is not correct.";
constexpr const char* kChiSquareShape =
    "Selected cells must contain more than two columns and rows. Data setting is not correct.";

const std::vector<RCodeCommandInfo> kTable = {
    {C::kSummaryStatistics, "Summary Statistis(&B)...", "Summary Statistis", "Summary Statistics", L::kList, "", "", false},
    {C::kPairedTTest, "Paired t-Test(&P)...", "Paired t-Test", "Paired t-Test", L::kXAndY, "", "", false},
    {C::kUnpairedTTest, "Unpaired t-Test(&U)...", "Unpaired t-Test", "Unpaired t-Test", L::kXAndY, "", "", false},
    {C::kOnewayAnovaFactorial, "Oneway ANOVA(Factorial)(&I)...", "Oneway ANOVA(Factorial)",
     "OnewayANOVA (Factorial)", L::kList, "", "", false},
    {C::kOnewayAnovaRepeated, "Oneway ANOVA(Repeated Measures)(&J)...", "Oneway ANOVA(Repeated Measures)",
     "OnewayANOVA (Repeated Measures)", L::kList, "", "", false},
    {C::kAnova, "ANOVA(&V)...", "ANOVA", "ANOVA", L::kDependentAndList, "Numeric Variables", "Factors", false},
    {C::kFTest, "F Test(&F)...", "F Test", "F Test", L::kXAndY, "", "", false},
    {C::kBartlettTest, "Bartlett's Test(&L)...", "Bartlett's Test", "Bartlett's Test", L::kList, "", "", false},
    {C::kFisherExactTest, "Fisher's Exact Test(2x2)(&E)...", "Fisher's Exact Test(2x2)", "", L::kSelection, "", "",
     false},
    {C::kChiSquareTest, "Pearson's Chi-Squared Test(&X)...", "Pearson's Chi-Squared Test", "", L::kSelection, "", "",
     false},
    {C::kWilcoxonSignedRankTest, "Wilcoxon Signed Rank Test(&W)...", "Wilcoxon Signed Rank Test",
     "Wilcoxon Signed Rank Test", L::kXAndY, "", "", false},
    {C::kMannWhitneyUTest, "Mann-Whitney U Test(&M)...", "Mann-Whitney U Test", "Mann-Whitney U Test", L::kXAndY, "",
     "", false},
    {C::kKruskalWallisTest, "Kruskal-Wallis Rank Sum Test(&K)...", "Kruskal-Wallis Rank Sum Test",
     "Kruskal-Wallis Rank Sum Test", L::kList, "", "", false},
    {C::kFriedmanTest, "Friedman Rank Sum Test(&D)...", "Friedman Rank Sum Test", "Friedman Rank Sum Test", L::kList,
     "", "", false},
    {C::kCorrelationCoefficients, "Correlation Coefficients(&C)...", "Correlation Coefficients",
     "Correlation Coefficients", L::kXAndY, "", "", false},
    {C::kMultipleRegression, "Multiple Regression Analysis(&R)...", "Multiple Regression Analysis",
     "Multiple Regression Analysis", L::kDependentAndList, "Dependent Variable", "Explanatory Variables", false},
    {C::kLogisticRegression, "Logistic Regression Analysis(&O)...", "Logistic Regression Analysis",
     "Logistic Regression Analysis", L::kDependentAndList, "Dependent Variable", "Explanatory Variables", false},
    {C::kProbitRegression, "Probit Regression Analysis(&G)...", "Probit Regression Analysis",
     "Probit Regression Analysis", L::kDependentAndList, "Dependent Variable", "Explanatory Variables", false},
    {C::kPrincipalComponents, "Principal Component Analysis(&S)...", "Principal Component Analysis",
     "Principal Component Analysis", L::kList, "", "", false},
    {C::kMultipleComparisonParametric, "Multiple Comparison(Parametric : Non Related Data)(&H)...",
     "Multiple Comparison(Parametric : Non Related Data)", "Multiple Comparison (Parametric : Non Related Data)",
     L::kList, "", "", false},
    {C::kMultipleComparisonParametricRelated, "Multiple Comparison(Parametric : Related Data)(&Y)...",
     "Multiple Comparison(Parametric : Related Data)", "Multiple Comparison (Parametric : Related Data)", L::kList,
     "", "", false},
    {C::kMultipleComparisonNonparametric, "Multiple Comparison(Nonparametric : Non Related Data)(&N)...",
     "Multiple Comparison(Nonparametric : Non Related Data)",
     "Multiple Comparison (Nonparametric : Non Related Data)", L::kList, "", "", false},
    {C::kMultipleComparisonNonparametricRelated, "Multiple Comparison(Nonparametric : Related Data)(&Z)...",
     "Multiple Comparison(Nonparametric : Related Data)", "Multiple Comparison (Nonparametric : Related Data)",
     L::kList, "", "", false},
    {C::kScatterPlot, "Scatter Plot(&S)...", "Scatter Plot", "Scatter Plot", L::kXAndY, "", "", true},
    {C::kScatterPlotMatrix, "Scatter Plot Matrix(&M)...", "Scatter Plot Matrix", "Scatter Plot Matrix", L::kList, "",
     "", true},
    {C::kHistogram, "Histogram(&H)...", "Histogram", "Histogram", L::kSingle, "", "", true},
    {C::kBoxPlot, "Box Plot(&B)...", "Box Plot", "Box Plot", L::kList, "", "", true},
};

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

bool IsReservedRWord(std::string_view name) {
  static constexpr std::string_view kReserved[] = {
      "if",    "else",    "repeat", "while", "function",    "for",      "next",          "break",
      "TRUE",  "FALSE",   "NULL",   "Inf",   "NaN",         "NA",       "NA_integer_",   "NA_real_",
      "NA_character_", "NA_complex_", "in", "..."};
  for (std::string_view word : kReserved)
    if (name == word) return true;
  // ..1, ..2, ... name the arguments of a function's "...".
  if (name.size() > 2 && name.substr(0, 2) == "..") {
    for (char c : name.substr(2))
      if (!IsAsciiDigit(c)) return false;
    return true;
  }
  return false;
}

// Builds one command's code piece by piece, as the commands always have: vectors first, then
// the checks, then the call, so a refused command leaves what was built before its check.
class Builder {
 public:
  Builder(const CORVELDoc& doc) : doc_(doc) { out_.flags = doc.Settings().RCodeColumns; }

  RCodeOutcome& Outcome() { return out_; }
  void Append(std::string_view text) { out_.text.append(text); }
  RCodeOutcome Refuse(const char* message) {
    out_.refusal = message;
    out_.copy = false;
    return out_;
  }
  RCodeOutcome Done(bool copy = true) {
    out_.copy = copy;
    return out_;
  }

  std::string Name(int c) const { return RColumnName(doc_, c); }
  std::string Label(int c) const {
    const std::string_view text = doc_.Text(c, 0);
    return RStringLiteral(text.empty() ? "Col" + std::to_string(c) : std::string(text));
  }
  // The texts of the column's data rows; missing values are left out.
  std::vector<std::string> Values(int c) const {
    std::vector<std::string> values;
    const int last = doc_.Column(c).LastUsedRow();
    for (int r = 1; r <= last; ++r)
      if (doc_.IsNumeric(c, r)) values.emplace_back(doc_.Text(c, r));
    return values;
  }

  void SetFlags(const std::vector<int>& columns) {
    out_.flags.fill(0);
    for (int c : columns) out_.flags[static_cast<std::size_t>(c)] = 1;
  }
  void Flag(int c, bool on) { out_.flags[static_cast<std::size_t>(c)] = on ? 1 : 0; }
  std::vector<int> Flagged() const {
    std::vector<int> list;
    for (int c = 1; c <= kLastColumn; ++c)
      if (out_.flags[static_cast<std::size_t>(c)] != 0) list.push_back(c);
    return list;
  }

  // The same rows hold data in all of the columns.
  bool Paired(const std::vector<int>& columns) const {
    const int used = doc_.UsedRowCount();
    for (int r = 1; r <= used; ++r) {
      bool any = false, all = true;
      for (int c : columns) {
        if (doc_.IsNumeric(c, r)) any = true;
        else all = false;
      }
      if (any && !all) return false;
    }
    return true;
  }
  bool FlagsPaired() const { return Paired(Flagged()); }

  void NumericVector(int c) { Vector(c, false); }
  void QuotedVector(int c) { Vector(c, true); }
  // Built by appending: gcc 12 at -O3 warns falsely about "literal" + std::string here.
  void Vector(int c, bool quoted) {
    std::string line = "\n";
    line += Name(c);
    line += "<-c(";
    line += Join(Values(c), quoted);
    line += ")\n";
    Append(line);
  }

  void DataFrame() {
    const std::vector<int> flagged = Flagged();
    if (flagged.empty()) return;
    std::string names;
    bool all_syntactic = true;
    for (int c : flagged) {
      if (!names.empty()) names += ",";
      names += Name(c);
      all_syntactic = all_syntactic && Name(c).front() != '`';
    }
    // data.frame() would otherwise rewrite a backquoted name ("my col" to my.col), and a
    // formula naming the column would no longer find it in the frame.
    if (!all_syntactic) names += ",check.names=FALSE";
    Append("\nrcodedata<-data.frame(" + names + ")\n");
  }

  void Matrix() {
    const std::vector<int> flagged = Flagged();
    Append("\nrcodetempdata<-c(" + Names(flagged, ",") + ")\n");
    char line[64];
    std::snprintf(line, sizeof line, "\nrcodedata<-matrix(rcodetempdata,ncol=%d)\n", static_cast<int>(flagged.size()));
    Append(line);
  }

  void PooledValues() {
    std::vector<std::string> all;
    for (int c : Flagged())
      for (std::string& v : Values(c)) all.push_back(std::move(v));
    Append("\nrtaishoudata<-c(" + Join(all, false) + ")\n");
  }

  void GroupLabels() {
    std::vector<std::string> labels;
    for (int c : Flagged()) {
      const std::string label = Label(c);
      labels.insert(labels.end(), Values(c).size(), label);
    }
    Append("\nrgroupdata<-c(" + Join(labels, false) + ")\n");
  }

  void RepetitionIndex() {
    const std::vector<int> flagged = Flagged();
    const std::size_t n = flagged.empty() ? 0 : Values(flagged.back()).size();
    std::vector<std::string> index;
    for (std::size_t k = 0; k < flagged.size(); ++k)
      for (std::size_t i = 1; i <= n; ++i) {
        std::string quoted = "\"";
        quoted += std::to_string(i);
        quoted += '"';
        index.push_back(std::move(quoted));
      }
    Append("\nrrepeatdata<-c(" + Join(index, false) + ")\n");
  }

  std::string Names(const std::vector<int>& columns, const char* separator) const {
    std::string names;
    for (std::size_t i = 0; i < columns.size(); ++i) {
      if (i > 0) names += separator;
      names += Name(columns[i]);
    }
    return names;
  }

  // A selected cell's text as it goes into a table: data cells can hold only a sign, digits
  // and a point and are written as they are; a cell of the name row or the label column is
  // written as a string, so no text of the sheet runs as R code.
  std::string CellText(int c, int r) const {
    const std::string_view text = doc_.Text(c, r);
    if (c >= 1 && r >= 1) return std::string(text);
    return text.empty() ? std::string() : RStringLiteral(text);
  }

  const CORVELDoc& Doc() const { return doc_; }

 private:
  static std::string Join(const std::vector<std::string>& values, bool quoted) {
    std::string joined;
    for (std::size_t i = 0; i < values.size(); ++i) {
      if (i > 0) joined += ",";
      if (quoted) joined += "\"" + values[i] + "\"";
      else joined += values[i];
    }
    return joined;
  }

  const CORVELDoc& doc_;
  RCodeOutcome out_;
};

// Column numbers in ascending order, each once, within 1..100.
std::vector<int> ColumnOrder(std::vector<int> columns) {
  std::erase_if(columns, [](int c) { return c < 1 || c > kLastColumn; });
  std::sort(columns.begin(), columns.end());
  columns.erase(std::unique(columns.begin(), columns.end()), columns.end());
  return columns;
}

bool ValidColumn(int c) { return c >= 1 && c <= kLastColumn; }

RCodeOutcome TwoColumnCommand(Builder& b, RCodeCommand command, int x, int y) {
  const std::string X = b.Name(x), Y = b.Name(y);
  // The commands that compare pairs check first that X and Y hold data in the same rows.
  const char* pairing = nullptr;
  switch (command) {
    case C::kPairedTTest: pairing = kXYNotPaired; break;
    case C::kWilcoxonSignedRankTest:
    case C::kCorrelationCoefficients:
    case C::kScatterPlot: pairing = kXYNotPairedSetting; break;
    default: break;
  }
  if (pairing != nullptr) {
    b.SetFlags({x, y});
    if (!b.FlagsPaired()) return b.Refuse(pairing);
  }
  b.NumericVector(x);
  b.NumericVector(y);
  switch (command) {
    case C::kPairedTTest: b.Append("\nt.test(" + X + "," + Y + ",paired=TRUE)\n"); break;
    case C::kUnpairedTTest:
      b.Append("\nt.test(" + X + "," + Y + ",paired=FALSE,var.equal=TRUE)\n");
      b.Append("\nt.test(" + X + "," + Y + ",paired=FALSE,var.equal=FALSE)\n");
      break;
    case C::kFTest: b.Append("\nvar.test(" + X + "," + Y + ")\n"); break;
    case C::kWilcoxonSignedRankTest: b.Append("\nwilcox.test(" + X + "," + Y + ",paired=TRUE)\n"); break;
    case C::kMannWhitneyUTest: b.Append("\nwilcox.test(" + X + "," + Y + ",paired=FALSE)\n"); break;
    case C::kCorrelationCoefficients:
      for (const char* method :
           {"method=\"pearson\")\n", "method=\"kendall\",exact=TRUE)\n", "method=\"spearman\")\n"})
        b.Append("\ncor.test(" + X + "," + Y + "," + method);
      break;
    case C::kScatterPlot: b.Append("\nplot(" + X + "," + Y + ")\n"); break;
    default: break;
  }
  return b.Done();
}

RCodeOutcome PairwiseComparison(Builder& b, const std::vector<int>& columns, bool wilcox, bool paired) {
  b.SetFlags(columns);
  if (paired && !b.FlagsPaired()) return b.Refuse(kNotRelatedSetting);
  b.PooledValues();
  b.GroupLabels();
  for (const char* method : {"holm", "hochberg", "hommel", "bonferroni"})
    b.Append(std::string("\n") + (wilcox ? "pairwise.wilcox.test" : "pairwise.t.test") +
             "(rtaishoudata,rgroupdata,p.adj=\"" + method + "\",paired=" + (paired ? "TRUE" : "FALSE") + ")\n");
  return b.Done();
}

// The regressions and ANOVA: the explanatory (factor) columns, the checks, then the dependent
// (numeric) variable joins the data frame for the model and leaves the flags again.
RCodeOutcome ModelCommand(Builder& b, RCodeCommand command, const std::vector<int>& columns, int dependent) {
  const bool anova = command == C::kAnova;
  b.SetFlags(columns);
  for (int c : columns) {
    if (anova) b.QuotedVector(c);
    else b.NumericVector(c);
  }
  // The dependent column is checked with the others: with gaps of its own it would give R
  // vectors of different lengths and the model would stop with an error.
  std::vector<int> checked = columns;
  checked.push_back(dependent);
  if (!b.Paired(checked)) return b.Refuse(anova ? kFactorsNotPaired : kRegressionNotRelated);
  if (std::find(columns.begin(), columns.end(), dependent) != columns.end())
    return b.Refuse(anova ? kSettingNotCorrect : kDependentIsExplanatory);
  b.Flag(dependent, true);
  b.NumericVector(dependent);
  b.DataFrame();
  b.Flag(dependent, false);
  const std::string Y = b.Name(dependent);
  switch (command) {
    case C::kAnova:
      b.Append("\nanovadata<-aov(" + Y + "~" + b.Names(columns, "*") + ",rcodedata)\nsummary(anovadata)\n");
      return b.Done();
    case C::kMultipleRegression:
      b.Append("\nmultiregdata<-lm(" + Y + "~.,rcodedata)\n");
      b.Append("summary(multiregdata)\n");
      break;
    case C::kLogisticRegression:
      b.Append("\nlogisticdata<-glm(" + Y + "~., binomial,rcodedata)\n");
      b.Append("summary(logisticdata)\n");
      b.Append("\nexp(coef(logisticdata))\nexp(confint(logisticdata))\n");
      break;
    default:
      b.Append("\nprobitdata<-glm(" + Y + "~., family=binomial(\"probit\"),rcodedata)\n");
      b.Append("summary(probitdata)\n");
      break;
  }
  // A model without explanatory variables is built but not copied.
  return b.Done(!columns.empty());
}

RCodeOutcome TableCommand(Builder& b, bool fisher) {
  const Selection& s = b.Doc().GetSelection();
  const int left = s.LeftColumn(), right = s.RightColumn(), top = s.TopRow(), bottom = s.BottomRow();
  const int columns = right - left + 1, rows = bottom - top + 1;
  if (fisher) {
    if (columns != 2 || rows != 2) return b.Refuse(kFisherShape);
    b.Append("\nfisher.test(matrix(c(" + b.CellText(left, top) + "," + b.CellText(right, top) + "," +
             b.CellText(left, bottom) + "," + b.CellText(right, bottom) + "),nrow=2,ncol=2))\n");
    return b.Done();
  }
  if (columns < 2 || rows < 2) return b.Refuse(kChiSquareShape);
  std::string cells;
  for (int c = left; c <= right; ++c)
    for (int r = top; r <= bottom; ++r) cells += b.CellText(c, r) + (c == right && r == bottom ? "" : ",");
  b.Append("\nchisq.test(matrix(c(" + cells + "),nrow=" + std::to_string(rows) + ",ncol=" +
           std::to_string(columns) + "))\n");
  return b.Done();
}

}  // namespace

const std::vector<RCodeCommandInfo>& RCodeCommandTable() { return kTable; }

const RCodeCommandInfo& RCodeCommandInfoOf(RCodeCommand command) {
  for (const RCodeCommandInfo& info : kTable)
    if (info.command == command) return info;
  return kTable.front();
}

const RCodeCommandInfo* FindRCodeCommand(std::string_view name) {
  for (const RCodeCommandInfo& info : kTable)
    if (name == info.name) return &info;
  return nullptr;
}

bool IsSyntacticRName(std::string_view name) {
  if (name.empty() || IsReservedRWord(name)) return false;
  for (char c : name)
    if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != '.' && c != '_') return false;
  // A name starts with a letter, or with a point not followed by a digit.
  if (IsAsciiLetter(name[0])) return true;
  return name[0] == '.' && (name.size() == 1 || !IsAsciiDigit(name[1]));
}

std::string RColumnName(const CORVELDoc& doc, int column) {
  const std::string_view text = doc.Text(column, 0);
  if (text.empty()) return "Col" + std::to_string(column);
  if (IsSyntacticRName(text)) return std::string(text);
  std::string quoted = "`";
  for (char c : text) {
    if (c == '`' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "`";
}

std::string RStringLiteral(std::string_view text) {
  std::string literal = "\"";
  for (char c : text) {
    switch (c) {
      case '"': literal += "\\\""; break;
      case '\\': literal += "\\\\"; break;
      case '\n': literal += "\\n"; break;
      case '\r': literal += "\\r"; break;
      case '\t': literal += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\x%02x", static_cast<unsigned>(static_cast<unsigned char>(c)));
          literal += escaped;
        } else {
          literal += c;
        }
    }
  }
  return literal + "\"";
}

RCodeOutcome GenerateRCode(RCodeCommand command, const RCodePicks& picks, const CORVELDoc& doc) {
  Builder b(doc);
  const RCodeCommandInfo& info = RCodeCommandInfoOf(command);
  const std::vector<int> columns = ColumnOrder(picks.columns);

  switch (info.layout) {
    case L::kSelection: return TableCommand(b, command == C::kFisherExactTest);
    case L::kXAndY:
      if (!ValidColumn(picks.x) || !ValidColumn(picks.y)) return b.Refuse(kSettingNotCorrect);
      return TwoColumnCommand(b, command, picks.x, picks.y);
    case L::kSingle:
      if (!ValidColumn(picks.column)) return b.Refuse(kSettingNotCorrect);
      b.NumericVector(picks.column);
      b.Append("\nhist(" + b.Name(picks.column) + ")\n");
      return b.Done();
    case L::kDependentAndList:
      if (!ValidColumn(picks.dependent)) return b.Refuse(kSettingNotCorrect);
      // ANOVA without a factor would be an unfinished formula.
      if (command == C::kAnova && columns.empty()) return b.Refuse(kSettingNotCorrect);
      return ModelCommand(b, command, columns, picks.dependent);
    case L::kList: break;
  }

  // The list commands: an empty list would leave an unfinished call.
  if (columns.empty()) return b.Refuse(kSettingNotCorrect);
  const std::string names = b.Names(columns, ",");
  switch (command) {
    case C::kSummaryStatistics:
      for (int c : columns) b.NumericVector(c);
      for (int c : columns) b.Append("\nsummary(" + b.Name(c) + ")\nsd(" + b.Name(c) + ")");
      b.Append("\n");
      return b.Done();
    case C::kOnewayAnovaFactorial:
    case C::kOnewayAnovaRepeated: {
      const bool repeated = command == C::kOnewayAnovaRepeated;
      b.SetFlags(columns);
      // The repetition index numbers the rows of each column; with gaps in different rows the
      // index and the values would differ in length.
      if (repeated && !b.FlagsPaired()) return b.Refuse(kNotRelatedSetting);
      b.PooledValues();
      b.GroupLabels();
      if (repeated) {
        b.RepetitionIndex();
        b.Append("\nsummary(aov(rtaishoudata~rgroupdata*rrepeatdata))\n");
      } else {
        b.Append("\nsummary(aov(rtaishoudata~rgroupdata))\n");
      }
      return b.Done();
    }
    case C::kBartlettTest:
    case C::kKruskalWallisTest:
      for (int c : columns) b.NumericVector(c);
      b.Append(std::string("\n") + (command == C::kBartlettTest ? "bartlett.test" : "kruskal.test") + "(list(" + names +
               "))\n");
      return b.Done();
    case C::kBoxPlot:
      for (int c : columns) b.NumericVector(c);
      b.Append("\nboxplot(" + names + ")\n");
      return b.Done();
    case C::kFriedmanTest:
    case C::kPrincipalComponents:
    case C::kScatterPlotMatrix:
      b.SetFlags(columns);
      for (int c : columns) b.NumericVector(c);
      if (!b.FlagsPaired()) return b.Refuse(command == C::kFriedmanTest ? kFriedmanNotRelated : kNotRelatedSetting);
      if (command == C::kFriedmanTest) {
        b.Matrix();
        b.Append("\nfriedman.test(rcodedata)\n");
      } else {
        b.DataFrame();
        b.Append(command == C::kPrincipalComponents ? "\nsummary(princomp(rcodedata))\n" : "\npairs(rcodedata)\n");
      }
      return b.Done();
    case C::kMultipleComparisonParametric: return PairwiseComparison(b, columns, false, false);
    case C::kMultipleComparisonParametricRelated: return PairwiseComparison(b, columns, false, true);
    case C::kMultipleComparisonNonparametric: return PairwiseComparison(b, columns, true, false);
    case C::kMultipleComparisonNonparametricRelated: return PairwiseComparison(b, columns, true, true);
    default: return b.Refuse(kSettingNotCorrect);
  }
}

}  // namespace orvel
