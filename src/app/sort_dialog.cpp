#include "app/sort_dialog.h"

namespace orvel {

DialogSchema SortDialog::Schema() {
  DialogSchema s;
  s.data_list = DataListLayout{ColumnEntryFormat::kSortEntry, 0, false};
  ColumnListPicker list;
  list.format = ColumnEntryFormat::kSortEntry;
  list.first_column = 0;
  list.list_name = "sorted_list";
  list.add_button = "add";
  list.remove_button = "remove";
  s.ColumnList("columns", "Columns to Be Sorted", columns, list);
  ColumnPicker by;
  by.picker = ColumnPicker::Picker::kFromField;
  by.format = ColumnEntryFormat::kSortEntry;
  by.first_column = 0;
  by.source_key = "columns";
  by.box_title = "Sort by";
  by.set_button = "set_key";
  by.refused_column = 0;
  by.refused_message = kLabelKeyMessage;
  // The label column is taken here and refused by OK, with its message; no key at all is
  // outside the range.
  s.Column("key", "Sort by", key, 0, kLastColumn, by, kNoKeyMessage);
  s.Choice("order", "Sort Order", descending, {"Ascending", "Descending"}, "Choose the order.", {"ascending", "descending"});
  return s;
}

std::string SortDialog::Check() const {
  if (key == 0) return kLabelKeyMessage;
  return {};
}

std::string SortDialog::ListEntry(const CORVELDoc& doc, int column) {
  return ColumnListEntry(doc, ColumnEntryFormat::kSortEntry, column);
}

}  // namespace orvel
