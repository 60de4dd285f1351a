#include "app/rcode_dialogs.h"

namespace orvel {

namespace {

constexpr const char* kSettingNotCorrect = "Data setting is not correct.";

// A one-column box filled by "->" from the "Data List".
ColumnSpec Box(const char* title, const std::string& key, int first_column = 1) {
  ColumnSpec spec;
  spec.picker = ColumnSpec::Picker::kFromDataList;
  spec.format = ColumnEntryFormat::kCol2;
  spec.first_column = first_column;
  spec.box_title = title;
  spec.set_button = "set_" + key;
  return spec;
}

ColumnListSpec List() {
  ColumnListSpec spec;
  spec.format = ColumnEntryFormat::kCol2;
  spec.list_name = "columns";
  spec.add_button = "add";
  spec.remove_button = "remove";
  return spec;
}

}  // namespace

DialogSchema RColumnPickerDialog::Schema() {
  DialogSchema s;
  s.data_list = DataListSpec{ColumnEntryFormat::kCol2, 1, false};
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
