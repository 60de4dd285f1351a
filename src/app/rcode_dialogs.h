// The column pickers of the R Language menu. Each lists the columns 1..100 as "Col%2d : %s"
// under "Data List"; the command sets the title and, for the dependent-and-list layout, the
// two captions.
//
// Batch keys by layout: list `columns=1,3,...`; X and Y `x=N y=N` (presets 1 and 2);
// dependent and list `dependent=N columns=...` (preset dependent 1); single `column=N`
// (0 or none: no column chosen).
#pragma once

#include <string>
#include <vector>

#include "app/dialogs.h"
#include "rcode/rcode_generator.h"

namespace orvel {

class RColumnPickerDialog : public DialogModel {
 public:
  explicit RColumnPickerDialog(const RCodeCommandInfo& info) : info_(&info) {}
  std::string Title() const override { return info_->dialog_title; }
  DialogSchema Schema() override;

  RPickerLayout Layout() const { return info_->layout; }
  // The picked columns as the generator takes them.
  RCodePicks Picks() const;

  std::vector<int> columns;  // the list, or the lower list
  int x = 1;
  int y = 2;
  int dependent = 1;
  int column = 0;  // single: none until one is chosen

 private:
  const RCodeCommandInfo* info_;
};

}  // namespace orvel
