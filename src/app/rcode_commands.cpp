// The R Language menu: each code command's picker (or the sheet's selection), its checks, the
// code in RCodeText and the clipboard step; How To Use and Download R. Nothing here is
// recorded in a macro, and the result text is never touched.
#include "app/orvel_view.h"

#include <algorithm>

#include "app/rcode_dialogs.h"
#include "rcode/rcode_generator.h"

namespace orvel {

namespace {
constexpr const char* kCopiedMessage =
    "Source code written in R language has been copied to clipboard. Run R and select paste in Edit menu.";
constexpr const char* kTooLargeMessage = "It is too large to copy to clipboard.";
constexpr const char* kHowToUseMessage =
    "Select a command, and R code is created and copied onto clipboard. Run R and select its paste command to "
    "analyze.\n\nSelect cells in advance for Fisher's Exact Test and Chi-squared Test.\n\nLabel rows are used for "
    "variable names in R.";
}  // namespace

std::string RCodeWithCrLf(std::string_view code) {
  std::string text;
  text.reserve(code.size() + static_cast<std::size_t>(std::count(code.begin(), code.end(), '\n')));
  for (char c : code) {
    if (c == '\n') text += '\r';
    text += c;
  }
  return text;
}

bool CORVELView::OnRCodeCommand(RCodeCommand command) {
  const RCodeCommandInfo& info = RCodeCommandInfoOf(command);
  doc_.RCodeText.clear();
  RCodePicks picks;
  if (info.layout != RPickerLayout::kSelection) {
    RColumnPickerDialog dialog(info);
    if (!port_.RunDialog(dialog)) return false;
    picks = dialog.Picks();
  }
  RCodeOutcome outcome = GenerateRCode(command, picks, doc_);
  doc_.RCodeText = std::move(outcome.text);
  doc_.MutableSettings().RCodeColumns = outcome.flags;
  if (!outcome.refusal.empty()) {
    Refuse(kAppTitle, outcome.refusal.c_str());
    return false;
  }
  if (!outcome.copy) return false;
  if (!port_.SetClipboardText(RCodeWithCrLf(doc_.RCodeText))) {
    port_.ShowMessage(kFreeTitle, kTooLargeMessage);
    return false;
  }
  port_.ShowMessage(kFreeTitle, kCopiedMessage);
  return true;
}

void CORVELView::OnRCodeHowToUse() { port_.ShowMessage(kFreeTitle, kHowToUseMessage); }

void CORVELView::OnDownloadR() {
  if (!port_.OpenWebPage(kRDownloadPage))
    port_.ShowMessage(kFreeTitle, std::string("No web browser could be opened. R can be downloaded from ") +
                                      kRDownloadPage + ".");
}

}  // namespace orvel
