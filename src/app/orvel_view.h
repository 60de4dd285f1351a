// The view: every command's flow, from validation and questions through the Result Options
// step and the procedure's dialog to the report, the display switch and the recorded macro
// statement. The menu, a macro keyword and a test all call the same handler.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_availability.h"
#include "app/command_table.h"
#include "app/platform_port.h"
#include "app/sheet_geometry.h"
#include "macro/executor.h"
#include "sheet/atomic_file.h"
#include "sheet/orvel_doc.h"

namespace orvel {

enum class RCodeCommand;

// Message-box titles.
inline constexpr const char* kFreeTitle = "FreeORVEL";
inline constexpr const char* kAppTitle = "ORVEL";
// Where Download R points the browser: the R project's download page.
inline constexpr const char* kRDownloadPage = "https://cran.r-project.org/";

// R code as it goes to the clipboard: every line break as CR LF.
std::string RCodeWithCrLf(std::string_view code);

// The sheet's row count (row 0 included) from the profile value "Row" of "ProgramData"
// (default 499, kept within 100..20000), plus 1.
int RowCountFromProfile(PlatformPort& port);

// How a save command ended.
enum class SaveOutcome { kSaved, kCancelled, kFailed };

class Canvas;
struct GraphCall;
struct GraphState;  // app/graph_commands.h

class CORVELView {
 public:
  CORVELView(CORVELDoc& doc, PlatformPort& port) : doc_(doc), port_(port) {}
  CORVELView(const CORVELView&) = delete;
  CORVELView& operator=(const CORVELView&) = delete;

  CORVELDoc& Doc() { return doc_; }
  PlatformPort& Port() { return port_; }
  // What the availability rules read; whether the clipboard holds text is the front end's to
  // say (it can tell without reading the text).
  CommandState CurrentCommandState(bool clipboard_has_text) const;

  // ---- Macro state ---------------------------------------------------------------------
  bool IsRecording = false;
  std::string MacroText;
  bool IsRunningMacro = false;
  int MacroResultOption = 0;
  // The macro's variables: emptied when a run starts, kept after it.
  MacroVariables Variables;
  // Appends a statement to the macro text while recording (printf-style).
  void Record(const char* format, ...) __attribute__((format(printf, 2, 3)));
  // Records a command's own statement, made from its keyword in the command table.
  void RecordCommand(CommandId command);

  // ---- Macro commands ---------------------------------------------------------------------
  void OnStartMacroRecord();
  void OnEndMacroRecord();
  // Run Macro: asks for a macro file unless `path` is given, then runs it. Nothing when no
  // macro ran (cancelled, or the file could not be read: its message was shown).
  std::optional<MacroRunResult> OnRunMacro(const std::string& path = {}, std::int64_t max_steps = 0);
  // Compiles and runs macro text as Run Macro does once the file is read.
  MacroRunResult RunMacroText(std::string_view text, std::int64_t max_steps = 0);
  void OnConvertPreviousMacroFiles();
  // The command keywords' handlers: runs the menu command a keyword names. False when the
  // keyword is not a command keyword.
  bool RunCommandKeyword(std::string_view keyword);

  // ---- Window commands ------------------------------------------------------------------
  void OnShowDataSheetWindow();
  void OnShowResultWindow();

  // ---- Result pane keys (result_pane_commands.cpp) --------------------------------------
  enum class ResultPaneKey { kPageUp, kPageDown, kHome, kLeft, kRight, kUp, kDown };
  // Scrolls the result pane: a page is the client height, Left / Right move 86 pixels,
  // Up / Down two text lines; Home returns to the top left. Offsets stay within 0 and the
  // top of the text's last line.
  void OnResultKeyDown(ResultPaneKey key);

  // ---- Analysis commands ---------------------------------------------------------------
  void OnSummaryStatistics();
  void OnFrequencyDistribution();
  // Two-sample parametric tests (two_sample_commands.cpp).
  void OnFTest();
  void OnBartlettTest();
  void OnPairedTTest();
  void OnUnpairedTTest();
  void OnGoodnessOfFitTest();
  // Rank tests (rank_commands.cpp).
  void OnWilcoxonSignedRankTest();
  void OnMannWhitneyUTest();
  void OnKruskalWallisTest();
  void OnFriedmanTest();
  // Contingency tables (contingency_commands.cpp).
  void OnFisherExactTest();
  void OnChiSquareTest();
  // Correlation, regression line and curves (correlation_commands.cpp).
  void OnRegressionLine();
  void OnRegressionCurve();
  void OnSpearmanRankCorrelation();
  void OnKendallRankCorrelation();
  void OnIntraclassCorrelation();

