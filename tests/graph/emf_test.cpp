#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>

#include "graph/emf_canvas.h"
#include "graph/scatter_plot.h"

namespace orvel {
namespace {

std::uint32_t U32(const std::string& b, std::size_t at) {
  return std::uint32_t(std::uint8_t(b[at])) | (std::uint32_t(std::uint8_t(b[at + 1])) << 8) |
         (std::uint32_t(std::uint8_t(b[at + 2])) << 16) | (std::uint32_t(std::uint8_t(b[at + 3])) << 24);
}
std::int32_t I32(const std::string& b, std::size_t at) { return static_cast<std::int32_t>(U32(b, at)); }

struct Record {
  std::uint32_t type;
  std::size_t at, size;
};

// Walks the records, checking each one's frame; fails the test on a malformed file.
std::vector<Record> Records(const std::string& b) {
  std::vector<Record> out;
  std::size_t at = 0;
  while (at + 8 <= b.size()) {
    const std::uint32_t size = U32(b, at + 4);
    EXPECT_GE(size, 8u) << "record at " << at;
    EXPECT_EQ(size % 4, 0u) << "record at " << at;
    if (size < 8 || at + size > b.size()) {
      ADD_FAILURE() << "record at " << at << " runs past the end";
      break;
    }
    out.push_back({U32(b, at), at, size});
    at += size;
  }
  EXPECT_EQ(at, b.size());
  return out;
}

std::string DrawScatter(const std::string& title) {
  CORVELDoc doc;
  doc.SetCell(1, 0, "dose");
  for (int r = 1; r <= 12; ++r) {
    doc.SetCell(1, r, std::to_string(r));
    doc.SetCell(2, r, std::to_string(r * 3 % 11));
  }
  ScatterSettings s = DefaultScatterSettings(doc);
  s.title = title;
  s.marker_style = "Circle";
  s.regression = kScatterLn;
  EmfCanvas canvas(600, 450);
  DrawScatterPlot(canvas, doc, s, GraphCall::File(16));
  canvas.SetClip({10, 10, 100, 100});  // a clip and its release are records of their own
  canvas.DrawLine(0, 0, 50, 50);
  canvas.ClearClip();
  return canvas.Finish();
}

TEST(EmfWriter, HeaderRecordsAndHandlesAreConsistent) {
  const std::string b = DrawScatter("Dose response");
  ASSERT_GT(b.size(), 108u);
  const std::vector<Record> records = Records(b);
  ASSERT_GE(records.size(), 3u);
  // Header: type, size, the 600 x 450 bounds, the signature, the file size and record count.
  EXPECT_EQ(records.front().type, emf::kHeader);
  EXPECT_EQ(records.front().size, 108u);
  EXPECT_EQ(I32(b, 8), 0);
  EXPECT_EQ(I32(b, 12), 0);
  EXPECT_EQ(I32(b, 16), 600);
  EXPECT_EQ(I32(b, 20), 450);
  EXPECT_EQ(U32(b, 40), 0x464D4520u);
  EXPECT_EQ(U32(b, 48), b.size());
  EXPECT_EQ(U32(b, 52), records.size());
  const std::uint32_t handles = U32(b, 56) & 0xFFFF;
  EXPECT_EQ(records.back().type, emf::kEof);

  const std::set<std::uint32_t> known{emf::kHeader,          emf::kEof,           emf::kSetPixelV,  emf::kSetBkMode,
                                      emf::kSetTextAlign,    emf::kSetTextColor,  emf::kMoveToEx,   emf::kIntersectClipRect,
                                      emf::kSaveDC,          emf::kRestoreDC,     emf::kSelectObject, emf::kCreatePen,
                                      emf::kCreateBrushIndirect, emf::kDeleteObject, emf::kEllipse,  emf::kRectangle,
                                      emf::kLineTo,          emf::kExtCreateFontIndirectW, emf::kExtTextOutW};
  std::set<std::uint32_t> live;
  std::map<std::uint32_t, int> counts;
  std::vector<std::pair<int, int>> pixels;
  std::set<std::string> texts;
  for (const Record& r : records) {
    EXPECT_TRUE(known.count(r.type)) << "unknown record type " << r.type;
    ++counts[r.type];
    switch (r.type) {
      case emf::kCreatePen:
      case emf::kCreateBrushIndirect:
      case emf::kExtCreateFontIndirectW: {
        const std::uint32_t h = U32(b, r.at + 8);
        EXPECT_GT(h, 0u);
        EXPECT_LT(h, handles);
        EXPECT_TRUE(live.insert(h).second) << "handle " << h << " made twice";
        break;
      }
      case emf::kSelectObject: {
        const std::uint32_t h = U32(b, r.at + 8);
        EXPECT_TRUE((h & 0x80000000u) || live.count(h)) << "selects handle " << h << " that does not exist";
        break;
      }
      case emf::kDeleteObject:
        EXPECT_EQ(live.erase(U32(b, r.at + 8)), 1u);
        break;
      case emf::kSetPixelV:
        pixels.push_back({I32(b, r.at + 8), I32(b, r.at + 12)});
        break;
      case emf::kExtTextOutW: {
        const std::uint32_t n = U32(b, r.at + 44), off = U32(b, r.at + 48), dx = U32(b, r.at + 72);
        EXPECT_LE(off + 2 * n, r.size);
        EXPECT_EQ(dx + 4 * n, r.size);
        std::string text;
        for (std::uint32_t i = 0; i < n; ++i) text.push_back(static_cast<char>(b[r.at + off + 2 * i]));
        texts.insert(text);
        break;
      }
      default: break;
    }
  }
  EXPECT_EQ(pixels, (std::vector<std::pair<int, int>>{{0, 0}, {600, 0}, {600, 450}, {0, 450}}));
  EXPECT_TRUE(texts.count("Dose response"));
  EXPECT_EQ(counts[emf::kEllipse], 12);  // one circle per point
  EXPECT_GT(counts[emf::kLineTo], 100);  // axes, ticks and the 500-step curve
  EXPECT_EQ(counts[emf::kSaveDC], counts[emf::kRestoreDC]);
}

TEST(EmfWriter, TextIsUtf16WithAdvancesThatAddUp) {
  EmfCanvas canvas(600, 450);
  canvas.SetFont(FontChoice{"Arial", 20, false});
  const double w = canvas.Metrics().average_char_width;
  canvas.DrawText(10, 10, "Größe", TextAlign::kCenter);
  const std::string b = canvas.Finish();
  bool found = false;
  for (const Record& r : Records(b)) {
    if (r.type == emf::kSetTextAlign) {
      EXPECT_EQ(U32(b, r.at + 8), 6u);
    }
    if (r.type != emf::kExtTextOutW) continue;
    found = true;
    ASSERT_EQ(U32(b, r.at + 44), 5u);  // five UTF-16 units
    const std::uint32_t off = U32(b, r.at + 48), dx = U32(b, r.at + 72);
    EXPECT_EQ(std::uint8_t(b[r.at + off + 4]), 0xF6);  // o-umlaut
    EXPECT_EQ(std::uint8_t(b[r.at + off + 6]), 0xDF);  // sharp s
    std::uint32_t total = 0;
    for (int i = 0; i < 5; ++i) total += U32(b, r.at + dx + 4 * i);
    EXPECT_NEAR(total, 5 * w, 2.5 * w) << "advances of the 20-unit face";
  }
  EXPECT_TRUE(found);
}

}  // namespace
}  // namespace orvel
