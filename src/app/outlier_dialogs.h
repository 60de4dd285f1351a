// The dialog of the random numbers table.
#pragma once

#include <string>

#include "app/dialogs.h"

namespace orvel {

// "Random Numbers Table": "Number of Groups (2-10)" (key `groups`, preset 2) and "Number of
// Repetitions (1-30)" (key `repetitions`, preset 10). OK is refused outside those ranges.
class RandomNumbersDialog : public DialogModel {
 public:
  static constexpr const char* kTitle = "Random Numbers Table";
  std::string Title() const override { return kTitle; }
  DialogSchema Schema() override;
  int groups = 2;
  int repetitions = 10;
};

}  // namespace orvel
