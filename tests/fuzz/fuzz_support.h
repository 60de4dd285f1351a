// Shared by the fuzz targets: a failed invariant ends the run like a crash, so libFuzzer keeps
// the input that broke it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "sheet/file_test_support.h"

namespace orvel::fuzz {

[[noreturn]] inline void Broken(const char* invariant) {
  std::fprintf(stderr, "invariant broken: %s\n", invariant);
  std::abort();
}

inline void Require(bool holds, const char* invariant) {
  if (!holds) Broken(invariant);
}

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// A document with earlier work in every part a read could disturb, and its snapshot. It is
// kept from run to run while reads refuse their input (most runs), and rebuilt after a read
// changed it, which keeps the runs quick.
class PreparedDocument {
 public:
  CORVELDoc& Get() {
    if (!doc_) {
      doc_ = std::make_unique<CORVELDoc>(kRows);
      testing::FillWithOtherWork(*doc_);
      snapshot_ = testing::Snapshot(*doc_);
    }
    return *doc_;
  }
  bool Unchanged() const { return testing::Snapshot(*doc_) == snapshot_; }
  void Changed() { doc_.reset(); }
  static constexpr int kRows = 20;

 private:
  std::unique_ptr<CORVELDoc> doc_;
  std::string snapshot_;
};

}  // namespace orvel::fuzz
