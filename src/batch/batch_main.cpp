// orvel-batch: runs a macro file on a data file without a window (batch_runner.h).
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "batch/batch_runner.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  try {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return orvel::batch::RunBatch(args, std::cout, std::cerr);
  } catch (const std::exception& e) {
    // Out of memory and the like: say so rather than abort with a core dump.
    std::cout.flush();
    std::cerr << "orvel-batch: " << e.what() << '\n';
    return orvel::batch::kExitFailure;
  }
}
