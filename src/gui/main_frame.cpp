#include "gui/main_frame.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QApplication>
#include <QCoreApplication>
#include <QIcon>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QClipboard>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QUrl>
#include <string_view>

#include "gui/data_settings_dialogs.h"
#include "gui/printing.h"
#include "rcode/rcode_generator.h"

namespace orvel::gui {

namespace {
constexpr int kRecentFiles = 4;
constexpr const char* kRecentGroup = "Recent File List";
using K = CommandKind;

// "Cut(&T)\tCtrl+X" -> "Cut(&T)" and "Ctrl+X".
std::pair<QString, QString> SplitMenuText(const char* text) {
  const QString s = QString::fromUtf8(text);
  const auto tab = s.indexOf('\t');
  if (tab < 0) return {s, QString()};
  return {s.left(tab), s.mid(tab + 1)};
}
// "Save Graph As Enhanced Meta File(&G)..." -> "Save Graph As Enhanced Meta File".
QString PlainName(QString label) {
  label.remove(QRegularExpression(R"(\(&.\))"));
  label.remove("...");
  label.remove('&');
  return label.trimmed();
}
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
                             path.isEmpty() ? QString("The user manual was not found.")
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

QAction* CMainFrame::Add(QMenu* menu, const char* text, const char* prompt, CommandKind kind,
                         std::function<void()> run) {
  const auto [label, shortcut] = SplitMenuText(text);
  // The whole text, so that the menu shows the shortcut as written ("Delete", where Qt's own
  // name would be "Del"); toolbar buttons and tips use the name alone.
  auto* action = new QAction(QString::fromUtf8(text), this);
  action->setIconText(PlainName(label));
  action->setToolTip(PlainName(label));
  action->setStatusTip(QString::fromUtf8(prompt));
  if (!shortcut.isEmpty()) action->setShortcut(QKeySequence(shortcut));
  menu->addAction(action);
  entries_.push_back({action, kind, std::move(run)});
  const std::size_t index = entries_.size() - 1;
  connect(action, &QAction::triggered, this, [this, index] { RunCommand(entries_[index]); });
  return action;
}

void CMainFrame::BuildMenus() {
  CORVELView& v = view_;
  const auto later = std::function<void()>();

  // File.
  QMenu* file = file_menu_ = menuBar()->addMenu("&File");
  Add(file, "&New\tCtrl+N", "Create a new document", K::kNotRecording, [&v] { v.OnFileNew(); });
  Add(file, "&Open...\tCtrl+O", "Open an existing document", K::kNotRecording, [this] {
    if (view_.OnFileOpen()) RememberFile(doc_.PathName());
  });
  Add(file, "&Save\tCtrl+S", "Save the active document", K::kNotRecording, [this] {
    if (view_.OnFileSave() == SaveOutcome::kSaved) RememberFile(doc_.PathName());
  });
  Add(file, "Save &As...", "Save the active document with a new name", K::kNotRecording, [this] {
    if (view_.OnFileSaveAs() == SaveOutcome::kSaved) RememberFile(doc_.PathName());
  });
  file->addSeparator();
  Add(file, "Open Text File(&F)...", "Open a textfile", K::kNotRecording, [&v] { v.OnOpenTextFile(); });
  Add(file, "Save Data Sheet As Text File(&D)...", "Save the active data sheet as a textfile", K::kAlways,
      [&v] { v.OnSaveDataSheetAsTextFile(); });
  Add(file, "Save Result As Text File(&T)...", "Save the active result as a textfile", K::kAlways,
      [&v] { v.OnSaveResultAsTextFile(); });
  Add(file, "Save Graph As Enhanced Meta File(&G)...", "Save the active graph as an enhanced metafile",
      K::kSaveGraph, later);
  file->addSeparator();
  Add(file, "&Print...\tCtrl+P", "Print the active document", K::kPrint, [this] { printing_.Print(doc_, this); });
  Add(file, "Print Pre&view", "Display full pages", K::kPrint, [this] { printing_.Preview(doc_, this); });
  Add(file, "P&rint Setup...", "Change the printer and printing options", K::kNotRecording,
      [this] { printing_.Setup(this); });
  recent_separator_ = file->addSeparator();
  for (int i = 0; i < kRecentFiles; ++i) {
    auto* action = new QAction(this);
    action->setVisible(false);
    action->setStatusTip("Open this document");
    connect(action, &QAction::triggered, this, [this, action] {
      if (running_command_ || port_.IsMacroRunning() || !IsCommandAvailable(K::kNotRecording, CurrentState()))
        return;
      OpenDocument(action->data().toString());
    });
    file->addAction(action);
    recent_actions_.push_back(action);
  }
  file->addSeparator();
  exit_action_ = file->addAction("E&xit");
  exit_action_->setStatusTip("Quit the application; prompts to save documents");
  connect(exit_action_, &QAction::triggered, this, &QWidget::close);
  RebuildRecentMenu();

  // Edit (Undo has no handler: nothing to undo).
  QMenu* edit = menuBar()->addMenu("&Edit");
  QAction* undo = Add(edit, "&Undo\tCtrl+Z", "Undo the last action", K::kAlways, later);
  undo->setShortcuts({QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace")});
  edit->addSeparator();
  Add(edit, "Cut(&T)\tCtrl+X", "Cut the selection and put it on the Clipboard", K::kCut, [&v] { v.OnEditCut(); })
      ->setShortcuts({QKeySequence("Ctrl+X"), QKeySequence("Shift+Delete")});
  Add(edit, "Copy(&C)\tCtrl+C", "Copy the selection and put it on the Clipboard", K::kCopy, [&v] { v.OnEditCopy(); })
      ->setShortcuts({QKeySequence("Ctrl+C"), QKeySequence("Ctrl+Insert")});
  Add(edit, "Paste(&P)\tCtrl+V", "Insert Clipboard contents", K::kPaste, [&v] { v.OnEditPaste(); })
      ->setShortcuts({QKeySequence("Ctrl+V"), QKeySequence("Shift+Insert")});
  edit->addSeparator();
  Add(edit, "Fill Right(&R)", "Fill right in datasheet", K::kFillRight, [&v] { v.OnFillRight(); });
  Add(edit, "Fill Left(&L)", "Fill left in datasheet", K::kFillLeft, [&v] { v.OnFillLeft(); });
  Add(edit, "Fill Up(&U)", "Fill up in datasheet", K::kFillUp, [&v] { v.OnFillUp(); });
  Add(edit, "Fill Down(&B)", "Fill down in datasheet", K::kFillDown, [&v] { v.OnFillDown(); });
  edit->addSeparator();
  Add(edit, "Delete(&D)\tDelete", "Dlete data", K::kDelete, [&v] { v.OnEditDelete(); });
  Add(edit, "Sort(&S)...", "Sort data", K::kSort, [&v] { v.OnSort(); });

  // Data Settings.
  QMenu* settings = menuBar()->addMenu("&Data Settings");
  Add(settings, "Oneway Two Groups(&X)...", "Set the data of two groups", K::kDataSetting,
      [this] { TwoGroupsDialog(view_, this).exec(); });
  Add(settings, "Oneway  Three Groups or More(&O)...", "Set the data of three groups or more", K::kDataSetting,
      [this] { GroupColumnsDialog(view_, this).exec(); });
  Add(settings, "Twoway Data(&T)...", "Set the twoway data", K::kDataSetting, [&v] { v.EnterTwowayGrid(); });
  Add(settings, "Multiple Regression Data(&M)...", "Set the multiple regression data", K::kDataSetting,
      [this] { MultipleRegressionDialog(view_, this).exec(); });
  Add(settings, "Principal Component Analysis Data(&S)...", "Set the principal component analysis data",
      K::kDataSetting, [this] { PcaDialog(view_, this).exec(); });
  Add(settings, "Discriminant Analysis Data(&H)...", "Set the discriminant analysis data", K::kDataSetting,
      [this] { DiscriminantDialog(view_, this).exec(); });
  settings->addSeparator();
  Add(settings, "Option for Object Data(&P)...", "Include the object data in the result or not", K::kAlways,
      [this] { ObjectDataDialog(view_, this).exec(); });
  Add(settings, "Number of Rows(&N)...", "Set the number of rows", K::kAlways, [&v] { v.OnRowNumbers(); });

  // Statistics, in the order of their macro statements.
  QMenu* stats = menuBar()->addMenu("&Statistics");
  Add(stats, "Summary Statistics(&B)", "Data : Selected Column", K::kAlways, [&v] { v.OnSummaryStatistics(); });
  Add(stats, "Frequency Distribution(&C)...", "Data : Selected Column", K::kAlways,
      [&v] { v.OnFrequencyDistribution(); });
  stats->addSeparator();
  Add(stats, "F Test(&F)", "Data : Oneway Two Groups", K::kAlways, [&v] { v.OnFTest(); });
  Add(stats, "Bartlett's Test(&L)", "Data : Oneway Three Groups or More", K::kAlways, [&v] { v.OnBartlettTest(); });
  Add(stats, "Paired t-Test(&P)", "Data : Oneway Two Groups", K::kAlways, [&v] { v.OnPairedTTest(); });
  Add(stats, "Unpaired t-Test(&U)", "Data : Oneway Two Groups", K::kAlways, [&v] { v.OnUnpairedTTest(); });
  Add(stats, "OnewayANOVA(&O)...", "Data : Oneway Three Groups or More", K::kAlways, later);
  Add(stats, "TwowayANOVA without Replication(&T)...", "Data : Selected Cells", K::kAlways, later);
  Add(stats, "TwowayANOVA(&A)...", "Data : Twoway Data", K::kAlways, later);
  stats->addSeparator();
  Add(stats, "Fisher's Exact Test(2x2)(&E)", "Data : Selected Cells (2x2)", K::kAlways,
      [&v] { v.OnFisherExactTest(); });
  Add(stats, "Pearson's Chi-Squared Test(&X)", "Data : Selected Cells", K::kAlways, [&v] { v.OnChiSquareTest(); });
  Add(stats, "Goodness-of-Fit Test(&I)", "Data : Oneway Two Groups", K::kAlways,
      [&v] { v.OnGoodnessOfFitTest(); });
  stats->addSeparator();
  Add(stats, "Wilcoxon Signed Rank Test(&W)", "Data : Oneway Two Groups", K::kAlways,
      [&v] { v.OnWilcoxonSignedRankTest(); });
  Add(stats, "Mann-Whitney U Test(&M)", "Data : Oneway Two Groups", K::kAlways, [&v] { v.OnMannWhitneyUTest(); });
  Add(stats, "Kruskal-Wallis Rank Sum Test(&K)...", "Data : Oneway Three Groups or More", K::kAlways,
      [&v] { v.OnKruskalWallisTest(); });
  Add(stats, "Friedman Rank Sum Test(&D)...", "Data : Oneway Three Groups or More", K::kAlways,
      [&v] { v.OnFriedmanTest(); });
  stats->addSeparator();
  Add(stats, "Thompson's Rejection Test(&H)", "Data : Selected Column", K::kAlways,
      [&v] { v.OnThompsonRejectionTest(); });
  Add(stats, "Smirnov-Grubbs' Test(&G)", "Data : Selected Column", K::kAlways, [&v] { v.OnSmirnovGrubbsTest(); });
  stats->addSeparator();
  Add(stats, "Principal Component Analysis(&S)", "Data : Principal Component Analysis Data", K::kAlways, later);
  Add(stats, "Discriminant Analysis(&Z)", "Data : Discriminant Analysis Data", K::kAlways, later);
  stats->addSeparator();
  Add(stats, "Random Numbers Table(&R)...", "Data : None", K::kAlways, [&v] { v.OnRandomNumbersTable(); });

  // Correlation.
  QMenu* corr = menuBar()->addMenu("&Correlation");
  Add(corr, "Regression Line(&C)", "Data : Oneway Two Groups", K::kAlways, [&v] { v.OnRegressionLine(); });
  Add(corr, "Regression Curve(&R)...", "Data : Oneway Two Groups", K::kAlways, [&v] { v.OnRegressionCurve(); });
  Add(corr, "Spearman's Rank Correlation(&S)", "Data : Oneway Two Groups", K::kAlways,
      [&v] { v.OnSpearmanRankCorrelation(); });
  Add(corr, "Kendall's Rank Correlation(&K)", "Data : Oneway Two Groups", K::kAlways,
      [&v] { v.OnKendallRankCorrelation(); });
  Add(corr, "Multiple Regression Analysis(&M)", "Data : Multiple Regression Data", K::kAlways, later);
  Add(corr, "Logistic Regression Analysis(&L)", "Data : Multiple Regression Data", K::kAlways, later);
  Add(corr, "Intraclass Correlation Coefficient(&I)", "Data : Oneway Three Groups or More", K::kAlways,
      [&v] { v.OnIntraclassCorrelation(); });

  // Graph: the graph commands come later.
  QMenu* graph = menuBar()->addMenu("&Graph");
  for (const char* text :
       {"Scatter Plot(&S)...", "Scatter Plot Matrix(&M)...", "Histogram(&H)...", "Line Plot (Oneway Two Groups)(&X)...",
        "Line Plot (Oneway Two Related Groups)(&P)...", "Line Plot (Oneway Three Groups or More)(&O)...",
        "Line Plot (Oneway Three Related Groups or More)(&Q)...", "Line Plot (Twoway Data)(&T)...",
        "Box Plot (Oneway Two Groups)(&A)...", "Box Plot (Oneway Three Groups or More)(&B)...",
        "Bar Plot (Oneway Two Groups)(&C)...", "Bar Plot (Oneway Three Groups or More)(&D)...",
        "Bar Plot (Twoway Data)(&E)..."})
    // The scatter plot matrix draws the explanatory variables of the multiple regression data.
    Add(graph, text,
        std::string_view(text) == "Scatter Plot Matrix(&M)..." ? "Data : Independent Variables of Multiple Regression Data"
                                                               : "Draw a graph",
        K::kAlways, later);

  // R Language: each code command is a row of the generator's command table.
  QMenu* r = menuBar()->addMenu("&R Language");
  constexpr const char* kRPrompt = "Create R code and copy it to the clipboard";
  for (const RCodeCommandInfo& info : RCodeCommandTable())
    if (!info.graph_submenu)
      Add(r, info.menu_text, kRPrompt, K::kNotRecording, [&v, c = info.command] { v.OnRCodeCommand(c); });
  // The graphs' code has a submenu of its own (its mnemonics repeat those of the menu above).
  QMenu* r_graph = r->addMenu("&Graph");
  for (const RCodeCommandInfo& info : RCodeCommandTable())
    if (info.graph_submenu)
      Add(r_graph, info.menu_text, kRPrompt, K::kNotRecording, [&v, c = info.command] { v.OnRCodeCommand(c); });
  r->addSeparator();
  Add(r, "How To Use(&U)...", "How to use the R code", K::kNotRecording, [&v] { v.OnRCodeHowToUse(); });
  Add(r, "Download R(&D)", "Download R", K::kNotRecording, [&v] { v.OnDownloadR(); });

  // Macro.
  QMenu* macro = menuBar()->addMenu("&Macro");
  Add(macro, "Start Macro Record(&R)\tF11", "Start Macro Record", K::kNotRecording, [&v] { v.OnStartMacroRecord(); });
  Add(macro, "End Macro Record(&E)...\tF12", "End Macro Record", K::kEndMacroRecord, [&v] { v.OnEndMacroRecord(); });
  Add(macro, "Run Macro(&M)...\tCtrl+M", "Run Macro File", K::kNotRecording, [this] {
    port_.BeginMacroRun();
    view_.OnRunMacro();
    port_.EndMacroRun();
  });
  Add(macro, "Convert Previous Macro Files(&C)...", "Convert Previous Macro Files into New Ones", K::kAlways,
      [&v] { v.OnConvertPreviousMacroFiles(); });

  // Window.
  QMenu* window = menuBar()->addMenu("&Window");
  Add(window, "Show Data Sheet Window(&D)\tEsc", "Return to datasheet", K::kShowDataSheet,
      [&v] { v.OnShowDataSheetWindow(); });
  Add(window, "Show Result Window(&R)", "Show result", K::kShowResult, [&v] { v.OnShowResultWindow(); });
  Add(window, "Run Windows Calculator(&C)", "Run Windows calculator", K::kAlways, [this] { StartCalculator(this); });
  // F6 and Shift+F6 move between panes of a split window; this window has one pane.
  auto* next_pane = new QAction(this);
  next_pane->setShortcuts({QKeySequence("F6"), QKeySequence("Shift+F6")});
  addAction(next_pane);

  // Help.
  QMenu* help = menuBar()->addMenu("&Help");
  Add(help, "About FreeORVEL(&A)...", "Display program information, version number and copyright", K::kAlways,
      [this] { ShowAboutBox(this); });
  Add(help, "FreeORVEL Website(&J)...", "Open the FreeORVEL website", K::kAlways, later);
  help->addSeparator();
  Add(help, "Help Topics(&H)", "List Help topics", K::kAlways, [this] { OpenManual(this); })
      ->setShortcut(QKeySequence("F1"));

  for (QMenu* menu : menuBar()->findChildren<QMenu*>())
    connect(menu, &QMenu::aboutToShow, this, [this] { UpdateCommandStates(); });
}

void CMainFrame::BuildToolBar() {
  QToolBar* bar = addToolBar("Standard");
  bar->setObjectName("Standard");
  QStyle* s = style();
  // The desktop theme's icons where it has them, else the style's nearest ones.
  const auto put = [&](const char* text, const char* theme_icon, QStyle::StandardPixmap fallback) {
    if (QAction* a = FindAction(text)) {
      a->setIcon(QIcon::fromTheme(theme_icon, s->standardIcon(fallback)));
      bar->addAction(a);
    }
  };
  put("&New", "document-new", QStyle::SP_FileIcon);
  put("&Open...", "document-open", QStyle::SP_DialogOpenButton);
  put("&Save", "document-save", QStyle::SP_DialogSaveButton);
  bar->addSeparator();
  put("Cut(&T)", "edit-cut", QStyle::SP_DialogDiscardButton);
  put("Copy(&C)", "edit-copy", QStyle::SP_FileDialogDetailedView);
  put("Paste(&P)", "edit-paste", QStyle::SP_DialogApplyButton);
  bar->addSeparator();
  put("&Print...", "document-print", QStyle::SP_ComputerIcon);
  bar->addSeparator();
  put("Run Macro(&M)...", "media-playback-start", QStyle::SP_MediaPlay);
  put("Show Data Sheet Window(&D)", "x-office-spreadsheet", QStyle::SP_FileDialogListView);
  put("Show Result Window(&R)", "text-x-generic", QStyle::SP_FileDialogContentsView);
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
  for (const Entry& e : entries_) e.action->setEnabled(e.run && IsCommandAvailable(e.kind, state));
  for (QAction* a : recent_actions_) a->setEnabled(IsCommandAvailable(K::kNotRecording, state));
}

void CMainFrame::RunCommand(const Entry& entry) {
  // A command (or a macro) is under way: its dialogs are modal, but a running macro lets the
  // event loop run, and nothing may re-enter the view meanwhile.
  if (running_command_ || port_.IsMacroRunning()) return;
  if (!entry.run || !IsCommandAvailable(entry.kind, CurrentState())) return;
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
    if (i <= files.size()) settings.setValue(key, files[i - 1]);
    else settings.remove(key);
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
