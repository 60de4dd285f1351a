// Macro recording, macro files, Run Macro and the command set: the statement keywords that
// replay recorded actions by running the same handlers as the menus.
#include <cstdlib>
#include <new>
#include <string>

#include "analyses/result_text.h"
#include "app/command_table.h"
#include "app/dialogs.h"
#include "app/orvel_view.h"
#include "macro/macro_conversion.h"
#include "macro/macro_program.h"
#include "sheet/atomic_file.h"
#include "sheet/cell_text.h"
#include "sheet/legacy_encoding.h"

namespace orvel {

namespace {
constexpr const char* kMacroFilter = "ORVEL macro file(*.ovm)|*.ovm|";
constexpr const char* kPreviousMacroFilter = "Previous ORVEL macro file(*.ovx)|*.ovx|";
constexpr const char* kTooLarge = "The file is too large to open.";

// The C library's atoi on the "C" locale, without undefined behaviour on overflow.
int ToInt(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  long long value = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > 2147483648LL) break;
  }
  if (negative) value = -value;
  if (value > 2147483647LL) return 2147483647;
  if (value < -2147483648LL) return -2147483647 - 1;
  return static_cast<int>(value);
}

// A flag argument: only the exact texts "1" and "0".
bool ParseFlag(const std::string& text, bool& flag) {
  if (text == "1") flag = true;
  else if (text == "0") flag = false;
  else return false;
  return true;
}

// The executor's view of the program: the document, the port and the keyword handlers.
class ViewMacroHost : public MacroHost {
 public:
  explicit ViewMacroHost(CORVELView& view) : view_(view) {}
  CORVELDoc& Document() override { return view_.Doc(); }
  void ShowMessage(const std::string& text) override { view_.Port().ShowMessage(kAppTitle, text); }
  bool AskYesNo(const std::string& text) override {
    return view_.Port().AskQuestion(kAppTitle, text, QuestionButtons::YesNo);
  }
  std::optional<std::string> AskInput(const std::string& prompt) override {
    return view_.Port().AskInput(kAppTitle, prompt);
  }
  bool ShouldStop() override { return view_.Port().ShouldStopMacro(); }
  void RunKeyword(const std::string& opcode, MacroValueStack& stack) override;

 private:
  CORVELView& view_;
};

