// The R Language menu's code generator: R source for chosen columns of the sheet, to be pasted
// into R. Each command is a pure function of the picked columns and the sheet: it returns the
// code (or the refusal of a failed check) and leaves the document to its caller.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/orvel_doc.h"

namespace orvel {

enum class RCodeCommand {
  kSummaryStatistics,
  kPairedTTest,
  kUnpairedTTest,
  kOnewayAnovaFactorial,
  kOnewayAnovaRepeated,
  kAnova,
  kFTest,
  kBartlettTest,
  kFisherExactTest,
  kChiSquareTest,
  kWilcoxonSignedRankTest,
  kMannWhitneyUTest,
  kKruskalWallisTest,
  kFriedmanTest,
  kCorrelationCoefficients,
  kMultipleRegression,
  kLogisticRegression,
  kProbitRegression,
  kPrincipalComponents,
  kMultipleComparisonParametric,
  kMultipleComparisonParametricRelated,
  kMultipleComparisonNonparametric,
  kMultipleComparisonNonparametricRelated,
  kScatterPlot,
  kScatterPlotMatrix,
  kHistogram,
  kBoxPlot,
};

// How a command's columns are chosen: the sheet's selection, or one of the four pickers.
enum class RPickerLayout { kSelection, kList, kXAndY, kDependentAndList, kSingle };

struct RCodeCommandInfo {
  RCodeCommand command;
  const char* menu_text;      // as the menu shows it, mnemonic and dots included
  const char* name;           // without them: the name orvel-batch --rcode takes
  const char* dialog_title;   // the picker's title; empty for the selection commands
  RPickerLayout layout;
  const char* upper_caption;  // dependent-and-list: the single box's caption
  const char* lower_caption;  // dependent-and-list: the list's caption
  bool graph_submenu;         // in the menu's Graph submenu
};

// Every code command in menu order (the Graph submenu's four last).
const std::vector<RCodeCommandInfo>& RCodeCommandTable();
const RCodeCommandInfo& RCodeCommandInfoOf(RCodeCommand command);
// By the name without mnemonic and dots ("Summary Statistis"); nullptr when none has it.
const RCodeCommandInfo* FindRCodeCommand(std::string_view name);

// The columns a picker returned (column numbers 1..100).
struct RCodePicks {
  std::vector<int> columns;  // the list, or the lower list (factors, explanatory variables)
  int x = 1;
  int y = 2;
  int dependent = 1;  // the upper box: dependent or numeric variable
  int column = 0;     // the single layout; 0 when none was chosen
};

struct RCodeOutcome {
  std::string text;     // the code; after a refusal the part built before the check
  std::string refusal;  // a failed check's message (title "ORVEL"); empty when none failed
  bool copy = false;    // whether the code goes to the clipboard
  std::array<unsigned char, kColumnCount> flags{};  // RCodeColumns after the command
};

// Builds one command's code. `doc` gives the sheet, the selection and the R code flags the
// command starts from.
RCodeOutcome GenerateRCode(RCodeCommand command, const RCodePicks& picks, const CORVELDoc& doc);

// A column's name in R code: the row-0 text as it is when it is a syntactic R name, else
// between backquotes (with backquotes and backslashes escaped), so that the code parses. An
// unnamed column is called Col<number>.
std::string RColumnName(const CORVELDoc& doc, int column);
bool IsSyntacticRName(std::string_view name);
// A text as an R string literal in double quotes; quotes, backslashes and control characters
// escaped so nothing of the text can end the literal.
std::string RStringLiteral(std::string_view text);

}  // namespace orvel
