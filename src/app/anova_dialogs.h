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
#include <utility>
#include <vector>

#include "app/dialogs.h"
#include "sheet/orvel_doc.h"

namespace orvel {

// Tukey, Scheffe and Bonferroni check boxes, shared by the three dialogs.
class AnovaComparisonFields : public DialogModel {
 public:
  bool SetField(const std::string& key, const std::string& value) override;
  bool repeated = false;  // Type: false = Factorial, true = Repeated Measures
  bool tukey = false;
  bool scheffe = false;
  bool bonferroni = false;

 protected:
  bool SetType(const std::string& value);
};

class OnewayAnovaDialog : public AnovaComparisonFields {
 public:
  static constexpr const char* kTitle = "OnewayANOVA";
  // The group columns to choose the control from; the control preset is `current` when it is
  // one of them, else the first.
  OnewayAnovaDialog(const CORVELDoc& doc, int current);
  std::string Title() const override { return kTitle; }
  bool SetField(const std::string& key, const std::string& value) override;
  // The list entry of a group column: "Col%2d：%s".
  static std::string ControlEntry(int column, const std::string& name);

  bool dunnett = false;
  bool holm = false;
  std::vector<std::pair<int, std::string>> group_columns;  // column, list entry
  int control = 0;                                          // a column of group_columns
  // The control's position among the group columns.
  std::size_t ControlIndex() const;
};

class TwowayWithoutReplicationDialog : public AnovaComparisonFields {
 public:
  static constexpr const char* kTitle = "TwowayANOVA without Replication";
  std::string Title() const override { return kTitle; }
  // No Type choice here.
  bool SetField(const std::string& key, const std::string& value) override;
};

class TwowayAnovaDialog : public AnovaComparisonFields {
 public:
  static constexpr const char* kTitle = "TwowayANOVA";
  static constexpr const char* kRepeatedNote = "Multiple comparison will not be performed in repeated measures.";
  static constexpr const char* kPairingNote =
      "Data should be paired among Factor B. If Factor A has two samples, Hotelling's T-Square test will be "
      "performed.";
  std::string Title() const override { return kTitle; }
};

}  // namespace orvel
