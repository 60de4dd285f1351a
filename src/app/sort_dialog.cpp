#include "app/sort_dialog.h"

#include <cstdio>

namespace orvel {

namespace {
bool IsColumnNumber(int c) { return c >= 0 && c <= kLastColumn; }
}  // namespace

bool SortDialog::SetField(const std::string& field, const std::string& value) {
  if (field == "columns") {
    std::array<bool, kColumnCount> chosen{};
    std::size_t start = 0;
    while (!value.empty() && start <= value.size()) {
      const std::size_t comma = value.find(',', start);
      std::string item = value.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
      while (!item.empty() && item.front() == ' ') item.erase(item.begin());
      while (!item.empty() && item.back() == ' ') item.pop_back();
      int c = 0;
      if (!ParseWholeNumber(item, c) || !IsColumnNumber(c)) return false;
      chosen[static_cast<std::size_t>(c)] = true;
      if (comma == std::string::npos) break;
      start = comma + 1;
    }
    columns = chosen;
    return true;
  }
  if (field == "key") {
    int c = 0;
    if (!ParseWholeNumber(value, c) || !IsColumnNumber(c)) return false;
    key = c;  // the label column is taken here and refused by OK, with its message
    return true;
  }
  if (field == "order") {
    if (value == "ascending") descending = false;
    else if (value == "descending") descending = true;
    else return false;
    return true;
  }
  return false;
}

std::string SortDialog::Accept() const {
  if (key == 0) return kLabelKeyMessage;
  if (key < 1 || key > kLastColumn) return kNoKeyMessage;
  return {};
}

std::string SortDialog::ListEntry(const CORVELDoc& doc, int column) {
  const std::string name(doc.Text(column, 0));
  if (column == 0) return "label : " + name;
  char prefix[16];
  std::snprintf(prefix, sizeof prefix, "Col%2d : ", column);
  return prefix + name;
}

}  // namespace orvel
