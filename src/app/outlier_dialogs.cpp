#include "app/outlier_dialogs.h"

#include "analyses/outlier.h"

namespace orvel {

bool RandomNumbersDialog::SetField(const std::string& key, const std::string& value) {
  if (key == "groups") return ParseWholeNumber(value, groups);
  if (key == "repetitions") return ParseWholeNumber(value, repetitions);
  return false;
}

std::string RandomNumbersDialog::Accept() const {
  if (groups < kMinRandomGroups || groups > kMaxRandomGroups) return "Enter an integer between 2 and 10.";
  if (repetitions < kMinRandomRepetitions || repetitions > kMaxRandomRepetitions)
    return "Enter an integer between 1 and 30.";
  return {};
}

}  // namespace orvel
