// The dialogs of the analyses of variance.
//
// "OnewayANOVA": Type (Factorial or Repeated Measures), Multiple Comparison (Tukey, Scheffe,
// Bonferroni, Dunnett, Holm) and "Control Group for Dunnett", a list of the group columns shown
// as "Col%2d：%s". Batch keys: type=factorial|repeated tukey= scheffe= bonferroni= dunnett=
// holm= (0|1) control=COLUMN (the column number of one of the listed group columns).
//
// "TwowayANOVA without Replication": Multiple Comparison (Tukey, Scheffe, Bonferroni).
// Batch keys: tukey= scheffe= bonferroni=.
//
// "TwowayANOVA": Type (Factorial or Repeated Measures) and Multiple Comparison (Tukey, Scheffe,
// Bonferroni), with two notes. Batch keys: type=factorial|repeated tukey= scheffe= bonferroni=.
//
// Every box is unticked and the type is Factorial when a dialog opens.
#pragma once

#include <string>
#include <vector>

#include "app/dialogs.h"
#include "sheet/orvel_doc.h"

namespace orvel {

// The Type choice and the Tukey, Scheffe and Bonferroni check boxes the three dialogs share.
class AnovaDialogFields : public DialogModel {
 public:
  bool repeated = false;  // Type: false = Factorial, true = Repeated Measures
  bool tukey = false;
  bool scheffe = false;
  bool bonferroni = false;

 protected:
  void AddType(DialogSchema& s);
  void AddComparisons(DialogSchema& s);
};

class OnewayAnovaDialog : public AnovaDialogFields {
 public:
  static constexpr const char* kTitle = "OnewayANOVA";
  // Lists the document's group columns; the control preset is `current` when it is one of
  // them, else the first.
  OnewayAnovaDialog(const CORVELDoc& doc, int current);
  std::string Title() const override { return kTitle; }
  DialogSchema Schema() override;
  // The list entry of a group column: "Col%2d：%s".
  static std::string ControlEntry(int column, const std::string& name);
  // Dunnett's control column.
  int ControlColumn() const;

  bool dunnett = false;
  bool holm = false;
  std::vector<int> group_columns;
  std::vector<std::string> control_entries;
  int control_index = 0;  // the control's position among the group columns
};

class TwowayWithoutReplicationDialog : public AnovaDialogFields {
 public:
  static constexpr const char* kTitle = "TwowayANOVA without Replication";
  std::string Title() const override { return kTitle; }
  DialogSchema Schema() override;
};

class TwowayAnovaDialog : public AnovaDialogFields {
 public:
  static constexpr const char* kTitle = "TwowayANOVA";
  static constexpr const char* kRepeatedNote = "Multiple comparison will not be performed in repeated measures.";
  static constexpr const char* kPairingNote =
      "Data should be paired among Factor B. If Factor A has two samples, Hotelling's T-Square test will be "
      "performed.";
  std::string Title() const override { return kTitle; }
  DialogSchema Schema() override;
};

}  // namespace orvel