  // ---- Graphs ----------------------------------------------------------------------------
  void OnScatterPlot();
  // Save Graph As: the graph of the present mode as an EMF, SVG, PDF or PNG file.
  void OnSaveGraph();
  // A double click in a graph mode: the graph's settings sheet again, redrawn on OK.
  void OnEditGraph();
  // The line plots of one-way data, kinds 0, 1, 3 and 4 (line_plot_commands.cpp).
  void OnLinePlot(int kind);
  // The re-edit sheet of the line plot on display; false when no line plot is shown.
  bool EditLinePlot();
  // The histogram of the current cell's column (histogram_commands.cpp).
  void OnHistogram();
  // The scatter-plot matrix of the multiple regression variables (scatter_matrix_commands.cpp).
  void OnScatterPlotMatrix();
  // Copy in a graph mode: the graph at 600 x 450 on the clipboard as a picture (PNG, SVG, EMF).
  void CopyGraph();
  // Draws the graph of the present display mode (nothing in the other modes).
  void DrawGraph(Canvas& canvas, const GraphCall& call);
  // The graph pane on screen: white, the graph with the screen flags, the header band.
  void DrawGraphPane(Canvas& canvas);
  // The settings of every graph kind, kept until the next command of the kind.
  GraphState& Graphs();
  // Box plots (kind 0 two groups, 1 three or more) and bar plots (kind 0 two groups, 1 three
  // or more, 2 two-way data) (boxbar_commands.cpp).
  void OnBoxPlot(int kind);
  void OnBarPlot(int kind);
  // The re-edit sheet / the drawing of a box or bar plot; false in the other modes.
  bool EditBoxOrBarPlot();
  bool DrawBoxOrBarPlot(Canvas& canvas, const GraphCall& call);
  // Analyses of variance (anova_commands.cpp).
  void OnOnewayAnova();
  void OnTwowayAnovaWithoutReplication();
  void OnTwowayAnova();
  // Outlier tests and the random numbers table (outlier_commands.cpp).
  void OnThompsonRejectionTest();
  void OnSmirnovGrubbsTest();
  void OnRandomNumbersTable();
  // Multivariate procedures (multivariate_commands.cpp).
  void OnMultipleRegressionAnalysis();
  void OnLogisticRegressionAnalysis();
  void OnPrincipalComponentAnalysis();
  void OnDiscriminantAnalysis();
  // The R Language menu (rcode_commands.cpp). A code command asks for its columns (the
  // table tests take the selection), builds its code into RCodeText and copies it to the
  // clipboard; true when the code was copied. Never recorded.
  bool OnRCodeCommand(RCodeCommand command);
  void OnRCodeHowToUse();
  void OnDownloadR();
  // What a command that is not built yet does: it says so.
  void CommandNotAvailableYet();

  // ---- File commands --------------------------------------------------------------------
  SaveOutcome OnSaveResultAsTextFile();
  // The framework's save-changes question before New, Open and Open Text File; false when
  // the user cancelled (or a wanted save did not happen).
  bool SaveModifiedIfWanted();
  void OnFileNew();
  // Opens `path`, or asks for one when it is empty. False when nothing was opened.
  bool OnFileOpen(const std::string& path = {});
  SaveOutcome OnFileSave();
  SaveOutcome OnFileSaveAs();
  // Open Text File; with a path the file dialog is skipped.
  bool OnOpenTextFile(const std::string& path = {});
  SaveOutcome OnSaveDataSheetAsTextFile();

