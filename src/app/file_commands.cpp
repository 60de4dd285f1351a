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
  const SaveOutcome outcome = ReportSave(WriteResultTextFile(*path, doc_.ResultText));
  if (outcome == SaveOutcome::kSaved) RecordCommand(CommandId::kSaveResultAsText);
  return outcome;
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
  doc_.DisplayMode = DisplayKind::kDataSheet;
  port_.Repaint();
}

bool CORVELView::OnFileOpen(const std::string& path) {
  if (!SaveModifiedIfWanted()) return false;
  return OpenSheetFile(path, {"Open", kDocumentFilter, "", "ovd", false}, ReadDocumentFile);
}

bool CORVELView::OpenSheetFile(const std::string& path, const FileDialogRequest& request,
                               FileOutcome (*read)(const std::string&, CORVELDoc&)) {
  std::string chosen = path;
  if (chosen.empty()) {
    const auto picked = port_.ChooseOpenFile(request);
    if (!picked) return false;
    chosen = *picked;
  }
  port_.SetWaitCursor(true);
  const FileOutcome outcome = read(chosen, doc_);
  port_.SetWaitCursor(false);
  if (!outcome.ok) {
    port_.ShowMessage(kAppTitle, outcome.message);
    return false;
  }
  doc_.DisplayMode = DisplayKind::kDataSheet;
  port_.Repaint();
  return true;
}

SaveOutcome CORVELView::ReportSave(const FileOutcome& outcome) {
  if (outcome.ok) return SaveOutcome::kSaved;
  port_.ShowMessage(kAppTitle, outcome.message);
  return SaveOutcome::kFailed;
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
  return ReportSave(outcome);
}

bool CORVELView::OnOpenTextFile(const std::string& path) {
  // The save-changes question comes first; its answer does not stop the command.
  SaveModifiedIfWanted();
  return OpenSheetFile(path, {"Open", kTextFilter, "", "txt", false}, ReadTextDataFile);
}

SaveOutcome CORVELView::OnSaveDataSheetAsTextFile() {
  const auto path = port_.ChooseSaveFile({"Save As", kTextFilter, "data.txt", "txt", true});
  if (!path) return SaveOutcome::kCancelled;
  port_.SetWaitCursor(true);
  const SaveOutcome outcome = ReportSave(WriteSheetTextFile(*path, doc_));
  port_.SetWaitCursor(false);
  if (outcome == SaveOutcome::kSaved) RecordCommand(CommandId::kSaveDataSheetAsText);
  return outcome;
}

}  // namespace orvel
