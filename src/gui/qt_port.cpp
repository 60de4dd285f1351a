#include "gui/qt_port.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QFileDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QFrame>
#include <QImage>
#include <QPlainTextEdit>
#include <QUrl>
#include <QVBoxLayout>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QSettings>
#include <QStringList>

#include "app/dialogs.h"
#include "gui/file_filter.h"
#include "gui/model_dialogs.h"
#include "gui/qt_canvas.h"
#include "app/pane_drawing.h"
#include <QFontMetricsF>
#include <algorithm>

namespace orvel::gui {

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }

QStringList NameFilters(const FileDialogRequest& request) {
  QStringList filters;
  for (const std::string& f : TranslateFileFilter(request.filter)) filters << Q(f);
  return filters;
}

QMessageBox::StandardButton Ask(QWidget* parent, const std::string& title, const std::string& text,
                                QMessageBox::StandardButtons buttons, QMessageBox::Icon icon) {
  QMessageBox box(icon, Q(title), Q(text), buttons, parent);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}
}  // namespace

QtPort::QtPort() = default;

QWidget* QtPort::Parent() const { return window_.widget ? window_.widget() : nullptr; }

void QtPort::ShowMessage(const std::string& title, const std::string& text) {
  Ask(Parent(), title, text, QMessageBox::Ok, QMessageBox::Warning);
}

bool QtPort::AskQuestion(const std::string& title, const std::string& text, QuestionButtons buttons) {
  if (buttons == QuestionButtons::YesNo)
    return Ask(Parent(), title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Question) == QMessageBox::Yes;
  return Ask(Parent(), title, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Question) == QMessageBox::Ok;
}

QuestionAnswer QtPort::AskYesNoCancel(const std::string& title, const std::string& text) {
  switch (Ask(Parent(), title, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
              QMessageBox::Question)) {
    case QMessageBox::Yes: return QuestionAnswer::kYes;
    case QMessageBox::No: return QuestionAnswer::kNo;
    default: return QuestionAnswer::kCancel;
  }
}

bool QtPort::RunDialog(DialogModel& model) {
  // Every model renders from its schema: there is no model without a dialog.
  return CreateModelDialog(model, Parent(), doc_)->exec() == QDialog::Accepted;
}

// The macro's input prompt: the prompt in a read-only box at the top (a long prompt scrolls),
// under it an empty answer box that takes several lines, then OK and Cancel.
std::optional<std::string> QtPort::AskInput(const std::string& title, const std::string& prompt) {
  QDialog dialog(Parent());
  dialog.setObjectName("input");
  dialog.setWindowTitle(Q(title));
  auto* layout = new QVBoxLayout(&dialog);
  auto* shown = new QPlainTextEdit(Q(prompt), &dialog);
  shown->setObjectName("prompt");
  shown->setReadOnly(true);
  shown->setFrameShape(QFrame::NoFrame);
  shown->setTabChangesFocus(true);
  auto* answer = new QPlainTextEdit(&dialog);
  answer->setObjectName("answer");
  answer->setTabChangesFocus(true);
  layout->addWidget(shown);
  layout->addWidget(answer);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(buttons);
  const QFontMetrics metrics(dialog.font());
  dialog.resize(metrics.averageCharWidth() * 70, metrics.height() * 12);
  answer->setFocus();
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return answer->toPlainText().toStdString();
}

std::optional<std::string> QtPort::ChooseOpenFile(const FileDialogRequest& request) {
  QFileDialog dialog(Parent(), Q(request.title));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters(NameFilters(request));
  if (!request.default_name.empty()) dialog.selectFile(Q(request.default_name));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first().toStdString();
}

std::optional<std::string> QtPort::ChooseSaveFile(const FileDialogRequest& request) {
  QFileDialog dialog(Parent(), Q(request.title));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(NameFilters(request));
  dialog.setDefaultSuffix(Q(request.default_extension));
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirm_overwrite);
  if (!request.default_name.empty()) dialog.selectFile(Q(request.default_name));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return WithDefaultExtension(dialog.selectedFiles().first().toStdString(), request.default_extension);
}

