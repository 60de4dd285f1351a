// The platform port of the desktop program: message boxes, dialogs, file dialogs, the
// profile in QSettings, the system clipboard, cursors, and Esc to stop a running macro.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

#include "app/platform_port.h"
#include "sheet/orvel_doc.h"

namespace orvel::gui {

class QtPort : public QObject, public PlatformPort {
 public:
  // What the port needs of the window: its widget (parent of every box and dialog), the pane
  // (repaint, size, cursor) and the font metrics of the result pane.
  struct Window {
    std::function<QWidget*()> widget;
    std::function<void()> repaint;
    std::function<QSize()> client_size;
    std::function<void(Qt::CursorShape)> set_cursor;
    std::function<double()> result_line_height;
  };
  QtPort();
  void SetWindow(Window window) { window_ = std::move(window); }
  // The document whose column names the dialogs list.
  void SetDocument(const CORVELDoc* doc) { doc_ = doc; }

  void ShowMessage(const std::string& title, const std::string& text) override;
  bool AskQuestion(const std::string& title, const std::string& text, QuestionButtons buttons) override;
  QuestionAnswer AskYesNoCancel(const std::string& title, const std::string& text) override;
  bool RunDialog(DialogModel& dialog) override;
  std::optional<std::string> AskInput(const std::string& title, const std::string& prompt) override;
  std::optional<std::string> ChooseOpenFile(const FileDialogRequest& request) override;
  std::optional<std::string> ChooseSaveFile(const FileDialogRequest& request) override;
  int ReadProfileInt(const std::string& section, const std::string& name, int default_value) override;
  void WriteProfileInt(const std::string& section, const std::string& name, int value) override;
  void Repaint() override;
  void SetWaitCursor(bool waiting) override;
  std::optional<std::string> ClipboardText() override;
  bool SetClipboardText(const std::string& text) override;
  bool SetClipboardGraph(const GraphPicture& picture) override;
  bool OpenWebPage(const std::string& url) override;
  int ClientWidth() const override;
  int ClientHeight() const override;
  void SetCursor(Cursor cursor) override;
  bool ShouldStopMacro() override;
  double ResultLineHeight() const override;
  int AverageCharWidth() const override;

  // While a macro runs, input to the main window is held back (its menus and keys would
  // re-enter the view) except Esc, which asks the macro to stop; dialogs the macro opens
  // work as usual.
  void BeginMacroRun();
  void EndMacroRun();
  bool IsMacroRunning() const { return macro_running_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* Parent() const;
  Window window_;
  const CORVELDoc* doc_ = nullptr;
  int wait_depth_ = 0;
  bool macro_running_ = false;
  bool stop_requested_ = false;
};

}  // namespace orvel::gui
