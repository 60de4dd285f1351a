// The Data Settings dialogs: which columns form the groups of the two-group, several-group,
// multiple regression, principal component and discriminant analyses, and whether the object
// data are listed in the results. Each model is preset from the document (FromDocument) and,
// on OK, handed to the view, which stores it, marks the document modified and records its
// statements (CORVELView::Apply*Settings).
//
// Batch keys: see each class. Column lists are comma-separated column numbers (1..100).
#pragma once

#include <string>
#include <vector>

#include "app/data_settings_lists.h"
#include "app/dialogs.h"
#include "sheet/orvel_doc.h"

namespace orvel {

// "Data Setting for Oneway Two Groups": X and Y, one column each, as drop-down lists of
// "Col%3d : %s". Batch keys: x=N y=N (1..100).
class TwoGroupsSettingsDialog : public DialogModel {
 public:
  static constexpr const char* kTitle = "Data Setting for Oneway Two Groups";
  std::string Title() const override { return kTitle; }
  DialogSchema Schema() override;
  static TwoGroupsSettingsDialog FromDocument(const CORVELDoc& doc);
  int x = 1;
  int y = 2;
};

// "Data Setting for Oneway Three Groups or More": "Data List" -> "Selected Columns", any
// number of columns, in column order. Batch key: columns=LIST.
class GroupColumnsSettingsDialog : public DialogModel {
 public:
  static constexpr const char* kTitle = "Data Setting for Oneway Three Groups or More";
  std::string Title() const override { return kTitle; }
  DialogSchema Schema() override;
  static GroupColumnsSettingsDialog FromDocument(const CORVELDoc& doc);
  std::vector<int> columns;
};

// "Data Setting for Multiple Regression Data": "Setting for Y" (one column, 0 for none),
// "Setting for X (Max 15)", "Variable Selection" and the four thresholds, shown with "%.2f".
// Thresholds outside their ranges (and texts that are no numbers) are not refused: F-in and
// F-out outside 1.00-4.00 become 2.0, p-in and p-out at or beyond 0 and 1 become 0.2.
// Batch keys: y=N (0..100), x=LIST (at most 15), method=0|1|2 (Forward, Backward, None),
// f_in=R f_out=R p_in=R p_out=R.
class MultipleRegressionSettingsDialog : public DialogModel {
 public:
  static constexpr const char* kTitle = "Data Setting for Multiple Regression Data";
  static constexpr double kFMin = 1.0, kFMax = 4.0, kFDefault = 2.0;
  static constexpr double kPMin = 0.0, kPMax = 1.0, kPDefault = 0.2;
  std::string Title() const override { return kTitle; }
  DialogSchema Schema() override;
  static MultipleRegressionSettingsDialog FromDocument(const CORVELDoc& doc);
  // The corrections the dialog makes to a typed threshold.
  static double CorrectedF(double v) { return v >= kFMin && v <= kFMax ? v : kFDefault; }
  static double CorrectedP(double v) { return v > kPMin && v < kPMax ? v : kPDefault; }
  int y = 1;
  std::vector<int> x;
  int method = 2;
  double f_in = kFDefault;
  double f_out = kFDefault;
  double p_in = kPDefault;
  double p_out = kPDefault;
};

// "Data Setting for Principal Component Analysis Data": "Selected Columns (Max 20)", listed
// "Cl%2d : %s". Batch key: columns=LIST (at most 20).
class PcaSettingsDialog : public DialogModel {
 public:
  static constexpr const char* kTitle = "Data Setting for Principal Component Analysis Data";
  std::string Title() const override { return kTitle; }
  DialogSchema Schema() override;
  static PcaSettingsDialog FromDocument(const CORVELDoc& doc);
  std::vector<int> columns;
};

// "Data Setting for Discriminant Analysis Data": two groups of at most 15 slots, "x%d:" and
// "x%d:%s", filled in the order of adding: slot k of one group pairs with slot k of the other.
// Batch keys: group1=LIST group2=LIST (at most 15 each, in slot order).
class DiscriminantSettingsDialog : public DialogModel {
 public:
  static constexpr const char* kTitle = "Data Setting for Discriminant Analysis Data";
  std::string Title() const override { return kTitle; }
  DialogSchema Schema() override;
  static DiscriminantSettingsDialog FromDocument(const CORVELDoc& doc);
  std::vector<int> group1;
  std::vector<int> group2;
};

// "Option for Object Data": "Object Data", "Included in Result" (0) or "Not Included in
// Result" (1). Batch key: data=included|not_included.
class ObjectDataDialog : public DialogModel {
 public:
  static constexpr const char* kTitle = "Option for Object Data";
  enum Choice { kIncluded = 0, kNotIncluded = 1 };
  std::string Title() const override { return kTitle; }
  DialogSchema Schema() override;
  static ObjectDataDialog FromDocument(const CORVELDoc& doc);
  int choice = kNotIncluded;
};

}  // namespace orvel
