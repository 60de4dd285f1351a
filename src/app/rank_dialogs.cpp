#include "app/rank_dialogs.h"

namespace orvel {

DialogSchema RankComparisonDialog::Schema() {
  DialogSchema s;
  s.CheckBox("tukey", "Multiple Comparison", "Tukey", tukey);
  s.CheckBox("scheffe", "Multiple Comparison", "Scheffe", scheffe);
  return s;
}

}  // namespace orvel
