#include "sheet/document_file.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "file_test_support.h"

namespace orvel {
namespace {

using testing::DocBytes;
using testing::FillWithOtherWork;
using testing::ScratchDir;
using testing::Snapshot;

// ---- Writing: the exact layout ------------------------------------------------------------

// Every field of the current layout in order, built independently of the writer.
TEST(DocumentWrite, CurrentLayoutByteExact) {
  CORVELDoc doc;
  doc.ResultText = "hi\n";
  doc.SetCell(0, 0, "id");
  doc.SetCell(1, 1, "2.5");
  doc.SetTwoGroupX(3);
  doc.SetTwoGroupY(4);
  doc.SetGroupColumn(1, true);
  doc.SetGroupColumn(100, true);
  doc.SetTwowayGridCell(1, 1, 5);
  doc.SetTwowayGridCell(10, 25, 6);
  doc.SetTwowayLabelA(10, "la");
  doc.SetTwowayLabelB(1, "lb");
  doc.SetColumnWidth(0, 40);
  doc.SetColumnWidth(100, 50);
  doc.SetRegressionXColumn(1, true);
  doc.SetRegressionXColumn(100, true);
  doc.SetRegressionY(7);
  doc.SetRegressionMethod(1);
  doc.SetFIn(1.5);
  doc.SetFOut(2.5);
  doc.SetPcaColumn(1, true);
  doc.SetPcaColumn(50, true);
  doc.SetDiscriminantSlot(1, 1, 11);
  doc.SetDiscriminantSlot(2, 1, 12);
  doc.SetDiscriminantSlot(1, 15, 13);
  doc.SetDiscriminantSlot(2, 15, 14);
  doc.SetIncludeDataInResult(true);
  doc.SetPIn(0.05);
  doc.SetPOut(0.1);

  DocBytes e;
  e.I32(2200).Str("hi\n").I32(1).I32(1);
  e.Str("id").Str("").Str("").Str("2.5");  // column 0 rows 0..1, column 1 rows 0..1
  e.I32(3).I32(4);
  e.I32(1).I32(1).Repeat(98, 0).I32(1);  // entry 0 repeats column 1
  e.I32(5).Repeat(248, 0).I32(6);
  for (int a = 1; a <= 10; ++a) e.Str(a == 10 ? "la" : "");
  for (int b = 1; b <= 25; ++b) e.Str(b == 1 ? "lb" : "");
  e.I32(40).Repeat(99, 86).I32(50);
  e.I32(1).Repeat(98, 0).I32(1);
  e.I32(7).I32(1).I32(2200).F64(1.5).F64(2.5);
  e.I32(1).I32(1).Repeat(48, 0).I32(1).Repeat(50, 0);
  e.I32(11).I32(12).Repeat(26, 0).I32(13).I32(14);
  e.I32(1).F64(0.05).F64(0.1);
  EXPECT_EQ(SerializeDocument(doc), e.bytes);
}

TEST(DocumentWrite, EmptySheetHasOneEmptyCell) {
  CORVELDoc doc;
  const std::string bytes = SerializeDocument(doc);
  EXPECT_EQ(bytes.substr(0, 14), DocBytes().I32(2200).Str("").I32(0).I32(0).Str("").bytes);
}

TEST(DocumentWrite, NonAsciiStringsUseTheUtf16Form) {
  CORVELDoc doc;
  doc.ResultText = "結果\n";
  doc.SetCell(0, 0, "\xF0\x9D\x84\x9E");  // U+1D11E, outside the BMP
  const std::string bytes = SerializeDocument(doc);
  const std::string expected = DocBytes()
                                   .I32(2200)
                                   .Utf16(u"結果\n")
                                   .I32(0)
                                   .I32(0)
                                   .Utf16(std::u16string{char16_t(0xD834), char16_t(0xDD1E)})
                                   .bytes;
  EXPECT_EQ(bytes.substr(0, expected.size()), expected);
}

TEST(DocumentWrite, LongStringsTakeTheWiderPrefixes) {
  CORVELDoc doc;
  doc.ResultText = std::string(300, 'a');
  EXPECT_EQ(SerializeDocument(doc).substr(4, 3), DocBytes().U8(0xFF).U16(300).bytes);
  doc.ResultText = std::string(0xFFFE, 'a');
  EXPECT_EQ(SerializeDocument(doc).substr(4, 7), DocBytes().U8(0xFF).U16(0xFFFF).U32(0xFFFE).bytes);

  std::string japanese;
  for (int i = 0; i < 300; ++i) japanese += "あ";
  doc.ResultText = japanese;
  EXPECT_EQ(SerializeDocument(doc).substr(4, 6), DocBytes().U8(0xFF).U16(0xFFFE).U8(0xFF).U16(300).bytes);
  japanese.clear();
  for (int i = 0; i < 70000; ++i) japanese += "あ";
  doc.ResultText = japanese;
  const std::string bytes = SerializeDocument(doc);
  EXPECT_EQ(bytes.substr(4, 10), DocBytes().U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFF).U32(70000).bytes);
  CORVELDoc back;
  ASSERT_TRUE(ParseDocument(bytes, back).ok);
  EXPECT_EQ(back.ResultText, japanese);
}

// ---- Round trips ----------------------------------------------------------------------------

void FillEverything(CORVELDoc& doc) {
  doc.ResultText = "<<< 平均 >>>\nMean = 12.5\n\xF0\x9F\x93\x88 done\n";
  doc.SetCell(0, 0, "名前");
  doc.SetCell(1, 0, "体重 kg");
  doc.SetCell(2, 0, "Height");
  doc.SetCell(7, 0, "x");
  for (int r = 1; r <= 20; ++r) {
    doc.SetCell(0, r, r % 2 ? "男性" : "female");
    doc.SetCell(1, r, std::to_string(50 + r) + ".25");
    if (r != 4) doc.SetCell(2, r, "-" + std::to_string(r) + ".5");
  }
  doc.SetCell(7, 12, ".5");
  doc.SetCell(3, 25, "1");
  doc.ClearCell(3, 25);  // row 25 stays used, without text
  doc.SetTwoGroupX(2);
  doc.SetTwoGroupY(7);
  for (int c : {1, 2, 7, 100}) doc.SetGroupColumn(c, true);
  for (int c : {3, 99}) doc.SetPcaColumn(c, true);
  for (int c : {2, 7, 64}) doc.SetRegressionXColumn(c, true);
  doc.SetRegressionY(1);
  doc.SetRegressionMethod(0);
  doc.SetFIn(3.25);
  doc.SetFOut(1.75);
  doc.SetPIn(0.15);
  doc.SetPOut(0.35);
  for (int a = 1; a <= 10; ++a)
    for (int b = 1; b <= 25; ++b) doc.SetTwowayGridCell(a, b, (a * 31 + b) % 100 + 1);
  doc.SetTwowayLabelA(1, "投与量");
  doc.SetTwowayLabelA(10, "high");
  doc.SetTwowayLabelB(25, "週 25");
  for (int s = 1; s <= 15; ++s) {
    doc.SetDiscriminantSlot(1, s, s);
    doc.SetDiscriminantSlot(2, s, 100 - s);
  }
  doc.SetIncludeDataInResult(true);
  for (int c = 0; c <= 100; ++c) doc.SetColumnWidth(c, 20 + c);
}

void ExpectSameDocument(const CORVELDoc& a, const CORVELDoc& b) {
  EXPECT_EQ(a.ResultText, b.ResultText);
  EXPECT_EQ(a.UsedRowCount(), b.UsedRowCount());
  for (int c = 0; c <= kLastColumn; ++c) {
    EXPECT_EQ(a.ColumnWidth(c), b.ColumnWidth(c)) << c;
    for (int r = 0; r < a.RowCount(); ++r) {
      ASSERT_EQ(a.Text(c, r), b.Text(c, r)) << c << "," << r;
      ASSERT_EQ(a.IsNumeric(c, r), b.IsNumeric(c, r)) << c << "," << r;
      if (a.IsNumeric(c, r)) {
        ASSERT_EQ(a.Value(c, r), b.Value(c, r)) << c << "," << r;
      }
    }
  }
  const DataSettings& x = a.Settings();
  const DataSettings& y = b.Settings();
  EXPECT_EQ(x.TwoGroupX, y.TwoGroupX);
  EXPECT_EQ(x.TwoGroupY, y.TwoGroupY);
  EXPECT_EQ(x.GroupColumns, y.GroupColumns);
  EXPECT_EQ(x.TwowayGrid, y.TwowayGrid);
  EXPECT_EQ(x.TwowayLabelsA, y.TwowayLabelsA);
  EXPECT_EQ(x.TwowayLabelsB, y.TwowayLabelsB);
  EXPECT_EQ(x.RegressionY, y.RegressionY);
  EXPECT_EQ(x.RegressionX, y.RegressionX);
  EXPECT_EQ(x.RegressionMethod, y.RegressionMethod);
  EXPECT_EQ(x.FIn, y.FIn);
  EXPECT_EQ(x.FOut, y.FOut);
  EXPECT_EQ(x.PIn, y.PIn);
  EXPECT_EQ(x.POut, y.POut);
  EXPECT_EQ(x.PcaColumns, y.PcaColumns);
  EXPECT_EQ(x.DiscriminantGroup1, y.DiscriminantGroup1);
  EXPECT_EQ(x.DiscriminantGroup2, y.DiscriminantGroup2);
  EXPECT_EQ(x.IncludeDataInResult, y.IncludeDataInResult);
}

TEST(DocumentRoundTrip, EverySettingAndJapaneseTextSurvive) {
  CORVELDoc original;
  FillEverything(original);
  const std::string bytes = SerializeDocument(original);

  CORVELDoc back;
  FillWithOtherWork(back);
  ASSERT_TRUE(ParseDocument(bytes, back).ok);
  ExpectSameDocument(original, back);
  EXPECT_EQ(back.UsedRowCount(), 25);
  EXPECT_EQ(back.Value(2, 3), -3.5);
  EXPECT_FALSE(back.IsModified());
  EXPECT_EQ(SerializeDocument(back), bytes);
}

TEST(DocumentRoundTrip, SaveAndOpenThroughFiles) {
  ScratchDir dir;
  CORVELDoc original;
  FillEverything(original);
  original.SetModified(true);
  const std::string path = dir.File("study.ovd");
  ASSERT_TRUE(SaveDocumentFile(path, original).ok);
  EXPECT_EQ(original.PathName(), path);
  EXPECT_FALSE(original.IsModified());
  EXPECT_EQ(testing::ReadAll(path), SerializeDocument(original));

  CORVELDoc back;
  FillWithOtherWork(back);
  ASSERT_TRUE(ReadDocumentFile(path, back).ok);
  ExpectSameDocument(original, back);
  EXPECT_EQ(back.PathName(), path);
  EXPECT_FALSE(back.IsModified());
  EXPECT_EQ(dir.Entries(), std::vector<std::string>{"study.ovd"});
}

// Reading resets what the file does not store, and keeps what it neither stores nor resets.
TEST(DocumentRead, ResetsPanesSelectionAndSlots) {
  CORVELDoc source;
  source.SetCell(1, 1, "3");
  const std::string bytes = SerializeDocument(source);
  CORVELDoc doc;
  FillWithOtherWork(doc);
  doc.SetCell(50, 300, "9");
  doc.SortColumns[4] = 1;
  ASSERT_TRUE(ParseDocument(bytes, doc).ok);
  EXPECT_EQ(doc.DisplayMode, DisplayKind::kDataSheet);
  EXPECT_EQ(doc.Scroll.result_y, 0);
  EXPECT_EQ(doc.GetSelection().anchor_row, 1);
  EXPECT_EQ(doc.GetSelection().end_column, 1);
  EXPECT_EQ(doc.UsedRowCount(), 1);
  EXPECT_EQ(doc.Text(50, 300), "");
  EXPECT_EQ(doc.Column(0).Kind(), CDataColumn::kLabelKind);
  EXPECT_EQ(doc.DiscriminantSlot(1, 2), 0);
  EXPECT_EQ(doc.RCodeText, "x <- 1");  // not part of a document
  EXPECT_EQ(doc.SortColumns[4], 1);
}

// ---- Cells ------------------------------------------------------------------------------------

// A document whose cells (column-major) and result text are given; current settings layout.
std::string DocumentWithCells(int last_column, int last_row, const std::vector<std::string>& cells,
                              DocBytes result = DocBytes().Str("")) {
  DocBytes d;
  d.I32(2200).Bytes(result.bytes).I32(last_column).I32(last_row);
  for (const std::string& c : cells) d.Bytes(c);
  d.I32(1).I32(2).Repeat(101, 0).Repeat(250, 0);
  for (int i = 0; i < 35; ++i) d.Str("");
  d.Repeat(101, 86).Repeat(100, 0).I32(1).I32(2).I32(2200).F64(2).F64(2);
  d.Repeat(101, 0).Repeat(30, 0).I32(0).F64(0.2).F64(0.2);
  return d.bytes;
}

std::string S8(std::string_view s) { return DocBytes().Str(s).bytes; }

TEST(DocumentRead, CellsFollowTheColumnRules) {
  const std::string bytes = DocumentWithCells(
      1, 3, {S8("id"), S8("n/a"), S8("12"), S8(""), S8("Dose"), S8("1.5"), S8("n/a"), S8("1e5")});
  CORVELDoc doc;
  ASSERT_TRUE(ParseDocument(bytes, doc).ok);
  EXPECT_EQ(doc.Text(0, 1), "n/a");  // the label column keeps any text
  EXPECT_FALSE(doc.IsNumeric(0, 2));
  EXPECT_EQ(doc.Text(1, 0), "Dose");
  EXPECT_TRUE(doc.IsNumeric(1, 1));
  EXPECT_EQ(doc.Value(1, 1), 1.5);
  EXPECT_EQ(doc.Text(1, 2), "");  // a data cell cannot hold text
  EXPECT_EQ(doc.Text(1, 3), "");
  EXPECT_EQ(doc.Column(1).LastUsedRow(), 3);
  EXPECT_EQ(doc.Column(2).LastUsedRow(), 0);
}

TEST(DocumentRead, EveryLengthPrefixAndEncoding) {
  const std::string long_label(300, 'L');
  const std::string longer_label(70000, 'M');
  const std::string bytes = DocumentWithCells(
      0, 6,
      {
          S8("\x96\xBC\x91\x4F"),                                       // CP932 名前
          DocBytes().U8(0xFF).U16(5).Bytes("hello").bytes,              // 16-bit prefix, short
          DocBytes().U8(0xFF).U16(0xFFFF).U32(3).Bytes("abc").bytes,   // 32-bit prefix
          DocBytes().Utf16(u"体重").bytes,                              // UTF-16, one-byte count
          DocBytes().U8(0xFF).U16(0xFFFE).U8(0xFF).U16(2).U16(0x3042).U16(0x3044).bytes,
          DocBytes().U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFF).U32(1).U16(0x0041).bytes,
          S8("\x95\x5C\x83\x5C"),  // 表ソ: second bytes equal to '\'
      },
      DocBytes().Str(long_label));
  CORVELDoc doc;
  ASSERT_TRUE(ParseDocument(bytes, doc).ok);
  EXPECT_EQ(doc.ResultText, long_label);
  EXPECT_EQ(doc.Text(0, 0), "名前");
  EXPECT_EQ(doc.Text(0, 1), "hello");
  EXPECT_EQ(doc.Text(0, 2), "abc");
  EXPECT_EQ(doc.Text(0, 3), "体重");
  EXPECT_EQ(doc.Text(0, 4), "あい");
  EXPECT_EQ(doc.Text(0, 5), "A");
  EXPECT_EQ(doc.Text(0, 6), "表ソ");

