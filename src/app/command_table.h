// The command table: one row per menu command, with everything the program needs to know
// about it in one place. The desktop window builds its menus, toolbar, status prompts and
// availability checks from it; the macro compiler takes its keyword names and the executor its
// keyword dispatch from it; a command's recorded statement is made from its keyword; the list of
// commands in docs/batch.md is kept equal to it by a test.
//
// Adding a command is one row here, one handler (a CORVELView method) and its report. A row
// without a handler is a command still to come: its menu entry is shown disabled and its
// keyword says "This command is not available yet.".
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "app/command_availability.h"

namespace orvel {

class CORVELView;

// Every command, in menu order.
enum class CommandId {
  // File.
  kFileNew,
  kFileOpen,
  kFileSave,
  kFileSaveAs,
  kOpenTextFile,
  kSaveDataSheetAsText,
  kSaveResultAsText,
  kSaveGraph,
  kPrint,
  kPrintPreview,
  kPrintSetup,
  kExit,
  // Edit.
  kUndo,
  kCut,
  kCopy,
  kPaste,
  kFillRight,
  kFillLeft,
  kFillUp,
  kFillDown,
  kDelete,
  kSort,
  // Data Settings.
  kTwoGroupsSetting,
  kGroupColumnsSetting,
  kTwowayDataSetting,
  kMultipleRegressionSetting,
  kPcaSetting,
  kDiscriminantSetting,
  kObjectDataOption,
  kNumberOfRows,
  // Statistics.
  kSummaryStatistics,
  kFrequencyDistribution,
  kFTest,
  kBartlettTest,
  kPairedTTest,
  kUnpairedTTest,
  kOnewayAnova,
  kTwowayAnovaWithoutReplication,
  kTwowayAnova,
  kFisherExactTest,
  kChiSquareTest,
  kGoodnessOfFitTest,
  kWilcoxonSignedRankTest,
  kMannWhitneyUTest,
  kKruskalWallisTest,
  kFriedmanTest,
  kThompsonRejectionTest,
  kSmirnovGrubbsTest,
  kPrincipalComponentAnalysis,
  kDiscriminantAnalysis,
  kRandomNumbersTable,
  // Correlation.
  kRegressionLine,
  kRegressionCurve,
  kSpearmanRankCorrelation,
  kKendallRankCorrelation,
  kMultipleRegressionAnalysis,
  kLogisticRegressionAnalysis,
  kIntraclassCorrelation,
  // Graph.
  kScatterPlot,
  kScatterPlotMatrix,
  kHistogram,
  kLinePlotTwoGroups,
  kLinePlotTwoRelatedGroups,
  kLinePlotGroups,
  kLinePlotRelatedGroups,
  kLinePlotTwoway,
  kBoxPlotTwoGroups,
  kBoxPlotGroups,
  kBarPlotTwoGroups,
  kBarPlotGroups,
  kBarPlotTwoway,
  // R Language.
  kRSummaryStatistics,
  kRPairedTTest,
  kRUnpairedTTest,
  kROnewayAnovaFactorial,
  kROnewayAnovaRepeated,
  kRAnova,
  kRFTest,
  kRBartlettTest,
  kRFisherExactTest,
  kRChiSquareTest,
  kRWilcoxonSignedRankTest,
  kRMannWhitneyUTest,
  kRKruskalWallisTest,
  kRFriedmanTest,
  kRCorrelationCoefficients,
  kRMultipleRegression,
  kRLogisticRegression,
  kRProbitRegression,
  kRPrincipalComponentAnalysis,
  kRMultipleComparisonParametric,
  kRMultipleComparisonParametricRelated,
  kRMultipleComparisonNonparametric,
  kRMultipleComparisonNonparametricRelated,
  kRScatterPlot,
  kRScatterPlotMatrix,
  kRHistogram,
  kRBoxPlot,
  kRHowToUse,
  kRDownload,
  // Macro.
  kStartMacroRecord,
  kEndMacroRecord,
  kRunMacro,
  kConvertPreviousMacroFiles,
  // Window.
  kShowDataSheet,
  kShowResult,
  kRunCalculator,
  // Help.
  kAbout,
  kWebsite,
  kHelpTopics,
};

using CommandHandler = void (*)(CORVELView&);

// How a command runs.
enum class CommandRunner {
  kNotBuilt,  // still to come: shown disabled; its keyword says so
  kCore,      // the row's handler, the same from the menu, a key and a macro keyword
  kFrontEnd,  // the window's own (the recent-file list, printing, the macro run, help, exit)
};

struct CommandRow {
  CommandId id;
  // The menu, with a submenu after a slash: "&R Language/&Graph".
  std::string_view menu;
  // The menu text with its mnemonic: "Cut(&T)".
  std::string_view text;
  bool separator_before = false;
  // The key shown after the text ("Ctrl+X"), and further keys not shown, separated by '|'.
  std::string_view accelerator = {};
  std::string_view more_keys = {};
  // The status bar's prompt while the entry is highlighted.
  std::string_view prompt = {};
  CommandKind availability = CommandKind::kAlways;
  // The macro statement that runs the command and that the command records; empty when none.
  std::string_view keyword = {};
  CommandRunner runner = CommandRunner::kNotBuilt;
  CommandHandler handler = nullptr;

  // The menu's convention: an ellipsis says the command asks for more (a dialog) first.
  bool OpensDialog() const { return text.ends_with("..."); }
};

// A toolbar button: its command, the desktop theme's icon name, and a gap before it.
struct ToolbarButton {
  CommandId id;
  std::string_view icon;
  bool gap_before = false;
};

// The whole table, in menu order.
std::span<const CommandRow> CommandTable();
// The toolbar's buttons, in their order.
std::span<const ToolbarButton> ToolbarButtons();
const CommandRow& Command(CommandId id);
// The row whose keyword is `keyword` (exact, case-sensitive), or null.
const CommandRow* FindCommandByKeyword(std::string_view keyword);
// A command's recorded statement: "keyword();\r\n".
std::string CommandStatement(CommandId id);
// The text of a menu entry without its mnemonic and ellipsis: "Save Graph As Enhanced Meta File".
std::string MenuPlainName(std::string_view text);

}  // namespace orvel
