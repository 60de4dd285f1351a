// "Sort": the columns whose rows move ("Columns to Be Sorted", any of the label column and
// columns 1..100), the key column ("Sort by") and the order ("Ascending", preselected, or
// "Descending"). The columns start as the document's SortColumns; there is no key until one
// is chosen.
//
// Batch keys: columns=LIST (comma-separated column numbers, 0 for the label column, e.g.
// columns=0,1,2; an empty list for none), key=N (1..100), order=ascending|descending.
// OK is refused without a key and with the label column as key. A key that is not among the
// columns to be sorted is allowed: the rows of the other columns move, the key column stays.
#pragma once

#include <array>
#include <string>

#include "app/dialogs.h"
#include "sheet/orvel_doc.h"

namespace orvel {

class SortDialog : public DialogModel {
 public:
  static constexpr const char* kTitle = "Sort";
  // Shown (title "ORVEL") when the label column is chosen as the key.
  static constexpr const char* kLabelKeyMessage = "label列は並べ替えの基準列に設定できません。";
  static constexpr const char* kNoKeyMessage =
      "Choose the column to sort by: select it in \"Columns to Be Sorted\" and press the second \"->\".";
  static constexpr int kNoKey = -1;

  std::string Title() const override { return kTitle; }
  DialogSchema Schema() override;

  // The entry of column c in "Data List" and "Columns to Be Sorted": "label : NAME" for the
  // label column, "Col%2d : NAME" for the others.
  static std::string ListEntry(const CORVELDoc& doc, int column);

  std::array<bool, kColumnCount> columns{};
  int key = kNoKey;
  bool descending = false;

 protected:
  std::string Check() const override;
};

}  // namespace orvel