  CORVELDoc other;
  ASSERT_TRUE(ParseDocument(DocumentWithCells(0, 0, {S8("")}, DocBytes().Str(longer_label)), other).ok);
  EXPECT_EQ(other.ResultText, longer_label);
}

TEST(DocumentRead, UndecodableBytesBecomeReplacementCharacters) {
  CORVELDoc doc;
  ASSERT_TRUE(ParseDocument(DocumentWithCells(0, 1, {S8("a\x80" "b"), S8("\x82")},
                                              DocBytes().Str("x\xFD")),
                            doc)
                  .ok);
  EXPECT_EQ(doc.Text(0, 0), "a\xEF\xBF\xBD" "b");
  EXPECT_EQ(doc.Text(0, 1), "\xEF\xBF\xBD");
  EXPECT_EQ(doc.ResultText, "x\xEF\xBF\xBD");
}

TEST(DocumentRead, CellsLongerThanACellAreCut) {
  std::string japanese;
  for (int i = 0; i < 25; ++i) japanese += "\x82\xA0";  // あ in CP932
  CORVELDoc doc;
  ASSERT_TRUE(ParseDocument(DocumentWithCells(1, 1, {S8(japanese), S8(""), S8(""), S8("12345678901234567890")}), doc).ok);
  std::string expected;
  for (int i = 0; i < 19; ++i) expected += "あ";
  EXPECT_EQ(doc.Text(0, 0), expected);
  EXPECT_EQ(doc.Text(1, 1), "1234567890123456789");
}

