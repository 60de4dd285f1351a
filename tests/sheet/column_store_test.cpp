// The compact cell store and the kept column statistics: every editing path must drop exactly
// the statistics it makes stale (checked against a freshly built copy of the same sheet), the
// sums must keep their digits for values with a large offset, and cells at the edges of what
// a cell can hold must survive storing, import and the document file unchanged.
#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cstdio>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <locale.h>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "sheet/cell_text.h"
#include "sheet/document_file.h"
#include "sheet/orvel_doc.h"
#include "sheet/row_view.h"
#include "sheet/sheet_editing.h"
#include "sheet/text_files.h"

namespace orvel {
namespace {

// Every statistic of one column, compared bit for bit (NaN equal to NaN).
std::vector<double> AllStatistics(const CORVELDoc& doc, int c) {
  const CORVELDoc::MedianAndQuartiles q = doc.Quartiles(c);
  return {static_cast<double>(doc.Count(c)), doc.Sum(c), doc.Mean(c), doc.CentredSquares(c), doc.SD(c),
          doc.SampleSD(c), doc.Min(c), doc.Max(c), static_cast<double>(doc.MinRow(c)),
          static_cast<double>(doc.MaxRow(c)), q.median, q.lower, q.upper, doc.Skewness(c), doc.Kurtosis(c),
          doc.Sxy(c, c + 1), doc.Covariance(c, c + 1), doc.PowerSum(c, 3)};
}

bool SameBits(const std::vector<double>& a, const std::vector<double>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::bit_cast<std::uint64_t>(a[i]) != std::bit_cast<std::uint64_t>(b[i]) &&
        !(std::isnan(a[i]) && std::isnan(b[i])))
      return false;
  return true;
}

// A new document holding the same cells, values, flags and last used rows, whose statistics
// have never been computed.
std::unique_ptr<CORVELDoc> FreshCopy(const CORVELDoc& doc) {
  auto copy = std::make_unique<CORVELDoc>(doc.RowCount());
  for (int c = 0; c <= kLastColumn; ++c) {
    const CDataColumn& from = doc.Column(c);
    CDataColumn& to = copy->Column(c);
    to.SetKind(CDataColumn::kLabelKind);  // takes any text; the kind is set after
    for (int r = 0; r < doc.RowCount(); ++r) {
      if (!from.Text(r).empty()) to.SetText(r, from.Text(r));
      if (from.Value(r) != 0.0 || std::signbit(from.Value(r))) to.SetValue(r, from.Value(r));
      to.SetIncluded(r, from.Included(r));
    }
    to.SetKind(from.Kind());
    to.SetLastUsedRow(from.LastUsedRow());
  }
  return copy;
}

// Leaves row r out of every column by the columns' own flags.
void SkipRow(CORVELDoc& doc, int r) {
  for (int c = 0; c <= kLastColumn; ++c) doc.Column(c).SetIncluded(r, false);
}

void FillSheet(CORVELDoc& doc) {
  doc.SetCell(0, 0, "id");
  for (int r = 1; r <= 24; ++r) {
    doc.SetCell(0, r, "r" + std::to_string(r));
    doc.SetCell(1, r, std::to_string(r * 7 % 11) + "." + std::to_string(r % 4));
    if (r % 5 != 0) doc.SetCell(2, r, std::to_string(100 - r * 3));
    if (r % 6 == 0) doc.SetCell(3, r, "-");
    else doc.SetCell(3, r, "1" + std::string(r % 3, '0') + ".5");
  }
  doc.SetCell(4, 2, "8");
}

TEST(ColumnStatistics, EveryEditDropsWhatItChanges) {
  struct Edit {
    const char* name;
    std::function<void(CORVELDoc&)> apply;
  };
  const std::vector<Edit> edits = {
      {"set a cell", [](CORVELDoc& d) { d.SetCell(1, 3, "42.5"); }},
      {"set a cell below the used rows", [](CORVELDoc& d) { d.SetCell(2, 40, "-3"); }},
      {"replace a number by a dash", [](CORVELDoc& d) { d.SetCell(1, 7, "-"); }},
      {"clear a cell", [](CORVELDoc& d) { d.ClearCell(2, 4); }},
      {"type a digit", [](CORVELDoc& d) { d.TypeChar(1, 5, U'9'); }},
      {"backspace", [](CORVELDoc& d) { d.Backspace(2, 1); }},
      {"overwrite a value", [](CORVELDoc& d) { d.Column(3).SetValue(2, 1e6); }},
      {"paste", [](CORVELDoc& d) { PasteText(d, "5\t6\r\n\t7\r8", 10, 1); }},
      {"clear a selection", [](CORVELDoc& d) { ClearSelectedCells(d, {2, 1, 9, 3}); }},
      {"fill down", [](CORVELDoc& d) { FillDown(d, {3, 1, 12, 2}); }},
      {"fill right", [](CORVELDoc& d) { FillRight(d, {1, 1, 20, 3}); }},
      {"sort",
       [](CORVELDoc& d) {
         d.SortColumns.fill(1);
         SortRows(d, 2, true);
       }},
      {"transform", [](CORVELDoc& d) { ASSERT_TRUE(d.Column(1).TransformLn()); }},
      {"transform and undo",
       [](CORVELDoc& d) {
         ASSERT_TRUE(d.Column(2).TransformReciprocal());
         d.Column(2).ReparseAll();
       }},
      {"skip a row", [](CORVELDoc& d) { SkipRow(d, 6); }},
      {"skip incomplete rows",
       [](CORVELDoc& d) {
         const std::vector<int> rows = CRowView(d, {1, 2}).LeftOutRows();
         for (int r : rows) SkipRow(d, r);
       }},
      {"skip and restore",
       [](CORVELDoc& d) {
         SkipRow(d, 2);
         (void)d.Mean(1);
         for (int c = 0; c <= kLastColumn; ++c) d.Column(c).SetIncluded(2, true);
       }},
      {"lower the last used row", [](CORVELDoc& d) { d.Column(1).SetLastUsedRow(12); }},
      {"make a label column", [](CORVELDoc& d) { d.Column(2).SetKind(CDataColumn::kLabelKind); }},
      {"import", [](CORVELDoc& d) { ASSERT_TRUE(ParseTextData("a\tb\tc\n1\t2\t3\n4\t\t6\n7\t8", d).ok); }},
      {"open a document",
       [](CORVELDoc& d) {
         CORVELDoc other;
         other.SetCell(1, 1, "3");
         other.SetCell(1, 2, "5.5");
         ASSERT_TRUE(ParseDocument(SerializeDocument(other), d).ok);
       }},
      {"new document", [](CORVELDoc& d) { d.NewDocument(); }},
  };
  for (const Edit& edit : edits) {
    SCOPED_TRACE(edit.name);
    CORVELDoc doc(60);
    FillSheet(doc);
    for (int c = 1; c <= 4; ++c) (void)AllStatistics(doc, c);  // every statistic kept
    edit.apply(doc);
    const auto fresh = FreshCopy(doc);
    for (int c = 0; c <= 4; ++c)
      EXPECT_TRUE(SameBits(AllStatistics(doc, c), AllStatistics(*fresh, c))) << "column " << c;
  }
}

double CLibraryAtofOf(const std::string& text) { return std::strtod(text.c_str(), nullptr); }

// Reference sums in long double, two passes.
struct Reference {
  long double mean = 0, squares = 0;
};
Reference ReferenceOf(const std::vector<double>& v) {
  Reference ref;
  for (double x : v) ref.mean += x;
  ref.mean /= static_cast<long double>(v.size());
  for (double x : v) ref.squares += (x - ref.mean) * (x - ref.mean);
  return ref;
}

TEST(ColumnStatistics, SumsKeepTheirDigitsWhateverTheOffset) {
  struct Case {
    const char* name;
    std::vector<std::string> texts;
  };
  std::vector<std::string> offset, spread, ordinary;
  for (int i = 0; i < 500; ++i) {
    const int noise = (i * 7919) % 1000 - 500;  // spread of about 0.03
    offset.push_back("123456789." + std::to_string(1000 + (noise + 5000) % 9000).substr(0, 4));
    spread.push_back(std::to_string(987654321 + i % 3) + ".5");
    ordinary.push_back(std::to_string(i % 17) + "." + std::to_string(i % 10));
  }
  const std::vector<Case> cases = {{"15-digit values", offset}, {"three values far out", spread}, {"ordinary", ordinary}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    CORVELDoc doc(600);
    std::vector<double> values;
    for (std::size_t i = 0; i < k.texts.size(); ++i) {
      doc.SetCell(1, static_cast<int>(i) + 1, k.texts[i]);
      values.push_back(doc.Value(1, static_cast<int>(i) + 1));
    }
    const Reference ref = ReferenceOf(values);
    const double n = static_cast<double>(values.size());
    EXPECT_NEAR(doc.Mean(1), static_cast<double>(ref.mean), 1e-15 * std::fabs(static_cast<double>(ref.mean)));
    EXPECT_NEAR(doc.CentredSquares(1), static_cast<double>(ref.squares), 1e-9 * static_cast<double>(ref.squares));
    EXPECT_NEAR(doc.SampleSD(1), std::sqrt(static_cast<double>(ref.squares) / (n - 1)),
                1e-9 * std::sqrt(static_cast<double>(ref.squares) / (n - 1)));
    EXPECT_TRUE(std::isfinite(doc.Skewness(1)));
    EXPECT_TRUE(std::isfinite(doc.Kurtosis(1)));
    // Shifting every value leaves the shape alone.
    CORVELDoc shifted(600);
    for (std::size_t i = 0; i < values.size(); ++i)
      shifted.SetCell(1, static_cast<int>(i) + 1, std::to_string(values[i] - values[0]));
    EXPECT_NEAR(doc.Skewness(1), shifted.Skewness(1), 1e-5);
  }
}

TEST(ColumnStatistics, EqualValuesHaveNoSpreadAtAll) {
  for (const char* text : {"123.456", "0.1", "-7.3", "1234567890123.4567", "5"}) {
    for (int n : {2, 3, 10, 499}) {
      SCOPED_TRACE(std::string(text) + " x " + std::to_string(n));
      CORVELDoc doc;
      for (int r = 1; r <= n; ++r) doc.SetCell(1, r, text);
      const double value = doc.Value(1, 1);
      EXPECT_EQ(doc.Mean(1), value);
      EXPECT_EQ(doc.CentredSquares(1), 0.0);
      EXPECT_EQ(doc.SD(1), 0.0);
      EXPECT_EQ(doc.SampleSD(1), 0.0);
      if (n >= 3) {
        EXPECT_TRUE(std::isnan(doc.Skewness(1)));
      }
      EXPECT_EQ(doc.Quartiles(1).median, RoundTo7Decimals(value));
    }
  }
}

TEST(ColumnStatistics, OrderStatisticsMatchTheSortedColumn) {
  // Median and quartiles by selection against a full sort in the rank buffer, for every
  // count modulo 4 and with ties.
  for (int n = 0; n <= 41; ++n) {
    SCOPED_TRACE(n);
    CORVELDoc doc;
    for (int r = 1; r <= n; ++r) doc.SetCell(1, r, std::to_string((r * 37) % 13) + ".25");
    doc.LoadSortedColumn(1);
    const CRankBuffer& b = doc.RankBuffer();
    const auto x = [&](int i) { return b.ValueAt(i); };
    const CORVELDoc::MedianAndQuartiles q = doc.Quartiles(1);
    EXPECT_EQ(q.median, n % 2 == 1 ? x((n - 1) / 2) : (x(n / 2 - 1) + x(n / 2)) / 2);
    const int a = n / 4, u = 3 * n / 4;
    if (n % 4 == 3) {
      EXPECT_EQ(q.lower, x(a));
      EXPECT_EQ(q.upper, x(u));
    } else if (n % 4 == 1) {
      EXPECT_EQ(q.lower, (x(a - 1) + x(a)) / 2);
      EXPECT_EQ(q.upper, (x(u) + x(u + 1)) / 2);
    }
  }
  CORVELDoc doc;
  for (int r = 1; r <= 4; ++r) doc.SetCell(1, r, std::to_string(r));
  EXPECT_EQ(doc.Median(1), 2.5);
  EXPECT_EQ(doc.LowerQuartile(1), 1.25);
  EXPECT_EQ(doc.UpperQuartile(1), 3.75);
}

TEST(ColumnStore, OverwritingKeepsEveryOtherText) {
  // Long and short texts replacing each other many times, so the arena fills with replaced
  // texts and is compacted several times; a plain map says what each cell must hold.
  CDataColumn label, data;
  label.Create(300);
  label.SetKind(CDataColumn::kLabelKind);
  data.Create(300);
  std::vector<std::string> model_label(300), model_data(300);
  std::uint64_t state = 99;
  for (int step = 0; step < 20000; ++step) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    const int row = 1 + static_cast<int>((state >> 33) % 299);
    const int length = static_cast<int>((state >> 50) % 20);
    std::string text;
    for (int i = 0; i < length; ++i) text += static_cast<char>('0' + (state >> (i % 40)) % 10);
    std::string name = step % 7 == 0 ? "名前" + text : text;
    label.ClearCell(row);
    label.SetText(row, name);
    model_label[static_cast<std::size_t>(row)] = std::string(Utf8Prefix(name, kMaxCellChars));
    data.ClearCell(row);
    data.SetText(row, text);
    data.Reparse(row);
    model_data[static_cast<std::size_t>(row)] = text;
  }
  for (int r = 0; r < 300; ++r) {
    ASSERT_EQ(label.Text(r), model_label[static_cast<std::size_t>(r)]) << r;
    ASSERT_EQ(data.Text(r), model_data[static_cast<std::size_t>(r)]) << r;
    if (data.IsNumeric(r)) {
      ASSERT_EQ(data.Value(r), CLibraryAtofOf(model_data[static_cast<std::size_t>(r)])) << r;
    }
  }
  // A cell set from another cell of its own column.
  data.SetText(299, "");
  data.ClearCell(5);
  data.SetText(5, data.Text(7));
  EXPECT_EQ(data.Text(5), data.Text(7));
}

