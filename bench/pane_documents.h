// The documents the pane benchmarks repaint: a full 19999-row x 101-column sheet and a 1 MB
// result text. Built once per benchmark program.
#pragma once

#include <cstdio>
#include <string>

#include "sheet/orvel_doc.h"

namespace orvel::bench {

inline CORVELDoc& FullDocument() {
  static CORVELDoc* doc = [] {
    auto* d = new CORVELDoc(20000);
    for (int c = 0; c <= kLastColumn; ++c) {
      d->SetCell(c, 0, "name" + std::to_string(c));
      for (int r = 1; r <= 19999; ++r) d->SetCell(c, r, c == 0 ? "label" : "12345.678");
    }
    return d;
  }();
  return *doc;
}

inline CORVELDoc& LargeResult() {
  static CORVELDoc* doc = [] {
    auto* d = new CORVELDoc;
    char line[128];
    for (int i = 0; d->ResultText.size() < (1u << 20); ++i) {
      std::snprintf(line, sizeof line, "Row %d\t\t%.6f\t%.6f\tp = %.4f **\n", i, i * 0.37, i * 1.41, 0.0012);
      d->ResultText += line;
    }
    return d;
  }();
  return *doc;
}

}  // namespace orvel::bench