// ---- Older versions ---------------------------------------------------------------------------

struct SheetRow {
  int version;
  int group_entries, grid_a, grid_b, labels_a, labels_b, width_entries, regression_columns;
};

struct SettingsRow {
  int settings_version;
  bool increments_method;
  int pca_entries, slots;
  bool include_data, p_values;
};

void PrintTo(const SheetRow& row, std::ostream* os) { *os << "version " << row.version; }
void PrintTo(const SettingsRow& row, std::ostream* os) { *os << "settings version " << row.settings_version; }

// Writes a document of the given versions with recognisable values in every field.
std::string VersionedDocument(const SheetRow& v, const SettingsRow& s) {
  DocBytes d;
  d.I32(v.version).Str("report\n").I32(1).I32(2);
  d.Str("").Str("r1").Str("r2").Str("X").Str("1.5").Str("-2");
  d.I32(2).I32(1);
  for (int i = 0; i < v.group_entries; ++i) d.I32(i == 0 ? 1 : (i % 3 == 0));
  for (int a = 1; a <= v.grid_a; ++a)
    for (int b = 1; b <= v.grid_b; ++b) d.I32(a * 7 + b);
  for (int a = 1; a <= v.labels_a; ++a) d.Str("a" + std::to_string(a));
  for (int b = 1; b <= v.labels_b; ++b) d.Str("b" + std::to_string(b));
  for (int c = 0; c < v.width_entries; ++c) d.I32(30 + c);
  for (int c = 1; c <= v.regression_columns; ++c) d.I32(c % 4 == 1);
  d.I32(3).I32(0).I32(s.settings_version);
  if (s.settings_version >= 300) d.F64(3.5).F64(2.5);
  for (int i = 0; i < s.pca_entries; ++i) d.I32(i == 0 ? 1 : (i % 5 == 0));
  for (int k = 1; k <= s.slots; ++k) d.I32(k + 1).I32(k + 30);
  if (s.include_data) d.I32(0);
  if (s.p_values) d.F64(0.05).F64(0.1);
  return d.bytes;
}

