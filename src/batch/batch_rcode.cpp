#include "batch/batch_rcode.h"

#include "rcode/rcode_generator.h"

namespace orvel::batch {

namespace {
constexpr const char* kHowToUse = "How To Use";
constexpr const char* kDownloadR = "Download R";
}  // namespace

bool IsRCodeMenuName(const std::string& name) {
  return name == kHowToUse || name == kDownloadR || FindRCodeCommand(name) != nullptr;
}

std::string RunRCodeCommands(CORVELView& view, const std::vector<std::string>& names) {
  std::string copied;
  for (const std::string& name : names) {
    if (name == kHowToUse) {
      view.OnRCodeHowToUse();
    } else if (name == kDownloadR) {
      view.OnDownloadR();
    } else if (const RCodeCommandInfo* info = FindRCodeCommand(name)) {
      // RCodeText is what went to the clipboard, before its line breaks became CR LF.
      if (view.OnRCodeCommand(info->command)) copied += view.Doc().RCodeText;
    }
  }
  return copied;
}

}  // namespace orvel::batch