// ---- Edge cells -------------------------------------------------------------------------------

double CLibraryAtof(const std::string& text) {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return strtod_l(text.c_str(), nullptr, c);
}

TEST(EdgeCells, NumbersParseExactlyAsTheCLibrary) {
  const char* texts[] = {"0", "-0", "+0", "-0.0", "+.5", "-.5", "5.", ".", "-", "+", "", "+.", "-.",
                         "1234567890123456789", "-123456789012345678", ".000000000000000001",
                         "9007199254740993", "0.1", "00001.50000", "2.2250738585072011", "4.9406564584124654",
                         "123456789.0123", "0.30000000000000004", "1e5", "1E-3", "1e400", "1e-400",
                         "0x1p3", " 42", "\t7", "12abc", "inf", "-nan", "+-5", "3.14159265358979323846",
                         "9007199254740992", "-.9007199254740992", "9007199254740993.", ".0000000000000000001",
                         "-0.000000000000001"};
  std::vector<std::string> all(std::begin(texts), std::end(texts));
  // Plus data texts of every length up to 19 with the point anywhere, from a fixed sequence.
  std::uint64_t state = 12345;
  for (int i = 0; i < 20000; ++i) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    const int length = 1 + static_cast<int>((state >> 33) % 19);
    std::string text = (state >> 60) % 3 == 0 ? "-" : "";
    const int point = static_cast<int>((state >> 40) % static_cast<std::uint64_t>(length + 2));
    std::uint64_t digits = state ^ (state >> 17);
    while (static_cast<int>(text.size()) < length) {
      if (static_cast<int>(text.size()) == point) text += '.';
      text += static_cast<char>('0' + digits % 10);
      digits = digits / 10 + (state >> 7) * 3;
    }
    all.push_back(text.substr(0, 19));
  }
  for (const std::string& text : all) {
    const double mine = ParseNumber(text), reference = CLibraryAtof(text);
    ASSERT_TRUE(std::bit_cast<std::uint64_t>(mine) == std::bit_cast<std::uint64_t>(reference) ||
                (std::isnan(mine) && std::isnan(reference)))
        << text;
  }
}