// A document whose every field differs from what the versioned file holds.
void PrepareForVersionedRead(CORVELDoc& doc) {
  for (int c = 1; c <= 100; ++c) {
    doc.SetGroupColumn(c, true);
    doc.SetPcaColumn(c, true);
    doc.SetRegressionXColumn(c, true);
  }
  for (int c = 0; c <= 100; ++c) doc.SetColumnWidth(c, 77);
  for (int a = 1; a <= 10; ++a) {
    doc.SetTwowayLabelA(a, "old");
    for (int b = 1; b <= 25; ++b) doc.SetTwowayGridCell(a, b, 9);
  }
  for (int b = 1; b <= 25; ++b) doc.SetTwowayLabelB(b, "old");
  for (int k = 1; k <= 15; ++k) {
    doc.SetDiscriminantSlot(1, k, 5);
    doc.SetDiscriminantSlot(2, k, 5);
  }
  doc.SetIncludeDataInResult(true);
  doc.SetFIn(1.25);
  doc.SetFOut(1.25);
  doc.SetPIn(0.3);
  doc.SetPOut(0.3);
}

const SheetRow kCurrentSheet{2200, 101, 10, 25, 10, 25, 101, 100};
const SettingsRow kCurrentSettings{2200, false, 101, 15, true, true};

