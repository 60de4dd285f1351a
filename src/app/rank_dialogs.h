// The dialogs of the Kruskal-Wallis and Friedman rank sum tests: two check boxes, Tukey and
// Scheffe, under "Multiple Comparison". Both are unticked when the dialog opens.
//
// Batch keys: tukey=0|1 scheffe=0|1.
#pragma once

#include <string>

#include "app/dialogs.h"

namespace orvel {

class RankComparisonDialog : public DialogModel {
 public:
  DialogSchema Schema() override;
  bool tukey = false;
  bool scheffe = false;
};

// "Kruskal-Wallis Rank Sum Test".
class KruskalWallisDialog : public RankComparisonDialog {
 public:
  static constexpr const char* kTitle = "Kruskal-Wallis Rank Sum Test";
  std::string Title() const override { return kTitle; }
};

// "Friedman Rank Sum Test".
class FriedmanDialog : public RankComparisonDialog {
 public:
  static constexpr const char* kTitle = "Friedman Rank Sum Test";
  std::string Title() const override { return kTitle; }
};

}  // namespace orvel
