#include "app/correlation_dialogs.h"

namespace orvel {

bool RegressionCurveDialog::SetField(const std::string& key, const std::string& value) {
  int v = 0;
  if (key != "kind" || !ParseWholeNumber(value, v) || v < 0 || v >= kKinds) return false;
  kind = v;
  return true;
}

std::string RegressionCurveDialog::Accept() const {
  if (kind < 0 || kind >= kKinds) return "Choose one of the six curves.";
  return {};
}

}  // namespace orvel
