// The macro language: compiling and running a tight loop, and a long straight-line macro.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <optional>
#include <string>

#include "macro/executor.h"
#include "macro/macro_program.h"
#include "sheet/orvel_doc.h"

namespace {

// A host that answers nothing and counts the keywords it is handed.
class QuietHost : public orvel::MacroHost {
 public:
  orvel::CORVELDoc& Document() override { return doc_; }
  void ShowMessage(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return true; }
  std::optional<std::string> AskInput(const std::string&) override { return std::string(); }
  bool ShouldStop() override { return false; }
  void RunKeyword(const std::string&, orvel::MacroValueStack& stack) override {
    stack.Pop();
    ++keywords;
  }
  long keywords = 0;

 private:
  orvel::CORVELDoc doc_{100};
};

const std::string kLoop = "#i=0; while (#i<1000000) {#i=#i+1;}";

std::string StraightLine() {
  std::string text;
  for (int i = 0; i < 20000; ++i)
    text += "#a=#a+" + std::to_string(i % 7) + "*2; setxvalue (#a/3);\r\n";
  return text;
}

void BM_CompileAndRunLoop(benchmark::State& state) {
  QuietHost host;
  orvel::MacroVariables variables;
  std::int64_t steps = 0;
  for (auto _ : state) {
    orvel::MacroProgram program;
    orvel::CompileMacro(kLoop, program);
    const orvel::MacroRunResult result = orvel::ExecuteMacro(program, host, variables);
    steps += result.steps;
    benchmark::DoNotOptimize(result);
  }
  state.counters["instructions/s"] = benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CompileAndRunLoop)->Unit(benchmark::kMillisecond);

void BM_CompileStraightLine(benchmark::State& state) {
  const std::string text = StraightLine();
  for (auto _ : state) {
    orvel::MacroProgram program;
    orvel::CompileMacro(text, program);
    benchmark::DoNotOptimize(program.instructions.size());
  }
}
BENCHMARK(BM_CompileStraightLine)->Unit(benchmark::kMillisecond);

void BM_CompileAndRunStraightLine(benchmark::State& state) {
  const std::string text = StraightLine();
  QuietHost host;
  orvel::MacroVariables variables;
  std::int64_t steps = 0;
  for (auto _ : state) {
    orvel::MacroProgram program;
    orvel::CompileMacro(text, program);
    const orvel::MacroRunResult result = orvel::ExecuteMacro(program, host, variables);
    steps += result.steps;
    benchmark::DoNotOptimize(result);
  }
  state.counters["instructions/s"] = benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CompileAndRunStraightLine)->Unit(benchmark::kMillisecond);

// About 10 MB of the statements a recording writes, with some blocks: the compiler's memory
// for such a macro is measured with bench_macro_inputs.py and /usr/bin/time (benchmarks.md).
std::string RecordedMacro(std::size_t bytes) {
  static const char* const kLines[] = {"cell (1,%d)=\"12.5\";\r\n", "selectcell (1,%d)::(3,4);\r\n",
                                       "#i=#i+%d*2;\r\n", "setxvalue (%d);\r\n",
                                       "if (#i>%d) {#j=#j+1;} else {#j=#j-1;}\r\n", "message(\"row %d done\");\r\n"};
  std::string text;
  text.reserve(bytes + 64);
  char line[64];
  for (int k = 0; text.size() < bytes; ++k) {
    const int n = std::snprintf(line, sizeof line, kLines[k % 6], k % 500);
    text.append(line, static_cast<std::size_t>(n));
  }
  return text;
}

void BM_CompileRecorded10MB(benchmark::State& state) {
  const std::string text = RecordedMacro(10000000);
  for (auto _ : state) {
    orvel::MacroProgram program;
    orvel::CompileMacro(text, program);
    benchmark::DoNotOptimize(program.instructions.size());
  }
}
BENCHMARK(BM_CompileRecorded10MB)->Unit(benchmark::kMillisecond);

// A million nested blocks: the compiler stops at the first level past the nesting limit.
void BM_CompileMillionNestedBlocks(benchmark::State& state) {
  std::string text;
  for (int i = 0; i < 1000000; ++i) text += "if(1){";
  text += std::string(1000000, '}');
  for (auto _ : state) {
    orvel::MacroProgram program;
    orvel::CompileMacro(text, program);
    benchmark::DoNotOptimize(program.instructions.size());
  }
}
BENCHMARK(BM_CompileMillionNestedBlocks)->Unit(benchmark::kMillisecond);

}  // namespace
