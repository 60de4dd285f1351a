#include "gui/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <string_view>
#include <utility>

#include "gui/printing.h"

namespace orvel::gui {

namespace {
constexpr int kRecentFiles = 4;
constexpr const char* kRecentGroup = "Recent File List";
using K = CommandKind;
using C = CommandId;

// The desktop's calculator: the first of the usual ones that is installed.
void StartCalculator(QWidget* parent) {
  for (const char* program : {"gnome-calculator", "kcalc", "galculator", "mate-calc", "qalculate-gtk", "xcalc"}) {
    const QString path = QStandardPaths::findExecutable(program);
    if (!path.isEmpty() && QProcess::startDetached(path, {})) return;
  }
  QMessageBox::information(parent, "FreeORVEL",
                           "No calculator program was found (gnome-calculator, kcalc, galculator, mate-calc, "
                           "qalculate-gtk or xcalc).");
}

void OpenManual(QWidget* parent) {
  const QString path = ManualIndexPath();
  if (path.isEmpty() || !QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
    QMessageBox::information(parent, "FreeORVEL",
                             path.isEmpty()
                                 ? QString("The user manual was not found.")
                                 : "The user manual could not be opened in a browser. It is the file " + path);
}
}  // namespace

QString ManualIndexPath() {
  const QStringList candidates = {
      QCoreApplication::applicationDirPath() + "/../share/orvel/manual/index.html",
      QStringLiteral(ORVEL_MANUAL_DIR "/index.html"),
  };
  for (const QString& path : candidates)
    if (QFileInfo::exists(path)) return QFileInfo(path).canonicalFilePath();
  return {};
}

void ShowAboutBox(QWidget* parent) {
  QMessageBox box(QMessageBox::Information, "About FreeORVEL", "FreeORVEL Version 22.0E", QMessageBox::Ok, parent);
  box.setObjectName("about");
  if (!QApplication::windowIcon().isNull()) box.setIconPixmap(QApplication::windowIcon().pixmap(48, 48));
  box.exec();
}

CMainFrame::CMainFrame() : doc_(RowCountFromProfile(port_)), view_(doc_, port_) {
  pane_ = new PaneWidget(view_, this);
  setCentralWidget(pane_);
  pane_->accepts_input = [this] { return !running_command_ && !port_.IsMacroRunning(); };
  pane_->input_handled = [this] { UpdateCommandStates(); };
  port_.SetWindow({[this]() -> QWidget* { return this; }, [this] { pane_->Refresh(); },
                   [this] { return pane_->viewport()->size(); },
                   [this](Qt::CursorShape shape) { pane_->viewport()->setCursor(shape); },
                   [this] { return pane_->ResultLineHeight(); }});
  port_.SetDocument(&doc_);
  BuildMenus();
  BuildToolBar();
  statusBar()->showMessage("Ready");
  setAcceptDrops(true);
  // Paste follows what the clipboard holds, also when another program changed it.
  connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] { UpdateCommandStates(); });
  UpdateTitle();
  UpdateCommandStates();
  pane_->setFocus();
}

CMainFrame::~CMainFrame() = default;

std::function<void()> CMainFrame::FrontEndHandler(CommandId id) {
  switch (id) {
    case C::kFileOpen:
      return [this] {
        if (view_.OnFileOpen()) RememberFile(doc_.PathName());
      };
    case C::kFileSave:
      return [this] {
        if (view_.OnFileSave() == SaveOutcome::kSaved) RememberFile(doc_.PathName());
      };
    case C::kFileSaveAs:
      return [this] {
        if (view_.OnFileSaveAs() == SaveOutcome::kSaved) RememberFile(doc_.PathName());
      };
    case C::kPrint: return [this] { printing_.Print(doc_, this, [this](Canvas& c, const GraphCall& g) { view_.DrawGraph(c, g); }); };
    case C::kPrintPreview: return [this] { printing_.Preview(doc_, this, [this](Canvas& c, const GraphCall& g) { view_.DrawGraph(c, g); }); };
    case C::kPrintSetup: return [this] { printing_.Setup(this); };
    // Closing asks to save, which a running command would refuse: the window closes once the
    // command is over.
    case C::kExit: return [this] { QTimer::singleShot(0, this, &QWidget::close); };
    case C::kRunMacro:
      return [this] {
        port_.BeginMacroRun();
        view_.OnRunMacro();
        port_.EndMacroRun();
      };
    case C::kRunCalculator: return [this] { StartCalculator(this); };
    case C::kAbout: return [this] { ShowAboutBox(this); };
    case C::kHelpTopics: return [this] { OpenManual(this); };
    default: return {};
  }
}

