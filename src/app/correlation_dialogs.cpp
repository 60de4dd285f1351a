#include "app/correlation_dialogs.h"

namespace orvel {

DialogSchema RegressionCurveDialog::Schema() {
  DialogSchema s;
  s.Choice("kind", "Regression Curve", kind, {std::begin(kKindTexts), std::end(kKindTexts)},
           "Choose one of the six curves.");
  return s;
}

}  // namespace orvel