class SheetVersion : public ::testing::TestWithParam<SheetRow> {};

TEST_P(SheetVersion, FieldsLandWhereTheVersionPutThem) {
  const SheetRow& v = GetParam();
  const std::string bytes = VersionedDocument(v, kCurrentSettings);
  CORVELDoc doc;
  PrepareForVersionedRead(doc);
  ASSERT_TRUE(ParseDocument(bytes, doc).ok) << v.version;

  EXPECT_EQ(doc.ResultText, "report\n");
  EXPECT_EQ(doc.Text(0, 2), "r2");
  EXPECT_EQ(doc.Value(1, 2), -2);
  EXPECT_EQ(doc.TwoGroupX(), 2);
  EXPECT_EQ(doc.TwoGroupY(), 1);
  // Entry 0 lands on column 1 and entry 1 then replaces it.
  EXPECT_FALSE(doc.GroupColumn(1));
  for (int c = 2; c <= 100; ++c)
    EXPECT_EQ(doc.GroupColumn(c), c < v.group_entries ? c % 3 == 0 : true) << "group column " << c;
  for (int a = 1; a <= 10; ++a)
    for (int b = 1; b <= 25; ++b)
      EXPECT_EQ(doc.TwowayGridCell(a, b), a <= v.grid_a && b <= v.grid_b ? a * 7 + b : 0) << a << "," << b;
  for (int a = 1; a <= 10; ++a)
    EXPECT_EQ(doc.TwowayLabelA(a), a <= v.labels_a ? "a" + std::to_string(a) : "") << a;
  for (int b = 1; b <= 25; ++b)
    EXPECT_EQ(doc.TwowayLabelB(b), b <= v.labels_b ? "b" + std::to_string(b) : "") << b;
  for (int c = 0; c <= 100; ++c) EXPECT_EQ(doc.ColumnWidth(c), c < v.width_entries ? 30 + c : 77) << c;
  for (int c = 1; c <= 100; ++c)
    EXPECT_EQ(doc.RegressionXColumn(c), c <= v.regression_columns && c % 4 == 1) << c;
  EXPECT_EQ(doc.RegressionY(), 3);
  EXPECT_EQ(doc.Settings().PIn, 0.05);

  // Nothing is left over: one byte less is a damaged file.
  CORVELDoc other;
  EXPECT_FALSE(ParseDocument(std::string_view(bytes).substr(0, bytes.size() - 1), other).ok);
}

