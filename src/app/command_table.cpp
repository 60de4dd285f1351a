#include "app/command_table.h"

#include <cstddef>
#include <vector>

#include "app/orvel_view.h"
#include "graph/bar_plot.h"
#include "graph/box_plot.h"
#include "graph/line_plot_data.h"
#include "macro/keywords.h"
#include "rcode/rcode_generator.h"

namespace orvel {

namespace {

using C = CommandId;
using K = CommandKind;
constexpr CommandRunner kCore = CommandRunner::kCore;
constexpr CommandRunner kFrontEnd = CommandRunner::kFrontEnd;

constexpr const char* kDrawAGraph = "Draw a graph";
constexpr const char* kRCode = "Create R code and copy it to the clipboard";

// The rows, in menu order (the Statistics menu is in the order of its macro statements).
// Kept out of the formatter: a row reads best as a few lines, not one line per field.
// clang-format off
constexpr CommandRow kRows[] = {
    // ---- File ----
    {.id = C::kFileNew, .menu = "&File", .text = "&New", .accelerator = "Ctrl+N",
     .prompt = "Create a new document", .availability = K::kNotRecording,
     .runner = kCore, .handler = [](CORVELView& v) { v.OnFileNew(); }},
    // Open and Save add the file to the window's recent-file list.
    {.id = C::kFileOpen, .menu = "&File", .text = "&Open...", .accelerator = "Ctrl+O",
     .prompt = "Open an existing document", .availability = K::kNotRecording,
     .runner = kFrontEnd},
    {.id = C::kFileSave, .menu = "&File", .text = "&Save", .accelerator = "Ctrl+S",
     .prompt = "Save the active document", .availability = K::kNotRecording,
     .runner = kFrontEnd},
    {.id = C::kFileSaveAs, .menu = "&File", .text = "Save &As...", .prompt = "Save the active document with a new name",
     .availability = K::kNotRecording, .runner = kFrontEnd},
    {.id = C::kOpenTextFile, .menu = "&File", .text = "Open Text File(&F)...", .separator_before = true,
     .prompt = "Open a textfile", .availability = K::kNotRecording, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnOpenTextFile(); }},
    {.id = C::kSaveDataSheetAsText, .menu = "&File", .text = "Save Data Sheet As Text File(&D)...",
     .prompt = "Save the active data sheet as a textfile", .keyword = "savedata", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnSaveDataSheetAsTextFile(); }},
    {.id = C::kSaveResultAsText, .menu = "&File", .text = "Save Result As Text File(&T)...",
     .prompt = "Save the active result as a textfile", .keyword = "saveresult", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnSaveResultAsTextFile(); }},
    {.id = C::kSaveGraph, .menu = "&File", .text = "Save Graph As Enhanced Meta File(&G)...",
     .prompt = "Save the active graph as an enhanced metafile", .availability = K::kSaveGraph,
     .keyword = "savegraph", .runner = kCore, .handler = [](CORVELView& v) { v.OnSaveGraph(); }},
    {.id = C::kPrint, .menu = "&File", .text = "&Print...", .separator_before = true, .accelerator = "Ctrl+P",
     .prompt = "Print the active document", .availability = K::kPrint,  .runner = kFrontEnd},
    {.id = C::kPrintPreview, .menu = "&File", .text = "Print Pre&view", .prompt = "Display full pages",
     .availability = K::kPrint, .runner = kFrontEnd},
    {.id = C::kPrintSetup, .menu = "&File", .text = "P&rint Setup...",
     .prompt = "Change the printer and printing options", .availability = K::kNotRecording, .runner = kFrontEnd},
    // The recent files come between Print Setup and Exit.
    {.id = C::kExit, .menu = "&File", .text = "E&xit", .separator_before = true,
     .prompt = "Quit the application; prompts to save documents", .runner = kFrontEnd},

    // ---- Edit ---- (Undo has no handler: nothing to undo.)
    {.id = C::kUndo, .menu = "&Edit", .text = "&Undo", .accelerator = "Ctrl+Z", .more_keys = "Alt+Backspace",
     .prompt = "Undo the last action"},
    {.id = C::kCut, .menu = "&Edit", .text = "Cut(&T)", .separator_before = true, .accelerator = "Ctrl+X",
     .more_keys = "Shift+Delete", .prompt = "Cut the selection and put it on the Clipboard",
     .availability = K::kCut, .keyword = "cut",
     .runner = kCore, .handler = [](CORVELView& v) { v.OnEditCut(); }},
    {.id = C::kCopy, .menu = "&Edit", .text = "Copy(&C)", .accelerator = "Ctrl+C", .more_keys = "Ctrl+Insert",
     .prompt = "Copy the selection and put it on the Clipboard", .availability = K::kCopy, .keyword = "copy", .runner = kCore, .handler = [](CORVELView& v) { v.OnEditCopy(); }},
    {.id = C::kPaste, .menu = "&Edit", .text = "Paste(&P)", .accelerator = "Ctrl+V", .more_keys = "Shift+Insert",
     .prompt = "Insert Clipboard contents", .availability = K::kPaste, .keyword = "paste", .runner = kCore, .handler = [](CORVELView& v) { v.OnEditPaste(); }},
    {.id = C::kFillRight, .menu = "&Edit", .text = "Fill Right(&R)", .separator_before = true,
     .prompt = "Fill right in datasheet", .availability = K::kFillRight, .keyword = "copyright", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnFillRight(); }},
    {.id = C::kFillLeft, .menu = "&Edit", .text = "Fill Left(&L)", .prompt = "Fill left in datasheet",
     .availability = K::kFillLeft, .keyword = "copyleft", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnFillLeft(); }},
    {.id = C::kFillUp, .menu = "&Edit", .text = "Fill Up(&U)", .prompt = "Fill up in datasheet",
     .availability = K::kFillUp, .keyword = "copyup", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnFillUp(); }},
    {.id = C::kFillDown, .menu = "&Edit", .text = "Fill Down(&B)", .prompt = "Fill down in datasheet",
     .availability = K::kFillDown, .keyword = "copydown", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnFillDown(); }},
    {.id = C::kDelete, .menu = "&Edit", .text = "Delete(&D)", .separator_before = true, .accelerator = "Delete",
     .prompt = "Dlete data", .availability = K::kDelete, .keyword = "del", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnEditDelete(); }},
    {.id = C::kSort, .menu = "&Edit", .text = "Sort(&S)...", .prompt = "Sort data", .availability = K::kSort,
     .keyword = "sort", .runner = kCore, .handler = [](CORVELView& v) { v.OnSort(); }},

    // ---- Data Settings ----
    {.id = C::kTwoGroupsSetting, .menu = "&Data Settings", .text = "Oneway Two Groups(&X)...",
     .prompt = "Set the data of two groups", .availability = K::kDataSetting, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnTwoGroupsSetting(); }},
    {.id = C::kGroupColumnsSetting, .menu = "&Data Settings", .text = "Oneway  Three Groups or More(&O)...",
     .prompt = "Set the data of three groups or more", .availability = K::kDataSetting, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnGroupColumnsSetting(); }},
    {.id = C::kTwowayDataSetting, .menu = "&Data Settings", .text = "Twoway Data(&T)...",
     .prompt = "Set the twoway data", .availability = K::kDataSetting, .keyword = "twofactor", .runner = kCore,
     .handler = [](CORVELView& v) { v.EnterTwowayGrid(); }},
    {.id = C::kMultipleRegressionSetting, .menu = "&Data Settings", .text = "Multiple Regression Data(&M)...",
     .prompt = "Set the multiple regression data", .availability = K::kDataSetting, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnMultipleRegressionSetting(); }},
    {.id = C::kPcaSetting, .menu = "&Data Settings", .text = "Principal Component Analysis Data(&S)...",
     .prompt = "Set the principal component analysis data", .availability = K::kDataSetting, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnPcaSetting(); }},
    {.id = C::kDiscriminantSetting, .menu = "&Data Settings", .text = "Discriminant Analysis Data(&H)...",
     .prompt = "Set the discriminant analysis data", .availability = K::kDataSetting, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnDiscriminantSetting(); }},
    {.id = C::kObjectDataOption, .menu = "&Data Settings", .text = "Option for Object Data(&P)...",
     .separator_before = true, .prompt = "Include the object data in the result or not", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnObjectDataOption(); }},
    {.id = C::kNumberOfRows, .menu = "&Data Settings", .text = "Number of Rows(&N)...",
     .prompt = "Set the number of rows", .runner = kCore, .handler = [](CORVELView& v) { v.OnRowNumbers(); }},

    // ---- Statistics ----
    {.id = C::kSummaryStatistics, .menu = "&Statistics", .text = "Summary Statistics(&B)",
     .prompt = "Data : Selected Column", .keyword = "basic", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnSummaryStatistics(); }},
    {.id = C::kFrequencyDistribution, .menu = "&Statistics", .text = "Frequency Distribution(&C)...",
     .prompt = "Data : Selected Column", .keyword = "dosuu", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnFrequencyDistribution(); }},
    {.id = C::kFTest, .menu = "&Statistics", .text = "F Test(&F)", .separator_before = true,
     .prompt = "Data : Oneway Two Groups", .keyword = "f", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnFTest(); }},
    {.id = C::kBartlettTest, .menu = "&Statistics", .text = "Bartlett's Test(&L)",
     .prompt = "Data : Oneway Three Groups or More", .keyword = "bartlett", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnBartlettTest(); }},
    {.id = C::kPairedTTest, .menu = "&Statistics", .text = "Paired t-Test(&P)", .prompt = "Data : Oneway Two Groups",
     .keyword = "pairedt", .runner = kCore, .handler = [](CORVELView& v) { v.OnPairedTTest(); }},
    {.id = C::kUnpairedTTest, .menu = "&Statistics", .text = "Unpaired t-Test(&U)",
     .prompt = "Data : Oneway Two Groups", .keyword = "unpairedt", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnUnpairedTTest(); }},
    {.id = C::kOnewayAnova, .menu = "&Statistics", .text = "OnewayANOVA(&O)...",
     .prompt = "Data : Oneway Three Groups or More", .keyword = "oneway", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnOnewayAnova(); }},
    {.id = C::kTwowayAnovaWithoutReplication, .menu = "&Statistics", .text = "TwowayANOVA without Replication(&T)...",
     .prompt = "Data : Selected Cells", .keyword = "twoway", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnTwowayAnovaWithoutReplication(); }},
    {.id = C::kTwowayAnova, .menu = "&Statistics", .text = "TwowayANOVA(&A)...", .prompt = "Data : Twoway Data",
     .keyword = "twowayrepeat", .runner = kCore, .handler = [](CORVELView& v) { v.OnTwowayAnova(); }},
    {.id = C::kFisherExactTest, .menu = "&Statistics", .text = "Fisher's Exact Test(2x2)(&E)",
     .separator_before = true, .prompt = "Data : Selected Cells (2x2)", .keyword = "fisher", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnFisherExactTest(); }},
    {.id = C::kChiSquareTest, .menu = "&Statistics", .text = "Pearson's Chi-Squared Test(&X)",
     .prompt = "Data : Selected Cells", .keyword = "kai", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnChiSquareTest(); }},
    {.id = C::kGoodnessOfFitTest, .menu = "&Statistics", .text = "Goodness-of-Fit Test(&I)",
     .prompt = "Data : Oneway Two Groups", .keyword = "tekigoudo", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnGoodnessOfFitTest(); }},
    {.id = C::kWilcoxonSignedRankTest, .menu = "&Statistics", .text = "Wilcoxon Signed Rank Test(&W)",
     .separator_before = true, .prompt = "Data : Oneway Two Groups", .keyword = "wilcoxon", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnWilcoxonSignedRankTest(); }},
    {.id = C::kMannWhitneyUTest, .menu = "&Statistics", .text = "Mann-Whitney U Test(&M)",
     .prompt = "Data : Oneway Two Groups", .keyword = "mannwhitney", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnMannWhitneyUTest(); }},
    {.id = C::kKruskalWallisTest, .menu = "&Statistics", .text = "Kruskal-Wallis Rank Sum Test(&K)...",
     .prompt = "Data : Oneway Three Groups or More", .keyword = "kruskalwallis", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnKruskalWallisTest(); }},
    {.id = C::kFriedmanTest, .menu = "&Statistics", .text = "Friedman Rank Sum Test(&D)...",
     .prompt = "Data : Oneway Three Groups or More", .keyword = "friedman", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnFriedmanTest(); }},
    {.id = C::kThompsonRejectionTest, .menu = "&Statistics", .text = "Thompson's Rejection Test(&H)",
     .separator_before = true, .prompt = "Data : Selected Column", .keyword = "thompson", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnThompsonRejectionTest(); }},
    {.id = C::kSmirnovGrubbsTest, .menu = "&Statistics", .text = "Smirnov-Grubbs' Test(&G)",
     .prompt = "Data : Selected Column", .keyword = "smirnov", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnSmirnovGrubbsTest(); }},
    {.id = C::kPrincipalComponentAnalysis, .menu = "&Statistics", .text = "Principal Component Analysis(&S)",
     .separator_before = true, .prompt = "Data : Principal Component Analysis Data", .keyword = "shuseibun", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnPrincipalComponentAnalysis(); }},
    {.id = C::kDiscriminantAnalysis, .menu = "&Statistics", .text = "Discriminant Analysis(&Z)",
     .prompt = "Data : Discriminant Analysis Data", .keyword = "hanbetu", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnDiscriminantAnalysis(); }},
    {.id = C::kRandomNumbersTable, .menu = "&Statistics", .text = "Random Numbers Table(&R)...",
     .separator_before = true, .prompt = "Data : None", .keyword = "random", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnRandomNumbersTable(); }},

    // ---- Correlation ----
    {.id = C::kRegressionLine, .menu = "&Correlation", .text = "Regression Line(&C)",
     .prompt = "Data : Oneway Two Groups", .keyword = "kaikichokusen", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnRegressionLine(); }},
    {.id = C::kRegressionCurve, .menu = "&Correlation", .text = "Regression Curve(&R)...",
     .prompt = "Data : Oneway Two Groups", .keyword = "kaikikyokusen", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnRegressionCurve(); }},
    {.id = C::kSpearmanRankCorrelation, .menu = "&Correlation", .text = "Spearman's Rank Correlation(&S)",
     .prompt = "Data : Oneway Two Groups", .keyword = "spearmanrank", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnSpearmanRankCorrelation(); }},
    {.id = C::kKendallRankCorrelation, .menu = "&Correlation", .text = "Kendall's Rank Correlation(&K)",
     .prompt = "Data : Oneway Two Groups", .keyword = "kendallrank", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnKendallRankCorrelation(); }},
    {.id = C::kMultipleRegressionAnalysis, .menu = "&Correlation", .text = "Multiple Regression Analysis(&M)",
     .prompt = "Data : Multiple Regression Data", .keyword = "multireg", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnMultipleRegressionAnalysis(); }},
    {.id = C::kLogisticRegressionAnalysis, .menu = "&Correlation", .text = "Logistic Regression Analysis(&L)",
     .prompt = "Data : Multiple Regression Data", .keyword = "logistic", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnLogisticRegressionAnalysis(); }},
    {.id = C::kIntraclassCorrelation, .menu = "&Correlation", .text = "Intraclass Correlation Coefficient(&I)",
     .prompt = "Data : Oneway Three Groups or More", .keyword = "icc", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnIntraclassCorrelation(); }},

    // ---- Graph ----
    {.id = C::kScatterPlot, .menu = "&Graph", .text = "Scatter Plot(&S)...", .prompt = kDrawAGraph,
     .keyword = "scatter", .runner = kCore, .handler = [](CORVELView& v) { v.OnScatterPlot(); }},
    // The scatter plot matrix draws the explanatory variables of the multiple regression data.
    {.id = C::kScatterPlotMatrix, .menu = "&Graph", .text = "Scatter Plot Matrix(&M)...",
     .prompt = "Data : Independent Variables of Multiple Regression Data", .keyword = "scatterm", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnScatterPlotMatrix(); }},
    {.id = C::kHistogram, .menu = "&Graph", .text = "Histogram(&H)...", .prompt = kDrawAGraph,
     .keyword = "histogram", .runner = kCore, .handler = [](CORVELView& v) { v.OnHistogram(); }},
    {.id = C::kLinePlotTwoGroups, .menu = "&Graph", .text = "Line Plot (Oneway Two Groups)(&X)...",
     .prompt = kDrawAGraph, .keyword = "oresenxy", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnLinePlot(kLineTwoGroups); }},
    {.id = C::kLinePlotTwoRelatedGroups, .menu = "&Graph", .text = "Line Plot (Oneway Two Related Groups)(&P)...",
     .prompt = kDrawAGraph, .keyword = "oresenxypaired", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnLinePlot(kLineTwoRelated); }},
    {.id = C::kLinePlotGroups, .menu = "&Graph", .text = "Line Plot (Oneway Three Groups or More)(&O)...",
     .prompt = kDrawAGraph, .keyword = "oresenone", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnLinePlot(kLineGroups); }},
    {.id = C::kLinePlotRelatedGroups, .menu = "&Graph",
     .text = "Line Plot (Oneway Three Related Groups or More)(&Q)...", .prompt = kDrawAGraph,
     .keyword = "oresenonepaired", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnLinePlot(kLineRelatedGroups); }},
    {.id = C::kLinePlotTwoway, .menu = "&Graph", .text = "Line Plot (Twoway Data)(&T)...", .prompt = kDrawAGraph,
     .keyword = "oresentwo", .runner = kCore, .handler = [](CORVELView& v) { v.OnLinePlot(kLineTwoway); }},
    {.id = C::kBoxPlotTwoGroups, .menu = "&Graph", .text = "Box Plot (Oneway Two Groups)(&A)...",
     .prompt = kDrawAGraph, .keyword = "hakohigexy",
     .runner = kCore, .handler = [](CORVELView& v) { v.OnBoxPlot(kBoxPlotTwoGroups); }},
    {.id = C::kBoxPlotGroups, .menu = "&Graph", .text = "Box Plot (Oneway Three Groups or More)(&B)...",
     .prompt = kDrawAGraph, .keyword = "hakohigeone",
     .runner = kCore, .handler = [](CORVELView& v) { v.OnBoxPlot(kBoxPlotGroups); }},
    {.id = C::kBarPlotTwoGroups, .menu = "&Graph", .text = "Bar Plot (Oneway Two Groups)(&C)...",
     .prompt = kDrawAGraph, .keyword = "bargraphxy",
     .runner = kCore, .handler = [](CORVELView& v) { v.OnBarPlot(kBarPlotTwoGroups); }},
    {.id = C::kBarPlotGroups, .menu = "&Graph", .text = "Bar Plot (Oneway Three Groups or More)(&D)...",
     .prompt = kDrawAGraph, .keyword = "bargraphone",
     .runner = kCore, .handler = [](CORVELView& v) { v.OnBarPlot(kBarPlotGroups); }},
    {.id = C::kBarPlotTwoway, .menu = "&Graph", .text = "Bar Plot (Twoway Data)(&E)...", .prompt = kDrawAGraph,
     .keyword = "bargraphtwo",
     .runner = kCore, .handler = [](CORVELView& v) { v.OnBarPlot(kBarPlotTwoway); }},

    // ---- R Language ---- (each copies R code to the clipboard)
    {.id = C::kRSummaryStatistics, .menu = "&R Language", .text = "Summary Statistis(&B)...", .prompt = kRCode,
     .availability = K::kNotRecording, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnRCodeCommand(RCodeCommand::kSummaryStatistics); }},
    {.id = C::kRPairedTTest, .menu = "&R Language", .text = "Paired t-Test(&P)...", .prompt = kRCode,
     .availability = K::kNotRecording, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnRCodeCommand(RCodeCommand::kPairedTTest); }},
    {.id = C::kRUnpairedTTest, .menu = "&R Language", .text = "Unpaired t-Test(&U)...", .prompt = kRCode,
     .availability = K::kNotRecording, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnRCodeCommand(RCodeCommand::kUnpairedTTest); }},
    {.id = C::kROnewayAnovaFactorial, .menu = "&R Language", .text = "Oneway ANOVA(Factorial)(&I)...",
     .prompt = kRCode, .availability = K::kNotRecording, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnRCodeCommand(RCodeCommand::kOnewayAnovaFactorial); }},
    {.id = C::kROnewayAnovaRepeated, .menu = "&R Language", .text = "Oneway ANOVA(Repeated Measures)(&J)...",
     .prompt = kRCode, .availability = K::kNotRecording, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnRCodeCommand(RCodeCommand::kOnewayAnovaRepeated); }},
    {.id = C::kRAnova, .menu = "&R Language", .text = "ANOVA(&V)...", .prompt = kRCode,
     .availability = K::kNotRecording, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnRCodeCommand(RCodeCommand::kAnova); }},
    {.id = C::kRFTest, .menu = "&R Language", .text = "F Test(&F)...", .prompt = kRCode,
     .availability = K::kNotRecording, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnRCodeCommand(RCodeCommand::kFTest); }},
    {.id = C::kRBartlettTest, .menu = "&R Language", .text = "Bartlett's Test(&L)...", .prompt = kRCode,
     .availability = K::kNotRecording, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnRCodeCommand(RCodeCommand::kBartlettTest); }},
    {.id = C::kRFisherExactTest, .menu = "&R Language", .text = "Fisher's Exact Test(2x2)(&E)...", .prompt = kRCode,
     .availability = K::kNotRecording, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnRCodeCommand(RCodeCommand::kFisherExactTest); }},
    {.id = C::kRChiSquareTest, .menu = "&R Language", .text = "Pearson's Chi-Squared Test(&X)...", .prompt = kRCode,
     .availability = K::kNotRecording, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnRCodeCommand(RCodeCommand::kChiSquareTest); }},
    {.id = C::kRWilcoxonSignedRankTest, .menu = "&R Language", .text = "Wilcoxon Signed Rank Test(&W)...",
     .prompt = kRCode, .availability = K::kNotRecording, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnRCodeCommand(RCodeCommand::kWilcoxonSignedRankTest); }},
    {.id = C::kRMannWhitneyUTest, .menu = "&R Language", .text = "Mann-Whitney U Test(&M)...", .prompt = kRCode,
     .availability = K::kNotRecording, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnRCodeCommand(RCodeCommand::kMannWhitneyUTest); }},
    {.id = C::kRKruskalWallisTest, .menu = "&R Language", .text = "Kruskal-Wallis Rank Sum Test(&K)...",
     .prompt = kRCode, .availability = K::kNotRecording, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnRCodeCommand(RCodeCommand::kKruskalWallisTest); }},
    {.id = C::kRFriedmanTest, .menu = "&R Language", .text = "Friedman Rank Sum Test(&D)...", .prompt = kRCode,
     .availability = K::kNotRecording, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnRCodeCommand(RCodeCommand::kFriedmanTest); }},
    {.id = C::kRCorrelationCoefficients, .menu = "&R Language", .text = "Correlation Coefficients(&C)...",
     .prompt = kRCode, .availability = K::kNotRecording, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnRCodeCommand(RCodeCommand::kCorrelationCoefficients); }},
    {.id = C::kRMultipleRegression, .menu = "&R Language", .text = "Multiple Regression Analysis(&R)...",
     .prompt = kRCode, .availability = K::kNotRecording, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnRCodeCommand(RCodeCommand::kMultipleRegression); }},
    {.id = C::kRLogisticRegression, .menu = "&R Language", .text = "Logistic Regression Analysis(&O)...",
     .prompt = kRCode, .availability = K::kNotRecording, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnRCodeCommand(RCodeCommand::kLogisticRegression); }},
    {.id = C::kRProbitRegression, .menu = "&R Language", .text = "Probit Regression Analysis(&G)...",
     .prompt = kRCode, .availability = K::kNotRecording, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnRCodeCommand(RCodeCommand::kProbitRegression); }},
    {.id = C::kRPrincipalComponentAnalysis, .menu = "&R Language", .text = "Principal Component Analysis(&S)...",
     .prompt = kRCode, .availability = K::kNotRecording, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnRCodeCommand(RCodeCommand::kPrincipalComponents); }},
    {.id = C::kRMultipleComparisonParametric, .menu = "&R Language",
     .text = "Multiple Comparison(Parametric : Non Related Data)(&H)...", .prompt = kRCode,
     .availability = K::kNotRecording, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnRCodeCommand(RCodeCommand::kMultipleComparisonParametric); }},
    {.id = C::kRMultipleComparisonParametricRelated, .menu = "&R Language",
     .text = "Multiple Comparison(Parametric : Related Data)(&Y)...", .prompt = kRCode,
     .availability = K::kNotRecording, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnRCodeCommand(RCodeCommand::kMultipleComparisonParametricRelated); }},
    {.id = C::kRMultipleComparisonNonparametric, .menu = "&R Language",
     .text = "Multiple Comparison(Nonparametric : Non Related Data)(&N)...", .prompt = kRCode,
     .availability = K::kNotRecording, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnRCodeCommand(RCodeCommand::kMultipleComparisonNonparametric); }},
    {.id = C::kRMultipleComparisonNonparametricRelated, .menu = "&R Language",
     .text = "Multiple Comparison(Nonparametric : Related Data)(&Z)...", .prompt = kRCode,
     .availability = K::kNotRecording, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnRCodeCommand(RCodeCommand::kMultipleComparisonNonparametricRelated); }},
    // The graphs' code has a submenu of its own (its mnemonics repeat those of the menu above).
    {.id = C::kRScatterPlot, .menu = "&R Language/&Graph", .text = "Scatter Plot(&S)...", .prompt = kRCode,
     .availability = K::kNotRecording, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnRCodeCommand(RCodeCommand::kScatterPlot); }},
    {.id = C::kRScatterPlotMatrix, .menu = "&R Language/&Graph", .text = "Scatter Plot Matrix(&M)...",
     .prompt = kRCode, .availability = K::kNotRecording, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnRCodeCommand(RCodeCommand::kScatterPlotMatrix); }},
    {.id = C::kRHistogram, .menu = "&R Language/&Graph", .text = "Histogram(&H)...", .prompt = kRCode,
     .availability = K::kNotRecording, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnRCodeCommand(RCodeCommand::kHistogram); }},
    {.id = C::kRBoxPlot, .menu = "&R Language/&Graph", .text = "Box Plot(&B)...", .prompt = kRCode,
     .availability = K::kNotRecording, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnRCodeCommand(RCodeCommand::kBoxPlot); }},
    {.id = C::kRHowToUse, .menu = "&R Language", .text = "How To Use(&U)...", .separator_before = true,
     .prompt = "How to use the R code", .availability = K::kNotRecording, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnRCodeHowToUse(); }},
    {.id = C::kRDownload, .menu = "&R Language", .text = "Download R(&D)", .prompt = "Download R",
     .availability = K::kNotRecording, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnDownloadR(); }},

    // ---- Macro ----
    {.id = C::kStartMacroRecord, .menu = "&Macro", .text = "Start Macro Record(&R)", .accelerator = "F11",
     .prompt = "Start Macro Record", .availability = K::kNotRecording, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnStartMacroRecord(); }},
    {.id = C::kEndMacroRecord, .menu = "&Macro", .text = "End Macro Record(&E)...", .accelerator = "F12",
     .prompt = "End Macro Record", .availability = K::kEndMacroRecord, .runner = kCore,
     .handler = [](CORVELView& v) { v.OnEndMacroRecord(); }},
    // The window lets its events run while the macro runs, and stops it on request.
    {.id = C::kRunMacro, .menu = "&Macro", .text = "Run Macro(&M)...", .accelerator = "Ctrl+M",
     .prompt = "Run Macro File", .availability = K::kNotRecording,  .runner = kFrontEnd},
    {.id = C::kConvertPreviousMacroFiles, .menu = "&Macro", .text = "Convert Previous Macro Files(&C)...",
     .prompt = "Convert Previous Macro Files into New Ones", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnConvertPreviousMacroFiles(); }},

    // ---- Window ----
    {.id = C::kShowDataSheet, .menu = "&Window", .text = "Show Data Sheet Window(&D)", .accelerator = "Esc",
     .prompt = "Return to datasheet", .availability = K::kShowDataSheet, .keyword = "datainput", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnShowDataSheetWindow(); }},
    {.id = C::kShowResult, .menu = "&Window", .text = "Show Result Window(&R)", .prompt = "Show result",
     .availability = K::kShowResult, .keyword = "result", .runner = kCore,
     .handler = [](CORVELView& v) { v.OnShowResultWindow(); }},
    {.id = C::kRunCalculator, .menu = "&Window", .text = "Run Windows Calculator(&C)",
     .prompt = "Run Windows calculator", .runner = kFrontEnd},

    // ---- Help ----
    {.id = C::kAbout, .menu = "&Help", .text = "About FreeORVEL(&A)...",
     .prompt = "Display program information, version number and copyright", .runner = kFrontEnd},
    {.id = C::kWebsite, .menu = "&Help", .text = "FreeORVEL Website(&J)...", .prompt = "Open the FreeORVEL website"},
    {.id = C::kHelpTopics, .menu = "&Help", .text = "Help Topics(&H)", .separator_before = true, .more_keys = "F1",
     .prompt = "List Help topics", .runner = kFrontEnd},
};
// clang-format on

