// The macro compiler and executor, run as Run Macro runs a file, on a small sheet with every
// question answered OK, every dialog accepted with its presets and every file dialog
// cancelled (so nothing is written). A step limit bounds every run.
#include <sstream>

#include "app/orvel_view.h"
#include "batch/batch_port.h"
#include "fuzz/fuzz_support.h"
#include "sheet/orvel_doc.h"

using namespace orvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::ostringstream messages;
  batch::BatchPort port({}, "", messages);
  port.SetFixedTime(1000000000);
  port.WriteProfileInt("ProgramData", "Row", 100);
  CORVELDoc doc(101);
  for (int r = 1; r <= 12; ++r) {
    doc.SetCell(1, r, std::to_string(r * 3 % 7));
    doc.SetCell(2, r, std::to_string(r * r % 11));
  }
  CORVELView view(doc, port);
  const MacroRunResult run = view.RunMacroText(fuzz::AsText(data, size), 5000);
  fuzz::Require(run.steps <= 5001, "the step limit holds");
  fuzz::Require(!view.IsRunningMacro, "a run ends");
  return 0;
}