TEST(EdgeCells, TextsSurviveTheStoreImportAndTheDocument) {
  struct Cell {
    int column, row;
    std::string text;  // as typed
    std::string kept;  // what the cell holds
  };
  std::string kana19, emoji20, kana19_cut;
  for (int i = 0; i < 19; ++i) kana19 += "あ";
  for (int i = 0; i < 20; ++i) emoji20 += "😀";
  const std::vector<Cell> cells = {
      {1, 0, "19 characters name!", "19 characters name!"},
      {1, 1, "1234567890123456789", "1234567890123456789"},
      {1, 2, "-0", "-0"},
      {1, 3, "+.5", "+.5"},
      {1, 4, "5.", "5."},
      {1, 5, "-123456789.0123456", "-123456789.0123456"},
      {1, 6, "1e5", ""},  // exponents never reach a data cell
      {0, 1, kana19, kana19},
      {0, 2, emoji20, emoji20.substr(0, 19 * 4)},
      {0, 3, "体重 (kg)", "体重 (kg)"},
      {0, 4, "a\tb\rc\nd", "a b c d"},
      {2, 0, "x\r\ny", "x  y"},
  };
  CORVELDoc doc;
  for (const Cell& cell : cells) doc.SetCell(cell.column, cell.row, cell.text);
  CORVELDoc imported, opened;
  ASSERT_TRUE(ParseTextData(SerializeSheetText(doc), imported).ok);
  ASSERT_TRUE(ParseDocument(SerializeDocument(doc), opened).ok);
  for (const CORVELDoc* d : {&doc, &imported, &opened})
    for (const Cell& cell : cells) {
      SCOPED_TRACE(cell.text);
      EXPECT_EQ(d->Text(cell.column, cell.row), cell.kept);
      if (cell.column >= 1 && cell.row >= 1 && !cell.kept.empty()) {
        ASSERT_TRUE(d->IsNumeric(cell.column, cell.row));
        EXPECT_EQ(std::bit_cast<std::uint64_t>(d->Value(cell.column, cell.row)),
                  std::bit_cast<std::uint64_t>(CLibraryAtof(cell.kept)));
      }
    }
  // A name or label with a TAB or line break no longer splits its row when copied.
  EXPECT_EQ(SheetCopyText(doc, {4, 0, 4, 1}), "a b c d\t5.\r\n");
}