// The toolbar, in its own order.
constexpr ToolbarButton kToolbar[] = {
    {C::kFileNew, "document-new"},
    {C::kFileOpen, "document-open"},
    {C::kFileSave, "document-save"},
    {C::kCut, "edit-cut", true},
    {C::kCopy, "edit-copy"},
    {C::kPaste, "edit-paste"},
    {C::kPrint, "document-print", true},
    {C::kRunMacro, "media-playback-start", true},
    {C::kShowDataSheet, "x-office-spreadsheet"},
    {C::kShowResult, "text-x-generic"},
};

// Rows are found by their identifier as an index: the enumerators follow the rows' order.
constexpr bool RowsFollowTheIdentifiers() {
  for (std::size_t i = 0; i < std::size(kRows); ++i)
    if (static_cast<std::size_t>(kRows[i].id) != i) return false;
  return static_cast<std::size_t>(CommandId::kHelpTopics) + 1 == std::size(kRows);
}
static_assert(RowsFollowTheIdentifiers(), "the command rows are in the order of CommandId");

std::vector<std::string_view> CollectKeywords() {
  std::vector<std::string_view> keywords;
  for (const CommandRow& row : kRows)
    if (!row.keyword.empty()) keywords.push_back(row.keyword);
  return keywords;
}

}  // namespace