QMenu* CMainFrame::MenuFor(std::string_view path) {
  for (const auto& [name, menu] : menus_)
    if (name == path) return menu;
  const auto slash = path.rfind('/');
  const QString title = QString::fromUtf8(path.substr(slash == std::string_view::npos ? 0 : slash + 1));
  QMenu* menu =
      slash == std::string_view::npos ? menuBar()->addMenu(title) : MenuFor(path.substr(0, slash))->addMenu(title);
  menus_.emplace_back(std::string(path), menu);
  return menu;
}

QAction* CMainFrame::Add(QMenu* menu, const CommandRow& row) {
  if (row.separator_before) menu->addSeparator();
  const QString label = QString::fromUtf8(row.text);
  const QString name = QString::fromStdString(MenuPlainName(row.text));
  // The whole text, so that the menu shows the shortcut as written ("Delete", where Qt's own
  // name would be "Del"); toolbar buttons and tips use the name alone.
  auto* action = new QAction(row.accelerator.empty() ? label : label + '\t' + QString::fromUtf8(row.accelerator), this);
  action->setIconText(name);
  action->setToolTip(name);
  action->setStatusTip(QString::fromUtf8(row.prompt));
  QList<QKeySequence> keys;
  if (!row.accelerator.empty()) keys << QKeySequence(QString::fromUtf8(row.accelerator));
  if (!row.more_keys.empty())
    for (const QString& key : QString::fromUtf8(row.more_keys).split('|')) keys << QKeySequence(key);
  if (!keys.isEmpty()) action->setShortcuts(keys);
  menu->addAction(action);

  std::function<void()> run;
  if (row.runner == CommandRunner::kCore)
    run = [this, handler = row.handler] { handler(view_); };
  else if (row.runner == CommandRunner::kFrontEnd)
    run = FrontEndHandler(row.id);
  entries_.push_back({action, &row, std::move(run)});
  const std::size_t index = entries_.size() - 1;
  connect(action, &QAction::triggered, this, [this, index] { RunCommand(entries_[index]); });
  return action;
}

void CMainFrame::AddRecentFiles(QMenu* file) {
  recent_separator_ = file->addSeparator();
  for (int i = 0; i < kRecentFiles; ++i) {
    auto* action = new QAction(this);
    action->setVisible(false);
    action->setStatusTip("Open this document");
    connect(action, &QAction::triggered, this, [this, action] {
      if (running_command_ || port_.IsMacroRunning() || !IsCommandAvailable(K::kNotRecording, CurrentState())) return;
      OpenDocument(action->data().toString());
    });
    file->addAction(action);
    recent_actions_.push_back(action);
  }
}

void CMainFrame::BuildMenus() {
  for (const CommandRow& row : CommandTable()) {
    QMenu* menu = MenuFor(row.menu);
    // The recent files are listed above Exit.
    if (row.id == C::kExit) AddRecentFiles(menu);
    Add(menu, row);
  }
  RebuildRecentMenu();
  // F6 and Shift+F6 move between panes of a split window; this window has one pane.
  auto* next_pane = new QAction(this);
  next_pane->setShortcuts({QKeySequence("F6"), QKeySequence("Shift+F6")});
  addAction(next_pane);

  for (QMenu* menu : menuBar()->findChildren<QMenu*>())
    connect(menu, &QMenu::aboutToShow, this, [this] { UpdateCommandStates(); });
}

void CMainFrame::BuildToolBar() {
  QToolBar* bar = addToolBar("Standard");
  bar->setObjectName("Standard");
  QStyle* s = style();
  // The desktop theme's icons where it has them, else the style's nearest ones.
  const std::pair<const char*, QStyle::StandardPixmap> fallbacks[] = {
      {"document-new", QStyle::SP_FileIcon},
      {"document-open", QStyle::SP_DialogOpenButton},
      {"document-save", QStyle::SP_DialogSaveButton},
      {"edit-cut", QStyle::SP_DialogDiscardButton},
      {"edit-copy", QStyle::SP_FileDialogDetailedView},
      {"edit-paste", QStyle::SP_DialogApplyButton},
      {"document-print", QStyle::SP_ComputerIcon},
      {"media-playback-start", QStyle::SP_MediaPlay},
      {"x-office-spreadsheet", QStyle::SP_FileDialogListView},
      {"text-x-generic", QStyle::SP_FileDialogContentsView},
  };
  for (const ToolbarButton& button : ToolbarButtons()) {
    QStyle::StandardPixmap fallback = QStyle::SP_FileIcon;
    for (const auto& [name, pixmap] : fallbacks)
      if (button.icon == name) fallback = pixmap;
    if (button.gap_before) bar->addSeparator();
    QAction* action = ActionFor(button.id);
    action->setIcon(QIcon::fromTheme(QString::fromUtf8(button.icon), s->standardIcon(fallback)));
    bar->addAction(action);
  }
}