TEST(EdgeCells, Cp932LabelsArriveAsUtf8) {
  // 名前 TAB 値 (second byte 'l') CR 表 (second byte '\') TAB 1 without a final line end.
  CORVELDoc doc;
  ASSERT_TRUE(ParseTextData("\x96\xBC\x91\x4F\t\x92\x6C\r\x95\x5C\t1", doc).ok);
  EXPECT_EQ(doc.Text(0, 0), "名前");
  EXPECT_EQ(doc.Text(1, 0), "値");
  EXPECT_EQ(doc.Text(0, 1), "表");
  EXPECT_EQ(doc.Value(1, 1), 1);
}

// ---- Line ends --------------------------------------------------------------------------------

TEST(LineEnds, EveryKindEndsALineInImportAndPaste) {
  struct Variant {
    const char* name;
    std::string text;
  };
  const std::vector<Variant> variants = {
      {"LF", "n\tA\tB\nx\t1\t2\ny\t3\t4\n"},
      {"CR LF", "n\tA\tB\r\nx\t1\t2\r\ny\t3\t4\r\n"},
      {"CR", "n\tA\tB\rx\t1\t2\ry\t3\t4\r"},
      {"no final line end", "n\tA\tB\nx\t1\t2\ny\t3\t4"},
      {"CR without a final line end", "n\tA\tB\rx\t1\t2\ry\t3\t4"},
      {"mixed", "n\tA\tB\r\nx\t1\t2\ry\t3\t4"},
  };
  for (const Variant& v : variants) {
    SCOPED_TRACE(v.name);
    CORVELDoc doc;
    ASSERT_TRUE(ParseTextData(v.text, doc).ok);
    EXPECT_EQ(SerializeSheetText(doc), "n\tA\tB\r\nx\t1\t2\r\ny\t3\t4\r\n");
    EXPECT_EQ(doc.Sum(2), 6);

    const PasteBlock block = MeasurePasteBlock(v.text);
    EXPECT_EQ(block.lines, 3);
    EXPECT_EQ(block.fields, 3);
    CORVELDoc pasted;
    PasteText(pasted, v.text, 0, 0);
    EXPECT_EQ(SerializeSheetText(pasted), "n\tA\tB\r\nx\t1\t2\r\ny\t3\t4\r\n");
  }
}

}  // namespace
}  // namespace orvel

