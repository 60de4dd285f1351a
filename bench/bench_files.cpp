// Opening, saving and importing a full sheet: 19999 data rows (plus the name row) x 101
// columns, every cell holding a number such as "12345.678". Target: under 400 ms each.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>

#include "sheet/document_file.h"
#include "sheet/text_files.h"

namespace {

constexpr int kRows = 20000;  // row 0 and data rows 1..19999

std::unique_ptr<orvel::CORVELDoc> FullSheet() {
  auto doc = std::make_unique<orvel::CORVELDoc>(kRows);
  char text[32];
  for (int c = 0; c <= orvel::kLastColumn; ++c)
    for (int r = 0; r < kRows; ++r) {
      std::snprintf(text, sizeof text, "%d.%03d", 10000 + (r * 7 + c) % 90000, (r + c) % 1000);
      doc->SetCell(c, r, text);
    }
  return doc;
}

const orvel::CORVELDoc& SharedSheet() {
  static const std::unique_ptr<orvel::CORVELDoc> doc = FullSheet();
  return *doc;
}

std::string ScratchPath(const char* name) {
  const char* dir = std::getenv("TMPDIR");
  return std::string(dir && *dir ? dir : "/tmp") + "/orvel-bench-" + std::to_string(::getpid()) + "-" + name;
}

void BM_ParseDocument(benchmark::State& state) {
  const std::string bytes = orvel::SerializeDocument(SharedSheet());
  orvel::CORVELDoc doc(kRows);
  for (auto _ : state) {
    const orvel::FileOutcome outcome = orvel::ParseDocument(bytes, doc);
    if (!outcome.ok) state.SkipWithError(outcome.message.c_str());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ParseDocument)->Unit(benchmark::kMillisecond);

void BM_OpenDocumentFile(benchmark::State& state) {
  const std::string path = ScratchPath("open.ovd");
  if (!orvel::WriteDocumentFile(path, SharedSheet()).ok) state.SkipWithError("cannot write");
  orvel::CORVELDoc doc(kRows);
  for (auto _ : state) {
    const orvel::FileOutcome outcome = orvel::ReadDocumentFile(path, doc);
    if (!outcome.ok) state.SkipWithError(outcome.message.c_str());
  }
  std::remove(path.c_str());
}
BENCHMARK(BM_OpenDocumentFile)->Unit(benchmark::kMillisecond);

void BM_SerializeDocument(benchmark::State& state) {
  const orvel::CORVELDoc& doc = SharedSheet();
  for (auto _ : state) benchmark::DoNotOptimize(orvel::SerializeDocument(doc));
}
BENCHMARK(BM_SerializeDocument)->Unit(benchmark::kMillisecond);

// Includes the flush to the disk, so it depends on the storage as much as on the code.
void BM_SaveDocumentFile(benchmark::State& state) {
  const std::string path = ScratchPath("save.ovd");
  const orvel::CORVELDoc& doc = SharedSheet();
  for (auto _ : state) {
    const orvel::FileOutcome outcome = orvel::WriteDocumentFile(path, doc);
    if (!outcome.ok) state.SkipWithError(outcome.message.c_str());
  }
  std::remove(path.c_str());
}
BENCHMARK(BM_SaveDocumentFile)->Unit(benchmark::kMillisecond);

void BM_ParseTextData(benchmark::State& state) {
  const std::string bytes = orvel::SerializeSheetText(SharedSheet());
  orvel::CORVELDoc doc(kRows);
  for (auto _ : state) {
    const orvel::FileOutcome outcome = orvel::ParseTextData(bytes, doc);
    if (!outcome.ok) state.SkipWithError(outcome.message.c_str());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ParseTextData)->Unit(benchmark::kMillisecond);

void BM_OpenTextFile(benchmark::State& state) {
  const std::string path = ScratchPath("open.txt");
  if (!orvel::WriteSheetTextFile(path, SharedSheet()).ok) state.SkipWithError("cannot write");
  orvel::CORVELDoc doc(kRows);
  for (auto _ : state) {
    const orvel::FileOutcome outcome = orvel::ReadTextDataFile(path, doc);
    if (!outcome.ok) state.SkipWithError(outcome.message.c_str());
  }
  std::remove(path.c_str());
}
BENCHMARK(BM_OpenTextFile)->Unit(benchmark::kMillisecond);

void BM_SaveSheetTextFile(benchmark::State& state) {
  const std::string path = ScratchPath("save.txt");
  const orvel::CORVELDoc& doc = SharedSheet();
  for (auto _ : state) {
    const orvel::FileOutcome outcome = orvel::WriteSheetTextFile(path, doc);
    if (!outcome.ok) state.SkipWithError(outcome.message.c_str());
  }
  std::remove(path.c_str());
}
BENCHMARK(BM_SaveSheetTextFile)->Unit(benchmark::kMillisecond);

}  // namespace
