// The platform port: everything the core asks of the outside world.
//
// The Qt desktop program, the batch runner and the tests each implement this interface.
// Dialogs travel as typed models (dialogs.h): the core fills in the presets, the port lets the
// user (or an answers file, or a test script) change them, and reports OK or Cancel.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

namespace orvel {

class DialogModel;

enum class QuestionButtons { OkCancel, YesNo };
enum class QuestionAnswer { kYes, kNo, kCancel };

// The file-dialog request: the title ("Open", "Save As"), the filter in the
// "Text files(*.txt)|*.txt|All files(*.*)|*.*||" form, a default name and extension.
struct FileDialogRequest {
  std::string title;
  std::string filter;
  std::string default_name;
  std::string default_extension;
  bool confirm_overwrite = false;
};

// A graph as the clipboard takes it: one picture in three formats (the file bytes of each).
struct GraphPicture {
  std::string png;
  std::string svg;
  std::string emf;
};

class PlatformPort {
 private:
  std::optional<std::string> clipboard_;
  std::optional<GraphPicture> clipboard_graph_;

 public:
  virtual ~PlatformPort() = default;

  // A message box with an OK button.
  virtual void ShowMessage(const std::string& title, const std::string& text) = 0;
  // A question; true for OK or Yes, false for Cancel or No.
  virtual bool AskQuestion(const std::string& title, const std::string& text,
                           QuestionButtons buttons) = 0;
  // A question with Yes, No and Cancel buttons (the save-changes question).
  virtual QuestionAnswer AskYesNoCancel(const std::string& title, const std::string& text) = 0;
  // A modal dialog; the model holds the presets on entry and the answers on OK.
  // Returns false when the dialog was cancelled (the model is then left as it was).
  virtual bool RunDialog(DialogModel& dialog) = 0;
  // The input prompt of a running macro (title "ORVEL", the prompt above an empty answer box);
  // nothing when cancelled.
  virtual std::optional<std::string> AskInput(const std::string& title, const std::string& prompt) = 0;
  // File dialogs; nothing when cancelled.
  virtual std::optional<std::string> ChooseOpenFile(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> ChooseSaveFile(const FileDialogRequest& request) = 0;

  // Profile (settings) storage: integer values by section and name.
  virtual int ReadProfileInt(const std::string& section, const std::string& name,
                             int default_value) = 0;
  virtual void WriteProfileInt(const std::string& section, const std::string& name,
                               int value) = 0;

  // The view: repaint the current pane; the wait cursor around long work.
  virtual void Repaint() = 0;
  virtual void SetWaitCursor(bool /*waiting*/) {}
  // The clipboard's plain text; nothing when it holds no text. The default is a clipboard of
  // the process's own (the batch runner and tests); the desktop uses the system clipboard.
  virtual std::optional<std::string> ClipboardText() { return clipboard_; }
  // Replaces the clipboard's contents with plain text; false when it could not be done.
  virtual bool SetClipboardText(const std::string& text) {
    clipboard_ = text;
    clipboard_graph_.reset();
    return true;
  }
  // Replaces the clipboard's contents with a graph's picture; false when it could not be done.
  virtual bool SetClipboardGraph(const GraphPicture& picture) {
    clipboard_graph_ = picture;
    clipboard_.reset();
    return true;
  }
  // The picture the process's own clipboard holds (the batch runner and tests).
  const std::optional<GraphPicture>& ClipboardGraph() const { return clipboard_graph_; }
  // Opens a web page in the desktop's browser; false when it could not (there is none here).
  virtual bool OpenWebPage(const std::string& /*url*/) { return false; }
  // The size of the view's client area in pixels (scrolling decisions of the sheet keys).
  virtual int ClientWidth() const { return 1920; }
  virtual int ClientHeight() const { return 1080; }
  // The mouse pointer's shape over the view.
  enum class Cursor { kArrow, kSizeColumn };
  virtual void SetCursor(Cursor /*cursor*/) {}
  // Asked now and then while a macro runs: true stops it (the desktop maps Esc to it).
  virtual bool ShouldStopMacro() { return false; }
  // The average character width in pixels of the sheet's font (fitting a column to its texts).
  virtual int AverageCharWidth() const { return 7; }
  // Height in pixels of one text line of the result pane's font.
  virtual double ResultLineHeight() const { return 16.0; }
  // The current time in whole seconds since 1970 (the random numbers table's seed).
  virtual std::int64_t CurrentTimeSeconds() const { return static_cast<std::int64_t>(std::time(nullptr)); }
};

}  // namespace orvel
