#include "app/outlier_dialogs.h"

#include "analyses/outlier.h"

namespace orvel {

DialogSchema RandomNumbersDialog::Schema() {
  DialogSchema s;
  s.Integer("groups", "Number of Groups (2-10)", groups, kMinRandomGroups, kMaxRandomGroups,
            "Enter an integer between 2 and 10.");
  s.Integer("repetitions", "Number of Repetitions (1-30)", repetitions, kMinRandomRepetitions,
            kMaxRandomRepetitions, "Enter an integer between 1 and 30.");
  return s;
}

}  // namespace orvel
