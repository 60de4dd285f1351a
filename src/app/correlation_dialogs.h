// Dialogs of the correlation commands.
#pragma once

#include <string>

#include "app/dialogs.h"

namespace orvel {

// "Regression Curve": six radio buttons, one per curve kind; the chosen button's index (0..5)
// is the kind. Batch key: kind=0..5. Preset: 0 (y=a*log(x)+b).
class RegressionCurveDialog : public DialogModel {
 public:
  static constexpr const char* kTitle = "Regression Curve";
  static constexpr int kKinds = 6;
  // The buttons' texts in index order.
  static constexpr const char* kKindTexts[kKinds] = {"y=a*log(x)+b", "y=a*ln(x)+b",   "y=a*x^b",
                                                     "y=a*10^(bx)",  "y=a*exp(bx)", "y=a*(1/x)+b"};
  std::string Title() const override { return kTitle; }
  DialogSchema Schema() override;
  int kind = 0;
};

}  // namespace orvel