namespace orvel {
namespace {

// A file read in 1 MiB pieces gives exactly what the same bytes give in memory, whatever line
// end or character the piece boundaries fall on.
TEST(LineEnds, FilesReadInPiecesMatchTheBytesInMemory) {
  constexpr std::size_t kPiece = std::size_t{1} << 20;
  // About 2.5 MB of lines; the line crossing the first boundary has its label padded so that
  // the boundary falls right after `at_boundary`'s first byte.
  const auto make = [&](const std::string& eol, const std::string& at_boundary, bool final_eol) {
    std::string text = "\xEF\xBB\xBFname";
    for (int c = 1; c <= 80; ++c) text += "\tC" + std::to_string(c);
    text += eol;
    for (int r = 1; text.size() < 5 * kPiece / 2; ++r) {
      std::string label = "r" + std::to_string(r);
      if (text.size() < kPiece && text.size() + 700 >= kPiece) {
        // A label long enough to put the first byte of `at_boundary` last in the first piece.
        text += std::string(kPiece - 1 - text.size(), 'p') + at_boundary + "\t1" + eol;
        continue;
      }
      text += label;
      for (int c = 1; c <= 80; ++c) text += "\t" + std::to_string((r * c) % 997) + "." + std::to_string(c % 10);
      text += eol;
    }
    if (!final_eol) text.resize(text.size() - eol.size());
    return text;
  };
  struct Case {
    const char* name;
    std::string bytes;
  };
  const std::vector<Case> cases = {
      {"CR LF split by the boundary", make("\r\n", "\r\n", true)},
      {"lone CR last in a piece", make("\r", "\r", true)},
      {"LF", make("\n", "\n", false)},
      {"UTF-8 character split by the boundary", make("\n", "名前", true)},
      {"CP932", make("\r\n", "\x96\xBC\x91\x4F", true)},
  };
  const std::string path = ::testing::TempDir() + "orvel_pieces.txt";
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    {
      std::FILE* f = std::fopen(path.c_str(), "wb");
      ASSERT_NE(f, nullptr);
      ASSERT_EQ(std::fwrite(k.bytes.data(), 1, k.bytes.size(), f), k.bytes.size());
      std::fclose(f);
    }
    CORVELDoc from_file(8001), from_memory(8001);
    const FileOutcome outcome = ReadTextDataFile(path, from_file);
    ASSERT_TRUE(outcome.ok) << outcome.message;
    ASSERT_TRUE(ParseTextData(k.bytes, from_memory).ok);
    EXPECT_GT(from_file.UsedRowCount(), 1000);
    EXPECT_EQ(SerializeSheetText(from_file), SerializeSheetText(from_memory));
    for (int c = 1; c <= 80; c += 13) EXPECT_TRUE(SameBits(AllStatistics(from_file, c), AllStatistics(from_memory, c)));
  }
  std::remove(path.c_str());
}

}  // namespace
}  // namespace orvel