INSTANTIATE_TEST_SUITE_P(
    VersionTable, SheetVersion,
    ::testing::Values(SheetRow{100, 31, 5, 5, 5, 5, 31, 30}, SheetRow{399, 31, 5, 5, 5, 5, 31, 30},
                      SheetRow{400, 51, 5, 5, 5, 5, 51, 50}, SheetRow{559, 51, 5, 5, 5, 5, 51, 50},
                      SheetRow{560, 51, 5, 10, 5, 10, 51, 50}, SheetRow{1199, 51, 5, 10, 5, 10, 51, 50},
                      SheetRow{1200, 51, 5, 25, 5, 25, 51, 50}, SheetRow{1249, 51, 5, 25, 5, 25, 51, 50},
                      SheetRow{1250, 101, 10, 25, 10, 25, 101, 100}, kCurrentSheet),
    [](const ::testing::TestParamInfo<SheetRow>& info) { return "v" + std::to_string(info.param.version); });

class SettingsVersion : public ::testing::TestWithParam<SettingsRow> {};

TEST_P(SettingsVersion, FieldsLandWhereTheVersionPutThem) {
  const SettingsRow& s = GetParam();
  const std::string bytes = VersionedDocument(kCurrentSheet, s);
  CORVELDoc doc;
  PrepareForVersionedRead(doc);
  ASSERT_TRUE(ParseDocument(bytes, doc).ok) << s.settings_version;

  EXPECT_EQ(doc.RegressionMethod(), s.increments_method ? 1 : 0);
  EXPECT_EQ(doc.Settings().FIn, s.settings_version >= 300 ? 3.5 : 2.0);
  EXPECT_EQ(doc.Settings().FOut, s.settings_version >= 300 ? 2.5 : 2.0);
  if (s.pca_entries > 0) {
    EXPECT_FALSE(doc.PcaColumn(1));
  }
  for (int c = 2; c <= 100; ++c)
    EXPECT_EQ(doc.PcaColumn(c), c < s.pca_entries ? c % 5 == 0 : true) << "pca column " << c;
  for (int k = 1; k <= 15; ++k) {
    EXPECT_EQ(doc.DiscriminantSlot(1, k), k <= s.slots ? k + 1 : 0) << k;
    EXPECT_EQ(doc.DiscriminantSlot(2, k), k <= s.slots ? k + 30 : 0) << k;
  }
  EXPECT_EQ(doc.IncludeDataInResult(), !s.include_data);  // the file holds 0
  EXPECT_EQ(doc.Settings().PIn, s.p_values ? 0.05 : 0.2);
  EXPECT_EQ(doc.Settings().POut, s.p_values ? 0.1 : 0.2);
  EXPECT_EQ(doc.GroupColumn(5), false);  // the sheet part still read as the current layout

  CORVELDoc other;
  EXPECT_FALSE(ParseDocument(std::string_view(bytes).substr(0, bytes.size() - 1), other).ok);
}