QAction* CMainFrame::ActionFor(CommandId id) const { return entries_[static_cast<std::size_t>(id)].action; }

bool CMainFrame::HasHandler(CommandId id) const {
  return static_cast<bool>(entries_[static_cast<std::size_t>(id)].run);
}

QAction* CMainFrame::FindAction(const QString& menu_text) const {
  for (const Entry& e : entries_) {
    const QString text = e.action->text();
    if (text == menu_text || text.section('\t', 0, 0) == menu_text) return e.action;
  }
  return nullptr;
}

CommandState CMainFrame::CurrentState() const {
  const QMimeData* clip = QGuiApplication::clipboard()->mimeData();
  return view_.CurrentCommandState(clip != nullptr && clip->hasText());
}

void CMainFrame::UpdateCommandStates() {
  const CommandState state = CurrentState();
  for (const Entry& e : entries_) e.action->setEnabled(e.run && IsCommandAvailable(e.row->availability, state));
  for (QAction* a : recent_actions_) a->setEnabled(IsCommandAvailable(K::kNotRecording, state));
}

void CMainFrame::RunCommand(const Entry& entry) {
  // A command (or a macro) is under way: its dialogs are modal, but a running macro lets the
  // event loop run, and nothing may re-enter the view meanwhile.
  if (running_command_ || port_.IsMacroRunning()) return;
  if (!entry.run || !IsCommandAvailable(entry.row->availability, CurrentState())) return;
  running_command_ = true;
  entry.run();
  running_command_ = false;
  AfterCommand();
}

void CMainFrame::AfterCommand() {
  pane_->Refresh();
  UpdateTitle();
  UpdateCommandStates();
}

void CMainFrame::UpdateTitle() {
  const std::string& path = doc_.PathName();
  const QString title = path.empty() ? QString("Untitled") : QFileInfo(QString::fromStdString(path)).fileName();
  setWindowTitle(kWindowTitlePrefix + title);
}

void CMainFrame::OpenDocument(const QString& path) {
  if (running_command_ || port_.IsMacroRunning()) return;
  running_command_ = true;
  const bool opened = view_.OnFileOpen(path.toStdString());
  running_command_ = false;
  if (opened) RememberFile(doc_.PathName());
  AfterCommand();
}

QStringList CMainFrame::RecentFiles() const {
  QSettings settings("ORVEL", "ORVEL");
  QStringList files;
  for (int i = 1; i <= kRecentFiles; ++i) {
    const QString f = settings.value(QString("%1/File%2").arg(kRecentGroup).arg(i)).toString();
    if (!f.isEmpty()) files << f;
  }
  return files;
}

void CMainFrame::RememberFile(const std::string& path) {
  if (path.empty()) return;
  const QString absolute = QFileInfo(QString::fromStdString(path)).absoluteFilePath();
  QStringList files = RecentFiles();
  files.removeAll(absolute);
  files.prepend(absolute);
  while (files.size() > kRecentFiles) files.removeLast();
  QSettings settings("ORVEL", "ORVEL");
  for (int i = 1; i <= kRecentFiles; ++i) {
    const QString key = QString("%1/File%2").arg(kRecentGroup).arg(i);
    if (i <= files.size())
      settings.setValue(key, files[i - 1]);
    else
      settings.remove(key);
  }
  RebuildRecentMenu();
}

void CMainFrame::RebuildRecentMenu() {
  const QStringList files = RecentFiles();
  for (int i = 0; i < kRecentFiles; ++i) {
    QAction* a = recent_actions_[static_cast<std::size_t>(i)];
    if (i < files.size()) {
      a->setText(QString("&%1 %2").arg(i + 1).arg(files[i]));
      a->setData(files[i]);
      a->setVisible(true);
    } else {
      a->setVisible(false);
    }
  }
  recent_separator_->setVisible(!files.isEmpty());
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (running_command_ || port_.IsMacroRunning() || !view_.SaveModifiedIfWanted()) {
    event->ignore();
    return;
  }
  event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) {
      event->acceptProposedAction();
      // One document at a time: the first file dropped is opened.
      if (IsCommandAvailable(K::kNotRecording, CurrentState())) OpenDocument(url.toLocalFile());
      return;
    }
  }
}

}  // namespace orvel::gui
