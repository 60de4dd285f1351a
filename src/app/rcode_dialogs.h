// The column pickers of the R Language menu. Each lists the columns 1..100 as "Col%2d : %s"
// under "Data List"; the command sets the title and, for the dependent-and-list layout, the
// two captions.
//
// Batch keys by layout: list `columns=1,3,...`; X and Y `x=N y=N` (presets 1 and 2);
// dependent and list `dependent=N columns=...` (preset dependent 1); single `column=N`.
#pragma once

#include <string>
#include <vector>

#include "app/dialogs.h"
#include "rcode/rcode_generator.h"
#include "sheet/orvel_doc.h"

namespace orvel {

class RColumnPickerDialog : public DialogModel {
 public:
  explicit RColumnPickerDialog(const RCodeCommandInfo& info) : info_(&info) {}
  std::string Title() const override { return info_->dialog_title; }
  bool SetField(const std::string& key, const std::string& value) override;

  RPickerLayout Layout() const { return info_->layout; }
  const char* UpperCaption() const { return info_->upper_caption; }
  const char* LowerCaption() const { return info_->lower_caption; }
  // The picked columns as the generator takes them.
  RCodePicks Picks() const;

  // Adds a column to the list (or lower list); a column already there is not added twice.
  void AddColumn(int column);

  std::vector<int> columns;  // the list in the order the columns were added
  int x = 1;
  int y = 2;
  int dependent = 1;
  int column = 0;  // single: none until one is chosen

 private:
  const RCodeCommandInfo* info_;
};

// "Col%2d : %s": a column with its row-0 name as the pickers list it.
std::string RPickerEntry(const CORVELDoc& doc, int column);

}  // namespace orvel