void ViewMacroHost::RunKeyword(const std::string& opcode, MacroValueStack& stack) {
  CORVELDoc& doc = view_.Doc();
  PlatformPort& port = view_.Port();
  const auto pop_int = [&] { return ToInt(stack.Pop()); };

  if (opcode == "cell") {
    const std::string value = stack.Pop();
    const int row = pop_int(), column = pop_int();
    doc.SetCell(column, row, Utf8Prefix(value, kMaxCellChars));
    port.Repaint();
  } else if (opcode == "clearcell") {
    const int row = pop_int(), column = pop_int();
    doc.ClearCell(column, row);
    port.Repaint();
  } else if (opcode == "selectcell") {
    const int r2 = pop_int(), c2 = pop_int(), r1 = pop_int(), c1 = pop_int();
    doc.SetSelection(r1, c1, r2, c2);
    port.Repaint();
  } else if (opcode == "setcolwidth") {
    const int width = pop_int(), column = pop_int();
    if (column >= 0 && column <= kLastColumn) doc.SetColumnWidth(column, width);
    port.Repaint();
  } else if (opcode == "incsheetxpos") {
    doc.Scroll.sheet_x += pop_int();
    port.Repaint();
  } else if (opcode == "decsheetxpos") {
    doc.Scroll.sheet_x -= pop_int();
    if (doc.Scroll.sheet_x < 0) doc.Scroll.sheet_x = 0;
    port.Repaint();
  } else if (opcode == "incsheetypos") {
    doc.Scroll.sheet_y += pop_int();
    port.Repaint();
  } else if (opcode == "decsheetypos") {
    doc.Scroll.sheet_y -= pop_int();
    if (doc.Scroll.sheet_y < 0) doc.Scroll.sheet_y = 0;
    port.Repaint();
  } else if (opcode == "homesheetxpos") {
    doc.Scroll.sheet_x = 0;
    port.Repaint();
  } else if (opcode == "homesheetypos") {
    doc.Scroll.sheet_y = 0;
    port.Repaint();
  } else if (opcode == "setxvalue") {
    doc.SetTwoGroupX(pop_int());
    doc.SetModified();
  } else if (opcode == "setyvalue") {
    doc.SetTwoGroupY(pop_int());
    doc.SetModified();
  } else if (opcode == "setonefactor" || opcode == "setshuseibun" || opcode == "setmultixvalue") {
    bool flag = false;
    if (!ParseFlag(stack.Pop(), flag)) return;
    const int column = pop_int();
    if (opcode == "setonefactor") doc.SetGroupColumn(column, flag);
    else if (opcode == "setshuseibun") doc.SetPcaColumn(column, flag);
    else doc.SetRegressionXColumn(column, flag);
  } else if (opcode == "sethanbetux" || opcode == "sethanbetuy") {
    const int column = pop_int(), slot = pop_int();
    doc.SetDiscriminantSlot(opcode == "sethanbetux" ? 1 : 2, slot, column);
  } else if (opcode == "setmultiyvalue") {
    doc.SetRegressionY(pop_int());
  } else if (opcode == "setmultiradio") {
    doc.SetRegressionMethod(pop_int());
  } else if (opcode == "setfin") {
    doc.SetFIn(ParseNumber(stack.Pop()));
  } else if (opcode == "setfout") {
    doc.SetFOut(ParseNumber(stack.Pop()));
  } else if (opcode == "setpin") {
    doc.SetPIn(ParseNumber(stack.Pop()));
  } else if (opcode == "setpout") {
    doc.SetPOut(ParseNumber(stack.Pop()));
  } else if (opcode == "settwofactor") {
    const int column = pop_int(), b = pop_int(), a = pop_int();
    doc.SetTwowayGridCell(a, b, column);
    port.Repaint();
  } else if (opcode == "settwofactorlabela" || opcode == "settwofactorlabelb") {
    const std::string label = stack.Pop();
    const int level = pop_int();
    if (opcode == "settwofactorlabela") doc.SetTwowayLabelA(level, label);
    else doc.SetTwowayLabelB(level, label);
    port.Repaint();
  } else if (opcode == "setdatatoresult") {
    bool flag = false;
    if (ParseFlag(stack.Pop(), flag)) doc.SetIncludeDataInResult(flag);
  } else if (opcode == "resultoption") {
    view_.MacroResultOption = pop_int();
  } else if (opcode == "cleardata") {
    doc.ClearDataSettings();
  } else {
    view_.RunCommandKeyword(opcode);  // an opcode that no one knows does nothing
  }
}
}  // namespace

// ---- Recording ---------------------------------------------------------------------------

void CORVELView::OnStartMacroRecord() {
  IsRecording = true;
  MacroText.clear();
  ExplanationDialog dialog;
  if (port_.RunDialog(dialog) && dialog.Accept().empty() && !dialog.text.empty()) MacroText += "message(\"" + dialog.text + "\");\r\n";
  MacroText += "datainput;\r\n";
}

void CORVELView::OnEndMacroRecord() {
  IsRecording = false;
  // A cell still being edited (typed into or backspaced) is the current (anchor) cell: its
  // text is recorded first.
  if (doc_.CellEditStarted != 0 || SheetEditing.cell_backspaced) {
    const Selection& s = doc_.GetSelection();
    MacroText += FormatReport("cell(%d,%d)=\"%s\";\r\n", s.anchor_column, s.anchor_row,
                              std::string(doc_.Text(s.anchor_column, s.anchor_row)).c_str());
  }
  if (!port_.AskQuestion(kFreeTitle, "Will you save the present macro record?", QuestionButtons::OkCancel)) return;
  const auto path = port_.ChooseSaveFile({"Save As", kMacroFilter, "macro.ovm", "ovm", true});
  if (!path) return;
  const FileOutcome outcome = WriteFileAtomically(*path, MacroText);
  if (!outcome.ok) port_.ShowMessage(kAppTitle, outcome.message);
}

// ---- Running ------------------------------------------------------------------------------

std::optional<MacroRunResult> CORVELView::OnRunMacro(const std::string& path, std::int64_t max_steps) {
  std::string chosen = path;
  if (chosen.empty()) {
    const auto picked = port_.ChooseOpenFile({"Open", kMacroFilter, "", "ovm", false});
    if (!picked) return std::nullopt;
    chosen = *picked;
  }
  std::string bytes;
  const FileOutcome outcome = ReadFileBytes(chosen, bytes, kTooLarge);
  if (!outcome.ok) {
    port_.ShowMessage(kAppTitle, outcome.message);
    return std::nullopt;
  }
  return RunMacroText(DecodeTextFileBytes(bytes), max_steps);
}

