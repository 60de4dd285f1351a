#include "app/orvel_view.h"

#include <cstdarg>

#include "analyses/result_text.h"
#include "analyses/summary.h"
#include "app/data_settings_dialogs.h"
#include "app/dialogs.h"
#include "sheet/cell_text.h"

namespace orvel {

namespace {
constexpr const char* kTooManyResults =
    "これ以上統計結果を保存できません。前回までの統計結果をﾃｷｽﾄﾌｧｲﾙとして保存しますか。";
constexpr std::size_t kResultTextLimit = 50000;
}  // namespace

int RowCountFromProfile(PlatformPort& port) {
  int rows = port.ReadProfileInt("ProgramData", "Row", kDefaultProfileRows);
  if (rows < 100) rows = 100;
  if (rows > 20000) rows = 20000;
  return rows + 1;
}

void CORVELView::Record(const char* format, ...) {
  if (!IsRecording) return;
  va_list args;
  va_start(args, format);
  char small[256];
  va_list copy;
  va_copy(copy, args);
  const int n = std::vsnprintf(small, sizeof small, format, copy);
  va_end(copy);
  if (n >= 0 && static_cast<std::size_t>(n) < sizeof small) {
    MacroText.append(small, static_cast<std::size_t>(n));
  } else if (n >= 0) {
    std::string big(static_cast<std::size_t>(n) + 1, '\0');
    std::vsnprintf(big.data(), big.size(), format, args);
    big.resize(static_cast<std::size_t>(n));
    MacroText += big;
  }
  va_end(args);
}

void CORVELView::RecordCommand(CommandId command) {
  if (IsRecording) MacroText += CommandStatement(command);
}

// ---- The analysis frame ----------------------------------------------------------------------

void CORVELView::Refuse(const char* title, const char* message) { port_.ShowMessage(title, message); }

bool CORVELView::AskToSkipRows(const char* question) {
  return port_.AskQuestion(kAppTitle, question, QuestionButtons::OkCancel);
}

bool CORVELView::ResultOptionsStep() {
  int choice = ResultOptionsDialog::kAddNewResult;
  if (!IsRunningMacro) {
    if (!doc_.ResultText.empty()) {
      ResultOptionsDialog dialog;
      if (!port_.RunDialog(dialog)) return false;
      choice = dialog.choice;
      // A result that could not be written is kept: the command stops instead of losing it.
      if (choice == ResultOptionsDialog::kSaveAndMakeNew && OnSaveResultAsTextFile() == SaveOutcome::kFailed)
        return false;
    }
    if (choice == ResultOptionsDialog::kSaveAndMakeNew || choice == ResultOptionsDialog::kDeleteAndMakeNew) {
      doc_.ResultText.clear();
    } else if (doc_.ResultText.size() > kResultTextLimit) {
      if (!port_.AskQuestion(kFreeTitle, kTooManyResults, QuestionButtons::OkCancel)) return false;
      if (OnSaveResultAsTextFile() == SaveOutcome::kFailed) return false;
      doc_.ResultText.clear();
    }
  } else {
    if (MacroResultOption == ResultOptionsDialog::kSaveAndMakeNew && OnSaveResultAsTextFile() == SaveOutcome::kFailed)
      return false;
    if (MacroResultOption == ResultOptionsDialog::kSaveAndMakeNew ||
        MacroResultOption == ResultOptionsDialog::kDeleteAndMakeNew)
      doc_.ResultText.clear();
  }
  doc_.SetModified();
  Record("resultoption (%d);\r\n", choice);
  return true;
}

void CORVELView::PositionResultPane() {
  doc_.Scroll.result_x = 0;
  doc_.Scroll.result_y = port_.ResultLineHeight() * doc_.ResultLineCount();
}

void CORVELView::FinishAnalysis(CommandId command) {
  doc_.DisplayMode = DisplayKind::kResult;
  port_.Repaint();
  RecordCommand(command);
}

// ---- Summary statistics and frequency distribution -------------------------------------------

void CORVELView::OnSummaryStatistics() {
  const int c = doc_.GetSelection().anchor_column;
  if (c == 0) return Refuse(kFreeTitle, "Select a column but a label column.");
  if (doc_.Count(c) <= 2) return Refuse(kFreeTitle, "Samples are too small.");
  if (!ResultOptionsStep()) return;
  PositionResultPane();
  SummaryStatisticsReport(doc_, c);
  FinishAnalysis(CommandId::kSummaryStatistics);
}

void CORVELView::OnFrequencyDistribution() {
  const int c = doc_.GetSelection().anchor_column;
  if (c == 0) return Refuse(kFreeTitle, "Select a cell of the column whose frequency distribution you want to make.");
  const double max = doc_.Max(c), min = doc_.Min(c);
  const int n = doc_.Count(c);
  if (n <= 3) return Refuse(kFreeTitle, "Samples are too small.");
  if (!ResultOptionsStep()) return;
  PositionResultPane();

  const FrequencyProposal proposal = ProposeFrequencyClasses(doc_, c);
  FrequencyDialog dialog;
  dialog.maximum_value = FormatReport("%.4f", max);
  dialog.minimum_value = FormatReport("%.4f", min);
  dialog.number_of_data = FormatReport("%d", n);
  dialog.maximum_setting = FormatReport("%.4f", proposal.maximum_setting);
  dialog.minimum_setting = FormatReport("%.4f", proposal.minimum_setting);
  dialog.classes = proposal.classes;
  if (!port_.RunDialog(dialog) || !dialog.Accept().empty()) return;

  const int classes = dialog.classes;
  double maximum_setting = ParseNumber(dialog.maximum_setting);
  double minimum_setting = ParseNumber(dialog.minimum_setting);
  if (classes != proposal.classes &&
      port_.AskQuestion(kFreeTitle, "Will you adjust the maximum and minimum settings according to the class?",
                        QuestionButtons::YesNo)) {
    const FrequencyProposal adjusted = FrequencySettingsForClasses(doc_, c, classes);
    maximum_setting = adjusted.maximum_setting;
    minimum_setting = adjusted.minimum_setting;
  }
  if (min < minimum_setting || max > maximum_setting)
    return Refuse(kFreeTitle,
                  "The maximum setting is smaller than the maximum value or the minimum setting is larger "
                  "than the minimum value. Data setting is not correct.");
  const double width = (maximum_setting - minimum_setting) / classes;
  FrequencyDistributionReport(doc_, c, minimum_setting, maximum_setting, width, classes);
  FinishAnalysis(CommandId::kFrequencyDistribution);
}

// ---- Settings commands ---------------------------------------------------------------------

void CORVELView::OnRowNumbers() {
  RowNumbersDialog dialog;
  dialog.rows = doc_.RowCount() - 1;
  if (!port_.RunDialog(dialog) || !dialog.Accept().empty()) return;
  port_.ShowMessage(kFreeTitle, "The number of rows will be changed when you run ORVEL next time.");
  port_.WriteProfileInt("ProgramData", "Row", dialog.rows);
}

void CORVELView::OnTwoGroupsSetting() {
  auto dialog = TwoGroupsSettingsDialog::FromDocument(doc_);
  if (port_.RunDialog(dialog) && dialog.Accept().empty()) ApplyTwoGroupSettings(dialog.x, dialog.y);
}

void CORVELView::OnGroupColumnsSetting() {
  auto dialog = GroupColumnsSettingsDialog::FromDocument(doc_);
  if (port_.RunDialog(dialog) && dialog.Accept().empty()) ApplyGroupColumnSettings(dialog.columns);
}

void CORVELView::OnMultipleRegressionSetting() {
  auto d = MultipleRegressionSettingsDialog::FromDocument(doc_);
  if (port_.RunDialog(d) && d.Accept().empty())
    ApplyMultipleRegressionSettings(d.y, d.x, d.method, d.f_in, d.f_out, d.p_in, d.p_out);
}

void CORVELView::OnPcaSetting() {
  auto dialog = PcaSettingsDialog::FromDocument(doc_);
  if (port_.RunDialog(dialog) && dialog.Accept().empty()) ApplyPcaSettings(dialog.columns);
}

void CORVELView::OnDiscriminantSetting() {
  auto dialog = DiscriminantSettingsDialog::FromDocument(doc_);
  if (port_.RunDialog(dialog) && dialog.Accept().empty()) ApplyDiscriminantSettings(dialog.group1, dialog.group2);
}

void CORVELView::OnObjectDataOption() {
  auto dialog = ObjectDataDialog::FromDocument(doc_);
  if (port_.RunDialog(dialog) && dialog.Accept().empty())
    ApplyObjectDataOption(dialog.choice == ObjectDataDialog::kIncluded);
}

void CORVELView::ApplyTwoGroupSettings(int x, int y) {
  doc_.SetTwoGroupX(x);
  doc_.SetTwoGroupY(y);
  doc_.SetModified();
  Record("setxvalue (%d);\r\n", doc_.TwoGroupX());
  Record("setyvalue (%d);\r\n", doc_.TwoGroupY());
}

namespace {
std::vector<bool> ColumnFlags(const std::vector<int>& columns) {
  std::vector<bool> flags(kColumnCount, false);
  for (int c : columns)
    if (c >= 1 && c <= kLastColumn) flags[static_cast<std::size_t>(c)] = true;
  return flags;
}
const char* TrueFalse(bool on) { return on ? "true" : "false"; }
}  // namespace

void CORVELView::ApplyGroupColumnSettings(const std::vector<int>& columns) {
  const std::vector<bool> flags = ColumnFlags(columns);
  for (int c = 1; c <= kLastColumn; ++c) doc_.SetGroupColumn(c, flags[static_cast<std::size_t>(c)]);
  doc_.SetModified();
  for (int c = 1; c <= kLastColumn; ++c)
    Record("setonefactor (%d,%s);\r\n", c, TrueFalse(flags[static_cast<std::size_t>(c)]));
}

void CORVELView::ApplyMultipleRegressionSettings(int y, const std::vector<int>& x_columns, int method,
                                                 double f_in, double f_out, double p_in, double p_out) {
  // The dialog's corrections: thresholds outside their ranges fall back to the defaults.
  const auto f_threshold = MultipleRegressionSettingsDialog::CorrectedF;
  const auto p_threshold = MultipleRegressionSettingsDialog::CorrectedP;
  const std::vector<bool> flags = ColumnFlags(x_columns);
  doc_.SetRegressionY(y);
  for (int c = 1; c <= kLastColumn; ++c) doc_.SetRegressionXColumn(c, flags[static_cast<std::size_t>(c)]);
  doc_.SetRegressionMethod(method);
  doc_.SetFIn(f_threshold(f_in));
  doc_.SetFOut(f_threshold(f_out));
  doc_.SetPIn(p_threshold(p_in));
  doc_.SetPOut(p_threshold(p_out));
  doc_.SetModified();
  const DataSettings& s = doc_.Settings();
  Record("setmultiyvalue (%d);\r\n", s.RegressionY);
  for (int c = 1; c <= kLastColumn; ++c)
    Record("setmultixvalue (%d,%s);\r\n", c, TrueFalse(flags[static_cast<std::size_t>(c)]));
  Record("setmultiradio (%d);\r\n", s.RegressionMethod);
  Record("setfin (%f);\r\n", s.FIn);
  Record("setfout (%f);\r\n", s.FOut);
  Record("setpin (%f);\r\n", s.PIn);
  Record("setpout (%f);\r\n", s.POut);
}

void CORVELView::ApplyPcaSettings(const std::vector<int>& columns) {
  const std::vector<bool> flags = ColumnFlags(columns);
  for (int c = 1; c <= kLastColumn; ++c) doc_.SetPcaColumn(c, flags[static_cast<std::size_t>(c)]);
  doc_.SetModified();
  for (int c = 1; c <= kLastColumn; ++c)
    Record("setshuseibun (%d,%s);\r\n", c, TrueFalse(flags[static_cast<std::size_t>(c)]));
}

void CORVELView::ApplyDiscriminantSettings(const std::vector<int>& group1, const std::vector<int>& group2) {
  const auto slot = [](const std::vector<int>& list, int s) {
    const auto i = static_cast<std::size_t>(s - 1);
    return i < list.size() ? list[i] : 0;
  };
  for (int s = 1; s <= kDiscriminantSlots; ++s) {
    doc_.SetDiscriminantSlot(1, s, slot(group1, s));
    doc_.SetDiscriminantSlot(2, s, slot(group2, s));
  }
  doc_.SetModified();
  for (int s = 1; s <= kDiscriminantSlots; ++s) {
    Record("sethanbetux (%d,%d);\r\n", s, doc_.DiscriminantSlot(1, s));
    Record("sethanbetuy (%d,%d);\r\n", s, doc_.DiscriminantSlot(2, s));
  }
}

void CORVELView::ApplyObjectDataOption(bool included_in_result) {
  doc_.SetIncludeDataInResult(included_in_result);
  doc_.SetModified();
  Record("setdatatoresult (%s);\r\n", TrueFalse(included_in_result));
}

void CORVELView::EnterTwowayGrid() {
  doc_.Scroll.graph_x = doc_.Scroll.graph_y = 0;
  doc_.DisplayMode = DisplayKind::kTwowayGrid;
  port_.Repaint();
  RecordCommand(CommandId::kTwowayDataSetting);
}

void CORVELView::ApplyTwowayGridCell(int a_level, int b_level, int column) {
  doc_.SetTwowayGridCell(a_level, b_level, column);
  doc_.SetModified();
  Record("settwofactor (%d,%d,%d);\r\n", a_level, b_level, column);
}

void CORVELView::ApplyTwowayLabelA(int a_level, std::string_view label) {
  doc_.SetTwowayLabelA(a_level, label);
  doc_.SetModified();
  Record("settwofactorlabela (%d,\"%s\");\r\n", a_level, std::string(label).c_str());
}

void CORVELView::ApplyTwowayLabelB(int b_level, std::string_view label) {
  doc_.SetTwowayLabelB(b_level, label);
  doc_.SetModified();
  Record("settwofactorlabelb (%d,\"%s\");\r\n", b_level, std::string(label).c_str());
}

}  // namespace orvel
