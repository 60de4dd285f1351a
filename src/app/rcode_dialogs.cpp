#include "app/rcode_dialogs.h"

#include <algorithm>

#include "app/data_settings_lists.h"

namespace orvel {

namespace {

bool ParseColumn(const std::string& text, int& out) {
  int value = 0;
  if (!ParseWholeNumber(text, value) || value < 1 || value > kLastColumn) return false;
  out = value;
  return true;
}

// "1,3,5" (blanks around the numbers allowed); the empty text is the empty list.
bool ParseColumnList(const std::string& text, std::vector<int>& out) {
  std::vector<int> list;
  std::size_t start = 0;
  const bool blank = text.find_first_not_of(" \t") == std::string::npos;
  while (!blank && start <= text.size()) {
    std::size_t comma = text.find(',', start);
    if (comma == std::string::npos) comma = text.size();
    std::string item = text.substr(start, comma - start);
    const std::size_t first = item.find_first_not_of(" \t"), last = item.find_last_not_of(" \t");
    item = first == std::string::npos ? std::string() : item.substr(first, last - first + 1);
    int column = 0;
    if (!ParseColumn(item, column)) return false;
    if (std::find(list.begin(), list.end(), column) == list.end()) list.push_back(column);
    start = comma + 1;
  }
  out = std::move(list);
  return true;
}

}  // namespace

bool RColumnPickerDialog::SetField(const std::string& key, const std::string& value) {
  switch (Layout()) {
    case RPickerLayout::kList:
      return key == "columns" && ParseColumnList(value, columns);
    case RPickerLayout::kXAndY:
      if (key == "x") return ParseColumn(value, x);
      if (key == "y") return ParseColumn(value, y);
      return false;
    case RPickerLayout::kDependentAndList:
      if (key == "dependent") return ParseColumn(value, dependent);
      if (key == "columns") return ParseColumnList(value, columns);
      return false;
    case RPickerLayout::kSingle:
      if (key != "column") return false;
      if (value.empty()) {  // none chosen: the command refuses it
        column = 0;
        return true;
      }
      return ParseColumn(value, column);
    case RPickerLayout::kSelection: break;
  }
  return false;
}

void RColumnPickerDialog::AddColumn(int c) {
  if (c < 1 || c > kLastColumn) return;
  if (std::find(columns.begin(), columns.end(), c) == columns.end()) columns.push_back(c);
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

std::string RPickerEntry(const CORVELDoc& doc, int column) { return ColumnEntry2(doc, column); }

}  // namespace orvel
