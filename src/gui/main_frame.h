// The main window: menus, toolbar and status bar around the pane; owns the port, the document
// and the view for the life of the program.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/orvel_view.h"
#include "gui/pane_widget.h"
#include "gui/printing.h"
#include "gui/qt_port.h"

class QAction;
class QMenu;

namespace orvel::gui {

inline constexpr const char* kWindowTitlePrefix = "FreeORVEL 22.0E-";

// "About FreeORVEL": the program's version.
void ShowAboutBox(QWidget* parent);
// The user manual's first page: installed beside the program, else in the source tree; empty
// when neither exists.
QString ManualIndexPath();

class CMainFrame : public QMainWindow {
 public:
  CMainFrame();
  ~CMainFrame() override;

  CORVELDoc& Doc() { return doc_; }
  CORVELView& View() { return view_; }
  QtPort& Port() { return port_; }
  PaneWidget* Pane() { return pane_; }

  // The action of a menu entry by its menu text, with or without the shortcut part, e.g.
  // "Summary Statistics(&B)" or "Cut(&T)\tCtrl+X"; null when there is none.
  QAction* FindAction(const QString& menu_text) const;
  // The menu entry of a command.
  QAction* ActionFor(CommandId id) const;
  // Whether the window can run a command: by its table row's handler or by its own.
  bool HasHandler(CommandId id) const;
  // Enables each menu entry by the program's state (entries of commands still to come stay
  // disabled).
  void UpdateCommandStates();
  // Opens a document as the command line and drops do.
  void OpenDocument(const QString& path);
  QStringList RecentFiles() const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  struct Entry {
    QAction* action;
    const CommandRow* row;
    std::function<void()> run;  // empty: the command comes later
  };
  // The window's own handler of a command whose row says the front end runs it.
  std::function<void()> FrontEndHandler(CommandId id);
  QAction* Add(QMenu* menu, const CommandRow& row);
  QMenu* MenuFor(std::string_view path);
  void AddRecentFiles(QMenu* file);
  void BuildMenus();
  void BuildToolBar();
  // Runs a menu command unless another command or a macro is running or it is unavailable.
  void RunCommand(const Entry& entry);
  void AfterCommand();
  void UpdateTitle();
  void RememberFile(const std::string& path);
  void RebuildRecentMenu();
  CommandState CurrentState() const;

  QtPort port_;
  CORVELDoc doc_;
  CORVELView view_;
  PaneWidget* pane_ = nullptr;
  PrintCommands printing_;
  QMenu* file_menu_ = nullptr;
  QAction* recent_separator_ = nullptr;
  std::vector<QAction*> recent_actions_;
  std::vector<Entry> entries_;  // in table order: entries_[i] is the command with identifier i
  std::vector<std::pair<std::string, QMenu*>> menus_;
  bool running_command_ = false;
};

}  // namespace orvel::gui
