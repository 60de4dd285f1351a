#include "sheet/text_files.h"

#include <gtest/gtest.h>

#include <string>

#include "file_test_support.h"

namespace orvel {
namespace {

using testing::FillWithOtherWork;
using testing::ScratchDir;
using testing::Snapshot;

std::string Lines(int n, const std::string& line) {
  std::string s;
  for (int i = 0; i < n; ++i) s += line;
  return s;
}

// ---- Open Text File ---------------------------------------------------------------------------

TEST(TextRead, TabsAndCrLfFillNamesLabelsAndValues) {
  CORVELDoc doc;
  ASSERT_TRUE(ParseTextData("name\tA\r\nx\t1.5\r\n", doc).ok);
  EXPECT_EQ(doc.Text(0, 0), "name");
  EXPECT_EQ(doc.Text(1, 0), "A");
  EXPECT_EQ(doc.Text(0, 1), "x");
  EXPECT_TRUE(doc.IsNumeric(1, 1));
  EXPECT_EQ(doc.Value(1, 1), 1.5);
  EXPECT_EQ(doc.UsedRowCount(), 1);
}

TEST(TextRead, CommasAreSeparatorsToo) {
  CORVELDoc tabs, commas;
  ASSERT_TRUE(ParseTextData("id\ta\tb\n1\t2\t3\n", tabs).ok);
  ASSERT_TRUE(ParseTextData("id,a,b\n1,2\t3\n", commas).ok);
  EXPECT_EQ(SerializeSheetText(tabs), SerializeSheetText(commas));
  EXPECT_EQ(commas.Value(2, 1), 3);
}

TEST(TextRead, FieldsAreCutAndFilteredLikeTypedCells) {
  CORVELDoc doc;
  ASSERT_TRUE(ParseTextData("lbl\tv\n"
                            "r1\t12345678901234567890\n"
                            "r2\tn/a\n"
                            "n/a\t7\r junk\n",
                            doc)
                  .ok);
  EXPECT_EQ(doc.Text(1, 1), "1234567890123456789");
  EXPECT_EQ(doc.Value(1, 1), 1234567890123456789.0);
  EXPECT_EQ(doc.Text(1, 2), "");  // missing value
  EXPECT_FALSE(doc.IsNumeric(1, 2));
  EXPECT_EQ(doc.Text(0, 3), "n/a");
  EXPECT_EQ(doc.Text(1, 3), "7");  // a lone '\r' ends the line
  EXPECT_EQ(doc.Text(0, 4), " junk");
}

TEST(TextRead, LastFieldWithoutLineEndIsPlaced) {
  CORVELDoc doc;
  ASSERT_TRUE(ParseTextData("a\tb\n1\t2", doc).ok);
  EXPECT_EQ(doc.Text(0, 1), "1");
  EXPECT_EQ(doc.Text(1, 1), "2");
  CORVELDoc single;
  ASSERT_TRUE(ParseTextData("lonely", single).ok);
  EXPECT_EQ(single.Text(0, 0), "lonely");
}

TEST(TextRead, LineCountLimitFollowsTheRows) {
  // 500 rows: row 0 and data rows 1..499.
  CORVELDoc doc(500);
  ASSERT_TRUE(ParseTextData(Lines(500, "x\t1\n"), doc).ok);
  EXPECT_EQ(doc.Text(1, 499), "1");

  FillWithOtherWork(doc);
  const std::string before = Snapshot(doc);
  FileOutcome outcome = ParseTextData(Lines(501, "x\t1\n"), doc);
  EXPECT_FALSE(outcome.ok);
  EXPECT_EQ(outcome.message, "The file is too large to open.");
  EXPECT_EQ(Snapshot(doc), before);

  // An unended 501st line is read, so it is refused as well, with or without a separator.
  EXPECT_FALSE(ParseTextData(Lines(500, "x\t1\n") + "y\t2", doc).ok);
  EXPECT_EQ(Snapshot(doc), before);
  EXPECT_FALSE(ParseTextData(Lines(500, "x\t1\n") + "y", doc).ok);
  EXPECT_EQ(Snapshot(doc), before);
  // Line ends of any kind count once each: 500 CR LF or lone CR lines fit.
  EXPECT_TRUE(ParseTextData(Lines(500, "x\t1\r\n"), doc).ok);
  EXPECT_TRUE(ParseTextData(Lines(499, "x\t1\r") + "x\t1", doc).ok);
  EXPECT_EQ(doc.Text(1, 499), "1");
}

TEST(TextRead, FieldCountLimitIs101) {
  std::string widest = "c0";
  for (int c = 1; c <= 100; ++c) widest += "\t" + std::to_string(c);
  CORVELDoc doc;
  ASSERT_TRUE(ParseTextData(widest + "\n", doc).ok);
  EXPECT_EQ(doc.Text(100, 0), "100");

  FillWithOtherWork(doc);
  const std::string before = Snapshot(doc);
  EXPECT_FALSE(ParseTextData("a\n" + widest + ",101\n", doc).ok);
  EXPECT_EQ(Snapshot(doc), before);
}

TEST(TextRead, ResetsTheDocumentLikeNew) {
  CORVELDoc doc;
  FillWithOtherWork(doc);
  ASSERT_TRUE(ParseTextData("a\n", doc).ok);
  EXPECT_EQ(doc.Text(1, 1), "");
  EXPECT_EQ(doc.ResultText, "");
  EXPECT_FALSE(doc.GroupColumn(4));
  EXPECT_EQ(doc.ColumnWidth(3), kDefaultColumnWidth);
  EXPECT_EQ(doc.Settings().FIn, 2.0);
}

TEST(TextRead, Utf8WithOrWithoutByteOrderMark) {
  CORVELDoc doc;
  ASSERT_TRUE(ParseTextData("\xEF\xBB\xBF名前\t体重\n", doc).ok);
  EXPECT_EQ(doc.Text(0, 0), "名前");
  EXPECT_EQ(doc.Text(1, 0), "体重");
}

TEST(TextRead, Cp932FilesAreDecoded) {
  // 名前 TAB 平均値 (second byte of 値 is 'l') LF 表 (second byte '\') TAB 1 LF
  CORVELDoc doc;
  ASSERT_TRUE(ParseTextData("\x96\xBC\x91\x4F\t\x95\xBD\x8B\xCF\x92\x6C\n\x95\x5C\t1\n", doc).ok);
  EXPECT_EQ(doc.Text(0, 0), "名前");
  EXPECT_EQ(doc.Text(1, 0), "平均値");
  EXPECT_EQ(doc.Text(0, 1), "表");
  EXPECT_EQ(doc.Value(1, 1), 1);
}

TEST(TextRead, CutsByCharactersNeverInsideOne) {
  std::string utf8, cp932, expected;
  for (int i = 0; i < 25; ++i) {
    utf8 += "あ";
    cp932 += "\x82\xA0";
  }
  for (int i = 0; i < 19; ++i) expected += "あ";
  CORVELDoc a, b;
  ASSERT_TRUE(ParseTextData(utf8 + "\tx\n", a).ok);
  ASSERT_TRUE(ParseTextData(cp932 + "\tx\n", b).ok);
  EXPECT_EQ(a.Text(0, 0), expected);
  EXPECT_EQ(b.Text(0, 0), expected);
  EXPECT_EQ(a.Text(1, 0), "x");
}

TEST(TextFile, OpenSetsTheDocumentPath) {
  ScratchDir dir;
  const std::string path = dir.File("trial.data.txt");
  testing::WriteAll(path, "a\tb\n1\t2\n");
  CORVELDoc doc;
  ASSERT_TRUE(ReadTextDataFile(path, doc).ok);
  EXPECT_EQ(doc.PathName(), dir.File("trial.data.ovd"));
  EXPECT_EQ(doc.Value(1, 1), 2);

  EXPECT_EQ(DocumentPathForTextFile("/d.x/data"), "/d.x/data.ovd");
  EXPECT_EQ(DocumentPathForTextFile("data.csv"), "data.ovd");

  const FileOutcome missing = ReadTextDataFile(dir.File("none.txt"), doc);
  EXPECT_FALSE(missing.ok);
  EXPECT_EQ(doc.PathName(), dir.File("trial.data.ovd"));
}

// ---- Save Data Sheet As Text File -------------------------------------------------------------

TEST(TextWrite, SheetAsTextLayout) {
  CORVELDoc doc;
  EXPECT_EQ(SerializeSheetText(doc), "\r\n");
  doc.SetCell(0, 0, "id");
  doc.SetCell(2, 0, "体重");
  doc.SetCell(2, 2, "61.5");
  doc.SetCell(0, 3, "x");
  doc.ClearCell(0, 3);  // row 3 stays used
  EXPECT_EQ(SerializeSheetText(doc), "id\t\t体重\r\n\t\t\r\n\t\t61.5\r\n\t\t\r\n");
}

TEST(TextWrite, SheetRoundTripKeepsColumnsUpToTheLast) {
  CORVELDoc doc;
  doc.SetCell(0, 0, "名前");
  for (int r = 1; r <= 30; ++r) {
    doc.SetCell(0, r, "行" + std::to_string(r));
    doc.SetCell(1, r, std::to_string(r) + ".25");
    if (r % 3) doc.SetCell(5, r, "-" + std::to_string(r));
  }
  doc.SetCell(5, 0, "Δ");
  ScratchDir dir;
  ASSERT_TRUE(WriteSheetTextFile(dir.File("data.txt"), doc).ok);
  CORVELDoc back;
  ASSERT_TRUE(ReadTextDataFile(dir.File("data.txt"), back).ok);
  for (int c = 0; c <= kLastColumn; ++c)
    for (int r = 0; r <= 31; ++r) {
      ASSERT_EQ(back.Text(c, r), doc.Text(c, r)) << c << "," << r;
      ASSERT_EQ(back.IsNumeric(c, r), doc.IsNumeric(c, r)) << c << "," << r;
      if (doc.IsNumeric(c, r)) {
        ASSERT_EQ(back.Value(c, r), doc.Value(c, r));
      }
    }
  EXPECT_EQ(back.UsedRowCount(), 30);
}

// ---- Save Result As Text File -----------------------------------------------------------------

TEST(ResultText, LineEndsBecomeCrLf) {
  EXPECT_EQ(ResultTextFileBytes("a\nb\n\nc"), "a\r\nb\r\n\r\nc");
  ScratchDir dir;
  ASSERT_TRUE(WriteResultTextFile(dir.File("result.txt"), "<<< 平均 >>>\nn = 3\n").ok);
  EXPECT_EQ(testing::ReadAll(dir.File("result.txt")), "<<< 平均 >>>\r\nn = 3\r\n");
}

}  // namespace
}  // namespace orvel