int QtPort::ReadProfileInt(const std::string& section, const std::string& name, int default_value) {
  QSettings settings("ORVEL", "ORVEL");
  bool ok = false;
  const int value = settings.value(Q(section + "/" + name), default_value).toInt(&ok);
  return ok ? value : default_value;
}

void QtPort::WriteProfileInt(const std::string& section, const std::string& name, int value) {
  QSettings settings("ORVEL", "ORVEL");
  settings.setValue(Q(section + "/" + name), value);
}

void QtPort::Repaint() {
  if (window_.repaint) window_.repaint();
}

void QtPort::SetWaitCursor(bool waiting) {
  if (waiting) {
    if (wait_depth_++ == 0) QApplication::setOverrideCursor(Qt::WaitCursor);
  } else if (wait_depth_ > 0) {
    if (--wait_depth_ == 0) QApplication::restoreOverrideCursor();
  }
}

std::optional<std::string> QtPort::ClipboardText() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (data == nullptr || !data->hasText()) return std::nullopt;
  return data->text().toStdString();
}

bool QtPort::SetClipboardText(const std::string& text) {
  QGuiApplication::clipboard()->setText(Q(text));
  return true;
}

bool QtPort::SetClipboardGraph(const GraphPicture& picture) {
  auto bytes = [](const std::string& s) { return QByteArray(s.data(), static_cast<qsizetype>(s.size())); };
  const QImage image = QImage::fromData(bytes(picture.png), "PNG");
  if (image.isNull()) return false;
  auto* data = new QMimeData;
  // The bitmap for programs that paste images, the vector forms for those that read them
  // (drawing and office programs take SVG; some take an enhanced metafile under these names).
  data->setImageData(image);
  data->setData("image/png", bytes(picture.png));
  data->setData("image/svg+xml", bytes(picture.svg));
  data->setData("image/x-emf", bytes(picture.emf));
  data->setData("image/emf", bytes(picture.emf));
  QGuiApplication::clipboard()->setMimeData(data);
  return true;
}

bool QtPort::OpenWebPage(const std::string& url) { return QDesktopServices::openUrl(QUrl(Q(url))); }

int QtPort::ClientWidth() const { return window_.client_size ? window_.client_size().width() : 1920; }

int QtPort::ClientHeight() const { return window_.client_size ? window_.client_size().height() : 1080; }

void QtPort::SetCursor(Cursor cursor) {
  if (window_.set_cursor) window_.set_cursor(cursor == Cursor::kSizeColumn ? Qt::SplitHCursor : Qt::ArrowCursor);
}

double QtPort::ResultLineHeight() const {
  return window_.result_line_height ? window_.result_line_height() : PlatformPort::ResultLineHeight();
}

int QtPort::AverageCharWidth() const {
  QWidget* window = Parent();
  const QFontMetricsF metrics = window != nullptr ? QFontMetricsF(QtCanvas::ToQFont(SheetFont()), window)
                                                  : QFontMetricsF(QtCanvas::ToQFont(SheetFont()));
  return std::max(1, static_cast<int>(metrics.averageCharWidth() + 0.5));
}

void QtPort::BeginMacroRun() {
  macro_running_ = true;
  stop_requested_ = false;
  qApp->installEventFilter(this);
}

void QtPort::EndMacroRun() {
  qApp->removeEventFilter(this);
  macro_running_ = false;
  stop_requested_ = false;
}

bool QtPort::ShouldStopMacro() {
  if (!macro_running_) return false;
  // Let the window repaint and see Esc; the filter keeps other input away from the view.
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  return stop_requested_;
}

bool QtPort::eventFilter(QObject* watched, QEvent* event) {
  if (!macro_running_) return false;
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::Drop: {
      auto* widget = qobject_cast<QWidget*>(watched);
      QWidget* main = Parent();
      // Input for a dialog the macro opened is that dialog's business.
      if (widget == nullptr || main == nullptr || widget->window() != main->window()) return false;
      if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
        stop_requested_ = true;
      return true;
    }
    case QEvent::Close:
      // The window cannot close under a running macro.
      if (watched == Parent()) {
        event->ignore();
        return true;
      }
      return false;
    default:
      return false;
  }
}

}  // namespace orvel::gui
