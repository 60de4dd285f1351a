#include "app/rcode_dialogs.h"

namespace orvel {

namespace {

constexpr const char* kSettingNotCorrect = "Data setting is not correct.";
// The R pickers' buttons are longer arrows than the Data Settings dialogs'.
constexpr const char* kAddText = "----->";
constexpr const char* kRemoveText = "<-----";

// A one-column box filled by "----->" from the "Data List".
ColumnPicker Box(const char* title, const std::string& key, int first_column = 1) {
  ColumnPicker shape;
  shape.picker = ColumnPicker::Picker::kFromDataList;
  shape.format = ColumnEntryFormat::kCol2;
  shape.first_column = first_column;
  shape.box_title = title;
  shape.set_button = "set_" + key;
  shape.set_text = kAddText;
  return shape;
}

ColumnListPicker List() {
  ColumnListPicker shape;
  shape.format = ColumnEntryFormat::kCol2;
  shape.list_name = "columns";
  shape.add_button = "add";
  shape.remove_button = "remove";
  shape.add_text = kAddText;
  shape.remove_text = kRemoveText;
  return shape;
}

}  // namespace

DialogSchema RColumnPickerDialog::Schema() {
  DialogSchema s;
  s.data_list = DataListLayout{ColumnEntryFormat::kCol2, 1, false};
  switch (Layout()) {
    case RPickerLayout::kList: s.ColumnList("columns", "Selected Data", columns, List()); break;
    case RPickerLayout::kXAndY:
      s.Column("x", "X", x, 1, kLastColumn, Box("X", "x"), kSettingNotCorrect);
      s.Column("y", "Y", y, 1, kLastColumn, Box("Y", "y"), kSettingNotCorrect);
      break;
    case RPickerLayout::kDependentAndList:
      s.Column("dependent", info_->upper_caption, dependent, 1, kLastColumn, Box(info_->upper_caption, "dependent"),
               kSettingNotCorrect);
      s.ColumnList("columns", info_->lower_caption, columns, List());
      break;
    case RPickerLayout::kSingle:
      // Nothing chosen is 0, which the command refuses with its message.
      s.Column("column", "Selected Data", column, 0, kLastColumn, Box("Selected Data", "column", 0),
               kSettingNotCorrect);
      break;
    case RPickerLayout::kSelection: break;
  }
  return s;
}

RCodePicks RColumnPickerDialog::Picks() const {
  RCodePicks picks;
  picks.columns = columns;
  picks.x = x;
  picks.y = y;
  picks.dependent = dependent;
  picks.column = column;
  return picks;
}

}  // namespace orvel
