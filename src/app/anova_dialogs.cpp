#include "app/anova_dialogs.h"

#include "analyses/result_text.h"

namespace orvel {

void AnovaDialogFields::AddType(DialogSchema& s) {
  s.Choice("type", "Type", repeated, {"Factorial", "Repeated Measures"}, "Choose a type.", {"factorial", "repeated"});
}

void AnovaDialogFields::AddComparisons(DialogSchema& s) {
  s.CheckBox("tukey", "Multiple Comparison", "Tukey", tukey);
  s.CheckBox("scheffe", "Multiple Comparison", "Scheffe", scheffe);
  s.CheckBox("bonferroni", "Multiple Comparison", "Bonferroni", bonferroni);
}

OnewayAnovaDialog::OnewayAnovaDialog(const CORVELDoc& doc, int current) {
  for (const int c : doc.GroupColumnList()) {
    if (c == current) control_index = static_cast<int>(group_columns.size());
    group_columns.push_back(c);
    control_entries.push_back(ControlEntry(c, std::string(doc.Text(c, 0))));
  }
}

std::string OnewayAnovaDialog::ControlEntry(int column, const std::string& name) {
  return FormatReport("Col%2d：%s", column, name.c_str());
}

int OnewayAnovaDialog::ControlColumn() const {
  if (control_index < 0 || static_cast<std::size_t>(control_index) >= group_columns.size()) return 0;
  return group_columns[static_cast<std::size_t>(control_index)];
}

DialogSchema OnewayAnovaDialog::Schema() {
  DialogSchema s;
  AddType(s);
  AddComparisons(s);
  s.CheckBox("dunnett", "Multiple Comparison", "Dunnett", dunnett);
  s.CheckBox("holm", "Multiple Comparison", "Holm", holm);
  // The answers file names the control by its column number.
  std::vector<std::string> words;
  for (const int c : group_columns) words.push_back(std::to_string(c));
  s.Choice("control", "Control Group for Dunnett", control_index, control_entries, "Choose the control group.",
           std::move(words))
      .as_list = true;
  return s;
}

DialogSchema TwowayWithoutReplicationDialog::Schema() {
  DialogSchema s;
  AddComparisons(s);
  return s;
}

DialogSchema TwowayAnovaDialog::Schema() {
  DialogSchema s;
  s.prompt = std::string(kRepeatedNote) + "\n" + kPairingNote;
  AddType(s);
  AddComparisons(s);
  return s;
}

}  // namespace orvel
