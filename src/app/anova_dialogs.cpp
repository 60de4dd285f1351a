#include "app/anova_dialogs.h"

#include "analyses/result_text.h"

namespace orvel {

namespace {
bool ParseCheckBox(const std::string& value, bool& out) {
  int v = 0;
  if (!ParseWholeNumber(value, v) || (v != 0 && v != 1)) return false;
  out = v == 1;
  return true;
}
}  // namespace

bool AnovaComparisonFields::SetType(const std::string& value) {
  if (value == "factorial") {
    repeated = false;
  } else if (value == "repeated") {
    repeated = true;
  } else {
    return false;
  }
  return true;
}

bool AnovaComparisonFields::SetField(const std::string& key, const std::string& value) {
  if (key == "type") return SetType(value);
  if (key == "tukey") return ParseCheckBox(value, tukey);
  if (key == "scheffe") return ParseCheckBox(value, scheffe);
  if (key == "bonferroni") return ParseCheckBox(value, bonferroni);
  return false;
}

bool TwowayWithoutReplicationDialog::SetField(const std::string& key, const std::string& value) {
  return key != "type" && AnovaComparisonFields::SetField(key, value);
}

OnewayAnovaDialog::OnewayAnovaDialog(const CORVELDoc& doc, int current) {
  for (const int c : doc.GroupColumnList()) {
    group_columns.emplace_back(c, ControlEntry(c, std::string(doc.Text(c, 0))));
    if (c == current) control = c;
  }
  if (control == 0 && !group_columns.empty()) control = group_columns.front().first;
}

std::string OnewayAnovaDialog::ControlEntry(int column, const std::string& name) {
  return FormatReport("Col%2d：%s", column, name.c_str());
}

bool OnewayAnovaDialog::SetField(const std::string& key, const std::string& value) {
  if (key == "dunnett") return ParseCheckBox(value, dunnett);
  if (key == "holm") return ParseCheckBox(value, holm);
  if (key == "control") {
    int column = 0;
    if (!ParseWholeNumber(value, column)) return false;
    for (const auto& entry : group_columns) {
      if (entry.first == column) {
        control = column;
        return true;
      }
    }
    return false;  // only a listed group column can be the control
  }
  return AnovaComparisonFields::SetField(key, value);
}

std::size_t OnewayAnovaDialog::ControlIndex() const {
  for (std::size_t i = 0; i < group_columns.size(); ++i)
    if (group_columns[i].first == control) return i;
  return 0;
}

}  // namespace orvel