INSTANTIATE_TEST_SUITE_P(
    VersionTable, SettingsVersion,
    ::testing::Values(SettingsRow{100, true, 0, 0, false, false}, SettingsRow{299, true, 0, 0, false, false},
                      SettingsRow{300, false, 31, 0, false, false}, SettingsRow{309, false, 31, 0, false, false},
                      SettingsRow{310, false, 31, 4, false, false}, SettingsRow{399, false, 31, 4, false, false},
                      SettingsRow{400, false, 51, 4, false, false}, SettingsRow{429, false, 51, 4, false, false},
                      SettingsRow{430, false, 51, 4, true, false}, SettingsRow{439, false, 51, 4, true, false},
                      SettingsRow{440, false, 51, 9, true, false}, SettingsRow{509, false, 51, 9, true, false},
                      SettingsRow{510, false, 51, 10, true, false}, SettingsRow{1249, false, 51, 10, true, false},
                      SettingsRow{1250, false, 101, 15, true, true}, kCurrentSettings),
    [](const ::testing::TestParamInfo<SettingsRow>& info) {
      return "s" + std::to_string(info.param.settings_version);
    });

TEST(DocumentRead, OldestMethodNumbersShiftUp) {
  // Settings version 299 numbered the methods one lower; a stored 1 is "none" (2) now.
  std::string bytes = VersionedDocument(kCurrentSheet, SettingsRow{299, true, 0, 0, false, false});
  const std::size_t method_at = bytes.size() - 8;  // method, then the settings version
  bytes[method_at] = 1;
  CORVELDoc doc;
  ASSERT_TRUE(ParseDocument(bytes, doc).ok);
  EXPECT_EQ(doc.RegressionMethod(), 2);
}

// ---- Damaged files ----------------------------------------------------------------------------

std::string SmallDocument() {
  CORVELDoc doc;
  doc.ResultText = "結果 1\n";
  doc.SetCell(0, 0, "名前");
  doc.SetCell(1, 0, "w");
  doc.SetCell(1, 1, "1.5");
  doc.SetCell(2, 2, "3");
  doc.SetTwowayLabelB(2, "b");
  doc.SetPIn(0.1);
  return SerializeDocument(doc);
}

TEST(DocumentDamage, EveryTruncationIsRefusedAndChangesNothing) {
  const std::string bytes = SmallDocument();
  CORVELDoc doc(20);
  FillWithOtherWork(doc);
  const std::string before = Snapshot(doc);
  for (std::size_t n = 0; n < bytes.size(); ++n) {
    const FileOutcome outcome = ParseDocument(std::string_view(bytes).substr(0, n), doc);
    ASSERT_FALSE(outcome.ok) << n;
    ASSERT_EQ(outcome.message, "The file is not an ORVEL document or it is damaged.");
    ASSERT_EQ(Snapshot(doc), before) << n;
  }
  EXPECT_TRUE(ParseDocument(bytes, doc).ok);
}

// Flipping any one byte either still gives a readable document or a clean refusal.
TEST(DocumentDamage, CorruptedBytesAreReadOrRefusedCleanly) {
  const std::string good = SmallDocument();
  // A short sheet keeps the thousands of reads quick.
  auto doc = std::make_unique<CORVELDoc>(20);
  FillWithOtherWork(*doc);
  const std::string before = Snapshot(*doc);
  int refused = 0;
  for (std::size_t i = 0; i < good.size(); ++i) {
    std::string bytes = good;
    bytes[i] = static_cast<char>(bytes[i] ^ 0xFF);
    const FileOutcome outcome = ParseDocument(bytes, *doc);
    if (outcome.ok) {
      doc = std::make_unique<CORVELDoc>(20);
      FillWithOtherWork(*doc);
      continue;
    }
    ++refused;
    ASSERT_EQ(Snapshot(*doc), before) << i;
  }
  EXPECT_GT(refused, 0);
}

TEST(DocumentDamage, ImpossibleCountsAndLengthsAreRefused) {
  // With the 8-bit result text "", C sits at offset 5 and R at 9.
  const std::string base = DocumentWithCells(0, 0, {S8("")});
  const auto patched = [&base](std::size_t at, std::int32_t v) {
    std::string b = base;
    std::memcpy(b.data() + at, &v, 4);
    return b;
  };
  std::vector<std::string> damaged = {
      patched(5, 101),
      patched(5, -1),
      patched(9, -1),
      patched(9, 0x7FFFFFFF),
      patched(5, 0x7FFFFFFF),
      // A 4 GiB result text in a file of a hundred bytes.
      DocBytes().I32(2200).U8(0xFF).U16(0xFFFF).U32(0xFFFFFFFF).Bytes(std::string(100, 'x')).bytes,
      DocBytes().I32(2200).U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFF).U32(0x7FFFFFFF).Bytes(std::string(100, 'x')).bytes,
      DocBytes().I32(2200).U8(0xFF).U16(0x1000).Bytes(std::string(100, 'x')).bytes,
      DocBytes().I32(2200).Str("").I32(0).I32(0).U8(200).Bytes("short").bytes,
      std::string(),
      std::string("ORVEL"),
  };
  for (std::size_t i = 0; i < damaged.size(); ++i) {
    CORVELDoc doc;
    FillWithOtherWork(doc);
    const std::string before = Snapshot(doc);
    const FileOutcome outcome = ParseDocument(damaged[i], doc);
    EXPECT_FALSE(outcome.ok) << i;
    EXPECT_NE(outcome.message.find("damaged"), std::string::npos) << i;
    EXPECT_EQ(Snapshot(doc), before) << i;
  }
}

