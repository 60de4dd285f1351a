#include "app/data_settings_dialogs.h"

#include <algorithm>

namespace orvel {

namespace {

ColumnListPicker List(ColumnEntryFormat format, std::string list_name, std::string add, std::string remove) {
  ColumnListPicker shape;
  shape.format = format;
  shape.list_name = std::move(list_name);
  shape.add_button = std::move(add);
  shape.remove_button = std::move(remove);
  return shape;
}

template <class Flags>
std::vector<int> FlaggedColumns(const Flags& flag) {
  std::vector<int> columns;
  for (int c = 1; c <= kLastColumn; ++c)
    if (flag(c)) columns.push_back(c);
  return columns;
}

}  // namespace

DialogSchema TwoGroupsSettingsDialog::Schema() {
  DialogSchema s;
  ColumnPicker drop_down;
  drop_down.picker = ColumnPicker::Picker::kDropDown;
  drop_down.format = ColumnEntryFormat::kCol3;
  s.Column("x", "X", x, 1, kLastColumn, drop_down, "Choose the column of X.");
  s.Column("y", "Y", y, 1, kLastColumn, drop_down, "Choose the column of Y.");
  return s;
}

TwoGroupsSettingsDialog TwoGroupsSettingsDialog::FromDocument(const CORVELDoc& doc) {
  TwoGroupsSettingsDialog d;
  d.x = std::clamp(doc.TwoGroupX(), 1, kLastColumn);
  d.y = std::clamp(doc.TwoGroupY(), 1, kLastColumn);
  return d;
}

DialogSchema GroupColumnsSettingsDialog::Schema() {
  DialogSchema s;
  s.data_list = DataListLayout{ColumnEntryFormat::kCol3, 1, true};
  s.ColumnList("columns", "Selected Columns", columns, List(ColumnEntryFormat::kCol3, "selected_list", "add", "remove"));
  return s;
}

GroupColumnsSettingsDialog GroupColumnsSettingsDialog::FromDocument(const CORVELDoc& doc) {
  GroupColumnsSettingsDialog d;
  d.columns = doc.GroupColumnList();
  return d;
}

DialogSchema MultipleRegressionSettingsDialog::Schema() {
  DialogSchema s;
  s.data_list = DataListLayout{ColumnEntryFormat::kCol2, 1, true};
  ColumnPicker y_box;
  y_box.picker = ColumnPicker::Picker::kFromDataList;
  y_box.format = ColumnEntryFormat::kCol2;
  y_box.first_column = 0;  // cleared by "<-"
  y_box.box_title = "Setting for Y";
  y_box.set_button = "set_y";
  y_box.clear_button = "clear_y";
  s.Column("y", "Setting for Y", y, 0, kLastColumn, y_box, "Choose the column of Y.");
  ColumnListPicker x_list = List(ColumnEntryFormat::kCol2, "x_list", "add_x", "remove_x");
  x_list.limit = kRegressionXLimit;
  x_list.full_message = kFifteenListFullMessage;
  s.ColumnList("x", "Setting for X (Max 15)", x, x_list);
  s.Choice("method", "Variable Selection", method, {"Forward Method", "Backward Method", "None"},
           "Choose a variable selection method.");
  s.Real("f_in", "F-in (1.00-4.00)", f_in, kFMin, false, kFMax, false, kFDefault);
  s.Real("f_out", "F-out (1.00-4.00)", f_out, kFMin, false, kFMax, false, kFDefault);
  s.Real("p_in", "p-in (0-1)", p_in, kPMin, true, kPMax, true, kPDefault);
  s.Real("p_out", "p-out (0-1)", p_out, kPMin, true, kPMax, true, kPDefault);
  return s;
}

MultipleRegressionSettingsDialog MultipleRegressionSettingsDialog::FromDocument(const CORVELDoc& doc) {
  const DataSettings& settings = doc.Settings();
  MultipleRegressionSettingsDialog d;
  d.y = settings.RegressionY >= 1 && settings.RegressionY <= kLastColumn ? settings.RegressionY : 0;
  d.x = FlaggedColumns([&doc](int c) { return doc.RegressionXColumn(c); });
  d.method = settings.RegressionMethod >= 0 && settings.RegressionMethod <= 2 ? settings.RegressionMethod : 2;
  d.f_in = settings.FIn;
  d.f_out = settings.FOut;
  d.p_in = settings.PIn;
  d.p_out = settings.POut;
  return d;
}

DialogSchema PcaSettingsDialog::Schema() {
  DialogSchema s;
  s.data_list = DataListLayout{ColumnEntryFormat::kCl2, 1, true};
  ColumnListPicker list = List(ColumnEntryFormat::kCl2, "selected_list", "add", "remove");
  list.limit = kPcaLimit;
  list.full_message = kPcaListFullMessage;
  s.ColumnList("columns", "Selected Columns (Max 20)", columns, list);
  return s;
}

PcaSettingsDialog PcaSettingsDialog::FromDocument(const CORVELDoc& doc) {
  PcaSettingsDialog d;
  d.columns = FlaggedColumns([&doc](int c) { return doc.PcaColumn(c); });
  return d;
}

DialogSchema DiscriminantSettingsDialog::Schema() {
  DialogSchema s;
  s.data_list = DataListLayout{ColumnEntryFormat::kCol2, 1, true};
  for (int group : {1, 2}) {
    const std::string n = std::to_string(group);
    ColumnListPicker list = List(ColumnEntryFormat::kDiscriminantSlot, "group" + n, "add" + n, "remove" + n);
    list.limit = kDiscriminantLimit;
    list.full_message = kFifteenListFullMessage;
    list.added_order = true;
    list.rows_shown = kDiscriminantLimit;
    s.ColumnList("group" + n, "Setting for Group " + n + " (Max 15)", group == 1 ? group1 : group2, list);
  }
  return s;
}

DiscriminantSettingsDialog DiscriminantSettingsDialog::FromDocument(const CORVELDoc& doc) {
  DiscriminantSettingsDialog d;
  // The slots in order; an empty slot between filled ones closes up, as the analysis needs.
  for (int group : {1, 2}) {
    std::vector<int>& columns = group == 1 ? d.group1 : d.group2;
    for (int s = 1; s <= kDiscriminantSlots; ++s) {
      const int c = doc.DiscriminantSlot(group, s);
      if (c >= 1 && c <= kLastColumn && std::find(columns.begin(), columns.end(), c) == columns.end())
        columns.push_back(c);
    }
  }
  return d;
}

DialogSchema ObjectDataDialog::Schema() {
  DialogSchema s;
  s.Choice("data", "Object Data", choice, {"Included in Result", "Not Included in Result"}, "Choose an option.",
           {"included", "not_included"})
      .button_names = {"included", "not_included"};
  return s;
}

ObjectDataDialog ObjectDataDialog::FromDocument(const CORVELDoc& doc) {
  ObjectDataDialog d;
  d.choice = doc.IncludeDataInResult() ? kIncluded : kNotIncluded;
  return d;
}

}  // namespace orvel
