// A macro run that exhausts memory ends with the program's message, not a raw std::bad_alloc:
// in the desktop program's Run Macro and in orvel-batch, which then writes nothing.
//
// Each case runs in a child process whose address space is capped a few hundred megabytes
// above what it uses, so the allocation that fails is the run's own. The sanitizers reserve
// terabytes of shadow memory, which such a cap forbids; there the cases are skipped.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "app/orvel_view.h"
#include "batch/batch_runner.h"
#include "support/scripted_port.h"

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define ORVEL_NO_ADDRESS_LIMIT 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(memory_sanitizer)
#define ORVEL_NO_ADDRESS_LIMIT 1
#endif
#endif

namespace orvel {
namespace {

#ifdef ORVEL_NO_ADDRESS_LIMIT

TEST(OutOfMemoryTest, RunsEndWithTheMessageAndWriteNothing) {
  GTEST_SKIP() << "an address-space cap cannot be combined with the sanitizers";
}

#else

namespace fs = std::filesystem;

// Caps the address space at what the process maps now plus `headroom` bytes.
void LimitAddressSpace(std::size_t headroom) {
  std::size_t pages = 0;
  if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
    if (std::fscanf(f, "%zu", &pages) != 1) pages = 0;
    std::fclose(f);
  }
  const rlim_t limit = static_cast<rlim_t>(pages * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE)) + headroom);
  const rlimit cap{limit, limit};
  if (::setrlimit(RLIMIT_AS, &cap) != 0) std::_Exit(3);
}

// Grows the result text without end: each turn appends a hundred bytes.
const std::string kEndlessResult = "while (1) {addresult(\"" + std::string(100, 'x') + "\");}";

struct Case {
  const char* name;
  // Runs in the child after the cap; returns "" when everything held, or what went wrong.
  std::function<std::string(const fs::path& dir)> run;
};

std::string DesktopRunMacro(const fs::path&) {
  CORVELDoc doc;
  testing::ScriptedPort port;
  CORVELView view(doc, port);
  view.RunMacroText("cell(1,1)=5;\r\n" + kEndlessResult);
  const auto messages = port.Messages();
  if (messages.empty() || messages.back() != "ORVEL: There is not enough memory to run the macro.")
    return "the message was " + (messages.empty() ? std::string("missing") : messages.back());
  if (view.IsRunningMacro) return "still marked as running";
  // What the run did before memory ran out stays, as after any stopped run.
  if (doc.Text(1, 1) != "5") return "the cell set before is gone";
  return "";
}

std::string BatchRun(const fs::path& dir) {
  const std::string data = (dir / "data.txt").string(), macro = (dir / "m.ovm").string();
  const std::string result = (dir / "out.txt").string(), saved = (dir / "out.ovd").string();
  std::ofstream(data, std::ios::binary) << "a\tb\n1\t2\n";
  std::ofstream(macro, std::ios::binary) << kEndlessResult;
  std::ostringstream out, err;
  const int status = batch::RunBatch({"--result", result, "--save", saved, data, macro}, out, err);
  if (status != batch::kExitFailure) return "status " + std::to_string(status);
  if (err.str() != "ORVEL: There is not enough memory to run the macro.\n") return "stderr: " + err.str();
  if (!out.str().empty()) return "something went to standard output";
  if (fs::exists(result) || fs::exists(saved)) return "an output was written";
  return "";
}

TEST(OutOfMemoryTest, RunsEndWithTheMessageAndWriteNothing) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  const Case cases[] = {{"desktop Run Macro", DesktopRunMacro}, {"orvel-batch", BatchRun}};
  for (const Case& c : cases) {
    const fs::path dir = fs::temp_directory_path() / ("orvel_oom_" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    EXPECT_EXIT(
        {
          LimitAddressSpace(std::size_t{256} << 20);
          const std::string problem = c.run(dir);
          if (!problem.empty()) std::fprintf(stderr, "%s\n", problem.c_str());
          std::_Exit(problem.empty() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "")
        << c.name;
    fs::remove_all(dir);
  }
}

#endif

}  // namespace
}  // namespace orvel
