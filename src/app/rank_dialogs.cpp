#include "app/rank_dialogs.h"

namespace orvel {

namespace {
// A check box takes 0 (unticked) or 1 (ticked).
bool ParseCheckBox(const std::string& value, bool& out) {
  int v = 0;
  if (!ParseWholeNumber(value, v) || (v != 0 && v != 1)) return false;
  out = v == 1;
  return true;
}
}  // namespace

bool RankComparisonDialog::SetField(const std::string& key, const std::string& value) {
  if (key == "tukey") return ParseCheckBox(value, tukey);
  if (key == "scheffe") return ParseCheckBox(value, scheffe);
  return false;
}

}  // namespace orvel
