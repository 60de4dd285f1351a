// The column lists of the Data Settings dialogs: how an entry reads, and what adding a column
// to a list with a limit does. The dialogs of every front end share these rules.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "sheet/orvel_doc.h"

namespace orvel {

// Shown (title "ORVEL") when a column is added to a full list: at most 20, at most 15 entries.
inline constexpr const char* kPcaListFullMessage = "最大２０個までしか設定できません。";
inline constexpr const char* kFifteenListFullMessage = "最大15個までしか設定できません。";
inline constexpr std::size_t kRegressionXLimit = 15;
inline constexpr std::size_t kPcaLimit = 20;
inline constexpr std::size_t kDiscriminantLimit = kDiscriminantSlots;

// Column c with its row-0 name in the list formats: "Col%3d : %s" (oneway two groups, three
// groups or more), "Col%2d : %s" (multiple regression, discriminant and twoway data) and
// "Cl%2d : %s" (principal component analysis).
std::string ColumnEntry3(const CORVELDoc& doc, int column);
std::string ColumnEntry2(const CORVELDoc& doc, int column);
std::string PcaColumnEntry(const CORVELDoc& doc, int column);
// A discriminant slot: "x%d:" when empty, else "x%d:%s" with the column's "Col%2d : %s" entry.
std::string DiscriminantSlotEntry(const CORVELDoc& doc, int slot, int column);

enum class ListAddOutcome { kAdded, kAlreadyListed, kFull };
// Adds `column` to `list` unless it is there already or the list holds `limit` columns. The
// column lists keep column order; the discriminant groups keep the order of adding, since
// slot k of one group pairs with slot k of the other.
enum class ListOrder { kColumnOrder, kAddedOrder };
ListAddOutcome AddColumnToList(std::vector<int>& list, int column, std::size_t limit, ListOrder order);

}  // namespace orvel