  // ---- Settings commands ----------------------------------------------------------------
  void OnRowNumbers();
  // The Data Settings commands: each runs its dialog (data_settings_dialogs.h), preset from
  // the document, through the port and applies it on OK.
  void OnTwoGroupsSetting();
  void OnGroupColumnsSetting();
  void OnMultipleRegressionSetting();
  void OnPcaSetting();
  void OnDiscriminantSetting();
  void OnObjectDataOption();
  // What the Data Settings dialogs do on OK: store (with the dialogs' corrections), mark the
  // document modified, and record their statements while recording. These are the one place
  // the data-setting statements are made.
  void ApplyTwoGroupSettings(int x, int y);
  void ApplyGroupColumnSettings(const std::vector<int>& columns);
  void ApplyMultipleRegressionSettings(int y, const std::vector<int>& x_columns, int method,
                                       double f_in, double f_out, double p_in, double p_out);
  void ApplyPcaSettings(const std::vector<int>& columns);
  // Columns of slots 1..15 of each group (missing slots are 0).
  void ApplyDiscriminantSettings(const std::vector<int>& group1, const std::vector<int>& group2);
  void ApplyObjectDataOption(bool included_in_result);
  // The twoway-data grid: entering it, and each change made in it.
  void EnterTwowayGrid();
  void ApplyTwowayGridCell(int a_level, int b_level, int column);
  void ApplyTwowayLabelA(int a_level, std::string_view label);
  void ApplyTwowayLabelB(int b_level, std::string_view label);

  // ---- The twoway-data grid's mouse and keys (twoway_grid.cpp) --------------------------
  // In the twoway grid only. A click on a cell opens "Data Selection", on a label "Label Name";
  // OK applies and records the change. Anywhere else it says where to click.
  void OnTwowayGridClick(int x, int y);
  // Scrolling: a cell's width or height, a page of the client height, Home to the top left;
  // never beyond the last level.
  enum class TwowayGridKey { kLeft, kRight, kUp, kDown, kPageUp, kPageDown, kHome };
  void OnTwowayGridKeyDown(TwowayGridKey key);

  // ---- Sheet editing (sheet_commands.cpp) ------------------------------------------------
  // The sheet pane's keys, mouse and Edit commands. Key and mouse handlers act in the data
  // sheet only; pane coordinates are those of sheet_geometry.h.
  // A typed character (Backspace, Enter, Escape, blanks and other control characters are not
  // typed): the first keystroke into a cell replaces its text.
  void OnSheetChar(char32_t c);
  void OnSheetKeyDown(SheetKey key, bool shift, bool ctrl);
  void OnSheetMouseDown(int x, int y);
  // Sets the pointer shape (size cursor over a column border) and tracks a drag.
  void OnSheetMouseMove(int x, int y);
  void OnSheetMouseUp(int x, int y);
  // On a column border: fits the column to its longest text, (length + 2) average character
  // widths (a character outside ASCII and half-width katakana counts two), 86 when the
  // column is empty. Elsewhere it is a press.
  void OnSheetBorderDoubleClick(int x, int y);
  void OnEditCopy();
  void OnEditCut();
  void OnEditPaste();
  void OnEditDelete();
  void OnFillRight();
  void OnFillLeft();
  void OnFillUp();
  void OnFillDown();
  void OnSort();
  // What a mouse press started, until the button is released; a column being resized shows
  // its border at pointer_x. cell_backspaced: Backspace changed the current cell before any
  // typing, so leaving it records the cell too.
  struct SheetEditingState {
    SheetDragMode drag = SheetDragMode::kNone;
    int border_column = 0;
    int pointer_x = 0;
    int pressed_end_row = 0;
    int pressed_end_column = 0;
    bool cell_backspaced = false;
  };
  SheetEditingState SheetEditing;

  // ---- The analysis frame ---------------------------------------------------------------
  // A refusal: a message box with an OK button.
  void Refuse(const char* title, const char* message);
  // The question about skipping incomplete rows (OK/Cancel, title "ORVEL"); true for OK.
  bool AskToSkipRows(const char* question);
  // The Result Options step; true when the command goes on.
  bool ResultOptionsStep();
  // Scrolls the result pane so the next appended line is at its top.
  void PositionResultPane();
  // Shows the result pane and records the command's statement.
  void FinishAnalysis(CommandId command);

 private:
  // The re-edit sheets of a double click, one per graph kind.
  void EditHistogram();
  void EditScatterMatrix();
  SaveOutcome SaveDocumentTo(const std::string& path);
  // Opens a document or text file into the document (asking for it when `path` is empty).
  bool OpenSheetFile(const std::string& path, const FileDialogRequest& request,
                     FileOutcome (*read)(const std::string&, CORVELDoc&));
  // Shows a failed save's message; the outcome as a SaveOutcome.
  SaveOutcome ReportSave(const FileOutcome& outcome);

  CORVELDoc& doc_;
  PlatformPort& port_;
  std::shared_ptr<GraphState> graphs_;
};

}  // namespace orvel