namespace orvel {
namespace {

// Import and document reading check and parse each number in one walk; every field must end up exactly as
// the same text set into the cell one by one (text, number form, value bits, last used row),
// whatever the field holds and wherever it stands on its line.
TEST(EdgeCells, ImportedFieldsMatchCellsSetOneByOne) {
  std::vector<std::string> fields = {
      "0", "-0", "+0", "-0.0", "+.5", "-.5", "5.", ".", "-", "+", "+.", "-.", "", "1.2.3", "+-5", "--1",
      "12abc", "1e5", "1E-3", " 42", "4 2", "0x10", "inf", "1234567890123456789", "12345678901234567890123",
      "-1234567890123456789", "9007199254740993", ".0000000000000000001", "00001.50000", "名前", "-0.000",
      "1234567", "12345678", "-123456", "-1234567"};
  std::uint64_t state = 777;
  for (int i = 0; i < 3000; ++i) {  // data texts of every length, the point anywhere
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    const int length = 1 + static_cast<int>((state >> 33) % 21);
    std::string text = (state >> 60) % 3 == 0 ? "-" : (state >> 60) % 3 == 1 ? "+" : "";
    const int point = static_cast<int>((state >> 40) % static_cast<std::uint64_t>(length + 2));
    for (std::uint64_t digits = state; static_cast<int>(text.size()) < length; digits /= 7) {
      if (static_cast<int>(text.size()) == point) text += '.';
      text += static_cast<char>('0' + digits % 10);
    }
    fields.push_back(text);
  }
  constexpr int kColumns = 7;
  std::string file = "name";
  for (int c = 1; c < kColumns; ++c) file += "\tC" + std::to_string(c);
  file += "\r\n";
  CORVELDoc typed(1000);
  typed.SetCell(0, 0, "name");
  for (int c = 1; c < kColumns; ++c) typed.SetCell(c, 0, "C" + std::to_string(c));
  int row = 1;
  for (std::size_t i = 0; i < fields.size(); ++row) {
    for (int c = 0; c < kColumns && i < fields.size(); ++c, ++i) {
      if (c > 0) file += (i % 5 == 0) ? "," : "\t";
      file += fields[i];
      typed.SetCell(c, row, fields[i]);
    }
    file += row % 3 == 0 ? "\n" : row % 3 == 1 ? "\r\n" : "\r";
  }
  // The same cells through a text file and through a document file (read by the same kind
  // of one-walk scan).
  CORVELDoc imported(1000), opened(1000);
  ASSERT_TRUE(ParseTextData(file, imported).ok);
  ASSERT_TRUE(ParseDocument(SerializeDocument(typed), opened).ok);
  for (const CORVELDoc* read : {&imported, &opened})
    for (int c = 0; c < kColumns; ++c) {
      SCOPED_TRACE(c);
      // A document stores every column down to the last used row of the sheet.
      if (read == &imported) {
        EXPECT_EQ(read->Column(c).LastUsedRow(), typed.Column(c).LastUsedRow());
      }
      for (int r = 0; r < row; ++r) {
        ASSERT_EQ(read->Text(c, r), typed.Text(c, r)) << r;
        ASSERT_EQ(read->IsNumeric(c, r), typed.IsNumeric(c, r)) << read->Text(c, r);
        // A document holds no values: its other cells keep the value they had.
        if (read == &imported || read->IsNumeric(c, r)) {
          ASSERT_EQ(std::bit_cast<std::uint64_t>(read->Value(c, r)), std::bit_cast<std::uint64_t>(typed.Value(c, r)))
              << read->Text(c, r);
        }
      }
      EXPECT_TRUE(SameBits(AllStatistics(*read, c), AllStatistics(typed, c)));
    }
}

}  // namespace
}  // namespace orvel

