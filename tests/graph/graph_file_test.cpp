#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "graph/cairo_canvas.h"
#include "graph/scatter_plot.h"

namespace orvel {
namespace {

std::string ReadAll(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::uint32_t BigEndian32(const std::string& b, std::size_t at) {
  return (std::uint32_t(std::uint8_t(b[at])) << 24) | (std::uint32_t(std::uint8_t(b[at + 1])) << 16) |
         (std::uint32_t(std::uint8_t(b[at + 2])) << 8) | std::uint32_t(std::uint8_t(b[at + 3]));
}

class GraphFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("orvel_graph_files_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    doc_.SetCell(1, 0, "dose");
    doc_.SetCell(2, 0, "weight");
    for (int r = 1; r <= 30; ++r) {
      doc_.SetCell(1, r, std::to_string(r));
      doc_.SetCell(2, r, std::to_string(r * r % 17));
    }
    settings_ = DefaultScatterSettings(doc_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  FileOutcome Save(const std::string& name) {
    return SaveGraphFile((dir_ / name).string(),
                         [&](Canvas& c) { DrawScatterPlot(c, doc_, settings_, GraphCall::File(16)); });
  }
  std::filesystem::path dir_;
  CORVELDoc doc_;
  ScatterSettings settings_;
};

TEST_F(GraphFiles, EachFormatIsWellFormedWithTheFileBounds) {
  ASSERT_TRUE(Save("g.svg").ok);
  const std::string svg = ReadAll(dir_ / "g.svg");
  EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
  EXPECT_NE(svg.find("width=\"600pt\" height=\"450pt\""), std::string::npos);
  EXPECT_NE(svg.find("</svg>"), std::string::npos);
  EXPECT_NE(svg.find("<path"), std::string::npos) << "text as glyph outlines";

  ASSERT_TRUE(Save("G.PDF").ok);  // the extension chooses the format whatever its case
  const std::string pdf = ReadAll(dir_ / "G.PDF");
  EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
  EXPECT_NE(pdf.find("%%EOF"), std::string::npos);
  EXPECT_NE(pdf.find("/MediaBox [ 0 0 600 450 ]"), std::string::npos);
  EXPECT_NE(pdf.find("C059"), std::string::npos) << "Century is drawn with the embedded C059";
  EXPECT_NE(pdf.find("/FontFile"), std::string::npos);

  ASSERT_TRUE(Save("g.png").ok);
  const std::string png = ReadAll(dir_ / "g.png");
  ASSERT_GT(png.size(), 33u);
  EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  EXPECT_EQ(png.substr(12, 4), "IHDR");
  EXPECT_EQ(BigEndian32(png, 16), 600u);
  EXPECT_EQ(BigEndian32(png, 20), 450u);
}

TEST_F(GraphFiles, UnknownExtensionLeavesTheOldFile) {
  std::ofstream(dir_ / "g.txt") << "keep";
  const FileOutcome o = Save("g.txt");
  EXPECT_FALSE(o.ok);
  EXPECT_NE(o.message.find("g.txt"), std::string::npos);
  EXPECT_EQ(ReadAll(dir_ / "g.txt"), "keep");
  EXPECT_FALSE(Save("noextension").ok);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "noextension"));
}

TEST(GraphFileFormat, ByExtension) {
  EXPECT_EQ(GraphFileFormatOfPath("a/b.svg"), GraphFileFormat::kSvg);
  EXPECT_EQ(GraphFileFormatOfPath("b.Png"), GraphFileFormat::kPng);
  EXPECT_EQ(GraphFileFormatOfPath("graph.emf"), GraphFileFormat::kEmf);
  EXPECT_EQ(GraphFileFormatOfPath("dir.svg/file"), GraphFileFormat::kUnknown);
  EXPECT_EQ(GraphFileFormatOfPath("file.jpeg"), GraphFileFormat::kUnknown);
}

// The file canvas measures its fonts: a bigger point size is a taller line, Arial and Century
// are different faces.
TEST(GraphFileFormat, CanvasMeasuresTheFreeFaces) {
  CairoCanvas canvas(GraphFileFormat::kPng, 600, 450);
  canvas.SetFont(FontChoice{"Century", 10, false});
  const FontMetrics c10 = canvas.Metrics();
  canvas.SetFont(FontChoice{"Century", 20, false});
  const FontMetrics c20 = canvas.Metrics();
  canvas.SetFont(FontChoice{"Arial", 20, false});
  const FontMetrics a20 = canvas.Metrics();
  EXPECT_GT(c10.height, 8);
  EXPECT_NEAR(c20.height, 2 * c10.height, 0.5);
  EXPECT_NE(a20.average_char_width, c20.average_char_width);
  EXPECT_FALSE(canvas.Finish().empty());
}

}  // namespace
}  // namespace orvel