std::span<const CommandRow> CommandTable() { return kRows; }

std::span<const ToolbarButton> ToolbarButtons() { return kToolbar; }

const CommandRow& Command(CommandId id) { return kRows[static_cast<std::size_t>(id)]; }

const CommandRow* FindCommandByKeyword(std::string_view keyword) {
  if (keyword.empty()) return nullptr;
  for (const CommandRow& row : kRows)
    if (row.keyword == keyword) return &row;
  return nullptr;
}

std::string CommandStatement(CommandId id) { return std::string(Command(id).keyword) + "();\r\n"; }

std::string MenuPlainName(std::string_view text) {
  std::string name;
  for (std::size_t i = 0; i < text.size(); ++i) {
    // "(&X)" goes whole; "&" before a mnemonic letter goes alone.
    if (text.substr(i, 2) == "(&" && i + 3 < text.size() && text[i + 3] == ')') {
      i += 3;
      continue;
    }
    if (text[i] == '&') continue;
    name += text[i];
  }
  if (name.ends_with("...")) name.resize(name.size() - 3);
  while (!name.empty() && name.back() == ' ') name.pop_back();
  return name;
}

// The compiler's command keywords come from the table (declared in macro/keywords.h, which knows
// nothing of the commands themselves).
const std::vector<std::string_view>& MacroCommandKeywords() {
  static const std::vector<std::string_view> keywords = CollectKeywords();
  return keywords;
}

}  // namespace orvel