MacroRunResult CORVELView::RunMacroText(std::string_view text, std::int64_t max_steps) {
  IsRunningMacro = true;
  MacroResultOption = 0;
  MacroRunResult result;
  try {
    port_.SetWaitCursor(true);
    MacroProgram program;
    CompileMacro(text, program);
    port_.SetWaitCursor(false);
    ViewMacroHost host(*this);
    result = ExecuteMacro(program, host, Variables, max_steps);
  } catch (const std::bad_alloc&) {
    // A huge macro or a run that piles up result text: the program is freed on the way out,
    // so there is memory again for the message.
    port_.SetWaitCursor(false);
    port_.ShowMessage(kAppTitle, "There is not enough memory to run the macro.");
    result.end = MacroRunEnd::kOutOfMemory;
  }
  IsRunningMacro = false;
  MacroResultOption = 0;
  doc_.SetModified();
  return result;
}

void CORVELView::OnConvertPreviousMacroFiles() {
  const auto source = port_.ChooseOpenFile({"Open", kPreviousMacroFilter, "", "ovx", false});
  if (!source) return;
  std::string bytes;
  const FileOutcome read = ReadFileBytes(*source, bytes, kTooLarge);
  if (!read.ok) return port_.ShowMessage(kAppTitle, read.message);
  const MacroConversion conversion = ConvertPreviousMacro(DecodeTextFileBytes(bytes));
  const std::string& converted = conversion.text;
  // Lines left unconverted are named instead of reporting completion.
  port_.ShowMessage(kFreeTitle, ConversionMessage(conversion));
  const auto target = port_.ChooseSaveFile({"Save As", kMacroFilter, "macro.ovm", "ovm", true});
  if (!target) return;
  const FileOutcome written = WriteFileAtomically(*target, converted);
  if (!written.ok) port_.ShowMessage(kAppTitle, written.message);
}

// ---- Command keywords -----------------------------------------------------------------------

void CORVELView::CommandNotAvailableYet() { port_.ShowMessage(kAppTitle, "This command is not available yet."); }

bool CORVELView::RunCommandKeyword(std::string_view keyword) {
  const CommandRow* row = FindCommandByKeyword(keyword);
  if (row == nullptr) return false;
  if (row->handler != nullptr)
    row->handler(*this);
  else
    CommandNotAvailableYet();
  return true;
}

// ---- Window commands ------------------------------------------------------------------------

namespace {
constexpr const char* kSaveGraphQuestion = "Will you save the present graph as an extended metafile?";

// Leaving a graph pane offers to keep the graph first: from the data sheet command every graph
// but the bar plots, from the result command the scatter plot, the histogram and the line plots
// only.
void OfferToSaveGraph(CORVELView& view, bool to_sheet) {
  using D = DisplayKind;
  const D mode = view.Doc().DisplayMode;
  const bool scatter_histogram_or_line = mode == D::kHistogram || mode == D::kScatterPlot || mode == D::kLinePlot;
  const bool asks = scatter_histogram_or_line || (to_sheet && (mode == D::kBoxPlot || mode == D::kScatterPlotMatrix));
  if (!asks) return;
  if (view.Port().AskQuestion(kFreeTitle, kSaveGraphQuestion, QuestionButtons::YesNo)) view.OnSaveGraph();
}
}  // namespace

void CORVELView::OnShowDataSheetWindow() {
  OfferToSaveGraph(*this, true);
  doc_.SetModified();
  doc_.DisplayMode = DisplayKind::kDataSheet;
  port_.Repaint();
  doc_.Scroll.result_x = doc_.Scroll.result_y = 0;
  Record("%s", CommandStatement(CommandId::kShowDataSheet).c_str());
}

void CORVELView::OnShowResultWindow() {
  OfferToSaveGraph(*this, false);
  doc_.DisplayMode = DisplayKind::kResult;
  port_.Repaint();
  Record("%s", CommandStatement(CommandId::kShowResult).c_str());
}

}  // namespace orvel