namespace orvel {
namespace {

// Median and quartiles of long columns (selected by distributing the values into buckets)
// against a full sort of the rounded values, for shapes that stress the buckets: crowded in
// one bucket behind an outlier, spread over many orders of magnitude (distributed again, then
// partitioned), ties, values that round together, signed zeros, and every count modulo 4.
TEST(ColumnStatistics, LongColumnsMatchAFullSort) {
  struct Shape {
    const char* name;
    std::function<std::string(int, std::uint64_t)> text;  // row, a pseudo-random number
  };
  const auto fixed = [](double v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return std::string(buf).substr(0, 19);
  };
  const std::vector<Shape> shapes = {
      {"uniform", [&](int, std::uint64_t u) { return fixed(static_cast<double>(u % 1000000) / 1000.0 - 500, 3); }},
      {"bell", [&](int, std::uint64_t u) {
         return fixed(static_cast<double>(u % 1000 + (u >> 20) % 1000 + (u >> 40) % 1000) / 30.0, 3);
       }},
      {"one outlier", [&](int r, std::uint64_t u) { return r == 7 ? std::string("999999999999999") : fixed(static_cast<double>(u % 10000) / 100.0, 2); }},
      {"orders of magnitude", [&](int r, std::uint64_t u) {
         const int e = static_cast<int>(u % 16);
         return (r % 2 ? "-" : "") + fixed(static_cast<double>(1 + (u >> 32) % 9) * std::pow(10.0, e - 8), 8);
       }},
      {"ties", [&](int, std::uint64_t u) { return std::to_string(u % 3); }},
      {"rounding together", [&](int, std::uint64_t u) { return "1.0000000" + std::to_string(u % 100); }},
      {"signed zeros", [&](int, std::uint64_t u) {
         const char* texts[] = {"-0", "0", "-0.00000001", "0.00000001", "-.000000004", "1", "-1"};
         return std::string(texts[u % 7]);
       }},
  };
  for (const Shape& shape : shapes) {
    for (const int n : {257, 1000, 1001, 1002, 1003, 19999}) {
      SCOPED_TRACE(std::string(shape.name) + " n=" + std::to_string(n));
      CORVELDoc doc(20000);
      std::vector<double> rounded;
      std::uint64_t state = static_cast<std::uint64_t>(n) * 7919;
      for (int r = 1; r <= n; ++r) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        doc.SetCell(1, r, shape.text(r, state >> 11));
        ASSERT_TRUE(doc.IsNumeric(1, r)) << doc.Text(1, r);
        rounded.push_back(RoundTo7Decimals(doc.Value(1, r)));
      }
      std::sort(rounded.begin(), rounded.end());
      const auto x = [&](int i) { return rounded[static_cast<std::size_t>(i)]; };
      const int a = n / 4, u = 3 * n / 4;
      double lower = x(a), upper = x(u);
      if (n % 4 == 0) {
        lower = x(a - 1) + (x(a) - x(a - 1)) / 4;
        upper = x(u - 1) + 3 * (x(u) - x(u - 1)) / 4;
      } else if (n % 4 == 1) {
        lower = (x(a - 1) + x(a)) / 2;
        upper = (x(u) + x(u + 1)) / 2;
      } else if (n % 4 == 2) {
        lower = x(a - 1) + 3 * (x(a) - x(a - 1)) / 4;
        upper = x(u) + (x(u + 1) - x(u)) / 4;
      }
      const double median = n % 2 == 1 ? x((n - 1) / 2) : (x(n / 2 - 1) + x(n / 2)) / 2;
      const CORVELDoc::MedianAndQuartiles q = doc.Quartiles(1);
      // Equal as numbers: which of -0 and 0 stands at a tied position is not fixed.
      EXPECT_EQ(q.median, median);
      EXPECT_EQ(q.lower, lower);
      EXPECT_EQ(q.upper, upper);
    }
  }
}

}  // namespace
}  // namespace orvel

namespace orvel {
namespace {

// The per-row arrays are not zero-filled when they grow into fresh storage; a column copied
// from a shorter one keeps its longer storage, and rows it grows into again must read empty.
TEST(ColumnStore, RowsGrownIntoAfterAShorterCopyAreEmpty) {
  CDataColumn longer, shorter;
  longer.Create(1000);
  shorter.Create(1000);
  for (int r = 1; r <= 400; ++r) longer.SetText(r, std::to_string(r) + ".5");
  for (int r = 1; r <= 400; ++r) longer.Reparse(r);
  shorter.SetText(3, "7");
  shorter.Reparse(3);
  longer.CopyFrom(shorter);
  int from = 4;
  for (const int grow_to : {150, 380, 999}) {
    SCOPED_TRACE(grow_to);
    longer.SetText(grow_to, "1");
    for (int r = std::exchange(from, grow_to + 1); r < grow_to; ++r) {
      ASSERT_EQ(longer.Text(r), "") << r;
      ASSERT_EQ(longer.Value(r), 0.0) << r;
      ASSERT_FALSE(longer.IsNumeric(r)) << r;
    }
  }
  EXPECT_EQ(longer.Value(3), 7.0);
}

}  // namespace
}  // namespace orvel
