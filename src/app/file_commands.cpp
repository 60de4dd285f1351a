// The File menu's commands: documents, text data files and the result as a text file.
#include <string>

#include "app/orvel_view.h"
#include "sheet/document_file.h"
#include "sheet/text_files.h"

namespace orvel {

namespace {
constexpr const char* kTextFilter = "Text files(*.txt)|*.txt|All files(*.*)|*.*||";
constexpr const char* kDocumentFilter = "ORVEL Files (*.ovd)|*.ovd|All files(*.*)|*.*||";

// The document's title as the save-changes question names it.
std::string DocumentTitle(const CORVELDoc& doc) {
  const std::string& path = doc.PathName();
  if (path.empty()) return "Untitled";
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}
}  // namespace

SaveOutcome CORVELView::OnSaveResultAsTextFile() {
  const auto path = port_.ChooseSaveFile({"Save As", kTextFilter, "result.txt", "txt", true});
  if (!path) return SaveOutcome::kCancelled;
  const FileOutcome outcome = WriteResultTextFile(*path, doc_.ResultText);
  if (!outcome.ok) {
    port_.ShowMessage(kAppTitle, outcome.message);
    return SaveOutcome::kFailed;
  }
  Record("saveresult();\r\n");
  return SaveOutcome::kSaved;
}

bool CORVELView::SaveModifiedIfWanted() {
  if (!doc_.IsModified()) return true;
  switch (port_.AskYesNoCancel(kAppTitle, "Save changes to " + DocumentTitle(doc_) + "?")) {
    case QuestionAnswer::kYes:
      return OnFileSave() == SaveOutcome::kSaved;
    case QuestionAnswer::kNo:
      return true;
    case QuestionAnswer::kCancel:
      break;
  }
  return false;
}

void CORVELView::OnFileNew() {
  if (!SaveModifiedIfWanted()) return;
  doc_.NewDocument();
  doc_.DisplayMode = 0;
  port_.Repaint();
}

bool CORVELView::OnFileOpen(const std::string& path) {
  if (!SaveModifiedIfWanted()) return false;
  std::string chosen = path;
  if (chosen.empty()) {
    const auto picked = port_.ChooseOpenFile({"Open", kDocumentFilter, "", "ovd", false});
    if (!picked) return false;
    chosen = *picked;
  }
  port_.SetWaitCursor(true);
  const FileOutcome outcome = ReadDocumentFile(chosen, doc_);
  port_.SetWaitCursor(false);
  if (!outcome.ok) {
    port_.ShowMessage(kAppTitle, outcome.message);
    return false;
  }
  doc_.DisplayMode = 0;
  port_.Repaint();
  return true;
}

SaveOutcome CORVELView::OnFileSave() {
  if (doc_.PathName().empty()) return OnFileSaveAs();
  return SaveDocumentTo(doc_.PathName());
}

SaveOutcome CORVELView::OnFileSaveAs() {
  const std::string name = doc_.PathName().empty() ? "Untitled.ovd" : DocumentTitle(doc_);
  const auto path = port_.ChooseSaveFile({"Save As", kDocumentFilter, name, "ovd", true});
  if (!path) return SaveOutcome::kCancelled;
  return SaveDocumentTo(*path);
}

SaveOutcome CORVELView::SaveDocumentTo(const std::string& path) {
  port_.SetWaitCursor(true);
  const FileOutcome outcome = SaveDocumentFile(path, doc_);
  port_.SetWaitCursor(false);
  if (!outcome.ok) {
    port_.ShowMessage(kAppTitle, outcome.message);
    return SaveOutcome::kFailed;
  }
  return SaveOutcome::kSaved;
}

bool CORVELView::OnOpenTextFile(const std::string& path) {
  // The save-changes question comes first; its answer does not stop the command.
  SaveModifiedIfWanted();
  std::string chosen = path;
  if (chosen.empty()) {
    const auto picked = port_.ChooseOpenFile({"Open", kTextFilter, "", "txt", false});
    if (!picked) return false;
    chosen = *picked;
  }
  port_.SetWaitCursor(true);
  const FileOutcome outcome = ReadTextDataFile(chosen, doc_);
  port_.SetWaitCursor(false);
  if (!outcome.ok) {
    port_.ShowMessage(kAppTitle, outcome.message);
    return false;
  }
  doc_.DisplayMode = 0;
  port_.Repaint();
  return true;
}

SaveOutcome CORVELView::OnSaveDataSheetAsTextFile() {
  const auto path = port_.ChooseSaveFile({"Save As", kTextFilter, "data.txt", "txt", true});
  if (!path) return SaveOutcome::kCancelled;
  port_.SetWaitCursor(true);
  const FileOutcome outcome = WriteSheetTextFile(*path, doc_);
  port_.SetWaitCursor(false);
  if (!outcome.ok) {
    port_.ShowMessage(kAppTitle, outcome.message);
    return SaveOutcome::kFailed;
  }
  Record("savedata();\r\n");
  return SaveOutcome::kSaved;
}

}  // namespace orvel
