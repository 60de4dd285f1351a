// The name table of the macro language: every statement and function name with the number of
// arguments the compiler compiles for it.
#include "macro/keywords.h"

#include <algorithm>
#include <utility>

namespace orvel {

namespace {

using NameCount = std::pair<std::string_view, int>;

std::vector<NameCount> BuildTable() {
  // Grouped by argument count, several names a line.
  // clang-format off
  std::vector<NameCount> table = {
      // Statements and functions without arguments.
      {"exit", 0}, {"else", 0}, {"getcol", 0}, {"getrow", 0}, {"getmincol", 0},
      {"getminrow", 0}, {"getmaxcol", 0}, {"getmaxrow", 0}, {"getmaxsetting", 0},
      {"homesheetxpos", 0}, {"homesheetypos", 0}, {"cleardata", 0},
      // One argument.
      {"while", 1}, {"if", 1}, {"log", 1}, {"logten", 1}, {"exp", 1}, {"sqrt", 1},
      {"addresult", 1}, {"message", 1}, {"input", 1}, {"question", 1},
      {"incsheetxpos", 1}, {"incsheetypos", 1}, {"decsheetxpos", 1}, {"decsheetypos", 1},
      {"setxvalue", 1}, {"setyvalue", 1}, {"setmultiyvalue", 1}, {"setmultiradio", 1},
      {"setfin", 1}, {"setfout", 1}, {"setpin", 1}, {"setpout", 1},
      {"setdatatoresult", 1}, {"resultoption", 1},
      // Two arguments.
      {"pow", 2}, {"isdata", 2}, {"cell", 2}, {"clearcell", 2}, {"setcolwidth", 2},
      {"setonefactor", 2}, {"setshuseibun", 2}, {"settwofactorlabela", 2},
      {"settwofactorlabelb", 2}, {"sethanbetux", 2}, {"sethanbetuy", 2}, {"setmultixvalue", 2},
      // Three and four.
      {"settwofactor", 3}, {"selectcell", 4},
  };
  // clang-format on
  for (std::string_view keyword : MacroCommandKeywords()) table.emplace_back(keyword, 0);
  std::sort(table.begin(), table.end());
  return table;
}

}  // namespace

int MacroNameArgumentCount(std::string_view name) {
  static const std::vector<NameCount> table = BuildTable();
  const auto it = std::lower_bound(table.begin(), table.end(), name,
                                   [](const NameCount& entry, std::string_view key) { return entry.first < key; });
  return it != table.end() && it->first == name ? it->second : -1;
}

}  // namespace orvel