TEST(DocumentDamage, OutOfRangeColumnNumbersMeanNone) {
  std::string bytes = VersionedDocument(kCurrentSheet, kCurrentSettings);
  CORVELDoc doc;
  ASSERT_TRUE(ParseDocument(bytes, doc).ok);
  // The grid starts right after the cells, TwoGroupX/Y and the 101 group entries.
  const std::size_t cells_end = 4 + 8 + 8 + (1 + 3 + 3 + 2 + 4 + 3);
  const std::size_t grid_at = cells_end + 8 + 101 * 4;
  const std::int32_t huge = 5000, negative = -3;
  std::memcpy(bytes.data() + grid_at, &huge, 4);
  std::memcpy(bytes.data() + grid_at + 4, &negative, 4);
  ASSERT_TRUE(ParseDocument(bytes, doc).ok);
  EXPECT_EQ(doc.TwowayGridCell(1, 1), 0);
  EXPECT_EQ(doc.TwowayGridCell(1, 2), 0);
  EXPECT_EQ(doc.TwowayGridCell(1, 3), 10);
}

TEST(DocumentDamage, TooManyRowsNamesTheRowsNeeded) {
  CORVELDoc big(300);
  big.SetCell(1, 150, "1");
  const std::string bytes = SerializeDocument(big);

  CORVELDoc fits(151);
  EXPECT_TRUE(ParseDocument(bytes, fits).ok);
  EXPECT_EQ(fits.Value(1, 150), 1);

  CORVELDoc small(150);
  FillWithOtherWork(small);
  const std::string before = Snapshot(small);
  const FileOutcome outcome = ParseDocument(bytes, small);
  EXPECT_FALSE(outcome.ok);
  EXPECT_EQ(outcome.message,
            "The file has 150 data rows but the data sheet has 149. Set the number of rows to at "
            "least 150 with the Row Numbers command and restart ORVEL.");
  EXPECT_EQ(Snapshot(small), before);

  // A damaged file with too many rows is reported as damaged.
  EXPECT_NE(ParseDocument(std::string_view(bytes).substr(0, bytes.size() - 1), small).message.find("damaged"),
            std::string::npos);
}

TEST(DocumentDamage, MoreRowsThanAnySheetCanHold) {
  std::vector<std::string> cells(20002, S8(""));
  CORVELDoc doc(200);
  const FileOutcome outcome = ParseDocument(DocumentWithCells(0, 20001, cells), doc);
  EXPECT_FALSE(outcome.ok);
  EXPECT_EQ(outcome.message, "The file has 20001 data rows, more than a data sheet can hold (20000).");
}

TEST(DocumentFile, MessagesNameTheFile) {
  ScratchDir dir;
  CORVELDoc doc;
  FillWithOtherWork(doc);
  const std::string before = Snapshot(doc);

  const std::string junk = dir.File("junk.ovd");
  testing::WriteAll(junk, "this is not a document at all");
  FileOutcome outcome = ReadDocumentFile(junk, doc);
  EXPECT_FALSE(outcome.ok);
  EXPECT_EQ(outcome.message, "\"junk.ovd\" is not an ORVEL document or it is damaged.");

  outcome = ReadDocumentFile(dir.File("missing.ovd"), doc);
  EXPECT_FALSE(outcome.ok);
  EXPECT_NE(outcome.message.find("missing.ovd"), std::string::npos);

  outcome = ReadDocumentFile(dir.path(), doc);  // a folder
  EXPECT_FALSE(outcome.ok);
  EXPECT_EQ(Snapshot(doc), before);
}

}  // namespace
}  // namespace orvel
