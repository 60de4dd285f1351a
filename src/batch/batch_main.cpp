// orvel-batch: runs a macro file on a data file without a window (batch_runner.h).
#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "batch/batch_runner.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  try {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return orvel::batch::RunBatch(args, std::cout, std::cerr);
  } catch (const std::bad_alloc&) {
    // Reading or opening the files, or the saves: the run's own outputs are written last and
    // atomically, so nothing half-written is left. Said as the program's message box is.
    std::cerr << "ORVEL: There is not enough memory to complete the run.\n" << std::flush;
    return orvel::batch::kExitFailure;
  } catch (const std::exception& e) {
    // Anything else unforeseen: say so rather than abort with a core dump.
    std::cerr << "orvel-batch: " << e.what() << '\n' << std::flush;
    return orvel::batch::kExitFailure;
  }
}
