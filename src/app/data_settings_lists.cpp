#include "app/data_settings_lists.h"

#include <algorithm>
#include <cstdio>

namespace orvel {

namespace {
std::string Entry(const CORVELDoc& doc, const char* format, int column) {
  char prefix[32];
  std::snprintf(prefix, sizeof prefix, format, column);
  return prefix + std::string(doc.Text(column, 0));
}
}  // namespace

std::string ColumnEntry3(const CORVELDoc& doc, int column) { return Entry(doc, "Col%3d : ", column); }
std::string ColumnEntry2(const CORVELDoc& doc, int column) { return Entry(doc, "Col%2d : ", column); }
std::string PcaColumnEntry(const CORVELDoc& doc, int column) { return Entry(doc, "Cl%2d : ", column); }

std::string DiscriminantSlotEntry(const CORVELDoc& doc, int slot, int column) {
  char prefix[32];
  std::snprintf(prefix, sizeof prefix, "x%d:", slot);
  if (column < 1 || column > kLastColumn) return prefix;
  return prefix + ColumnEntry2(doc, column);
}

ListAddOutcome AddColumnToList(std::vector<int>& list, int column, std::size_t limit, ListOrder order) {
  if (std::find(list.begin(), list.end(), column) != list.end()) return ListAddOutcome::kAlreadyListed;
  if (list.size() >= limit) return ListAddOutcome::kFull;
  if (order == ListOrder::kAddedOrder) list.push_back(column);
  else list.insert(std::upper_bound(list.begin(), list.end(), column), column);
  return ListAddOutcome::kAdded;
}

}  // namespace orvel
