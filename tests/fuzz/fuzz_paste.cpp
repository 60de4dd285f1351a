// The paste parser. The first two bytes choose the top left cell; the rest is the clipboard
// text. A block that fits changes no cell outside it; one that does not fit is not pasted.
#include "fuzz/fuzz_support.h"
#include "sheet/orvel_doc.h"
#include "sheet/sheet_editing.h"

using namespace orvel;

namespace {
constexpr int kRows = 16;

void Fill(CORVELDoc& doc) {
  for (int c = 0; c <= kLastColumn; c += 5)
    for (int r = 0; r < kRows; r += 3) doc.SetCell(c, r, r == 0 ? "name" : std::to_string(c * r));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const int row = data[0] % kRows;
  const int column = data[1] % (kLastColumn + 1);
  const std::string_view text = fuzz::AsText(data + 2, size - 2);

  CORVELDoc doc(kRows);
  Fill(doc);
  const PasteBlock block = MeasurePasteBlock(text);
  fuzz::Require(block.lines >= 0 && block.fields >= 1, "a block has a size");
  if (!PasteBlockFits(doc, block, row, column)) return 0;
  const int bottom = row + static_cast<int>(block.lines) - 1;
  const int right = column + static_cast<int>(block.fields) - 1;
  fuzz::Require(bottom < kRows && right <= kLastColumn, "a block that fits lies inside the sheet");

  // The same sheet before the paste, built once: the runs stay quick.
  static CORVELDoc untouched(kRows);
  static const bool filled = (Fill(untouched), true);
  (void)filled;
  PasteText(doc, text, row, column);
  for (int c = 0; c <= kLastColumn; ++c)
    for (int r = 0; r < kRows; ++r)
      if (r < row || r > bottom || c < column || c > right)
        fuzz::Require(doc.Text(c, r) == untouched.Text(c, r), "a paste changes no cell outside its block");
  return 0;
}
